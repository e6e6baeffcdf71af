#pragma once
// Hands out the game clock under the id "gameclock", which is also the
// game clock's own id: a save game names it by that id, and loading asks the
// registry for this creator to find the live singleton. Makes nothing new.
#include "object/VoIObjectCreator.h"

class VoGameClockCreator : public VoIObjectCreator {
public:
    VoGameClockCreator();
    // The manager is not touched: it belongs to the engine cleaner.
    ~VoGameClockCreator() override;

    // VoGameClock::GetInstance, unchanged: null once the game clock is gone.
    VoBase* Create() override;
    VoString ToString() const override;
};
