"""End-to-end tests of the installer's switches on a private Xvfb: very
silent and silent installs, a bad switch, help, a second instance while one
runs, a declined elevation (Windows), a start without a display (Linux), the
failure question and the installing page's progress bar.

    unattended_test.py INSTALLER HELD_INSTALLER DECLINING_INSTALLER HBPACK ARCHIVE WORK_DIR [SCENARIO...]

DECLINING_INSTALLER is the Windows test build whose elevation is always
declined, or "-" on Linux. Under Wine a process's exit code reaches Linux cut
to its low 8 bits, so Windows codes are compared that way.
"""

import os
import shutil
import sys

import hbdriver as d
import wizard as w

# (Windows code, Linux code) of each outcome the scenarios see.
SUCCESS = (0, 0)
CANCELLED = (1602, None)
ANOTHER_RUNNING = (1618, 4)
BAD_COMMAND_LINE = (1639, 2)
NO_DISPLAY = (None, 3)
BAD_DESTINATION = (267, 14)

BAR = (0, 180, 300, 14)  # the progress bar on the installing page (page coordinates)
PAGE = (170, 50)         # where the page sits in the window
BAR_TRACK = d.rgb(0.118, 0.118, 0.118)
BAR_FILL = d.rgb(0.784, 0.784, 0.784)


class Scenario:
    def __init__(self, installer, held, declining, hbpack, archive, work, name):
        self.installer, self.held, self.declining = installer, held, declining
        self.hbpack, self.archive = hbpack, archive
        self.name = name
        self.folder = os.path.abspath(os.path.join(work, name))  # the programs start in other folders
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.shots = os.path.join(work, "screenshots")
        os.makedirs(self.shots, exist_ok=True)
        self.count = 0

    def installation(self, program=None, target=None):
        # Only the real installer relaunches itself; the test builds show their wizard at once.
        installation = w.Installation(program or self.installer, self.folder, target,
                                      relaunches=program in (None, self.installer))
        installation.forget_recorded_folder()
        return installation

    def shot(self, window, label):
        self.count += 1
        d.window_shot(window, os.path.join(self.shots, f"{self.name}-{self.count:02d}-{label}.png"))


def switch(installation, name, value=None):
    """The switch in the program's spelling: /NAME[=value] or --name[=value]."""
    if installation.windows:
        spelled = {"silent": "/SILENT", "very-silent": "/VERYSILENT", "dir": "/DIR", "log": "/LOG",
                   "help": "/?"}[name]
        if value is not None:
            return f"{spelled}={w.windows_path(value) if os.path.isabs(value) else value}"
        return spelled
    return f"--{name}" if value is None else f"--{name}={value}"


def expected(installation, codes):
    code = codes[0] if installation.windows else codes[1]
    return code & 0xFF if installation.windows else code


def run(installation, *switches, env=None, timeout=d.DEFAULT_TIMEOUT):
    program = d.launch([installation.program, *switches], env=env or installation.environment(),
                       cwd=installation.work)
    return program, program.wait(timeout)


def check_installed(s, installation):
    listing = w.archive_listing(s.hbpack, s.archive)
    names = sorted(os.path.relpath(f, installation.target).replace(os.sep, "/")
                   for f in w.installed_files(installation.target))
    assert names == sorted(listing), f"installed {len(names)} files, the pack has {len(listing)}"
    for name, (size, written) in listing.items():
        info = os.stat(os.path.join(installation.target, name))
        assert info.st_size == size and int(info.st_mtime) == written, name
    recorded = installation.recorded_folder()
    assert recorded == installation.expected_recorded_folder(), f"recorded {recorded!r}"


def scenario_very_silent(s):
    installation = s.installation()
    # Relative to the working folder: made absolute before the relaunch.
    program, code = run(installation, switch(installation, "very-silent"),
                        switch(installation, "dir", "library"), switch(installation, "log", "install.log"))
    assert code == 0, f"ended with {code}: {program.text()}"
    assert not d.find_windows(w.TITLE), "a window was shown"
    check_installed(s, installation)
    with open(os.path.join(installation.work, "install.log"), encoding="utf-8") as f:
        log = f.read()
    for line in ("Tidewater Kit Pack Installer ", "Switches: very silent", "(given by the destination switch)",
                 "Outcome: installed", "Exit code: 0 after "):
        assert line in log, f"{line!r} missing from the log:\n{log}"


def scenario_very_silent_failure(s):
    installation = s.installation()
    missing = os.path.join(installation.work, "missing")
    program, code = run(installation, switch(installation, "very-silent"), switch(installation, "dir", missing))
    assert code == expected(installation, BAD_DESTINATION), f"ended with {code}: {program.text()}"
    assert not os.path.exists(missing)
    assert installation.recorded_folder() is None  # only a successful run records its folder


def scenario_silent(s):
    installation = s.installation()
    program = d.launch([installation.program, switch(installation, "silent")], env=installation.environment(),
                       cwd=installation.work)
    d.wait_window(w.TITLE)  # the installing page shows; the pack is small, so it may be gone at once
    code = program.wait()
    assert code == 0, f"ended with {code}: {program.text()}"
    d.wait_no_window(w.TITLE)
    check_installed(s, installation)


def scenario_bad_switch(s):
    installation = s.installation()
    if installation.windows:
        # With /VERYSILENT no box waits for a person.
        _, code = run(installation, "/VERYSILENT", "/BOGUS")
        assert code == expected(installation, BAD_COMMAND_LINE), code
        program = d.launch([installation.program, "/BOGUS"], env=installation.environment(), cwd=installation.work)
        box = d.wait_window(w.TITLE)
        s.shot(box, "bad-switch")
        d.key("Return", window_id=box)
        code = program.wait()
    else:
        program, code = run(installation, "--bogus")
        assert "Unknown option: --bogus" in program.text(), program.text()
    assert code == expected(installation, BAD_COMMAND_LINE), code
    assert not w.installed_files(installation.target), "a refused line installed files"


def scenario_help(s):
    installation = s.installation()
    if installation.windows:
        program = d.launch([installation.program, "/?"], env=installation.environment(), cwd=installation.work)
        box = d.wait_window(w.TITLE)
        s.shot(box, "help")
        d.key("Return", window_id=box)
        code = program.wait()
    else:
        program, code = run(installation, "--help")
        for name in ("--silent", "--very-silent", "--dir=FOLDER", "--log=FILE", "--help"):
            assert name in program.text(), program.text()
    assert code == 0, code
    assert not w.installed_files(installation.target)


def scenario_second_instance(s):
    installation = s.installation(program=s.held)
    hold = os.path.join(installation.work, "hold")
    with open(hold, "w") as f:
        f.write("held")
    installation.extra_environment["HB_HOLD_FILE"] = w.windows_path(hold) if installation.windows else hold
    first = d.launch([installation.program, switch(installation, "silent")], env=installation.environment(),
                     cwd=installation.work)
    window = d.wait_window(w.TITLE)
    # The page shows an empty bar while the run is held.
    d.wait_pixel(window, PAGE[0] + BAR[0] + 5, PAGE[1] + BAR[1] + 7, BAR_TRACK, tolerance=3)
    s.shot(window, "held")
    _, code = run(installation, switch(installation, "very-silent"))
    assert code == expected(installation, ANOTHER_RUNNING), f"the second start ended with {code}"
    assert first.running()
    os.remove(hold)
    code = first.wait()
    assert code == 0, f"the held run ended with {code}: {first.text()}"
    check_installed(s, installation)


def scenario_bar_and_failure_question(s):
    installation = s.installation(program=s.held)
    hold = os.path.join(installation.work, "hold")
    with open(hold, "w") as f:
        f.write("held")
    installation.extra_environment["HB_HOLD_FILE"] = w.windows_path(hold) if installation.windows else hold
    # A plain file where the folder goes: the run fails once released.
    blocker = os.path.join(installation.work, "not-a-folder")
    with open(blocker, "w") as f:
        f.write("in the way")
    installation.target = os.path.join(blocker, "library")
    program, window = w.start_at_page(installation, 2)
    d.wait_pixel(window, PAGE[0] + BAR[0] + 5, PAGE[1] + BAR[1] + 7, BAR_TRACK, tolerance=3)
    s.shot(window, "bar-held")
    os.remove(hold)
    question = d.wait_window(w.FAILURE_TITLE)
    d.wait_pixel(question, 10, 10, w.POPUP_BACKGROUND)
    s.shot(question, "failure-question")
    # The reason makes the question taller than the two lines it had.
    assert d.geometry(question).height > 140, d.geometry(question).height
    print("failure question height", d.geometry(question).height)
    _, no = w.popup_buttons(question)
    w.click(question, no)
    d.wait_no_window(w.FAILURE_TITLE)
    d.close_window(window)
    d.wait_no_window(w.TITLE)
    program.wait()


def scenario_bar_full_after_success(s):
    installation = s.installation(program=s.held)
    program, window = w.start_at_page(installation, 2)
    d.wait_pixel(window, PAGE[0] + BAR[0] + BAR[2] - 5, PAGE[1] + BAR[1] + 7, BAR_FILL, tolerance=3)
    s.shot(window, "bar-full")
    w.click(window, w.CANCEL)  # Finish
    d.wait_no_window(w.TITLE)
    program.wait()


def scenario_declined_elevation(s):
    if s.declining == "-":
        raise d.Skip("Linux does not relaunch")
    installation = s.installation(program=s.declining)
    _, code = run(installation, "/VERYSILENT")
    assert code == expected(installation, CANCELLED), f"silent: {code}"
    _, code = run(installation)
    assert code == 1, f"without switches: {code}"
    assert not w.installed_files(installation.target)


def scenario_no_display(s):
    installation = s.installation()
    if installation.windows:
        raise d.Skip("Windows always has a display")
    env = installation.environment()
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
        env.pop(name, None)
    program, code = run(installation, env=env)
    assert code == NO_DISPLAY[1], f"ended with {code}: {program.text()}"
    assert "no display is available" in program.text() and "--very-silent" in program.text(), program.text()
    # Very silent needs none.
    program, code = run(installation, "--very-silent", env=env)
    assert code == 0, f"ended with {code}: {program.text()}"


def scenario_deep_folder(s):
    """The installer kept in a folder whose path is longer than 260
    characters still relaunches itself and installs."""
    installation = s.installation()
    if not installation.windows:
        raise d.Skip("Linux does not relaunch")
    folder = installation.work
    for level in range(1, 13):
        folder = os.path.join(folder, f"a_folder_name_of_twenty_five_chars_{level}")
    os.makedirs(folder)
    deep = os.path.join(folder, os.path.basename(installation.program))
    shutil.copy(installation.program, deep)
    assert len(deep) >= 300
    installation.program = deep
    program, code = run(installation, "/VERYSILENT", switch(installation, "dir", installation.target))
    assert code == 0, f"ended with {code}: {program.text()}"
    check_installed(s, installation)


# Scenarios that share one display (and under Wine one session, whose start
# is the slow part): (name, [scenarios run one after another]).
GROUPS = [
    ("unattended_installs", [scenario_very_silent, scenario_very_silent_failure, scenario_silent,
                             scenario_deep_folder]),
    ("refused_starts", [scenario_bad_switch, scenario_help, scenario_declined_elevation, scenario_no_display]),
    ("second_instance", [scenario_second_instance]),
    ("bar_and_reason", [scenario_bar_and_failure_question, scenario_bar_full_after_success]),
]


def run_group(scenarios, args):
    """Runs each scenario of a group; a skip of one does not stop the others."""
    skipped = []
    for scenario in scenarios:
        name = scenario.__name__.removeprefix("scenario_")
        try:
            scenario(Scenario(*args, name))
        except d.Skip as reason:
            skipped.append(f"{name}: {reason}")
        print(f"  {'skip' if skipped and skipped[-1].startswith(name + ':') else 'ok  '}  {name}")
    if len(skipped) == len(scenarios):
        raise d.Skip("; ".join(skipped))


def main():
    args = sys.argv[1:7]
    only = sys.argv[7:] or None
    failed = d.run_scenarios([
        (name, lambda scenarios=scenarios: run_group(scenarios, args))
        for name, scenarios in GROUPS
        if not only or name in only or any(f.__name__.removeprefix("scenario_") in only for f in scenarios)])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
