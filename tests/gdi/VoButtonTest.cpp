#include "gdi/VoButton.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoRectangle.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using Events = std::vector<int>;

class EventRecorder : public VoIButtonListener {
public:
    void OnButtonEvent(const VoString& aId, int aCode) override {
        fIds.push_back(Narrow(aId));
        fCodes.push_back(aCode);
    }
    // The codes since the last call.
    Events Take() {
        Events codes = fCodes;
        fCodes.clear();
        return codes;
    }

    std::vector<std::string> fIds;
    Events fCodes;
};

// A look of 40 x 20 pixels with its top-left corner at the button's origin;
// like every drawable it draws only while effectively active and visible.
class Look : public ProbeObject2D {
public:
    using ProbeObject2D::ProbeObject2D;
    bool Render(VoRenderer* apRenderer) override {
        Validate();
        return !GetEffectiveActive() || !GetEffectiveVisible() || ProbeObject2D::Render(apRenderer);
    }
};

ProbeObject2D* NewLook(const char* apId, Journal* apJournal = nullptr, bool* apDeleted = nullptr) {
    ProbeObject2D* look = new Look(apId, apJournal, apDeleted);
    look->SetBoundary(VoRectangle(0.0f, 0.0f, 40.0f, 20.0f));
    return look;
}

// A button "ok" at (100, 100) in the display manager's root, registered with
// the engine mouse at order 0 with the recorder as listener. Inside is
// (110, 110), outside (10, 10).
class VoButtonTest : public ::testing::Test {
protected:
    VoButtonTest() : fDisplay(VoDisplayManager::GetInstance()), fMouse(VoMouse::GetInstance()) {
        fButton = new VoButton();
        fButton->SetId(VoString(u"ok"));
        fButton->SetPosition(100.0f, 100.0f);
        EXPECT_TRUE(fDisplay->AddMember(fButton));
        EXPECT_TRUE(fButton->SetMouseOrder(&fEvents, 0.0f));
    }

    ProbeObject2D* AddLook(XBTNSTATE aState, const char* apId) {
        ProbeObject2D* look = NewLook(apId, &fJournal);
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
    // The ids of the state objects that are active.
    std::vector<std::string> ActiveLooks() {
        std::vector<std::string> ids;
        for (int state = 0; state < VoButton::kStateCount; ++state) {
            VoIDisplayObject* look = fButton->GetStateObject(static_cast<XBTNSTATE>(state));
            if (look != nullptr && look->GetActive()) {
                ids.push_back(Narrow(look->GetId()));
            }
        }
        return ids;
    }
    std::string Shown() {
        fButton->UpdateState();
        VoIDisplayObject* look = fButton->GetCurrentObject();
        return look == nullptr ? "none" : Narrow(look->GetId());
    }

    RecordingEngine fEngine;
    VoDisplayManager* fDisplay;
    VoMouse* fMouse;
    VoButton* fButton;  // owned by the root
    EventRecorder fEvents;
    Journal fJournal;
    ProbeObject2D* fNormal = nullptr;
    ProbeObject2D* fOver = nullptr;
    ProbeObject2D* fDisabled = nullptr;
};

}  // namespace

TEST_F(VoButtonTest, AQuickPressAndReleaseAfterAChangeOfLookIsAClick) {
    AddNormalOverDisabled();
    In();
    Frame();
    EXPECT_THAT(ActiveLooks(), ElementsAre("o"));
    // No frame between: the down look (the normal object, there being no
    // "d") must be the one hit-tested.
    fMouse->ButtonDown(1);
    MoveTo(112.0f, 111.0f);
    fMouse->ButtonUp(1);
    EXPECT_EQ(fEvents.Take(), (Events{VoIButtonListener::kEntered, VoIButtonListener::kPressed,
                                      VoIButtonListener::kClick}));
    EXPECT_THAT(fEvents.fIds, ElementsAre("ok", "ok", "ok"));
}

TEST_F(VoButtonTest, ReEnablingAndAMoveBeforeTheFrameShowTheNormalLook) {
    AddNormalOverDisabled();
    Frame();
    fButton->SetEnabled(false);
    Frame();
    EXPECT_THAT(ActiveLooks(), ElementsAre("x"));
    fButton->SetEnabled(true);
    Out();
    Frame();
    EXPECT_THAT(ActiveLooks(), ElementsAre("n"));
    EXPECT_EQ(fEvents.Take(), (Events{VoIButtonListener::kDisabled, VoIButtonListener::kEnabled}));
}

TEST_F(VoButtonTest, MouseSequencesGiveTheirEvents) {
    AddNormalOverDisabled();
    struct Case {
        const char* name;
        std::vector<std::string> steps;
        Events expected;
    };
    const Case cases[] = {
        {"press, leave, return, release", {"in", "down", "out", "in", "up"}, {1, 0, 2, 1, 4}},
        {"press, leave, release", {"in", "down", "out", "up"}, {1, 0, 2, 3}},
        {"press off the button, release on it", {"out", "down", "in", "up"}, {1}},
        {"buttons 2 and 3", {"in", "down2", "up2", "down3", "up3"}, {1}},
        {"a second press while held", {"in", "down", "down", "up"}, {1, 0, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Out();
        fMouse->ButtonUp(1);
        fEvents.Take();
        for (const std::string& step : c.steps) {
            if (step == "in") {
                In();
            } else if (step == "out") {
                Out();
            } else if (step == "down" || step == "down2" || step == "down3") {
                fMouse->ButtonDown(step == "down" ? 1 : step[4] - '0');
            } else {
                fMouse->ButtonUp(step == "up" ? 1 : step[2] - '0');
            }
        }
        EXPECT_EQ(fEvents.Take(), c.expected);
    }
}

TEST_F(VoButtonTest, TheShownLookDrawsOncePerFrame) {
    AddNormalOverDisabled();
    Frame();
    EXPECT_THAT(fJournal, ElementsAre("n"));
    In();
    fJournal.clear();
    Frame();
    EXPECT_THAT(fJournal, ElementsAre("o"));
}

TEST_F(VoButtonTest, FlagsPickTheLookWithItsFallbacks) {
    struct Case {
        const char* name;
        std::vector<XBTNSTATE> looks;
        bool enabled, hilighted, over, pressed;
        XBTNSTATE state;
        const char* shown;
    };
    const Case cases[] = {
        {"disabled and hilighted", {XBTNSTATE_NORMAL, XBTNSTATE_DISABLED, XBTNSTATE_HILIGHTED},
         false, true, false, false, XBTNSTATE_HILIGHTED, "2"},
        {"disabled", {XBTNSTATE_NORMAL, XBTNSTATE_DISABLED}, false, false, false, false, XBTNSTATE_DISABLED, "0"},
        {"held with the pointer off", {XBTNSTATE_NORMAL, XBTNSTATE_DOWN}, true, false, false, true,
         XBTNSTATE_NORMAL, "4"},
        {"held on it", {XBTNSTATE_NORMAL, XBTNSTATE_DOWN}, true, false, true, true, XBTNSTATE_DOWN, "1"},
        {"hilighted over without ho", {XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED}, true, true, true, false,
         XBTNSTATE_HILIGHTED_OVER, "2"},
        {"hilighted over with ho", {XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED, XBTNSTATE_HILIGHTED_OVER}, true,
         true, true, false, XBTNSTATE_HILIGHTED_OVER, "3"},
        {"over without o", {XBTNSTATE_NORMAL}, true, false, true, false, XBTNSTATE_OVER, "4"},
        {"only n, disabled", {XBTNSTATE_NORMAL}, false, false, false, false, XBTNSTATE_DISABLED, "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VoButton button;
        for (XBTNSTATE state : c.looks) {
            EXPECT_TRUE(button.AddButtonStateObject(state, NewLook(std::to_string(state).c_str())));
        }
        const VoVector2 inside(5.0f, 5.0f);
        const VoVector2 outside(500.0f, 5.0f);
        if (c.over || c.pressed) {
            button.OnMouseMove(&inside);
        }
        if (c.pressed) {
            button.OnButtonDown(1);
        }
        if (c.pressed && !c.over) {
            button.OnMouseMove(&outside);
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
    Frame();
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kGetObjectFailure));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_FALSE(fOver->GetActive());
    EXPECT_TRUE(fJournal.empty());
    EXPECT_FALSE(fButton->HitTest(VoVector2(110.0f, 110.0f)));
    EXPECT_FALSE(fButton->Render(VoRenderer::GetInstance()));
    In();
    EXPECT_TRUE(fEvents.Take().empty());
}

TEST_F(VoButtonTest, ListenerRules) {
    LogCapture log;
    EventRecorder other;
    EXPECT_FALSE(fButton->SetListener(&fEvents));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kSetListenerDefined));
    EXPECT_FALSE(fButton->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kSetListenerNull));
    EXPECT_TRUE(fButton->RemoveListener());
    EXPECT_TRUE(fButton->SetListener(&other));
    EXPECT_EQ(fButton->GetListener(), &other);
    EXPECT_EQ(Narrow(fButton->ToString()), "[VoButton <" + HexAddress(fButton) + ">]");
}

TEST_F(VoButtonTest, StateObjectTableRules) {
    fNormal = AddLook(XBTNSTATE_NORMAL, "n");
    LogCapture log;
    ProbeObject2D* second = NewLook("n2");
    EXPECT_FALSE(fButton->AddButtonStateObject(XBTNSTATE_NORMAL, second));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoButton::kStateDefined) + "4"));
    // An object the group refuses (its id is in use) is not taken.
    ProbeObject2D* sameId = NewLook("n");
    EXPECT_FALSE(fButton->AddButtonStateObject(XBTNSTATE_OVER, sameId));
    EXPECT_EQ(fButton->GetStateObject(XBTNSTATE_OVER), nullptr);
    EXPECT_EQ(sameId->GetGroup(), nullptr);
    delete sameId;
    delete second;

    VoIDisplayObject* out = fNormal;
    EXPECT_FALSE(fButton->RemoveButtonStateObject(XBTNSTATE_NORMAL, &out));
    EXPECT_FALSE(fButton->RemoveButtonStateObject(XBTNSTATE_NORMAL, nullptr));
    EXPECT_EQ(log.Count(VoButton::kInvalidArgument), 2);
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
    EXPECT_EQ(fButton->GetCurrentObject(), fNormal);
    delete fNormal;
    EXPECT_EQ(fButton->GetStateObject(XBTNSTATE_NORMAL), nullptr);
    EXPECT_EQ(fButton->GetCurrentObject(), nullptr);
    LogCapture log;
    In();  // no object for the normal state: nothing to hit, nothing touched
    EXPECT_TRUE(fEvents.Take().empty());
    Frame();
    EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kGetObjectFailure));
}

TEST_F(VoButtonTest, EnablingRules) {
    AddNormalOverDisabled();
    EXPECT_TRUE(fButton->SetEnabled(true));
    EXPECT_TRUE(fEvents.Take().empty());
    In();
    fMouse->ButtonDown(1);
    fButton->SetEnabled(false);
    EXPECT_FALSE(fButton->IsEnabled());
    EXPECT_FALSE(fButton->GetEnabled());
    fButton->SetEnabled(true);
    EXPECT_FALSE(fButton->IsPressed());
    EXPECT_FALSE(fButton->IsPointerOver());
    fMouse->ButtonUp(1);  // the press was forgotten
    EXPECT_EQ(fEvents.Take(), (Events{1, 0, 6, 5}));
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
    fMouse->ButtonUp(1);
    panel->SetEnabled(true);
    panel->SetActive(false);
    Out();
    In();
    fMouse->ButtonDown(1);
    EXPECT_TRUE(fEvents.Take().empty());
}

TEST_F(VoButtonTest, ChangeMouseOrderMovesTheButtonInTheOrder) {
    AddNormalOverDisabled();
    EXPECT_EQ(fMouse->GetListenerCount(), 1);
    EXPECT_TRUE(fButton->ChangeMouseOrder(5.0f));
    EXPECT_EQ(fMouse->GetListenerCount(), 1);
    In();
    EXPECT_EQ(fEvents.Take(), (Events{1}));
    delete fButton;
    EXPECT_EQ(fMouse->GetListenerCount(), 0);
}

TEST_F(VoButtonTest, ADeletedButtonGivesUpTheLockItHolds) {
    AddNormalOverDisabled();
    EXPECT_TRUE(fMouse->Lock(fButton));
    delete fButton;
    EXPECT_FALSE(fMouse->IsLocked());
    In();  // nobody is called
}

TEST_F(VoButtonTest, TrackRenderLogsTheId) {
    AddNormalOverDisabled();
    fButton->SetTrackRender(true);
    LogCapture log;
    Frame();
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoButton::kTrackRender) + "ok"));
}
