#include "menu/MGSlotList.h"

#include <gtest/gtest.h>

#include <string>

#include "MenuGame.h"
#include "container/VoPropertyList.h"
#include "stdlib/VoMemoryStream.h"

namespace {

std::string Entry(int aNumber, const std::string& aDescription, const std::string& aThumbnail) {
    return "game" + std::to_string(aNumber) + "\r\n\tdescription=" + aDescription +
           "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=" + aThumbnail + "\r\n";
}

// The list read from the text, written back.
std::string Rewritten(const std::string& aText) {
    VoMemoryStream in(4, VoMemoryStream::kGrowDouble);
    in.CreateFromBuffer(static_cast<std::int32_t>(aText.size()), aText.data());
    MGSlotList list;
    EXPECT_TRUE(list.Read(&in));
    VoMemoryStream out(64, VoMemoryStream::kGrowDouble);
    EXPECT_TRUE(list.Write(&out));
    return std::string(reinterpret_cast<const char*>(out.GetBuffer()), out.GetPosition());
}

}  // namespace

TEST(MGSlotList, TakesEveryGameEntryInAscendingNumberWhateverTheFileOrder) {
    MenuGame game;
    const std::string text =
        "game4\n\tdescription=Fourth\n\tthumbnail=d.tga\n"
        "settings\n\tdescription=not a slot\n"
        "game1\n\tdescription=First\n\ttimestamp=x\n\tthumbnail=a.tga\n\textra=ignored\n"
        "game01\n\tdescription=leading zero\n"
        "game0\n\tdescription=zero\n"
        "Game3\n\tdescription=capital\n"
        "game2=a value, not a section\n"
        "game12x\n\tdescription=not a number\n"
        "game2147483648\n\tdescription=too large\n"
        "game10\n\tdescription=Tenth\n";
    EXPECT_EQ(Rewritten(text),
              Entry(1, "First", "a.tga") + Entry(4, "Fourth", "d.tga") + Entry(10, "Tenth", "none"));
}

TEST(MGSlotList, NumbersOnlyCanonicalGameKeys) {
    struct Case {
        const char16_t* key;
        std::int32_t number;
    };
    const Case cases[] = {{u"game1", 1},
                          {u"game42", 42},
                          {u"game2147483646", 2147483646},
                          {u"game2147483647", 0},
                          {u"game99999999999", 0},
                          {u"game0", 0},
                          {u"game007", 0},
                          {u"game", 0},
                          {u"game-1", 0},
                          {u"GAME1", 0},
                          {u"games1", 0},
                          {u"", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(MGSlotList::NumberOf(VoString(c.key)), c.number) << Narrow(VoString(c.key));
    }
}

TEST(MGSlotList, AddsOnlyAboveTheHighestNumber) {
    MenuGame game;
    MGSlotList list;
    EXPECT_EQ(list.GetHighestNumber(), 0);
    EXPECT_FALSE(list.Add(0, VoString(u"zero"), VoString(u"none")));
    EXPECT_TRUE(list.Add(3, VoString(u"Three"), VoString(u"none")));
    EXPECT_FALSE(list.Add(3, VoString(u"again"), VoString(u"none")));
    EXPECT_FALSE(list.Add(2, VoString(u"below"), VoString(u"none")));
    EXPECT_TRUE(list.Add(MGSlotList::kMaxNumber, VoString(u"last"), VoString(u"none")));
    EXPECT_FALSE(list.Add(MGSlotList::kMaxNumber + 1, VoString(u"beyond"), VoString(u"none")));
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveLast();
    EXPECT_EQ(list.GetHighestNumber(), 3);
}

TEST(MGSlotList, AMissingFileIsAnEmptyListAndOneThatCannotBeOpenedIsUnreadable) {
    MenuGame game;
    MGSlotList list;
    EXPECT_TRUE(list.Load());
    EXPECT_EQ(list.GetCount(), 0);
    game.WriteGame(".filelist", Entry(1, "One", "none"));
    EXPECT_TRUE(list.Load());
    EXPECT_EQ(list.GetCount(), 1);
    std::filesystem::remove(game.fFolder.Path("game/.filelist"));
    std::filesystem::create_symlink(".filelist", game.fFolder.Path("game/.filelist"));
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(MGSlotList, GameFilesAreNamedByTheirSlot) {
    EXPECT_EQ(Narrow(MGSlotList::GameFile(1)), "//dataroot/game/game1.dat");
    EXPECT_EQ(Narrow(MGSlotList::GameFile(123)), "//dataroot/game/game123.dat");
}

TEST(MGSlotList, AValueIsWrittenAsItReadsBack) {
    MenuGame game;
    // Only a file's last line keeps a final backslash (every other joins the
    // next line). Written as it stands, it would join the next line, and with
    // it the next entry, to the value; white space before the line's end is
    // trimmed on reading, so writing it would change the file on each save.
    struct Case {
        const char* fName;
        std::string fText;
        std::string fWritten;
    };
    const Case cases[] = {
        {"backslashes", "game2\n\tdescription=two\ngame1\n\tdescription=one\n\tthumbnail=a.tga\\\\",
         Entry(1, "one", "a.tga") + Entry(2, "two", "none")},
        {"white space left by a joined line",
         "game1\n\tdescription=one\\\n*\tthumbnail=a\r\\\\", Entry(1, "one*\tthumbnail=a", "none")},
        {"backslash and white space mixed", "game1\n\tthumbnail=a\\ \t\\\\", Entry(1, "", "a")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Rewritten(c.fText), c.fWritten) << c.fName;
        EXPECT_EQ(Rewritten(Rewritten(c.fText)), Rewritten(c.fText)) << c.fName;
    }
}

TEST(MGSlotList, TheTextEndsAtTheFirstZeroByteAsADataFilesDoes) {
    MenuGame game;
    const std::string text = std::string("game1\n\tdescription=One\n\ttimes", 30) + std::string(3, '\0') +
                             "tamp=x\ngame2\n\tdescription=Two\n";
    EXPECT_EQ(Rewritten(text), Entry(1, "One", "none"));
}
