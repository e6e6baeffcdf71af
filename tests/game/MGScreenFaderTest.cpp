#include "MGScreenFader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MGIScreenFaderListener.h"
#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FadeCodes : public MGIScreenFaderListener {
public:
    void OnFadeEvent(int aCode) override { fCodes.push_back(aCode); }
    std::vector<int> fCodes;
};

}  // namespace

TEST(MGScreenFader, IsABlackScreenOverEverythingElse) {
    RecordingGame game;
    MGScreenFader* fader = MGScreenFader::GetInstance();
    ASSERT_NE(fader, nullptr);
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    VoDisplayGroup* group = fader->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(root->GetMember(VoString(MGScreenFader::kId)), group);
    EXPECT_EQ(group->GetRelativeZ(), 100000.0f);
    // Clear until the first fade.
    EXPECT_TRUE(fader->IsClear());
    EXPECT_EQ(group->GetBlend(), 0.0f);

    VoSprite* sprite = dynamic_cast<VoSprite*>(group->GetMember(VoString(MGScreenFader::kId)));
    ASSERT_NE(sprite, nullptr);
    VoVector2 scale;
    sprite->GetScale(scale);
    EXPECT_EQ(scale.x, 800.0f);
    EXPECT_EQ(scale.y, 600.0f);
    auto* texture =
        dynamic_cast<RecordingTexture*>(VoTextureManager::GetInstance()->GetTexture(sprite->GetTexture()));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetTexels(), (std::vector<unsigned char>{0, 0, 0, 255}));
    EXPECT_EQ(sprite->GetTexture(), VoTextureManager::GetInstance()->GetHandle(VoString(MGScreenFader::kId)));

    // Deleting the fader takes the group out of the display.
    game.ShutDown();
}

TEST(MGScreenFader, FadesOutAndInInAThirdOfASecondEach) {
    RecordingGame game;
    MGScreenFader* fader = MGScreenFader::GetInstance();
    FadeCodes codes;
    ASSERT_TRUE(fader->SetListener(&codes));
    VoDisplayGroup* group = fader->GetGroup();

    EXPECT_TRUE(fader->FadeOut());
    EXPECT_FALSE(fader->IsClear());
    EXPECT_THAT(codes.fCodes, ElementsAre(MGIScreenFaderListener::kStarted));
    RecordingGame::FrameAt(0.15);
    EXPECT_FLOAT_EQ(group->GetBlend(), 0.5f);
    RecordingGame::FrameAt(0.31);
    RecordingGame::FrameAt(0.32);
    EXPECT_FLOAT_EQ(group->GetBlend(), 1.0f);
    EXPECT_THAT(codes.fCodes, ElementsAre(0, 2));

    // Black already: finished at once, without a fade.
    codes.fCodes.clear();
    EXPECT_TRUE(fader->FadeOut());
    EXPECT_THAT(codes.fCodes, ElementsAre(MGIScreenFaderListener::kFinished));

    codes.fCodes.clear();
    EXPECT_TRUE(fader->FadeIn());
    EXPECT_TRUE(fader->IsClear());
    RecordingGame::FrameAt(0.47);
    EXPECT_NEAR(group->GetBlend(), 0.5f, 1e-5f);
    // A fade-in when clear still runs: the running one is stopped first.
    EXPECT_TRUE(fader->FadeIn());
    EXPECT_THAT(codes.fCodes, ElementsAre(0, 1, 0));
    EXPECT_FLOAT_EQ(group->GetBlend(), 1.0f);
    fader->RemoveListener(&codes);
}

// One listener: whoever set it last hears the events; only that one can remove it.
TEST(MGScreenFader, HasOneListener) {
    RecordingGame game;
    LogCapture log;
    MGScreenFader* fader = MGScreenFader::GetInstance();
    FadeCodes first;
    FadeCodes second;
    EXPECT_TRUE(fader->SetListener(&first));
    EXPECT_TRUE(fader->SetListener(&second));
    EXPECT_FALSE(fader->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGScreenFader::kSetListenerNull));
    EXPECT_FALSE(fader->RemoveListener(&first));
    fader->FadeOut();
    EXPECT_THAT(first.fCodes, IsEmpty());
    EXPECT_THAT(second.fCodes, ElementsAre(0));
    EXPECT_TRUE(fader->RemoveListener(&second));
    EXPECT_EQ(fader->GetListener(), nullptr);
}
