#include "util/MGPicker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/support/WalkRig.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoSteeringTDO.h"
#include "scene/MGNavigation.h"
#include "scene/VoCamera.h"
#include "support/LogCapture.h"

namespace {

using walkrig::Folders;
using walkrig::WalkGame;

const std::string kAssert = "ASSERT FAILURE: ";

// The walk scene's room seen from above its middle, the player standing at
// (200, 100) facing the middle.
class MGPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        bool set = false;
        fScene = walkrig::WalkScene(fFolders, walkrig::Room(), walkrig::WayPoint("a", 200, 100, ""), &set);
        ASSERT_TRUE(set);
        fScene->UpdatePlayer();
    }

    WalkGame fGame;
    Folders fFolders;
    std::unique_ptr<walkrig::RigScene> fScene;
};

}  // namespace

TEST_F(MGPickerTest, AClickOnTheFloorWalksThereAtTheSpeedOfTheClick) {
    struct Case {
        bool run;
        int speed;
    };
    const Case cases[] = {{false, 1}, {true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run);
        MGPicker picker(fScene->GetCamera());
        ASSERT_TRUE(picker.Pick(400, 300, c.run));
        MGNavigation* navigation = MGNavigation::GetInstance();
        EXPECT_NEAR(navigation->GetTarget().x, 200.0f, 1e-2f);
        EXPECT_NEAR(navigation->GetTarget().y, 200.0f, 1e-2f);
        EXPECT_TRUE(navigation->GetNavigation()->IsRunning());
        EXPECT_EQ(navigation->GetSteering()->GetSpeedIndex(), c.speed);
        ASSERT_TRUE(navigation->GetSteering()->SetMoving(false, 0));
    }
    // Off the middle, the ray meets the floor where the pixel shows it.
    MGPicker picker(fScene->GetCamera());
    ASSERT_TRUE(picker.Pick(600, 300, false));
    const VoVector2& target = MGNavigation::GetInstance()->GetTarget();
    EXPECT_NEAR(target.y, 200.0f, 1e-2f);
    EXPECT_GT(std::fabs(target.x - 200.0f), 10.0f);
}

TEST_F(MGPickerTest, AClickThatMeetsNoMeshStartsNoWalk) {
    // A camera far off to the side of the room, looking down on nothing.
    std::unique_ptr<VoCamera> camera(walkrig::CameraAbove(5000.0f, 5000.0f, 500.0f, u"far"));
    MGPicker picker(camera.get());
    LogCapture log;
    EXPECT_FALSE(picker.Pick(400, 300, true));
    EXPECT_TRUE(log.Logged(kAssert, MGPicker::kPickFailure));
    EXPECT_FALSE(MGNavigation::GetInstance()->GetNavigation()->IsRunning());
    EXPECT_EQ(MGNavigation::GetInstance()->GetSteering()->GetSpeedIndex(), 0);
}

TEST_F(MGPickerTest, WithoutACameraNothingIsPicked) {
    LogCapture log;
    MGPicker picker(nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", MGPicker::kNullArg));
    EXPECT_EQ(picker.GetCamera(), nullptr);
    EXPECT_FALSE(picker.Pick(400, 300, false));
    EXPECT_FALSE(MGNavigation::GetInstance()->GetNavigation()->IsRunning());
}
