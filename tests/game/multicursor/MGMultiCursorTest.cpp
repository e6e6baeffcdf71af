#include "multicursor/MGMultiCursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/support/SampleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoSprite.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoPolygon.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"

namespace {

// Notes every action; closes the menu as the openers do, when asked to.
class ActionProbe : public MGIMultiCursorListener {
public:
    void OnAction(int aAction) override {
        fActions.push_back(aAction);
        if (fHideOnAction) {
            MGMultiCursor::GetInstance()->Hide(true);
        }
    }
    std::vector<int> fActions;
    bool fHideOnAction = false;
};

// Where a button of layout 0 lies, relative to the menu.
struct Place {
    int action;
    float x;
    float y;
};
const Place kLayout0[] = {{MGIMultiCursorListener::kLook, 0, 0},
                          {MGIMultiCursorListener::kUse, 20, 52},
                          {MGIMultiCursorListener::kCollect, 30, 107},
                          {MGIMultiCursorListener::kAnalyze, 20, 163},
                          {MGIMultiCursorListener::kTalk, 0, 215}};

class MGMultiCursorTest : public ::testing::Test {
protected:
    void Frame(double aStep = 0.02) {
        fNow += aStep;
        RecordingGame::FrameAt(fNow);
    }
    // Shows the menu and runs frames until its opening fade has finished.
    void Open(float aX, float aY) {
        fMenu->Show(VoVector2(aX, aY));
        for (int i = 0; i < 20 && !fMenu->IsShown(); ++i) {
            Frame();
        }
        ASSERT_TRUE(fMenu->IsShown());
    }
    void Close() {
        for (int i = 0; i < 20 && fMenu->GetVisible(); ++i) {
            Frame();
        }
        ASSERT_FALSE(fMenu->GetVisible());
    }
    static void Move(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
    }
    static void Press(float aX, float aY) {
        Move(aX, aY);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    void EnableAll() {
        for (int action = 1; action <= 5; ++action) {
            fMenu->SetActionEnabled(action, true);
        }
    }
    static float ClockTime() { return VoGameClock::GetInstance()->GetTime(); }

    SampleGame fGame;
    double fNow = 0.0;
    MGMultiCursor* fMenu = MGMultiCursor::GetInstance();
    ActionProbe fProbe;
};

}  // namespace

TEST_F(MGMultiCursorTest, IsBuiltHiddenFromTheSamplePictureAndTooltipTexts) {
    ASSERT_NE(fMenu, nullptr);
    EXPECT_EQ(Narrow(fMenu->GetId()), "multicursor");
    EXPECT_EQ(fMenu->GetRelativeZ(), 9500.0f);
    EXPECT_FALSE(fMenu->GetVisible());
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"multicursor")), fMenu);
    EXPECT_NE(VoTextureManager::GetInstance()->GetHandle(VoString(u"multicursor_tex")), 0u);
    ASSERT_NE(fMenu->GetMenuSprite(), nullptr);
    EXPECT_EQ(fMenu->GetMenuSprite()->GetPosition(), VoVector2(19.0f, 38.0f));

    struct Expected {
        int action;
        const char* id;
        const char* normal;
        bool enabled;
    };
    const Expected buttons[] = {{1, "use", "useButton_o", false},
                                {2, "collect", "collectButton_o", false},
                                {3, "analyze", "analyzeButton_o", false},
                                {4, "talk", "talkButton_o", false},
                                {5, "look", "eyeButton_o", true}};
    for (const Expected& expected : buttons) {
        SCOPED_TRACE(expected.id);
        VoButton* button = fMenu->GetButton(expected.action);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(Narrow(button->GetId()), expected.id);
        EXPECT_EQ(button->GetRelativeZ(), 10.0f);
        EXPECT_EQ(button->IsEnabled(), expected.enabled);
        ASSERT_NE(button->GetStateObject(XBTNSTATE_NORMAL), nullptr);
        EXPECT_EQ(Narrow(button->GetStateObject(XBTNSTATE_NORMAL)->GetId()), expected.normal);
        EXPECT_NE(button->GetStateObject(XBTNSTATE_DISABLED), nullptr);
        EXPECT_NE(button->GetStateObject(XBTNSTATE_OVER), nullptr);
        // Each picture is one 51 x 51 cell.
        VoPolygon outline;
        ASSERT_TRUE(button->GetStateObject(XBTNSTATE_NORMAL)->GetWorldBoundary(outline));
        EXPECT_TRUE(outline.ContainsPoint(VoVector2(50.5f, 50.5f) + button->GetPosition()));
        EXPECT_FALSE(outline.ContainsPoint(VoVector2(51.5f, 25.0f) + button->GetPosition()));
    }

    const char* texts[] = {"Use", "Collect", "Analyze", "Talk", "Look"};
    for (int i = 0; i < MGMultiCursor::kButtonCount; ++i) {
        VoToolTip* tooltip = fMenu->GetToolTip(i);
        ASSERT_NE(tooltip, nullptr);
        EXPECT_EQ(Narrow(tooltip->GetId()), "mctooltip_" + std::to_string(i));
        EXPECT_EQ(Narrow(tooltip->GetText()), texts[i]);
        EXPECT_EQ(tooltip->GetRelativeZ(), 9700.0f);
        EXPECT_FALSE(tooltip->GetVisible());
        EXPECT_EQ(VoToolTipManager::GetInstance()->GetToolTip(tooltip->GetId()), tooltip);
    }
}

TEST_F(MGMultiCursorTest, LayoutsPlaceTheStripAndTheButtons) {
    struct Case {
        int layout;
        VoVector2 strip;
        float look, use, collect, analyze, talk;  // x of each button
    };
    const Case cases[] = {{1, {10, 38}, 27, 9, 0, 9, 27}, {0, {19, 38}, 0, 20, 30, 20, 0}, {7, {19, 38}, 0, 20, 30, 20, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        fMenu->SetLayout(c.layout);
        EXPECT_EQ(fMenu->GetMenuSprite()->GetPosition(), c.strip);
        EXPECT_EQ(fMenu->GetButton(5)->GetPosition(), VoVector2(c.look, 0.0f));
        EXPECT_EQ(fMenu->GetButton(1)->GetPosition(), VoVector2(c.use, 52.0f));
        EXPECT_EQ(fMenu->GetButton(2)->GetPosition(), VoVector2(c.collect, 107.0f));
        EXPECT_EQ(fMenu->GetButton(3)->GetPosition(), VoVector2(c.analyze, 163.0f));
        EXPECT_EQ(fMenu->GetButton(4)->GetPosition(), VoVector2(c.talk, 215.0f));
    }
}

TEST_F(MGMultiCursorTest, ShowKeepsTheMenuAboveY300AndIsRefusedWhileVisible) {
    fMenu->Show(VoVector2(120.0f, 450.0f));
    EXPECT_EQ(fMenu->GetPosition(), VoVector2(120.0f, 300.0f));
    EXPECT_TRUE(fMenu->GetVisible());
    EXPECT_EQ(fMenu->GetBlend(), 0.0f);
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());

    fMenu->Show(VoVector2(10.0f, 20.0f));
    EXPECT_EQ(fMenu->GetPosition(), VoVector2(120.0f, 300.0f));
    fMenu->Hide(true);
    // Still fading out, so still visible.
    fMenu->Show(VoVector2(10.0f, 20.0f));
    EXPECT_EQ(fMenu->GetPosition(), VoVector2(120.0f, 300.0f));
    Close();
    fMenu->Show(VoVector2(10.0f, 20.0f));
    EXPECT_EQ(fMenu->GetPosition(), VoVector2(10.0f, 20.0f));
}

TEST_F(MGMultiCursorTest, FadesInTenthByTenthOnlyAfterMoreThan15Milliseconds) {
    fMenu->Show(VoVector2(100.0f, 100.0f));
    Frame(0.015);
    EXPECT_EQ(fMenu->GetBlend(), 0.0f);
    Frame(0.001);
    EXPECT_NEAR(fMenu->GetBlend(), 0.1f, 1e-5f);
    Frame(0.001);
    EXPECT_NEAR(fMenu->GetBlend(), 0.1f, 1e-5f);
    for (int step = 2; step <= 9; ++step) {
        Frame();
        EXPECT_NEAR(fMenu->GetBlend(), 0.1f * static_cast<float>(step), 1e-4f);
        EXPECT_FALSE(fMenu->IsShown());
    }
    for (int i = 0; i < 2 && !fMenu->IsShown(); ++i) {
        Frame();
    }
    EXPECT_TRUE(fMenu->IsShown());
    EXPECT_EQ(fMenu->GetBlend(), 1.0f);
    EXPECT_FALSE(fMenu->IsFading());
}

TEST_F(MGMultiCursorTest, EachActionAdvancesTheClockOneSecondAndIsTold) {
    EnableAll();
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    fProbe.fHideOnAction = true;
    for (const Place& place : kLayout0) {
        SCOPED_TRACE(place.action);
        Open(200.0f, 100.0f);
        const float before = ClockTime();
        Press(200.0f + place.x + 25.0f, 100.0f + place.y + 25.0f);
        ASSERT_FALSE(fProbe.fActions.empty());
        EXPECT_EQ(fProbe.fActions.back(), place.action);
        EXPECT_FLOAT_EQ(ClockTime() - before, 1.0f);
        EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
        Close();
        EXPECT_FALSE(fMenu->GetActive());
    }
    EXPECT_EQ(fProbe.fActions.size(), 5u);
}

TEST_F(MGMultiCursorTest, ADisabledButtonSendsNothingAndItsTooltipShowsGreyAfterOneSecond) {
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    Open(200.0f, 100.0f);
    const float before = ClockTime();
    // The use button, disabled.
    Press(245.0f, 177.0f);
    EXPECT_TRUE(fProbe.fActions.empty());
    EXPECT_EQ(ClockTime(), before);
    EXPECT_TRUE(fMenu->IsShown());

    Frame(0.1);
    VoToolTip* use = fMenu->GetToolTip(0);
    EXPECT_EQ(fMenu->GetHovered(), 0);
    Frame(0.5);
    EXPECT_FALSE(use->GetVisible());
    Frame(0.5);
    EXPECT_TRUE(use->GetVisible());
    EXPECT_EQ(fMenu->GetDisplayedToolTip(), use);
    ASSERT_NE(use->GetBackground(), nullptr);
    EXPECT_EQ(use->GetBackground()->GetFillColor().GetARGB(), VoColor(0.8f, 0.4f, 0.4f, 0.4f).GetARGB());

    // The enabled look button gets the usual colour.
    Move(210.0f, 110.0f);
    Frame();
    Frame(1.0);
    VoToolTip* look = fMenu->GetToolTip(4);
    EXPECT_TRUE(look->GetVisible());
    EXPECT_EQ(look->GetBackground()->GetFillColor().GetARGB(), VoColor(0.8f, 0.96f, 1.0f, 0.62f).GetARGB());
}

TEST_F(MGMultiCursorTest, TooltipsStandBelowAPointerNearTheTopAndAboveItElsewhere) {
    struct Case {
        float menuY;
        float pointerY;
        float tooltipY;
    };
    for (const Case& c : {Case{20.0f, 40.0f, 70.0f}, Case{20.0f, 50.0f, 80.0f}, Case{170.0f, 200.0f, 180.0f}}) {
        SCOPED_TRACE(c.pointerY);
        Open(100.0f, c.menuY);
        Move(110.0f, c.pointerY);
        Frame();
        Frame(1.0);
        VoToolTip* look = fMenu->GetToolTip(4);
        EXPECT_TRUE(look->GetVisible());
        EXPECT_EQ(look->GetPosition(), VoVector2(110.0f, c.tooltipY));
        fMenu->Hide(false);
        Close();
        Move(700.0f, 500.0f);
    }
}

TEST_F(MGMultiCursorTest, APressBesideTheButtonsDismissesAndStartsTheClosingFade) {
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    Open(200.0f, 100.0f);
    // Over the use button: its tooltip is due in a second.
    Move(245.0f, 177.0f);
    Frame();
    const float before = ClockTime();
    Press(600.0f, 500.0f);
    EXPECT_EQ(fProbe.fActions, std::vector<int>{MGIMultiCursorListener::kDismissed});
    EXPECT_EQ(ClockTime(), before);
    EXPECT_FALSE(fMenu->IsShown());
    EXPECT_TRUE(fMenu->IsFading());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    Close();
    // Deactivated only by a Hide that asks for it; the tooltip never came.
    EXPECT_TRUE(fMenu->GetActive());
    for (int i = 0; i < MGMultiCursor::kButtonCount; ++i) {
        EXPECT_FALSE(fMenu->GetToolTip(i)->GetVisible()) << i;
    }
    Frame(2.0);
    EXPECT_FALSE(fMenu->GetToolTip(0)->GetVisible());
}

TEST_F(MGMultiCursorTest, AHiddenMenusButtonsActOnNothing) {
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    Open(0.0f, 0.0f);
    fMenu->Hide(false);
    Close();
    ASSERT_TRUE(fMenu->GetActive());
    const float before = ClockTime();
    // Where the look button was: the scene's click, not the menu's.
    Press(25.0f, 25.0f);
    EXPECT_TRUE(fProbe.fActions.empty());
    EXPECT_EQ(ClockTime(), before);
}

TEST_F(MGMultiCursorTest, ActionNumbersOutsideOneToFiveChangeNothing) {
    for (int action : {0, 6, -1}) {
        EXPECT_TRUE(fMenu->SetActionEnabled(action, true));
    }
    EXPECT_TRUE(fMenu->GetButton(5)->IsEnabled());
    EXPECT_FALSE(fMenu->GetButton(1)->IsEnabled());
    EXPECT_TRUE(fMenu->SetActionEnabled(5, false));
    EXPECT_FALSE(fMenu->GetButton(5)->IsEnabled());
}

TEST_F(MGMultiCursorTest, ANullListenerIsRefusedAndOnlyTheSetOneIsRemoved) {
    LogCapture log;
    EXPECT_FALSE(fMenu->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGMultiCursor::kSetListenerNull));
    ActionProbe other;
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    EXPECT_FALSE(fMenu->RemoveListener(&other));
    EXPECT_EQ(fMenu->GetListener(), &fProbe);
    EXPECT_TRUE(fMenu->RemoveListener(&fProbe));
    EXPECT_EQ(fMenu->GetListener(), nullptr);
}

TEST_F(MGMultiCursorTest, ADeactivatingHideLeavesTheButtonsDeafUntilTheNextOpeningFade) {
    EnableAll();
    ASSERT_TRUE(fMenu->SetListener(&fProbe));
    Open(200.0f, 100.0f);
    fMenu->Hide(true);
    Close();
    EXPECT_FALSE(fMenu->GetActive());
    fMenu->Show(VoVector2(200.0f, 100.0f));
    // Opening, not yet active: the press reaches no button.
    Press(225.0f, 125.0f);
    EXPECT_TRUE(fProbe.fActions.empty());
    // A press that finds no button picture dismisses the menu; here it was on one.
    for (int i = 0; i < 20 && !fMenu->IsShown(); ++i) {
        Frame();
    }
    EXPECT_TRUE(fMenu->GetActive());
    Press(225.0f, 125.0f);
    EXPECT_EQ(fProbe.fActions, std::vector<int>{MGIMultiCursorListener::kLook});
}
