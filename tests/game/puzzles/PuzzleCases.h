#pragma once
// The five puzzles of the frame's table-driven tests: how to reach each, its
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
};
