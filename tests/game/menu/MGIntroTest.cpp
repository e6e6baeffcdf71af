#include "menu/MGIntro.h"

#include <gtest/gtest.h>

#include <string>

#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "platform/VoApp.h"
#include "platform/VoIPlatform.h"
#include "platform/VoKeyboard.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

// Notes that the platform was told to quit.
class QuitProbe : public VoApp {
public:
    explicit QuitProbe(bool* apQuit) : fpQuit(apQuit) {}
    bool OnQuit() override {
        *fpQuit = true;
        return true;
    }
    bool* fpQuit;  // not owned
};

// The sample tree mounted and its fonts made, as start-up and Init do.
class MGIntroTest : public ::testing::Test {
protected:
    MGIntroTest() {
        EXPECT_TRUE(RecordingGame::MountSampleTree());
        EXPECT_TRUE(VoFontManager::GetInstance()->CreateFonts(
            VoString(u"//dataroot/textures/fonts/fonts.txt"), VoString(u"//dataroot/textures/fonts/")));
    }

    RecordingGame fGame;
};

}  // namespace

TEST_F(MGIntroTest, IsBuiltHiddenFromTheSampleLayoutAndItsTexts) {
    LogCapture log;
    MGIntro* intro = MGIntro::GetInstance();
    ASSERT_NE(intro, nullptr);
    VoDisplayGroup* group = intro->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"intro")), group);
    EXPECT_FALSE(group->GetActive());
    for (const char16_t* member :
         {u"background", u"plate", u"sample", u"sample.ok", u"title", u"body", u"footer"}) {
        EXPECT_NE(group->GetMember(VoString(member)), nullptr) << Narrow(VoString(member));
    }
    auto* title = dynamic_cast<VoTextArea*>(group->GetMember(VoString(u"title")));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(Narrow(title->GetText()), "The Sample Case");
    EXPECT_EQ(title->GetPosition(), VoVector2(60.0f, 56.0f));
    EXPECT_EQ(title->GetRelativeZ(), 2.0f);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
}

TEST_F(MGIntroTest, ShowsWhileEnteredAndEndsTheGameOnEscape) {
    MGIntro* intro = MGIntro::GetInstance();
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    const int listeners = keyboard->GetListenerCount();
    bool quit = false;
    VoIPlatform* platform = VoIPlatform::GetInstance();
    ASSERT_NE(platform, nullptr);
    platform->SetApp(new QuitProbe(&quit));

    // Escape before the intro is entered does nothing.
    keyboard->KeyDown(MGIntro::kEscape);
    keyboard->KeyUp(MGIntro::kEscape);
    EXPECT_FALSE(quit);

    intro->OnEnter();
    EXPECT_TRUE(intro->GetGroup()->GetActive());
    EXPECT_EQ(keyboard->GetListenerCount(), listeners + 1);
    keyboard->KeyDown(30);
    EXPECT_FALSE(quit);
    keyboard->KeyDown(MGIntro::kEscape);
    EXPECT_TRUE(quit);

    intro->OnLeaveBegin();
    EXPECT_EQ(keyboard->GetListenerCount(), listeners);
    EXPECT_TRUE(intro->GetGroup()->GetActive());
    intro->OnLeaveEnd();
    EXPECT_FALSE(intro->GetGroup()->GetActive());
    delete platform;
}

TEST(MGIntro, AMissingLayoutIsLoggedAndLeavesAnEmptyScreen) {
    RecordingGame game;
    LogCapture log;
    MGIntro* intro = MGIntro::GetInstance();
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->GetGroup(), nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ",
                           std::string(MGIntro::kFileFailure) + "//textures/menu/intro_layout.txt"));
    intro->OnEnter();
    intro->OnLeaveBegin();
    intro->OnLeaveEnd();
}
