#include "MenuPictures.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu/";

FT_Library Library() {
    static FT_Library sLibrary = [] {
        FT_Library library = nullptr;
        return FT_Init_FreeType(&library) == 0 ? library : nullptr;
    }();
    return sLibrary;
}

std::uint8_t Byte(double aValue) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(aValue, 0.0, 1.0) * 255.0));
}

void PutLittle(std::string& aOut, std::uint32_t aValue, int aBytes) {
    for (int i = 0; i < aBytes; ++i) {
        aOut.push_back(static_cast<char>((aValue >> (8 * i)) & 0xFF));
    }
}

bool Save(const std::string& aPath, const std::string& aBytes) {
    std::ofstream out(aPath, std::ios::binary);
    out.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", aPath.c_str());
        return false;
    }
    return true;
}

}  // namespace

Picture::Picture(int aWidth, int aHeight, Colour aFill)
    : fWidth(aWidth), fHeight(aHeight), fPixels(static_cast<std::size_t>(aWidth) * aHeight * 4) {
    for (int y = 0; y < aHeight; ++y) {
        for (int x = 0; x < aWidth; ++x) {
            Set(x, y, aFill);
        }
    }
}

void Picture::Set(int aX, int aY, const Colour& aColour) {
    if (aX < 0 || aY < 0 || aX >= fWidth || aY >= fHeight) {
        return;
    }
    std::uint8_t* pixel = &fPixels[(static_cast<std::size_t>(aY) * fWidth + aX) * 4];
    pixel[0] = Byte(aColour.b);
    pixel[1] = Byte(aColour.g);
    pixel[2] = Byte(aColour.r);
    pixel[3] = Byte(aColour.a);
}

Colour Picture::Get(int aX, int aY) const {
    const std::uint8_t* pixel = &fPixels[(static_cast<std::size_t>(aY) * fWidth + aX) * 4];
    return {pixel[2] / 255.0, pixel[1] / 255.0, pixel[0] / 255.0, pixel[3] / 255.0};
}

void Picture::Blend(int aX, int aY, const Colour& aColour, double aCover) {
    if (aX < 0 || aY < 0 || aX >= fWidth || aY >= fHeight) {
        return;
    }
    const double alpha = std::clamp(aColour.a * aCover, 0.0, 1.0);
    if (alpha <= 0.0) {
        return;
    }
    const Colour under = Get(aX, aY);
    const double out = alpha + under.a * (1.0 - alpha);
    if (out <= 0.0) {
        return;
    }
    const auto mix = [&](double aTop, double aBottom) {
        return (aTop * alpha + aBottom * under.a * (1.0 - alpha)) / out;
    };
    Set(aX, aY, {mix(aColour.r, under.r), mix(aColour.g, under.g), mix(aColour.b, under.b), out});
}

void Picture::FillRect(int aX, int aY, int aWidth, int aHeight, const Colour& aColour) {
    for (int y = aY; y < aY + aHeight; ++y) {
        for (int x = aX; x < aX + aWidth; ++x) {
            Blend(x, y, aColour);
        }
    }
}

void Picture::FrameRect(int aX, int aY, int aWidth, int aHeight, int aThickness, const Colour& aColour) {
    FillRect(aX, aY, aWidth, aThickness, aColour);
    FillRect(aX, aY + aHeight - aThickness, aWidth, aThickness, aColour);
    FillRect(aX, aY + aThickness, aThickness, aHeight - 2 * aThickness, aColour);
    FillRect(aX + aWidth - aThickness, aY + aThickness, aThickness, aHeight - 2 * aThickness, aColour);
}

void Picture::Disc(double aX, double aY, double aRadius, const Colour& aColour, double aInner) {
    const int x0 = static_cast<int>(std::floor(aX - aRadius - 1));
    const int x1 = static_cast<int>(std::ceil(aX + aRadius + 1));
    const int y0 = static_cast<int>(std::floor(aY - aRadius - 1));
    const int y1 = static_cast<int>(std::ceil(aY + aRadius + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double distance = std::hypot(x + 0.5 - aX, y + 0.5 - aY);
            double cover = std::clamp(aRadius - distance + 0.5, 0.0, 1.0);
            if (aInner > 0.0) {
                cover = std::min(cover, std::clamp(distance - aInner + 0.5, 0.0, 1.0));
            }
            Blend(x, y, aColour, cover);
        }
    }
}

void Picture::Segment(double aX0, double aY0, double aX1, double aY1, double aWidth, const Colour& aColour) {
    const double half = aWidth / 2.0;
    const int left = static_cast<int>(std::floor(std::min(aX0, aX1) - half - 1));
    const int right = static_cast<int>(std::ceil(std::max(aX0, aX1) + half + 1));
    const int top = static_cast<int>(std::floor(std::min(aY0, aY1) - half - 1));
    const int bottom = static_cast<int>(std::ceil(std::max(aY0, aY1) + half + 1));
    const double dx = aX1 - aX0;
    const double dy = aY1 - aY0;
    const double lengthSquared = std::max(dx * dx + dy * dy, 1e-9);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5 - aX0;
            const double py = y + 0.5 - aY0;
            const double t = std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0);
            const double distance = std::hypot(px - t * dx, py - t * dy);
            Blend(x, y, aColour, std::clamp(half - distance + 0.5, 0.0, 1.0));
        }
    }
}

void Picture::Draw(const Picture& aOther, int aX, int aY, double aAlpha) {
    for (int y = 0; y < aOther.Height(); ++y) {
        for (int x = 0; x < aOther.Width(); ++x) {
            Blend(aX + x, aY + y, aOther.Get(x, y), aAlpha);
        }
    }
}

void Picture::Darken(double aFactor) {
    for (int y = 0; y < fHeight; ++y) {
        for (int x = 0; x < fWidth; ++x) {
            Colour colour = Get(x, y);
            colour.r *= aFactor;
            colour.g *= aFactor;
            colour.b *= aFactor;
            Set(x, y, colour);
        }
    }
}

Typeface::Typeface(const std::string& aFile, int aPixelSize) {
    FT_Face face = nullptr;
    const std::string path = kFontFolder + aFile;
    if (Library() == nullptr || FT_New_Face(Library(), path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(aPixelSize));
    fAscent = static_cast<int>(face->size->metrics.ascender >> 6);
    fDescent = static_cast<int>(-(face->size->metrics.descender >> 6));
    fFace = face;
}

Typeface::~Typeface() {
    if (fFace != nullptr) {
        FT_Done_Face(static_cast<FT_Face>(fFace));
    }
}

int Typeface::Width(const std::string& aText) const {
    FT_Face face = static_cast<FT_Face>(fFace);
    int width = 0;
    for (char c : aText) {
        if (face != nullptr && FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_DEFAULT) == 0) {
            width += static_cast<int>(face->glyph->advance.x >> 6);
        }
    }
    return width;
}

void Typeface::Draw(Picture& aPicture, const std::string& aText, int aX, int aBaseline, const Colour& aColour,
                    int aSpacing) const {
    FT_Face face = static_cast<FT_Face>(fFace);
    int pen = aX;
    for (char c : aText) {
        if (face == nullptr || FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const double cover =
                    bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column] / 255.0;
                aPicture.Blend(pen + slot->bitmap_left + static_cast<int>(column),
                               aBaseline - slot->bitmap_top + static_cast<int>(row), aColour, cover);
            }
        }
        pen += static_cast<int>(slot->advance.x >> 6) + aSpacing;
    }
}

Picture TextPicture(const Typeface& aFace, const std::string& aText, const Colour& aColour, int aPad) {
    Picture picture(aFace.Width(aText) + 2 * aPad, aFace.Ascent() + aFace.Descent() + 2 * aPad);
    aFace.Draw(picture, aText, aPad, aPad + aFace.Ascent(), aColour);
    return picture;
}

bool WriteTga(const std::string& aPath, const Picture& aPicture) {
    std::string out;
    // Type 10 (run-length true colour), 32 bits, 8 alpha bits, top row first.
    out.push_back(0);
    out.push_back(0);
    out.push_back(10);
    out.append(5, '\0');
    out.append(4, '\0');
    PutLittle(out, static_cast<std::uint32_t>(aPicture.Width()), 2);
    PutLittle(out, static_cast<std::uint32_t>(aPicture.Height()), 2);
    out.push_back(32);
    out.push_back(0x28);
    const std::vector<std::uint8_t>& pixels = aPicture.Pixels();
    const auto same = [&](int aA, int aB) {
        return std::equal(pixels.begin() + aA * 4, pixels.begin() + aA * 4 + 4, pixels.begin() + aB * 4);
    };
    for (int y = 0; y < aPicture.Height(); ++y) {
        const int rowStart = y * aPicture.Width();
        const int rowEnd = rowStart + aPicture.Width();
        int i = rowStart;
        while (i < rowEnd) {
            int run = 1;
            while (i + run < rowEnd && run < 128 && same(i + run, i)) {
                ++run;
            }
            if (run >= 2) {
                out.push_back(static_cast<char>(0x80 | (run - 1)));
                out.append(reinterpret_cast<const char*>(&pixels[static_cast<std::size_t>(i) * 4]), 4);
                i += run;
                continue;
            }
            const int start = i;
            while (i < rowEnd && i - start < 128 && (i + 1 >= rowEnd || !same(i + 1, i))) {
                ++i;
            }
            if (i == start) {
                ++i;
            }
            out.push_back(static_cast<char>(i - start - 1));
            out.append(reinterpret_cast<const char*>(&pixels[static_cast<std::size_t>(start) * 4]),
                       static_cast<std::size_t>(i - start) * 4);
        }
    }
    return Save(aPath, out);
}

bool WriteBmp(const std::string& aPath, const Picture& aPicture) {
    const int rowBytes = (aPicture.Width() * 3 + 3) / 4 * 4;
    const auto dataSize = static_cast<std::uint32_t>(rowBytes * aPicture.Height());
    std::string out = "BM";
    PutLittle(out, 54 + dataSize, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 54, 4);
    PutLittle(out, 40, 4);
    PutLittle(out, static_cast<std::uint32_t>(aPicture.Width()), 4);
    PutLittle(out, static_cast<std::uint32_t>(aPicture.Height()), 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 24, 2);
    PutLittle(out, 0, 4);
    PutLittle(out, dataSize, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 0, 4);
    // Bottom row first.
    for (int y = aPicture.Height() - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < aPicture.Width(); ++x) {
            const Colour colour = aPicture.Get(x, y);
            row.push_back(static_cast<char>(Byte(colour.b * colour.a)));
            row.push_back(static_cast<char>(Byte(colour.g * colour.a)));
            row.push_back(static_cast<char>(Byte(colour.r * colour.a)));
        }
        row.resize(static_cast<std::size_t>(rowBytes), '\0');
        out += row;
    }
    return Save(aPath, out);
}
