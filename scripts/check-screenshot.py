#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a screenshot of the game's window (an xwd file, as `xwd -root` writes it): a maze is drawn
in the scene, and the status line shows a hint whose glyphs differ from one another (a missing font
draws every character as the same box).

    check-screenshot.py SHOT.xwd X Y WIDTH HEIGHT      (the window's place, from xdotool)
"""
import struct
import sys

MENU_BAR, SCROLL_BAR, STATUS_LINE = 24, 20, 16   # generous: the checks look between them


def read_xwd(path):
    data = open(path, "rb").read()
    h = struct.unpack(">25I", data[:100])
    header_size, fmt, depth, width, height = h[0], h[2], h[3], h[4], h[5]
    byte_order, bpp, bpl, ncolors = h[7], h[11], h[12], h[19]
    masks = h[14:17]
    if fmt != 2 or bpp not in (24, 32) or depth < 24:
        sys.exit(f"check-screenshot: unsupported xwd ({fmt=} {depth=} {bpp=})")
    pixels = data[header_size + 12 * ncolors:]
    order = "little" if byte_order == 0 else "big"
    step = bpp // 8
    shifts = [(m & -m).bit_length() - 1 for m in masks]

    def rgb(x, y):
        v = int.from_bytes(pixels[y * bpl + x * step:y * bpl + x * step + step], order)
        return tuple((v & m) >> s for m, s in zip(masks, shifts))
    return width, height, rgb


def glyphs(dark, x0, x1):
    """Splits the status line into runs of columns holding dark pixels; each run's shape."""
    runs, start = [], None
    for x in range(x0, x1 + 1):
        inked = x < x1 and any(dark(x))
        if inked and start is None:
            start = x
        elif not inked and start is not None:
            rows = [y for c in range(start, x) for y in dark(c)]
            runs.append((x - start, max(rows) - min(rows) + 1, len(rows) // 3))
            start = None
    return runs


def main():
    shot, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:6])
    width, height, rgb = read_xwd(shot)
    x1, y1 = min(x + w, width), min(y + h, height)
    scene = {rgb(px, py) for py in range(y + MENU_BAR, y1 - STATUS_LINE - 4, 2)
             for px in range(x, x1 - SCROLL_BAR, 2)}
    status_rows = range(y1 - STATUS_LINE, y1)

    def dark(px):
        return [py for py in status_rows if sum(rgb(px, py)) < 3 * 96]
    runs = glyphs(dark, x, x1)
    distinct = len(set(runs))
    print(f"scene colours {len(scene)}, status glyphs {len(runs)} ({distinct} different)")
    problems = []
    if len(scene) < 4:
        problems.append("no maze in the scene")
    if not runs:
        problems.append("no hint in the status line")
    elif len(runs) < 4 or distinct * 2 < len(runs):
        problems.append("the status line's glyphs look alike (boxes: no font has them)")
    if problems:
        sys.exit("check-screenshot: " + "; ".join(problems))


main()
