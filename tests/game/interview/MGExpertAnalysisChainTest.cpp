// The expert analysis of the sample case from one end to the other, on the
// test's clock: two items of case 1 are analysed in the PDA's inventory, five
// game seconds later their results come in, the phone queues the crime lab's
// voice mails and blinks the bar, the crime lab's topics turn from waiting to
// ready, and selecting one types its card on the expert computer and gives
// its result item once.
#include <gtest/gtest.h>

#include <string>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoTextArea.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGInterviewManager.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPhone.h"
#include "time/VoGameClock.h"
#include "util/MGRandom.h"

namespace {

int Zero() {
    return 0;
}

bool HasEvent(const char* apId) {
    return VoEventManager::GetInstance()->HasEvent(VoString(apId));
}

class MGExpertAnalysisChainTest : public ::testing::Test {
protected:
    MGExpertAnalysisChainTest() { MGSetRandomSource(&Zero); }
    ~MGExpertAnalysisChainTest() override { MGSetRandomSource(nullptr); }

    // A frame, then the voice line that plays ends: its name, "" for none.
    std::string EndLine() {
        fGame.Frame(0.05);
        stubs::SoundPlayer* voice = stubs::SoundPlayer::Find("sequenceSound");
        if (voice == nullptr) {
            return "";
        }
        const std::string line = voice->fPath.substr(9, voice->fPath.size() - 13);
        voice->End();
        fGame.Frame(0.05);
        return line;
    }

    PDAGame fGame;
};

}  // namespace

TEST_F(MGExpertAnalysisChainTest, AnAnalysedItemLeadsToAVoiceMailAReadyTopicItsCardAndItsResultItem) {
    MGPhone* phone = MGPhone::GetInstance();
    ASSERT_NE(phone, nullptr);
    MGInventoryPanel* inventory = PDAGame::PDA()->GetInventoryPanel();
    ASSERT_TRUE(inventory->AddItem(VoString(u"brasskey")));
    ASSERT_TRUE(inventory->AddItem(VoString(u"1cs03")));
    fGame.OpenOn(MGPDA::kInventory);
    inventory->SelectCategory(MGInventoryPanel::kEvidence);
    MGInventorySubpanel* evidence = inventory->GetSubpanel(MGInventoryPanel::kEvidence);
    evidence->GetItem(VoString(u"1cs03"))->OnAction(MGIMultiCursorListener::kAnalyze);
    evidence->GetItem(VoString(u"brasskey"))->OnAction(MGIMultiCursorListener::kAnalyze);
    for (const char* submitted : {"1cs03_CL_S", "1cs03_RE_S", "brasskey_CL_S", "brasskey_RE_S"}) {
        EXPECT_TRUE(HasEvent(submitted)) << submitted;
    }
    PDAGame::PDA()->Close();
    PDAGame::Bar()->Show();
    ASSERT_TRUE(PDAGame::Bar()->IsShown());

    // Handed over, both topics wait with their hourglasses.
    MGExpertInterview* expert =
        dynamic_cast<MGExpertInterview*>(MGInterviewManager::GetInstance()->GetInterview(VoString(u"1CL01")));
    ASSERT_NE(expert, nullptr);
    EXPECT_EQ(expert->GetKind(), MGExpertInterview::kCrimeLab);
    MGExpertTopicArea* area = expert->GetExpertTopicArea();
    area->Refresh();
    EXPECT_EQ(area->GetWaitingCount(), 2);
    EXPECT_EQ(phone->GetMessageCount(), 0);

    VoGameClock::GetInstance()->AdvanceTime(4.9f, true);
    EXPECT_FALSE(HasEvent("1cs03_CL_R"));
    EXPECT_FALSE(PDAGame::Bar()->IsBlinking());
    VoGameClock::GetInstance()->AdvanceTime(0.1f, true);
    EXPECT_TRUE(HasEvent("1cs03_CL_R"));
    // The photograph's result queues the lab's generic mail once; the key has
    // a mail of its own, which takes the generic one's place; research's
    // second result finds its generic mail waiting already.
    const VoVectorString& queue = phone->GetQueue();
    ASSERT_EQ(queue.GetCount(), 3);
    EXPECT_EQ(Narrow(queue.GetAt(0)), "CL");
    EXPECT_EQ(Narrow(queue.GetAt(1)), "RE");
    EXPECT_EQ(Narrow(queue.GetAt(2)), "vm_cl_brasskey");
    EXPECT_TRUE(PDAGame::Bar()->IsBlinking());

    area->Refresh();
    EXPECT_EQ(area->GetWaitingCount(), 0);
    EXPECT_EQ(area->GetReadyCount(), 2);
    VoButton* key = area->GetButton(VoString(u"brasskey"));
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->IsEnabled());

    // The visit: a greeting, then the notepad over the crime lab's computer.
    ASSERT_TRUE(MGInterviewManager::GetInstance()->StartInterview());
    EXPECT_EQ(EndLine(), "i1cl01_e_intro_ready");
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    fGame.RunFrames(0.5);
    ASSERT_TRUE(computer->IsBuilt());
    EXPECT_TRUE(expert->GetNotepad()->GetActive());

    for (int visit = 0; visit < 2; ++visit) {
        SCOPED_TRACE(visit);
        expert->OnButtonEvent(VoString(u"brasskey"), VoIButtonListener::kClick);
        for (int i = 0; i < 200 && computer->IsTyping(); ++i) {
            fGame.Frame(0.02);
        }
        EXPECT_EQ(Narrow(computer->GetItemField()->GetText()), "Brass key, room 12");
        EXPECT_EQ(Narrow(computer->GetLocationField()->GetText()), "Marlowe Hotel, lobby");
        ASSERT_NE(computer->GetResultIcon(), nullptr);
        EXPECT_EQ(EndLine(), "i1cl01_k_brasskey_stra");
        EXPECT_EQ(EndLine(), "i1cl01_e_brasskey_stra");
        EXPECT_TRUE(HasEvent("evt_1cl01_brasskey_viewed"));
        // The result item is given once, however often the card is shown.
        EXPECT_TRUE(inventory->HasItem(VoString(u"brasskey_CL")));
        EXPECT_EQ(inventory->GetSubpanel(MGInventoryPanel::kReports)->GetItemCount(), 1);
    }
    EXPECT_EQ(area->GetViewedCount(), 1);

    // Leaving: the computer fades away, then the detective takes his leave.
    expert->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
    EXPECT_FALSE(expert->IsRunning());
    fGame.RunFrames(1.0);
    EXPECT_FALSE(computer->IsBuilt());
    EXPECT_EQ(EndLine(), "i1cl01_k_exit");
    EXPECT_FALSE(expert->IsExitPlayed());
}

// The cufflink found at the riverbank has no voice mail of its own: its
// result queues the lab's generic mail, whose alternative the phone plays.
TEST_F(MGExpertAnalysisChainTest, TheRiverbanksCufflinkQueuesTheLabsGenericMailAndGivesItsResult) {
    MGPhone* phone = MGPhone::GetInstance();
    ASSERT_NE(phone, nullptr);
    MGInventoryPanel* inventory = PDAGame::PDA()->GetInventoryPanel();
    ASSERT_TRUE(inventory->AddItem(VoString(u"1rb01")));
    fGame.OpenOn(MGPDA::kInventory);
    inventory->SelectCategory(MGInventoryPanel::kEvidence);
    MGInventoryItem* cufflink =
        inventory->GetSubpanel(MGInventoryPanel::kEvidence)->GetItem(VoString(u"1rb01"));
    ASSERT_NE(cufflink, nullptr);
    cufflink->OnAction(MGIMultiCursorListener::kAnalyze);
    EXPECT_TRUE(HasEvent("1rb01_CL_S"));
    EXPECT_TRUE(HasEvent("1rb01_RE_S"));
    PDAGame::PDA()->Close();
    PDAGame::Bar()->Show();

    MGExpertInterview* expert =
        dynamic_cast<MGExpertInterview*>(MGInterviewManager::GetInstance()->GetInterview(VoString(u"1CL01")));
    ASSERT_NE(expert, nullptr);
    MGExpertTopicArea* area = expert->GetExpertTopicArea();
    area->Refresh();
    EXPECT_EQ(area->GetWaitingCount(), 1);
    EXPECT_FALSE(area->GetButton(VoString(u"1rb01"))->IsEnabled());

    VoGameClock::GetInstance()->AdvanceTime(5.0f, true);
    EXPECT_TRUE(HasEvent("1rb01_CL_R"));
    const VoVectorString& queue = phone->GetQueue();
    ASSERT_EQ(queue.GetCount(), 2);
    EXPECT_EQ(Narrow(queue.GetAt(0)), "CL");
    EXPECT_EQ(Narrow(queue.GetAt(1)), "RE");
    EXPECT_TRUE(PDAGame::Bar()->IsBlinking());
    VoPropertyList* mail = phone->TakeNextMessage();
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(Narrow(mail->GetString(VoString(u"audio"), nullptr)), "vm_e_1.ogg");

    area->Refresh();
    EXPECT_EQ(area->GetReadyCount(), 1);
    EXPECT_TRUE(area->GetButton(VoString(u"1rb01"))->IsEnabled());
    ASSERT_TRUE(MGInterviewManager::GetInstance()->StartInterview());
    EXPECT_EQ(EndLine(), "i1cl01_e_intro_ready");
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    fGame.RunFrames(0.5);
    ASSERT_TRUE(computer->IsBuilt());
    expert->OnButtonEvent(VoString(u"1rb01"), VoIButtonListener::kClick);
    for (int i = 0; i < 200 && computer->IsTyping(); ++i) {
        fGame.Frame(0.02);
    }
    EXPECT_EQ(Narrow(computer->GetItemField()->GetText()), "Gold cufflink, engraved N.R.");
    EXPECT_EQ(Narrow(computer->GetLocationField()->GetText()), "Riverbank, below the pier");
    EXPECT_NE(computer->GetResultIcon(), nullptr);
    EXPECT_TRUE(inventory->HasItem(VoString(u"1rb01_CL")));
    EXPECT_EQ(EndLine(), "i1cl01_k_1rb01_stra");
    EXPECT_EQ(EndLine(), "i1cl01_e_1rb01_stra");
    EXPECT_TRUE(HasEvent("evt_1cl01_1rb01_viewed"));
}
