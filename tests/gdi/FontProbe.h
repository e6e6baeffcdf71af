#pragma once
// What the font and text tests share: font images drawn from letters, a TGA
// file of such an image, and a font of fixed widths that writes down what it
// is asked to draw.
//
//     auto image = FontImage({"KWWWKTWWTTTT", "gggggggggggg", ...});  // row 0 is a guide line
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gdi/VoIFont.h"
#include "geometry/VoImage.h"
#include "support/TestText.h"

// One letter per pixel: 'W' white, 'K' black, 'T' transparent black, 'g' an
// opaque grey glyph pixel, 'w' white but for one blue step, 'k' black but
// for one step of alpha, anything else a half-transparent red.
inline std::vector<unsigned char> FontPixels(const std::vector<std::string>& aRows) {
    std::vector<unsigned char> pixels;
    for (const std::string& row : aRows) {
        for (char letter : row) {
            switch (letter) {
                case 'W':
                    pixels.insert(pixels.end(), {255, 255, 255, 255});
                    break;
                case 'K':
                    pixels.insert(pixels.end(), {0, 0, 0, 255});
                    break;
                case 'T':
                    pixels.insert(pixels.end(), {0, 0, 0, 0});
                    break;
                case 'g':
                    pixels.insert(pixels.end(), {128, 128, 128, 255});
                    break;
                case 'w':
                    pixels.insert(pixels.end(), {254, 255, 255, 255});
                    break;
                case 'k':
                    pixels.insert(pixels.end(), {0, 0, 0, 254});
                    break;
                default:
                    pixels.insert(pixels.end(), {0, 0, 255, 128});
                    break;
            }
        }
    }
    return pixels;
}

inline std::unique_ptr<VoImage> FontImage(const std::vector<std::string>& aRows) {
    const int width = static_cast<int>(aRows.at(0).size());
    const int height = static_cast<int>(aRows.size());
    const std::vector<unsigned char> pixels = FontPixels(aRows);
    auto image = std::make_unique<VoImage>();
    if (!image->Create(width, height, width * 4, VoImage::kFormatBGRA, pixels.data(),
                       static_cast<std::int32_t>(pixels.size()))) {
        return nullptr;
    }
    return image;
}

// The same picture as an uncompressed 32-bit TGA file, top row first.
inline std::string FontTga(const std::vector<std::string>& aRows) {
    const int width = static_cast<int>(aRows.at(0).size());
    const int height = static_cast<int>(aRows.size());
    std::string file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file += static_cast<char>(width & 0xFF);
    file += static_cast<char>(width >> 8);
    file += static_cast<char>(height & 0xFF);
    file += static_cast<char>(height >> 8);
    file += static_cast<char>(32);
    file += static_cast<char>(0x28);
    const std::vector<unsigned char> pixels = FontPixels(aRows);
    file.append(pixels.begin(), pixels.end());
    return file;
}

// The crafted font: row height 5, characters "AB". 'A' has a black pixel
// before its three white ones and one black after; 'B' two white, nothing
// else. Width ratios 0.75 and 0.5 at character height 4.
inline std::vector<std::string> CraftedRows() {
    return {"KWWWKTWWTTTT", "gggggTggTTTT", "gggggTggTTTT", "gggggTggTTTT", "gggggTggTTTT"};
}

// What a FixedFont was asked to draw.
struct DrawnLine {
    std::string text;
    VoVector2 position;
    float blend;
};

// A font whose characters are all aWidth pixels wide (but those it is told
// lack), aHeight high, and that writes down every line it draws.
class FixedFont : public VoIFont {
public:
    explicit FixedFont(float aWidth = 10.0f, float aHeight = 12.0f) : fWidth(aWidth), fHeight(aHeight) {}

    void Lack(char16_t aCharacter) { fMissing.push_back(aCharacter); }
    bool Has(char16_t aCharacter) const {
        for (char16_t missing : fMissing) {
            if (missing == aCharacter) {
                return false;
            }
        }
        return true;
    }

    int GetAlignment() override { return 0; }
    float GetBlend() override { return fBlend; }
    void GetScale(VoVector2& aOut) override { aOut = fScale; }
    float GetCharacterHeight() override { return fHeight; }
    float GetTextWidth(const VoString& aText) override {
        float width = 0.0f;
        for (std::int32_t i = 0; i < aText.GetLength(); ++i) {
            if (!Has(aText.GetChars()[i])) {
                return 0.0f;
            }
            width += GetCharacterAspect(aText.GetChars()[i]);
        }
        return width;
    }
    float GetCharacterAspect(char16_t aCharacter) override {
        return Has(aCharacter) ? fWidth * fScale.x : 0.0f;
    }
    bool Render(VoRenderer*, const VoString& aText) override {
        fDrawn.push_back({Narrow(aText), fPosition, fBlend});
        return fRenderResult;
    }
    bool RenderCharacter(VoRenderer*, char16_t) override { return fRenderResult; }
    bool SetAlignment(int) override { return false; }
    bool SetBlend(float aBlend) override {
        fBlend = aBlend;
        return true;
    }
    bool SetPosition(const VoVector2& aPosition) override {
        fPosition = aPosition;
        return true;
    }
    bool SetPosition(float aX, float aY) override { return SetPosition(VoVector2(aX, aY)); }
    bool SetScale(const VoVector2& aScale) override {
        fScale = aScale;
        return true;
    }
    bool SetScale(float aX, float aY) override { return SetScale(VoVector2(aX, aY)); }
    bool SetScale(float aUniform) override { return SetScale(VoVector2(aUniform, aUniform)); }

    std::vector<DrawnLine> fDrawn;
    bool fRenderResult = true;

private:
    float fWidth;
    float fHeight;
    VoVector2 fPosition;
    std::vector<char16_t> fMissing;
};
