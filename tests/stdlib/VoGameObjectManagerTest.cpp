#include "stdlib/VoGameObjectManager.h"

#include <gtest/gtest.h>

#include "object/VoRegistry.h"
#include "stdlib/VoAPIObjectManager.h"
#include "support/ScopedEngine.h"

TEST(VoGameObjectManager, StandsBesideTheAPIObjectManager) {
    ScopedEngine engine;
    VoGameObjectManager* game = VoGameObjectManager::GetInstance();
    VoAPIObjectManager* api = VoAPIObjectManager::GetInstance();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(VoGameObjectManager::GetInstance(), game);
    VoRegistry* registry = VoRegistry::Get();
    EXPECT_EQ(registry->GetObjectManager(u"gameobjectmanager"), game);
    EXPECT_EQ(registry->GetObjectManager(0u), game);
    EXPECT_EQ(registry->GetObjectManager(1u), api);
    EXPECT_EQ(registry->GetObjectManagerForHandle(0xBB000000), game);
}
