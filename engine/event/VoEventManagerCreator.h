#pragma once
// Hands out the event manager under the id "eventmanager".
#include "event/VoEventManager.h"
#include "object/VoSingletonCreator.h"

class VoEventManagerCreator : public VoSingletonCreator<VoEventManager> {
public:
    VoEventManagerCreator() : VoSingletonCreator("VoEventManagerCreator") {}
};
