#include "state/VoStateManager.h"

#include <gtest/gtest.h>

#include "memory/ScopedHeap.h"
#include "support/RuntimeTestSupport.h"
#include "system/VoITimer.h"

namespace {

const Bytes kEmpty = {0x00, 0x00, 0x00, 0x00};
const Bytes kOneState = {0x01, 0x00, 0x00, 0x00};
// "a" = true at time 0.
const Bytes kBooleanA = {0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
                         0x00, 0x00, 0x00, 0x61, 0x00, 0x00, 0x00, 0x01};
// "b" = 2.0 at time 0.
const Bytes kNumberB = {0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00,
                        0x00, 0x00, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};

class VoStateManagerTest : public ::testing::Test {
protected:
    VoStateManagerTest() : fStates(VoStateManager::GetInstance()) {}

    // A new state of the manager, without notification.
    VoIState* Add(const char16_t* apId, std::int32_t aType, const void* apValue) {
        VoIState* state = new VoIState();
        EXPECT_TRUE(state->Set(VoString(apId), aType, apValue));
        EXPECT_TRUE(fStates->AddState(state, false, false));
        return state;
    }
    VoIState* AddFlag(const char16_t* apId, bool aValue) { return Add(apId, VoIState::kBoolean, &aValue); }

    ScopedEngine fEngine;
    VoStateManager* fStates;  // not owned
    Journal fJournal;
    StateProbe fA{"A", &fJournal}, fB{"B", &fJournal}, fC{"C", &fJournal};
};

}  // namespace

TEST_F(VoStateManagerTest, IsOneCleanerOwnedInstanceWithItsId) {
    ASSERT_NE(fStates, nullptr);
    EXPECT_EQ(VoStateManager::GetInstance(), fStates);
    EXPECT_EQ(Narrow(fStates->GetId()), "statemanager");
    EXPECT_EQ(Narrow(fStates->ToString()), "[VoStateManager <" + HexAddress(fStates) + ">]");
    EXPECT_TRUE(fStates->Initialize(0));
}

TEST_F(VoStateManagerTest, LookupsIgnoreCaseButTextAndRawSetStateDoNot) {
    LogCapture log;
    VoIState* state = AddFlag(u"sta_door", false);
    EXPECT_TRUE(fStates->HasState(VoString(u"STA_Door")));
    EXPECT_EQ(fStates->GetState(VoString(u"Sta_DOOR")), state);
    EXPECT_FALSE(fStates->HasState(VoString(u"sta_window")));

    EXPECT_FALSE(fStates->SetState(VoString(u"STA_DOOR"), VoString(u"true"), false));
    EXPECT_TRUE(log.Contains("SetState failure. ID not found:STA_DOOR, value:true"));
    const bool yes = true;
    EXPECT_FALSE(fStates->SetState(VoString(u"STA_DOOR"), &yes, false));
    EXPECT_EQ(log.Count("SetState failure. ID not found:STA_DOOR"), 2);
    EXPECT_FALSE(state->GetBoolean());
}

TEST_F(VoStateManagerTest, EverySetStateFormRefusesEmptyArguments) {
    LogCapture log;
    AddFlag(u"a", false);
    EXPECT_FALSE(fStates->SetState(VoString(), VoString(u"true"), true));
    EXPECT_FALSE(fStates->SetState(VoString(u"a"), VoString(), true));
    EXPECT_FALSE(fStates->SetState(VoString(), static_cast<const void*>(&fA), true));
    EXPECT_FALSE(fStates->SetState(VoString(u"a"), static_cast<const void*>(nullptr), true));
    EXPECT_FALSE(fStates->SetState(VoString(), VoString(u"number"), VoString(u"1"), true));
    EXPECT_FALSE(fStates->SetState(VoString(u"a"), VoString(u"string"), VoString(), true));
    EXPECT_EQ(log.Count(VoStateManager::kSetStateInvalidArg), 6);
    EXPECT_EQ(fStates->GetStateCount(), 1);
}

TEST_F(VoStateManagerTest, SetStateStampsTheTimerTimeAndSetsTheValue) {
    const float zero = 0.0f;
    VoIState* state = Add(u"n", VoIState::kNumber, &zero);
    VoITimer* timer = VoITimer::GetInstance();
    ASSERT_NE(timer, nullptr);
    const float before = static_cast<float>(timer->GetTime());
    ASSERT_TRUE(fStates->SetState(VoString(u"n"), VoString(u"7.5"), false));
    const float after = static_cast<float>(timer->GetTime());
    EXPECT_EQ(state->GetNumber(), 7.5f);
    EXPECT_GE(state->GetTime(), before);
    EXPECT_LE(state->GetTime(), after);

    const float raw = -1.0f;
    ASSERT_TRUE(fStates->SetState(VoString(u"n"), &raw, false));
    EXPECT_EQ(state->GetNumber(), -1.0f);
}

TEST_F(VoStateManagerTest, TextLiteralsTakeTheTextForm) {
    const float zero = 0.0f;
    const VoString empty(u"");
    VoIState* flag = AddFlag(u"sta_flag", false);
    VoIState* number = Add(u"sta_n", VoIState::kNumber, &zero);
    VoIState* text = Add(u"sta_s", VoIState::kString, &empty);
    LogCapture log;
    ASSERT_TRUE(fStates->SetState(u"sta_flag", u"TRUE", false));
    EXPECT_TRUE(flag->GetBoolean());
    ASSERT_TRUE(fStates->SetState(u"sta_flag", "false", false));
    EXPECT_FALSE(flag->GetBoolean());
    ASSERT_TRUE(fStates->SetState(u"sta_n", u"7.5", false));
    EXPECT_EQ(number->GetNumber(), 7.5f);
    ASSERT_TRUE(fStates->SetState(u"sta_n", "-2", false));
    EXPECT_EQ(number->GetNumber(), -2.0f);
    ASSERT_TRUE(fStates->SetState(u"sta_s", u"Kitchen", false));
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(text->GetValue())), "Kitchen");
    ASSERT_TRUE(fStates->SetState(u"sta_s", "Hall", false));
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(text->GetValue())), "Hall");
    EXPECT_TRUE(log.Lines().empty());

    // A null text pointer fails as a null raw value does.
    const char16_t* none = nullptr;
    EXPECT_FALSE(fStates->SetState(u"sta_s", none, false));
    EXPECT_FALSE(fStates->SetState(u"sta_s", static_cast<const char*>(nullptr), false));
    EXPECT_EQ(log.Count(VoStateManager::kSetStateInvalidArg), 2);
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(text->GetValue())), "Hall");
}

TEST_F(VoStateManagerTest, AddStateOfAHeldIdIsRefusedSilentlyUnlessReplacing) {
    LogCapture log;
    VoIState* held = AddFlag(u"a", true);
    fStates->AddListener(&fA, 0.0f);
    const bool no = false;
    VoIState* offered = new VoIState();
    ASSERT_TRUE(offered->Set(VoString(u"A"), VoIState::kBoolean, &no));
    EXPECT_FALSE(fStates->AddState(offered, true, false));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(fStates->GetState(VoString(u"a")), held);
    EXPECT_TRUE(held->GetBoolean());
    EXPECT_TRUE(fJournal.empty());

    EXPECT_TRUE(fStates->AddState(offered, true, true));
    EXPECT_EQ(fStates->GetState(VoString(u"a")), offered);
    EXPECT_EQ(fStates->GetStateCount(), 1);
    EXPECT_EQ(fJournal, Journal{"A:a"});
    // The manager's own state is not taken twice.
    EXPECT_FALSE(fStates->AddState(offered, false, true));
    EXPECT_EQ(fStates->GetState(VoString(u"a")), offered);
}

TEST_F(VoStateManagerTest, AddStateOfNullIsAnError) {
    LogCapture log;
    EXPECT_FALSE(fStates->AddState(nullptr, true, true));
    EXPECT_TRUE(log.Contains(VoStateManager::kAddStateNull));
}

TEST_F(VoStateManagerTest, ListenersAreToldInDescendingOrderAndEqualOrdersInRegistrationOrder) {
    EXPECT_TRUE(fStates->AddListener(&fA, 0.0f));
    EXPECT_TRUE(fStates->AddListener(&fB, 10.0f));
    EXPECT_TRUE(fStates->AddListener(&fC, 0.0f));
    // Registering again keeps the first order.
    EXPECT_TRUE(fStates->AddListener(&fA, 99.0f));
    AddFlag(u"a", false);
    ASSERT_TRUE(fStates->SetState(VoString(u"a"), VoString(u"true"), true));
    EXPECT_EQ(fJournal, (Journal{"B:a", "A:a", "C:a"}));
}

TEST_F(VoStateManagerTest, ListenerRegistrationFailures) {
    LogCapture log;
    EXPECT_FALSE(fStates->AddListener(nullptr, 1.0f));
    EXPECT_TRUE(log.Contains(std::string("ERROR: engine/state/VoStateManager.cpp, ")));
    EXPECT_TRUE(log.Contains(VoStateManager::kAddListenerNull));
    EXPECT_FALSE(fStates->RemoveListener(nullptr));
    EXPECT_TRUE(log.Contains(VoStateManager::kRemoveListenerNull));
    log.Clear();
    EXPECT_FALSE(fStates->RemoveListener(&fA));
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoStateManagerTest, SettingTheSameValueNotifiesEveryTimeAndOnlyWhenAsked) {
    fStates->AddListener(&fA, 0.0f);
    AddFlag(u"a", true);
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    fStates->SetState(VoString(u"a"), VoString(u"true"), false);
    EXPECT_EQ(fJournal, (Journal{"A:a", "A:a"}));
}

TEST_F(VoStateManagerTest, StopNotifyInsideEndsTheNotificationAndOutsideSwallowsTheNext) {
    fStates->AddListener(&fA, 2.0f);
    fStates->AddListener(&fB, 1.0f);
    fStates->AddListener(&fC, 0.0f);
    AddFlag(u"a", false);
    fB.fAction = [this](VoIState*) { fStates->StopNotify(); };
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    EXPECT_EQ(fJournal, (Journal{"A:a", "B:a"}));

    fB.fAction = nullptr;
    fJournal.clear();
    fStates->StopNotify();
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    EXPECT_TRUE(fJournal.empty());
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    EXPECT_EQ(fJournal, (Journal{"A:a", "B:a", "C:a"}));
}

TEST_F(VoStateManagerTest, AListenerRemovedDuringANotificationIsSkippedAndOneAddedWaits) {
    fStates->AddListener(&fA, 2.0f);
    fStates->AddListener(&fB, 1.0f);
    AddFlag(u"a", false);
    fA.fAction = [this](VoIState*) {
        fStates->RemoveListener(&fB);
        fStates->AddListener(&fC, 0.0f);
    };
    fStates->SetState(VoString(u"a"), VoString(u"true"), true);
    EXPECT_EQ(fJournal, Journal{"A:a"});
}

TEST_F(VoStateManagerTest, ANotificationStartedByAListenerRunsInsideTheOuterOne) {
    fStates->AddListener(&fA, 2.0f);
    fStates->AddListener(&fB, 1.0f);
    fStates->AddListener(&fC, 0.0f);
    AddFlag(u"outer", false);
    AddFlag(u"inner", false);
    fA.fAction = [this](VoIState* apState) {
        if (apState->GetName() == VoString(u"outer")) {
            fStates->SetState(VoString(u"inner"), VoString(u"true"), true);
        }
    };
    // Removed by the inner notification: the outer one must not call it either.
    fB.fAction = [this](VoIState*) { fStates->RemoveListener(&fC); };
    fStates->SetState(VoString(u"outer"), VoString(u"true"), true);
    EXPECT_EQ(fJournal, (Journal{"A:outer", "A:inner", "B:inner", "B:outer"}));
}

TEST_F(VoStateManagerTest, StopNotifyInANestedNotificationEndsOnlyThatOne) {
    fStates->AddListener(&fA, 2.0f);
    fStates->AddListener(&fB, 1.0f);
    AddFlag(u"outer", false);
    AddFlag(u"inner", false);
    fA.fAction = [this](VoIState* apState) {
        if (apState->GetName() == VoString(u"outer")) {
            fStates->SetState(VoString(u"inner"), VoString(u"true"), true);
        } else {
            fStates->StopNotify();
        }
    };
    fStates->SetState(VoString(u"outer"), VoString(u"true"), true);
    EXPECT_EQ(fJournal, (Journal{"A:outer", "A:inner", "B:outer"}));
}

TEST_F(VoStateManagerTest, TypedSetStateCreatesAMissingStateAndAnnouncesItTwice) {
    fStates->AddListener(&fA, 0.0f);
    std::vector<float> seen;
    fA.fAction = [&seen](VoIState* apState) { seen.push_back(apState->GetNumber()); };
    ASSERT_TRUE(fStates->SetState(VoString(u"n"), VoString(u"number"), VoString(u"2"), true));
    VoIState* state = fStates->GetState(VoString(u"n"));
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetType(), VoIState::kNumber);
    EXPECT_EQ(state->GetNumber(), 2.0f);
    EXPECT_EQ(fJournal, (Journal{"A:n", "A:n"}));
    EXPECT_EQ(seen, (std::vector<float>{2.0f, 2.0f}));

    fJournal.clear();
    ASSERT_TRUE(fStates->SetState(VoString(u"n"), VoString(u"number"), VoString(u"3"), true));
    EXPECT_EQ(fJournal, Journal{"A:n"});
    EXPECT_EQ(state->GetNumber(), 3.0f);
}

TEST_F(VoStateManagerTest, TypedSetStateSurvivesAListenerThatClearsTheStatesAtTheFirstAnnouncement) {
    fStates->AddListener(&fA, 0.0f);
    VoStateManager* states = fStates;
    fA.fAction = [states](VoIState*) { states->ClearStates(); };
    EXPECT_TRUE(fStates->SetState(VoString(u"n"), VoString(u"number"), VoString(u"2"), true));
    // The state the second announcement was for is gone: nobody hears of it again.
    EXPECT_EQ(fJournal, Journal{"A:n"});
    EXPECT_EQ(fStates->GetStateCount(), 0);
}

TEST_F(VoStateManagerTest, TypedSetStateMakesStringsOfEveryOtherTypeName) {
    ASSERT_TRUE(fStates->SetState(VoString(u"b"), VoString(u"BOOLEAN"), VoString(u"True"), false));
    EXPECT_EQ(fStates->GetState(VoString(u"b"))->GetType(), VoIState::kBoolean);
    EXPECT_TRUE(fStates->GetState(VoString(u"b"))->GetBoolean());
    for (const char16_t* name : {u"string", u"", u"float"}) {
        const VoString id = VoString(u"s_") + VoString(name);
        ASSERT_TRUE(fStates->SetState(id, VoString(name), VoString(u"2"), false));
        const VoIState* state = fStates->GetState(id);
        ASSERT_EQ(state->GetType(), VoIState::kString);
        EXPECT_EQ(Narrow(*static_cast<const VoString*>(state->GetValue())), "2");
    }
}

TEST_F(VoStateManagerTest, TypedSetStateWithAnUpperCaseIdSetsTheHeldState) {
    LogCapture log;
    VoIState* held = AddFlag(u"sta_lamp", false);
    fStates->AddListener(&fA, 0.0f);
    ASSERT_TRUE(fStates->SetState(VoString(u"STA_Lamp"), VoString(u"boolean"), VoString(u"true"), true));
    EXPECT_EQ(fStates->GetStateCount(), 1);
    EXPECT_EQ(fStates->GetState(VoString(u"sta_lamp")), held);
    EXPECT_TRUE(held->GetBoolean());
    EXPECT_EQ(fJournal, Journal{"A:sta_lamp"});
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoStateManagerTest, ClearStatesEmptiesTheList) {
    AddFlag(u"a", true);
    AddFlag(u"b", true);
    fStates->ClearStates();
    EXPECT_EQ(fStates->GetStateCount(), 0);
    EXPECT_FALSE(fStates->HasState(VoString(u"a")));
}

TEST_F(VoStateManagerTest, DumpWritesPlainLinesInInsertionOrder) {
    LogCapture log;
    AddFlag(u"sta_flag", true);
    const float number = 2.5f;
    Add(u"sta_number", VoIState::kNumber, &number);
    const VoString text(u"Hello");
    Add(u"sta_text", VoIState::kString, &text);
    fStates->DumpStates();
    const std::string rule(40, '-');
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{rule, "STATES", rule, "<boolean>: sta_flag: true",
                                                     " <number>:sta_number: 2.500000",
                                                     " <string>:sta_text: Hello", rule}));
}

TEST_F(VoStateManagerTest, DumpWithoutStatesWritesTheFrameOnly) {
    LogCapture log;
    fStates->DumpStates();
    const std::string rule(40, '-');
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{rule, "STATES", rule, rule}));
}

TEST_F(VoStateManagerTest, SaveRecordsAreByteExact) {
    EXPECT_EQ(Written([this](VoIStream* s) { return fStates->Save(s); }), kEmpty);
    AddFlag(u"a", true);
    const float two = 2.0f;
    Add(u"b", VoIState::kNumber, &two);
    const Bytes twoStates = Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA + kNumberB;
    EXPECT_EQ(Written([this](VoIStream* s) { return fStates->Save(s); }), twoStates);
}

TEST_F(VoStateManagerTest, OnLoadReplacesTheStatesWithoutTellingListeners) {
    AddFlag(u"old", true);
    fStates->AddListener(&fA, 0.0f);
    TestStream in(Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA + kNumberB);
    ASSERT_TRUE(fStates->OnLoad(&in, 1.0f));
    EXPECT_FALSE(fStates->HasState(VoString(u"old")));
    EXPECT_EQ(fStates->GetStateCount(), 2);
    EXPECT_TRUE(fStates->GetState(VoString(u"a"))->GetBoolean());
    EXPECT_EQ(fStates->GetState(VoString(u"b"))->GetNumber(), 2.0f);
    EXPECT_TRUE(fJournal.empty());
    EXPECT_EQ(Written([this](VoIStream* s) { return fStates->Save(s); }), in.Bytes());

    TestStream empty(kEmpty);
    EXPECT_TRUE(fStates->OnLoad(&empty, 1.0f));
    EXPECT_EQ(fStates->GetStateCount(), 0);
}

TEST_F(VoStateManagerTest, OnLoadOfATruncatedRecordFailsAndKeepsTheWholeStatesOnly) {
    LogCapture log;
    const Bytes record = Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA + kNumberB;
    for (std::size_t cut = 1; cut <= record.size(); ++cut) {
        TestStream in(Truncated(record, cut));
        EXPECT_FALSE(fStates->OnLoad(&in, 1.0f)) << "cut " << cut;
        EXPECT_FALSE(fStates->HasState(VoString(u"b")));
    }
    // Also where the stream cannot tell its size.
    TestStream hidden(Truncated(record, 1));
    hidden.HideSize();
    EXPECT_FALSE(fStates->OnLoad(&hidden, 1.0f));
    EXPECT_EQ(fStates->GetStateCount(), 1);
    EXPECT_TRUE(fStates->HasState(VoString(u"a")));
}

TEST_F(VoStateManagerTest, OnLoadRefusesCountsTheDataCannotHold) {
    LogCapture log;
    TestStream tooMany(Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA);
    EXPECT_FALSE(fStates->OnLoad(&tooMany, 1.0f));
    EXPECT_TRUE(log.Contains("OnLoad failure. Record count exceeds the data: 2"));
    EXPECT_EQ(fStates->GetStateCount(), 0);
    TestStream negative(Bytes{0xFF, 0xFF, 0xFF, 0xFF} + kBooleanA);
    EXPECT_FALSE(fStates->OnLoad(&negative, 1.0f));
    EXPECT_TRUE(log.Contains("OnLoad failure. Record count exceeds the data: -1"));
}

TEST_F(VoStateManagerTest, OnLoadNeverAddsAStateOfAnUnknownType) {
    LogCapture log;
    Bytes bad = kNumberB;
    bad[4] = 0x00;
    TestStream in(Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA + bad);
    EXPECT_FALSE(fStates->OnLoad(&in, 1.0f));
    EXPECT_TRUE(log.Contains(VoIState::kReadInvalidType));
    EXPECT_EQ(fStates->GetStateCount(), 1);
    EXPECT_FALSE(fStates->HasState(VoString(u"b")));
}

TEST_F(VoStateManagerTest, OnLoadKeepsTheFirstOfTwoRecordsWithOneIdAndLeaksNothing) {
    LogCapture log;
    Bytes second = kBooleanA;
    second.back() = 0x00;
    TestStream single(Bytes{0x01, 0x00, 0x00, 0x00} + kBooleanA);
    TestStream twice(Bytes{0x02, 0x00, 0x00, 0x00} + kBooleanA + second);
    ScopedHeap heap(u"statemanager-onload");
    EXPECT_TRUE(fStates->OnLoad(&single, 1.0f));
    const int held = heap.Heap().GetLiveBlocks();
    EXPECT_TRUE(fStates->OnLoad(&twice, 1.0f));
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), held);
    heap.Pop();
    EXPECT_TRUE(log.Contains(VoStateManager::kAddFailure));
    EXPECT_EQ(fStates->GetStateCount(), 1);
    EXPECT_TRUE(fStates->GetState(VoString(u"a"))->GetBoolean());
}
