#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapeControl.h"

namespace {

VoCleanerSingleton<MGSurveillanceTapePuzzle, MGCleanerHome> gInstance;

constexpr const char16_t* kBackgroundPath = u"background";
constexpr const char16_t* kOverlayPath = u"overlay";
constexpr const char16_t* kArrowPaths[] = {u"arrows.a01", u"arrows.a02"};
constexpr const char16_t* kDialogPath = u"trackingdialog";
constexpr const char16_t* kIndicatorPath = u"indicator";
constexpr const char16_t* kPanelsPath = u"framecontrols";
constexpr const char16_t* kSwitchesPath = u"framecontrolbtns";
constexpr const char16_t* kLayersPath = u"layers";
constexpr const char16_t* kBackButtonPath = u"backbutton";

VoSprite* AddSprite(VoDisplayGroup* apGroup, VoPropertyList* apLayout, const char16_t* apPath) {
    VoSprite* sprite =
        apLayout != nullptr ? VoLayoutBuilder::BuildSprite(apLayout->GetList(VoString(apPath))) : nullptr;
    return MGPuzzleFrame::AddMember(apGroup, sprite) ? sprite : nullptr;
}

}  // namespace

MGSurveillanceTapePuzzle* MGSurveillanceTapePuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGSurveillanceTapePuzzle(); });
}

MGSurveillanceTapePuzzle::MGSurveillanceTapePuzzle()
    : fpRoot(nullptr),
      fpPanels{},
      fTape(0),
      fpLayers{},
      fDragging(false),
      fMoves{},
      fpDialog(nullptr),
      fpIndicator(nullptr),
      fTolerance(kMediumTolerance),
      fTracked{},
      fBusy(false),
      fSolvable(false),
      fInMouse(false) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MGSurveillanceTapePuzzle::~MGSurveillanceTapePuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    DeletePanels();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGSurveillanceTapePuzzle::Build() {
    fBusy = false;
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    AddSprite(fpRoot, layout, kBackgroundPath);
    AddSprite(fpRoot, layout, kOverlayPath);
    for (const char16_t* path : kArrowPaths) {
        MGPuzzleFrame::AddMember(
            fpRoot, layout != nullptr ? VoLayoutBuilder::BuildButton(layout->GetList(VoString(path)), this)
                                      : nullptr);
    }
    fpDialog = AddSprite(fpRoot, layout, kDialogPath);
    if (fpDialog != nullptr) {
        fpDialog->SetVisible(false);
    }
    fpIndicator = AddSprite(fpRoot, layout, kIndicatorPath);

    VoPropertyList* switches = layout != nullptr ? layout->GetList(VoString(kSwitchesPath)) : nullptr;
    VoPropertyList* tapes = layout != nullptr ? layout->GetList(VoString(kPanelsPath)) : nullptr;
    bool complete = tapes != nullptr && tapes->GetCount() >= kTapeCount;
    for (int i = 0; tapes != nullptr && i < kTapeCount && i < tapes->GetCount(); ++i) {
        MGSurveillanceTapeControl* panel = VO_NEW MGSurveillanceTapeControl();
        if (panel == nullptr || !panel->Create(this, tapes->GetListAt(i), switches) ||
            !MGPuzzleFrame::AddMember(fpRoot, panel->GetGroup())) {
            delete panel;
            complete = false;
            continue;
        }
        complete = complete && panel->IsComplete();
        fpPanels[i] = panel;
        if (i == 0) {
            panel->Show();
        } else {
            panel->Hide();
        }
    }
    fTape = 0;
    BuildLayers(layout);
    for (int t = 0; t < kTapeCount; ++t) {
        for (int k = 0; k < kLayerCount; ++k) {
            complete = complete && fpLayers[t][k] != nullptr;
        }
    }
    ShowTape(true);
    fDragging = false;
    for (bool& moves : fMoves) {
        moves = false;
    }
    for (bool& tracked : fTracked) {
        tracked = false;
    }
    root.Restore();
    if (VoButton* back = layout != nullptr
                             ? VoLayoutBuilder::BuildButton(layout->GetList(VoString(kBackButtonPath)), this)
                             : nullptr) {
        back->SetRelativeZ(kBackButtonZ);
        MGPuzzleFrame::AddMember(fpRoot, back);
    }
    MGPuzzleFrame::ShowRoot(fpRoot);
    const int skill = MGPuzzleFrame::GetSkillLevel();
    fTolerance = skill == MGPuzzleFrame::kEasy     ? kEasyTolerance
                 : skill == MGPuzzleFrame::kMedium ? kMediumTolerance
                                                   : kHardTolerance;
    delete layout;
    fSolvable = complete;
    if (!fSolvable) {
        VO_ERROR(kIncomplete);
    }
}

void MGSurveillanceTapePuzzle::BuildLayers(VoPropertyList* apLayout) {
    VoPropertyList* tapes = apLayout != nullptr ? apLayout->GetList(VoString(kLayersPath)) : nullptr;
    for (int t = 0; tapes != nullptr && t < kTapeCount && t < tapes->GetCount(); ++t) {
        VoPropertyList* layers = tapes->GetListAt(t);
        for (int k = 0; layers != nullptr && k < kLayerCount && k < layers->GetCount(); ++k) {
            VoSprite* layer = VoLayoutBuilder::BuildSprite(layers->GetListAt(k));
            if (layer == nullptr) {
                continue;
            }
            layer->SetRelativeZ(kLayerZ);
            const int x = std::rand() % kScatterRange;
            const int y = std::rand() % kScatterRange;
            layer->SetPosition(static_cast<float>(x) + kScatterX, static_cast<float>(y));
            layer->SetVisible(false);
            fpLayers[t][k] = MGPuzzleFrame::AddMember(fpRoot, layer) ? layer : nullptr;
        }
    }
}

void MGSurveillanceTapePuzzle::ShowTape(bool aShow) {
    for (VoSprite* layer : fpLayers[fTape]) {
        if (layer != nullptr) {
            layer->SetVisible(aShow);
        }
    }
}

MGSurveillanceTapeControl* MGSurveillanceTapePuzzle::GetPanel(int aTape) const {
    return aTape >= 0 && aTape < kTapeCount ? fpPanels[aTape] : nullptr;
}

VoSprite* MGSurveillanceTapePuzzle::GetLayer(int aTape, int aLayer) const {
    return aTape >= 0 && aTape < kTapeCount && aLayer >= 0 && aLayer < kLayerCount ? fpLayers[aTape][aLayer]
                                                                                   : nullptr;
}

bool MGSurveillanceTapePuzzle::IsTracked(int aTape) const {
    return aTape >= 0 && aTape < kTapeCount && fTracked[aTape];
}

VoVector2 MGSurveillanceTapePuzzle::WorldOf(VoSprite* apSprite) {
    VoVector2 world;
    if (apSprite != nullptr) {
        apSprite->GetWorldPosition(world);
    }
    return world;
}

void MGSurveillanceTapePuzzle::SuspendInterview(bool aSuspend) {
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (interview == nullptr) {
        return;
    }
    if (aSuspend) {
        interview->Suspend();
    } else {
        interview->Resume();
    }
}

void MGSurveillanceTapePuzzle::OnEnter() {
    SuspendInterview(true);
    Build();
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
}

void MGSurveillanceTapePuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fDragging = false;
    fpDialog = nullptr;
    fpIndicator = nullptr;
    for (auto& tape : fpLayers) {
        for (VoSprite*& layer : tape) {
            layer = nullptr;
        }
    }
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    DeletePanels();
    SuspendInterview(false);
}

void MGSurveillanceTapePuzzle::DeletePanels() {
    // Each panel leaves the mouse if it listens; its group went with the root.
    for (MGSurveillanceTapeControl*& panel : fpPanels) {
        delete panel;
        panel = nullptr;
    }
}

void MGSurveillanceTapePuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (fBusy || aCode != kClick) {
        return;
    }
    const bool right = aId.EqualsNoCase(kRightArrow);
    if (right || aId.EqualsNoCase(kLeftArrow)) {
        if (MGSurveillanceTapeControl* panel = GetPanel(fTape)) {
            panel->Hide();
        }
        ShowTape(false);
        fTape = right ? (fTape == kLastTape ? 0 : fTape + 1) : (fTape == 0 ? kLastTape : fTape - 1);
        if (MGSurveillanceTapeControl* panel = GetPanel(fTape)) {
            panel->Show();
        }
        ShowTape(true);
        if (fpIndicator != nullptr) {
            fpIndicator->SetPosition(kIndicatorX[fTape], kIndicatorY);
        }
        if (fpDialog != nullptr) {
            fpDialog->SetVisible(fTracked[fTape]);
        }
        return;
    }
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGSurveillanceTapePuzzle::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    if (point.x < kViewX || point.x > kViewX + kViewWidth || point.y < kViewY ||
        point.y > kViewY + kViewHeight) {
        return;
    }
    fDragging = true;
    fLastMouse = point;
    MGSurveillanceTapeControl* panel = GetPanel(fTape);
    const int selected = panel != nullptr ? panel->GetSelected() : MGSurveillanceTapeControl::kNone;
    for (int k = 0; k < kLayerCount; ++k) {
        fMoves[k] = selected == MGSurveillanceTapeControl::kNone || selected == k;
    }
}

void MGSurveillanceTapePuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (!fDragging || apPosition == nullptr) {
        return;
    }
    const VoVector2 delta = *apPosition - fLastMouse;
    fLastMouse = *apPosition;
    for (int k = 0; k < kLayerCount; ++k) {
        VoSprite* layer = fpLayers[fTape][k];
        if (fMoves[k] && layer != nullptr) {
            layer->SetPosition(WorldOf(layer) + delta);
        }
    }
}

void MGSurveillanceTapePuzzle::OnButtonUp(int) {
    if (!fDragging) {
        return;
    }
    fDragging = false;
    int moved = -1;
    for (int k = 0; k < kLayerCount; ++k) {
        if (fMoves[k]) {
            // All three together: nothing snaps.
            if (moved >= 0) {
                return;
            }
            moved = k;
        }
    }
    if (moved < 0) {
        return;
    }
    VoSprite* layer = fpLayers[fTape][moved];
    VoSprite* partner = fpLayers[fTape][kPartner[moved]];
    if (layer == nullptr || partner == nullptr) {
        return;
    }
    const VoVector2 target = WorldOf(partner);
    const VoVector2 distance = WorldOf(layer) - target;
    if (std::fabs(distance.x) <= fTolerance && std::fabs(distance.y) <= fTolerance) {
        layer->SetPosition(target);
        CheckTape();
    }
}

bool MGSurveillanceTapePuzzle::CheckTape() {
    VoSprite* const* layers = fpLayers[fTape];
    const bool tracked = layers[0] != nullptr && layers[1] != nullptr && layers[2] != nullptr &&
                         WorldOf(layers[0]) == WorldOf(layers[1]) && WorldOf(layers[1]) == WorldOf(layers[2]);
    fTracked[fTape] = tracked;
    if (fpDialog != nullptr) {
        fpDialog->SetVisible(tracked);
    }
    if (!tracked) {
        return false;
    }
    if (MGSurveillanceTapeControl* panel = GetPanel(fTape)) {
        panel->Lock();
    }
    CheckSolved();
    return true;
}

void MGSurveillanceTapePuzzle::CheckSolved() {
    if (!fSolvable || !fTracked[kLastTape]) {
        return;
    }
    fBusy = true;
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    // Without the line there is nothing to wait for.
    if (!fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this)) {
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGSurveillanceTapePuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

void MGSurveillanceTapePuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    MGPuzzleFrame::CloseWithFade(this);
}

VoString MGSurveillanceTapePuzzle::ToString() const {
    return VoDebugString("MGSurveillanceTapePuzzle", this);
}
