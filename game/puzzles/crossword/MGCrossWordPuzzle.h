#pragma once
// The crossword puzzle: a screen of its own, opened when its state is set and
// reporting its solution by an event. Created by the application's Init.
#include "container/VoBase.h"

class MGCrossWordPuzzle : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCrossWordPuzzle creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCrossWordPuzzle* GetInstance();

    VoString ToString() const override;
};
