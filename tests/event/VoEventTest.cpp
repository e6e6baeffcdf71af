#include "event/VoEvent.h"

#include <gtest/gtest.h>

#include "support/RuntimeTestSupport.h"
#include "time/VoGameClock.h"

namespace {

// "evt_a" at time 2.0.
const Bytes kEventA = {0x05, 0x00, 0x00, 0x00, 0x65, 0x00, 0x76, 0x00, 0x74, 0x00,
                       0x5F, 0x00, 0x61, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};

}  // namespace

TEST(VoEvent, TakesTheLowerCasedIdAndTheCurrentClocksTime) {
    ScopedEngine engine;
    VoGameClock* clock = VoGameClock::GetInstance();
    ASSERT_NE(clock, nullptr);
    clock->AdvanceTime(1, 5.0f, false);
    clock->AdvanceTime(0, 2.0f, false);
    clock->SetCurrentClock(1);
    VoEvent event(VoString(u"EVT_Door_Opened"));
    EXPECT_EQ(Narrow(event.GetId()), "evt_door_opened");
    EXPECT_EQ(event.GetTime(), 5.0f);
}

TEST(VoEvent, RecordIsByteExactBothWays) {
    ScopedEngine engine;
    VoGameClock::GetInstance()->AdvanceTime(2.0f, false);
    VoEvent event(VoString(u"Evt_A"));
    EXPECT_EQ(Written([&](VoIStream* s) { return event.Write(s); }), kEventA);

    VoEvent read{VoString()};
    TestStream in(kEventA);
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(Narrow(read.GetId()), "evt_a");
    EXPECT_EQ(read.GetTime(), 2.0f);
}

TEST(VoEvent, ATruncatedRecordLeavesTheEventAsItWas) {
    ScopedEngine engine;
    for (std::size_t cut = 1; cut <= kEventA.size(); ++cut) {
        VoEvent event(VoString(u"kept"));
        TestStream in(Truncated(kEventA, cut));
        EXPECT_FALSE(event.Read(&in)) << "cut " << cut;
        EXPECT_EQ(Narrow(event.GetId()), "kept");
        EXPECT_EQ(event.GetTime(), 0.0f);
    }
}

TEST(VoEvent, DebugStringHasNoClosingBracket) {
    ScopedEngine engine;
    VoGameClock::GetInstance()->AdvanceTime(1.5f, false);
    VoEvent event(VoString(u"evt_x"));
    EXPECT_EQ(Narrow(event.ToString()), "[VoEvent <" + HexAddress(&event) + "> id:evt_x, time:1.500000");
}
