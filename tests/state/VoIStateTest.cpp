#include "state/VoIState.h"

#include <gtest/gtest.h>

#include "support/RuntimeTestSupport.h"

namespace {

// "a" = true at time 0, as the save game holds it.
const Bytes kBooleanA = {0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
                         0x00, 0x00, 0x00, 0x61, 0x00, 0x00, 0x00, 0x01};
// "n" = 2.5 at time 1.5.
const Bytes kNumberN = {0x00, 0x00, 0xC0, 0x3F, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00,
                        0x00, 0x00, 0x6E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x40};
// "s" = "hi" at time 0.
const Bytes kStringS = {0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x73,
                        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x68, 0x00, 0x69, 0x00, 0x00, 0x00};

std::string StringValue(const VoIState& aState) {
    return Narrow(*static_cast<const VoString*>(aState.GetValue()));
}

}  // namespace

TEST(VoIState, SetLowerCasesTheIdAndCopiesTheValue) {
    VoString text(u"Some Text");
    VoIState state;
    ASSERT_TRUE(state.Set(VoString(u"STA_Door"), VoIState::kString, &text));
    text = VoString(u"changed");
    EXPECT_EQ(Narrow(state.GetName()), "sta_door");
    EXPECT_EQ(state.GetType(), VoIState::kString);
    EXPECT_EQ(StringValue(state), "Some Text");
    EXPECT_EQ(state.GetTime(), 0.0f);
}

TEST(VoIState, SetRefusesAnEmptyIdANullValueAndAnUnknownType) {
    LogCapture log;
    const bool value = true;
    VoIState state;
    EXPECT_FALSE(state.Set(VoString(), VoIState::kBoolean, &value));
    EXPECT_TRUE(log.Contains(VoIState::kSetInvalidId));
    EXPECT_FALSE(state.Set(VoString(u"a"), VoIState::kBoolean, nullptr));
    EXPECT_TRUE(log.Contains(VoIState::kSetNullArg));
    // A state of type 7 could never be written into a save game.
    EXPECT_FALSE(state.Set(VoString(u"a"), 7, &value));
    EXPECT_TRUE(log.Contains(VoIState::kSetInvalidType));
    EXPECT_EQ(state.GetType(), VoIState::kUnset);
    EXPECT_EQ(state.GetValue(), nullptr);
}

TEST(VoIState, TypeNamesIgnoreCaseAndOtherNamesFailQuietly) {
    LogCapture log;
    const float number = 4.0f;
    VoIState state;
    EXPECT_TRUE(state.Set(VoString(u"n"), VoString(u"NUMBER"), &number));
    EXPECT_EQ(state.GetType(), VoIState::kNumber);
    EXPECT_EQ(state.GetNumber(), 4.0f);
    EXPECT_FALSE(state.Set(VoString(u"n"), VoString(u"float"), &number));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(VoIState::TypeOfName(VoString(u"Boolean")), VoIState::kBoolean);
    EXPECT_EQ(VoIState::TypeOfName(VoString(u"sTring")), VoIState::kString);
    EXPECT_EQ(VoIState::TypeOfName(VoString()), VoIState::kUnset);
}

TEST(VoIState, SetValueParsesTheTextForTheType) {
    const bool no = false;
    VoIState flag;
    ASSERT_TRUE(flag.Set(VoString(u"f"), VoIState::kBoolean, &no));
    flag.SetValue(VoString(u"TRUE"));
    EXPECT_TRUE(flag.GetBoolean());
    flag.SetValue(VoString(u"1"));
    EXPECT_FALSE(flag.GetBoolean());

    const float zero = 0.0f;
    VoIState number;
    ASSERT_TRUE(number.Set(VoString(u"n"), VoIState::kNumber, &zero));
    number.SetValue(VoString(u"-2.25"));
    EXPECT_EQ(number.GetNumber(), -2.25f);

    const VoString x(u"x");
    VoIState text;
    ASSERT_TRUE(text.Set(VoString(u"s"), VoIState::kString, &x));
    text.SetValue(VoString(u"2.25"));
    EXPECT_EQ(StringValue(text), "2.25");
}

TEST(VoIState, SetValueTakesTextLiteralsAsText) {
    const bool no = false;
    VoIState flag;
    ASSERT_TRUE(flag.Set(VoString(u"f"), VoIState::kBoolean, &no));
    flag.SetValue(u"True");
    EXPECT_TRUE(flag.GetBoolean());
    flag.SetValue("false");
    EXPECT_FALSE(flag.GetBoolean());

    const float zero = 0.0f;
    VoIState number;
    ASSERT_TRUE(number.Set(VoString(u"n"), VoIState::kNumber, &zero));
    number.SetValue(u"3.5");
    EXPECT_EQ(number.GetNumber(), 3.5f);
    number.SetValue("-1");
    EXPECT_EQ(number.GetNumber(), -1.0f);

    const VoString x(u"x");
    VoIState text;
    ASSERT_TRUE(text.Set(VoString(u"s"), VoIState::kString, &x));
    text.SetValue(u"Kitchen");
    EXPECT_EQ(StringValue(text), "Kitchen");
    text.SetValue("Hall");
    EXPECT_EQ(StringValue(text), "Hall");
    // A null text pointer changes nothing, as a null raw value does.
    LogCapture log;
    text.SetValue(static_cast<const char16_t*>(nullptr));
    text.SetValue(static_cast<const char*>(nullptr));
    EXPECT_EQ(StringValue(text), "Hall");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoIState, SetValueOnAnUnsetStateIsRefused) {
    LogCapture log;
    VoIState state;
    state.SetValue(VoString(u"true"));
    EXPECT_TRUE(log.Contains(VoIState::kSetValueInvalidType));
    EXPECT_EQ(state.GetValue(), nullptr);
}

TEST(VoIState, RecordsAreByteExact) {
    const bool yes = true;
    VoIState a;
    ASSERT_TRUE(a.Set(VoString(u"a"), VoIState::kBoolean, &yes));
    EXPECT_EQ(Written([&](VoIStream* s) { return a.Write(s); }), kBooleanA);

    const float value = 2.5f;
    VoIState n;
    ASSERT_TRUE(n.Set(VoString(u"N"), VoIState::kNumber, &value));
    n.SetTime(1.5f);
    EXPECT_EQ(Written([&](VoIStream* s) { return n.Write(s); }), kNumberN);

    const VoString hi(u"hi");
    VoIState text;
    ASSERT_TRUE(text.Set(VoString(u"s"), VoIState::kString, &hi));
    EXPECT_EQ(Written([&](VoIStream* s) { return text.Write(s); }), kStringS);
}

TEST(VoIState, ReadGivesBackWhatWasWritten) {
    for (const Bytes& record : {kBooleanA, kNumberN, kStringS}) {
        TestStream in(record);
        VoIState state;
        ASSERT_TRUE(state.Read(&in));
        EXPECT_EQ(in.GetRemaining(), 0);
        EXPECT_EQ(Written([&](VoIStream* s) { return state.Write(s); }), record);
    }
}

TEST(VoIState, AnUnsetStateWritesNothing) {
    VoIState state;
    TestStream out;
    EXPECT_FALSE(state.Write(&out));
    EXPECT_TRUE(out.Bytes().empty());
}

TEST(VoIState, ReadOfAnUnknownTypeFailsAndLeavesTheStateAsItWas) {
    LogCapture log;
    Bytes record = kNumberN;
    record[4] = 0x04;
    const bool yes = true;
    VoIState state;
    ASSERT_TRUE(state.Set(VoString(u"kept"), VoIState::kBoolean, &yes));
    TestStream in(record);
    EXPECT_FALSE(state.Read(&in));
    EXPECT_TRUE(log.Contains(VoIState::kReadInvalidType));
    EXPECT_EQ(Narrow(state.GetName()), "kept");
    EXPECT_TRUE(state.GetBoolean());
}

TEST(VoIState, EveryTruncatedRecordFailsAndLeavesTheStateAsItWas) {
    LogCapture log;
    for (const Bytes& record : {kBooleanA, kNumberN, kStringS}) {
        for (std::size_t cut = 1; cut <= record.size(); ++cut) {
            TestStream in(Truncated(record, cut));
            VoIState state;
            EXPECT_FALSE(state.Read(&in)) << "cut " << cut;
            EXPECT_EQ(state.GetType(), VoIState::kUnset);
            EXPECT_EQ(state.GetValue(), nullptr);
        }
    }
}

TEST(VoIState, DebugString) {
    VoIState state;
    EXPECT_EQ(Narrow(state.ToString()), "[VoIState <" + HexAddress(&state) + ">]");
}
