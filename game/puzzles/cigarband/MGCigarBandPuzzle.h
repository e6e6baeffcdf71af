#pragma once
// The cigar band puzzle: a screen of its own, opened when its state is set and
// reporting its solution by an event. Created by the application's Init.
#include "container/VoBase.h"

class MGCigarBandPuzzle : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCigarBandPuzzle creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCigarBandPuzzle* GetInstance();

    VoString ToString() const override;
};
