#pragma once
// The flow of a case: what opens when a case starts and ends. Created by
// the application's Init.
#include "container/VoBase.h"

class MGCaseControl : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCaseControl creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCaseControl* GetInstance();

    VoString ToString() const override;
};
