#include "container/VoString.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "memory/ScopedHeap.h"
#include "memory/VoMemoryManager.h"
#include "support/LogCapture.h"

namespace {

// Stands in for the string vector: Split only needs Add.
struct PieceList {
    std::vector<std::u16string> pieces;
    bool Add(const VoString& aPiece) {
        pieces.push_back(TextOf(aPiece));
        return true;
    }
};

std::vector<std::u16string> SplitOf(const char* apText, const char* apDelimiter) {
    PieceList out;
    EXPECT_TRUE(VoString(apText).Split(VoString(apDelimiter), &out));
    return out.pieces;
}

}  // namespace

TEST(VoString, UnsetAndEmptyStayDistinctButReadAlike) {
    VoString unset;
    VoString empty(u"");
    EXPECT_EQ(unset.chars, nullptr);
    ASSERT_NE(empty.chars, nullptr);
    for (const VoString* s : {&unset, &empty}) {
        EXPECT_EQ(s->GetLength(), 0);
        ASSERT_NE(s->GetChars(), nullptr);
        EXPECT_EQ(s->GetChars()[0], 0);
        EXPECT_TRUE(s->Equals(u""));
        EXPECT_TRUE(s->Equals(VoString()));
        EXPECT_TRUE(s->EqualsNoCase(u""));
        EXPECT_FALSE(s->Equals(u"a"));
    }
}

TEST(VoString, ClearKeepsUnsetUnsetAndEmptiesASetString) {
    VoString unset;
    unset.Clear();
    EXPECT_EQ(unset.chars, nullptr);

    VoString text(u"abc");
    text.Clear();
    ASSERT_NE(text.chars, nullptr);
    EXPECT_EQ(text.GetLength(), 0);
    EXPECT_EQ(text.chars[0], 0);
}

TEST(VoString, CopyOfUnsetIsEmptyAndSet) {
    VoString unset;
    VoString copy(unset);
    EXPECT_NE(copy.chars, nullptr);
    EXPECT_EQ(copy.GetLength(), 0);

    VoString assigned(u"x");
    assigned = unset;
    EXPECT_NE(assigned.chars, nullptr);
    EXPECT_EQ(assigned.GetLength(), 0);
}

TEST(VoString, CopiesOwnTheirBuffers) {
    VoString original(u"abc");
    VoString copy(original);
    EXPECT_NE(copy.chars, original.chars);
    original.Append(u"d");
    EXPECT_EQ(TextOf(copy), u"abc");
    VoString& alias = copy;
    copy = alias;  // self-assignment keeps the text
    EXPECT_EQ(TextOf(copy), u"abc");
}

TEST(VoString, NarrowTextWidensWithSignExtensionAndNarrowsBack) {
    const char narrow[] = {'a', static_cast<char>(0xE9), static_cast<char>(0x80), static_cast<char>(0xFF), 0};
    VoString text(narrow);
    ASSERT_EQ(text.GetLength(), 4);
    EXPECT_EQ(text.GetAt(0), u'a');
    EXPECT_EQ(text.GetAt(1), 0xFFE9);
    EXPECT_EQ(text.GetAt(2), 0xFF80);
    EXPECT_EQ(text.GetAt(3), 0xFFFF);

    char* back = nullptr;
    ASSERT_TRUE(text.ToNarrow(&back));
    EXPECT_STREQ(back, narrow);
    delete[] back;
}

TEST(VoString, ToNarrowKeepsTheLowByteAndGivesUnsetAnEmptyText) {
    VoString wide(u"\u0141b");  // 0x0141
    char* narrow = nullptr;
    ASSERT_TRUE(wide.ToNarrow(&narrow));
    EXPECT_STREQ(narrow, "Ab");
    delete[] narrow;

    char* empty = nullptr;
    ASSERT_TRUE(VoString().ToNarrow(&empty));
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    delete[] empty;
}

TEST(VoString, ToNarrowRefusesAMissingOrOccupiedTarget) {
    LogCapture log;
    VoString text(u"abc");
    EXPECT_FALSE(text.ToNarrow(nullptr));
    char occupied[] = "keep";
    char* target = occupied;
    EXPECT_FALSE(text.ToNarrow(&target));
    EXPECT_EQ(target, occupied);
    EXPECT_EQ(log.Count(VoString::kInvalidArgument), 2);
}

TEST(VoString, NullPointersLogTheirOwnMessagesAndChangeNothing) {
    LogCapture log;
    VoString fromNarrow(static_cast<const char*>(nullptr));
    EXPECT_EQ(fromNarrow.chars, nullptr);
    EXPECT_EQ(log.Count(std::string(": ") + VoString::kNullNarrowText), 1);

    VoString fromWide(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(fromWide.chars, nullptr);

    VoString text(u"abc");
    text.Assign(static_cast<const char16_t*>(nullptr));
    text.Append(static_cast<const char16_t*>(nullptr));
    text.Prepend(static_cast<const char16_t*>(nullptr));
    text.Prepend(static_cast<const char*>(nullptr));
    EXPECT_EQ(TextOf(text), u"abc");
    // Wide construction, Assign, Append (wide) and both Prepends: no leading blank.
    EXPECT_EQ(log.Count(std::string(": ") + VoString::kNullText), 5);

    text.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(TextOf(text), u"abc");
    EXPECT_EQ(log.Count(std::string(": ") + VoString::kNullNarrowText), 2);
}

TEST(VoString, CompoundAppendIgnoresNullPointersSilently) {
    LogCapture log;
    VoString text(u"ab");
    text += static_cast<const char*>(nullptr);
    text += static_cast<const char16_t*>(nullptr);
    text += "c";
    text += u"d";
    text += VoString(u"e");
    EXPECT_EQ(TextOf(text), u"abcde");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoString, AppendAndPrependBuildTheText) {
    VoString text;
    text.Append(u"mid");
    text.Prepend("<");
    text.Prepend(VoString(u"["));
    text.Prepend(u"{");
    text.Append(">");
    text.Append(text);
    EXPECT_EQ(TextOf(text), u"{[<mid>{[<mid>");
    EXPECT_EQ(text.GetLength(), 14);
    EXPECT_EQ(text.chars[14], 0);
}

TEST(VoString, FormatsNumbersAsTheLogShowsThem) {
    EXPECT_EQ(TextOf(VoString().Append(std::int32_t{-42})), u"-42");
    EXPECT_EQ(TextOf(VoString().Append(std::int32_t{-2147483647 - 1})), u"-2147483648");
    EXPECT_EQ(TextOf(VoString().Append(std::uint32_t{4294967295u})), u"-1");
    EXPECT_EQ(TextOf(VoString().Append(std::uint32_t{2147483648u})), u"-2147483648");
    EXPECT_EQ(TextOf(VoString().Append(std::int16_t{-7})), u"-7");
    EXPECT_EQ(TextOf(VoString().Append(std::uint8_t{200})), u"200");
    EXPECT_EQ(TextOf(VoString().Append(2.5f)), u"2.500000");
    EXPECT_EQ(TextOf(VoString().Append(-0.25f)), u"-0.250000");
    EXPECT_EQ(TextOf(VoString().Append(1.5)), u"1.500000");
    EXPECT_EQ(TextOf(VoString().Append(true)), u"true");
    EXPECT_EQ(TextOf(VoString().Append(false)), u"false");
}

namespace {

template <typename Value>
std::u16string Printed(const char* apFormat, Value aValue) {
    char text[400];
    std::snprintf(text, sizeof(text), apFormat, aValue);
    return std::u16string(text, text + std::strlen(text));
}

template <typename Value>
std::u16string Appended(Value aValue) {
    return TextOf(VoString(u"=").Append(aValue)).substr(1);
}

}  // namespace

// Numbers are formatted by std::to_chars; the digits must be those of the C
// formats the log has always shown: "%d", "%u", "%lld", "%llu", "%f" and
// lower-case "%x" for pointers.
TEST(VoString, NumbersHaveTheDigitsOfTheCFormats) {
    const std::int32_t integers[] = {0,  1,   -1,    9,      10,         -10,
                                     99, 100, 12345, -98765, 2147483647, -2147483647 - 1};
    for (std::int32_t value : integers) {
        EXPECT_EQ(Appended(value), Printed("%d", value));
        EXPECT_EQ(Appended(static_cast<std::uint32_t>(value)), Printed("%d", value));
        EXPECT_EQ(Appended(static_cast<std::int16_t>(value)),
                  Printed("%d", static_cast<std::int16_t>(value)));
        EXPECT_EQ(Appended(static_cast<std::uint8_t>(value)), Printed("%u", value & 0xFF));
        EXPECT_EQ(Appended(static_cast<long long>(value) * 3000000000LL),
                  Printed("%lld", static_cast<long long>(value) * 3000000000LL));
        EXPECT_EQ(Appended(static_cast<unsigned long long>(value)),
                  Printed("%llu", static_cast<unsigned long long>(value)));
        const void* pointer = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value));
        EXPECT_EQ(Appended(pointer), Printed("%" PRIxPTR, static_cast<std::uintptr_t>(value)));
    }
    // 0.0078125 and 0.0234375 are ties at the sixth decimal: they round to even.
    const double reals[] = {0.0,
                            -0.0,
                            1e-7,
                            -1e-7,
                            5e-7,
                            0.0078125,
                            0.0234375,
                            -0.0078125,
                            0.1,
                            2.675,
                            1.0 / 3.0,
                            123456.789,
                            16777217.0,
                            1e10,
                            1e22,
                            9007199254740993.0,
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::lowest(),
                            std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            -std::numeric_limits<double>::quiet_NaN()};
    for (double value : reals) {
        EXPECT_EQ(Appended(value), Printed("%f", value)) << value;
        const auto single = static_cast<float>(value);
        EXPECT_EQ(Appended(single), Printed("%f", static_cast<double>(single))) << value;
    }
    // And a spread of arbitrary bit patterns: every exponent, either sign.
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const auto bits32 = static_cast<std::uint32_t>(state >> 32);
        float single;
        double real;
        std::memcpy(&single, &bits32, sizeof(single));
        std::memcpy(&real, &state, sizeof(real));
        const auto integer = static_cast<std::int32_t>(bits32);
        ASSERT_EQ(Appended(single), Printed("%f", static_cast<double>(single))) << bits32;
        ASSERT_EQ(Appended(real), Printed("%f", real)) << state;
        ASSERT_EQ(Appended(integer), Printed("%d", integer));
        ASSERT_EQ(Appended(static_cast<long long>(state)), Printed("%lld", static_cast<long long>(state)));
    }
}

TEST(VoString, ConstructionFromUnitsAndALength) {
    LogCapture log;
    const char16_t text[] = u"scene=hall";
    EXPECT_EQ(TextOf(VoString(text + 6, 4)), u"hall");
    const VoString none(text, 0);
    ASSERT_NE(none.chars, nullptr);
    EXPECT_EQ(none.GetLength(), 0);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(VoString(nullptr, 3).chars, nullptr);
    EXPECT_EQ(VoString(text, -1).chars, nullptr);
    EXPECT_EQ(log.Count(VoString::kNullText), 2);
}

// Append of a null pointer changes nothing, an unset string included;
// operator+ gives a copy of the left side, which for an unset one is empty.
TEST(VoString, NullOperandsOfPlusGiveACopy) {
    LogCapture log;
    VoString unset;
    unset.Append(static_cast<const char16_t*>(nullptr));
    unset.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(unset.chars, nullptr);
    const VoString wide = unset + static_cast<const char16_t*>(nullptr);
    const VoString narrow = VoString(u"ab") + static_cast<const char*>(nullptr);
    ASSERT_NE(wide.chars, nullptr);
    EXPECT_EQ(wide.GetLength(), 0);
    EXPECT_EQ(TextOf(narrow), u"ab");
    EXPECT_EQ(log.Count(std::string(": ") + VoString::kNullText), 2);
    EXPECT_EQ(log.Count(std::string(": ") + VoString::kNullNarrowText), 2);
}

// Every link of a message chain is one new buffer of exactly the text's size.
TEST(VoString, EveryLinkIsOneExactBuffer) {
    ScopedHeap heap(u"string links", true);
    ASSERT_GE(heap.Index(), 0);
    const VoString left(u"abc");
    const VoString right(u"de");
    const std::int32_t before = VoMemoryManager::GetAllocationCounter();
    const VoString joined = left + right;
    const VoString number = left + 42;
    const VoString real = left + 0.5f;
    EXPECT_EQ(VoMemoryManager::GetAllocationCounter() - before, 3);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(joined.chars), 6 * 2);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(number.chars), 6 * 2);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(real.chars), 12 * 2);
    EXPECT_EQ(TextOf(real), u"abc0.500000");
}

TEST(VoString, Formats64BitConvenienceValuesAtFullWidth) {
    EXPECT_EQ(TextOf(VoString().Append(std::size_t{4294967296u})), u"4294967296");
    EXPECT_EQ(TextOf(VoString().Append(std::int64_t{-5000000000})), u"-5000000000");
    EXPECT_EQ(TextOf(VoString().Append(18446744073709551615ull)), u"18446744073709551615");
    EXPECT_EQ(TextOf(VoString().Append(1e300).SubString(0, 4)), u"1000");
}

TEST(VoString, FormatsWholePointersInLowerCaseHexWithoutPrefix) {
    LogCapture log;
    const void* wide = reinterpret_cast<const void*>(std::uintptr_t{0x7f00deadbeefULL});
    EXPECT_EQ(TextOf(VoString().Append(wide)), u"7f00deadbeef");
    EXPECT_EQ(TextOf(VoString().Append(static_cast<const void*>(nullptr))), u"0");
    const int* typed = reinterpret_cast<const int*>(std::uintptr_t{0xABC0});
    EXPECT_EQ(TextOf(VoString(u"at ") + typed), u"at abc0");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoString, OperatorPlusLeavesTheOperandUnchanged) {
    const VoString base(u"n=");
    VoString chained = base + 3 + u", " + "f=" + 0.5f + VoString(u"!");
    EXPECT_EQ(TextOf(base), u"n=");
    EXPECT_EQ(TextOf(chained), u"n=3, f=0.500000!");
}

TEST(VoString, RootObjectsFormatByTheirToString) {
    VoBase first;
    VoBase second;
    const std::u16string a = TextOf(first.ToString());
    const std::u16string b = TextOf(second.ToString());
    EXPECT_EQ(a, TextOf(VoString(u"[VoBase <") + static_cast<const void*>(&first) + u">]"));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.substr(0, 9), b.substr(0, 9));
    EXPECT_EQ(a.back(), u']');
    EXPECT_EQ(TextOf(VoString(u"obj ") + first), u"obj " + a);
    VoString appended(u"x");
    appended += second;
    EXPECT_EQ(TextOf(appended), u"x" + b);
}

TEST(VoString, ToStringCopiesTheTextAndLogsForUnset) {
    LogCapture log;
    EXPECT_EQ(TextOf(VoString(u"abc").ToString()), u"abc");
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(VoString().ToString().chars, nullptr);
    EXPECT_EQ(log.Count(VoString::kNullText), 1);
}

TEST(VoString, GetAtOutsideTheTextLogsAndGivesZero) {
    LogCapture log;
    VoString text(u"abc");
    EXPECT_EQ(text.GetAt(0), u'a');
    EXPECT_EQ(text.GetAt(2), u'c');
    EXPECT_EQ(log.Count(VoString::kIndexOutOfBounds), 0);
    EXPECT_EQ(text.GetAt(-1), 0);
    EXPECT_EQ(text.GetAt(3), 0);
    EXPECT_EQ(VoString().GetAt(0), 0);
    EXPECT_EQ(log.Count(VoString::kIndexOutOfBounds), 3);
}

TEST(VoString, EqualsTreatsANullArgumentAsTheEmptyText) {
    const char16_t* none = nullptr;
    EXPECT_TRUE(VoString(u"").Equals(none));
    EXPECT_TRUE(VoString().Equals(none));
    EXPECT_FALSE(VoString(u"a").Equals(none));
    EXPECT_FALSE(VoString(u"a").Equals(none, true));
    EXPECT_TRUE(VoString(u"").EqualsNoCase(none));
}

TEST(VoString, EqualsComparesEveryUnitAndLength) {
    EXPECT_TRUE(VoString(u"abc").Equals(u"abc"));
    EXPECT_FALSE(VoString(u"abc").Equals(u"ab"));
    EXPECT_FALSE(VoString(u"ab").Equals(u"abc"));
    EXPECT_FALSE(VoString(u"abc").Equals(u"abC"));
    EXPECT_TRUE(VoString(u"abc").Equals(u"abC", true));
    EXPECT_TRUE(VoString(u"abc") == VoString(u"abc"));
    EXPECT_TRUE(VoString(u"abc") != VoString(u"abd"));
    EXPECT_TRUE(VoString() == VoString(u""));
    EXPECT_FALSE(VoString() == VoString(u"a"));
}

TEST(VoString, EqualsNoCaseFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(VoString(u"ABC").EqualsNoCase(u"abc"));
    EXPECT_TRUE(VoString(u"ABC").EqualsNoCase(VoString(u"aBc")));
    EXPECT_FALSE(VoString(u"\u00C9").EqualsNoCase(u"\u00E9"));
    EXPECT_FALSE(VoString(u"[").EqualsNoCase(u"{"));  // '[' + 32 is '{', not a letter
    EXPECT_FALSE(VoString(u"ABC").EqualsNoCase(u"abcd"));
}

TEST(VoString, FindRespectsItsStartBounds) {
    VoString text(u"abcdef");
    EXPECT_EQ(text.Find(u"cd", 0), 2);
    EXPECT_EQ(text.Find(u"cd", 2), 2);
    EXPECT_EQ(text.Find(u"cd", 3), -1);
    EXPECT_EQ(text.Find(u"b", 6), -1);
    EXPECT_EQ(text.Find(u"f", 5), 5);
    EXPECT_EQ(text.Find(u"a", -1), -1);
    EXPECT_EQ(text.Find(u"", 4), 4);
    EXPECT_EQ(text.Find(u"efg", 0), -1);
    EXPECT_EQ(text.Find(static_cast<const char16_t*>(nullptr), 0), -1);
    EXPECT_EQ(VoString().Find(u"", 0), -1);
    EXPECT_EQ(VoString(u"").Find(u"", 0), -1);
    EXPECT_EQ(text.Find(VoString(u"def"), 1), 3);
}

TEST(VoString, FindLastTakesTheLastCandidate) {
    EXPECT_EQ(VoString(u"abab").FindLast(u"ab"), 2);
    EXPECT_EQ(VoString(u"abab").FindLast(u"ba"), 1);
    EXPECT_EQ(VoString(u"abab").FindLast(u"abc"), -1);
    EXPECT_EQ(VoString(u"ab").FindLast(u"abab"), -1);
    EXPECT_EQ(VoString(u"aaa").FindLast(VoString(u"aa")), 1);
    EXPECT_EQ(VoString().FindLast(u"a"), -1);
    EXPECT_EQ(VoString(u"a").FindLast(static_cast<const char16_t*>(nullptr)), -1);
}

TEST(VoString, FindSubStringFindsTheFirstOccurrence) {
    const char16_t* text = u"xxabab";
    EXPECT_EQ(VoString::FindSubString(text, u"ab"), text + 2);
    EXPECT_EQ(VoString::FindSubString(text, u"b"), text + 3);
    EXPECT_EQ(VoString::FindSubString(text, u"abc"), nullptr);
    EXPECT_EQ(VoString::FindSubString(text, u""), text);
    EXPECT_EQ(VoString::FindSubString(nullptr, u"a"), nullptr);
    EXPECT_EQ(VoString::FindSubString(text, nullptr), nullptr);
}

TEST(VoString, SubStringIsUnsetOutsideTheText) {
    VoString text(u"abcdef");
    EXPECT_EQ(TextOf(text.SubString(2, 3, 0)), u"cde");
    EXPECT_EQ(TextOf(text.SubString(0, 3, 3)), u"def");
    EXPECT_EQ(text.SubString(4, 3, 0).chars, nullptr);
    EXPECT_EQ(text.SubString(6, 0, 0).chars, nullptr);
    EXPECT_EQ(text.SubString(-1, 2, 0).chars, nullptr);
    EXPECT_EQ(text.SubString(3, -1, 0).chars, nullptr);
    EXPECT_EQ(text.SubString(2147483647, 2147483647, 2147483647).chars, nullptr);
    VoString empty = text.SubString(5, 0, 0);
    ASSERT_NE(empty.chars, nullptr);
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(VoString, SplitSkipsEmptyPieces) {
    EXPECT_EQ(SplitOf("|a||b|", "|"), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(SplitOf("abc", "|"), (std::vector<std::u16string>{u"abc"}));
    EXPECT_EQ(SplitOf("a::b::::c", "::"), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_TRUE(SplitOf("", "|").empty());
    EXPECT_TRUE(SplitOf("|||", "|").empty());
    EXPECT_TRUE(SplitOf("abc", "").empty());

    PieceList out;
    EXPECT_TRUE(VoString().Split(VoString(u"|"), &out));
    EXPECT_TRUE(out.pieces.empty());
}

TEST(VoString, SplitAppendsAfterWhatTheListHolds) {
    PieceList out;
    out.pieces.push_back(u"old");
    VoString(u"x y").Split(VoString(u" "), &out);
    EXPECT_EQ(out.pieces, (std::vector<std::u16string>{u"old", u"x", u"y"}));
}

TEST(VoString, SplitRefusesAMissingList) {
    LogCapture log;
    EXPECT_FALSE(VoString(u"a|b").Split(VoString(u"|"), static_cast<PieceList*>(nullptr)));
    EXPECT_EQ(log.Count(VoString::kInvalidArgument), 1);
}

TEST(VoString, MatchPairCountsNestingToAnyDepth) {
    const struct {
        const char16_t* text;
        std::int32_t openIndex;
        const char16_t* inner;
    } cases[] = {
        {u"(a(b)c)", 0, u"a(b)c"}, {u"((a)(b))", 0, u"(a)(b)"},
        {u"(((a)))", 0, u"((a))"}, {u"x(((a))(b))y", 1, u"((a))(b)"},
        {u"(((a)))", 1, u"(a)"},   {u"()", 0, u""},
        {u"(a)(b)", 3, u"b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(c.text)));
        VoString inner(u"unchanged");
        EXPECT_TRUE(VoString(c.text).MatchPair(VoString(u"("), VoString(u")"), c.openIndex, &inner));
        EXPECT_EQ(TextOf(inner), c.inner);
    }
}

TEST(VoString, MatchPairWithLongerBrackets) {
    VoString inner;
    EXPECT_TRUE(VoString(u"<<a<<b>>c>>d").MatchPair(VoString(u"<<"), VoString(u">>"), 0, &inner));
    EXPECT_EQ(TextOf(inner), u"a<<b>>c");
}

TEST(VoString, MatchPairWithoutItsCloseFails) {
    LogCapture log;
    const char16_t* unmatched[] = {u"(a", u"((a)", u"(", u"((((a)))"};
    for (const char16_t* text : unmatched) {
        VoString inner(u"unchanged");
        EXPECT_FALSE(VoString(text).MatchPair(VoString(u"("), VoString(u")"), 0, &inner));
        EXPECT_EQ(TextOf(inner), u"unchanged");
    }
    VoString inner(u"unchanged");
    EXPECT_FALSE(VoString(u"(a)").MatchPair(VoString(u""), VoString(u")"), 0, &inner));
    EXPECT_FALSE(VoString(u"(a)").MatchPair(VoString(u"("), VoString(u")"), 2147483647, &inner));
    EXPECT_EQ(TextOf(inner), u"unchanged");
    EXPECT_EQ(log.Count(VoString::kMatchPairFailure), 6);
}

TEST(VoString, ReplaceOfTheSameLengthResumesAtTheReplacedPosition) {
    VoString text(u"aaa");
    text.Replace(VoString(u"aa"), VoString(u"ba"), true);
    EXPECT_EQ(TextOf(text), u"bba");

    VoString once(u"aaaa");
    once.Replace(u"aa", u"bb", false);
    EXPECT_EQ(TextOf(once), u"bbaa");
}

TEST(VoString, ReplaceOfAnotherLengthResumesAfterTheOccurrence) {
    VoString text(u"a///b");
    text.Replace(u"//", u"/", true);
    EXPECT_EQ(TextOf(text), u"a//b");

    VoString grow(u"x.y.z");
    grow.Replace(u".", u"::", true);
    EXPECT_EQ(TextOf(grow), u"x::y::z");

    VoString first(u"x.y.z");
    first.Replace(u".", u"", false);
    EXPECT_EQ(TextOf(first), u"xy.z");

    VoString all(u"....");
    all.Replace(u".", u"", true);
    ASSERT_NE(all.chars, nullptr);
    EXPECT_EQ(all.GetLength(), 0);
}

TEST(VoString, ReplaceLeavesTheTextWhenThereIsNothingToDo) {
    VoString text(u"abc");
    text.Replace(u"b", u"b", true);
    text.Replace(u"", u"x", true);
    text.Replace(u"zz", u"y", true);
    EXPECT_EQ(TextOf(text), u"abc");
    VoString unset;
    unset.Replace(u"a", u"b", true);
    EXPECT_EQ(unset.chars, nullptr);

    VoString self(u"abab");
    self.Replace(self, VoString(u"x"), true);
    EXPECT_EQ(TextOf(self), u"x");
}

TEST(VoString, TrimRemovesOnlyBlanksTabsAndLineEnds) {
    VoString text(u" \t\r\nab c\n\r\t ");
    text.TrimLeft();
    EXPECT_EQ(TextOf(text), u"ab c\n\r\t ");
    text.TrimRight();
    EXPECT_EQ(TextOf(text), u"ab c");

    VoString white(u" \t ");
    white.TrimLeft();
    ASSERT_NE(white.chars, nullptr);
    EXPECT_EQ(white.GetLength(), 0);

    VoString keep(u"\vx\f");
    keep.TrimLeft().TrimRight();
    EXPECT_EQ(TextOf(keep), u"\vx\f");

    VoString unset;
    unset.TrimLeft().TrimRight();
    EXPECT_EQ(unset.chars, nullptr);
}

TEST(VoString, CaseCopiesMapOnlyAsciiLetters) {
    VoString text(u"aZ\u00e9[{");
    EXPECT_EQ(TextOf(text.ToUpper()), u"AZ\u00e9[{");
    EXPECT_EQ(TextOf(text.ToLower()), u"az\u00e9[{");
    EXPECT_EQ(TextOf(text), u"aZ\u00e9[{");
    VoString upper = VoString().ToUpper();
    EXPECT_NE(upper.chars, nullptr);
    EXPECT_EQ(upper.GetLength(), 0);
}

TEST(VoString, ArraysOfStringsDestroyEachElement) {
    VoString* strings = new VoString[3];
    strings[0].Append(u"a");
    strings[2].Append(u"c");
    EXPECT_EQ(strings[1].chars, nullptr);
    delete[] strings;  // the sanitizer build reports a lost element buffer
}
