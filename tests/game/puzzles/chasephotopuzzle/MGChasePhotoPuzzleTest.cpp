#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "pda/MGPDAMinimized.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGGameReset.h"

namespace {

class MGChasePhotoPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGChasePhotoPuzzle::kActivationState);
    }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    VoIDisplayObject* Photo(const char16_t* apId) const {
        return fPuzzle->GetRootGroup()->GetMember(VoString(u"buttons.") + VoString(apId));
    }
    // A click on the photo that is n-th in the order (from 0).
    void PressNth(int aIndex) const {
        VoString path(u"buttons.");
        path.Append(MGChasePhotoPuzzle::kOrder[aIndex]);
        ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), TextOf(path).c_str()));
    }
    int EnabledPhotos() const {
        int count = 0;
        for (const char16_t* id : MGChasePhotoPuzzle::kOrder) {
            count += Photo(id)->GetEnabled() ? 1 : 0;
        }
        return count;
    }
    void Back() {
        ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
        fGame.Settle();
        ASSERT_FALSE(IsOpen());
    }

    PuzzleGame fGame;
    MGChasePhotoPuzzle* fPuzzle = MGChasePhotoPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGChasePhotoPuzzleTest, SevenPhotosInTheirGroupAndTheCursorAndBarLeftAlone) {
    MGPDAMinimized::GetInstance()->Show();
    const int cursor = MGCursor::GetInstance()->GetCurrentId();
    Open();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"photopuzzlegroup");
    for (const char16_t* id :
         {u"birthday", u"christmas", u"easter", u"halloween", u"july4th", u"thanksgiving", u"valentine"}) {
        EXPECT_NE(Photo(id), nullptr) << Narrow(VoString(id));
    }
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetMember(VoString(u"buttons"))->GetRelativeZ(), 10.0f);
    EXPECT_EQ(EnabledPhotos(), 7);
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), cursor);
}

TEST_F(MGChasePhotoPuzzleTest, ThePhotoOutOfOrderEnablesAllAgainAndTheCountStartsOver) {
    Open();
    PressNth(0);
    EXPECT_EQ(fPuzzle->GetProgress(), 1);
    EXPECT_FALSE(Photo(MGChasePhotoPuzzle::kOrder[0])->GetEnabled());
    // The first photo a second time is compared with the second.
    fPuzzle->OnButtonEvent(VoString(MGChasePhotoPuzzle::kOrder[0]), VoIButtonListener::kClick);
    EXPECT_EQ(fPuzzle->GetProgress(), 0);
    EXPECT_EQ(EnabledPhotos(), 7);
    PressNth(0);
    PressNth(1);
    PressNth(3);
    EXPECT_EQ(fPuzzle->GetProgress(), 0);
    EXPECT_EQ(EnabledPhotos(), 7);
    // Ids in any case; only clicks count.
    fPuzzle->OnButtonEvent(VoString(u"VALENTINE"), VoIButtonListener::kPressed);
    EXPECT_EQ(fPuzzle->GetProgress(), 0);
    fPuzzle->OnButtonEvent(VoString(u"VALENTINE"), VoIButtonListener::kClick);
    EXPECT_EQ(fPuzzle->GetProgress(), 1);
}

TEST_F(MGChasePhotoPuzzleTest, TheCountOutlivesACloseButTheScreenComesBackWhole) {
    Open();
    PressNth(0);
    PressNth(1);
    PressNth(2);
    Back();
    Open();
    EXPECT_EQ(EnabledPhotos(), 7);
    EXPECT_EQ(fPuzzle->GetProgress(), 3);
    PressNth(3);
    EXPECT_EQ(fPuzzle->GetProgress(), 4);
    PressNth(0);
    EXPECT_EQ(fPuzzle->GetProgress(), 0);

    // Not a new game's or a loaded game's.
    PressNth(0);
    PressNth(1);
    MGGameReset::GetInstance()->Notify();
    EXPECT_EQ(fPuzzle->GetProgress(), 0);
}

TEST_F(MGChasePhotoPuzzleTest, TheSeventhRightPhotoOpensTheDrawerAndTheCountStartsOver) {
    Open();
    for (int i = 0; i < 6; ++i) {
        PressNth(i);
    }
    EXPECT_FALSE(PuzzleGame::HasEvent(MGChasePhotoPuzzle::kSolvedEvent));
    PressNth(6);
    EXPECT_TRUE(PuzzleGame::HasEvent(MGChasePhotoPuzzle::kSolvedEvent));
    EXPECT_EQ(fPuzzle->GetProgress(), 0);
    // The photo's click is over before the screen goes.
    ASSERT_TRUE(IsOpen());
    EXPECT_FALSE(fPuzzle->GetRootGroup()->GetEnabled());
    fGame.Frame();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "chaseapt_draweropen.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case03/chase");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_kitbath");
    ASSERT_EQ(player->GetDoneStates().GetCount(), 3);
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_3tc02_visible");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(1)), "boolean");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(2)), "true");
}

TEST_F(MGChasePhotoPuzzleTest, AFirstPhotoAfterTheSolutionIsTheFirstOfTheOrder) {
    Open();
    for (int i = 0; i < 7; ++i) {
        PressNth(i);
    }
    // Dropped before the movie: the puzzle stays for another round.
    MGGameReset::GetInstance()->Notify();
    fPuzzle->OnButtonEvent(VoString(MGChasePhotoPuzzle::kOrder[0]), VoIButtonListener::kClick);
    EXPECT_EQ(fPuzzle->GetProgress(), 1);
}

TEST_F(MGChasePhotoPuzzleTest, TheHintPlaysOnEasyTheFirstTimeOnly) {
    const struct {
        int fSkill;
        bool fHint;
    } cases[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        Open(level.fSkill);
        EXPECT_TRUE(PuzzleGame::HasEvent(MGChasePhotoPuzzle::kHint.fpFirstViewEvent));
        stubs::SoundPlayer* hint = PuzzleGame::Sound("puzzleVO");
        EXPECT_EQ(hint != nullptr, level.fHint);
        if (hint != nullptr) {
            EXPECT_EQ(hint->fPath, "//sounds/hi18_rg.ogg");
            PuzzleGame::EndSound("puzzleVO");
        }
        Back();
        Open(level.fSkill);
        EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), nullptr);
        Back();
    }
}

TEST_F(MGChasePhotoPuzzleTest, ALayoutThatDoesNotLoadIsReportedAndTheScreenIsEmpty) {
    PlatformTestFolder empty;
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"),
                                                    PlatformTestFolder::Wide(empty.Files())));
    LogCapture log;
    Open();
    EXPECT_TRUE(log.Logged("ERROR: ", MGChasePhotoPuzzle::kLayoutFailure));
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetMemberCount(), 1);  // the empty "buttons"
    PuzzleGame::SetState(MGChasePhotoPuzzle::kActivationState, false);
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
}
