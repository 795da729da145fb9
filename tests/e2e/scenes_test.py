"""Pixel tests of the renderer on real windows: every scene of ui_scenes,
drawn by the Linux backend (cairo on SDL, under Xvfb) and by the Windows
backend (Direct2D under Wine), screenshotted and checked.

    scenes_test.py OUTPUT_DIR [--linux UI_SCENES] [--windows UI_SCENES_EXE]

For each backend given: the calibration scene's shapes sit on exact pixels,
the rich text scene's runs put their ink where they should (checked by
bounding boxes, so that the two text libraries both pass), and every scene's
screenshot is saved as OUTPUT_DIR/<backend>/<scene>.png.
With both backends: each scene gives the same colours in its solid regions
(within 2/255) and the same geometry (an edge may move by 1 pixel); text is
compared by its bounding box; regions where the two libraries are allowed to
differ (antialiased text, filtered scaling, dots that Wine draws solid) are
left out of the comparison and listed here.
"""

import argparse
import os
import subprocess
import sys
import traceback

import hbdriver as d

TOLERANCE = 2

WHITE = (255, 255, 255)
# The rich text scene's three labels (left, top, right, bottom), one line each:
# "Tidewater Kit" regular, the same with "Tidewater" bold, and "Red and Blue"
# with a red and a blue run around text in the default colour (black).
RICH_LINES = [(20, 30, 380, 80), (20, 110, 380, 160), (20, 190, 380, 240)]

# The colour at (5, 5) once a scene is painted.
BACKGROUNDS = {
    "calibration": d.rgb(0.2, 0.4, 0.6),
    "shadows": d.rgb(0.85, 0.85, 0.85),
    "rich_text": WHITE,
}
DARK = d.rgb(0.15, 0.15, 0.15)

# Rectangles (left, top, right, bottom) left out of the comparison of two
# backends, and text boxes compared by the bounding box of their ink.
EXCLUDED = {
    "calibration": [(0, 200, 400, 300)],
    "text": [(0, 0, 400, 300)],
    "images": [(140, 20, 150, 30)],  # the picture scaled to half: Fant and cairo filter differently
    "dotted": [(0, 0, 400, 190)],  # Wine draws dashes solid
    # Captions, and the dotted focus outlines (solid under Wine).
    "buttons": [(20, 20, 380, 130)],
    "checkboxes": [(36, 20, 400, 220), (19, 134, 36, 162)],
    "labels": [(0, 0, 400, 300)],
    "rich_text": RICH_LINES,
}
TEXT_BOXES = {
    "calibration": [((0, 200, 400, 300), d.rgb(0.2, 0.4, 0.6))],
    "text": [((10 + c * 130, 10 + r * 75, 130 + c * 130, 75 + r * 75), DARK) for r in range(3) for c in range(3)],
    "rich_text": [(line, WHITE) for line in RICH_LINES],
}


# The widget scenes: colours of the default looks at known places.
BUTTON = d.rgb(0.173, 0.176, 0.192)
BUTTON_HOVER = d.rgb(0.239, 0.247, 0.263)
BUTTON_TOGGLE = d.rgb(0.188, 0.29, 0.506)
BUTTON_FOCUS = d.rgb(0.6, 0.6, 0.6)
WHITE = (255, 255, 255)
CHECK_BORDER = d.rgb(0.294, 0.294, 0.294)
CHECK_FOCUS = d.rgb(0.255, 0.584, 0.753)
SCROLL_TRACK = d.rgb(0.067, 0.071, 0.078)
SCROLL_THUMB = d.rgb(0.145, 0.149, 0.165)
SCROLL_BUTTON = d.rgb(0.22, 0.235, 0.251)
POPUP = d.rgb(0.2313, 0.2313, 0.2549)
STRIPE_A, STRIPE_B = d.rgb(0.3, 0.5, 0.7), d.rgb(0.2, 0.3, 0.4)


def button_box(i):
    return 20 + (i % 3) * 125, 20 + (i // 3) * 50


def check_widgets(name, shot, label):
    """Pixels of the default looks in the widget scenes."""
    expectations = []
    if name == "buttons":
        fills = [BUTTON, BUTTON_HOVER, BUTTON, BUTTON, BUTTON_TOGGLE, BUTTON]
        for i, fill in enumerate(fills):
            x, y = button_box(i)
            expectations.append(((x + 4, y + 4), fill, f"button {i} fill"))
        expectations.append(((button_box(1)[0], button_box(1)[1] + 15), WHITE, "hover outline"))
        x, y = button_box(2)
        edge = [shot.getpixel((x, y + k)) for k in range(30)]
        dots = sum(d.close_to(p, BUTTON_FOCUS, TOLERANCE) for p in edge)
        # Dotted: every other pixel (Wine draws dashes solid: every pixel).
        assert dots >= 14, f"{label} {name}: the focus outline has {dots} of 30 pixels in its colour"
        expectations.append(((button_box(0)[0], button_box(0)[1] + 15), BUTTON, "no outline (transparent)"))
    elif name == "checkboxes":
        # The box (14 x 14) sits at the left, centred in the 24-high row: (20, 25 + 40 i).
        for i, colour in ((0, CHECK_BORDER), (1, CHECK_BORDER), (2, WHITE), (4, CHECK_BORDER)):
            expectations.append(((20, 25 + 40 * i + 7), colour, f"check box {i} outline"))
        unchecked, checked = shot.getpixel((27, 32)), shot.getpixel((27, 72))
        assert not d.close_to(unchecked, checked, 30), f"{label} {name}: checked and unchecked frames look alike"
        assert d.close_to(shot.getpixel((27, 192)), unchecked, TOLERANCE), f"{label} {name}: a disabled box shows the checked frame"
        focus_edge = [shot.getpixel((x, 145)) for x in range(20, 34)]
        assert any(d.close_to(p, CHECK_FOCUS, TOLERANCE) for p in focus_edge), f"{label} {name}: no focus outline {focus_edge}"
    elif name == "scrollbars":
        expectations += [((206, 24), SCROLL_BUTTON, "first arrow button"), ((206, 164), SCROLL_BUTTON, "second arrow button"),
                         ((206, 50), SCROLL_TRACK, "track"), ((206, 78), SCROLL_THUMB, "thumb at position 100"),
                         ((25, 25), STRIPE_B, "content scrolled by 100"), ((45, 25), STRIPE_A, "content scrolled by 100"),
                         ((30, 267), SCROLL_BUTTON, "left arrow button"), ((60, 267), SCROLL_TRACK, "horizontal track")]
    for (x, y), colour, what in expectations:
        actual = shot.getpixel((x, y))
        assert d.close_to(actual, colour, TOLERANCE), f"{label} {name}: {what} at ({x}, {y}) is {actual}, expected {colour}"


POPUPS = {"popup_ok": 1, "popup_ok_cancel": 2, "popup_yes_no": 2}


def capture_popup(program, name, path, label):
    """A pop-up scene: the pop-up's size, place, buttons and result; the
    first button, the second and the close box answer 1, 0 and 0."""
    with d.launch([program, name]) as running:
        window = d.wait_window(f"ui_scenes: {name}")
        popup = d.wait_window("Question")
        shot = d.wait_pixel(popup, 10, 10, POPUP)
        d.screenshot(path)
        owner, where = d.geometry(window), d.geometry(popup)
        assert where.width == 360 and 95 <= where.height <= 120, f"{label} {name}: pop-up {where}"
        # The pop-up's client size is centred on its owner's outer rectangle,
        # then placed by its own outer position: with a frame (Wine draws one:
        # left, right and bottom alike, the caption on top) the client area
        # sits one frame inset off the middle. The owner's outer corner is at
        # (40, 40), where ui_scenes puts it.
        side, top = owner.x - 40, owner.y - 40
        outer_width, outer_height = owner.width + 2 * side, owner.height + top + side
        expected_x = 40 + (outer_width - where.width) // 2 + side
        expected_y = 40 + (outer_height - where.height) // 2 + top
        assert abs(where.x - expected_x) <= 1 and abs(where.y - expected_y) <= 1, \
            f"{label} {name}: pop-up {where} is not centred on {owner} (expected at {expected_x}, {expected_y})"
        first, second = (where.width - 230 + 5, where.height - 50 + 5), (where.width - 120 + 5, where.height - 50 + 5)
        if POPUPS[name] == 1:
            assert d.close_to(shot.getpixel(second), BUTTON, TOLERANCE), f"{label} {name}: no OK button"
            assert d.close_to(shot.getpixel(first), POPUP, TOLERANCE), f"{label} {name}: a second button"
            d.click(where.x + second[0] + 40, where.y + second[1] + 10)
            expected = 1
        else:
            assert d.close_to(shot.getpixel(first), BUTTON, TOLERANCE), f"{label} {name}: no first button"
            assert d.close_to(shot.getpixel(second), BUTTON, TOLERANCE), f"{label} {name}: no second button"
            if name == "popup_ok_cancel":
                d.click(where.x + second[0] + 40, where.y + second[1] + 10)
            else:
                d.close_window(popup)
            expected = 0
        d.poll(lambda: f"popup result {expected}" in running.text(), what=f"the result {expected}")
        d.wait_no_window("Question")
        d.close_window(window)
        code = running.wait()
        assert code == 0, f"{name}: exit status {code}\n{running.text()}"


def scene_names(program):
    if d.is_windows_program(program):
        result = subprocess.run(["wine", program, "--list"], capture_output=True, text=True, env=d.wine_environment())
    else:
        result = subprocess.run([program, "--list"], capture_output=True, text=True)
    names = [line.split()[0] for line in result.stdout.splitlines() if line.strip()]
    if result.returncode != 0 or not names:
        raise d.DriverError(f"{program} --list failed: {result.stderr}")
    return names


def capture(program, name, path):
    """Shows one scene and returns its client area once it is painted."""
    with d.launch([program, name]) as running:
        window = d.wait_window(f"ui_scenes: {name}")
        where = d.geometry(window)
        assert (where.width, where.height) == (400, 300), f"{name}: client area {where}"
        expected = BACKGROUNDS.get(name, DARK)
        shot = d.wait_pixel(window, 5, 5, expected)
        # Both backends may paint twice (Wine's first frame is repainted): take a settled picture.
        shot = d.poll(lambda: (lambda a, b: b if list(a.getdata()) == list(b.getdata()) else None)(
            shot, d.window_shot(window)), what=f"{name} to stop changing")
        shot.save(path)
        d.close_window(window)
        code = running.wait()
        assert code == 0, f"{name}: exit status {code}\n{running.text()}"
    return shot


def check_calibration(shot, label):
    background = d.rgb(0.2, 0.4, 0.6)
    red, green, white, yellow = (255, 0, 0), (0, 255, 0), (255, 255, 255), (255, 255, 0)
    expectations = [
        ((5, 5), background), ((10, 10), red), ((109, 59), red), ((110, 59), background), ((109, 60), background),
        ((150, 10), green), ((159, 10), green), ((150, 19), green), ((159, 19), green), ((155, 10), green),
        ((151, 11), background), ((160, 10), background), ((150, 20), background),
        ((10, 100), white), ((120, 100), white), ((209, 100), white), ((210, 100), background),
        ((120, 99), background), ((120, 101), background),
        ((250, 150), yellow), ((289, 189), yellow), ((249, 150), background), ((290, 170), background),
        ((240, 140), background),
    ]
    for (x, y), colour in expectations:
        actual = shot.getpixel((x, y))
        assert d.close_to(actual, colour, TOLERANCE), f"{label}: pixel ({x}, {y}) is {actual}, expected {colour}"
    box = d.bounding_box(shot, (0, 200, 400, 300), background)
    assert box is not None, f"{label}: no text in the calibration scene"
    centre_x, centre_y = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
    assert abs(centre_x - 200) <= 3 and abs(centre_y - 250) <= 4, f"{label}: text box {box} is not centred"
    assert 90 <= box[2] - box[0] <= 170, f"{label}: text box {box} is not 20-unit bold text"


def box_where(picture, area, test):
    """The box (left, top, right, bottom) of the pixels inside area that pass
    the test; None when none do."""
    left, top, right, bottom = area
    pixels = picture.load()
    found = None
    for y in range(top, bottom):
        for x in range(left, right):
            if test(pixels[x, y]):
                found = (x, y, x + 1, y + 1) if found is None else (
                    min(found[0], x), min(found[1], y), max(found[2], x + 1), max(found[3], y + 1))
    return found


# Ink clearly of one colour: antialiased edges, which blend with the white
# background, are left out.
def reddish(p):
    return p[0] > 150 and p[1] < 110 and p[2] < 110


def bluish(p):
    return p[2] > 150 and p[0] < 110 and p[1] < 110


def blackish(p):
    return max(p) < 110 and max(p) - min(p) < 40


def check_rich_text(shot, label):
    regular, bold, colours = (d.bounding_box(shot, line, WHITE) for line in RICH_LINES)
    assert regular and bold and colours, f"{label}: a rich text line has no ink: {regular} {bold} {colours}"
    for line, ink in zip(RICH_LINES, (regular, bold, colours)):
        # Leading and centred vertically in its label; 14.5-unit text is 9 to 20 pixels high.
        assert line[0] <= ink[0] <= line[0] + 6, f"{label}: line {line} starts at {ink[0]}"
        middle = (ink[1] + ink[3]) / 2
        assert abs(middle - (line[1] + line[3]) / 2) <= 5, f"{label}: line {line} is not centred: {ink}"
        assert 9 <= ink[3] - ink[1] <= 20, f"{label}: line {line} is {ink[3] - ink[1]} pixels high"
    width = lambda box: box[2] - box[0]
    assert width(bold) >= width(regular) + 3, f"{label}: the bold word is not wider: {bold} against {regular}"
    assert abs((bold[3] - bold[1]) - (regular[3] - regular[1])) <= 2, f"{label}: bold changed the height"

    red = box_where(shot, RICH_LINES[2], reddish)
    blue = box_where(shot, RICH_LINES[2], bluish)
    black = box_where(shot, RICH_LINES[2], blackish)
    assert red and blue and black, f"{label}: colours missing: red {red}, blue {blue}, default {black}"
    # "Red", then "and" in the default colour, then "Blue", without overlap.
    assert red[0] <= colours[0] + 1, f"{label}: the red run {red} does not open the line {colours}"
    assert red[2] < black[0] and black[2] < blue[0], f"{label}: runs out of place: {red} {black} {blue}"
    assert 15 <= width(red) <= 45 and 20 <= width(blue) <= 55, f"{label}: run widths {red} {blue}"
    assert blue[2] >= colours[2] - 1, f"{label}: the blue run {blue} does not end the line {colours}"


def excluded(name, x, y):
    return any(l <= x < r and t <= y < b for l, t, r, b in EXCLUDED.get(name, []))


def compare(name, first, second):
    """Pixels outside the excluded regions agree within TOLERANCE, or match a
    neighbour within one pixel (an edge moved by one)."""
    width, height = first.size
    a, b = first.load(), second.load()
    mismatches = []
    for y in range(height):
        for x in range(width):
            if excluded(name, x, y) or d.close_to(a[x, y], b[x, y], TOLERANCE):
                continue
            near = any(d.close_to(a[x, y], b[min(max(x + dx, 0), width - 1), min(max(y + dy, 0), height - 1)], TOLERANCE)
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if not near:
                mismatches.append((x, y, a[x, y], b[x, y]))
    assert not mismatches, f"{name}: {len(mismatches)} pixels differ, first {mismatches[:5]}"
    for box, background in TEXT_BOXES.get(name, []):
        ink_a, ink_b = d.bounding_box(first, box, background), d.bounding_box(second, box, background)
        assert (ink_a is None) == (ink_b is None), f"{name}: text in {box} on one backend only"
        if ink_a:
            centre = lambda k: ((k[0] + k[2]) / 2, (k[1] + k[3]) / 2)
            (xa, ya), (xb, yb) = centre(ink_a), centre(ink_b)
            assert abs(xa - xb) <= 4 and abs(ya - yb) <= 4, f"{name}: text boxes {ink_a} and {ink_b} differ"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--linux")
    parser.add_argument("--windows")
    args = parser.parse_args()
    programs = {label: path for label, path in (("linux", args.linux), ("windows", args.windows)) if path}
    if not programs:
        parser.error("give --linux, --windows or both")
    failures = 0
    shots = {}
    for label, program in programs.items():
        # Each backend on a display of its own, with a window manager or
        # without as the driver decides for its program.
        with d.virtual_display(program=program):
            folder = os.path.join(args.output, label)
            os.makedirs(folder, exist_ok=True)
            for name in scene_names(program):
                try:
                    path = os.path.join(folder, f"{name}.png")
                    if name in POPUPS:
                        capture_popup(program, name, path, label)
                        print(f"ok    {label} {name}")
                        continue
                    shots[(label, name)] = capture(program, name, path)
                    if name == "calibration":
                        check_calibration(shots[(label, name)], label)
                    check_widgets(name, shots[(label, name)], label)
                    if name == "rich_text":
                        check_rich_text(shots[(label, name)], label)
                    print(f"ok    {label} {name}")
                except Exception:  # noqa: BLE001 - every failure is reported and counted
                    failures += 1
                    print(f"FAIL  {label} {name}")
                    traceback.print_exc()
    if len(programs) == 2:
        for label, name in sorted(shots):
            if label != "linux" or ("windows", name) not in shots:
                continue
            try:
                compare(name, shots[("linux", name)], shots[("windows", name)])
                print(f"ok    same on both: {name}")
            except Exception:  # noqa: BLE001
                failures += 1
                print(f"FAIL  same on both: {name}")
                traceback.print_exc()
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
