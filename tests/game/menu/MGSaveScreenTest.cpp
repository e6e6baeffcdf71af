#include "menu/MGSaveScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../ScreenProbes.h"
#include "MGScreenManager.h"
#include "MenuGame.h"
#include "gdi/VoSprite.h"
#include "menu/MGSaveField.h"
#include "menu/MGSlotList.h"
#include "render/VoTextureManager.h"
#include "state/VoStateManager.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FileSizeLimit.h"
#include "support/LogCapture.h"
#include "ui/MGIMessageBoxListener.h"
#include "ui/MGMessageBox.h"

namespace {

std::string Entry(int aNumber, const std::string& aDescription, const std::string& aThumbnail) {
    return "game" + std::to_string(aNumber) + "\r\n\tdescription=" + aDescription +
           "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=" + aThumbnail + "\r\n";
}

// The bytes of a string in the stream encoding: count, units, a 0 unit.
std::string Encoded(const std::string& aText) {
    std::string bytes(4, '\0');
    bytes[0] = static_cast<char>(aText.size());
    for (char c : aText) {
        bytes += c;
        bytes += '\0';
    }
    return bytes + std::string(2, '\0');
}

void SetString(const char16_t* apId, const char16_t* apValue) {
    VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"string"), VoString(apValue), false);
}

// The save screen over a screen below it (the main menu's place).
class MGSaveScreenTest : public ::testing::Test {
protected:
    MGSaveScreenTest() { fScreens->PushScreen(&fBelow); }

    void Enter() {
        ASSERT_TRUE(fScreens->PushFade(fScreen));
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
        ASSERT_NE(fScreen->GetField(), nullptr);
        fJournal.clear();
    }
    // Types the description and clicks "save"; runs the fade.
    void SaveAs(const std::string& aText) {
        MenuGame::TypeText(aText);
        ASSERT_TRUE(MenuGame::ClickButton(u"save"));
        fGame.RunFrames(1.0);
    }
    bool Left() const { return fScreens->GetTopScreen() == &fBelow; }

    MenuGame fGame;
    ScreenJournal fJournal;
    RecordingScreen fBelow{"menu", &fJournal};
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGSaveScreen* fScreen = MGSaveScreen::GetInstance();
    MGMessageBox* fBox = MGMessageBox::GetInstance();
};

}  // namespace

TEST_F(MGSaveScreenTest, IsBuiltFromItsLayoutWithTheFieldFocused) {
    Enter();
    VoDisplayGroup* root = fScreen->GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Narrow(root->GetId()), "savescreen_layout");
    for (const char16_t* path : {u"background", u"black_background", u"save_buttons.cancel",
                                 u"save_buttons.save", u"text_areas.textfield"}) {
        EXPECT_NE(root->GetMember(VoString(path)), nullptr) << Narrow(VoString(path));
    }
    EXPECT_EQ(root->GetMember(VoString(u"save_buttons"))->GetRelativeZ(), 10.0f);
    EXPECT_EQ(root->GetMember(VoString(u"text_areas"))->GetRelativeZ(), 15.0f);
    MGSaveField* field = fScreen->GetField();
    EXPECT_EQ(field->GetPosition(), VoVector2(293.0f, 328.0f));
    EXPECT_TRUE(field->HasFocus());
    // Without a place there is no picture.
    EXPECT_EQ(Narrow(fScreen->GetThumbnail()), "none");
    EXPECT_EQ(root->GetMember(VoString(u"thumbnail_sprite")), nullptr);
    // The list was made, empty, in the player's folder.
    EXPECT_TRUE(fGame.GameExists(".filelist"));
    EXPECT_EQ(fGame.ReadGame(".filelist"), "");
}

TEST_F(MGSaveScreenTest, TheFirstSaveWritesItsEntryAndTheGameFile) {
    Enter();
    SaveAs("Alpha");
    EXPECT_EQ(fGame.ReadGame(".filelist"),
              "game1\r\n\tdescription=Alpha\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n");
    EXPECT_TRUE(Left());
    EXPECT_FALSE(fBox->IsShown());
    // An empty inventory's sixteen zero counts, then the records of the event
    // manager, the state manager and the game clock.
    const std::string file = fGame.ReadGame("game1.dat");
    ASSERT_GT(file.size(), 64u);
    EXPECT_EQ(file.substr(0, 64), std::string(64, '\0'));
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    stream.CreateFromBuffer(static_cast<std::int32_t>(file.size() - 64), file.data() + 64);
    float version = 0.0f;
    std::uint32_t handle = 0;
    VoString handleId;
    ASSERT_TRUE(stream.ReadFloat(&version) && stream.ReadUInt(&handle) && stream.ReadString(&handleId));
    const std::uint32_t creator = stream.GetPosition();
    EXPECT_EQ(file.substr(64 + creator, 30), Encoded("eventmanager"));
    const std::size_t states = file.find(Encoded("statemanager"));
    const std::size_t clock = file.find(Encoded("gameclock"));
    EXPECT_NE(states, std::string::npos);
    EXPECT_NE(clock, std::string::npos);
    EXPECT_LT(states, clock);
    // Nothing is left beside them.
    EXPECT_FALSE(fGame.GameExists("game1.dat.tmp"));
    EXPECT_FALSE(fGame.GameExists(".filelist.tmp"));
}

TEST_F(MGSaveScreenTest, ASecondSaveRewritesTheFirstWithTheFixedTimestampAndAppends) {
    fGame.WriteGame(".filelist", "game1\r\n\tdescription=Old one\r\n\ttimestamp=x\r\n");
    fGame.WriteGame("game1.dat", "old");
    Enter();
    SaveAs("New one  ");
    // White space at a value's end is trimmed when the list is read, so it is
    // not written either: the file reads back as it was written.
    EXPECT_EQ(fGame.ReadGame(".filelist"), Entry(1, "Old one", "none") + Entry(2, "New one", "none"));
    EXPECT_EQ(fGame.ReadGame("game1.dat"), "old");
    EXPECT_TRUE(fGame.GameExists("game2.dat"));
}

TEST_F(MGSaveScreenTest, AListWithAGapKeepsEveryEntryAndTheNewSaveGoesAfterThemAll) {
    fGame.WriteGame(".filelist",
                    Entry(1, "One", "a.tga") + Entry(2, "Two", "b.tga") + Entry(4, "Four", "d.tga"));
    for (const char* file : {"game1.dat", "game2.dat", "game4.dat"}) {
        fGame.WriteGame(file, file);
    }
    Enter();
    SaveAs("Five");
    EXPECT_EQ(fGame.ReadGame(".filelist"), Entry(1, "One", "a.tga") + Entry(2, "Two", "b.tga") +
                                               Entry(4, "Four", "d.tga") + Entry(5, "Five", "none"));
    EXPECT_EQ(fGame.ReadGame("game4.dat"), "game4.dat");
    EXPECT_TRUE(fGame.GameExists("game5.dat"));
    EXPECT_FALSE(fGame.GameExists("game3.dat"));
}

TEST_F(MGSaveScreenTest, AGameFileThatNoEntryNamesIsNeverWrittenOver) {
    fGame.WriteGame(".filelist", Entry(1, "One", "none"));
    fGame.WriteGame("game1.dat", "one");
    fGame.WriteGame("game2.dat", "stray");
    Enter();
    SaveAs("Three");
    EXPECT_EQ(fGame.ReadGame(".filelist"), Entry(1, "One", "none") + Entry(3, "Three", "none"));
    EXPECT_EQ(fGame.ReadGame("game2.dat"), "stray");
    EXPECT_TRUE(fGame.GameExists("game3.dat"));
}

TEST_F(MGSaveScreenTest, AnEmptyOrBlankDescriptionSavesNothing) {
    for (const char* text : {"", "   "}) {
        Enter();
        MenuGame::TypeText(text);
        ASSERT_TRUE(MenuGame::ClickButton(u"save"));
        fGame.RunFrames(1.0);
        EXPECT_EQ(fGame.ReadGame(".filelist"), "") << "'" << text << "'";
        EXPECT_FALSE(fGame.GameExists("game1.dat")) << "'" << text << "'";
        EXPECT_FALSE(Left()) << "'" << text << "'";
        EXPECT_FALSE(fBox->IsShown());
        ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
        fGame.RunFrames(1.0);
        EXPECT_TRUE(Left());
    }
}

TEST_F(MGSaveScreenTest, ThePlaceGivesThePictureByCaseSceneAndViewpoint) {
    struct Case {
        const char16_t* scene;
        const char16_t* viewpoint;
        const char* name;
    };
    const Case cases[] = {
        {u"case01/lobby", u"vp_entrance", "thumb_lobby_entrance.tga"},
        {u"CASE01/office", u"vp_office", "none"},  // the prefix in any case, the section as written
        {u"Case01/lobby", u"vp_desk", "none"},
        {u"case01/office", u"vp_office", "thumb_office.tga"},
        {u"precinct", u"vp_squadroom", "thumb_precinct.tga"},
        {u"precinct", u"vp_nowhere", "none"},
        {u"case01", u"vp_entrance", "none"},
        {u"casefile", u"vp_entrance", "none"},
        {u"lobby", u"vp_entrance", "none"},
        {nullptr, u"vp_entrance", "none"},
        {u"case01/lobby", nullptr, "none"},
    };
    for (const Case& c : cases) {
        VoStateManager::GetInstance()->ClearStates();
        if (c.scene != nullptr) {
            SetString(u"sta_currentscene", c.scene);
        }
        if (c.viewpoint != nullptr) {
            SetString(u"sta_currentviewpoint", c.viewpoint);
        }
        EXPECT_EQ(Narrow(MGSaveScreen::LookUpThumbnail()), c.name)
            << (c.scene ? Narrow(VoString(c.scene)) : "-") << " "
            << (c.viewpoint ? Narrow(VoString(c.viewpoint)) : "-");
    }
}

TEST_F(MGSaveScreenTest, ThePictureOfThePlaceIsShownAndSavedWithTheEntry) {
    SetString(u"sta_currentscene", u"case01/lobby");
    SetString(u"sta_currentviewpoint", u"vp_entrance");
    Enter();
    auto* sprite = dynamic_cast<VoSprite*>(fScreen->GetRoot()->GetMember(VoString(u"thumbnail_sprite")));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetPosition(), VoVector2(265.0f, 95.0f));
    EXPECT_EQ(sprite->GetRelativeZ(), -10.0f);
    EXPECT_EQ(sprite->GetTexture(),
              VoTextureManager::GetInstance()->GetHandle(VoString(u"thumb_lobby_entrance.tga")));
    SaveAs("Lobby");
    EXPECT_EQ(fGame.ReadGame(".filelist"), Entry(1, "Lobby", "thumb_lobby_entrance.tga"));
}

TEST_F(MGSaveScreenTest, AFailedSaveChangesNoFileSaysSoAndKeepsTheScreen) {
    const std::string list = Entry(1, "One", "none") + Entry(2, "Two", "none");
    struct Case {
        const char* what;
        const char* blocker;  // a folder in the way, under game/
        std::size_t sizeLimit;
        const char* level;
        const char* line;
    };
    const Case cases[] = {
        {"the list cannot be read", ".filelist", 0, "ERROR: ", MGSaveScreen::kListFailure},
        {"the game file cannot be made", "game3.dat.tmp", 0, "ASSERT FAILURE: ", MGSaveScreen::kGameFailure},
        {"the game file cannot be written", nullptr, 4000, "ASSERT FAILURE: ", MGSaveScreen::kGameFailure},
        {"the new list cannot be made", ".filelist.tmp", 0, "ERROR: ", MGSaveScreen::kListFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(fGame.fFolder.Path("game"));
        fGame.WriteGame("game1.dat", "one");
        fGame.WriteGame("game2.dat", "two");
        if (std::string(c.blocker ? c.blocker : "") == ".filelist") {
            // There, but it cannot be opened: a link to itself.
            std::filesystem::create_symlink(".filelist", fGame.fFolder.Path("game/.filelist"));
        } else {
            fGame.WriteGame(".filelist", list);
            if (c.blocker != nullptr) {
                std::filesystem::create_directories(
                    fGame.fFolder.Path(std::string("game/") + c.blocker + "/x"));
            }
        }
        // A game larger than the size limit of the write that fails.
        for (int i = 0; i < 200; ++i) {
            VoStateManager::GetInstance()->SetState(VoString(u"sta_filler") + i, VoString(u"number"),
                                                    VoString(u"1"), false);
        }
        Enter();
        LogCapture log;
        MenuGame::TypeText("Three");
        {
            FileSizeLimit limit(c.sizeLimit > 0 ? c.sizeLimit : RLIM_INFINITY);
            ASSERT_TRUE(MenuGame::ClickButton(u"save"));
        }
        fGame.RunFrames(1.0);
        EXPECT_TRUE(log.Logged(c.level, c.line)) << log.Contents();
        EXPECT_TRUE(fBox->IsShown());
        EXPECT_EQ(MenuGame::BoxText(), "The game could not be saved.");
        EXPECT_EQ(MenuGame::BoxButtons(), "ok");
        EXPECT_FALSE(Left());
        if (std::string(c.blocker ? c.blocker : "") != ".filelist") {
            EXPECT_EQ(fGame.ReadGame(".filelist"), list);
        }
        EXPECT_EQ(fGame.ReadGame("game1.dat"), "one");
        EXPECT_EQ(fGame.ReadGame("game2.dat"), "two");
        EXPECT_FALSE(fGame.GameExists("game3.dat"));
        EXPECT_FALSE(fGame.GameExists("game3.dat.tmp") && c.blocker == nullptr);
        MenuGame::AnswerBox(u"ok");

        // With the way clear, the same screen saves.
        if (c.blocker != nullptr && std::string(c.blocker) != ".filelist") {
            std::filesystem::remove_all(fGame.fFolder.Path(std::string("game/") + c.blocker));
            ASSERT_TRUE(MenuGame::ClickButton(u"save"));
            fGame.RunFrames(1.0);
            EXPECT_EQ(fGame.ReadGame(".filelist"), list + Entry(3, "Three", "none"));
            EXPECT_TRUE(Left());
        } else {
            ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
            fGame.RunFrames(1.0);
            EXPECT_TRUE(Left());
        }
    }
}

TEST_F(MGSaveScreenTest, ClicksWhileTheStackFadesChangeNothingAndTheNextOnesWork) {
    Enter();
    MenuGame::TypeText("Later");
    // A fade of the stack's own: a push over the save screen has begun.
    RecordingScreen other("other", &fJournal);
    ASSERT_TRUE(fScreens->PushFade(&other));
    ASSERT_TRUE(fScreens->IsBusy());
    ASSERT_TRUE(MenuGame::ClickButton(u"save"));
    ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
    EXPECT_EQ(fGame.ReadGame(".filelist"), "");
    fGame.RunFrames(1.0);
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fScreens->PopFade(&popped));
    fGame.RunFrames(1.0);
    ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    MenuGame::TypeText("Later");
    ASSERT_TRUE(MenuGame::ClickButton(u"save"));
    fGame.RunFrames(1.0);
    EXPECT_EQ(fGame.ReadGame(".filelist"), Entry(1, "Later", "none"));
    EXPECT_TRUE(Left());
}

TEST_F(MGSaveScreenTest, ADamagedListIsSetAsideAndRebuiltAndTheSaveTakesTheNextFreeNumber) {
    const std::string two = Entry(1, "One", "a.tga") + Entry(2, "Two", "none");
    const std::string recovered4 = Entry(3, "Saved game 3", "none") + Entry(4, "Saved game 4", "none");
    struct Case {
        const char* name;
        std::string list;
        int games;  // game1.dat to this one on disk
        bool told;
        std::string kept;  // the new list before the save's entry
        int number;        // the save's
    };
    const Case cases[] = {
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 4, true,
         Entry(1, "Saved game 1", "none") + Entry(2, "Saved game 2", "none") + recovered4, 5},
        {"cut short", two + "game3\r\n\tdescr", 4, true, two + recovered4, 5},
        {"empty", "", 4, true,
         Entry(1, "Saved game 1", "none") + Entry(2, "Saved game 2", "none") + recovered4, 5},
        {"garbage, no games", std::string("\x1f\x8b\x08\0", 4), 0, true, "", 1},
        // Nothing was lost: nothing to tell.
        {"empty, no games", "", 0, false, "", 1},
        {"whole", two, 2, false, two, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(fGame.fFolder.Path("game"));
        for (int n = 1; n <= c.games; ++n) {
            fGame.WriteGame("game" + std::to_string(n) + ".dat", "game " + std::to_string(n));
        }
        fGame.WriteGame(".filelist", c.list);
        LogCapture log;
        Enter();
        EXPECT_EQ(fBox->IsShown(), c.told);
        EXPECT_EQ(MenuGame::BoxText(), c.told ? Narrow(VoString(MGSlotList::kDamagedText)) : "");
        EXPECT_EQ(log.Count(MGSlotList::kSetAside), c.told ? 1 : 0) << log.Contents();
        EXPECT_EQ(fGame.GameExists(".filelist.damaged"), c.told);
        if (c.told) {
            EXPECT_EQ(fGame.ReadGame(".filelist.damaged"), c.list);
            MenuGame::AnswerBox(u"ok");
        }
        SaveAs("New");
        EXPECT_TRUE(Left());
        EXPECT_EQ(fGame.ReadGame(".filelist"), c.kept + Entry(c.number, "New", "none"));
        EXPECT_TRUE(fGame.GameExists("game" + std::to_string(c.number) + ".dat"));
        for (int n = 1; n <= c.games; ++n) {
            EXPECT_EQ(fGame.ReadGame("game" + std::to_string(n) + ".dat"), "game " + std::to_string(n));
        }
        // Once: the next visit finds the list whole.
        Enter();
        EXPECT_FALSE(fBox->IsShown());
        EXPECT_EQ(log.Count(MGSlotList::kSetAside), c.told ? 1 : 0);
        ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
        fGame.RunFrames(1.0);
        if (c.told) {
            EXPECT_EQ(fGame.ReadGame(".filelist.damaged"), c.list);
        }
    }
}

TEST_F(MGSaveScreenTest, ADamagedListWithNowhereToBeSetAsideIsNeverWrittenOver) {
    const std::string damaged = Entry(1, "One", "none") + "game2\r\n\tdesc";
    fGame.WriteGame("game1.dat", "one");
    fGame.WriteGame("game2.dat", "two");
    fGame.WriteGame(".filelist.damaged", "older");
    for (int n = 2; n <= MGSlotList::kSetAsideLimit; ++n) {
        fGame.WriteGame(".filelist.damaged" + std::to_string(n), "older");
    }
    fGame.WriteGame(".filelist", damaged);
    LogCapture log;
    Enter();
    EXPECT_TRUE(log.Logged("ERROR: ", MGSlotList::kNotSetAside));
    EXPECT_EQ(MenuGame::BoxText(), Narrow(VoString(MGSlotList::kNotWrittenText)));
    MenuGame::AnswerBox(u"ok");
    SaveAs("Three");
    EXPECT_FALSE(Left());
    EXPECT_EQ(MenuGame::BoxText(), "The game could not be saved.");
    MenuGame::AnswerBox(u"ok");
    EXPECT_EQ(fGame.ReadGame(".filelist"), damaged);
    EXPECT_FALSE(fGame.GameExists("game3.dat"));
    EXPECT_EQ(fGame.ReadGame(".filelist.damaged"), "older");
}
