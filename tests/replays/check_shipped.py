"""Plays shipped.replay headless with the shipped data: a run recorded through the real game must
give the same world, digest by digest. Needs no display."""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RUNTIME_DIR = os.environ["ORRISK_RUNTIME_DIR"]


def main():
    run = subprocess.run([os.path.join(RUNTIME_DIR, "orrisk"), "--replay",
                          os.path.join(HERE, "shipped.replay"), "--headless"],
                         cwd=RUNTIME_DIR, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit("%s(status %d)\nThe shipped run no longer plays as it was recorded. If the change "
                 "means to alter play, re-record it: ORRISK_RUNTIME_DIR=%s python3 %s"
                 % (run.stderr, run.returncode, RUNTIME_DIR,
                    os.path.join(HERE, "record_shipped.py")))
    print(run.stdout, end="")


if __name__ == "__main__":
    main()
