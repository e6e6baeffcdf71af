#include "stdlib/VoAPIObjectManager.h"

#include <gtest/gtest.h>

#include "object/VoRegistry.h"
#include "stdlib/VoGameObjectManager.h"
#include "support/LogCapture.h"
#include "support/ProbeObjects.h"
#include "support/ScopedEngine.h"

TEST(VoAPIObjectManager, IsOneManagerFiledUnderItsIdAndHandleIndex) {
    ScopedEngine engine;
    VoAPIObjectManager* manager = VoAPIObjectManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(VoAPIObjectManager::GetInstance(), manager);
    VoRegistry* registry = VoRegistry::Get();
    EXPECT_EQ(registry->GetObjectManager(u"apiobjectmanager"), manager);
    EXPECT_EQ(registry->GetObjectManagerForHandle(170u << 24), manager);
    EXPECT_EQ(registry->GetObjectManagerCount(), 1);
    EXPECT_EQ(manager->GetIndex(), 170u);
}

TEST(VoAPIObjectManager, ObjectsItCreatesAreNotFiledInIt) {
    ScopedEngine engine;
    ASSERT_TRUE(
        VoRegistry::Get()->AddCreator(new FunctionCreator(u"service", [] { return new ProbeObject(); })));
    VoAPIObjectManager* manager = VoAPIObjectManager::GetInstance();
    VoBase* service = manager->CreateObject(u"service", 0);
    ASSERT_NE(service, nullptr);
    LogCapture log;
    EXPECT_EQ(manager->GetObject(u"service"), nullptr);
    EXPECT_TRUE(log.Contains("ERROR: engine/object/VoObjectManager.cpp"));
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kInvalidId) + "service"));
    delete service;
}

TEST(VoAPIObjectManager, TheRegistryDeletesItAndNothingBringsItBack) {
    ScopedEngine engine;
    bool deleted = false;
    ASSERT_NE(VoAPIObjectManager::GetInstance()->Add(u"kept", new ProbeObject(&deleted)), 0u);
    engine.ShutDown();
    EXPECT_TRUE(deleted);
    LogCapture log;
    EXPECT_EQ(VoAPIObjectManager::GetInstance(), nullptr);
    EXPECT_EQ(VoGameObjectManager::GetInstance(), nullptr);
    EXPECT_EQ(VoRegistry::Get(), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoAPIObjectManager, ANewEngineGetsANewManager) {
    {
        ScopedEngine engine;
        ASSERT_NE(VoAPIObjectManager::GetInstance()->Add(u"old", nullptr), 0u);
    }
    ScopedEngine engine;
    VoAPIObjectManager* manager = VoAPIObjectManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->GetCount(), 0);
}

TEST(VoAPIObjectManager, AnIdTakenByACreatorLeavesNoManager) {
    ScopedEngine engine;
    ASSERT_TRUE(VoRegistry::Get()->AddCreator(new FunctionCreator(u"apiobjectmanager", nullptr)));
    LogCapture log;
    EXPECT_EQ(VoAPIObjectManager::GetInstance(), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kDuplicateId) + "apiobjectmanager"));
    EXPECT_TRUE(log.Contains("ERROR: engine/stdlib/VoAPIObjectManager.cpp, "));
    EXPECT_TRUE(log.Contains(VoAPIObjectManager::kCreationFailure));
}
