#pragma once
// The floor safe puzzle: a screen of its own, opened when its state is set and
// reporting its solution by an event. Created by the application's Init.
#include "container/VoBase.h"

class MGFloorSafePuzzle : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGFloorSafePuzzle creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGFloorSafePuzzle* GetInstance();

    VoString ToString() const override;
};
