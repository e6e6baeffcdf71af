#include "puzzles/roomservice/MGRoomServicePuzzle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "interview/MGSubtitle.h"
#include "memory/ScopedHeap.h"
#include "platform/VoMouse.h"
#include "puzzles/roomservice/MGRoomServicePiece.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr const char16_t* kLayout = MGRoomServicePuzzle::kLayoutFile;

// Counts the button releases that reach it.
class ReleaseProbe : public VoIMouseListener {
public:
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override { ++fReleases; }
    int fReleases = 0;
};

class MGRoomServicePuzzleTest : public ::testing::Test {
protected:
    MGRoomServicePuzzleTest() { fLayout.Load(VoString(kLayout), true); }

    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGRoomServicePuzzle::kActivationState);
    }
    void Close() {
        PuzzleGame::SetState(MGRoomServicePuzzle::kActivationState, false);
        fGame.Settle();
    }
    MGRoomServicePiece* Piece(int aNumber) const {
        return dynamic_cast<MGRoomServicePiece*>(
            fPuzzle->GetRootGroup()->GetMember(VoString(u"piece") + aNumber));
    }
    int Count() const { return fPuzzle->GetPieces().GetCount(); }
    static VoVector2 At(MGRoomServicePiece* apPiece) {
        VoVector2 position;
        return apPiece->GetWorldPosition(position);
    }
    // The fragment's "solved" offset, or its "center", in the sample.
    VoVector2 Sample(int aNumber, const char16_t* apKey) {
        bool found = false;
        const VoVectorFloat values =
            fLayout.GetVectorFloat(VoString(u"groups.piece") + aNumber + u"." + apKey, &found);
        return values.GetCount() == 2 ? VoVector2(values.GetAt(0), values.GetAt(1)) : VoVector2();
    }
    // Every fragment where it belongs around the first, at (300, 100), or
    // with aMirror on the other side of it.
    void LayOutSolved(bool aMirror = false) {
        const VoVector2 reference = VoVector2(300.0f, 100.0f) + Sample(1, u"center");
        for (int n = 1; n <= Count(); ++n) {
            const VoVector2 offset = Sample(n, u"solved") * (aMirror ? -1.0f : 1.0f);
            Piece(n)->SetPosition(reference + offset - Sample(n, u"center"));
        }
    }
    // Turns every fragment back to the reference's turn.
    void Straighten() {
        for (int n = 1; n <= Count(); ++n) {
            Piece(n)->Turn(-Piece(n)->GetTurn());
            Piece(n)->ShowTurn(0.0f);
        }
    }
    // Every fragment but the one out of the way, in the top left corner,
    // so that a press picks no other that happened to land there.
    void Isolate(MGRoomServicePiece* apPiece) const {
        for (int n = 1; n <= Count(); ++n) {
            if (Piece(n) != apPiece) {
                Piece(n)->SetPosition(5.0f, 5.0f);
            }
        }
    }
    // Every fragment laid where it belongs, the first dropped, and the frame
    // in which the solved puzzle leaves.
    void SolveAndLeave() {
        Straighten();
        LayOutSolved();
        Drop(Piece(1));
        fGame.Frame();
    }
    // A press and release on the middle of the fragment.
    static void Drop(MGRoomServicePiece* apPiece, int aButton = 1) {
        const VoVector2 middle = apPiece->GetWorldCenter();
        PuzzleGame::Press(middle.x, middle.y, aButton);
        PuzzleGame::Release(aButton);
    }

    PuzzleGame fGame;
    MGRoomServicePuzzle* fPuzzle = MGRoomServicePuzzle::GetInstance();
    VoPropertyList fLayout;
};

// A scratch "//scenes" with the subtitle file, the placards and the hotel room.
class RoomServiceSceneTest : public MGRoomServicePuzzleTest {
protected:
    RoomServiceSceneTest() {
        namespace fs = std::filesystem;
        fs::copy_file(fs::path(VO_SOURCE_DIR) / "data" / "scenes" / "vo_subtitles.txt",
                      fs::path(fScenes.Path("vo_subtitles.txt")));
        fScenes.Write("case02/hotel_room/scene.txt", "defaultviewpoint=vp_door\n");
        fScenes.Write("case02/hotel_room/lights_low.txt",
                      "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n");
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), VoString(fScenes.Files().c_str()));
    }
    PlatformTestFolder fScenes;
};

// A "//scenes" without the hotel room: the solution's scene change finds
// nothing to push, and the stack is left empty.
class RoomServiceNoRoomTest : public MGRoomServicePuzzleTest {
protected:
    RoomServiceNoRoomTest() {
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), VoString(fScenes.Files().c_str()));
    }
    PlatformTestFolder fScenes;
};

}  // namespace

TEST_F(MGRoomServicePuzzleTest, OnEasyNothingIsTurnedAndAboveEveryFragmentTurnsAtRandom) {
    for (int skill = 0; skill <= 2; ++skill) {
        SCOPED_TRACE(skill);
        Open(skill);
        ASSERT_EQ(Count(), 6);
        EXPECT_EQ(fPuzzle->GetReferencePiece(), Piece(1));
        bool anyTurned = false;
        for (int n = 1; n <= 6; ++n) {
            MGRoomServicePiece* piece = Piece(n);
            const float turn = piece->GetTurn();
            EXPECT_TRUE(turn >= 0.0f && turn < 360.0f && turn == std::floor(turn)) << turn;
            EXPECT_EQ(piece->GetSprite()->GetRotation(), turn);
            anyTurned = anyTurned || turn != 0.0f;
            // Scattered within x 100 to 599 and y 100 to 399, from 500.0 down.
            const VoVector2 at = At(piece);
            EXPECT_TRUE(at.x >= 100.0f && at.x < 600.0f && at.y >= 100.0f && at.y < 400.0f);
            EXPECT_EQ(piece->GetRelativeZ(), 505.0f - 5.0f * static_cast<float>(n));
        }
        EXPECT_EQ(anyTurned, skill != 0);
        Close();
    }
}

TEST_F(MGRoomServicePuzzleTest, TheTurnMustBeWithinTwentyDegreesOnceRoundAndTheDistanceWithinTwenty) {
    Open(0);
    MGRoomServicePiece* piece = Piece(2);
    piece->SetPosition(300.0f, 300.0f);
    const VoVector2 centre = piece->GetWorldCenter();
    const float solved = piece->GetSolvedDistance();
    const struct {
        float fTurn;
        float fReference;
        float fDistance;
        bool fInPlace;
    } cases[] = {
        {15.0f, 0.0f, solved, true},          {25.0f, 0.0f, solved, false},
        {345.0f, 0.0f, solved, true},         {400.0f, 0.0f, solved, false},
        {540.0f, 0.0f, solved, false},        {360.0f, 0.0f, solved, true},
        {20.9f, 0.0f, solved, true},          {21.0f, 0.0f, solved, false},
        {-15.0f, 0.0f, solved, true},         {0.0f, 700.0f, solved, true},
        {739.0f, 0.0f, solved, true},         {0.0f, 339.0f, solved, false},
        {10.0f, 0.0f, solved + 20.0f, true},  {10.0f, 0.0f, solved - 20.0f, true},
        {10.0f, 0.0f, solved + 20.5f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fTurn << " against " << c.fReference << " at " << c.fDistance);
        piece->Turn(c.fTurn - piece->GetTurn());
        EXPECT_EQ(piece->IsInPlace(centre.x + c.fDistance, centre.y, c.fReference), c.fInPlace);
    }
}

TEST_F(MGRoomServicePuzzleTest, EveryFragmentInPlaceSolvesAndOnTheWrongSideToo) {
    for (bool mirror : {false, true}) {
        SCOPED_TRACE(mirror);
        Open();
        Straighten();
        LayOutSolved(mirror);
        EXPECT_TRUE(fPuzzle->CheckSolution());
        EXPECT_TRUE(PuzzleGame::HasEvent(MGRoomServicePuzzle::kSolvedEvent));
        fGame.Settle();
        VoEventManager::GetInstance()->ClearEvents();
        MGScreenManager::GetInstance()->PushScreen(&fGame.fScene);
    }
}

TEST_F(MGRoomServicePuzzleTest, OneFragmentOffOrTurnedAwayLeavesItUnsolved) {
    Open();
    Straighten();
    LayOutSolved();
    Piece(3)->SetPosition(At(Piece(3)) + VoVector2(300.0f, 0.0f));
    Drop(Piece(1));
    EXPECT_FALSE(PuzzleGame::HasEvent(MGRoomServicePuzzle::kSolvedEvent));
    LayOutSolved();
    Piece(5)->Turn(90.0f);
    Drop(Piece(1));
    EXPECT_FALSE(PuzzleGame::HasEvent(MGRoomServicePuzzle::kSolvedEvent));
    // The reference turned like it brings it back.
    Piece(1)->Turn(90.0f);
    for (int n = 2; n <= 6; ++n) {
        if (n != 5) {
            Piece(n)->Turn(90.0f);
        }
    }
    EXPECT_TRUE(fPuzzle->CheckSolution());
}

TEST_F(MGRoomServicePuzzleTest, AFragmentAtAnEdgeKeepsThatAxisAndFollowsTheOther) {
    Open(0);
    MGRoomServicePiece* piece = Piece(2);
    Isolate(piece);
    const float width = piece->GetWidth();
    const float height = piece->GetHeight();
    ASSERT_GT(width, 0.0f);
    piece->SetPosition(790.0f - width, 300.0f);
    const VoVector2 grab = piece->GetWorldCenter();
    PuzzleGame::Press(grab.x, grab.y);
    ASSERT_EQ(fPuzzle->GetSelectedPiece(), piece);
    PuzzleGame::MoveTo(grab.x + 20.0f, grab.y + 30.0f);
    EXPECT_EQ(At(piece), VoVector2(790.0f - width, 330.0f));
    PuzzleGame::MoveTo(grab.x + 5.0f, grab.y + 30.0f);
    EXPECT_EQ(At(piece), VoVector2(795.0f - width, 330.0f));
    PuzzleGame::MoveTo(grab.x - 400.0f, grab.y + 700.0f - height);
    EXPECT_EQ(At(piece).y, 330.0f);
    PuzzleGame::Release();
}

TEST_F(MGRoomServicePuzzleTest, WhereFragmentsOverlapThePickedLastIsTaken) {
    Open(0);
    MGRoomServicePiece* first = Piece(5);
    MGRoomServicePiece* second = Piece(6);
    const VoVector2 away(650.0f, 450.0f);
    const VoVector2 point(300.0f, 300.0f);
    Isolate(first);
    // Each picked alone, then both laid with their middles on one point.
    const auto pickAlone = [&](MGRoomServicePiece* apPicked, MGRoomServicePiece* apOther) {
        apOther->SetPosition(away);
        Drop(apPicked);
        first->SetPosition(point - first->GetCentre());
        second->SetPosition(point - second->GetCentre());
    };
    pickAlone(first, second);
    pickAlone(second, first);
    EXPECT_EQ(fPuzzle->GetPieces().GetAt(0), second);
    EXPECT_EQ(fPuzzle->GetPieces().GetAt(1), first);
    EXPECT_EQ(second->GetRelativeZ(), first->GetRelativeZ() + 5.0f);
    PuzzleGame::Press(point.x, point.y);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), second);
    PuzzleGame::Release();
    pickAlone(first, second);
    PuzzleGame::Press(point.x, point.y);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), first);
    PuzzleGame::Release();
}

TEST_F(MGRoomServicePuzzleTest, AnotherButtonTurnsAboutThePositionAndTheReleaseMakesItLast) {
    Open(0);
    MGRoomServicePiece* piece = Piece(3);
    Isolate(piece);
    piece->SetPosition(300.0f, 300.0f);
    const VoPolygon before = *piece->GetHitPolygon();
    const VoVector2 middle = piece->GetWorldCenter();
    // The press at (pivot + (d, 0)): angle 0; then up above the pivot: 90.
    PuzzleGame::Press(middle.x, middle.y, 2);
    ASSERT_EQ(fPuzzle->GetSelectedPiece(), piece);
    EXPECT_TRUE(fPuzzle->IsTurning());
    const VoVector2 pivot = At(piece);
    const float radius = std::hypot(middle.x - pivot.x, middle.y - pivot.y);
    const float start = std::atan2(pivot.y - middle.y, middle.x - pivot.x) * 57.29578f;
    PuzzleGame::MoveTo(pivot.x, pivot.y - radius);
    EXPECT_NEAR(piece->GetSprite()->GetRotation(), 90.0f - start, 1e-3f);
    EXPECT_EQ(piece->GetTurn(), 0.0f);
    EXPECT_EQ(piece->GetHitPolygon()->PeekPoints()[0], before.PeekPoints()[0]);
    EXPECT_EQ(At(piece), pivot);
    PuzzleGame::Release(2);
    EXPECT_NEAR(piece->GetTurn(), 90.0f - start, 1e-3f);
    // The outline turned with it, about the centre.
    const VoVector2 centre = piece->GetCentre();
    const VoVector2 corner = before.PeekPoints()[0] - centre;
    const float a = -piece->GetTurn() * 0.017453292f;
    const VoVector2 turned(centre.x + corner.x * std::cos(a) - corner.y * std::sin(a),
                           centre.y + corner.x * std::sin(a) + corner.y * std::cos(a));
    EXPECT_NEAR(piece->GetHitPolygon()->PeekPoints()[0].x, turned.x, 1e-3f);
    EXPECT_NEAR(piece->GetHitPolygon()->PeekPoints()[0].y, turned.y, 1e-3f);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
}

TEST_F(MGRoomServicePuzzleTest, TheOutlineTakesTheClicksEdgesIncluded) {
    Open(0);
    MGRoomServicePiece* piece = Piece(1);
    piece->SetPosition(100.0f, 100.0f);
    const VoVector2 corner = piece->GetHitPolygon()->PeekPoints()[0];
    EXPECT_TRUE(piece->Grab(VoVector2(100.0f, 100.0f) + corner));
    EXPECT_FALSE(piece->Grab(VoVector2(99.0f, 100.0f) + corner - VoVector2(1.0f, 1.0f)));
}

TEST_F(MGRoomServicePuzzleTest, ADropIsConsumedAndAReleaseWithNothingPickedIsNot) {
    ReleaseProbe probe;
    Open(0);
    VoMouse::GetInstance()->AddListener(&probe, 1.0f);
    Isolate(Piece(4));
    Piece(4)->SetPosition(300.0f, 300.0f);
    Drop(Piece(4));
    EXPECT_EQ(probe.fReleases, 0);
    PuzzleGame::Click(790.0f, 10.0f);
    EXPECT_EQ(probe.fReleases, 1);
    VoMouse::GetInstance()->RemoveListener(&probe);
}

TEST_F(MGRoomServicePuzzleTest, TheFirstViewPlaysTheHintOnEasyAndTheCommentElseAndAMissingOneSaysNothing) {
    const struct {
        int fSkill;
        const char* fPath;
        bool fMissing;
    } cases[] = {{0, "//sounds/hi13_rg.ogg", false},
                 {1, "//sounds/2st07_rg.ogg", false},
                 {2, "//sounds/2st07_rg.ogg", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        if (c.fMissing) {
            stubs::Missing().insert(c.fPath);
        }
        LogCapture log;
        Open(c.fSkill);
        EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_roomservicepuzzle_initvo"));
        stubs::SoundPlayer* hint = PuzzleGame::Sound("hintAudio");
        EXPECT_EQ(hint != nullptr, !c.fMissing);
        if (hint != nullptr) {
            EXPECT_EQ(hint->fPath, c.fPath);
        }
        // The frame would name the path of a hint it could not make.
        EXPECT_FALSE(log.Contains(c.fPath));
        Close();
        EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
        Open(c.fSkill);
        EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
        Close();
    }
}

TEST_F(RoomServiceSceneTest, TheSolutionLeavesInTheNextFrameForTheRoomAtItsViewpoint) {
    Open();
    Straighten();
    LayOutSolved();
    ReleaseProbe probe;
    VoMouse::GetInstance()->AddListener(&probe, 1.0f);
    Drop(Piece(2));
    // Still there when the mouse's call returns.
    EXPECT_TRUE(PuzzleGame::HasEvent(MGRoomServicePuzzle::kSolvedEvent));
    EXPECT_TRUE(fPuzzle->IsClosing());
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    ASSERT_NE(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_EQ(probe.fReleases, 0);
    // Nothing more is taken meanwhile.
    Drop(Piece(3));
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);

    fGame.Frame();
    MGScene* scene = MGSceneManager::GetInstance()->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(Narrow(scene->GetSceneId()), "case02/hotel_room");
    EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_dead_body");
    EXPECT_TRUE(scene->IsEntered());
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), 1);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(scene));
    // The screens that were there are not called.
    EXPECT_EQ(fGame.fJournal, (ScreenJournal{"scene:begin", "scene:end"}));
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_FALSE(fPuzzle->IsClosing());
    VoIState* visible = VoStateManager::GetInstance()->GetState(VoString(MGRoomServicePuzzle::kDoneState));
    ASSERT_NE(visible, nullptr);
    EXPECT_TRUE(visible->GetBoolean());
    VoMouse::GetInstance()->RemoveListener(&probe);
}

namespace {

// The roads to the room: with no placard, and on a first visit behind its
// placard, also when the room is already current (entered without it).
struct RoomRoad {
    const char* what;
    bool placard;
    bool roomCurrent;
};

void PrintTo(const RoomRoad& aRoad, std::ostream* apOut) {
    *apOut << aRoad.what;
}

class RoomServiceRoadTest : public RoomServiceSceneTest, public ::testing::WithParamInterface<RoomRoad> {};

}  // namespace

TEST_P(RoomServiceRoadTest, TheRoomIsReachedAtItsViewpointAndAnOldSceneIsLeftAsItWas) {
    const RoomRoad& road = GetParam();
    if (road.placard) {
        fScenes.Write("scenes.txt", "case02/hotel_room\n\tlocation=The Marlowe Hotel|Room 412\n");
    }
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (road.roomCurrent) {
        ASSERT_TRUE(scenes->LoadScene(VoString(MGRoomServicePuzzle::kTargetScene), true, true));
    }
    MGScene* old = scenes->GetScene();
    Open();
    LogCapture log;
    SolveAndLeave();
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    if (road.placard) {
        // The card holds the room back; the scene current meanwhile keeps its
        // viewpoint.
        EXPECT_EQ(scenes->GetScene(), old);
        if (old != nullptr) {
            EXPECT_EQ(Narrow(old->GetViewpointId()), "vp_door");
        }
        fGame.Settle();
        ASSERT_TRUE(PuzzleGame::EndSound("chingching"));
        fGame.Settle();
    }
    MGScene* scene = scenes->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(Narrow(scene->GetSceneId()), "case02/hotel_room");
    EXPECT_EQ(Narrow(scene->GetViewpointId()), "vp_dead_body");
    EXPECT_TRUE(scene->IsEntered());
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(scene));
    EXPECT_FALSE(log.Contains("WARNING: "));
}

INSTANTIATE_TEST_SUITE_P(Roads, RoomServiceRoadTest,
                         ::testing::Values(RoomRoad{"NoPlacard", false, false},
                                           RoomRoad{"FirstVisitBehindThePlacard", true, false},
                                           RoomRoad{"FirstVisitWithTheRoomCurrent", true, true}),
                         [](const ::testing::TestParamInfo<RoomRoad>& aInfo) { return aInfo.param.what; });

// Opened again over the emptied stack, the puzzle is its only screen: its
// close pops it with no screen below, which the screen manager refuses
// without calling it. The screen must still go, or the next opening builds
// a new one over it and the old tree is lost.
TEST_F(RoomServiceNoRoomTest, AloneOnTheStackAfterItsSolutionEachCloseTakesItsScreenAway) {
    Open();
    LogCapture log;
    SolveAndLeave();
    ASSERT_EQ(fGame.Screens()->GetScreenCount(), 0);
    ASSERT_EQ(fPuzzle->GetRootGroup(), nullptr);

    VoDisplayGroup* display = VoDisplayManager::GetInstance()->GetRootGroup();
    const VoString id(MGRoomServicePuzzle::kRootId);
    const int members = display->GetMemberCount();
    ScopedHeap heap(u"roomservice-alone");
    std::int32_t blocks = -1;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        PuzzleGame::SetState(MGRoomServicePuzzle::kActivationState, true);
        fGame.Settle();
        ASSERT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
        ASSERT_NE(display->GetMember(id), nullptr);
        Close();
        EXPECT_EQ(fGame.Screens()->GetScreenCount(), 0);
        EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
        EXPECT_EQ(fPuzzle->GetPieces().GetCount(), 0);
        EXPECT_EQ(display->GetMember(id), nullptr);
        EXPECT_EQ(display->GetMemberCount(), members);
        // The first round may leave what is made once (a state's new value);
        // every later one leaves nothing more.
        if (round > 0) {
            EXPECT_EQ(heap.Heap().GetLiveBlocks(), blocks);
        }
        blocks = heap.Heap().GetLiveBlocks();
    }
}
