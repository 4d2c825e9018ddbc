"""Missing or short weapon and ship tables end start-up with status 1 before the game starts.
Standard output ends with the game's written lines; the line naming the problem is on standard
error."""

import sys
import unittest

from harness import Game

FIRST_TWO_WEAPONS = "150 3 2000 10\n0 0 0 0.06\n"
ONE_SHIP = "# only the unused type\n0 0 0 30 10\n"


def run_until_exit(edit):
    """Starts the game after edit(game) changed its files; returns (status, stdout lines, stderr
    lines)."""
    with Game() as game:
        edit(game)
        game.start()
        status = game.wait_exit(timeout=60)
        return status, game.lines(), game.stderr().splitlines()


class StartupFailures(unittest.TestCase):
    def assert_refused(self, status, lines):
        self.assertEqual(status, 1, "\n".join(lines[-20:]))
        self.assertNotIn("Ver17", lines)
        self.assertNotIn("Done with that, now starting main loop", lines)

    def test_missing_weapon_table(self):
        status, lines, errors = run_until_exit(lambda g: g.remove_file("weapondata.txt"))
        self.assert_refused(status, lines)
        self.assertEqual(lines[-2:], ["loading weapondata.txt", "Error opening file"])
        self.assertIn("weapondata.txt: cannot be opened", errors)

    def test_missing_ship_table(self):
        status, lines, errors = run_until_exit(lambda g: g.remove_file("shipdata.txt"))
        self.assert_refused(status, lines)
        self.assertIn("Opening weapondata.txt", lines)
        self.assertEqual(lines[-2:], ["loading shipdata.txt", "Error opening file"])
        self.assertIn("shipdata.txt: cannot be opened", errors)

    def test_short_tables_are_refused_naming_the_file(self):
        for name, text in (("weapondata.txt", FIRST_TWO_WEAPONS), ("shipdata.txt", ONE_SHIP)):
            with self.subTest(name):
                status, lines, errors = run_until_exit(lambda g: g.write_file(name, text))
                self.assert_refused(status, lines)
                self.assertEqual(lines[-1], "Opening " + name)
                named = [l for l in errors if l.startswith(name + ":")]
                self.assertEqual(len(named), 1, errors)
                self.assertIn("rows found", named[0])


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
