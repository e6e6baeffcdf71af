// Target hotspots in the test room: the item in the cursor is judged, the
// use is recorded, and the answer is a voice-over or a cut-scene, with the
// results of a satisfying item at once or at the movie's end.
#include "scene/MGHotspotTarget.h"

#include <gtest/gtest.h>

#include <string>

#include "HotspotRoom.h"
#include "ui/MGCutScenePlayer.h"

using namespace hotspots;

namespace {

// A target "door" satisfied by the brass key, adding evt_opened and
// sta_open, with the given data lines.
std::string Door(const std::string& aData) {
    return Entry("door", "target", aData,
                 "\ttypedata\n\t\ttarget\n\t\t\tenabled=script[true]\n\t\t\tsatisfied=brasskey|sparekey\n"
                 "\t\t\tdoneevents=evt_opened\n\t\t\tstatechanges=sta_open|boolean|true\n");
}

class MGHotspotTargetTest : public HotspotRoom {
protected:
    MGHotspotTarget* LoadDoor(const std::string& aData = "") {
        if (Load(Door(aData)) == nullptr) {
            return nullptr;
        }
        return dynamic_cast<MGHotspotTarget*>(Hotspot("door"));
    }
    // The item goes into the cursor and the player clicks the door with it.
    static void UseItem(const char* apItem) {
        Cursor()->SetItemCursor(VoString(apItem));
        Move(kOutsideX, kOutsideY);
        ClickInside();
    }
    static MGCutScenePlayer* Player() { return MGCutScenePlayer::GetInstance(); }
};

}  // namespace

TEST_F(MGHotspotTargetTest, TheCursorShowsTheItemOverTheTargetOrTheTargetLook) {
    MGHotspotTarget* door = LoadDoor();
    ASSERT_NE(door, nullptr);
    Move(kInsideX, kInsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), MGHotspot::kTargetCursor);
    Move(kOutsideX, kOutsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kDefault);
    Cursor()->SetItemCursor(VoString(u"brasskey"));
    Move(kInsideX, kInsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kItemHighlighted);
    Move(kOutsideX, kOutsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kItem);
}

TEST_F(MGHotspotTargetTest, EveryUseIsRecordedAndOnlyASatisfyingItemHasResults) {
    struct Case {
        const char* item;
        const char* used;
        const char* sound;
        bool satisfied;
    };
    const Case cases[] = {{"brasskey", "evt_used_brasskey_door", "hotspotSound //sounds/line_a.ogg", true},
                          {"letter", "evt_used_letter_door", "hotspotSound //sounds/line_b.ogg", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        MGHotspotTarget* door =
            LoadDoor("\t\tvoiceovers\n\t\t\tsatisfied=line_a\n\t\t\tunsatisfied=line_b\n");
        ASSERT_NE(door, nullptr);
        UseItem(c.item);
        EXPECT_TRUE(HasEvent(c.used));
        EXPECT_EQ(LastSound(), c.sound);
        EXPECT_EQ(HasEvent("evt_opened"), c.satisfied);
        EXPECT_EQ(StateTrue("sta_open"), c.satisfied);
        // The item leaves the cursor either way; the cursor hides during the line.
        EXPECT_EQ(Cursor()->GetBaseId(), MGCursor::kDefault);
        EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kDefault);
        EXPECT_FALSE(Cursor()->IsActive());
        EXPECT_FALSE(Scene()->IsInputEnabled());
        EXPECT_TRUE(Scene()->IsMouseLocked());
        stubs::SoundPlayer::Find("hotspotSound")->End();
        EXPECT_TRUE(Cursor()->IsActive());
        EXPECT_TRUE(Scene()->IsInputEnabled());
        EXPECT_FALSE(Scene()->IsMouseLocked());
    }
}

TEST_F(MGHotspotTargetTest, AVoiceOverIsPlayedBeforeACutSceneAndTheResultsComeAtOnce) {
    MGHotspotTarget* door =
        LoadDoor("\t\tvoiceovers\n\t\t\tsatisfied=line_a\n\t\tcutscenes\n\t\t\tsatisfied=open.mkv\n");
    ASSERT_NE(door, nullptr);
    UseItem("sparekey");
    EXPECT_EQ(LastSound(), "hotspotSound //sounds/line_a.ogg");
    EXPECT_EQ(Player()->GetQueue().GetCount(), 0);
    EXPECT_TRUE(HasEvent("evt_opened"));
    EXPECT_TRUE(StateTrue("sta_open"));
}

TEST_F(MGHotspotTargetTest, WithOnlyACutSceneTheResultsWaitForTheMoviesEnd) {
    MGHotspotTarget* door = LoadDoor("\t\tcutscenes\n\t\t\tsatisfied=open.mkv|-|-|-|evt_movie\n");
    ASSERT_NE(door, nullptr);
    UseItem("brasskey");
    ASSERT_EQ(Player()->GetQueue().GetCount(), 1);
    EXPECT_FALSE(HasEvent("evt_opened"));
    EXPECT_FALSE(StateTrue("sta_open"));
    // The movie shows the cursor again.
    EXPECT_TRUE(Cursor()->IsActive());
    Frames(1.0);
    stubs::MoviePlayer* movie = stubs::MoviePlayer::Find("//dataroot/movies/open.mkv");
    ASSERT_NE(movie, nullptr);
    movie->End();
    Frames(1.0);
    EXPECT_TRUE(HasEvent("evt_movie"));
    EXPECT_TRUE(HasEvent("evt_opened"));
    EXPECT_TRUE(StateTrue("sta_open"));
}

TEST_F(MGHotspotTargetTest, WithoutAnItemTheTargetIsLookedAt) {
    MGHotspotTarget* door = LoadDoor("\t\tvoiceovers\n\t\t\tlook=line_a\n");
    ASSERT_NE(door, nullptr);
    ClickInside();
    EXPECT_EQ(LastSound(), "hotspotSound //sounds/line_a.ogg");
    EXPECT_TRUE(HasEvent("evt_door_line_a_played"));
    EXPECT_FALSE(Cursor()->IsActive());
    EXPECT_TRUE(Scene()->IsMouseLocked());
    stubs::SoundPlayer::Find("hotspotSound")->End();
    EXPECT_TRUE(Cursor()->IsActive());
    EXPECT_TRUE(Scene()->IsInputEnabled());
}

TEST_F(MGHotspotTargetTest, AClickWithNothingToSayOnlyHidesTheCursorAndShowsItAgain) {
    MGHotspotTarget* door = LoadDoor();
    ASSERT_NE(door, nullptr);
    ClickInside();
    EXPECT_EQ(LastSound(), "");
    EXPECT_TRUE(Cursor()->IsActive());
    EXPECT_TRUE(Scene()->IsInputEnabled());
    EXPECT_FALSE(Scene()->IsMouseLocked());
    EXPECT_TRUE(door->IsListening());
}

TEST_F(MGHotspotTargetTest, TheReaderLogsWhatIsMissing) {
    LogCapture log;
    ASSERT_NE(Load(Entry("door", "target", "", "\ttypedata\n\t\ttarget\n")), nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGHotspotTarget::kEnabledNotFound));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGHotspotTarget::kSatisfiedNotFound));
    ASSERT_NE(Load(Entry("door", "target")), nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGHotspotTarget::kTypeDataNotFound));
}
