#pragma once
// Hands out the game clock under the id "gameclock".
#include "object/VoSingletonCreator.h"
#include "time/VoGameClock.h"

class VoGameClockCreator : public VoSingletonCreator<VoGameClock> {
public:
    VoGameClockCreator() : VoSingletonCreator("VoGameClockCreator") {}
};
