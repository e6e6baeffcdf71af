#include "puzzles/slidebox/MGSlideBoxPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "puzzles/slidebox/MGSliderPiece.h"

namespace {

VoCleanerSingleton<MGSlideBoxPuzzle, MGCleanerHome> gInstance;

constexpr int kPieceCapacity = 4;
constexpr int kPieceIncrement = 4;

}  // namespace

MGSlideBoxPuzzle* MGSlideBoxPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGSlideBoxPuzzle(); });
}

MGSlideBoxPuzzle::MGSlideBoxPuzzle() : fpRoot(nullptr), fPieces(kPieceCapacity, kPieceIncrement) {}

MGSlideBoxPuzzle::~MGSlideBoxPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    fVoice.Stop();
    DeletePieces();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGSlideBoxPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ASSERT_FAILURE(kLayoutFailure);
    }
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    VoPropertyList* entries = layout != nullptr ? layout->GetList(VoString(kPiecesPath)) : nullptr;
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        MGSliderPiece* piece = VO_NEW MGSliderPiece();
        if (piece == nullptr || !piece->Create(entries->GetListAt(i), this) || !fPieces.Add(piece)) {
            delete piece;
        }
    }
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    delete layout;
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGSlideBoxPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::StartHint(fVoice, kHint, this);
}

void MGSlideBoxPuzzle::OnLeaveEnd() {
    fVoice.Stop();
    // The bars first: each leaves its buttons and the frame manager while
    // both are there.
    DeletePieces();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

void MGSlideBoxPuzzle::DeletePieces() {
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        delete static_cast<MGSliderPiece*>(fPieces.GetAt(i));
    }
    fPieces.Clear();
}

bool MGSlideBoxPuzzle::IsSolved() const {
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        if (!static_cast<MGSliderPiece*>(fPieces.GetAt(i))->IsInPlace()) {
            return false;
        }
    }
    return true;
}

void MGSlideBoxPuzzle::SetButtonsEnabled(bool aEnabled) {
    for (int i = 0; i < fPieces.GetCount(); ++i) {
        static_cast<MGSliderPiece*>(fPieces.GetAt(i))->SetButtonsEnabled(aEnabled);
    }
}

void MGSlideBoxPuzzle::OnPieceMoveStarted() {
    fVoice.PlaySound(kSlideStream, VoString(kSlideSound), nullptr);
    SetButtonsEnabled(false);
}

void MGSlideBoxPuzzle::OnPieceMoveEnded() {
    if (!IsSolved()) {
        SetButtonsEnabled(true);
        return;
    }
    VoLog::WriteLine(kSolvedLine);
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    MGPuzzleFrame::RunOpening(this, kOpening);
}

void MGSlideBoxPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGSlideBoxPuzzle::OnStateChanged(VoIState* apState) {
    if (MGPuzzleFrame::IsState(apState, kActivationState) && MGPuzzleFrame::IsTrue(apState)) {
        MGPuzzleFrame::Open(this);
    }
}

void MGSlideBoxPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

VoString MGSlideBoxPuzzle::ToString() const {
    return VoDebugString("MGSlideBoxPuzzle", this);
}
