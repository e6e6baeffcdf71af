#include "pda/MGMapPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event/VoEventManager.h"
#include "game/pda/MapTestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoScrollBar.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

// Case 1: "inn" always shown, "dock" never; case 2: "pier".
const std::string kTwoCases =
    MapLayout({{1, {Tag("inn", 10, 10), Tag("dock", 10, 40, "script[false]")}}, {2, {Tag("pier", 10, 70)}}});

std::vector<std::string> TagIds() {
    std::vector<std::string> ids;
    for (int i = 0; i < MapGame::Map()->GetTagCount(); ++i) {
        ids.push_back(Narrow(MapGame::Map()->GetTag(i)->GetId()));
    }
    return ids;
}

bool HasShowAll() {
    return MapGame::Map()->GetMapGroup()->GetMember(VoString(MGMapPanel::kShowAllId)) != nullptr;
}

class MGMapPanelTest : public ::testing::Test {
protected:
    MapGame fGame;
};

}  // namespace

TEST_F(MGMapPanelTest, TheSampleMapShowsTheTagsOfCaseOne) {
    MapGame::PDA();
    LogCapture log;
    fGame.OpenMap();
    MGMapPanel* map = MapGame::Map();
    EXPECT_EQ(map->GetCase(), 1);
    EXPECT_EQ(TagIds(),
              (std::vector<std::string>{"hotel", "frontdesk", "office", "backstairs", "riverbank", "precinct1"}));
    EXPECT_TRUE(MapGame::FindTag(u"hotel")->IsActive());
    EXPECT_FALSE(MapGame::FindTag(u"office")->IsActive());
    EXPECT_EQ(MapGame::PDA()->GetScrollContent(), map->GetMapGroup());
    EXPECT_EQ(Narrow(map->GetMapGroup()->GetId()), "mappanel");
    EXPECT_NE(map->GetMapGroup()->GetMember(VoString(u"background")), nullptr);
    // The map is 409 pixels high in an area 152 high.
    EXPECT_EQ(MapGame::PDA()->GetScrollBar()->GetMaxScroll(), 409 - 152);
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(MGMapPanelTest, WithoutASelectedCaseTheMapIsCaseOnes) {
    VoStateManager::GetInstance()->ClearStates();
    fGame.LoadMap(kTwoCases);
    EXPECT_EQ(MapGame::Map()->GetCase(), 1);
    EXPECT_EQ(TagIds(), (std::vector<std::string>{"inn", "dock"}));
    EXPECT_FALSE(MapGame::Map()->GetMapGroup()->GetActive());
    EXPECT_FALSE(MapGame::Map()->GetMapGroup()->GetEnabled());
}

TEST_F(MGMapPanelTest, ACaseChangeReplacesTheTagsAndAddsShowAll) {
    fGame.LoadMap(kTwoCases);
    EXPECT_FALSE(HasShowAll());
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fGame.OpenMap();
    EXPECT_EQ(MapGame::Map()->GetCase(), 2);
    EXPECT_EQ(TagIds(), (std::vector<std::string>{"pier"}));
    EXPECT_TRUE(HasShowAll());
    EXPECT_EQ(MapGame::PDA()->GetScrollContent(), MapGame::Map()->GetMapGroup());

    // And back, while the map is on screen: the old map leaves the scroll
    // area before it goes.
    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    MapGame::Map()->Show();
    EXPECT_EQ(TagIds(), (std::vector<std::string>{"inn", "dock"}));
    EXPECT_EQ(MapGame::PDA()->GetScrollContent(), MapGame::Map()->GetMapGroup());
}

TEST_F(MGMapPanelTest, ShowingTwiceInOneCaseKeepsBlinkingAndForcedTags) {
    // Built for case 2 first, the map is rebuilt for case 1 with "show_all".
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fGame.LoadMap(kTwoCases);
    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    fGame.OpenMap();
    MGMapTag* inn = MapGame::FindTag(u"inn");
    MGMapTag* dock = MapGame::FindTag(u"dock");
    MapGame::Map()->OnButtonEvent(VoString(u"show_all"), VoIButtonListener::kClick);
    ASSERT_TRUE(dock->IsActive());
    ASSERT_TRUE(inn->IsNew());

    MapGame::PDA()->SetPanel(VoString(MGPDA::kInventory));
    EXPECT_NE(MapGame::PDA()->GetScrollContent(), MapGame::Map()->GetMapGroup());
    MapGame::PDA()->SetPanel(VoString(MGPDA::kMap));
    EXPECT_EQ(MapGame::FindTag(u"inn"), inn);
    EXPECT_EQ(MapGame::FindTag(u"dock"), dock);
    EXPECT_TRUE(dock->IsActive());
    EXPECT_TRUE(dock->GetGroup()->GetActive());
    EXPECT_TRUE(inn->IsNew());
    EXPECT_TRUE(inn->IsHolding());
}

TEST_F(MGMapPanelTest, OnlyAClickOnShowAllShowsEveryTag) {
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fGame.LoadMap(kTwoCases);
    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    fGame.OpenMap();
    MGMapTag* dock = MapGame::FindTag(u"dock");
    struct Case {
        const char16_t* id;
        int code;
        bool shown;
    };
    const Case cases[] = {
        {u"SHOW_ALL", VoIButtonListener::kClick, false},
        {u"show_all", VoIButtonListener::kPressed, false},
        {u"inn", VoIButtonListener::kClick, false},
        {u"show_all", VoIButtonListener::kClick, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(Narrow(VoString(test.id)) + " " + std::to_string(test.code));
        MapGame::Map()->OnButtonEvent(VoString(test.id), test.code);
        EXPECT_EQ(dock->IsActive(), test.shown);
    }
}

TEST_F(MGMapPanelTest, TheButtonShowAllIsClickedThroughTheMouse) {
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fGame.LoadMap(kTwoCases);
    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    fGame.OpenMap();
    UpProbe probe;
    MapGame::ClickTag(180, 10);
    EXPECT_TRUE(MapGame::FindTag(u"dock")->IsActive());
    EXPECT_EQ(probe.fUps, 0);
}

TEST_F(MGMapPanelTest, TheWheelScrollsTheMapAndZeroScrollsUp) {
    fGame.LoadMap(kTwoCases);
    fGame.OpenMap();
    struct Step {
        float delta;
        int position;
    };
    // One increment (49) per turn, within 0..257.
    const Step steps[] = {{-1.0f, 49}, {-120.0f, 98}, {0.0f, 49}, {2.0f, 0}, {0.0f, 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.delta);
        VoMouse::GetInstance()->Wheel(step.delta);
        EXPECT_EQ(MapGame::PDA()->GetScrollBar()->GetScrollPosition(), step.position);
    }
    // Hidden, the map no longer hears the wheel.
    MapGame::PDA()->SetPanel(VoString(MGPDA::kPhone));
    const int before = MapGame::PDA()->GetScrollBar()->GetScrollPosition();
    VoMouse::GetInstance()->Wheel(-1.0f);
    EXPECT_EQ(MapGame::PDA()->GetScrollBar()->GetScrollPosition(), before);
}

TEST_F(MGMapPanelTest, AShownTagStaysShownWhenItsConditionNoLongerHolds) {
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10, "script[!e[evt_inn_closed]]")}}}));
    fGame.OpenMap();
    MGMapTag* inn = MapGame::FindTag(u"inn");
    ASSERT_TRUE(inn->IsActive());
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_inn_closed"), false);
    MapGame::PDA()->Close();
    // Hiding asked the condition too: the tag stays shown in the hidden map.
    EXPECT_TRUE(inn->IsActive());
    EXPECT_FALSE(MapGame::Map()->GetMapGroup()->GetActive());
    EXPECT_EQ(MapGame::PDA()->GetScrollContent(), nullptr);
    PDAGame::Open();
    EXPECT_TRUE(inn->IsActive());
    EXPECT_TRUE(inn->GetGroup()->GetEffectiveActive());
}

TEST(MGMapPanel, ATagThatCannotBeMadeWholeIsStillUsed) {
    MapGame game;
    // A tag named as the background cannot join the map: its group stays
    // its own. A tag without "show" is never shown.
    LogCapture log;
    MapGame::LoadMap(MapLayout({{1, {Tag("background", 10, 10), Tag("dock", 10, 70, "")}}}));
    EXPECT_EQ(TagIds(), (std::vector<std::string>{"background", "dock"}));
    EXPECT_TRUE(log.Contains(MGMapTag::kNoShow));
    EXPECT_NE(MapGame::Map()->GetTag(0)->GetGroup()->GetGroup(), MapGame::Map()->GetMapGroup());
    game.OpenMap();
    EXPECT_FALSE(MapGame::Map()->GetTag(1)->IsActive());
}
