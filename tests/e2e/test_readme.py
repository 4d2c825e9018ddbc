"""The README tells the truth: each command in its code blocks is run here or by scripts/test,
its key list is the one the game handles, the files it names exist, and each table's column
list is as long as the table the game reads."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

SOURCE_DIR = os.environ["ORRISK_SOURCE_DIR"]
RUNTIME_DIR = os.environ["ORRISK_RUNTIME_DIR"]
BUILD_DIR = os.path.dirname(RUNTIME_DIR)


def source(*parts):
    with open(os.path.join(SOURCE_DIR, *parts)) as f:
        return f.read()


README = source("README.md")

PACKAGE_COMMANDS = ("scripts/package", "sudo apt install ./dist/orrisk_*.deb")


def code_blocks():
    return re.findall(r"^```\n(.*?)^```", README, re.S | re.M)


def commands():
    """Every command line of every code block, its trailing comment removed."""
    lines = []
    for block in code_blocks():
        for line in block.splitlines():
            line = re.sub(r"\s+#.*", "", line).strip()
            if line:
                lines.append(line)
    return lines


def section(title):
    match = re.search(r"^#+ %s\n(.*?)(?=^#+ |\Z)" % re.escape(title), README, re.S | re.M)
    if not match:
        raise AssertionError("no section %r in the README" % title)
    return match.group(1)


def in_build(command):
    """The command with the build directory the scripts use replaced by this test's."""
    return re.sub(r"(?<![\w/.-])build(?=/|\s|$)", BUILD_DIR, command)


def ctest_listing(args):
    run = subprocess.run(["ctest", *args, "-N"], capture_output=True, text=True)
    assert run.returncode == 0, run.stdout + run.stderr
    return re.findall(r"Test\s+#\d+: (\S+)", run.stdout)


class Commands(unittest.TestCase):
    def test_the_readme_opens_with_the_two_commands(self):
        self.assertEqual(commands()[:2], ["scripts/run", "scripts/test"])
        self.assertTrue(README.startswith("# Orrisk\n\n```\nscripts/run "), README[:60])
        for script in ("scripts/run", "scripts/test"):
            self.assertTrue(os.access(os.path.join(SOURCE_DIR, script), os.X_OK), script)
        # CI runs the README's test command, then both commands on a pristine machine; either
        # failing fails it.
        self.assertRegex(source(".ci", "run"),
                         r'\n"\$ROOT/scripts/test" \|\| status=\$\?\n'
                         r'"\$ROOT/scripts/fresh-machine" \|\| status=\$\?\nexit "\$status"\n$')

    def test_every_command_is_exercised(self):
        sandboxed = []
        for command in commands()[2:]:
            if command.startswith("ctest "):
                self.check_test_group(command)
            elif "orrisk-bench" in command:
                self.check_bench(command)
            elif command in PACKAGE_COMMANDS:
                # Minutes of building, then apt as root: CI's fresh-machine stage runs both in
                # pristine chroots.
                self.assertTrue(os.access(os.path.join(SOURCE_DIR, "scripts", "package"), os.X_OK))
            else:
                sandboxed.append(command)
        self.run_in_sandbox(sandboxed)

    def check_test_group(self, command):
        args = in_build(command).split()[1:]
        names = ctest_listing([arg.strip("'") for arg in args])
        self.assertTrue(names, "%s lists no test" % command)
        group = re.search(r"-L (\w+)|-R '\^(\w+)", command)
        prefix = (group.group(1) or group.group(2)) + "."
        self.assertEqual([n for n in names if not n.startswith(prefix)], [], command)

    def check_bench(self, command):
        # A full run takes minutes: scripts/test runs the same binary from the same directory as
        # a short ctest run.
        match = re.fullmatch(r"cd (\S+) && \./orrisk-bench", in_build(command))
        self.assertIsNotNone(match, command)
        self.assertEqual(match.group(1), RUNTIME_DIR)
        self.assertTrue(os.access(os.path.join(RUNTIME_DIR, "orrisk-bench"), os.X_OK))
        self.assertEqual(ctest_listing(["--test-dir", BUILD_DIR, "-L", "bench"]), ["bench.frames"])
        bench_build = source("bench", "CMakeLists.txt")
        self.assertRegex(bench_build, r"COMMAND orrisk-bench [^\n]*\n\s*WORKING_DIRECTORY "
                                      r"\$\{ORRISK_RUNTIME_DIR\}")

    def run_in_sandbox(self, lines):
        """Runs the commands in order with a scratch HOME, whose ~/.local/bin is on PATH."""
        self.assertTrue(any(l.startswith("cmake --install") for l in lines), lines)
        home = tempfile.mkdtemp(prefix="orrisk-readme-")
        try:
            env = dict(os.environ, HOME=home,
                       PATH=os.path.join(home, ".local", "bin") + os.pathsep + os.environ["PATH"])
            env.pop("MANPATH", None)
            outputs = {}
            for line in lines:
                run = subprocess.run(["bash", "-c", in_build(line)], cwd=home, env=env,
                                     capture_output=True, text=True)
                self.assertEqual(run.returncode, 0, "%s\n%s%s" % (line, run.stdout, run.stderr))
                outputs[line] = run.stdout
            self.check_outputs(home, outputs)
        finally:
            shutil.rmtree(home, ignore_errors=True)

    def check_outputs(self, home, outputs):
        for line, out in outputs.items():
            if line.startswith("man "):
                name = line.split()[-1].upper()
                self.assertRegex(out, r"^%s\(\d\)" % re.escape(name), line)
            elif line.startswith("orrisk-check "):
                self.assertEqual(out, "%s: the data is sound\n" % line.split()[1], line)
        for path in ("bin/orrisk", "bin/orrisk-check", "lib/orrisk/orrisk",
                     "share/orrisk/weapondata.txt"):
            self.assertTrue(os.path.isfile(os.path.join(home, ".local", path)), path)


class Contents(unittest.TestCase):
    def test_control_keys_are_the_keys_the_game_handles(self):
        input_module = source("src/game/input.cpp")
        symbols = {"MINUS": "-", "EQUALS": "=", "SPACE": "space", "ESCAPE": "esc"}
        found = re.findall(r"case SDLK_(\w+):|keys\[SDLK_(\w+)\]", input_module)
        handled = {symbols.get(name, name).lower() for pair in found for name in pair if name}
        rows = re.findall(r"^\| ([^|]*) \|", section("Controls"), re.M)
        listed = {key.lower() for row in rows for key in re.findall(r"`([^`]+)`", row)}
        self.assertEqual(listed, handled)

    def test_controls_table_is_the_list_the_game_shows(self):
        literal = r'(?:"(?:[^"\\]|\\.)*"\s*)+'
        entries = re.findall(r"\{(%s),\s*(%s)\}" % (literal, literal),
                             source("src/hud/controls_text.cpp"))

        def text(literals):
            return "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', literals)).replace('\\"', '"')

        in_game = [(text(key), text(effect)) for key, effect in entries]
        rows = re.findall(r"^\| (?!Input |---)([^|]*?) \| ([^|]*?) \|$", section("Controls"), re.M)
        in_readme = [(key.replace("`", ""), effect.replace("`", "")) for key, effect in rows]
        self.assertGreater(len(in_game), 10)
        self.assertEqual(in_readme, in_game)

    def test_named_files_exist(self):
        names = set(re.findall(r"[\w./-]*\w\.(?:txt|vs|fs|png|tga|ttf)\b", README))
        self.assertIn("weapondata.txt", names)
        missing = []
        for name in names:
            if "/" in name:
                found = os.path.exists(os.path.join(SOURCE_DIR, name))
            else:
                found = any(os.path.exists(os.path.join(d, name))
                            for d in (SOURCE_DIR, os.path.join(SOURCE_DIR, "assets"), RUNTIME_DIR))
            if not found:
                missing.append(name)
        self.assertEqual(missing, [])

    def test_each_table_lists_as_many_columns_as_the_game_reads(self):
        rules = re.findall(r'\{"(\w+\.txt)",\s*(\d+),', source("src/data/validation.cpp"))
        self.assertEqual(len(rules), 6)
        for file, columns in rules:
            table = re.findall(r"^\| (?!Column|---)", section(file), re.M)
            self.assertEqual(len(table), int(columns), file)


if __name__ == "__main__":
    unittest.main()
