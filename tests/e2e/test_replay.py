"""A run played through the real game with --record replays headless, twice, and in a window to
the same final digest, and the window prints the recorded run's lines. The flight recorder keeps
the last run and the one before, and a crash or a refused start-up names its replay. Bad replay files are refused with one line and status 1; a cut
one plays to its last whole frame."""

import os
import re
import signal
import subprocess
import sys
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

READY = "Done with that, now starting main loop"
FRAME = "processing projectiles"
DIGEST = re.compile(r"^replay (\S+): (\d+) frames, [0-9.]+ s, digest ([0-9a-f]{16})$")


def headless(game, name):
    return subprocess.run([game.binary, "--replay", name, "--headless"], cwd=game.work_dir,
                          env=game.env, capture_output=True, text=True, timeout=120)


def play_and_quit(game, *args):
    game.start(*args)
    game.wait_for_line("Done with that, now starting main loop", timeout=60)
    game._xdotool("keydown", "w")
    game.wait_frames(15)
    game._xdotool("keyup", "w")
    game.mouse_move_relative(80, -40)
    game.key("3")
    game._xdotool("keydown", "space")
    game.wait_frames(20)
    game._xdotool("keyup", "space")
    game.key("equal")
    game.key("p")
    game.wait_frames(3)
    game.key("p")
    game.click(4)
    game.wait_frames(20)
    game.key("q")
    assert game.wait_exit(30) == 0, game.stderr()


def frames_held(game, still=1.0, timeout=30):
    """Waits until no frame has begun for `still` seconds; the frames begun by then."""
    deadline = time.monotonic() + timeout
    count, since = game.count_line(FRAME), time.monotonic()
    while time.monotonic() - since < still:
        assert time.monotonic() < deadline and game.running(), "the frames never stopped"
        time.sleep(0.1)
        if game.count_line(FRAME) != count:
            count, since = game.count_line(FRAME), time.monotonic()
    return count


def pause_and_quit_in_window(game):
    """A window replay answers P and Q alone: P holds the frames, P again lets them go on, and Q
    ends the replay where it stands, with status 0."""
    game.start("--record", "long.replay")
    game.wait_for_line(READY, timeout=60)
    game.wait_frames(150)
    game.key("q")
    assert game.wait_exit(30) == 0, game.stderr()
    recorded = game.count_line(FRAME)

    game.start("--replay", "long.replay")
    game.wait_for_line(READY, timeout=60)
    game.key("p")
    held = frames_held(game)
    game.key("p")
    game.wait_frames(5)
    game.key("p")
    frames_held(game)
    game.key("q")
    assert game.wait_exit(30) == 0, game.stderr()
    assert held < game.count_line(FRAME) < recorded, (held, game.count_line(FRAME), recorded)


def with_digest_changed(data, index):
    """The replay with field `index` of its second digest changed, its checksum made good."""
    at, digests = 12, 0
    while at < len(data):
        kind, size = data[at], data[at + 1] | data[at + 2] << 8
        if kind == 4:
            digests += 1
            if digests == 2:
                field = at + 5 + 4 * index
                block = bytearray(data[at:at + 5 + size])
                block[field - at] ^= 1
                crc = zlib.crc32(bytes(block)).to_bytes(4, "little")
                return data[:at] + bytes(block) + crc + data[at + 9 + size:]
        at += size + 9
    raise AssertionError("no second digest")


def check_refused(game, name, expected):
    run = headless(game, name)
    lines = run.stderr.splitlines()
    assert run.returncode == 1, (name, run.returncode, run.stderr)
    assert lines == ["orrisk: replay %s %s" % (name, expected)], (name, lines)
    assert run.stdout == "", (name, run.stdout)


def main():
    with Game() as game:
        state = game.path("state")
        play_and_quit(game, "--record", "run.replay")
        recorded = game.stdout()
        assert not os.path.exists(os.path.join(state, "orrisk")), "--record also fed the flight recorder"

        first = headless(game, "run.replay")
        assert first.returncode == 0, first.stderr
        match = DIGEST.match(first.stdout.strip())
        assert match and first.stdout.count("\n") == 1, first.stdout
        assert int(match.group(2)) > 40, first.stdout
        assert headless(game, "run.replay").stdout == first.stdout, "a second replay differs"

        game.start("--replay", "run.replay")
        assert game.wait_exit(120) == 0, game.stderr()
        assert game.stdout() == recorded, "the window replay prints other lines than the run"
        assert first.stdout.strip() in game.stderr().splitlines(), game.stderr()
        pause_and_quit_in_window(game)

        data = open(game.path("run.replay"), "rb").read()
        cases = {
            "empty.replay": (b"", "is empty"),
            "text.replay": (b"stars and planets\n", "is not a replay"),
            "flipped.replay": (data[:200] + bytes([data[200] ^ 4]) + data[201:], None),
            "version.replay": (data[:8] + b"\x07" + data[9:],
                               "is a replay of format 7, this game reads format 1"),
        }
        for name, (content, expected) in cases.items():
            with open(game.path(name), "wb") as f:
                f.write(content)
            if expected:
                check_refused(game, name, expected)
            else:
                run = headless(game, name)
                assert run.returncode == 1 and "is corrupt" in run.stderr, run.stderr
                assert len(run.stderr.splitlines()) == 1 and run.stdout == "", run.stderr

        # A world that plays differently: the second and the field named, status 3.
        with open(game.path("differs.replay"), "wb") as f:
            f.write(with_digest_changed(data, 2))
        differs = headless(game, "differs.replay")
        assert differs.returncode == 3, (differs.returncode, differs.stderr)
        assert re.fullmatch(r"orrisk: differs.replay plays differently from its recording at "
                            r"second 1: player x recorded \S+, replayed \S+\n", differs.stderr), \
            differs.stderr

        with open(game.path("cut.replay"), "wb") as f:
            f.write(data[:-30])
        cut = headless(game, "cut.replay")
        assert cut.returncode == 0, cut.stderr
        assert "orrisk: cut.replay ends early: it plays to its last whole frame" in cut.stderr
        assert DIGEST.match(cut.stdout.strip()), cut.stdout

        with open(game.path("shipdata.txt"), "a") as f:
            f.write("# one more line\n")
        check_refused(game, "run.replay", "was recorded with other data: shipdata.txt differs")

        # Without --record the flight recorder keeps the run, and the one before it.
        for _ in range(2):
            game.start()
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            game.wait_frames(5)
            game.key("q")
            assert game.wait_exit(30) == 0, game.stderr()
        replays = os.path.join(state, "orrisk", "replays")
        assert sorted(os.listdir(replays)) == ["last.replay", "previous.replay"]
        last = headless(game, os.path.join(replays, "last.replay"))
        assert last.returncode == 0 and DIGEST.match(last.stdout.strip()), last.stderr

        # A crash names the replay to attach and then meets the handler that was there before:
        # the default one, which dies of the signal, or a sanitizer's, which reports it and ends
        # with 1. The replay, cut short by the crash, plays to its last whole frame.
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        game.wait_frames(5)
        game.proc.send_signal(signal.SIGSEGV)
        status = game.wait_exit(30)
        game._crash = ""  # the test's own crash: no backtrace wanted
        errors = game.stderr().splitlines()
        report = [i for i, line in enumerate(errors) if "Sanitizer:DEADLYSIGNAL" in line]
        assert status == -signal.SIGSEGV or (status == 1 and report), (status, errors)
        named = "orrisk: the replay of this run is %s" % os.path.join(replays, "last.replay")
        assert errors[:report[0] if report else len(errors)][-1] == named, errors
        crashed = headless(game, os.path.join(replays, "last.replay"))
        assert crashed.returncode == 0 and "ends early" in crashed.stderr, crashed.stderr

        # A refused start-up names the replay to attach, and prints nothing new on stdout.
        game.remove_file("stardata.txt")
        game.start()
        assert game.wait_exit(60) == 1, game.stderr()
        assert game.stderr().splitlines()[-1] == named, game.stderr()
        assert "replay" not in game.stdout(), game.stdout()


if __name__ == "__main__":
    main()
