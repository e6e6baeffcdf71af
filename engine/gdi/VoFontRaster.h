#pragma once
// A bitmap font: one image whose character cells are found on the guide
// lines of its rows (VoFontImageScan), cut into one sprite per character.
//
// Each character has a width ratio, its advance width in pixels divided by
// the character height, so its width on screen is ratio x character height
// x horizontal scale. Its sprite shows the picture from the cell's left
// column to the end of its black run, over the row's glyph lines, with the
// centre on the first white column: the sprite's position is the pen.
//
// The font image becomes a texture of the texture manager under the font's
// id (an existing texture of that id is reused), its guide lines made
// transparent so that filtering never carries their marks into a glyph; the
// glyph sprites hold it.
#include <cstdint>

#include "container/VoTableUInt.h"
#include "gdi/VoIFont.h"

class VoImage;
class VoSprite;

class VoFontRaster : public VoIFont {
public:
    static constexpr const char* kSetupFailure = "VoFontRaster setup failure.";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kNoAspect = "Could not find aspect for char: ";
    static constexpr const char* kNoWidth = "Could not find width for char: ";
    static constexpr const char* kRenderNoSprite = "Render failure. Could not find sprite for char: ";
    static constexpr const char* kRenderNoAspect = "Render failure. Could not find aspect for char: ";
    static constexpr const char* kRenderFailure = "Render failure.";
    static constexpr const char* kGetAlignmentNYI = "GetAlignment not yet implemented.";
    static constexpr const char* kSetAlignmentNYI = "SetAlignment not yet implemented.";

    // The character height before the image is cut.
    static constexpr float kInitialCharacterHeight = 12.0f;

    // Builds the font and cuts the image at once: characters null means the
    // default set (VoFontManager::kDefaultCharacters). The image is only
    // read; it stays the caller's. There is no failure result: a font whose
    // texture cannot be made has no characters (logged).
    VoFontRaster(const VoString& aId, const VoString* apCharacters, VoImage* apImage,
                 std::int32_t aRowHeight);
    // Deletes the glyph sprites (which let go of the texture) and the widths.
    ~VoFontRaster() override;

    VoString ToString() const override;

    int GetAlignment() override;
    float GetBlend() override { return fBlend; }
    void GetScale(VoVector2& aOut) override { aOut = fScale; }
    float GetCharacterHeight() override { return fCharacterHeight; }
    float GetTextWidth(const VoString& aText) override;
    float GetCharacterAspect(char16_t aCharacter) override;
    bool Render(VoRenderer* apRenderer, const VoString& aText) override;
    bool RenderCharacter(VoRenderer* apRenderer, char16_t aCharacter) override;
    bool SetAlignment(int aAlignment) override;
    bool SetBlend(float aBlend) override;
    bool SetPosition(const VoVector2& aPosition) override;
    bool SetPosition(float aX, float aY) override;
    bool SetScale(const VoVector2& aScale) override;
    bool SetScale(float aX, float aY) override;
    bool SetScale(float aUniform) override;

    // The character's width ratio; false when it has none.
    bool GetWidthRatio(char16_t aCharacter, float& aOut) const;
    // The character's sprite (owned by the font); null when it has none.
    VoSprite* GetSprite(char16_t aCharacter) const;
    const VoString& GetCharacters() const { return fCharacters; }
    const VoVector2& GetPosition() const { return fPosition; }
    std::uint32_t GetTexture() const { return fTexture; }

private:
    // The texture of the font's id, made from the image when there is none
    // (its guide lines cleared, see GlyphTexels).
    bool Setup(const VoString& aId, VoImage* apImage, std::int32_t aRowHeight);
    // One width and one sprite per cell of the image, in the order of the
    // character set, until either runs out.
    bool CreateCharacterSprites(VoImage* apImage, std::int32_t aRowHeight);
    // Width ratio x character height x horizontal scale: the one product
    // that measuring and the pen share, so sums of it agree bit for bit.
    float ScaledWidth(float aRatio) const { return aRatio * fCharacterHeight * fScale.x; }

    VoTableUInt fWidths;   // character code -> VoFloat width ratio (owned)
    VoTableUInt fSprites;  // character code -> VoSprite (owned)
    VoString fCharacters;
    float fCharacterHeight = kInitialCharacterHeight;
    VoVector2 fPosition;
    std::uint32_t fTexture = 0;  // the texture manager's handle; held by the sprites
};
