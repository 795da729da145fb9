"""End-to-end tests of the removal on a private Xvfb, on Linux and under
Wine alike: the record an installation keeps, the interactive removal's
question and result, the silent removal with its exit codes and log, a
read-only file kept and removed on a second run, a reinstall, a newer pack
with one file fewer and an installation moved to another folder; on Windows
the uninstall entry goes where the record goes. Windows alone: the entry and
its values, the uninstaller started by the exact quiet command the entry
holds, the files as on Linux, the entry, the record and the uninstaller's
folder gone, and the running uninstaller's own file, moved to the temporary
folder, handed to the system for the next restart.

    removal_test.py INSTALLER SMALLER_INSTALLER HBPACK ARCHIVE WORK_DIR [SCENARIO...]

SMALLER_INSTALLER carries the same pack without its last file. The switches
are spelled as each platform spells them; under Wine a process's exit code
reaches Linux cut to its low 8 bits, so Windows codes are compared that way.

Read-only: root removes a read-only file on Linux whatever its mode says;
the installer keeps files without their owner's write permission for every
user, so the case shows the same as root and as a user. Wine reports a file
with no write permission for anyone (mode 0444) as FILE_ATTRIBUTE_READONLY,
and the removal keeps it as on Windows; a file whose group or others may
still write is not read-only to Wine, so the test takes every write bit away.

A file in use: Wine keeps Windows' sharing rules between its own processes,
so under Wine a Wine process holding a file open without sharing its
deletion keeps the removal from it, as a program using the file does on
Windows. On Linux nothing stops the removal of an open file, and Wine's
sharing rules bind no Linux process, so there the case is not shown.
"""

import os
import re
import shlex
import shutil
import stat
import subprocess
import sys

import hbdriver as d
import wizard as w

REMOVE_TITLE = "Remove Tidewater Kit Pack"
# (Windows code, Linux code) of each outcome the scenarios see.
NOT_INSTALLED = (1605, 20)
INCOMPLETE = (1627, 21)
CANCELLED = (1602, 5)


class Scenario:
    def __init__(self, installer, smaller, hbpack, archive, work, name):
        self.installer, self.smaller, self.hbpack, self.archive = installer, smaller, hbpack, archive
        self.name = name
        self.folder = os.path.abspath(os.path.join(work, name))
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.shots = os.path.join(work, "screenshots")
        os.makedirs(self.shots, exist_ok=True)
        self.installation = w.Installation(installer, self.folder)
        self.windows = self.installation.windows
        self.installation.forget_recorded_folder()
        self.forget_installation()
        self.listing = w.archive_listing(hbpack, archive)

    def forget_installation(self):
        """Windows: the record and the entry an earlier scenario may have left
        in the shared prefix go (Linux: each scenario's record is its own)."""
        if self.windows:
            shutil.rmtree(os.path.dirname(self.installation.record), ignore_errors=True)
            subprocess.run(["wine", "reg", "delete", UNINSTALL_KEY, "/f", "/reg:64"], capture_output=True,
                           env=d.wine_environment())

    def switch(self, name, value=None):
        return w.switch(self.installation, name, value)

    def expected(self, codes):
        return w.expected(self.installation, codes)

    def run(self, *arguments, program=None):
        started = d.launch([program or self.installer, *arguments], env=self.installation.environment(),
                           cwd=self.folder)
        return started, started.wait()

    def install(self, program=None, target=None):
        arguments = [self.switch("very-silent")] + ([self.switch("dir", target)] if target else [])
        started, code = self.run(*arguments, program=program)
        assert code == 0, f"the installation ended with {code}: {started.text()}"

    def spelled(self, *switches):
        """The switches, each a name or a (name, value) pair, as the program spells them."""
        return [self.switch(*s) if isinstance(s, tuple) else self.switch(s) for s in switches]

    def remove(self, *switches):
        """A silent removal with the switches spelled() takes."""
        return self.run(*self.spelled("uninstall", *switches))

    def start_removal(self, *switches):
        """Starts an interactive removal with more switches, as remove() takes
        them. On Windows the first instance relaunches itself elevated and
        ends with 0; the elevated one asks."""
        program = d.launch([self.installer, *self.spelled("uninstall", *switches)],
                           env=self.installation.environment(), cwd=self.folder)
        if self.windows:
            assert program.wait() == 0, program.text()
        return program

    def end_of_removal(self, program, codes):
        """Waits for an interactive removal to end with codes; under Wine the
        elevated instance is not our child, so only its end is seen."""
        if self.windows:
            d.poll(lambda: not self.installation.running_wizard_pids(), what="the elevated instance to end")
        else:
            code = program.wait()
            assert code == self.expected(codes), f"ended with {code}: {program.text()}"

    def record(self):
        """The record's file lines, or None when there is none."""
        if not os.path.exists(self.installation.record):
            return None
        with open(self.installation.record, encoding="utf-8") as f:
            return f.read().splitlines()

    def hold_open(self, name):
        """Windows: a Wine process keeps the file open without sharing its
        deletion (cmd's input redirection does) until release(); returns it
        once the file is seen open. Linux: None, nothing can hold a file."""
        if not self.windows:
            return None
        path = os.path.realpath(os.path.join(self.installation.target, name))
        # Started in the file's folder, so a space in the folders above it
        # cannot split the redirection.
        holder = d.launch(["cmd.exe", "/c", f"ping -n 600 127.0.0.1 >nul <{os.path.basename(path)}"],
                          env=self.installation.environment(), cwd=os.path.dirname(path))
        d.poll(lambda: held_open(path), what=f"{name} to be held open")
        return holder

    def release(self, holder):
        if holder:
            subprocess.run(["wine", "taskkill", "/F", "/IM", "ping.exe"], capture_output=True,
                           env=self.installation.environment())
            holder.wait()

    def gone(self):
        """Whether the installation's traces are gone: the record, and on
        Windows the uninstall entry and the folder of the record and the
        uninstaller."""
        if self.record() is not None:
            return False
        if not self.windows:
            return True
        return reg_values(UNINSTALL_KEY) is None and not os.path.exists(os.path.dirname(self.installation.record))

    def registered(self):
        """Linux has nothing to register; Windows has the uninstall entry."""
        return not self.windows or reg_values(UNINSTALL_KEY) is not None

    def recorded_files(self):
        return sorted(line.split(" ", 4)[4] for line in self.record() if line.startswith("file "))

    def shot(self, window, label):
        d.window_shot(window, os.path.join(self.shots, f"{self.name}-{label}.png"))


def left_in(folder):
    """Every file and folder below folder, as relative names."""
    names = []
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            names.append(os.path.relpath(os.path.join(root, name), folder))
    return sorted(names)


def held_open(path):
    """Whether a process of ours has the file open (under Wine the Wine
    server keeps a descriptor of every file a Wine process opened)."""
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                fds = os.listdir(f"/proc/{entry}/fd")
            except OSError:
                continue
            for fd in fds:
                try:
                    if os.readlink(f"/proc/{entry}/fd/{fd}") == path:
                        return True
                except OSError:
                    continue
    return False


def parents(name):
    parts = name.split("/")
    return ["/".join(parts[:i]) for i in range(1, len(parts))]


def answer(s, label, button):
    """Waits for the removal's pop-up, saves it, and presses button (0 the
    first, 1 the second). Returns the pop-up's id."""
    popup = d.wait_window(REMOVE_TITLE)
    d.wait_pixel(popup, 10, 10, w.POPUP_BACKGROUND)
    s.shot(popup, label)
    w.click(popup, w.popup_buttons(popup)[button])
    return popup


def scenario_interactive_removal_and_read_only_file(s):
    """One installation feeds every check of a removal that leaves files: a
    changed file, the user's own, a read-only one and (Windows) one in use."""
    s.install()
    target = s.installation.target
    assert s.record()[0] == "tidewater-kit-record 1" and s.recorded_files() == sorted(s.listing)
    changed, locked, busy = sorted(s.listing)[:3]
    with open(os.path.join(target, changed), "ab") as f:
        f.write(b"changed by the user")
    mine = os.path.join(os.path.dirname(sorted(s.listing)[-1]), "mine.txt")
    with open(os.path.join(target, mine), "w") as f:
        f.write("the user's own")
    os.chmod(os.path.join(target, locked), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)

    # No: nothing is removed.
    program = s.start_removal()
    answer(s, "question-declined", 1)
    s.end_of_removal(program, CANCELLED)
    assert len(w.installed_files(target)) == len(s.listing) + 1
    assert s.record() and s.registered(), "a declined removal dropped the record or the entry"

    # Yes: the question, then the result; OK ends it. The read-only file and
    # the one in use are kept and stay recorded, and so does the entry.
    holder = s.hold_open(busy)
    stuck = [locked] + ([busy] if holder else [])
    log = os.path.join(s.folder, "remove.log")
    program = s.start_removal(("log", log))
    question = answer(s, "question", 0)
    d.poll(lambda: [i for i in d.find_windows(REMOVE_TITLE) if i != question], what="the result")
    answer(s, "result", 1)  # a lone OK sits in the rightmost place
    s.end_of_removal(program, INCOMPLETE)
    d.wait_no_window(REMOVE_TITLE)
    s.release(holder)
    with open(log, encoding="utf-8") as f:
        text = f.read()
    lines = [f"Kept, it is read-only: {locked}", f"Removed {len(s.listing) - 1 - len(stuck)} files",
             f"Exit code: {w.exit_code(s.installation, INCOMPLETE)}"]
    if holder:
        lines.append(f"Kept, it is in use or cannot be read: {busy}")
    for line in lines:
        assert line in text, f"{line!r} missing from the log:\n{text}"
    assert s.recorded_files() == sorted(stuck), "the record keeps what is still installed"
    assert s.registered(), "the entry went while a file of the pack is left"
    kept = sorted(set(name for kept in [changed, mine] + stuck for name in [kept] + parents(kept)))
    assert left_in(target) == kept, left_in(target)

    # Writable and closed again: a silent removal takes them; only the
    # user's files stay.
    os.chmod(os.path.join(target, locked), stat.S_IRUSR | stat.S_IWUSR)
    _, code = s.remove("silent")
    assert code == 0, code
    expected = sorted(set([changed, mine] + parents(changed) + parents(mine)))
    assert left_in(target) == expected, left_in(target)
    assert s.gone(), "the record or the entry is left"

    # Run again: nothing is installed.
    _, code = s.remove("very-silent")
    assert code == s.expected(NOT_INSTALLED), code
    assert left_in(target) == expected


def scenario_reinstall_newer_pack_and_moved_installation(s):
    """One installation is installed over three times: the same pack, a
    newer one with one file fewer, and the whole pack into another folder."""
    target = s.installation.target
    s.install()
    first = s.record()
    s.install()
    assert s.record() == first, "a reinstall keeps one record of the same installation"
    s.install(program=s.smaller)
    dropped = list(s.listing)[-1]  # the last file of the archive
    assert not os.path.exists(os.path.join(target, dropped)), "the file the newer pack dropped is left"
    assert s.recorded_files() == sorted(name for name in s.listing if name != dropped)
    assert "directory Halbrook" in s.record(), "the first installation's directories stay recorded"

    second = os.path.join(s.folder, "second library")
    os.makedirs(second)
    s.install(target=second)
    assert left_in(target) == [], "the first folder keeps unchanged files of the pack"
    assert f"target {w.windows_path(second) if s.windows else second}" in s.record()
    assert s.recorded_files() == sorted(s.listing)
    _, code = s.remove("very-silent")
    assert code == 0 and left_in(second) == [] and s.gone()


UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TidewaterKitPack"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"


def reg_values(key):
    """name -> (type, data) of a key in the 64-bit view, or None when it is missing."""
    result = subprocess.run(["wine", "reg", "query", key, "/reg:64"], capture_output=True, text=True,
                            env=d.wine_environment())
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        match = re.match(r"\s+(\S+)\s+(REG_\w+)\s+(.*)$", line)
        if match:
            values[match.group(1)] = (match.group(2), match.group(3).strip())
    return values


def scenario_windows_registration(s):
    subprocess.run(["wine", "reg", "delete", SESSION_MANAGER, "/v", "PendingFileRenameOperations", "/f"],
                   capture_output=True, env=d.wine_environment())
    target = s.installation.target
    started, code = s.run("/VERYSILENT", f"/DIR={w.windows_path(target)}")
    assert code == 0, f"the installation ended with {code}: {started.text()}"
    values = reg_values(UNINSTALL_KEY)
    assert values, "no uninstall entry"
    uninstaller = r"C:\Program Files\Halbrook\Tidewater Kit Pack\uninstall.exe"
    size_kb = (sum(size for size, _ in s.listing.values()) + 1023) // 1024
    expected = {
        "DisplayName": ("REG_SZ", "Tidewater Kit Pack"),
        "Publisher": ("REG_SZ", "Halbrook"),
        "InstallLocation": ("REG_SZ", w.windows_path(target)),
        "UninstallString": ("REG_SZ", f'"{uninstaller}" /UNINSTALL'),
        "QuietUninstallString": ("REG_SZ", f'"{uninstaller}" /UNINSTALL /VERYSILENT'),
        "DisplayIcon": ("REG_SZ", uninstaller + ",0"),
        "EstimatedSize": ("REG_DWORD", hex(size_kb)),
        "NoModify": ("REG_DWORD", "0x1"),
        "NoRepair": ("REG_DWORD", "0x1"),
    }
    for name, value in expected.items():
        assert values.get(name) == value, f"{name}: {values.get(name)} instead of {value}"
    assert re.fullmatch(r"\d+\.\d+\.\d+", values["DisplayVersion"][1]) and values["DisplayVersion"][0] == "REG_SZ"
    assert re.fullmatch(r"20\d{6}", values["InstallDate"][1]) and values["InstallDate"][0] == "REG_SZ"

    changed = sorted(s.listing)[0]
    with open(os.path.join(target, changed), "ab") as f:
        f.write(b"changed by the user")
    # The exact quiet command of the entry, as a package manager runs it.
    command = shlex.split(values["QuietUninstallString"][1], posix=False)
    program = d.launch(["wine", command[0].strip('"'), *command[1:]], env=s.installation.environment(),
                       cwd=s.folder)
    assert program.wait() == 0, program.text()
    assert reg_values(UNINSTALL_KEY) is None, "the entry is left"
    assert left_in(target) == sorted([changed] + parents(changed)), left_in(target)
    folder = os.path.join(d.wine_environment()["WINEPREFIX"], "drive_c", "Program Files", "Halbrook",
                          "Tidewater Kit Pack")
    # The uninstaller cannot delete its own running file (Windows and Wine
    # alike refuse it): it moves it to the temporary folder, removes its
    # folder now, and leaves the moved file to the next restart.
    assert not os.path.exists(folder), f"left: {os.listdir(folder)}"
    pending = reg_values(SESSION_MANAGER).get("PendingFileRenameOperations", ("", ""))[1]
    assert re.search(r"\\tidewater-kit-uninstall-\d+-\d+\.exe", pending), pending
    assert "Program Files" not in pending, pending
    _, code = s.remove("very-silent")
    assert code == s.expected(NOT_INSTALLED), code


def scenario_windows_interactive_removal(s):
    subprocess.run(["wine", "reg", "delete", SESSION_MANAGER, "/v", "PendingFileRenameOperations", "/f"],
                   capture_output=True, env=d.wine_environment())
    target = s.installation.target
    started, code = s.run("/VERYSILENT", f"/DIR={w.windows_path(target)}")
    assert code == 0, f"the installation ended with {code}: {started.text()}"
    # The command the system's list of programs runs: the first instance
    # relaunches itself elevated and ends; the elevated one asks.
    command = shlex.split(reg_values(UNINSTALL_KEY)["UninstallString"][1], posix=False)
    first = d.launch(["wine", command[0].strip('"'), *command[1:]], env=s.installation.environment(), cwd=s.folder)
    question = answer(s, "question", 0)
    assert first.wait() == 0
    d.poll(lambda: [i for i in d.find_windows(REMOVE_TITLE) if i != question], what="the result")
    answer(s, "result", 1)  # a lone OK sits in the rightmost place
    d.wait_no_window(REMOVE_TITLE)
    d.poll(lambda: reg_values(UNINSTALL_KEY) is None, what="the entry to go")
    assert left_in(target) == [], left_in(target)


# Both platforms run the shared scenarios; Windows adds its registration.
SHARED_SCENARIOS = [scenario_interactive_removal_and_read_only_file,
                    scenario_reinstall_newer_pack_and_moved_installation]
WINDOWS_SCENARIOS = SHARED_SCENARIOS + [scenario_windows_registration, scenario_windows_interactive_removal]


def main():
    args = sys.argv[1:6]
    only = sys.argv[6:] or None
    scenarios = WINDOWS_SCENARIOS if d.is_windows_program(args[0]) else SHARED_SCENARIOS
    failed = d.run_scenarios([
        (f.__name__.removeprefix("scenario_"), lambda f=f: f(Scenario(*args, f.__name__.removeprefix("scenario_"))))
        for f in scenarios if not only or f.__name__.removeprefix("scenario_") in only], program=args[0])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
