#!/usr/bin/env python3
"""Draws the grid's glyph pictures as PNG files next to this script.

Run once after changing a drawing; the PNGs are kept in the repository and
listed in ../grid_bitmaps.qrc. Every picture's top-left pixel is the key
colour (magenta), which the transparent drawing leaves out.
"""
import os
import struct
import zlib

KEY = (255, 0, 255)
HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(name, pixels):
    h = len(pixels)
    w = len(pixels[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, name + ".png"), "wb") as f:
        f.write(png)


def canvas(w, h):
    return [[KEY] * w for _ in range(h)]


def rect(p, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = c


def frame(p, x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1):
        p[y0][x] = c
        p[y1][x] = c
    for y in range(y0, y1 + 1):
        p[y][x0] = c
        p[y][x1] = c


def line(p, x0, y0, x1, y1, c, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for d in range(width):
            if 0 <= y + d < len(p):
                p[y + d][x] = c


def check_box(size, checked, enabled, rounded):
    p = canvas(size, size)
    border = (28, 81, 128) if enabled else (176, 176, 176)
    inner = size - 2
    for y in range(1, size - 1):
        # a soft top-left to bottom-right shade
        v = 220 + (35 * (y - 1)) // max(1, inner - 1)
        shade = (v, v, v - 5) if enabled else (240, 240, 240)
        for x in range(1, size - 1):
            p[y][x] = shade
    frame(p, 0, 0, size - 1, size - 1, border)
    # The key colour in the corners rounds the box.
    corners = ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)) if rounded else ((0, 0),)
    for x, y in corners:
        p[y][x] = KEY
    if checked:
        tick = (33, 161, 33) if enabled else (160, 160, 160)
        s = size
        line(p, s * 25 // 100, s * 50 // 100, s * 43 // 100, s * 70 // 100, tick, 2)
        line(p, s * 43 // 100, s * 70 // 100, s * 76 // 100, s * 28 // 100, tick, 2)
    return p


def radio(on, enabled, style):
    p = canvas(16, 16)
    border = (28, 81, 128) if enabled else (176, 176, 176)
    face = (245, 245, 240) if enabled else (236, 236, 236)
    dot = ((33, 161, 33) if style == "xp" else (0, 0, 0)) if enabled else (160, 160, 160)
    for y in range(16):
        for x in range(16):
            d = ((x - 7.5) ** 2 + (y - 7.5) ** 2) ** 0.5
            if d <= 6.0:
                p[y][x] = face
            elif d <= 7.0:
                p[y][x] = border
            if on and d <= 3.0:
                p[y][x] = dot
    p[0][0] = KEY
    return p


def leaf(open_):
    p = canvas(16, 16)
    green = (40, 140, 40)
    rect(p, 3, 4, 12, 11, (230, 245, 230))
    frame(p, 3, 4, 12, 11, green)
    line(p, 5, 7, 10, 7, green)
    if not open_:
        line(p, 7, 5, 7, 10, green)
    return p


def xp_node(open_):
    p = canvas(9, 9)
    border = (120, 152, 181)
    rect(p, 1, 1, 7, 7, (250, 250, 250))
    frame(p, 0, 0, 8, 8, border)
    line(p, 2, 4, 6, 4, (0, 0, 0))
    if not open_:
        line(p, 4, 2, 4, 6, (0, 0, 0))
    p[0][0] = KEY
    return p


def filter_glyph():
    p = canvas(16, 16)
    c = (64, 64, 64)
    for i, y in enumerate(range(3, 8)):
        line(p, 3 + i, y, 12 - i, y, c)
    rect(p, 7, 8, 8, 12, c)
    return p


def close_glyph():
    p = canvas(16, 16)
    c = (96, 96, 96)
    line(p, 4, 4, 11, 11, c)
    line(p, 11, 4, 4, 11, c)
    return p


def main():
    # 20 px bevelled boxes (ZAD), 16 px boxes (XP): checked/unchecked by
    # enabled/disabled.
    for n, (checked, enabled) in enumerate(((True, True), (False, True), (True, False), (False, False))):
        write_png("ESGCHK%02d" % (n + 1), check_box(20, checked, enabled, True))
        write_png("ESGCHK%02d" % (n + 5), check_box(16, checked, enabled, False))
        write_png("ESGRAD%02d" % (n + 1), radio(checked, enabled, "zad"))
        write_png("ESGRAD%02d" % (n + 5), radio(checked, enabled, "xp"))
    write_png("ESGLEAFOPEN", leaf(True))
    write_png("ESGLEAFCLOSE", leaf(False))
    write_png("XPNODEO", xp_node(True))
    write_png("XPNODEC", xp_node(False))
    write_png("ESGFILT", filter_glyph())
    write_png("ESGCLOSE", close_glyph())


if __name__ == "__main__":
    main()
