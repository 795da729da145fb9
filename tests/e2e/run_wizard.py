"""Walks the installer's wizard through its pages like a person would, on a
private Xvfb, saving a screenshot of every page; then prints what was
installed. Used by scripts/run.sh on a machine without a display.

    run_wizard.py INSTALLER OUTPUT_DIR

The pack goes into OUTPUT_DIR/library; the installer's settings stay in
OUTPUT_DIR (Linux) or in the build's Wine prefix (Windows).
"""

import os
import sys

import hbdriver as d
import wizard as w


def main():
    installer, output = sys.argv[1], os.path.abspath(sys.argv[2])
    installation = w.Installation(installer, output)
    with d.virtual_display(program=installer):
        program = installation.start()
        window = d.wait_window(w.TITLE)
        steps = [("1-welcome", 0), ("2-summary", 1)]
        for name, page in steps:
            w.wait_page(window, page)
            d.window_shot(window, os.path.join(output, f"{name}.png"))
            print(f"  page {page}: {name}.png")
            before = w.region(d.window_shot(window), w.BUTTON_BOXES["cancel"])
            w.click(window, w.NEXT)
        w.wait_page(window, 2)
        done = w.wait_change(window, w.BUTTON_BOXES["cancel"], before, what="the Finish button")
        done.save(os.path.join(output, "3-installed.png"))
        print("  page 2: 3-installed.png")
        w.click(window, w.CANCEL)
        d.wait_no_window(w.TITLE)
        if installation.windows:
            d.poll(lambda: not installation.running_wizard_pids(), what="the installer to end")
        else:
            program.wait()
    files = w.installed_files(installation.target)
    folders = [root for root, _dirs, _names in os.walk(installation.target)][1:]
    print(f"  installed into {installation.target}: {len(folders)} folders, {len(files)} files, "
          f"{sum(os.path.getsize(f) for f in files)} bytes")
    print(f"  recorded folder: {installation.recorded_folder()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
