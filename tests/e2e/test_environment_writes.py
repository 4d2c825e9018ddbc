"""The game writes its environment only while it has a single thread: from SDL_Init on, SDL's
threads read the environment, and a variable added then can move the array under a reader and
free it (a rare crash at start-up). Run under gdb up to the first frame, every setenv, putenv,
unsetenv or clearenv must find one thread, and at least one (SDL_VIDEO_CENTERED) must be seen."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

WRITERS = ("setenv", "putenv", "unsetenv", "clearenv")
COUNT_THREADS = 'python print("WRITE %s", len(gdb.selected_inferior().threads()))'


def gdb_script():
    lines = ["set pagination off", "set breakpoint pending on"]
    for name in WRITERS:
        lines += ["break " + name, "commands", "silent", COUNT_THREADS % name, "cont", "end"]
    lines += ["break runFrame", "commands", "silent", 'python print("FIRST FRAME")', "kill",
              "quit", "end", "run"]
    return "\n".join(lines) + "\n"


def main():
    with Game() as game:
        game.write_file("writes.gdb", gdb_script())
        run = subprocess.run(["gdb", "-batch", "-nx", "-x", "writes.gdb", game.binary],
                             cwd=game.work_dir, env=game.env, capture_output=True, text=True,
                             timeout=300)
        lines = run.stdout.splitlines()
        writes = [line.split() for line in lines if line.startswith("WRITE ")]
        assert "FIRST FRAME" in lines, run.stdout[-3000:] + run.stderr[-3000:]
        assert writes, "no environment write seen:\n" + run.stdout[-3000:]
        late = [" ".join(w) for w in writes if int(w[2]) != 1]
        assert not late, "the environment is written with other threads running: %s" % late


if __name__ == "__main__":
    main()
