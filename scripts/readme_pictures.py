#!/usr/bin/env python3
"""Copies the wizard's pictures for the README from a test run's screenshots:
every page and pop-up, as the end-to-end tests saw them on Linux and under
Wine, into docs/pictures/.

    scripts/readme_pictures.py [BUILD_DIR]

BUILD_DIR defaults to build/; the screenshots are those of the installer_e2e
test of the linux-debug and windows presets.
"""

import glob
import os
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
STATES = ["welcome", "summary", "installing", "cancel-question", "installed", "failure-question", "failed"]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    output = os.path.join(ROOT, "docs", "pictures")
    os.makedirs(output, exist_ok=True)
    for target, preset in (("linux", "linux-debug"), ("windows", "windows")):
        shots = os.path.join(build, preset, "e2e", "installer", "screenshots")
        for state in STATES:
            found = sorted(glob.glob(os.path.join(shots, f"*-{state}.png")))
            if not found:
                print(f"missing: {target} {state} (run the {preset} installer_e2e test first)")
                continue
            picture = Image.open(found[0]).convert("RGB")
            destination = os.path.join(output, f"{target}-{state}.png")
            picture.save(destination, optimize=True)
            print(f"{destination}: {picture.size[0]} x {picture.size[1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
