#include "pda/MGPhonePanel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoRectangle.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "pda/MGPhone.h"
#include "pda/MGPhoneDirectoryPanel.h"
#include "pda/MGPhoneMessagesPanel.h"
#include "platform/VoKeyboard.h"
#include "support/LogCapture.h"
#include "util/MGOptions.h"

namespace {

// m1 to m3 with sound, m1 and m3 with subtitles of the sample's subtitle
// file, m2 with a key it lacks; "mute" without sound. All due on evt_go,
// "mute" and "late" on evt_mute.
constexpr const char* kCatalogue =
    "regular\n"
    "\tmute\n\t\ttrigger=script[e[evt_mute]]\n\t\tplayedevent=evt_mute_played\n\t\tsubtitle=vm_e_2\n"
    "\tm1\n\t\ttrigger=script[e[evt_go]]\n\t\tplayedevent=evt_m1_played\n\t\taudio=m1.ogg\n\t\tsubtitle=vm_e_1\n"
    "\tm2\n\t\ttrigger=script[e[evt_go]]\n\t\tplayedevent=evt_m2_played\n\t\taudio=m2.ogg\n\t\tsubtitle=nokey\n"
    "\tm3\n\t\ttrigger=script[e[evt_go]]\n\t\tplayedevent=evt_m3_played\n\t\taudio=m3.ogg\n\t\tsubtitle=vm_r_1\n"
    "\tlate\n\t\ttrigger=script[e[evt_mute]]\n\t\taudio=late.ogg\n";

// A directory of four entries in case 1, of which only the third is listed,
// and one in case 2 whose interview the catalogue lacks.
constexpr const char* kDirectory =
    "groups\n"
    "\tg02-directory\n"
    "\t\toverlay\n\t\t\tid=dir_overlay\n\t\t\ttexture=phone_ui.tga\n\t\t\tposition=171|85\n"
    "\t\tlines\n\t\t\tid=dir_lines\n\t\t\ttexture=phone_ui.tga\n"
    "\t\tcall_button\n\t\t\tid=call_button\n\t\t\tstates\n\t\t\t\tn\n\t\t\t\t\tid=call_n\n\t\t\t\t\tstatetype=n\n"
    "\t\t\t\t\tobjecttype=sprite\n\t\t\t\t\ttexture=phone_ui.tga\n"
    "\tg03-call_progress\n\t\tid=call_progress\n\t\tsprites\n"
    "\t\t\tconnecting\n\t\t\t\tid=connecting\n\t\t\t\ttexture=phone_ui.tga\n"
    "\tg07-directory_content\n"
    "\t\tcase1\n"
    "\t\t\te0\n\t\t\t\tid=e0\n\t\t\t\tname=Zero\n\t\t\t\tnumber=000\n\t\t\t\tinterview=119\n\t\t\t\tenabled=script[false]\n"
    "\t\t\te1\n\t\t\t\tid=e1\n\t\t\t\tname=One\n\t\t\t\tnumber=111\n\t\t\t\tinterview=119\n\t\t\t\tenabled=script[false]\n"
    "\t\t\te2\n\t\t\t\tid=e2\n\t\t\t\tname=Two\n\t\t\t\tnumber=222\n\t\t\t\tinterview=119\n\t\t\t\tenabled=script[true]\n"
    "\t\t\te3\n\t\t\t\tid=e3\n\t\t\t\tname=Three\n\t\t\t\tnumber=333\n\t\t\t\tinterview=119\n\t\t\t\tenabled=script[false]\n"
    "\t\tcase2\n"
    "\t\t\tfar\n\t\t\t\tid=far\n\t\t\t\tname=Far\n\t\t\t\tnumber=9\n\t\t\t\tinterview=nobody\n\t\t\t\tenabled=script[true]\n";

std::string Rectangle(const VoRectangle* apRectangle) {
    if (apRectangle == nullptr) {
        return "none";
    }
    return std::to_string(static_cast<int>(apRectangle->x)) + "," + std::to_string(static_cast<int>(apRectangle->y)) +
           "," + std::to_string(static_cast<int>(apRectangle->width)) + "," +
           std::to_string(static_cast<int>(apRectangle->height));
}

std::string Text(VoTextArea* apText) {
    return apText != nullptr ? Narrow(apText->GetText()) : "?";
}

class MGPhonePanelTest : public ::testing::Test {
protected:
    MGPhonePanelTest() {
        fGame.fFolder.Write("phone.txt", kCatalogue);
        EXPECT_TRUE(fPhone->Load(VoString(u"//scenes/phone.txt")));
        fGame.OpenOn(MGPDA::kPhone);
        fPanel = dynamic_cast<MGPhonePanel*>(PDAGame::PDA()->GetPanel(VoString(u"phone")));
    }

    MGPhoneMessagesPanel* Messages() const { return fPanel->GetMessages(); }
    void ClickMenu(const char16_t* apId) { fPanel->OnButtonEvent(VoString(apId), VoIButtonListener::kClick); }
    static void Event(const char* apId) { VoEventManager::GetInstance()->AddEvent(VoString(apId), true); }
    static stubs::SoundPlayer* Message() { return stubs::SoundPlayer::Find("phone_message"); }

    PDAGame fGame;
    MGPhone* fPhone = MGPhone::GetInstance();
    MGPhonePanel* fPanel = nullptr;
};

// A directory panel of its own on kDirectory, in the PDA of the game.
class MGPhoneDirectoryTest : public MGPhonePanelTest {
protected:
    MGPhoneDirectoryTest() {
        EXPECT_TRUE(fLayout.Parse(VoString(kDirectory)));
        fDirectory.Create(&fLayout);
    }
    ~MGPhoneDirectoryTest() override { fDirectory.ClearContent(); }

    // Frames every 0.02 s until the PDA's scale has stopped changing for a
    // frame while aBusy holds: the number of changes.
    int Steps(bool (MGPhoneDirectoryPanel::*aBusy)() const) {
        VoDisplayGroup* pda = PDAGame::PDA()->GetGroup();
        VoVector2 last;
        pda->GetScale(last);
        int steps = 0;
        for (int i = 0; i < 200 && (fDirectory.*aBusy)(); ++i) {
            fGame.Frame(0.02);
            VoVector2 scale;
            pda->GetScale(scale);
            if (!(scale == last)) {
                ++steps;
                last = scale;
            }
        }
        return steps;
    }

    VoPropertyList fLayout;
    MGPhoneDirectoryPanel fDirectory;
};

}  // namespace

TEST_F(MGPhonePanelTest, ThePanelShowsItsMenuAloneAndRefreshesTheQueue) {
    ASSERT_NE(fPanel, nullptr);
    EXPECT_TRUE(fPanel->IsShown());
    EXPECT_TRUE(fPanel->GetPhoneGroup()->GetActive());
    EXPECT_NE(fPanel->GetMenuButton(VoString(u"directory")), nullptr);
    EXPECT_NE(fPanel->GetMenuButton(VoString(u"messages")), nullptr);
    EXPECT_FALSE(fPanel->IsDirectoryShown());
    EXPECT_FALSE(fPanel->IsMessagesShown());
    // Without an event to tell it, a message is queued when the phone shows.
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_mute"), false);
    EXPECT_EQ(fPhone->GetMessageCount(), 0);
    fPanel->Hide();
    fPanel->Show();
    EXPECT_EQ(fPhone->GetMessageCount(), 2);
}

TEST_F(MGPhonePanelTest, ThreeMessagesCountDownAsTheyPlayAndTheLastEndStopsTheLights) {
    Event("evt_go");
    PDAGame::Bar()->Blink(1, 0.0f, 0.8f);
    MGOptions::GetInstance()->SetVolume(0.5f);
    ClickMenu(u"messages");
    ASSERT_TRUE(fPanel->IsMessagesShown());
    EXPECT_EQ(Text(Messages()->GetCountText()), "You have 3 New Messages");
    EXPECT_TRUE(Messages()->GetPromptText()->GetVisible());
    EXPECT_EQ(Text(Messages()->GetPromptText()), "Listen to them now?");
    EXPECT_TRUE(Messages()->GetYesButton()->GetActive());
    EXPECT_TRUE(Messages()->GetNoButton()->GetActive());

    Messages()->OnButtonEvent(VoString(u"listen_yes"), VoIButtonListener::kClick);
    EXPECT_FALSE(Messages()->GetYesButton()->GetActive());
    EXPECT_FALSE(Messages()->GetPromptText()->GetVisible());
    MGSubtitle* subtitle = MGSubtitle::GetInstance();
    struct Step {
        const char* count;
        const char* sound;
        bool subtitled;
    };
    const Step steps[] = {{"3", "//dataroot/sounds/m1.ogg", true},
                          {"2", "//dataroot/sounds/m2.ogg", false},
                          {"1", "//dataroot/sounds/m3.ogg", true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.sound);
        EXPECT_EQ(Text(Messages()->GetCountText()), std::string("You have ") + step.count + " New Messages");
        stubs::SoundPlayer* player = Message();
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->fPath, step.sound);
        EXPECT_EQ(player->fPlays, 1);
        EXPECT_FLOAT_EQ(player->fVolume, 0.5f);
        EXPECT_EQ(subtitle->IsShown(), step.subtitled);
        if (step.subtitled) {
            EXPECT_EQ(subtitle->GetPosition(), VoVector2(0.0f, 500.0f));
        }
        fGame.RunFrames(0.4);
        player->End();
    }
    EXPECT_EQ(Text(Messages()->GetCountText()), "You have 0 New Messages");
    EXPECT_EQ(Message(), nullptr);
    EXPECT_FALSE(PDAGame::Bar()->IsBlinking());
    for (const char* played : {"evt_m1_played", "evt_m2_played", "evt_m3_played"}) {
        EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(played))) << played;
    }
    EXPECT_EQ(Narrow(subtitle->GetMainText()->GetText()),
              "Research here. The records you asked for came back.");
}

TEST_F(MGPhonePanelTest, TheSpaceBarPlaysTheNextMessageAndTheButtonsIgnoreCase) {
    Event("evt_go");
    ClickMenu(u"messages");
    // Before "listen_yes" the space bar starts the first message.
    VoKeyboard::GetInstance()->KeyDown(MGPhoneMessagesPanel::kSkipKey);
    VoKeyboard::GetInstance()->KeyUp(MGPhoneMessagesPanel::kSkipKey);
    ASSERT_NE(Message(), nullptr);
    EXPECT_EQ(Message()->fPath, "//dataroot/sounds/m1.ogg");
    // It cuts the message short and moves on.
    VoKeyboard::GetInstance()->KeyDown(MGPhoneMessagesPanel::kSkipKey);
    EXPECT_EQ(Message()->fPath, "//dataroot/sounds/m2.ogg");
    Messages()->OnButtonEvent(VoString(u"LISTEN_NO"), VoIButtonListener::kClick);
    EXPECT_FALSE(Messages()->GetGroup()->GetActive());
    // The phone's menu stays.
    EXPECT_TRUE(fPanel->GetPhoneGroup()->GetActive());
    Messages()->Show();
    Messages()->OnButtonEvent(VoString(u"Listen_Yes"), VoIButtonListener::kClick);
    EXPECT_EQ(Message()->fPath, "//dataroot/sounds/m3.ogg");
}

TEST_F(MGPhonePanelTest, LeavingThePhoneStopsTheMessageWhichIsNotQueuedAgain) {
    Event("evt_go");
    ClickMenu(u"messages");
    Messages()->OnButtonEvent(VoString(u"listen_yes"), VoIButtonListener::kClick);
    ASSERT_NE(Message(), nullptr);
    fPanel->Hide();
    EXPECT_EQ(Message(), nullptr);
    EXPECT_EQ(VoKeyboard::GetInstance()->GetListenerCount(), 0);
    EXPECT_FALSE(fPanel->IsMessagesShown());
    fPhone->UpdateMessages();
    EXPECT_EQ(fPhone->GetMessageCount(), 2);
    // Back on the phone: the two left.
    fPanel->Show();
    ClickMenu(u"messages");
    EXPECT_EQ(Text(Messages()->GetCountText()), "You have 2 New Messages");
}

TEST_F(MGPhonePanelTest, AMessageWithoutSoundPlaysNothingAndWaitsForTheNextKey) {
    Event("evt_mute");
    ClickMenu(u"messages");
    Messages()->OnButtonEvent(VoString(u"listen_yes"), VoIButtonListener::kClick);
    EXPECT_EQ(Text(Messages()->GetCountText()), "You have 2 New Messages");
    EXPECT_EQ(Message(), nullptr);
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_mute_played")));
    EXPECT_EQ(fPhone->GetMessageCount(), 1);
    Messages()->OnKeyDown(MGPhoneMessagesPanel::kSkipKey);
    ASSERT_NE(Message(), nullptr);
    EXPECT_EQ(Message()->fPath, "//dataroot/sounds/late.ogg");
    // A stream that cannot be opened plays nothing either.
    stubs::Missing().insert("//dataroot/sounds/m1.ogg");
    Event("evt_go");
    Messages()->PlayNext();
    EXPECT_EQ(Message(), nullptr);
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_m1_played")));
}

TEST_F(MGPhonePanelTest, AnEmptyQueueShowsNoPromptAndNoButtons) {
    ClickMenu(u"messages");
    EXPECT_EQ(Text(Messages()->GetCountText()), "You have 0 New Messages");
    EXPECT_FALSE(Messages()->GetPromptText()->GetVisible());
    EXPECT_FALSE(Messages()->GetYesButton()->GetActive());
    EXPECT_FALSE(Messages()->GetNoButton()->GetActive());
    EXPECT_EQ(Messages()->GetCountText()->GetPosition(), VoVector2(223.0f, 130.0f));
    EXPECT_EQ(Messages()->GetPromptText()->GetPosition(), VoVector2(223.0f, 145.0f));
}

TEST_F(MGPhonePanelTest, TheMenuSwitchesBetweenTheDirectoryAndTheMessages) {
    VoDisplayGroup* pdaGroup = PDAGame::PDA()->GetGroup();
    MGPhoneDirectoryPanel* directory = fPanel->GetDirectory();
    ClickMenu(u"directory");
    ASSERT_TRUE(fPanel->IsDirectoryShown());
    VoDisplayGroup* content = directory->GetContent();
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), content);
    EXPECT_EQ(directory->GetOverlay()->GetGroup(), pdaGroup);
    // The sample's case 1 lists the manager; his home number waits for an event.
    EXPECT_NE(content->GetMember(VoString(u"manager")), nullptr);
    EXPECT_EQ(content->GetMember(VoString(u"manager_home")), nullptr);
    // Clicked again: built afresh.
    ClickMenu(u"directory");
    EXPECT_NE(directory->GetContent(), nullptr);
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), directory->GetContent());
    ClickMenu(u"messages");
    EXPECT_TRUE(fPanel->IsMessagesShown());
    EXPECT_FALSE(fPanel->IsDirectoryShown());
    EXPECT_EQ(directory->GetContent(), nullptr);
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), nullptr);
    EXPECT_EQ(directory->GetOverlay()->GetGroup(), nullptr);
    ClickMenu(u"directory");
    EXPECT_FALSE(fPanel->IsMessagesShown());
    EXPECT_FALSE(Messages()->GetGroup()->GetActive());
}

TEST_F(MGPhonePanelTest, AMenuWithoutItsButtonsIsSaidAndThePanelStillWorks) {
    VoPropertyList layout;
    ASSERT_TRUE(layout.Parse(VoString(u"groups\n\tg01-menu\n\t\tid=phonemenu\n")));
    LogCapture log;
    MGPhonePanel panel(nullptr);
    EXPECT_TRUE(panel.Create(&layout));
    EXPECT_EQ(log.Count("ASSERT FAILURE: game/pda/MGPhonePanel.cpp"), 2);
    EXPECT_TRUE(panel.Show());
    EXPECT_TRUE(panel.Hide());
}

TEST_F(MGPhoneDirectoryTest, EveryEntryKeepsItsRowListedOrNot) {
    fDirectory.BuildContent();
    VoDisplayGroup* content = fDirectory.GetContent();
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(Narrow(content->GetId()), "directory_content");
    for (const char* id : {"name_0", "name_1", "name_3", "number_0", "e0", "e1", "e3"}) {
        EXPECT_EQ(content->GetMember(VoString(id)), nullptr) << id;
    }
    VoTextArea* name = dynamic_cast<VoTextArea*>(content->GetMember(VoString(u"name_2")));
    VoTextArea* number = dynamic_cast<VoTextArea*>(content->GetMember(VoString(u"number_2")));
    VoIDisplayObject* button = content->GetMember(VoString(u"e2"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(number, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(name->GetPosition(), VoVector2(10.0f, 58.0f));
    EXPECT_EQ(number->GetPosition(), VoVector2(140.0f, 58.0f));
    EXPECT_EQ(button->GetPosition(), VoVector2(220.0f, 59.0f));
    EXPECT_EQ(Text(name), "Two");
    EXPECT_EQ(name->GetWidth(), 120.0f);
    EXPECT_EQ(number->GetWidth(), 100.0f);
    EXPECT_NE(content->GetMember(VoString(u"dir_lines")), nullptr);
    ASSERT_NE(content->GetMember(VoString(u"dir_lines_2")), nullptr);
    EXPECT_EQ(content->GetMember(VoString(u"dir_lines_2"))->GetPosition(), VoVector2(0.0f, 136.0f));
    EXPECT_EQ(Rectangle(fDirectory.GetGroup()->GetRectangle()), "169,100,248,122");
    // The list of the case selected now.
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fDirectory.BuildContent();
    EXPECT_NE(fDirectory.GetContent()->GetMember(VoString(u"far")), nullptr);
    EXPECT_EQ(fDirectory.GetContent()->GetMember(VoString(u"e2")), nullptr);
}

TEST_F(MGPhoneDirectoryTest, ACallRingsOnceShrinksThePDAInTwentyFiveStepsRunsTheCallAndGrowsItBackInTen) {
    VoDisplayGroup* pda = PDAGame::PDA()->GetGroup();
    VoVector2 home;
    pda->GetWorldPosition(home);
    fDirectory.BuildContent();
    fDirectory.OnButtonEvent(VoString(u"e2"), VoIButtonListener::kClick);
    EXPECT_EQ(fDirectory.GetContent(), nullptr);
    EXPECT_EQ(fDirectory.GetOverlay()->GetGroup(), nullptr);
    VoDisplayGroup* call = fDirectory.GetCallGroup();
    ASSERT_NE(call, nullptr);
    VoTextArea* name = dynamic_cast<VoTextArea*>(call->GetMember(VoString(u"e2_name")));
    VoTextArea* number = dynamic_cast<VoTextArea*>(call->GetMember(VoString(u"e2_number")));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(Text(name), "Name: Two");
    EXPECT_EQ(Text(number), "Number: 222");
    EXPECT_EQ(name->GetPosition(), VoVector2(268.0f, 125.0f));
    EXPECT_EQ(number->GetPosition(), VoVector2(268.0f, 138.0f));
    stubs::SoundPlayer* ring = stubs::SoundPlayer::Find("e2");
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->fPath, "//textures/pda/internal_ring2.ogg");
    EXPECT_EQ(ring->fPlays, 1);
    // Nothing happens until the ring has ended.
    fGame.RunFrames(1.0);
    EXPECT_FALSE(fDirectory.IsShrinking());
    EXPECT_EQ(fDirectory.GetInterview(), nullptr);
    ring->End();
    EXPECT_FALSE(call->GetMember(VoString(u"connecting"))->GetVisible());
    EXPECT_FALSE(name->GetVisible());
    EXPECT_EQ(Rectangle(fDirectory.GetGroup()->GetRectangle()), "0,0,512,256");
    EXPECT_FALSE(pda->GetEnabled());
    EXPECT_TRUE(fDirectory.IsShrinking());
    EXPECT_EQ(Steps(&MGPhoneDirectoryPanel::IsShrinking), 25);
    MGInterview* interview = fDirectory.GetInterview();
    ASSERT_NE(interview, nullptr);
    EXPECT_TRUE(interview->IsRunning());
    EXPECT_TRUE(interview->IsPhone());
    EXPECT_EQ(interview->GetListener(), &fDirectory);
    EXPECT_EQ(interview->GetPosition(), VoVector2(300.0f, 150.0f));
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_interview119_started")));
    VoVector2 corner;
    pda->GetWorldPosition(corner);
    EXPECT_LT(corner.x, 60.0f);

    interview->End();
    EXPECT_TRUE(fDirectory.IsGrowing());
    EXPECT_TRUE(pda->GetEnabled());
    EXPECT_EQ(Steps(&MGPhoneDirectoryPanel::IsGrowing), 10);
    VoVector2 scale;
    pda->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(1.0f, 1.0f));
    VoVector2 back;
    pda->GetWorldPosition(back);
    EXPECT_EQ(back, home);
    EXPECT_TRUE(pda->GetEnabled());
    EXPECT_EQ(fDirectory.GetCallGroup(), nullptr);
    ASSERT_NE(fDirectory.GetContent(), nullptr);
    EXPECT_NE(fDirectory.GetContent()->GetMember(VoString(u"e2")), nullptr);
}

TEST_F(MGPhoneDirectoryTest, ARingThatCannotBePlayedGoesOnAtOnceAndACallWithoutInterviewComesBack) {
    stubs::Missing().insert("//textures/pda/internal_ring2.ogg");
    fDirectory.BuildContent();
    fDirectory.OnButtonEvent(VoString(u"e2"), VoIButtonListener::kClick);
    EXPECT_EQ(fDirectory.GetRing(), nullptr);
    EXPECT_TRUE(fDirectory.IsShrinking());
    EXPECT_EQ(Steps(&MGPhoneDirectoryPanel::IsShrinking), 25);
    ASSERT_NE(fDirectory.GetInterview(), nullptr);
    fDirectory.GetInterview()->End();
    Steps(&MGPhoneDirectoryPanel::IsGrowing);

    // Nobody to call: the PDA comes straight back.
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    fDirectory.BuildContent();
    fDirectory.OnButtonEvent(VoString(u"far"), VoIButtonListener::kClick);
    EXPECT_EQ(Steps(&MGPhoneDirectoryPanel::IsShrinking), 25);
    EXPECT_EQ(fDirectory.GetInterview(), nullptr);
    EXPECT_TRUE(fDirectory.IsGrowing());
    EXPECT_EQ(Steps(&MGPhoneDirectoryPanel::IsGrowing), 10);
    EXPECT_TRUE(PDAGame::PDA()->GetGroup()->GetEnabled());
    ASSERT_NE(fDirectory.GetContent(), nullptr);
    EXPECT_NE(fDirectory.GetContent()->GetMember(VoString(u"far")), nullptr);
}

TEST_F(MGPhoneDirectoryTest, ACallWithoutASelectedCaseIsSaid) {
    VoStateManager::GetInstance()->ClearStates();
    LogCapture log;
    fDirectory.Call(VoString(u"e2"));
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: game/pda/MGPhoneDirectoryPanel.cpp"));
    ASSERT_NE(fDirectory.GetCallGroup(), nullptr);
    EXPECT_EQ(Text(dynamic_cast<VoTextArea*>(fDirectory.GetCallGroup()->GetMember(VoString(u"e2_name")))), "Name: ");
    stubs::SoundPlayer::Find("e2")->End();
    Steps(&MGPhoneDirectoryPanel::IsShrinking);
    Steps(&MGPhoneDirectoryPanel::IsGrowing);
}
