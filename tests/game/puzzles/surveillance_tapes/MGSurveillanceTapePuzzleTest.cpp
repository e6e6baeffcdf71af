#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "platform/VoMouse.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapeControl.h"
#include "support/LogCapture.h"

namespace {

constexpr int kLast = MGSurveillanceTapePuzzle::kLastTape;

class MGSurveillanceTapePuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGSurveillanceTapePuzzle::kActivationState);
    }
    void Close() {
        PuzzleGame::SetState(MGSurveillanceTapePuzzle::kActivationState, false);
        fGame.Settle();
    }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    VoSprite* Layer(int aLayer) const { return fPuzzle->GetLayer(fPuzzle->GetTape(), aLayer); }
    static VoVector2 At(VoIDisplayObject* apObject) {
        VoVector2 position;
        return apObject->GetWorldPosition(position);
    }
    MGSurveillanceTapeControl* Panel() const { return fPuzzle->GetPanel(fPuzzle->GetTape()); }
    // A click on switch k of the tape on view.
    void Switch(int aSwitch) const {
        const VoVector2 at = At(Panel()->GetSwitch(aSwitch, true)) + VoVector2(5.0f, 5.0f);
        PuzzleGame::Click(at.x, at.y);
    }
    bool Arrow(const char16_t* apId) const { return PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), apId); }
    // A drag inside the viewing rectangle by the offset.
    static void DragBy(const VoVector2& aOffset, const VoVector2& aFrom = VoVector2(400.0f, 250.0f)) {
        PuzzleGame::Press(aFrom.x, aFrom.y);
        PuzzleGame::MoveTo(aFrom.x + aOffset.x, aFrom.y + aOffset.y);
        PuzzleGame::Release();
    }
    // The tape on view tracked: layers 1 and 2 on one point, layer 0 brought
    // onto layer 1 by its switch.
    void Track() {
        Layer(1)->SetPosition(200.0f, 100.0f);
        Layer(2)->SetPosition(200.0f, 100.0f);
        Layer(0)->SetPosition(203.0f, 98.0f);
        Switch(0);
        DragBy(VoVector2(1.0f, 1.0f));
    }
    static int Listeners() { return VoMouse::GetInstance()->GetListenerCount(); }
    // The sample case's interview with the clerk, started; null when it
    // cannot be made.
    MGInterview* StartInterview() const {
        MGInterview* interview = fInterviews->GetInterview(VoString(u"117"));
        return interview != nullptr && fInterviews->StartInterview() ? interview : nullptr;
    }

    PuzzleGame fGame;
    // Made before the viewer, as the application's Init does, with the
    // listeners of its shared window.
    MGInterviewManager* fInterviews = MGInterviewManager::GetInstance();
    MGSurveillanceTapePuzzle* fPuzzle = MGSurveillanceTapePuzzle::GetInstance();
};

}  // namespace

TEST_F(MGSurveillanceTapePuzzleTest, TapeZeroIsOnViewWithItsLayersScatteredAndItsPanelListening) {
    Open();
    EXPECT_EQ(fPuzzle->GetTape(), 0);
    for (int tape = 0; tape < 6; ++tape) {
        ASSERT_NE(fPuzzle->GetPanel(tape), nullptr);
        EXPECT_EQ(fPuzzle->GetPanel(tape)->IsListening(), tape == 0);
        EXPECT_EQ(fPuzzle->GetPanel(tape)->GetGroup()->GetRelativeZ(), 150.0f);
        for (int layer = 0; layer < 3; ++layer) {
            VoSprite* sprite = fPuzzle->GetLayer(tape, layer);
            ASSERT_NE(sprite, nullptr);
            EXPECT_EQ(sprite->GetVisible(), tape == 0);
            EXPECT_EQ(sprite->GetRelativeZ(), 10.0f);
            const VoVector2 at = At(sprite);
            EXPECT_TRUE(at.x >= 100.0f && at.x < 300.0f && at.y >= 0.0f && at.y < 200.0f);
        }
    }
    EXPECT_FALSE(fPuzzle->GetTrackingDialog()->GetVisible());
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetMember(VoString(u"back_btn"))->GetRelativeZ(), 200.0f);
}

TEST_F(MGSurveillanceTapePuzzleTest, TheArrowsCycleTheTapesRoundWithTheIndicator) {
    Open();
    const struct {
        const char16_t* fArrow;
        int fTape;
    } clicks[] = {{u"select_left", 5}, {u"select_right", 0}, {u"select_right", 1}, {u"SELECT_LEFT", 0}};
    for (const auto& click : clicks) {
        const int before = fPuzzle->GetTape();
        if (!Arrow(click.fArrow)) {
            fPuzzle->OnButtonEvent(VoString(click.fArrow), VoIButtonListener::kClick);
        }
        ASSERT_EQ(fPuzzle->GetTape(), click.fTape);
        EXPECT_EQ(At(fPuzzle->GetIndicator()),
                  VoVector2(MGSurveillanceTapePuzzle::kIndicatorX[click.fTape], 477.0f));
        EXPECT_FALSE(fPuzzle->GetPanel(before)->IsListening());
        EXPECT_FALSE(fPuzzle->GetPanel(before)->GetGroup()->GetVisible());
        EXPECT_TRUE(Panel()->IsListening());
        EXPECT_TRUE(Panel()->GetGroup()->GetVisible());
        for (int layer = 0; layer < 3; ++layer) {
            EXPECT_FALSE(fPuzzle->GetLayer(before, layer)->GetVisible());
            EXPECT_TRUE(Layer(layer)->GetVisible());
        }
    }
}

TEST_F(MGSurveillanceTapePuzzleTest, WithNoSwitchOnADragMovesAllThreeAndNeverSnaps) {
    Open(0);
    Layer(0)->SetPosition(200.0f, 100.0f);
    Layer(1)->SetPosition(205.0f, 100.0f);
    Layer(2)->SetPosition(150.0f, 30.0f);
    DragBy(VoVector2(-30.0f, 12.0f));
    EXPECT_EQ(At(Layer(0)), VoVector2(170.0f, 112.0f));
    EXPECT_EQ(At(Layer(1)), VoVector2(175.0f, 112.0f));
    EXPECT_EQ(At(Layer(2)), VoVector2(120.0f, 42.0f));
    EXPECT_FALSE(fPuzzle->IsTracked(0));
}

TEST_F(MGSurveillanceTapePuzzleTest, ALayerSnapsOntoItsPartnerAtExactlyTheToleranceAndNotBeyond) {
    const struct {
        int fSkill;
        float fTolerance;
    } levels[] = {{0, 20.0f}, {1, 10.0f}, {2, 5.0f}};
    // Layer 0 goes onto 1, 1 onto 2, 2 onto 1.
    const int partners[] = {1, 2, 1};
    for (const auto& level : levels) {
        for (int layer = 0; layer < 3; ++layer) {
            for (float beyond : {0.0f, 0.5f}) {
                SCOPED_TRACE(testing::Message() << level.fSkill << " layer " << layer << " + " << beyond);
                Open(level.fSkill);
                EXPECT_EQ(fPuzzle->GetTolerance(), level.fTolerance);
                const int partner = partners[layer];
                const int other = 3 - layer - partner;
                Layer(partner)->SetPosition(200.0f, 100.0f);
                Layer(other)->SetPosition(120.0f, 20.0f);
                Layer(layer)->SetPosition(200.0f + level.fTolerance + beyond + 10.0f,
                                          100.0f - level.fTolerance);
                Switch(layer);
                ASSERT_EQ(Panel()->GetSelected(), layer);
                DragBy(VoVector2(-10.0f, 0.0f));
                EXPECT_EQ(At(Layer(partner)), VoVector2(200.0f, 100.0f));
                EXPECT_EQ(At(Layer(other)), VoVector2(120.0f, 20.0f));
                EXPECT_EQ(At(Layer(layer)) == VoVector2(200.0f, 100.0f), beyond == 0.0f);
                EXPECT_FALSE(fPuzzle->IsTracked(0));
                Close();
            }
        }
    }
}

TEST_F(MGSurveillanceTapePuzzleTest, ASwitchClickedAgainTurnsOffAndAnotherTakesItsPlace) {
    Open();
    const struct {
        int fClick;
        int fSelected;
    } clicks[] = {{0, 0}, {2, 2}, {2, -1}, {1, 1}, {1, -1}};
    for (const auto& click : clicks) {
        Switch(click.fClick);
        EXPECT_EQ(Panel()->GetSelected(), click.fSelected) << click.fClick;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(Panel()->GetSwitch(k, true)->GetVisible(), k == click.fSelected);
            EXPECT_EQ(Panel()->GetSwitch(k, false)->GetVisible(), k != click.fSelected);
        }
    }
}

TEST_F(MGSurveillanceTapePuzzleTest, ADragStartsOnlyInsideTheViewingRectangleEdgesIncluded) {
    Open();
    const struct {
        VoVector2 fFrom;
        bool fMoves;
    } presses[] = {{{124.0f, 45.0f}, true},
                   {{789.0f, 470.0f}, true},
                   {{123.9f, 200.0f}, false},
                   {{400.0f, 470.5f}, false},
                   {{400.0f, 44.0f}, false}};
    for (const auto& press : presses) {
        const VoVector2 before = At(Layer(0));
        DragBy(VoVector2(3.0f, 4.0f), press.fFrom);
        EXPECT_EQ(At(Layer(0)) == before + VoVector2(3.0f, 4.0f), press.fMoves)
            << press.fFrom.x << ", " << press.fFrom.y;
    }
}

TEST_F(MGSurveillanceTapePuzzleTest, TracksOfTheFirstFiveShowTheDialogAndTheSixthSolves) {
    Open();
    for (int tape = 0; tape < kLast; ++tape) {
        SCOPED_TRACE(tape);
        Track();
        EXPECT_TRUE(fPuzzle->IsTracked(tape));
        EXPECT_TRUE(fPuzzle->GetTrackingDialog()->GetVisible());
        EXPECT_TRUE(Panel()->IsLocked());
        EXPECT_EQ(Panel()->GetSelected(), -1);
        // A locked panel takes no switch.
        Switch(1);
        EXPECT_EQ(Panel()->GetSelected(), -1);
        EXPECT_FALSE(PuzzleGame::HasEvent(MGSurveillanceTapePuzzle::kSolvedEvent));
        ASSERT_TRUE(Arrow(u"select_right"));
        EXPECT_FALSE(fPuzzle->GetTrackingDialog()->GetVisible());
    }
    // Back on a tracked tape, the dialog shows again.
    ASSERT_TRUE(Arrow(u"select_left"));
    EXPECT_TRUE(fPuzzle->GetTrackingDialog()->GetVisible());
    ASSERT_TRUE(Arrow(u"select_right"));
    Track();
    EXPECT_TRUE(fPuzzle->IsBusy());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGSurveillanceTapePuzzle::kSolvedEvent));
    stubs::SoundPlayer* line = PuzzleGame::Sound("solvedAudio");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/4re31_le.ogg");
    // Busy: the buttons and drags are ignored.
    ASSERT_TRUE(Arrow(u"select_left"));
    EXPECT_EQ(fPuzzle->GetTape(), kLast);
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_TRUE(IsOpen());
    const VoVector2 before = At(Layer(0));
    DragBy(VoVector2(20.0f, 0.0f));
    EXPECT_EQ(At(Layer(0)), before);
    PuzzleGame::EndSound("solvedAudio");
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
}

TEST_F(MGSurveillanceTapePuzzleTest, WithoutTheSolvedLineTheViewerClosesAtOnce) {
    stubs::Missing().insert("//sounds/4re31_le.ogg");
    Open();
    ASSERT_TRUE(Arrow(u"select_left"));
    Track();
    EXPECT_TRUE(PuzzleGame::HasEvent(MGSurveillanceTapePuzzle::kSolvedEvent));
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
}

TEST_F(MGSurveillanceTapePuzzleTest, TheInterviewBeneathIsSuspendedWhileOpenAndGivenBack) {
    const int base = Listeners();
    Open();
    const int viewer = Listeners() - base;
    Close();

    // The sample case's interview with the clerk, running.
    MGInterview* interview = StartInterview();
    ASSERT_NE(interview, nullptr);
    VoDisplayGroup* window = interview->GetGroup();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(interview->IsListeningToMouse());
    const bool active = window->GetActive();
    const int running = Listeners();
    LogCapture log;
    Open();
    EXPECT_TRUE(interview->IsSuspended());
    EXPECT_FALSE(window->GetActive());
    // The interview's listener is gone, the viewer's own have come.
    EXPECT_FALSE(interview->IsListeningToMouse());
    EXPECT_EQ(Listeners(), running - 1 + viewer);
    Close();
    EXPECT_FALSE(interview->IsSuspended());
    EXPECT_EQ(window->GetActive(), active);
    EXPECT_TRUE(interview->IsListeningToMouse());
    EXPECT_EQ(Listeners(), running);
    EXPECT_FALSE(log.Contains(VoMouse::kRemoveError));
    interview->End();
}

TEST_F(MGSurveillanceTapePuzzleTest, AnInterviewThatEndedBeneathTheViewerStaysClosed) {
    MGInterview* interview = StartInterview();
    ASSERT_NE(interview, nullptr);
    Open();
    LogCapture log;
    interview->End();
    Close();
    EXPECT_FALSE(interview->GetGroup()->GetActive());
    EXPECT_FALSE(interview->IsListeningToMouse());
    EXPECT_FALSE(log.Contains(VoMouse::kRemoveError));
}

TEST_F(MGSurveillanceTapePuzzleTest, LeavingWithPanelsListeningAndLockedLeavesNoneBehind) {
    const int base = Listeners();
    for (int round = 0; round < 2; ++round) {
        Open();
        Track();
        ASSERT_TRUE(Arrow(u"select_right"));
        ASSERT_TRUE(Arrow(u"select_left"));
        // Shown and locked again: still one registration each.
        EXPECT_TRUE(Panel()->IsListening());
        EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
        fGame.Settle();
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(Listeners(), base);
        // Whatever the mouse does now reaches no deleted panel.
        PuzzleGame::Click(25.0f, 485.0f);
    }
}

TEST_F(MGSurveillanceTapePuzzleTest, ALayoutShortOfTapesLayersOrSwitchesNeverSolves) {
    PuzzleData data("surveillance_tapes");
    const std::string sample = data.SampleLayout("layout.txt");
    const auto without = [&sample](const std::string& aFrom, const std::string& aTo) {
        std::string layout = sample;
        const size_t from = layout.find(aFrom);
        layout.erase(from, layout.find(aTo, from) - from);
        return layout;
    };
    const struct {
        const char* fName;
        std::string fLayout;
    } cases[] = {
        {"five panels", without("\tpanel6\n", "layers\n")},
        {"two switches", without("\tsw3\n", "framecontrols\n")},
        {"tape six of two layers", without("\t\tl3\n\t\t\tid=tape6_layer3", "backbutton\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        data.WriteLayout("layout.txt", c.fLayout);
        LogCapture log;
        Open();
        EXPECT_EQ(log.Count(MGSurveillanceTapePuzzle::kIncomplete), 1);
        ASSERT_TRUE(Arrow(u"select_left"));
        if (Layer(2) != nullptr && Panel() != nullptr && Panel()->GetSwitch(0, true) != nullptr) {
            Track();
        } else {
            fPuzzle->CheckTape();
        }
        EXPECT_FALSE(PuzzleGame::HasEvent(MGSurveillanceTapePuzzle::kSolvedEvent));
        EXPECT_FALSE(fPuzzle->IsBusy());
        Close();
    }
}
