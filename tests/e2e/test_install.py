"""`cmake --install` gives a game that starts from anywhere, valid desktop files and manuals."""

import os
import pty
import shutil
import struct
import subprocess
import tempfile
import unittest

from harness import Game

BUILD_DIR = os.path.dirname(os.environ["ORRISK_RUNTIME_DIR"])
DATA_DIR = os.path.join("share", "orrisk")
DONE = "Done with that, now starting main loop"
MAN_PAGES = [os.path.join("share", "man", "man6", "orrisk.6"),
             os.path.join("share", "man", "man1", "orrisk-check.1")]


def executable(path):
    return os.path.isfile(path) and os.access(path, os.X_OK)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG" % path)
    return struct.unpack(">II", head[16:24])


class InstalledGame(Game):
    """The game started through a launcher, from an empty scratch directory. Its standard
    output is a file, not a terminal, so the launcher sends the game's lines to its log."""

    def __init__(self, launcher):
        super().__init__(files=[])
        self.launcher = launcher

    def stdout(self):
        log = self.path(os.path.join("state", "orrisk", "orrisk.log"))
        with open(log, "rb") if os.path.exists(log) else open(os.devnull, "rb") as f:
            return f.read().decode(errors="replace")

    def start(self):
        self.env["XDG_STATE_HOME"] = self.path("state")
        self._out = open(self.path("stdout.txt"), "wb")
        self._err = open(self.path("stderr.txt"), "wb")
        self.proc = subprocess.Popen([self.launcher], cwd=self.work_dir, env=self.env,
                                     stdout=self._out, stderr=self._err)
        return self


class Install(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="orrisk-install-")
        first = os.path.join(cls.scratch, "first")
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", first], check=True,
                       stdout=subprocess.DEVNULL)
        # The prefix moves after installing; the game must still find its data.
        cls.prefix = os.path.join(cls.scratch, "moved")
        os.rename(first, cls.prefix)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def installed(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_game_starts_through_a_symlinked_launcher_and_quits_with_q(self):
        links = os.path.join(self.scratch, "links")
        os.makedirs(links, exist_ok=True)
        launcher = os.path.join(links, "orrisk")
        os.symlink(self.installed("bin", "orrisk"), launcher)
        with InstalledGame(launcher) as game:
            # A device to play through, so the sounds are read.
            game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=game.path("sound.raw"))
            game.start()
            game.wait_for_line(DONE, timeout=60)
            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0, game.stderr())
            with open(game.path("stdout.txt")) as f:
                self.assertEqual(f.read(), "")
            lines = game.lines()
            startup = lines[: lines.index(DONE)]
            # A sprite or the font missing from the data directory shows as an error line.
            self.assertEqual([l for l in startup if "error" in l.lower()], [])
            # So does a sound, on standard error.
            self.assertNotIn("that sound is silent", game.stderr())

    def test_launcher_without_data_directory_says_so(self):
        bare = os.path.join(self.scratch, "bare", "bin")
        os.makedirs(bare)
        shutil.copy2(self.installed("bin", "orrisk"), bare)
        run = subprocess.run([os.path.join(bare, "orrisk")], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertIn("no data directory", run.stderr)

    def test_launcher_logs_to_the_state_directory_only_without_a_terminal(self):
        home = os.path.join(self.scratch, "home")
        default_log = os.path.join(home, ".local", "state", "orrisk", "orrisk.log")
        os.makedirs(os.path.dirname(default_log), exist_ok=True)
        with open(default_log, "w") as f:
            f.write("the previous run\n")
        env = {k: v for k, v in os.environ.items() if k != "XDG_STATE_HOME"}
        env["HOME"] = home
        # Options pass through; the log is replaced, not appended to.
        launcher = self.installed("bin", "orrisk")
        run = subprocess.run([launcher, "--help"], env=env, capture_output=True, text=True)
        self.assertEqual((run.returncode, run.stdout), (0, ""))
        with open(default_log) as f:
            logged = f.read()
        self.assertIn("--window WIDTHxHEIGHT", logged)
        self.assertNotIn("the previous run", logged)
        # From a terminal nothing moves.
        os.remove(default_log)
        leader, terminal = pty.openpty()
        run = subprocess.run([launcher, "--help"], env=env, stdout=terminal)
        os.close(terminal)
        shown = os.read(leader, 65536).decode()
        os.close(leader)
        self.assertEqual(run.returncode, 0)
        self.assertIn("--fullscreen", shown)
        self.assertFalse(os.path.exists(default_log))

    def test_data_directory_holds_the_runtime_files_but_not_the_game(self):
        runtime = os.environ["ORRISK_RUNTIME_DIR"]
        expected = {n for n in os.listdir(runtime) if not executable(os.path.join(runtime, n))}
        self.assertEqual(set(os.listdir(self.installed(DATA_DIR))), expected)
        self.assertTrue(executable(self.installed("lib", "orrisk", "orrisk")))

    def test_every_generated_icon_is_installed_at_its_size(self):
        painted = sorted(os.listdir(os.path.join(BUILD_DIR, "icons")))
        self.assertGreater(len(painted), 1)
        for name in painted:
            size = int(name[len("orrisk-") : -len(".png")])
            icon = self.installed("share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                  "orrisk.png")
            self.assertEqual(png_size(icon), (size, size), icon)

    def test_checker_is_installed_when_built(self):
        built = any("orrisk-check" in files and executable(os.path.join(root, "orrisk-check"))
                    for root, _, files in os.walk(BUILD_DIR))
        if not built:
            self.skipTest("the data checker is not built in this tree")
        checker = self.installed("bin", "orrisk-check")
        run = subprocess.run([checker, self.installed(DATA_DIR)], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

    def test_desktop_entry_and_metainfo_validate(self):
        desktop = self.installed("share", "applications", "orrisk.desktop")
        if shutil.which("desktop-file-validate"):
            run = subprocess.run(["desktop-file-validate", desktop], capture_output=True,
                                 text=True)
            self.assertEqual((run.returncode, run.stdout + run.stderr), (0, ""))
        metainfo = os.listdir(self.installed("share", "metainfo"))
        self.assertEqual(len(metainfo), 1)
        run = subprocess.run(
            ["appstreamcli", "validate", "--no-net",
             self.installed("share", "metainfo", metainfo[0])],
            capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

    def test_man_pages_render_without_warnings(self):
        for page in MAN_PAGES:
            run = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-z", self.installed(page)],
                                 capture_output=True, text=True)
            self.assertEqual((run.returncode, run.stderr), (0, ""), page)
            shown = subprocess.run(["man", "-l", self.installed(page)], capture_output=True,
                                   text=True, env=dict(os.environ, MANPAGER="cat", MANWIDTH="80"))
            self.assertEqual(shown.returncode, 0, shown.stderr)
            self.assertIn("EXIT STATUS", shown.stdout)


if __name__ == "__main__":
    unittest.main()
