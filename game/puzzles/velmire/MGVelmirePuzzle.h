#pragma once
// The record search puzzle: a screen of its own, opened when its state is set and
// reporting its solution by an event. Created by the application's Init.
#include "container/VoBase.h"

class MGVelmirePuzzle : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGVelmirePuzzle creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGVelmirePuzzle* GetInstance();

    VoString ToString() const override;
};
