#include "puzzles/pobox/MGPOBoxPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "puzzles/pobox/MGPOBoxDial.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"

namespace {

constexpr const char* kLayoutFile = "POBox_layout.txt";
// The right digits, the pair in its first order.
constexpr int kRight[] = {MGPOBoxPuzzle::kFirstDigit, MGPOBoxPuzzle::kPair[0], MGPOBoxPuzzle::kPair[1],
                          MGPOBoxPuzzle::kLastDigit};

class MGPOBoxPuzzleTest : public ::testing::Test {
protected:
    MGPOBoxPuzzleTest() { Open(); }

    void Open() { fGame.Open(MGPOBoxPuzzle::kActivationState); }
    void Close() {
        PuzzleGame::SetState(MGPOBoxPuzzle::kActivationState, false);
        fGame.Settle();
    }
    MGPOBoxDial* Dial(int aIndex) const { return fPuzzle->GetDial(aIndex); }
    bool Turn(int aIndex) const { return PuzzleGame::ClickMember(Dial(aIndex)->GetGroup(), u"turn"); }
    bool Opened() const { return PuzzleGame::HasEvent(MGPOBoxPuzzle::kSolvedEvent); }

    PuzzleGame fGame;
    MGPOBoxPuzzle* fPuzzle = MGPOBoxPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGPOBoxPuzzleTest, AClickTurnsADialOneDigitAndNineTurnsToZero) {
    MGPOBoxDial* dial = Dial(0);
    ASSERT_NE(dial, nullptr);
    dial->SetDigit(8);
    EXPECT_FLOAT_EQ(dial->GetFace()->GetRotation(), 8 * -36.0f);
    ASSERT_TRUE(Turn(0));
    EXPECT_EQ(dial->GetDigit(), 9);
    EXPECT_FLOAT_EQ(dial->GetFace()->GetRotation(), -324.0f);
    ASSERT_TRUE(Turn(0));
    EXPECT_EQ(dial->GetDigit(), 0);
    EXPECT_EQ(dial->GetFace()->GetRotation(), 0.0f);
    dial->SetDigit(12);
    EXPECT_EQ(dial->GetDigit(), 0);
}

// One game per dial turned last: the box's movie leaves its screen behind.
class MGPOBoxLastDialTest : public MGPOBoxPuzzleTest, public ::testing::WithParamInterface<int> {};

TEST_P(MGPOBoxLastDialTest, WhicheverDialIsTurnedLastTheLockOpensAtOnce) {
    const int last = GetParam();
    Dial(last)->SetDigit((kRight[last] + 9) % 10);
    for (int other = 0; other < 4; ++other) {
        if (other != last) {
            Dial(other)->SetDigit(kRight[other]);
        }
    }
    EXPECT_FALSE(Opened());
    ASSERT_TRUE(Turn(last));
    EXPECT_TRUE(Opened());
    EXPECT_FALSE(fPuzzle->GetRootGroup()->GetEnabled());
    fGame.Frame();
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
    EXPECT_EQ(fPuzzle->GetDial(0), nullptr);
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "UPS_BoxVantrell.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case04/upsstore");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_mailboxesleft");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_cu_4mb02_visible");
}

INSTANTIATE_TEST_SUITE_P(Dials, MGPOBoxLastDialTest, ::testing::Values(0, 1, 2, 3));

TEST_F(MGPOBoxPuzzleTest, ThePairOpensInEitherOrderAndOnlyAsAPair) {
    const struct {
        int fDigits[4];
        bool fOpens;
    } cases[] = {{{4, 7, 1, 9}, true},  {{4, 1, 7, 9}, true},  {{4, 7, 7, 9}, false},
                 {{4, 1, 1, 9}, false}, {{9, 7, 1, 4}, false}, {{4, 7, 1, 8}, false}};
    for (const auto& entry : cases) {
        EXPECT_EQ(MGPOBoxPuzzle::Opens(entry.fDigits), entry.fOpens)
            << entry.fDigits[0] << entry.fDigits[1] << entry.fDigits[2] << entry.fDigits[3];
    }
    Dial(0)->SetDigit(4);
    Dial(3)->SetDigit(9);
    Dial(1)->SetDigit(1);
    Dial(2)->SetDigit(1);
    EXPECT_FALSE(Opened());
    Dial(2)->SetDigit(7);
    EXPECT_TRUE(Opened());
}

TEST_F(MGPOBoxPuzzleTest, NoDialEverStartsOnARightDigit) {
    for (int opening = 0; opening < 40; ++opening) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_NE(Dial(i), nullptr);
            EXPECT_FALSE(MGPOBoxPuzzle::IsRightDigit(i, Dial(i)->GetDigit())) << opening << " " << i;
            EXPECT_FLOAT_EQ(Dial(i)->GetFace()->GetRotation(), Dial(i)->GetDigit() * -36.0f);
        }
        Close();
        Open();
    }
    EXPECT_FALSE(Opened());
}

TEST_F(MGPOBoxPuzzleTest, FewerThanFourDialsNeverOpenAndAFifthIsNotBuilt) {
    PuzzleData data("pobox");
    const std::string layout = data.SampleLayout(kLayoutFile);
    const std::string dials =
        layout.substr(layout.find("\tdial1\n"), layout.find("backbutton") - layout.find("\tdial1\n"));
    std::string three = layout;
    three.erase(three.find("\tdial4\n"), three.find("backbutton") - three.find("\tdial4\n"));
    std::string five = layout;
    std::string extra = dials.substr(dials.find("\tdial4\n"));
    for (size_t at = extra.find("dial4"); at != std::string::npos; at = extra.find("dial4")) {
        extra.replace(at, 5, "dial5");
    }
    five.insert(five.find("backbutton"), extra);

    Close();
    data.WriteLayout(kLayoutFile, three);
    LogCapture log;
    Open();
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGPOBoxPuzzle::kTooFewDials));
    EXPECT_EQ(Dial(3), nullptr);
    for (int turn = 0; turn < 10; ++turn) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(Turn(i));
            EXPECT_FALSE(Opened());
        }
    }

    Close();
    data.WriteLayout(kLayoutFile, five);
    Open();
    ASSERT_NE(Dial(3), nullptr);
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetMember(VoString(u"dial5")), nullptr);
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"poboxpuzzle");
}
