"""Drawing helpers of tools/make_pda.py: an RGBA canvas with rectangles,
rounded panels, lines, discs and a 5 x 7 pixel font, written out as the
run-length TGA files of tools/make_layout_sample.py."""
import math

from make_layout_sample import tga

# 5 x 7 glyphs, one string per row, "#" lit.
GLYPHS = {
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "B": ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    "C": [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "G": [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    "H": ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "J": ["  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "Q": [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "U": ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"],
    "X": ["#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"],
    "Y": ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    "Z": ["#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"],
    "0": [" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "],
    "1": ["  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "2": [" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"],
    "3": ["#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "],
    "4": ["   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "],
    "5": ["#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "],
    "6": ["  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "],
    "7": ["#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "],
    "8": [" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "],
    "9": [" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "],
    " ": ["     "] * 7,
    "-": ["     ", "     ", "     ", " ### ", "     ", "     ", "     "],
    "+": ["     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "],
    ".": ["     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "],
}
GLYPH_WIDTH = 5
GLYPH_HEIGHT = 7
GLYPH_ADVANCE = 6


def text_width(text, scale=1):
    return (len(text) * GLYPH_ADVANCE - 1) * scale if text else 0


class Canvas:
    """RGBA pixels, top row first; colours are (r, g, b) or (r, g, b, a)."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(rgba(fill)) for _ in range(width * height)]

    def put(self, x, y, colour, coverage=1.0):
        if not (0 <= x < self.width and 0 <= y < self.height) or coverage <= 0.0:
            return
        r, g, b, a = rgba(colour)
        a = a / 255.0 * min(1.0, coverage)
        dst = self.pixels[y * self.width + x]
        da = dst[3] / 255.0
        out_a = a + da * (1.0 - a)
        if out_a <= 0.0:
            return
        for i, c in enumerate((r, g, b)):
            dst[i] = round((c * a + dst[i] * da * (1.0 - a)) / out_a)
        dst[3] = round(out_a * 255.0)

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour, thickness=1):
        self.rect(x0, y0, x1, y0 + thickness, colour)
        self.rect(x0, y1 - thickness, x1, y1, colour)
        self.rect(x0, y0, x0 + thickness, y1, colour)
        self.rect(x1 - thickness, y0, x1, y1, colour)

    def shape(self, x0, y0, x1, y1, distance, colour):
        """Covers the pixels of the box where distance(px, py) <= 0, with
        2 x 2 samples per pixel for soft edges."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hits = 0
                for sy in (0.25, 0.75):
                    for sx in (0.25, 0.75):
                        if distance(x + sx, y + sy) <= 0.0:
                            hits += 1
                if hits:
                    self.put(x, y, colour, hits / 4.0)

    def rounded(self, x0, y0, x1, y1, radius, colour):
        def distance(px, py):
            cx = min(max(px, x0 + radius), x1 - radius)
            cy = min(max(py, y0 + radius), y1 - radius)
            return math.hypot(px - cx, py - cy) - radius

        self.shape(x0, y0, x1, y1, distance, colour)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(rgba(top), rgba(bottom)))
            self.rect(x0, y, x1, y + 1, colour)

    def disc(self, cx, cy, radius, colour):
        self.shape(int(cx - radius) - 1, int(cy - radius) - 1, int(cx + radius) + 2, int(cy + radius) + 2,
                   lambda px, py: math.hypot(px - cx, py - cy) - radius, colour)

    def line(self, ax, ay, bx, by, width, colour):
        def distance(px, py):
            dx, dy = bx - ax, by - ay
            length = dx * dx + dy * dy
            t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
            return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) - width / 2.0

        pad = width + 1
        self.shape(int(min(ax, bx) - pad), int(min(ay, by) - pad), int(max(ax, bx) + pad) + 1,
                   int(max(ay, by) + pad) + 1, distance, colour)

    def text(self, x, y, text, colour, scale=1):
        for i, char in enumerate(text.upper()):
            glyph = GLYPHS.get(char, GLYPHS[" "])
            for row in range(GLYPH_HEIGHT):
                for column in range(GLYPH_WIDTH):
                    if glyph[row][column] == "#":
                        gx = x + (i * GLYPH_ADVANCE + column) * scale
                        self.rect(gx, y + row * scale, gx + scale, y + (row + 1) * scale, colour)

    def centred_text(self, x0, y0, x1, y1, text, colour, scale=1):
        x = x0 + (x1 - x0 - text_width(text, scale)) // 2
        y = y0 + (y1 - y0 - GLYPH_HEIGHT * scale) // 2
        self.text(x, y, text, colour, scale)

    def paste(self, other, x, y):
        for oy in range(other.height):
            for ox in range(other.width):
                self.put(x + ox, y + oy, other.pixels[oy * other.width + ox])

    def tga(self):
        def pixel(x, y):
            r, g, b, a = self.pixels[y * self.width + x]
            return (b, g, r, a)

        return tga(self.width, self.height, pixel)


def rgba(colour):
    return tuple(colour) if len(colour) == 4 else (colour[0], colour[1], colour[2], 255)
