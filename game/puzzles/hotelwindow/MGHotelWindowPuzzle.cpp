#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleItemCursor.h"
#include "ui/MGCursor.h"

namespace {

VoCleanerSingleton<MGHotelWindowPuzzle, MGCleanerHome> gInstance;

void ShowBar(bool aShow) {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        if (aShow) {
            bar->Show();
        } else {
            bar->Hide();
        }
    }
}

}  // namespace

bool MGHotelWindowPuzzle::IsInPlace(float aX, float aY) {
    const int dx = static_cast<int>(aX) - kTargetX;
    const int dy = static_cast<int>(aY) - kTargetY;
    return dx > -kReach && dx < kReach && dy > -kReach && dy < kReach;
}

MGHotelWindowPuzzle* MGHotelWindowPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGHotelWindowPuzzle(); });
}

MGHotelWindowPuzzle::MGHotelWindowPuzzle()
    : fpRoot(nullptr),
      fpPolaroid(nullptr),
      fpBackButton(nullptr),
      fHolding(false),
      fSolved(false),
      fInMouse(false) {}

MGHotelWindowPuzzle::~MGHotelWindowPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    fpPolaroid = nullptr;
    fpBackButton = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGHotelWindowPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    if (layout != nullptr) {
        MGPuzzleFrame::AddMember(fpRoot,
                                 VoLayoutBuilder::BuildSprite(layout->GetList(VoString(kBackgroundPath))));
        VoSprite* polaroid = VoLayoutBuilder::BuildSprite(layout->GetList(VoString(kPolaroidPath)));
        if (polaroid != nullptr) {
            polaroid->SetVisible(false);
            fpPolaroid = MGPuzzleFrame::AddMember(fpRoot, polaroid) ? polaroid : nullptr;
        }
    }
    root.Restore();
    VoButton* back = layout != nullptr
                         ? VoLayoutBuilder::BuildButton(layout->GetList(VoString(kBackButtonPath)), this)
                         : nullptr;
    fpBackButton = MGPuzzleFrame::AddMember(fpRoot, back) ? back : nullptr;
    delete layout;
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGHotelWindowPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    ShowBar(true);
    fHolding = false;
    MGPuzzleItemCursor::ShowTarget(kCursorName);
    fSolved = false;
    MGPuzzleFrame::StartHint(fVoice, kHint, this, kHintStream);
}

void MGHotelWindowPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (fHolding) {
        // The polaroid took the cursor and the bar; they come back with the screen gone.
        fHolding = false;
        if (MGCursor* cursor = MGCursor::GetInstance()) {
            cursor->SetActive(true);
        }
        ShowBar(true);
    }
    fpPolaroid = nullptr;
    fpBackButton = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetBaseCursor(MGCursor::kDefault);
        cursor->ResetCursor(VoString());
    }
}

void MGHotelWindowPuzzle::PickUp() {
    fHolding = true;
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->ResetCursor(VoString(kCursorName));
        cursor->SetActive(false);
    }
    if (fpPolaroid != nullptr) {
        VoVector2 at;
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->GetPosition(at);
        }
        fpPolaroid->SetPosition(at);
        fpPolaroid->SetVisible(true);
    }
    ShowBar(false);
}

void MGHotelWindowPuzzle::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    VoVector2 at;
    if (mouse != nullptr) {
        mouse->GetPosition(at);
    }
    const bool held = fHolding;
    if (!held && MGPuzzleItemCursor::TakenItem().Equals(kPolaroidItem)) {
        PickUp();
    }
    if (held && IsInPlace(at.x, at.y)) {
        Place();
        return;
    }
    if (!fHolding && at.x > kCornerX && at.y > kCornerY) {
        PickUp();
    }
}

void MGHotelWindowPuzzle::Place() {
    fSolved = true;
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(MGPuzzleFrame::kHandCursor, VoString(kCursorName));
        cursor->SetActive(true);
    }
    // No way out while the line plays: the line's end closes the puzzle.
    if (fpBackButton != nullptr) {
        fpBackButton->SetActive(false);
    }
    if (!fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this)) {
        VO_ASSERT_FAILURE("");
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGHotelWindowPuzzle::OnMouseMove(const VoVector2* apPosition) {
    if (fHolding) {
        if (fpPolaroid != nullptr && apPosition != nullptr) {
            fpPolaroid->SetPosition(*apPosition);
        }
        return;
    }
    MGPuzzleItemCursor::Keep(kCursorName);
}

void MGHotelWindowPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick || !aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        return;
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGHotelWindowPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    if (fSolved) {
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGHotelWindowPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

VoString MGHotelWindowPuzzle::ToString() const {
    return VoDebugString("MGHotelWindowPuzzle", this);
}
