"""End-to-end tests of the installer's switches on a private Xvfb: very
silent and silent installs, a 324-character destination read back by the
next start, a bad switch, help, a second instance while one runs (silent:
refused; interactive: the running wizard comes to the front), a declined
elevation (Windows), a start without a display and one where no folder is
found (Linux), the failure question and the installing page's progress bar
moving on a large pack held part way.

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
    program, code = run(installation, w.switch(installation, "very-silent"),
                        w.switch(installation, "dir", "library"), w.switch(installation, "log", "install.log"))
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
    program, code = run(installation, w.switch(installation, "very-silent"), w.switch(installation, "dir", missing))
    assert code == w.expected(installation, BAD_DESTINATION), f"ended with {code}: {program.text()}"
    assert not os.path.exists(missing)
    assert installation.recorded_folder() is None  # only a successful run records its folder


def scenario_long_destination(s):
    """A destination of 324 characters is installed into and recorded whole;
    the next start without a destination reads it back and installs there
    again, before the variable, which names another folder."""
    installation = s.installation()
    length = 324 - (2 if installation.windows else 0)  # "Z:" comes before the Linux path under Wine
    folder = os.path.join(installation.work, "long")
    while len(folder) < length:
        need = length - len(folder)
        folder += "/" + "x" * (need - 1 if need <= 61 else 59)
    os.makedirs(folder)
    installation.target = folder
    # winepath cuts a path at 260 characters; Z: is the Linux root.
    native = "Z:" + folder.replace("/", "\\") if installation.windows else folder
    assert len(native) == 324, len(native)
    destination = f"/DIR={native}" if installation.windows else f"--dir={folder}"
    program, code = run(installation, w.switch(installation, "very-silent"), destination)
    assert code == 0, f"ended with {code}: {program.text()}"
    assert len(w.installed_files(folder)) == len(w.archive_listing(s.hbpack, s.archive))
    assert installation.recorded_folder() == native, f"recorded {installation.recorded_folder()!r}"

    elsewhere = os.path.join(installation.work, "elsewhere")
    os.makedirs(elsewhere)
    installation.extra_environment["ORRERY_USER_PATH"] = w.windows_path(elsewhere) if installation.windows else elsewhere
    log = os.path.join(installation.work, "again.log")
    program, code = run(installation, w.switch(installation, "very-silent"), w.switch(installation, "log", log))
    assert code == 0, f"the next start ended with {code}: {program.text()}"
    with open(log, encoding="utf-8") as f:
        text = f.read()
    assert f"Destination: {native} (the stored value)" in text, text
    assert not os.listdir(elsewhere), "the next start installed where the variable points"


def scenario_silent(s):
    installation = s.installation()
    program = d.launch([installation.program, w.switch(installation, "silent")], env=installation.environment(),
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
        assert code == w.expected(installation, BAD_COMMAND_LINE), code
        program = d.launch([installation.program, "/BOGUS"], env=installation.environment(), cwd=installation.work)
        box = d.wait_window(w.TITLE)
        s.shot(box, "bad-switch")
        d.key("Return", window_id=box)
        code = program.wait()
    else:
        program, code = run(installation, "--bogus")
        assert "Unknown option: --bogus" in program.text(), program.text()
    assert code == w.expected(installation, BAD_COMMAND_LINE), code
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
    first = d.launch([installation.program, w.switch(installation, "silent")], env=installation.environment(),
                     cwd=installation.work)
    window = d.wait_window(w.TITLE)
    # The page shows an empty bar while the run is held.
    d.wait_pixel(window, PAGE[0] + BAR[0] + 5, PAGE[1] + BAR[1] + 7, BAR_TRACK, tolerance=3)
    s.shot(window, "held")
    _, code = run(installation, w.switch(installation, "very-silent"))
    assert code == w.expected(installation, ANOTHER_RUNNING), f"the second start ended with {code}"
    assert first.running()
    check_second_start_raises(s, installation, window)
    os.remove(hold)
    code = first.wait()
    assert code == 0, f"the held run ended with {code}: {first.text()}"
    check_installed(s, installation)


def check_second_start_raises(s, installation, window):
    """With another program's window in front, an interactive start of the
    installer brings the running wizard to the front and ends: on Windows
    with 0 (the first instance raises it), on Linux with 4 (the running
    wizard is asked through the lock's FIFO). Wine 8 passes a foreground
    change made by SetForegroundWindow on to the window manager neither as an
    activation nor as a restack, so under Wine only the end of the second
    start is checked."""
    from driver_test import ProbeWindow
    other = ProbeWindow("another program")
    try:
        d.focus(other.window.id)
        d.poll(lambda: d.active_window() == other.window.id, what="the other program's window to be active")
        program = d.launch([s.installer], env=installation.environment(), cwd=installation.work)
        code = program.wait()
        assert code == (0 if installation.windows else ANOTHER_RUNNING[1]), f"ended with {code}: {program.text()}"
        if not installation.windows:
            d.poll(lambda: d.active_window() == window, what="the running wizard to come to the front")
            s.shot(window, "raised")
    finally:
        other.close()


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


# The large pack the bar is watched on: files of one size, so that the part
# written after N files is N / LARGE_FILES of the pack; the run holds after
# each of HOLD_POINTS files.
LARGE_FILES = 160
LARGE_FILE_BYTES = 48 * 1024
HOLD_POINTS = (40, 100)


def make_large_pack(s, installation):
    """Packs LARGE_FILES files of random bytes (nothing to compress) in a few
    folders with `hbpack create`; returns the archive's path."""
    import random
    source = os.path.join(s.folder, "large-source")
    chance = random.Random(19)
    for number in range(LARGE_FILES):
        folder = os.path.join(source, "Halbrook", f"set{number % 4}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, f"asset{number:03d}.orx"), "wb") as f:
            f.write(chance.randbytes(LARGE_FILE_BYTES))
    archive = os.path.join(s.folder, "large.hbp")
    native = w.windows_path if installation.windows else (lambda path: path)
    program = d.launch([s.hbpack, "create", native(source), native(archive)])
    assert program.wait(120) == 0, program.text()
    return archive


def bar_fill_width(shot):
    """The filled part of the bar in pixels: its light pixels along the middle row."""
    y = PAGE[1] + BAR[1] + BAR[3] // 2
    left = PAGE[0] + BAR[0] + 1
    return sum(1 for x in range(left, left + BAR[2] - 2) if d.close_to(shot.getpixel((x, y)), BAR_FILL, 3))


def wait_bar(window, width, what):
    """Waits until the bar's fill is width pixels wide (one off for a blended edge)."""
    def check():
        shot = d.window_shot(window)
        return shot if abs(bar_fill_width(shot) - width) <= 1 else None
    return d.poll(check, interval=0.1, what=f"the bar {what} ({width} px filled)")


def scenario_bar_moving(s):
    """A large pack held part way twice: the bar's filled part grows from one
    hold to the next as the part of the pack written, and is full at the end."""
    installation = s.installation(program=s.held)
    archive = make_large_pack(s, installation)
    native = w.windows_path if installation.windows else (lambda path: path)
    hold = os.path.join(installation.work, "hold")  # the run starts at once: no file of this name
    for files in HOLD_POINTS:
        with open(f"{hold}-{files}", "w") as f:
            f.write("held")
    installation.extra_environment.update({"HB_PACK_FILE": native(archive), "HB_HOLD_FILE": native(hold),
                                           "HB_HOLD_AFTER": ",".join(str(n) for n in HOLD_POINTS)})
    program, window = w.start_at_page(installation, 2)
    inner = BAR[2] - 2
    widths = []
    for files in HOLD_POINTS:
        shot = wait_bar(window, files * inner // LARGE_FILES, f"held after {files} files")
        s.shot(window, f"bar-after-{files}-files")
        widths.append(bar_fill_width(shot))
        os.remove(f"{hold}-{files}")
    shot = wait_bar(window, inner, "full")
    s.shot(window, "bar-full")
    widths.append(bar_fill_width(shot))
    assert 0 < widths[0] < widths[1] < widths[2], f"the bar did not grow: {widths}"
    w.click(window, w.CANCEL)  # Finish
    d.wait_no_window(w.TITLE)
    assert program.wait() == 0, program.text()
    assert len(w.installed_files(installation.target)) == LARGE_FILES


def scenario_declined_elevation(s):
    if s.declining == "-":
        raise d.Skip("Linux does not relaunch")
    installation = s.installation(program=s.declining)
    _, code = run(installation, "/VERYSILENT")
    assert code == w.expected(installation, CANCELLED), f"silent: {code}"
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


def scenario_no_folder_found(s):
    """Nothing names a folder (no stored value, no variable, no home for a
    Documents folder): a very silent start ends as a bad destination and says
    so in its log; the wizard says so on its summary, where Next stays
    disabled and starts nothing."""
    installation = s.installation()
    if installation.windows:
        raise d.Skip("a Wine prefix always has a Documents folder")
    env = installation.environment()
    for name in ("HOME", "ORRERY_USER_PATH", "XDG_CONFIG_HOME"):
        env.pop(name, None)
    log = os.path.join(installation.work, "install.log")
    program, code = run(installation, "--very-silent", f"--log={log}", env=env)
    assert code == BAD_DESTINATION[1], f"ended with {code}: {program.text()}"
    with open(log, encoding="utf-8") as f:
        text = f.read()
    assert "(no folder found)" in text and "Outcome: failed before the run started: " in text, text
    assert installation.recorded_folder() is None

    program = d.launch([installation.program], env=env, cwd=installation.work)
    window = d.wait_window(w.TITLE)
    w.wait_page(window, 0)
    w.click(window, w.NEXT)

    def held_on_summary():
        shot = d.window_shot(window)
        summary = d.close_to(shot.getpixel((175, 290)), w.SUMMARY_PANEL, 3)
        return shot if summary and d.close_to(w.button_fill(shot, "next"), w.BUTTON_DISABLED, 3) else None
    d.poll(held_on_summary, what="the summary with Next disabled")
    w.click(window, w.NEXT)
    s.shot(window, "no-folder-summary")
    assert held_on_summary() is not None, "Next left the summary"
    d.close_window(window)
    d.wait_no_window(w.TITLE)
    assert program.wait() == 0, program.text()
    assert installation.recorded_folder() is None


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
    program, code = run(installation, "/VERYSILENT", w.switch(installation, "dir", installation.target))
    assert code == 0, f"ended with {code}: {program.text()}"
    check_installed(s, installation)


# Scenarios that share one display (and under Wine one session, whose start
# is the slow part): (name, [scenarios run one after another]).
GROUPS = [
    ("unattended_installs", [scenario_very_silent, scenario_very_silent_failure, scenario_long_destination,
                             scenario_silent, scenario_deep_folder]),
    ("refused_starts", [scenario_bad_switch, scenario_help, scenario_declined_elevation, scenario_no_display,
                        scenario_no_folder_found]),
    ("second_instance", [scenario_second_instance]),
    ("bar_and_reason", [scenario_bar_and_failure_question, scenario_bar_moving]),
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
