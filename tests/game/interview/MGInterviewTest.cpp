#include "interview/MGInterview.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InterviewGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewMeter.h"
#include "interview/MGInterviewSequence.h"
#include "interview/MGInterviewTopicArea.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

// A sequence node that speaks line "a".
std::string Line(const std::string& aIndent) {
    return aIndent + "sounds=a\n" + aIndent + "soundtimes=0\n";
}

// An interview file of topics t0, t1, ...: a good "stra" and bad "conf" and
// "flat" modes each, an exit and a failed exit.
std::string Topics(int aCount) {
    std::string text = "fonts\n\tmain=TW_CEN_MT16\ntopics\n";
    for (int i = 0; i < aCount; ++i) {
        const std::string t = "t" + std::to_string(i);
        text += "\t" + t + "\n\t\tname=topic\n\t\tlevel=1\n\t\tdependencies=true\n\t\tdoneevent=evt_" + t +
                "_done\n\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n" + Line("\t\t\t\t") +
                "\t\t\tconf\n\t\t\t\ttype=bad\n" + Line("\t\t\t\t") + "\t\t\tflat\n\t\t\t\ttype=bad\n" +
                Line("\t\t\t\t");
    }
    return text + "exit\n\tdoneevent=evt_left\n" + Line("\t") + "failedexit\n" + Line("\t");
}

class MGInterviewTest : public ::testing::Test {
protected:
    std::unique_ptr<MGInterview> Make(const std::string& aData, const char* apFile = "iv.txt") {
        std::unique_ptr<MGInterview> interview(fGame.MakeInterview(apFile, aData, "topic=A topic\n"));
        interview->SetListener(&fProbe);
        return interview;
    }
    // The player clicks the topic, then the mode, and the answer's line ends.
    void Answer(MGInterview* apInterview, const std::string& aTopic, const char* apMode) {
        apInterview->OnButtonEvent(VoString(aTopic.c_str()), VoIButtonListener::kClick);
        apInterview->OnButtonEvent(VoString(u"mode_") + apMode, VoIButtonListener::kClick);
        fGame.At(fGame.Now() + 0.05);
        EXPECT_TRUE(InterviewGame::EndSound("a"));
        // The meter grows to its new target before the next question.
        for (int i = 0; i < 200 && Meter()->IsAnimating() && !apInterview->IsMeterFull(); ++i) {
            fGame.At(fGame.Now() + 0.05);
        }
    }
    // Frames until the meter's end animation is over and the closing line
    // plays, and that line ends.
    void FinishMeter() {
        for (int i = 0; i < 400 && InterviewGame::Sound("a") == nullptr; ++i) {
            fGame.At(fGame.Now() + 0.05);
        }
        EXPECT_TRUE(InterviewGame::EndSound("a"));
    }
    static MGInterviewMeter* Meter() { return MGInterviewManager::GetInstance()->GetMeter(); }
    static VoDisplayGroup* Group() { return MGInterviewManager::GetInstance()->GetGroup(); }

    InterviewGame fGame;
    InterviewProbe fProbe;
};

}  // namespace

TEST_F(MGInterviewTest, CreateAddsItsStatesQuietlyAndKeepsThoseThatExist) {
    InterviewGame::SetState("noinfo_iv2", "boolean", "true");
    LogCapture log;
    std::unique_ptr<MGInterview> first = Make(Topics(1));
    std::unique_ptr<MGInterview> second = Make(Topics(1), "iv2.txt");
    EXPECT_TRUE(fProbe.With("state").empty());
    EXPECT_EQ(InterviewGame::State("denialtime_iv")->GetNumber(), 0.0f);
    EXPECT_FALSE(InterviewGame::State("noinfo_iv")->GetBoolean());
    EXPECT_TRUE(InterviewGame::State("noinfo_iv2")->GetBoolean());
    EXPECT_EQ(log.Count(MGInterview::kFoundValue), 1);
    EXPECT_EQ(Narrow(first->GetId()), "iv");
    // One tooltip for every interview, with the five mode texts.
    EXPECT_EQ(first->GetTooltip(), second->GetTooltip());
    EXPECT_EQ(first->GetTooltip(), VoToolTipManager::GetInstance()->GetToolTip(VoString(u"_mode_tooltip")));
    EXPECT_EQ(first->GetTooltip()->GetRelativeZ(), 9700.0f);
    // Empty and unplaced until a mode button is hovered: not shown yet.
    EXPECT_FALSE(first->GetTooltip()->GetVisible());
    const char* texts[] = {"Confront", "Deceive", "Flatter", "Straight", "Empathise"};
    for (int i = 0; i < MGInterview::kModeCount; ++i) {
        EXPECT_EQ(Narrow(first->GetTooltipText(i)), texts[i]);
    }
    EXPECT_EQ(first->GetTopicCount(), 1);
    EXPECT_EQ(Narrow(first->GetType()), "regular");
}

TEST_F(MGInterviewTest, MissingKeysAreSaidAndTheRestIsBuilt) {
    LogCapture log;
    std::unique_ptr<MGInterview> interview(fGame.MakeInterview("bare.txt", "fonts\n\tx=NoSuchFont\n", ""));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kFontNotFound));
    EXPECT_EQ(interview->GetFont(VoString(u"x")), nullptr);
    log.Clear();
    VoString text(u"unchanged");
    EXPECT_TRUE(interview->GetSubtitle(VoString(u"nothere"), text));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "GetSubtitle failure. 'nothere' not found."));
    EXPECT_EQ(Narrow(text), "");
    EXPECT_TRUE(interview->SetListener(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kNullArg));
    EXPECT_EQ(interview->GetListener(), nullptr);
    log.Clear();
    std::unique_ptr<MGInterview> empty(fGame.MakeInterview("empty.txt", "", ""));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterview::kNoFonts));
    EXPECT_EQ(empty->GetTopicCount(), 0);
}

TEST_F(MGInterviewTest, StartLaysTheWindowOutAndTellsTheListener) {
    std::unique_ptr<MGInterview> interview = Make(Topics(2));
    interview->SetPosition(VoVector2(20.0f, 200.0f));
    interview->Start();
    EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0"}));
    EXPECT_EQ(Group()->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_EQ(Group()->GetPosition(), VoVector2(20.0f, 200.0f));
    // No introductions: the topics open at once.
    EXPECT_TRUE(Group()->GetActive());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
    EXPECT_FALSE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_TRUE(interview->IsListeningToMouse());
    EXPECT_EQ(interview->GetTopicArea()->GetGroup(), Group());
    for (const char16_t* id : {u"btn_exit", u"btn_drag"}) {
        EXPECT_EQ(dynamic_cast<VoButton*>(Group()->GetMember(VoString(id)))->GetListener(),
                  static_cast<VoIButtonListener*>(interview.get()));
    }
    for (int i = 0; i < MGInterview::kModeCount; ++i) {
        ASSERT_NE(interview->GetModeButton(i), nullptr);
        EXPECT_FALSE(interview->GetModeButton(i)->GetVisible());
        EXPECT_EQ(interview->GetModeButton(i)->GetListener(),
                  static_cast<VoIButtonListener*>(interview.get()));
    }
    // The window joins the display root once, however often it starts.
    LogCapture log;
    interview->End();
    interview->Start();
    EXPECT_EQ(Group()->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(MGInterviewTest, EndingTwiceAndListeningTwiceDoNothingMore) {
    std::unique_ptr<MGInterview> interview = Make(Topics(1));
    VoMouse* mouse = VoMouse::GetInstance();
    interview->Start();
    const int listening = mouse->GetListenerCount();
    LogCapture log;
    interview->EnterTopicSelection();
    EXPECT_EQ(mouse->GetListenerCount(), listening);
    interview->End();
    interview->End();
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(fProbe.With("interview"), (Journal{"interview 0", "interview 1"}));
    EXPECT_FALSE(Group()->GetActive());
    EXPECT_FALSE(interview->IsListeningToMouse());
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 0);
}

TEST_F(MGInterviewTest, ResumeGivesBackWhatSuspendTookToAnInterviewStillRunning) {
    struct Case {
        const char* fName;
        bool fWindowActive;  // the window as Suspend finds it
        bool fTwice;         // Suspend called twice
        bool fEnds;          // the interview ends while suspended
        bool fActiveAfter;
        bool fListeningAfter;
    };
    const Case cases[] = {
        {"running", true, false, false, true, true},
        {"suspended twice", true, true, false, true, true},
        {"window inactive", false, false, false, false, true},
        {"ended meanwhile", true, false, true, false, false},
    };
    VoMouse* mouse = VoMouse::GetInstance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        std::unique_ptr<MGInterview> interview = Make(Topics(1));
        EXPECT_EQ(interview->GetGroup(), nullptr);
        interview->Start();
        EXPECT_EQ(interview->GetGroup(), Group());
        Group()->SetActive(c.fWindowActive);
        const int running = mouse->GetListenerCount();
        LogCapture log;
        interview->Suspend();
        if (c.fTwice) {
            interview->Suspend();
        }
        EXPECT_TRUE(interview->IsSuspended());
        EXPECT_FALSE(Group()->GetActive());
        EXPECT_FALSE(interview->IsListeningToMouse());
        EXPECT_EQ(mouse->GetListenerCount(), running - 1);
        if (c.fEnds) {
            interview->End();
        }
        interview->Resume();
        EXPECT_FALSE(interview->IsSuspended());
        EXPECT_EQ(Group()->GetActive(), c.fActiveAfter);
        EXPECT_EQ(interview->IsListeningToMouse(), c.fListeningAfter);
        if (!c.fEnds) {
            EXPECT_EQ(mouse->GetListenerCount(), running);
        }
        // A Resume without a Suspend changes nothing.
        interview->Resume();
        EXPECT_EQ(Group()->GetActive(), c.fActiveAfter);
        EXPECT_EQ(interview->IsListeningToMouse(), c.fListeningAfter);
        EXPECT_TRUE(log.Lines().empty());
        interview->End();
    }
}

TEST_F(MGInterviewTest, ATopicClickedTwiceHidesItsModesAgain) {
    std::unique_ptr<MGInterview> interview = Make(Topics(2));
    interview->Start();
    interview->OnButtonEvent(VoString(u"t0"), VoIButtonListener::kClick);
    EXPECT_EQ(Narrow(interview->GetCurrentTopic()), "t0");
    const bool enabled[] = {true, false, true, true, false};  // conf, decp, flat, stra, empa
    for (int i = 0; i < MGInterview::kModeCount; ++i) {
        EXPECT_TRUE(interview->GetModeButton(i)->GetVisible());
        EXPECT_EQ(interview->GetModeButton(i)->IsEnabled(), enabled[i]) << i;
    }
    // Other codes than a click change nothing.
    interview->OnButtonEvent(VoString(u"t1"), VoIButtonListener::kPressed);
    EXPECT_EQ(Narrow(interview->GetCurrentTopic()), "t0");
    interview->OnButtonEvent(VoString(u"T0"), VoIButtonListener::kClick);
    EXPECT_EQ(Narrow(interview->GetCurrentTopic()), "");
    for (int i = 0; i < MGInterview::kModeCount; ++i) {
        EXPECT_FALSE(interview->GetModeButton(i)->GetVisible());
    }
    interview->End();
}

TEST_F(MGInterviewTest, UsedModesStayDisabledAndAUsedUpTopicShowsFiveDisabledButtons) {
    std::unique_ptr<MGInterview> interview = Make(Topics(3));
    interview->Start();
    Answer(interview.get(), "t0", "conf");
    EXPECT_TRUE(InterviewGame::HasEvent("iv_t0_conf"));
    interview->ShowModes(VoString(u"t0"));
    EXPECT_FALSE(interview->GetModeButton(0)->IsEnabled());
    EXPECT_TRUE(interview->GetModeButton(2)->IsEnabled());
    InterviewGame::AddEvent("iv_t0_flat");
    InterviewGame::AddEvent("iv_t0_stra");
    interview->ShowModes(VoString(u"t0"));
    for (int i = 0; i < MGInterview::kModeCount; ++i) {
        EXPECT_TRUE(interview->GetModeButton(i)->GetVisible());
        EXPECT_FALSE(interview->GetModeButton(i)->IsEnabled()) << i;
    }
    interview->End();
}

TEST_F(MGInterviewTest, ThreeGoodAnswersOfThreeOpenTopicsCompleteTheInterview) {
    std::unique_ptr<MGInterview> interview = Make(Topics(3));
    interview->Start();
    EXPECT_NEAR(interview->GetGoodStep(), 33.33f, 0.01f);
    for (int i = 0; i < 3; ++i) {
        Answer(interview.get(), "t" + std::to_string(i), "stra");
    }
    // 99.99 is raised to 100: the side is full and the window deaf.
    EXPECT_EQ(Meter()->GetGoodTarget(), 100.0f);
    EXPECT_TRUE(interview->IsMeterFull());
    fProbe.Take();
    FinishMeter();
    EXPECT_EQ(fProbe.Facts(), (Journal{"state noinfo_iv true", "event evt_interviewiv_complete",
                                       "event evt_left", "interview 1"}));
    EXPECT_FALSE(Group()->GetActive());
}

TEST_F(MGInterviewTest, TheBadStepDependsOnTheSkillLevel) {
    struct Case {
        int skill;
        float step;
        int answers;
    };
    const Case cases[] = {{2, 25.0f, 4}, {0, 100.0f / 7.6f, 8}, {1, 100.0f / 6.0f, 6}, {7, 100.0f / 6.0f, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skill);
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        std::unique_ptr<MGInterview> interview = Make(Topics(4));
        interview->Start();
        EXPECT_NEAR(interview->GetBadStep(), c.step, 0.01f);
        for (int i = 0; i < c.answers; ++i) {
            EXPECT_FALSE(interview->IsMeterFull()) << i;
            Answer(interview.get(), "t" + std::to_string(i % 4), i < 4 ? "conf" : "flat");
        }
        EXPECT_TRUE(interview->IsMeterFull());
        fProbe.Take();
        FinishMeter();
        const Journal facts = fProbe.Facts();
        ASSERT_FALSE(facts.empty());
        EXPECT_EQ(facts[0].rfind("state denialtime_iv ", 0), 0u) << facts[0];
        EXPECT_GT(InterviewGame::State("denialtime_iv")->GetNumber(), 0.0f);
        EXPECT_EQ(facts.back(), "interview 1");
    }
}

TEST_F(MGInterviewTest, InputWhileAnAnswerPlaysIsIgnoredAndTheWheelSwallowed) {
    std::unique_ptr<MGInterview> interview = Make(Topics(9));
    interview->Start();
    interview->OnButtonEvent(VoString(u"t0"), VoIButtonListener::kClick);
    interview->OnButtonEvent(VoString(u"mode_stra"), VoIButtonListener::kClick);
    EXPECT_TRUE(interview->IsBusy());
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    interview->OnButtonEvent(VoString(u"t1"), VoIButtonListener::kClick);
    interview->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    EXPECT_EQ(Narrow(interview->GetCurrentTopic()), "t0");
    EXPECT_EQ(interview->GetSequence(), nullptr);
    const int scroll = interview->GetTopicArea()->GetScrollPosition();
    VoMouse::GetInstance()->Wheel(-1.0f);
    EXPECT_EQ(interview->GetTopicArea()->GetScrollPosition(), scroll);
    fGame.At(fGame.Now() + 0.05);
    InterviewGame::EndSound("a");
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    // Now the wheel scrolls the list: down for a negative turn, up otherwise.
    interview->OnWheel(-1.0f);
    EXPECT_GT(interview->GetTopicArea()->GetScrollPosition(), 0);
    interview->OnWheel(0.0f);
    EXPECT_EQ(interview->GetTopicArea()->GetScrollPosition(), 0);
    interview->End();
}

TEST_F(MGInterviewTest, TheExitButtonPlaysTheExitOnlyWhenIdle) {
    std::unique_ptr<MGInterview> interview = Make(Topics(1));
    interview->Start();
    interview->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kPressed);
    EXPECT_EQ(interview->GetSequence(), nullptr);
    interview->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    ASSERT_NE(interview->GetSequence(), nullptr);
    EXPECT_TRUE(interview->IsExitAfter());
    fGame.At(fGame.Now() + 0.05);
    fProbe.Take();
    InterviewGame::EndSound("a");
    EXPECT_EQ(fProbe.Facts(), (Journal{"event evt_left", "interview 1"}));
}

TEST_F(MGInterviewTest, APhoneStartRaisesNoStartedEventButTellsTheListener) {
    fGame.Write("interviews.txt", "ph\n\tdata=ph.txt\n\tsubtitles=ph_subtitles.txt\n");
    fGame.Write("ph.txt", Topics(1));
    fGame.Write("ph_subtitles.txt", "topic=A topic\n");
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    manager->Load();
    MGInterview* interview = manager->GetInterview(VoString(u"ph"));
    ASSERT_NE(interview, nullptr);
    interview->SetPhone(true);
    interview->SetListener(&fProbe);
    interview->SetPosition(VoVector2(300.0f, 150.0f));
    interview->Start();
    EXPECT_EQ(fProbe.Take(), (Journal{"interview 0"}));
    EXPECT_FALSE(InterviewGame::HasEvent("evt_interviewph_started"));
    // Over the phone the cursor is left as it is.
    MGCursor::GetInstance()->SetCursor(4, VoString(u""));
    interview->End();
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 4);
}

TEST_F(MGInterviewTest, AModeTooltipShowsAfterASecondAboveOrBelowThePointer) {
    std::unique_ptr<MGInterview> interview = Make(Topics(1));
    interview->Start();
    interview->OnButtonEvent(VoString(u"t0"), VoIButtonListener::kClick);
    VoButton* straight = interview->GetModeButton(3);
    VoButton* deceive = interview->GetModeButton(1);
    VoVector2 corner;
    straight->GetWorldPosition(corner);
    struct Case {
        VoButton* button;
        float groupY;
        float tooltipY;  // relative to the pointer
        bool enabled;
    };
    const Case cases[] = {{straight, 200.0f, -20.0f, true}, {deceive, -85.0f, 30.0f, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groupY);
        Group()->SetPosition(10.0f, c.groupY);
        VoVector2 place;
        c.button->GetWorldPosition(place);
        const VoVector2 pointer(place.x + 10.0f, place.y + 10.0f);
        VoMouse::GetInstance()->Move(&pointer);
        interview->OnMouseMove(&pointer);
        fGame.At(fGame.Now() + 0.5);
        EXPECT_FALSE(interview->GetTooltip()->GetVisible());
        fGame.At(fGame.Now() + 0.6);
        VoToolTip* tooltip = interview->GetTooltip();
        EXPECT_TRUE(tooltip->GetVisible());
        EXPECT_EQ(tooltip->GetPosition(), VoVector2(pointer.x, pointer.y + c.tooltipY));
        EXPECT_EQ(Narrow(tooltip->GetText()), c.enabled ? "Straight" : "Deceive");
        // Away from the buttons it fades out.
        const VoVector2 away(700.0f, 590.0f);
        interview->OnMouseMove(&away);
        EXPECT_TRUE(tooltip->IsFadingOut());
        fGame.At(fGame.Now() + 1.0);
        EXPECT_FALSE(tooltip->GetVisible());
    }
    interview->End();
}

TEST_F(MGInterviewTest, TheTitleBarDragsTheWindow) {
    std::unique_ptr<MGInterview> interview = Make(Topics(1));
    interview->SetPosition(VoVector2(20.0f, 200.0f));
    interview->Start();
    const VoVector2 grab(50.0f, 210.0f);
    VoMouse::GetInstance()->Move(&grab);
    interview->OnButtonEvent(VoString(u"btn_drag"), VoIButtonListener::kPressed);
    EXPECT_TRUE(interview->IsDragging());
    const VoVector2 to(150.0f, 260.0f);
    interview->OnMouseMove(&to);
    EXPECT_EQ(Group()->GetPosition(), VoVector2(120.0f, 250.0f));
    interview->OnButtonUp(1);
    EXPECT_FALSE(interview->IsDragging());
    const VoVector2 later(10.0f, 10.0f);
    interview->OnMouseMove(&later);
    EXPECT_EQ(Group()->GetPosition(), VoVector2(120.0f, 250.0f));
    interview->End();
}

// The empty key hashes to 0, which the topic list's Add also gives when it
// refuses a key: the topic is kept once and deleted once, by the interview.
TEST_F(MGInterviewTest, ATopicWithAnEmptyKeyIsKeptAndDeletedOnce) {
    VoPropertyList* data = InterviewGame::Parse(Topics(1));
    VoPropertyList* topic =
        InterviewGame::Parse("name=topic\nlevel=1\ndependencies=true\ndoneevent=evt_e_done\n");
    ASSERT_TRUE(data->GetList(VoString(u"topics"))
                    ->Add(VoString(u""), VoPropertyListElement(VoPropertyListElement::kSection, topic)));
    fGame.Write("empty_subtitles.txt", "topic=A topic\n");
    std::unique_ptr<MGInterview> interview(new MGInterview());
    interview->Create(VoString(u"empty.txt"), data, VoString(u"empty_subtitles.txt"));
    EXPECT_EQ(interview->GetTopicCount(), 2);
    EXPECT_NE(interview->GetTopic(VoString(u"")), nullptr);
}

// Intros that all wait for something replace a sequence that played: the
// interview is not left busy with nothing to wait for.
TEST_F(MGInterviewTest, IntrosWithNothingToSayLeaveTheInterviewIdle) {
    std::unique_ptr<MGInterview> interview =
        Make(Topics(1) + "intros\n\tlater\n\t\tdependencies=script[false]\n\t\tdoneevent=evt_later\n" +
             Line("\t\t"));
    interview->Start();
    interview->PlayExit();
    EXPECT_TRUE(interview->IsBusy());
    interview->PlayIntros();
    EXPECT_FALSE(interview->IsBusy());
}
