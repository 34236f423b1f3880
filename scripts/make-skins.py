#!/usr/bin/env python3
"""Writes the button skins of the main window into src/app/resources/.

Each skin is a bar with fully rounded ends on a pure white background; the buttons cut the white
out of their shape, so no pixel of the bar itself may be pure white and the edge is hard (no
blending towards the white). Standard library only: the PNG files are written by hand.
"""
import os
import struct
import zlib

WHITE = (255, 255, 255)

# look: (top colour, bottom colour, outline colour)
LOOKS = {
    "up": ((253, 248, 236), (226, 211, 182), (180, 160, 124)),  # pale tan
    "over": ((236, 244, 253), (176, 207, 240), (118, 158, 208)),  # light blue
    "down": ((150, 186, 230), (84, 132, 198), (50, 90, 150)),  # darker blue
    "disabled": ((240, 240, 238), (214, 213, 209), (176, 175, 170)),  # washed-out grey
}

# file name prefix: (width, height, looks)
SKINS = {
    "skin_large": (160, 35, ("up", "over", "down", "disabled")),  # tabs and "Update Data"
    "skin_small": (124, 25, ("up", "over", "down")),  # command buttons
    "skin_help": (28, 25, ("over", "down")),  # the "?" help buttons
}


def inside(x, y, w, h):
    """Whether the centre of pixel (x, y) lies in the bar: a rectangle with half-circle ends."""
    r = h / 2.0
    cx, cy = x + 0.5, y + 0.5
    if r <= cx <= w - r:
        return True
    ex = r if cx < r else w - r
    return (cx - ex) ** 2 + (cy - r) ** 2 <= r * r


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def skin(w, h, look):
    top, bottom, outline = LOOKS[look]
    rows = []
    for y in range(h):
        row = []
        # a touch of gloss: the upper half fades faster than the lower one
        t = y / (h - 1)
        t = t * 0.6 if t < 0.5 else 0.3 + (t - 0.5) * 1.4
        fill = mix(top, bottom, t)
        for x in range(w):
            if not inside(x, y, w, h):
                row.append(WHITE)
                continue
            edge = any(
                not (0 <= nx < w and 0 <= ny < h and inside(nx, ny, w, h))
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))
            )
            row.append(outline if edge else fill)
        rows.append(row)
    return rows


def png(rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "app",
                       "resources")
    for prefix, (w, h, looks) in SKINS.items():
        for look in looks:
            rows = skin(w, h, look)
            assert all(px != WHITE or not inside(x, y, w, h)
                       for y, row in enumerate(rows) for x, px in enumerate(row))
            path = os.path.join(out, "%s_%s.png" % (prefix, look))
            with open(path, "wb") as f:
                f.write(png(rows))
            print(os.path.normpath(path))


if __name__ == "__main__":
    main()
