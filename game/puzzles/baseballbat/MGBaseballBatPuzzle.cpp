#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"

#include <cstdlib>
#include <ctime>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "puzzles/baseballbat/MGBaseballPiece.h"

namespace {

VoCleanerSingleton<MGBaseballBatPuzzle, MGCleanerHome> gInstance;

constexpr int kPieceCapacity = 8;
constexpr int kPieceIncrement = 4;

}  // namespace

MGBaseballBatPuzzle* MGBaseballBatPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGBaseballBatPuzzle(); });
}

MGBaseballBatPuzzle::MGBaseballBatPuzzle()
    : fpRoot(nullptr),
      fPieces(kPieceCapacity, kPieceIncrement),
      fpSelected(nullptr),
      fSolvable(false),
      fSolved(false),
      fInMouse(false) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MGBaseballBatPuzzle::~MGBaseballBatPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    fPieces.Clear();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGBaseballBatPuzzle::Build() {
    fSolved = false;
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    BuildPieces(layout);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    delete layout;
    MGPuzzleFrame::ShowRoot(fpRoot);
    fSolvable = IsComplete();
    if (!fSolvable) {
        VO_ERROR(kIncomplete);
    }
}

void MGBaseballBatPuzzle::BuildPieces(VoPropertyList* apLayout) {
    VoPropertyList* entries = apLayout != nullptr ? apLayout->GetList(VoString(kPiecesPath)) : nullptr;
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        MGBaseballPiece* piece = VO_NEW MGBaseballPiece();
        if (piece == nullptr) {
            continue;
        }
        piece->Create(entries->GetListAt(i));
        piece->SetRelativeZ(MGPuzzleFrame::PieceZ(fPieces.GetCount()));
        const int y = std::rand() % kRangeY;
        const int x = std::rand() % kRangeX;
        piece->SetPosition(kMinPosition + static_cast<float>(x), kMinPosition + static_cast<float>(y));
        if (MGPuzzleFrame::AddMember(fpRoot, piece) && !fPieces.Add(piece)) {
            delete piece;
        }
    }
}

MGBaseballPiece* MGBaseballBatPuzzle::GetPiece(int aNumber) const {
    VoString id(kPiecePrefix);
    id.Append(static_cast<std::int32_t>(aNumber));
    return fpRoot != nullptr ? dynamic_cast<MGBaseballPiece*>(fpRoot->GetMember(id)) : nullptr;
}

bool MGBaseballBatPuzzle::IsComplete() const {
    for (int n = 1; n <= kPieceCount; ++n) {
        MGBaseballPiece* piece = GetPiece(n);
        if (piece == nullptr || !piece->IsComplete()) {
            return false;
        }
    }
    return true;
}

void MGBaseballBatPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::HideMultiCursor();
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    if (MGPuzzleFrame::TakeFirstView(kFirstViewEvent) &&
        MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy) {
        fVoice.PlayLine(VoString(kHint), kStream, this);
    }
}

void MGBaseballBatPuzzle::OnLeaveBegin() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
}

void MGBaseballBatPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    fpSelected = nullptr;
    // The fragments go with the root group.
    fPieces.Clear();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

void MGBaseballBatPuzzle::OnButtonDown(int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (aButton != kGrabButton || mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        auto* piece = static_cast<MGBaseballPiece*>(fPieces.GetAt(i));
        if (piece->Grab(point)) {
            fpSelected = piece;
            MGPuzzleFrame::RaisePicked<MGBaseballPiece>(fPieces, i);
            return;
        }
    }
}

void MGBaseballBatPuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (fpSelected != nullptr && apPosition != nullptr) {
        fpSelected->DragTo(*apPosition);
    }
}

void MGBaseballBatPuzzle::OnButtonUp(int) {
    fpSelected = nullptr;
    CheckSolution();
}

bool MGBaseballBatPuzzle::CheckSolution() {
    if (!fSolvable || fSolved) {
        return false;
    }
    MGBaseballPiece* reference = GetPiece(1);
    const int rotation = reference->GetRotation();
    VoVector2 origin;
    reference->GetWorldPosition(origin);
    for (int n = 2; n <= kPieceCount; ++n) {
        MGBaseballPiece* piece = GetPiece(n);
        if (piece->GetRotation() != rotation || !piece->IsAtSolvedPos(origin)) {
            return false;
        }
        const int over = piece->GetOverPiece();
        MGBaseballPiece* below = over >= 0 ? GetPiece(over) : nullptr;
        if (below != nullptr && below->GetRelativeZ() > piece->GetRelativeZ()) {
            return false;
        }
    }
    OnSolved();
    return true;
}

void MGBaseballBatPuzzle::OnSolved() {
    fSolved = true;
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
    MGPDA* pda = MGPDA::GetInstance();
    if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
        inventory->AddItem(VoString(kItem));
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    // Without the line the puzzle stays open; the back button leaves it.
    fVoice.PlayLine(VoString(kSolvedLine), kStream, this);
}

void MGBaseballBatPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGBaseballBatPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

void MGBaseballBatPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    if (fSolved) {
        MGPuzzleFrame::CloseWithFade(this);
    }
}

VoString MGBaseballBatPuzzle::ToString() const {
    return VoDebugString("MGBaseballBatPuzzle", this);
}
