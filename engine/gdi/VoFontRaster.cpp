#include "gdi/VoFontRaster.h"

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

}  // namespace

VoFontRaster::VoFontRaster(const VoString& aId, const VoString* apCharacters, VoImage* apImage,
                           std::int32_t aRowHeight)
    : fWidths(kTableSlots),
      fSprites(kTableSlots),
      fCharacters(apCharacters != nullptr ? *apCharacters : VoString(VoFontManager::kDefaultCharacters)) {
    if (Setup(aId, apImage)) {
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

bool VoFontRaster::Setup(const VoString& aId, VoImage* apImage) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures != nullptr) {
        fTexture = textures->GetHandle(aId);
        if (fTexture == 0 && apImage != nullptr) {
            fTexture = textures->CreateTexture(aId, apImage);
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
