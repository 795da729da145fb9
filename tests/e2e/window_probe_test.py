"""End-to-end test of a native toolkit window: tests/ui/window_probe, driven
through a real display with real input.

    window_probe_test.py PROBE [SCREENSHOT_DIR]

PROBE is the Linux window_probe or the Windows window_probe.exe (run under
Wine). Each scenario runs on its own Xvfb; the script exits non-zero when one
fails and names it.
"""

import os
import sys
import tempfile
import time

import hbdriver as d

TITLE = "window_probe"
POPUP = "window_probe popup"
RED, GREEN, YELLOW = (255, 0, 0), (0, 255, 0), (255, 255, 0)


def lines_of(program):
    return program.text().splitlines()


def wait_line(program, line, timeout=d.DEFAULT_TIMEOUT):
    """Waits for the line in the program's output; fails at once when the
    program ends without it, and names its output either way."""
    def seen():
        # Whether it still runs is read first: output written before it ended is then complete.
        ended = not program.running()
        if line in lines_of(program):
            return "seen"
        return "ended" if ended else None
    try:
        outcome = d.poll(seen, timeout=timeout, what=f"the line {line!r}")
    except d.DriverError as error:
        raise d.DriverError(f"{error}; output so far:\n{program.text()}") from None
    if outcome == "ended":
        raise d.DriverError(f"the program ended without the line {line!r}; output:\n{program.text()}")


def count(program, line):
    return lines_of(program).count(line)


def start(probe):
    program = d.launch([probe])
    window = d.wait_window(TITLE)
    d.wait_pixel(window, 50, 150, RED)
    d.wait_pixel(window, 300, 150, GREEN)
    return program, window


def scenario_size_and_paint(probe, shots):
    program, window = start(probe)
    with program:
        where = d.geometry(window)
        assert (where.width, where.height) == (400, 300), f"client area {where}"
        wait_line(program, "client {} {} 400 300".format(where.x, where.y))
        d.window_shot(window, f"{shots}/window_probe.png" if shots else None)


def scenario_mouse(probe, _shots):
    program, window = start(probe)
    with program:
        where = d.geometry(window)
        left = (where.x + 50, where.y + 150)
        right = (where.x + 300, where.y + 150)
        # The first move after entering only starts tracking; the next is dispatched.
        d.move_pointer(*left)
        d.move_pointer(left[0] + 5, left[1])
        wait_line(program, "event left 5 0")
        d.click(*left, button=1)
        wait_line(program, "event left 2 0")
        wait_line(program, "event left 1 0")
        d.click(*left, button=3)
        wait_line(program, "event left 2 2")
        d.click(*left, button=2)
        wait_line(program, "event left 1 1")
        d.click(*left, button=4)
        wait_line(program, "event left 4 60.000000")
        d.click(*left, button=5)
        wait_line(program, "event left 4 -60.000000")
        # A double click: the left panel has a list for it, the right one not.
        d.click(*left, repeat=2)
        wait_line(program, "event left 3 0")
        before = count(program, "event right 2 0")
        d.click(*right, repeat=2)
        d.poll(lambda: count(program, "event right 2 0") >= before + 2, what="two presses on the right panel")
        assert "event right 3 0" not in lines_of(program)
        wait_line(program, "event left 6 0")
        wait_line(program, "event right 5 0")


def scenario_keys_and_timers(probe, _shots):
    program, window = start(probe)
    with program:
        d.key("a", window_id=window)
        wait_line(program, "event window 8 65")
        wait_line(program, "event root 10 97")
        wait_line(program, "event window 9 65")
        # The probe's input method is attached; without an IME nothing composes.
        assert not [line for line in lines_of(program) if line.startswith("event root 30 ")], program.text()
        d.key("Return", window_id=window)
        wait_line(program, "event window 8 13")
        # Tab asks whether shift is down, as the focus order does.
        d.key("shift+Tab", window_id=window)
        wait_line(program, "tab with shift down")
        d.key("Tab", window_id=window)
        wait_line(program, "tab with shift up")
        wait_line(program, "timer 8 killed")
        assert count(program, "event window 14 8") == 3, program.text()
        wait_line(program, "event window 14 7")
        assert count(program, "event window 14 7") == 1, program.text()


def scenario_nested_loop(probe, shots):
    program, window = start(probe)
    with program:
        where = d.geometry(window)
        d.key("p", window_id=window)
        wait_line(program, "popup open")
        popup = d.wait_window(POPUP)
        d.wait_pixel(popup, 100, 50, YELLOW)
        if shots:
            d.screenshot(f"{shots}/window_probe_popup.png")
        # The owner is disabled while the pop-up's loop runs.
        presses = count(program, "event left 2 0")
        d.click(where.x + 50, where.y + 150)
        d.click(*popup_point(popup))
        wait_line(program, "event popup 1 0")
        assert count(program, "event left 2 0") == presses, "the owner took a click during the pop-up's loop"
        d.key("Return", window_id=popup)
        wait_line(program, "popup result 5")
        d.wait_no_window(POPUP)
        d.click(where.x + 50, where.y + 150)
        d.poll(lambda: count(program, "event left 2 0") > presses, what="the owner to take clicks again")


def popup_point(popup):
    where = d.geometry(popup)
    return where.x + 100, where.y + 50


def scenario_close_box(probe, _shots):
    program, window = start(probe)
    with program:
        d.close_window(window)
        wait_line(program, "loop ended result 0")
        code = program.wait()
        assert code == 0, f"exit status {code}\n{program.text()}"


def settle(program, interval=0.5):
    """Waits until the program used no CPU for an interval: the start-up work
    (under Wine the repaints after the first frame, up to 0.6 s) is done."""
    def quiet():
        before = program.cpu_seconds()
        started = time.monotonic()
        d.poll(lambda: time.monotonic() - started >= interval, what="an interval", interval=0.05)
        return program.cpu_seconds() == before
    d.poll(quiet, interval=0, what="the program to become idle")


def scenario_idle_cpu(probe, _shots):
    program, window = start(probe)
    with program:
        wait_line(program, "timer 8 killed")
        wait_line(program, "event window 14 7")
        settle(program)
        before = program.cpu_seconds()
        started = time.monotonic()
        d.poll(lambda: time.monotonic() - started >= 2.0, what="two seconds", interval=0.2)
        used = program.cpu_seconds() - before
        print(f"idle CPU over 2 s: {used * 1000:.0f} ms")
        assert used < 0.020, f"an idle window used {used * 1000:.0f} ms of CPU in 2 s"
        # Two seconds later, the one-shot timer has still fired once and the killed one no more.
        assert count(program, "event window 14 7") == 1, program.text()
        assert count(program, "event window 14 8") == 3, program.text()


def scenario_file_drop(probe, _shots):
    if d.is_windows_program(probe):
        print("scenario_file_drop: XDND into Wine is not exercised here")
        return
    program, window = start(probe)
    with program, tempfile.TemporaryDirectory() as folder:
        paths = [os.path.join(folder, name) for name in ("b.obj", "maps", "a \u00e9t\u00e9.txt")]
        for path in paths[0], paths[2]:
            with open(path, "w") as f:
                f.write("x")
        os.mkdir(paths[1])
        where = d.geometry(window)
        # The right panel takes no drop; the left one gets the files, folders left out.
        d.drop_files(window, where.x + 300, where.y + 150, paths)
        d.drop_files(window, where.x + 50, where.y + 150, paths)
        expected = [paths[0], paths[2]]
        # Linux delivers paths as the system spells them.
        wait_line(program, "files left 2 " + "|".join(expected))
        assert len([line for line in lines_of(program) if line.startswith("files ")]) == 1, program.text()


SCENARIOS = [scenario_size_and_paint, scenario_mouse, scenario_keys_and_timers, scenario_nested_loop,
             scenario_close_box, scenario_idle_cpu, scenario_file_drop]


def main():
    probe = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    failed = d.run_scenarios([(scenario.__name__, lambda scenario=scenario: scenario(probe, shots))
                              for scenario in SCENARIOS], program=probe)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
