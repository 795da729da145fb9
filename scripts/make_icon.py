#!/usr/bin/env python3
"""Draws the installer's application icon, resources/installer.ico: the
banner's lighthouse at dusk in a rounded square, at 16, 24, 32, 48, 64 and
256 pixels.

    scripts/make_icon.py [OUTPUT]

Needs Python 3 with Pillow (Debian python3-pil). Deterministic.
"""

import os
import sys

from PIL import Image, ImageDraw

SIZE = 1024  # drawn large, scaled down for every size of the icon


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "installer.ico")
    s = SIZE
    picture = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    mask = Image.new("L", (s, s), 0)
    ImageDraw.Draw(mask).rounded_rectangle((24, 24, s - 24, s - 24), radius=190, fill=255)

    art = Image.new("RGB", (s, s))
    draw = ImageDraw.Draw(art)
    # Sky from deep blue to a warm horizon, and the water below it.
    horizon = int(s * 0.66)
    top, middle, low = (18, 30, 60), (60, 84, 130), (238, 160, 100)
    for y in range(horizon):
        t = y / horizon
        a, b, u = (top, middle, t / 0.6) if t < 0.6 else (middle, low, (t - 0.6) / 0.4)
        draw.line((0, y, s, y), fill=tuple(round(p + (q - p) * u) for p, q in zip(a, b)))
    draw.rectangle((0, horizon, s, s), fill=(22, 52, 84))
    for i, shade in enumerate(((34, 70, 104), (28, 62, 96), (20, 48, 78))):
        y = horizon + 60 + i * 110
        draw.rectangle((0, y, s, y + 40), fill=shade)
    # The sun and its path.
    draw.ellipse((600, horizon - 150, 860, horizon + 110), fill=(255, 226, 164))
    draw.rectangle((0, horizon, s, horizon + 40), fill=(22, 52, 84))
    for i in range(5):
        half = 110 - i * 18
        y = horizon + 70 + i * 60
        draw.rounded_rectangle((730 - half, y, 730 + half, y + 22), radius=11, fill=(236, 170, 116))
    # The lighthouse.
    draw.polygon([(120, horizon + 80), (200, horizon - 30), (520, horizon - 40), (600, horizon + 80)], fill=(14, 20, 32))
    base, crown = horizon - 30, 250
    draw.polygon([(250, base), (470, base), (420, crown), (300, crown)], fill=(240, 236, 228))
    for band in range(3):
        y0 = base - 70 - band * 130
        inset = band * 17
        draw.polygon([(258 + inset, y0), (462 - inset, y0), (455 - inset, y0 - 60), (265 + inset, y0 - 60)],
                     fill=(184, 52, 46))
    draw.rectangle((300, crown - 120, 420, crown), fill=(36, 40, 52))
    draw.rectangle((318, crown - 104, 402, crown - 16), fill=(255, 236, 160))
    draw.polygon([(280, crown - 120), (440, crown - 120), (360, crown - 220)], fill=(184, 52, 46))

    picture.paste(art, (0, 0), mask)
    picture.save(output, sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (64, 64), (256, 256)])
    print(f"{output}: {os.path.getsize(output)} bytes")


if __name__ == "__main__":
    main()
