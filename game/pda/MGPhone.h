#pragma once
// The PDA's phone: the directory and the messages. Created by the
// application's Init.
#include "container/VoBase.h"

class MGPhone : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGPhone creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGPhone* GetInstance();

    // Forgets the running game's messages, as a new game does. The phone
    // keeps none yet.
    void Reset() {}

    VoString ToString() const override;
};
