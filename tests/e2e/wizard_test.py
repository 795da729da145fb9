"""End-to-end tests of the installer, driven only through real clicks at the
buttons' screen positions, like a person would, on a private Xvfb.

    wizard_test.py INSTALLER HELD_INSTALLER HBPACK ARCHIVE WORK_DIR [SCENARIO...]

INSTALLER is tidewater-kit-installer (Linux) or tidewater-kit-installer.exe
(run under Wine, started without "/UAC" so that it relaunches itself).
HELD_INSTALLER is the test build whose installations wait while a file
exists, for the scenarios that act during an installation.
HBPACK lists ARCHIVE (the demo pack the installer embeds) to check what was
installed. Screenshots of every state go to WORK_DIR/screenshots.
"""

import os
import shutil
import sys

import hbdriver as d
import wizard as w


class Scenario:
    def __init__(self, installer, held, hbpack, archive, work, name):
        self.installer, self.held, self.hbpack, self.archive = installer, held, hbpack, archive
        self.name = name
        self.folder = os.path.join(work, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.shots = os.path.join(work, "screenshots")
        os.makedirs(self.shots, exist_ok=True)
        for old in os.listdir(self.shots):
            if old.startswith(f"{name}-"):
                os.remove(os.path.join(self.shots, old))
        self.count = 0

    def installation(self, target=None):
        return w.Installation(self.installer, self.folder, target)

    def held_installation(self):
        """The test build, its installation held until release() is called."""
        installation = w.Installation(self.held, self.folder, relaunches=False)
        hold = os.path.join(self.folder, "hold")
        with open(hold, "w") as f:
            f.write("held")
        installation.extra_environment["HB_HOLD_FILE"] = w.windows_path(hold) if installation.windows else hold
        return installation, lambda: os.remove(hold)

    def shot(self, window, label):
        self.count += 1
        d.window_shot(window, os.path.join(self.shots, f"{self.name}-{self.count:02d}-{label}.png"))

    def screen(self, label):
        self.count += 1
        d.screenshot(os.path.join(self.shots, f"{self.name}-{self.count:02d}-{label}.png"))


def wait_exit(program, installation, timeout=d.DEFAULT_TIMEOUT):
    """Waits until the wizard's process has ended (under Wine, the relaunched one)."""
    if installation.relaunches:
        d.poll(lambda: not installation.running_wizard_pids(), timeout=timeout, what="the wizard's process to end")
    else:
        code = program.wait(timeout)
        assert code == 0, f"the installer ended with {code}: {program.text()}"


def check_installed(s, installation):
    expected = w.archive_listing(s.hbpack, s.archive)
    files = w.installed_files(installation.target)
    names = sorted(os.path.relpath(f, installation.target).replace(os.sep, "/") for f in files)
    assert names == sorted(expected), f"installed {len(names)} files, the pack has {len(expected)}"
    for name, (size, written) in expected.items():
        path = os.path.join(installation.target, name)
        info = os.stat(path)
        assert info.st_size == size, f"{name}: {info.st_size} bytes, expected {size}"
        assert int(info.st_mtime) == written, f"{name}: last written {int(info.st_mtime)}, expected {written}"
    folders = sorted({os.path.dirname(n) for n in names})
    assert len(folders) == 2 and len({p for n in names for p in _parents(n)}) == 4, folders
    recorded = installation.recorded_folder()
    assert recorded == installation.expected_recorded_folder(), f"recorded {recorded!r}"


def _parents(name):
    parts = name.split("/")[:-1]
    return ["/".join(parts[:i]) for i in range(1, len(parts) + 1)]


def scenario_install(s):
    installation = s.installation()
    program = installation.start()
    window = d.wait_window(w.TITLE)
    shot = w.wait_page(window, 0)
    s.shot(window, "welcome")
    # The pointer over Next lights its border.
    d.move_pointer(*w.client_point(window, w.NEXT))
    d.move_pointer(*w.client_point(window, (w.NEXT[0] + 2, w.NEXT[1])))
    d.wait_pixel(window, 290, 320, w.BORDER_HOVER, tolerance=3)
    w.click(window, w.NEXT)
    w.wait_page(window, 1)
    s.shot(window, "summary")
    w.click(window, w.BACK)
    w.wait_page(window, 0)
    w.click(window, w.NEXT)
    w.wait_page(window, 1)
    before = w.region(d.window_shot(window), w.BUTTON_BOXES["cancel"])
    w.click(window, w.NEXT)
    w.wait_page(window, 2)
    # "Cancel" turns into "Finish" once the installation has succeeded.
    done = w.wait_change(window, w.BUTTON_BOXES["cancel"], before, what="the Finish button")
    assert not w.check_layout(done, 2), w.check_layout(done, 2)
    s.shot(window, "installed")
    check_installed(s, installation)
    w.click(window, w.CANCEL)
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)


def make_unwritable(installation):
    """A target folder that cannot be made: its parent is a plain file."""
    blocker = os.path.join(installation.work, "not-a-folder")
    with open(blocker, "w") as f:
        f.write("in the way")
    installation.target = os.path.join(blocker, "library")


def scenario_failure_retry_then_give_up(s):
    installation = s.installation()
    make_unwritable(installation)
    program, window = w.start_at_page(installation, 1)
    w.click(window, w.NEXT)
    question = d.wait_window(w.FAILURE_TITLE)
    d.wait_pixel(question, 10, 10, w.POPUP_BACKGROUND)
    s.shot(window, "failure-question")
    yes, no = w.popup_buttons(question)
    w.click(question, yes)  # a new run, which fails again
    d.wait_no_window(w.FAILURE_TITLE)
    question = d.wait_window(w.FAILURE_TITLE)
    _, no = w.popup_buttons(question)
    before = w.region(d.window_shot(window), w.BUTTON_BOXES["cancel"])
    w.click(question, no)
    d.wait_no_window(w.FAILURE_TITLE)
    w.wait_change(window, w.BUTTON_BOXES["cancel"], before, what="the Finish button")
    s.shot(window, "failed")
    # Only a successful installation records its folder.
    assert installation.recorded_folder() is None
    w.click(window, w.CANCEL)
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)


def scenario_cancel_during_installation(s):
    installation, release = s.held_installation()
    program, window = w.start_at_page(installation, 2)
    s.shot(window, "installing")
    # Cancel, then Cancel: nothing changes.
    w.click(window, w.CANCEL)
    confirm = d.wait_window(w.CONFIRM_TITLE)
    d.wait_pixel(confirm, 10, 10, w.POPUP_BACKGROUND)
    s.shot(window, "cancel-question")
    _, cancel = w.popup_buttons(confirm)
    w.click(confirm, cancel)
    d.wait_no_window(w.CONFIRM_TITLE)
    w.wait_page(window, 2)
    # Cancel, then OK: the window closes; the process waits for the worker.
    w.click(window, w.CANCEL)
    confirm = d.wait_window(w.CONFIRM_TITLE)
    ok, _ = w.popup_buttons(confirm)
    w.click(confirm, ok)
    d.wait_no_window(w.TITLE)
    assert program.running(), "the process ended while its worker was held"
    assert not w.installed_files(installation.target), "files were written while the run was held"
    release()
    wait_exit(program, installation)
    assert program.wait() == 0
    assert len(w.installed_files(installation.target)) == 68, "the run did not finish before the process ended"


def scenario_close_box_on_each_page(s):
    for page in range(3):
        installation = s.installation(os.path.join(s.folder, f"library-{page}"))
        program, window = w.start_at_page(installation, page)
        d.close_window(window)
        d.wait_no_window(w.TITLE)
        wait_exit(program, installation)


SCENARIOS = [scenario_install, scenario_failure_retry_then_give_up, scenario_cancel_during_installation,
             scenario_close_box_on_each_page]


def main():
    installer, held, hbpack, archive, work = sys.argv[1:6]
    only = sys.argv[6:] or None
    chosen = [(scenario.__name__.removeprefix("scenario_"), scenario) for scenario in SCENARIOS]
    failed = d.run_scenarios([
        (name, lambda name=name, scenario=scenario: scenario(Scenario(installer, held, hbpack, archive, work, name)))
        for name, scenario in chosen if not only or name in only], program=installer)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
