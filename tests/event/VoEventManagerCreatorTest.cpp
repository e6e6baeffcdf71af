#include "event/VoEventManagerCreator.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "support/RuntimeTestSupport.h"

TEST(VoEventManagerCreator, HandsOutTheLiveSingletonAndLeavesItAlone) {
    ExpectHandsOutTheSingleton<VoEventManagerCreator, VoEventManager>("eventmanager",
                                                                      "VoEventManagerCreator");
}
