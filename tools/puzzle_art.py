"""Drawing helpers for the puzzle generators: a small RGBA canvas with filled
shapes and text set in the game's own raster fonts (the font pictures under
data/textures/fonts, read the way the engine reads them: a guide line tops
every row of glyphs), written as 32-bit run-length TGA files."""
import math
import os
import struct

from make_layout_sample import tga

FONT_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "textures", "fonts")
CHARACTERS = "".join(chr(c) for c in range(32, 127))


def read_tga(path):
    """(width, height, rows of (b, g, r, a)) of a 32-bit TGA, run-length or
    plain, top row first or bottom row first."""
    with open(path, "rb") as source:
        data = source.read()
    id_length, kind = data[0], data[2]
    width, height, depth, descriptor = struct.unpack("<HHBB", data[12:18])
    if depth != 32 or kind not in (2, 10):
        raise ValueError(path + ": not a 32-bit true-colour TGA")
    pos = 18 + id_length
    pixels = []
    count = width * height
    while len(pixels) < count:
        if kind == 2:
            pixels.append(tuple(data[pos:pos + 4]))
            pos += 4
            continue
        packet = data[pos]
        pos += 1
        n = (packet & 0x7F) + 1
        if packet & 0x80:
            pixels.extend([tuple(data[pos:pos + 4])] * n)
            pos += 4
        else:
            for _ in range(n):
                pixels.append(tuple(data[pos:pos + 4]))
                pos += 4
    rows = [pixels[y * width:(y + 1) * width] for y in range(height)]
    if not descriptor & 0x20:
        rows.reverse()
    return width, height, rows


def font_row_height(name):
    """The "rowheight" of the font's entry in fonts.txt."""
    entry = None
    with open(os.path.join(FONT_FOLDER, "fonts.txt")) as source:
        for line in source:
            key, _, value = line.strip().partition("=")
            if key == "id":
                entry = value
            elif key == "rowheight" and entry == name:
                return int(value)
    raise ValueError(name + ": not in fonts.txt")


def letter_alpha(pixel, brightest):
    """The coverage of the letter alone in a font pixel (see Font)."""
    b, g, r, a = pixel
    if brightest == 0 or max(r, g, b) == brightest:
        return a
    return round(max(r, g, b) * a / brightest)


class Font:
    """A raster font of data/textures/fonts: the glyph cells found along the
    guide lines, one per printable ASCII character, in rows of the height
    that data/textures/fonts/fonts.txt gives.

    Only the letters are set, never the black outline that a font of the
    subtitles carries (tools/fontgen/sample_fonts.list): its pixels hold the
    letter's colour premultiplied over the black, so the letter's own
    coverage is alpha x the pixel's brightest channel / the letter colour's
    brightest channel (which is full in both such fonts: the coverage comes
    back exactly). A text line takes line_height - 1 pixel lines, the row
    height the font would have without its outline."""

    def __init__(self, name, line_height):
        self.row_height = line_height
        cell_height = font_row_height(name)
        width, height, rows = read_tga(os.path.join(FONT_FOLDER, name + ".tga"))
        # The letters' colour shows fully where a pixel is all letter.
        brightest = max((max(p[:3]) for y, row in enumerate(rows) if y % cell_height for p in row if p[3]),
                        default=0)
        self.rows = [row if y % cell_height == 0 else [p[:3] + (letter_alpha(p, brightest),) for p in row]
                     for y, row in enumerate(rows)]
        self.cell_height = cell_height
        self.glyphs = {}
        cells = self._scan(width, height)
        for character, cell in zip(CHARACTERS, cells):
            self.glyphs[character] = cell

    @staticmethod
    def _guide(pixel):
        b, g, r, a = pixel
        if a != 255:
            return "other"
        if (r, g, b) == (255, 255, 255):
            return "white"
        if (r, g, b) == (0, 0, 0):
            return "black"
        return "other"

    def _scan(self, width, height):
        cells = []
        top = 0
        while top < height:
            guide_line = self.rows[top]
            x = -1
            while True:
                left = -1
                kind = "other"
                while kind != "white":
                    x += 1
                    if x >= width:
                        break
                    kind = self._guide(guide_line[x])
                    if kind == "black":
                        left = x
                if x >= width:
                    break
                start = x
                left = x if left == -1 else left
                while kind == "white" and x < width:
                    x += 1
                    if x < width:
                        kind = self._guide(guide_line[x])
                white_end = x
                while kind == "black" and x < width:
                    x += 1
                    if x < width:
                        kind = self._guide(guide_line[x])
                cells.append((left, start, white_end, x, top))
            top += self.cell_height
        return cells

    def width(self, text, scale=1):
        return sum((self.glyphs[c][2] - self.glyphs[c][1]) * scale for c in text if c in self.glyphs)


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            if colour[3] == 255 or self.pixels[y][x][3] == 0:
                self.pixels[y][x] = colour
            else:
                t = colour[3] / 255.0
                old = self.pixels[y][x]
                self.pixels[y][x] = tuple(round(old[i] + (colour[i] - old[i]) * t) for i in range(3)) + (
                    max(old[3], colour[3]),)

    def fill(self, x0, y0, x1, y1, colour):
        """The rectangle from (x0, y0) up to but not including (x1, y1)."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour, thickness=1):
        self.fill(x0, y0, x1, y0 + thickness, colour)
        self.fill(x0, y1 - thickness, x1, y1, colour)
        self.fill(x0, y0, x0 + thickness, y1, colour)
        self.fill(x1 - thickness, y0, x1, y1, colour)

    def disc(self, cx, cy, radius, colour):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def ring(self, cx, cy, inner, outer, colour):
        for y in range(int(cy - outer) - 1, int(cy + outer) + 2):
            for x in range(int(cx - outer) - 1, int(cx + outer) + 2):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if inner <= d <= outer:
                    self.put(x, y, colour)

    def triangle(self, points, colour):
        (ax, ay), (bx, by), (cx, cy) = points

        def side(px, py, qx, qy, rx, ry):
            return (qx - px) * (ry - py) - (qy - py) * (rx - px)

        for y in range(int(min(ay, by, cy)), int(max(ay, by, cy)) + 1):
            for x in range(int(min(ax, bx, cx)), int(max(ax, bx, cx)) + 1):
                px, py = x + 0.5, y + 0.5
                s1 = side(ax, ay, bx, by, px, py)
                s2 = side(bx, by, cx, cy, px, py)
                s3 = side(cx, cy, ax, ay, px, py)
                if (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0):
                    self.put(x, y, colour)

    def text(self, x, y, text, font, colour, scale=1):
        """Sets the text with its pen at x and the glyphs' top line at y, each
        glyph pixel blown up to scale x scale, tinted by the glyph's alpha."""
        pen = x
        for character in text:
            cell = font.glyphs.get(character)
            if cell is None:
                continue
            left, start, white_end, black_end, top = cell
            for gy in range(1, font.cell_height):
                row = font.rows[top + gy]
                for gx in range(left, black_end):
                    alpha = row[gx][3]
                    if alpha == 0:
                        continue
                    shade = colour[:3] + (round(colour[3] * alpha / 255),)
                    for sy in range(scale):
                        for sx in range(scale):
                            self.put(pen + (gx - start) * scale + sx, y + (gy - 1) * scale + sy, shade)
            pen += (white_end - start) * scale

    def centred_text(self, cx, cy, text, font, colour, scale=1):
        self.text(round(cx - font.width(text, scale) / 2), round(cy - (font.row_height - 1) * scale / 2), text,
                  font, colour, scale)

    def write(self, path):
        with open(path, "wb") as out:
            out.write(tga(self.width, self.height, lambda x, y: self.pixels[y][x]))


def bgra(r, g, b, a=255):
    """Canvas colours are stored as the TGA stores them: blue, green, red, alpha."""
    return (b, g, r, a)
