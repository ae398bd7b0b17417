#!/usr/bin/python3
"""Draws the brush dialog's pictures into chart/editor/resources/.

KorBrush1..KorBrush12 are 8 x 8 black-on-white fill patterns (white is the
transparent colour when they are used as a brush picture); the textures are
64 x 64 colour tiles made from seeded noise, so running the script again
gives the same files.

Run from the repository root: scripts/make-brush-pictures.py
"""

import math
import os
import random

from PIL import Image

OUT = os.path.join("chart", "editor", "resources")
PATTERN = 8
TEXTURE = 64

# Ordered-dither thresholds: a cell is black when its rank is below the fill.
BAYER = [
    [0, 32, 8, 40, 2, 34, 10, 42],
    [48, 16, 56, 24, 50, 18, 58, 26],
    [12, 44, 4, 36, 14, 46, 6, 38],
    [60, 28, 52, 20, 62, 30, 54, 22],
    [3, 35, 11, 43, 1, 33, 9, 41],
    [51, 19, 59, 27, 49, 17, 57, 25],
    [15, 47, 7, 39, 13, 45, 5, 37],
    [63, 31, 55, 23, 61, 29, 53, 21],
]


def fill(percent):
    return lambda x, y: BAYER[y][x] < 64 * percent // 100


def zigzag(x, y):
    return y == 2 + (0, 1, 2, 3, 3, 2, 1, 0)[x]


PATTERNS = [
    fill(80),
    fill(60),
    fill(40),
    fill(20),
    fill(10),
    zigzag,
    lambda x, y: x % 4 == 0,  # vertical small
    lambda x, y: y % 4 == 0,  # horizontal small
    lambda x, y: (x - y) % 4 == 0,  # diagonal small
    lambda x, y: (x + y) % 4 == 0,  # back diagonal small
    lambda x, y: x % 4 == 0 or y % 4 == 0,  # cross small
    lambda x, y: (x - y) % 4 == 0 or (x + y) % 4 == 0,  # diagonal cross small
]


def save_pattern(index, black):
    img = Image.new("RGB", (PATTERN, PATTERN), (255, 255, 255))
    for y in range(PATTERN):
        for x in range(PATTERN):
            if black(x, y):
                img.putpixel((x, y), (0, 0, 0))
    img.save(os.path.join(OUT, "KorBrush%d.png" % index), optimize=True)


class Noise:
    """Tileable value noise summed over octaves, values in 0..1."""

    def __init__(self, seed, cells=4, octaves=4):
        rnd = random.Random(seed)
        self.layers = []
        for o in range(octaves):
            n = cells << o
            self.layers.append((n, [[rnd.random() for _ in range(n)] for _ in range(n)]))

    def __call__(self, u, v):
        total, weight, amp = 0.0, 0.0, 1.0
        for n, grid in self.layers:
            x, y = u * n, v * n
            x0, y0 = int(x) % n, int(y) % n
            x1, y1 = (x0 + 1) % n, (y0 + 1) % n
            fx, fy = x - int(x), y - int(y)
            fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
            top = grid[y0][x0] * (1 - fx) + grid[y0][x1] * fx
            bottom = grid[y1][x0] * (1 - fx) + grid[y1][x1] * fx
            total += amp * (top * (1 - fy) + bottom * fy)
            weight += amp
            amp *= 0.5
        return total / weight


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def metal(u, v, n, rnd):
    streak = n(u * 0.05, v)  # stretched noise: brushed along x
    return mix((120, 124, 130), (215, 218, 224), 0.3 + 0.7 * streak + rnd.uniform(-0.05, 0.05))


def wood(u, v, n, rnd):
    ring = (math.sin((u * 10 + n(u, v) * 4) * math.pi) + 1) / 2
    return mix((110, 62, 28), (190, 130, 72), ring ** 0.6)


def stone(u, v, n, rnd):
    g = n(u, v)
    return mix((80, 78, 74), (175, 170, 160), g + rnd.uniform(-0.12, 0.12))


def clouds(u, v, n, rnd):
    c = n(u, v)
    return mix((60, 120, 215), (250, 250, 255), (c - 0.35) * 2.2)


def grass(u, v, n, rnd):
    blade = n(u * 4, v * 0.25)  # stretched noise: upright blades
    return mix((30, 90, 25), (120, 190, 60), blade + rnd.uniform(-0.1, 0.1))


def fire(u, v, n, rnd):
    heat = n(u, v) * 0.6 + v * 0.6
    if heat < 0.5:
        return mix((120, 10, 0), (235, 80, 0), heat * 2)
    return mix((235, 80, 0), (255, 235, 90), (heat - 0.5) * 2)


def snow(u, v, n, rnd):
    base = mix((205, 220, 240), (255, 255, 255), n(u, v) * 1.3)
    return (255, 255, 255) if rnd.random() < 0.04 else base


TEXTURES = [
    ("Metal", metal),
    ("Wood", wood),
    ("Stone", stone),
    ("Clouds", clouds),
    ("Grass", grass),
    ("Fire", fire),
    ("Snow", snow),
]


def save_texture(seed, name, shade):
    n = Noise(seed)
    rnd = random.Random(seed * 7919)
    img = Image.new("RGB", (TEXTURE, TEXTURE))
    for y in range(TEXTURE):
        for x in range(TEXTURE):
            img.putpixel((x, y), shade(x / TEXTURE, y / TEXTURE, n, rnd))
    img.save(os.path.join(OUT, "KorTexture%s.png" % name), optimize=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    for i, black in enumerate(PATTERNS, start=1):
        save_pattern(i, black)
    for seed, (name, shade) in enumerate(TEXTURES, start=1):
        save_texture(seed, name, shade)


if __name__ == "__main__":
    main()
