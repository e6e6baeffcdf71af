#include "puzzles/slidebox/MGSlideBoxPuzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "interview/MGSubtitle.h"
#include "puzzles/slidebox/MGSliderPiece.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"

namespace {

constexpr const char* kLayoutFile = "lockbox_puzzle_layout.txt";
// One slide step each frame.
constexpr double kStepFrame = 0.03;

class MGSlideBoxPuzzleTest : public ::testing::Test {
protected:
    void Open() { fGame.Open(MGSlideBoxPuzzle::kActivationState); }

    MGSliderPiece* Bar(int aIndex) const {
        return static_cast<MGSliderPiece*>(fPuzzle->GetPieces().GetAt(aIndex));
    }
    static VoVector2 At(MGSliderPiece* apBar) { return apBar->GetGroup()->GetPosition(); }
    static bool Arrow(MGSliderPiece* apBar, const char16_t* apArrow) {
        return PuzzleGame::ClickMember(apBar->GetGroup(), apArrow);
    }
    // Frames until the bar stands still; the number of steps it took.
    int Slide(MGSliderPiece* apBar) {
        int steps = 0;
        while (apBar->IsMoving() && steps < 100) {
            fGame.Frame(kStepFrame);
            ++steps;
        }
        return steps;
    }
    // Every slide makes and plays its sound.
    static int SlidesPlayed() {
        const auto& asked = PuzzleGame::SoundsAsked();
        return static_cast<int>(std::count_if(asked.begin(), asked.end(), [](const std::string& aSound) {
            return aSound.rfind("slide ", 0) == 0;
        }));
    }
    static VoButton* ArrowButton(MGSliderPiece* apBar, int aIndex) {
        for (int i = 0, found = 0; i < apBar->GetGroup()->GetMemberCount(); ++i) {
            if (auto* button = dynamic_cast<VoButton*>(apBar->GetGroup()->GetMemberAt(i))) {
                if (found++ == aIndex) {
                    return button;
                }
            }
        }
        return nullptr;
    }

    PuzzleGame fGame;
    MGSlideBoxPuzzle* fPuzzle = MGSlideBoxPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGSlideBoxPuzzleTest, TheBarsStartAtTheMiddleStopHalfSeeThrough) {
    Open();
    ASSERT_EQ(fPuzzle->GetPieces().GetCount(), 3);
    const struct {
        int fOrientation;
        float fZ;
        VoVector2 fAt;
        int fSolved;
    } bars[] = {{MGSliderPiece::kHorizontal, 25.0f, {56.0f, 110.0f}, 0},
                {MGSliderPiece::kHorizontal, 25.0f, {56.0f, 230.0f}, 2},
                {MGSliderPiece::kVertical, 20.0f, {300.0f, 139.0f}, 0}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        MGSliderPiece* bar = Bar(i);
        EXPECT_EQ(bar->GetStop(), 1);
        EXPECT_EQ(bar->GetOrientation(), bars[i].fOrientation);
        EXPECT_EQ(bar->GetGroup()->GetRelativeZ(), bars[i].fZ);
        EXPECT_EQ(bar->GetGroup()->GetBlend(), 0.5f);
        EXPECT_EQ(At(bar), bars[i].fAt);
        EXPECT_EQ(bar->GetSolvedStop(), bars[i].fSolved);
    }
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"sliderbox_puzzle_layout");
}

TEST_F(MGSlideBoxPuzzleTest, AtEitherEndAnArrowDoesNothingAndPlaysNothing) {
    Open();
    MGSliderPiece* bar = Bar(0);
    const struct {
        const char16_t* fArrow;
        int fStop;
        float fX;
        int fSlides;
    } clicks[] = {{u"left", 0, 18.0f, 1},
                  {u"left", 0, 18.0f, 1},
                  {u"right", 1, 56.0f, 2},
                  {u"right", 2, 95.0f, 3},
                  {u"right", 2, 95.0f, 3}};
    for (const auto& click : clicks) {
        ASSERT_TRUE(Arrow(bar, click.fArrow));
        Slide(bar);
        EXPECT_EQ(bar->GetStop(), click.fStop);
        EXPECT_EQ(At(bar).x, click.fX);
        EXPECT_EQ(At(bar).y, 110.0f);
        EXPECT_EQ(SlidesPlayed(), click.fSlides);
    }
    stubs::SoundPlayer* slide = PuzzleGame::Sound("slide");
    ASSERT_NE(slide, nullptr);
    EXPECT_EQ(slide->fPath, "//sounds/slide.wav");
    EXPECT_EQ(slide->fpListener, nullptr);
}

TEST_F(MGSlideBoxPuzzleTest, TwoUnitsPerStepAndAnExactLandingTakesOneStepMore) {
    Open();
    MGSliderPiece* bar = Bar(0);
    ASSERT_TRUE(Arrow(bar, u"left"));
    // At most one step each 0.025 s.
    fGame.Frame(0.02);
    EXPECT_EQ(At(bar).x, 56.0f);
    fGame.Frame(0.01);
    EXPECT_EQ(At(bar).x, 54.0f);
    fGame.Frame(0.02);
    EXPECT_EQ(At(bar).x, 54.0f);
    fGame.Frame(0.01);
    EXPECT_EQ(At(bar).x, 52.0f);
    // From 52 to 18 is 17 steps; landing on 18 is not past it.
    for (int step = 0; step < 17; ++step) {
        fGame.Frame(kStepFrame);
    }
    EXPECT_EQ(At(bar).x, 18.0f);
    EXPECT_TRUE(bar->IsMoving());
    fGame.Frame(kStepFrame);
    EXPECT_EQ(At(bar).x, 18.0f);
    EXPECT_FALSE(bar->IsMoving());
}

TEST_F(MGSlideBoxPuzzleTest, EveryArrowWaitsWhileABarSlides) {
    Open();
    ASSERT_TRUE(Arrow(Bar(0), u"left"));
    for (int i = 0; i < 3; ++i) {
        for (int arrow = 0; arrow < 2; ++arrow) {
            EXPECT_FALSE(ArrowButton(Bar(i), arrow)->IsEnabled()) << i;
        }
    }
    EXPECT_FALSE(Arrow(Bar(1), u"right") && Bar(1)->IsMoving());
    EXPECT_EQ(Bar(1)->GetStop(), 1);
    Slide(Bar(0));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(ArrowButton(Bar(i), 0)->IsEnabled()) << i;
    }
    // The slide took the hint's place, and its subtitle with it.
    EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
    EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
}

TEST_F(MGSlideBoxPuzzleTest, EveryBarAtItsStopOpensTheBoxInTheFrameAfter) {
    Open();
    const int events = VoEventManager::GetInstance()->GetEventCount();
    ASSERT_TRUE(Arrow(Bar(0), u"LEFT") || Arrow(Bar(0), u"left"));
    Slide(Bar(0));
    ASSERT_TRUE(Arrow(Bar(1), u"right"));
    Slide(Bar(1));
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    LogCapture log;
    ASSERT_TRUE(Arrow(Bar(2), u"up"));
    while (Bar(2)->IsMoving()) {
        fGame.Frame(kStepFrame);
    }
    EXPECT_TRUE(log.Contains("Puzzle solved!"));
    EXPECT_EQ(log.Lines().front(), "Puzzle solved!");
    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "LockBox_Open.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/franksapt");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_bedroom");
    ASSERT_EQ(player->GetDoneStates().GetCount(), 3);
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_cu_1fd03_visible");
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(player));
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_EQ(fPuzzle->GetPieces().GetCount(), 0);
    // No event records it.
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
}

TEST_F(MGSlideBoxPuzzleTest, BackDuringASlideLeavesNoBarInTheFrames) {
    Open();
    const int listeners = VoFrameManager::GetInstance()->GetListenerCount();
    ASSERT_TRUE(Arrow(Bar(2), u"down"));
    fGame.Frames(3, kStepFrame);
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fPuzzle->GetPieces().GetCount(), 0);
    fGame.Frames(10, kStepFrame);
    EXPECT_LE(VoFrameManager::GetInstance()->GetListenerCount(), listeners);
    // Opened again, every bar is back at its start.
    Open();
    EXPECT_EQ(At(Bar(2)), VoVector2(300.0f, 139.0f));
    EXPECT_EQ(Bar(2)->GetStop(), 1);
}

TEST_F(MGSlideBoxPuzzleTest, BarsOffTheirStopsSnapAndABoxLaidOutSolvedOpensAfterAMove) {
    PuzzleData data("sliderbox");
    std::string layout = data.SampleLayout(kLayoutFile);
    for (const std::string solved : {"solved=0", "solved=2"}) {
        for (size_t at = layout.find(solved); at != std::string::npos; at = layout.find(solved)) {
            layout.replace(at, solved.size(), "solved=1");
        }
    }
    layout.replace(layout.find("position=56|110"), 15, "position=40|111");
    data.WriteLayout(kLayoutFile, layout);
    Open();
    fGame.Frames(5);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    MGSliderPiece* bar = Bar(0);
    ASSERT_TRUE(Arrow(bar, u"left"));
    Slide(bar);
    EXPECT_EQ(At(bar), VoVector2(18.0f, 111.0f));
    fGame.Frames(2);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    ASSERT_TRUE(Arrow(bar, u"right"));
    Slide(bar);
    EXPECT_EQ(At(bar), VoVector2(56.0f, 111.0f));
    fGame.Frame();
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
}

TEST_F(MGSlideBoxPuzzleTest, BarsWithoutTheirKeysAreDropped) {
    PuzzleData data("sliderbox");
    data.WriteLayout(kLayoutFile,
                     "groups\n\tg03-pieces\n"
                     "\t\tnotype\n\t\t\tid=a\n\t\t\tposition=56|10\n"
                     "\t\tnoid\n\t\t\ttype=vertical\n\t\t\tposition=56|10\n"
                     "\t\tnoposition\n\t\t\tid=b\n\t\t\ttype=vertical\n"
                     "\t\tshort\n\t\t\tid=c\n\t\t\ttype=VERTICAL\n\t\t\tposition=7\n"
                     "\t\tbare\n\t\t\tid=d\n\t\t\ttype=sideways\n\t\t\tposition=56|300\n");
    LogCapture log;
    Open();
    ASSERT_EQ(fPuzzle->GetPieces().GetCount(), 2);
    EXPECT_EQ(Bar(0)->GetOrientation(), MGSliderPiece::kVertical);
    EXPECT_EQ(At(Bar(0)), VoVector2(7.0f, 0.0f));
    EXPECT_EQ(Bar(1)->GetOrientation(), MGSliderPiece::kHorizontal);
    // The missing second number, the sprites and the buttons of both.
    EXPECT_GE(log.Count("ASSERT FAILURE: "), 5);
    Bar(1)->OnButtonEvent(VoString(u"left"), VoIButtonListener::kClick);
    Slide(Bar(1));
    EXPECT_EQ(At(Bar(1)).x, 18.0f);
}

TEST_F(MGSlideBoxPuzzleTest, ALayoutThatDoesNotLoadLeavesAnEmptyBox) {
    PuzzleData data("sliderbox");
    std::filesystem::remove(data.Files().Path("puzzles/sliderbox/" + std::string(kLayoutFile)));
    LogCapture log;
    Open();
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGSlideBoxPuzzle::kLayoutFailure));
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    ASSERT_NE(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_EQ(fPuzzle->GetPieces().GetCount(), 0);
}
