"""Small pictures as grids of colours, drawn as text or from shapes."""

# The sixteen colours of the classic Windows palette (magenta, the tool
# bar's transparent colour, left out), one letter each, so that small
# pictures can be drawn as text.  '.' is a transparent pixel.
PALETTE = {
    'k': (0, 0, 0),
    'm': (128, 0, 0),        # maroon
    'd': (0, 128, 0),        # dark green
    'o': (128, 128, 0),      # olive
    'n': (0, 0, 128),        # navy
    'p': (128, 0, 128),      # purple
    't': (0, 128, 128),      # teal
    'g': (128, 128, 128),    # grey
    's': (192, 192, 192),    # silver
    'r': (255, 0, 0),
    'G': (0, 255, 0),
    'y': (255, 255, 0),
    'b': (0, 0, 255),
    'c': (0, 255, 255),
    'w': (255, 255, 255),
    '.': None,
}

NEIGHBOURS = ((1, 0), (-1, 0), (0, 1), (0, -1))


class Picture:
    """A width x height grid of (r, g, b) colours; None is transparent."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[None] * width for _ in range(height)]

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.px[y][x]
        return None

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def stamp(self, other, ox, oy):
        """Copies the opaque pixels of other with its corner at (ox, oy)."""
        for y in range(other.height):
            for x in range(other.width):
                c = other.px[y][x]
                if c is not None:
                    self.set(ox + x, oy + y, c)

    def outline(self, inside, colour=PALETTE['k']):
        """Paints the pixels just outside the set of points inside."""
        for y in range(self.height):
            for x in range(self.width):
                if (x, y) not in inside and any(
                        (x + dx, y + dy) in inside for dx, dy in NEIGHBOURS):
                    self.set(x, y, colour)


def text_picture(text, name):
    """A picture from lines of palette letters, all of the same length."""
    rows = [r.strip() for r in text.strip('\n').split('\n')]
    pic = Picture(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        if len(row) != pic.width:
            raise ValueError(f"{name}: row {y} has {len(row)} pixels, "
                             f"expected {pic.width}")
        for x, ch in enumerate(row):
            if ch not in PALETTE:
                raise ValueError(f"{name}: unknown colour {ch!r} "
                                 f"at ({x}, {y})")
            pic.px[y][x] = PALETTE[ch]
    return pic
