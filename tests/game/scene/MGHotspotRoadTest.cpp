// The click road of a general hotspot in the test room: hovering, the press
// and the double click, the walk or turn to the object, the five-action
// menu and each action's outcome, voice-overs, cut-scenes and the delayed
// lab results.
#include "scene/MGHotspot.h"

#include <gtest/gtest.h>

#include <string>

#include "HotspotRoom.h"
#include "character/VoGesturePlayer.h"
#include "gdi/VoButton.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "scene/MGHotspotAction.h"
#include "scene/MGNavigation.h"
#include "time/VoGameClock.h"
#include "ui/MGCutScenePlayer.h"

using namespace hotspots;

namespace {

class MGHotspotRoadTest : public HotspotRoom {
protected:
    MGHotspotRoadTest() { SetState("sta_selectedcase", "number", "1"); }

    // The general hotspot "h" with the letter's menu and the given data lines.
    MGHotspot* LoadLetter(const std::string& aData = "", const std::string& aMenuExtra = "",
                          const std::string& aItem = "letter") {
        if (Load(Entry("h", "general", Menu(aMenuExtra, aItem) + aData)) == nullptr) {
            return nullptr;
        }
        return Hotspot("h");
    }
    static MGMultiCursor* TheMenu() { return MGMultiCursor::GetInstance(); }
    static bool Offered(int aAction) { return TheMenu()->GetButton(aAction)->IsEnabled(); }
    static bool HasItem(const char* apItem) {
        return MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(apItem));
    }
    static std::string Subtitle() {
        VoTextArea* text = MGSubtitle::GetInstance()->GetMainText();
        return text != nullptr ? Narrow(text->GetText()) : "";
    }
    static stubs::SoundPlayer* Voice() { return stubs::SoundPlayer::Find("hotspotSound"); }
};

}  // namespace

TEST_F(MGHotspotRoadTest, HoveringSetsTheRolloverForTheHotspotAndLeavingResetsIt) {
    MGHotspot* hotspot = LoadLetter();
    ASSERT_NE(hotspot, nullptr);
    Move(kInsideX, kInsideY);
    EXPECT_TRUE(hotspot->IsHovered());
    EXPECT_EQ(Cursor()->GetCurrentId(), MGHotspot::kRolloverCursor);
    EXPECT_EQ(Narrow(Cursor()->GetOwner()), "h");
    Move(kOutsideX, kOutsideY);
    EXPECT_FALSE(hotspot->IsHovered());
    EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kDefault);
}

TEST_F(MGHotspotRoadTest, AClickOpensTheMenuWithTheActionsItsScriptsOffer) {
    MGHotspot* hotspot = LoadLetter();
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
    EXPECT_TRUE(TheMenu()->GetVisible());
    EXPECT_EQ(TheMenu()->GetPosition(), VoVector2(300.0f, 120.0f));
    EXPECT_TRUE(Offered(MGIMultiCursorListener::kLook));
    EXPECT_TRUE(Offered(MGIMultiCursorListener::kCollect));
    EXPECT_TRUE(Offered(MGIMultiCursorListener::kUse));
    EXPECT_FALSE(Offered(MGIMultiCursorListener::kAnalyze));
    // Talk only ever for an interview hotspot.
    EXPECT_FALSE(Offered(MGIMultiCursorListener::kTalk));
    // The scene's hotspots are off while the menu is open.
    EXPECT_FALSE(hotspot->IsActive());
    EXPECT_FALSE(hotspot->IsListening());
}

// The moves the hotspot did not hear (the mouse held by the scene, or the
// hotspots off, as while the menu or a voice-over has them) leave its hover
// state behind the pointer; a press or a double click then still acts on
// where it is. The cursor follows: the menu's hand where it opens, and no
// rollover left behind where the pointer has gone.
TEST_F(MGHotspotRoadTest, APressIsJudgedWhereThePointerIsAfterMovesTheHotspotDidNotHear) {
    struct Case {
        const char* what;
        bool locked;       // the scene holds the mouse, else the hotspots are off
        bool doubleClick;  // its first press went to the lock holder
        VoVector2 before;
        VoVector2 unheard;
        bool opens;
        int cursor;
    };
    const int hand = 1;  // the look the open menu sets
    const int plain = MGCursor::kDefault;
    const VoVector2 inside(kInsideX, kInsideY);
    const VoVector2 outside(kOutsideX, kOutsideY);
    for (const Case& c :
         {Case{"onto it under a lock", true, false, outside, inside, true, hand},
          Case{"off it under a lock", true, false, inside, outside, false, plain},
          Case{"onto it while off", false, false, outside, inside, true, hand},
          Case{"off it while off", false, false, inside, outside, false, plain},
          Case{"a double click onto it under a lock", true, true, outside, inside, true, hand},
          Case{"a double click off it under a lock", true, true, inside, outside, false, plain}}) {
        SCOPED_TRACE(c.what);
        MGHotspot* hotspot = LoadLetter();
        ASSERT_NE(hotspot, nullptr);
        Move(c.before.x, c.before.y);
        if (c.locked) {
            Scene()->SetMouseLocked(true);
        } else {
            Scene()->SetHotspotsEnabled(false);
        }
        Move(c.unheard.x, c.unheard.y);
        if (c.doubleClick) {
            VoMouse::GetInstance()->ButtonDown(1);
            VoMouse::GetInstance()->ButtonUp(1);
        }
        if (c.locked) {
            Scene()->SetMouseLocked(false);
        } else {
            Scene()->SetHotspotsEnabled(true);
        }
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
        EXPECT_EQ(TheMenu()->GetListener() == hotspot, c.opens);
        EXPECT_EQ(hotspot->IsHovered(), c.opens);
        EXPECT_EQ(Cursor()->GetCurrentId(), c.cursor);
        if (TheMenu()->GetListener() == hotspot) {
            hotspot->OnAction(MGIMultiCursorListener::kDismissed);
        }
        Frames(0.5);
    }
}

TEST_F(MGHotspotRoadTest, ThePlayerWalksToAFarObjectAndTurnsToANearOne) {
    struct Case {
        const char* evidence;
        bool walks;
    };
    // The player stands at (0, -8) facing +z.
    const Case cases[] = {{"vcoords=0|2\n\tradius=10\n", false},   // exactly the radius away
                          {"vcoords=0|3\n\tradius=10\n", true},    // beyond it
                          {"vcoords=0|-6\n\tradius=3\n", false}};  // within it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.evidence);
        fFiles["evidence.txt"] = std::string("box\n\tcoords=0|1|9\n\t") + c.evidence;
        MGHotspot* hotspot = LoadLetter("\t\tobjectofinterest\n\t\t\tid=box\n");
        ASSERT_NE(hotspot, nullptr);
        ASSERT_NE(hotspot->GetObjectOfInterest(), nullptr);
        ClickInside();
        MGNavigation* navigation = MGNavigation::GetInstance();
        EXPECT_EQ(navigation->GetListener() == hotspot, c.walks);
        // The object lies straight ahead: no turn, the menu opens at once.
        EXPECT_EQ(TheMenu()->GetListener() == hotspot, !c.walks);
        if (c.walks) {
            Frames(2.0);
            EXPECT_EQ(navigation->GetListener(), nullptr);
            EXPECT_EQ(TheMenu()->GetListener(), hotspot);
        }
        hotspot->OnAction(MGIMultiCursorListener::kDismissed);
        Frames(0.5);
    }
}

TEST_F(MGHotspotRoadTest, APressElsewhereCallsOffTheWalkThatAHotspotAskedFor) {
    fFiles["evidence.txt"] = "box\n\tcoords=0|1|9\n\tvcoords=0|8\n\tradius=1\n";
    MGHotspot* hotspot = LoadLetter("\t\tobjectofinterest\n\t\t\tid=box\n");
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    MGNavigation* navigation = MGNavigation::GetInstance();
    EXPECT_EQ(navigation->GetListener(), hotspot);
    ClickOutside();
    EXPECT_EQ(navigation->GetListener(), nullptr);
    EXPECT_FALSE(Scene()->GetPlayer()->IsTurning());
}

TEST_F(MGHotspotRoadTest, LookPlaysItsVoiceOverOnceAndIsOfferedUntilHeard) {
    MGHotspot* hotspot = LoadLetter("\t\tvoiceovers\n\t\t\tlook=line_a.ogg|clerk\n");
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    WaitForMenu();
    EXPECT_TRUE(Offered(MGIMultiCursorListener::kLook));
    // The look button sits at the menu's corner.
    Click(300.0f + 25.0f, 120.0f + 25.0f);
    EXPECT_EQ(TheMenu()->GetListener(), nullptr);
    EXPECT_EQ(LastSound(), "hotspotSound //sounds/line_a.ogg");
    ASSERT_NE(Voice(), nullptr);
    EXPECT_EQ(Voice()->fPlays, 1);
    EXPECT_TRUE(hotspot->IsVoiceOverPlaying());
    EXPECT_TRUE(HasEvent("evt_h_line_a_played"));
    EXPECT_TRUE(HasEvent("evt_looked"));
    EXPECT_EQ(Subtitle(), "The first line.");
    EXPECT_TRUE(MGSubtitle::GetInstance()->IsShown());
    EXPECT_FALSE(Scene()->IsInputEnabled());
    EXPECT_TRUE(Scene()->IsMouseLocked());
    // A press during the line does nothing, even on a hotspot turned on.
    hotspot->SetEnabled(true);
    hotspot->OnButtonDown(1);
    EXPECT_EQ(TheMenu()->GetListener(), nullptr);

    Voice()->End();
    EXPECT_FALSE(hotspot->IsVoiceOverPlaying());
    EXPECT_EQ(Voice(), nullptr);
    EXPECT_FALSE(MGSubtitle::GetInstance()->IsShown());
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_FALSE(Scene()->IsMouseLocked());
    EXPECT_TRUE(hotspot->IsListening());

    Frames(0.5);
    Move(kOutsideX, kOutsideY);
    ClickInside();
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
    EXPECT_FALSE(Offered(MGIMultiCursorListener::kLook));
}

TEST_F(MGHotspotRoadTest, ADoubleClickIsHandledWhileAVoiceOverPlays) {
    MGHotspot* hotspot = LoadLetter("\t\tvoiceovers\n\t\t\tlook=line_a\n");
    ASSERT_NE(hotspot, nullptr);
    Move(kInsideX, kInsideY);
    ASSERT_TRUE(hotspot->PlaySound(MGHotspot::kLookList));
    hotspot->SetEnabled(true);
    hotspot->OnButtonDown(1);
    EXPECT_EQ(TheMenu()->GetListener(), nullptr);
    EXPECT_FALSE(hotspot->IsPressed());
    hotspot->OnDoubleClick(1);
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
}

TEST_F(MGHotspotRoadTest, TheVoiceOverEntryAndFileFollowTheListAndTheSkillLevel) {
    struct Case {
        int skill;
        const char* list;
        const char* sound;
        const char* played;
    };
    const Case cases[] = {{0, "line_a|kestrin|line_b", "//sounds/line_b.ogg", "evt_h_line_b_played"},
                          {1, "line_a|kestrin|line_b", "//sounds/line_a.ogg", "evt_h_line_a_played"},
                          {0, "line_a|kestrin", "//sounds/line_a.ogg", "evt_h_line_a_played"},
                          {2, "bell.wav", "//sounds/bell.wav", "evt_h_bell_played"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        MGHotspot* hotspot = LoadLetter(std::string("\t\tvoiceovers\n\t\t\tuse=") + c.list + "\n");
        ASSERT_NE(hotspot, nullptr);
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        ASSERT_TRUE(hotspot->PlaySound(MGHotspot::kUseList));
        EXPECT_EQ(LastSound(), std::string("hotspotSound ") + c.sound);
        EXPECT_TRUE(HasEvent(c.played));
        EXPECT_FALSE(hotspot->PlaySound(MGHotspot::kLookList));
        Voice()->End();
    }
}

TEST_F(MGHotspotRoadTest, TheSpeakerMovesItsLipsAndGesturesWithItsLine) {
    // The sample line has lip-sync and gesture files in the data tree.
    MGHotspot* hotspot = LoadLetter("\t\tvoiceovers\n\t\t\tlook=sample_greeting|clerk\n");
    ASSERT_NE(hotspot, nullptr);
    MGCharacter* clerk = Scene()->GetCharacter(VoString(u"clerk"));
    ASSERT_TRUE(hotspot->PlaySound(MGHotspot::kLookList));
    EXPECT_EQ(hotspot->GetLipSyncCharacter(), clerk);
    EXPECT_NE(clerk->GetLipSyncPlayer(), nullptr);
    ASSERT_NE(hotspot->GetGesturePlayer(), nullptr);
    EXPECT_EQ(hotspot->GetGesturePlayer()->GetCharacter(VoString(u"primary")), clerk);
    Voice()->End();
    EXPECT_EQ(hotspot->GetLipSyncCharacter(), nullptr);
    EXPECT_EQ(clerk->GetLipSyncPlayer(), nullptr);
    EXPECT_EQ(hotspot->GetGesturePlayer(), nullptr);

    // In a close-up a line has neither.
    hotspot->SetInCloseUp(true);
    ASSERT_TRUE(hotspot->PlaySound(MGHotspot::kLookList));
    EXPECT_EQ(hotspot->GetLipSyncCharacter(), nullptr);
    EXPECT_EQ(hotspot->GetGesturePlayer(), nullptr);
}

TEST_F(MGHotspotRoadTest, ALookWithoutASoundPlayerFallsBackToItsCutScene) {
    MGHotspot* hotspot = LoadLetter(
        "\t\tvoiceovers\n\t\t\tlook=line_a\n\t\tcutscenes\n\t\t\tlook=intro.mkv|-|-|sta_x|evt_y\n");
    ASSERT_NE(hotspot, nullptr);
    stubs::Missing().insert("//sounds/line_a.ogg");
    hotspot->OnAction(MGIMultiCursorListener::kLook);
    EXPECT_TRUE(Logged("ERROR: ", MGHotspot::kNoSoundPlayer));
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "intro.mkv");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "");
    ASSERT_EQ(player->GetDoneStates().GetCount(), 3);
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_x");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(1)), "boolean");
    ASSERT_EQ(player->GetDoneEvents().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetDoneEvents().GetAt(0)), "evt_y");

    // The movie's end sets the state and adds the event; the scene stays.
    Frames(1.0);
    stubs::MoviePlayer* movie = stubs::MoviePlayer::Find("//dataroot/movies/intro.mkv");
    ASSERT_NE(movie, nullptr);
    EXPECT_FALSE(StateTrue("sta_x"));
    movie->End();
    Frames(1.0);
    EXPECT_TRUE(StateTrue("sta_x"));
    EXPECT_TRUE(HasEvent("evt_y"));
    EXPECT_EQ(Narrow(Scene()->GetSceneId()), "test/room");
}

TEST_F(MGHotspotRoadTest, ALookWithNothingToPlayGivesTheInputBack) {
    MGHotspot* hotspot = LoadLetter();
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    hotspot->OnAction(MGIMultiCursorListener::kLook);
    EXPECT_TRUE(HasEvent("evt_looked"));
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_FALSE(Scene()->IsMouseLocked());
    EXPECT_TRUE(hotspot->IsListening());
    EXPECT_FALSE(TheMenu()->IsShown());
}

TEST_F(MGHotspotRoadTest, EachActionHasItsOutcome) {
    struct Case {
        const char* what;
        int action;
        bool inCloseUp;
        const char* item;   // the hotspot's item, one of the case's
        const char* event;  // the done event that follows, or ""
        bool taken;         // the item is in the inventory afterwards
        int cursor;         // the cursor's base look afterwards
    };
    const Case cases[] = {
        {"use", MGIMultiCursorListener::kUse, false, "letter", "evt_used", false, MGCursor::kItem},
        {"collect", MGIMultiCursorListener::kCollect, false, "brasskey", "evt_collected", true,
         MGCursor::kDefault},
        {"dismissed", MGIMultiCursorListener::kDismissed, false, "register", "", false, MGCursor::kDefault},
        {"use in a close-up", MGIMultiCursorListener::kUse, true, "1cs03", "evt_used", false,
         MGCursor::kItem},
        {"collect in a close-up", MGIMultiCursorListener::kCollect, true, "report1", "evt_collected", true,
         MGCursor::kDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VoEventManager::GetInstance()->ClearEvents();
        MGHotspot* hotspot = LoadLetter("", "", c.item);
        ASSERT_NE(hotspot, nullptr);
        hotspot->SetInCloseUp(c.inCloseUp);
        ClickInside();
        ASSERT_EQ(TheMenu()->GetListener(), hotspot);
        hotspot->OnAction(c.action);
        EXPECT_EQ(TheMenu()->GetListener(), nullptr);
        if (*c.event != '\0') {
            EXPECT_TRUE(HasEvent(c.event));
        }
        EXPECT_EQ(HasItem(c.item), c.taken);
        EXPECT_EQ(HasEvent("evt_collected"), c.action == MGIMultiCursorListener::kCollect);
        EXPECT_EQ(Cursor()->GetBaseId(), c.cursor);
        // A close-up keeps the mouse: the scene is not locked for it.
        EXPECT_FALSE(Scene()->IsMouseLocked());
        if (!c.inCloseUp) {
            EXPECT_TRUE(Scene()->IsInputEnabled());
            // The held letter keeps its own hotspot deaf; the others hear again.
            EXPECT_EQ(hotspot->IsListening(), c.cursor != MGCursor::kItem);
        }
        Frames(0.5);
        Cursor()->SetBaseCursor(MGCursor::kDefault);
        Cursor()->ResetCursor(VoString());
    }
}

TEST_F(MGHotspotRoadTest, ACollectAnimationTakesTheObjectOnceHalfWayThrough) {
    MGHotspot* hotspot = LoadLetter("", "\t\t\tcollectanim=table\n");
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    hotspot->OnAction(MGIMultiCursorListener::kCollect);
    MGCharacter* player = Scene()->GetPlayer();
    EXPECT_EQ(player->GetActionCode(), MGCharacter::kActionPickTable);
    // The hotspot is off at once; the letter comes with the animation.
    EXPECT_FALSE(hotspot->IsActive());
    EXPECT_FALSE(hotspot->IsListening());
    EXPECT_FALSE(HasItem("letter"));
    EXPECT_FALSE(HasEvent("evt_collected"));

    // Told once more than needed, the hotspot takes the letter only once.
    EventJournal journal;
    hotspot->Deactivate();
    hotspot->Deactivate();
    EXPECT_TRUE(HasItem("letter"));
    EXPECT_EQ(journal.Count("evt_collected"), 1);

    for (int i = 0; i < 200 && player->GetActionCode() != 0; ++i) {
        Frames(0.05);
    }
    EXPECT_EQ(player->GetActionCode(), 0);
    EXPECT_TRUE(Scene()->IsInputEnabled());
}

TEST_F(MGHotspotRoadTest, AnAnimationThatEndsEarlyStillHandsTheObjectOver) {
    MGHotspot* hotspot = LoadLetter("", "\t\t\tcollectanim=table\n");
    ASSERT_NE(hotspot, nullptr);
    hotspot->OnAction(MGIMultiCursorListener::kCollect);
    hotspot->OnActionDone(MGCharacter::kActionPickTable);
    EXPECT_TRUE(HasItem("letter"));
    EXPECT_TRUE(HasEvent("evt_collected"));
    EXPECT_TRUE(Scene()->IsInputEnabled());
}

TEST_F(MGHotspotRoadTest, AnalyzeStartsTheLabResultsOnceWithTheSkillsDelay) {
    struct Case {
        int skill;
        float delay;
    };
    const Case cases[] = {{0, 8.0f}, {1, 16.0f}, {2, 32.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skill);
        VoEventManager::GetInstance()->ClearEvents();
        MGHotspot* hotspot = LoadLetter("", "\t\t\tanalyze\n\t\t\t\tdoneevents=evt_analyzed\n");
        ASSERT_NE(hotspot, nullptr);
        MGOptions::GetInstance()->SetSkillLevel(c.skill);
        hotspot->OnAction(MGIMultiCursorListener::kAnalyze);
        EXPECT_TRUE(HasItem("letter"));
        EXPECT_TRUE(HasEvent("evt_analyzed"));
        EXPECT_TRUE(HasEvent("letter_CL_S"));
        EXPECT_TRUE(HasEvent("letter_RE_S"));
        EXPECT_FALSE(HasEvent("letter_CL_R"));
        VoGameClock* clock = VoGameClock::GetInstance();
        const int triggers = clock->GetTriggerCount();
        hotspot->OnAction(MGIMultiCursorListener::kAnalyze);
        EXPECT_EQ(clock->GetTriggerCount(), triggers);
        clock->AdvanceTime(c.delay - 0.5f, true);
        EXPECT_FALSE(HasEvent("letter_CL_R"));
        clock->AdvanceTime(1.0f, true);
        EXPECT_TRUE(HasEvent("letter_CL_R"));
        EXPECT_TRUE(HasEvent("letter_RE_R"));
    }
}

TEST_F(MGHotspotRoadTest, TheEndOfATurnOpensTheMenu) {
    MGHotspot* hotspot = LoadLetter();
    ASSERT_NE(hotspot, nullptr);
    hotspot->Execute();
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
    hotspot->OnAction(MGIMultiCursorListener::kDismissed);
    hotspot->TrackTargetDone();
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
}

TEST_F(MGHotspotRoadTest, AHotspotGoneBeforeThePlayerTurnedIsNotCalled) {
    fFiles["evidence.txt"] = "box\n\tcoords=-9|1|-10\n\tvcoords=0|-8\n\tradius=5\n";
    MGHotspot* hotspot = LoadLetter("\t\tobjectofinterest\n\t\t\tid=box\n");
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    MGCharacter* player = Scene()->GetPlayer();
    EXPECT_TRUE(player->IsTurning());
    EXPECT_EQ(player->GetListener(), hotspot);
    // The viewpoint changes under the turn: the hotspots go.
    ASSERT_TRUE(Scene()->SetViewpoint(VoString(u"vp_b")));
    EXPECT_EQ(player->GetListener(), nullptr);
    Frames(2.0);
}

TEST_F(MGHotspotRoadTest, ThePlayerTurnsToTheObjectAndTheMenuOpensWhenTheTurnEnds) {
    // Beside the player (at (0, -8), facing +z), a little behind.
    fFiles["evidence.txt"] = "box\n\tcoords=-9|1|-10\n\tvcoords=0|-8\n\tradius=5\n";
    MGHotspot* hotspot = LoadLetter("\t\tobjectofinterest\n\t\t\tid=box\n");
    ASSERT_NE(hotspot, nullptr);
    ClickInside();
    MGCharacter* player = Scene()->GetPlayer();
    EXPECT_TRUE(player->IsTurning());
    EXPECT_EQ(TheMenu()->GetListener(), nullptr);
    for (int i = 0; i < 100 && player->IsTurning(); ++i) {
        Frames(0.05);
    }
    EXPECT_FALSE(player->IsTurning());
    EXPECT_EQ(TheMenu()->GetListener(), hotspot);
}
