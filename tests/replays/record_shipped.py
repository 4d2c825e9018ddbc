"""Re-records shipped.replay, the run that replay.shipped plays headless, with the shipped data:
for a change that means to alter play. Needs ORRISK_RUNTIME_DIR (the build's runtime directory)
and Xvfb; the run is the scripted one of the replay end-to-end test."""

import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from harness import Game  # noqa: E402
from test_replay import play_and_quit  # noqa: E402


def main():
    with Game() as game:
        play_and_quit(game, "--record", "shipped.replay")
        shutil.copyfile(game.path("shipped.replay"), os.path.join(HERE, "shipped.replay"))
    print("recorded %s" % os.path.join(HERE, "shipped.replay"))


if __name__ == "__main__":
    main()
