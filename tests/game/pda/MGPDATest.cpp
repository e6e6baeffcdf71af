#include "pda/MGPDA.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "character/VoCharacter.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "geometry/VoRectangle.h"
#include "navigation/VoISteering.h"
#include "pda/MGIPDAPanel.h"
#include "pda/MGInventoryPanel.h"
#include "render/VoVertexBuffer.h"
#include "scene/MGCloseUp.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The main menu's buttons on the screen: the window at (100, 100), the
// buttons 136 x 26 from (14, 40), 32 apart.
VoVector2 MenuButton(int aRow) {
    return VoVector2(100.0f + 14.0f + 68.0f, 100.0f + 40.0f + 32.0f * static_cast<float>(aRow) + 13.0f);
}
const VoVector2 kMap = MenuButton(0);
const VoVector2 kInventory = MenuButton(1);
const VoVector2 kPhone = MenuButton(2);
const VoVector2 kMenu = MenuButton(4);
const VoVector2 kExit = MenuButton(5);
const VoVector2 kDragStrip(330.0f, 115.0f);

class MGPDATest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fPDA, nullptr);
        fPDA->SetListener(&fCodes);
    }
    void TearDown() override {
        if (fPDA != nullptr) {
            fPDA->RemoveListener(&fCodes);
        }
    }

    void Click(const VoVector2& aAt) { PDAGame::Click(aAt.x, aAt.y); }
    std::string Current() const {
        return fPDA->GetCurrentPanel() != nullptr ? Narrow(fPDA->GetCurrentPanel()->GetId()) : "";
    }
    bool Enabled(const char16_t* apButton) const {
        VoButton* button = fPDA->GetMenuButton(VoString(apButton));
        return button != nullptr && button->IsEnabled();
    }

    PDAGame fGame;
    MGPDA* fPDA = PDAGame::PDA();
    CodeRecorder fCodes;
};

// A steering that only holds its facing.
class StandingSteering : public VoISteering {
public:
    bool Update() override { return true; }
};

}  // namespace

TEST_F(MGPDATest, IsBuiltFromTheSampleLayoutClosedWithItsFourPanels) {
    VoDisplayGroup* group = fPDA->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "pda");
    EXPECT_EQ(group->GetRelativeZ(), 9000.0f);
    EXPECT_EQ(group->GetPosition(), VoVector2(100.0f, 100.0f));
    EXPECT_FALSE(group->GetActive());
    EXPECT_FALSE(fPDA->IsOpen());
    EXPECT_EQ(group->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_NE(group->GetMember(VoString(u"background")), nullptr);
    ASSERT_NE(fPDA->GetDragButton(), nullptr);
    EXPECT_EQ(Narrow(fPDA->GetDragButton()->GetId()), "dragbutton");
    ASSERT_NE(fPDA->GetScrollBar(), nullptr);

    VoIDisplayObject* area = fPDA->GetScrollArea();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(Narrow(area->GetId()), "pdascrollarea");
    EXPECT_EQ(area->GetPosition(), VoVector2(171.0f, 85.0f));
    EXPECT_EQ(area->GetRelativeZ(), 30.0f);
    ASSERT_NE(area->GetRectangle(), nullptr);
    EXPECT_EQ(area->GetRectangle()->height, 137.0f);
    EXPECT_NE(group->GetMember(VoString(u"pdascrollarea.pdaScrollContentGroup")), nullptr);

    // The panels' groups are the PDA's members, inactive; no panel is current.
    for (const char* id : {"inventory", "map", "log", "phone"}) {
        SCOPED_TRACE(id);
        MGIPDAPanel* panel = fPDA->GetPanel(VoString(id));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->GetGroup()->GetGroup(), group);
        EXPECT_FALSE(panel->GetGroup()->GetActive());
    }
    EXPECT_EQ(static_cast<MGIPDAPanel*>(fPDA->GetInventoryPanel()), fPDA->GetPanel(VoString(u"inventory")));
    EXPECT_EQ(fPDA->GetCurrentPanel(), nullptr);
    EXPECT_TRUE(fPDA->IsBusy());
    EXPECT_EQ(fPDA->GetMainMenu(), nullptr);
}

TEST(MGPDA, StartsWithTheCaseLogsNoteAlone) {
    PDAGame game;
    LogCapture log;
    ASSERT_NE(PDAGame::PDA(), nullptr);
    // The case log has no layout to build and says so.
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_THAT(log.Lines()[0], ::testing::EndsWith(": NYI."));
}

TEST_F(MGPDATest, OpeningSwitchingAndClosingLogNothing) {
    // The options are read once, first (the sample tree has no options file).
    MGOptions::GetInstance();
    LogCapture log;
    fGame.OpenOn(MGPDA::kInventory);
    ASSERT_TRUE(fPDA->GetInventoryPanel()->AddItem(VoString(u"letter")));
    for (int category = 0; category < MGInventoryPanel::kCategoryCount; ++category) {
        fPDA->GetInventoryPanel()->SelectCategory(category);
    }
    for (const VoVector2& button : {kMap, kPhone, kInventory, kExit}) {
        Click(button);
        fGame.RunFrames(0.6);
    }
    PDAGame::Bar()->Maximize(true);
    fGame.RunFrames(0.5);
    Click(kMenu);
    fGame.RunFrames(0.5);
    EXPECT_FALSE(fPDA->IsOpen());
    EXPECT_THAT(log.Lines(), IsEmpty());
}

TEST(MGPDA, TheCodesOfOpeningClosingAndMinimizing) {
    struct Case {
        const char* what;
        void (*run)(PDAGame&);
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"maximize at once: opened, then the maximize",
         [](PDAGame&) { PDAGame::Bar()->Maximize(false); },
         {4, 2}},
        {"animated maximize: begins, then opened and grown",
         [](PDAGame& aGame) {
             PDAGame::Bar()->Maximize(true);
             aGame.RunFrames(0.4);
         },
         {2, 4, 3}},
        {"close: minimized at once, then closed",
         [](PDAGame&) {
             PDAGame::Open();
             PDAGame::PDA()->Close();
         },
         {4, 2, 1, 5}},
        {"exit: the shrink begins, minimized, closed, and the shrink ends",
         [](PDAGame& aGame) {
             aGame.OpenOn(MGPDA::kInventory);
             PDAGame::PDA()->OnButtonEvent(VoString(u"exit"), VoIButtonListener::kPressed);
             aGame.RunFrames(0.4);
         },
         {4, 2, 0, 1, 5, 1}},
        {"minimize at once: the bar closes the PDA inside, then tells",
         [](PDAGame&) {
             PDAGame::Open();
             PDAGame::PDA()->Minimize(false);
         },
         {4, 2, 5, 1}},
        {"right-button mode: exit minimizes at once",
         [](PDAGame& aGame) {
             MGOptions::GetInstance()->SetOption(1, 1);
             aGame.OpenOn(MGPDA::kInventory);
             PDAGame::PDA()->OnButtonEvent(VoString(u"exit"), VoIButtonListener::kPressed);
             aGame.RunFrames(0.4);
         },
         {4, 2, 5, 1}},
        {"right-button mode: a release of button 2 grows the bar into the PDA",
         [](PDAGame& aGame) {
             MGOptions::GetInstance()->SetOption(1, 1);
             PDAGame::Bar()->Show();
             PDAGame::Press(400.0f, 300.0f, 2);
             PDAGame::Release(2);
             aGame.RunFrames(0.4);
         },
         {2, 4, 3}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        PDAGame game;
        CodeRecorder codes;
        ASSERT_TRUE(PDAGame::PDA()->SetListener(&codes));
        test.run(game);
        EXPECT_EQ(codes.fCodes, test.codes);
        EXPECT_EQ(PDAGame::PDA()->IsOpen(),
                  test.codes.back() == 4 || test.codes.back() == 2 || test.codes.back() == 3);
    }
}

TEST_F(MGPDATest, ClosingAClosedPDAOrMaximizingAnOpenOneTellsNothing) {
    EXPECT_FALSE(fPDA->Close());
    EXPECT_FALSE(PDAGame::Bar()->Minimize(true));
    EXPECT_FALSE(PDAGame::Bar()->Minimize(false));
    EXPECT_THAT(fCodes.Take(), IsEmpty());
    PDAGame::Open();
    fCodes.Take();
    EXPECT_FALSE(PDAGame::Bar()->Maximize(false));
    EXPECT_FALSE(PDAGame::Bar()->Maximize(true));
    EXPECT_THAT(fCodes.Take(), IsEmpty());
}

TEST_F(MGPDATest, OpeningTakesTheSceneInputAndShowsTheMainMenu) {
    MGScene* scene = PDAGame::EnterScene();
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(scene->IsInputEnabled());
    MGCloseUp closeUp;
    scene->SetOpenCloseUp(&closeUp);

    PDAGame::Open();
    EXPECT_FALSE(scene->IsInputEnabled());
    EXPECT_FALSE(closeUp.AreHotspotsEnabled());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
    EXPECT_FALSE(fPDA->IsBusy());
    ASSERT_NE(fPDA->GetMainMenu(), nullptr);
    for (const char16_t* id : {u"map", u"inventory", u"phone", u"log", u"menu", u"exit"}) {
        SCOPED_TRACE(Narrow(VoString(id)));
        VoButton* button = fPDA->GetMenuButton(VoString(id));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetListener(), static_cast<VoIButtonListener*>(fPDA));
        EXPECT_TRUE(button->IsEnabled());
    }
    // No panel current yet: an empty scroll area.
    EXPECT_EQ(fPDA->GetScrollContent(), nullptr);

    fPDA->Close();
    EXPECT_TRUE(closeUp.AreHotspotsEnabled());
    EXPECT_EQ(fPDA->GetMainMenu(), nullptr);
    EXPECT_FALSE(fPDA->GetGroup()->GetActive());
    EXPECT_EQ(fPDA->GetGroup()->GetGroup(), nullptr);
    scene->SetOpenCloseUp(nullptr);
}

TEST_F(MGPDATest, TheCaseDisplayIsTheFirstEntryWhoseScriptHolds) {
    // The sample's entries cut "CASE 1" to "CASE 4" and then "NO CASE" from
    // rows 172, 196, 220, 244 and 268 of the 512-texel picture.
    const struct {
        float selected;
        float top;
    } cases[] = {{1.0f, 172.0f}, {3.0f, 220.0f}, {0.0f, 268.0f}, {7.0f, 268.0f}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.selected);
        PDAGame::SetNumber(u"sta_selectedcase", test.selected);
        PDAGame::Open();
        auto* display = dynamic_cast<VoSprite*>(fPDA->GetGroup()->GetMember(VoString(u"case_display")));
        ASSERT_NE(display, nullptr);
        ASSERT_NE(display->GetVertexBuffer(), nullptr);
        // The quad's second vertex is its top left: x, y, z, u, v.
        const float* topLeft = static_cast<const float*>(display->GetVertexBuffer()->GetVertex(1));
        EXPECT_FLOAT_EQ(topLeft[4] * 512.0f, test.top);
        fPDA->Close();
    }
}

TEST_F(MGPDATest, SettingThePanelShownAlreadyTakesNoLock) {
    fGame.OpenOn(MGPDA::kInventory);
    EXPECT_EQ(Current(), "inventory");
    EXPECT_FALSE(Enabled(u"inventory"));
    EXPECT_TRUE(fPDA->SetPanel(VoString(u"INVENTORY")));
    EXPECT_FALSE(fPDA->IsBusy());

    LogCapture log;
    EXPECT_FALSE(fPDA->SetPanel(VoString(u"calendar")));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGPDA::kSetPanelNotFound) + "calendar"));
    EXPECT_EQ(Current(), "inventory");

    // Ids in any case name the panels.
    EXPECT_TRUE(fPDA->SetPanel(VoString(u"Phone")));
    EXPECT_EQ(Current(), "phone");
    EXPECT_TRUE(fPDA->IsBusy());
    EXPECT_FALSE(Enabled(u"phone"));
    EXPECT_TRUE(Enabled(u"inventory"));
}

TEST_F(MGPDATest, PressesWithinHalfASecondOfASwitchAreIgnored) {
    fGame.OpenOn(MGPDA::kInventory);
    Click(kMap);
    EXPECT_EQ(Current(), "map");
    EXPECT_TRUE(fPDA->IsBusy());
    // Within the lock: neither another panel nor "exit".
    fGame.RunFrames(0.4);
    Click(kPhone);
    Click(kExit);
    EXPECT_EQ(Current(), "map");
    EXPECT_TRUE(fPDA->IsOpen());
    fGame.RunFrames(0.2);
    EXPECT_FALSE(fPDA->IsBusy());
    Click(kPhone);
    EXPECT_EQ(Current(), "phone");
    // A press of the shown panel's button changes nothing.
    fGame.RunFrames(0.6);
    Click(kPhone);
    EXPECT_EQ(Current(), "phone");
    EXPECT_FALSE(fPDA->IsBusy());
}

TEST_F(MGPDATest, EachPanelHasItsScrollArea) {
    struct Case {
        const char16_t* panel;
        VoVector2 place;
        float height;
        VoVector2 upArrow;
    };
    const Case cases[] = {
        {u"map", {171.0f, 70.0f}, 152.0f, {425.0f, 70.0f}},
        {u"inventory", {171.0f, 85.0f}, 137.0f, {425.0f, 85.0f}},
        {u"log", {171.0f, 70.0f}, 152.0f, {425.0f, 70.0f}},
        {u"phone", {171.0f, 85.0f}, 137.0f, {425.0f, 85.0f}},
    };
    PDAGame::Open();
    for (const Case& test : cases) {
        SCOPED_TRACE(Narrow(VoString(test.panel)));
        ASSERT_TRUE(fPDA->SetPanel(VoString(test.panel)));
        VoIDisplayObject* area = fPDA->GetScrollArea();
        EXPECT_EQ(area->GetPosition(), test.place);
        EXPECT_EQ(area->GetRectangle()->width, 248.0f);
        EXPECT_EQ(area->GetRectangle()->height, test.height);
        VoIDisplayObject* up = fPDA->GetGroup()->GetMember(VoString(u"scrollbar.uparrow"));
        ASSERT_NE(up, nullptr);
        EXPECT_EQ(up->GetPosition(), test.upArrow);
    }
    // The four-number form scales the track to the taller area.
    fPDA->SetPanel(VoString(u"log"));
    VoVector2 scale;
    fPDA->GetGroup()->GetMember(VoString(u"scrollbar.track"))->GetScale(scale);
    EXPECT_FLOAT_EQ(scale.y, 1.1095f);
}

TEST_F(MGPDATest, WithoutACaseOnlyTheMapCanBeChosenAndThePDAGoesOnAnswering) {
    PDAGame::SetNumber(u"sta_selectedcase", 0.0f);
    PDAGame::Open();
    Click(kInventory);
    EXPECT_EQ(Current(), "");
    EXPECT_FALSE(fPDA->IsBusy());
    Click(kMap);
    EXPECT_EQ(Current(), "map");
    fGame.RunFrames(0.6);
    Click(kPhone);
    EXPECT_EQ(Current(), "map");
    Click(kExit);
    EXPECT_FALSE(fPDA->IsOpen());
}

TEST_F(MGPDATest, TheOneListenerIsRemovedOnlyByItself) {
    CodeRecorder other;
    LogCapture log;
    EXPECT_FALSE(fPDA->RemoveListener(&other));
    EXPECT_EQ(fPDA->GetListener(), static_cast<MGIPDAListener*>(&fCodes));
    EXPECT_FALSE(fPDA->RemoveListener(nullptr));
    EXPECT_FALSE(fPDA->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGPDA::kRemoveListenerNull));
    EXPECT_TRUE(log.Logged("ERROR: ", MGPDA::kSetListenerNull));
    EXPECT_TRUE(fPDA->RemoveListener(&fCodes));
    EXPECT_EQ(fPDA->GetListener(), nullptr);
}

TEST_F(MGPDATest, MenuClosesForTheMainMenuAndStopsTheSceneAudio) {
    MGScene* scene = PDAGame::EnterScene();
    // The entered scene made itself the PDA's one listener: the test listens instead.
    fPDA->SetListener(&fCodes);
    PDAGame::SetNumber(u"sta_playerpos_x", 5.0f);
    fGame.OpenOn(MGPDA::kInventory);
    fCodes.Take();
    Click(kMenu);
    EXPECT_FALSE(fPDA->IsOpen());
    VoIState* active = VoStateManager::GetInstance()->GetState(VoString(MGPDA::kMainMenuState));
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->GetBoolean());
    // The scene has no player: the place stays as it was.
    EXPECT_EQ(PDAGame::Number(u"sta_playerpos_x"), 5.0f);
    EXPECT_THAT(fCodes.Take(), ElementsAre(0, 1, 5));
    // The bar's minimize turned the scene's input on again.
    (void)scene;
}

TEST_F(MGPDATest, ThePlayersPlaceIsKeptAsFourNumberStates) {
    VoCharacter player;
    *player.GetPosition() = VoVector3(12.5f, 3.0f, -34.0f);
    StandingSteering steering;
    steering.GetDirection() = VoVector3(0.6f, 0.8f, 0.0f);
    ASSERT_TRUE(player.SetSteering(&steering));
    PDAGame::SetNumber(MGPDA::kPlayerXState, 1.0f);

    MGPDA::StorePlayerPlace(&player);
    EXPECT_EQ(PDAGame::Number(MGPDA::kPlayerXState), 12.5f);
    EXPECT_EQ(PDAGame::Number(MGPDA::kPlayerZState), -34.0f);
    EXPECT_EQ(PDAGame::Number(MGPDA::kDirectionXState), 0.6f);
    EXPECT_EQ(PDAGame::Number(MGPDA::kDirectionZState), 0.8f);
    MGPDA::StorePlayerPlace(nullptr);
    EXPECT_EQ(PDAGame::Number(MGPDA::kPlayerXState), 12.5f);
}

TEST_F(MGPDATest, TheWindowFollowsTheDragStripWithoutBounds) {
    fGame.OpenOn(MGPDA::kInventory);
    PDAGame::Press(kDragStrip.x, kDragStrip.y);
    EXPECT_TRUE(fPDA->IsDragging());
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    PDAGame::Move(kDragStrip.x - 300.0f, kDragStrip.y + 520.0f);
    EXPECT_EQ(fPDA->GetGroup()->GetPosition(), VoVector2(-200.0f, 620.0f));
    PDAGame::Release();
    EXPECT_FALSE(fPDA->IsDragging());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    PDAGame::Move(400.0f, 300.0f);
    EXPECT_EQ(fPDA->GetGroup()->GetPosition(), VoVector2(-200.0f, 620.0f));
}

TEST_F(MGPDATest, APanelSwitchRemembersThePanelForTheNextOpening) {
    fGame.OpenOn(MGPDA::kInventory);
    Click(kExit);
    fGame.RunFrames(0.4);
    EXPECT_FALSE(fPDA->GetInventoryPanel()->IsShown());
    PDAGame::Open();
    EXPECT_EQ(Current(), "inventory");
    EXPECT_TRUE(fPDA->GetInventoryPanel()->IsShown());
    EXPECT_FALSE(Enabled(u"inventory"));
    EXPECT_TRUE(Enabled(u"map"));
}

TEST_F(MGPDATest, ShuttingDownWithThePDAOpenDeletesEachGroupOnce) {
    fGame.OpenOn(MGPDA::kInventory);
    PDAGame::Bar()->Show();
    ASSERT_NE(fPDA->GetGroup()->GetGroup(), nullptr);
    ASSERT_TRUE(PDAGame::Bar()->IsShown());
    fPDA->RemoveListener(&fCodes);
    // The sanitizer build tells a group deleted twice.
    fGame.ShutDown();
    fPDA = nullptr;
}

TEST(MGPDA, TheCaseNumberIsTheStateTruncated) {
    PDAGame game;
    struct Case {
        float value;
        int number;
    };
    const Case cases[] = {{1.0f, 1},
                          {2.9f, 2},
                          {-1.5f, -1},
                          {0.0f, 0},
                          {1.0e20f, 0},
                          {-1.0e20f, 0},
                          {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.value);
        PDAGame::SetNumber(u"sta_selectedcase", test.value);
        bool found = false;
        EXPECT_EQ(MGPDA::ReadSelectedCase(7, &found), test.number);
        EXPECT_TRUE(found);
    }
    VoStateManager::GetInstance()->ClearStates();
    bool found = true;
    EXPECT_EQ(MGPDA::ReadSelectedCase(7, &found), 7);
    EXPECT_FALSE(found);
}
