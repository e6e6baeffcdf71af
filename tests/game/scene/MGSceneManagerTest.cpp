#include "scene/MGSceneManager.h"

#include <gtest/gtest.h>

#include <string>

#include "../ScreenProbes.h"
#include "MGScreenManager.h"
#include "game/support/SceneGame.h"
#include "event/VoEventManager.h"
#include "pda/MGIPDAListener.h"
#include "pda/MGPDA.h"
#include "scene/MGPlacard.h"
#include "scene/MGScene.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"

namespace {

bool HasEvent(const std::string& aId) {
    return VoEventManager::GetInstance()->HasEvent(VoString(aId.c_str()));
}

class MGSceneManagerTest : public ::testing::Test {
protected:
    MGSceneManagerTest() {
        fGame.WriteScene("case1/office", "vp_desk");
        fGame.WriteScene("case1/hall", "vp_door");
        fGame.WriteScene("street", "vp_corner");
        fGame.WritePlacards("case1/office\n\tlocation=The Office\n");
    }

    SceneGame fGame;
    MGSceneManager* fManager = MGSceneManager::GetInstance();
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
};

}  // namespace

TEST_F(MGSceneManagerTest, AnEmptyIdFailsWithItsMessageAndChangesNothing) {
    fManager->SetPendingPosition(VoVector2(1.0f, 2.0f));
    const int events = VoEventManager::GetInstance()->GetEventCount();
    LogCapture log;
    EXPECT_FALSE(fManager->LoadScene(VoString(u""), true, true));
    EXPECT_TRUE(log.Logged("ERROR: ", MGSceneManager::kInvalidSceneId));
    EXPECT_EQ(fManager->GetScene(), nullptr);
    ASSERT_NE(fManager->GetPendingPosition(), nullptr);
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
}

TEST_F(MGSceneManagerTest, RecordsTheLastPiecesVisitAndShowsThePlacardOfTheWholeId) {
    MGScene* before = nullptr;
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, true));
    before = fManager->GetScene();

    EXPECT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
    EXPECT_TRUE(HasEvent("evt_office_visited"));
    EXPECT_FALSE(HasEvent("evt_case1/office_visited"));
    EXPECT_TRUE(HasEvent("case1/office_placard"));
    // The placard loads the scene once its chime has ended.
    EXPECT_EQ(fManager->GetScene(), before);
    EXPECT_EQ(Narrow(MGPlacard::GetInstance()->GetSceneId()), "case1/office");
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGPlacard::GetInstance()));
}

TEST_F(MGSceneManagerTest, ASecondVisitRecordsNothingNewAndShowsNoPlacard) {
    ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, true));
    ASSERT_NE(fManager->GetScene(), nullptr);
    // The no-placard flag leaves the placard due.
    EXPECT_TRUE(HasEvent("evt_office_visited"));
    EXPECT_FALSE(HasEvent("case1/office_placard"));
    VoEventManager::GetInstance()->AddEvent(VoString(u"case1/office_placard"), false);

    const int events = VoEventManager::GetInstance()->GetEventCount();
    ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
    EXPECT_EQ(Narrow(fManager->GetScene()->GetSceneId()), "case1/office");
    EXPECT_EQ(MGPlacard::GetInstance()->GetGroup(), nullptr);
}

TEST_F(MGSceneManagerTest, AnIdWithoutPlacardLoadsDirectlyAndRecordsNoPlacardEvent) {
    ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/hall"), false, false));
    ASSERT_NE(fManager->GetScene(), nullptr);
    EXPECT_EQ(Narrow(fManager->GetScene()->GetSceneId()), "case1/hall");
    EXPECT_EQ(Narrow(fManager->GetScene()->GetViewpointId()), "vp_door");
    EXPECT_EQ(Narrow(fManager->GetScene()->GetScenePath()), "//scenes/case1/hall/");
    EXPECT_TRUE(HasEvent("evt_hall_visited"));
    EXPECT_FALSE(HasEvent("case1/hall_placard"));
    VoIState* current = VoStateManager::GetInstance()->GetState(VoString(u"sta_currentscene"));
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(current->GetValue())), "case1/hall");
}

TEST_F(MGSceneManagerTest, ReplaceTopPopsTheTopWithOnlyItsLeaveEndThenPushesAndEntersTheScene) {
    ScreenJournal journal;
    RecordingScreen menu("menu", &journal);
    RecordingScreen below("below", &journal);
    fScreens->PushScreen(&below);
    fScreens->PushScreen(&menu);
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    EXPECT_EQ(journal, (ScreenJournal{"menu:end"}));
    MGScene* scene = fManager->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(scene));
    EXPECT_TRUE(scene->IsEntered());
    EXPECT_TRUE(scene->IsInputEnabled());
    fScreens->Clear();
}

TEST_F(MGSceneManagerTest, ReplaceTopOnAnEmptyStackPushesAndEnters) {
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_TRUE(fManager->GetScene()->IsEntered());
}

TEST_F(MGSceneManagerTest, WithoutReplaceTopTheSceneIsOnlyPushed) {
    ScreenJournal journal;
    RecordingScreen menu("menu", &journal);
    fScreens->PushScreen(&menu);
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), false, false));
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fManager->GetScene()));
    EXPECT_FALSE(fManager->GetScene()->IsEntered());
    // The caller brings it in.
    MGIScreen* popped = nullptr;
    fScreens->PopScreen(&popped);
    fScreens->PopScreen(&popped);
    ASSERT_TRUE(fScreens->PushFade(fManager->GetScene()));
    EXPECT_TRUE(fManager->GetScene()->IsEntered());
}

TEST_F(MGSceneManagerTest, AFailedLoadLeavesNoSceneAndKeepsTheVisit) {
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    LogCapture log;
    EXPECT_FALSE(fManager->LoadScene(VoString(u"nowhere/attic"), true, false));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGScene::kLoadFailure) + "nowhere/attic"));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGSceneManager::kLoadFailed) + "nowhere/attic"));
    EXPECT_EQ(fManager->GetScene(), nullptr);
    EXPECT_TRUE(HasEvent("evt_attic_visited"));
    // The old scene left the stack with its deletion.
    EXPECT_EQ(fScreens->GetScreenCount(), 0);
}

TEST_F(MGSceneManagerTest, UpdateAndRenderWithoutASceneAreTrue) {
    EXPECT_TRUE(fManager->Update());
    EXPECT_TRUE(fManager->Render());
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    EXPECT_TRUE(fManager->Update());
    EXPECT_TRUE(fManager->Render());
}

TEST_F(MGSceneManagerTest, LoadingTheCurrentIdBuildsTheSceneAnew) {
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    MGScene* first = fManager->GetScene();
    MGPDA::GetInstance()->SetListener(first);
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    EXPECT_NE(fManager->GetScene(), nullptr);
    // The entered old scene left the stack and the PDA; only the new one
    // stands, and, entered, listens to the PDA.
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fManager->GetScene()));
    EXPECT_EQ(MGPDA::GetInstance()->GetListener(), static_cast<MGIPDAListener*>(fManager->GetScene()));
}

TEST_F(MGSceneManagerTest, ThePendingPlacementLastsUntilTheNextLoad) {
    EXPECT_EQ(fManager->GetPendingPosition(), nullptr);
    fManager->SetPendingPosition(VoVector2(3.0f, 4.0f));
    fManager->SetPendingPosition(VoVector2(5.0f, 6.0f));
    fManager->SetPendingDirection(VoVector2(0.0f, 1.0f));
    ASSERT_NE(fManager->GetPendingPosition(), nullptr);
    EXPECT_EQ(*fManager->GetPendingPosition(), VoVector2(5.0f, 6.0f));
    EXPECT_EQ(*fManager->GetPendingDirection(), VoVector2(0.0f, 1.0f));
    ASSERT_TRUE(fManager->LoadScene(VoString(u"street"), true, false));
    EXPECT_EQ(fManager->GetPendingPosition(), nullptr);
    EXPECT_EQ(fManager->GetPendingDirection(), nullptr);
}

TEST_F(MGSceneManagerTest, AViewpointAskedForIsEnteredAlsoWhenThePlacardLoadsTheSceneLater) {
    struct Case {
        const char* what;
        bool placardFirst;        // the office's placard is still due
        const char16_t* between;  // a scene loaded before the placard's load, or null
        const char16_t* asked;
        const char* entered;
    };
    for (const Case& c : {Case{"no placard", false, nullptr, u"vp_window", "vp_window"},
                          Case{"after the placard", true, nullptr, u"vp_window", "vp_window"},
                          Case{"none asked, after the placard", true, nullptr, u"", "vp_desk"},
                          Case{"another scene in between", true, u"street", u"vp_window", "vp_desk"}}) {
        SCOPED_TRACE(c.what);
        if (!c.placardFirst) {
            VoEventManager::GetInstance()->AddEvent(VoString(u"case1/office_placard"), false);
        }
        ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false, VoString(c.asked)));
        // Held back by the placard whether a viewpoint was asked for or not.
        EXPECT_EQ(Narrow(fManager->GetHeldSceneId()), c.placardFirst ? "case1/office" : "");
        if (c.placardFirst) {
            EXPECT_EQ(fManager->GetScene(), nullptr);
            if (c.between != nullptr) {
                ASSERT_TRUE(fManager->LoadScene(VoString(c.between), true, true));
                EXPECT_EQ(Narrow(fManager->GetHeldSceneId()), "");
            }
            // As the placard loads it once its chime has ended.
            ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
        }
        EXPECT_EQ(Narrow(fManager->GetHeldSceneId()), "");
        ASSERT_NE(fManager->GetScene(), nullptr);
        EXPECT_EQ(Narrow(fManager->GetScene()->GetSceneId()), "case1/office");
        EXPECT_EQ(Narrow(fManager->GetScene()->GetViewpointId()), c.entered);
        // Asked for once: the next load enters the default.
        ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
        EXPECT_EQ(Narrow(fManager->GetScene()->GetViewpointId()), "vp_desk");
        fManager->DestroyScene();
        fScreens->Clear();
        VoEventManager::GetInstance()->ClearEvents();
        // The card's fade-in over before the next card.
        fGame.RunFrames(1.0);
    }
}

TEST_F(MGSceneManagerTest, LastPieceTakesTheTextAfterTheLastSlash) {
    struct Case {
        const char16_t* id;
        const char* piece;
    };
    for (const Case& c : {Case{u"case1/office", "office"}, Case{u"a/b/c", "c"}, Case{u"street", "street"},
                          Case{u"case1/office/", "office"}, Case{u"/", "/"}}) {
        EXPECT_EQ(Narrow(MGSceneManager::LastPiece(VoString(c.id))), c.piece);
    }
}
