// vo_fontgen: draws raster font images from TrueType fonts with FreeType, in
// the layout that the engine's raster fonts read, and writes the font list
// that names them.
//
// Regenerating the sample fonts of the data tree (after a build, which
// builds this tool when FreeType's headers are installed):
//
//     build/release/tools/fontgen/vo_fontgen tools/fontgen/sample_fonts.list data/textures/fonts
//
// writes data/textures/fonts/<id>.tga for every line of the list and
// data/textures/fonts/fonts.txt. The list holds one font a line:
//
//     <id> <font file> <pixel size> <colour RRGGBB> [outline]
//
// with '#' lines as comments; a font file without a '/' is taken from
// /usr/share/fonts/truetype/dejavu (Debian's fonts-dejavu-core).
//
// "outline" draws a black edge one pixel wide round every letter, into the
// glyph pictures themselves: the subtitles stand over the 3D scene, under a
// box of 40 percent black, and must read over a light floor as over a dark
// one. Each picture grows by a pixel on every side (the cell's picture
// begins a column left of the letter and its black run reaches a column
// further), the rows by the lines the edge needs below the lowest letter or
// above the highest, while the advance stays the letter's: the edges of two
// neighbours may share a column. A pixel of the letter over its edge keeps
// the letter's colour at its own coverage, premultiplied over the black:
// colour x alpha is the letter's colour x its coverage.
//
// The image layout. The image is cut into rows of "rowheight" pixel lines;
// the first line of a row is its guide line, the others hold the glyphs, the
// baseline at the font's ascender below the guide line. Each character of
// the set (space to tilde) takes one cell, left to right and row by row; on
// the guide line a cell reads:
//   - one opaque black pixel where the glyph's picture begins, when it begins
//     left of the pen, then transparent pixels up to the pen;
//   - opaque white pixels, as many as the advance width, starting at the pen;
//   - opaque black pixels over the columns where the picture reaches right
//     of the advance;
//   - one transparent separator pixel, which the reader skips.
// Glyph pixels carry the font's colour with the coverage as alpha (over the
// outline as above, where the font has one); the rest is transparent. The image is a run-length TGA (type 10,
// 32 bits, top row first), its sides powers of two.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu/";
const int kWidths[] = {64, 128, 256, 512, 1024};

struct FontSpec {
    std::string id;
    std::string file;
    int pixelSize = 0;
    std::uint8_t red = 0, green = 0, blue = 0;
    bool outline = false;
};

struct Glyph {
    char character = 0;
    int advance = 0;  // pixels, at least 1
    int left = 0;     // bitmap left relative to the pen
    int top = 0;      // bitmap top relative to the baseline (up)
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;  // rows x width: the letter
    std::vector<std::uint8_t> edge;      // rows x width: its outline, empty without one
    // The picture's columns relative to the pen: [first, end).
    int first() const { return std::min(0, left); }
    int end() const { return std::max(advance, left + width); }
};

struct Pixel {
    std::uint8_t b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Pixel& aOther) const {
        return b == aOther.b && g == aOther.g && r == aOther.r && a == aOther.a;
    }
};

class Picture {
public:
    Picture(int aWidth, int aHeight) : fWidth(aWidth), fHeight(aHeight), fPixels(aWidth * aHeight) {}
    void Set(int aX, int aY, Pixel aPixel) {
        if (aX >= 0 && aX < fWidth && aY >= 0 && aY < fHeight) {
            fPixels[aY * fWidth + aX] = aPixel;
        }
    }
    void Fill(Pixel aPixel) { std::fill(fPixels.begin(), fPixels.end(), aPixel); }

    // Run-length TGA, top row first; packets stay within a row.
    bool WriteTga(const std::string& aPath) const {
        std::vector<std::uint8_t> out = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        out.push_back(fWidth & 0xFF);
        out.push_back(fWidth >> 8);
        out.push_back(fHeight & 0xFF);
        out.push_back(fHeight >> 8);
        out.push_back(32);
        out.push_back(0x28);  // top row first, eight alpha bits
        for (int y = 0; y < fHeight; ++y) {
            const Pixel* row = &fPixels[y * fWidth];
            int x = 0;
            while (x < fWidth) {
                int run = 1;
                while (x + run < fWidth && run < 128 && row[x + run] == row[x]) {
                    ++run;
                }
                if (run > 1) {
                    out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
                    Append(out, row[x]);
                    x += run;
                    continue;
                }
                // A raw packet up to the next pair of equal pixels.
                int count = 1;
                while (x + count < fWidth && count < 128 &&
                       !(x + count + 1 < fWidth && row[x + count] == row[x + count + 1])) {
                    ++count;
                }
                out.push_back(static_cast<std::uint8_t>(count - 1));
                for (int i = 0; i < count; ++i) {
                    Append(out, row[x + i]);
                }
                x += count;
            }
        }
        std::ofstream file(aPath, std::ios::binary);
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
        return static_cast<bool>(file);
    }

private:
    static void Append(std::vector<std::uint8_t>& aOut, const Pixel& aPixel) {
        aOut.insert(aOut.end(), {aPixel.b, aPixel.g, aPixel.r, aPixel.a});
    }

    int fWidth;
    int fHeight;
    std::vector<Pixel> fPixels;
};

// The letter with a black edge one pixel wide: the picture grown by a pixel
// on every side, the edge at each pixel twice the letter's greatest
// coverage among the pixel and its eight neighbours, at most opaque: solid
// beside every pixel that is half letter or more, fading out only round
// the letter's faint anti-aliased rim.
void AddOutline(Glyph& aGlyph) {
    const int width = aGlyph.width + 2;
    const int rows = aGlyph.rows + 2;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * rows, 0);
    std::vector<std::uint8_t> edge(coverage.size(), 0);
    for (int y = 0; y < aGlyph.rows; ++y) {
        for (int x = 0; x < aGlyph.width; ++x) {
            const std::uint8_t value = aGlyph.coverage[y * aGlyph.width + x];
            coverage[(y + 1) * width + x + 1] = value;
            const auto solid = static_cast<std::uint8_t>(std::min(255, 2 * value));
            for (int dy = 0; dy <= 2; ++dy) {
                for (int dx = 0; dx <= 2; ++dx) {
                    std::uint8_t& around = edge[(y + dy) * width + x + dx];
                    around = std::max(around, solid);
                }
            }
        }
    }
    aGlyph.left -= 1;
    aGlyph.top += 1;
    aGlyph.width = width;
    aGlyph.rows = rows;
    aGlyph.coverage.swap(coverage);
    aGlyph.edge.swap(edge);
}

// A pixel of the letter (coverage c) over its black edge (coverage e): alpha
// c + e (1 - c), the colour the letter's at c / alpha, so that colour x
// alpha is the letter's colour x c.
Pixel OverEdge(const FontSpec& aSpec, std::uint8_t aCoverage, std::uint8_t aEdge) {
    const int alpha = aCoverage + (aEdge * (255 - aCoverage) + 127) / 255;
    const auto channel = [&](std::uint8_t aChannel) {
        return static_cast<std::uint8_t>(alpha == 0 ? 0 : (aChannel * aCoverage + alpha / 2) / alpha);
    };
    return Pixel{channel(aSpec.blue), channel(aSpec.green), channel(aSpec.red),
                 static_cast<std::uint8_t>(alpha)};
}

int NextPowerOfTwo(int aValue) {
    int power = 1;
    while (power < aValue) {
        power *= 2;
    }
    return power;
}

bool LoadGlyphs(FT_Library aLibrary, const FontSpec& aSpec, std::vector<Glyph>& aGlyphs, int& aAscent,
                int& aDescent) {
    const std::string path =
        aSpec.file.find('/') == std::string::npos ? kFontFolder + aSpec.file : aSpec.file;
    FT_Face face = nullptr;
    if (FT_New_Face(aLibrary, path.c_str(), 0, &face) != 0) {
        std::cerr << "cannot open font " << path << "\n";
        return false;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(aSpec.pixelSize)) != 0) {
        std::cerr << "cannot size font " << path << "\n";
        FT_Done_Face(face);
        return false;
    }
    aAscent = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0));
    aDescent = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0));
    for (char c = ' '; c <= '~'; ++c) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0) {
            std::cerr << "cannot render '" << c << "' of " << path << "\n";
            FT_Done_Face(face);
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        Glyph glyph;
        glyph.character = c;
        glyph.advance = std::max(1, static_cast<int>(std::lround(slot->advance.x / 64.0)));
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(slot->bitmap.width);
        glyph.rows = static_cast<int>(slot->bitmap.rows);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* source = slot->bitmap.buffer + y * slot->bitmap.pitch;
            std::copy(source, source + glyph.width, glyph.coverage.begin() + y * glyph.width);
        }
        if (aSpec.outline) {
            AddOutline(glyph);
        }
        aGlyphs.push_back(glyph);
    }
    FT_Done_Face(face);
    return true;
}

// The left column of every glyph's cell for an image aWidth wide: the cells
// fill the rows left to right. Gives the number of rows.
int PlaceCells(const std::vector<Glyph>& aGlyphs, int aWidth, std::vector<std::pair<int, int>>& aPlaces) {
    aPlaces.clear();
    int x = 0;
    int row = 0;
    for (const Glyph& glyph : aGlyphs) {
        const int width = glyph.end() - glyph.first();
        if (width > aWidth) {
            return -1;
        }
        if (x + width > aWidth) {
            x = 0;
            ++row;
        }
        aPlaces.emplace_back(x, row);
        x += width + 1;  // and the separator
    }
    return row + 1;
}

bool MakeFont(FT_Library aLibrary, const FontSpec& aSpec, const std::string& aFolder, int& aRowHeight) {
    std::vector<Glyph> glyphs;
    int ascent = 0;
    int descent = 0;
    if (!LoadGlyphs(aLibrary, aSpec, glyphs, ascent, descent)) {
        return false;
    }
    // Room for the glyphs that reach beyond the font's ascender or descender.
    for (const Glyph& glyph : glyphs) {
        ascent = std::max(ascent, glyph.top);
        descent = std::max(descent, glyph.rows - glyph.top);
    }
    aRowHeight = 1 + ascent + descent;

    int bestWidth = 0;
    int bestHeight = 0;
    std::vector<std::pair<int, int>> places;
    for (int width : kWidths) {
        const int rows = PlaceCells(glyphs, width, places);
        if (rows < 0) {
            continue;
        }
        const int height = NextPowerOfTwo(rows * aRowHeight);
        // The smallest picture; of two as small, the squarer.
        const auto skew = [](int aWidth, int aHeight) {
            return std::max(aWidth, aHeight) / std::min(aWidth, aHeight);
        };
        if (bestWidth == 0 || width * height < bestWidth * bestHeight ||
            (width * height == bestWidth * bestHeight && skew(width, height) < skew(bestWidth, bestHeight))) {
            bestWidth = width;
            bestHeight = height;
        }
    }
    if (bestWidth == 0) {
        std::cerr << aSpec.id << ": glyphs too wide\n";
        return false;
    }
    PlaceCells(glyphs, bestWidth, places);

    Picture picture(bestWidth, bestHeight);
    // The colour that filtering mixes in at the picture's edge: the letter's,
    // or its outline's where it has one.
    const Pixel clear = aSpec.outline ? Pixel{0, 0, 0, 0} : Pixel{aSpec.blue, aSpec.green, aSpec.red, 0};
    picture.Fill(clear);
    const Pixel white{255, 255, 255, 255};
    const Pixel black{0, 0, 0, 255};
    const Pixel none{0, 0, 0, 0};
    for (int y = 0; y < bestHeight; y += aRowHeight) {
        for (int x = 0; x < bestWidth; ++x) {
            picture.Set(x, y, none);
        }
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& glyph = glyphs[i];
        const int guide = places[i].second * aRowHeight;
        const int pen = places[i].first - glyph.first();
        if (glyph.first() < 0) {
            picture.Set(pen + glyph.first(), guide, black);
        }
        for (int x = 0; x < glyph.advance; ++x) {
            picture.Set(pen + x, guide, white);
        }
        for (int x = glyph.advance; x < glyph.end(); ++x) {
            picture.Set(pen + x, guide, black);
        }
        const int baseline = guide + 1 + ascent;
        for (int row = 0; row < glyph.rows; ++row) {
            const int y = baseline - glyph.top + row;
            if (y <= guide || y >= guide + aRowHeight) {
                continue;
            }
            for (int column = 0; column < glyph.width; ++column) {
                const std::uint8_t coverage = glyph.coverage[row * glyph.width + column];
                const std::uint8_t edge = glyph.edge.empty() ? 0 : glyph.edge[row * glyph.width + column];
                if (edge != 0) {
                    picture.Set(pen + glyph.left + column, y, OverEdge(aSpec, coverage, edge));
                } else if (coverage != 0) {
                    picture.Set(pen + glyph.left + column, y,
                                Pixel{aSpec.blue, aSpec.green, aSpec.red, coverage});
                }
            }
        }
    }
    const std::string path = aFolder + "/" + aSpec.id + ".tga";
    if (!picture.WriteTga(path)) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    std::cout << path << ": " << bestWidth << " x " << bestHeight << ", rowheight " << aRowHeight << "\n";
    return true;
}

bool ReadList(const std::string& aPath, std::vector<FontSpec>& aSpecs) {
    std::ifstream in(aPath);
    if (!in) {
        std::cerr << "cannot read " << aPath << "\n";
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        FontSpec spec;
        std::string colour;
        std::string option;
        std::string extra;
        fields >> spec.id >> spec.file >> spec.pixelSize >> colour;
        const bool complete = static_cast<bool>(fields);
        fields >> option >> extra;
        if (!complete || colour.size() != 6 || spec.pixelSize < 4 ||
            !(option.empty() || option == "outline") || !extra.empty()) {
            std::cerr << "bad line: " << line << "\n";
            return false;
        }
        spec.outline = option == "outline";
        const unsigned long rgb = std::stoul(colour, nullptr, 16);
        spec.red = static_cast<std::uint8_t>(rgb >> 16);
        spec.green = static_cast<std::uint8_t>(rgb >> 8);
        spec.blue = static_cast<std::uint8_t>(rgb);
        aSpecs.push_back(spec);
    }
    return true;
}

}  // namespace

int main(int aArgc, char** aArgv) {
    if (aArgc != 3) {
        std::cerr << "usage: vo_fontgen <font list> <output folder>\n";
        return 2;
    }
    std::vector<FontSpec> specs;
    if (!ReadList(aArgv[1], specs)) {
        return 1;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cerr << "cannot start FreeType\n";
        return 1;
    }
    const std::string folder = aArgv[2];
    std::ostringstream list;
    list << "// The raster fonts: made by tools/fontgen/vo_fontgen from tools/fontgen/sample_fonts.list.\n";
    list << "fonts\n";
    bool ok = true;
    for (const FontSpec& spec : specs) {
        int rowHeight = 0;
        if (!MakeFont(library, spec, folder, rowHeight)) {
            ok = false;
            break;
        }
        list << "\t" << spec.id << "\n";
        list << "\t\tid=" << spec.id << "\n";
        list << "\t\ttexture=" << spec.id << ".tga\n";
        list << "\t\trowheight=" << rowHeight << "\n";
    }
    FT_Done_FreeType(library);
    if (!ok) {
        return 1;
    }
    std::ofstream out(folder + "/fonts.txt", std::ios::binary);
    out << list.str();
    return out ? 0 : 1;
}
