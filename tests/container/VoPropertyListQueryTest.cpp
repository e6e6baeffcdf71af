// Queries and changes of VoPropertyList.
#include <gtest/gtest.h>

#include <string>

#include "container/VoHashKeyList.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "container/VoVectorUInt.h"
#include "memory/VoMemoryManager.h"
#include "support/LogCapture.h"

namespace {

VoPropertyList* MakeList(const char16_t* apText) {
    VoPropertyList* list = new VoPropertyList();
    list->Parse(VoString(apText));
    return list;
}

const char16_t* const kSample =
    u"a\n"
    u"\tb=1\n"
    u"\tflags\n"
    u"\t\ton=TRUE\n"
    u"\t\tone=1\n"
    u"\t\tyes=yes\n"
    u"\t\tzero=0\n"
    u"\t\ttrue=true\n"
    u"nums=1|2||3\n"
    u"ints=-4|x|7\n"
    u"text=abc\n"
    u"empty=\n"
    u"big=4294967295\n"
    u"pi=3.5\n";

}  // namespace

TEST(VoPropertyList, PathsWalkSectionsToTheValue) {
    VoPropertyList* list = MakeList(kSample);
    LogCapture log;
    bool found = false;
    EXPECT_TRUE(list->GetString(VoString(u"a.b"), &found).Equals(u"1"));
    EXPECT_TRUE(found);
    EXPECT_TRUE(list->GetValue(VoString(u"a.b"), &found).Equals(u"1"));
    EXPECT_TRUE(found);
    // Doubled and outer dots count as one separator or none.
    EXPECT_TRUE(list->GetString(VoString(u"a..b"), &found).Equals(u"1"));
    EXPECT_TRUE(found);
    EXPECT_TRUE(list->GetString(VoString(u".a.b."), &found).Equals(u"1"));
    EXPECT_TRUE(found);
    EXPECT_EQ(list->GetString(VoString(u"a.c"), &found).GetLength(), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(list->GetString(VoString(u"nosuch.b"), &found).GetLength(), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(list->GetString(VoString(u""), &found).GetLength(), 0);
    EXPECT_FALSE(found);
    // Missing keys are the caller's to report.
    EXPECT_TRUE(log.Lines().empty());
    delete list;
}

// Scenes look their values up every frame: a lookup that finds a value or
// a section, converts it to a number or a truth value, or misses, takes no
// memory; only a string or vector handed to the caller does.
TEST(VoPropertyList, LookupsTakeNoMemory) {
    VoPropertyList* list = MakeList(kSample);
    const VoString paths[] = {VoString(u"a..flags.true"), VoString(u"pi"),     VoString(u"big"),
                              VoString(u"a.flags"),       VoString(u"a.no.x"), VoString(u"")};
    struct Answers {
        float number;
        std::int32_t integer;
        std::uint32_t natural;
        bool truth;
        bool found;
        bool section;
    } answers[std::size(paths)] = {};
    const std::int32_t heap = VoMemoryManager::CreateHeap(u"property list lookups", 0);
    ASSERT_GE(heap, 0);
    ASSERT_TRUE(VoMemoryManager::PushHeap(heap));
    for (std::size_t i = 0; i < std::size(paths); ++i) {
        bool found = false;
        answers[i].number = list->GetFloat(paths[i], &found);
        answers[i].found = found;
        answers[i].integer = list->GetInt(paths[i], &found);
        answers[i].natural = list->GetUInt(paths[i], &found);
        answers[i].truth = list->GetBool(paths[i], &found);
        answers[i].section = list->GetList(paths[i]) != nullptr;
    }
    VoMemoryManager::PopHeap();
    EXPECT_EQ(VoMemoryManager::GetHeap(heap)->GetPeak(), 0);
    EXPECT_TRUE(answers[0].found && answers[0].truth);
    EXPECT_FLOAT_EQ(answers[1].number, 3.5f);
    EXPECT_EQ(answers[1].integer, 3);
    EXPECT_EQ(answers[2].natural, 4294967295u);
    EXPECT_EQ(answers[2].integer, -1);
    EXPECT_TRUE(answers[3].section && !answers[3].found);
    EXPECT_FALSE(answers[4].found || answers[4].section);
    EXPECT_TRUE(answers[5].section);
    delete list;
}

TEST(VoPropertyList, ValuesAndSectionsAreNeverTakenForEachOther) {
    VoPropertyList* list = MakeList(kSample);
    bool found = true;
    // Through a value.
    EXPECT_EQ(list->GetString(VoString(u"a.b.c"), &found).GetLength(), 0);
    EXPECT_FALSE(found);
    // Ending on a section.
    found = true;
    EXPECT_EQ(list->GetString(VoString(u"a.flags"), &found).GetLength(), 0);
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(list->GetVectorString(VoString(u"a"), &found).GetCount(), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(list->GetList(VoString(u"a.b")), nullptr);
    EXPECT_EQ(list->GetList(VoString(u"text.x")), nullptr);
    delete list;
}

TEST(VoPropertyList, GetListFindsSectionsAndTheListItself) {
    VoPropertyList* list = MakeList(kSample);
    EXPECT_EQ(list->GetList(VoString(u"")), list);
    EXPECT_EQ(list->GetList(VoString(u"..")), list);
    VoPropertyList* flags = list->GetList(VoString(u"a.flags"));
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags, list->GetList(VoString(u"a"))->GetList(VoString(u"flags")));
    EXPECT_EQ(flags->GetCount(), 5);
    EXPECT_EQ(list->GetList(VoString(u"a.nosuch")), nullptr);
    delete list;
}

TEST(VoPropertyList, GetBoolIsTrueForTrueInAnyCaseOrOne) {
    VoPropertyList* list = MakeList(kSample);
    bool found = false;
    EXPECT_TRUE(list->GetBool(VoString(u"a.flags.on"), &found));
    EXPECT_TRUE(list->GetBool(VoString(u"a.flags.true"), &found));
    EXPECT_TRUE(list->GetBool(VoString(u"a.flags.one"), &found));
    EXPECT_FALSE(list->GetBool(VoString(u"a.flags.yes"), &found));
    EXPECT_TRUE(found);
    EXPECT_FALSE(list->GetBool(VoString(u"a.flags.zero"), &found));
    EXPECT_FALSE(list->GetBool(VoString(u"a.flags.missing"), &found));
    EXPECT_FALSE(found);
    delete list;
}

TEST(VoPropertyList, NumbersParseAsTheBoxedValuesDo) {
    VoPropertyList* list = MakeList(kSample);
    bool found = false;
    EXPECT_EQ(list->GetInt(VoString(u"missing"), &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(list->GetInt(VoString(u"text"), &found), 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(list->GetInt(VoString(u"a.b"), &found), 1);
    EXPECT_EQ(list->GetUInt(VoString(u"big"), &found), 4294967295u);
    EXPECT_EQ(list->GetUInt(VoString(u"missing"), &found), 0u);
    EXPECT_FLOAT_EQ(list->GetFloat(VoString(u"pi"), &found), 3.5f);
    EXPECT_TRUE(found);
    EXPECT_EQ(list->GetFloat(VoString(u"missing"), &found), 0.0f);
    EXPECT_FALSE(found);
    delete list;
}

TEST(VoPropertyList, VectorsSplitAtTheDelimiterDroppingEmptyPieces) {
    VoPropertyList* list = MakeList(kSample);
    bool found = false;
    VoVectorFloat floats = list->GetVectorFloat(VoString(u"nums"), &found);
    EXPECT_TRUE(found);
    ASSERT_EQ(floats.GetCount(), 3);
    EXPECT_EQ(floats.GetAt(0), 1.0f);
    EXPECT_EQ(floats.GetAt(1), 2.0f);
    EXPECT_EQ(floats.GetAt(2), 3.0f);

    VoVectorInt ints = list->GetVectorInt(VoString(u"ints"), &found);
    ASSERT_EQ(ints.GetCount(), 3);
    EXPECT_EQ(ints.GetAt(0), -4);
    EXPECT_EQ(ints.GetAt(1), 0);
    EXPECT_EQ(ints.GetAt(2), 7);

    VoVectorUInt uints = list->GetVectorUInt(VoString(u"nums"), &found);
    ASSERT_EQ(uints.GetCount(), 3);
    EXPECT_EQ(uints.GetAt(2), 3u);

    VoVectorString texts = list->GetVectorString(VoString(u"nums"), &found);
    ASSERT_EQ(texts.GetCount(), 3);
    EXPECT_TRUE(texts.GetAt(2).Equals(u"3"));

    EXPECT_EQ(list->GetVectorFloat(VoString(u"empty"), &found).GetCount(), 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(list->GetVectorFloat(VoString(u"missing"), &found).GetCount(), 0);
    EXPECT_FALSE(found);

    // A delimiter of several characters.
    EXPECT_TRUE(list->SetDelimiter(VoString(u"||")));
    texts = list->GetVectorString(VoString(u"nums"), &found);
    ASSERT_EQ(texts.GetCount(), 2);
    EXPECT_TRUE(texts.GetAt(0).Equals(u"1|2"));
    delete list;
}

TEST(VoPropertyList, EmptyDelimiterIsRefused) {
    VoPropertyList list;
    LogCapture log;
    EXPECT_FALSE(list.SetDelimiter(VoString(u"")));
    EXPECT_TRUE(log.Contains(VoPropertyList::kInvalidDelimiter));
    EXPECT_TRUE(list.GetDelimiter().Equals(u"|"));
}

TEST(VoPropertyList, EnumerationByIndexFollowsTheFile) {
    VoPropertyList* list = MakeList(u"z=1\ns\n\tx=2\na=3");
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_TRUE(list->GetKeyAt(0).Equals(u"z"));
    EXPECT_TRUE(list->GetKeyAt(1).Equals(u"s"));
    EXPECT_TRUE(list->GetKeyAt(2).Equals(u"a"));
    EXPECT_EQ(list->GetListAt(0), nullptr);
    EXPECT_EQ(list->GetListAt(1), list->GetList(VoString(u"s")));
    EXPECT_TRUE(list->GetAt(2).GetValue()->Equals(u"3"));

    LogCapture log;
    EXPECT_EQ(list->GetKeyAt(3).GetLength(), 0);
    EXPECT_TRUE(log.Contains(VoHashKeyList::kIndexOutOfBounds));
    EXPECT_EQ(list->GetListAt(-1), nullptr);
    const VoPropertyListElement bad = list->GetAt(3);
    EXPECT_EQ(bad.type, VoPropertyListElement::kValue);
    EXPECT_EQ(bad.pointer, nullptr);
    EXPECT_TRUE(log.Contains(VoPropertyList::kGetAtFailure));
    delete list;
}

TEST(VoPropertyList, GetByKeyCopiesTheElementOrReportsItsAbsence) {
    VoPropertyList* list = MakeList(u"s\n\tx=2\na=3");
    const VoPropertyListElement section = list->Get(VoString(u"s"));
    EXPECT_TRUE(section.IsSection());
    EXPECT_EQ(section.GetList(), list->GetList(VoString(u"s")));
    LogCapture log;
    // Get takes a key, not a path.
    const VoPropertyListElement none = list->Get(VoString(u"s.x"));
    EXPECT_EQ(none.pointer, nullptr);
    EXPECT_TRUE(log.Contains(VoPropertyList::kGetFailure));
    delete list;
}

TEST(VoPropertyList, SetStringAddsButNeverReplaces) {
    VoPropertyList* list = MakeList(kSample);
    bool found = false;
    EXPECT_TRUE(list->SetString(VoString(u"a.flags.new"), VoString(u"v")));
    EXPECT_TRUE(list->GetString(VoString(u"a.flags.new"), &found).Equals(u"v"));
    LogCapture log;
    EXPECT_FALSE(list->SetString(VoString(u"a.b"), VoString(u"2")));
    EXPECT_TRUE(log.Contains(std::string(VoHashKeyList::kDuplicateKey) + "b"));
    EXPECT_TRUE(list->GetString(VoString(u"a.b"), &found).Equals(u"1"));
    // The walk never creates sections, nor walks through a value.
    EXPECT_FALSE(list->SetString(VoString(u"nosuch.k"), VoString(u"v")));
    EXPECT_FALSE(list->SetString(VoString(u"text.k"), VoString(u"v")));
    EXPECT_FALSE(list->SetString(VoString(u"..."), VoString(u"v")));
    EXPECT_EQ(log.Count(VoPropertyList::kSetStringFailure), 3);
    delete list;
}

TEST(VoPropertyList, SetListHandsTheListToTheTreeOnlyOnSuccess) {
    VoPropertyList* list = MakeList(kSample);
    VoPropertyList* child = MakeList(u"k=v");
    EXPECT_TRUE(list->SetList(VoString(u"a.child"), child));
    EXPECT_EQ(list->GetList(VoString(u"a.child")), child);
    bool found = false;
    EXPECT_TRUE(list->GetString(VoString(u"a.child.k"), &found).Equals(u"v"));

    VoPropertyList* refused = MakeList(u"k=w");
    LogCapture log;
    EXPECT_FALSE(list->SetList(VoString(u"a.child"), refused));
    EXPECT_FALSE(list->SetList(VoString(u"a.x"), nullptr));
    EXPECT_EQ(list->GetList(VoString(u"a.child")), child);
    delete refused;
    delete list;
}

TEST(VoPropertyList, AddAndAddAtTakeElementsWithTheDuplicateCheck) {
    VoPropertyList list;
    EXPECT_TRUE(
        list.Add(VoString(u"b"), VoPropertyListElement(VoPropertyListElement::kValue, new VoString(u"2"))));
    EXPECT_TRUE(list.AddAt(0, VoString(u"a"),
                           VoPropertyListElement(VoPropertyListElement::kSection, new VoPropertyList())));
    EXPECT_TRUE(list.GetKeyAt(0).Equals(u"a"));
    EXPECT_NE(list.GetList(VoString(u"a")), nullptr);

    LogCapture log;
    VoString* kept = new VoString(u"x");
    EXPECT_FALSE(list.Add(VoString(u"b"), VoPropertyListElement(VoPropertyListElement::kValue, kept)));
    EXPECT_TRUE(log.Contains(VoPropertyList::kAddFailure));
    EXPECT_FALSE(list.AddAt(5, VoString(u"c"), VoPropertyListElement(VoPropertyListElement::kValue, kept)));
    EXPECT_TRUE(log.Contains(VoPropertyList::kAddAtFailure));
    EXPECT_FALSE(list.Add(VoString(u"c"), VoPropertyListElement()));
    EXPECT_EQ(list.GetCount(), 2);
    delete kept;
}

TEST(VoPropertyList, RemoveHandsTheElementToTheCaller) {
    VoPropertyList* list = MakeList(u"a=1\nb=2\nc=3");
    LogCapture log;
    VoPropertyListElement* element = nullptr;
    EXPECT_FALSE(list->Remove(VoString(u"a"), nullptr));
    VoPropertyListElement filled;
    VoPropertyListElement* notNull = &filled;
    EXPECT_FALSE(list->Remove(VoString(u"a"), &notNull));
    EXPECT_EQ(log.Count(VoPropertyList::kInvalidArgs), 2);
    EXPECT_FALSE(list->Remove(VoString(u"nosuch"), &element));
    EXPECT_TRUE(log.Contains(VoPropertyList::kRemoveFailure));

    ASSERT_TRUE(list->Remove(VoString(u"b"), &element));
    EXPECT_TRUE(element->GetValue()->Equals(u"2"));
    VoPropertyList::DeleteElement(element);
    element = nullptr;
    ASSERT_TRUE(list->RemoveAt(1, &element));
    EXPECT_TRUE(element->GetValue()->Equals(u"3"));
    VoPropertyList::DeleteElement(element);
    element = nullptr;
    EXPECT_FALSE(list->RemoveAt(1, &element));
    EXPECT_TRUE(log.Contains(VoPropertyList::kRemoveAtFailure));
    EXPECT_EQ(list->GetCount(), 1);
    bool found = false;
    EXPECT_TRUE(list->GetString(VoString(u"a"), &found).Equals(u"1"));
    delete list;
}

TEST(VoPropertyList, RemoveListAndRemovePropertyTakeTheRightKind) {
    VoPropertyList* list = MakeList(kSample);
    LogCapture log;
    VoString* value = nullptr;
    EXPECT_FALSE(list->RemoveProperty(VoString(u"a.flags"), &value));
    EXPECT_TRUE(log.Contains(VoPropertyList::kRemovePropertyFailure));
    EXPECT_FALSE(list->RemoveProperty(VoString(u"a.b"), nullptr));
    ASSERT_TRUE(list->RemoveProperty(VoString(u"a.b"), &value));
    EXPECT_TRUE(value->Equals(u"1"));
    delete value;

    VoPropertyList* section = nullptr;
    EXPECT_FALSE(list->RemoveList(VoString(u"text"), &section));
    EXPECT_TRUE(log.Contains(VoPropertyList::kRemoveListFailure));
    ASSERT_TRUE(list->RemoveList(VoString(u"a.flags"), &section));
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->GetCount(), 5);
    delete section;
    // Without an out-pointer the section is deleted.
    EXPECT_TRUE(list->RemoveList(VoString(u"a"), nullptr));
    EXPECT_EQ(list->GetList(VoString(u"a")), nullptr);
    bool found = false;
    EXPECT_TRUE(list->GetString(VoString(u"text"), &found).Equals(u"abc"));
    delete list;
}
