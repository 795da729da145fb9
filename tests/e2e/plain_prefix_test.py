"""Text of the Windows build in a Wine prefix that registers no font of its
own, as a new user's prefix is: DirectWrite's collection has no Tahoma there,
only the fonts Wine finds on the system, and every text must still show.

    plain_prefix_test.py OUTPUT_DIR UI_SCENES_EXE

The prefix comes from HB_WINEPREFIX (scripts/wine-prefix.sh --plain makes it).
The text scene asks for Tahoma in nine alignments and three weights, the
rich text scene for the default family (Verdana) with Tahoma runs: each text
box must hold ink, the rich lines their runs where they belong. The shots
are saved as OUTPUT_DIR/<scene>.png.
"""

import argparse
import os
import sys
import traceback

import hbdriver as d
import scenes_test

WHITE = (255, 255, 255)


def check_text(shot):
    # Inside each outlined box (inset past the outline), white ink of "Ag".
    for row in range(3):
        for column in range(3):
            left, top = 10 + column * 130, 10 + row * 75
            area = (left + 2, top + 2, left + 118, top + 63)
            ink = d.bounding_box(shot, area, scenes_test.DARK)
            assert ink, f"no text in the box at {area}"
            assert ink[2] - ink[0] >= 8 and ink[3] - ink[1] >= 8, f"the text at {area} is {ink}"
    # The three weights under them.
    for weight in range(3):
        area = (10 + weight * 130, 240, 130 + weight * 130, 290)
        ink = d.bounding_box(shot, area, scenes_test.DARK)
        assert ink and ink[2] - ink[0] >= 25, f"no weight name in {area}: {ink}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("program")
    args = parser.parse_args()
    os.makedirs(args.output, exist_ok=True)
    failures = 0
    with d.virtual_display():
        for name, check in (("text", check_text), ("rich_text", lambda shot: scenes_test.check_rich_text(shot, "plain"))):
            try:
                shot = scenes_test.capture(args.program, name, os.path.join(args.output, f"{name}.png"))
                check(shot)
                print(f"ok    {name}")
            except Exception:  # noqa: BLE001 - every failure is reported and counted
                failures += 1
                print(f"FAIL  {name}")
                traceback.print_exc()
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
