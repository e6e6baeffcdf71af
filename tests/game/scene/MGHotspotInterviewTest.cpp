// Interview hotspots in the test room, over the clerk: the talk road to the
// interview (the witness's pose, the player's seat), bargaining with one or
// two items, and the surveillance results.
#include "scene/MGHotspotInterview.h"

#include <gtest/gtest.h>

#include <string>

#include "HotspotRoom.h"
#include "gdi/VoButton.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "system/VoIFileSystem.h"
#include "time/VoGameClock.h"

using namespace hotspots;

namespace {

// The clerk's hotspot for interview w1 with the given typedata lines and
// further top-level lines.
std::string Clerk(const std::string& aTypeData = "\t\t\tposition=40|60\n", const std::string& aMore = "") {
    return Entry(
        "clerk", "interview",
        "\t\tmulticursor\n\t\t\tposition=300|120\n\t\t\toperatingid=clerk\n"
        "\t\t\ttalk\n\t\t\t\tdoneevents=evt_talked\n",
        "\ttypedata\n\t\tinterview\n\t\t\tenabled=script[true]\n\t\t\tinterviewid=w1\n" + aTypeData + aMore);
}

class MGHotspotInterviewTest : public HotspotRoom {
protected:
    MGHotspotInterviewTest() {
        // The interview catalogue names the clerk as w1's witness.
        fGame.fFolder.Write("interviews/interviews.txt",
                            "w1\n\tdata=w1.txt\n\tsubtitles=w1_subtitles.txt\n\twitness=clerk\n");
        fGame.fFolder.Write("interviews/w1.txt", "");
        fGame.fFolder.Write("interviews/w1_subtitles.txt", "");
        EXPECT_TRUE(VoIFileSystem::GetInstance()->Mount(
            VoString(u"//interviews"), PlatformTestFolder::Wide(fGame.fFolder.Path("interviews"))));
        SetState("sta_selectedcase", "number", "1");
    }

    MGHotspotInterview* LoadClerk(const std::string& aTypeData = "\t\t\tposition=40|60\n",
                                  const std::string& aMore = "") {
        if (Load(Clerk(aTypeData, aMore)) == nullptr) {
            return nullptr;
        }
        return dynamic_cast<MGHotspotInterview*>(Hotspot("clerk"));
    }
    // The item goes into the cursor and the player offers it to the clerk.
    static void Offer(const char* apItem) {
        Cursor()->SetItemCursor(VoString(apItem));
        Move(kOutsideX, kOutsideY);
        ClickInside();
    }
    static MGInterview* Current() { return MGInterviewManager::GetInstance()->GetCurrentInterview(); }
    static bool Started() { return Scene()->IsInInterview(); }
};

}  // namespace

TEST_F(MGHotspotInterviewTest, TheReaderTakesTheWitnessFromTheCatalogue) {
    MGHotspotInterview* clerk =
        LoadClerk("\t\t\tposition=40|60\n\t\t\tseated=true\n",
                  "\tbargaining\n\t\titem=1cs03\n\t\tsolvedevent=evt_solved\n\t\tnoitem=line_b|clerk\n");
    ASSERT_NE(clerk, nullptr);
    MGInterviewHotspotData* data = clerk->GetData();
    EXPECT_EQ(Narrow(data->fInterviewId), "w1");
    EXPECT_EQ(Narrow(data->fWitnessId), "clerk");
    EXPECT_EQ(data->fPosition, VoVector2(40.0f, 60.0f));
    EXPECT_TRUE(data->fSeated);
    EXPECT_EQ(Narrow(data->fBargainingItem), "1cs03");
    EXPECT_EQ(Narrow(data->fSolvedEvent), "evt_solved");
    EXPECT_EQ(Narrow(data->fNoItemLine), "line_b|clerk");
    EXPECT_NE(data->fpEnabled, nullptr);
}

TEST_F(MGHotspotInterviewTest, AMissingPositionIsTheDefaultWithOneLine) {
    LogCapture log;
    MGHotspotInterview* clerk = LoadClerk("");
    ASSERT_NE(clerk, nullptr);
    EXPECT_EQ(clerk->GetData()->fPosition, VoVector2(20.0f, 200.0f));
    EXPECT_EQ(log.Count(MGHotspotInterview::kPositionNotFound), 1);
    EXPECT_FALSE(clerk->GetData()->fSeated);
}

TEST_F(MGHotspotInterviewTest, TalkStartsTheInterviewAtItsPosition) {
    MGHotspotInterview* clerk = LoadClerk();
    ASSERT_NE(clerk, nullptr);
    ClickInside();
    EXPECT_EQ(MGMultiCursor::GetInstance()->GetListener(), clerk);
    EXPECT_TRUE(MGMultiCursor::GetInstance()->GetButton(MGIMultiCursorListener::kTalk)->IsEnabled());
    clerk->OnAction(MGIMultiCursorListener::kTalk);
    // The talk adds the clerk to the witnesses and its done events; the
    // clerk, who has no interview pose, lets it start at once.
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"clerk")));
    EXPECT_TRUE(HasEvent("evt_talked"));
    EXPECT_FALSE(clerk->IsWaitingForPose());
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Narrow(Current()->GetId()), "w1");
    EXPECT_EQ(Current()->GetPosition(), VoVector2(40.0f, 60.0f));
    EXPECT_EQ(Current()->GetSeatHotspot(), nullptr);
    EXPECT_TRUE(Started());
    EXPECT_FALSE(Scene()->IsInputEnabled());
}

TEST_F(MGHotspotInterviewTest, ASeatedInterviewStartsOnceThePlayerHasSatDown) {
    MGHotspotInterview* clerk = LoadClerk("\t\t\tposition=40|60\n\t\t\tseated=true\n");
    ASSERT_NE(clerk, nullptr);
    clerk->OnAction(MGIMultiCursorListener::kTalk);
    MGCharacter* player = Scene()->GetPlayer();
    EXPECT_EQ(player->GetActionCode(), MGCharacter::kActionSit);
    EXPECT_FALSE(Started());
    for (int i = 0; i < 200 && player->GetActionCode() != 0; ++i) {
        Frames(0.05);
    }
    EXPECT_TRUE(player->IsSeated());
    EXPECT_TRUE(Started());
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->GetSeatHotspot(), static_cast<MGICharacterListener*>(clerk));
}

TEST_F(MGHotspotInterviewTest, WithBargainingOffTheClickOpensTheMenu) {
    MGHotspotInterview* clerk = LoadClerk("\t\t\tposition=40|60\n", "\tbargaining\n\t\titem=1cs03\n");
    ASSERT_NE(clerk, nullptr);
    Offer("1cs03");
    EXPECT_EQ(MGMultiCursor::GetInstance()->GetListener(), clerk);
    EXPECT_FALSE(Started());
}

TEST_F(MGHotspotInterviewTest, WhileBargainingTheOfferedItemIsJudged) {
    struct Case {
        const char* what;
        const char* item;  // "" for none
        bool solved;
        bool started;
        const char* sound;
    };
    const Case cases[] = {{"the right item", "1cs03", true, true, ""},
                          {"another item", "letter", false, true, ""},
                          {"no item", "", false, false, "bargainVO //sounds/line_b.ogg"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VoEventManager::GetInstance()->ClearEvents();
        MGHotspotInterview* clerk =
            LoadClerk("\t\t\tposition=40|60\n",
                      "\tbargaining\n\t\titem=1cs03\n\t\tsolvedevent=evt_solved\n\t\tnoitem=line_b|clerk\n");
        ASSERT_NE(clerk, nullptr);
        SetState("bargaining_w1_active", "boolean", "true");
        stubs::SoundsAsked().clear();
        if (*c.item != '\0') {
            Offer(c.item);
            EXPECT_EQ(Cursor()->GetBaseId(), MGCursor::kDefault);
        } else {
            Move(kInsideX, kInsideY);
            EXPECT_EQ(Cursor()->GetCurrentId(), MGHotspot::kTargetCursor);
            ClickInside();
        }
        EXPECT_EQ(MGMultiCursor::GetInstance()->GetListener(), nullptr);
        EXPECT_EQ(HasEvent("evt_solved"), c.solved);
        EXPECT_EQ(Started(), c.started);
        EXPECT_EQ(LastSound(), c.sound);
        if (*c.sound != '\0') {
            // The line leaves the scene's input on.
            EXPECT_TRUE(Scene()->IsInputEnabled());
            EXPECT_FALSE(clerk->IsVoiceOverPlaying());
            stubs::SoundPlayer::Find("bargainVO")->End();
        }
        SetState("bargaining_w1_active", "boolean", "false");
    }
}

TEST_F(MGHotspotInterviewTest, TwoItemsAreGivenOneAfterTheOther) {
    MGHotspotInterview* clerk =
        LoadClerk("\t\t\tposition=40|60\n",
                  "\tbargaining\n\t\titem=1cs03|brasskey\n\t\tsolvedevent=evt_solved\n"
                  "\t\tevents=evt_photo|evt_key\n\t\tvoiceovers=line_a|line_b|clerk\n");
    ASSERT_NE(clerk, nullptr);
    SetState("bargaining_w1_active", "boolean", "true");
    Offer("1cs03");
    EXPECT_TRUE(HasEvent("evt_photo"));
    EXPECT_FALSE(HasEvent("evt_solved"));
    EXPECT_EQ(LastSound(), "bargainVO //sounds/line_a.ogg");
    EXPECT_FALSE(Started());
    stubs::SoundPlayer::Find("bargainVO")->End();

    Offer("brasskey");
    EXPECT_TRUE(HasEvent("evt_key"));
    EXPECT_TRUE(HasEvent("evt_solved"));
    EXPECT_TRUE(Started());
}

TEST_F(MGHotspotInterviewTest, ThePersonsResultsTakeTheSurveillanceAndResearchDelays) {
    struct Case {
        int skill;
        float surveillance;
        float research;
    };
    const Case cases[] = {{0, 12.0f, 8.0f}, {1, 24.0f, 16.0f}, {2, 48.0f, 32.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skill);
        VoEventManager::GetInstance()->ClearEvents();
        MGHotspotInterview* clerk = LoadClerk();
        ASSERT_NE(clerk, nullptr);
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        clerk->StartAnalysis();
        EXPECT_TRUE(HasEvent("clerk_SU_S"));
        EXPECT_TRUE(HasEvent("clerk_RE_S"));
        EXPECT_FALSE(HasEvent("clerk_CL_S"));
        VoGameClock* clock = VoGameClock::GetInstance();
        clock->AdvanceTime(c.research + 0.5f, true);
        EXPECT_TRUE(HasEvent("clerk_RE_R"));
        EXPECT_FALSE(HasEvent("clerk_SU_R"));
        clock->AdvanceTime(c.surveillance - c.research, true);
        EXPECT_TRUE(HasEvent("clerk_SU_R"));
    }
}

TEST_F(MGHotspotInterviewTest, TheTalkWaitsForTheWitnessToTurnToThePlayer) {
    // The clerk (at (4, 0, 4), facing -z) turns to a point on her left for
    // the interview.
    const std::string character = ReadSample("characters/sample_character.txt");
    fGame.fFolder.Write("characters/sample_character.txt", character);
    fGame.fFolder.Write("characters/posed_clerk.txt", character + "interview\n\tlookat=20|1|6\n");
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(
        VoString(u"//characters"), PlatformTestFolder::Wide(fGame.fFolder.Path("characters"))));
    fFiles["hotspots_a.txt"] = Clerk();
    std::string scene = SceneText();
    const std::string npc = "data=sample_character.txt\n\t\t\tposition=4|0|4";
    scene.replace(scene.find(npc), npc.size(), "data=posed_clerk.txt\n\t\t\tposition=4|0|4");
    fFiles["scene.txt"] = scene;
    WriteRoom("test/room");
    ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"test/room"), true, true));
    Frames(0.05);
    MGHotspotInterview* clerk = dynamic_cast<MGHotspotInterview*>(Hotspot("clerk"));
    ASSERT_NE(clerk, nullptr);
    MGCharacter* witness = Scene()->GetCharacter(VoString(u"clerk"));
    ASSERT_NE(witness, nullptr);
    clerk->OnAction(MGIMultiCursorListener::kTalk);
    EXPECT_TRUE(witness->IsTurning());
    EXPECT_TRUE(clerk->IsWaitingForPose());
    EXPECT_FALSE(Started());
    for (int i = 0; i < 100 && witness->IsTurning(); ++i) {
        Frames(0.05);
    }
    EXPECT_FALSE(clerk->IsWaitingForPose());
    EXPECT_TRUE(Started());
}
