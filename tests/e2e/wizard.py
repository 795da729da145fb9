"""The installer's wizard as a person sees it: where things are on its
window, what its pages look like, and how to start it so that it installs
into a folder of the test's own (Linux: a settings file of its own; Windows:
the Wine prefix's registry, with the value removed first).

Shared by wizard_test.py (the end-to-end tests) and run_wizard.py (the
README's run command).
"""

import os
import re
import subprocess

import hbdriver as d

TITLE = "Tidewater Kit Pack Installer"
CONFIRM_TITLE = "Exit Installer"
FAILURE_TITLE = "Failed to install"

# Client positions (dips = pixels at 96 dpi) of the wizard's parts.
BACK = (242, 335)
NEXT = (332, 335)
CANCEL = (447, 335)
BUTTON_BOXES = {"back": (200, 320, 285, 350), "next": (290, 320, 375, 350), "cancel": (405, 320, 490, 350)}

BACKGROUND = d.rgb(0.176, 0.176, 0.176)
BAND = d.rgb(0.275, 0.275, 0.275)
SEPARATOR = d.rgb(0.392, 0.392, 0.392)
BUTTON_ENABLED = d.rgb(0.212, 0.212, 0.212)
BUTTON_DISABLED = d.rgb(0.157, 0.157, 0.157)
BORDER = d.rgb(0.4, 0.4, 0.4)
BORDER_HOVER = d.rgb(0.6, 0.6, 0.6)
SUMMARY_PANEL = d.rgb(0.118, 0.118, 0.118)
POPUP_BACKGROUND = d.rgb(0.2313, 0.2313, 0.2549)
SCROLL_THUMB = d.rgb(0.145, 0.149, 0.165)  # the summary is shorter than its panel: the thumb fills the bar

BANNER = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "banner.png")


def windows_path(linux_path):
    result = subprocess.run(["winepath", "-w", linux_path], capture_output=True, text=True,
                            env=d.wine_environment())
    return result.stdout.strip()


def program_files():
    """The prefix's Program Files folder as Linux sees it."""
    prefix = d.wine_environment().get("WINEPREFIX") or os.path.expanduser("~/.wine")
    return os.path.join(prefix, "drive_c", "Program Files")


def switch(installation, name, value=None):
    """The switch in the program's spelling: /NAME[=value] or --name[=value];
    an absolute path as value is given as Windows spells it."""
    if installation.windows:
        spelled = {"silent": "/SILENT", "very-silent": "/VERYSILENT", "dir": "/DIR", "log": "/LOG",
                   "uninstall": "/UNINSTALL", "help": "/?"}[name]
        if value is not None:
            return f"{spelled}={windows_path(value) if os.path.isabs(value) else value}"
        return spelled
    return f"--{name}" if value is None else f"--{name}={value}"


def exit_code(installation, codes):
    """The code of a (Windows code, Linux code) pair the program itself ends with."""
    return codes[0] if installation.windows else codes[1]


def expected(installation, codes):
    """The code of a (Windows code, Linux code) pair a test sees: under Wine a
    process's exit code reaches Linux cut to its low 8 bits."""
    code = exit_code(installation, codes)
    return code & 0xFF if installation.windows else code


class Installation:
    """Where one wizard installs and keeps its settings, and how to start it."""

    def __init__(self, program, work_dir, target=None, relaunches=True):
        self.program = os.path.abspath(program)
        self.windows = d.is_windows_program(program)
        # The installer relaunches itself elevated on Windows; a test build
        # of it may show its wizard at once.
        self.relaunches = relaunches and self.windows
        self.extra_environment = {}
        self.work = os.path.abspath(work_dir)
        os.makedirs(self.work, exist_ok=True)
        self.target = os.path.abspath(target or os.path.join(self.work, "library"))
        self.settings = os.path.join(self.work, "settings")
        # The record of the installation: on Linux kept beside the settings,
        # on Windows in its one place under Program Files in the prefix.
        self.record = os.path.join(program_files(), "Halbrook", "Tidewater Kit Pack", "installation.record") \
            if self.windows else os.path.join(self.work, "installation.record")
        # The asset library folder exists, as a Documents folder does; the
        # installer creates what is below it.
        os.makedirs(self.target, exist_ok=True)

    def environment(self):
        env = dict(os.environ)
        if self.windows:
            env = d.wine_environment(env)
            env["ORRERY_USER_PATH"] = windows_path(self.target)
        else:
            env["ORRERY_USER_PATH"] = self.target
            env["HB_SETTINGS_FILE"] = self.settings
            env["HB_RECORD_FILE"] = self.record
        env.update(self.extra_environment)
        return env

    def forget_recorded_folder(self):
        """Removes the value an earlier installation recorded, so the
        environment variable decides."""
        if self.windows:
            subprocess.run(["wine", "reg", "delete", r"HKLM\SOFTWARE\Halbrook", "/v", "OrreryUserPath", "/f",
                            "/reg:64"], capture_output=True, env=d.wine_environment())
        elif os.path.exists(self.settings):
            os.remove(self.settings)

    def recorded_folder(self):
        if self.windows:
            result = subprocess.run(["wine", "reg", "query", r"HKLM\SOFTWARE\Halbrook", "/v", "OrreryUserPath",
                                     "/reg:64"], capture_output=True, text=True, env=d.wine_environment())
            match = re.search(r"OrreryUserPath\s+REG_SZ\s+(.*)", result.stdout)
            return match.group(1).strip() if match else None
        if not os.path.exists(self.settings):
            return None
        with open(self.settings, encoding="utf-8") as f:
            for line in f:
                if line.startswith("OrreryUserPath="):
                    return line.rstrip("\n").split("=", 1)[1]
        return None

    def expected_recorded_folder(self):
        # Linux records the folder as Linux writes paths.
        return windows_path(self.target) if self.windows else self.target

    def start(self):
        """Starts the installer as a person would (without "/UAC"). On Windows
        the first process relaunches itself elevated and ends with 0; the
        wizard belongs to the second. Returns the program that shows it."""
        self.forget_recorded_folder()
        first = d.launch([self.program], env=self.environment(), cwd=self.work)
        if self.relaunches:
            code = first.wait()
            assert code == 0, f"the first instance ended with {code}: {first.text()}"
        return first

    def running_wizard_pids(self):
        """Under Wine, the elevated instance: its process (the relaunch is not
        our child). Only processes of this test's prefix count: other tests
        may run the same program in prefixes of their own."""
        name = os.path.basename(self.program).lower()
        ours = d.wine_environment().get("WINEPREFIX") if self.windows else None
        prefix = f"WINEPREFIX={ours}".encode() if ours else None
        pids = []
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open(f"/proc/{entry}/cmdline", "rb") as f:
                        cmdline = f.read().decode("utf-8", "replace").lower()
                    if name not in cmdline or "/uac" not in cmdline:
                        continue
                    with open(f"/proc/{entry}/environ", "rb") as f:
                        environment = f.read().split(b"\0")
                except OSError:
                    continue
                if prefix is None or prefix in environment:
                    pids.append(int(entry))
        return pids


def banner_pixel(x, y):
    from PIL import Image
    with Image.open(BANNER) as picture:
        return picture.convert("RGB").getpixel((x, y))


def client_point(window, point):
    where = d.geometry(window)
    return where.x + point[0], where.y + point[1]


def click(window, point, button=1):
    d.click(*client_point(window, point), button=button)


def button_fill(shot, name):
    left, top, _, _ = BUTTON_BOXES[name]
    return shot.getpixel((left + 3, top + 3))


def check_layout(shot, page):
    """The fixed parts of the window, and what tells the pages apart."""
    problems = []

    def expect(x, y, colour, what):
        actual = shot.getpixel((x, y))
        if not d.close_to(actual, colour, 3):
            problems.append(f"{what} at ({x}, {y}) is {actual}, expected {colour}")

    expect(495, 45, BACKGROUND, "background")
    expect(5, 345, BAND, "band")
    expect(180, 310, SEPARATOR, "separator")
    expect(180, 311, BAND, "band below the separator")
    expect(180, 309, BACKGROUND, "background above the separator")
    for x, y in ((20, 20), (80, 150), (150, 300)):
        expect(x, y, banner_pixel(x, y), "banner")
    expect(200, 320, BORDER, "back button border")
    expect(405, 349, BORDER, "cancel button border")
    expect(*(BUTTON_BOXES["cancel"][:2]), BORDER, "cancel border corner")
    expect(408, 323, BUTTON_ENABLED, "cancel fill")
    expect(203, 323, BUTTON_ENABLED if page == 1 else BUTTON_DISABLED, "back fill")
    expect(293, 323, BUTTON_DISABLED if page == 2 else BUTTON_ENABLED, "next fill")
    if page == 1:
        expect(175, 290, SUMMARY_PANEL, "summary panel")
        expect(482, 200, SCROLL_THUMB, "scroll bar thumb")
    else:
        expect(175, 290, BACKGROUND, "no summary panel")
    return problems


def wait_page(window, page, timeout=d.DEFAULT_TIMEOUT):
    """Waits until the window shows the page with its layout; returns the shot."""
    last = []

    def check():
        shot = d.window_shot(window)
        last[:] = check_layout(shot, page)
        return shot if not last else None
    try:
        return d.poll(check, timeout=timeout, interval=0.1, what=f"page {page}")
    except d.DriverError as error:
        raise d.DriverError(f"{error}: {'; '.join(last)}") from error


def start_at_page(installation, page):
    """Starts the installer, waits for its wizard and clicks Next until the
    given page shows; returns the program and the wizard's window."""
    program = installation.start()
    window = d.wait_window(TITLE)
    wait_page(window, 0)
    for shown in range(1, page + 1):
        click(window, NEXT)
        wait_page(window, shown)
    return program, window


def region(shot, box):
    return list(shot.crop(box).getdata())


def wait_change(window, box, before, timeout=d.DEFAULT_TIMEOUT, what="a change"):
    """Waits until the region of the window differs from its earlier pixels."""
    def check():
        shot = d.window_shot(window)
        return shot if region(shot, box) != before else None
    return d.poll(check, timeout=timeout, interval=0.1, what=what)


def popup_buttons(popup):
    """The centres of a pop-up's first and second buttons (100 x 30, 20 from
    the bottom right, 10 apart)."""
    where = d.geometry(popup)
    return (where.width - 180, where.height - 35), (where.width - 70, where.height - 35)


def installed_files(folder):
    files = []
    for root, _dirs, names in os.walk(folder):
        for name in names:
            files.append(os.path.join(root, name))
    return sorted(files)


def archive_listing(hbpack, archive):
    """(name -> (size, last-write seconds)) from `hbpack list`."""
    import calendar
    import time
    if d.is_windows_program(hbpack):
        output = subprocess.run(["wine", hbpack, "list", windows_path(archive)], capture_output=True, text=True,
                                check=True, env=d.wine_environment()).stdout
    else:
        output = subprocess.run([hbpack, "list", archive], capture_output=True, text=True, check=True).stdout
    entries = {}
    for line in output.splitlines():
        match = re.match(r"file\s+(\S+)\s+size (\d+).*written (\S+ \S+)", line)
        if match:
            stamp = match.group(3).rstrip("Z").replace("T", " ")
            seconds = calendar.timegm(time.strptime(stamp[:19], "%Y-%m-%d %H:%M:%S"))
            entries[match.group(1)] = (int(match.group(2)), seconds)
    return entries
