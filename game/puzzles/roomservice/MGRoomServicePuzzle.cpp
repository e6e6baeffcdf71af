#include "puzzles/roomservice/MGRoomServicePuzzle.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "puzzles/roomservice/MGRoomServicePiece.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoStateManager.h"

namespace {

VoCleanerSingleton<MGRoomServicePuzzle, MGCleanerHome> gInstance;

constexpr int kPieceCapacity = 8;
constexpr int kPieceIncrement = 4;
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

}  // namespace

MGRoomServicePuzzle* MGRoomServicePuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGRoomServicePuzzle(); });
}

MGRoomServicePuzzle::MGRoomServicePuzzle()
    : fpRoot(nullptr),
      fPieces(kPieceCapacity, kPieceIncrement),
      fpSelected(nullptr),
      fpReference(nullptr),
      fTurning(false),
      fStartAngle(0.0f),
      fInMouse(false),
      fInFrames(false) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MGRoomServicePuzzle::~MGRoomServicePuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    MGPuzzleFrame::ListenToMouseAt(this, false, &fInMouse, kMouseOrder);
    fVoice.Stop();
    fPieces.Clear();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGRoomServicePuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    BuildPieces(layout);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    delete layout;
    // A hint that cannot be played is left out without a word.
    if (MGPuzzleFrame::TakeFirstView(kHint.fpFirstViewEvent)) {
        const bool easy = MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy;
        fVoice.PlayLine(VoString(easy ? kHint.fpHint : kHint.fpComment), MGPuzzleFrame::kHintStream, this);
    }
    MGPuzzleFrame::ListenToMouseAt(this, true, &fInMouse, kMouseOrder);
}

void MGRoomServicePuzzle::BuildPieces(VoPropertyList* apLayout) {
    VoPropertyList* groups = apLayout != nullptr ? apLayout->GetList(VoString(kGroups)) : nullptr;
    const bool turned = MGPuzzleFrame::GetSkillLevel() != MGPuzzleFrame::kEasy;
    for (int i = kFirstPieceIndex; groups != nullptr && i < groups->GetCount(); ++i) {
        MGRoomServicePiece* piece = VO_NEW MGRoomServicePiece();
        if (piece == nullptr) {
            continue;
        }
        piece->Create(groups->GetListAt(i));
        piece->SetRelativeZ(MGPuzzleFrame::PieceZ(fPieces.GetCount()));
        if (turned) {
            const float angle = static_cast<float>(std::rand() % kTurnRange);
            piece->ShowTurn(angle);
            piece->Turn(angle);
        }
        const int y = std::rand() % kRangeY;
        const int x = std::rand() % kRangeX;
        piece->SetPosition(kMinX + static_cast<float>(x), kMinY + static_cast<float>(y));
        if (!MGPuzzleFrame::AddMember(fpRoot, piece)) {
            continue;
        }
        if (!fPieces.Add(piece)) {
            delete piece;
            continue;
        }
        if (fpReference == nullptr) {
            fpReference = piece;
        }
    }
}

void MGRoomServicePuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::HideMultiCursor();
}

void MGRoomServicePuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
        fpRoot->Validate();
    }
}

void MGRoomServicePuzzle::OnLeaveEnd() {
    fVoice.Stop();
    MGPuzzleFrame::ListenToMouseAt(this, false, &fInMouse, kMouseOrder);
    fpSelected = nullptr;
    fpReference = nullptr;
    // The fragments go with the root group.
    fPieces.Clear();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

float MGRoomServicePuzzle::AngleTo(const VoVector2& aMouse) const {
    return static_cast<float>(
        std::atan2(static_cast<double>(fPivot.y - aMouse.y), static_cast<double>(aMouse.x - fPivot.x)) *
        kRadiansToDegrees);
}

void MGRoomServicePuzzle::OnButtonDown(int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr || fInFrames) {
        return;
    }
    fTurning = aButton != kMoveButton;
    VoVector2 point;
    mouse->GetPosition(point);
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        auto* piece = static_cast<MGRoomServicePiece*>(fPieces.GetAt(i));
        if (!piece->Grab(point)) {
            continue;
        }
        fpSelected = piece;
        if (fTurning) {
            piece->GetWorldPosition(fPivot);
            fStartAngle = AngleTo(point);
        }
        MGPuzzleFrame::RaisePicked<MGRoomServicePiece>(fPieces, i);
        return;
    }
}

void MGRoomServicePuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (fpSelected == nullptr || apPosition == nullptr) {
        return;
    }
    if (fTurning) {
        fpSelected->ShowTurn(AngleTo(*apPosition) - fStartAngle);
    } else {
        fpSelected->DragTo(*apPosition);
    }
}

void MGRoomServicePuzzle::OnButtonUp(int) {
    if (fpSelected == nullptr) {
        return;
    }
    if (fTurning) {
        VoVector2 point;
        VoMouse::GetInstance()->GetPosition(point);
        fpSelected->Turn(AngleTo(point) - fStartAngle);
    }
    CheckSolution();
    VoMouse::GetInstance()->ConsumeEvent();
    fpSelected = nullptr;
}

bool MGRoomServicePuzzle::CheckSolution() {
    if (fpReference == nullptr || fInFrames) {
        return false;
    }
    const VoVector2 centre = fpReference->GetWorldCenter();
    const float rotation = fpReference->GetTurn();
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        if (!static_cast<MGRoomServicePiece*>(fPieces.GetAt(i))->IsInPlace(centre.x, centre.y, rotation)) {
            return false;
        }
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    // The scene change takes the puzzle away: not from inside the mouse's
    // call, but in the next frame.
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
    if (!fInFrames) {
        Close();
    }
    return true;
}

void MGRoomServicePuzzle::OnUpdate() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens != nullptr && screens->IsBusy()) {
        return;
    }
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    Close();
}

void MGRoomServicePuzzle::Close() {
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (MGScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr) {
        scene->StopAudio();
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->Clear();
    }
    // On the emptied stack the scene is pushed and entered at once, at the
    // viewpoint; on a first visit its placard comes first and loads it at
    // the viewpoint after the chime.
    if (scenes != nullptr) {
        scenes->LoadScene(VoString(kTargetScene), true, false, VoString(kTargetViewpoint));
    }
    OnLeaveEnd();
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->SetState(VoString(kDoneState), VoString(MGPuzzleFrame::kBooleanType),
                         VoString(MGPuzzleFrame::kTrue), true);
    }
}

void MGRoomServicePuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGRoomServicePuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

void MGRoomServicePuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

VoString MGRoomServicePuzzle::ToString() const {
    return VoDebugString("MGRoomServicePuzzle", this);
}
