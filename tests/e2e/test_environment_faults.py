"""The world around the game fails: the X server dies under it, a signal asks it to end, or the
OpenGL context has no shaders."""

import os
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

STARTED = "Done with that, now starting main loop"


def start_running(game):
    game.start()
    game.wait_for_line(STARTED, timeout=60)
    game.wait_for_line("Processing wormholes", timeout=60)


def test_display_lost():
    with Game() as game:
        start_running(game)
        game.xvfb.kill()
        game.xvfb.wait()
        status = game.wait_exit(timeout=30)
        assert status == 1, "after the X server died: status %r" % status
        assert "The display was lost" in game.stderr().splitlines(), game.stderr()


def test_signals_end_like_quit():
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        with Game() as game:
            start_running(game)
            game.proc.send_signal(sig)
            status = game.wait_exit(timeout=30)
            assert status == 0, "after %s: status %r" % (sig.name, status)


def test_q_still_quits_with_zero():
    with Game() as game:
        start_running(game)
        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def test_context_without_shaders_refused():
    with Game() as game:
        game.env["MESA_GL_VERSION_OVERRIDE"] = "1.5"
        game.start()
        assert game.wait_exit(timeout=60) == 1, game.stdout()
        errors = game.stderr().splitlines()
        lacks = [line for line in errors if line.startswith("The OpenGL context lacks ")]
        assert lacks == ["The OpenGL context lacks glCreateShader: the shaders need OpenGL 2.0"]
        assert "Shaders read" not in game.stdout()
        assert "The OpenGL context lacks" not in game.stdout()


if __name__ == "__main__":
    test_display_lost()
    test_signals_end_like_quit()
    test_q_still_quits_with_zero()
    test_context_without_shaders_refused()
    print("ok")
