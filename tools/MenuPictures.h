#pragma once
// Drawing for the menu generator (make_menus): a picture in memory with
// blended shapes and text in the DejaVu fonts (FreeType), written as a
// 32-bit run-length TGA (top row first) or a 24-bit BMP, the two kinds the
// engine reads.
#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

class Picture {
public:
    Picture(int aWidth, int aHeight, Colour aFill = {0.0, 0.0, 0.0, 0.0});

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }

    // Blends aColour over the pixel with the coverage aCover (0..1).
    void Blend(int aX, int aY, const Colour& aColour, double aCover = 1.0);
    // Replaces the pixel.
    void Set(int aX, int aY, const Colour& aColour);
    Colour Get(int aX, int aY) const;

    void FillRect(int aX, int aY, int aWidth, int aHeight, const Colour& aColour);
    // A frame aThickness pixels wide just inside the rectangle.
    void FrameRect(int aX, int aY, int aWidth, int aHeight, int aThickness, const Colour& aColour);
    // A disc (or, with aInner > 0, a ring), its edge smoothed over a pixel.
    void Disc(double aX, double aY, double aRadius, const Colour& aColour, double aInner = 0.0);
    // A thick segment with smoothed sides.
    void Segment(double aX0, double aY0, double aX1, double aY1, double aWidth, const Colour& aColour);
    // The other picture blended over this one at (aX, aY), scaled by aAlpha.
    void Draw(const Picture& aOther, int aX, int aY, double aAlpha = 1.0);
    // Every pixel's colour times aFactor (alpha kept).
    void Darken(double aFactor);

    // Top row first, B G R A.
    const std::vector<std::uint8_t>& Pixels() const { return fPixels; }

private:
    int fWidth;
    int fHeight;
    std::vector<std::uint8_t> fPixels;  // B G R A
};

// A font file of /usr/share/fonts/truetype/dejavu at a pixel size.
class Typeface {
public:
    Typeface(const std::string& aFile, int aPixelSize);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    bool IsOpen() const { return fFace != nullptr; }
    // The pen's advance over the text, in pixels.
    int Width(const std::string& aText) const;
    int Ascent() const { return fAscent; }
    int Descent() const { return fDescent; }
    // The text with its baseline at aBaseline, starting at aX; aSpacing
    // pixels between letters.
    void Draw(Picture& aPicture, const std::string& aText, int aX, int aBaseline, const Colour& aColour,
              int aSpacing = 0) const;

private:
    void* fFace = nullptr;  // FT_Face
    int fAscent = 0;
    int fDescent = 0;
};

// A picture just large enough for the text (with aPad pixels round it).
Picture TextPicture(const Typeface& aFace, const std::string& aText, const Colour& aColour, int aPad = 2);

bool WriteTga(const std::string& aPath, const Picture& aPicture);
// Without alpha; transparent pixels come out black.
bool WriteBmp(const std::string& aPath, const Picture& aPicture);
