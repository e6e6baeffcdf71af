#include "pda/MGMapTag.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "event/VoEventManager.h"
#include "game/ScreenProbes.h"
#include "game/pda/MapTestGame.h"
#include "game/support/MediaStubs.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFader.h"
#include "scene/MGCloseUp.h"
#include "state/VoIStateListener.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "time/VoGameClock.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGTextureRoot.h"

namespace {

bool HasEvent(const char16_t* apId) {
    return VoEventManager::GetInstance()->HasEvent(VoString(apId));
}
void AddEvent(const char16_t* apId) {
    VoEventManager::GetInstance()->AddEvent(VoString(apId), false);
}
float ClockTime() {
    return VoGameClock::GetInstance()->GetTime();
}
std::string CurrentSceneId() {
    MGScene* scene = MGSceneManager::GetInstance()->GetScene();
    return scene != nullptr ? Narrow(scene->GetSceneId()) : "";
}

// Notes the states the listeners are told of.
class StateProbe : public VoIStateListener {
public:
    StateProbe() { VoStateManager::GetInstance()->AddListener(this, 0.0f); }
    ~StateProbe() override {
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->RemoveListener(this);
        }
    }
    void OnStateChanged(VoIState* apState) override { fTold.push_back(Narrow(apState->GetName())); }
    std::vector<std::string> fTold;
};

class MGMapTagTest : public ::testing::Test {
protected:
    MapGame fGame;
};

}  // namespace

TEST_F(MGMapTagTest, ANodeGivesTheTagItsKeysAndTargets) {
    struct Case {
        const char* what;
        std::string node;
        bool complete;
        const char* selected;
        int targets;
        const char* message;
    };
    const std::string states = ButtonStates("", "inn");
    const std::string targets = "targets\n\tt1\n\t\tcondition=script[true]\n\t\tlogic=gotoscene|test/near\n";
    const Case cases[] = {
        {"every key", "id=inn\nshow=script[true]\nselectedevent=evt_inn_found\n" + states + targets, true,
         "evt_inn_found", 1, nullptr},
        {"the selected event by default", "id=inn\nshow=script[true]\n" + states + targets, true,
         "evt_maptag_inn", 1, nullptr},
        {"no show", "id=inn\n" + states + targets, false, "evt_maptag_inn", 1, "'show' not found."},
        {"no targets", "id=inn\nshow=script[true]\n" + states, false, "evt_maptag_inn", 0,
         "'targets' not found."},
        {"a target without a condition",
         "id=inn\nshow=script[true]\n" + states + "targets\n\tt1\n\t\tlogic=gotoscene|x\n", false,
         "evt_maptag_inn", 1, "'condition' not found."},
        {"a target without logic",
         "id=inn\nshow=script[true]\n" + states + "targets\n\tt1\n\t\tcondition=script[true]\n", false,
         "evt_maptag_inn", 1, "'logic' not found."},
        {"no id: no button either", "show=script[true]\n" + targets, false, "evt_maptag_", 1,
         "'id' not found."},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        VoPropertyList node;
        ASSERT_TRUE(node.Parse(VoString(test.node.c_str())));
        MGTextureRoot root(MGMapPanel::kTextureRoot);
        LogCapture log;
        MGMapTag tag;
        EXPECT_EQ(tag.Create(&node), test.complete);
        EXPECT_EQ(Narrow(tag.GetSelectedEvent()), test.selected);
        EXPECT_EQ(tag.GetTargetCount(), test.targets);
        if (test.message != nullptr) {
            EXPECT_TRUE(log.Contains(test.message));
        } else {
            EXPECT_TRUE(log.Lines().empty());
            ASSERT_NE(tag.GetButton(), nullptr);
            EXPECT_EQ(Narrow(tag.GetGroup()->GetId()), "inn");
            EXPECT_EQ(tag.GetButton()->GetGroup(), tag.GetGroup());
            EXPECT_FALSE(tag.GetGroup()->GetActive());
        }
    }
}

TEST_F(MGMapTagTest, TheVisibleStateIsMadeOnceAndToldOnlyAfterCreation) {
    StateProbe probe;
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10), Tag("dock", 10, 40, "script[e[evt_dock_known]]")}}}));
    // Visible at creation: made at once, nobody told.
    EXPECT_TRUE(VoStateManager::GetInstance()->HasState(VoString(u"maptag_inn_visible")));
    EXPECT_FALSE(VoStateManager::GetInstance()->HasState(VoString(u"maptag_dock_visible")));
    EXPECT_TRUE(probe.fTold.empty());

    fGame.OpenMap();
    MGMapTag* dock = MapGame::FindTag(u"dock");
    EXPECT_FALSE(dock->IsActive());
    EXPECT_FALSE(dock->GetGroup()->GetActive());
    EXPECT_FALSE(VoStateManager::GetInstance()->HasState(VoString(u"maptag_dock_visible")));

    // Once the condition holds, the next showing shows it, tells of its
    // state and starts its blink.
    AddEvent(u"evt_dock_known");
    MapGame::PDA()->SetPanel(VoString(MGPDA::kInventory));
    MapGame::PDA()->SetPanel(VoString(MGPDA::kMap));
    EXPECT_TRUE(dock->IsActive());
    EXPECT_TRUE(dock->GetGroup()->GetActive());
    EXPECT_THAT(probe.fTold, ::testing::AllOf(::testing::Not(::testing::IsEmpty()),
                                              ::testing::Each(std::string("maptag_dock_visible"))));
    EXPECT_TRUE(dock->IsNew());
    EXPECT_TRUE(dock->IsHolding());
}

TEST_F(MGMapTagTest, ANewTagBlinksOnTheEngineTimer) {
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10)}}}));
    MGMapTag* inn = MapGame::FindTag(u"inn");
    fGame.FrameAt(10.0);
    inn->SetActive(true);
    ASSERT_TRUE(inn->IsNew());
    struct Step {
        double at;
        int phase;
        float blend;
    };
    // Held 0.5 s, down to 0.2 in 0.5 s, up again in 0.5 s, held again. A
    // fade finishes one frame after reaching its end.
    const Step steps[] = {
        {10.0, MGMapTag::kHolding, 1.0f},     {10.49, MGMapTag::kHolding, 1.0f},
        {10.5, MGMapTag::kFadingDown, 1.0f},  {10.75, MGMapTag::kFadingDown, 0.6f},
        {11.0, MGMapTag::kFadingDown, 0.2f},  {11.01, MGMapTag::kFadingUp, 0.2f},
        {11.26, MGMapTag::kFadingUp, 0.6f},   {11.51, MGMapTag::kFadingUp, 1.0f},
        {11.52, MGMapTag::kHolding, 1.0f},    {12.0, MGMapTag::kHolding, 1.0f},
        {12.02, MGMapTag::kFadingDown, 1.0f},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at);
        fGame.FrameAt(step.at);
        EXPECT_EQ(inn->GetPhase(), step.phase);
        EXPECT_NEAR(inn->GetGroup()->GetBlend(), step.blend, 1e-4f);
    }
    ASSERT_NE(inn->GetFader(), nullptr);
    EXPECT_EQ(Narrow(inn->GetFader()->GetId()), "maptag");
}

TEST_F(MGMapTagTest, TheFirstUseEndsTheBlinkForGood) {
    fGame.LoadMap(MapLayout(
        {{1, {Tag("inn", 10, 10, "script[true]", {{"script[true]", "gotoviewpoint|test/near"}})}}}));
    fGame.OpenMap();
    MGMapTag* inn = MapGame::FindTag(u"inn");
    fGame.RunFrames(0.8);
    ASSERT_NE(inn->GetFader(), nullptr);
    EXPECT_LT(inn->GetGroup()->GetBlend(), 1.0f);

    MapGame::ClickTag(10, 10);
    EXPECT_TRUE(HasEvent(u"evt_maptag_inn"));
    EXPECT_FALSE(inn->IsNew());
    EXPECT_EQ(inn->GetFader(), nullptr);
    EXPECT_EQ(inn->GetGroup()->GetBlend(), 1.0f);

    // Shown again later, it no longer blinks.
    MapGame::PDA()->SetPanel(VoString(MGPDA::kInventory));
    fGame.RunFrames(0.6);
    MapGame::PDA()->SetPanel(VoString(MGPDA::kMap));
    fGame.RunFrames(2.0);
    EXPECT_FALSE(inn->IsNew());
    EXPECT_FALSE(inn->IsHolding());
    EXPECT_EQ(inn->GetFader(), nullptr);
    EXPECT_EQ(inn->GetGroup()->GetBlend(), 1.0f);
}

TEST_F(MGMapTagTest, ShowingAgainMidFadeStartsTheBlinkAfresh) {
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10)}}}));
    // Opening takes 0.6 s: the tag is half-way down.
    fGame.OpenMap();
    MGMapTag* inn = MapGame::FindTag(u"inn");
    ASSERT_EQ(inn->GetPhase(), MGMapTag::kFadingDown);
    LogCapture log;
    MapGame::PDA()->SetPanel(VoString(MGPDA::kInventory));
    MapGame::PDA()->SetPanel(VoString(MGPDA::kMap));
    EXPECT_EQ(inn->GetPhase(), MGMapTag::kHolding);
    EXPECT_EQ(inn->GetGroup()->GetBlend(), 1.0f);
    fGame.RunFrames(3.0);
    EXPECT_FALSE(log.Contains(MGMapTag::kInvalidState));
}

TEST(MGMapTag, AClickTakesTheFirstTargetWhoseConditionHolds) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> targets;
        const char* scene;
        bool used;
    };
    const Case cases[] = {
        {"two true targets: the first",
         {{"script[true]", "gotoscene|test/near"}, {"script[true]", "gotoscene|test/far"}},
         "test/near",
         true},
        {"the first false: the second",
         {{"script[false]", "gotoscene|test/far"}, {"script[true]", "gotoscene|test/near"}},
         "test/near",
         true},
        {"none true: nothing", {{"script[false]", "gotoscene|test/near"}}, "test/room", false},
        {"any case of the word", {{"script[true]", "GoToScene|test/near"}}, "test/near", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MapGame game;
        MapGame::EnterScene();
        game.LoadMap(MapLayout({{1, {Tag("inn", 10, 10, "script[true]", test.targets)}}}));
        game.OpenMap();
        MapGame::ClickTag(10, 10);
        EXPECT_EQ(CurrentSceneId(), test.scene);
        EXPECT_EQ(HasEvent(u"evt_maptag_inn"), test.used);
        EXPECT_EQ(MapGame::PDA()->IsOpen(), !test.used);
    }
}

TEST_F(MGMapTagTest, GotoSceneClosesThePDAAdvancesTheClockAndReplacesTheTop) {
    MapGame::EnterScene();
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10)}}}));
    fGame.OpenMap();
    VoGameClock::GetInstance()->AdvanceTime(3.25f, false);
    const float before = ClockTime();
    MapGame::ClickTag(10, 10);
    EXPECT_EQ(ClockTime(), before + 7.0f);
    EXPECT_FALSE(MapGame::PDA()->IsOpen());
    EXPECT_EQ(CurrentSceneId(), "test/near");
    MGScreenManager* screens = MGScreenManager::GetInstance();
    EXPECT_EQ(screens->GetScreenCount(), 1);
    EXPECT_EQ(screens->GetTopScreen(), MGSceneManager::GetInstance()->GetScene());
    EXPECT_TRUE(MGSceneManager::GetInstance()->GetScene()->IsEntered());
}

TEST_F(MGMapTagTest, GotoSceneFromAnOpenCloseUpEmptiesTheStack) {
    MGScene* room = MapGame::EnterScene();
    // The close-up's screen over another one over the scene.
    ScreenJournal journal;
    RecordingScreen puzzle("puzzle", &journal);
    RecordingScreen view("closeup", &journal);
    MGScreenManager::GetInstance()->PushScreen(&puzzle);
    MGScreenManager::GetInstance()->PushScreen(&view);
    MGCloseUp closeUp;
    room->SetOpenCloseUp(&closeUp);
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10)}}}));
    fGame.OpenMap();
    MapGame::ClickTag(10, 10);
    EXPECT_EQ(CurrentSceneId(), "test/near");
    MGScreenManager* screens = MGScreenManager::GetInstance();
    EXPECT_EQ(screens->GetScreenCount(), 1);
    EXPECT_EQ(screens->GetTopScreen(), MGSceneManager::GetInstance()->GetScene());
    // Emptied without a call.
    EXPECT_TRUE(journal.empty());
}

TEST_F(MGMapTagTest, AFailedLoadIsLoggedAfterTheTrip) {
    MapGame::EnterScene();
    fGame.LoadMap(
        MapLayout({{1, {Tag("inn", 10, 10, "script[true]", {{"script[true]", "gotoscene|test/none"}})}}}));
    fGame.OpenMap();
    const float before = ClockTime();
    LogCapture log;
    MapGame::ClickTag(10, 10);
    EXPECT_TRUE(log.Contains("ExecuteLogic failure. Could not load scene:test/none"));
    EXPECT_EQ(ClockTime(), before + 7.0f);
    EXPECT_FALSE(MapGame::PDA()->IsOpen());
}

TEST(MGMapTag, GotoViewpointLoadsTheSceneAndEntersItAtTheViewpoint) {
    struct Case {
        const char* what;
        const char* logic;
        const char* scene;
        const char* viewpoint;
        bool trip;
    };
    const Case cases[] = {
        {"scene and viewpoint", "gotoviewpoint|test/near|vp_b", "test/near", "vp_b", true},
        {"a scene alone: the selected event only", "gotoviewpoint|test/near", "test/room", nullptr, false},
        {"another word: the selected event only", "jump|test/near|vp_b", "test/room", nullptr, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MapGame game;
        MapGame::EnterScene();
        game.LoadMap(MapLayout({{1, {Tag("inn", 10, 10, "script[true]", {{"script[true]", test.logic}})}}}));
        game.OpenMap();
        const float before = ClockTime();
        MapGame::ClickTag(10, 10);
        EXPECT_TRUE(HasEvent(u"evt_maptag_inn"));
        EXPECT_EQ(CurrentSceneId(), test.scene);
        EXPECT_EQ(ClockTime(), test.trip ? before + 7.0f : before);
        EXPECT_EQ(MapGame::PDA()->IsOpen(), !test.trip);
        if (test.viewpoint != nullptr) {
            MGScene* scene = MGSceneManager::GetInstance()->GetScene();
            EXPECT_EQ(Narrow(scene->GetViewpointId()), test.viewpoint);
            EXPECT_TRUE(scene->IsEntered());
        }
    }
}

TEST(MGMapTag, GotoViewpointBehindAPlacardReachesTheSceneTheCardLoadsAndLeavesTheOldOneAlone) {
    struct Case {
        const char* what;
        const char* from;  // entered first, without its placard
        const char* scene;
        bool placard;  // the trip is the scene's first visit with a placard
    };
    const Case cases[] = {
        {"no placard: the scene at once", "test/room", "test/near", false},
        {"a first visit: the scene after its placard", "test/room", "test/far", true},
        {"a first visit to the scene already current", "test/far", "test/far", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MapGame game;
        MGSceneManager* scenes = MGSceneManager::GetInstance();
        ASSERT_TRUE(scenes->LoadScene(VoString(test.from), true, true));
        MGScene* old = scenes->GetScene();
        const std::string oldViewpoint = Narrow(old->GetViewpointId());
        const std::string logic = std::string("gotoviewpoint|") + test.scene + "|vp_b";
        game.LoadMap(MapLayout({{1, {Tag("inn", 10, 10, "script[true]", {{"script[true]", logic}})}}}));
        game.OpenMap();
        LogCapture log;
        MapGame::ClickTag(10, 10);
        if (test.placard) {
            // Current until the card's load and leaving under its fade: not
            // given the viewpoint, not entered again.
            EXPECT_EQ(scenes->GetScene(), old);
            EXPECT_EQ(Narrow(old->GetViewpointId()), oldViewpoint);
            EXPECT_FALSE(old->IsInputEnabled());
            game.RunFrames(1.0);
            stubs::SoundPlayer* chime = stubs::SoundPlayer::Find("chingching");
            ASSERT_NE(chime, nullptr);
            chime->End();
            game.RunFrames(1.0);
        }
        MGScene* scene = scenes->GetScene();
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(Narrow(scene->GetSceneId()), test.scene);
        EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_b");
        EXPECT_TRUE(scene->IsEntered());
        EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), scene);
        EXPECT_FALSE(log.Contains("WARNING: "));
    }
}

TEST_F(MGMapTagTest, ALocationCutSceneTakesTheTripInstead) {
    MapGame::EnterScene();
    VoPropertyList* table = new VoPropertyList();
    ASSERT_TRUE(
        table->Parse(VoString(u"walk\n\ttriggertype=maptag\n\ttriggerlocation=test/near\n\tmovie=walk.mkv\n"
                              u"\ttargetscene=test/near\n\tdependencies=script[true]\n")));
    MGCutScenePlayer::GetInstance()->SetTables(table, nullptr);
    fGame.LoadMap(MapLayout(
        {{1, {Tag("inn", 10, 10, "script[true]", {{"script[true]", "gotoviewpoint|test/near|vp_b"}})}}}));
    fGame.OpenMap();
    const float before = ClockTime();
    MapGame::ClickTag(10, 10);
    EXPECT_FALSE(HasEvent(u"evt_maptag_inn"));
    EXPECT_FALSE(MapGame::PDA()->IsOpen());
    EXPECT_EQ(ClockTime(), before + 7.0f);
    EXPECT_EQ(CurrentSceneId(), "test/room");
    EXPECT_EQ(Narrow(MGCutScenePlayer::GetInstance()->GetTargetScene()), "test/near");
    EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), MGCutScenePlayer::GetInstance());
}

TEST_F(MGMapTagTest, OnlyClicksInsideTheScrollAreaCountAndAreConsumed) {
    MapGame::EnterScene();
    // "dock" lies below the visible part of the map, 152 pixels high.
    fGame.LoadMap(MapLayout({{1, {Tag("inn", 10, 10), Tag("dock", 10, 200)}}}));
    fGame.OpenMap();
    UpProbe probe;
    MapGame::ClickTag(10, 200);
    EXPECT_EQ(probe.fUps, 1);
    EXPECT_FALSE(HasEvent(u"evt_maptag_dock"));
    EXPECT_TRUE(MapGame::PDA()->IsOpen());

    MapGame::ClickTag(10, 10);
    EXPECT_EQ(probe.fUps, 1);
    EXPECT_TRUE(HasEvent(u"evt_maptag_inn"));
}
