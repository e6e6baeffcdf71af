#pragma once
// An inventory item on the game cursor, as the PDA's "use" leaves it
// (MGCursor::SetItemCursor, cursor 13), for the puzzles that take items. The
// engine cursor gets a look for the item first when the data tree has none,
// so the cursor can show it carried (13) and taken (14):
//
//     TakeItem(u"3pm17");
//     PuzzleGame::MoveTo(400, 300);   // over a puzzle that takes it: cursor 14
#include "gdi/VoCursor.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "ui/MGCursor.h"

inline void TakeItem(const char16_t* apItem) {
    const VoString look = MGCursor::GetItemLook(VoString(apItem));
    VoSprite* picture = VO_NEW VoSprite();
    if (picture == nullptr || !picture->SetId(look) || !VoCursor::GetInstance()->AddState(look, picture)) {
        delete picture;  // the data has one already
    }
    MGCursor::GetInstance()->SetItemCursor(VoString(apItem));
}
