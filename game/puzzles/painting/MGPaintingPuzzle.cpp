#include "puzzles/painting/MGPaintingPuzzle.h"

#include <cmath>

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "util/MGGameReset.h"

namespace {

VoCleanerSingleton<MGPaintingPuzzle, MGCleanerHome> gInstance;

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

// The text of a string state; empty for other types.
VoString StringOf(VoIState* apState) {
    const auto* text = apState != nullptr && apState->GetType() == VoIState::kString
                           ? static_cast<const VoString*>(apState->GetValue())
                           : nullptr;
    return text != nullptr ? *text : VoString();
}

}  // namespace

float MGPaintingPuzzle::RotationFor(const VoVector2& aCentre, const VoVector2& aMouse) {
    const double angle =
        std::atan2(static_cast<double>(aCentre.y - aMouse.y), static_cast<double>(aMouse.x - aCentre.x));
    return static_cast<float>(angle * kDegreesPerRadian) + kAngleOffset;
}

bool MGPaintingPuzzle::Opens(const VoString& aHole, float aRotation) {
    if (aHole.Equals(kFirstHole)) {
        return std::fabs(aRotation - kFirstAngle) < kTolerance;
    }
    if (aHole.Equals(kSecondHole)) {
        return std::fabs(aRotation - kSecondAngle) < kTolerance;
    }
    return false;
}

bool MGPaintingPuzzle::WasOpened() {
    VoStateManager* states = VoStateManager::GetInstance();
    return states != nullptr && StringOf(states->GetState(VoString(kResultState))).Equals(kSolvedValue);
}

MGPaintingPuzzle* MGPaintingPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGPaintingPuzzle(); });
}

MGPaintingPuzzle::MGPaintingPuzzle()
    : fHandleSet(false),
      fOverButton(false),
      fpRoot(nullptr),
      fpHandle(nullptr),
      fpLayout(nullptr),
      fSolved(false),
      fInMouse(false),
      fInReset(false) {
    MGGameReset* reset = MGGameReset::GetInstance();
    fInReset = reset != nullptr && reset->AddListener(this);
}

MGPaintingPuzzle::~MGPaintingPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    if (fInReset) {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    fpHandle = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
}

void MGPaintingPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpLayout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    VoPropertyList* groups = fpLayout != nullptr ? fpLayout->GetList(VoString(kLayoutPath)) : nullptr;
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    if (fpRoot == nullptr || groups == nullptr || !VoLayoutBuilder::BuildGroups(groups, fpRoot)) {
        VO_ASSERT_FAILURE("");
    }
    ListenToHoles();
    BuildHandle();
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, fpLayout, kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    MGPuzzleFrame::StartHint(fVoice, kHint, this);
}

void MGPaintingPuzzle::ListenToHoles() {
    VoIDisplayObject* found = fpRoot != nullptr ? fpRoot->GetMember(VoString(kHolesGroup)) : nullptr;
    auto* holes = dynamic_cast<VoDisplayGroup*>(found);
    if (holes == nullptr) {
        VO_ASSERT_FAILURE("");
        return;
    }
    VoPropertyList* groups = fpLayout->GetList(VoString(kLayoutPath));
    VoPropertyList* entries = groups->GetList(VoString(kHoleEntriesPath));
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        bool hasId = false;
        const VoString id = entry != nullptr ? entry->GetString(VoString(u"id"), &hasId) : VoString();
        if (auto* button = hasId ? dynamic_cast<VoButton*>(holes->GetMember(id)) : nullptr) {
            button->SetListener(this);
        }
    }
}

void MGPaintingPuzzle::BuildHandle() {
    fpHandle = fpLayout != nullptr ? VoLayoutBuilder::BuildSprite(fpLayout->GetList(VoString(kHandlePath)))
                                   : nullptr;
    if (fpHandle == nullptr) {
        VO_ASSERT_FAILURE("");
        return;
    }
    fpHandle->SetCenter(kHandleCentreX, kHandleCentreY);
    if (!MGPuzzleFrame::AddMember(fpRoot, fpHandle)) {
        fpHandle = nullptr;
    }
}

void MGPaintingPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
}

void MGPaintingPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
}

void MGPaintingPuzzle::OnLeaveEnd() {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->SetState(VoString(kActivationState), VoString(MGPuzzleFrame::kBooleanType),
                         VoString(u"false"), false);
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fpHandle = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
    fpLayout = nullptr;
}

void MGPaintingPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode == kClick && aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        GoBack();
        return;
    }
    if (fSolved) {
        return;
    }
    switch (aCode) {
        case kEntered:
            fOverButton = true;
            break;
        case kLeft:
            fOverButton = false;
            break;
        case kClick:
            SetIntoHole(aId);
            break;
        default:
            break;
    }
}

void MGPaintingPuzzle::GoBack() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr || screens->IsBusy()) {
        return;
    }
    // Without a scene there is nothing to return to but what lies below.
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        screens->Clear();
        screens->PushScreen(scene);
        screens->PushScreen(this);
    }
    MGPuzzleFrame::PopTopScreen();
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

void MGPaintingPuzzle::SetIntoHole(const VoString& aId) {
    VoString hole(kHolePrefix);
    hole.Append(aId);
    if (hole == fCurrentHole || fpRoot == nullptr) {
        return;
    }
    VoIDisplayObject* button = fpRoot->GetMember(hole);
    if (button == nullptr) {
        return;
    }
    fCurrentHole = hole;
    if (fpHandle != nullptr) {
        VoVector2 at;
        button->GetWorldPosition(at);
        fpHandle->SetPosition(at.x + kHoleOffsetX, at.y + kHoleOffsetY);
        fpHandle->SetVisible(true);
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(fCentre);
    }
    fHandleSet = true;
}

void MGPaintingPuzzle::FreeHandle() {
    fHandleSet = false;
    fCurrentHole = VoString();
    if (fpHandle != nullptr) {
        fpHandle->SetRotation(0.0f);
    }
}

void MGPaintingPuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (fpHandle == nullptr || apPosition == nullptr) {
        return;
    }
    if (fHandleSet) {
        fpHandle->SetRotation(RotationFor(fCentre, *apPosition));
    } else {
        fpHandle->SetPosition(*apPosition);
    }
}

void MGPaintingPuzzle::OnButtonDown(int) {
    if (!fSolved && fHandleSet && fpHandle != nullptr && Opens(fCurrentHole, fpHandle->GetRotation())) {
        OnSolved();
    }
}

void MGPaintingPuzzle::OnSolved() {
    fSolved = true;
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->SetState(VoString(kResultState), VoString(kStringType), VoString(kSolvedValue), false);
    }
    // The movie's screen goes over the puzzle, which leaves by the screen
    // manager's calls.
    MGPuzzleFrame::RunOpening(this, kOpening, false);
}

void MGPaintingPuzzle::OnButtonUp(int) {
    if (fSolved) {
        MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    } else if (fHandleSet && !fOverButton) {
        FreeHandle();
    }
}

void MGPaintingPuzzle::OnStateChanged(VoIState* apState) {
    // Opened in this game: the painting hangs open, the photo was taken.
    if (apState == nullptr || WasOpened()) {
        return;
    }
    if (MGPuzzleFrame::IsState(apState, kPhotoState)) {
        if (StringOf(apState).Equals(kPhotoOff)) {
            MGPDA* pda = MGPDA::GetInstance();
            if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
                inventory->AddItem(VoString(kPhotoItem));
            }
        }
        return;
    }
    if (MGPuzzleFrame::IsState(apState, kActivationState) && MGPuzzleFrame::IsTrue(apState)) {
        MGPuzzleFrame::Open(this);
    }
}

void MGPaintingPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

void MGPaintingPuzzle::OnGameReset() {
    fHandleSet = false;
    fOverButton = false;
    fCentre = VoVector2();
    fCurrentHole = VoString();
    fSolved = false;
}

VoString MGPaintingPuzzle::ToString() const {
    return VoDebugString("MGPaintingPuzzle", this);
}
