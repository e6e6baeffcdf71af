// Hotspots as their files make them: the factory's kinds, the reader's keys
// and defaults, the boundary test, and the conditions that decide whether a
// hotspot hears the mouse.
#include "scene/MGHotspot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HotspotRoom.h"
#include "container/VoVectorString.h"
#include "gdi/VoIDisplayObject.h"
#include "geometry/VoPolygon.h"
#include "scene/MGHotspotAction.h"
#include "scene/MGHotspotInterview.h"
#include "scene/MGHotspotNavigate.h"
#include "scene/MGHotspotTarget.h"
#include "scene/MGObjectOfInterest.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"

using namespace hotspots;

namespace {

class MGHotspotTest : public HotspotRoom {
protected:
    // A hotspot of the first entry of the text, made while the room is the
    // current scene; the test owns it.
    std::unique_ptr<MGHotspot> Make(const std::string& aText) {
        std::unique_ptr<VoPropertyList> file = ParseEntry(aText);
        VoPropertyList* entry = file->GetListAt(0);
        return std::unique_ptr<MGHotspot>(entry != nullptr ? MGHotspot::Create(entry) : nullptr);
    }
};

}  // namespace

TEST_F(MGHotspotTest, TheFactoryMakesTheKindThatTheTypeNamesInAnyCase) {
    ASSERT_NE(Load(""), nullptr);
    struct Case {
        const char* type;
        int kind;
    };
    const Case cases[] = {{"navigate", MGHotspot::kNavigate},
                          {"Interview", MGHotspot::kInterview},
                          {"TARGET", MGHotspot::kTarget},
                          {"general", MGHotspot::kGeneral}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        std::unique_ptr<MGHotspot> hotspot = Make(Entry("h", c.type));
        ASSERT_NE(hotspot, nullptr);
        EXPECT_EQ(hotspot->GetKind(), c.kind);
        EXPECT_EQ(dynamic_cast<MGHotspotNavigate*>(hotspot.get()) != nullptr, c.kind == MGHotspot::kNavigate);
        EXPECT_EQ(dynamic_cast<MGHotspotInterview*>(hotspot.get()) != nullptr,
                  c.kind == MGHotspot::kInterview);
        EXPECT_EQ(dynamic_cast<MGHotspotTarget*>(hotspot.get()) != nullptr, c.kind == MGHotspot::kTarget);
        EXPECT_EQ(Narrow(hotspot->GetId()), "h");
    }
}

TEST_F(MGHotspotTest, AnyOtherTypeMakesNoHotspotAndOneLine) {
    ASSERT_NE(Load(""), nullptr);
    EXPECT_EQ(Make(Entry("h", "door")), nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", std::string(MGHotspot::kInvalidType) + "door"));
    EXPECT_EQ(CountLogged(MGHotspot::kInvalidType), 1);
    EXPECT_EQ(Make("h\n\tid=h\n"), nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGHotspot::kTypeNotFound));
    EXPECT_EQ(MGHotspot::Create(nullptr), nullptr);
}

TEST_F(MGHotspotTest, MissingKeysAreLoggedAndDefaulted) {
    ASSERT_NE(Load(""), nullptr);
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    const std::string head = "h\n\tid=h\n\ttype=general\n\tenabled=script[true]\n";
    const std::string box = "\tboundary\n\t\ttype=rectangle\n\t\tcoords=0|0|10|10\n\t\tposition=0|0\n";
    const Case cases[] = {
        {"id", "h\n\ttype=general\n\tenabled=script[true]\n" + box + "\tdata\n", MGHotspot::kIdNotFound},
        {"enabled", "h\n\tid=h\n\ttype=general\n" + box + "\tdata\n", MGHotspot::kEnabledNotFound},
        {"boundary", head + "\tdata\n", MGHotspot::kBoundaryNotFound},
        {"boundary type", head + "\tboundary\n\t\tcoords=0|0|1|1\n\t\tposition=0|0\n\tdata\n",
         MGHotspot::kBoundaryNotFound},
        {"coords", head + "\tboundary\n\t\ttype=rectangle\n\t\tposition=0|0\n\tdata\n",
         MGHotspot::kCoordsNotFound},
        {"short rectangle",
         head + "\tboundary\n\t\ttype=rectangle\n\t\tcoords=1|2|3\n\t\tposition=0|0\n\tdata\n",
         MGHotspot::kCoordsNotFound},
        {"position", head + "\tboundary\n\t\ttype=rectangle\n\t\tcoords=0|0|1|1\n\tdata\n",
         MGHotspot::kPositionNotFound},
        {"data", head + box, MGHotspot::kDataNotFound},
        {"menu position", head + box + "\tdata\n\t\tmulticursor\n\t\t\toperatingid=x\n",
         MGHotspot::kMenuPositionNotFound},
        {"member id", head + box + "\tdisplay\n\t\tvisible=script[true]\n\tdata\n",
         MGHotspot::kMemberIdNotFound},
        {"visible", head + box + "\tdisplay\n\t\tmemberid=lamp\n\tdata\n", MGHotspot::kVisibleNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogCapture log;
        std::unique_ptr<MGHotspot> hotspot = Make(c.text);
        ASSERT_NE(hotspot, nullptr);
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", c.message));
    }
    LogCapture log;
    std::unique_ptr<MGHotspot> hotspot = Make(head +
                                              "\tboundary\n\t\ttype=circle\n\t\tcoords=1|2\n\t\t"
                                              "position=0|0\n\tdata\n");
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(MGHotspot::kBoundaryTypeUndefined) + "circle"));
    EXPECT_EQ(hotspot->GetBoundary(), nullptr);
}

TEST_F(MGHotspotTest, AnEntryWithoutAMenuOffersNothingAndStandsForNoItem) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make(Entry("h", "general"));
    ASSERT_NE(hotspot, nullptr);
    EXPECT_FALSE(hotspot->HasMultiCursor());
    for (int i = 0; i < MGHotspot::kActionCount; ++i) {
        EXPECT_EQ(hotspot->GetAction(i), nullptr) << i;
    }
    EXPECT_EQ(Narrow(hotspot->GetOperatingId()), "");
    EXPECT_EQ(hotspot->GetCollectAnimation(), MGHotspot::kNoCollectAnimation);
    EXPECT_FALSE(hotspot->IsMenuOnLeft());
    EXPECT_EQ(hotspot->GetObjectOfInterest(), nullptr);
    for (int i = 0; i < MGHotspot::kListCount; ++i) {
        EXPECT_EQ(hotspot->GetVoiceOvers(i), nullptr) << i;
        EXPECT_EQ(hotspot->GetCutScenes(i), nullptr) << i;
    }
    EXPECT_EQ(hotspot->GetDisplayMember(), nullptr);
    EXPECT_EQ(Narrow(hotspot->GetMeshId()), "");
    EXPECT_TRUE(hotspot->AreConditionsMet());
    EXPECT_FALSE(hotspot->IsActive());
    EXPECT_FALSE(hotspot->IsListening());
}

TEST_F(MGHotspotTest, AMenuThatListsOnlyLookOffersEveryActionItsScriptsAllow) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make(
        Entry("h", "general", "\t\tmulticursor\n\t\t\tposition=10|20\n\t\t\tlook\n\t\t\t\tenabled=false\n"));
    ASSERT_NE(hotspot, nullptr);
    EXPECT_TRUE(hotspot->HasMultiCursor());
    EXPECT_EQ(hotspot->GetMultiCursorPosition(), VoVector2(10.0f, 20.0f));
    const bool expected[MGHotspot::kActionCount] = {false, true, true, true, true};
    for (int i = 0; i < MGHotspot::kActionCount; ++i) {
        ASSERT_NE(hotspot->GetAction(i), nullptr) << i;
        EXPECT_EQ(hotspot->GetAction(i)->IsEnabled(), expected[i]) << i;
        EXPECT_EQ(hotspot->GetAction(i)->GetDoneEvents(), nullptr) << i;
    }
}

TEST_F(MGHotspotTest, TheMenuOpensOnTheLeftByOrientationOrSide) {
    ASSERT_NE(Load(""), nullptr);
    struct Case {
        const char* lines;
        bool left;
    };
    const Case cases[] = {{"\t\t\torientation=Left\n", true},
                          {"\t\t\tside=left\n", true},
                          {"\t\t\torientation=right\n\t\t\tside=left\n", false},
                          {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        std::unique_ptr<MGHotspot> hotspot =
            Make(Entry("h", "general", std::string("\t\tmulticursor\n\t\t\tposition=1|2\n") + c.lines));
        EXPECT_EQ(hotspot->IsMenuOnLeft(), c.left);
    }
}

TEST_F(MGHotspotTest, CollectAnimationWordsGiveTheirCodes) {
    struct Case {
        const char16_t* word;
        int code;
    };
    const Case cases[] = {{u"camera", 5},
                          {u"CAMERA_MID", 5},
                          {u"camera_low", 6},
                          {u"camera_high", 4},
                          {u"Table", 3},
                          {u"floor", 2},
                          {u"", 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(MGHotspot::CollectAnimationCode(VoString(c.word)), c.code) << Narrow(VoString(c.word));
    }
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> none = Make(Entry("h", "general", "\t\tmulticursor\n\t\t\tposition=1|2\n"));
    EXPECT_EQ(none->GetCollectAnimation(), MGHotspot::kNoCollectAnimation);
    std::unique_ptr<MGHotspot> table =
        Make(Entry("h", "general", "\t\tmulticursor\n\t\t\tposition=1|2\n\t\t\tcollectanim=table\n"));
    EXPECT_EQ(table->GetCollectAnimation(), MGHotspot::kPickTable);
}

TEST_F(MGHotspotTest, ARectangleContainsPointsWithinItAtItsPosition) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make(
        "h\n\tid=h\n\ttype=general\n\tenabled=script[true]\n\tboundary\n\t\ttype=rectangle\n\t\t"
        "coords=10|20|100|50\n\t\tposition=300|200\n\tdata\n");
    ASSERT_NE(hotspot->GetBoundary(), nullptr);
    EXPECT_EQ(hotspot->GetBoundary()->GetNumPoints(), 4);
    struct Case {
        float x;
        float y;
        bool inside;
    };
    // The rectangle covers 310..410 x 220..270 on the screen.
    const Case cases[] = {
        {360.0f, 245.0f, true},  {311.0f, 245.0f, true},  {409.0f, 245.0f, true},
        {305.0f, 225.0f, false},  // left of it: the point is not inside, whatever the offset
        {290.0f, 225.0f, false}, {360.0f, 215.0f, false}, {360.0f, 280.0f, false},
        {360.0f, 221.5f, false},  // within 2.0 of the top edge: on the edge, not counted
        {410.0f, 245.0f, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hotspot->CheckWithin(VoVector2(c.x, c.y)), c.inside) << c.x << ", " << c.y;
    }
}

TEST_F(MGHotspotTest, APolygonIsClosedAndAnOddLastNumberIgnored) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make(
        "h\n\tid=h\n\ttype=general\n\tenabled=script[true]\n\tboundary\n\t\ttype=Polygon\n\t\t"
        "coords=0|0|100|0|0|100|7\n\t\tposition=10|10\n\tdata\n");
    ASSERT_NE(hotspot->GetBoundary(), nullptr);
    EXPECT_EQ(hotspot->GetBoundary()->GetNumPoints(), 3);
    EXPECT_TRUE(hotspot->GetBoundary()->IsClosed());
    EXPECT_TRUE(hotspot->CheckWithin(VoVector2(30.0f, 40.0f)));
    EXPECT_FALSE(hotspot->CheckWithin(VoVector2(90.0f, 90.0f)));
}

TEST_F(MGHotspotTest, WithoutABoundaryNoPointIsWithinAndEachTestSaysSo) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make("h\n\tid=h\n\ttype=general\n\tenabled=script[true]\n\tdata\n");
    ASSERT_NE(hotspot, nullptr);
    LogCapture log;
    EXPECT_FALSE(hotspot->CheckWithin(VoVector2(0.0f, 0.0f)));
    EXPECT_FALSE(hotspot->CheckWithin(VoVector2(5.0f, 5.0f)));
    EXPECT_EQ(log.Count(MGHotspot::kNoBoundary), 2);
}

TEST_F(MGHotspotTest, TheObjectOfInterestComesFromTheScenesEvidence) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot = Make(Entry("h", "general", "\t\tobjectofinterest\n\t\t\tid=far\n"));
    ASSERT_NE(hotspot->GetObjectOfInterest(), nullptr);
    EXPECT_EQ(hotspot->GetObjectOfInterest()->fCoords, VoVector3(0.0f, 1.0f, 9.0f));
    EXPECT_EQ(hotspot->GetObjectOfInterest()->fVCoords, VoVector2(0.0f, 8.0f));
    EXPECT_EQ(hotspot->GetObjectOfInterest()->fRadius, 2.0f);

    LogCapture log;
    std::unique_ptr<MGHotspot> missing = Make(Entry("h", "general", "\t\tobjectofinterest\n\t\t\tid=sofa\n"));
    EXPECT_EQ(missing->GetObjectOfInterest(), nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(MGHotspot::kEvidenceNotFound) + "sofa"));
}

TEST_F(MGHotspotTest, VoiceOverAndCutSceneListsAreReadByName) {
    ASSERT_NE(Load(""), nullptr);
    std::unique_ptr<MGHotspot> hotspot =
        Make(Entry("h", "general",
                   "\t\tvoiceovers\n\t\t\tlook=a|kestrin|a_easy\n\t\t\tunsatisfied=no\n"
                   "\t\tcutscenes\n\t\t\tuse=intro.bik|-|-|sta_x|evt_y\n"));
    ASSERT_NE(hotspot->GetVoiceOvers(MGHotspot::kLookList), nullptr);
    EXPECT_EQ(hotspot->GetVoiceOvers(MGHotspot::kLookList)->GetCount(), 3);
    EXPECT_EQ(hotspot->GetVoiceOvers(MGHotspot::kUseList), nullptr);
    ASSERT_NE(hotspot->GetVoiceOvers(MGHotspot::kUnsatisfiedList), nullptr);
    EXPECT_EQ(Narrow(hotspot->GetVoiceOvers(MGHotspot::kUnsatisfiedList)->GetAt(0)), "no");
    ASSERT_NE(hotspot->GetCutScenes(MGHotspot::kUseList), nullptr);
    EXPECT_EQ(hotspot->GetCutScenes(MGHotspot::kUseList)->GetCount(), 5);
    EXPECT_EQ(hotspot->GetCutScenes(MGHotspot::kLookList), nullptr);
}

TEST_F(MGHotspotTest, TheEnabledScriptAndTheOwnersSwitchDecideTheMouse) {
    ASSERT_NE(Load(Entry("h", "general", "", "", "script[e[evt_open]]")), nullptr);
    MGHotspot* hotspot = Hotspot("h");
    ASSERT_NE(hotspot, nullptr);
    // The scene is entered with its input on, but the script does not hold.
    EXPECT_TRUE(hotspot->IsActive());
    EXPECT_FALSE(hotspot->AreConditionsMet());
    EXPECT_FALSE(hotspot->IsListening());
    AddEvent("evt_open");
    EXPECT_TRUE(hotspot->IsListening());
    Scene()->SetHotspotsEnabled(false);
    EXPECT_FALSE(hotspot->IsListening());
    EXPECT_TRUE(hotspot->AreConditionsMet());
    Scene()->SetHotspotsEnabled(true);
    EXPECT_TRUE(hotspot->IsListening());
    RemoveEvent("evt_open");
    SetState("sta_other", "boolean", "true");
    EXPECT_FALSE(hotspot->IsListening());
    // Off, a hotspot leaves the mouse to the scene.
    Move(kInsideX, kInsideY);
    EXPECT_FALSE(hotspot->IsHovered());
}

TEST_F(MGHotspotTest, AGeneralHotspotIsDeafWhileTheCursorHoldsItsOwnItem) {
    const std::string menu = "\t\tmulticursor\n\t\t\tposition=1|2\n\t\t\toperatingid=letter\n";
    ASSERT_NE(
        Load(Entry("general", "general", menu) + Entry("target", "target", menu,
                                                       "\ttypedata\n\t\ttarget\n\t\t\tenabled=script[true]\n"
                                                       "\t\t\tsatisfied=letter\n")),
        nullptr);
    MGHotspot* general = Hotspot("general");
    MGHotspot* target = Hotspot("target");
    ASSERT_NE(general, nullptr);
    ASSERT_NE(target, nullptr);
    struct Case {
        const char* item;
        bool generalHears;
    };
    const Case cases[] = {{"letter", false}, {"brasskey", true}, {"Letter", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Cursor()->SetItemCursor(VoString(c.item));
        // Nothing changes until an event or a state change asks again.
        AddEvent((std::string("evt_held_") + c.item).c_str());
        EXPECT_EQ(general->IsListening(), c.generalHears);
        EXPECT_TRUE(target->IsListening());
        Cursor()->SetBaseCursor(MGCursor::kDefault);
        Cursor()->ResetCursor(VoString());
        AddEvent((std::string("evt_dropped_") + c.item).c_str());
        EXPECT_TRUE(general->IsListening());
    }
}

TEST_F(MGHotspotTest, TheDisplayMemberShowsWhileItsScriptHolds) {
    fViewpointLines =
        "\t\tdisplaygroup\n\t\t\tid=displaygroup\n\t\t\tshapes\n\t\t\t\tlamp\n\t\t\t\t\tid=lamp\n"
        "\t\t\t\t\ttype=rectangle\n\t\t\t\t\tcoords=0|0|10|10\n";
    ASSERT_NE(
        Load(Entry("h", "general", "", "\tdisplay\n\t\tmemberid=lamp\n\t\tvisible=script[!e[evt_off]]\n")),
        nullptr);
    MGHotspot* hotspot = Hotspot("h");
    ASSERT_NE(hotspot, nullptr);
    VoIDisplayObject* lamp = hotspot->GetDisplayMember();
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp, Scene()->GetDisplayGroup()->GetMember(VoString(u"lamp")));
    EXPECT_TRUE(lamp->GetActive());
    AddEvent("evt_off");
    EXPECT_FALSE(lamp->GetActive());
    EXPECT_TRUE(hotspot->Render(nullptr));
}

TEST_F(MGHotspotTest, AMissingDisplayMemberIsLogged) {
    ASSERT_NE(Load(Entry("h", "general", "", "\tdisplay\n\t\tmemberid=lamp\n\t\tvisible=script[true]\n")),
              nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", std::string(MGHotspot::kMemberNotFound) + "lamp"));
    EXPECT_EQ(Hotspot("h")->GetDisplayMember(), nullptr);
}

TEST_F(MGHotspotTest, TheMeshFramesDrawnFlagFollowsItsScript) {
    ASSERT_NE(Load(Entry("h", "general", "", "\tmesh\n\t\tid=W_sign\n\t\tactive=script[!e[evt_gone]]\n")),
              nullptr);
    VoFrame* frame = Scene()->GetDepthMesh()->FindFrame(VoString(u"W_sign"), false);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetMesh(), nullptr);
    EXPECT_NE(frame->GetMesh()->GetFlags() & VoMesh::kDrawn, 0u);
    AddEvent("evt_gone");
    EXPECT_EQ(frame->GetMesh()->GetFlags() & VoMesh::kDrawn, 0u);
    RemoveEvent("evt_gone");
    AddEvent("evt_back");
    EXPECT_NE(frame->GetMesh()->GetFlags() & VoMesh::kDrawn, 0u);
    EXPECT_EQ(Narrow(Hotspot("h")->GetMeshId()), "W_sign");
}

TEST_F(MGHotspotTest, ApplyResultsAddsTheEventsAndSetsTheStatesInThrees) {
    SetState("sta_old", "number", "1");
    VoVectorString events;
    events.Add(VoString(u"evt_a"));
    events.Add(VoString(u"evt_b"));
    VoVectorString states;
    for (const char16_t* value : {u"sta_old", u"number", u"7", u"sta_new", u"boolean", u"true", u"sta_text",
                                  u"string", u"hello", u"sta_short", u"boolean"}) {
        states.Add(VoString(value));
    }
    MGHotspot::ApplyResults(&events, &states);
    EXPECT_TRUE(HasEvent("evt_a"));
    EXPECT_TRUE(HasEvent("evt_b"));
    VoStateManager* manager = VoStateManager::GetInstance();
    EXPECT_EQ(manager->GetState(VoString(u"sta_old"))->GetNumber(), 7.0f);
    EXPECT_TRUE(manager->GetState(VoString(u"sta_new"))->GetBoolean());
    ASSERT_NE(manager->GetState(VoString(u"sta_text")), nullptr);
    EXPECT_EQ(manager->GetState(VoString(u"sta_text"))->GetType(), VoIState::kString);
    // A last group of fewer than three is left.
    EXPECT_EQ(manager->GetState(VoString(u"sta_short")), nullptr);
    MGHotspot::ApplyResults(nullptr, nullptr);
}
