#include "gdi/VoFontRaster.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoFloat.h"
#include "container/VoLog.h"
#include "gdi/VoFontImageScan.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"

namespace {

// One slot per code of the printable ASCII range, so lookups of plain text
// compare one key.
constexpr int kTableSlots = 128;

std::uint32_t Code(char16_t aCharacter) {
    return static_cast<std::uint32_t>(aCharacter);
}

// The code as the log shows it: decimal.
std::int32_t LoggedCode(char16_t aCharacter) {
    return static_cast<std::int32_t>(aCharacter);
}

// Deletes every value of the table as a T, then empties it.
template <typename T>
void DeleteValues(VoTableUInt& aTable) {
    void** values = nullptr;
    const int count = aTable.GetCount();
    if (count > 0 && aTable.GetValues(&values)) {
        aTable.Clear();
        for (int i = 0; i < count; ++i) {
            delete static_cast<T*>(values[i]);
        }
        delete[] values;
    }
    aTable.Clear();
}

// The font image as its texture holds it: every guide line transparent,
// with the colours of the glyph line below it. A glyph's picture borders
// guide lines above and below (its row's and the next row's), and linear
// filtering reaches half a texel past the picture wherever a glyph is drawn
// smaller or larger than its picture or off the pixel grid: the opaque white
// and black marks would show as a dashed line along the text. The texels a
// glyph's quad covers are the image's own. Pixels without alpha (24-bit, or
// 32-bit whose fourth byte the device ignores) become opaque 32-bit pixels
// with alpha. False, aOut untouched, for an image that cannot be copied.
bool GlyphTexels(const VoImage& aImage, std::int32_t aRowHeight, VoImage* apOut) {
    const std::int32_t width = aImage.GetWidth();
    const std::int32_t height = aImage.GetHeight();
    const std::int32_t format = aImage.GetFormat();
    const std::int32_t bytes = VoImage::GetBytesPerPixel(format);
    const unsigned char* source = aImage.GetPixels();
    if (source == nullptr || width <= 0 || height <= 0 || bytes <= 0 ||
        aRowHeight < VoFontImageScan::kMinRowHeight) {
        return false;
    }
    // The copy: pixels without alpha given an opaque one.
    const bool widen = format == VoImage::kFormatBGR || format == VoImage::kFormatBGRX;
    const std::int32_t outBytes = widen ? 4 : bytes;
    const std::int64_t pitch = static_cast<std::int64_t>(width) * outBytes;
    const std::int64_t size = pitch * height;
    if (size > VoImage::kMaxPixelBytes) {
        return false;
    }
    unsigned char* pixels = VO_NEW unsigned char[static_cast<std::size_t>(size)];
    if (pixels == nullptr) {
        return false;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const unsigned char* in = source + static_cast<std::int64_t>(y) * aImage.GetPitch();
        unsigned char* out = pixels + y * pitch;
        if (!widen) {
            std::memcpy(out, in, static_cast<std::size_t>(pitch));
            continue;
        }
        for (std::int32_t x = 0; x < width; ++x, in += bytes, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    }
    // Alpha is the last byte of a pixel in every format (the only one of A8).
    for (std::int64_t y = 0; y < height; y += aRowHeight) {
        unsigned char* guide = pixels + y * pitch;
        if (y + 1 < height) {
            std::memcpy(guide, guide + pitch, static_cast<std::size_t>(pitch));
        }
        for (std::int32_t x = 0; x < width; ++x) {
            guide[x * outBytes + outBytes - 1] = 0;
        }
    }
    const bool made =
        apOut->Create(width, height, static_cast<std::int32_t>(pitch), widen ? VoImage::kFormatBGRA : format,
                      pixels, static_cast<std::int32_t>(size));
    delete[] pixels;
    return made;
}

}  // namespace

VoFontRaster::VoFontRaster(const VoString& aId, const VoString* apCharacters, VoImage* apImage,
                           std::int32_t aRowHeight)
    : fWidths(kTableSlots),
      fSprites(kTableSlots),
      fCharacters(apCharacters != nullptr ? *apCharacters : VoString(VoFontManager::kDefaultCharacters)) {
    if (Setup(aId, apImage, aRowHeight)) {
        CreateCharacterSprites(apImage, aRowHeight);
    }
    fBlend = 1.0f;
}

VoFontRaster::~VoFontRaster() {
    DeleteValues<VoSprite>(fSprites);
    DeleteValues<VoFloat>(fWidths);
}

VoString VoFontRaster::ToString() const {
    return VoDebugString("VoFontRaster", this);
}

bool VoFontRaster::Setup(const VoString& aId, VoImage* apImage, std::int32_t aRowHeight) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures != nullptr) {
        fTexture = textures->GetHandle(aId);
        if (fTexture == 0 && apImage != nullptr) {
            VoImage texels;
            fTexture =
                textures->CreateTexture(aId, GlyphTexels(*apImage, aRowHeight, &texels) ? &texels : apImage);
        }
    }
    if (fTexture == 0) {
        VO_ERROR(kSetupFailure);
        return false;
    }
    return true;
}

bool VoFontRaster::CreateCharacterSprites(VoImage* apImage, std::int32_t aRowHeight) {
    // Without glyph lines there is nothing to cut (and no height to divide by).
    if (apImage == nullptr || aRowHeight < VoFontImageScan::kMinRowHeight) {
        return false;
    }
    fCharacterHeight = static_cast<float>(aRowHeight - 1);
    VoFontImageScan scan(*apImage, aRowHeight);
    VoFontCell cell;
    for (std::int32_t i = 0; i < fCharacters.GetLength() && scan.Next(cell); ++i) {
        const char16_t character = fCharacters.GetAt(i);
        const float ratio = static_cast<float>(cell.whiteEnd - cell.start) / fCharacterHeight;
        VoFloat* width = VO_NEW VoFloat(ratio);
        if (width == nullptr || !fWidths.Add(Code(character), width)) {
            // A character named twice keeps its first cell.
            delete width;
            VO_ERROR(kAddFailure);
            continue;
        }
        VoSprite* sprite = VO_NEW VoSprite();
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetId(VoString(&character, 1));
        // First column and first glyph line, last column and last glyph line.
        VoVector2 min(static_cast<float>(cell.left), static_cast<float>(cell.top) + 1.0f);
        VoVector2 max(static_cast<float>(cell.blackEnd - 1), static_cast<float>(cell.top) + fCharacterHeight);
        sprite->SetTexture(fTexture, &min, &max);
        sprite->SetCenter(static_cast<float>(cell.start - cell.left), 0.0f);
        if (!fSprites.Add(Code(character), sprite)) {
            delete sprite;
            VO_ERROR(kAddFailure);
        }
    }
    return true;
}

bool VoFontRaster::GetWidthRatio(char16_t aCharacter, float& aOut) const {
    void* value = nullptr;
    if (!fWidths.Get(Code(aCharacter), &value)) {
        return false;
    }
    aOut = static_cast<VoFloat*>(value)->fValue;
    return true;
}

VoSprite* VoFontRaster::GetSprite(char16_t aCharacter) const {
    void* value = nullptr;
    if (!fSprites.Get(Code(aCharacter), &value)) {
        return nullptr;
    }
    return static_cast<VoSprite*>(value);
}

float VoFontRaster::GetCharacterAspect(char16_t aCharacter) {
    float ratio = 0.0f;
    if (!GetWidthRatio(aCharacter, ratio)) {
        VO_ERROR(kNoAspect, LoggedCode(aCharacter));
        return 0.0f;
    }
    return ScaledWidth(ratio);
}

float VoFontRaster::GetTextWidth(const VoString& aText) {
    const char16_t* characters = aText.GetChars();
    float width = 0.0f;
    for (std::int32_t i = 0; i < aText.GetLength(); ++i) {
        float ratio = 0.0f;
        if (!GetWidthRatio(characters[i], ratio)) {
            VO_ERROR(kNoWidth, LoggedCode(characters[i]));
            return 0.0f;
        }
        width += ScaledWidth(ratio);
    }
    return width;
}

bool VoFontRaster::Render(VoRenderer* apRenderer, const VoString& aText) {
    const char16_t* characters = aText.GetChars();
    VoVector2 pen = fPosition;
    for (std::int32_t i = 0; i < aText.GetLength(); ++i) {
        const char16_t character = characters[i];
        VoSprite* sprite = GetSprite(character);
        if (sprite == nullptr) {
            VO_ERROR(kRenderNoSprite, LoggedCode(character));
            return false;
        }
        sprite->SetPosition(pen);
        sprite->SetScale(fScale);
        float ratio = 0.0f;
        if (!GetWidthRatio(character, ratio)) {
            VO_ERROR(kRenderNoAspect, LoggedCode(character));
            return false;
        }
        sprite->SetBlend(fBlend);
        if (!sprite->Render(apRenderer)) {
            VO_ERROR(kRenderFailure);
            return false;
        }
        pen.x += ScaledWidth(ratio);
    }
    return true;
}

bool VoFontRaster::RenderCharacter(VoRenderer* apRenderer, char16_t aCharacter) {
    VoSprite* sprite = GetSprite(aCharacter);
    if (sprite == nullptr) {
        VO_ERROR(kRenderNoSprite, LoggedCode(aCharacter));
        return false;
    }
    sprite->SetPosition(fPosition);
    sprite->SetScale(fScale);
    sprite->SetBlend(fBlend);
    return apRenderer != nullptr && apRenderer->RenderSprite(sprite);
}

int VoFontRaster::GetAlignment() {
    VO_ERROR(kGetAlignmentNYI);
    return 0;
}

bool VoFontRaster::SetAlignment(int) {
    VO_ERROR(kSetAlignmentNYI);
    return false;
}

bool VoFontRaster::SetBlend(float aBlend) {
    fBlend = aBlend;
    return true;
}

bool VoFontRaster::SetPosition(const VoVector2& aPosition) {
    fPosition = aPosition;
    return true;
}

bool VoFontRaster::SetPosition(float aX, float aY) {
    return SetPosition(VoVector2(aX, aY));
}

bool VoFontRaster::SetScale(const VoVector2& aScale) {
    fScale = aScale;
    return true;
}

bool VoFontRaster::SetScale(float aX, float aY) {
    return SetScale(VoVector2(aX, aY));
}

bool VoFontRaster::SetScale(float aUniform) {
    return SetScale(VoVector2(aUniform, aUniform));
}
