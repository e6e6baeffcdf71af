#include "geometry/VoIMatrixUtil.h"

#include <gtest/gtest.h>

#include <string>

#include "geometry/VoMatrix.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/GeometryTestSupport.h"
#include "support/ScopedEngine.h"

TEST(VoIMatrixUtil, GetInstanceKeepsOneServiceMadeByItsCreator) {
    ScopedEngine engine;
    VoIMatrixUtil* util = VoIMatrixUtil::GetInstance();
    ASSERT_NE(util, nullptr);
    EXPECT_EQ(VoIMatrixUtil::GetInstance(), util);
    EXPECT_EQ(VoMatrix::GetMatrixUtil(), util);
    EXPECT_EQ(Narrow(util->ToString()), "[VoMatrixUtilDX9 <" + HexAddress(util) + ">]");
    // Made through the API-object manager, not filed there: the cleaner owns it.
    EXPECT_EQ(VoAPIObjectManager::GetInstance()->GetCount(), 0);
}

TEST(VoIMatrixUtil, WithoutItsCreatorFailsAndTriesAgainLater) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    {
        LogCapture log;
        EXPECT_EQ(VoIMatrixUtil::GetInstance(), nullptr);
        EXPECT_EQ(VoMatrix::GetMatrixUtil(), nullptr);
        EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kNoCreatorIndex) + "matrixutil"));
        EXPECT_EQ(log.Count(VoIMatrixUtil::kCreationFailure), 2);
    }
    ASSERT_TRUE(VoStartupCreators::Register());
    EXPECT_NE(VoIMatrixUtil::GetInstance(), nullptr);
    delete VoCleaner::PeekInstance();
}

TEST(VoIMatrixUtil, GoneAfterCleanUpWhileTheMatrixFunctionsGoOn) {
    LogCapture log;
    ScopedEngine engine;
    ASSERT_NE(VoIMatrixUtil::GetInstance(), nullptr);
    engine.ShutDown();
    EXPECT_EQ(VoIMatrixUtil::GetInstance(), nullptr);
    EXPECT_EQ(VoMatrix::GetMatrixUtil(), nullptr);
    EXPECT_FALSE(log.Contains("ERROR"));

    // Objects destroyed during shut-down may still transform: no service is involved.
    VoMatrix rotation;
    ASSERT_NE(MatrixRotationZ(&rotation, kPi / 2.0f), nullptr);
    const VoVector3 x(1.0f, 0.0f, 0.0f);
    VoVector3 turned;
    ASSERT_NE(TransformNormal(&turned, &rotation, &x), nullptr);
    EXPECT_NEAR(turned.x, 0.0f, 1e-6f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-6f);
}
