#include "puzzles/MGPuzzleCloser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/support/PuzzleGame.h"
#include "puzzles/MGPuzzleFrame.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGGameReset.h"

namespace {

constexpr MGPuzzleOpening kOpening = {u"case01/vault", u"vp_door", u"sta_cu_vault_visible", u"Vault.bik"};

class MGPuzzleCloserTest : public ::testing::Test {
protected:
    MGPuzzleCloserTest() { fGame.Screens()->PushScreen(&fPuzzle); }

    static MGCutScenePlayer* Player() { return MGCutScenePlayer::GetInstance(); }
    static MGIScreen* PlayerScreen() { return Player(); }
    bool Journaled(const std::string& aEntry) const {
        return std::find(fGame.fJournal.begin(), fGame.fJournal.end(), aEntry) != fGame.fJournal.end();
    }
    static int Queued() { return Player()->GetQueue().GetCount(); }

    PuzzleGame fGame;
    RecordingScreen fPuzzle{"puzzle", &fGame.fJournal};
};

}  // namespace

TEST_F(MGPuzzleCloserTest, TheOpeningSetsTheTargetsAtOnceAndClosesInTheNextFrame) {
    MGPuzzleFrame::RunOpening(&fPuzzle, kOpening);
    EXPECT_EQ(Narrow(Player()->GetTargetScene()), "case01/vault");
    EXPECT_EQ(Narrow(Player()->GetTargetViewpoint()), "vp_door");
    const VoVectorString& states = Player()->GetDoneStates();
    ASSERT_EQ(states.GetCount(), 3);
    EXPECT_EQ(Narrow(states.GetAt(0)), "sta_cu_vault_visible");
    EXPECT_EQ(Narrow(states.GetAt(1)), "boolean");
    EXPECT_EQ(Narrow(states.GetAt(2)), "true");
    // Nothing of the puzzle is taken down inside the call that solved it.
    EXPECT_EQ(PuzzleGame::Top(), &fPuzzle);
    EXPECT_TRUE(fGame.fJournal.empty());
    EXPECT_EQ(Queued(), 0);

    fGame.Frame();
    // Off the stack, left, and the movie's screen pushed over the scene.
    EXPECT_EQ(fGame.Screens()->FindScreen(&fPuzzle), -1);
    EXPECT_EQ(fGame.fJournal, (ScreenJournal{"puzzle:end", "scene:begin"}));
    EXPECT_EQ(PuzzleGame::Top(), PlayerScreen());
    ASSERT_EQ(Queued(), 1);
    EXPECT_EQ(Narrow(Player()->GetQueue().GetAt(0)), "Vault.bik");
    EXPECT_EQ(MGPuzzleCloser::GetInstance()->GetPendingCount(), 0);
}

TEST_F(MGPuzzleCloserTest, WithoutThePopThePuzzleStaysUnderTheMovie) {
    const MGPuzzleOpening noState = {u"case01/vault", u"vp_door", nullptr, u"Vault.bik"};
    MGPuzzleFrame::RunOpening(&fPuzzle, noState, false);
    EXPECT_EQ(Player()->GetDoneStates().GetCount(), 0);
    fGame.Frame();
    EXPECT_EQ(fGame.Screens()->FindScreen(&fPuzzle), 1);
    EXPECT_EQ(PuzzleGame::Top(), PlayerScreen());
    EXPECT_EQ(fGame.fJournal, ScreenJournal{"puzzle:begin"});
    EXPECT_EQ(Queued(), 1);
}

TEST_F(MGPuzzleCloserTest, TheStepsWaitWhileAFadeRuns) {
    RecordingScreen menu("menu", &fGame.fJournal);
    ASSERT_TRUE(fGame.Screens()->PushFade(&menu));
    MGPuzzleFrame::RunOpening(&fPuzzle, kOpening);
    fGame.Frame();
    EXPECT_EQ(Queued(), 0);
    while (fGame.Screens()->IsBusy()) {
        EXPECT_EQ(Queued(), 0);
        fGame.Frame();
    }
    fGame.Frame();
    // Taken from under the menu, wherever it stood.
    EXPECT_EQ(fGame.Screens()->FindScreen(&fPuzzle), -1);
    EXPECT_TRUE(Journaled("puzzle:end"));
    EXPECT_EQ(Queued(), 1);
}

TEST_F(MGPuzzleCloserTest, APuzzleThatLeftMeanwhileOnlyGetsItsMovie) {
    MGPuzzleFrame::RunOpening(&fPuzzle, kOpening);
    fGame.Screens()->RemoveScreen(&fPuzzle);
    fGame.Frame();
    EXPECT_FALSE(Journaled("puzzle:end"));
    EXPECT_EQ(Queued(), 1);
}

TEST_F(MGPuzzleCloserTest, AStateCloseDuringAFadeIsTriedAgainWhileThePuzzleStaysOnTop) {
    // Idle: at once.
    EXPECT_TRUE(MGPuzzleFrame::CloseWithFade(&fPuzzle));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);

    // During a fade: once it has ended.
    RecordingScreen menu("menu", &fGame.fJournal);
    ASSERT_TRUE(fGame.Screens()->PushFade(&menu));
    EXPECT_TRUE(MGPuzzleFrame::CloseWithFade(&menu));
    EXPECT_EQ(MGPuzzleCloser::GetInstance()->GetPendingCount(), 1);
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(MGPuzzleCloser::GetInstance()->GetPendingCount(), 0);

    // No longer the top screen when the fade ends: dropped.
    ASSERT_TRUE(fGame.Screens()->PushFade(&menu));
    EXPECT_TRUE(MGPuzzleFrame::CloseWithFade(&menu));
    RecordingScreen box("box", &fGame.fJournal);
    fGame.Screens()->PushScreen(&box);
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &box);
    EXPECT_EQ(MGPuzzleCloser::GetInstance()->GetPendingCount(), 0);
    fGame.Screens()->Clear();

    // Not the top screen: nothing.
    EXPECT_FALSE(MGPuzzleFrame::CloseWithFade(&fPuzzle));
}

TEST_F(MGPuzzleCloserTest, ANewGameOrALoadAndThePuzzlesEndDropRequests) {
    MGPuzzleCloser* closer = MGPuzzleCloser::GetInstance();
    RecordingScreen other("other", &fGame.fJournal);
    MGPuzzleFrame::RunOpening(&fPuzzle, kOpening);
    MGPuzzleFrame::RunOpening(&fPuzzle, kOpening);
    EXPECT_EQ(closer->GetPendingCount(), 1);
    closer->RequestMovie(&other, VoString(u"Other.bik"), false);
    closer->Cancel(&other);
    EXPECT_FALSE(closer->IsPending(&other));
    EXPECT_TRUE(closer->IsPending(&fPuzzle));

    MGGameReset::GetInstance()->Notify();
    EXPECT_EQ(closer->GetPendingCount(), 0);
    fGame.Frames(3);
    EXPECT_EQ(PuzzleGame::Top(), &fPuzzle);
    EXPECT_EQ(Queued(), 0);
}
