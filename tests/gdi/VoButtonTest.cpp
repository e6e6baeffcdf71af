#include "gdi/VoButton.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetProbes.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoRenderer.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using Events = std::vector<int>;

class EventRecorder : public VoIButtonListener {
public:
    void OnButtonEvent(const VoString& aId, int aCode) override {
        fLastId = Narrow(aId);
        fCodes.push_back(aCode);
    }
    // The codes since the last call.
    Events Take() {
        Events codes;
        codes.swap(fCodes);
        return codes;
    }

    std::string fLastId;
    Events fCodes;
};

// A button "ok" at (100, 100) in the root, registered with the engine mouse
// with the recorder as listener; its looks are 40 x 20.
class VoButtonTest : public ::testing::Test {
protected:
    VoButtonTest() : fDisplay(VoDisplayManager::GetInstance()), fMouse(VoMouse::GetInstance()) {
        fButton->SetId(VoString(u"ok"));
        fButton->SetPosition(100.0f, 100.0f);
        EXPECT_TRUE(fDisplay->AddMember(fButton));
        EXPECT_TRUE(fButton->SetMouseOrder(&fEvents, 0.0f));
    }

    Look* AddLook(XBTNSTATE aState, const char* apId) {
        Look* look = new Look(apId, &fJournal, 40.0f, 20.0f);
        EXPECT_TRUE(fButton->AddButtonStateObject(aState, look));
        return look;
    }
    void AddNormalOverDisabled() {
        fNormal = AddLook(XBTNSTATE_NORMAL, "n");
        fOver = AddLook(XBTNSTATE_OVER, "o");
        fDisabled = AddLook(XBTNSTATE_DISABLED, "x");
    }
    void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        fMouse->Move(&position);
    }
    void In() { MoveTo(110.0f, 110.0f); }
    void Out() { MoveTo(10.0f, 10.0f); }
    void Frame() { fDisplay->Render(); }

    RecordingEngine fEngine;
    VoDisplayManager* fDisplay;
    VoMouse* fMouse;
    VoButton* fButton = new VoButton();  // owned by the root
    EventRecorder fEvents;
    Journal fJournal;
    Look* fNormal = nullptr;
    Look* fOver = nullptr;
    Look* fDisabled = nullptr;
};

}  // namespace

TEST_F(VoButtonTest, AQuickPressAndReleaseAfterAChangeOfLookIsAClick) {
    AddNormalOverDisabled();
    In();
    Frame();
    EXPECT_THAT(fJournal, ElementsAre("o"));  // drawn once, as a member
    // No frame between: the down look (the normal object, there being no
    // "d") must be the one hit-tested.
    fMouse->ButtonDown(1);
    MoveTo(112.0f, 111.0f);
    fMouse->ButtonUp(1);
    EXPECT_EQ(fEvents.Take(),
              (Events{VoIButtonListener::kEntered, VoIButtonListener::kPressed, VoIButtonListener::kClick}));
    EXPECT_EQ(fEvents.fLastId, "ok");
}

TEST_F(VoButtonTest, ReEnablingAndAMoveBeforeTheFrameShowTheNormalLook) {
    AddNormalOverDisabled();
    fButton->SetEnabled(false);
    Frame();
    EXPECT_TRUE(fDisabled->GetActive());
    EXPECT_FALSE(fNormal->GetActive());
    fButton->SetEnabled(true);
    Out();
    Frame();
    EXPECT_TRUE(fNormal->GetActive());
    EXPECT_FALSE(fDisabled->GetActive());
    EXPECT_EQ(fEvents.Take(), (Events{VoIButtonListener::kDisabled, VoIButtonListener::kEnabled}));
}

TEST_F(VoButtonTest, MouseSequencesGiveTheirEvents) {
    AddNormalOverDisabled();
    const struct {
        std::vector<std::string> steps;
        Events expected;
    } cases[] = {
        {{"in", "down1", "out", "in", "up1"}, {1, 0, 2, 1, 4}},
        {{"in", "down1", "out", "up1"}, {1, 0, 2, 3}},
        {{"out", "down1", "in", "up1"}, {1}},  // a press that starts off the button
        {{"in", "down2", "up2", "down3", "up3"}, {1}},
        {{"in", "down1", "down1", "up1"}, {1, 0, 4}},
        {{"in", "disable", "enable", "down1", "up1"}, {1, 6, 5}},     // enabling forgot the pointer
        {{"in", "down1", "disable", "enable", "up1"}, {1, 0, 6, 5}},  // and a pending press
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.steps));
        Out();
        fMouse->ButtonUp(1);
        fEvents.Take();
        for (const std::string& step : c.steps) {
            if (step == "in" || step == "out") {
                step == "in" ? In() : Out();
            } else if (step == "disable" || step == "enable") {
                fButton->SetEnabled(step == "enable");
            } else if (step.compare(0, 4, "down") == 0) {
                fMouse->ButtonDown(step[4] - '0');
            } else {
                fMouse->ButtonUp(step[2] - '0');
            }
        }
        EXPECT_EQ(fEvents.Take(), c.expected);
    }
    fButton->SetEnabled(true);
    EXPECT_TRUE(fEvents.Take().empty());  // unchanged: no event
}

TEST_F(VoButtonTest, FlagsPickTheLookWithItsFallbacks) {
    const struct {
        std::vector<XBTNSTATE> looks;
        bool enabled, hilighted, over, pressed;
        XBTNSTATE state;
        const char* shown;
    } cases[] = {
        {{XBTNSTATE_NORMAL, XBTNSTATE_DISABLED, XBTNSTATE_HILIGHTED},
         false,
         true,
         false,
         false,
         XBTNSTATE_HILIGHTED,
         "2"},
        {{XBTNSTATE_NORMAL, XBTNSTATE_DISABLED}, false, false, false, false, XBTNSTATE_DISABLED, "0"},
        {{XBTNSTATE_NORMAL, XBTNSTATE_DOWN}, true, false, false, true, XBTNSTATE_NORMAL, "4"},  // held, off
        {{XBTNSTATE_NORMAL, XBTNSTATE_DOWN}, true, false, true, true, XBTNSTATE_DOWN, "1"},
        {{XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED}, true, true, true, false, XBTNSTATE_HILIGHTED_OVER, "2"},
        {{XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED, XBTNSTATE_HILIGHTED_OVER},
         true,
         true,
         true,
         false,
         XBTNSTATE_HILIGHTED_OVER,
         "3"},
        {{XBTNSTATE_NORMAL}, true, false, true, false, XBTNSTATE_OVER, "4"},
        {{XBTNSTATE_NORMAL}, false, false, false, false, XBTNSTATE_DISABLED, "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        VoButton button;
        for (XBTNSTATE state : c.looks) {
            EXPECT_TRUE(
                button.AddButtonStateObject(state, new Look(std::to_string(state).c_str(), nullptr, 40, 20)));
        }
        const VoVector2 inside(5.0f, 5.0f);
        const VoVector2 outside(500.0f, 5.0f);
        if (c.over || c.pressed) {
            button.OnMouseMove(&inside);
        }
        if (c.pressed) {
            button.OnButtonDown(1);
            button.OnMouseMove(c.over ? &inside : &outside);
        }
        button.SetHilighted(c.hilighted);
        button.SetEnabled(c.enabled);
        LogCapture log;
        EXPECT_EQ(button.GetState(), c.state);
        button.UpdateState();
        ASSERT_NE(button.GetCurrentObject(), nullptr);
        EXPECT_EQ(Narrow(button.GetCurrentObject()->GetId()), c.shown);
        EXPECT_TRUE(log.Lines().empty());
    }
}

TEST_F(VoButtonTest, WithoutANormalLookNothingIsShownOrHit) {
    fOver = AddLook(XBTNSTATE_OVER, "o");
    LogCapture log;
    EXPECT_FALSE(fButton->Render(VoRenderer::GetInstance()));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kGetObjectFailure));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_FALSE(fOver->GetActive());
    EXPECT_TRUE(fJournal.empty());
    In();
    EXPECT_TRUE(fEvents.Take().empty());
}

TEST_F(VoButtonTest, RefusalsOfListenersAndStateObjects) {
    LogCapture log;
    EXPECT_FALSE(fButton->SetListener(&fEvents));  // the same one too
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kSetListenerDefined));
    EXPECT_FALSE(fButton->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kSetListenerNull));
    EXPECT_EQ(Narrow(fButton->ToString()), "[VoButton <" + HexAddress(fButton) + ">]");

    fNormal = AddLook(XBTNSTATE_NORMAL, "n");
    Look second("n2");
    EXPECT_FALSE(fButton->AddButtonStateObject(XBTNSTATE_NORMAL, &second));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoButton::kStateDefined) + "4"));
    // An object the group refuses (its id is in use) is not taken.
    Look sameId("n");
    EXPECT_FALSE(fButton->AddButtonStateObject(XBTNSTATE_OVER, &sameId));
    EXPECT_EQ(fButton->GetStateObject(XBTNSTATE_OVER), nullptr);

    VoIDisplayObject* out = fNormal;
    EXPECT_FALSE(fButton->RemoveButtonStateObject(XBTNSTATE_NORMAL, &out));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kInvalidArgument));
    out = nullptr;
    EXPECT_FALSE(fButton->RemoveButtonStateObject(XBTNSTATE_DOWN, &out));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kRemoveStateFailure));
    EXPECT_TRUE(fButton->RemoveButtonStateObject(XBTNSTATE_NORMAL, &out));
    EXPECT_EQ(out, fNormal);
    EXPECT_EQ(fNormal->GetGroup(), fButton);  // still the group's
}

TEST_F(VoButtonTest, ADeletedLookLeavesTheTable) {
    AddNormalOverDisabled();
    Frame();
    delete fNormal;
    EXPECT_EQ(fButton->GetStateObject(XBTNSTATE_NORMAL), nullptr);
    EXPECT_EQ(fButton->GetCurrentObject(), nullptr);
    LogCapture log;
    In();  // nothing to hit, nothing deleted touched
    Frame();
    EXPECT_TRUE(fEvents.Take().empty());
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kGetObjectFailure));
}

TEST_F(VoButtonTest, AButtonInADisabledOrInactiveGroupIgnoresTheMouse) {
    AddNormalOverDisabled();
    VoDisplayGroup* panel = new VoDisplayGroup();
    panel->SetId(VoString(u"panel"));
    fDisplay->RemoveMember(fButton);
    EXPECT_TRUE(panel->AddMember(fButton, true));
    EXPECT_TRUE(fDisplay->AddMember(panel));
    panel->SetEnabled(false);
    In();
    fMouse->ButtonDown(1);
    panel->SetEnabled(true);
    panel->SetActive(false);
    fMouse->ButtonUp(1);
    Out();
    In();
    EXPECT_TRUE(fEvents.Take().empty());
}

TEST_F(VoButtonTest, ADeletedButtonGivesUpTheLockItHolds) {
    AddNormalOverDisabled();
    EXPECT_TRUE(fMouse->Lock(fButton));
    delete fButton;
    EXPECT_FALSE(fMouse->IsLocked());
    In();  // nobody is called
}
