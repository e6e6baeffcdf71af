#include "gdi/VoToolTip.h"

#include <algorithm>

#include "container/VoLog.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"

VoToolTip::VoToolTip() : VoToolTip(VoITimer::GetInstance()) {}

VoToolTip::VoToolTip(VoITimer* apTimer)
    : fpGroup(nullptr),
      fpTextArea(nullptr),
      fpFont(nullptr),
      fBlend(0.0f),
      fFadeStart(0.0),
      fFadeLength(kDefaultFadeLength),
      fFadeEnd(0.0),
      fFadingIn(false),
      fFadingOut(false),
      fpTimer(apTimer),
      fpBackground(nullptr),
      fInFrames(false) {}

VoToolTip::~VoToolTip() {
    LeaveFrames();
    // Another tooltip may be listed under the same id: only our own entry goes.
    VoToolTipManager* manager = VoToolTipManager::PeekInstance();
    if (manager != nullptr && manager->GetToolTip(GetId()) == this) {
        manager->RemoveToolTip(GetId(), nullptr);
    }
    fpFont = nullptr;
    fpTimer = nullptr;
    fpTextArea = nullptr;
    fpBackground = nullptr;
    // Leaves this group on its way out, with the text and the background.
    delete fpGroup;
    fpGroup = nullptr;
}

bool VoToolTip::Create(VoIFont* apFont) {
    if (fpGroup != nullptr) {
        VO_ERROR(kCreateTwice);
        return false;
    }
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr) {
        return false;
    }
    group->SetId(VoString(kGroupId));
    fpGroup = group;
    CreateText(apFont);
    if (!AddMember(group, true)) {
        fpGroup = nullptr;
        fpTextArea = nullptr;
        delete group;
        return false;
    }
    return true;
}

bool VoToolTip::CreateText(VoIFont* apFont) {
    fpFont = apFont;
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return false;
    }
    text->SetId(VoString(kTextId));
    text->Create(apFont);
    text->SetWordWrap(false);
    // Only the first line is laid out.
    text->SetMultiLine(false);
    text->SetLineHeight(kLineHeight);
    text->SetPosition(kTextInset, kTextInset);
    text->SetText(fText);
    if (!fpGroup->AddMember(text, true)) {
        delete text;
        return false;
    }
    fpTextArea = text;
    return true;
}

bool VoToolTip::SetText(const VoString& aText) {
    fText = aText;
    if (fpTextArea != nullptr) {
        fpTextArea->SetText(aText);
    }
    if (fpBackground != nullptr) {
        SizeBackground();
    }
    return true;
}

void VoToolTip::SizeBackground() {
    float width = 0.0f;
    float height = 0.0f;
    if (fpFont != nullptr) {
        width = fpFont->GetTextWidth(fText);
        height = fpFont->GetCharacterHeight();
    }
    fpBackground->SetShapeRectangle(
        VoRectangle(0.0f, 0.0f, width + 2.0f * kTextInset, height + 2.0f * kTextInset));
}

bool VoToolTip::EnsureBackground() {
    if (fpBackground != nullptr) {
        return true;
    }
    if (fpGroup == nullptr) {
        return false;
    }
    VoSRectangle* background = VO_NEW VoSRectangle();
    if (background == nullptr) {
        return false;
    }
    background->SetId(VoString(kBackgroundId));
    background->SetRelativeZ(kBackgroundZ);
    fpBackground = background;
    SizeBackground();
    if (!fpGroup->AddMember(background, true)) {
        fpBackground = nullptr;
        delete background;
        return false;
    }
    return true;
}

bool VoToolTip::SetBackgroundColor(const VoColor& aColor) {
    if (!EnsureBackground()) {
        return false;
    }
    fpBackground->SetFillColor(aColor);
    fpBackground->SetFilled(true);
    // The flags choose the buffers only at a rebuild.
    fpBackground->InvalidateShape();
    return true;
}

bool VoToolTip::SetBorderColor(const VoColor& aColor) {
    if (!EnsureBackground()) {
        return false;
    }
    fpBackground->SetStrokeColor(aColor);
    fpBackground->SetStroked(true);
    fpBackground->InvalidateShape();
    return true;
}

bool VoToolTip::SetFadeLength(float aSeconds) {
    if (fFadingIn || fFadingOut) {
        VO_ERROR(kSetFadeLengthFading);
        return false;
    }
    fFadeLength = aSeconds;
    return true;
}

bool VoToolTip::FadeIn() {
    if (fFadingIn) {
        VO_ERROR(kFadeInTwice);
        return false;
    }
    fFadingIn = true;
    SetVisible(true);
    const double now = Now();
    if (fFadingOut) {
        fFadingOut = false;
        Reverse(now);
    } else {
        fBlend = 0.0f;
        SetBlend(fBlend);
        fFadeStart = now;
        fFadeEnd = fFadeStart + static_cast<double>(fFadeLength);
        JoinFrames();
    }
    return true;
}

bool VoToolTip::FadeOut() {
    if (!GetEffectiveVisible()) {
        return true;
    }
    if (fFadingOut) {
        VO_ERROR(kFadeOutTwice);
        return false;
    }
    fFadingOut = true;
    const double now = Now();
    if (fFadingIn) {
        fFadingIn = false;
        Reverse(now);
    } else {
        fFadeStart = now;
        fFadeEnd = fFadeStart + static_cast<double>(fFadeLength);
        JoinFrames();
    }
    return true;
}

void VoToolTip::Reverse(double aNow) {
    const double elapsed = std::min(aNow - fFadeStart, static_cast<double>(fFadeLength));
    fFadeEnd = aNow + elapsed;
    fFadeStart = fFadeEnd - static_cast<double>(fFadeLength);
}

void VoToolTip::Hide() {
    fFadingIn = false;
    fFadingOut = false;
    LeaveFrames();
    SetVisible(false);
}

void VoToolTip::OnUpdate() {
    const double now = Now();
    if (now < fFadeEnd) {
        fBlend = static_cast<float>((now - fFadeStart) / static_cast<double>(fFadeLength));
        if (fFadingOut) {
            fBlend = 1.0f - fBlend;
        }
    } else {
        if (fFadingIn) {
            fBlend = 1.0f;
            fFadingIn = false;
        } else if (fFadingOut) {
            fBlend = 0.0f;
            SetVisible(false);
            fFadingOut = false;
        } else {
            VO_ERROR(kLogicError);
        }
        LeaveFrames();
    }
    SetBlend(fBlend);
}

void VoToolTip::JoinFrames() {
    if (fInFrames) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fInFrames = frames != nullptr && frames->AddListener(this, kFrameOrder);
    if (!fInFrames) {
        VO_ASSERT_FAILURE(kFrameManagerAdd);
    }
}

void VoToolTip::LeaveFrames() {
    if (!fInFrames) {
        return;
    }
    fInFrames = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}

double VoToolTip::Now() const {
    return fpTimer != nullptr ? fpTimer->GetTime() : 0.0;
}
