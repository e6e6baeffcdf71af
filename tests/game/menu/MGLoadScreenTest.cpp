#include "menu/MGLoadScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "MenuGame.h"
#include "event/VoEventManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoImage.h"
#include "menu/MGGameFile.h"
#include "menu/MGMainMenu.h"
#include "menu/MGSaveScreen.h"
#include "menu/MGSlotList.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "render/VoTextureManager.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "time/VoGameClock.h"
#include "ui/MGIMessageBoxListener.h"
#include "ui/MGMessageBox.h"
#include "util/MGOptions.h"

namespace {

const VoVector2 kPictures[6] = {{25, 65}, {265, 65}, {505, 65}, {25, 315}, {265, 315}, {505, 315}};
const VoVector2 kTexts[6] = {{41, 262}, {287, 262}, {527, 262}, {41, 514}, {287, 514}, {527, 514}};

std::string Entry(int aNumber, const std::string& aDescription, const std::string& aThumbnail) {
    return "game" + std::to_string(aNumber) + "\r\n\tdescription=" + aDescription +
           "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=" + aThumbnail + "\r\n";
}

VoStateManager* States() {
    return VoStateManager::GetInstance();
}

void SetState(const char16_t* apId, const char16_t* apType, const char16_t* apValue) {
    States()->SetState(VoString(apId), VoString(apType), VoString(apValue), false);
}

std::string StringState(const char16_t* apId) {
    VoIState* state = States()->GetState(VoString(apId));
    return state != nullptr && state->GetType() == VoIState::kString
               ? Narrow(*static_cast<const VoString*>(state->GetValue()))
               : "(none)";
}

MGInventoryPanel* Inventory() {
    return MenuGame::Inventory();
}

// The item of save N.
const char16_t* ItemOf(int aNumber) {
    static const char16_t* const kItems[] = {u"1cn05", u"1cs03", u"letter", u"register"};
    return kItems[aNumber % 4];
}

// Counts the notices of a new game or a load.
// What of the running game a load may change, to compare before and after.
struct GameShot {
    int states = 0;
    int events = 0;
    int items = 0;
    int clock = 0;
    std::string scene;
    std::string marker;
    bool operator==(const GameShot& aOther) const {
        return states == aOther.states && events == aOther.events && items == aOther.items &&
               clock == aOther.clock && scene == aOther.scene && marker == aOther.marker;
    }
};

GameShot Shoot() {
    return {States()->GetStateCount(),
            VoEventManager::GetInstance()->GetEventCount(),
            MenuGame::ItemCount(),
            VoGameClock::GetInstance()->GetCurrentClock(),
            StringState(u"sta_currentscene"),
            StringState(u"sta_marker")};
}

// The load screen over the main menu, as the main menu's "load_game" puts it.
class MGLoadScreenTest : public ::testing::Test {
protected:
    MGLoadScreenTest() { fScreens->PushScreen(MGMainMenu::GetInstance()); }

    // A saved game in the squad room whose marker state names it, with an
    // item and an event of its own.
    void WriteSave(int aNumber) {
        SetState(u"sta_currentscene", u"string", u"precinct");
        SetState(u"sta_currentviewpoint", u"string", u"vp_squadroom");
        SetState(u"sta_marker", u"string", (VoString(u"save") + aNumber).GetChars());
        VoEventManager::GetInstance()->AddEvent(VoString(u"evt_saved") + aNumber, false);
        ASSERT_TRUE(MenuGame::GiveItem(ItemOf(aNumber)));
        ASSERT_TRUE(MGGameFile::Save(MGSlotList::GameFile(aNumber)));
        VoEventManager::GetInstance()->ClearEvents();
        States()->ClearStates();
        Inventory()->ClearItems();
    }
    // The running game the loads replace (or keep).
    void MakeRunningGame() {
        SetState(u"sta_currentscene", u"string", u"case01/lobby");
        SetState(u"sta_currentviewpoint", u"string", u"vp_desk");
        SetState(u"sta_marker", u"string", u"running");
        SetState(u"sta_selectedcase", u"number", u"1");
        VoEventManager::GetInstance()->AddEvent(VoString(u"evt_running"), false);
        ASSERT_TRUE(MenuGame::GiveItem(u"brasskey"));
        VoGameClock::GetInstance()->SetCurrentClock(1);
    }
    void Enter() {
        ASSERT_TRUE(fScreens->PushFade(fScreen));
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    }
    void Leave() {
        ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGMainMenu::GetInstance()));
    }
    // The middle of cell c.
    static void ClickCell(int aCell) { MenuGame::Click(kPictures[aCell].x + 100, kPictures[aCell].y + 100); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int c = 0; c < 6; ++c) {
            texts.push_back(Narrow(fScreen->GetText(c)->GetText()));
        }
        return texts;
    }
    int VisibleBrackets() const {
        int visible = 0;
        for (int c = 0; c < 6; ++c) {
            visible += fScreen->GetBracket(c) != nullptr && fScreen->GetBracket(c)->GetVisible() ? 1 : 0;
        }
        return visible;
    }

    MenuGame fGame;
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGLoadScreen* fScreen = MGLoadScreen::GetInstance();
    MGMessageBox* fBox = MGMessageBox::GetInstance();
};

}  // namespace

TEST_F(MGLoadScreenTest, IsBuiltFromItsLayoutWithSixCells) {
    Enter();
    VoDisplayGroup* root = fScreen->GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Narrow(root->GetId()), "loadscreen_layout");
    for (const char16_t* path :
         {u"background", u"black_background", u"load_buttons.cancel", u"load_buttons.up_arrow",
          u"load_buttons.down_arrow", u"load_buttons.load"}) {
        EXPECT_NE(root->GetMember(VoString(path)), nullptr) << Narrow(VoString(path));
    }
    VoIFont* comic = VoFontManager::GetInstance()->GetFont(VoString(u"comic18"));
    VoVector2 scale;
    comic->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(0.5f, 0.5f));
    for (int c = 0; c < 6; ++c) {
        VoTextArea* text = fScreen->GetText(c);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(Narrow(text->GetId()), "saveText_" + std::to_string(c));
        EXPECT_EQ(text->GetPosition(), kTexts[c]);
        EXPECT_EQ(text->GetRelativeZ(), 10.0f);
        EXPECT_EQ(text->GetLineHeight(), 19.0f);
        EXPECT_EQ(text->GetFont(), comic);
        ASSERT_NE(fScreen->GetBracket(c), nullptr);
        EXPECT_FALSE(fScreen->GetBracket(c)->GetVisible());
        EXPECT_NE(fScreen->GetArea(c), nullptr);
    }
    EXPECT_EQ(fScreen->GetEntryCount(), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>(6, ""));
    // Nothing to select, nothing to load.
    ClickCell(0);
    EXPECT_EQ(fScreen->GetSelectedCell(), -1);
}

TEST_F(MGLoadScreenTest, SevenSavesPageByThreesAndThePageIsKeptBetweenVisits) {
    std::string list;
    for (int n = 1; n <= 7; ++n) {
        list += Entry(n, "Save " + std::to_string(n), "thumb_office.tga");
    }
    fGame.WriteGame(".filelist", list);
    Enter();
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Save 1", "Save 2", "Save 3", "Save 4", "Save 5", "Save 6"}));
    for (int i = 0; i < 7; ++i) {
        VoSprite* picture = fScreen->GetPicture(i);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(Narrow(picture->GetId()), "thumbnail_" + std::to_string(i));
        EXPECT_EQ(picture->GetRelativeZ(), -10.0f);
        EXPECT_EQ(picture->GetVisible(), i < 6);
        if (i < 6) {
            EXPECT_EQ(picture->GetPosition(), kPictures[i]);
        }
    }
    ClickCell(1);
    EXPECT_EQ(fScreen->GetSelectedCell(), 1);
    ASSERT_TRUE(MenuGame::ClickButton(u"down_arrow"));
    EXPECT_EQ(fScreen->GetFirstVisible(), 3);
    EXPECT_EQ(fScreen->GetSelectedCell(), -1);
    EXPECT_EQ(VisibleBrackets(), 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Save 4", "Save 5", "Save 6", "Save 7", "", ""}));
    EXPECT_EQ(fScreen->GetPicture(6)->GetPosition(), kPictures[3]);
    EXPECT_FALSE(fScreen->GetPicture(0)->GetVisible());
    ASSERT_TRUE(MenuGame::ClickButton(u"down_arrow"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Save 7", "", "", "", "", ""}));
    ASSERT_TRUE(MenuGame::ClickButton(u"down_arrow"));
    EXPECT_EQ(fScreen->GetFirstVisible(), 6);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Save 7", "", "", "", "", ""}));
    ASSERT_TRUE(MenuGame::ClickButton(u"up_arrow"));
    EXPECT_EQ(fScreen->GetFirstVisible(), 3);
    Leave();
    Enter();
    EXPECT_EQ(fScreen->GetFirstVisible(), 3);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Save 4", "Save 5", "Save 6", "Save 7", "", ""}));
    ASSERT_TRUE(MenuGame::ClickButton(u"up_arrow"));
    ASSERT_TRUE(MenuGame::ClickButton(u"up_arrow"));
    EXPECT_EQ(fScreen->GetFirstVisible(), 0);
}

TEST_F(MGLoadScreenTest, OnlyACellWithADescriptionCanBeSelectedAndOneBracketShows) {
    fGame.WriteGame(".filelist", Entry(1, "One", "none") + Entry(2, "", "none") + Entry(3, "Three", "none"));
    Enter();
    ClickCell(4);
    ClickCell(1);
    EXPECT_EQ(fScreen->GetSelectedCell(), -1);
    EXPECT_EQ(VisibleBrackets(), 0);
    ClickCell(2);
    EXPECT_EQ(fScreen->GetSelectedCell(), 2);
    EXPECT_TRUE(fScreen->GetBracket(2)->GetVisible());
    ClickCell(0);
    EXPECT_EQ(fScreen->GetSelectedCell(), 0);
    EXPECT_EQ(VisibleBrackets(), 1);
    EXPECT_TRUE(fScreen->GetBracket(0)->GetVisible());
    // Buttons other than the first select nothing.
    MenuGame::MoveTo(kPictures[2].x + 100, kPictures[2].y + 100);
    VoMouse::GetInstance()->ButtonDown(2);
    VoMouse::GetInstance()->ButtonUp(2);
    EXPECT_EQ(fScreen->GetSelectedCell(), 0);
}

TEST_F(MGLoadScreenTest, ASaveWithoutAPictureShowsTheRiverBank) {
    fGame.WriteGame(".filelist", Entry(1, "One", "none") + Entry(2, "Two", "thumb_lost.tga") +
                                     "game3\r\n\tdescription=Three\r\n");
    Enter();
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t none = textures->GetHandle(VoString(u"none"));
    ASSERT_NE(none, 0u);
    EXPECT_EQ(fScreen->GetPicture(0)->GetTexture(), none);
    EXPECT_NE(fScreen->GetPicture(1)->GetTexture(), 0u);
    EXPECT_EQ(fScreen->GetPicture(1)->GetTexture(), textures->GetHandle(VoString(u"thumb_lost.tga")));
    EXPECT_EQ(fScreen->GetPicture(2)->GetTexture(), none);
}

TEST_F(MGLoadScreenTest, AnEntryWithoutAnyPictureKeepsTheOthersInTheirCells) {
    // A texture tree without the river bank: only a picture filed by hand.
    std::filesystem::create_directories(fGame.fFolder.Path("textures/menu"));
    std::filesystem::copy_file(std::string(VO_SOURCE_DIR) + "/data/textures/menu/load_screen_layout.txt",
                               fGame.fFolder.Path("textures/menu/load_screen_layout.txt"));
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(
        VoString(u"//textures"), PlatformTestFolder::Wide(fGame.fFolder.Path("textures"))));
    unsigned char white[4] = {255, 255, 255, 255};
    VoImage picture;
    ASSERT_TRUE(picture.Create(1, 1, 4, VoImage::kFormatBGRA, white, sizeof white));
    const std::uint32_t handle =
        VoTextureManager::GetInstance()->CreateTexture(VoString(u"kept.tga"), &picture);
    ASSERT_NE(handle, 0u);
    fGame.WriteGame(".filelist",
                    Entry(1, "One", "lost.tga") + Entry(2, "Two", "kept.tga") + Entry(3, "Three", "gone"));
    Enter();
    EXPECT_EQ(fScreen->GetEntryCount(), 3);
    EXPECT_EQ(fScreen->GetPicture(0), nullptr);
    ASSERT_NE(fScreen->GetPicture(1), nullptr);
    EXPECT_EQ(fScreen->GetPicture(1)->GetTexture(), handle);
    EXPECT_EQ(fScreen->GetPicture(1)->GetPosition(), kPictures[1]);
    EXPECT_EQ(fScreen->GetPicture(2), nullptr);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"One", "Two", "Three", "", "", ""}));
    ClickCell(2);
    EXPECT_EQ(fScreen->GetSelectedCell(), 2);
}

TEST_F(MGLoadScreenTest, LoadingBringsTheSavedGameBackAndItsPlace) {
    MGOptions::GetInstance()->SetSkillLevel(2);
    SetState(u"sta_selectedcase", u"number", u"2");
    SetState(u"sta_playerpos_x", u"number", u"-40");
    SetState(u"sta_playerpos_z", u"number", u"170");
    SetState(u"sta_playerdir_x", u"number", u"0");
    SetState(u"sta_playerdir_z", u"number", u"1");
    VoGameClock::GetInstance()->SetCurrentClock(2);
    VoGameClock::GetInstance()->AdvanceTime(30.0f, false);
    VoGameClock::GetInstance()->AddDelayedTrigger(VoString(u"evt_later"), 10.0f, -1);
    WriteSave(1);
    const std::string saved = fGame.ReadGame("game1.dat");
    fGame.WriteGame(".filelist", Entry(1, "Squad room", "thumb_precinct.tga"));
    MakeRunningGame();
    ResetCounter resets;
    Enter();
    ClickCell(0);
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    // Read and applied before the fade.
    EXPECT_EQ(StringState(u"sta_marker"), "save1");
    EXPECT_TRUE(fScreen->IsBusy());
    EXPECT_EQ(resets.fCount, 1);
    fGame.RunFrames(1.0);

    EXPECT_EQ(StringState(u"sta_marker"), "save1");
    EXPECT_EQ(StringState(u"sta_currentskillsetting"), "hard");
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_saved1")));
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_running")));
    EXPECT_TRUE(Inventory()->HasItem(VoString(ItemOf(1))));
    EXPECT_FALSE(Inventory()->HasItem(VoString(u"brasskey")));
    EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 2);
    EXPECT_EQ(VoGameClock::GetInstance()->GetTime(2), 30.0f);
    EXPECT_EQ(VoGameClock::GetInstance()->GetTriggerCount(), 1);
    // The menus are gone and the saved place has come back.
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    ASSERT_NE(scenes->GetScene(), nullptr);
    EXPECT_EQ(Narrow(scenes->GetScene()->GetSceneId()), "precinct");
    EXPECT_EQ(Narrow(scenes->GetScene()->GetViewpointId()), "vp_squadroom");
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(scenes->GetScene()));
    ASSERT_NE(scenes->GetPendingPosition(), nullptr);
    EXPECT_EQ(*scenes->GetPendingPosition(), VoVector2(-40.0f, 170.0f));
    ASSERT_NE(scenes->GetPendingDirection(), nullptr);
    EXPECT_EQ(*scenes->GetPendingDirection(), VoVector2(0.0f, 1.0f));
    EXPECT_EQ(MGMainMenu::GetInstance()->GetTheme(), nullptr);
    EXPECT_EQ(fScreen->GetRoot(), nullptr);

    // What was loaded saves to the same bytes, but for what the visit to the
    // scene added.
    VoEventManager::GetInstance()->ClearEvents();
    ASSERT_TRUE(MGGameFile::Load(MGSlotList::GameFile(1)));
    ASSERT_TRUE(MGGameFile::Save(MGSlotList::GameFile(9)));
    EXPECT_EQ(fGame.ReadGame("game9.dat"), saved);
}

TEST_F(MGLoadScreenTest, TheChosenCellsOwnSlotIsLoadedWhateverTheListsOrderAndGaps) {
    WriteSave(1);
    WriteSave(3);
    WriteSave(12);
    fGame.WriteGame(".filelist", "junk\r\n\tdescription=not a slot\r\n" + Entry(12, "Twelve", "none") +
                                     Entry(3, "Three", "none") + Entry(1, "One", "none"));
    struct Case {
        int cell;
        const char* marker;
    };
    for (const Case& c : {Case{0, "save1"}, Case{1, "save3"}, Case{2, "save12"}}) {
        Enter();
        EXPECT_EQ(Texts(), (std::vector<std::string>{"One", "Three", "Twelve", "", "", ""}));
        ClickCell(c.cell);
        ASSERT_TRUE(MenuGame::ClickButton(u"load"));
        EXPECT_EQ(StringState(u"sta_marker"), c.marker);
        fGame.RunFrames(1.0);
        fScreens->Clear();
        fScreens->PushScreen(MGMainMenu::GetInstance());
    }
}

TEST_F(MGLoadScreenTest, ACellOnALaterPageLoadsItsOwnGame) {
    std::string list;
    for (int n = 1; n <= 8; ++n) {
        WriteSave(n);
        list += Entry(n, "Save " + std::to_string(n), "none");
    }
    fGame.WriteGame(".filelist", list);
    // Pages begin at saves 1, 4 and 7; the same cell on the first page holds
    // another save.
    struct Case {
        int downs;
        int cell;
        const char* text;
        const char* marker;
    };
    for (const Case& c : {Case{1, 1, "Save 5", "save5"}, Case{1, 4, "Save 8", "save8"},
                          Case{2, 0, "Save 7", "save7"}, Case{2, 1, "Save 8", "save8"}}) {
        SCOPED_TRACE(c.text);
        Enter();
        // Back to the first page from the one kept since the last visit, then
        // on; clicks apart, as a loaded scene turned double clicks on.
        auto click = [this](const char16_t* apButton) {
            ASSERT_TRUE(MenuGame::ClickButton(apButton));
            fGame.RunFrames(0.3);
        };
        click(u"up_arrow");
        click(u"up_arrow");
        for (int i = 0; i < c.downs; ++i) {
            click(u"down_arrow");
        }
        EXPECT_EQ(fScreen->GetFirstVisible(), 3 * c.downs);
        EXPECT_EQ(Texts()[c.cell], c.text);
        ClickCell(c.cell);
        ASSERT_EQ(fScreen->GetSelectedCell(), c.cell);
        ASSERT_TRUE(MenuGame::ClickButton(u"load"));
        EXPECT_EQ(StringState(u"sta_marker"), c.marker);
        fGame.RunFrames(1.0);
        fScreens->Clear();
        MGSceneManager::GetInstance()->DestroyScene();
        fScreens->PushScreen(MGMainMenu::GetInstance());
    }
}

TEST_F(MGLoadScreenTest, EveryGameOnDiskLoadsPastADamagedListAndTheNextSaveTakesANewNumber) {
    for (int n = 1; n <= 4; ++n) {
        WriteSave(n);
    }
    const std::string four = Entry(1, "First", "none") + Entry(2, "Second", "none") +
                             Entry(3, "Third", "none") + Entry(4, "Fourth", "none");
    const std::size_t slot2 = Entry(1, "First", "none").size();
    const std::size_t slot3 = slot2 + Entry(2, "Second", "none").size();
    std::string garbage;
    for (int i = 0; i < 200; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    std::string zeros = four;
    zeros.replace(slot3, zeros.size() - slot3, zeros.size() - slot3, '\0');
    struct Case {
        const char* name;
        std::string list;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"garbage", garbage, {"Saved game 1", "Saved game 2", "Saved game 3", "Saved game 4"}},
        {"empty", "", {"Saved game 1", "Saved game 2", "Saved game 3", "Saved game 4"}},
        {"cut inside slot 2's first key",
         four.substr(0, slot2 + 12),
         {"First", "Saved game 2", "Saved game 3", "Saved game 4"}},
        {"cut inside slot 2's description",
         four.substr(0, slot2 + 23),
         {"First", "Sec", "Saved game 3", "Saved game 4"}},
        {"cut at a line end inside slot 3",
         four.substr(0, slot3 + 27),
         {"First", "Second", "Third", "Saved game 4"}},
        {"zeros over slots 3 and 4", zeros, {"First", "Second", "Saved game 3", "Saved game 4"}},
    };
    MGSaveScreen* save = MGSaveScreen::GetInstance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* name : {".filelist", ".filelist.damaged", "game5.dat"}) {
            std::filesystem::remove(fGame.fFolder.Path(std::string("game/") + name));
        }
        fGame.WriteGame(".filelist", c.list);
        LogCapture log;
        Enter();
        // Told once, by the screen that found it.
        EXPECT_TRUE(fBox->IsShown());
        EXPECT_EQ(MenuGame::BoxText(), Narrow(VoString(MGSlotList::kDamagedText)));
        MenuGame::AnswerBox(u"ok");
        EXPECT_EQ(fGame.ReadGame(".filelist.damaged"), c.list);
        std::vector<std::string> texts = c.texts;
        texts.resize(6);
        EXPECT_EQ(Texts(), texts);
        for (int cell = 0; cell < 4; ++cell) {
            if (cell > 0) {
                Enter();
                EXPECT_FALSE(fBox->IsShown());
            }
            ClickCell(cell);
            ASSERT_TRUE(MenuGame::ClickButton(u"load"));
            EXPECT_EQ(StringState(u"sta_marker"), "save" + std::to_string(cell + 1));
            fGame.RunFrames(1.0);
            fScreens->Clear();
            MGSceneManager::GetInstance()->DestroyScene();
            fScreens->PushScreen(MGMainMenu::GetInstance());
        }
        ASSERT_TRUE(fScreens->PushFade(save));
        fGame.RunFrames(1.0);
        EXPECT_FALSE(fBox->IsShown());
        MenuGame::TypeText("Five");
        ASSERT_TRUE(MenuGame::ClickButton(u"save"));
        fGame.RunFrames(1.0);
        EXPECT_TRUE(fGame.GameExists("game5.dat"));
        MGSlotList list;
        EXPECT_EQ(list.Open(), MGSlotList::kRead);
        ASSERT_EQ(list.GetCount(), 5);
        EXPECT_EQ(Narrow(list.GetAt(4)->fDescription), "Five");
        EXPECT_EQ(fGame.ReadGame(".filelist.damaged"), c.list);
        EXPECT_EQ(log.Count(MGSlotList::kSetAside), 1) << log.Contents();
        fScreens->Clear();
        fScreens->PushScreen(MGMainMenu::GetInstance());
        if (HasFailure()) {
            break;
        }
    }
}

namespace {

// What keeps a damaged list from being written back.
enum class Unwritable { kReadOnly, kNoNameLeft, kCopyFails };

void PrintTo(Unwritable aCause, std::ostream* apStream) {
    *apStream << (aCause == Unwritable::kReadOnly     ? "ReadOnly"
                  : aCause == Unwritable::kNoNameLeft ? "NoNameLeft"
                                                      : "CopyFails");
}

class MGLoadScreenUnwritable : public MGLoadScreenTest, public ::testing::WithParamInterface<Unwritable> {};

}  // namespace

// Each visit finds the list damaged again: it is set aside once at most, the
// player is told once, by the first screen, and no save is taken over it.
TEST_P(MGLoadScreenUnwritable, ADamagedListIsSetAsideAndToldOnceAndEveryGameIsShown) {
    for (int n = 1; n <= 4; ++n) {
        WriteSave(n);
    }
    const std::string damaged = Entry(1, "First", "none") + "game2\r\n\tdesc";
    fGame.WriteGame(".filelist", damaged);
    std::string logged = std::string(MGSlotList::kNotSetAside);
    std::map<std::string, std::string> made;
    switch (GetParam()) {
        case Unwritable::kReadOnly:
            fGame.MakeGameReadOnly(".filelist");
            logged = std::string(MGSlotList::kSetAside) + ".filelist.damaged." + MGSlotList::kNotWritten;
            made[".filelist.damaged"] = damaged;
            break;
        case Unwritable::kNoNameLeft:
            fGame.WriteGame(".filelist.damaged", "older");
            for (int n = 2; n <= MGSlotList::kSetAsideLimit; ++n) {
                fGame.WriteGame(".filelist.damaged" + std::to_string(n), "older");
            }
            break;
        case Unwritable::kCopyFails:
            std::filesystem::create_directories(fGame.fFolder.Path("game/.filelist.damaged"));
            break;
    }
    std::map<std::string, std::string> files = fGame.GameFiles();
    LogCapture log;
    MGSaveScreen* save = MGSaveScreen::GetInstance();
    std::vector<std::string> told;
    for (int visit = 0; visit < 4; ++visit) {
        SCOPED_TRACE(visit);
        const bool loading = visit < 2;
        if (loading) {
            Enter();
        } else {
            ASSERT_TRUE(fScreens->PushFade(save));
            fGame.RunFrames(1.0);
        }
        told.push_back(MenuGame::BoxText());
        if (fBox->IsShown()) {
            MenuGame::AnswerBox(u"ok");
        }
        if (loading) {
            EXPECT_EQ(Texts(), (std::vector<std::string>{"First", "Saved game 2", "Saved game 3",
                                                         "Saved game 4", "", ""}));
            Leave();
            continue;
        }
        MenuGame::TypeText("Five");
        ASSERT_TRUE(MenuGame::ClickButton(u"save"));
        fGame.RunFrames(1.0);
        EXPECT_EQ(MenuGame::BoxText(), "The game could not be saved.");
        MenuGame::AnswerBox(u"ok");
        ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
        fGame.RunFrames(1.0);
    }
    EXPECT_EQ(told, (std::vector<std::string>{Narrow(VoString(MGSlotList::kNotWrittenText)), "", "", ""}));
    files.insert(made.begin(), made.end());
    EXPECT_EQ(fGame.GameFiles(), files);
    EXPECT_EQ(log.Count(logged), 4) << log.Contents();
}

INSTANTIATE_TEST_SUITE_P(Causes, MGLoadScreenUnwritable,
                         ::testing::Values(Unwritable::kReadOnly, Unwritable::kNoNameLeft,
                                           Unwritable::kCopyFails));

TEST_F(MGLoadScreenTest, AFileThatFailsToLoadLeavesTheRunningGameAndTheScreen) {
    WriteSave(1);
    const std::string good = fGame.ReadGame("game1.dat");
    SetState(u"sta_marker", u"string", u"nowhere");
    ASSERT_TRUE(MGGameFile::Save(MGSlotList::GameFile(2)));
    States()->ClearStates();
    const std::string placeless = fGame.ReadGame("game2.dat");
    fGame.WriteGame(".filelist", Entry(1, "One", "none"));
    MakeRunningGame();
    const GameShot running = Shoot();
    ResetCounter resets;
    Enter();
    ClickCell(0);

    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t size = 0; size < good.size(); ++size) {
        files.emplace_back("cut at " + std::to_string(size), good.substr(0, size));
    }
    std::string wrongRecord = good;
    const std::string stateManager("s\0t\0a\0t\0e\0m\0a\0n\0a\0g\0e\0r\0", 24);
    const std::size_t creator = wrongRecord.find(stateManager);
    ASSERT_NE(creator, std::string::npos);
    wrongRecord[creator] = 'x';
    files.emplace_back("a record of an unknown object", wrongRecord);
    files.emplace_back("no scene", placeless);
    files.emplace_back("a byte too many", good + std::string(1, '\0'));
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        fGame.WriteGame("game1.dat", bytes);
        LogCapture log;
        ASSERT_TRUE(MenuGame::ClickButton(u"load"));
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGLoadScreen::kLoadFailure));
        EXPECT_TRUE(fBox->IsShown());
        EXPECT_EQ(MenuGame::BoxText(), "The saved game could not be loaded.");
        MenuGame::AnswerBox(u"ok");
        EXPECT_TRUE(Shoot() == running);
        EXPECT_TRUE(Inventory()->HasItem(VoString(u"brasskey")));
        EXPECT_FALSE(fScreen->IsBusy());
        if (HasFailure()) {
            break;
        }
    }
    EXPECT_EQ(resets.fCount, 0);
    std::filesystem::remove(fGame.fFolder.Path("game/game1.dat"));
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    EXPECT_TRUE(Shoot() == running);
    MenuGame::AnswerBox(u"ok");

    // The screen still works: another cell, then the good file.
    fGame.WriteGame("game1.dat", good);
    ClickCell(0);
    EXPECT_EQ(fScreen->GetSelectedCell(), 0);
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    EXPECT_EQ(StringState(u"sta_marker"), "save1");
    EXPECT_EQ(resets.fCount, 1);
}

TEST_F(MGLoadScreenTest, CancelAndLoadWaitForAnIdleStack) {
    WriteSave(1);
    fGame.WriteGame(".filelist", Entry(1, "One", "none"));
    MakeRunningGame();
    Enter();
    ClickCell(0);
    // The stack fades another screen in over the load screen.
    BlankScreen blank;
    ASSERT_TRUE(fScreens->PushFade(&blank));
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
    EXPECT_EQ(StringState(u"sta_marker"), "running");
    EXPECT_FALSE(fScreen->IsBusy());
    fGame.RunFrames(1.0);
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fScreens->PopFade(&popped));
    fGame.RunFrames(1.0);
    ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    ClickCell(0);
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    EXPECT_EQ(StringState(u"sta_marker"), "save1");
    // Busy now: a second load or a cancel does nothing.
    ASSERT_TRUE(MenuGame::ClickButton(u"cancel"));
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(Narrow(MGSceneManager::GetInstance()->GetScene()->GetSceneId()), "precinct");
}

TEST_F(MGLoadScreenTest, ASavedSceneThatCannotBeLoadedReturnsToTheMainMenu) {
    SetState(u"sta_currentscene", u"string", u"nowhere/at_all");
    SetState(u"sta_currentviewpoint", u"string", u"vp_none");
    ASSERT_TRUE(MGGameFile::Save(MGSlotList::GameFile(1)));
    States()->ClearStates();
    fGame.WriteGame(".filelist", Entry(1, "Lost", "none"));
    Enter();
    ClickCell(0);
    LogCapture log;
    ASSERT_TRUE(MenuGame::ClickButton(u"load"));
    fGame.RunFrames(1.0);
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGLoadScreen::kSceneFailure) + "nowhere/at_all"));
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGMainMenu::GetInstance()));
    EXPECT_NE(MGMainMenu::GetInstance()->GetRoot(), nullptr);
}
