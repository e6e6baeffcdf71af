#include "menu/MGCaseControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuGame.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "event/VoIEventListener.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "state/VoStateManager.h"

namespace {

// Writes down the ids of the events and states the managers tell about.
class Told : public VoIEventListener, public VoIStateListener {
public:
    Told() {
        VoEventManager::GetInstance()->AddListener(this, 5.0f);
        VoStateManager::GetInstance()->AddListener(this, 5.0f);
    }
    ~Told() override {
        VoEventManager::GetInstance()->RemoveListener(this);
        VoStateManager::GetInstance()->RemoveListener(this);
    }
    Told(const Told&) = delete;
    Told& operator=(const Told&) = delete;
    void OnEvent(VoEvent* apEvent) override { fEvents.push_back(Narrow(apEvent->GetId())); }
    void OnStateChanged(VoIState* apState) override { fStates.push_back(Narrow(apState->PeekName())); }
    std::vector<std::string> fEvents;
    std::vector<std::string> fStates;
};

void Add(const char16_t* apId) {
    VoEventManager::GetInstance()->AddEvent(VoString(apId), true);
}

bool Has(const VoString& aId) {
    return VoEventManager::GetInstance()->HasEvent(aId);
}

float SelectedCase() {
    VoIState* state = VoStateManager::GetInstance()->GetState(VoString(MGCaseControl::kCaseState));
    return state != nullptr ? state->GetNumber(-1.0f) : -1.0f;
}

void SelectCase(const char16_t* apCase) {
    VoStateManager::GetInstance()->SetState(VoString(MGCaseControl::kCaseState), VoString(u"number"),
                                            VoString(apCase), false);
}

class MGCaseControlTest : public ::testing::Test {
protected:
    MenuGame fGame;
    MGCaseControl* fControl = MGCaseControl::GetInstance();
};

}  // namespace

TEST_F(MGCaseControlTest, EachCasesLastEventClosesItIgnoringCase) {
    ASSERT_NE(fControl, nullptr);
    struct Case {
        const char16_t* event;
        const char* closed;
    };
    const Case cases[] = {
        {u"evt_interview117_complete", "evt_case01_closed"},
        {u"EVT_INTERVIEW218_COMPLETE", "evt_case02_closed"},
        {u"Evt_Interview321_Complete", "evt_case03_closed"},
        {u"bargainingsolved_415_done", "evt_case04_closed"},
    };
    for (const Case& c : cases) {
        VoEventManager::GetInstance()->ClearEvents();
        SelectCase(u"3");
        Told told;
        Add(c.event);
        EXPECT_EQ(SelectedCase(), 0.0f) << c.closed;
        EXPECT_TRUE(Has(VoString(c.closed)));
        // The closed event is told, the state is not.
        EXPECT_THAT(told.fEvents, ::testing::UnorderedElementsAre(c.closed, Narrow(VoString(c.event).ToLower())));
        EXPECT_TRUE(told.fStates.empty());
    }
}

TEST_F(MGCaseControlTest, OtherEventsChangeNothing) {
    SelectCase(u"2");
    for (const char16_t* id : {u"evt_interview117_started", u"evt_interview117_complete_", u"evt_case01_closed",
                               u"bargainingsolved_415", u""}) {
        Add(id);
    }
    EXPECT_EQ(SelectedCase(), 2.0f);
    EXPECT_FALSE(Has(VoString(u"evt_case02_closed")));
    EXPECT_FALSE(Has(VoString(u"evt_cases123_solved")));
}

TEST_F(MGCaseControlTest, TheFirstThreeClosedAddTheirEventOnce) {
    Told told;
    Add(u"evt_interview117_complete");
    Add(u"evt_interview321_complete");
    EXPECT_FALSE(Has(VoString(MGCaseControl::kCases123Solved)));
    EXPECT_FALSE(MGCaseControl::AreFirstThreeClosed());
    Add(u"evt_interview218_complete");
    EXPECT_TRUE(MGCaseControl::AreFirstThreeClosed());
    EXPECT_TRUE(Has(VoString(MGCaseControl::kCases123Solved)));
    // Every later event looks again, and finds it there.
    Add(u"evt_interview218_complete");
    Add(u"evt_something_else");
    int solved = 0;
    for (const std::string& id : told.fEvents) {
        solved += id == "evt_cases123_solved" ? 1 : 0;
    }
    EXPECT_EQ(solved, 1);
    EXPECT_FALSE(MGCaseControl::IsClosed(4));
}

TEST_F(MGCaseControlTest, TheCasesClosedEventsAreNumberedFromOne) {
    EXPECT_EQ(Narrow(MGCaseControl::ClosedEvent(1)), "evt_case01_closed");
    EXPECT_EQ(Narrow(MGCaseControl::ClosedEvent(4)), "evt_case04_closed");
    EXPECT_EQ(MGCaseControl::GetInstance(), fControl);
}
