// The sample case's hotspots, played as a player would on the test's clock:
// in the lobby the letter on the bench (walk there, the five-action menu,
// its spoken look with subtitle, lips and gestures; picking it up), the key
// board that takes the brass key, and the door to the manager's office and
// back again; the clerk at the desk, who is interviewed.
#include <gtest/gtest.h>

#include <string>

#include "MGScreenManager.h"
#include "character/VoGesturePlayer.h"
#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "game/support/SampleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoIDisplayObject.h"
#include "gdi/VoTextArea.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "pda/MGPhone.h"
#include "pda/MGPhoneMessagesPanel.h"
#include "pda/MGPhonePanel.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotInterview.h"
#include "scene/MGHotspotNavigate.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/TestText.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

class MGSampleHotspotsTest : public ::testing::Test {
protected:
    MGSampleHotspotsTest() {
        // As the application's start-up does: the screen stack and its
        // fader before the scenes, which keep the fader until they go.
        MGScreenManager::GetInstance();
        MGOptions::GetInstance()->SetSkillLevel(1);
        VoStateManager::GetInstance()->SetState(VoString(u"sta_selectedcase"), VoString(u"number"),
                                                VoString(u"1"), true);
    }

    // Frames every 0.05 s, as the application runs them.
    void Frames(double aSeconds) {
        const double end = fNow + aSeconds;
        while (fNow < end) {
            fNow += 0.05;
            fGame.FrameAt(fNow);
            MGSceneManager::GetInstance()->Update();
        }
    }
    // Frames until aDone holds, for at most aSeconds; whether it holds.
    template <typename Done>
    bool FramesUntil(Done aDone, double aSeconds) {
        for (double waited = 0.0; waited < aSeconds; waited += 0.05) {
            if (aDone()) {
                return true;
            }
            Frames(0.05);
        }
        return aDone();
    }
    static void Click(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    static MGScene* Scene() { return MGSceneManager::GetInstance()->GetScene(); }
    static std::string SceneId() { return Scene() != nullptr ? Narrow(Scene()->GetSceneId()) : ""; }
    static MGHotspot* Hotspot(const char* apId) {
        MGScene* scene = Scene();
        for (int i = 0; scene != nullptr && i < scene->GetHotspotCount(); ++i) {
            if (Narrow(scene->GetHotspot(i)->GetId()) == apId) {
                return scene->GetHotspot(i);
            }
        }
        return nullptr;
    }
    static VoVector2 PlayerGround() {
        const VoVector3* position = Scene()->GetPlayer()->GetPosition();
        return VoVector2(position->x, position->z);
    }
    static bool HasEvent(const char* apId) { return VoEventManager::GetInstance()->HasEvent(VoString(apId)); }
    static MGMultiCursor* Menu() { return MGMultiCursor::GetInstance(); }
    bool LoadLobby() {
        if (!MGSceneManager::GetInstance()->LoadScene(VoString(u"case01/lobby"), true, true)) {
            return false;
        }
        Frames(0.5);
        return Scene() != nullptr;
    }

    SampleGame fGame;
    double fNow = 0.0;
};

}  // namespace

TEST_F(MGSampleHotspotsTest, TheLetterOnTheBenchIsLookedAtAndPickedUp) {
    ASSERT_TRUE(LoadLobby());
    // The letter, the office door, the key board and the way to the desk.
    EXPECT_EQ(Scene()->GetHotspotCount(), 4);
    MGHotspot* letter = Hotspot("letter");
    ASSERT_NE(letter, nullptr);
    ASSERT_NE(letter->GetDisplayMember(), nullptr);
    EXPECT_TRUE(letter->GetDisplayMember()->GetActive());

    // The detective walks from the entrance to the bench, turns to it, and
    // the menu opens.
    Click(76.0f, 290.0f);
    EXPECT_EQ(MGCursor::GetInstance()->GetOwner(), VoString(u"letter"));
    ASSERT_TRUE(FramesUntil([&] { return Menu()->GetListener() == letter && Menu()->IsShown(); }, 20.0));
    EXPECT_LT(PlayerGround().Distance(VoVector2(-200.0f, 300.0f)), 25.0f);
    EXPECT_TRUE(Menu()->GetButton(MGIMultiCursorListener::kLook)->IsEnabled());
    EXPECT_TRUE(Menu()->GetButton(MGIMultiCursorListener::kUse)->IsEnabled());
    EXPECT_TRUE(Menu()->GetButton(MGIMultiCursorListener::kCollect)->IsEnabled());
    EXPECT_FALSE(Menu()->GetButton(MGIMultiCursorListener::kAnalyze)->IsEnabled());

    // Look: the line, its subtitle, the detective's lips and gesture.
    Click(110.0f + 25.0f, 215.0f + 25.0f);
    stubs::SoundPlayer* voice = stubs::SoundPlayer::Find("hotspotSound");
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->fPath, "//sounds/lobby_letter_look.ogg");
    EXPECT_EQ(voice->fPlays, 1);
    VoTextArea* subtitle = MGSubtitle::GetInstance()->GetMainText();
    ASSERT_NE(subtitle, nullptr);
    EXPECT_EQ(Narrow(subtitle->GetText()),
              "A letter on the bench, addressed to the manager. Somebody left it in a hurry.");
    EXPECT_TRUE(MGSubtitle::GetInstance()->IsShown());
    MGCharacter* kestrin = Scene()->GetPlayer();
    EXPECT_NE(kestrin->GetLipSyncPlayer(), nullptr);
    ASSERT_NE(letter->GetGesturePlayer(), nullptr);
    EXPECT_EQ(letter->GetGesturePlayer()->GetCharacter(VoString(u"primary")), kestrin);
    EXPECT_FALSE(Scene()->IsInputEnabled());
    Frames(1.0);
    voice->End();
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_FALSE(MGSubtitle::GetInstance()->IsShown());
    EXPECT_TRUE(HasEvent("evt_letter_lobby_letter_look_played"));

    // Again: look is heard; collect picks the letter up from the bench.
    Frames(0.5);
    Click(76.0f, 290.0f);
    ASSERT_TRUE(FramesUntil([&] { return Menu()->IsShown(); }, 5.0));
    EXPECT_FALSE(Menu()->GetButton(MGIMultiCursorListener::kLook)->IsEnabled());
    letter->OnAction(MGIMultiCursorListener::kCollect);
    EXPECT_EQ(kestrin->GetActionCode(), MGCharacter::kActionPickTable);
    ASSERT_TRUE(FramesUntil([&] { return kestrin->GetActionCode() == 0; }, 10.0));
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"letter")));
    EXPECT_TRUE(HasEvent("evt_letter_collected"));
    EXPECT_FALSE(letter->GetDisplayMember()->GetActive());
    EXPECT_FALSE(letter->IsListening());
    EXPECT_TRUE(Scene()->IsInputEnabled());
}

TEST_F(MGSampleHotspotsTest, TheBrassKeyGoesBackOnTheKeyBoard) {
    ASSERT_TRUE(LoadLobby());
    MGCursor::GetInstance()->SetItemCursor(VoString(u"brasskey"));
    Click(540.0f, 185.0f);
    ASSERT_TRUE(FramesUntil([] { return stubs::SoundPlayer::Find("hotspotSound") != nullptr; }, 20.0));
    EXPECT_EQ(stubs::SoundPlayer::Find("hotspotSound")->fPath, "//sounds/lobby_keys_returned.ogg");
    EXPECT_TRUE(HasEvent("evt_used_brasskey_keyboard"));
    EXPECT_TRUE(HasEvent("evt_brasskey_returned"));
    VoIState* returned = VoStateManager::GetInstance()->GetState(VoString(u"sta_lobby_key_returned"));
    ASSERT_NE(returned, nullptr);
    EXPECT_TRUE(returned->GetBoolean());
    EXPECT_EQ(MGCursor::GetInstance()->GetBaseId(), MGCursor::kDefault);
}

TEST_F(MGSampleHotspotsTest, TheDoorLeadsToTheOfficeAndBack) {
    ASSERT_TRUE(LoadLobby());
    // The door at the back: the topleft cursor, the walk, the fade, the office.
    Click(220.0f, 230.0f);
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 9);
    ASSERT_TRUE(FramesUntil([] { return SceneId() == "case01/office"; }, 30.0));
    Frames(1.0);
    EXPECT_EQ(Narrow(Scene()->GetViewpointId()), "vp_office");
    EXPECT_TRUE(Scene()->IsEntered());
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_TRUE(HasEvent("evt_office_visited"));
    EXPECT_LT(PlayerGround().Distance(VoVector2(-160.0f, 140.0f)), 1.0f);
    ASSERT_NE(Hotspot("lobby_door"), nullptr);

    // And back through the office's door to the lobby's entrance.
    Click(80.0f, 250.0f);
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 5);
    ASSERT_TRUE(FramesUntil([] { return SceneId() == "case01/lobby"; }, 30.0));
    Frames(1.0);
    EXPECT_EQ(Narrow(Scene()->GetViewpointId()), "vp_entrance");
    EXPECT_TRUE(Scene()->IsEntered());
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_LT(PlayerGround().Distance(VoVector2(0.0f, 70.0f)), 1.0f);
    EXPECT_NE(Hotspot("office_door"), nullptr);
}

TEST_F(MGSampleHotspotsTest, TheClerkAtTheDeskIsInterviewed) {
    ASSERT_TRUE(LoadLobby());
    ASSERT_TRUE(Scene()->SetViewpoint(VoString(u"vp_desk")));
    MGHotspotInterview* clerk = dynamic_cast<MGHotspotInterview*>(Hotspot("clerk"));
    ASSERT_NE(clerk, nullptr);
    EXPECT_EQ(Narrow(clerk->GetData()->fInterviewId), "117");
    EXPECT_EQ(clerk->GetData()->fPosition, VoVector2(20.0f, 200.0f));
    Click(350.0f, 280.0f);
    ASSERT_TRUE(FramesUntil([&] { return Menu()->GetListener() == clerk && Menu()->IsShown(); }, 10.0));
    EXPECT_TRUE(Menu()->GetButton(MGIMultiCursorListener::kTalk)->IsEnabled());
    // Talk: the clerk turns to the detective and the interview begins.
    Click(400.0f + 25.0f, 220.0f + 215.0f + 25.0f);
    ASSERT_TRUE(FramesUntil([] { return Scene()->IsInInterview(); }, 10.0));
    MGInterview* interview = MGInterviewManager::GetInstance()->GetCurrentInterview();
    ASSERT_NE(interview, nullptr);
    EXPECT_EQ(Narrow(interview->GetId()), "117");
    EXPECT_EQ(interview->GetPosition(), VoVector2(20.0f, 200.0f));
    EXPECT_FALSE(clerk->IsWaitingForPose());
}

TEST_F(MGSampleHotspotsTest, TheHotspotsThatTieTheCaseTogetherDoWhatTheyShould) {
    // Per hotspot: the scene, a point on it, the action taken from its menu,
    // and the event or boolean state that action leaves.
    struct Case {
        const char16_t* scene;
        const char* hotspot;
        float x, y;
        int action;
        const char* event;
        const char* state;
    };
    const Case cases[] = {
        {u"precinct", "casefiles", 240.0f, 420.0f, MGIMultiCursorListener::kUse, nullptr,
         "sta_caseselection_active"},
        {u"case01/riverbank", "cufflink", 550.0f, 436.0f, MGIMultiCursorListener::kCollect,
         "evt_1rb01_collected", nullptr},
        {u"case01/riverbank", "boathouse", 180.0f, 260.0f, MGIMultiCursorListener::kUse, nullptr,
         "sta_keypadpuzzle_active"},
        {u"case01/office", "profiler", 670.0f, 300.0f, MGIMultiCursorListener::kUse, nullptr,
         "sta_profiler_active"},
        {u"puzzles", "locker_cigarband", 160.0f, 140.0f, MGIMultiCursorListener::kUse, nullptr,
         "sta_cigarbandpuzzle_active"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hotspot);
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(c.scene), true, true));
        ASSERT_TRUE(FramesUntil([] { return Scene()->IsEntered() && Scene()->IsInputEnabled(); }, 5.0));
        Frames(0.5);
        MGHotspot* hotspot = Hotspot(c.hotspot);
        ASSERT_NE(hotspot, nullptr);
        // The detective walks over, turns, and the hotspot's menu opens.
        Click(c.x, c.y);
        ASSERT_TRUE(FramesUntil([&] { return Menu()->GetListener() == hotspot && Menu()->IsShown(); }, 20.0));
        EXPECT_TRUE(Menu()->GetButton(c.action)->IsEnabled());
        float x = -1.0f;
        float y = -1.0f;
        PuzzleGame::CentreOf(Menu()->GetButton(c.action), &x, &y);
        Click(x, y);
        if (c.event != nullptr) {
            ASSERT_TRUE(FramesUntil([&] { return HasEvent(c.event); }, 10.0));
        }
        if (c.state != nullptr) {
            VoIState* state = VoStateManager::GetInstance()->GetState(VoString(c.state));
            EXPECT_TRUE(state != nullptr && state->GetBoolean()) << c.state;
        }
        Frames(0.5);
    }
}

// The crime lab's booth in the squad room: talking there starts the lab's
// expert interview; with the cufflink's result ready it opens the expert
// computer, whose topic button shows the card and gives the result item.
TEST_F(MGSampleHotspotsTest, TheCrimeLabBoothInTheSquadRoomShowsTheCufflinksResult) {
    ASSERT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->AddItem(VoString(u"1rb01")));
    VoEventManager::GetInstance()->AddEvent(VoString(u"1rb01_CL_S"), true);
    VoEventManager::GetInstance()->AddEvent(VoString(u"1rb01_CL_R"), true);
    ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"precinct"), true, true));
    Frames(0.5);
    MGHotspotInterview* booth = dynamic_cast<MGHotspotInterview*>(Hotspot("crimelab"));
    ASSERT_NE(booth, nullptr);
    EXPECT_EQ(Narrow(booth->GetData()->fInterviewId), "1CL01");
    Click(470.0f, 240.0f);
    ASSERT_TRUE(FramesUntil([&] { return Menu()->GetListener() == booth && Menu()->IsShown(); }, 10.0));
    Click(470.0f + 25.0f, 200.0f + 215.0f + 25.0f);
    ASSERT_TRUE(FramesUntil([] { return Scene()->IsInInterview(); }, 10.0));
    MGExpertInterview* expert =
        dynamic_cast<MGExpertInterview*>(MGInterviewManager::GetInstance()->GetCurrentInterview());
    ASSERT_NE(expert, nullptr);
    EXPECT_EQ(Narrow(expert->GetId()), "1CL01");

    // The greeting ends, the computer fades in behind the notepad.
    ASSERT_TRUE(FramesUntil([] { return stubs::SoundPlayer::Find("sequenceSound") != nullptr; }, 2.0));
    stubs::SoundPlayer::Find("sequenceSound")->End();
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return computer->IsBuilt() && expert->GetNotepad()->GetActive(); }, 5.0));
    EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), computer);
    VoButton* topic = expert->GetExpertTopicArea()->GetButton(VoString(u"1rb01"));
    ASSERT_NE(topic, nullptr);
    ASSERT_TRUE(topic->IsEnabled());
    VoVector2 place;
    topic->GetWorldPosition(place);
    EXPECT_EQ(place, VoVector2(-130.0f + 172.0f, 45.0f));
    Click(place.x + 40.0f, place.y + 10.0f);
    ASSERT_TRUE(
        FramesUntil([&] { return !computer->IsTyping() && computer->GetResultIcon() != nullptr; }, 30.0));
    EXPECT_EQ(Narrow(computer->GetItemField()->GetText()), "Gold cufflink, engraved N.R.");
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"1rb01_CL")));
}

// The whole expert chain by clicks alone, as the scripted playthrough drives
// it: the cufflink analysed from the PDA's evidence, the lab's voice mail
// heard from the phone, then the crime lab's booth, its card and the exit.
TEST_F(MGSampleHotspotsTest, TheCufflinksAnalysisIsDrivenByClicksFromThePDAToTheExpertComputer) {
    // The application's Init makes the phone, which hears every event.
    ASSERT_NE(MGPhone::GetInstance(), nullptr);
    ASSERT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->AddItem(VoString(u"1rb01")));
    ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"precinct"), true, true));
    Frames(0.5);
    MGPDAMinimized* bar = MGPDAMinimized::GetInstance();
    MGPDA* pda = MGPDA::GetInstance();
    ASSERT_TRUE(bar->IsShown());
    const auto clickObject = [](VoIDisplayObject* apObject) {
        float x = -1.0f;
        float y = -1.0f;
        PuzzleGame::CentreOf(apObject, &x, &y);
        EXPECT_GE(x, 0.0f);
        Click(x, y);
        return VoVector2(x, y);
    };
    const auto openPDA = [&](const char16_t* apPanel) {
        clickObject(bar->GetMaximizeButton());
        EXPECT_TRUE(FramesUntil([&] { return pda->IsOpen(); }, 5.0));
        Frames(0.5);
        clickObject(pda->GetMenuButton(VoString(apPanel)));
        Frames(0.5);
    };

    // Analyse: the inventory, its evidence, the cufflink's menu, "analyze".
    openPDA(MGPDA::kInventory);
    MGInventoryPanel* inventory = pda->GetInventoryPanel();
    clickObject(inventory->GetCategoryButton(MGInventoryPanel::kEvidence));
    Frames(0.2);
    Click(100.0f + 171.0f + 20.0f, 100.0f + 85.0f + 20.0f);
    ASSERT_TRUE(FramesUntil([] { return Menu()->IsShown(); }, 2.0));
    clickObject(Menu()->GetButton(MGIMultiCursorListener::kAnalyze));
    EXPECT_TRUE(HasEvent("1rb01_CL_S"));
    clickObject(pda->GetMenuButton(VoString(MGPDA::kExit)));
    ASSERT_TRUE(FramesUntil([&] { return !pda->IsOpen() && bar->IsShown(); }, 5.0));

    // Five game seconds later the result (the game clock moves with the
    // player's actions: a second for each action of the menu, two for a
    // walk to another view, seven for a journey on the map): the lab's mail
    // waits, the bar blinks.
    VoGameClock::GetInstance()->AdvanceTime(3.9f, true);
    EXPECT_FALSE(HasEvent("1rb01_CL_R"));
    VoGameClock::GetInstance()->AdvanceTime(MGHotspotNavigate::kArrivalSeconds, true);
    ASSERT_TRUE(HasEvent("1rb01_CL_R"));
    EXPECT_GE(MGPhone::GetInstance()->GetMessageCount(), 1);
    EXPECT_TRUE(bar->IsBlinking());

    // The voice mail: the phone, its messages, "listen_yes".
    openPDA(MGPDA::kPhone);
    MGPhonePanel* phone = dynamic_cast<MGPhonePanel*>(pda->GetPanel(VoString(MGPDA::kPhone)));
    ASSERT_NE(phone, nullptr);
    clickObject(phone->GetMenuButton(VoString(MGPhonePanel::kMessagesId)));
    Frames(0.2);
    ASSERT_TRUE(phone->GetMessages()->GetYesButton()->GetActive());
    clickObject(phone->GetMessages()->GetYesButton());
    ASSERT_NE(stubs::SoundPlayer::Find("phone_message"), nullptr);
    // The lab's generic mail, then research's (the cufflink went to both).
    const std::string mail = stubs::SoundPlayer::Find("phone_message")->fPath;
    EXPECT_TRUE(mail.find("vm_e_") != std::string::npos) << mail;
    clickObject(pda->GetMenuButton(VoString(MGPDA::kExit)));
    ASSERT_TRUE(FramesUntil([&] { return !pda->IsOpen(); }, 5.0));

    // The booth: talk, the greeting, the computer, the cufflink's topic.
    Click(470.0f, 240.0f);
    ASSERT_TRUE(FramesUntil([] { return Menu()->IsShown(); }, 10.0));
    clickObject(Menu()->GetButton(MGIMultiCursorListener::kTalk));
    ASSERT_TRUE(FramesUntil([] { return stubs::SoundPlayer::Find("sequenceSound") != nullptr; }, 10.0));
    stubs::SoundPlayer::Find("sequenceSound")->End();
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    MGExpertInterview* expert =
        dynamic_cast<MGExpertInterview*>(MGInterviewManager::GetInstance()->GetCurrentInterview());
    ASSERT_NE(expert, nullptr);
    ASSERT_TRUE(FramesUntil([&] { return computer->IsBuilt() && expert->GetNotepad()->GetActive(); }, 5.0));
    const VoVector2 topic = clickObject(expert->GetExpertTopicArea()->GetButton(VoString(u"1rb01")));
    ASSERT_TRUE(
        FramesUntil([&] { return !computer->IsTyping() && computer->GetResultIcon() != nullptr; }, 30.0));
    EXPECT_EQ(Narrow(computer->GetLocationField()->GetText()), "Riverbank, below the pier");
    EXPECT_TRUE(inventory->HasItem(VoString(u"1rb01_CL")));
    for (int line = 0; line < 2; ++line) {
        ASSERT_TRUE(FramesUntil([] { return stubs::SoundPlayer::Find("sequenceSound") != nullptr; }, 5.0));
        stubs::SoundPlayer::Find("sequenceSound")->End();
        Frames(0.1);
    }
    EXPECT_TRUE(HasEvent("evt_1cl01_1rb01_viewed"));

    // The exit: the computer fades away, the scene fades back, the goodbye.
    const VoVector2 exit = clickObject(expert->GetNotepad()->GetMember(VoString(u"btn_exit")));
    ASSERT_TRUE(FramesUntil([&] { return !computer->IsBuilt(); }, 5.0));
    ASSERT_TRUE(FramesUntil([] { return stubs::SoundPlayer::Find("sequenceSound") != nullptr; }, 5.0));
    stubs::SoundPlayer::Find("sequenceSound")->End();
    ASSERT_TRUE(FramesUntil([] { return !Scene()->IsInInterview(); }, 5.0));
    // Where the playthrough clicks: the topic's button and the exit cross.
    EXPECT_EQ(topic, VoVector2(116.0f, 57.0f));
    EXPECT_EQ(exit, VoVector2(227.0f, 23.0f));
}
