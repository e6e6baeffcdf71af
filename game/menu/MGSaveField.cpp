#include "menu/MGSaveField.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "menu/MGMenuLayout.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "system/VoITimer.h"
#include "util/MGListening.h"

namespace {

bool IsAccepted(char aCharacter) {
    return (aCharacter >= 'a' && aCharacter <= 'z') || (aCharacter >= 'A' && aCharacter <= 'Z') ||
           (aCharacter >= '0' && aCharacter <= '9') || aCharacter == ' ';
}

// The caret's texture: the one filed as "savefield_cursor", else the white
// image filed under that name now; 0 when neither can be had.
std::uint32_t CaretTexture() {
    const std::uint32_t handle =
        MGMenuLayout::FiledTexture(VoString(MGSaveField::kCaretTexture), VoString(MGSaveField::kCaretImage));
    if (handle == 0) {
        VO_ASSERT_FAILURE("");
    }
    return handle;
}

}  // namespace

MGSaveField::MGSaveField()
    : fText(u""),
      fpTextArea(nullptr),
      fFocused(false),
      fWidth(0.0f),
      fHeight(0.0f),
      fpCaret(nullptr),
      fLastToggle(0.0),
      fpFont(nullptr),
      fInMouse(false),
      fInKeyboard(false),
      fInFrames(false) {}

MGSaveField::~MGSaveField() {
    fFocused = false;
    MGListenToFrames(this, kOrder, false, &fInFrames);
    MGListenToMouse(this, kOrder, false, &fInMouse);
    MGListenToKeys(this, kOrder, false, &fInKeyboard);
}

double MGSaveField::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

bool MGSaveField::Create(VoIFont* apFont) {
    fpFont = apFont;
    fpTextArea = VO_NEW VoTextArea();
    if (fpTextArea != nullptr) {
        fpTextArea->SetId(VoString(kTextId));
        fpTextArea->Create(apFont);
        fpTextArea->SetText(fText);
        fpTextArea->SetWordWrap(false);
        fpTextArea->SetSingleLine(false);
        fpTextArea->SetLineHeight(kLineHeight);
        fpTextArea->SetPosition(0.0f, 0.0f);
        if (!AddMember(fpTextArea, true)) {
            delete fpTextArea;
            fpTextArea = nullptr;
        }
    }
    const std::uint32_t texture = CaretTexture();
    fpCaret = VO_NEW VoSprite();
    if (fpCaret != nullptr) {
        fpCaret->SetId(VoString(kCaretId));
        if (texture != 0) {
            fpCaret->SetTexture(texture, nullptr, nullptr);
        }
        fpCaret->SetScale(kCaretScaleX, kCaretScaleY);
        fpCaret->SetPosition(0.0f, 0.0f);
        fpCaret->SetVisible(false);
        if (!AddMember(fpCaret, true)) {
            delete fpCaret;
            fpCaret = nullptr;
        }
    }
    MGListenToMouse(this, kOrder, true, &fInMouse);
    return fpTextArea != nullptr && fpCaret != nullptr;
}

void MGSaveField::SetSize(float aWidth, float aHeight) {
    fWidth = aWidth;
    fHeight = aHeight;
}

void MGSaveField::SetFocus(bool aFocus) {
    fFocused = aFocus;
    MGListenToKeys(this, kOrder, aFocus, &fInKeyboard);
    if (aFocus) {
        fLastToggle = Now();
    }
    MGListenToFrames(this, kOrder, aFocus, &fInFrames);
    if (fpCaret != nullptr) {
        fpCaret->SetVisible(aFocus);
    }
}

void MGSaveField::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (fFocused || mouse == nullptr) {
        return;
    }
    VoVector2 pointer;
    mouse->GetPosition(pointer);
    VoVector2 origin;
    GetWorldPosition(origin);
    if (pointer.x > origin.x && pointer.x < origin.x + fWidth && pointer.y > origin.y &&
        pointer.y < origin.y + fHeight) {
        SetFocus(true);
    }
}

void MGSaveField::OnKeyDown(int aKey) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    if (!fFocused || keyboard == nullptr) {
        return;
    }
    const char character = keyboard->ScanCodeToChar(aKey);
    if (character == kBackspace) {
        const int length = fText.GetLength();
        if (length > 0) {
            fText = fText.SubString(0, length - 1, 0);
            UpdateDisplay();
        }
        return;
    }
    if (!IsAccepted(character)) {
        return;
    }
    const char added[2] = {character, 0};
    const VoString longer = fText + VoString(added);
    if (fpFont != nullptr && fpFont->GetTextWidth(longer) > fWidth) {
        return;
    }
    fText = longer;
    UpdateDisplay();
}

void MGSaveField::UpdateDisplay() {
    if (fpTextArea != nullptr) {
        fpTextArea->SetText(fText);
    }
    if (fpCaret != nullptr) {
        fpCaret->SetPosition(fpFont != nullptr ? fpFont->GetTextWidth(fText) : 0.0f, 0.0f);
    }
}

void MGSaveField::OnUpdate() {
    if (!fFocused) {
        return;
    }
    const double now = Now();
    if (now - fLastToggle > kBlinkTime) {
        if (fpCaret != nullptr) {
            fpCaret->SetVisible(!fpCaret->GetVisible());
        }
        fLastToggle = now;
    }
}

VoString MGSaveField::ToString() const {
    return VoDebugString("MGSaveField", this);
}
