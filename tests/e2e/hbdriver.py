"""Drives the toolkit's programs the way a person would, on a private X display.

Each test runs on its own Xvfb (started by `virtual_display`), so tests can run
side by side; a display for a Windows program has a small window manager
(openbox) on it as a desktop has (see window_manager_wanted). Programs are started
natively, or under Wine for a Windows .exe (`launch` looks at the file name).
Windows are found by their title, clicked and typed into with xdotool, closed
through the window manager's close action (WM_DELETE_WINDOW), and looked at
through screenshots of the root window.

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


def run_scenarios(scenarios, window_manager=None, program=None):
    """Runs each (name, action) pair on a private display of its own and
    prints ok, skip (with the reason) or FAIL (with the traceback) for each,
    then the counts. Returns the names of the scenarios that failed. The
    displays have a window manager when window_manager says so, or when it is
    None as window_manager_wanted(program) says."""
    failed, skipped = [], []
    for name, action in scenarios:
        started = time.monotonic()
        try:
            with virtual_display(window_manager=window_manager, program=program):
                action()
            print(f"ok    {name} ({time.monotonic() - started:.1f} s)")
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


# The window manager of the private displays: openbox with its packaged
# settings (click to focus, new windows focused, frames with a close box), so
# a user's own openbox settings do not change the tests.
WINDOW_MANAGER = ["openbox", "--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"]

# Whether the current private display has a window manager (see virtual_display).
_display = {"window_manager": False}


def window_manager_wanted(program=None):
    """Whether a private display gets a window manager. HB_E2E_WINDOW_MANAGER=1
    or 0 decides when set (to compare runs with and without one). Otherwise a
    display for a Windows program gets one: without it Wine stalls about 2 s
    each time a window hides, waiting for a window manager's answer. A display
    for a native program does not: under a reparenting window manager the
    Linux build places a window's frame where it means its client area (the
    client lands the frame's left and top edges further, pop-ups off their
    owner's centre by as much), so its position checks hold only without one.
    With no program named, the display gets one."""
    forced = os.environ.get("HB_E2E_WINDOW_MANAGER")
    if forced in ("0", "1"):
        return forced == "1"
    return program is None or is_windows_program(program)


def has_window_manager():
    """Whether a window manager runs on the current private display."""
    return _display["window_manager"]


def _window_manager_ready(display):
    """Whether a window manager has announced itself on the display (EWMH's
    _NET_SUPPORTING_WM_CHECK on the root window)."""
    result = subprocess.run(["xprop", "-display", display, "-root", "_NET_SUPPORTING_WM_CHECK"],
                            capture_output=True, text=True)
    return result.returncode == 0 and "window id" in result.stdout


def _start_window_manager(display):
    env = dict(os.environ)
    env["DISPLAY"] = display
    try:
        manager = subprocess.Popen(WINDOW_MANAGER, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except FileNotFoundError as error:
        raise DriverError(f"{WINDOW_MANAGER[0]} is not installed (scripts/setup.sh installs it)") from error
    try:
        poll(lambda: manager.poll() is not None or _window_manager_ready(display), timeout=20,
             what=f"{WINDOW_MANAGER[0]} to start")
    except DriverError:
        manager.kill()
        raise
    if manager.poll() is not None:
        raise DriverError(f"{WINDOW_MANAGER[0]} ended at start with {manager.returncode}")
    try:
        _wait_window_manager_maps(display)
    except DriverError:
        _stop(manager)
        raise
    return manager


def _wait_window_manager_maps(display, timeout=20):
    """Waits until the window manager shows a window of ours. openbox announces
    itself before it is done starting, and a window mapped in between can stay
    unmapped for good (seen in 2 of 4 starts); so a small window is mapped,
    mapped again each half second until it shows, then destroyed."""
    from Xlib import X, display as xdisplay
    connection = xdisplay.Display(display)
    try:
        window = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        window.set_wm_name("hbdriver window manager check")
        deadline = time.monotonic() + timeout
        while True:
            window.map()
            connection.sync()
            asked = time.monotonic()
            while time.monotonic() - asked < 0.5:
                if window.get_attributes().map_state == X.IsViewable:
                    window.destroy()
                    connection.sync()
                    return
                time.sleep(0.01)
            if time.monotonic() > deadline:
                raise DriverError(f"{WINDOW_MANAGER[0]} did not show a window within {timeout} s")
            window.unmap()
            connection.sync()
    finally:
        connection.close()


def _stop(process):
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


@contextlib.contextmanager
def virtual_display(width=1280, height=1024, window_manager=None, program=None):
    """Starts a private Xvfb (reset disabled, so the pointer stays where it was
    put) with a window manager on it when window_manager says so, or when it
    is None as window_manager_wanted(program) says, and points DISPLAY at it
    for this process and its children."""
    if window_manager is None:
        window_manager = window_manager_wanted(program)
    for _attempt in range(5):
        number = _free_display_number()
        server = subprocess.Popen(
            ["Xvfb", f":{number}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display = f":{number}"
        try:
            poll(lambda: server.poll() is not None or subprocess.run(
                ["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL).returncode == 0, timeout=20, interval=0.02, what="Xvfb to start")
        except DriverError:
            server.kill()
            raise
        if server.poll() is None:
            break
    else:
        raise DriverError("Xvfb did not start")
    manager = None
    try:
        if window_manager:
            manager = _start_window_manager(display)
    except BaseException:
        _stop(server)
        raise
    previous = os.environ.get("DISPLAY")
    os.environ["DISPLAY"] = display
    _display["window_manager"] = manager is not None
    try:
        yield display
    finally:
        _end_wine_sessions()
        _display["window_manager"] = False
        if previous is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = previous
        if manager is not None:
            _stop(manager)
        _stop(server)


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


def active_window():
    """The window the window manager calls active (_NET_ACTIVE_WINDOW), or None."""
    output = _xdotool("getactivewindow", check=False).strip()
    return int(output) if output.isdigit() else None


def wait_no_window(title, timeout=DEFAULT_TIMEOUT):
    poll(lambda: not find_windows(title), timeout=timeout, what=f"the window titled {title!r} to go away")


class Geometry:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    def __repr__(self):
        return f"Geometry({self.x}, {self.y}, {self.width}, {self.height})"


def geometry(window_id):
    """The client area of the window on the screen: the X window's size and
    where its origin lies on the root window, so a window manager's frame
    around it is left out. (xdotool getwindowgeometry adds a frame's offset a
    second time for a window inside one.)"""
    from Xlib import display as xdisplay
    connection = xdisplay.Display()
    try:
        window = connection.create_resource_object("window", window_id)
        size = window.get_geometry()
        origin = connection.screen().root.translate_coords(window, 0, 0)
        return Geometry(origin.x, origin.y, size.width, size.height)
    finally:
        connection.close()


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


def has_focus(window_id):
    """Whether X's keyboard focus is on the window or inside it."""
    from Xlib import display as xdisplay
    connection = xdisplay.Display()
    try:
        window = connection.get_input_focus().focus
        root = connection.screen().root.id
        while window and not isinstance(window, int) and window.id != root:
            if window.id == window_id:
                return True
            window = window.query_tree().parent
        return False
    finally:
        connection.close()


def focus(window_id, timeout=10):
    """Gives the window the keyboard. With a window manager it is activated as
    a click on it would (the manager hands it the focus), and this waits until
    X has the focus there; without one X's focus is set directly."""
    if not has_window_manager():
        _xdotool("windowfocus", "--sync", window_id, check=False)
        return
    if has_focus(window_id):
        return
    _xdotool("windowactivate", window_id, check=False)
    poll(lambda: has_focus(window_id), timeout=timeout, interval=0.02, what=f"window {window_id} to have the keyboard")


def key(*names, window_id=None):
    """Types key names (xdotool's: Tab, Return, space, shift+Tab, a, ...)."""
    if window_id is not None:
        focus(window_id)
    _xdotool("key", "--delay", 60, *names)


def close_window(window_id):
    """Presses the close box. With a window manager this asks it to close the
    window (_NET_CLOSE_WINDOW), which sends the window WM_DELETE_WINDOW as its
    close box does, or does nothing when the window offers no close; without
    one this sends WM_DELETE_WINDOW itself (see send_delete_window)."""
    if not has_window_manager():
        send_delete_window(window_id)
        return
    from Xlib import X, display as xdisplay
    from Xlib.protocol import event
    connection = xdisplay.Display()
    try:
        root = connection.screen().root
        window = connection.create_resource_object("window", window_id)
        close = connection.intern_atom("_NET_CLOSE_WINDOW")
        # Source indication 2: a request on behalf of the user.
        message = event.ClientMessage(window=window, client_type=close, data=(32, [X.CurrentTime, 2, 0, 0, 0]))
        root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        connection.sync()
    finally:
        connection.close()


def send_delete_window(window_id):
    """Sends the window WM_DELETE_WINDOW directly, as a window manager does
    when its close box is pressed."""
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
