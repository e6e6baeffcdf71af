#include "animation/VoLipSyncTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/AnimationFiles.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

}  // namespace

TEST(VoLipSyncTrack, ChannelTableHoldsPhonemesThenVisemes) {
    const char16_t* const kNames[] = {
        u"Phoneme_Bump",    u"Phoneme_Cage",       u"Phoneme_Church", u"Phoneme_Earth", u"Phoneme_Eat",
        u"Phoneme_Fave",    u"Phoneme_If",         u"Phoneme_New",    u"Phoneme_Oat",   u"Phoneme_Ox",
        u"Phoneme_Roar",    u"Phoneme_Size",       u"Phoneme_Though", u"Phoneme_Told",  u"Phoneme_Wet",
        u"Viseme_Blink",    u"Viseme_EB_Down",     u"Viseme_EB_Up",   u"Viseme_Anger",  u"Viseme_Disgust",
        u"Viseme_Frown",    u"Viseme_Happy",       u"Viseme_Sad",     u"Viseme_Smile",  u"Viseme_Squint",
        u"Viseme_Surprise", u"Viseme_Tightlipped",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == VoLipSyncTrack::kChannelCount, "27 channels");
    for (std::int32_t i = 0; i < VoLipSyncTrack::kChannelCount; ++i) {
        EXPECT_EQ(std::u16string(VoLipSyncTrack::GetChannelName(i)), kNames[i]) << i;
        EXPECT_EQ(VoLipSyncTrack::ChannelOf(VoString(kNames[i])), i);
    }
    EXPECT_EQ(VoLipSyncTrack::GetChannelName(-1), nullptr);
    EXPECT_EQ(VoLipSyncTrack::GetChannelName(27), nullptr);
    EXPECT_EQ(VoLipSyncTrack::ChannelOf(VoString(u"viseme_blink")), -1);
    EXPECT_EQ(VoLipSyncTrack::ChannelOf(VoString()), -1);

    VoLipSyncTrack track;
    track.SetId(VoString(u"Viseme_Smile"));
    EXPECT_EQ(track.GetChannel(), 23);
    EXPECT_EQ(track.GetHash(), NameHash(u"Viseme_Smile"));
}

// Keys (0, 0), (0.2, 0.5), (0.4, 0): the weight rises and falls linearly,
// the cursor follows, and past the last key the track has ended.
TEST(VoLipSyncTrack, SampleFollowsTheKeysAndEndsAtTheLast) {
    VoLipSyncTrack track;
    const float times[] = {0.0f, 0.2f, 0.4f};
    const float values[] = {0.0f, 0.5f, 0.0f};
    ASSERT_TRUE(track.SetKeys(3, times, values));
    struct Step {
        float now;
        bool posing;
        std::int32_t cursor;
        float weight;
    };
    const Step steps[] = {
        {0.0f, true, 0, 0.0f},  {0.1f, true, 0, 0.25f}, {0.2f, true, 1, 0.5f},
        {0.3f, true, 1, 0.25f}, {0.4f, false, 2, 0.0f}, {9.0f, false, 2, 0.0f},
    };
    std::int32_t cursor = 0;
    for (const Step& step : steps) {
        float weight = -1.0f;
        EXPECT_EQ(track.Sample(step.now, &cursor, &weight), step.posing) << step.now;
        EXPECT_EQ(cursor, step.cursor) << step.now;
        if (step.posing) {
            EXPECT_NEAR(weight, step.weight, 1e-6f) << step.now;
        }
    }
    // A cursor from elsewhere is taken back into the keys.
    cursor = 99;
    float weight = 0.0f;
    EXPECT_FALSE(track.Sample(0.1f, &cursor, &weight));
    EXPECT_EQ(cursor, 2);
    cursor = -5;
    EXPECT_TRUE(track.Sample(0.1f, &cursor, &weight));
    EXPECT_EQ(cursor, 0);
}

// Intervals of no length, times out of order and values that are not
// numbers give a weight within the keys' values, never NaN.
TEST(VoLipSyncTrack, InterpolationStaysWithinItsKeys) {
    struct Case {
        const char* name;
        float t0, v0, t1, v1, now, weight;
    };
    const Case cases[] = {
        {"zero length", 0.5f, 0.2f, 0.5f, 0.9f, 0.5f, 0.9f},
        {"negative length", 0.5f, 0.2f, 0.3f, 0.9f, 0.1f, 0.9f},
        {"before the interval", 1.0f, 0.2f, 2.0f, 0.6f, 0.0f, 0.2f},
        {"after the interval", 1.0f, 0.2f, 2.0f, 0.6f, 7.0f, 0.6f},
        {"time not a number", kNaN, 0.2f, 1.0f, 0.6f, 0.5f, 0.6f},
        {"now not a number", 0.0f, 0.2f, 1.0f, 0.6f, kNaN, 0.2f},
        {"endless value", 0.0f, 0.2f, 1.0f, kInfinity, 0.5f, 0.0f},
        {"value not a number", 0.0f, kNaN, 1.0f, 0.6f, 0.5f, 0.0f},
    };
    for (const Case& test : cases) {
        const float weight = VoLipSyncTrack::Interpolate(test.t0, test.v0, test.t1, test.v1, test.now);
        EXPECT_NEAR(weight, test.weight, 1e-6f) << test.name;
    }

    // Keys out of order (as a serialised file may hold them): before the
    // second key the interval runs backwards and gives the second key's value
    // instead of running past both.
    VoLipSyncTrack track;
    const float times[] = {0.5f, 0.3f, 0.8f};
    const float values[] = {1.0f, 0.4f, 0.0f};
    ASSERT_TRUE(track.SetKeys(3, times, values));
    std::int32_t cursor = 0;
    float weight = 0.0f;
    ASSERT_TRUE(track.Sample(0.1f, &cursor, &weight));
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(weight, 0.4f);
    ASSERT_TRUE(track.Sample(0.6f, &cursor, &weight));
    EXPECT_EQ(cursor, 1);
    EXPECT_NEAR(weight, 0.16f, 1e-6f);
}
