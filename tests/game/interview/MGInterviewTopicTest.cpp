#include "interview/MGInterviewTopic.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InterviewGame.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewMeter.h"
#include "interview/MGInterviewSequence.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "script/VoScript.h"
#include "support/LogCapture.h"
#include "time/VoGameClock.h"

namespace {

// One topic with a mode of every kind; every mode speaks line "a".
constexpr const char* kData =
    "fonts\n"
    "\tmain=TW_CEN_MT16\n"
    "topics\n"
    "\tnight\n"
    "\t\tname=night\n"
    "\t\tlevel=1\n"
    "\t\tdoneevent=evt_night_done\n"
    "\t\tviewedevent=evt_night_viewed\n"
    "\t\tdelayedevent=evt_later|5\n"
    "\t\tmodes\n"
    "\t\t\tstra\n"
    "\t\t\t\ttype=Good\n"
    "\t\t\t\tstatechanges=sta_flag|boolean|true|sta_count|number|3\n"
    "\t\t\t\tdoneevents=evt_a|evt_b\n"
    "\t\t\t\tsounds=a\n"
    "\t\t\t\tsoundtimes=0\n"
    "\t\t\tconf\n"
    "\t\t\t\ttype=bad\n"
    "\t\t\t\tadditem=letter\n"
    "\t\t\t\tsounds=a\n"
    "\t\t\t\tsoundtimes=0\n"
    "\t\t\tempa\n"
    "\t\t\t\tstatechanges=sta_flag|boolean|true|sta_count\n"
    "\t\t\t\tsounds=a\n"
    "\t\t\t\tsoundtimes=0\n"
    "\tbribe\n"
    "\t\tname=bribe\n"
    "\t\tlevel=1\n"
    "\t\tbargain=1\n"
    "\t\tdoneevent=evt_bribe_done\n"
    "\t\tdelayedevent=evt_bribe_later|2\n"
    "\t\tmodes\n"
    "\t\t\tflat\n"
    "\t\t\t\ttype=good\n"
    "\t\t\t\tsounds=a\n"
    "\t\t\t\tsoundtimes=0\n"
    "\tother\n"
    "\t\tname=other\n"
    "\t\tlevel=1\n"
    "\t\tmodes\n"
    "\t\t\tdecp\n"
    "\t\t\t\ttype=good\n";

constexpr const char* kSubtitles = "night=Last night\nbribe=A favour\nother=Something else\n";

class MGInterviewTopicTest : public ::testing::Test {
protected:
    MGInterviewTopicTest() : fInterview(fGame.MakeInterview("t2.txt", kData, kSubtitles)) {
        fInterview->Start();
        fProbe.Take();
    }
    ~MGInterviewTopicTest() override { delete fInterview; }

    // The player clicks the topic, then the mode, and the answer's line ends.
    void Answer(const char* apTopic, const char* apMode) {
        fInterview->OnButtonEvent(VoString(apTopic), VoIButtonListener::kClick);
        fInterview->OnButtonEvent(VoString(u"mode_") + apMode, VoIButtonListener::kClick);
        fGame.At(fGame.Now() + 0.05);
        InterviewGame::EndSound("a");
    }
    static MGInterviewMeter* Meter() { return MGInterviewManager::GetInstance()->GetMeter(); }

    InterviewGame fGame;
    InterviewProbe fProbe;
    MGInterview* fInterview;
};

}  // namespace

TEST_F(MGInterviewTopicTest, AGoodAnswerAppliesItsFactsInOrderAndMovesTheGoodSide) {
    Answer("night", "stra");
    EXPECT_EQ(fProbe.Facts(),
              (Journal{"event t2_night_stra", "event evt_a", "event evt_b", "state sta_flag true",
                       "state sta_count 3", "event evt_night_viewed", "event evt_night_done"}));
    // Three topics: a third of the meter.
    EXPECT_NEAR(Meter()->GetGoodTarget(), 100.0f / 3.0f, 0.01f);
    EXPECT_EQ(Meter()->GetBadTarget(), 0.0f);
    EXPECT_FALSE(fInterview->IsBusy());
    EXPECT_EQ(Narrow(fInterview->GetCurrentTopic()), "");
    // The delayed event five game seconds later.
    VoGameClock::GetInstance()->AdvanceTime(4.9f, true);
    EXPECT_FALSE(InterviewGame::HasEvent("evt_later"));
    VoGameClock::GetInstance()->AdvanceTime(0.2f, true);
    EXPECT_TRUE(InterviewGame::HasEvent("evt_later"));
}

TEST_F(MGInterviewTopicTest, ABadAnswerMovesTheBadSideOnlyAndGivesItsItem) {
    Answer("night", "conf");
    EXPECT_EQ(fProbe.Facts(), (Journal{"event t2_night_conf", "event evt_night_viewed"}));
    EXPECT_EQ(Meter()->GetGoodTarget(), 0.0f);
    // Medium: 100 / (2 x 3 x 0.75).
    EXPECT_NEAR(Meter()->GetBadTarget(), 100.0f / 4.5f, 0.01f);
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"letter")));
    VoGameClock::GetInstance()->AdvanceTime(10.0f, true);
    EXPECT_FALSE(InterviewGame::HasEvent("evt_later"));
}

TEST_F(MGInterviewTopicTest, AnIncompleteStateChangeIsLeftOutAndSaidOnce) {
    LogCapture log;
    Answer("night", "empa");
    EXPECT_TRUE(log.Logged("WARNING: ", std::string(MGInterviewTopic::kIncompleteStateChange) + "sta_count"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewTopic::kNoType));
    EXPECT_EQ(fProbe.Facts(), (Journal{"event t2_night_empa", "state sta_flag true", "event evt_night_viewed"}));
    EXPECT_EQ(InterviewGame::State("sta_count"), nullptr);
    // No "type": taken as bad.
    EXPECT_GT(Meter()->GetBadTarget(), 0.0f);
}

TEST_F(MGInterviewTopicTest, ABargainLeavesTheInterviewForTheInventoryWithoutAMeterStep) {
    Answer("bribe", "flat");
    EXPECT_EQ(Meter()->GetGoodTarget(), 0.0f);
    EXPECT_TRUE(InterviewGame::HasEvent("evt_bribe_done"));
    const VoIState* bargain = InterviewGame::State("bargaining_t2_active");
    ASSERT_NE(bargain, nullptr);
    EXPECT_TRUE(bargain->GetBoolean());
    // Set without telling anyone; the interview ended.
    EXPECT_TRUE(fProbe.With("state bargaining").empty());
    EXPECT_FALSE(fInterview->IsListeningToMouse());
    MGPDA* pda = MGPDA::GetInstance();
    EXPECT_TRUE(pda->IsOpen());
    ASSERT_NE(pda->GetCurrentPanel(), nullptr);
    EXPECT_EQ(pda->GetCurrentPanel(), pda->GetPanel(VoString(u"inventory")));
    VoGameClock::GetInstance()->AdvanceTime(2.5f, true);
    EXPECT_TRUE(InterviewGame::HasEvent("evt_bribe_later"));
}

TEST_F(MGInterviewTopicTest, AModeWithoutDataPlaysAnEmptyAnswerThatEnds) {
    struct Case {
        int index;
        const char* doneEvent;
    };
    const Case cases[] = {{5, "t2_other_"}, {-1, "t2_other_"}, {0, "t2_other_conf"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        MGInterviewTopic* topic = fInterview->GetTopic(VoString(u"other"));
        ASSERT_NE(topic, nullptr);
        LogCapture log;
        topic->SelectMode(c.index, fInterview, 0);
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewTopic::kNoModeData));
        fGame.At(fGame.Now() + 0.05);
        EXPECT_EQ(topic->GetSequence(), nullptr);
        EXPECT_TRUE(InterviewGame::HasEvent(c.doneEvent));
        VoEventManager::GetInstance()->ClearEvents();
    }
}

TEST_F(MGInterviewTopicTest, ATopicNodeReadsItsDefaults) {
    struct Case {
        const char* node;
        const char* doneEvent;
        const char* delayedEvent;
        float delay;
        bool bargain;
        bool modes;
        bool listed;
    };
    const Case cases[] = {
        {"modes\n\tstra\n", "", "", 0.0f, false, true, true},
        {"doneevent=d\nviewedevent=v\ndelayedevent=late|2.5\nbargain=TRUE\ndependencies=script[event[x]]\n",
         "d", "late", 2.5f, true, false, false},
        {"delayedevent=late\n", "", "late", 0.0f, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        std::unique_ptr<VoPropertyList> node(InterviewGame::Parse(c.node));
        MGInterviewTopic topic;
        LogCapture log;
        EXPECT_TRUE(topic.Create(VoString(u"x_t"), node.get()));
        EXPECT_EQ(Narrow(topic.GetName()), "x_t");
        EXPECT_EQ(Narrow(topic.GetDoneEvent()), c.doneEvent);
        EXPECT_EQ(Narrow(topic.GetDelayedEvent()), c.delayedEvent);
        EXPECT_EQ(topic.GetDelay(), c.delay);
        EXPECT_EQ(topic.IsBargain(), c.bargain);
        EXPECT_EQ(topic.GetModes() != nullptr, c.modes);
        EXPECT_EQ(log.Logged("ASSERT FAILURE: ", MGInterviewTopic::kNoModes), !c.modes);
        ASSERT_NE(topic.GetDependencies(), nullptr);
        EXPECT_EQ(topic.GetDependencies()->Evaluate(), c.listed);
    }
}

TEST(MGInterviewTopicModes, ModeKeysRunConfDecpFlatStraEmpa) {
    const char* keys[] = {"conf", "decp", "flat", "stra", "empa"};
    for (int i = 0; i < MGInterviewTopic::kModeCount; ++i) {
        EXPECT_EQ(Narrow(VoString(MGInterviewTopic::ModeKey(i))), keys[i]);
        EXPECT_EQ(MGInterviewTopic::ModeIndex(VoString(keys[i]).ToUpper()), i);
    }
    EXPECT_EQ(MGInterviewTopic::ModeKey(5), nullptr);
    EXPECT_EQ(MGInterviewTopic::ModeIndex(VoString(u"mode")), -1);
}
