#!/usr/bin/python3
"""Finds the program's own title bar in a screenshot of the compositor and names the button
glyphs at its right end, left to right: "flat" for minimise's bar, "tall" for maximise's box or
close's cross. Exits 0 when they are the expected ones, 1 otherwise (also when no title bar of
the program's colours is on the screen, as when the toolkit's own decoration is drawn).
Usage: titlebar_check.py SCREENSHOT.png EXPECTED...   e.g. titlebar_check.py shot.png flat tall
"""
import struct
import sys
import zlib

# The bar's colours, active and inactive, as the decoration paints them.
BAR_COLOURS = {(0xdf, 0xe3, 0xe8), (0xf2, 0xf3, 0xf5)}
# The buttons sit within this many pixels of the bar's right end: three at most, at scale 1.
BUTTONS_WIDTH = 90
INK_CONTRAST = 48


def read_png(path):
    """Rows of (r, g, b) pixels of an 8-bit, non-interlaced RGB or RGBA PNG."""
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError(f'{path} is not a PNG')
    position, compressed = 8, b''
    while position < len(data):
        length, kind = struct.unpack('>I4s', data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour_type, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            compressed += body
        position += 12 + length
    channels = {2: 3, 6: 4}[colour_type]
    if depth != 8 or interlace:
        raise ValueError(f'{path}: only 8-bit non-interlaced images are read')
    raw = zlib.decompress(compressed)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            left = row[x - channels] if x >= channels else 0
            up = previous[x]
            up_left = previous[x - channels] if x >= channels else 0
            if kind == 1:
                row[x] = (row[x] + left) & 255
            elif kind == 2:
                row[x] = (row[x] + up) & 255
            elif kind == 3:
                row[x] = (row[x] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - up_left
                nearest = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - up_left), 2, up_left))
                row[x] = (row[x] + nearest[2]) & 255
        rows.append([tuple(row[x:x + 3]) for x in range(0, stride, channels)])
        previous = row
    return rows


def bar_bounds(rows):
    points = [(x, y) for y, row in enumerate(rows) for x, pixel in enumerate(row) if pixel in BAR_COLOURS]
    if not points:
        return None
    xs, ys = [x for x, _ in points], [y for _, y in points]
    return min(xs), min(ys), max(xs), max(ys)


def button_glyphs(rows, bounds):
    left, top, right, bottom = bounds
    ink_rows = {}
    for x in range(max(left, right - BUTTONS_WIDTH), right + 1):
        for y in range(top, bottom + 1):
            pixel = rows[y][x]
            if pixel not in BAR_COLOURS and min(max(abs(a - b) for a, b in zip(pixel, bar)) for bar in BAR_COLOURS) > INK_CONTRAST:
                ink_rows.setdefault(x, []).append(y)
    glyphs, current = [], None
    for x in sorted(ink_rows):
        if current and x - current['right'] <= 2:
            current['right'] = x
            current['rows'].update(ink_rows[x])
        else:
            current = {'right': x, 'rows': set(ink_rows[x])}
            glyphs.append(current)
    return ['flat' if max(g['rows']) - min(g['rows']) <= 3 else 'tall' for g in glyphs]


def main():
    screenshot, expected = sys.argv[1], sys.argv[2:]
    rows = read_png(screenshot)
    bounds = bar_bounds(rows)
    if not bounds:
        print('no title bar of the program\'s own on the screen', file=sys.stderr)
        return 1
    glyphs = button_glyphs(rows, bounds)
    if glyphs != expected:
        print(f'title bar buttons {glyphs}, expected {expected}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
