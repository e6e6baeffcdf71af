#include "menu/MGOptionsScreen.h"

#include <gtest/gtest.h>

#include <string>

#include "../ScreenProbes.h"
#include "MGScreenManager.h"
#include "MenuGame.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoSprite.h"
#include "menu/MGMainMenu.h"
#include "menu/MGOptionToggle.h"
#include "support/LogCapture.h"
#include "util/MGOptions.h"

namespace {

// The options screen over the main menu, its theme playing.
class MGOptionsScreenTest : public ::testing::Test {
protected:
    void Enter() {
        if (fScreens->GetScreenCount() == 0) {
            ASSERT_TRUE(fScreens->PushFade(MGMainMenu::GetInstance()));
            fGame.RunFrames(1.0);
        }
        ASSERT_TRUE(fScreens->PushFade(fScreen));
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    }
    void Leave(const char16_t* apButton) {
        ASSERT_TRUE(MenuGame::ClickButton(apButton));
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGMainMenu::GetInstance()));
    }
    // A click on a toggle's button.
    void ClickToggle(int aIndex, bool aOn) {
        VoButton* button =
            aOn ? fScreen->GetToggle(aIndex)->GetOnButton() : fScreen->GetToggle(aIndex)->GetOffButton();
        VoVector2 position;
        button->GetWorldPosition(position);
        MenuGame::Click(position.x + 10, position.y + 10);
    }
    // Drags the knob from where it is to x.
    void Drag(float aX) {
        VoVector2 knob;
        fScreen->GetKnob()->GetWorldPosition(knob);
        MenuGame::MoveTo(knob.x + 8, knob.y + 14);
        VoMouse::GetInstance()->ButtonDown(1);
        MenuGame::MoveTo(aX, knob.y + 14);
    }
    void Drop() { VoMouse::GetInstance()->ButtonUp(1); }
    float Theme() const { return stubs::SoundPlayer::Find("theme")->fVolume; }

    MenuGame fGame;
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGOptionsScreen* fScreen = MGOptionsScreen::GetInstance();
    MGOptions* fOptions = MGOptions::GetInstance();
};

}  // namespace

TEST_F(MGOptionsScreenTest, ShowsTheStoredOptions) {
    fOptions->SetSkillLevel(0);
    fOptions->SetOption(1, 1);
    fOptions->SetOption(4, 5);
    fOptions->SetVolume(0.2f);
    Enter();
    VoDisplayGroup* root = fScreen->GetRoot();
    EXPECT_EQ(Narrow(root->GetId()), "optionsscreen_layout");
    for (const char16_t* path : {u"background", u"options_buttons.back", u"options_buttons.save",
                                 u"skill_buttons.easy", u"skill_buttons.medium", u"skill_buttons.hard"}) {
        EXPECT_NE(root->GetMember(VoString(path)), nullptr) << Narrow(VoString(path));
    }
    EXPECT_EQ(fScreen->GetChosenSkill(), 0);
    EXPECT_EQ(fScreen->GetSkillButton(0)->GetState(), MGMenuButton::kHighlighted);
    EXPECT_EQ(fScreen->GetSkillButton(1)->GetState(), MGMenuButton::kNormal);
    EXPECT_EQ(fScreen->GetSkillButton(2)->GetState(), MGMenuButton::kNormal);
    for (int k = 0; k < 6; ++k) {
        MGOptionToggle* toggle = fScreen->GetToggle(k);
        ASSERT_NE(toggle, nullptr);
        const bool off = k == 1 || k == 4;
        EXPECT_EQ(toggle->GetValue(), off ? 1 : 0) << k;
        EXPECT_EQ(toggle->GetOnButton()->IsHilighted(), !off) << k;
        EXPECT_EQ(toggle->GetOffButton()->IsHilighted(), off) << k;
    }
    EXPECT_FLOAT_EQ(fScreen->GetKnob()->GetPosition().x, 0.2f * 315.0f + 340.0f);
}

TEST_F(MGOptionsScreenTest, SaveStoresTheChoicesInTheOptionsFile) {
    Enter();
    ASSERT_TRUE(MenuGame::ClickButton(u"hard"));
    EXPECT_EQ(fScreen->GetChosenSkill(), 2);
    EXPECT_EQ(fScreen->GetSkillButton(2)->GetState(), MGMenuButton::kHighlighted);
    EXPECT_EQ(fScreen->GetSkillButton(1)->GetState(), MGMenuButton::kNormal);
    ClickToggle(0, false);
    EXPECT_EQ(fScreen->GetToggle(0)->GetValue(), 1);
    EXPECT_TRUE(fScreen->GetToggle(0)->GetOffButton()->IsHilighted());
    Drag(497.5f);
    Drop();
    Leave(u"save");
    const unsigned char bytes[32] = {2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x3f};
    EXPECT_EQ(fGame.ReadGame(".options"), std::string(reinterpret_cast<const char*>(bytes), sizeof bytes));
    EXPECT_EQ(fOptions->GetSkillLevel(), 2);
    EXPECT_EQ(fOptions->GetOption(0), 1);
    EXPECT_EQ(fOptions->GetVolume(), 0.5f);
}

TEST_F(MGOptionsScreenTest, TheKnobStaysOnItsTrackAndTheThemeFollowsIt) {
    Enter();
    struct Case {
        float x;
        float knob;
        float volume;
    };
    for (const Case& c :
         {Case{100.0f, 340.0f, 0.0f}, Case{800.0f, 655.0f, 1.0f}, Case{403.0f, 403.0f, 0.2f}}) {
        Drag(c.x);
        EXPECT_TRUE(fScreen->IsDragging());
        EXPECT_FLOAT_EQ(fScreen->GetKnob()->GetPosition().x, c.knob) << c.x;
        EXPECT_NEAR(Theme(), c.volume, 1e-6) << c.x;
        Drop();
        EXPECT_FALSE(fScreen->IsDragging());
        // Moves without a drag leave the knob.
        MenuGame::MoveTo(600, 300);
        EXPECT_FLOAT_EQ(fScreen->GetKnob()->GetPosition().x, c.knob);
    }
    // A press beside the knob starts no drag.
    MenuGame::MoveTo(200, 200);
    VoMouse::GetInstance()->ButtonDown(1);
    EXPECT_FALSE(fScreen->IsDragging());
    Drop();
}

TEST_F(MGOptionsScreenTest, BackStoresNothingAndTheNextVisitShowsTheStoredOptions) {
    fOptions->SetSkillLevel(1);
    Enter();
    ASSERT_TRUE(MenuGame::ClickButton(u"easy"));
    ClickToggle(3, false);
    Drag(340.0f);
    Drop();
    EXPECT_EQ(Theme(), 0.0f);
    Leave(u"back");
    EXPECT_FALSE(fGame.GameExists(".options"));
    EXPECT_EQ(fOptions->GetSkillLevel(), 1);
    EXPECT_EQ(fOptions->GetOption(3), 0);
    EXPECT_EQ(fOptions->GetVolume(), 1.0f);
    // Back on the main menu, the theme plays at the stored volume again.
    EXPECT_EQ(Theme(), 1.0f);
    Enter();
    EXPECT_EQ(fScreen->GetChosenSkill(), 1);
    EXPECT_EQ(fScreen->GetToggle(3)->GetValue(), 0);
    EXPECT_FLOAT_EQ(fScreen->GetKnob()->GetPosition().x, 655.0f);
}

TEST(MGOptionToggle, ClicksSetTheValueAndAToggleWithoutIdIsLogged) {
    MenuGame game;
    VoPropertyList layout;
    layout.Parse(
        VoString("toggle\n"
                 "\ton\n\t\tid=on\n\t\tposition=0|0\n\t\tstates\n"
                 "\t\t\tn\n\t\t\t\tid=n\n\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n"
                 "\t\t\t\ttexture=sample/test_button_n.tga\n"
                 "\toff\n\t\tid=no\n\t\tposition=100|0\n\t\tstates\n"
                 "\t\t\tn\n\t\t\t\tid=n\n\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n"
                 "\t\t\t\ttexture=sample/test_button_n.tga\n"));
    VoDisplayGroup parent;
    parent.SetId(VoString(u"parent"));
    LogCapture log;
    MGOptionToggle toggle;
    EXPECT_TRUE(toggle.Load(layout.GetList(VoString(u"toggle")), &parent));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    ASSERT_NE(toggle.GetOnButton(), nullptr);
    ASSERT_NE(toggle.GetOffButton(), nullptr);
    EXPECT_EQ(toggle.GetValue(), 0);
    EXPECT_TRUE(toggle.GetOnButton()->IsHilighted());
    toggle.OnButtonEvent(VoString(u"no"), VoIButtonListener::kClick);
    EXPECT_EQ(toggle.GetValue(), 1);
    EXPECT_TRUE(toggle.GetOffButton()->IsHilighted());
    EXPECT_FALSE(toggle.GetOnButton()->IsHilighted());
    toggle.OnButtonEvent(VoString(u"ON"), VoIButtonListener::kPressed);
    EXPECT_EQ(toggle.GetValue(), 1);
    toggle.OnButtonEvent(VoString(u"ON"), VoIButtonListener::kClick);
    EXPECT_EQ(toggle.GetValue(), 0);
    // Another value is kept, the buttons as they were.
    toggle.SetValue(5);
    EXPECT_EQ(toggle.GetValue(), 5);
    EXPECT_TRUE(toggle.GetOnButton()->IsHilighted());
}
