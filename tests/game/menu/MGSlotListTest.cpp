#include "menu/MGSlotList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "MenuGame.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "stdlib/VoMemoryStream.h"
#include "support/LogCapture.h"
#include "ui/MGMessageBox.h"

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
        {"white space left by a joined line", "game1\n\tdescription=one\\\n*\tthumbnail=a\r\\\\",
         Entry(1, "one*\tthumbnail=a", "none")},
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

namespace {

// The list read from the text (no bytes: nothing to read).
void ReadText(const std::string& aText, MGSlotList* apList) {
    VoMemoryStream in(4, VoMemoryStream::kGrowDouble);
    if (!aText.empty()) {
        in.CreateFromBuffer(static_cast<std::int32_t>(aText.size()), aText.data());
        EXPECT_TRUE(apList->Read(&in));
    }
}

VoVectorInt Numbers(std::initializer_list<std::int32_t> aNumbers) {
    VoVectorInt numbers;
    for (std::int32_t number : aNumbers) {
        numbers.Add(number);
    }
    return numbers;
}

// Bytes that are no list: what a disk or a foreign program may leave.
std::string Garbage() {
    std::string bytes;
    std::uint32_t state = 12345u;
    for (int i = 0; i < 300; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 24);
    }
    return bytes;
}

const std::string kFour = Entry(1, "First", "a.tga") + Entry(2, "Second", "none") +
                          Entry(3, "Third", "c.tga") + Entry(4, "Fourth", "none");
const std::size_t kSlot2 = Entry(1, "First", "a.tga").size();
const std::size_t kSlot3 = kSlot2 + Entry(2, "Second", "none").size();

}  // namespace

TEST(MGSlotList, AListCutShortOrOfForeignBytesIsFoundAndAValidOneIsNot) {
    MenuGame game;
    struct Case {
        const char* name;
        std::string text;
        VoVectorInt games;
        bool whole;
        bool recover;
    };
    std::string zeros = kFour;
    zeros.replace(kSlot3, zeros.size() - kSlot3, zeros.size() - kSlot3, '\0');
    const Case cases[] = {
        // Lists as saves write them, and as the reader has always taken them.
        {"four saves", kFour, Numbers({1, 2, 3, 4}), true, false},
        {"no list, no games", "", Numbers({}), true, false},
        {"line feeds only, entries out of order, a stranger",
         "junk\n\tdescription=x\ngame3\n\tdescription=Three\ngame1\n\tdescription=One\n", Numbers({1, 3}),
         true, false},
        {"a last entry without all its keys, no game above it",
         "game1\r\n\tdescription=Old one\r\n\ttimestamp=x\r\n", Numbers({1}), true, false},
        {"a game file above a complete last entry", Entry(1, "One", "none"), Numbers({1, 2}), true, false},
        {"a letter beyond ASCII", Entry(1, "Caf\xe9", "none"), Numbers({1}), true, false},
        // Damaged.
        {"empty with games", "", Numbers({1, 2, 3, 4}), true, true},
        {"blank lines with games", "\r\n\r\n", Numbers({2}), true, true},
        {"garbage", Garbage(), Numbers({1, 2, 3, 4}), false, true},
        {"garbage without games", Garbage(), Numbers({}), false, true},
        {"cut inside a key", kFour.substr(0, kSlot2 + 12), Numbers({1, 2, 3, 4}), false, true},
        {"cut inside a description", kFour.substr(0, kSlot2 + 22), Numbers({1, 2, 3, 4}), false, true},
        {"cut before the last line end", kFour.substr(0, kFour.size() - 2), Numbers({1, 2, 3, 4}), false,
         true},
        {"cut at a line end inside an entry", kFour.substr(0, kSlot3 + 27), Numbers({1, 2, 3, 4}), true,
         true},
        {"cut after a section name", kFour.substr(0, kSlot3 + 7), Numbers({1, 2, 3, 4}), true, true},
        {"zeros over the end", zeros, Numbers({1, 2, 3, 4}), false, true},
        {"a control character", Entry(1, "One\x1b", "none"), Numbers({1}), false, true},
        {"a delete character", Entry(1, "One\x7f", "none"), Numbers({1}), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MGSlotList list;
        ReadText(c.text, &list);
        EXPECT_EQ(list.IsWhole(), c.whole);
        EXPECT_EQ(list.NeedsRecovery(c.games), c.recover);
    }
}

TEST(MGSlotList, ARebuiltListHasOneCompleteEntryPerGameWithWhatTheDamagedListGave) {
    MenuGame game;
    MGSlotList list;
    // Slot 3 cut inside its description; slot 9 has no game file; slot 2
    // holds a control character.
    ReadText(Entry(1, "First", "a.tga") + Entry(2, "Sec\x01ond", "b\x02.tga") + Entry(9, "Ninth", "none") +
                 "game3\r\n\tdescription=Thi",
             &list);
    ASSERT_FALSE(list.IsWhole());
    const VoVectorInt games = Numbers({1, 2, 3, 4});
    list.Rebuild(games);
    EXPECT_TRUE(list.IsWhole());
    VoMemoryStream out(64, VoMemoryStream::kGrowDouble);
    ASSERT_TRUE(list.Write(&out));
    const std::string written(reinterpret_cast<const char*>(out.GetBuffer()), out.GetPosition());
    EXPECT_EQ(written, Entry(1, "First", "a.tga") + Entry(2, "Sec", "b") + Entry(3, "Thi", "none") +
                           Entry(4, "Saved game 4", "none"));
    // What is written reads back whole, with nothing left to recover.
    MGSlotList reread;
    ReadText(written, &reread);
    EXPECT_TRUE(reread.IsWhole());
    EXPECT_FALSE(reread.NeedsRecovery(games));
    EXPECT_EQ(Rewritten(written), written);
}

TEST(MGSlotList, GameNumbersAreTheGameFilesOfTheFolderAscending) {
    MenuGame game;
    for (const char* name :
         {"game10.dat", "game2.dat", "GAME2.DAT", "Game3.Dat", "game1.dat", "game01.dat", "game0.dat",
          "game4.dat.tmp", "game5.datx", "gamex.dat", "game.dat", ".filelist", "game2147483647.dat"}) {
        game.WriteGame(name, "x");
    }
    std::filesystem::create_directories(game.fFolder.Path("game/game6.dat"));
    VoVectorInt numbers;
    ASSERT_TRUE(MGSlotList::GameNumbers(&numbers));
    std::vector<std::int32_t> found;
    for (int i = 0; i < numbers.GetCount(); ++i) {
        found.push_back(numbers.GetAt(i));
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{1, 2, 3, 10}));
}

TEST(MGSlotList, OpenSetsADamagedListAsideUntouchedRebuildsItAndTellsOnce) {
    MenuGame game;
    const std::string damaged = kFour.substr(0, kSlot2 + 23);
    struct Case {
        const char* name;
        std::vector<std::string> taken;  // set-aside names in use, kept as they are
        MGSlotList::Opened opened;
        const char* keptAs;  // "" when not set aside
    };
    std::vector<std::string> allTaken{".filelist.damaged"};
    for (int n = 2; n <= MGSlotList::kSetAsideLimit; ++n) {
        allTaken.push_back(".filelist.damaged" + std::to_string(n));
    }
    const Case cases[] = {
        {"first", {}, MGSlotList::kRecovered, ".filelist.damaged"},
        {"one before", {".filelist.damaged"}, MGSlotList::kRecovered, ".filelist.damaged2"},
        {"a gap", {".filelist.damaged", ".filelist.damaged3"}, MGSlotList::kRecovered, ".filelist.damaged2"},
        {"no name left", allTaken, MGSlotList::kRebuiltOnly, ""},
    };
    const std::string rebuilt = Entry(1, "First", "a.tga") + Entry(2, "Sec", "none") +
                                Entry(3, "Saved game 3", "none") + Entry(4, "Saved game 4", "none");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(game.fFolder.Path("game"));
        for (int n = 1; n <= 4; ++n) {
            game.WriteGame("game" + std::to_string(n) + ".dat", "game");
        }
        for (const std::string& name : c.taken) {
            game.WriteGame(name, "older " + name);
        }
        game.WriteGame(".filelist", damaged);
        LogCapture log;
        MGSlotList list;
        EXPECT_EQ(list.Open(), c.opened);
        EXPECT_EQ(list.GetCount(), 4);
        EXPECT_EQ(Narrow(list.GetAt(1)->fDescription), "Sec");
        for (const std::string& name : c.taken) {
            EXPECT_EQ(game.ReadGame(name), "older " + name);
        }
        if (c.opened == MGSlotList::kRecovered) {
            EXPECT_EQ(game.ReadGame(c.keptAs), damaged);
            EXPECT_EQ(game.ReadGame(".filelist"), rebuilt);
            EXPECT_EQ(log.Lines().size(), 1u) << log.Contents();
            EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGSlotList::kSetAside) + c.keptAs));
            // Found once: the list now reads as it stands.
            log.Clear();
            MGSlotList again;
            EXPECT_EQ(again.Open(), MGSlotList::kRead);
            EXPECT_EQ(again.GetCount(), 4);
            EXPECT_EQ(log.Lines().size(), 0u) << log.Contents();
        } else {
            // Nowhere to keep it: the damaged list stays as it was.
            EXPECT_EQ(game.ReadGame(".filelist"), damaged);
            EXPECT_TRUE(log.Logged("ERROR: ", MGSlotList::kNotSetAside)) << log.Contents();
        }
    }
}

TEST(MGSlotList, ADamagedListIsSetAsideOnceWhetherOrNotItCanBeWrittenBack) {
    MenuGame game;
    // Longer than a block of the comparison, so that one differing late is
    // another list.
    const std::string damaged = kFour.substr(0, kSlot2 + 23) + std::string(5000, '\x01');
    std::string differsLate = damaged;
    differsLate.back() = '\x02';
    const std::string kept = std::string(MGSlotList::kSetAside) + ".filelist.damaged";
    const std::string notWritten = std::string(".") + MGSlotList::kNotWritten;
    using Files = std::map<std::string, std::string>;
    struct Case {
        const char* name;
        bool readOnly;
        Files before;               // set-aside names in use ("" for a folder)
        MGSlotList::Opened opened;  // on the first Open; a list written back reads as it stands after
        std::string logged;         // on each Open that finds the damage
        Files after;                // the set-aside files after three Opens
    };
    Files allTaken;
    for (int n = 1; n <= MGSlotList::kSetAsideLimit; ++n) {
        allTaken[".filelist.damaged" + (n > 1 ? std::to_string(n) : "")] = "older";
    }
    Files allTakenOneSame = allTaken;
    allTakenOneSame[".filelist.damaged42"] = damaged;
    const Files keptFirst{{".filelist.damaged", damaged}};
    const Files olderAndSame{{".filelist.damaged", "older"}, {".filelist.damaged2", damaged}};
    const Files late{{".filelist.damaged", differsLate}};
    const Files lateAndKept{{".filelist.damaged", differsLate}, {".filelist.damaged2", damaged}};
    // A folder where the copy would go; one where the new list is written first.
    const Files copyBlocked{{".filelist.damaged", ""}};
    const Files writeBlocked{{".filelist.tmp", ""}};
    const char* notSetAside = MGSlotList::kNotSetAside;
    const Case cases[] = {
        {"read-only", true, {}, MGSlotList::kRebuiltOnly, kept + notWritten, keptFirst},
        {"read-only, set aside before", true, olderAndSame, MGSlotList::kRebuiltOnly, kept + "2" + notWritten,
         olderAndSame},
        {"read-only, a list differing late", true, late, MGSlotList::kRebuiltOnly, kept + "2" + notWritten,
         lateAndKept},
        {"no name left", false, allTaken, MGSlotList::kRebuiltOnly, notSetAside, allTaken},
        {"the copy fails", false, copyBlocked, MGSlotList::kRebuiltOnly, notSetAside, {}},
        {"the write fails", false, writeBlocked, MGSlotList::kRebuiltOnly, kept + notWritten, keptFirst},
        {"no name left but one holds the same bytes", false, allTakenOneSame, MGSlotList::kRecovered,
         kept + "42", allTakenOneSame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(game.fFolder.Path("game"));
        for (int n = 1; n <= 4; ++n) {
            game.WriteGame("game" + std::to_string(n) + ".dat", "game");
        }
        for (const auto& [name, bytes] : c.before) {
            if (bytes.empty()) {
                std::filesystem::create_directories(game.fFolder.Path("game/" + name));
            } else {
                game.WriteGame(name, bytes);
            }
        }
        game.WriteGame(".filelist", damaged);
        if (c.readOnly) {
            game.MakeGameReadOnly(".filelist");
        }
        LogCapture log;
        for (int open = 0; open < 3; ++open) {
            MGSlotList list;
            const bool written = open > 0 && c.opened == MGSlotList::kRecovered;
            EXPECT_EQ(list.Open(), written ? MGSlotList::kRead : c.opened);
            EXPECT_EQ(list.GetCount(), 4);
        }
        EXPECT_EQ(log.Count(c.logged), c.opened == MGSlotList::kRecovered ? 1 : 3) << log.Contents();
        Files after;
        for (const auto& [name, bytes] : game.GameFiles()) {
            if (name.rfind(".filelist.", 0) == 0) {
                after[name] = bytes;
            }
        }
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(game.ReadGame(".filelist") == damaged, c.opened == MGSlotList::kRebuiltOnly);
    }
}

TEST(MGSlotList, ThePlayerIsToldOfAListNotWrittenOnceARun) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        MenuGame game;
        MGMessageBox* box = MGMessageBox::GetInstance();
        std::vector<std::string> told;
        for (MGSlotList::Opened opened :
             {MGSlotList::kRead, MGSlotList::kUnreadable, MGSlotList::kRebuiltOnly, MGSlotList::kRebuiltOnly,
              MGSlotList::kRecovered, MGSlotList::kRebuiltOnly, MGSlotList::kRecovered}) {
            MGSlotList::Tell(opened);
            told.push_back(MenuGame::BoxText());
            if (box->IsShown()) {
                MenuGame::AnswerBox(u"ok");
            }
        }
        const std::string recovered = Narrow(VoString(MGSlotList::kDamagedText));
        EXPECT_EQ(told, (std::vector<std::string>{"", "", Narrow(VoString(MGSlotList::kNotWrittenText)), "",
                                                  recovered, "", recovered}));
    }
}

TEST(MGSlotList, AMissingListIsRebuiltOnlyWhenThereAreGames) {
    MenuGame game;
    {
        LogCapture log;
        MGSlotList list;
        EXPECT_EQ(list.Open(), MGSlotList::kRead);
        EXPECT_FALSE(game.GameExists(".filelist"));
        EXPECT_FALSE(log.Contains(MGSlotList::kMissing));
    }
    game.WriteGame("game2.dat", "game");
    LogCapture log;
    MGSlotList list;
    EXPECT_EQ(list.Open(), MGSlotList::kRecovered);
    EXPECT_EQ(game.ReadGame(".filelist"), Entry(2, "Saved game 2", "none"));
    EXPECT_FALSE(game.GameExists(".filelist.damaged"));
    EXPECT_TRUE(log.Logged("ERROR: ", MGSlotList::kMissing));
}
