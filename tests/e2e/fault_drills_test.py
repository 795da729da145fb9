"""Fault drills: the real installer meets a fault on disk or in its own
executable, driven through its wizard with real clicks on a private Xvfb
(the Windows .exe under Wine).

    fault_drills_test.py INSTALLER TRUNCATED_INSTALLER HBPACK ARCHIVE TRUNCATED_ARCHIVE WORK_DIR [DRILL...]

TRUNCATED_INSTALLER is a build of the installer that embeds
TRUNCATED_ARCHIVE, the first half of ARCHIVE. Each drill makes the same
situation three times below WORK_DIR/<drill>/site: once for `hbpack extract`,
which prints the extraction code (the wizard only reports a failure), once
for the wizard, which must ask "Failed to install", and after No show the
failure headline and Finish, and once for the installer started very silent
with the target as its destination and a log, which must end with the
drill's exit code (the Linux table, or the Windows one cut to its low 8 bits
under Wine), write the outcome line with the reason and record no folder.
Around every run, a listing of everything in the site outside the target
folder (names, types, sizes, SHA-256 of the contents, modification times,
link targets) must stay the same. Screenshots of the failure states go to
WORK_DIR/screenshots.

A drill that cannot be made here (no root for a mount, a file system without
the immutable flag, symbolic links under Wine) is skipped with the reason.
"""

import hashlib
import os
import re
import shutil
import subprocess
import sys

import hbdriver as d
import wizard as w
from wizard_test import wait_exit

# The headline of page 2, in client coordinates of the wizard.
HEADLINE = (170, 50, 490, 75)

CODES = {"disk_full": 23, "read_only_file": 20, "missing_folder": 20, "planted_link": 18, "hard_link": 18,
         "truncated_archive": 13}

# The very silent run of each drill: (Windows exit code, Linux exit code, the
# reason its log's outcome line gives). The pack cannot fit on the small disk
# and the missing folder is not made, so those two runs never start.
VERY_SILENT = {
    "disk_full": (112, 10, "The disk is full."),
    "read_only_file": (82, 11, "A file in the folder could not be written: "),
    "missing_folder": (267, 14, "The folder does not exist or cannot be used."),
    "planted_link": (1921, 12, "A link in the folder was refused: Halbrook"),
    "hard_link": (1921, 12, "A link in the folder was refused: "),
    "truncated_archive": (1620, 13, "The installer file is damaged. Download it again."),
}


def is_root():
    return os.geteuid() == 0


def listing(site, target):
    """Everything below site except the target folder's contents: relative
    name -> (type, size, SHA-256, modification time, link target)."""
    entries = {}
    skip = os.path.abspath(target)
    for root, dirs, files in os.walk(site):
        for name in sorted(dirs + files):
            path = os.path.join(root, name)
            if os.path.abspath(path) == skip:
                entries[os.path.relpath(path, site)] = ("target",)
                continue
            info = os.lstat(path)
            relative = os.path.relpath(path, site)
            if os.path.islink(path):
                entries[relative] = ("link", os.readlink(path))
            elif os.path.isdir(path):
                entries[relative] = ("folder",)
            else:
                with open(path, "rb") as f:
                    digest = hashlib.sha256(f.read()).hexdigest()
                entries[relative] = ("file", info.st_size, digest, info.st_mtime_ns)
        dirs[:] = [n for n in dirs if os.path.abspath(os.path.join(root, n)) != skip]
    return entries


def compare_listings(before, after):
    problems = []
    for name in sorted(set(before) | set(after)):
        if before.get(name) != after.get(name):
            problems.append(f"{name}: {before.get(name)} -> {after.get(name)}")
    return problems


def mounted_below(folder):
    folder = os.path.abspath(folder) + os.sep
    with open("/proc/mounts") as f:
        points = [line.split()[1].replace("\\040", " ") for line in f]
    return sorted((p for p in points if (p + os.sep).startswith(folder)), reverse=True)


def unmount(point):
    if subprocess.run(["umount", point], capture_output=True).returncode != 0:
        subprocess.run(["umount", "-l", point], capture_output=True)


def release_file(path):
    """Undoes what made a file read-only, so that the site can be removed."""
    if os.path.lexists(path) and not os.path.islink(path):
        subprocess.run(["chattr", "-i", path], capture_output=True)
        os.chmod(path, 0o644)


class Drill:
    """One fault: where it happens, how to make it, and what to check after."""

    def __init__(self, name, args):
        self.name = name
        self.args = args
        self.windows = d.is_windows_program(args.installer)
        self.folder = os.path.join(args.work, name)
        self.site = os.path.join(self.folder, "site")
        self.target = os.path.join(self.site, "library")
        self.program = args.installer
        self.archive = args.archive
        self.cleanups = []

    # Each situation is made afresh: a site with a neighbour of the target
    # folder that nothing may touch.
    def prepare(self):
        self.clean()
        for point in mounted_below(self.folder):
            unmount(point)
        shutil.rmtree(self.folder, ignore_errors=True)
        outside = os.path.join(self.site, "outside")
        os.makedirs(os.path.join(outside, "kept"))
        with open(os.path.join(outside, "notes.txt"), "w") as f:
            f.write("a neighbour of the asset library\n")
        with open(os.path.join(outside, "kept", "model.orx"), "wb") as f:
            f.write(bytes(range(256)) * 64)
        os.makedirs(self.target)
        self.make()

    def make(self):
        raise NotImplementedError

    def check_after(self):
        """Checks of the target folder itself, after a run that got as far as the fault."""

    def check_after_very_silent(self):
        """Checks of the target folder after the very silent run."""
        self.check_after()

    def clean(self):
        while self.cleanups:
            self.cleanups.pop()()

    def native_path(self, path):
        return w.windows_path(path) if self.windows else path


class DiskFull(Drill):
    """A 256 KiB tmpfs mounted as the target folder fills up during extraction
    (under Wine reached through the Z: drive). The wizard sees beforehand that
    the pack does not fit, says so on the summary and keeps Next disabled, so
    only the archive tool fills it."""

    held_on_summary = True

    def make(self):
        if not is_root():
            raise d.Skip("mounting a small tmpfs needs root")
        result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", self.target],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise d.Skip(f"cannot mount a tmpfs here: {result.stderr.strip()}")
        self.cleanups.append(lambda: unmount(self.target))

    def check_after(self):
        usage = shutil.disk_usage(self.target)
        assert usage.free < 16 * 1024, f"the volume was not filled ({usage.free} bytes free)"

    def check_after_very_silent(self):
        assert not os.listdir(self.target), "a run that cannot fit wrote files"


class ReadOnlyFile(Drill):
    """A pack file from an earlier installation, made read-only, stands where
    extraction writes. As root, permission bits stop nothing: the file gets
    the immutable flag (chattr +i) instead. Under Wine the read-only attribute
    is set through Wine too; Wine keeps it as the Unix write bits, which
    root's writes ignore, so as root the immutable flag is what holds."""

    def make(self):
        names = sorted(w.archive_listing(self.args.hbpack, self.args.archive))
        self.name_in_the_way = names[len(names) // 2]
        self.path = os.path.join(self.target, *self.name_in_the_way.split("/"))
        os.makedirs(os.path.dirname(self.path))
        self.content = b"an earlier copy of " + self.name_in_the_way.encode() + b"\n"
        with open(self.path, "wb") as f:
            f.write(self.content)
        self.cleanups.append(lambda: release_file(self.path))
        if self.windows:
            subprocess.run(["wine", "cmd", "/c", "attrib", "+r", w.windows_path(self.path)], capture_output=True,
                           env=d.wine_environment(), check=True)
        if is_root():
            result = subprocess.run(["chattr", "+i", self.path], capture_output=True, text=True)
            if result.returncode != 0:
                raise d.Skip(f"running as root, and the file system has no immutable flag: {result.stderr.strip()}")
        elif not self.windows:
            os.chmod(self.path, 0o444)

    def check_after(self):
        with open(self.path, "rb") as f:
            assert f.read() == self.content, f"{self.name_in_the_way} was changed"
        # The files before it in the archive were written: the run got that far.
        assert len(w.installed_files(self.target)) > 1, "nothing else was extracted"


class MissingFolder(Drill):
    """The target folder does not exist; extraction does not create it."""

    def make(self):
        os.rmdir(self.target)

    def check_after(self):
        assert not os.path.lexists(self.target), "the missing target folder was created"


class PlantedLink(Drill):
    """A symbolic link at Halbrook, where the pack's top folder goes, points
    outside the target folder."""

    def make(self):
        if self.windows:
            raise d.Skip("Wine cannot make links (CreateSymbolicLinkW makes nothing) nor see a Linux link through "
                       "the Z: drive as one (it is followed, with no reparse attribute)")
        self.elsewhere = os.path.join(self.site, "outside", "kept")
        os.symlink(self.elsewhere, os.path.join(self.target, "Halbrook"))

    def check_after(self):
        link = os.path.join(self.target, "Halbrook")
        assert os.path.islink(link) and os.readlink(link) == self.elsewhere, "the link was replaced"
        assert os.listdir(self.target) == ["Halbrook"], os.listdir(self.target)


class HardLink(Drill):
    """A file outside the target folder, with an old time, is hard-linked at
    the name of a pack file, as a user who can make the target's folders can
    do to a file they cannot write. Made on the Linux side, which Wine shows
    as drive Z:, so it runs on both targets; the listing around the runs
    checks the file outside byte for byte and by time."""

    def make(self):
        names = sorted(w.archive_listing(self.args.hbpack, self.args.archive))
        self.name_in_the_way = names[len(names) // 2]
        self.path = os.path.join(self.target, *self.name_in_the_way.split("/"))
        os.makedirs(os.path.dirname(self.path))
        self.elsewhere = os.path.join(self.site, "outside", "kept", "model.orx")
        os.chmod(self.elsewhere, 0o600)
        os.utime(self.elsewhere, (1_000_000_000, 1_000_000_000))
        os.link(self.elsewhere, self.path)

    def check_after(self):
        assert os.path.samefile(self.path, self.elsewhere), f"{self.name_in_the_way} is no longer the hard link"


class TruncatedArchive(Drill):
    """The executable carries only the first half of the archive."""

    def __init__(self, name, args):
        super().__init__(name, args)
        self.program = args.truncated_installer
        self.archive = args.truncated_archive

    def make(self):
        pass

    def check_after(self):
        assert w.installed_files(self.target), "the files before the cut were not extracted"


DRILLS = {"disk_full": DiskFull, "read_only_file": ReadOnlyFile, "missing_folder": MissingFolder,
          "planted_link": PlantedLink, "hard_link": HardLink, "truncated_archive": TruncatedArchive}


def code_from_hbpack(drill):
    """Runs `hbpack extract` on the situation and returns the code it prints."""
    program = d.launch([drill.args.hbpack, "extract", drill.native_path(drill.archive),
                        drill.native_path(drill.target)])
    status = program.wait()
    output = program.text()
    match = re.search(r"code (\d+):", output)
    assert match, f"hbpack printed no code (exit {status}):\n{output}"
    code = int(match.group(1))
    assert (status == 0) == (code == 0), f"hbpack exit {status} with code {code}"
    return code, output.strip().splitlines()[-1]


class Shots:
    def __init__(self, work, name):
        self.folder = os.path.join(work, "screenshots")
        os.makedirs(self.folder, exist_ok=True)
        self.name = name

    def path(self, label):
        return os.path.join(self.folder, f"drill-{self.name}-{label}.png")


def start_installation(window, shots, attempts=3):
    """Clicks Next on the summary and returns the failure question. Under Wine
    on a loaded machine a click now and then never arrives; while the summary
    still shows, Next is clicked again. The screen is kept when no question
    comes."""
    for _attempt in range(attempts):
        w.click(window, w.NEXT)
        try:
            return d.wait_window(w.FAILURE_TITLE, timeout=d.DEFAULT_TIMEOUT / attempts)
        except d.DriverError:
            d.screenshot(shots.path("no-question"))
            if w.check_layout(d.window_shot(window), 1):
                raise  # no longer on the summary: the click arrived
    raise d.DriverError("Next on the summary brought no failure question")


def wizard_failure_path(drill, shots):
    """Runs the wizard into the fault and answers the failure question with
    No; returns the wizard's client area once it shows the failure."""
    installation = w.Installation(drill.program, drill.folder)
    installation.target = drill.target
    program, window = w.start_at_page(installation, 1)
    cancel_before = w.region(d.window_shot(window), w.BUTTON_BOXES["cancel"])
    question = start_installation(window, shots)
    d.wait_pixel(question, 10, 10, w.POPUP_BACKGROUND)
    d.screenshot(shots.path("1-question"))
    headline_before = w.region(d.window_shot(window), HEADLINE)
    _, no = w.popup_buttons(question)
    w.click(question, no)
    d.wait_no_window(w.FAILURE_TITLE)
    w.wait_change(window, w.BUTTON_BOXES["cancel"], cancel_before, what="the Finish button")
    failed = w.wait_change(window, HEADLINE, headline_before, what="the failure headline")
    failed.save(shots.path("2-failed"))
    problems = w.check_layout(failed, 2)
    assert not problems, problems
    # A failed run leaves the stored folder as it was: none.
    recorded = installation.recorded_folder()
    assert recorded is None, f"recorded {recorded!r}"
    w.click(window, w.CANCEL)  # now "Finish"
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)
    return failed


def wizard_held_on_summary(drill, shots):
    """The wizard shows the summary with Next disabled; Next starts nothing,
    and the close box ends it."""
    installation = w.Installation(drill.program, drill.folder)
    installation.target = drill.target
    program = installation.start()
    window = d.wait_window(w.TITLE)
    w.wait_page(window, 0)
    w.click(window, w.NEXT)

    def held():
        shot = d.window_shot(window)
        summary = d.close_to(shot.getpixel((175, 290)), w.SUMMARY_PANEL, 3)
        return shot if summary and d.close_to(w.button_fill(shot, "next"), w.BUTTON_DISABLED, 3) else None
    d.poll(held, what="the summary with Next disabled")
    w.click(window, w.NEXT)
    d.screenshot(shots.path("1-held-on-summary"))
    assert not d.find_windows(w.FAILURE_TITLE), "Next started a run that cannot fit"
    assert held() is not None, "Next left the summary"
    d.close_window(window)
    d.wait_no_window(w.TITLE)
    wait_exit(program, installation)


def very_silent_run(drill):
    """Runs the installer very silent into the drill's target; checks its exit
    code, its log's outcome line and that no folder was recorded."""
    windows_code, linux_code, reason = VERY_SILENT[drill.name]
    installation = w.Installation(drill.program, drill.folder)
    installation.target = drill.target
    installation.forget_recorded_folder()
    log = os.path.join(drill.folder, "very-silent.log")
    switches = (["/VERYSILENT", f"/DIR={drill.native_path(drill.target)}", f"/LOG={drill.native_path(log)}"]
                if drill.windows else ["--very-silent", f"--dir={drill.target}", f"--log={log}"])
    program = d.launch([drill.program, *switches], env=installation.environment(), cwd=drill.folder)
    code = program.wait()
    expected = windows_code & 0xFF if drill.windows else linux_code
    assert code == expected, f"very silent: exit {code}, expected {expected}: {program.text()}"
    with open(log, encoding="utf-8") as f:
        text = f.read()
    # Each line starts with its date and time.
    outcome = [line.split(" Outcome: ", 1)[1] for line in text.splitlines() if " Outcome: " in line]
    assert len(outcome) == 1 and outcome[0].startswith("failed") and reason in outcome[0], \
        f"expected an outcome line with {reason!r}:\n{text}"
    full_code = windows_code if drill.windows else linux_code
    assert f"Exit code: {full_code} after " in text, f"no exit code {full_code} in the log:\n{text}"
    recorded = installation.recorded_folder()
    assert recorded is None, f"a failed very silent run recorded {recorded!r}"
    drill.check_after_very_silent()
    return outcome[0]


def in_the_situation(drill, run):
    """Makes the drill's situation afresh, runs one start in it and checks that
    nothing outside the target folder changed; returns what run returned."""
    drill.prepare()
    try:
        before = listing(drill.site, drill.target)
        result = run()
        problems = compare_listings(before, listing(drill.site, drill.target))
        assert not problems, "the run touched the surroundings:\n" + "\n".join(problems)
        return result
    finally:
        drill.clean()


def run_drill(drill, shots):
    expected = CODES[drill.name]

    # The code, from the archive tool on the same situation.
    def archive_tool():
        code, message = code_from_hbpack(drill)
        assert code == expected, f"hbpack: code {code}, expected {expected}: {message}"
        drill.check_after()
        return message
    print(f"      hbpack: {in_the_situation(drill, archive_tool)}")

    # The installer with no window, for an administrator.
    print(f"      very silent: {in_the_situation(drill, lambda: very_silent_run(drill))}")

    # The wizard on the same situation.
    if getattr(drill, "held_on_summary", False):
        in_the_situation(drill, lambda: wizard_held_on_summary(drill, shots))
        return None

    def wizard():
        failed = wizard_failure_path(drill, shots)
        drill.check_after()
        return failed
    return in_the_situation(drill, wizard)


class Arguments:
    def __init__(self, argv):
        (self.installer, self.truncated_installer, self.hbpack, self.archive, self.truncated_archive,
         self.work) = (os.path.abspath(a) for a in argv[:6])
        self.only = argv[6:] or None


# The installing page's progress bar in window coordinates (page 2 at
# (170, 50), the bar 180 below its top, 300 x 14).
PROGRESS_BAR = (170, 230, 470, 244)


def without_bar(picture):
    """The picture's pixels with the progress bar's band blanked."""
    copy = picture.copy()
    copy.paste((0, 0, 0), PROGRESS_BAR)
    return list(copy.getdata())


def main():
    args = Arguments(sys.argv[1:])
    finals = {}

    def drill_of(name, kind):
        def action():
            drill = kind(name, args)
            try:
                final = run_drill(drill, Shots(args.work, name))
                if final is not None:
                    finals[name] = final
            finally:
                drill.clean()
        return action

    failed = d.run_scenarios([(name, drill_of(name, kind)) for name, kind in DRILLS.items()
                              if not args.only or name in args.only], program=args.installer)
    # The wizard's failure page is the same for every drill (the failure
    # headline, its status text and Finish); only the progress bar shows how
    # far each run got, so its band is left out of the comparison.
    names = sorted(finals)
    for name in names[1:]:
        if without_bar(finals[name]) != without_bar(finals[names[0]]):
            failed.append(name)
            print(f"FAIL  {name}: its failure page differs from that of {names[0]}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
