"""End-to-end test of the driver itself (hbdriver.py) on a plain X window made
here, with the window manager and without one: the client area it reports is
where the window's pixels are on the screen, its close box reaches the window
as WM_DELETE_WINDOW, keys go to the window it focuses, and a window that hides
is gone for wait_no_window.

    driver_test.py
"""

import sys

from Xlib import X, Xutil, display as xdisplay

import hbdriver as d

COLOUR = (20, 200, 30)
TITLE = "driver probe"


class ProbeWindow:
    """A 300 x 200 window of one colour, asked at (100, 80), that takes
    WM_DELETE_WINDOW and records what it receives."""

    def __init__(self, title=TITLE, transient_for=None):
        self.connection = xdisplay.Display()
        screen = self.connection.screen()
        colormap = screen.default_colormap
        pixel = colormap.alloc_color(*(c * 257 for c in COLOUR)).pixel
        self.window = screen.root.create_window(
            100, 80, 300, 200, 0, screen.root_depth, X.InputOutput, X.CopyFromParent, background_pixel=pixel,
            event_mask=X.StructureNotifyMask | X.KeyPressMask | X.FocusChangeMask)
        self.window.set_wm_name(title)
        self.window.set_wm_normal_hints(flags=Xutil.PPosition | Xutil.PSize, x=100, y=80, width=300, height=200)
        self.window.set_wm_protocols([self.connection.intern_atom("WM_DELETE_WINDOW")])
        if transient_for is not None:
            self.window.set_wm_transient_for(transient_for.window)
        self.window.map()
        self.connection.sync()
        self.events = []

    def take_events(self):
        while self.connection.pending_events():
            self.events.append(self.connection.next_event())
        return self.events

    def received(self, kind, detail=None):
        """Whether the window got an event of the kind (and detail, for a
        key press its keycode, for a client message its atom's name)."""
        for event in self.take_events():
            if event.type != kind:
                continue
            if detail is None:
                return True
            if kind == X.ClientMessage and self.connection.get_atom_name(event.data[1][0]) == detail:
                return True
            if kind == X.KeyPress and event.detail == detail:
                return True
        return False

    def close(self):
        self.connection.close()


def scenario_geometry_and_screenshot(_wm):
    probe = ProbeWindow()
    try:
        window = d.wait_window(TITLE)
        assert window == probe.window.id, f"found {window}, made {probe.window.id}"
        where = d.geometry(window)
        assert (where.width, where.height) == (300, 200), where
        # The pixels at the reported place are the window's, edge to edge.
        shot = d.poll(lambda: (lambda s: s if s.getpixel((0, 0)) == COLOUR else None)(d.window_shot(window)),
                      what="the probe's colour")
        for point in ((0, 0), (299, 0), (0, 199), (299, 199), (150, 100)):
            assert shot.getpixel(point) == COLOUR, f"client pixel {point} is {shot.getpixel(point)}"
        screen = d.screenshot()
        for outside in ((where.x - 1, where.y), (where.x, where.y - 1), (where.x + 300, where.y + 199),
                        (where.x + 299, where.y + 200)):
            assert screen.getpixel(outside) != COLOUR, f"screen pixel {outside} is the window's: {where}"
    finally:
        probe.close()


def scenario_keys_reach_the_focused_window(_wm):
    first = ProbeWindow()
    second = ProbeWindow("driver probe 2")
    try:
        window = d.wait_window(TITLE)
        other = d.wait_window("driver probe 2")
        keycode = first.connection.keysym_to_keycode(ord("a"))
        for target, probe, bystander in ((window, first, second), (other, second, first), (window, first, second)):
            probe.take_events()
            bystander.take_events()
            probe.events.clear()
            bystander.events.clear()
            d.key("a", window_id=target)
            assert d.has_focus(target), f"window {target} does not have the keyboard"
            d.poll(lambda probe=probe: probe.received(X.KeyPress, keycode), timeout=10,
                   what=f"the key at window {target}")
            assert not bystander.received(X.KeyPress), "the key went to the other window too"
    finally:
        first.close()
        second.close()


def scenario_close_box(_wm):
    probe = ProbeWindow()
    try:
        window = d.wait_window(TITLE)
        d.close_window(window)
        d.poll(lambda: probe.received(X.ClientMessage, "WM_DELETE_WINDOW"), timeout=10, what="WM_DELETE_WINDOW")
        # The close box asks; the window decides: it is still there.
        assert d.find_windows(TITLE) == [window]
        probe.window.unmap()
        probe.connection.sync()
        d.wait_no_window(TITLE, timeout=10)
    finally:
        probe.close()


def scenario_transient_keeps_its_place(wm):
    """A pop-up that asks for a place with its position hint gets it; with a
    window manager its frame goes there, so the client area lies inside by
    the frame's left and top extents."""
    owner = ProbeWindow()
    popup = ProbeWindow("driver probe popup", transient_for=owner)
    try:
        window = d.wait_window("driver probe popup")
        where = d.geometry(window)
        left, top = frame_extents(window) if wm else (0, 0)
        assert (where.x, where.y) == (100 + left, 80 + top), f"pop-up at {where}, frame {left}, {top}"
    finally:
        popup.close()
        owner.close()


def frame_extents(window):
    """The left and top of _NET_FRAME_EXTENTS, as the window manager set it."""
    connection = xdisplay.Display()
    try:
        target = connection.create_resource_object("window", window)
        atom = connection.intern_atom("_NET_FRAME_EXTENTS")
        extents = d.poll(lambda: target.get_full_property(atom, X.AnyPropertyType), timeout=10,
                         what="the frame extents")
        return extents.value[0], extents.value[2]
    finally:
        connection.close()


SCENARIOS = [scenario_geometry_and_screenshot, scenario_keys_reach_the_focused_window, scenario_close_box,
             scenario_transient_keeps_its_place]


def main():
    failed = []
    for wm in (True, False):
        label = "with a window manager" if wm else "without a window manager"

        def checked(scenario, wm=wm):
            assert d.has_window_manager() == wm, "the display's window manager is not what was asked"
            scenario(wm)
        failed += d.run_scenarios([(f"{scenario.__name__} ({label})", lambda s=scenario: checked(s))
                                   for scenario in SCENARIOS], window_manager=wm)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
