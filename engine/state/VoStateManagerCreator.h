#pragma once
// Hands out the state manager under the id "statemanager", which is also the
// state manager's own id: a save game names it by that id, and loading asks the
// registry for this creator to find the live singleton. Makes nothing new.
#include "object/VoIObjectCreator.h"

class VoStateManagerCreator : public VoIObjectCreator {
public:
    VoStateManagerCreator();
    // The manager is not touched: it belongs to the engine cleaner.
    ~VoStateManagerCreator() override;

    // VoStateManager::GetInstance, unchanged: null once the state manager is gone.
    VoBase* Create() override;
    VoString ToString() const override;
};
