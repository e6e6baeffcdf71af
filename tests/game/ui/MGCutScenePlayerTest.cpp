#include "ui/MGCutScenePlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ScreenProbes.h"
#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "event/VoIEventListener.h"
#include "game/support/SceneGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "movie/VoIMovieManager.h"
#include "interview/MGSubtitle.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "ui/MGCursor.h"
#include "ui/MGICutSceneListener.h"
#include "util/MGOptions.h"

namespace {

using Journal = std::vector<std::string>;

VoPropertyList* Parse(const std::string& aText) {
    auto* list = new VoPropertyList();
    EXPECT_TRUE(list->Parse(VoString(aText.c_str())));
    return list;
}

VoVectorString Strings(std::initializer_list<const char*> aItems) {
    VoVectorString strings;
    for (const char* item : aItems) {
        strings.Add(VoString(item));
    }
    return strings;
}

// Writes down the end of the run, the events and the states, in order.
class RunProbe : public MGICutSceneListener, public VoIEventListener, public VoIStateListener {
public:
    explicit RunProbe(Journal* apJournal) : fpJournal(apJournal) {}
    void OnCutSceneEnd() override { fpJournal->push_back("end"); }
    void OnEvent(VoEvent* apEvent) override { fpJournal->push_back("event " + Narrow(apEvent->GetId())); }
    void OnStateChanged(VoIState* apState) override { fpJournal->push_back("state " + Narrow(apState->GetName())); }
    Journal* fpJournal;  // not owned
};

constexpr const char* kTable =
    "door_wrong_case\n"
    "\ttriggertype=state\n"
    "\ttriggerstate=sta_Door_Open\n"
    "\tmovie=wrong_case.mkv\n"
    "door\n"
    "\ttriggertype=STATE\n"
    "\ttriggerstate=sta_door_open\n"
    "\tmovie=door.mkv\n"
    "door_again\n"
    "\ttriggertype=state\n"
    "\ttriggerstate=sta_door_open\n"
    "\tmovie=door_again.mkv\n"
    "alarm\n"
    "\ttriggertype=state\n"
    "\tmovie=alarm.mkv\n"
    "\tdependencies=script[event[evt_alarm]]\n"
    "bell\n"
    "\ttriggertype=Event\n"
    "\ttriggerevent=EVT_Bell\n"
    "\tmovie=bell.mkv\n"
    "\tdoneevents=evt_bell_heard|evt_bell_done\n"
    "\ttargetscene=case1/office\n"
    "\ttargetvp=vp_desk\n"
    "gated_bell\n"
    "\ttriggertype=event\n"
    "\ttriggerevent=evt_gate\n"
    "\tmovie=gate.mkv\n"
    "\tdependencies=script[event[evt_key]]\n"
    "no_trigger\n"
    "\tmovie=never.mkv\n"
    "\ttriggerevent=evt_never\n"
    "talk_any\n"
    "\ttriggertype=interview\n"
    "\tmovie=talk_any.mkv\n"
    "\tdependencies=script[event[evt_talked]]\n"
    "talk_clerk\n"
    "\ttriggertype=interview\n"
    "\ttriggerinterview=Clerk\n"
    "\tmovie=talk_clerk.mkv\n"
    "\tdependencies=true\n"
    "talk_unscripted\n"
    "\ttriggertype=interview\n"
    "\ttriggerinterview=boss\n"
    "\tmovie=talk_boss.mkv\n"
    "map_docks\n"
    "\ttriggertype=maptag\n"
    "\ttriggerlocation=docks\n"
    "\tmovie=docks.mkv\n"
    "\ttargetscene=case1/docks\n"
    "\tdependencies=script[true]\n";

constexpr const char* kSubtitles =
    "door\n"
    "\tmovie=DOOR.mkv\n"
    "\tfonts\n"
    "\t\tmain=TW_CEN_MT16\n"
    "\t\tblue=TW_CEN_MT16_BLUE\n"
    "\tsubtitles\n"
    "\t\tone\n"
    "\t\t\ttime=0.5\n"
    "\t\t\tsubtitle=The door creaks.\n"
    "\t\t\tfont=main\n"
    "\t\ttwo\n"
    "\t\t\ttime=1.0\n"
    "\t\t\tsubtitle=Someone is there.\n"
    "\t\t\tfont=blue\n"
    "\t\t\taction=add\n";

class MGCutScenePlayerTest : public ::testing::Test {
protected:
    MGCutScenePlayerTest() {
        fGame.WriteScene("case1/office", "vp_door");
        fGame.WriteScene("case1/docks", "vp_pier");
        fGame.WritePlacards("case1/docks\n\tlocation=The Docks\n");
        fPlayer->SetTables(Parse(kTable), Parse(kSubtitles));
        // The screens below the player, entered.
        fScreens->PushScreen(&fBase);
        fScreens->PushScreen(&fMenu);
    }

    // The movie that the last trigger started (its engine path, "" for
    // none), and its run ended without targets, back on the menu.
    std::string Played() {
        Enter();
        stubs::MoviePlayer* movie = Movie();
        if (movie == nullptr) {
            return "";
        }
        const std::string path = movie->fPath;
        fPlayer->SetTargetScene(VoString(u""), VoString(u""));
        fPlayer->SetDoneEvents(VoVectorString());
        movie->End();
        fGame.RunFrames(2.0);
        EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));
        return path;
    }
    // Lets the push fade run until the player has entered with its first
    // movie (at most a second of frames).
    void Enter() {
        for (int i = 0; i < 20 && fScreens->GetTopScreen() == fPlayer && fPlayer->GetMovie() == nullptr; ++i) {
            fGame.RunFrames(0.05);
        }
    }
    stubs::MoviePlayer* Movie() const { return dynamic_cast<stubs::MoviePlayer*>(fPlayer->GetMovie()); }
    static void Key(int aKey) {
        VoKeyboard::GetInstance()->KeyDown(aKey);
        VoKeyboard::GetInstance()->KeyUp(aKey);
    }
    // One change, told once (a state that is made is also told its value).
    static void SetState(const char* apId, const char* apType, const char* apValue) {
        VoStateManager* states = VoStateManager::GetInstance();
        states->SetState(VoString(apId), VoString(apType), VoString(apValue), false);
        states->SetState(VoString(apId), VoString(apValue), true);
    }
    static void AddEvent(const char* apId) { VoEventManager::GetInstance()->AddEvent(VoString(apId), true); }

    SceneGame fGame;
    MGCutScenePlayer* fPlayer = MGCutScenePlayer::GetInstance();
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    Journal fJournal;
    RecordingScreen fBase{"base", &fJournal};
    RecordingScreen fMenu{"menu", &fJournal};
};

}  // namespace

TEST_F(MGCutScenePlayerTest, TriggersMatchStatesWithCaseEventsWithoutAndTheFirstEntryWins) {
    SetState("sta_door_open", "boolean", "true");
    EXPECT_EQ(Played(), "//dataroot/movies/door.mkv");

    AddEvent("evt_bell");
    EXPECT_EQ(Narrow(fPlayer->GetTargetScene()), "case1/office");
    EXPECT_EQ(Narrow(fPlayer->GetTargetViewpoint()), "vp_desk");
    EXPECT_EQ(fPlayer->GetDoneEvents().GetCount(), 2);
    EXPECT_EQ(Played(), "//dataroot/movies/bell.mkv");

    // Dependencies: the event trigger waits for its key; a state entry
    // without a trigger state plays on any change while its script holds.
    AddEvent("evt_gate");
    EXPECT_EQ(Played(), "");
    SetState("sta_other", "number", "2");
    EXPECT_EQ(Played(), "");
    AddEvent("evt_alarm");
    SetState("sta_other", "number", "3");
    EXPECT_EQ(Played(), "//dataroot/movies/alarm.mkv");
    // An entry without a trigger type never plays.
    AddEvent("evt_never");
    EXPECT_EQ(Played(), "");
}

TEST_F(MGCutScenePlayerTest, InterviewAndMapEntriesNeedTheirScriptAndMatchTheIdWithoutCase) {
    LogCapture log;
    EXPECT_TRUE(fPlayer->PlayForInterview(VoString(u"CLERK")));
    EXPECT_EQ(Played(), "//dataroot/movies/talk_clerk.mkv");
    // An entry without dependencies is logged and passed over.
    EXPECT_FALSE(fPlayer->PlayForInterview(VoString(u"boss")));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    AddEvent("evt_talked");
    // The entry for any interview stands first.
    EXPECT_TRUE(fPlayer->PlayForInterview(VoString(u"clerk")));
    EXPECT_EQ(Played(), "//dataroot/movies/talk_any.mkv");

    fPlayer->SetTargetScene(VoString(u"elsewhere"), VoString(u"vp_x"));
    EXPECT_FALSE(fPlayer->PlayForLocation(VoString(u"harbour")));
    EXPECT_EQ(Narrow(fPlayer->GetTargetScene()), "elsewhere");
    fPlayer->SetTargetScene(VoString(u""), VoString(u""));
    EXPECT_TRUE(fPlayer->PlayForLocation(VoString(u"Docks")));
    EXPECT_EQ(Narrow(fPlayer->GetTargetScene()), "case1/docks");
    EXPECT_EQ(fPlayer->GetTargetViewpoint().GetLength(), 0);
    EXPECT_EQ(Played(), "//dataroot/movies/docks.mkv");
}

TEST_F(MGCutScenePlayerTest, EnteringCentresTheMovieLocksTheMouseAndHidesTheCursor) {
    stubs::MovieManager::sWidth = 321;
    stubs::MovieManager::sHeight = 101;
    MGOptions::GetInstance()->SetVolume(0.5f);
    fPlayer->Play(VoString(u"door.mkv"));
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fPlayer));
    Enter();
    EXPECT_EQ(fJournal, (Journal{"menu:begin", "menu:end"}));
    stubs::MoviePlayer* movie = Movie();
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->fPath, "//dataroot/movies/door.mkv");
    EXPECT_EQ(Narrow(movie->GetId()), "cutScene");
    EXPECT_EQ(movie->GetPosition(), VoVector2(239.0f, 249.0f));
    EXPECT_EQ(movie->GetVolume(), 0.5f);
    EXPECT_TRUE(movie->fPlaying);
    EXPECT_EQ(movie->GetListener(), static_cast<VoIMovieListener*>(fPlayer));
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    EXPECT_FALSE(MGCursor::GetInstance()->IsActive());
    EXPECT_TRUE(fPlayer->GetQueue().GetCount() == 0);
}

TEST_F(MGCutScenePlayerTest, SpaceSkipsTheWholeRunOnlyFromHalfASecondOn) {
    fPlayer->Play(Strings({"one.mkv", "two.mkv"}));
    Enter();
    ASSERT_NE(Movie(), nullptr);
    fGame.RunFrames(0.4);
    Key(MGCutScenePlayer::kSkipKey);
    EXPECT_EQ(Movie()->fPath, "//dataroot/movies/one.mkv");
    EXPECT_TRUE(Movie()->fPlaying);

    fGame.RunFrames(0.15);
    Key(30);
    EXPECT_TRUE(Movie()->fPlaying);
    Key(MGCutScenePlayer::kSkipKey);
    EXPECT_FALSE(Movie()->fPlaying);
    fGame.RunFrames(2.0);
    // Back on the screen below, the second movie never started.
    EXPECT_EQ(stubs::MoviePlayer::Find("//dataroot/movies/two.mkv"), nullptr);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));
    EXPECT_EQ(fJournal, (Journal{"menu:begin", "menu:end", "menu:enter"}));
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MGCursor::GetInstance()->IsActive());
    EXPECT_EQ(fPlayer->GetMovie(), nullptr);
}

TEST_F(MGCutScenePlayerTest, AMovieEndsWhenItsFrameGoesPastCountLessTen) {
    fPlayer->Play(Strings({"one.mkv", "two.mkv"}));
    Enter();
    stubs::MoviePlayer* one = Movie();
    one->fFrameCount = 100;
    one->fFrame = 90;
    fGame.RunFrames(0.05);
    EXPECT_TRUE(one->fPlaying);
    EXPECT_EQ(Movie(), one);
    one->fFrame = 91;
    fGame.RunFrames(0.05);
    EXPECT_FALSE(one->fPlaying);
    EXPECT_EQ(one->fPauses, 1);
    fGame.RunFrames(1.0);
    ASSERT_NE(Movie(), nullptr);
    EXPECT_EQ(Movie()->fPath, "//dataroot/movies/two.mkv");
    EXPECT_EQ(Movie()->GetRelativeZ(), 1000.0f);
    EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());

    // A movie of ten frames or fewer plays to its own end.
    Movie()->fFrameCount = 8;
    Movie()->fFrame = 8;
    fGame.RunFrames(0.1);
    EXPECT_TRUE(Movie()->fPlaying);
    Movie()->End();
    fGame.RunFrames(2.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));
}

TEST_F(MGCutScenePlayerTest, AMovieEndsOnceWhenItsEndAndItsFrameCheckComeTogether) {
    fPlayer->Play(Strings({"one.mkv", "two.mkv", "three.mkv"}));
    Enter();
    fGame.RunFrames(0.6);
    // The frame check ends the movie; the movie's own end follows.
    Movie()->fFrame = 95;
    fGame.RunFrames(0.05);
    Movie()->End();
    // The fade to black runs its course before the next movie.
    fGame.RunFrames(0.1);
    EXPECT_EQ(Movie()->fPath, "//dataroot/movies/one.mkv");
    fGame.RunFrames(1.0);
    ASSERT_NE(Movie(), nullptr);
    EXPECT_EQ(Movie()->fPath, "//dataroot/movies/two.mkv");
    EXPECT_EQ(fPlayer->GetQueue().GetCount(), 1);

    // Both in one update, for the last movie: the run ends once.
    RunProbe probe(&fJournal);
    fPlayer->SetListener(&probe);
    fPlayer->SetDoneEvents(Strings({"evt_seen"}));
    fGame.RunFrames(0.3);
    Movie()->End();
    fGame.RunFrames(1.0);
    fJournal.clear();
    LogCapture log;
    Movie()->fFrame = 95;
    Movie()->End();
    fGame.RunFrames(2.0);
    EXPECT_EQ(fJournal, (Journal{"end", "menu:enter"}));
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
    EXPECT_FALSE(log.Contains("ID duplication"));
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_seen")));
}

TEST(MGCutScenePlayerRunTest, ARunWithATargetSceneEndsThereOnAnEmptiedStack) {
    struct Case {
        const char* selectedCase;  // null: no state
        bool entered;
    };
    for (const Case& c : {Case{"1", true}, Case{nullptr, false}, Case{"0", false}}) {
        SCOPED_TRACE(c.selectedCase != nullptr ? c.selectedCase : "none");
        SceneGame game;
        game.WriteScene("case1/office", "vp_door");
        MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
        MGScreenManager* screens = MGScreenManager::GetInstance();
        Journal journal;
        RecordingScreen menu("menu", &journal);
        screens->PushScreen(&menu);
        if (c.selectedCase != nullptr) {
            VoStateManager::GetInstance()->SetState(VoString(u"sta_selectedcase"), VoString(u"number"),
                                                    VoString(c.selectedCase), false);
        }
        player->SetTargetScene(VoString(u"case1/office"), VoString(u"vp_desk"));
        player->Play(VoString(u"one.mkv"));
        game.RunFrames(1.0);
        ASSERT_NE(player->GetMovie(), nullptr);
        dynamic_cast<stubs::MoviePlayer*>(player->GetMovie())->End();
        game.RunFrames(2.5);

        MGScene* scene = MGSceneManager::GetInstance()->GetScene();
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(Narrow(scene->GetSceneId()), "case1/office");
        EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_desk");
        EXPECT_EQ(screens->GetScreenCount(), 1);
        EXPECT_EQ(screens->GetTopScreen(), static_cast<MGIScreen*>(scene));
        EXPECT_EQ(scene->IsEntered(), c.entered);
        EXPECT_EQ(journal, (Journal{"menu:begin", "menu:end"}));
        EXPECT_EQ(player->GetMovie(), nullptr);
        EXPECT_EQ(player->GetTargetScene().GetLength(), 0);
        VoIState* selection = VoStateManager::GetInstance()->GetState(VoString(u"sta_caseselection_active"));
        EXPECT_EQ(selection != nullptr && selection->GetBoolean(), !c.entered);
        EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());
        EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    }
}

TEST_F(MGCutScenePlayerTest, ARunWithoutTargetSceneGivesTheViewpointToTheCurrentScene) {
    // The run ends as its last movie does, or skipped while the picture
    // fades to black between two movies; either way the screen stack's fade
    // back to the scene is the only one.
    for (bool skipped : {false, true}) {
        SCOPED_TRACE(skipped);
        ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"case1/office"), false, true));
        MGScene* scene = MGSceneManager::GetInstance()->GetScene();
        fGame.RunFrames(1.0);
        fPlayer->SetTargetScene(VoString(u"-"), VoString(u"vp_window"));
        fPlayer->Play(skipped ? Strings({"one.mkv", "two.mkv"}) : Strings({"one.mkv"}));
        Enter();
        fGame.RunFrames(0.6);
        Movie()->End();
        if (skipped) {
            fGame.RunFrames(0.1);
            Key(MGCutScenePlayer::kSkipKey);
        }
        const VoDisplayGroup* picture = MGScreenFader::GetInstance()->GetGroup();
        bool black = false;
        for (int frame = 0; frame < 40; ++frame) {
            fGame.RunFrames(0.05);
            // Once black, the picture clears only over the scene.
            EXPECT_TRUE(!black || picture->GetBlend() == 1.0f || scene->IsEntered()) << frame;
            black = black || picture->GetBlend() == 1.0f;
        }
        EXPECT_EQ(MGSceneManager::GetInstance()->GetScene(), scene);
        EXPECT_EQ(Narrow(scene->GetTargetViewpoint()), "vp_window");
        EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_window");
        EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(scene));
        EXPECT_TRUE(scene->IsEntered());
        EXPECT_TRUE(scene->IsInputEnabled());
        // No change of the scene's own is left half done.
        EXPECT_FALSE(scene->IsChangePending());
        EXPECT_FALSE(scene->IsFadingIn());
        EXPECT_FALSE(fScreens->IsBusy());
        EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());
        EXPECT_EQ(picture->GetBlend(), 0.0f);
    }
}

TEST_F(MGCutScenePlayerTest, FinishingAddsTheEventsThenSetsTheStatesThenTellsTheListener) {
    RunProbe probe(&fJournal);
    VoEventManager::GetInstance()->AddListener(&probe, 1.0f);
    VoStateManager::GetInstance()->AddListener(&probe, 1.0f);
    VoStateManager::GetInstance()->SetState(VoString(u"sta_lamp"), VoString(u"number"), VoString(u"1"), false);
    fPlayer->SetListener(&probe);
    fPlayer->SetListener(nullptr);
    fPlayer->SetDoneEvents(Strings({"evt_a"}));
    fPlayer->AddDoneEvents(Strings({"evt_b"}));
    fPlayer->SetDoneStates(Strings({"sta_new", "boolean", "true"}));
    fPlayer->AddDoneStates(Strings({"sta_lamp", "number", "7", "sta_half", "boolean"}));
    fPlayer->Play(VoString(u"one.mkv"));
    Enter();
    fJournal.clear();
    Movie()->End();
    fGame.RunFrames(2.0);
    EXPECT_EQ(fJournal, (Journal{"event evt_a", "event evt_b", "state sta_new", "state sta_lamp", "end",
                                 "menu:enter"}));
    EXPECT_TRUE(VoStateManager::GetInstance()->GetState(VoString(u"sta_new"))->GetBoolean());
    EXPECT_EQ(VoStateManager::GetInstance()->GetState(VoString(u"sta_lamp"))->GetNumber(), 7.0f);
    EXPECT_FALSE(VoStateManager::GetInstance()->HasState(VoString(u"sta_half")));
    EXPECT_EQ(fPlayer->GetDoneEvents().GetCount(), 0);
    EXPECT_EQ(fPlayer->GetDoneStates().GetCount(), 0);
    VoEventManager::GetInstance()->RemoveListener(&probe);
    VoStateManager::GetInstance()->RemoveListener(&probe);
}

TEST_F(MGCutScenePlayerTest, AMovieThatCannotBeMadeCountsAsEnded) {
    stubs::Missing().insert("//dataroot/movies/gone.mkv");
    fPlayer->Play(VoString(u"gone.mkv"));
    fGame.RunFrames(2.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MGCursor::GetInstance()->IsActive());
    EXPECT_FALSE(fScreens->IsBusy());
}

TEST_F(MGCutScenePlayerTest, ATriggerWhilePlayingOnlyQueuesAndARefusedPushDropsTheRun) {
    fPlayer->Play(VoString(u"one.mkv"));
    Enter();
    SetState("sta_door_open", "boolean", "true");
    EXPECT_EQ(fPlayer->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(fPlayer->GetQueue().GetAt(0)), "door.mkv");
    EXPECT_EQ(fScreens->GetScreenCount(), 3);
    fGame.RunFrames(0.6);
    Key(MGCutScenePlayer::kSkipKey);
    fGame.RunFrames(2.0);
    ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));

    // A switch under way refuses the push.
    ScreenJournal journal;
    RecordingScreen other("other", &journal);
    ASSERT_TRUE(fScreens->PushFade(&other));
    fGame.RunFrames(0.05);
    ASSERT_TRUE(fScreens->IsBusy());
    LogCapture log;
    fPlayer->SetTargetScene(VoString(u"case1/office"), VoString(u""));
    fPlayer->Play(VoString(u"late.mkv"));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGCutScenePlayer::kPlayRefused) + "late.mkv"));
    EXPECT_EQ(fPlayer->GetQueue().GetCount(), 0);
    EXPECT_EQ(fPlayer->GetTargetScene().GetLength(), 0);
    EXPECT_EQ(fScreens->FindScreen(fPlayer), -1);
}

TEST_F(MGCutScenePlayerTest, SubtitlesShowAtTheirTimesUnlessOptionZeroIsSet) {
    fPlayer->Play(VoString(u"door.mkv"));
    Enter();
    MGSubtitle* box = MGSubtitle::GetInstance();
    EXPECT_EQ(box->GetPosition(), VoVector2(0.0f, 500.0f));
    // The subtitles' clock starts with the movie.
    fGame.RunFrames(0.3);
    EXPECT_EQ(box->GetMainText(), nullptr);
    fGame.RunFrames(0.3);
    ASSERT_NE(box->GetMainText(), nullptr);
    EXPECT_EQ(Narrow(box->GetMainText()->GetText()), "The door creaks.");
    // Shown, and fully visible once its fade-in has ended.
    EXPECT_TRUE(box->IsShown());
    EXPECT_EQ(box->GetAppendedText(), nullptr);
    fGame.RunFrames(0.5);
    EXPECT_TRUE(box->IsVisible());
    ASSERT_NE(box->GetAppendedText(), nullptr);
    EXPECT_EQ(Narrow(box->GetAppendedText()->GetText()), "Someone is there.");
    EXPECT_EQ(box->GetAppendedText()->GetFont(),
              VoFontManager::GetInstance()->GetFont(VoString(u"TW_CEN_MT16_BLUE")));
    Movie()->End();
    fGame.RunFrames(0.1);
    EXPECT_FALSE(box->IsVisible());
    fGame.RunFrames(1.0);

    box->SetText(VoString(u""), nullptr);
    MGOptions::GetInstance()->SetOption(0, 1);
    fPlayer->Play(VoString(u"door.mkv"));
    fGame.RunFrames(2.0);
    EXPECT_EQ(Narrow(box->GetMainText()->GetText()), "");
    EXPECT_FALSE(box->IsVisible());
}

TEST_F(MGCutScenePlayerTest, ARunSkippedBetweenTwoMoviesEndsLikeAnyOther) {
    fPlayer->Play(Strings({"one.mkv", "two.mkv"}));
    Enter();
    fGame.RunFrames(0.6);
    Movie()->End();
    fGame.RunFrames(0.1);
    // Fading to black before the second movie.
    ASSERT_EQ(MGScreenFader::GetInstance()->GetListener(), static_cast<MGIScreenFaderListener*>(fPlayer));
    Key(MGCutScenePlayer::kSkipKey);
    LogCapture log;
    fGame.RunFrames(2.0);
    EXPECT_FALSE(log.Contains(MGSceneManager::kInvalidSceneId));
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fMenu));
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
    EXPECT_EQ(stubs::MoviePlayer::Find("//dataroot/movies/two.mkv"), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());
}

TEST_F(MGCutScenePlayerTest, TheTargetViewpointWaitsForTheSceneAPlacardHoldsBack) {
    fPlayer->SetTargetScene(VoString(u"case1/docks"), VoString(u"vp_boat"));
    fPlayer->Play(VoString(u"one.mkv"));
    Enter();
    LogCapture log;
    Movie()->End();
    fGame.RunFrames(2.0);
    stubs::SoundPlayer* chime = stubs::SoundPlayer::Find("chingching");
    ASSERT_NE(chime, nullptr);
    chime->End();
    fGame.RunFrames(1.0);
    MGScene* scene = MGSceneManager::GetInstance()->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(Narrow(scene->GetSceneId()), "case1/docks");
    EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_boat");
    EXPECT_FALSE(log.Contains("WARNING: "));
}

TEST(MGCutScenePlayerSampleTest, TheSampleCutScenePlaysOnItsEventAndItsMovieOpens) {
    SampleGame game;
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_NE(player, nullptr);
    ScreenJournal journal;
    RecordingScreen menu("menu", &journal);
    MGScreenManager::GetInstance()->PushScreen(&menu);
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_case01_started"), true);
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/lobby");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_entrance");
    ASSERT_EQ(player->GetDoneEvents().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetDoneEvents().GetAt(0)), "evt_case01_intro_played");
    double now = 0.0;
    for (int i = 0; i < 10; ++i) {
        now += 0.05;
        RecordingGame::FrameAt(now);
    }
    ASSERT_NE(player->GetMovie(), nullptr);
    EXPECT_EQ(dynamic_cast<stubs::MoviePlayer*>(player->GetMovie())->fPath, "//dataroot/movies/case01_intro.mkv");
    // Its subtitles name fonts of the sample list.
    for (int i = 0; i < 40; ++i) {
        now += 0.05;
        RecordingGame::FrameAt(now);
    }
    ASSERT_NE(MGSubtitle::GetInstance()->GetAppendedText(), nullptr);
    EXPECT_NE(MGSubtitle::GetInstance()->GetAppendedText()->GetFont(), nullptr);
}

TEST(MGCutScenePlayerSampleTest, TheSampleMovieOpensInTheEnginesPlayer) {
    RecordingGame game;
    ASSERT_TRUE(RecordingGame::MountSampleTree());
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    ASSERT_NE(movies, nullptr);
    VoIMoviePlayer* movie =
        movies->CreateFullScreenMovie(VoString(u"cutScene"), VoString(u"//dataroot/movies/case01_intro.mkv"));
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->GetFrameCount(), 36u);
    EXPECT_EQ(movie->GetWidth(), 160);
    EXPECT_EQ(movie->GetHeight(), 120);
    delete movie;
}
