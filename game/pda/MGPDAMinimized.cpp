#include "pda/MGPDAMinimized.h"

#include <algorithm>
#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "pda/MGIPDAListener.h"
#include "pda/MGPDA.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGPDAMinimized, MGCleanerHome> gInstance;

constexpr float kFrameOrder = 0.0f;
constexpr float kMouseOrder = 0.0f;
constexpr int kHandCursor = 1;
constexpr int kRightButtonOption = 1;

constexpr const char16_t* kBlinkerIds[MGPDAMinimized::kBlinkerCount] = {u"icon_map", u"icon_phone",
                                                                        u"icon_evidence"};

void Notify(int aCode) {
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->NotifyListener(aCode);
    }
}

void ResetCursor(const char16_t* apName) {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->ResetCursor(VoString(apName));
    }
}

// The hand, under the name, unless the hand shows already.
void HandCursor(const char16_t* apName) {
    MGCursor* cursor = MGCursor::GetInstance();
    if (cursor != nullptr && cursor->GetCurrentId() != kHandCursor) {
        cursor->SetCursor(kHandCursor, VoString(apName));
    }
}

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

}  // namespace

MGPDAMinimized* MGPDAMinimized::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPDAMinimized(); }, kCreationFailure);
}

MGPDAMinimized::MGPDAMinimized()
    : fCreated(false),
      fMinimized(true),
      fpGroups(nullptr),
      fpLayout(nullptr),
      fpBlinkers(nullptr),
      fpBlinkerSprites{},
      fpMove(nullptr),
      fpMaximize(nullptr),
      fScale(kNormalScale),
      fStartTime(0.0),
      fDragging(false),
      fMaximizing(false),
      fMinimizing(false),
      fBlend(1.0f),
      fBlinkIndex(0),
      fBlinking(false),
      fBlinkEnd(0.0),
      fBlinkInterval(0.0),
      fNextToggle(0.0),
      fpIcon(nullptr),
      fIconShown(false),
      fIconToggleTime(0.0),
      fIconToggles(0),
      fpSound(nullptr),
      fInMouse(false),
      fButtonsInMouse(false),
      fInFrames(false),
      fInRoot(false) {}

MGPDAMinimized::~MGPDAMinimized() {
    MGListenToFrames(this, kFrameOrder, false, &fInFrames);
    ListenToMouse(false, kMouseOrder);
    delete fpSound;
    // Out of the display root first, which would delete it again; once the
    // display manager is gone, its root has deleted the bar already.
    const bool deletedByRoot = fInRoot && VoDisplayManager::GetInstance() == nullptr;
    LeaveDisplayRoot();
    if (!deletedByRoot) {
        delete fpGroups;
    }
}

void MGPDAMinimized::Create() {
    if (fCreated) {
        return;
    }
    fCreated = true;
    MGTextureRoot root(kTextureRoot);
    VoPropertyList layout;
    if (!layout.Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE("");
    }
    VoPropertyList* groups = layout.GetList(VoString(kGroupsId));
    if (groups == nullptr) {
        VO_ASSERT_FAILURE(kNoGroups);
    }
    fpGroups = VO_NEW VoDisplayGroup();
    if (fpGroups == nullptr) {
        return;
    }
    fpGroups->SetId(VoString(kGroupsId));
    fpGroups->SetRelativeZ(kGroupsZ);
    if (groups != nullptr) {
        VoLayoutBuilder::BuildGroups(groups, fpGroups);
    }
    fpLayout = dynamic_cast<VoDisplayGroup*>(fpGroups->GetMember(VoString(kLayoutId)));
    if (fpLayout == nullptr) {
        VO_ASSERT_FAILURE("");
        return;
    }
    fPlace = fpLayout->GetPosition();
    fFirstPlace = fPlace;
    fpBlinkers = dynamic_cast<VoDisplayGroup*>(fpLayout->GetMember(VoString(kBlinkersId)));
    if (fpBlinkers == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    for (int i = 0; i < kBlinkerCount; ++i) {
        fpBlinkerSprites[i] = fpBlinkers != nullptr
                                  ? dynamic_cast<VoSprite*>(fpBlinkers->GetMember(VoString(kBlinkerIds[i])))
                                  : nullptr;
        if (fpBlinkerSprites[i] == nullptr) {
            VO_ASSERT_FAILURE("");
        } else {
            fpBlinkerSprites[i]->SetVisible(false);
        }
    }
    fpMove = dynamic_cast<VoButton*>(fpLayout->GetMember(VoString(kMoveId)));
    fpMaximize = dynamic_cast<VoButton*>(fpLayout->GetMember(VoString(kMaximizeId)));
    for (VoButton* button : {fpMove, fpMaximize}) {
        if (button == nullptr) {
            VO_ASSERT_FAILURE("");
        } else if (button->GetListener() != this) {
            button->SetListener(this);
        }
    }
    // The builder registered them with the mouse.
    fButtonsInMouse = true;
}

void MGPDAMinimized::Show() {
    Create();
    JoinDisplayRoot();
    if (!RightButtonMode()) {
        SetButtonsInMouse(true);
        ListenToMouse(false, kMouseOrder);
        if (fpLayout != nullptr) {
            fpLayout->SetActive(true);
        }
        return;
    }
    if (fpLayout != nullptr) {
        fpLayout->SetActive(false);
        fpLayout->SetPosition(fFirstPlace);
    }
    ListenToMouse(true, kMouseOrder);
}

void MGPDAMinimized::Hide() {
    SetButtonsInMouse(false);
    LeaveDisplayRoot();
}

bool MGPDAMinimized::IsShown() {
    return fInRoot && fpLayout != nullptr && fpLayout->GetEffectiveActive();
}

bool MGPDAMinimized::Minimize(bool aAnimate) {
    if (fMinimized) {
        return false;
    }
    if (aAnimate && !RightButtonMode()) {
        fStartTime = Now();
        fFarPoint = WindowPosition();
        fCurrent = fFarPoint;
        fScale = kOpenScale;
        fMinimizing = true;
        UpdateFrameListening();
        Show();
        ResetCursor(u"");
        Notify(MGIPDAListener::kMinimizeBegins);
        return false;
    }
    Create();
    if (fpLayout != nullptr) {
        fpLayout->SetPosition(fPlace);
        fpLayout->SetScale(kNormalScale, kNormalScale);
        fpLayout->SetBlend(1.0f);
    }
    if (fpBlinkers != nullptr) {
        fpBlinkers->SetActive(true);
    }
    fMinimized = true;
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->Close();
    }
    ResetCursor(u"");
    if (!RightButtonMode()) {
        Show();
    }
    Notify(MGIPDAListener::kMinimized);
    return true;
}

bool MGPDAMinimized::Maximize(bool aAnimate) {
    if (!fMinimized) {
        return false;
    }
    if (fBlinking) {
        if (VoSprite* blinker = GetBlinker(fBlinkIndex)) {
            blinker->SetVisible(false);
        }
        fBlinking = false;
        UpdateFrameListening();
    }
    if (aAnimate) {
        MGSceneManager* scenes = MGSceneManager::GetInstance();
        if (MGScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr) {
            scene->SetInputEnabled(false);
        }
        fStartTime = Now();
        fCurrent = fPlace;
        fFarPoint = WindowPosition();
        fScale = kNormalScale;
        fMaximizing = true;
        UpdateFrameListening();
        if (fpBlinkers != nullptr) {
            fpBlinkers->SetActive(false);
        }
        // Seen while it grows, in right-button mode too.
        if (fpLayout != nullptr) {
            fpLayout->SetActive(true);
        }
        if (MGCursor* cursor = MGCursor::GetInstance()) {
            cursor->SetCursor(kHandCursor, VoString(u""));
        }
    } else {
        Hide();
        if (MGPDA* pda = MGPDA::GetInstance()) {
            pda->Open();
        }
        fMinimized = false;
    }
    Notify(MGIPDAListener::kMaximizeBegins);
    return false;
}

VoSprite* MGPDAMinimized::GetBlinker(int aIndex) const {
    return aIndex >= 0 && aIndex < kBlinkerCount ? fpBlinkerSprites[aIndex] : nullptr;
}

void MGPDAMinimized::Blink(int aIndex, float aDuration, float aInterval) {
    if (aIndex < 0 || aIndex >= kBlinkerCount) {
        return;
    }
    Create();
    const double now = Now();
    // A blink still running leaves its blinker as it is hidden.
    if (fBlinking && fBlinkIndex != aIndex) {
        if (VoSprite* previous = GetBlinker(fBlinkIndex)) {
            previous->SetVisible(false);
        }
    }
    fBlinkEnd = aDuration > 0.0f ? now + aDuration : 0.0;
    fBlinkInterval = aInterval;
    fBlinkIndex = aIndex;
    if (VoSprite* blinker = GetBlinker(aIndex)) {
        blinker->SetVisible(true);
    }
    fBlinking = true;
    fNextToggle = now + aInterval;
    UpdateFrameListening();

    // The previous notification may still play: it makes way.
    delete fpSound;
    fpSound = nullptr;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpSound = sounds != nullptr ? sounds->CreateStream(VoString(kSoundName), VoString(kSoundFile)) : nullptr;
    if (fpSound != nullptr) {
        fpSound->SetListener(this);
        MGOptions* options = MGOptions::GetInstance();
        fpSound->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
        fpSound->Play();
    }
}

void MGPDAMinimized::StopBlink(int aWhich) {
    if (!fBlinking) {
        return;
    }
    if (aWhich == kAllBlinkers) {
        for (VoSprite* blinker : fpBlinkerSprites) {
            if (blinker != nullptr) {
                blinker->SetVisible(false);
            }
        }
    } else if (VoSprite* blinker = GetBlinker(fBlinkIndex)) {
        blinker->SetVisible(false);
    }
    fBlinking = false;
    UpdateFrameListening();
}

void MGPDAMinimized::ShowItemIcon(VoPropertyList* apItem) {
    if (!fMinimized) {
        return;
    }
    Create();
    DeleteIcon();
    VoPropertyList* description = apItem != nullptr ? apItem->GetList(VoString(u"sprite")) : nullptr;
    if (description == nullptr) {
        VO_ASSERT_FAILURE(kNoSprite);
        return;
    }
    VoSprite* icon = VoLayoutBuilder::BuildSprite(description);
    if (icon == nullptr) {
        VO_ASSERT_FAILURE(kSpriteFailure);
        return;
    }
    icon->SetVisible(false);
    icon->SetRelativeZ(kIconZ);
    icon->SetPosition(kIconX, kIconY);
    icon->SetBlend(kIconBlend);
    if (fpLayout == nullptr || !fpLayout->AddMember(icon, true)) {
        delete icon;
        return;
    }
    fpIcon = icon;
    fIconShown = true;
    fIconToggleTime = Now();
    fIconToggles = 0;
    UpdateFrameListening();
}

void MGPDAMinimized::DeleteIcon() {
    if (!fIconShown) {
        return;
    }
    fIconShown = false;
    // Leaves "layout" as it is deleted.
    delete fpIcon;
    fpIcon = nullptr;
    UpdateFrameListening();
}

void MGPDAMinimized::OnUpdate() {
    const double now = Now();
    if (fIconShown) {
        UpdateIcon(now);
    } else if (fMaximizing || fMinimizing) {
        UpdateAnimation(now);
    } else if (fBlinking) {
        UpdateBlink(now);
    }
    UpdateFrameListening();
}

void MGPDAMinimized::UpdateIcon(double aNow) {
    if (aNow - fIconToggleTime < kIconToggleTime) {
        return;
    }
    fpIcon->SetVisible(!fpIcon->GetVisible());
    ++fIconToggles;
    fIconToggleTime = aNow;
    if (fIconToggles >= kIconToggles) {
        DeleteIcon();
    }
}

void MGPDAMinimized::UpdateAnimation(double aNow) {
    const float t = static_cast<float>(std::min(1.0, (aNow - fStartTime) / kAnimationTime));
    const float range = kOpenScale - kNormalScale;
    if (fMaximizing) {
        fScale = kNormalScale + range * t;
        fCurrent = fPlace + (fFarPoint - fPlace) * t;
        fBlend = 1.0f - t;
    } else {
        fScale = kOpenScale - range * t;
        fCurrent = fFarPoint - (fFarPoint - fPlace) * t;
        fBlend = t;
    }
    if (fpLayout != nullptr) {
        fpLayout->SetPosition(fCurrent);
        fpLayout->SetScale(fScale, fScale);
        fpLayout->SetBlend(fBlend);
    }
    if (t < 1.0f) {
        return;
    }
    const bool maximized = fMaximizing;
    fMaximizing = false;
    fMinimizing = false;
    if (maximized) {
        Hide();
        if (MGPDA* pda = MGPDA::GetInstance()) {
            pda->Open();
        }
        fMinimized = false;
        Notify(MGIPDAListener::kGrown);
        return;
    }
    if (fpBlinkers != nullptr) {
        fpBlinkers->SetActive(true);
    }
    fMinimized = true;
    Notify(MGIPDAListener::kMinimized);
    if (RightButtonMode()) {
        Hide();
    }
}

void MGPDAMinimized::UpdateBlink(double aNow) {
    VoSprite* blinker = GetBlinker(fBlinkIndex);
    if (aNow > fNextToggle) {
        if (blinker != nullptr) {
            blinker->SetVisible(!blinker->GetVisible());
        }
        fNextToggle = aNow + fBlinkInterval;
    }
    if (fBlinkEnd > 0.0 && aNow > fBlinkEnd) {
        fBlinking = false;
        if (blinker != nullptr) {
            blinker->SetVisible(false);
        }
    }
}

void MGPDAMinimized::UpdateFrameListening() {
    const bool needed = fIconShown || fMaximizing || fMinimizing || fBlinking;
    MGListenToFrames(this, kFrameOrder, needed, &fInFrames);
}

void MGPDAMinimized::OnSoundEnd(const VoString&) {
    // Called by the player, which may be deleted here.
    delete fpSound;
    fpSound = nullptr;
}

void MGPDAMinimized::OnButtonEvent(const VoString& aId, int aCode) {
    if (aId == VoString(kMaximizeId)) {
        switch (aCode) {
            case kPressed: {
                MGSceneManager* scenes = MGSceneManager::GetInstance();
                MGScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr;
                if (scene != nullptr && scene->IsInInterview()) {
                    return;
                }
                Maximize(true);
                ConsumeMouseEvent();
                return;
            }
            case kEntered:
                HandCursor(kMaximizeCursor);
                return;
            case kLeft:
                ResetCursor(kMaximizeCursor);
                return;
            default:
                return;
        }
    }
    if (aId != VoString(kMoveId)) {
        return;
    }
    switch (aCode) {
        case kPressed: {
            fDragging = true;
            VoVector2 pointer;
            if (VoMouse* mouse = VoMouse::GetInstance()) {
                mouse->GetPosition(pointer);
            }
            fDragOffset = pointer - fPlace;
            ListenToMouse(true, kDragOrder);
            break;
        }
        case kEntered:
            HandCursor(kMoveCursor);
            break;
        case kLeft:
            ResetCursor(kMoveCursor);
            break;
        case kReleasedOutside:
        case kClick:
            fDragging = false;
            ListenToMouse(false, kDragOrder);
            break;
        default:
            // Not the mouse's doing (enabled, disabled): nothing to consume.
            return;
    }
    ConsumeMouseEvent();
}

void MGPDAMinimized::OnMouseMove(const VoVector2* apPosition) {
    if (!fDragging || apPosition == nullptr) {
        return;
    }
    const VoRectangle bounds = DragBounds();
    const VoVector2 wanted = *apPosition - fDragOffset;
    fPlace.x = std::clamp(wanted.x, bounds.x, bounds.x + bounds.width);
    fPlace.y = std::clamp(wanted.y, bounds.y, bounds.y + bounds.height);
    if (fpLayout != nullptr) {
        fpLayout->SetPosition(fPlace);
    }
    ConsumeMouseEvent();
}

void MGPDAMinimized::OnButtonUp(int aButton) {
    fDragging = false;
    if (aButton == 2 && RightButtonMode()) {
        Show();
        Maximize(true);
    }
}

void MGPDAMinimized::ListenToMouse(bool aListen, float aOrder) {
    MGListenToMouse(this, aOrder, aListen, &fInMouse);
}

void MGPDAMinimized::SetButtonsInMouse(bool aListen) {
    if (aListen == fButtonsInMouse) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    fButtonsInMouse = aListen && mouse != nullptr;
    for (VoButton* button : {fpMove, fpMaximize}) {
        if (button == nullptr || mouse == nullptr) {
            continue;
        }
        if (aListen) {
            mouse->AddListener(button, kMouseOrder);
        } else {
            mouse->RemoveListener(button);
        }
    }
}

void MGPDAMinimized::JoinDisplayRoot() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (!fInRoot && fpGroups != nullptr && display != nullptr) {
        fInRoot = display->AddMember(fpGroups);
    }
}

void MGPDAMinimized::LeaveDisplayRoot() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (fInRoot && display != nullptr) {
        display->RemoveMember(fpGroups);
    }
    fInRoot = false;
}

bool MGPDAMinimized::RightButtonMode() {
    MGOptions* options = MGOptions::GetInstance();
    return options != nullptr && options->GetOption(kRightButtonOption) == 1;
}

double MGPDAMinimized::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoVector2 MGPDAMinimized::WindowPosition() {
    VoVector2 position;
    MGPDA* pda = MGPDA::GetInstance();
    if (VoDisplayGroup* window = pda != nullptr ? pda->GetGroup() : nullptr) {
        window->GetWorldPosition(position);
    }
    return position;
}

VoString MGPDAMinimized::ToString() const {
    return VoDebugString("MGPDAMinimized", this);
}
