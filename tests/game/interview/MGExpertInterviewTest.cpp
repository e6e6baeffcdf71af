#include "interview/MGExpertInterview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "ExpertGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoScrollBar.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewScrollBar.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "support/LogCapture.h"
#include "util/MGOptions.h"

namespace {

// An expert without a computer: its notepad opens over the scene.
constexpr const char* kNotepadFile = "1XX01.txt";

bool MarkShown(VoButton* apButton, const char* apMark) {
    VoDisplayGroup* look = dynamic_cast<VoDisplayGroup*>(apButton->GetStateObject(XBTNSTATE_NORMAL));
    VoIDisplayObject* mark = look != nullptr ? look->GetMember(VoString(apMark)) : nullptr;
    return mark != nullptr && mark->GetVisible();
}

int Asked(const std::string& aLine) {
    const std::string path = "//sounds/" + aLine + ".ogg";
    return static_cast<int>(std::count_if(stubs::SoundsAsked().begin(), stubs::SoundsAsked().end(),
                                          [&](const std::string& asked) {
                                              return asked.size() >= path.size() &&
                                                     asked.compare(asked.size() - path.size(), path.size(), path) == 0;
                                          }));
}

class MGExpertInterviewTest : public ::testing::Test {
protected:
    MGExpertInterviewTest() { MGOptions::GetInstance()->SetSkillLevel(1); }

    std::unique_ptr<MGExpertInterview> Make(const std::string& aData, const char* apFile = kNotepadFile) {
        std::unique_ptr<MGExpertInterview> expert = fGame.MakeExpert(apFile, aData);
        expert->SetListener(&fProbe);
        return expert;
    }
    static void Events(const std::vector<std::string>& aIds) {
        for (const std::string& id : aIds) {
            InterviewGame::AddEvent(id);
        }
    }
    static bool NotepadShown(MGExpertInterview* apExpert) {
        VoDisplayGroup* notepad = apExpert->GetNotepad();
        return notepad != nullptr && notepad->GetActive() && notepad->GetGroup() != nullptr;
    }

    ExpertGame fGame;
    InterviewProbe fProbe;
};

}  // namespace

TEST_F(MGExpertInterviewTest, TheKindIsTheFileNamesSecondAndThirdCharactersInAnyCase) {
    struct Case {
        const char* file;
        int kind;
    };
    const Case cases[] = {{"1CL01.txt", 0}, {"1cl01.txt", 0}, {"2Re05.txt", 1}, {"3SU02.txt", 2},
                          {"1ME01.txt", 3}, {"1Ca01.txt", 3}, {"CL01.txt", 3},  {"1C.txt", 3},
                          {"", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(MGExpertInterview::KindOf(VoString(c.file)), c.kind);
    }
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}), "4su09.txt");
    EXPECT_EQ(expert->GetKind(), MGExpertInterview::kSurveillance);
    EXPECT_EQ(Narrow(expert->GetType()), "expert");
    EXPECT_EQ(Narrow(expert->GetId()), "4su09");
    // Its states are made quietly, as a witness's are.
    EXPECT_NE(InterviewGame::State("denialtime_4su09"), nullptr);
    EXPECT_NE(InterviewGame::State("noinfo_4su09"), nullptr);
    EXPECT_TRUE(fProbe.With("state").empty());
}

TEST_F(MGExpertInterviewTest, CreateBuildsTheNotepadAndItsListInactiveWithADeafExitButton) {
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key"), Topic("photo")}));
    VoDisplayGroup* notepad = expert->GetNotepad();
    ASSERT_NE(notepad, nullptr);
    EXPECT_EQ(Narrow(notepad->GetId()), "expInterview_layout");
    EXPECT_EQ(notepad->GetPosition(), VoVector2(400.0f, 150.0f));
    EXPECT_FALSE(notepad->GetActive());
    EXPECT_EQ(notepad->GetGroup(), nullptr);
    for (const char* id : {"panel", "btn_drag", "btn_exit", "interviewscrollbar", "interviewTopicArea"}) {
        EXPECT_NE(notepad->GetMember(VoString(id)), nullptr) << id;
    }
    EXPECT_EQ(dynamic_cast<VoButton*>(notepad->GetMember(VoString(u"btn_exit")))->GetListener(), nullptr);
    MGExpertTopicArea* area = expert->GetExpertTopicArea();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetTopicCount(), 2);
    EXPECT_FALSE(area->IsListening());
    // Each look of a button holds its text at (15, 4) and both marks, 25
    // from its right edge.
    VoDisplayGroup* look = dynamic_cast<VoDisplayGroup*>(area->GetButton(0)->GetStateObject(XBTNSTATE_DISABLED));
    ASSERT_NE(look, nullptr);
    VoIDisplayObject* text = look->GetMember(VoString(u"key_x"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetPosition(), VoVector2(15.0f, 4.0f));
    VoIDisplayObject* hourglass = look->GetMember(VoString(u"hourglass"));
    ASSERT_NE(hourglass, nullptr);
    EXPECT_EQ(hourglass->GetPosition(), VoVector2(148.0f - 25.0f, 2.0f));
    EXPECT_NE(look->GetMember(VoString(u"checkmark")), nullptr);
    ASSERT_NE(expert->GetInfo(VoString(u"key")), nullptr);
    EXPECT_EQ(Narrow(expert->GetInfo(VoString(u"key"))->GetString(VoString(u"name"), nullptr)), "card_key");
}

TEST_F(MGExpertInterviewTest, ASkillFlagOfZeroHidesATopicWhateverItsScriptsAndAShortListHidesNothing) {
    struct Case {
        const char* levels;
        int skill;
        bool listed;
    };
    const Case cases[] = {{"1|0|1", 1, false}, {"1|0|1", 0, true}, {"0|1|1", 0, false},
                          {"1|1|0", 2, false}, {"1", 2, true},     {"1|1", 2, true}};
    Events({"key_cl_s", "key_cl_r"});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.levels) + " at skill " + std::to_string(c.skill));
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        std::unique_ptr<MGExpertInterview> expert = Make(ExpertData(
            {Topic("key", std::string("\t\tskilllevels=") + c.levels + "\n\t\tdependencies=script[true]\n")}));
        expert->GetExpertTopicArea()->Refresh();
        EXPECT_EQ(expert->GetExpertTopicArea()->GetButton(0)->GetVisible(), c.listed);
    }
}

TEST_F(MGExpertInterviewTest, ATopicIsListedBySubmissionWaitsForItsResultAndIsMarkedOnceViewed) {
    struct Case {
        std::string topic;
        std::vector<std::string> events;
        bool listed;
        bool enabled;
        bool hourglass;
        bool checkmark;
        int waiting, ready, viewed;
    };
    const Case cases[] = {
        // Neither submitted nor dependent: never listed.
        {Topic("key", "", true), {"key_cl_s", "key_cl_r"}, false, false, false, false, 0, 0, 0},
        {Topic("key"), {}, false, false, false, false, 0, 0, 0},
        {Topic("key"), {"key_cl_s"}, true, false, true, false, 1, 0, 0},
        {Topic("key"), {"key_cl_s", "key_cl_r"}, true, true, false, false, 0, 1, 0},
        // Without a ready script it is selectable from the moment it is listed.
        {Topic("key", "\t\tsubmittedevent=script[e[key_cl_s]]\n", true), {"key_cl_s"}, true, true, false, false,
         0, 1, 0},
        {Topic("key", "\t\tdependencies=script[true]\n"), {"key_cl_r"}, true, true, false, false, 0, 1, 0},
        {Topic("key"), {"key_cl_s", "key_cl_r", "evt_key_viewed"}, true, true, false, true, 0, 0, 1},
        // Viewed while its ready script is false: the checkmark, no hourglass.
        {Topic("key"), {"key_cl_s", "evt_key_viewed"}, true, false, false, true, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.topic);
        VoEventManager::GetInstance()->ClearEvents();
        Events(c.events);
        std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({c.topic}));
        MGExpertTopicArea* area = expert->GetExpertTopicArea();
        area->Refresh();
        VoButton* button = area->GetButton(0);
        EXPECT_EQ(button->GetVisible(), c.listed);
        EXPECT_EQ(button->IsEnabled(), c.enabled);
        EXPECT_EQ(MarkShown(button, "hourglass"), c.hourglass);
        EXPECT_EQ(MarkShown(button, "checkmark"), c.checkmark);
        EXPECT_EQ(area->GetWaitingCount(), c.waiting);
        EXPECT_EQ(area->GetReadyCount(), c.ready);
        EXPECT_EQ(area->GetViewedCount(), c.viewed);
    }
}

TEST_F(MGExpertInterviewTest, ListedTopicsStandThirtyApartAndTheBarIsOpaqueFromALongList) {
    Events({"a_cl_s", "b_cl_s", "c_cl_s", "d_cl_s", "e_cl_s", "f_cl_s"});
    std::unique_ptr<MGExpertInterview> expert =
        Make(ExpertData({Topic("a"), Topic("hidden"), Topic("b", "\t\tlevel=2\n"), Topic("c"), Topic("d")}));
    MGExpertTopicArea* area = expert->GetExpertTopicArea();
    area->Refresh();
    EXPECT_EQ(area->GetButton(0)->GetPosition(), VoVector2(0.0f, 0.0f));
    EXPECT_EQ(area->GetButton(2)->GetPosition().y, 30.0f);
    EXPECT_EQ(area->GetButton(3)->GetPosition().y, 60.0f);
    // Four listed: 4 x 30 + 30 = 150, below 185: a faint bar.
    EXPECT_EQ(area->GetContentHeight(), 150);
    EXPECT_FLOAT_EQ(expert->GetScrollBar()->GetGroup()->GetBlend(), 0.3f);

    std::unique_ptr<MGExpertInterview> longer =
        Make(ExpertData({Topic("a"), Topic("b"), Topic("c"), Topic("d"), Topic("e"), Topic("f")}));
    longer->GetExpertTopicArea()->Refresh();
    EXPECT_EQ(longer->GetExpertTopicArea()->GetContentHeight(), 210);
    EXPECT_FLOAT_EQ(longer->GetScrollBar()->GetGroup()->GetBlend(), 1.0f);
}

TEST_F(MGExpertInterviewTest, TheOpeningFollowsWhatIsReadyWaitingOrViewed) {
    struct Case {
        std::vector<std::string> events;
        const char* line;
        bool topics;  // the notepad opens after the line, else the visit ends
    };
    const Case cases[] = {
        {{"key_cl_s", "key_cl_r"}, "hello", true},
        {{"key_cl_s"}, "wait", false},
        {{}, "nothing", false},
        {{"key_cl_s", "key_cl_r", "evt_key_viewed"}, "nothing", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        VoEventManager::GetInstance()->ClearEvents();
        Events(c.events);
        std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}));
        fProbe.Take();
        EXPECT_TRUE(expert->Start());
        EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0"}));
        EXPECT_EQ(fGame.EndLine(), c.line);
        EXPECT_FALSE(expert->IsBusy());
        EXPECT_EQ(NotepadShown(expert.get()), c.topics);
        // A visit that ends tells the listener, so the scene hears the mouse again.
        EXPECT_EQ(fProbe.With("interview"), c.topics ? (Journal{"interview 0"})
                                                      : (Journal{"interview 0", "interview 1"}));
        EXPECT_EQ(expert->IsRunning(), c.topics);
        expert->End();
    }
}

TEST_F(MGExpertInterviewTest, EmptyOrMissingOpeningsGoOnWithoutALine) {
    struct Case {
        const char* name;
        std::string openings;
        std::vector<std::string> events;
        bool topics;
        const char* said;  // an assertion logged, "" for none
    };
    const std::string exit = "exit\n" + Say("bye", "\t");
    const Case cases[] = {
        {"no intros", "noinfos\n\tone\n" + Say("nothing", "\t\t") + exit, {"key_cl_s", "key_cl_r"}, true,
         MGExpertInterview::kNoIntros},
        {"empty intros", "intros\npending\n" + exit, {"key_cl_s", "key_cl_r"}, true, ""},
        {"empty pending", "intros\npending\n" + exit, {"key_cl_s"}, false, ""},
        {"no pending", exit, {"key_cl_s"}, false, MGExpertInterview::kNoPending},
        {"empty noinfos", "noinfos\n" + exit, {}, false, ""},
        {"no noinfos, a topic viewed", exit, {"key_cl_s", "evt_key_viewed"}, true, MGInterview::kNoNoInfos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VoEventManager::GetInstance()->ClearEvents();
        Events(c.events);
        std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}, c.openings));
        fProbe.Take();
        LogCapture log;
        expert->Start();
        fGame.At(fGame.Now() + 0.05);
        EXPECT_EQ(ExpertGame::Speaking(), "");
        EXPECT_FALSE(expert->IsBusy());
        EXPECT_EQ(NotepadShown(expert.get()), c.topics);
        EXPECT_EQ(fProbe.With("interview").size(), c.topics ? 1u : 2u);
        if (c.said[0] != '\0') {
            EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", c.said));
        }
        expert->End();
    }
}

TEST_F(MGExpertInterviewTest, APendingReplyInTheSceneEndsTheInterviewAndGivesTheSceneItsMouseBack) {
    fGame.WriteScene("test/lab", "vp_lab");
    fGame.Write("interviews.txt", "1XX01\n\tdata=1XX01.txt\n\tsubtitles=1XX01_subtitles.txt\n");
    fGame.Write("1XX01.txt", ExpertData({Topic("key")}));
    fGame.Write("1XX01_subtitles.txt", kExpertSubtitles);
    Events({"key_cl_s"});
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    ASSERT_TRUE(scenes->LoadScene(VoString(u"test/lab"), true, true));
    fGame.RunFrames(1.0);
    MGScene* scene = scenes->GetScene();
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(scene->IsInputEnabled());
    MGInterview* expert = MGInterviewManager::GetInstance()->GetInterview(VoString(u"1XX01"));
    ASSERT_NE(expert, nullptr);
    ASSERT_TRUE(scene->StartInterview());
    EXPECT_FALSE(scene->IsInputEnabled());
    EXPECT_EQ(fGame.EndLine(), "wait");
    EXPECT_TRUE(scene->IsInputEnabled());
    EXPECT_FALSE(scene->IsInInterview());
    EXPECT_FALSE(expert->IsRunning());
}

TEST_F(MGExpertInterviewTest, ClicksWhileALinePlaysDoNothing) {
    Events({"key_cl_s", "key_cl_r"});
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}));
    expert->Start();
    fGame.At(fGame.Now() + 0.05);
    ASSERT_EQ(ExpertGame::Speaking(), "hello");
    expert->OnButtonEvent(VoString(u"key"), VoIButtonListener::kClick);
    expert->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    EXPECT_EQ(Asked("key_answer") + Asked("bye"), 0);
    EXPECT_EQ(fGame.EndLine(), "hello");
    ASSERT_TRUE(NotepadShown(expert.get()));

    expert->OnButtonEvent(VoString(u"key"), VoIButtonListener::kClick);
    fGame.At(fGame.Now() + 0.05);
    EXPECT_TRUE(expert->IsBusy());
    EXPECT_EQ(Narrow(expert->GetCurrentTopic()), "key");
    EXPECT_TRUE(expert->GetExpertTopicArea()->GetButton(0)->IsHilighted());
    expert->OnButtonEvent(VoString(u"key"), VoIButtonListener::kClick);
    expert->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    EXPECT_EQ(Asked("key_answer"), 1);
    EXPECT_EQ(Asked("bye"), 0);
    EXPECT_EQ(fGame.EndLine(), "key_answer");
    // The answer heard: the topic is viewed, the notepad free again.
    EXPECT_TRUE(InterviewGame::HasEvent("evt_key_viewed"));
    EXPECT_FALSE(expert->IsBusy());
    EXPECT_EQ(Narrow(expert->GetCurrentTopic()), "");
    EXPECT_TRUE(MarkShown(expert->GetExpertTopicArea()->GetButton(0), "checkmark"));
    expert->End();
}

TEST_F(MGExpertInterviewTest, TheExitSequenceNeverStartsTwice) {
    Events({"key_cl_s", "key_cl_r"});
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}));
    expert->Start();
    EXPECT_EQ(fGame.EndLine(), "hello");
    fProbe.Take();
    // Without a computer the exit plays at once and the notepad closes.
    expert->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    EXPECT_TRUE(expert->IsExitPlayed());
    EXPECT_FALSE(expert->GetNotepad()->GetActive());
    EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 1"}));
    expert->PlayExit();
    expert->PlayExit();
    fGame.At(fGame.Now() + 0.05);
    EXPECT_EQ(Asked("bye"), 1);
    EXPECT_EQ(fGame.EndLine(), "bye");
    EXPECT_FALSE(expert->IsExitPlayed());
    // Once it has ended, a new exit may play.
    expert->PlayExit();
    fGame.At(fGame.Now() + 0.05);
    EXPECT_EQ(Asked("bye"), 2);
    fGame.EndLine();
}

TEST_F(MGExpertInterviewTest, TheWheelScrollsTheListWhileALinePlays) {
    Events({"a_cl_s", "a_cl_r", "b_cl_s", "c_cl_s", "d_cl_s", "e_cl_s", "f_cl_s", "g_cl_s", "h_cl_s"});
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData(
        {Topic("a"), Topic("b"), Topic("c"), Topic("d"), Topic("e"), Topic("f"), Topic("g"), Topic("h")}));
    expert->Start();
    EXPECT_EQ(fGame.EndLine(), "hello");
    expert->OnButtonEvent(VoString(u"a"), VoIButtonListener::kClick);
    ASSERT_TRUE(expert->IsBusy());
    VoScrollBar* bar = expert->GetScrollBar()->GetScrollBar();
    expert->OnWheel(-1.0f);
    // About one step of 12 (the list's refresh rounds it through the bar).
    EXPECT_GT(bar->GetScrollPosition(), 6);
    expert->OnWheel(1.0f);
    EXPECT_EQ(bar->GetScrollPosition(), 0);
    fGame.EndLine();
    expert->End();
}

TEST_F(MGExpertInterviewTest, DeletingAShownExpertTakesItsNotepadOutOfTheDisplay) {
    Events({"key_cl_s", "key_cl_r"});
    std::unique_ptr<MGExpertInterview> expert = Make(ExpertData({Topic("key")}));
    expert->Start();
    EXPECT_EQ(fGame.EndLine(), "hello");
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    ASSERT_NE(root->GetMember(VoString(u"expInterview_layout")), nullptr);
    expert->OnButtonEvent(VoString(u"key"), VoIButtonListener::kClick);
    // Deleted in the middle of an answer: each piece goes once.
    expert.reset();
    EXPECT_EQ(root->GetMember(VoString(u"expInterview_layout")), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    fGame.RunFrames(0.2);
}
