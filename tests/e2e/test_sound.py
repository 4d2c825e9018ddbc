"""Sound, heard through SDL's disk audio driver, which writes what the mixer plays to a file in
real time: firing bullets writes sound above silence; --mute, O and P each keep the output silent
while the ship fires or thrusts; with no usable audio driver the game starts, runs and says so
once on standard error."""

import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"
SECOND = 22050 * 4  # bytes of the mixer's output a second: 16-bit stereo
AUDIBLE = 200  # a sample above this is sound; the mixer writes exact zeros for silence


def samples(game, start=0):
    with open(game.path("out.raw"), "rb") as f:
        f.seek(start)
        data = f.read()
    data = data[: len(data) // 2 * 2]
    return struct.unpack("<%dh" % (len(data) // 2), data)


def size(game):
    return os.path.getsize(game.path("out.raw")) if os.path.exists(game.path("out.raw")) else 0


def start(game, *args):
    game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=game.path("out.raw"))
    # In open space north of Hearth: the shipped start lands on it, and a landing is heard.
    game.write_file("playerdata.txt", "0 3000 0.0015 0.012 0.0035 100 50\n")
    game.start(*args)
    game.wait_for_line(MAIN_LOOP, timeout=60)
    # The cursor starts on the ship, where nothing fires: aim straight up.
    game.mouse_move_relative(0, -150)


def wait_until(condition, what, timeout=30):
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.1)


def loud(game, start=0):
    return max((abs(s) for s in samples(game, start)), default=0) > AUDIBLE


def grown(game, by):
    mark = size(game)
    wait_until(lambda: size(game) >= mark + by, "the audio output to grow")


def fire_until_heard(game, start=0):
    game._xdotool("keydown", "space")
    try:
        wait_until(lambda: loud(game, start), "a shot to be heard")
    finally:
        game._xdotool("keyup", "space")


def shots_and_mute_option():
    with Game() as game:
        start(game)
        grown(game, SECOND // 2)
        assert not loud(game), "sound before anything happened"
        fire_until_heard(game)
    with Game() as game:
        start(game, "--mute")
        game.hold("space", 1.5)
        grown(game, SECOND)
        assert size(game) > 0 and not loud(game), "--mute is not silent"
        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def o_key():
    with Game() as game:
        start(game)
        game.key("o")
        game.hold("space", 1.5)
        grown(game, SECOND)
        assert not loud(game), "sound with O pressed"
        mark = size(game)
        game.key("o")
        fire_until_heard(game, mark)


def trailing_silence(game):
    data = samples(game, max(0, size(game) - SECOND // 2) // 4 * 4)
    return len(data) * 2 >= SECOND // 2 - 4 and not any(abs(s) > AUDIBLE for s in data)


def p_key():
    with Game() as game:
        start(game)
        game._xdotool("keydown", "w")
        try:
            wait_until(lambda: loud(game, max(0, size(game) - SECOND // 4)), "the engine's loop")
            game.key("p")
            # The engine still held, paused: the loop falls silent and stays so.
            wait_until(lambda: trailing_silence(game), "silence while paused")
            mark = size(game)
            grown(game, SECOND)
            assert not loud(game, mark), "sound while paused"
            game.key("p")
            wait_until(lambda: loud(game, mark), "the loop to resume")
        finally:
            game._xdotool("keyup", "w")


def no_audio_driver():
    # A driver SDL does not have, then the machine's own: without a sound card, one line still.
    for driver in ("nonexistent", None):
        with Game() as game:
            game.env.pop("SDL_AUDIODRIVER", None)
            if driver:
                game.env["SDL_AUDIODRIVER"] = driver
            game.start()
            game.wait_for_line(MAIN_LOOP, timeout=60)
            count = game.count_line("processing projectiles")
            wait_until(lambda: game.count_line("processing projectiles") > count + 5, "frames")
            lines = [l for l in game.stderr().splitlines() if "sound" in l or "ALSA" in l]
            assert (len(lines) == 1) if driver else (len(lines) <= 1), game.stderr()
            assert "sound" not in game.stdout()
            game.key("q")
            assert game.wait_exit(timeout=10) == 0


def broken_sound_files():
    with Game() as game:
        # A header declaring a gigabyte of samples, a file cut short, an empty one, a missing one.
        forged = b"RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00" \
            b"\x44\xac\x00\x00\x02\x00\x10\x00data\x00\x00\x00\x40"
        with open(game.path("explosion.wav"), "wb") as f:
            f.write(forged)
        with open(game.path("thrust.wav"), "r+b") as f:
            f.truncate(3000)
        open(game.path("laser.wav"), "wb").close()
        game.remove_file("ram.wav")
        checker = subprocess.run([os.path.join(game.runtime_dir, "orrisk-check"), game.work_dir],
                                 capture_output=True, text=True, timeout=60)
        assert checker.returncode == 0, checker.stdout
        without = "; the game plays without that sound"
        for line in ("explosion.wav: warning: cannot be used as a sound: truncated: a chunk runs "
                     "past the end of the file",
                     "thrust.wav: warning: cannot be used as a sound: truncated: a chunk runs past "
                     "the end of the file",
                     "laser.wav: warning: cannot be used as a sound: empty",
                     "ram.wav: warning: missing"):
            assert line + without in checker.stdout.splitlines(), checker.stdout
        start(game)
        fire_until_heard(game)
        silent = [l for l in game.stderr().splitlines() if l.endswith("that sound is silent")]
        assert len(silent) == 4, game.stderr()


if __name__ == "__main__":
    for case in (shots_and_mute_option, o_key, p_key, no_audio_driver, broken_sound_files):
        case()
        print(case.__name__, "passed")
