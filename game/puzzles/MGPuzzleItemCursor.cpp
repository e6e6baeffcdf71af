#include "puzzles/MGPuzzleItemCursor.h"

#include "gdi/VoDisplayGroup.h"
#include "pda/MGPDA.h"
#include "ui/MGCursor.h"

void MGPuzzleItemCursor::ShowTarget(const char16_t* apName) {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kTarget, VoString(apName));
    }
}

void MGPuzzleItemCursor::Keep(const char16_t* apName) {
    MGCursor* cursor = MGCursor::GetInstance();
    if (cursor == nullptr) {
        return;
    }
    const int current = cursor->GetCurrentId();
    if (current == MGCursor::kItem) {
        cursor->SetCursor(MGCursor::kItemHighlighted, VoString(apName));
    } else if (current != MGCursor::kItemHighlighted && !IsPDAOpen()) {
        cursor->SetCursor(kTarget, VoString(apName));
    }
}

VoString MGPuzzleItemCursor::TakenItem() {
    return IsTaking() ? MGCursor::GetInstance()->GetItemId() : VoString();
}

bool MGPuzzleItemCursor::IsTaking() {
    MGCursor* cursor = MGCursor::GetInstance();
    return cursor != nullptr && cursor->GetCurrentId() == MGCursor::kItemHighlighted;
}

bool MGPuzzleItemCursor::IsPDAOpen() {
    MGPDA* pda = MGPDA::GetInstance();
    VoDisplayGroup* group = pda != nullptr ? pda->GetGroup() : nullptr;
    return group != nullptr && group->GetEffectiveActive();
}
