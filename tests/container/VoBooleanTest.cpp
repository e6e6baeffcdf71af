#include "container/VoBoolean.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/TestStream.h"

namespace {

bool Parse(const char16_t* apText) { return VoBoolean(VoString(apText)).fValue; }

}  // namespace

TEST(VoBoolean, OnlyTrueInAnyCaseIsTrue) {
    EXPECT_TRUE(Parse(u"true"));
    EXPECT_TRUE(Parse(u"TRUE"));
    EXPECT_TRUE(Parse(u"True"));
    for (const char16_t* text : {u"true ", u" true", u"1", u"yes", u"", u"tru", u"false"}) {
        EXPECT_FALSE(Parse(text));
    }
    EXPECT_FALSE(VoBoolean(VoString()).fValue);
}

TEST(VoBoolean, StreamsAsOneByteAndAnyNonzeroByteIsTrue) {
    VoBoolean value(VoString(u"true"));
    TestStream out;
    ASSERT_TRUE(value.Write(&out));
    EXPECT_EQ(out.Bytes(), (std::vector<unsigned char>{0x01}));

    TestStream in({0x00, 0x02});
    ASSERT_TRUE(value.Read(&in));
    EXPECT_FALSE(value.fValue);
    ASSERT_TRUE(value.Read(&in));
    EXPECT_TRUE(value.fValue);
    EXPECT_FALSE(value.Read(&in));
    EXPECT_TRUE(value.fValue);
}

TEST(VoBoolean, CopiesByAssignment) {
    VoBoolean target(VoString(u"false"));
    target = VoBoolean(VoString(u"TRUE"));
    EXPECT_TRUE(target.fValue);
    EXPECT_EQ(target.ToString().Find(u"[VoBoolean <", 0), 0);
}
