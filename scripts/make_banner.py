#!/usr/bin/env python3
"""Draws the installer's side banner, resources/banner.png: 160 x 310 pixels,
24-bit RGB, the Tidewater Kit artwork (a harbour at dusk: a lighthouse and a
pier over layered water, the pack's name at the top).

    scripts/make_banner.py [OUTPUT]

Needs Python 3 with Pillow (Debian python3-pil) and DejaVu fonts
(fonts-dejavu-core). The picture is drawn at four times its size and scaled
down, so edges are smooth. The output is deterministic.
"""

import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

WIDTH, HEIGHT = 160, 310
SCALE = 4
FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def gradient(size, stops):
    """A vertical gradient through (position, colour) stops."""
    w, h = size
    picture = Image.new("RGB", size)
    pixels = picture.load()
    for y in range(h):
        t = y / (h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                colour = lerp(c0, c1, (t - p0) / (p1 - p0))
                break
        for x in range(w):
            pixels[x, y] = colour
    return picture


def wave(draw, w, top, amplitude, length, phase, colour, h):
    points = [(0, h)]
    for x in range(0, w + 1, 2):
        y = top + amplitude * math.sin(2 * math.pi * x / length + phase) \
            + amplitude * 0.35 * math.sin(2 * math.pi * x / (length * 0.43) + phase * 1.7)
        points.append((x, y))
    points.append((w, h))
    draw.polygon(points, fill=colour)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size * SCALE)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "banner.png")
    w, h = WIDTH * SCALE, HEIGHT * SCALE
    horizon = int(h * 0.60)

    # Dusk sky: deep blue at the top to a warm band at the horizon.
    sky = gradient((w, horizon), [(0.0, (14, 24, 48)), (0.55, (38, 62, 104)), (0.85, (196, 112, 88)),
                                  (1.0, (242, 170, 102))])
    picture = Image.new("RGB", (w, h))
    picture.paste(sky, (0, 0))

    # The sun sinking into the water, with a soft glow.
    glow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(glow).ellipse((w * 0.52, horizon - 150, w * 0.52 + 300, horizon + 150), fill=150)
    glow = glow.filter(ImageFilter.GaussianBlur(60))
    picture = Image.composite(Image.new("RGB", (w, h), (255, 214, 150)), picture, glow)
    draw = ImageDraw.Draw(picture)
    draw.ellipse((w * 0.56, horizon - 86, w * 0.56 + 120, horizon + 34), fill=(255, 228, 170))

    # Stars in the upper sky.
    rng = random.Random(7)
    for _ in range(40):
        x, y = rng.randrange(w), rng.randrange(int(horizon * 0.45))
        if 20 * SCALE < y < 72 * SCALE and 18 * SCALE < x < (WIDTH - 18) * SCALE:
            continue  # keep the name clear
        r = rng.choice((2, 2, 3, 4))
        shade = rng.randrange(170, 255)
        draw.ellipse((x - r, y - r, x + r, y + r), fill=(shade, shade, min(255, shade + 20)))

    # Water: layered waves from the horizon down, lighter to darker.
    layers = [((44, 84, 118), 0), ((32, 70, 104), 40), ((24, 58, 90), 110), ((18, 46, 74), 200),
              ((12, 34, 58), 300), ((8, 24, 42), 420)]
    for index, (colour, offset) in enumerate(layers):
        wave(draw, w, horizon + offset, 6 + index * 3, 260 + index * 40, index * 1.3, colour, h)
    # The sun's path on the water.
    for i in range(14):
        y = horizon + 14 + i * 22
        half = 60 - i * 3
        cx = w * 0.56 + 60
        draw.rounded_rectangle((cx - half, y, cx + half, y + 6), radius=3, fill=(236, 170, 116))

    # The lighthouse on its rock, left of the sun.
    rock = [(30, horizon + 60), (60, horizon - 10), (170, horizon - 30), (250, horizon + 10), (290, horizon + 70)]
    draw.polygon(rock, fill=(16, 22, 34))
    base_y, top_y = horizon - 16, horizon - 330
    draw.polygon([(118, base_y), (202, base_y), (182, top_y), (138, top_y)], fill=(236, 232, 224))
    for band in range(3):
        y0 = base_y - 60 - band * 90
        draw.polygon([(121 + band * 6, y0), (199 - band * 6, y0), (196 - band * 6, y0 - 40), (124 + band * 6, y0 - 40)],
                     fill=(178, 54, 48))
    draw.rectangle((132, top_y - 48, 188, top_y), fill=(40, 44, 56))
    draw.rectangle((140, top_y - 42, 180, top_y - 6), fill=(255, 236, 160))
    draw.polygon([(124, top_y - 48), (196, top_y - 48), (160, top_y - 90)], fill=(178, 54, 48))
    # Its beam sweeping out to the right.
    beam = Image.new("L", (w, h), 0)
    ImageDraw.Draw(beam).polygon([(180, top_y - 26), (w, top_y - 110), (w, top_y + 40)], fill=70)
    beam = beam.filter(ImageFilter.GaussianBlur(12))
    picture = Image.composite(Image.new("RGB", (w, h), (255, 240, 190)), picture, beam)
    draw = ImageDraw.Draw(picture)

    # A pier reaching in from the right, with posts into the water.
    pier_y = horizon + 190
    draw.polygon([(w, pier_y - 30), (250, pier_y + 10), (250, pier_y + 26), (w, pier_y - 10)], fill=(40, 30, 28))
    for x in range(270, w, 70):
        t = (x - 250) / (w - 250)
        top = pier_y + 14 - t * 40
        draw.rectangle((x, top, x + 12, top + 90), fill=(30, 22, 20))

    # A small sailing boat on the water.
    bx, by = 120, horizon + 300
    draw.polygon([(bx, by), (bx + 150, by), (bx + 126, by + 30), (bx + 22, by + 30)], fill=(20, 18, 22))
    draw.polygon([(bx + 74, by - 4), (bx + 74, by - 150), (bx + 140, by - 8)], fill=(232, 226, 212))
    draw.polygon([(bx + 66, by - 4), (bx + 66, by - 118), (bx + 18, by - 8)], fill=(204, 196, 182))

    # The pack's name.
    title = font("DejaVuSans-Bold.ttf", 19)
    subtitle = font("DejaVuSans.ttf", 10)
    small = font("DejaVuSans.ttf", 8)
    def centred(text, typeface, y, colour):
        box = draw.textbbox((0, 0), text, font=typeface)
        draw.text(((w - (box[2] - box[0])) / 2 - box[0], y), text, font=typeface, fill=colour)
    centred("TIDEWATER", title, 26 * SCALE, (246, 240, 226))
    draw.line((28 * SCALE, 52 * SCALE, (WIDTH - 28) * SCALE, 52 * SCALE), fill=(242, 170, 102), width=SCALE)
    centred("KIT  PACK", subtitle, 57 * SCALE, (242, 200, 150))
    centred("asset library for Orrery", small, (HEIGHT - 20) * SCALE, (150, 170, 196))

    banner = picture.resize((WIDTH, HEIGHT), Image.LANCZOS)
    banner.save(output, optimize=True)
    print(f"{output}: {banner.size[0]} x {banner.size[1]}, {os.path.getsize(output)} bytes")


if __name__ == "__main__":
    main()
