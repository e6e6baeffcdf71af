#include "puzzles/receipt/MGReceiptPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGPDAMinimized.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleItemCursor.h"
#include "state/VoStateManager.h"
#include "ui/MGCursor.h"

namespace {

VoCleanerSingleton<MGReceiptPuzzle, MGCleanerHome> gInstance;

bool HasEvent(const char16_t* apId) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(VoString(apId));
}

// Adds the event unless it is there already.
void AddEvent(const char16_t* apId) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr && !events->HasEvent(VoString(apId))) {
        events->AddEvent(VoString(apId), true);
    }
}

}  // namespace

int MGReceiptPuzzle::PartsAdded() {
    int added = 0;
    for (const Part& part : kParts) {
        added += HasEvent(part.fPuzzleEvent) ? 1 : 0;
    }
    return added;
}

MGReceiptPuzzle* MGReceiptPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGReceiptPuzzle(); });
}

MGReceiptPuzzle::MGReceiptPuzzle() : fpRoot(nullptr), fInMouse(false) {}

MGReceiptPuzzle::~MGReceiptPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGReceiptPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    VoPropertyList* background = layout != nullptr ? layout->GetList(VoString(kBackgroundPath)) : nullptr;
    if (background != nullptr) {
        MGPuzzleFrame::AddMember(fpRoot, VoLayoutBuilder::BuildSprite(background));
    }
    VoPropertyList* sprites = layout != nullptr ? layout->GetList(VoString(kSpritesPath)) : nullptr;
    if (fpRoot != nullptr && sprites != nullptr) {
        VoLayoutBuilder::BuildSprites(sprites, fpRoot);
    }
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
    delete layout;
    // No first-view event: the hint plays at every such opening.
    if (PartsAdded() == 1 && MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy &&
        !fVoice.PlayLine(VoString(kHintLine), kHintStream, this)) {
        VO_ASSERT_FAILURE("");
    }
}

void MGReceiptPuzzle::OnEnter() {
    Build();
    if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    MGPuzzleItemCursor::ShowTarget(kCursorName);
}

void MGReceiptPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
        fpRoot->Validate();
    }
}

void MGReceiptPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    fVoice.Stop();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

void MGReceiptPuzzle::OnMouseMove(const VoVector2*) {
    MGPuzzleItemCursor::Keep(kCursorName);
}

void MGReceiptPuzzle::OnButtonDown(int) {
    if (MGPuzzleItemCursor::IsTaking()) {
        const VoString item = MGPuzzleItemCursor::TakenItem();
        for (const Part& part : kParts) {
            if (item.Equals(part.fItem)) {
                TakePart(part);
            }
        }
        // Any item leaves the cursor, known or not.
        MGCursor* cursor = MGCursor::GetInstance();
        cursor->SetBaseCursor(MGCursor::kDefault);
        cursor->ResetCursor(VoString());
        MGPuzzleItemCursor::ShowTarget(kCursorName);
    }
    if (fpRoot != nullptr) {
        fpRoot->InvalidateVisible();
        fpRoot->Validate();
    }
    CheckSolution();
}

void MGReceiptPuzzle::TakePart(const Part& aPart) {
    AddEvent(aPart.fPuzzleEvent);
    AddEvent(aPart.fLampEvent);
    for (const char16_t* picture : aPart.fPictures) {
        if (VoIDisplayObject* shown = fpRoot != nullptr ? fpRoot->GetMember(VoString(picture)) : nullptr) {
            shown->SetVisible(true);
        }
    }
}

void MGReceiptPuzzle::AddLampParts() {
    for (const Part& part : kParts) {
        if (HasEvent(part.fLampEvent)) {
            AddEvent(part.fPuzzleEvent);
        }
    }
}

void MGReceiptPuzzle::CheckSolution() {
    if (PartsAdded() < kPartCount) {
        return;
    }
    AddEvent(kSolvedEvent);
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->SetState(VoString(kLampState), VoString(kStringType), VoString(kSolvedValue), false);
    }
    if (!fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this)) {
        VO_ASSERT_FAILURE("");
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGReceiptPuzzle::OnSoundEnd(const VoString& aName) {
    fVoice.Stop();
    if (!aName.EqualsNoCase(kHintStream)) {
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGReceiptPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGReceiptPuzzle::OnStateChanged(VoIState* apState) {
    // Either way: parts used on the lamp count now, and the check runs.
    if (MGPuzzleFrame::OpenOrClose(apState, kActivationState, this)) {
        AddLampParts();
        CheckSolution();
    }
}

VoString MGReceiptPuzzle::ToString() const {
    return VoDebugString("MGReceiptPuzzle", this);
}
