#include "time/VoDelayedTrigger.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "state/VoStateManager.h"
#include "support/RuntimeTestSupport.h"

TEST(VoDelayedTrigger, InitWithoutAnItemFails) {
    LogCapture log;
    VoDelayedTrigger trigger;
    EXPECT_FALSE(trigger.Init(VoDelayedTrigger::kEvent, 1.0f, 0, nullptr));
    EXPECT_TRUE(log.Contains(VoDelayedTrigger::kMissingItem));
    EXPECT_EQ(trigger.GetItem(), nullptr);
    EXPECT_EQ(Narrow(trigger.ToString()), "[VoDelayedTrigger <" + HexAddress(&trigger) + ">]");
}

TEST(VoDelayedTrigger, FireHandsTheEventOverOnce) {
    ScopedEngine engine;
    VoDelayedTrigger trigger;
    VoEvent* event = new VoEvent(VoString(u"evt_a"));
    ASSERT_TRUE(trigger.Init(VoDelayedTrigger::kEvent, 2.0f, 1, event));
    EXPECT_EQ(trigger.GetDueTime(), 2.0f);
    EXPECT_EQ(trigger.GetClock(), 1);
    EXPECT_TRUE(trigger.Fire());
    EXPECT_EQ(VoEventManager::GetInstance()->GetEvent(VoString(u"evt_a")), event);
    EXPECT_EQ(trigger.GetItem(), nullptr);
    EXPECT_FALSE(trigger.Fire());
    TestStream out;
    EXPECT_FALSE(trigger.Write(&out));
}

TEST(VoDelayedTrigger, FireNeverReplacesAHeldState) {
    ScopedEngine engine;
    LogCapture log;
    VoStateManager* states = VoStateManager::GetInstance();
    states->SetState(VoString(u"s"), VoString(u"number"), VoString(u"1"), false);
    const float two = 2.0f;
    VoIState* state = new VoIState();
    ASSERT_TRUE(state->Set(VoString(u"s"), VoIState::kNumber, &two));
    VoDelayedTrigger trigger;
    ASSERT_TRUE(trigger.Init(VoDelayedTrigger::kState, 0.0f, 0, state));
    EXPECT_FALSE(trigger.Fire());
    EXPECT_EQ(states->GetState(VoString(u"s"))->GetNumber(), 1.0f);
    EXPECT_EQ(trigger.GetItem(), nullptr);
}

TEST(VoDelayedTrigger, FireOfAnUnknownKindKeepsTheItem) {
    ScopedEngine engine;
    VoDelayedTrigger trigger;
    ASSERT_TRUE(trigger.Init(4, 0.0f, 0, new VoEvent(VoString(u"evt_a"))));
    EXPECT_FALSE(trigger.Fire());
    EXPECT_NE(trigger.GetItem(), nullptr);
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_a")));
}

TEST(VoDelayedTrigger, ARecordWhoseItemCannotBeReadLeavesTheTriggerAsItWas) {
    ScopedEngine engine;
    // Kind 1, due 1.0, clock 0, then a state record cut inside its id.
    TestStream in(Bytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x61, 0x00});
    VoEvent* event = new VoEvent(VoString(u"evt_kept"));
    VoDelayedTrigger trigger;
    ASSERT_TRUE(trigger.Init(VoDelayedTrigger::kEvent, 3.0f, 2, event));
    EXPECT_FALSE(trigger.Read(&in));
    EXPECT_EQ(trigger.GetKind(), VoDelayedTrigger::kEvent);
    EXPECT_EQ(trigger.GetDueTime(), 3.0f);
    EXPECT_EQ(trigger.GetClock(), 2);
    EXPECT_EQ(trigger.GetItem(), event);
}
