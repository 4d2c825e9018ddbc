"""One version number: the newest release of the AppStream list is the CMake project's version,
and `orrisk --version` prints it and nothing else, without a window."""

import os
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

VERSION, METAINFO, GAME = sys.argv[1:4]


class Version(unittest.TestCase):
    def test_newest_appstream_release_is_the_project_version(self):
        releases = ElementTree.parse(METAINFO).getroot().findall("releases/release")
        self.assertTrue(releases, "no <release> in %s" % METAINFO)
        # Newest first, as AppStream lists them and as the package's changelog is made.
        dates = [release.get("date") for release in releases]
        self.assertEqual(dates, sorted(dates, reverse=True))
        self.assertEqual(releases[0].get("version"), VERSION)

    def test_game_prints_the_project_version(self):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        run = subprocess.run([GAME, "--version"], env=env, capture_output=True, text=True,
                             timeout=30)
        self.assertEqual((run.returncode, run.stdout, run.stderr), (0, VERSION + "\n", ""))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
