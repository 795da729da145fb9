"""Drives the toolkit's programs the way a person would, on a private X display.

Each test runs on its own Xvfb (started by `virtual_display`), so tests can run
side by side. Programs are started natively, or under Wine for a Windows .exe
(`launch` looks at the file name). Windows are found by their title, clicked
and typed into with xdotool, closed with a WM_DELETE_WINDOW message (there is
no window manager), and looked at through screenshots of the root window.

Nothing here waits a fixed time: every wait polls with a deadline.
"""

import contextlib
import os
import re
import signal
import subprocess
import tempfile
import time
import traceback

from PIL import Image

DEFAULT_TIMEOUT = float(os.environ.get("HB_E2E_TIMEOUT", "60"))

# Wine prefixes whose programs ran on the current private display (see virtual_display).
_wine_sessions = set()


class DriverError(AssertionError):
    pass


class Skip(Exception):
    """Raised by a scenario that cannot be made on this machine; run_scenarios
    reports it with its reason instead of failing."""


def run_scenarios(scenarios):
    """Runs each (name, action) pair on a private display of its own and
    prints ok, skip (with the reason) or FAIL (with the traceback) for each,
    then the counts. Returns the names of the scenarios that failed."""
    failed, skipped = [], []
    for name, action in scenarios:
        try:
            with virtual_display():
                action()
            print(f"ok    {name}")
        except Skip as reason:
            skipped.append(name)
            print(f"skip  {name}: {reason}")
        except Exception:  # noqa: BLE001 - every failure is reported and counted
            failed.append(name)
            print(f"FAIL  {name}")
            traceback.print_exc()
    print(f"{len(scenarios) - len(failed) - len(skipped)} passed, {len(skipped)} skipped, {len(failed)} failed")
    return failed


def poll(condition, timeout=DEFAULT_TIMEOUT, interval=0.05, what="a condition"):
    """Calls condition until it returns something truthy; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DriverError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def _free_display_number():
    for number in range(100 + os.getpid() % 300, 1000):
        if not os.path.exists(f"/tmp/.X{number}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return number
    raise DriverError("no free X display number")


@contextlib.contextmanager
def virtual_display(width=1280, height=1024):
    """Starts a private Xvfb (reset disabled, so the pointer stays where it was
    put) and points DISPLAY at it for this process and its children."""
    for _attempt in range(5):
        number = _free_display_number()
        server = subprocess.Popen(
            ["Xvfb", f":{number}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display = f":{number}"
        try:
            poll(lambda: server.poll() is not None or subprocess.run(
                ["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL).returncode == 0, timeout=20, what="Xvfb to start")
        except DriverError:
            server.kill()
            raise
        if server.poll() is None:
            break
    else:
        raise DriverError("Xvfb did not start")
    previous = os.environ.get("DISPLAY")
    os.environ["DISPLAY"] = display
    try:
        yield display
    finally:
        _end_wine_sessions()
        if previous is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = previous
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()


def _end_wine_sessions():
    """Wine keeps its desktop process on the display of the first program of a
    session; once that display is gone, later programs of the prefix can no
    longer draw. So when the prefix is the test's own (HB_WINEPREFIX_PRIVATE=1),
    a Wine session that ran on a private display ends with it (wineserver -k).
    A shared prefix is never ended here: that would end other tests' programs."""
    for prefix in sorted(_wine_sessions):
        env = dict(os.environ)
        env["WINEPREFIX"] = prefix
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _wine_sessions.clear()


def is_windows_program(path):
    return str(path).lower().endswith(".exe")


def wine_environment(env=None):
    """The environment for Wine: the prefix comes from HB_WINEPREFIX (set by
    the build) or WINEPREFIX, with Wine's own messages silenced."""
    env = dict(os.environ if env is None else env)
    prefix = env.get("HB_WINEPREFIX") or env.get("WINEPREFIX")
    if prefix:
        env["WINEPREFIX"] = prefix
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    env["WINEARCH"] = "win64"
    return env


class Program:
    """A started program: its process, and the pid of the process that really
    runs it (under Wine that is not the launcher)."""

    def __init__(self, args, env=None, cwd=None):
        self.args = [str(a) for a in args]
        self.windows = is_windows_program(self.args[0])
        if self.windows:
            env = wine_environment(env)
            if env.get("HB_WINEPREFIX_PRIVATE") == "1":
                _wine_sessions.add(env.get("WINEPREFIX") or os.path.expanduser("~/.wine"))
            command = ["wine"] + self.args
        else:
            env = dict(os.environ if env is None else env)
            command = self.args
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen(command, env=env, cwd=cwd, stdout=self.output, stderr=subprocess.STDOUT)

    def wait(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired as error:
            raise DriverError(f"{self.args[0]} did not end within {timeout:.0f} s") from error

    def running(self):
        return self.process.poll() is None

    def text(self):
        self.output.seek(0)
        return self.output.read().decode("utf-8", "replace")

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()

    def real_pid(self):
        """The pid whose CPU time counts: the program itself, or under Wine the
        process of ours (the launcher or one of its descendants) whose command
        line names the .exe and is not a wine launcher."""
        if not self.windows:
            return self.process.pid
        name = os.path.basename(self.args[0]).lower()

        def parent_of(pid):
            try:
                with open(f"/proc/{pid}/stat") as f:
                    return int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                return None

        def ours(pid):
            while pid and pid > 1:
                if pid == self.process.pid:
                    return True
                pid = parent_of(pid)
            return False

        def find():
            for entry in os.listdir("/proc"):
                if not entry.isdigit() or not ours(int(entry)):
                    continue
                try:
                    with open(f"/proc/{entry}/cmdline", "rb") as f:
                        cmdline = f.read().decode("utf-8", "replace").lower()
                except OSError:
                    continue
                if name in cmdline and "wine" not in os.path.basename(cmdline.split("\0")[0]):
                    return int(entry)
            return None
        return poll(find, what=f"the process of {name}")

    def cpu_seconds(self):
        """User and system CPU time of the real process so far."""
        with open(f"/proc/{self.real_pid()}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        ticks = os.sysconf("SC_CLK_TCK")
        return (int(fields[11]) + int(fields[12])) / ticks

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()


def launch(args, env=None, cwd=None):
    return Program(args, env=env, cwd=cwd)


def _xdotool(*args, check=True):
    result = subprocess.run(["xdotool"] + [str(a) for a in args], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise DriverError(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def find_windows(title):
    """Ids of the mapped windows whose title is exactly `title`."""
    output = _xdotool("search", "--onlyvisible", "--name", f"^{re.escape(title)}$", check=False)
    return [int(line) for line in output.split()]


def wait_window(title, timeout=DEFAULT_TIMEOUT):
    """The id of the window with that title, once it is shown."""
    return poll(lambda: (find_windows(title) or [None])[0], timeout=timeout, what=f"a window titled {title!r}")


def wait_no_window(title, timeout=DEFAULT_TIMEOUT):
    poll(lambda: not find_windows(title), timeout=timeout, what=f"the window titled {title!r} to go away")


class Geometry:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    def __repr__(self):
        return f"Geometry({self.x}, {self.y}, {self.width}, {self.height})"


def geometry(window_id):
    """The client area of the window on the screen (without a window manager,
    X reports the client area itself)."""
    values = {}
    for line in _xdotool("getwindowgeometry", "--shell", window_id).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value) if value.lstrip("-").isdigit() else value
    return Geometry(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"])


def pointer_position():
    """Where X has the pointer, in screen pixels."""
    values = {}
    for line in _xdotool("getmouselocation", "--shell").splitlines():
        key, _, value = line.partition("=")
        values[key] = value
    return int(values["X"]), int(values["Y"])


def move_pointer(x, y):
    """Moves the pointer and waits until X has it there. (xdotool's own --sync
    waits about 15 s when the pointer is already at the point.)"""
    _xdotool("mousemove", x, y)
    poll(lambda: pointer_position() == (x, y), timeout=10, interval=0.01, what=f"the pointer to reach ({x}, {y})")


def click(x, y, button=1, repeat=1):
    """Moves the pointer to the screen point and clicks there."""
    move_pointer(x, y)
    _xdotool("click", "--repeat", repeat, "--delay", 80, button)


def press(button=1):
    _xdotool("mousedown", button)


def release(button=1):
    _xdotool("mouseup", button)


def focus(window_id):
    _xdotool("windowfocus", "--sync", window_id, check=False)


def key(*names, window_id=None):
    """Types key names (xdotool's: Tab, Return, space, shift+Tab, a, ...)."""
    if window_id is not None:
        focus(window_id)
    _xdotool("key", "--delay", 60, *names)


def close_window(window_id):
    """Presses the close box: sends WM_DELETE_WINDOW, as a window manager does."""
    from Xlib import X, display as xdisplay
    from Xlib.protocol import event
    connection = xdisplay.Display()
    try:
        window = connection.create_resource_object("window", window_id)
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        message = event.ClientMessage(window=window, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        # A round trip, so the server has handled the message before this
        # connection closes (a flush alone sometimes lost it under load).
        connection.sync()
    finally:
        connection.close()


def drop_files(window_id, x, y, paths, timeout=DEFAULT_TIMEOUT):
    """Drops files on the window at the screen point (x, y) the way a file
    manager does, over XDND, with this process as the drag source: it holds
    the pointer (a grab, so the window sees no pointer events, as during a
    real drag), moves it to the point, offers the paths as text/uri-list and
    answers the window's request for them. Returns once the window reports
    the drop finished; fails when the window does not take the drop."""
    from urllib.parse import quote
    from Xlib import X, Xatom, display as xdisplay
    from Xlib.protocol import event

    connection = xdisplay.Display()
    atom = connection.intern_atom
    uri_list = atom("text/uri-list")
    source = connection.screen().root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
    target = connection.create_resource_object("window", window_id)
    deadline = time.monotonic() + timeout

    def send(kind, values):
        message = event.ClientMessage(window=target, client_type=atom(kind), data=(32, values + [0] * (5 - len(values))))
        target.send_event(message, event_mask=X.NoEventMask)
        connection.flush()

    def next_event():
        poll(lambda: connection.pending_events() > 0, timeout=max(deadline - time.monotonic(), 0.1), interval=0.01,
             what="an XDND answer from the window")
        return connection.next_event()

    def wait_client_message(kind, on_request=None):
        while True:
            received = next_event()
            if received.type == X.ClientMessage and received.client_type == atom(kind):
                return received
            if received.type == X.SelectionRequest and on_request:
                on_request(received)

    def answer(request):
        data = "".join(f"file://{quote(path)}\r\n" for path in paths).encode()
        answered = X.NONE
        if request.target == uri_list:
            request.requestor.change_property(request.property, uri_list, 8, data)
            answered = request.property
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor, selection=request.selection,
                                       target=request.target, property=answered)
        request.requestor.send_event(notify, event_mask=X.NoEventMask)
        connection.flush()

    root = connection.screen().root
    try:
        aware = target.get_full_property(atom("XdndAware"), Xatom.ATOM)
        if aware is None:
            raise DriverError(f"window {window_id} does not take drops (no XdndAware)")
        version = min(5, aware.value[0])
        grabbed = root.grab_pointer(False, X.ButtonReleaseMask | X.PointerMotionMask, X.GrabModeAsync,
                                    X.GrabModeAsync, X.NONE, X.NONE, X.CurrentTime)
        if grabbed != X.GrabSuccess:
            raise DriverError(f"the drag source could not hold the pointer ({grabbed})")
        move_pointer(x, y)
        source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)
        send("XdndEnter", [source.id, version << 24, uri_list])
        send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
        status = wait_client_message("XdndStatus")
        if not status.data[1][1] & 1:
            send("XdndLeave", [source.id])
            raise DriverError(f"window {window_id} refused the drop")
        send("XdndDrop", [source.id, 0, X.CurrentTime])
        wait_client_message("XdndFinished", on_request=answer)
    finally:
        connection.ungrab_pointer(X.CurrentTime)
        source.destroy()
        connection.close()


def screenshot(path=None):
    """The whole screen as an RGB image (saved to path when one is given)."""
    data = subprocess.run(["import", "-window", "root", "png:-"], capture_output=True, check=True).stdout
    with tempfile.SpooledTemporaryFile() as buffer:
        buffer.write(data)
        buffer.seek(0)
        picture = Image.open(buffer).convert("RGB")
        picture.load()
    if path is not None:
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        picture.save(path)
    return picture


def window_shot(window_id, path=None):
    """The client area of a window as an RGB image."""
    where = geometry(window_id)
    picture = screenshot().crop((where.x, where.y, where.x + where.width, where.y + where.height))
    if path is not None:
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        picture.save(path)
    return picture


def close_to(actual, expected, tolerance=2):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def rgb(red, green, blue):
    """A colour given as floats 0..1 (as the toolkit writes them) in 0..255."""
    return tuple(round(c * 255) for c in (red, green, blue))


def wait_pixel(window_id, x, y, expected, tolerance=2, timeout=DEFAULT_TIMEOUT):
    """Waits until the client pixel (x, y) of the window has the colour; returns
    the last client-area shot."""
    def check():
        shot = window_shot(window_id)
        return shot if close_to(shot.getpixel((x, y)), expected, tolerance) else None
    return poll(check, timeout=timeout, interval=0.1,
                what=f"pixel ({x}, {y}) of window {window_id} to be {expected}")


def bounding_box(picture, area, background, tolerance=40):
    """The box (left, top, right, bottom) of the pixels inside area that differ
    from the background by more than tolerance in some channel; None when none do."""
    left, top, right, bottom = area
    found = None
    for y in range(top, bottom):
        for x in range(left, right):
            if not close_to(picture.getpixel((x, y)), background, tolerance):
                if found is None:
                    found = [x, y, x + 1, y + 1]
                else:
                    found = [min(found[0], x), min(found[1], y), max(found[2], x + 1), max(found[3], y + 1)]
    return tuple(found) if found else None


def stop_signal(program):
    if program.running():
        program.process.send_signal(signal.SIGTERM)
