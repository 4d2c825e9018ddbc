"""Drive the real game on its own virtual X server, from a scratch working directory.

Typical use in a test script (tests/e2e/test_*.py, run by ctest with ORRISK_RUNTIME_DIR set):

    from harness import Game

    with Game() as game:                          # copies every runtime file, starts Xvfb
        game.write_file("shipdata.txt", "...")    # optional: replace or remove data files
        game.remove_file("weapondata.txt")
        game.start()                              # runs ./orrisk in the scratch directory
        game.wait_for_line("Done with that, now starting main loop", timeout=30)
        game.hold("w", 0.5)                       # xdotool keydown, sleep, keyup
        game.key("q")
        assert game.wait_exit(timeout=10) == 0

API of Game (all timeouts in seconds):
    Game(files=None)          files: names from the runtime directory to copy (default: all).
    runtime_dir, work_dir     the runtime directory and the scratch working directory.
    write_file(name, text)    write a file into the scratch directory.
    remove_file(name)         delete a file from the scratch directory, if present.
    start()                   start the game; stdout and stderr go to files in work_dir.
    stdout(), stderr()        everything the game has written so far, as text.
    lines()                   stdout split into lines.
    wait_for_line(text, timeout=30, start=0) -> int
                              wait until a stdout line equals text exactly; returns its index.
                              start: only lines from this index on count. Raises TimeoutError
                              (with the output so far) if the line does not come, or if the game
                              exits first.
    count_line(text)          how many stdout lines equal text exactly.
    key(name)                 one key press (xdotool key), e.g. "q", "1", "minus", "equal".
    hold(name, seconds)       key held down for a while (keydown, sleep, keyup).
    mouse_move_relative(dx, dy), click(button)   (4: wheel up, 5: wheel down).
    wait_frames(frames=1, timeout=60)   until the game has begun this many more frames.
    wait_for_screen(predicate, timeout=30) -> Image
                              screenshots until predicate(image) holds (or the time is up).
    screenshot(path=None) -> Image
                              the whole screen; saved as PNG when path is given.
    wait_exit(timeout=10) -> int | None
                              the exit status, or None if the game is still running.
    running()                 is the game process alive.
    crash_report() -> str     "" unless the game died of a signal; else the signal and a
                              backtrace of every thread, from the core it left in work_dir.
Game(display=":N") plays on that X server (shared with other games) instead of its own.
Image: width, height, pixel(x, y) -> (r, g, b), count(predicate), differs(other) -> int
(number of differing pixels), save_png(path).

Leaving the with-block kills the game and Xvfb and removes the scratch directory; if the game
died of a signal and no test has asked for the crash report, it goes to standard error first.
Every process the tests start may dump a core: the harness lifts the soft core size limit.
"""

import glob
import os
import resource
import signal
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

SCREEN = "1280x1024x24"
GDB_TIMEOUT = 300


def allow_core_dumps():
    """Lifts the soft core size limit to the hard one, for this process and all it starts."""
    _, hard = resource.getrlimit(resource.RLIMIT_CORE)
    resource.setrlimit(resource.RLIMIT_CORE, (hard, hard))


allow_core_dumps()


def find_core(directory, pid, binary):
    """The core a process left, by the kernel's core_pattern; (path or None, why not found)."""
    with open("/proc/sys/kernel/core_pattern") as f:
        pattern = f.read().strip()
    if pattern.startswith("|"):
        return None, "core_pattern %r hands cores to a program, not to a file" % pattern
    if resource.getrlimit(resource.RLIMIT_CORE)[0] == 0:
        return None, "the core size limit is 0 (ulimit -c)"
    fields = {"%": "%", "p": str(pid), "e": os.path.basename(binary)[:15]}
    name = "".join(fields.get(part[:1], "*") + part[1:] if i else part
                   for i, part in enumerate(pattern.split("%")))
    found = glob.glob(os.path.join(directory, name)) or glob.glob(
        os.path.join(directory, name + ".%d" % pid))
    if found:
        return found[0], ""
    return None, "no file %r in %s (core_pattern %r)" % (name, directory, pattern)


def backtrace(binary, core):
    """Every thread's backtrace from a core, by gdb in batch mode."""
    try:
        gdb = subprocess.run(["gdb", "-batch", "-nx", "-ex", "thread apply all bt", binary, core],
                             capture_output=True, text=True, timeout=GDB_TIMEOUT)
    except (OSError, subprocess.TimeoutExpired) as error:
        return "gdb failed: %s" % error
    keep = ("#", "Thread ", "Program terminated", "Core was generated", "[Current thread")
    lines = [line for line in gdb.stdout.splitlines() if line.startswith(keep)]
    return "\n".join(lines) or "gdb printed no backtrace:\n" + gdb.stdout + gdb.stderr


def crash_report(status, binary, directory, pid):
    """"" unless status is a death by signal; else the signal and the backtrace from the core."""
    if status is None or status >= 0:
        return ""
    try:
        name = signal.Signals(-status).name
    except ValueError:
        name = "signal %d" % -status
    core, why = find_core(directory, pid, binary)
    if core is None:
        return "%s died of %s; no backtrace: %s" % (binary, name, why)
    return "%s died of %s; backtrace from %s:\n%s" % (binary, name, core, backtrace(binary, core))


class Image:
    """An RGB screenshot held in memory."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = data  # bytes, 3 per pixel, rows top to bottom

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i : i + 3])

    def count(self, predicate):
        """Number of pixels (r, g, b) for which predicate is true."""
        d = self.data
        return sum(1 for i in range(0, len(d), 3) if predicate(d[i], d[i + 1], d[i + 2]))

    def differs(self, other):
        """Number of pixels that differ from another image of the same size."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("images differ in size")
        a, b = self.data, other.data
        return sum(1 for i in range(0, len(a), 3) if a[i : i + 3] != b[i : i + 3])

    def save_png(self, path):
        stride = 3 * self.width
        raw = b"".join(
            b"\x00" + self.data[y * stride : (y + 1) * stride] for y in range(self.height)
        )

        def chunk(kind, body):
            crc = zlib.crc32(kind + body) & 0xFFFFFFFF
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            out.write(chunk(b"IEND", b""))


def read_ppm(path):
    """Parse a binary (P6) PPM with 8-bit samples."""
    with open(path, "rb") as f:
        blob = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while blob[pos : pos + 1].isspace():
            pos += 1
        if blob[pos : pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end : end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
    if magic != b"P6" or maxval != 255:
        raise ValueError("unexpected screenshot format: %r %d" % (magic, maxval))
    pos += 1
    return Image(width, height, blob[pos : pos + 3 * width * height])


def start_xvfb():
    """Start Xvfb on a display it picks itself; returns (process, display string)."""
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
        pass_fds=(write_end,),
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            byte = pipe.read(1)
            if not byte:
                proc.kill()
                raise RuntimeError("Xvfb did not report a display")
            number += byte
    return proc, ":" + number.decode().strip()


def imagemagick(tool):
    """The command line that starts one of ImageMagick's tools: version 7 runs each through
    "magick" and keeps the old names only as aliases that warn; version 6 has the old names only.
    For "convert", version 7's own form is "magick" alone."""
    if shutil.which("magick"):
        return ["magick"] if tool == "convert" else ["magick", tool]
    return [tool]


class Game:
    """The game under test with its scratch directory and X server; use as a context manager."""

    def __init__(self, files=None, display=None):
        self.runtime_dir = os.environ["ORRISK_RUNTIME_DIR"]
        self.binary = os.path.join(self.runtime_dir, "orrisk")
        self.work_dir = tempfile.mkdtemp(prefix="orrisk-e2e-")
        names = files if files is not None else os.listdir(self.runtime_dir)
        for name in names:
            source = os.path.join(self.runtime_dir, name)
            if os.path.isfile(source):
                shutil.copy2(source, os.path.join(self.work_dir, name))
        self.xvfb = None
        self.display = display
        self.proc = None
        self._out = None
        self._err = None
        self._crash = None

    def __enter__(self):
        if self.display is None:
            self.xvfb, self.display = start_xvfb()
        # The flight recorder keeps its replays in the scratch directory, not in the home of
        # whoever runs the tests.
        self.env = dict(os.environ, DISPLAY=self.display,
                        XDG_STATE_HOME=os.path.join(self.work_dir, "state"))
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        unseen = self._crash is None
        report = self.crash_report()
        if report and unseen:
            sys.stderr.write(report + "\n")
        for proc in (self.proc, self.xvfb):
            if proc is not None and proc.poll() is None:
                proc.kill()
                proc.wait()
        for f in (self._out, self._err):
            if f is not None:
                f.close()
        shutil.rmtree(self.work_dir, ignore_errors=True)

    # Files of the scratch directory.
    def path(self, name):
        return os.path.join(self.work_dir, name)

    def write_file(self, name, text):
        with open(self.path(name), "w") as f:
            f.write(text)

    def remove_file(self, name):
        if os.path.exists(self.path(name)):
            os.remove(self.path(name))

    # The game process.
    def start(self, *args):
        self._out = open(self.path("stdout.txt"), "wb")
        self._err = open(self.path("stderr.txt"), "wb")
        self.proc = subprocess.Popen(
            [self.binary, *args],
            cwd=self.work_dir,
            env=self.env,
            stdout=self._out,
            stderr=self._err,
        )
        return self

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def crash_report(self):
        """Once the game has died of a signal, that signal and a backtrace of every thread."""
        if self._crash is None and self.proc is not None and self.proc.poll() is not None:
            self._crash = crash_report(self.proc.returncode, self.binary, self.work_dir,
                                       self.proc.pid)
        return self._crash or ""

    def stdout(self):
        with open(self.path("stdout.txt"), "rb") as f:
            return f.read().decode(errors="replace")

    def stderr(self):
        with open(self.path("stderr.txt"), "rb") as f:
            return f.read().decode(errors="replace")

    def lines(self):
        return self.stdout().splitlines()

    def count_line(self, text):
        return sum(1 for line in self.lines() if line == text)

    def wait_for_line(self, text, timeout=30, start=0):
        deadline = time.monotonic() + timeout
        while True:
            lines = self.lines()
            for i in range(start, len(lines)):
                if lines[i] == text:
                    return i
            if not self.running() or time.monotonic() > deadline:
                raise TimeoutError(
                    "no line %r (game %s)\n--- stdout tail:\n%s\n--- stderr:\n%s\n%s"
                    % (
                        text,
                        "running" if self.running() else "exited %s" % self.proc.poll(),
                        "\n".join(lines[-30:]),
                        self.stderr(),
                        self.crash_report(),
                    )
                )
            time.sleep(0.05)

    def wait_exit(self, timeout=10):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    # Input and output through the X server.
    def _xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def key(self, name):
        self._xdotool("key", name)

    def hold(self, name, seconds):
        self._xdotool("keydown", name)
        time.sleep(seconds)
        self._xdotool("keyup", name)

    def mouse_move_relative(self, dx, dy):
        self._xdotool("mousemove_relative", "--", str(dx), str(dy))

    def click(self, button):
        self._xdotool("click", str(button))

    def wait_frames(self, frames=1, timeout=60):
        """Waits until the game has begun this many more frames (each prints a line)."""
        start = len(self.lines())
        for _ in range(frames):
            start = self.wait_for_line("processing projectiles", timeout=timeout, start=start) + 1

    def wait_for_screen(self, predicate, timeout=30):
        """Screenshots until predicate(image) holds, the time is up or the game has ended;
        returns the last one, for the caller's assertion."""
        deadline = time.monotonic() + timeout
        while True:
            image = self.screenshot()
            if predicate(image) or time.monotonic() > deadline or not self.running():
                return image

    def settled_screenshot(self, name, frames=3):
        """A screenshot a few frames after the input, once the new view has been drawn and swapped."""
        start = len(self.lines())
        for _ in range(frames):
            start = self.wait_for_line("processing projectiles", timeout=30, start=start) + 1
        return self.screenshot(self.path(name))

    def screenshot(self, path=None):
        ppm = self.path("screen.ppm")
        subprocess.run(
            imagemagick("import") + ["-window", "root", "-depth", "8", "ppm:" + ppm],
            env=self.env,
            check=True,
        )
        image = read_ppm(ppm)
        os.remove(ppm)
        if path:
            image.save_png(path)
        return image
