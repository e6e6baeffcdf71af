#pragma once
// The profiling computer, on which the player matches suspects' profiles.
// Created by the application's Init.
#include "container/VoBase.h"

class MGProfilingComputer : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGProfilingComputer creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGProfilingComputer* GetInstance();

    VoString ToString() const override;
};
