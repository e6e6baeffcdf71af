#include "interview/MGInterviewManager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "InterviewGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "interview/MGInterviewMeter.h"
#include "interview/MGInterviewScrollBar.h"
#include "interview/MGInterviewTopicArea.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "util/MGCleaner.h"

namespace {

constexpr const char* kCatalogue =
    "w1\n\tdata=w1.txt\n\tsubtitles=w1_subtitles.txt\n\twitness=clerk\n"
    "nowitness\n\tdata=w1.txt\n\tsubtitles=w1_subtitles.txt\n"
    "nosubtitles\n\tdata=w1.txt\n\tsubtitles=gone_subtitles.txt\n"
    "nodata\n\tsubtitles=w1_subtitles.txt\n"
    "lost\n\tdata=lost.txt\n\tsubtitles=w1_subtitles.txt\n"
    "expert\n\tdata=expert.txt\n\tsubtitles=w1_subtitles.txt\n"
    "3CLx\n\tdata=w1.txt\n\tsubtitles=w1_subtitles.txt\n"
    "3clx\n\tdata=w1.txt\n\tsubtitles=w1_subtitles.txt\n";

constexpr const char* kInterview =
    "fonts\n\tmain=TW_CEN_MT16\ntopics\n\tt\n\t\tname=n\n\t\tlevel=1\n\t\tdependencies=true\n"
    "\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n";

class MGInterviewManagerTest : public ::testing::Test {
protected:
    MGInterviewManagerTest() {
        fGame.Write("interviews.txt", kCatalogue);
        fGame.Write("pocketobjects.txt", "line\n\tanim=Show-Badge_M\n\tobject=badge\n");
        fGame.Write("w1.txt", kInterview);
        fGame.Write("w1_subtitles.txt", "n=A topic\n");
        fGame.Write("expert.txt", std::string("type=Expert\n") + kInterview);
        fManager = MGInterviewManager::GetInstance();
    }

    InterviewGame fGame;
    MGInterviewManager* fManager = nullptr;
};

}  // namespace

TEST_F(MGInterviewManagerTest, GetInstanceReadsTheCatalogueAndBuildsTheSharedWindow) {
    ASSERT_NE(fManager, nullptr);
    ASSERT_NE(fManager->GetPocketObjects(), nullptr);
    EXPECT_EQ(Narrow(fManager->GetPocketObjects()->GetString(VoString(u"line.object"), nullptr)), "badge");
    VoDisplayGroup* group = fManager->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "interviewgroup");
    EXPECT_EQ(group->GetPosition(), VoVector2(400.0f, 150.0f));
    EXPECT_FALSE(group->GetActive());
    EXPECT_EQ(group->GetGroup(), nullptr);
    for (const char* id : {"panel", "btn_exit", "btn_drag", "modes", "modes.mode_conf", "modes.mode_empa",
                           "interviewmeter", "interviewscrollbar", "interviewscrollbar.btnbar"}) {
        EXPECT_NE(group->GetMember(VoString(id)), nullptr) << id;
    }
    // The buttons have no listener until an interview starts.
    EXPECT_EQ(dynamic_cast<VoButton*>(group->GetMember(VoString(u"btn_exit")))->GetListener(), nullptr);
    EXPECT_EQ(fManager->GetMeter()->GetPosition(), VoVector2(117.0f, 150.0f));
    EXPECT_NE(Narrow(VoTextureManager::GetInstance()->GetRoot()), "//textures/interview");
    VoDisplayGroup* modes = nullptr;
    VoDisplayGroup* window = nullptr;
    MGInterviewMeter* meter = nullptr;
    MGInterviewScrollBar* bar = nullptr;
    EXPECT_TRUE(fManager->GetLayout(&window, &modes, &meter, &bar));
    EXPECT_EQ(window, group);
    EXPECT_EQ(meter, fManager->GetMeter());
    EXPECT_EQ(bar, fManager->GetScrollBar());
}

TEST_F(MGInterviewManagerTest, ACachedIdIsHandedOutAgainWithoutReadingItsFiles) {
    EXPECT_TRUE(fManager->PreloadInterview(VoString(u"w1")));
    EXPECT_TRUE(fManager->IsCached(VoString(u"w1")));
    EXPECT_EQ(fManager->GetCurrentInterview(), nullptr);
    // Preloading leaves no current interview to start.
    EXPECT_FALSE(fManager->StartInterview());
    fGame.Write("w1.txt", "");
    LogCapture log;
    MGInterview* first = fManager->GetInterview(VoString(u"w1"));
    MGInterview* again = fManager->GetInterview(VoString(u"w1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first->GetTopicCount(), 1);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(fManager->GetCurrentInterview(), first);
    EXPECT_EQ(Narrow(first->GetCharacterId()), "clerk");
    EXPECT_TRUE(fManager->PreloadInterview(VoString(u"w1")));
    EXPECT_EQ(fManager->GetCachedCount(), 1);
}

TEST_F(MGInterviewManagerTest, AnUncachedIdMakesANewInterviewEachTimeThatBecomesCurrent) {
    MGInterview* first = fManager->GetInterview(VoString(u"nowitness"));
    MGInterview* second = fManager->GetInterview(VoString(u"nowitness"));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(fManager->GetCurrentInterview(), second);
    EXPECT_EQ(Narrow(second->GetCharacterId()), "none");
    EXPECT_EQ(Narrow(second->GetId()), "w1");
    EXPECT_FALSE(fManager->IsCached(VoString(u"nowitness")));
    EXPECT_EQ(fManager->GetUncachedCount(), 2);
}

TEST_F(MGInterviewManagerTest, StartInterviewAddsTheStartedEventAndStartsTheCurrentInterview) {
    InterviewProbe probe;
    MGInterview* interview = fManager->GetInterview(VoString(u"w1"));
    ASSERT_NE(interview, nullptr);
    interview->SetListener(&probe);
    EXPECT_TRUE(fManager->StartInterview());
    EXPECT_EQ(probe.With("event"), (Journal{"event evt_intervieww1_started"}));
    EXPECT_EQ(probe.With("interview"), (Journal{"interview 0"}));
    interview->End();
}

TEST_F(MGInterviewManagerTest, ExpertInterviewsAreToldByTypeAndPreloadedOnlyForTheirCase) {
    ASSERT_NE(fManager->GetInterview(VoString(u"expert")), nullptr);
    EXPECT_TRUE(fManager->IsExpert());
    ASSERT_NE(fManager->GetInterview(VoString(u"w1")), nullptr);
    EXPECT_FALSE(fManager->IsExpert());
    // A cached interview is told by its own type: "type=Expert" made an
    // expert interview, whose type is "expert".
    EXPECT_TRUE(fManager->PreloadInterview(VoString(u"expert")));
    MGInterview* cached = fManager->GetInterview(VoString(u"expert"));
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(Narrow(cached->GetType()), "expert");
    EXPECT_TRUE(fManager->IsExpert());
    fManager->GetInterview(VoString(u"w1"));
    EXPECT_FALSE(fManager->IsExpert());

    struct Case {
        const char* id;
        const char* selected;  // "" for no state
        bool cached;
    };
    const Case cases[] = {{"3CLx", "2", false}, {"3CLx", "3", true}, {"3CLx", "", true}, {"3clx", "2", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " in case " + c.selected);
        fManager->ClearInterviews();
        VoStateManager::GetInstance()->ClearStates();
        if (c.selected[0] != '\0') {
            InterviewGame::SetState("sta_selectedcase", "number", c.selected);
        }
        EXPECT_TRUE(fManager->PreloadInterview(VoString(c.id)));
        EXPECT_EQ(fManager->IsCached(VoString(c.id)), c.cached);
    }
}

TEST_F(MGInterviewManagerTest, MissingFilesAndEntriesAreSaid) {
    struct Case {
        const char* id;
        bool made;
        const char* level;
        std::string message;
    };
    const Case cases[] = {
        {"nodata", false, "ERROR: ", std::string(MGInterviewManager::kDataFailure)},
        {"nodata", false, "ASSERT FAILURE: ", MGInterviewManager::kNoData},
        {"lost", false, "ERROR: ", std::string(MGInterviewManager::kDataFailure) + "lost.txt"},
        {"unknown", false, "ASSERT FAILURE: ", MGInterviewManager::kNoSubtitles},
        {"nosubtitles", true, "ERROR: ", std::string(MGInterview::kSubtitleListFailure) + "gone_subtitles.txt"},
        {"nosubtitles", true, "ASSERT FAILURE: ", std::string(MGInterviewManager::kInterviewFailure) + "w1.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        LogCapture log;
        MGInterview* interview = fManager->GetInterview(VoString(c.id));
        EXPECT_EQ(interview != nullptr, c.made);
        EXPECT_TRUE(log.Logged(c.level, c.message));
        EXPECT_EQ(Narrow(fManager->GetCurrentId()), c.id);
    }
}

TEST_F(MGInterviewManagerTest, AnInterviewWithoutSubtitlesStartsAndEndsAllTheSame) {
    InterviewProbe probe;
    MGInterview* interview = fManager->GetInterview(VoString(u"nosubtitles"));
    ASSERT_NE(interview, nullptr);
    ASSERT_NE(interview->GetTopicArea(), nullptr);
    interview->SetListener(&probe);
    EXPECT_TRUE(fManager->StartInterview());
    EXPECT_EQ(interview->GetTopicArea()->GetOpenCount(), 1);
    interview->OnButtonEvent(VoString(u"t"), VoIButtonListener::kClick);
    interview->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    fGame.At(fGame.Now() + 0.05);
    EXPECT_EQ(probe.With("interview"), (Journal{"interview 0", "interview 1"}));
}

TEST_F(MGInterviewManagerTest, WithoutACatalogueEveryLookupFindsNothing) {
    fGame.Write("interviews.txt", "");
    std::remove(fGame.fFolder.Path("interviews/interviews.txt").c_str());
    LogCapture log;
    fManager->Load();
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewManager::kCatalogueFailure));
    EXPECT_EQ(fManager->GetInterview(VoString(u"w1")), nullptr);
    EXPECT_FALSE(fManager->PreloadInterview(VoString(u"w1")));
}

TEST_F(MGInterviewManagerTest, ClearingDeletesTheCurrentInterviewAndForgetsIt) {
    EXPECT_TRUE(fManager->PreloadInterview(VoString(u"w1")));
    fManager->GetInterview(VoString(u"w1"));
    fManager->ClearInterviews();
    EXPECT_EQ(fManager->GetCurrentInterview(), nullptr);
    EXPECT_FALSE(fManager->StartInterview());
    EXPECT_EQ(fManager->GetCachedCount(), 0);
}

TEST_F(MGInterviewManagerTest, UncachedInterviewsGoAtTheNextClearAndTheCurrentOneAtTheOneAfter) {
    MGInterview* current = nullptr;
    for (int i = 0; i < 100; ++i) {
        current = fManager->GetInterview(VoString(u"w1"));
    }
    EXPECT_EQ(fManager->GetUncachedCount(), 100);
    fManager->ClearInterviews();
    EXPECT_EQ(fManager->GetUncachedCount(), 1);
    EXPECT_EQ(fManager->GetCurrentInterview(), current);
    // Still whole: it may be running over the phone.
    EXPECT_EQ(current->GetTopicCount(), 1);
    fManager->ClearInterviews();
    EXPECT_EQ(fManager->GetUncachedCount(), 0);
    EXPECT_EQ(fManager->GetCurrentInterview(), nullptr);
    // Those of the manager's last day go with it (the sanitizer build sees no leak).
    for (int i = 0; i < 3; ++i) {
        fManager->GetInterview(VoString(u"w1"));
    }
}

TEST_F(MGInterviewManagerTest, TheWindowLeavesTheDisplayRootWithTheManager) {
    MGInterview* interview = fManager->GetInterview(VoString(u"w1"));
    fManager->StartInterview();
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    ASSERT_EQ(fManager->GetGroup()->GetGroup(), root);
    interview->End();
    // The game's cleaner deletes the manager: the root keeps nothing of it
    // (and does not delete it a second time at the end).
    delete MGCleaner::PeekInstance();
    EXPECT_EQ(root->GetMember(VoString(u"interviewgroup")), nullptr);
}
