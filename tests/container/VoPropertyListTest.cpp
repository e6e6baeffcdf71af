#include "container/VoPropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "container/VoHashKeyList.h"
#include "memory/ScopedHeap.h"
#include "stdlib/VoIStream.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"

namespace {

// The tree as one line per key, "path=value" or "path/" for a section, in
// insertion order: two trees are equal when their dumps are.
void Dump(VoPropertyList& aList, const std::u16string& aPrefix, std::vector<std::u16string>* apOut) {
    for (int i = 0; i < aList.GetCount(); ++i) {
        const std::u16string path = aPrefix + TextOf(aList.GetKeyAt(i));
        VoPropertyListElement element = aList.GetAt(i);
        if (element.IsSection()) {
            apOut->push_back(path + u"/");
            Dump(*element.GetList(), path + u"/", apOut);
        } else {
            apOut->push_back(path + u"=" + TextOf(*element.GetValue()));
        }
    }
}

std::vector<std::u16string> Dump(VoPropertyList& aList) {
    std::vector<std::u16string> lines;
    Dump(aList, u"", &lines);
    return lines;
}

std::vector<std::u16string> Parsed(const char16_t* apText) {
    VoPropertyList list;
    EXPECT_TRUE(list.Parse(VoString(apText)));
    return Dump(list);
}

using Lines = std::vector<std::u16string>;

std::string DuplicateOf(const std::string& aKey) {
    return VoHashKeyList::kDuplicateKey + aKey;
}

}  // namespace

TEST(VoPropertyList, EmptyTextsGiveAnEmptyList) {
    EXPECT_TRUE(Parsed(u"").empty());
    EXPECT_TRUE(Parsed(u"\n\n\r\n  \t \n").empty());
    EXPECT_TRUE(Parsed(u"// one\n\t// two\n   //three").empty());
}

TEST(VoPropertyList, KeyIsEverythingBeforeTheFirstEquals) {
    EXPECT_EQ(Parsed(u"a=b=c\nk = v\ne=\n=nokey"), (Lines{u"a=b=c", u"k = v", u"e=", u"=nokey"}));
    VoPropertyList list;
    list.Parse(VoString(u"k = v"));
    bool found = false;
    EXPECT_TRUE(list.GetString(VoString(u"k "), &found).Equals(u" v"));
    EXPECT_TRUE(found);
}

TEST(VoPropertyList, OnlyWholeLinesAreComments) {
    EXPECT_EQ(Parsed(u"s\n\t// note\n\tv=1 // not a note\nu=http://x"),
              (Lines{u"s/", u"s/v=1 // not a note", u"u=http://x"}));
}

TEST(VoPropertyList, OnlyTabsCountAsDepth) {
    EXPECT_EQ(Parsed(u"s\n    a=1\n \tb=2\n\tc=3"), (Lines{u"s/", u"s/c=3", u"a=1", u"b=2"}));
}

TEST(VoPropertyList, CarriageReturnsReadLikeLineFeedsAlone) {
    const char16_t* lf = u"s\n\ta=1\n\tt\n\t\tb=2\nc=3";
    const char16_t* crlf = u"s\r\n\ta=1\r\n\tt\r\n\t\tb=2\r\nc=3\r\n";
    EXPECT_EQ(Parsed(crlf), Parsed(lf));
    EXPECT_EQ(Parsed(lf), (Lines{u"s/", u"s/a=1", u"s/t/", u"s/t/b=2", u"c=3"}));
    // Blanks at a value's end go with the line end; a line that begins with
    // a carriage return is skipped.
    EXPECT_EQ(Parsed(u"a=1 \t\r\n\rb=2\n"), (Lines{u"a=1"}));
}

TEST(VoPropertyList, BackslashContinuesTheLine) {
    EXPECT_EQ(Parsed(u"a=1\\\n   2"), (Lines{u"a=12"}));
    // Blanks before the backslash stay; the next line loses its leading ones.
    EXPECT_EQ(Parsed(u"a=x \\\n\t\ty\\\nz"), (Lines{u"a=x yz"}));
    // Comment and blank lines inside a continuation are consumed and end it.
    EXPECT_EQ(Parsed(u"a=1\\\n// note\nb=2"), (Lines{u"a=1", u"b=2"}));
    EXPECT_EQ(Parsed(u"a=1\\\n  \t\nb=2"), (Lines{u"a=1", u"b=2"}));
    // On the last line of the text the backslash stays.
    EXPECT_EQ(Parsed(u"a=1\\"), (Lines{u"a=1\\"}));
    EXPECT_EQ(Parsed(u"a=1\\\n\n"), (Lines{u"a=1\\"}));
    // A continued section name, and a continuation at depth.
    EXPECT_EQ(Parsed(u"se\\\nc\n\tv=\\\n1"), (Lines{u"sec/", u"sec/v=1"}));
}

TEST(VoPropertyList, IndentedLinesGoToTheLastOpenSection) {
    // A value at depth 0 leaves the open section open.
    EXPECT_EQ(Parsed(u"s\nx=1\n\ty=2"), (Lines{u"s/", u"s/y=2", u"x=1"}));
    // A section at depth 1 replaces the one before it at that depth.
    EXPECT_EQ(Parsed(u"a\n\tb\n\t\tx=1\n\tc\n\t\ty=2\n\tz=3"),
              (Lines{u"a/", u"a/b/", u"a/b/x=1", u"a/c/", u"a/c/y=2", u"a/z=3"}));
}

TEST(VoPropertyList, SameNamedSectionsMergeAndTheFirstValueWins) {
    LogCapture log;
    EXPECT_EQ(Parsed(u"s\n\ta=1\ns\n\ta=2\n\tb=3"), (Lines{u"s/", u"s/a=1", u"s/b=3"}));
    EXPECT_EQ(log.Count(VoHashKeyList::kDuplicateKey), 2);
    EXPECT_TRUE(log.Contains(DuplicateOf("s")));
    EXPECT_TRUE(log.Contains(DuplicateOf("a")));
}

TEST(VoPropertyList, SectionLineKeepsTheDeeperEntriesOfTheOpenPathByName) {
    LogCapture log;
    // Reopening b leaves c open below it, so y lands in a.b.c.
    EXPECT_EQ(Parsed(u"a\n\tb\n\t\tc\n\t\t\tx=1\n\tb\n\t\t\ty=2"),
              (Lines{u"a/", u"a/b/", u"a/b/c/", u"a/b/c/x=1", u"a/b/c/y=2"}));
    EXPECT_EQ(log.Count(VoHashKeyList::kDuplicateKey), 1);
    EXPECT_EQ(log.Count(VoPropertyList::kNoParent), 0);
    log.Clear();
    // Under another section the kept name names nothing: the line is dropped.
    EXPECT_EQ(Parsed(u"a\n\tb\n\t\tc\n\td\n\t\t\ty=2\n\tb\n\t\t\tz=3"),
              (Lines{u"a/", u"a/b/", u"a/b/c/", u"a/b/c/z=3", u"a/d/"}));
    EXPECT_EQ(log.Count(VoPropertyList::kNoParent), 1);
}

TEST(VoPropertyList, KeysDifferingInCaseAreTwoKeys) {
    LogCapture log;
    EXPECT_EQ(Parsed(u"Key=1\nkey=2\nKEY=3"), (Lines{u"Key=1", u"key=2", u"KEY=3"}));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoPropertyList, LinesWithoutAParentSectionAreDropped) {
    LogCapture log;
    // Indented first line; two levels deeper than the last section.
    EXPECT_EQ(Parsed(u"\tx=1\ns\n\t\t\ty=2\n\tz=3"), (Lines{u"s/", u"s/z=3"}));
    EXPECT_EQ(log.Count(VoPropertyList::kNoParent), 2);
    log.Clear();
    // A section line whose name is already a value opens nothing.
    EXPECT_EQ(Parsed(u"v=1\nv\n\tw=2\nu=3"), (Lines{u"v=1", u"u=3"}));
    EXPECT_TRUE(log.Contains(DuplicateOf("v")));
    EXPECT_TRUE(log.Contains(std::string(VoPropertyList::kNoParent) + "w"));
    log.Clear();
    // A value line whose key is already a section is refused, the section kept.
    EXPECT_EQ(Parsed(u"s\n\ta=1\ns=2"), (Lines{u"s/", u"s/a=1"}));
    EXPECT_TRUE(log.Contains(DuplicateOf("s")));
}

TEST(VoPropertyList, ParseReplacesTheContent) {
    VoPropertyList list;
    list.Parse(VoString(u"a=1\ns\n\tb=2"));
    list.Parse(VoString(u"c=3"));
    EXPECT_EQ(Dump(list), (Lines{u"c=3"}));
    list.Parse(VoString(u""));
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(VoPropertyList, ManyKeysKeepFileOrderAndAreAllFound) {
    std::u16string text;
    for (int i = 0; i < 3000; ++i) {
        text += u"k" + TextOf(VoString().Append(i)) + u"=" + TextOf(VoString().Append(i * 7)) + u"\n";
    }
    text += u"k17=again\n";
    LogCapture log;
    VoPropertyList list;
    list.Parse(VoString(text.c_str()));
    ASSERT_EQ(list.GetCount(), 3000);
    EXPECT_EQ(log.Count(VoHashKeyList::kDuplicateKey), 1);
    for (int i = 0; i < 3000; i += 37) {
        const VoString key = VoString(u"k").Append(i);
        EXPECT_TRUE(list.GetKeyAt(i).Equals(key));
        bool found = false;
        EXPECT_EQ(list.GetInt(key, &found), i * 7);
        EXPECT_TRUE(found);
    }
    // Checked adds still work on a parsed list.
    EXPECT_FALSE(list.SetString(VoString(u"k5"), VoString(u"x")));
    EXPECT_TRUE(list.SetString(VoString(u"new"), VoString(u"x")));
}

TEST(VoPropertyList, LoadReadsSingleByteText) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    folder.Write("data.txt", "s\r\n\tname=caf\xE9\r\n");
    VoPropertyList list;
    ASSERT_TRUE(list.Load(PlatformTestFolder::Wide(folder.Path("data.txt")), false));
    bool found = false;
    const VoString name = list.GetString(VoString(u"s.name"), &found);
    EXPECT_TRUE(found);
    // Bytes from 0x80 are widened with their sign.
    EXPECT_EQ(TextOf(name), u"caf\uFFE9");

    // A zero byte ends the text.
    folder.Write("zero.txt", std::string("a=1\nb=2\0c=3\n", 12));
    ASSERT_TRUE(list.Load(PlatformTestFolder::Wide(folder.Path("zero.txt")), false));
    EXPECT_EQ(Dump(list), (Lines{u"a=1", u"b=2"}));
}

TEST(VoPropertyList, LoadFailureKeepsTheEarlierContent) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    VoPropertyList list;
    list.Parse(VoString(u"a=1"));
    EXPECT_FALSE(list.Load(PlatformTestFolder::Wide(folder.Path("missing.txt")), false));
    EXPECT_EQ(Dump(list), (Lines{u"a=1"}));

    // A file that opens but whose size the file system cannot give.
    folder.Write("huge.txt", "b=2\n");
    std::filesystem::resize_file(folder.Path("huge.txt"), 0x90000000ull);
    LogCapture log;
    EXPECT_FALSE(list.Load(PlatformTestFolder::Wide(folder.Path("huge.txt")), false));
    EXPECT_TRUE(log.Contains(VoPropertyList::kLoadFileSize));
    EXPECT_EQ(Dump(list), (Lines{u"a=1"}));
}

TEST(VoPropertyList, SerializeWritesTabsAndCarriageReturnLineFeeds) {
    VoPropertyList list;
    list.Parse(VoString(u"s\n\ta=1\n\tt\n\t\tc=x y\nb=2"));
    VoString text;
    EXPECT_TRUE(list.Serialize(text));
    EXPECT_EQ(TextOf(text), u"s\r\n\ta=1\r\n\tt\r\n\t\tc=x y\r\nb=2\r\n");

    VoPropertyList simple;
    simple.Parse(VoString(u"s\n\ta=1\nb=2"));
    EXPECT_TRUE(simple.Serialize(text));
    EXPECT_EQ(TextOf(text), u"s\r\n\ta=1\r\nb=2\r\n");
}

TEST(VoPropertyList, SerializeOfAnEmptyValueWritesTheLineAndFails) {
    VoPropertyList list;
    list.Parse(VoString(u"a=\nb=2"));
    LogCapture log;
    VoString text;
    EXPECT_FALSE(list.Serialize(text));
    EXPECT_TRUE(log.Contains(VoIStream::kInvalidArgument));
    EXPECT_EQ(TextOf(text), u"a=\r\nb=2\r\n");
}

TEST(VoPropertyList, SerializedTextParsesBackIntoAnEqualTree) {
    VoPropertyList list;
    list.Parse(VoString(u"z=26\ns\n\tb=x|y|z\n\tt\n\t\tdeep=1\n\tc=\uFFE9\na=1"));
    VoString text;
    ASSERT_TRUE(list.Serialize(text));
    VoPropertyList again;
    again.Parse(text);
    EXPECT_EQ(Dump(again), Dump(list));
    EXPECT_EQ(Dump(list),
              (Lines{u"z=26", u"s/", u"s/b=x|y|z", u"s/t/", u"s/t/deep=1", u"s/c=\uFFE9", u"a=1"}));
}

TEST(VoPropertyList, CopyIsDeepAndAnswersAlike) {
    VoPropertyList list;
    list.Parse(VoString(u"b=2\ns\n\tx=1\n\tt\n\t\ty=2\na=1"));
    list.SetDelimiter(VoString(u","));
    VoPropertyList copy(list);
    EXPECT_EQ(Dump(copy), Dump(list));
    EXPECT_TRUE(copy.GetDelimiter().Equals(u","));
    bool found = false;
    EXPECT_EQ(copy.GetInt(VoString(u"s.t.y"), &found), 2);
    EXPECT_TRUE(found);
    EXPECT_NE(copy.GetList(VoString(u"s")), list.GetList(VoString(u"s")));

    EXPECT_TRUE(copy.SetString(VoString(u"s.new"), VoString(u"3")));
    list.GetList(VoString(u"s.t"))->SetString(VoString(u"z"), VoString(u"4"));
    EXPECT_FALSE(list.GetString(VoString(u"s.new"), &found).GetLength() > 0 || found);
    copy.GetString(VoString(u"s.t.z"), &found);
    EXPECT_FALSE(found);
}

TEST(VoPropertyList, DescribesItselfAsAHashKeyList) {
    VoPropertyList list;
    const VoString address = VoString().Append(static_cast<const void*>(&list));
    EXPECT_EQ(TextOf(list.ToString()), u"[VoHashKeyList <" + TextOf(address) + u">]");
}

TEST(VoPropertyList, SectionsHaveTheirOwnDelimiter) {
    VoPropertyList list;
    list.SetDelimiter(VoString(u","));
    list.Parse(VoString(u"s\n\tv=1|2"));
    EXPECT_TRUE(list.GetList(VoString(u"s"))->GetDelimiter().Equals(u"|"));
    EXPECT_TRUE(list.GetDelimiter().Equals(u","));
}

// A parse keeps its values in blocks shared by the whole tree; whatever a
// caller takes out is its own and outlives the tree, and once everything is
// gone the heap holds nothing more than before.
TEST(VoPropertyList, WhatIsTakenOutOfAParsedTreeOutlivesIt) {
    ScopedHeap heap(u"parsed tree");
    ASSERT_GE(heap.Index(), 0);
    const std::int32_t blocks = heap.Heap().GetLiveBlocks();
    const std::int64_t memory = heap.Heap().GetMemory();
    {
        auto* root = new VoPropertyList();
        root->Parse(VoString(u"a=1\nb=2\nc=3\ns\n\tx=9\n\tt\n\t\ty=8\nv=7\n"));
        VoPropertyListElement* removed = nullptr;
        VoPropertyListElement* removedAt = nullptr;
        VoString* value = nullptr;
        VoPropertyList* section = nullptr;
        ASSERT_TRUE(root->Remove(VoString(u"a"), &removed));
        ASSERT_TRUE(root->RemoveAt(0, &removedAt));
        ASSERT_TRUE(root->RemoveProperty(VoString(u"c"), &value));
        ASSERT_TRUE(root->RemoveList(VoString(u"s"), &section));
        EXPECT_EQ(Dump(*root), (Lines{u"v=7"}));
        delete root;

        EXPECT_EQ(TextOf(*removed->GetValue()), u"1");
        EXPECT_EQ(TextOf(*removedAt->GetValue()), u"2");
        EXPECT_EQ(TextOf(*value), u"3");
        EXPECT_EQ(Dump(*section), (Lines{u"x=9", u"t/", u"t/y=8"}));
        // The caller's copies are whole strings of their own: they can change.
        value->Append(u"4");
        EXPECT_EQ(TextOf(*value), u"34");
        VoPropertyList::DeleteElement(removed);
        VoPropertyList::DeleteElement(removedAt);
        delete value;
        delete section;
    }
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), blocks);
    EXPECT_EQ(heap.Heap().GetMemory(), memory);
}

TEST(VoPropertyList, ParsingASectionAgainReplacesOnlyItsContent) {
    VoPropertyList root;
    root.Parse(VoString(u"s\n\tx=1\n\tt\n\t\ty=2\nz=3\n"));
    VoPropertyList* section = root.GetList(VoString(u"s"));
    ASSERT_NE(section, nullptr);
    section->Parse(VoString(u"q=5\nr\n\tw=6\n"));
    EXPECT_EQ(Dump(root), (Lines{u"s/", u"s/q=5", u"s/r/", u"s/r/w=6", u"z=3"}));
    // A copy holds values of its own, so it outlives its source.
    auto* copy = new VoPropertyList(root);
    root.Parse(VoString(u"k=1"));
    EXPECT_EQ(Dump(root), (Lines{u"k=1"}));
    EXPECT_EQ(Dump(*copy), (Lines{u"s/", u"s/q=5", u"s/r/", u"s/r/w=6", u"z=3"}));
    delete copy;
}
