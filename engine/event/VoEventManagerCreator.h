#pragma once
// Hands out the event manager under the id "eventmanager", which is also the
// event manager's own id: a save game names it by that id, and loading asks the
// registry for this creator to find the live singleton. Makes nothing new.
#include "object/VoIObjectCreator.h"

class VoEventManagerCreator : public VoIObjectCreator {
public:
    VoEventManagerCreator();
    // The manager is not touched: it belongs to the engine cleaner.
    ~VoEventManagerCreator() override;

    // VoEventManager::GetInstance, unchanged: null once the event manager is gone.
    VoBase* Create() override;
    VoString ToString() const override;
};
