#include "pda/MGPDAMinimized.h"

#include <gtest/gtest.h>

#include <string>

#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "pda/MGInventoryPanel.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

// The sample bar: "layout" at (610, 480); "move" its top 170 x 16 strip,
// "maximize" 22 x 22 at (142, 40).
const VoVector2 kMoveStrip(700.0f, 488.0f);
const VoVector2 kMaximize(763.0f, 531.0f);

class MGPDAMinimizedTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fBar, nullptr);
        PDAGame::PDA()->SetListener(&fCodes);
    }

    static int VisibleBlinkers() {
        int visible = 0;
        for (int i = 0; i < MGPDAMinimized::kBlinkerCount; ++i) {
            VoSprite* blinker = PDAGame::Bar()->GetBlinker(i);
            visible += blinker != nullptr && blinker->GetVisible() ? 1 : 0;
        }
        return visible;
    }
    static MGInventoryPanel* Inventory() { return PDAGame::PDA()->GetInventoryPanel(); }

    PDAGame fGame;
    MGPDAMinimized* fBar = PDAGame::Bar();
    CodeRecorder fCodes;
};

}  // namespace

TEST_F(MGPDAMinimizedTest, IsBuiltOnItsFirstShowFromTheSampleLayout) {
    EXPECT_EQ(fBar->GetGroups(), nullptr);
    EXPECT_TRUE(fBar->IsMinimized());
    EXPECT_FALSE(fBar->IsShown());
    fBar->Show();
    ASSERT_NE(fBar->GetGroups(), nullptr);
    EXPECT_EQ(Narrow(fBar->GetGroups()->GetId()), "groups");
    EXPECT_EQ(fBar->GetGroups()->GetRelativeZ(), 1000.0f);
    EXPECT_EQ(fBar->GetGroups()->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    ASSERT_NE(fBar->GetLayout(), nullptr);
    EXPECT_EQ(fBar->GetLayout()->GetPosition(), VoVector2(610.0f, 480.0f));
    EXPECT_EQ(fBar->GetPlace(), VoVector2(610.0f, 480.0f));
    for (int i = 0; i < MGPDAMinimized::kBlinkerCount; ++i) {
        ASSERT_NE(fBar->GetBlinker(i), nullptr);
    }
    EXPECT_EQ(Narrow(fBar->GetBlinker(0)->GetId()), "icon_map");
    EXPECT_EQ(Narrow(fBar->GetBlinker(2)->GetId()), "icon_evidence");
    EXPECT_EQ(VisibleBlinkers(), 0);
    ASSERT_NE(fBar->GetMaximizeButton(), nullptr);
    EXPECT_EQ(fBar->GetMaximizeButton()->GetListener(), static_cast<VoIButtonListener*>(fBar));
    EXPECT_TRUE(fBar->IsShown());

    // Hidden, its buttons do not hear the mouse.
    fBar->Hide();
    EXPECT_FALSE(fBar->IsShown());
    PDAGame::Click(kMaximize.x, kMaximize.y);
    EXPECT_FALSE(PDAGame::PDA()->IsOpen());
    fBar->Show();
    PDAGame::Click(kMaximize.x, kMaximize.y);
    EXPECT_TRUE(fBar->IsMaximizing());
    fGame.RunFrames(0.4);
    EXPECT_TRUE(PDAGame::PDA()->IsOpen());
    EXPECT_FALSE(fBar->IsShown());
}

TEST_F(MGPDAMinimizedTest, TheGrowAnimationRunsFromTheBarToTheWindow) {
    fBar->Show();
    fBar->Maximize(true);
    VoDisplayGroup* layout = fBar->GetLayout();
    // Half way at 0.15 s: scale 2, half faded, half way to the window.
    fGame.Frame(0.15);
    VoVector2 scale;
    layout->GetScale(scale);
    EXPECT_NEAR(scale.x, 2.0f, 0.15f);
    EXPECT_NEAR(layout->GetBlend(), 0.5f, 0.08f);
    EXPECT_NEAR(layout->GetPosition().x, (610.0f + 100.0f) / 2.0f, 40.0f);
    EXPECT_FALSE(PDAGame::PDA()->IsOpen());
    fGame.RunFrames(0.2);
    EXPECT_TRUE(PDAGame::PDA()->IsOpen());
    EXPECT_FALSE(fBar->IsListeningToFrames());
}

TEST_F(MGPDAMinimizedTest, DraggingTheBarStopsAtTheScreensEdges) {
    fBar->Show();
    PDAGame::Press(kMoveStrip.x, kMoveStrip.y);
    ASSERT_TRUE(fBar->IsDragging());
    // The grip point stays 90, 8 from the bar's corner, within x 0..630, y 5..492.
    const struct {
        VoVector2 pointer;
        VoVector2 place;
    } cases[] = {
        {{400.0f, 300.0f}, {310.0f, 292.0f}}, {{50.0f, 300.0f}, {0.0f, 292.0f}},
        {{900.0f, 700.0f}, {630.0f, 492.0f}}, {{300.0f, 0.0f}, {210.0f, 5.0f}},
        {{90.0f, 13.0f}, {0.0f, 5.0f}},
    };
    for (const auto& test : cases) {
        PDAGame::Move(test.pointer.x, test.pointer.y);
        EXPECT_EQ(fBar->GetPlace(), test.place);
        EXPECT_EQ(fBar->GetLayout()->GetPosition(), test.place);
    }
    PDAGame::Release();
    EXPECT_FALSE(fBar->IsDragging());
    PDAGame::Move(500.0f, 500.0f);
    EXPECT_EQ(fBar->GetPlace(), VoVector2(0.0f, 5.0f));
}

TEST_F(MGPDAMinimizedTest, ABlinkOfNoDurationRunsUntilStopped) {
    fBar->Show();
    fBar->Blink(1, 0.0f, 0.8f);
    EXPECT_TRUE(fBar->GetBlinker(1)->GetVisible());
    stubs::SoundPlayer* sound = stubs::SoundPlayer::Find("messageFlash");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->fPath, "//sounds/message.mp2");
    EXPECT_EQ(sound->fPlays, 1);
    EXPECT_EQ(sound->fVolume, MGOptions::GetInstance()->GetVolume());
    fGame.RunFrames(0.9);
    EXPECT_FALSE(fBar->GetBlinker(1)->GetVisible());
    fGame.RunFrames(0.8);
    EXPECT_TRUE(fBar->GetBlinker(1)->GetVisible());
    fGame.RunFrames(20.0);
    EXPECT_TRUE(fBar->IsBlinking());
    EXPECT_TRUE(fBar->IsListeningToFrames());

    fBar->GetBlinker(0)->SetVisible(true);
    fBar->StopBlink(MGPDAMinimized::kAllBlinkers);
    EXPECT_FALSE(fBar->IsBlinking());
    EXPECT_EQ(VisibleBlinkers(), 0);
    EXPECT_FALSE(fBar->IsListeningToFrames());
}

TEST_F(MGPDAMinimizedTest, ABlinkEndsAfterItsDurationAndEachTakesTheSoundOver) {
    fBar->Show();
    fBar->Blink(2, 2.0f, 0.5f);
    fBar->Blink(2, 2.0f, 0.5f);
    // The first notification makes way for the second.
    EXPECT_EQ(stubs::Live<stubs::SoundPlayer>().size(), 1u);
    stubs::SoundPlayer::Find("messageFlash")->End();
    EXPECT_EQ(fBar->GetSound(), nullptr);
    EXPECT_TRUE(stubs::Live<stubs::SoundPlayer>().empty());
    fGame.RunFrames(1.9);
    EXPECT_TRUE(fBar->IsBlinking());
    fGame.RunFrames(0.2);
    EXPECT_FALSE(fBar->IsBlinking());
    EXPECT_EQ(VisibleBlinkers(), 0);
    EXPECT_FALSE(fBar->IsListeningToFrames());
}

TEST_F(MGPDAMinimizedTest, ANewItemFlashesTwiceAndASecondReplacesIt) {
    fBar->Show();
    ASSERT_TRUE(Inventory()->AddItem(VoString(u"letter")));
    VoSprite* icon = fBar->GetItemIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(Narrow(icon->GetId()), "letter");
    EXPECT_EQ(icon->GetGroup(), fBar->GetLayout());
    EXPECT_EQ(icon->GetPosition(), VoVector2(73.0f, 27.0f));
    EXPECT_EQ(icon->GetRelativeZ(), 100.0f);
    EXPECT_FLOAT_EQ(icon->GetBlend(), 0.7f);
    // Hidden, then shown, hidden and shown for 0.3 s each, gone at 1.2 s.
    const bool phases[] = {false, true, false, true};
    for (bool visible : phases) {
        EXPECT_EQ(icon->GetVisible(), visible);
        fGame.RunFrames(0.3);
    }
    EXPECT_EQ(fBar->GetItemIcon(), nullptr);
    EXPECT_FALSE(fBar->IsListeningToFrames());

    ASSERT_TRUE(Inventory()->AddItem(VoString(u"brasskey")));
    fGame.RunFrames(0.5);
    ASSERT_TRUE(Inventory()->AddItem(VoString(u"register")));
    ASSERT_NE(fBar->GetItemIcon(), nullptr);
    EXPECT_EQ(Narrow(fBar->GetItemIcon()->GetId()), "register");
    EXPECT_EQ(fBar->GetLayout()->GetMember(VoString(u"brasskey")), nullptr);
    fGame.RunFrames(1.3);
    EXPECT_EQ(fBar->GetItemIcon(), nullptr);
}

TEST_F(MGPDAMinimizedTest, AnIconFlashingWhileTheBarGrowsStillOpensThePDA) {
    fBar->Show();
    ASSERT_TRUE(Inventory()->AddItem(VoString(u"letter")));
    fBar->Maximize(true);
    fGame.RunFrames(2.0);
    EXPECT_TRUE(PDAGame::PDA()->IsOpen());
    EXPECT_FALSE(fBar->IsMaximizing());
    EXPECT_EQ(fBar->GetItemIcon(), nullptr);
    EXPECT_FALSE(fBar->IsListeningToFrames());
    EXPECT_EQ(fCodes.fCodes, (std::vector<int>{2, 4, 3}));
}

TEST_F(MGPDAMinimizedTest, NoIconFlashesWhileThePDAIsOpen) {
    PDAGame::Open();
    ASSERT_TRUE(Inventory()->AddItem(VoString(u"letter")));
    EXPECT_EQ(fBar->GetItemIcon(), nullptr);
}

TEST_F(MGPDAMinimizedTest, TheButtonsSetTheHandUnderTheirNames) {
    fBar->Show();
    MGCursor* cursor = MGCursor::GetInstance();
    cursor->SetCursor(0, VoString(u""));
    fBar->OnButtonEvent(VoString(u"maximize"), VoIButtonListener::kEntered);
    EXPECT_EQ(cursor->GetCurrentId(), 1);
    EXPECT_EQ(Narrow(cursor->GetOwner()), "pdaminmaximize");
    fBar->OnButtonEvent(VoString(u"maximize"), VoIButtonListener::kLeft);
    EXPECT_EQ(cursor->GetCurrentId(), 0);

    // The hand shown already stays its owner's.
    cursor->SetCursor(1, VoString(u"hotspot"));
    fBar->OnButtonEvent(VoString(u"move"), VoIButtonListener::kEntered);
    EXPECT_EQ(Narrow(cursor->GetOwner()), "hotspot");
    fBar->OnButtonEvent(VoString(u"move"), VoIButtonListener::kLeft);
    EXPECT_EQ(cursor->GetCurrentId(), 1);
}

TEST_F(MGPDAMinimizedTest, InRightButtonModeTheBarIsNeverSeenWhileMinimized) {
    MGOptions::GetInstance()->SetOption(1, 1);
    fBar->Show();
    EXPECT_FALSE(fBar->IsShown());
    ASSERT_NE(fBar->GetLayout(), nullptr);
    EXPECT_FALSE(fBar->GetLayout()->GetActive());
    // A press of the primary button where the bar would be does nothing.
    PDAGame::Click(kMaximize.x, kMaximize.y);
    EXPECT_FALSE(fBar->IsMaximizing());

    PDAGame::Click(200.0f, 200.0f, 2);
    EXPECT_TRUE(fBar->IsMaximizing());
    fGame.RunFrames(0.4);
    EXPECT_TRUE(PDAGame::PDA()->IsOpen());
    PDAGame::PDA()->OnButtonEvent(VoString(u"exit"), VoIButtonListener::kPressed);
    EXPECT_FALSE(PDAGame::PDA()->IsOpen());
    EXPECT_TRUE(fBar->IsMinimized());
    EXPECT_FALSE(fBar->IsShown());
}
