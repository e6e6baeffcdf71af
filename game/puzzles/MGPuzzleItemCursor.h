#pragma once
// The game cursor over a puzzle that takes inventory items (the receipt, the
// hotel window): the puzzle shows its own target look (cursor 4) under its
// name, and an item taken from the PDA turns from its carried look (13)
// into the look of a place that takes it (14) as soon as it moves over the
// puzzle.
#include "container/VoString.h"

class MGPuzzleItemCursor {
public:
    static constexpr int kTarget = 4;

    MGPuzzleItemCursor() = delete;

    // The target look under the puzzle's name.
    static void ShowTarget(const char16_t* apName);
    // After a move over the puzzle: a carried item (13) shows as taken (14);
    // any look but 13 and 14 becomes the target again, unless the PDA's
    // window is open over the puzzle.
    static void Keep(const char16_t* apName);
    // The id of the item on the cursor while it shows as taken (14); empty
    // otherwise.
    static VoString TakenItem();
    // Whether the cursor shows an item as taken (14).
    static bool IsTaking();
    // Whether the PDA's window is effectively active.
    static bool IsPDAOpen();
};
