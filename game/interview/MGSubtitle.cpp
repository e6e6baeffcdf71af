#include "interview/MGSubtitle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"
#include "util/MGCleaner.h"
#include "util/MGOptions.h"

namespace {

VoCleanerSingleton<MGSubtitle, MGCleanerHome> gInstance;

// A member group of the box, or null (logged) when the box refuses it.
VoDisplayGroup* AddGroup(VoDisplayGroup* apBox, const char16_t* apId) {
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr || !group->SetId(VoString(apId)) || !apBox->AddMember(group, true)) {
        VO_ASSERT_FAILURE("");
        delete group;
        return nullptr;
    }
    return group;
}

}  // namespace

MGSubtitle* MGSubtitle::GetInstance() {
    MGSubtitle* box = gInstance.Get([] { return VO_NEW MGSubtitle(); }, kCreationFailure);
    return box;
}

MGSubtitle* MGSubtitle::PeekInstance() {
    return gInstance.Peek();
}

MGSubtitle::MGSubtitle()
    : fpBackground(nullptr),
      fpTextGroup(nullptr),
      fpText(nullptr),
      fpAppended(nullptr),
      fShown(false),
      fVisible(false),
      fHold(false),
      fInRoot(false) {
    SetId(VoString(kId));
    SetBlend(1.0f);
    SetVisible(false);
    SetRelativeZ(kShownZ);
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fInRoot = display != nullptr && display->AddMember(this);

    fpBackground = AddGroup(this, kBackgroundId);
    VoSprite* sprite = VO_NEW VoSprite();
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (sprite != nullptr && textures != nullptr) {
        sprite->SetId(VoString(kBackgroundSpriteId));
        sprite->SetTexture(textures->CreateTexture(VoString(kBackgroundTexture)), nullptr, nullptr);
        sprite->SetScale(kBackgroundScaleX, kBackgroundScaleY);
    }
    if (sprite == nullptr || fpBackground == nullptr || !fpBackground->AddMember(sprite, true)) {
        VO_ASSERT_FAILURE("");
        delete sprite;
    }
    fpTextGroup = AddGroup(this, kTextGroupId);
    if (fpTextGroup != nullptr) {
        fpTextGroup->SetPosition(kTextX, kTextY);
    }

    fBackgroundFader.SetFadeTime(kFadeTime);
    fTextFader.SetFadeTime(kFadeTime);
    if (fpBackground != nullptr) {
        fBackgroundFader.SetGroup(fpBackground);
    }
    if (fpTextGroup != nullptr) {
        fTextFader.SetGroup(fpTextGroup);
    }
    fTextFader.SetListener(VoString(kTextFaderId), this);
    SetRelativeZ(kCreatedZ);
}

MGSubtitle::~MGSubtitle() {
    fTextFader.ClearListener();
    fBackgroundFader.StopFade();
    fTextFader.StopFade();
    if (fInRoot) {
        if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
            display->RemoveMember(this);
        }
    }
}

VoTextArea* MGSubtitle::AddText(const char16_t* apId, const VoString& aText, VoIFont* apFont, float aY) {
    VoTextArea* area = VO_NEW VoTextArea();
    if (area == nullptr || fpTextGroup == nullptr) {
        VO_ASSERT_FAILURE("");
        delete area;
        return nullptr;
    }
    area->SetId(VoString(apId));
    area->Create(apFont);
    area->SetWidth(kTextWidth);
    area->SetWordWrap(true);
    area->SetMultiLine(true);
    area->SetLineHeight(kLineHeight);
    area->SetText(aText);
    area->SetPosition(0.0f, aY);
    if (!fpTextGroup->AddMember(area, true)) {
        VO_ASSERT_FAILURE("");
        delete area;
        return nullptr;
    }
    return area;
}

void MGSubtitle::DeleteText(VoTextArea** appArea) {
    if (*appArea != nullptr) {
        if (fpTextGroup != nullptr) {
            fpTextGroup->RemoveMember(*appArea);
        }
        delete *appArea;
        *appArea = nullptr;
    }
}

void MGSubtitle::SetText(const VoString& aText, VoIFont* apFont) {
    DeleteText(&fpText);
    DeleteText(&fpAppended);
    fpText = AddText(kTextId, aText, apFont, 0.0f);
    if (fpTextGroup != nullptr) {
        fpTextGroup->Validate();
    }
}

void MGSubtitle::AppendText(const VoString& aText, VoIFont* apFont) {
    DeleteText(&fpAppended);
    fpAppended = AddText(kAppendedId, aText, apFont, kAppendedY);
}

void MGSubtitle::StartFade(VoFader& aFader, float aFrom, float aTo, int aDirection) {
    aFader.SetValue(aFrom);
    aFader.SetTargetValue(aTo);
    aFader.SetDirection(aDirection);
    // A fade that runs takes the new values as it goes: turning round is
    // enough, and starting it again would only be refused.
    if (!aFader.IsFading()) {
        aFader.StartFade();
    }
}

bool MGSubtitle::Show() {
    MGOptions* options = MGOptions::GetInstance();
    if (options != nullptr && options->GetOption(kSubtitlesOffOption) != 0) {
        return false;
    }
    fShown = true;
    SetVisible(true);
    SetRelativeZ(kShownZ);
    fBackgroundFader.StopFade();
    fTextFader.StopFade();
    StartFade(fBackgroundFader, 0.0f, kBackgroundBlend, 1);
    StartFade(fTextFader, 0.0f, kTextBlend, 1);
    return true;
}

void MGSubtitle::Hide() {
    if (fHold) {
        fHold = false;
        return;
    }
    fShown = false;
    StartFade(fBackgroundFader, kBackgroundBlend, 0.0f, -1);
    StartFade(fTextFader, kTextBlend, 0.0f, -1);
}

void MGSubtitle::HideImmediately() {
    fVisible = false;
    SetVisible(false);
}

void MGSubtitle::OnFadeEvent(const VoString& aFaderId, int aCode) {
    if (!aFaderId.Equals(kTextFaderId) || (aCode != kStopped && aCode != kFinished)) {
        return;
    }
    if (!fShown) {
        fVisible = false;
        SetVisible(false);
    } else {
        fVisible = true;
    }
}

VoString MGSubtitle::ToString() const {
    return VoDebugString("MGSubtitle", this);
}
