#!/usr/bin/env python3
"""Draws Quelbrin's icon: a magnifying glass with a small yellow folder at its
lower right, as 48, 32 and 16 pixel images with a 256-colour palette.

    python3 make_icon.py [output.ico]     (default: quelbrin.ico next to this file)

Shapes are given on a unit square and sampled 6x6 times per pixel, so every
size is drawn from the same picture; the result is deterministic.
"""
import math
import os
import struct
import sys

SIZES = (48, 32, 16)
SAMPLES = 6

# The picture's own colours come first in the palette so that they stay exact.
RING = (46, 58, 84)
RING_LIGHT = (108, 124, 156)
GLASS = (178, 218, 246)
GLASS_SHINE = (246, 251, 255)
HANDLE = (92, 56, 28)
HANDLE_LIGHT = (150, 98, 52)
FOLDER = (250, 204, 52)
FOLDER_BACK = (222, 166, 28)
FOLDER_EDGE = (150, 100, 10)


def palette():
    colours = [(0, 0, 0), RING, RING_LIGHT, GLASS, GLASS_SHINE, HANDLE, HANDLE_LIGHT,
               FOLDER, FOLDER_BACK, FOLDER_EDGE]
    for r in range(6):
        for g in range(6):
            for b in range(6):
                colours.append((r * 51, g * 51, b * 51))
    grey = 8
    while len(colours) < 256:
        colours.append((grey, grey, grey))
        grey += 8
    return colours[:256]


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def in_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return math.hypot(x - cx, y - cy) <= radius


# The lens sits above, its handle runs to the lower left, and the folder
# stands in front of the lens's lower right.
LENS_X, LENS_Y = 0.52, 0.37
LENS_OUTER, LENS_INNER = 0.31, 0.22
HANDLE_ANGLE = 3 * math.pi / 4
HANDLE_FROM = (LENS_X + 0.28 * math.cos(HANDLE_ANGLE), LENS_Y + 0.28 * math.sin(HANDLE_ANGLE))
HANDLE_TO = (0.08, 0.86)
HANDLE_WIDTH = 0.085


def colour_at(x, y):
    """Colour of the picture at a point of the unit square, None where empty.
    Later shapes lie on top of earlier ones."""
    colour = None
    d = segment_distance(x, y, HANDLE_FROM[0], HANDLE_FROM[1], HANDLE_TO[0], HANDLE_TO[1])
    if d <= HANDLE_WIDTH:
        # The upper side of the handle catches the light.
        side = (x - HANDLE_FROM[0]) + (y - HANDLE_FROM[1])
        colour = HANDLE_LIGHT if side < -0.03 else HANDLE
    r = math.hypot(x - LENS_X, y - LENS_Y)
    if r <= LENS_OUTER:
        if r > LENS_INNER:
            # The ring is lit from the upper left.
            lit = (x - LENS_X) + (y - LENS_Y) < -0.15
            colour = RING_LIGHT if lit else RING
        else:
            colour = GLASS
            if math.hypot(x - (LENS_X - 0.07), (y - (LENS_Y - 0.08)) / 0.6) < 0.07:
                colour = GLASS_SHINE
    # The folder: a back with its tab, then the front flap, each with an edge.
    back = (0.54, 0.62, 0.98, 0.95)
    tab = (0.54, 0.56, 0.73, 0.66)
    front = (0.54, 0.69, 0.98, 0.95)
    edge = 0.04
    if in_round_rect(x, y, *back, 0.03) or in_round_rect(x, y, *tab, 0.025):
        colour = FOLDER_EDGE
        inner_back = (back[0] + edge, back[1] + edge, back[2] - edge, back[3] - edge)
        inner_tab = (tab[0] + edge, tab[1] + edge, tab[2] - edge, tab[3])
        if in_round_rect(x, y, *inner_back, 0.01) or in_round_rect(x, y, *inner_tab, 0.01):
            colour = FOLDER_BACK
    if in_round_rect(x, y, *front, 0.03):
        colour = FOLDER_EDGE
        if in_round_rect(x, y, front[0] + edge, front[1] + edge, front[2] - edge,
                         front[3] - edge, 0.01):
            colour = FOLDER
    return colour


def render(size, colours):
    """Palette indices, top row first, and the transparency of each pixel."""
    pixels, transparent = [], []
    for row in range(size):
        for col in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (col + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    c = colour_at(x, y)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered * 2 < SAMPLES * SAMPLES:
                pixels.append(0)
                transparent.append(True)
                continue
            mean = [t / covered for t in total]
            pixels.append(nearest(mean, colours))
            transparent.append(False)
    return pixels, transparent


def nearest(rgb, colours):
    best, best_d = 0, None
    for i, c in enumerate(colours):
        d = sum((a - b) ** 2 for a, b in zip(rgb, c))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def bitmap(size, colours):
    """One icon image: BITMAPINFOHEADER, palette, colour rows, mask rows."""
    pixels, transparent = render(size, colours)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in colours)
    colour_stride = (size + 3) // 4 * 4
    mask_stride = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(range(size)):  # bottom-up
        line = pixels[row * size:(row + 1) * size]
        xor += bytes(line) + bytes(colour_stride - size)
        bits = bytearray(mask_stride)
        for col in range(size):
            if transparent[row * size + col]:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + table + bytes(xor) + bytes(mask)


def icon():
    colours = palette()
    images = [bitmap(size, colours) for size in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        # Colour count 0: 256 colours or more.
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, 'quelbrin.ico')
    with open(target, 'wb') as f:
        f.write(icon())


if __name__ == '__main__':
    main()
