#pragma once
// A font that measures and draws lines of text: what text areas, tooltips
// and game screens draw their words with. Fonts belong to the font manager
// and are shared, so every user sets the position (and, if it cares, the
// blend and scale) before it draws.
//
// The pen line: Render puts the first character at the position (the
// top-left corner of the line, screen orientation) and moves right by each
// character's width; widths include the horizontal scale.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"

class VoRenderer;

class VoIFont : public VoBase {
public:
    VoIFont(const VoIFont&) = delete;
    VoIFont& operator=(const VoIFont&) = delete;
    ~VoIFont() override = default;

    virtual int GetAlignment() = 0;
    virtual float GetBlend() = 0;
    virtual void GetScale(VoVector2& aOut) = 0;
    // The glyph height in pixels, unscaled.
    virtual float GetCharacterHeight() = 0;
    // The sum of the characters' widths; 0 when one of them is missing.
    virtual float GetTextWidth(const VoString& aText) = 0;
    // The character's width in pixels; 0 when it is missing.
    virtual float GetCharacterAspect(char16_t aCharacter) = 0;
    // Draws the text along the pen line from the position. False at the
    // first character that cannot be drawn (those before it are drawn).
    virtual bool Render(VoRenderer* apRenderer, const VoString& aText) = 0;
    // Draws one character at the position; the position does not move.
    virtual bool RenderCharacter(VoRenderer* apRenderer, char16_t aCharacter) = 0;
    virtual bool SetAlignment(int aAlignment) = 0;
    // The opacity of every character drawn from now on; stored as given.
    virtual bool SetBlend(float aBlend) = 0;
    virtual bool SetPosition(const VoVector2& aPosition) = 0;
    virtual bool SetPosition(float aX, float aY) = 0;
    virtual bool SetScale(const VoVector2& aScale) = 0;
    virtual bool SetScale(float aX, float aY) = 0;
    virtual bool SetScale(float aUniform) = 0;

protected:
    VoIFont() = default;

    VoVector2 fScale{1.0f, 1.0f};
    float fBlend = 1.0f;
};
