#include "time/VoGameClockCreator.h"

#include <gtest/gtest.h>

#include "support/RuntimeTestSupport.h"
#include "time/VoGameClock.h"

TEST(VoGameClockCreator, HandsOutTheLiveSingletonAndLeavesItAlone) {
    ExpectHandsOutTheSingleton<VoGameClockCreator, VoGameClock>("gameclock", "VoGameClockCreator");
}
