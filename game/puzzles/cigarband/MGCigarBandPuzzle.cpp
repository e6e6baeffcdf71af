#include "puzzles/cigarband/MGCigarBandPuzzle.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleCloser.h"
#include "puzzles/cigarband/MGCigarBandPiece.h"

namespace {

VoCleanerSingleton<MGCigarBandPuzzle, MGCleanerHome> gInstance;

constexpr int kPieceCapacity = 20;
constexpr int kPieceIncrement = 10;

}  // namespace

MGCigarBandPuzzle* MGCigarBandPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGCigarBandPuzzle(); });
}

MGCigarBandPuzzle::MGCigarBandPuzzle()
    : fpRoot(nullptr),
      fPieces(kPieceCapacity, kPieceIncrement),
      fpSelected(nullptr),
      fpLayout(nullptr),
      fSolvable(false),
      fSolved(false),
      fInMouse(false),
      fInFader(false) {}

MGCigarBandPuzzle::~MGCigarBandPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (fInFader) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
    fVoice.Stop();
    DeletePieces();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
}

void MGCigarBandPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpLayout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    fpRoot = MGPuzzleFrame::BuildGroup(fpLayout, MGPuzzleFrame::kBackgroundPath);
    BuildPieces();
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, fpLayout, MGPuzzleFrame::kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    MGPuzzleFrame::StartHint(fVoice, kHint, this);
}

void MGCigarBandPuzzle::BuildPieces() {
    VoPropertyList* groups = fpLayout != nullptr ? fpLayout->GetList(VoString(kGroups)) : nullptr;
    int end = groups != nullptr ? groups->GetCount() : 0;
    if (MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy && end > kEasyPieceEnd) {
        end = kEasyPieceEnd;
    }
    for (int i = kFirstPieceIndex; i < end; ++i) {
        MGCigarBandPiece* piece = VO_NEW MGCigarBandPiece();
        if (piece == nullptr || !piece->Create(groups->GetListAt(i))) {
            delete piece;
            continue;
        }
        piece->SetRelativeZ(MGPuzzleFrame::PieceZ(fPieces.GetCount()));
        if (MGPuzzleFrame::AddMember(fpRoot, piece) && !fPieces.Add(piece)) {
            delete piece;
        }
    }
    fSolvable = CanBeSolved();
    if (!fSolvable) {
        VO_ASSERT_FAILURE(kUnsolvable);
    }
}

MGCigarBandPiece* MGCigarBandPuzzle::FindPiece(const VoString& aId) const {
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        auto* piece = static_cast<MGCigarBandPiece*>(fPieces.GetAt(i));
        if (piece->GetId() == aId) {
            return piece;
        }
    }
    return nullptr;
}

bool MGCigarBandPuzzle::CanBeSolved() const {
    VoPropertyList* solution = fpLayout != nullptr ? fpLayout->GetList(VoString(kSolution)) : nullptr;
    if (solution == nullptr || solution->GetCount() < 2 || FindPiece(solution->GetKeyAt(0)) == nullptr) {
        return false;
    }
    for (int i = 1; i < solution->GetCount(); ++i) {
        if (FindPiece(solution->GetKeyAt(i)) != nullptr) {
            return true;
        }
    }
    return false;
}

void MGCigarBandPuzzle::CheckSolution() {
    if (!fSolvable || fSolved) {
        return;
    }
    VoPropertyList* solution = fpLayout->GetList(VoString(kSolution));
    VoVector2 reference;
    FindPiece(solution->GetKeyAt(0))->GetWorldPosition(reference);
    for (int i = 1; i < solution->GetCount(); ++i) {
        const VoString id = solution->GetKeyAt(i);
        MGCigarBandPiece* piece = FindPiece(id);
        if (piece == nullptr) {
            continue;
        }
        bool found = false;
        const VoVectorFloat offset = solution->GetVectorFloat(id, &found);
        if (offset.GetCount() < 2) {
            return;
        }
        VoVector2 position;
        piece->GetWorldPosition(position);
        const float dx = position.x - reference.x - offset.GetAt(0);
        const float dy = position.y - reference.y - offset.GetAt(1);
        if (dx > kTolerance || dx < -kTolerance || dy > kTolerance || dy < -kTolerance) {
            return;
        }
    }
    OnSolved();
}

void MGCigarBandPuzzle::OnSolved() {
    fSolved = true;
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    MGPDA* pda = MGPDA::GetInstance();
    if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
        inventory->AddItem(VoString(kItem));
    }
    for (int n = kFirstLoosePiece; fpRoot != nullptr && n <= kLastLoosePiece; ++n) {
        VoString id(kLoosePiece);
        id.Append(n);
        if (VoIDisplayObject* loose = fpRoot->GetMember(id)) {
            loose->SetVisible(false);
        }
    }
    if (!fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this)) {
        VO_ASSERT_FAILURE("");
    }
}

void MGCigarBandPuzzle::OnEnter() {
    fSolved = false;
    Build();
    MGPuzzleFrame::EnterScreen(true);
}

void MGCigarBandPuzzle::OnLeaveBegin() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
        fpRoot->Validate();
    }
}

void MGCigarBandPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    fpSelected = nullptr;
    DeletePieces();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
    fpLayout = nullptr;
    MGPuzzleFrame::LeaveScreen(true);
}

void MGCigarBandPuzzle::DeletePieces() {
    fpSelected = nullptr;
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        delete static_cast<MGCigarBandPiece*>(fPieces.GetAt(i));
    }
    fPieces.Clear();
}

void MGCigarBandPuzzle::OnButtonDown(int aButton) {
    if (aButton != kGrabButton) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        auto* piece = static_cast<MGCigarBandPiece*>(fPieces.GetAt(i));
        if (piece->Grab(point)) {
            fpSelected = piece;
            MGPuzzleFrame::RaisePicked<MGCigarBandPiece>(fPieces, i);
            return;
        }
    }
}

void MGCigarBandPuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (fpSelected != nullptr && apPosition != nullptr) {
        fpSelected->DragTo(*apPosition);
    }
}

void MGCigarBandPuzzle::OnButtonUp(int) {
    if (fpSelected != nullptr) {
        CheckSolution();
        fpSelected = nullptr;
    }
}

void MGCigarBandPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGCigarBandPuzzle::OnStateChanged(VoIState* apState) {
    if (!MGPuzzleFrame::IsState(apState, kActivationState)) {
        return;
    }
    if (MGPuzzleFrame::IsTrue(apState)) {
        MGPuzzleFrame::Open(this);
    } else {
        CloseByOwnFade();
    }
}

void MGCigarBandPuzzle::CloseByOwnFade() {
    if (!MGPuzzleFrame::IsTop(this) || fInFader) {
        return;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader == nullptr) {
        return;
    }
    if (screens->IsBusy()) {
        // The fader is the screen manager's until its fade ends; the same
        // close by a fade then comes from the closer.
        MGPuzzleFrame::CloseWithFade(this);
        return;
    }
    fInFader = fader->SetListener(this);
    fader->FadeOut();
}

void MGCigarBandPuzzle::OnFadeEvent(int aCode) {
    if (aCode != kFinished || !fInFader) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    fader->RemoveListener(this);
    fInFader = false;
    OnLeaveEnd();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    screens->RemoveScreen(this);
    if (MGIScreen* top = screens->GetTopScreen()) {
        top->OnEnter();
    }
    fader->FadeIn();
}

void MGCigarBandPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

VoString MGCigarBandPuzzle::ToString() const {
    return VoDebugString("MGCigarBandPuzzle", this);
}
