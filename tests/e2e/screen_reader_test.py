"""End-to-end test of the Windows installer as a screen reader sees it, on a
private Xvfb under Wine: the installer runs as a person starts it, and
screen_reader_client (a program of its own, in its own process) reads the
wizard's accessible tree, answers the exit question and installs the pack by
the buttons' default actions alone - no mouse, no keys - with a WinEvent
hook watching the notifications. Then the installed files are checked
against the pack.

    screen_reader_test.py INSTALLER CLIENT HBPACK ARCHIVE WORK_DIR
"""

import os
import shutil
import sys

import hbdriver as d
import wizard as w


def scenario_install_by_default_actions(installer, client, hbpack, archive, work):
    folder = os.path.abspath(os.path.join(work, "install_by_default_actions"))
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    installation = w.Installation(installer, folder)
    installation.start()
    window = d.wait_window(w.TITLE)
    w.wait_page(window, 0)
    reader = d.launch([client], env=installation.environment(), cwd=folder)
    code = reader.wait(d.DEFAULT_TIMEOUT)
    print(reader.text())
    assert code == 0, f"the screen reader client ended with {code}"
    d.wait_no_window(w.TITLE)
    d.poll(lambda: not installation.running_wizard_pids(), what="the wizard's process to end")
    names = w.installed_files(installation.target)
    expected = w.archive_listing(hbpack, archive)
    assert len(names) == len(expected), f"installed {len(names)} files, the pack has {len(expected)}"
    assert installation.recorded_folder() == installation.expected_recorded_folder()


def main():
    installer, client, hbpack, archive, work = sys.argv[1:6]
    failed = d.run_scenarios([
        ("install_by_default_actions",
         lambda: scenario_install_by_default_actions(installer, client, hbpack, archive, work))],
        program=installer)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
