#include "state/VoStateManagerCreator.h"

#include <gtest/gtest.h>

#include "state/VoStateManager.h"
#include "support/RuntimeTestSupport.h"

TEST(VoStateManagerCreator, HandsOutTheLiveSingletonAndLeavesItAlone) {
    ExpectHandsOutTheSingleton<VoStateManagerCreator, VoStateManager>("statemanager",
                                                                      "VoStateManagerCreator");
}
