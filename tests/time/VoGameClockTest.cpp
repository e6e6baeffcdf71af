#include "time/VoGameClock.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "memory/ScopedHeap.h"
#include "state/VoStateManager.h"
#include "support/RuntimeTestSupport.h"
#include "time/VoDelayedTrigger.h"
#include "time/VoIGameClockListener.h"

namespace {

// Writes "<name>:<clock>=<time>" for every advance it is told of.
class ClockProbe : public VoIGameClockListener {
public:
    ClockProbe(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnTimeChanged(int aClock, float aTime) override {
        fpJournal->push_back(fName + ":" + std::to_string(aClock) + "=" + std::to_string(aTime));
        if (fAction) {
            fAction();
        }
    }
    std::string fName;
    Journal* fpJournal;  // not owned
    std::function<void()> fAction;
};

class VoGameClockTest : public ::testing::Test {
protected:
    VoGameClockTest()
        : fClock(VoGameClock::GetInstance()),
          fStates(VoStateManager::GetInstance()),
          fEvents(VoEventManager::GetInstance()) {
        fEvents->AddListener(&fEventProbe, 0.0f);
    }

    float StateTime(const char16_t* apId) { return fStates->GetState(VoString(apId))->GetNumber(); }

    ScopedEngine fEngine;
    VoGameClock* fClock;      // not owned
    VoStateManager* fStates;  // not owned
    VoEventManager* fEvents;  // not owned
    Journal fJournal;
    EventProbe fEventProbe{"event", &fJournal};
    StateProbe fStateProbe{"state", &fJournal};
};

// A delayed event "evt_late" at time 1.5 on clock 0 due at 4.0, and a delayed
// state "s" = "on" at time 0 on clock 2 due at 9.0, behind current clock 3.
const Bytes kClockRecord = {
    0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,                          // current 3, count 2
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x40, 0x00, 0x00, 0x00, 0x00,  // event, 4.0, clock 0
    0x08, 0x00, 0x00, 0x00, 0x65, 0x00, 0x76, 0x00, 0x74, 0x00, 0x5F, 0x00,
    0x6C, 0x00,                                                              // "evt_l
    0x61, 0x00, 0x74, 0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x3F,  // ate", 1.5
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x41, 0x02, 0x00, 0x00, 0x00,  // state, 9.0, clock 2
    0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x73, 0x00,                                                               // time 0, string, "s"
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x6F, 0x00, 0x6E, 0x00, 0x00, 0x00};  // "on"

}  // namespace

TEST_F(VoGameClockTest, IsOneCleanerOwnedInstanceWithItsId) {
    ASSERT_NE(fClock, nullptr);
    EXPECT_EQ(VoGameClock::GetInstance(), fClock);
    EXPECT_EQ(Narrow(fClock->GetId()), "gameclock");
    EXPECT_EQ(Narrow(fClock->ToString()), "[VoGameClock <" + HexAddress(fClock) + ">]");
    EXPECT_EQ(Narrow(VoGameClock::TimeStateId(12)), "currenttime_clock_12");
}

TEST_F(VoGameClockTest, GetTimeMakesAZeroTimeStateAndOnlyTheIndexedFormTellsListeners) {
    fStates->AddListener(&fStateProbe, 0.0f);
    EXPECT_EQ(fClock->GetTime(), 0.0f);
    EXPECT_TRUE(fStates->HasState(VoString(u"currenttime_clock_0")));
    EXPECT_TRUE(fJournal.empty());
    EXPECT_EQ(fClock->GetTime(3), 0.0f);
    EXPECT_EQ(StateTime(u"currenttime_clock_3"), 0.0f);
    EXPECT_EQ(fJournal, (Journal{"state:currenttime_clock_3", "state:currenttime_clock_3"}));
}

TEST_F(VoGameClockTest, ClocksAreIndependentAndANegativeIndexMeansTheCurrentOne) {
    fClock->AdvanceTime(1, 2.0f, false);
    fClock->AdvanceTime(1, 0.5f, false);
    fClock->AdvanceTime(2, 7.0f, false);
    EXPECT_EQ(fClock->GetTime(1), 2.5f);
    EXPECT_EQ(fClock->GetTime(2), 7.0f);
    EXPECT_EQ(fClock->GetTime(), 0.0f);
    fClock->SetCurrentClock(2);
    EXPECT_EQ(fClock->GetTime(), 7.0f);
    EXPECT_EQ(fClock->GetTime(-1), 7.0f);
    fClock->AdvanceTime(-5, 1.0f, false);
    EXPECT_EQ(StateTime(u"currenttime_clock_2"), 8.0f);
}

TEST_F(VoGameClockTest, AdvanceTimeAlwaysTellsStateListenersAndClockListenersOnlyWhenAsked) {
    ClockProbe first{"first", &fJournal}, second{"second", &fJournal};
    EXPECT_TRUE(fClock->AddListener(&first));
    EXPECT_TRUE(fClock->AddListener(&second));
    EXPECT_TRUE(fClock->AddListener(&first));
    fStates->AddListener(&fStateProbe, 0.0f);
    // A missing time state is created from the delta: the state listeners hear twice.
    fClock->AdvanceTime(1, 1.5f, true);
    EXPECT_EQ(fJournal, (Journal{"state:currenttime_clock_1", "state:currenttime_clock_1", "first:1=1.500000",
                                 "second:1=1.500000"}));
    fJournal.clear();
    fClock->AdvanceTime(1, 1.0f, false);
    EXPECT_EQ(fJournal, Journal{"state:currenttime_clock_1"});
    EXPECT_EQ(StateTime(u"currenttime_clock_1"), 2.5f);
}

TEST_F(VoGameClockTest, ClockListenersRemovedDuringTheWalkAreSkipped) {
    LogCapture log;
    ClockProbe first{"first", &fJournal}, second{"second", &fJournal};
    fClock->AddListener(&first);
    fClock->AddListener(&second);
    first.fAction = [&] { fClock->RemoveListener(&second); };
    fClock->AdvanceTime(1.0f, true);
    EXPECT_EQ(fJournal, Journal{"first:0=1.000000"});
    EXPECT_FALSE(fClock->RemoveListener(&second));
    EXPECT_TRUE(log.Contains(VoGameClock::kRemoveListenerFailure));
    EXPECT_FALSE(fClock->RemoveListener(nullptr));
    EXPECT_TRUE(log.Contains(VoGameClock::kRemoveListenerNull));
    EXPECT_FALSE(fClock->AddListener(nullptr));
    EXPECT_TRUE(log.Contains(VoGameClock::kAddListenerNull));
}

TEST_F(VoGameClockTest, ResetTimeZeroesTheClockAndResetKeepsTheTimes) {
    fClock->AdvanceTime(1, 4.0f, false);
    fClock->ResetTime(1);
    EXPECT_EQ(fClock->GetTime(1), 0.0f);
    fClock->ResetTime(4);
    EXPECT_TRUE(fStates->HasState(VoString(u"currenttime_clock_4")));

    fClock->AdvanceTime(1, 4.0f, false);
    fClock->SetCurrentClock(1);
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, -1);
    fClock->Reset();
    EXPECT_EQ(fClock->GetCurrentClock(), 0);
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
    EXPECT_EQ(fClock->GetTime(1), 4.0f);
}

TEST_F(VoGameClockTest, ATriggerFiresWhenItsClockReachesItsDueTime) {
    ASSERT_TRUE(fClock->AddDelayedTrigger(VoString(u"EVT_A"), 2.0f, 0));
    fClock->AdvanceTime(1.5f, false);
    EXPECT_TRUE(fJournal.empty());
    fClock->AdvanceTime(0.5f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_a"});
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, TriggersFireByDueTimeAndEqualDueTimesInSchedulingOrder) {
    fClock->AddDelayedTrigger(VoString(u"evt_first"), 3.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_second"), 3.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_early"), 1.0f, 0);
    fClock->AdvanceTime(5.0f, false);
    EXPECT_EQ(fJournal, (Journal{"event:evt_early", "event:evt_first", "event:evt_second"}));
}

TEST_F(VoGameClockTest, ATriggerOnAnotherClockWaitsForItsOwnClock) {
    fClock->AddDelayedTrigger(VoString(u"evt_two"), 1.0f, 2);
    fClock->AddDelayedTrigger(VoString(u"evt_one"), 2.0f, 1);
    fClock->AdvanceTime(1, 5.0f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_one"});
    fClock->AdvanceTime(2, 0.5f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_one"});
    fClock->AdvanceTime(2, 0.5f, false);
    EXPECT_EQ(fJournal, (Journal{"event:evt_one", "event:evt_two"}));
}

TEST_F(VoGameClockTest, ANegativeClockIsResolvedWhenTheTriggerIsScheduled) {
    fClock->SetCurrentClock(3);
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, -1);
    EXPECT_EQ(fClock->GetTrigger(0)->GetClock(), 3);
    fClock->SetCurrentClock(0);
    fClock->AdvanceTime(2.0f, false);
    EXPECT_TRUE(fJournal.empty());
    fClock->AdvanceTime(3, 2.0f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_a"});
}

TEST_F(VoGameClockTest, AnEventKeepsTheTimeAtWhichItWasScheduled) {
    fClock->AdvanceTime(1, 10.0f, false);
    fClock->AdvanceTime(0, 3.0f, false);
    // Stamped with the current clock's time, whichever clock it waits on.
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 2.0f, 1);
    fClock->AdvanceTime(0, 20.0f, false);
    fClock->AdvanceTime(1, 2.0f, false);
    ASSERT_TRUE(fEvents->HasEvent(VoString(u"evt_a")));
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_a"))->GetTime(), 3.0f);
}

TEST_F(VoGameClockTest, ADueTriggerWaitsForTheNextAdvanceEvenByZero) {
    fClock->AdvanceTime(2.0f, false);
    fClock->AddDelayedTrigger(VoString(u"evt_now"), 0.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_past"), -1.0f, 0);
    EXPECT_TRUE(fJournal.empty());
    fClock->AdvanceTime(0.0f, false);
    EXPECT_EQ(fJournal, (Journal{"event:evt_past", "event:evt_now"}));
}

TEST_F(VoGameClockTest, ADelayedEventRecordedMeanwhileIsDropped) {
    LogCapture log;
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, 0);
    fEvents->AddEvent(VoString(u"evt_a"), false);
    fClock->AdvanceTime(1.0f, false);
    EXPECT_TRUE(log.Contains("AddEvent failure. ID duplication: evt_a"));
    EXPECT_TRUE(fJournal.empty());
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, ADelayedStateChangeOnlyCreatesAMissingState) {
    fStates->AddListener(&fStateProbe, 0.0f);
    const VoString text(u"open");
    ASSERT_TRUE(fClock->AddDelayedStateChange(VoString(u"Sta_Text"), &text, 1.0f, 0));
    ASSERT_TRUE(fClock->AddDelayedStateChange(VoString(u"sta_number"), 2.5f, 1.0f, 0));
    ASSERT_TRUE(fClock->AddDelayedStateChange(VoString(u"sta_flag"), true, 1.0f, 0));
    fStates->SetState(VoString(u"sta_flag"), VoString(u"boolean"), VoString(u"false"), false);
    fJournal.clear();
    fClock->AdvanceTime(1.0f, false);
    EXPECT_EQ(fJournal, (Journal{"state:currenttime_clock_0", "state:sta_text", "state:sta_number"}));
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(fStates->GetState(VoString(u"sta_text"))->GetValue())),
              "open");
    EXPECT_EQ(StateTime(u"sta_number"), 2.5f);
    EXPECT_FALSE(fStates->GetState(VoString(u"sta_flag"))->GetBoolean());
}

TEST_F(VoGameClockTest, LiteralsReachTheStringAndNumberForms) {
    ASSERT_TRUE(fClock->AddDelayedStateChange(u"sta_wide", u"open", 1.0f, 0));
    ASSERT_TRUE(fClock->AddDelayedStateChange(u"sta_narrow", "shut", 1.0f, 0));
    ASSERT_TRUE(fClock->AddDelayedStateChange(u"sta_count", 3, 1.0f, 0));
    ASSERT_TRUE(fClock->AddDelayedStateChange(u"sta_zero", 0, 1.0f, 0));
    fClock->AdvanceTime(1.0f, false);
    struct Case {
        const char16_t* id;
        std::int32_t type;
    };
    for (const Case& c : {Case{u"sta_wide", VoIState::kString}, Case{u"sta_narrow", VoIState::kString},
                          Case{u"sta_count", VoIState::kNumber}, Case{u"sta_zero", VoIState::kNumber}}) {
        const VoIState* state = fStates->GetState(VoString(c.id));
        ASSERT_NE(state, nullptr) << Narrow(VoString(c.id));
        EXPECT_EQ(state->GetType(), c.type) << Narrow(VoString(c.id));
    }
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(fStates->GetState(VoString(u"sta_wide"))->GetValue())),
              "open");
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(fStates->GetState(VoString(u"sta_narrow"))->GetValue())),
              "shut");
    EXPECT_EQ(StateTime(u"sta_count"), 3.0f);
    EXPECT_EQ(StateTime(u"sta_zero"), 0.0f);

    LogCapture log;
    EXPECT_FALSE(fClock->AddDelayedStateChange(u"sta_none", static_cast<const char16_t*>(nullptr), 1.0f, 0));
    EXPECT_TRUE(log.Contains(VoIState::kSetNullArg));
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, FailedSchedulingLeavesNothingBehind) {
    LogCapture log;
    EXPECT_FALSE(fClock->AddDelayedStateChange(VoString(), true, 1.0f, 0));
    EXPECT_FALSE(fClock->AddDelayedStateChange(VoString(u"s"), VoIState::kString, nullptr, 1.0f, 0));
    const float value = 1.0f;
    EXPECT_FALSE(fClock->AddDelayedStateChange(VoString(u"s"), 9, &value, 1.0f, 0));
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, AListenerThatAdvancesTheClockFromAFiringCannotFireATriggerTwice) {
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_b"), 1.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_c"), 3.0f, 0);
    fEventProbe.fAction = [this](VoEvent* apEvent) {
        if (apEvent->GetId() == VoString(u"evt_a")) {
            fClock->AdvanceTime(5.0f, false);
        }
    };
    fClock->AdvanceTime(1.0f, false);
    EXPECT_EQ(fJournal, (Journal{"event:evt_a", "event:evt_b", "event:evt_c"}));
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, ATriggerScheduledDuringAFiringWaitsForTheNextAdvance) {
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, 0);
    fEventProbe.fAction = [this](VoEvent* apEvent) {
        if (apEvent->GetId() == VoString(u"evt_a")) {
            fClock->AddDelayedTrigger(VoString(u"evt_then"), 0.0f, 0);
        }
    };
    fClock->AdvanceTime(1.0f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_a"});
    fClock->AdvanceTime(0.0f, false);
    EXPECT_EQ(fJournal, (Journal{"event:evt_a", "event:evt_then"}));
}

TEST_F(VoGameClockTest, AResetDuringAFiringCancelsTheTriggersStillPending) {
    fClock->AddDelayedTrigger(VoString(u"evt_a"), 1.0f, 0);
    fClock->AddDelayedTrigger(VoString(u"evt_b"), 1.0f, 0);
    fEventProbe.fAction = [this](VoEvent*) { fClock->Reset(); };
    fClock->AdvanceTime(1.0f, false);
    EXPECT_EQ(fJournal, Journal{"event:evt_a"});
}

TEST_F(VoGameClockTest, ATimeStateOfAnotherTypeIsTakenBackAsANumber) {
    LogCapture log;
    fStates->SetState(VoString(u"currenttime_clock_0"), VoString(u"string"), VoString(u"noon"), false);
    EXPECT_EQ(fClock->GetTime(), 0.0f);
    EXPECT_TRUE(log.Contains(VoGameClock::kTimeStateNotNumber));
    fClock->AdvanceTime(2.0f, false);
    const VoIState* state = fStates->GetState(VoString(u"currenttime_clock_0"));
    ASSERT_EQ(state->GetType(), VoIState::kNumber);
    EXPECT_EQ(state->GetNumber(), 2.0f);
    EXPECT_EQ(fClock->GetTime(), 2.0f);
}

TEST_F(VoGameClockTest, SaveRecordsAreByteExact) {
    EXPECT_EQ(Written([this](VoIStream* s) { return fClock->Save(s); }), (Bytes{0, 0, 0, 0, 0, 0, 0, 0}));
    fClock->AdvanceTime(1.5f, false);
    fClock->AddDelayedTrigger(VoString(u"evt_late"), 2.5f, 0);
    const VoString on(u"on");
    fClock->AddDelayedStateChange(VoString(u"s"), &on, 9.0f, 2);
    fClock->SetCurrentClock(3);
    EXPECT_EQ(Written([this](VoIStream* s) { return fClock->Save(s); }), kClockRecord);
}

TEST_F(VoGameClockTest, OnLoadRestoresTheCurrentClockAndEveryTriggerInOrder) {
    fClock->AddDelayedTrigger(VoString(u"evt_dropped"), 1.0f, 0);
    TestStream in(kClockRecord);
    ASSERT_TRUE(fClock->OnLoad(&in, 1.0f));
    EXPECT_EQ(fClock->GetCurrentClock(), 3);
    ASSERT_EQ(fClock->GetTriggerCount(), 2);
    EXPECT_EQ(fClock->GetTrigger(0)->GetKind(), VoDelayedTrigger::kEvent);
    EXPECT_EQ(fClock->GetTrigger(0)->GetDueTime(), 4.0f);
    EXPECT_EQ(fClock->GetTrigger(1)->GetKind(), VoDelayedTrigger::kState);
    EXPECT_EQ(fClock->GetTrigger(1)->GetClock(), 2);
    EXPECT_EQ(Written([this](VoIStream* s) { return fClock->Save(s); }), kClockRecord);

    fClock->AdvanceTime(0, 4.0f, false);
    ASSERT_TRUE(fEvents->HasEvent(VoString(u"evt_late")));
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_late"))->GetTime(), 1.5f);
    fClock->AdvanceTime(2, 9.0f, false);
    EXPECT_TRUE(fStates->HasState(VoString(u"s")));
}

TEST_F(VoGameClockTest, OnLoadOfATruncatedRecordSchedulesOnlyWholeTriggers) {
    LogCapture log;
    for (std::size_t cut = 1; cut <= kClockRecord.size(); ++cut) {
        TestStream in(Truncated(kClockRecord, cut));
        EXPECT_FALSE(fClock->OnLoad(&in, 1.0f)) << "cut " << cut;
        EXPECT_LE(fClock->GetTriggerCount(), 1);
    }
    TestStream hidden(Truncated(kClockRecord, 1));
    hidden.HideSize();
    EXPECT_FALSE(fClock->OnLoad(&hidden, 1.0f));
    ASSERT_EQ(fClock->GetTriggerCount(), 1);
    EXPECT_EQ(fClock->GetTrigger(0)->GetKind(), VoDelayedTrigger::kEvent);
}

TEST_F(VoGameClockTest, OnLoadRefusesATriggerWhoseStateCannotBeRead) {
    LogCapture log;
    Bytes record = kClockRecord;
    record[62] = 0x07;  // the delayed state's type
    TestStream in(record);
    EXPECT_FALSE(fClock->OnLoad(&in, 1.0f));
    EXPECT_TRUE(log.Contains(VoIState::kReadInvalidType));
    EXPECT_EQ(fClock->GetTriggerCount(), 1);
    TestStream tooMany(Bytes{0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00} +
                       Bytes(kClockRecord.begin() + 8, kClockRecord.end()));
    EXPECT_FALSE(fClock->OnLoad(&tooMany, 1.0f));
    EXPECT_TRUE(log.Contains("OnLoad failure. Record count exceeds the data: 4"));
    EXPECT_EQ(fClock->GetTriggerCount(), 0);
}

TEST_F(VoGameClockTest, OnLoadTakesAnyStoredKindButOneForAnEvent) {
    Bytes record = kClockRecord;
    record[8] = 0x05;
    TestStream in(record);
    ASSERT_TRUE(fClock->OnLoad(&in, 1.0f));
    EXPECT_EQ(fClock->GetTrigger(0)->GetKind(), VoDelayedTrigger::kEvent);
}
