#pragma once
// Plays the full-screen cut-scene movies with their subtitles. Created by
// the application's Init.
#include "container/VoBase.h"

class MGCutScenePlayer : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCutScenePlayer creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCutScenePlayer* GetInstance();

    VoString ToString() const override;
};
