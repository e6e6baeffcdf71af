#include "gdi/VoTextArea.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "geometry/VoRectangle.h"

namespace {

bool IsIn(const VoString& aSet, char16_t aCharacter) {
    const char16_t* characters = aSet.GetChars();
    for (std::int32_t i = 0; i < aSet.GetLength(); ++i) {
        if (characters[i] == aCharacter) {
            return true;
        }
    }
    return false;
}

}  // namespace

VoTextArea::VoTextArea() = default;

VoTextArea::~VoTextArea() {
    fpFont = nullptr;
}

VoString VoTextArea::ToString() const {
    return VoDebugString("VoTextArea", this);
}

bool VoTextArea::Create(VoIFont* apFont) {
    if (apFont == nullptr) {
        VO_ERROR(kCreateNull);
        return false;
    }
    fpFont = apFont;
    fWordWrap = false;
    fMultiLine = false;
    VoVector2 scale;
    GetScale(scale);
    fHeight = apFont->GetCharacterHeight() * scale.y;
    fWidth = kDefaultWidth;
    fLayoutDirty = true;
    fDroppedBreaks = VoString(kDefaultDroppedBreaks);
    fKeptBreaks = VoString(kDefaultKeptBreaks);
    fExtraBreaks = VoString(u"");
    fLineHeight = apFont->GetCharacterHeight() * scale.y;
    return true;
}

bool VoTextArea::Create(const VoString& aFontId) {
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(aFontId) : nullptr;
    if (font == nullptr) {
        VO_ASSERT_FAILURE(kCreateFontNotFound);
    }
    return Create(font);
}

// The world position already lies the centre away from the position: it is
// where the first line is drawn, so the bounds start there.
VoRectangle VoTextArea::GetWorldBounds() {
    VoVector2 corner;
    GetWorldPosition(corner);
    return VoRectangle(corner.x, corner.y, GetWidth(), GetHeight());
}

VoRectangle VoTextArea::GetBounds() {
    VoVector2 corner;
    GetPositionInGroup(corner);
    return VoRectangle(corner.x, corner.y, GetWidth(), GetHeight());
}

bool VoTextArea::AppendText(const char16_t* apText) {
    fText.Append(apText);
    fLayoutDirty = true;
    return true;
}

bool VoTextArea::AppendText(const VoString& aText) {
    fText.Append(aText);
    fLayoutDirty = true;
    return true;
}

bool VoTextArea::ClearText() {
    fText.Clear();
    return true;
}

bool VoTextArea::GetText(VoString& aOut) const {
    aOut = fText;
    return true;
}

float VoTextArea::GetLinesHeight() const {
    return static_cast<float>(fLines.GetCount()) * fLineHeight;
}

bool VoTextArea::SetDroppedBreakCharacters(const VoString& aCharacters) {
    fDroppedBreaks = aCharacters;
    return true;
}

bool VoTextArea::SetKeptBreakCharacters(const VoString& aCharacters) {
    fKeptBreaks = aCharacters;
    return true;
}

bool VoTextArea::SetExtraBreakCharacters(const VoString& aCharacters) {
    fExtraBreaks = aCharacters;
    return true;
}

bool VoTextArea::SetWordWrap(bool aWordWrap) {
    if (aWordWrap != fWordWrap) {
        fWordWrap = aWordWrap;
        fLayoutDirty = true;
    }
    return true;
}

bool VoTextArea::SetHeight(float) {
    VO_ERROR(kSetHeightNYI);
    return false;
}

bool VoTextArea::SetLineHeight(float aLineHeight) {
    fLineHeight = aLineHeight;
    return true;
}

bool VoTextArea::SetText(const char16_t* apText) {
    fText = VoString(apText);
    fLayoutDirty = true;
    return true;
}

bool VoTextArea::SetText(const VoString& aText) {
    fText = aText;
    fLayoutDirty = true;
    return true;
}

bool VoTextArea::SetWidth(float aWidth) {
    fWidth = aWidth;
    fLayoutDirty = true;
    return true;
}

bool VoTextArea::SetMultiLine(bool aMultiLine) {
    if (aMultiLine != fMultiLine) {
        fMultiLine = aMultiLine;
        fLayoutDirty = true;
    }
    return true;
}

float VoTextArea::CharacterWidth(char16_t aCharacter) {
    return fpFont->GetCharacterAspect(aCharacter);
}

bool VoTextArea::LayoutLines() {
    if (!fLayoutDirty) {
        return true;
    }
    bool result = true;
    if (fWordWrap && fpFont != nullptr) {
        result = LayoutWrapped();
    } else {
        // Nothing measures without a font: the text stays one line.
        fLines.Clear();
        fLines.Add(fText);
    }
    fLayoutDirty = false;
    return result;
}

bool VoTextArea::LayoutWrapped() {
    fLines.Clear();
    const char16_t* text = fText.GetChars();
    const std::int32_t n = fText.GetLength();
    if (n == 0) {
        fLines.Add(VoString(u""));
        return false;
    }
    const float width = fWidth;
    // How many characters of average width fit: the first guess at a line.
    const float o = CharacterWidth(u'o');
    std::int32_t s = 0;
    do {
        // A font without 'o' gives no guess: the line grows from nothing.
        std::int32_t k = 0;
        if (o > 0.0f) {
            const double estimate = static_cast<double>(width) / o;
            if (estimate >= static_cast<double>(n - s)) {
                k = n - s;
            } else if (estimate > 0.0) {
                k = static_cast<std::int32_t>(estimate);
            }
        }
        std::int32_t last = s + k - 1;
        float w = fpFont->GetTextWidth(fText.SubString(s, k));

        std::int32_t end = 0;   // one past the line's last character
        std::int32_t next = 0;  // where the next line begins
        bool fits = false;
        for (;;) {
            // The rest of the text as wide as the area or narrower is the last line.
            if (last + 1 >= n && w <= width) {
                fits = true;
                break;
            }
            if (!(w < width)) {
                break;
            }
            ++last;
            w += CharacterWidth(text[last]);
        }
        if (fits) {
            end = n;
            next = n;
        } else {
            // A candidate keeps at least its first character.
            while (w > width && last > s) {
                w -= CharacterWidth(text[last]);
                --last;
            }
            const std::int32_t p = last + 1 >= n ? last : last + 1;
            std::int32_t at = -1;
            bool dropped = false;
            if (IsIn(fDroppedBreaks, text[p])) {
                at = p;
                dropped = true;
            } else if (IsIn(fExtraBreaks, text[p])) {
                at = p;
            } else {
                std::int32_t q = p - 1 < s ? s : p - 1;
                for (;;) {
                    if (IsIn(fDroppedBreaks, text[q])) {
                        at = q;
                        dropped = true;
                        break;
                    }
                    if (IsIn(fExtraBreaks, text[q]) || IsIn(fKeptBreaks, text[q])) {
                        at = q;
                        break;
                    }
                    if (q - 1 > s) {
                        --q;
                    } else {
                        break;
                    }
                }
            }
            if (at < 0) {
                end = s + 1;
                next = s + 1;
            } else if (dropped) {
                end = at;
                next = at + 1;
            } else {
                end = at + 1;
                next = at + 1;
            }
        }
        fLines.Add(end > s ? fText.SubString(s, end - s) : VoString(u""));
        // A dropped break where the line begins makes no progress.
        if (end == s) {
            return false;
        }
        s = next;
    } while (fMultiLine && s < n);
    return true;
}

bool VoTextArea::Render(VoRenderer* apRenderer) {
    Validate();
    if (!GetEffectiveActive() || !GetEffectiveVisible() || fpFont == nullptr) {
        return true;
    }
    const float keptBlend = fpFont->GetBlend();
    fpFont->SetBlend(GetEffectiveBlend());
    if (!LayoutLines()) {
        VO_ERROR(kRenderDeadlock);
        fpFont->SetBlend(keptBlend);
        return false;
    }
    VoVector2 pen;
    GetWorldPosition(pen);
    if (GetPixelSnap()) {
        pen.x = std::trunc(pen.x);
        pen.y = std::trunc(pen.y);
    }
    for (int i = 0; i < fLines.GetCount(); ++i) {
        fpFont->SetPosition(pen);
        if (!fpFont->Render(apRenderer, *fLines.PeekAt(i))) {
            fpFont->SetBlend(keptBlend);
            return false;
        }
        pen.y += fLineHeight;
    }
    fpFont->SetBlend(keptBlend);
    return true;
}
