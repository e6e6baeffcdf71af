#pragma once
// The puzzles of the frame's table-driven tests: how to reach each, its
// activation state, its first-view voice-over and what its state turning
// false does.
#include <ostream>

#include "MGIScreen.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
// The screens of the puzzles of tiles, free pieces and strings.
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"

struct PuzzleCase {
    const char* fName;
    MGIScreen* (*fScreen)();
    VoDisplayGroup* (*fRoot)();
    const char16_t* fActivation;
    MGPuzzleHint fHint;  // no first-view event: no voice-over
    bool fClosesOnFalse;
    bool fHidesBar;
};

inline std::ostream& operator<<(std::ostream& aOut, const PuzzleCase& aCase) {
    return aOut << aCase.fName;
}

template <typename Puzzle>
MGIScreen* ScreenOf() {
    return Puzzle::GetInstance();
}

template <typename Puzzle>
VoDisplayGroup* RootOf() {
    return Puzzle::GetInstance()->GetRootGroup();
}

// The puzzles with a first-view voice-over first.
inline const PuzzleCase kPuzzleCases[] = {
    {"CigarBand", &ScreenOf<MGCigarBandPuzzle>, &RootOf<MGCigarBandPuzzle>,
     MGCigarBandPuzzle::kActivationState, MGCigarBandPuzzle::kHint, true, true},
    {"CombinationLock", &ScreenOf<MGCombinationLockPuzzle>, &RootOf<MGCombinationLockPuzzle>,
     MGCombinationLockPuzzle::kActivationState, MGCombinationLockPuzzle::kHint, false, true},
    {"SlideBox", &ScreenOf<MGSlideBoxPuzzle>, &RootOf<MGSlideBoxPuzzle>, MGSlideBoxPuzzle::kActivationState,
     MGSlideBoxPuzzle::kHint, false, true},
    {"FloorSafe", &ScreenOf<MGFloorSafePuzzle>, &RootOf<MGFloorSafePuzzle>,
     MGFloorSafePuzzle::kActivationState, MGFloorSafePuzzle::kHint, false, true},
    {"POBox",
     &ScreenOf<MGPOBoxPuzzle>,
     &RootOf<MGPOBoxPuzzle>,
     MGPOBoxPuzzle::kActivationState,
     {nullptr, nullptr, nullptr},
     true,
     false},
    // Their voice-overs are not the frame's first-view hint (on every
    // entry, or on easy only), but for the room service's.
    {"DravoBox",
     &ScreenOf<MGDravoBoxPuzzle>,
     &RootOf<MGDravoBoxPuzzle>,
     MGDravoBoxPuzzle::kActivationState,
     {nullptr, nullptr, nullptr},
     true,
     true},
    {"RoomService", &ScreenOf<MGRoomServicePuzzle>, &RootOf<MGRoomServicePuzzle>,
     MGRoomServicePuzzle::kActivationState, MGRoomServicePuzzle::kHint, true, true},
    {"BaseballBat",
     &ScreenOf<MGBaseballBatPuzzle>,
     &RootOf<MGBaseballBatPuzzle>,
     MGBaseballBatPuzzle::kActivationState,
     {nullptr, nullptr, nullptr},
     true,
     true},
    {"Harp",
     &ScreenOf<MGHarpPuzzle>,
     &RootOf<MGHarpPuzzle>,
     MGHarpPuzzle::kActivationState,
     {nullptr, nullptr, nullptr},
     true,
     true},
};
