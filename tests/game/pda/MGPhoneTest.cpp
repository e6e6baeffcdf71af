#include "pda/MGPhone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoSprite.h"
#include "pda/MGPDAMinimized.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "util/MGGameReset.h"
#include "util/MGRandom.h"

namespace {

// Regular messages: "a" and "b" due on sta_go, "re" written for research on
// its report, "quiet" without a trigger; two research alternatives, one for
// the crime lab, none for surveillance.
constexpr const char* kCatalogue =
    "regular\n"
    "\ta\n\t\ttrigger=script[s[sta_go]==1]\n\t\tplayedevent=evt_a_played\n\t\taudio=a.ogg\n\t\tsubtitle=a\n"
    "\tre\n\t\ttrigger=script[e[lamp_re_r]]\n\t\tplayedevent=evt_re_played\n\t\texpert=re\n\t\taudio=re.ogg\n"
    "\tb\n\t\ttrigger=script[s[sta_go]==1]\n\t\taudio=b.ogg\n"
    "\tquiet\n\t\tplayedevent=evt_quiet\n\t\taudio=q.ogg\n"
    "expert\n"
    "\tCL\n\t\tonly\n\t\t\taudio=cl.ogg\n"
    "\tRE\n\t\tfirst\n\t\t\taudio=re1.ogg\n\t\tsecond\n\t\t\taudio=re2.ogg\n"
    "\tSU\n";

int gDraw = 0;
int Draw() {
    return gDraw;
}

std::vector<std::string> Queue(MGPhone* apPhone) {
    std::vector<std::string> keys;
    for (int i = 0; i < apPhone->GetQueue().GetCount(); ++i) {
        keys.push_back(Narrow(apPhone->GetQueue().GetAt(i)));
    }
    return keys;
}

std::string AudioOf(VoPropertyList* apMessage) {
    return apMessage != nullptr ? Narrow(apMessage->GetString(VoString(u"audio"), nullptr)) : "null";
}

class MGPhoneTest : public ::testing::Test {
protected:
    MGPhoneTest() {
        MGSetRandomSource(&Draw);
        gDraw = 0;
        fGame.fFolder.Write("phone.txt", kCatalogue);
        EXPECT_TRUE(fPhone->Load(VoString(u"//scenes/phone.txt")));
        PDAGame::Bar()->Show();
    }
    ~MGPhoneTest() override { MGSetRandomSource(nullptr); }

    static void Event(const char* apId) { VoEventManager::GetInstance()->AddEvent(VoString(apId), true); }
    static void Go() {
        VoStateManager::GetInstance()->SetState(VoString(u"sta_go"), VoString(u"number"), VoString(u"1"), true);
    }

    PDAGame fGame;
    MGPhone* fPhone = MGPhone::GetInstance();
};

}  // namespace

TEST_F(MGPhoneTest, AReportIsAnEventEndingInAnExpertsResultInAnyCase) {
    struct Case {
        const char* id;
        int kind;
    };
    const Case cases[] = {{"x_cl_r", 0}, {"X_CL_R", 0}, {"cl_r", 0},     {"key_Re_R", 1}, {"1cs03_su_r", 2},
                          {"l_r", -1},   {"", -1},      {"x_cl_s", -1},  {"x_cl_rr", -1}, {"x_me_r", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(MGPhone::ReportKindOf(VoString(c.id)), c.kind);
    }
}

TEST_F(MGPhoneTest, AReportQueuesItsExpertsGenericMessageOnceUntilItIsTaken) {
    Event("key_cl_r");
    Event("glass_cl_r");
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"CL"}));
    EXPECT_TRUE(fPhone->IsGenericQueued(0));
    EXPECT_EQ(AudioOf(fPhone->TakeNextMessage()), "cl.ogg");
    EXPECT_FALSE(fPhone->IsGenericQueued(0));
    Event("cup_CL_R");
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"CL"}));
    // Events of other endings and short ids change nothing.
    for (const char* id : {"cup_cl_s", "l_r", "evt_x"}) {
        Event(id);
    }
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"CL"}));
}

TEST_F(MGPhoneTest, ADueWrittenMessageTakesTheGenericOnesPlace) {
    Event("lamp_re_r");
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"re"}));
    EXPECT_FALSE(fPhone->IsGenericQueued(1));
    // Queued, it is no longer due: the next report brings the generic one.
    Event("vase_re_r");
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"re", "RE"}));
}

TEST_F(MGPhoneTest, MessagesDueTogetherQueueInFileOrderAfterThoseWaiting) {
    Event("key_su_r");
    Go();
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"SU", "a", "b"}));
    // Not queued twice while waiting; a message without a trigger never.
    fPhone->UpdateMessages();
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"SU", "a", "b"}));
}

TEST_F(MGPhoneTest, TakingGivesTheOldestAndDropsAGenericMessageWithoutAlternatives) {
    Event("key_su_r");
    Event("key_re_r");
    Go();
    gDraw = 3;
    // Surveillance has nothing to say: research's second alternative (3 mod 2) comes first.
    EXPECT_EQ(AudioOf(fPhone->TakeNextMessage()), "re2.ogg");
    EXPECT_EQ(AudioOf(fPhone->TakeNextMessage()), "a.ogg");
    EXPECT_EQ(AudioOf(fPhone->TakeNextMessage()), "b.ogg");
    EXPECT_EQ(fPhone->TakeNextMessage(), nullptr);
    // Neither was heard: their played events are still missing.
    fPhone->UpdateMessages();
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"a", "b"}));
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_a_played"), false);
    fPhone->Reset();
    fPhone->UpdateMessages();
    EXPECT_EQ(Queue(fPhone), (std::vector<std::string>{"b"}));
}

TEST_F(MGPhoneTest, TheBarBlinksOnlyWhenTheQueueGrowsWhileItIsShown) {
    struct Case {
        const char* what;
        bool shown;
        void (*change)();
        bool blinks;
    };
    const Case cases[] = {
        {"a state change that queues nothing", true,
         [] { VoStateManager::GetInstance()->SetState(VoString(u"sta_go"), VoString(u"number"), VoString(u"2"), true); },
         false},
        {"a state change that queues", true, [] { Go(); }, true},
        {"a report", true, [] { Event("x_cl_r"); }, true},
        {"a report while hidden", false, [] { Event("x_cl_r"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        fPhone->Reset();
        MGPDAMinimized* bar = PDAGame::Bar();
        bar->StopBlink(MGPDAMinimized::kAllBlinkers);
        if (c.shown) {
            bar->Show();
        } else {
            bar->Hide();
        }
        const size_t sounds = stubs::SoundsAsked().size();
        c.change();
        EXPECT_EQ(bar->IsBlinking(), c.blinks);
        // The phone's light, with the bar's message sound.
        EXPECT_EQ(bar->GetBlinker(MGPhone::kPhoneBlinker)->GetVisible(), c.blinks);
        EXPECT_EQ(stubs::SoundsAsked().size() - sounds, c.blinks ? 1u : 0u);
    }
}

TEST_F(MGPhoneTest, ResetAndTheNewGameNoticeEmptyTheQueue) {
    Event("x_cl_r");
    Go();
    ASSERT_EQ(fPhone->GetMessageCount(), 3);
    fPhone->Reset();
    EXPECT_EQ(fPhone->GetMessageCount(), 0);
    EXPECT_FALSE(fPhone->IsGenericQueued(0));
    Event("y_cl_r");
    ASSERT_EQ(fPhone->GetMessageCount(), 3);
    MGGameReset::GetInstance()->Notify();
    EXPECT_EQ(fPhone->GetMessageCount(), 0);
}

TEST_F(MGPhoneTest, AMissingCatalogueOrSectionQueuesNothing) {
    struct Case {
        const char* text;  // null: no file at all
    };
    const Case cases[] = {{nullptr}, {"regular\n"}, {"expert\n\tCL\n\t\tone\n\t\t\taudio=x.ogg\n"}, {""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : "no file");
        VoStateManager::GetInstance()->ClearStates();
        LogCapture log;
        if (c.text != nullptr) {
            fGame.fFolder.Write("other.txt", c.text);
        }
        EXPECT_EQ(fPhone->Load(VoString(c.text != nullptr ? u"//scenes/other.txt" : u"//scenes/none.txt")),
                  c.text != nullptr);
        Go();
        fPhone->UpdateMessages();
        EXPECT_EQ(fPhone->TakeNextMessage(), nullptr);
        // None of them has research's alternatives to give either.
        Event("x_re_r");
        EXPECT_EQ(fPhone->TakeNextMessage(), nullptr);
        VoEventManager::GetInstance()->ClearEvents();
    }
}

TEST_F(MGPhoneTest, KeptScriptsQueueExactlyAsScriptsBuiltAnew) {
    std::vector<std::vector<std::string>> queues[2];
    for (int kept = 0; kept < 2; ++kept) {
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        fPhone->Load(VoString(u"//scenes/phone.txt"));
        fPhone->SetKeepScripts(kept == 1);
        Event("lamp_re_r");
        queues[kept].push_back(Queue(fPhone));
        Go();
        queues[kept].push_back(Queue(fPhone));
        fPhone->TakeNextMessage();
        Event("x_cl_r");
        queues[kept].push_back(Queue(fPhone));
    }
    EXPECT_EQ(queues[0], queues[1]);
    fPhone->SetKeepScripts(false);
}
