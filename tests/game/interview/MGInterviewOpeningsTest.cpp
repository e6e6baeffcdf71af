// The openings and endings of an interview: which opening a start plays, the
// refusal after a failure, introductions, no-info replies, bargains and the
// change of scene behind a fade.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InterviewGame.h"
#include "MGScreenFader.h"
#include "gdi/VoDisplayGroup.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewSequence.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "support/LogCapture.h"
#include "time/VoGameClock.h"
#include "util/MGOptions.h"

namespace {

// A sequence node that speaks the line of that name.
std::string Say(const std::string& aLine, const std::string& aIndent) {
    return aIndent + "sounds=" + aLine + "\n" + aIndent + "soundtimes=0\n";
}

std::string Data(const std::string& aTopics = "\tt\n\t\tname=n\n\t\tlevel=1\n\t\tdependencies=true\n"
                                                "\t\tdoneevent=evt_t_done\n\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n",
                 const std::string& aIntros = "\thi\n\t\tdependencies=true\n\t\tdoneevent=evt_hi\n" +
                                              Say("hi", "\t\t")) {
    return "fonts\ntopics\n" + aTopics + "intros\n" + aIntros + "noinfos\n\tone\n" + Say("noinfo1", "\t\t") +
           "\ttwo\n" + Say("noinfo2", "\t\t") + "denied\n\tdoneevent=evt_refused\n" + Say("denied", "\t") +
           "exit\n" + Say("bye", "\t") + "failedexit\n" + Say("out", "\t") +
           "bargain\n\tsolvedevent=evt_solved\n\tsolved\n" + Say("solved", "\t\t") + "\tdenied\n\t\tfirst\n" +
           Say("nope1", "\t\t\t") + "\t\tsecond\n" + Say("nope2", "\t\t\t");
}

// Each draw of the random generator gives the next of the values set.
std::vector<int>& Draws() {
    static std::vector<int> sDraws;
    return sDraws;
}
int NextDraw() {
    if (Draws().empty()) {
        return 0;
    }
    const int value = Draws().front();
    Draws().erase(Draws().begin());
    return value;
}

class MGInterviewOpeningsTest : public ::testing::Test {
protected:
    MGInterviewOpeningsTest() {
        Draws().clear();
        MGInterview::SetRandomSource(&NextDraw);
    }
    ~MGInterviewOpeningsTest() override { MGInterview::SetRandomSource(nullptr); }

    std::unique_ptr<MGInterview> Make(const std::string& aData) {
        std::unique_ptr<MGInterview> interview(fGame.MakeInterview("op.txt", aData, "n=A topic\n"));
        interview->SetListener(&fProbe);
        return interview;
    }
    // The line the opening plays, after its first frame: "" for none.
    std::string Opening(MGInterview* apInterview) {
        fProbe.Take();
        apInterview->Start();
        fGame.At(fGame.Now() + 0.05);
        const std::vector<std::string> playing = InterviewGame::Playing();
        return playing.empty() ? "" : playing.front().substr(9, playing.front().size() - 13);
    }
    // Ends the lines that play, one after another, then a frame.
    void Finish() {
        for (int i = 0; i < 10 && !InterviewGame::Playing().empty(); ++i) {
            stubs::Live<stubs::SoundPlayer>().front()->End();
            fGame.At(fGame.Now() + 0.05);
        }
    }

    InterviewGame fGame;
    InterviewProbe fProbe;
};

}  // namespace

TEST_F(MGInterviewOpeningsTest, TheFirstMatchOfBargainRefusalIntroductionsAndNoInfoOpens) {
    struct Case {
        const char* bargaining;  // "bargaining_op_active"
        float failedAt;          // "denialtime_op"
        const char* noInfo;      // "noinfo_op"
        bool answered;           // the only topic's done event
        std::string opening;
    };
    const Case cases[] = {
        {"true", 40.0f, "true", true, "nope1"},
        {"false", 40.0f, "true", false, "denied"},
        {"false", 0.0f, "false", false, "hi"},
        {"false", 0.0f, "true", false, "noinfo1"},
        {"false", 0.0f, "false", true, "noinfo1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opening);
        VoEventManager::GetInstance()->ClearEvents();
        VoGameClock::GetInstance()->ResetTime();
        VoGameClock::GetInstance()->AdvanceTime(45.0f, false);
        MGOptions::GetInstance()->SetSkillLevel(2);
        Draws() = {999, 0};
        InterviewGame::SetState("bargaining_op_active", "boolean", c.bargaining);
        InterviewGame::SetState("denialtime_op", "number", std::to_string(c.failedAt));
        InterviewGame::SetState("noinfo_op", "boolean", c.noInfo);
        if (c.answered) {
            InterviewGame::AddEvent("evt_t_done");
        }
        std::unique_ptr<MGInterview> interview = Make(Data());
        EXPECT_EQ(Opening(interview.get()), c.opening);
        // Exactly one of the two after-flags, or topic selection.
        EXPECT_NE(interview->IsExitAfter(), interview->IsEnterTopicsAfter());
        Finish();
        interview->End();
    }
}

TEST_F(MGInterviewOpeningsTest, ARefusalDependsOnTheTimeSinceTheFailureTheSkillAndTheDraw) {
    struct Case {
        float failedAt;
        float now;
        int skill;
        int draw;
        bool denied;
    };
    const Case cases[] = {
        {0.0f, 5.0f, 2, 999, false},    // never failed
        {10.0f, 61.0f, 2, 999, false},  // more than 50 s ago
        {10.0f, 60.0f, 2, 999, true},   // 50 s: hard refuses from 90 up
        {10.0f, 15.0f, 2, 99, false},   // hard, within 10 s: 9.9 < 10
        {10.0f, 15.0f, 2, 100, true},   // 10.0 >= 10
        {10.0f, 15.0f, 2, 1100, true},  // the draw is taken mod 1000
        {10.0f, 55.0f, 1, 999, false},  // medium at 45 s: never
        {10.0f, 50.0f, 1, 849, false},  // medium at 40 s: 84.9 < 85
        {10.0f, 50.0f, 1, 850, true},
        {10.0f, 40.0f, 0, 799, false},  // easy at 30 s: 79.9 < 80
        {10.0f, 40.0f, 0, 999, true},
        {10.0f, 41.0f, 0, 999, false},  // easy after 30 s: never
        {10.0f, 20.0f, 0, 399, false},  // easy within 10 s: 39.9 < 40
        {10.0f, 20.0f, 0, 400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.now - c.failedAt) + " s, skill " + std::to_string(c.skill) + ", draw " +
                     std::to_string(c.draw));
        VoGameClock::GetInstance()->ResetTime();
        VoGameClock::GetInstance()->AdvanceTime(c.now, false);
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        InterviewGame::SetState("denialtime_op", "number", std::to_string(c.failedAt));
        Draws() = {c.draw};
        std::unique_ptr<MGInterview> interview = Make(Data());
        EXPECT_EQ(interview->IsDenied(), c.denied);
    }
}

TEST_F(MGInterviewOpeningsTest, ACompletedInterviewOnlyEverGivesANoInfoReplyAndEnds) {
    std::unique_ptr<MGInterview> interview = Make(Data());
    InterviewGame::SetState("noinfo_op", "boolean", "true");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Draws() = {round == 1 ? 32767 : 0};
        const std::string line = Opening(interview.get());
        EXPECT_EQ(line, round == 1 ? "noinfo2" : "noinfo1");
        EXPECT_TRUE(interview->IsExitAfter());
        Finish();
        EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0", "interview 1"}));
    }
}

TEST_F(MGInterviewOpeningsTest, IntroductionsThatHoldPlayAsOneSequenceAndNoneOpenTheTopics) {
    const std::string intros = "\tfirst\n\t\tdependencies=script[true]\n\t\tdoneevent=evt_first\n" +
                               Say("hello", "\t\t") +
                               "\tgated\n\t\tdependencies=script[event[evt_gate]]\n\t\tdoneevent=evt_gated\n" +
                               Say("again", "\t\t") +
                               "\tsecond\n\t\tdependencies=true\n\t\tdoneevent=evt_second\n" +
                               "\t\tsounds=welcome\n\t\tsoundtimes=0\n";
    std::unique_ptr<MGInterview> interview = Make(Data("", intros));
    // Topic-less data: the file has no topic, so it is not "all done".
    EXPECT_EQ(Opening(interview.get()), "hello");
    ASSERT_NE(interview->GetSequence(), nullptr);
    EXPECT_EQ(interview->GetSequence()->GetSoundCount(), 2);
    EXPECT_TRUE(interview->IsEnterTopicsAfter());
    EXPECT_TRUE(interview->IsBusy());
    Finish();
    EXPECT_EQ(fProbe.With("event evt_"), (Journal{"event evt_second"}));
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_TRUE(interview->IsListeningToMouse());
    EXPECT_TRUE(MGInterviewManager::GetInstance()->GetGroup()->GetActive());
    interview->End();

    LogCapture log;
    std::unique_ptr<MGInterview> silent = Make(Data("", "\tnever\n\t\tdependencies=false\n\tbroken\n"));
    EXPECT_EQ(Opening(silent.get()), "");
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kNoDependencies));
    EXPECT_EQ(silent->GetSequence(), nullptr);
    EXPECT_FALSE(silent->IsBusy());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MGInterviewManager::GetInstance()->GetGroup()->GetActive());
    silent->End();
}

TEST_F(MGInterviewOpeningsTest, ASolvedBargainOpensTheTopicsOrEndsWhenNoneIsOpen) {
    struct Case {
        bool answered;
        bool exitAfter;
    };
    const Case cases[] = {{false, false}, {true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answered);
        VoEventManager::GetInstance()->ClearEvents();
        InterviewGame::AddEvent("evt_solved");
        if (c.answered) {
            InterviewGame::AddEvent("evt_t_done");
        }
        InterviewGame::SetState("bargaining_op_active", "boolean", "true");
        std::unique_ptr<MGInterview> interview = Make(Data());
        EXPECT_EQ(Opening(interview.get()), "solved");
        EXPECT_EQ(fProbe.With("state bargaining_op_active"), (Journal{"state bargaining_op_active false"}));
        EXPECT_EQ(interview->IsExitAfter(), c.exitAfter);
        EXPECT_EQ(interview->IsEnterTopicsAfter(), !c.exitAfter);
        Finish();
        EXPECT_TRUE(InterviewGame::HasEvent("bargainingsolved_op_done"));
        EXPECT_EQ(fProbe.With("interview 1").size(), c.exitAfter ? 1u : 0u);
        interview->End();
    }
}

TEST_F(MGInterviewOpeningsTest, MissingNodesEndInTheSameStatesWithNothingHeard) {
    LogCapture log;
    std::unique_ptr<MGInterview> interview = Make("fonts\ntopics\n\tt\n\t\tdoneevent=evt_t_done\n");
    InterviewGame::SetState("bargaining_op_active", "boolean", "true");
    EXPECT_EQ(Opening(interview.get()), "");
    for (const char* message : {MGInterview::kNoBargain, MGInterview::kNoBargainDenied, MGInterview::kNoDenied}) {
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", message)) << message;
    }
    fGame.At(fGame.Now() + 0.05);
    EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0", "interview 1"}));
    log.Clear();
    fProbe.Take();
    InterviewGame::SetState("bargaining_op_active", "boolean", "false");
    InterviewGame::SetState("noinfo_op", "boolean", "true");
    interview->Start();
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kNoNoInfos));
    fGame.At(fGame.Now() + 0.05);
    EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0", "interview 1"}));
    for (void (MGInterview::*play)() : {&MGInterview::PlayExit, &MGInterview::PlayFailedExit}) {
        log.Clear();
        interview->Start();
        (interview.get()->*play)();
        fGame.At(fGame.Now() + 0.05);
        EXPECT_FALSE(interview->IsBusy());
    }
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kNoFailedExit));
}

TEST_F(MGInterviewOpeningsTest, AnExitToAnotherSceneEndsBehindAFadeAndLoadsTheSceneBeforeTheBar) {
    fGame.WriteScene("case9/office", "vp_desk");
    fGame.WritePlacards("");
    std::unique_ptr<MGInterview> interview = Make(
        "fonts\nexit\n\tdoneevent=evt_gone\n\ttargetscene=case9/office|vp_desk\n" + Say("bye", "\t"));
    interview->Start();
    interview->PlayExit();
    fGame.At(fGame.Now() + 0.05);
    ASSERT_TRUE(InterviewGame::EndSound("bye"));
    EXPECT_TRUE(InterviewGame::HasEvent("evt_gone"));
    EXPECT_EQ(MGScreenFader::GetInstance()->GetListener(), static_cast<MGIScreenFaderListener*>(interview.get()));
    EXPECT_TRUE(fProbe.With("interview 1").empty());
    // Once the screen is black the interview ends and the scene is there.
    fGame.RunFrames(1.0);
    EXPECT_EQ(fProbe.With("interview 1").size(), 1u);
    MGScene* scene = MGSceneManager::GetInstance()->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(Narrow(scene->GetSceneId()), "case9/office");
    EXPECT_EQ(interview->GetSequence(), nullptr);
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_NE(MGScreenFader::GetInstance()->GetListener(), static_cast<MGIScreenFaderListener*>(interview.get()));
}
