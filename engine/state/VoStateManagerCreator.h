#pragma once
// Hands out the state manager under the id "statemanager".
#include "object/VoSingletonCreator.h"
#include "state/VoStateManager.h"

class VoStateManagerCreator : public VoSingletonCreator<VoStateManager> {
public:
    VoStateManagerCreator() : VoSingletonCreator("VoStateManagerCreator") {}
};
