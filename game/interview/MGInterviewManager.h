#pragma once
// The interview manager: keeps the interviews, loaded on first use, and
// the one that runs. Created by the application's Init; the interviews
// themselves come with their own classes.
#include "container/VoBase.h"

class MGInterviewManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGInterviewManager creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGInterviewManager* GetInstance();

    VoString ToString() const override;
};
