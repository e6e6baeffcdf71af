#include "startup/VoStartupCreators.h"

#include <gtest/gtest.h>

#include <string>

#include "object/VoRegistry.h"
#include "object/VoServiceCreator.h"
#include "platform/VoDeviceCapabilitiesDX9.h"
#include "platform/VoMatrixUtilDX9.h"
#include "platform/VoPlatformPCDX9.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"
#include "support/ProbeObjects.h"
#include "system/VoFileSystemWin.h"
#include "system/VoTimerWin.h"

namespace {

// A bare engine: a cleaner and nothing registered yet.
class VoStartupCreatorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoCleaner::ResetEngineForTests();
        ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    }
    void TearDown() override { delete VoCleaner::PeekInstance(); }
};

}  // namespace

TEST_F(VoStartupCreatorsTest, RegistersTheEngineCreatorsInStartUpOrder) {
    EXPECT_TRUE(VoStartupCreators::Register());
    VoRegistry* registry = VoRegistry::Get();
    const char* const expected[][2] = {
        {"filesystem", "[VoFileSystemWinCreator <"},         {"timer", "[VoTimerWinCreator <"},
        {"rasterizer", "[VoRasterizerCreatorDX9 <"},         {"texture", "[VoTextureDX9Creator <"},
        {"devicecaps", "[VoDeviceCapabilitiesDX9Creator <"}, {"matrixutil", "[VoMatrixUtilDX9Creator <"},
        {"soundmanager", "[VoSoundManagerFMODCreator <"},    {"moviemanager", "[VoMovieManagerBinkCreator <"},
        {"platform", "[VoPlatformPCDX9Creator <"},           {"eventmanager", "[VoEventManagerCreator <"},
        {"statemanager", "[VoStateManagerCreator <"},        {"gameclock", "[VoGameClockCreator <"}};
    constexpr std::uint32_t kCount = sizeof expected / sizeof expected[0];
    ASSERT_EQ(registry->GetCreatorCount(), static_cast<int>(kCount));
    for (std::uint32_t i = 0; i < kCount; ++i) {
        VoIObjectCreator* creator = registry->GetCreator(i);
        ASSERT_NE(creator, nullptr);
        EXPECT_EQ(Narrow(creator->GetId()), expected[i][0]);
        EXPECT_EQ(Narrow(creator->ToString()).rfind(expected[i][1], 0), 0u);
    }
}

TEST_F(VoStartupCreatorsTest, EachCreatorMakesANewServiceOfItsClass) {
    ASSERT_TRUE(VoStartupCreators::Register());
    VoRegistry* registry = VoRegistry::Get();
    VoBase* first = registry->GetCreator(u"timer")->Create();
    VoBase* second = registry->GetCreator(u"timer")->Create();
    EXPECT_NE(dynamic_cast<VoTimerWin*>(first), nullptr);
    EXPECT_NE(first, second);
    delete first;
    delete second;
    VoBase* fileSystem = registry->GetCreator(u"filesystem")->Create();
    EXPECT_NE(dynamic_cast<VoFileSystemWin*>(fileSystem), nullptr);
    delete fileSystem;
    VoBase* matrixUtil = VoAPIObjectManager::GetInstance()->CreateObject(u"matrixutil", 0);
    EXPECT_NE(dynamic_cast<VoMatrixUtilDX9*>(matrixUtil), nullptr);
    delete matrixUtil;
    VoBase* caps = VoAPIObjectManager::GetInstance()->CreateObject(u"devicecaps", 0);
    EXPECT_NE(dynamic_cast<VoDeviceCapabilitiesDX9*>(caps), nullptr);
    delete caps;
    // Making the platform touches no window: that waits for its Create.
    VoBase* platform = VoAPIObjectManager::GetInstance()->CreateObject(u"platform", 0);
    EXPECT_NE(dynamic_cast<VoPlatformPCDX9*>(platform), nullptr);
    delete platform;
}

TEST_F(VoStartupCreatorsTest, ASecondRegistrationIsRefusedAndLeavesTheFirst) {
    ASSERT_TRUE(VoStartupCreators::Register());
    LogCapture log;
    EXPECT_FALSE(VoStartupCreators::Register());
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kDuplicateId) + "filesystem"));
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kDuplicateId) + "gameclock"));
    EXPECT_EQ(VoRegistry::Get()->GetCreatorCount(), 12);
}

TEST_F(VoStartupCreatorsTest, ACreatorThatInitialisesLeadsToASecondInitialize) {
    VoRegistry* registry = VoRegistry::Get();
    ASSERT_TRUE(registry->AddCreator(
        new VoServiceCreator<ProbeObject, VoServiceInit::kInitializeWithZero>(u"twice", "TwiceCreator")));
    ASSERT_TRUE(registry->AddCreator(
        new VoServiceCreator<ProbeObject, VoServiceInit::kNone>(u"once", "OnceCreator")));
    ProbeObject* twice =
        static_cast<ProbeObject*>(VoAPIObjectManager::GetInstance()->CreateObject(u"twice", 7));
    ProbeObject* once =
        static_cast<ProbeObject*>(VoAPIObjectManager::GetInstance()->CreateObject(u"once", 7));
    ASSERT_NE(twice, nullptr);
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(twice->fInitializeCount, 2);
    EXPECT_EQ(once->fInitializeCount, 1);
    EXPECT_EQ(once->fLastArgument, 7u);
    delete twice;
    delete once;
}
