// Navigate hotspots in the test room: the direction cursor, the condition
// and its spoken lines, the walk to the target or to the viewpoint's border,
// and the change of viewpoint or of scene at the end of it.
#include "scene/MGHotspotNavigate.h"

#include <gtest/gtest.h>

#include <string>

#include "HotspotRoom.h"
#include "MGScreenManager.h"
#include "navigation/VoNavigationTDODisplay.h"
#include "navigation/VoSteeringTDO.h"
#include "pda/MGPDAMinimized.h"
#include "scene/MGNavigation.h"
#include "time/VoGameClock.h"

using namespace hotspots;

namespace {

// The typedata section of a navigate hotspot with the given lines.
std::string Navigate(const std::string& aLines) {
    return "\ttypedata\n\t\tnavigate\n\t\t\tenabled=script[true]\n" + aLines;
}

class MGHotspotNavigateTest : public HotspotRoom {
protected:
    MGHotspotNavigate* LoadDoor(const std::string& aLines) {
        if (Load(Entry("door", "navigate", "", Navigate(aLines))) == nullptr) {
            return nullptr;
        }
        return dynamic_cast<MGHotspotNavigate*>(Hotspot("door"));
    }
    static float ClockTime() { return VoGameClock::GetInstance()->GetTime(); }
    static VoVector2 PlayerGround() {
        const VoVector3* position = Scene()->GetPlayer()->GetPosition();
        return VoVector2(position->x, position->z);
    }
    // Frames until the scene shows the viewpoint (or a few seconds passed).
    void WaitForViewpoint(const char* apViewpoint) {
        for (int i = 0; i < 100 && (Scene() == nullptr || Narrow(Scene()->GetViewpointId()) != apViewpoint ||
                                    Scene()->IsChangePending());
             ++i) {
            Frames(0.05);
        }
    }
};

}  // namespace

TEST_F(MGHotspotNavigateTest, DirectionWordsNameTheDirectionCursors) {
    struct Case {
        const char16_t* word;
        int cursor;
    };
    const Case cases[] = {{u"TopLeft", 9}, {u"left", 5},      {u"right", 6},       {u"top", 7},
                          {u"bottom", 8},  {u"topright", 10}, {u"bottomleft", 11}, {u"BottomRight", 12},
                          {u"north", -1},  {u"", -1},         {u"go_left", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(MGHotspotNavigate::CursorIdOf(VoString(c.word)), c.cursor) << Narrow(VoString(c.word));
    }
}

TEST_F(MGHotspotNavigateTest, HoveringShowsTheDirectionCursor) {
    MGHotspotNavigate* door = LoadDoor("\t\t\tviewpointid=vp_b\n\t\t\tcursordirection=TopLeft\n");
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetData()->fCursorId, 9);
    Move(kInsideX, kInsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), 9);
    EXPECT_EQ(Narrow(Cursor()->GetOwner()), "door");
    Move(kOutsideX, kOutsideY);
    EXPECT_EQ(Cursor()->GetCurrentId(), MGCursor::kDefault);
}

TEST_F(MGHotspotNavigateTest, ADirectionWithoutACursorLeavesTheCursorAlone) {
    MGHotspotNavigate* door = LoadDoor("\t\t\tviewpointid=vp_b\n\t\t\tcursordirection=north\n");
    ASSERT_NE(door, nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGHotspotNavigate::kCursorNotFound));
    EXPECT_EQ(door->GetData()->fCursorId, -1);
    Cursor()->SetCursor(1, VoString(u"someone"));
    Move(kInsideX, kInsideY);
    EXPECT_TRUE(door->IsHovered());
    EXPECT_EQ(Cursor()->GetCurrentId(), 1);
}

TEST_F(MGHotspotNavigateTest, TheReaderTakesTheTargetFromAWaypointOrAPosition) {
    struct Case {
        const char* lines;
        bool hasTarget;
        VoVector2 target;
        const char* logged;
    };
    const Case cases[] = {
        {"\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=side\n\t\t\tcursordirection=right\n",
         true,
         {8, 0},
         ""},
        {"\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=side\n\t\t\ttargetpos=3|4\n\t\t\tcursordirection="
         "right\n",
         true,
         {3, 4},
         ""},
        {"\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=attic\n\t\t\tcursordirection=right\n",
         false,
         {0, 0},
         "Target waypoint not found: attic"},
        {"\t\t\tcursordirection=right\n", false, {0, 0}, MGHotspotNavigate::kNoTarget},
        {"\t\t\tviewpointid=vp_b\n", false, {0, 0}, MGHotspotNavigate::kDirectionNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        LogCapture log;
        MGHotspotNavigate* door = LoadDoor(c.lines);
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(door->GetData()->fHasTargetPosition, c.hasTarget);
        if (c.hasTarget) {
            EXPECT_EQ(door->GetData()->fTargetPosition, c.target);
        }
        if (*c.logged != '\0') {
            EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", c.logged));
        }
    }
    LogCapture log;
    ASSERT_NE(Load(Entry("door", "navigate")), nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGHotspotNavigate::kTypeDataNotFound));
}

TEST_F(MGHotspotNavigateTest, TheConditionRefusesTheWayWithItsLineOrGoesAlongWithOne) {
    struct Case {
        const char* what;
        const char* conditional;
        const char* sound;  // the line asked for, or ""
        bool walks;
        bool inputOn;
    };
    const Case cases[] = {
        {"refused with a line", "\t\t\t\tcondition=script[e[evt_key]]\n\t\t\t\tunsatisfied=line_a|clerk\n",
         "deniedNav //sounds/line_a.ogg", false, false},
        {"refused without a line", "\t\t\t\tcondition=script[e[evt_key]]\n\t\t\t\tsatisfied=line_b\n", "",
         false, true},
        {"allowed with a line", "\t\t\t\tcondition=script[!e[evt_key]]\n\t\t\t\tsatisfied=line_b\n",
         "deniedNav //sounds/line_b.ogg", true, true},
        {"allowed", "\t\t\t\tcondition=script[!e[evt_key]]\n", "", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MGHotspotNavigate* door = LoadDoor(std::string("\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=side\n"
                                                       "\t\t\tcursordirection=right\n\t\t\tconditional\n") +
                                           c.conditional);
        ASSERT_NE(door, nullptr);
        stubs::SoundsAsked().clear();
        ClickInside();
        EXPECT_EQ(LastSound(), c.sound);
        EXPECT_EQ(MGNavigation::GetInstance()->GetListener() == door, c.walks);
        EXPECT_EQ(Scene()->IsInputEnabled(), c.inputOn);
        EXPECT_EQ(door->IsVoiceOverPlaying(), !c.inputOn);
        if (*c.sound != '\0') {
            stubs::SoundPlayer* line = stubs::SoundPlayer::Find("deniedNav");
            ASSERT_NE(line, nullptr);
            line->End();
            EXPECT_TRUE(Scene()->IsInputEnabled());
            EXPECT_FALSE(door->IsVoiceOverPlaying());
        }
    }
}

TEST_F(MGHotspotNavigateTest, ArrivingAdvancesTheClockAndChangesTheViewpoint) {
    MGHotspotNavigate* door =
        LoadDoor("\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=center\n\t\t\tcursordirection=right\n");
    ASSERT_NE(door, nullptr);
    const float before = ClockTime();
    ClickInside();
    EXPECT_EQ(MGNavigation::GetInstance()->GetListener(), door);
    EXPECT_NEAR(MGNavigation::GetInstance()->GetNearDistance(), MGHotspotNavigate::kNearDistance, 1e-6f);
    for (int i = 0; i < 100 && MGNavigation::GetInstance()->GetListener() != nullptr; ++i) {
        Frames(0.05);
    }
    // The walk ends (or comes near): two game seconds pass and the scene
    // fades to the other viewpoint, which brings its own hotspots.
    EXPECT_FLOAT_EQ(ClockTime() - before, MGHotspotNavigate::kArrivalSeconds);
    EXPECT_EQ(Narrow(Scene()->GetTargetViewpoint()), "vp_b");
    WaitForViewpoint("vp_b");
    EXPECT_EQ(Narrow(Scene()->GetViewpointId()), "vp_b");
    EXPECT_EQ(Hotspot("door"), nullptr);
}

TEST_F(MGHotspotNavigateTest, ADoubleClickRunsToTheTarget) {
    MGHotspotNavigate* door =
        LoadDoor("\t\t\tviewpointid=vp_b\n\t\t\ttargetpos=0|6\n\t\t\tcursordirection=top\n");
    ASSERT_NE(door, nullptr);
    Move(kInsideX, kInsideY);
    door->OnDoubleClick(1);
    EXPECT_EQ(MGNavigation::GetInstance()->GetListener(), door);
    EXPECT_EQ(MGNavigation::GetInstance()->GetSteering()->GetSpeedIndex(), 2);
}

TEST_F(MGHotspotNavigateTest, WithoutATargetTheWayLeavesThroughTheBorderOrChangesAtOnce) {
    struct Case {
        const char* edge;  // x of vp_a's right border
        bool walks;
    };
    // From the player at (0, -8) the way to "far" (100, 0) crosses vp_a's
    // right border 60.2 or 45.1 away.
    const Case cases[] = {{"60", true}, {"45", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        const std::string edge = c.edge;
        fFiles["waypoints.txt"] = "door\n\tcoords=0|-8\n\tlinks=far\nfar\n\tcoords=100|0\n\tlinks=door\n";
        fFiles["navigation.txt"] =
            "PS_a(WG_floor)(cam_a)\n\tcoords=-10|-10|" + edge + "|-10|" + edge +
            "|10|-10|10\nPS_b(WG_floor)(cam_b)\n\tcoords=90|-10|200|-10|200|10|90|10\n";
        MGHotspotNavigate* door = LoadDoor("\t\t\tviewpointid=vp_b\n\t\t\tcursordirection=right\n");
        ASSERT_NE(door, nullptr);
        const float before = ClockTime();
        ClickInside();
        if (c.walks) {
            EXPECT_EQ(MGNavigation::GetInstance()->GetListener(), door);
            const VoVector2 target = MGNavigation::GetInstance()->GetTarget();
            EXPECT_NEAR(target.x, 60.0f, 0.01f);
            EXPECT_NEAR(target.y, -3.2f, 0.01f);
            EXPECT_EQ(Narrow(Scene()->GetTargetViewpoint()), "");
            EXPECT_FLOAT_EQ(ClockTime(), before);
        } else {
            EXPECT_EQ(MGNavigation::GetInstance()->GetListener(), nullptr);
            EXPECT_EQ(Narrow(Scene()->GetTargetViewpoint()), "vp_b");
            EXPECT_FLOAT_EQ(ClockTime() - before, MGHotspotNavigate::kArrivalSeconds);
            EXPECT_TRUE(door->IsChangeUnderway());
            WaitForViewpoint("vp_b");
        }
    }
}

TEST_F(MGHotspotNavigateTest, AnotherSceneIsEnteredAtTheStartWaypointOfItsViewpoint) {
    struct Case {
        const char* what;
        const char* waypoints;  // the other scene's
        VoVector2 place;
    };
    const Case cases[] = {
        {"start waypoint", "door\n\tcoords=0|-8\n\tlinks=side\nside\n\tcoords=8|1\n\tlinks=door\n", {8, 1}},
        // Without its start waypoint the viewpoint's own set-up places the
        // player: where the navigation parks a walker it has no place for.
        {"no start waypoint",
         "door\n\tcoords=0|-8\n\tlinks=door\n",
         {VoNavigationTDODisplay::kParkedX, VoNavigationTDODisplay::kParkedY}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::map<std::string, std::string> room = fFiles;
        fFiles["waypoints.txt"] = c.waypoints;
        fFiles["scene.txt"] = SceneText();
        WriteRoom("test/other");
        fFiles = room;
        MGHotspotNavigate* door = LoadDoor(
            "\t\t\tsceneid=test/other\n\t\t\tviewpointid=vp_b\n\t\t\ttargetwaypoint=center\n"
            "\t\t\tcursordirection=right\n");
        ASSERT_NE(door, nullptr);
        ClickInside();
        for (int i = 0; i < 200 && Narrow(Scene()->GetSceneId()) != "test/other"; ++i) {
            Frames(0.05);
        }
        Frames(1.0);
        MGScene* other = Scene();
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(Narrow(other->GetSceneId()), "test/other");
        EXPECT_EQ(Narrow(other->GetViewpointId()), "vp_b");
        EXPECT_TRUE(other->IsEntered());
        EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), static_cast<MGIScreen*>(other));
        EXPECT_EQ(MGScreenManager::GetInstance()->GetScreenCount(), 1);
        EXPECT_TRUE(HasEvent("evt_other_visited"));
        EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
        const VoVector2 at = PlayerGround();
        EXPECT_NEAR(at.x, c.place.x, 1e-4f);
        EXPECT_NEAR(at.y, c.place.y, 1e-4f);
    }
}
