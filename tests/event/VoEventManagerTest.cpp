#include "event/VoEventManager.h"

#include <gtest/gtest.h>

#include "container/VoVectorString.h"
#include "memory/ScopedHeap.h"
#include "support/RuntimeTestSupport.h"
#include "time/VoGameClock.h"

namespace {

const Bytes kEmpty = {0x00, 0x00, 0x00, 0x00};
// "evt_a" at time 2.0 and "evt_b" at time 0.
const Bytes kEventA = {0x05, 0x00, 0x00, 0x00, 0x65, 0x00, 0x76, 0x00, 0x74, 0x00,
                       0x5F, 0x00, 0x61, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};
const Bytes kEventB = {0x05, 0x00, 0x00, 0x00, 0x65, 0x00, 0x76, 0x00, 0x74, 0x00,
                       0x5F, 0x00, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
const Bytes kTwoEvents = Bytes{0x02, 0x00, 0x00, 0x00} + kEventA + kEventB;

VoVectorString Ids(std::initializer_list<const char16_t*> aIds) {
    VoVectorString ids;
    for (const char16_t* id : aIds) {
        ids.Add(VoString(id));
    }
    return ids;
}

class VoEventManagerTest : public ::testing::Test {
protected:
    VoEventManagerTest() : fEvents(VoEventManager::GetInstance()) {}

    ScopedEngine fEngine;
    VoEventManager* fEvents;  // not owned
    Journal fJournal;
    EventProbe fA{"A", &fJournal}, fB{"B", &fJournal}, fC{"C", &fJournal};
};

}  // namespace

TEST_F(VoEventManagerTest, IsOneCleanerOwnedInstanceWithItsId) {
    ASSERT_NE(fEvents, nullptr);
    EXPECT_EQ(VoEventManager::GetInstance(), fEvents);
    EXPECT_EQ(Narrow(fEvents->GetId()), "eventmanager");
    EXPECT_EQ(Narrow(fEvents->ToString()), "[VoEventManager <" + HexAddress(fEvents) + ">]");
}

TEST_F(VoEventManagerTest, DestructorWritesItsLine) {
    LogCapture log;
    fEvents->AddEvent(VoString(u"evt_a"), false);
    delete VoCleaner::PeekInstance();
    EXPECT_EQ(log.Count("~VoEventManager()"), 1);
    EXPECT_EQ(VoEventManager::GetInstance(), nullptr);
}

TEST_F(VoEventManagerTest, AddEventRecordsTheIdInLowerCaseOnce) {
    LogCapture log;
    fEvents->AddListener(&fA, 0.0f);
    ASSERT_TRUE(fEvents->AddEvent(VoString(u"EVT_A"), true));
    EXPECT_EQ(fJournal, Journal{"A:evt_a"});
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"evt_a")));
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"Evt_A")));

    fJournal.clear();
    EXPECT_FALSE(fEvents->AddEvent(VoString(u"evt_a"), true));
    EXPECT_FALSE(fEvents->AddEvent(VoString(u"Evt_a"), true));
    EXPECT_EQ(log.Count("AddEvent failure. ID duplication: evt_a"), 2);
    EXPECT_TRUE(fJournal.empty());
    EXPECT_EQ(fEvents->GetEventCount(), 1);
}

TEST_F(VoEventManagerTest, AddEventWithoutNotifyTellsNobody) {
    fEvents->AddListener(&fA, 0.0f);
    ASSERT_TRUE(fEvents->AddEvent(VoString(u"evt_a"), false));
    EXPECT_TRUE(fJournal.empty());
}

TEST_F(VoEventManagerTest, ABuiltEventKeepsItsTimeAndARefusedOneStaysTheCallers) {
    LogCapture log;
    VoGameClock::GetInstance()->AdvanceTime(3.0f, false);
    VoEvent* built = new VoEvent(VoString(u"evt_a"));
    VoGameClock::GetInstance()->AdvanceTime(4.0f, false);
    ASSERT_TRUE(fEvents->AddEvent(built, false));
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_a"))->GetTime(), 3.0f);

    VoEvent second(VoString(u"evt_a"));
    EXPECT_FALSE(fEvents->AddEvent(&second, true));
    EXPECT_TRUE(log.Contains("AddEvent failure. ID duplication: evt_a"));
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_a")), built);
}

TEST_F(VoEventManagerTest, ConstantEventsIgnoreWhatIsRecorded) {
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"evt_always")));
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"EvtAlways")));
    EXPECT_FALSE(fEvents->HasEvent(VoString(u"evt_never")));
    ASSERT_TRUE(fEvents->AddEvent(VoString(u"evt_never"), false));
    ASSERT_TRUE(fEvents->AddEvent(VoString(u"evtnever"), false));
    EXPECT_FALSE(fEvents->HasEvent(VoString(u"evt_never")));
    EXPECT_FALSE(fEvents->HasEvent(VoString(u"EVTNEVER")));
}

TEST_F(VoEventManagerTest, HasAllEventsAndHasAnyEvent) {
    fEvents->AddEvent(VoString(u"evt_a"), false);
    fEvents->AddEvent(VoString(u"evt_b"), false);
    EXPECT_TRUE(fEvents->HasAllEvents(Ids({})));
    EXPECT_FALSE(fEvents->HasAnyEvent(Ids({})));
    EXPECT_TRUE(fEvents->HasAllEvents(Ids({u"EVT_A", u"evtalways", u"evt_b"})));
    EXPECT_FALSE(fEvents->HasAllEvents(Ids({u"evt_a", u"evt_c"})));
    EXPECT_FALSE(fEvents->HasAllEvents(Ids({u"evt_a", u"evt_never"})));
    EXPECT_FALSE(fEvents->HasAnyEvent(Ids({u"evtnever", u"evt_c"})));
    EXPECT_TRUE(fEvents->HasAnyEvent(Ids({u"evt_c", u"Evt_B"})));
    EXPECT_TRUE(fEvents->HasAnyEvent(Ids({u"evt_c", u"evt_always"})));
}

TEST_F(VoEventManagerTest, GetEventOfAnAbsentIdNamesItAsPassed) {
    LogCapture log;
    fEvents->AddEvent(VoString(u"evt_a"), false);
    EXPECT_NE(fEvents->GetEvent(VoString(u"EVT_A")), nullptr);
    EXPECT_EQ(fEvents->GetEvent(VoString(u"Evt_Missing")), nullptr);
    EXPECT_TRUE(log.Contains("GetEvent failure: Evt_Missing"));
}

TEST_F(VoEventManagerTest, PeekEventFindsWithoutALogLine) {
    LogCapture log;
    fEvents->AddEvent(VoString(u"evt_a"), false);
    EXPECT_EQ(fEvents->PeekEvent(VoString(u"EVT_A")), fEvents->GetEvent(VoString(u"evt_a")));
    EXPECT_EQ(fEvents->PeekEvent(VoString(u"evt_missing")), nullptr);
    EXPECT_EQ(fEvents->PeekEvent(VoString(u"evtalways")), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoEventManagerTest, RemoveEventHandsTheEventToTheCaller) {
    LogCapture log;
    fEvents->AddListener(&fA, 0.0f);
    fEvents->AddEvent(VoString(u"evt_a"), false);
    VoEvent* removed = nullptr;
    ASSERT_TRUE(fEvents->RemoveEvent(VoString(u"EVT_A"), &removed));
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(Narrow(removed->GetId()), "evt_a");
    EXPECT_FALSE(fEvents->HasEvent(VoString(u"evt_a")));
    EXPECT_TRUE(fJournal.empty());

    EXPECT_FALSE(fEvents->RemoveEvent(VoString(u"evt_a"), &removed));
    EXPECT_TRUE(log.Contains(VoEventManager::kInvalidArgument));
    EXPECT_FALSE(fEvents->RemoveEvent(VoString(u"evt_a"), nullptr));
    delete removed;
    removed = nullptr;
    EXPECT_FALSE(fEvents->RemoveEvent(VoString(u"evt_a"), &removed));
    EXPECT_TRUE(log.Contains(VoEventManager::kRemoveFailure));
    EXPECT_EQ(removed, nullptr);
}

TEST_F(VoEventManagerTest, ClearEventsForgetsEverything) {
    fEvents->AddEvent(VoString(u"evt_a"), false);
    fEvents->ClearEvents();
    EXPECT_EQ(fEvents->GetEventCount(), 0);
    EXPECT_TRUE(fEvents->AddEvent(VoString(u"evt_a"), false));
}

TEST_F(VoEventManagerTest, ListenersAreToldInDescendingOrder) {
    fEvents->AddListener(&fA, -1.0f);
    fEvents->AddListener(&fB, 5.0f);
    fEvents->AddListener(&fC, -1.0f);
    fEvents->AddListener(&fB, -50.0f);
    fEvents->AddEvent(VoString(u"evt_a"), true);
    EXPECT_EQ(fJournal, (Journal{"B:evt_a", "A:evt_a", "C:evt_a"}));
}

TEST_F(VoEventManagerTest, ListenerRegistrationFailures) {
    LogCapture log;
    EXPECT_FALSE(fEvents->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(log.Contains(VoEventManager::kAddListenerNull));
    EXPECT_FALSE(fEvents->RemoveListener(nullptr));
    EXPECT_TRUE(log.Contains(VoEventManager::kRemoveListenerNull));
    log.Clear();
    EXPECT_FALSE(fEvents->RemoveListener(&fA));
    EXPECT_TRUE(log.Contains(VoEventManager::kRemoveListenerFailure));
}

TEST_F(VoEventManagerTest, StopNotifyInsideEndsTheNotificationAndOutsideSwallowsTheNext) {
    fEvents->AddListener(&fA, 1.0f);
    fEvents->AddListener(&fB, 0.0f);
    fA.fAction = [this](VoEvent*) { fEvents->StopNotify(); };
    fEvents->AddEvent(VoString(u"evt_a"), true);
    EXPECT_EQ(fJournal, Journal{"A:evt_a"});

    fA.fAction = nullptr;
    fJournal.clear();
    fEvents->StopNotify();
    fEvents->AddEvent(VoString(u"evt_b"), true);
    EXPECT_TRUE(fJournal.empty());
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"evt_b")));
    fEvents->AddEvent(VoString(u"evt_c"), true);
    EXPECT_EQ(fJournal, (Journal{"A:evt_c", "B:evt_c"}));
}

TEST_F(VoEventManagerTest, AnEventAddedByAListenerIsAnnouncedInsideTheOuterNotification) {
    fEvents->AddListener(&fA, 2.0f);
    fEvents->AddListener(&fB, 1.0f);
    fEvents->AddListener(&fC, 0.0f);
    fA.fAction = [this](VoEvent* apEvent) {
        if (apEvent->GetId() == VoString(u"evt_outer")) {
            fEvents->AddEvent(VoString(u"evt_inner"), true);
        }
    };
    fB.fAction = [this](VoEvent* apEvent) {
        if (apEvent->GetId() == VoString(u"evt_inner")) {
            fEvents->RemoveListener(&fC);
        }
    };
    fEvents->AddEvent(VoString(u"evt_outer"), true);
    EXPECT_EQ(fJournal, (Journal{"A:evt_outer", "A:evt_inner", "B:evt_inner", "B:evt_outer"}));
}

TEST_F(VoEventManagerTest, SaveRecordsAreByteExact) {
    EXPECT_EQ(Written([this](VoIStream* s) { return fEvents->Save(s); }), kEmpty);
    VoGameClock::GetInstance()->AdvanceTime(2.0f, false);
    fEvents->AddEvent(VoString(u"evt_a"), false);
    VoGameClock::GetInstance()->ResetTime();
    fEvents->AddEvent(VoString(u"evt_b"), false);
    EXPECT_EQ(Written([this](VoIStream* s) { return fEvents->Save(s); }), kTwoEvents);
}

TEST_F(VoEventManagerTest, OnLoadAddsToTheHeldEventsWithoutTellingListeners) {
    fEvents->AddEvent(VoString(u"evt_c"), false);
    fEvents->AddListener(&fA, 0.0f);
    TestStream in(kTwoEvents);
    ASSERT_TRUE(fEvents->OnLoad(&in, 1.0f));
    EXPECT_EQ(fEvents->GetEventCount(), 3);
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_a"))->GetTime(), 2.0f);
    EXPECT_TRUE(fJournal.empty());

    fEvents->ClearEvents();
    TestStream again(kTwoEvents);
    ASSERT_TRUE(fEvents->OnLoad(&again, 1.0f));
    EXPECT_EQ(Written([this](VoIStream* s) { return fEvents->Save(s); }), kTwoEvents);

    TestStream empty(kEmpty);
    EXPECT_TRUE(fEvents->OnLoad(&empty, 1.0f));
    EXPECT_EQ(fEvents->GetEventCount(), 2);
}

TEST_F(VoEventManagerTest, OnLoadKeepsAHeldEventAndGoesOn) {
    LogCapture log;
    fEvents->AddEvent(VoString(u"evt_a"), false);
    VoEvent* held = fEvents->GetEvent(VoString(u"evt_a"));
    TestStream in(kTwoEvents);
    EXPECT_FALSE(fEvents->OnLoad(&in, 1.0f));
    EXPECT_TRUE(log.Contains("OnLoad warning. Could not add event: evt_a"));
    EXPECT_EQ(fEvents->GetEvent(VoString(u"evt_a")), held);
    EXPECT_TRUE(fEvents->HasEvent(VoString(u"evt_b")));
}

TEST_F(VoEventManagerTest, OnLoadDeletesTheEventsItRefuses) {
    LogCapture log;
    fEvents->AddEvent(VoString(u"evt_a"), false);
    TestStream in(Bytes{0x01, 0x00, 0x00, 0x00} + kEventA);
    ScopedHeap heap(u"eventmanager-onload");
    EXPECT_FALSE(fEvents->OnLoad(&in, 1.0f));
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
}

TEST_F(VoEventManagerTest, OnLoadOfATruncatedRecordFailsCleanly) {
    LogCapture log;
    for (std::size_t cut = 1; cut <= kTwoEvents.size(); ++cut) {
        fEvents->ClearEvents();
        TestStream in(Truncated(kTwoEvents, cut));
        EXPECT_FALSE(fEvents->OnLoad(&in, 1.0f)) << "cut " << cut;
        EXPECT_FALSE(fEvents->HasEvent(VoString(u"evt_b")));
    }
    fEvents->ClearEvents();
    TestStream hidden(Truncated(kTwoEvents, 1));
    hidden.HideSize();
    EXPECT_FALSE(fEvents->OnLoad(&hidden, 1.0f));
    EXPECT_EQ(fEvents->GetEventCount(), 1);
}

TEST_F(VoEventManagerTest, OnLoadRefusesCountsTheDataCannotHold) {
    LogCapture log;
    TestStream in(Bytes{0x00, 0x00, 0x01, 0x00} + kEventA);
    EXPECT_FALSE(fEvents->OnLoad(&in, 1.0f));
    EXPECT_TRUE(log.Contains("OnLoad failure. Record count exceeds the data: 65536"));
    EXPECT_EQ(fEvents->GetEventCount(), 0);
}
