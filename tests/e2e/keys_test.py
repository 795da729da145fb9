"""End-to-end tests of the installer driven by keys alone (xdotool key), on
a private Xvfb: a whole installation from Welcome to Finish, Cancel by Escape
with the question answered by keys, and the failure question answered by
keys; with the focus cue looked at pixel by pixel.

    keys_test.py INSTALLER HBPACK ARCHIVE WORK_DIR [SCENARIO...]

The focus cue is a dotted outline 4 pixels inside the focused wizard button,
in the light border colour. On Linux (cairo) the dots are checked exactly:
along each edge the pixels alternate between the dot colour and the button's
fill. Wine draws dotted strokes solid, so under Wine the edges are only
checked to carry the dot colour.
"""

import os
import shutil
import sys

import hbdriver as d
import wizard as w

INSET = 4


class Scenario:
    def __init__(self, installer, hbpack, archive, work, name):
        self.installer, self.hbpack, self.archive = installer, hbpack, archive
        self.name = name
        self.folder = os.path.join(work, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.shots = os.path.join(work, "screenshots")
        os.makedirs(self.shots, exist_ok=True)
        self.count = 0

    def installation(self):
        return w.Installation(self.installer, self.folder)

    def shot(self, window, label):
        self.count += 1
        d.window_shot(window, os.path.join(self.shots, f"{self.name}-{self.count:02d}-{label}.png"))


def cue_edges(shot, name):
    """The pixels of the four edges of where a button's focus cue runs."""
    left, top, right, bottom = w.BUTTON_BOXES[name]
    x0, y0, x1, y1 = left + INSET, top + INSET, right - INSET - 1, bottom - INSET - 1
    return [
        [shot.getpixel((x, y0)) for x in range(x0, x1 + 1)],
        [shot.getpixel((x, y1)) for x in range(x0, x1 + 1)],
        [shot.getpixel((x0, y)) for y in range(y0, y1 + 1)],
        [shot.getpixel((x1, y)) for y in range(y0, y1 + 1)],
    ]


def cue_problem(shot, name, windows):
    """None when the button shows the focus cue, else what is wrong."""
    for edge in cue_edges(shot, name):
        if windows:
            lit = sum(1 for p in edge if d.close_to(p, w.BORDER_HOVER, 3))
            if lit < len(edge) // 2:
                return f"{name}: {lit} of {len(edge)} edge pixels in the cue colour"
            continue
        for i, p in enumerate(edge):
            if p not in (w.BORDER_HOVER, w.BUTTON_ENABLED):
                return f"{name}: edge pixel {i} is {p}"
            if i > 0 and p == edge[i - 1]:
                return f"{name}: edge pixels {i - 1} and {i} are both {p}, not dotted"
    return None


def has_no_cue(shot, name):
    return all(d.close_to(p, w.BUTTON_ENABLED, 3) or d.close_to(p, w.BUTTON_DISABLED, 3)
               for edge in cue_edges(shot, name) for p in edge)


def wait_cue(window, name, windows, others=()):
    """Waits until the button shows the cue and the others show none; returns the shot."""
    last = []

    def check():
        shot = d.window_shot(window)
        problem = cue_problem(shot, name, windows)
        stray = [other for other in others if not has_no_cue(shot, other)]
        last[:] = [problem] if problem else [f"a cue on {other}" for other in stray]
        return shot if not last else None
    try:
        return d.poll(check, interval=0.1, what=f"the focus cue on {name}")
    except d.DriverError as error:
        raise d.DriverError(f"{error}: {'; '.join(last)}") from error


def wait_exit(program, installation):
    if installation.relaunches:
        d.poll(lambda: not installation.running_wizard_pids(), what="the wizard's process to end")
    else:
        code = program.wait(d.DEFAULT_TIMEOUT)
        assert code == 0, f"the installer ended with {code}: {program.text()}"


def scenario_install_by_keys(s):
    installation = s.installation()
    program = installation.start()
    window = d.wait_window(w.TITLE)
    shot = w.wait_page(window, 0)
    # No key yet: Next has the focus, but no cue shows.
    for name in ("back", "next", "cancel"):
        assert has_no_cue(shot, name), f"a focus cue on {name} before any key"
    d.key("Return", window_id=window)
    w.wait_page(window, 1)
    wait_cue(window, "next", installation.windows, others=("back", "cancel"))
    s.shot(window, "summary-next-focused")
    d.key("Tab", window_id=window)
    shot = wait_cue(window, "cancel", installation.windows, others=("back", "next"))
    cancel_with_cue = w.region(shot, w.BUTTON_BOXES["cancel"])
    d.key("shift+Tab", window_id=window)
    wait_cue(window, "next", installation.windows, others=("back", "cancel"))
    d.key("space", window_id=window)
    w.wait_page(window, 2)
    # "Cancel" with the focus, then "Finish" with the focus: the button's
    # pixels differ from Cancel's with the cue, and the cue is there. (Cancel
    # without the cue, as Next's focus left it, also differs: it is no answer.)
    last = []

    def finish_with_cue():
        shot = d.window_shot(window)
        last[:] = [cue_problem(shot, "cancel", installation.windows)]
        changed = w.region(shot, w.BUTTON_BOXES["cancel"]) != cancel_with_cue
        return shot if changed and last[0] is None else None
    try:
        done = d.poll(finish_with_cue, interval=0.1, what="the Finish button with the focus cue")
    except d.DriverError as error:
        raise d.DriverError(f"{error}: {last}") from error
    s.shot(window, "installed-finish-focused")
    names = w.installed_files(installation.target)
    expected = w.archive_listing(s.hbpack, s.archive)
    assert len(names) == len(expected), f"installed {len(names)} files, the pack has {len(expected)}"
    assert installation.recorded_folder() == installation.expected_recorded_folder()
    d.key("Escape", window_id=window)  # acts as Finish
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)


def scenario_cancel_by_escape(s):
    installation = s.installation()
    program = installation.start()
    window = d.wait_window(w.TITLE)
    w.wait_page(window, 0)
    d.key("Escape", window_id=window)
    confirm = d.wait_window(w.CONFIRM_TITLE)
    d.wait_pixel(confirm, 10, 10, w.POPUP_BACKGROUND)
    s.shot(confirm, "question-cancel-focused")
    d.key("Return", window_id=confirm)  # Cancel has the focus: keep going
    d.wait_no_window(w.CONFIRM_TITLE)
    d.key("Escape", window_id=window)
    confirm = d.wait_window(w.CONFIRM_TITLE)
    # The Return that answered went down in the question: its release and
    # character never pressed Next behind it, so the welcome page still shows
    # (no summary panel below the question, which covers the window's middle).
    below = d.window_shot(window).getpixel((175, 290))
    assert d.close_to(below, w.BACKGROUND, 3), f"the summary page shows behind the question: {below}"
    d.key("Escape", window_id=confirm)  # Escape answers as Cancel
    d.wait_no_window(w.CONFIRM_TITLE)
    d.key("Escape", window_id=window)
    confirm = d.wait_window(w.CONFIRM_TITLE)
    d.key("Tab", "space", window_id=confirm)  # OK
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)
    assert not w.installed_files(installation.target)


def scenario_failure_by_keys(s):
    installation = s.installation()
    blocker = os.path.join(installation.work, "not-a-folder")
    with open(blocker, "w") as f:
        f.write("in the way")
    installation.target = os.path.join(blocker, "library")
    program = installation.start()
    window = d.wait_window(w.TITLE)
    w.wait_page(window, 0)
    d.key("Return", window_id=window)
    shot = w.wait_page(window, 1)
    before = w.region(shot, w.BUTTON_BOXES["cancel"])
    d.key("Return", window_id=window)
    question = d.wait_window(w.FAILURE_TITLE)
    d.wait_pixel(question, 10, 10, w.POPUP_BACKGROUND)
    d.key("Return", window_id=question)  # Yes has the focus: a new run, which fails again
    d.wait_no_window(w.FAILURE_TITLE)
    question = d.wait_window(w.FAILURE_TITLE)
    d.key("Escape", window_id=question)  # No
    d.wait_no_window(w.FAILURE_TITLE)
    w.wait_change(window, w.BUTTON_BOXES["cancel"], before, what="the Finish button")
    wait_cue(window, "cancel", installation.windows, others=("back", "next"))
    s.shot(window, "failed-finish-focused")
    d.key("Return", window_id=window)  # the focused Finish
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)


SCENARIOS = [scenario_install_by_keys, scenario_cancel_by_escape, scenario_failure_by_keys]


def main():
    installer, hbpack, archive, work = sys.argv[1:5]
    only = sys.argv[5:] or None
    chosen = [(scenario.__name__.removeprefix("scenario_"), scenario) for scenario in SCENARIOS]
    failed = d.run_scenarios([
        (name, lambda name=name, scenario=scenario: scenario(Scenario(installer, hbpack, archive, work, name)))
        for name, scenario in chosen if not only or name in only])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
