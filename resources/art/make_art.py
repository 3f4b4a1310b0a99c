#!/usr/bin/env python3
"""Draws Quillmere's pictures and writes them as Windows resource files.

Writes, into the folder above this one:
  quillmere.ico  the program icon, 16x16 and 32x32, 32-bit BGRA with AND masks
  hand.cur       the pointing-hand cursor, 32x32 monochrome, hot spot (13, 9)
  toolbar.bmp    the tool bar glyphs (glyphs.py), one strip of 16x16 cells,
                 24-bit, magenta (255, 0, 255) marking transparent pixels
  setup.bmp      the print dialog's set-up glyph (glyphs.py), 16x16, likewise
  credit.bmp     the about box's credit picture (credit.py), 154x52, 24-bit,
                 opaque

With --preview DIR it also writes 8x enlarged PNG pictures of each of them
into DIR, for looking at.  Standard library only; every run writes the same
bytes.
"""

import argparse
import math
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True

from credit import draw_credit                          # noqa: E402
from glyphs import setup_glyph, toolbar_strip          # noqa: E402
from pixels import PALETTE, Picture, text_picture      # noqa: E402

MAGENTA = (255, 0, 255)


# --------------------------------------------------------------------------
# The program icon: a page with a "< >" mark and a quill writing on it.

def draw_page(pic, left, top, right, bottom, fold):
    """A white sheet with a black edge and its top right corner folded."""
    black, white, silver = PALETTE['k'], PALETTE['w'], PALETTE['s']
    corner = right - fold
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - corner > y - top:
                continue                      # the corner folded away
            edge = x in (left, right) or y in (top, bottom)
            pic.set(x, y, black if edge or x - corner == y - top else white)
    for i in range(fold + 1):                 # the folded-over flap
        for x in range(corner, corner + i + 1):
            edge = x in (corner, corner + i) or i == fold
            pic.set(x, top + i, black if edge else silver)


def draw_brackets(pic, x, y, half, thick, gap):
    """A "< >" mark: "<" with its point at (x, y + half), arms half high."""
    maroon = PALETTE['m']
    for i in range(half + 1):
        for w in range(thick):
            for dy in (-i, i):
                pic.set(x + i + w, y + half + dy, maroon)
                pic.set(x + 2 * half + gap - i - w, y + half + dy, maroon)


def draw_quill(pic, nib, tip, vane_start, left_width, right_width):
    """A feather lying on the line from the nib up to the tip: the vane is
    light on the upper left of the shaft and darker below it, with a black
    outline; below the vane the bare quill runs into a black nib."""
    ax, ay = tip[0] - nib[0], tip[1] - nib[1]
    length = math.hypot(ax, ay)
    ux, uy = ax / length, ay / length         # along the quill
    nx, ny = uy, -ux                          # across it, to the upper left

    def where(x, y):
        px, py = x + 0.5 - nib[0], y + 0.5 - nib[1]
        return (px * ux + py * uy) / length, px * nx + py * ny

    vane = {}
    for y in range(pic.height):
        for x in range(pic.width):
            u, v = where(x, y)
            if not vane_start <= u <= 1.0:
                continue
            s = (u - vane_start) / (1.0 - vane_start)
            shape = math.sin(math.pi * (0.15 + 0.85 * s)) ** 0.7
            if -right_width * shape <= v <= left_width * shape:
                vane[(x, y)] = PALETTE['c'] if v > 0 else PALETTE['t']
    for (x, y), colour in vane.items():
        pic.set(x, y, colour)
    pic.outline(vane)
    for y in range(pic.height):
        for x in range(pic.width):
            u, v = where(x, y)
            if vane_start <= u <= 0.97 and abs(v) <= 0.5:
                pic.set(x, y, PALETTE['n'])   # the shaft
            elif 0.12 <= u < vane_start and abs(v) <= 0.6:
                pic.set(x, y, PALETTE['g'])   # the bare quill
            elif 0.0 <= u < 0.12 and abs(v) <= 0.8 * u / 0.12 + 0.3:
                pic.set(x, y, PALETTE['k'])   # the nib


def draw_icon32():
    pic = Picture(32, 32)
    draw_page(pic, 2, 3, 24, 30, 6)
    for y, x0, x1 in ((8, 5, 14), (11, 5, 16), (14, 5, 11)):
        for x in range(x0, x1 + 1):
            pic.set(x, y, PALETTE['g'])       # lines of writing
    draw_brackets(pic, 4, 19, 4, 2, 6)
    draw_quill(pic, (20.5, 26.5), (31.5, 0.5), 0.35, 4.2, 2.6)
    return pic


# The small icon is drawn by hand: the same page, mark and quill, fitted
# to the pixel grid.
ICON16 = """
.............kk.
kkkkkkkkkk..kcnk
kwwwwwwwwkkccntk
kwgggggwkkccnttk
kwwwwwwwkccnttk.
kwggggwkccnttk..
kwwwwwwkcnttk...
kwwwwwwkntkwk...
kwwwwwwgkwwwk...
kwwwwwkwwwwwk...
kwwwmwwwmwwwk...
kwwmwwwwwmwwk...
kwmwwwwwwwmwk...
kwwmwwwwwmwwk...
kwwwmwwwmwwwk...
kkkkkkkkkkkkk...
"""


# --------------------------------------------------------------------------
# The pointing hand.  HAND_TIP is the fingertip within the drawing; the
# drawing is placed so that the fingertip falls on the cursor's hot spot.

HAND = """
......kkk............
.....kwwwk...........
.....kwwwk...........
.....kwwwk...........
.....kwwwk...........
.....kwwwkkk.........
.....kwwwkwwkkk......
.....kwwwkwwkwwkk....
.....kwwwkwwkwwkwk...
.kk..kwwwkwwkwwkwwk..
kwwk.kwwwwwwwwwwwwk..
kwwwkkwwwwwwwwwwwwk..
.kwwwkwwwwwwwwwwwwk..
..kwwwwwwwwwwwwwwwk..
..kwwwwwwwwwwwwwwwk..
...kwwwwwwwwwwwwwwk..
...kwwwwwwwwwwwwwk...
....kwwwwwwwwwwwwk...
....kwwwwwwwwwwwk....
.....kwwwwwwwwwwk....
.....kwwwwwwwwwwk....
.....kkkkkkkkkkkk....
"""
HAND_TIP = (7, 0)
HOT_SPOT = (13, 9)


def draw_cursor():
    hand = text_picture(HAND, "hand")
    if hand.get(*HAND_TIP) != PALETTE['k'] or \
            any(hand.get(x, HAND_TIP[1] - 1) for x in range(hand.width)):
        raise ValueError("hand: the fingertip is not on the top edge")
    pic = Picture(32, 32)
    pic.stamp(hand, HOT_SPOT[0] - HAND_TIP[0], HOT_SPOT[1] - HAND_TIP[1])
    for row in pic.px:
        for c in row:
            if c not in (None, PALETTE['k'], PALETTE['w']):
                raise ValueError("hand: a cursor pixel is neither black "
                                 "nor white")
    return pic


# --------------------------------------------------------------------------
# File formats.

def bitmap_info_header(width, height, bit_count, image_size, colours=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, 0,
                       image_size, 0, 0, colours, 0)


def mask_rows(pic):
    """The 1-bit AND mask, bottom row first: 1 where transparent."""
    stride = ((pic.width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(pic.height)):
        row = bytearray(stride)
        for x in range(pic.width):
            if pic.px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image(pic):
    """One icon image: header, BGRA pixels and the AND mask."""
    pixels = bytearray()
    for y in reversed(range(pic.height)):
        for x in range(pic.width):
            c = pic.px[y][x]
            pixels += bytes((0, 0, 0, 0)) if c is None else \
                bytes((c[2], c[1], c[0], 255))
    mask = mask_rows(pic)
    header = bitmap_info_header(pic.width, pic.height * 2, 32,
                                len(pixels) + len(mask))
    return header + bytes(pixels) + mask


def cursor_image(pic):
    """One monochrome cursor image: header, palette, XOR and AND masks."""
    stride = ((pic.width + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(pic.height)):
        row = bytearray(stride)
        for x in range(pic.width):
            if pic.px[y][x] == PALETTE['w']:
                row[x // 8] |= 0x80 >> (x % 8)
        xor += row
    mask = mask_rows(pic)
    header = bitmap_info_header(pic.width, pic.height * 2, 1,
                                len(xor) + len(mask), 2)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + bytes(xor) + mask


def icon_file(kind, images):
    """An ICO (kind 1) or CUR (kind 2) file.  images: (picture, data,
    field1, field2, colours); the two fields hold the planes and the bit
    count of an icon image, the hot spot's x and y of a cursor image."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for pic, data, field1, field2, colours in images:
        out += struct.pack('<BBBBHHII', pic.width % 256, pic.height % 256,
                           colours, 0, field1, field2, len(data), offset)
        offset += len(data)
    for image in images:
        out += image[1]
    return out


def make_ico(pictures):
    return icon_file(1, [(p, icon_image(p), 1, 32, 0) for p in pictures])


def make_cur(pic, hot_spot):
    return icon_file(2, [(pic, cursor_image(pic), hot_spot[0], hot_spot[1],
                          2)])


def make_bmp(pic):
    """A 24-bit bottom-up BMP, transparent pixels painted magenta."""
    stride = (pic.width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(pic.height)):
        row = bytearray()
        for x in range(pic.width):
            c = pic.px[y][x] or MAGENTA
            row += bytes((c[2], c[1], c[0]))
        row += bytes(stride - len(row))
        pixels += row
    info = bitmap_info_header(pic.width, pic.height, 24, len(pixels))
    offset = 14 + len(info)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + bytes(pixels)


def make_png(rows):
    """A PNG file from rows of (r, g, b) tuples."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for c in row:
            raw += bytes(c)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + \
            struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    ihdr = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def preview(pic, scale=8, background=(192, 192, 192), mark=None):
    """Enlarged rows for a PNG: transparent pixels show the background;
    mark outlines one pixel in red (the cursor's hot spot)."""
    rows = []
    for y in range(pic.height * scale):
        row = []
        for x in range(pic.width * scale):
            sx, sy = x // scale, y // scale
            c = pic.px[sy][sx] or background
            if mark == (sx, sy) and (x % scale in (0, scale - 1) or
                                     y % scale in (0, scale - 1)):
                c = (255, 0, 0)
            row.append(c)
        rows.append(row)
    return rows


def read_dib(data, width, height):
    """Decodes an icon or cursor image (header, palette, XOR bits, AND
    mask) back into a picture."""
    size, w, h, _, bits, _, _, _, _, colours, _ = \
        struct.unpack_from('<IiiHHIIiiII', data)
    if (size, w, h) != (40, width, 2 * height):
        raise ValueError("image header does not match its directory entry")
    palette_at = size
    xor_at = palette_at + 4 * (colours or (2 ** bits if bits <= 8 else 0))
    xor_stride = (width * bits + 31) // 32 * 4
    and_at = xor_at + xor_stride * height
    and_stride = (width + 31) // 32 * 4
    if and_at + and_stride * height != len(data):
        raise ValueError("image data has the wrong length")
    pic = Picture(width, height)
    for y in range(height):
        row = height - 1 - y
        for x in range(width):
            if data[and_at + row * and_stride + x // 8] & (0x80 >> x % 8):
                continue
            if bits == 32:
                b, g, r, a = data[xor_at + row * xor_stride + 4 * x:][:4]
                if a != 255:
                    raise ValueError("opaque pixel with alpha below 255")
            else:
                bit = data[xor_at + row * xor_stride + x // 8] >> \
                    (7 - x % 8) & 1
                b, g, r = data[palette_at + 4 * bit:][:3]
            pic.px[y][x] = (r, g, b)
    return pic


def read_icon_file(data, kind):
    """The images of an ICO or CUR file: (picture, field1, field2)."""
    reserved, file_kind, count = struct.unpack_from('<HHH', data)
    if (reserved, file_kind) != (0, kind):
        raise ValueError("not an icon or cursor file of the expected kind")
    images = []
    for i in range(count):
        w, h, _, _, field1, field2, length, offset = \
            struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        w, h = w or 256, h or 256
        images.append((read_dib(data[offset:offset + length], w, h),
                       field1, field2))
    return images


def read_bmp(data):
    """A 24-bit BMP back as a picture (magenta stays magenta)."""
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data)
    _, w, h, _, bits = struct.unpack_from('<IiiHH', data, 14)
    if magic != b'BM' or size != len(data) or bits != 24 or h <= 0:
        raise ValueError("not a bottom-up 24-bit BMP")
    stride = (w * 3 + 3) // 4 * 4
    pic = Picture(w, h)
    for y in range(h):
        at = offset + (h - 1 - y) * stride
        for x in range(w):
            b, g, r = data[at + 3 * x:][:3]
            pic.px[y][x] = (r, g, b)
    return pic


def verify(outputs, icons, cursor, strip, bitmaps=()):
    """Reads the written files back and compares them with the drawings."""
    icon_images = read_icon_file(outputs['quillmere.ico'], 1)
    if [(p.px, f1, f2) for p, f1, f2 in icon_images] != \
            [(p.px, 1, 32) for p in icons]:
        raise ValueError("quillmere.ico does not read back as drawn")
    [(pic, hot_x, hot_y)] = read_icon_file(outputs['hand.cur'], 2)
    if pic.px != cursor.px or (hot_x, hot_y) != HOT_SPOT:
        raise ValueError("hand.cur does not read back as drawn")
    keyed = [[c or MAGENTA for c in row] for row in strip.px]
    if read_bmp(outputs['toolbar.bmp']).px != keyed:
        raise ValueError("toolbar.bmp does not read back as drawn")
    for name, pic in bitmaps:
        keyed = [[c or MAGENTA for c in row] for row in pic.px]
        if read_bmp(outputs[name]).px != keyed:
            raise ValueError(f"{name} does not read back as drawn")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument('--out', default=os.path.dirname(here),
                        help='folder for the resource files')
    parser.add_argument('--preview', metavar='DIR',
                        help='also write 8x PNG previews into DIR')
    args = parser.parse_args(argv)

    icon16 = text_picture(ICON16, "icon16")
    if (icon16.width, icon16.height) != (16, 16):
        raise ValueError("icon16: not 16x16")
    icon32 = draw_icon32()
    cursor = draw_cursor()
    strip = toolbar_strip()
    setup = setup_glyph()
    credit = draw_credit(icon32)
    if any(c is None for row in credit.px for c in row):
        raise ValueError("credit: a transparent pixel")

    outputs = {
        'quillmere.ico': make_ico([icon16, icon32]),
        'hand.cur': make_cur(cursor, HOT_SPOT),
        'toolbar.bmp': make_bmp(strip),
        'setup.bmp': make_bmp(setup),
        'credit.bmp': make_bmp(credit),
    }
    verify(outputs, [icon16, icon32], cursor, strip,
           [('setup.bmp', setup), ('credit.bmp', credit)])
    for name, data in outputs.items():
        with open(os.path.join(args.out, name), 'wb') as f:
            f.write(data)

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        shots = {
            'icon16.png': preview(icon16),
            'icon32.png': preview(icon32),
            'icon32-white.png': preview(icon32, background=(255, 255, 255)),
            'hand.png': preview(cursor, background=(0, 128, 128),
                                mark=HOT_SPOT),
            'toolbar.png': preview(strip),
            'toolbar-2x.png': preview(strip, scale=2),
            'setup.png': preview(setup),
            'credit.png': preview(credit, scale=4),
        }
        for name, rows in shots.items():
            with open(os.path.join(args.preview, name), 'wb') as f:
                f.write(make_png(rows))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
