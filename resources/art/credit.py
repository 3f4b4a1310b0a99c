"""The about box's credit picture, 154x52: the program's icon on a sheet of
parchment, the name "Quillmere" in letters of its own and a flourish drawn
under it, as a signature is."""

import math

from pixels import PALETTE, Picture, text_picture

WIDTH, HEIGHT = 154, 52

PARCHMENT = (248, 240, 216)
SHADE = (224, 208, 176)          # the parchment's darker rim
SHADOW = (176, 160, 128)         # the letters' shadow

# The letters of the name, 7 rows each ('#' ink, '.' none); Q and the
# lower-case letters stand on the same base line.
LETTERS = {
    'Q': """
.###.
#...#
#...#
#...#
#.#.#
#..#.
.##.#
""",
    'u': """
.....
.....
#...#
#...#
#...#
#..##
.##.#
""",
    'i': """
.#.
...
##.
.#.
.#.
.#.
###
""",
    'l': """
##.
.#.
.#.
.#.
.#.
.#.
###
""",
    'm': """
.....
.....
##.#.
#.#.#
#.#.#
#.#.#
#.#.#
""",
    'e': """
.....
.....
.###.
#...#
#####
#....
.###.
""",
    'r': """
.....
.....
#.##.
##..#
#....
#....
#....
""",
}


def letter_rows(ch):
    rows = [r.strip() for r in LETTERS[ch].strip('\n').split('\n')]
    if len(rows) != 7 or len({len(r) for r in rows}) != 1:
        raise ValueError(f"letter {ch!r}: not 7 rows of one width")
    return rows


def draw_word(pic, word, x, y, scale, colour, shadow):
    """Draws word with its top left corner at (x, y), each letter pixel a
    scale x scale square, one letter pixel apart; a shadow one pixel to
    the lower right.  Returns the x after the last letter."""
    for offset, ink in ((1, shadow), (0, colour)):
        left = x
        for ch in word:
            rows = letter_rows(ch)
            for ry, row in enumerate(rows):
                for rx, c in enumerate(row):
                    if c != '#':
                        continue
                    for dy in range(scale):
                        for dx in range(scale):
                            pic.set(left + rx * scale + dx + offset,
                                    y + ry * scale + dy + offset, ink)
            left += (len(rows[0]) + 1) * scale
    return left - scale


def draw_flourish(pic, x0, x1, y, colour):
    """A signature's underline: a wave that starts high, swings down and
    flattens out, thicker where it falls."""
    prev = None
    for x in range(x0, x1 + 1):
        t = (x - x0) / (x1 - x0)
        wave = y + 6.0 * math.exp(-2.0 * t) * math.sin(2.0 * math.pi * 1.5 * t)
        cy = int(round(wave))
        thick = 2 if t < 0.6 else 1
        if prev is not None:       # no gaps where the wave is steep
            for yy in range(min(prev, cy), max(prev, cy) + 1):
                pic.set(x, yy, colour)
        for k in range(thick):
            pic.set(x, cy + k, colour)
        prev = cy


def draw_credit(icon32):
    pic = Picture(WIDTH, HEIGHT)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            rim = min(x, y, WIDTH - 1 - x, HEIGHT - 1 - y)
            pic.set(x, y, PALETTE['m'] if rim == 0 else
                    SHADE if rim == 1 else PARCHMENT)
    pic.stamp(icon32, 8, (HEIGHT - icon32.height) // 2)
    end = draw_word(pic, "Quillmere", 50, 9, 2, PALETTE['m'], SHADOW)
    if end > WIDTH - 6:
        raise ValueError("credit: the name does not fit")
    draw_flourish(pic, 50, end, 36, PALETTE['n'])
    return pic
