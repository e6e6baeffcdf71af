#pragma once
// The case selection screen of the front end. Created by the
// application's Init.
#include "container/VoBase.h"

class MGCaseSelection : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCaseSelection creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCaseSelection* GetInstance();

    VoString ToString() const override;
};
