// The scene as a screen: entering and leaving, its input switch and the
// mouse road, interviews and the PDA turning input off and on, its audio,
// and the order in which it draws, on the recording rasterizer.
#include "scene/MGScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "MGBuildVersion.h"
#include "MGScreenManager.h"
#include "SceneTestFiles.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "interview/MGIInterviewListener.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoSteeringTDO.h"
#include "pda/MGIPDAListener.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "scene/MGAmbientAnimItem.h"
#include "scene/MGAmbientAnimPlayer.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspot.h"
#include "scene/MGNavigation.h"
#include "scene/MGSceneAudio.h"
#include "scene/VoNodeGroup.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

const VoString kRoom(u"test/room");

// Counts the mouse events it hears.
class MouseProbe : public VoIMouseListener {
public:
    void OnButtonDown(int) override { ++fPresses; }
    void OnDoubleClick(int) override { ++fPresses; }
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override { ++fReleases; }
    int fPresses = 0;
    int fReleases = 0;
};

std::string With(std::string aText, const std::string& aFrom, const std::string& aTo) {
    const std::size_t at = aText.find(aFrom);
    if (at != std::string::npos) {
        aText.replace(at, aFrom.size(), aTo);
    }
    return aText;
}

// The room, with two hotspots, music and a ticking clock, a decal and an
// ambient movie in vp_a, and a camera cut.
std::map<std::string, std::string> BusyRoom() {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
                              "\t\tshadowcaster=sun\n\t\thotspots=spots\n"
                              "\t\tdecals\n\t\t\t0\n\t\t\t\tid=note\n\t\t\t\ttexture=note.tga\n"
                              "\tvp_b") +
                         "cuts\n\t0\n\t\tid=close\n\t\tcamera=cam_cut\n\t\tbackground=cut.tga\n";
    files["spots.txt"] = "desk\n\tid=desk\n\ttype=general\nbell\n\tid=bell\n\ttype=general\n";
    files["note.tga"] = Tga(2, 2, 9, 9, 9);
    files["cut.tga"] = Tga(4, 4, 50, 60, 70);
    files["audio.txt"] =
        "audio\n\tscene\n\t\tmusic\n\t\t\tid=music\n\t\t\tsounds=music.ogg\n\t\t\tlooping=true\n"
        "\tvp_a\n\t\tclock\n\t\t\tid=clock\n\t\t\tsounds=tick.ogg\n\t\t\tlooping=true\n";
    files["animations.txt"] = "viewpoints\n\tvp_a\n\t\tforeground\n\t\t\tsmoke\n\t\t\t\tmovie=smoke.bik\n";
    return files;
}

class MGSceneScreenTest : public SceneTest {
protected:
    bool LoadRoom(const std::map<std::string, std::string>& aFiles = BusyRoom()) {
        WriteScene(aFiles);
        fScene = std::make_unique<MGScene>();
        return fScene->Load(kRoom);
    }
    int ListeningHotspots() const {
        int listening = 0;
        for (int i = 0; i < fScene->GetHotspotCount(); ++i) {
            listening += fScene->GetHotspot(i)->IsListening() ? 1 : 0;
        }
        return listening;
    }
    static VoMouse* Mouse() { return VoMouse::GetInstance(); }
    static void PointAt(float aX, float aY) {
        const VoVector2 position(aX, aY);
        Mouse()->Move(&position);
    }
    static VoSteeringTDO* Steering() { return MGNavigation::GetInstance()->GetSteering(); }

    std::unique_ptr<MGScene> fScene;
};

// The index of the first call from aFrom on whose text begins with aText; -1 when none.
int Find(const std::vector<std::string>& aCalls, const std::string& aText, int aFrom = 0) {
    for (int i = std::max(aFrom, 0); i < static_cast<int>(aCalls.size()); ++i) {
        if (aCalls[static_cast<std::size_t>(i)].rfind(aText, 0) == 0) {
            return i;
        }
    }
    return -1;
}

// The call that binds the sprite's texture.
std::string Bound(const VoSprite* apSprite) {
    return "SetTexture(handle " + std::to_string(apSprite != nullptr ? apSprite->GetTexture() : 0u) + ")";
}

int FindLast(const std::vector<std::string>& aCalls, const std::string& aText) {
    for (int i = static_cast<int>(aCalls.size()) - 1; i >= 0; --i) {
        if (aCalls[static_cast<std::size_t>(i)].rfind(aText, 0) == 0) {
            return i;
        }
    }
    return -1;
}

}  // namespace

TEST_F(MGSceneScreenTest, InputCannotBeTurnedOnBeforeTheSceneIsEntered) {
    ASSERT_TRUE(LoadRoom());
    // Listening from construction on, but with its input off, and no hotspot hears the mouse.
    EXPECT_TRUE(fScene->IsListening());
    EXPECT_FALSE(fScene->IsInputEnabled());
    EXPECT_EQ(fScene->GetHotspotCount(), 2);
    EXPECT_EQ(ListeningHotspots(), 0);

    fScene->SetInputEnabled(true);
    EXPECT_FALSE(fScene->IsInputEnabled());
    EXPECT_EQ(ListeningHotspots(), 0);
    fScene->SetInputEnabled(false);
    EXPECT_FALSE(fScene->IsListening());

    fScene->OnEnter();
    EXPECT_TRUE(fScene->IsInputEnabled());
    EXPECT_TRUE(fScene->IsListening());
    EXPECT_EQ(ListeningHotspots(), 2);
    fScene->SetHotspotsEnabled(false);
    EXPECT_EQ(ListeningHotspots(), 0);
    EXPECT_TRUE(fScene->IsInputEnabled());
    fScene->SetInputEnabled(true);
    EXPECT_EQ(ListeningHotspots(), 2);
}

TEST_F(MGSceneScreenTest, EnteringShowsTheSceneAndLeavingHidesIt) {
    ASSERT_TRUE(LoadRoom());
    MGCursor* cursor = MGCursor::GetInstance();
    cursor->SetActive(false);
    fScene->OnEnter();
    EXPECT_TRUE(fScene->IsEntered());
    EXPECT_TRUE(cursor->IsActive());
    EXPECT_EQ(Narrow(MGBuildVersion::GetInstance()->GetViewDescription()->GetText()), "vp_a");
    EXPECT_EQ(MGPDA::GetInstance()->GetListener(), fScene.get());
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_TRUE(fScene->GetDisplayGroup()->GetActive());
    EXPECT_TRUE(fScene->GetDisplayGroup()->GetEnabled());
    EXPECT_TRUE(fScene->GetSceneGroup()->GetVisible());

    fScene->OnLeaveBegin();
    EXPECT_FALSE(fScene->IsInputEnabled());
    EXPECT_EQ(ListeningHotspots(), 0);
    EXPECT_FALSE(fScene->GetDisplayGroup()->GetEnabled());
    EXPECT_TRUE(fScene->IsEntered());

    fScene->OnLeaveEnd();
    EXPECT_FALSE(fScene->IsEntered());
    EXPECT_FALSE(fScene->GetDisplayGroup()->GetActive());
    EXPECT_FALSE(fScene->GetSceneGroup()->GetVisible());
    EXPECT_EQ(Narrow(MGBuildVersion::GetInstance()->GetViewDescription()->GetText()), "");
    // Not entered: no drawing, no updating.
    fGame.Rasterizer()->ClearCalls();
    EXPECT_TRUE(fScene->Update());
    EXPECT_TRUE(fScene->Render());
    EXPECT_TRUE(fGame.Rasterizer()->Calls().empty());
}

TEST_F(MGSceneScreenTest, LeavingStopsTheAudioUnlessItIsKeptOrACloseUpIsOpen) {
    struct Case {
        const char* what;
        bool keep;
        bool closeUp;
        bool kept;
    } const cases[] = {
        {"a puzzle or a menu", false, false, false},
        {"an interview", true, false, true},
        {"a close-up", false, true, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadRoom()) << c.what;
        ASSERT_NE(fScene->GetAudio(), nullptr) << c.what;
        EXPECT_TRUE(fScene->GetAudio()->IsStarted());
        fScene->OnEnter();
        MGCloseUp closeUp;
        fScene->SetKeepAudio(c.keep);
        fScene->SetOpenCloseUp(c.closeUp ? &closeUp : nullptr);
        fScene->OnLeaveBegin();
        fScene->OnLeaveEnd();
        EXPECT_EQ(fScene->GetAudio() != nullptr, c.kept) << c.what;
        EXPECT_FALSE(fScene->GetKeepAudio()) << c.what;
        fScene->SetOpenCloseUp(nullptr);
        // Back on top: the music plays again, with the viewpoint's sounds.
        fScene->OnEnter();
        ASSERT_NE(fScene->GetAudio(), nullptr) << c.what;
        EXPECT_NE(fScene->GetAudio()->GetSceneItem(VoString(u"music")), nullptr) << c.what;
        EXPECT_NE(fScene->GetAudio()->GetViewpointItem(VoString(u"clock")), nullptr) << c.what;
        fScene.reset();
    }
}

TEST_F(MGSceneScreenTest, StopAudioClearsTheKeepFlag) {
    ASSERT_TRUE(LoadRoom());
    fScene->SetKeepAudio(true);
    fScene->StopAudio();
    EXPECT_EQ(fScene->GetAudio(), nullptr);
    EXPECT_FALSE(fScene->GetKeepAudio());
    fScene->StartAudio();
    EXPECT_NE(fScene->GetAudio(), nullptr);
}

TEST_F(MGSceneScreenTest, AClickWalksTheFloorAndADoubleClickRuns) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    PointAt(400, 300);  // the middle of the floor, straight ahead of the player
    struct Case {
        const char* what;
        int button;
        bool doubleClick;
        int speed;
    } const cases[] = {
        {"button 2", 2, false, 0},
        {"a click", 1, false, 1},
        {"a double click", 1, true, 2},
    };
    for (const Case& c : cases) {
        Steering()->SetMoving(false, 0);
        if (c.doubleClick) {
            fScene->OnDoubleClick(c.button);
        } else {
            fScene->OnButtonDown(c.button);
        }
        EXPECT_EQ(Steering()->GetSpeedIndex(), c.speed) << c.what;
        if (c.speed != 0) {
            const VoVector3& target = MGNavigation::GetInstance()->GetNavigation()->GetTarget();
            EXPECT_NEAR(target.x, 0.0f, 1e-3f) << c.what;
            EXPECT_NEAR(target.y, 0.0f, 1e-3f) << c.what;
        }
    }
    // Input off: the floor does not answer.
    Steering()->SetMoving(false, 0);
    fScene->SetInputEnabled(false);
    fScene->OnButtonDown(1);
    EXPECT_EQ(Steering()->GetSpeedIndex(), 0);
}

TEST_F(MGSceneScreenTest, AClickWithAnItemInHandOnlyLetsTheItemGo) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    PointAt(400, 300);
    MGCursor* cursor = MGCursor::GetInstance();
    cursor->SetItemCursor(VoString(u"letter"));
    ASSERT_EQ(cursor->GetCurrentId(), MGCursor::kItem);
    MouseProbe behind;
    Mouse()->AddListener(&behind, 20.0f);
    Mouse()->ButtonDown(1);
    Mouse()->ButtonUp(1);
    EXPECT_EQ(cursor->GetBaseId(), MGCursor::kDefault);
    EXPECT_EQ(cursor->GetCurrentId(), MGCursor::kDefault);
    EXPECT_EQ(Steering()->GetSpeedIndex(), 0);
    EXPECT_EQ(behind.fPresses, 0);  // the press was the scene's
    // The next click walks (late enough not to make a double click).
    RecordingGame::Timer()->fNow += 1.0;
    Mouse()->ButtonDown(1);
    EXPECT_EQ(Steering()->GetSpeedIndex(), 1);
    EXPECT_EQ(behind.fPresses, 1);
    Mouse()->RemoveListener(&behind);
}

TEST_F(MGSceneScreenTest, WhileTheSceneHoldsTheMouseNoOtherListenerHearsIt) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    MouseProbe other;
    Mouse()->AddListener(&other, 20.0f);
    fScene->SetMouseLocked(true);
    EXPECT_TRUE(fScene->IsMouseLocked());
    Mouse()->ButtonDown(1);
    Mouse()->ButtonUp(1);
    EXPECT_EQ(other.fPresses, 0);
    EXPECT_EQ(other.fReleases, 0);
    fScene->SetMouseLocked(false);
    EXPECT_FALSE(fScene->IsMouseLocked());
    Mouse()->ButtonDown(2);
    Mouse()->ButtonUp(2);
    EXPECT_EQ(other.fPresses, 1);
    EXPECT_EQ(other.fReleases, 1);
    // Entering again releases a lock that was left behind.
    fScene->SetMouseLocked(true);
    fScene->OnEnter();
    EXPECT_FALSE(fScene->IsMouseLocked());
    EXPECT_FALSE(Mouse()->IsLocked());
    Mouse()->RemoveListener(&other);
}

TEST_F(MGSceneScreenTest, InterviewsAndThePdaTurnTheInputOffAndOn) {
    ASSERT_TRUE(LoadRoom());
    // Not entered: nothing turns it on.
    fScene->OnPDAEvent(MGIPDAListener::kMinimized);
    fScene->OnInterviewEvent(MGIInterviewListener::kEnded);
    EXPECT_FALSE(fScene->IsInputEnabled());

    fScene->OnEnter();
    fScene->OnInterviewEvent(MGIInterviewListener::kStarted);
    EXPECT_FALSE(fScene->IsInputEnabled());
    EXPECT_EQ(ListeningHotspots(), 0);
    fScene->OnInterviewEvent(MGIInterviewListener::kEnded);
    EXPECT_TRUE(fScene->IsInputEnabled());
    EXPECT_EQ(ListeningHotspots(), 2);

    fScene->SetInputEnabled(false);
    fScene->OnPDAEvent(7);
    EXPECT_FALSE(fScene->IsInputEnabled());
    fScene->OnPDAEvent(MGIPDAListener::kMinimized);
    EXPECT_TRUE(fScene->IsInputEnabled());
}

TEST_F(MGSceneScreenTest, AnInterviewThatCannotStartChangesNothing) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    EXPECT_FALSE(fScene->StartInterview());
    EXPECT_TRUE(Logged("ERROR: ", MGScene::kStartInterviewFailure));
    EXPECT_FALSE(fScene->IsInInterview());
    EXPECT_TRUE(fScene->IsInputEnabled());
    EXPECT_FALSE(fScene->GetPlayer()->IsAmbientSuspended());
    fScene->EndInterview();
    EXPECT_FALSE(fScene->IsInInterview());
    EXPECT_EQ(ListeningHotspots(), 2);
}

TEST_F(MGSceneScreenTest, AFrameDrawsTheRoomDepthFirstThenShadowsLightsPeopleAndDecals) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    ASSERT_TRUE(fScene->Update());
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->ClearCalls();
    ASSERT_TRUE(fScene->Render());
    const std::vector<std::string> calls = raster->Texts();

    const int background = Find(calls, Bound(fScene->GetBackground()));
    const int depthOnly = Find(calls, "SetColorWrite(0)", background);
    const int depthMesh = Find(calls, "DrawIndexed", depthOnly);
    const int light7Off = Find(calls, "EnableLight(7, 0)", depthMesh);
    const int colourOn = Find(calls, "SetColorWrite(1)", light7Off);
    const int shadowPass = Find(calls, "ClearStencil", colourOn);
    const int shadowDone = Find(calls, "SetStencilEnable(0)", shadowPass);
    const int lights = Find(calls, "SetLighting(1)", shadowDone);
    const int player = Find(calls, "SetVertexBuffer(5, ", lights);
    const int decal = Find(calls, Bound(fScene->GetDecal(0)), player);
    const int movie = Find(calls, Bound(fScene->GetAmbientPlayer()->GetForeground(0)->GetSprite()), decal);
    for (int step : {background, depthOnly, depthMesh, light7Off, colourOn, shadowPass, shadowDone, lights,
                     player, decal, movie}) {
        EXPECT_GE(step, 0);
    }
    // The room hides without drawing: colour writes are off around it, and
    // the picture is drawn once, first.
    EXPECT_EQ(Find(calls, "SetColorWrite(1)", depthOnly), colourOn);
    EXPECT_EQ(FindLast(calls, Bound(fScene->GetBackground())), background);
    EXPECT_EQ(Find(calls, "DrawIndexed", colourOn), Find(calls, "DrawIndexed", lights));
}

TEST_F(MGSceneScreenTest, TheBlobShadowReplacesTheShadowVolumesWhenTheOptionIsOn) {
    MGOptions::GetInstance()->SetOption(MGScene::kSimpleShadowOption, 1);
    ASSERT_TRUE(LoadRoom());
    ASSERT_NE(fScene->GetShadowSimple(), nullptr);
    fScene->OnEnter();
    fScene->Update();
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->ClearCalls();
    ASSERT_TRUE(fScene->Render());
    const std::vector<std::string> calls = raster->Texts();
    EXPECT_EQ(Find(calls, "ClearStencil"), -1);
    const int blob = Find(calls, "SetTextureFactor(");
    EXPECT_GE(blob, 0);
    EXPECT_LT(blob, Find(calls, "SetLighting(1)"));
}

TEST_F(MGSceneScreenTest, WithACutOnlyTheCutsPictureIsDrawn) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    const std::string picture = Bound(fScene->GetBackground());
    const std::string decal = Bound(fScene->GetDecal(0));
    const std::string movie = Bound(fScene->GetAmbientPlayer()->GetForeground(0)->GetSprite());
    fScene->SetCut(VoString(u"close"));
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->ClearCalls();
    ASSERT_TRUE(fScene->Render());
    const std::vector<std::string> calls = raster->Texts();
    EXPECT_GE(Find(calls, Bound(fScene->GetCutBackground())), 0);
    for (const std::string& absent : {picture, decal, movie}) {
        EXPECT_EQ(Find(calls, absent), -1) << absent;
    }
    fScene->SetCut(VoString(u"-"));
    raster->ClearCalls();
    ASSERT_TRUE(fScene->Render());
    for (const std::string& present : {picture, decal, movie}) {
        EXPECT_GE(Find(raster->Texts(), present), 0) << present;
    }
}

TEST_F(MGSceneScreenTest, AFrameWhoseCameraCannotBeSetDrawsNoPeople) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->SetResult("SetTransform", false);
    raster->ClearCalls();
    EXPECT_FALSE(fScene->Render());
    EXPECT_EQ(Find(raster->Texts(), "SetColorWrite(0)"), -1);
    raster->SetResult("SetTransform", true);
}

TEST_F(MGSceneScreenTest, TheSceneLeavesTheStackAndTheMouseWhenItIsDeleted) {
    ASSERT_TRUE(LoadRoom());
    MGScreenManager* screens = MGScreenManager::GetInstance();
    ASSERT_TRUE(screens->PushScreen(fScene.get()));
    fScene->OnEnter();
    fScene->SetMouseLocked(true);
    const int listeners = Mouse()->GetListenerCount();
    MGScene* scene = fScene.get();
    fScene.reset();
    EXPECT_EQ(screens->FindScreen(scene), -1);
    EXPECT_LT(Mouse()->GetListenerCount(), listeners);
    EXPECT_FALSE(Mouse()->IsLocked());
    EXPECT_EQ(MGPDA::GetInstance()->GetListener(), nullptr);
    EXPECT_EQ(MGNavigation::GetInstance()->GetSteering(), nullptr);
}

TEST_F(MGSceneScreenTest, APictureThatCannotBeReadLeavesTheRestOfTheFrame) {
    std::map<std::string, std::string> files = BusyRoom();
    files.erase("a.tga");
    ASSERT_TRUE(LoadRoom(files));
    fScene->OnEnter();
    fScene->Update();
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->ClearCalls();
    EXPECT_TRUE(fScene->Render());
    const std::vector<std::string> calls = raster->Texts();
    EXPECT_EQ(Find(calls, Bound(fScene->GetBackground())), -1);
    EXPECT_GE(Find(calls, "SetVertexBuffer(5, "), 0);  // the player
    EXPECT_GE(Find(calls, Bound(fScene->GetDecal(0))), 0);
}

TEST_F(MGSceneScreenTest, ThePlayerWalksToTheClickedFloorFrameByFrame) {
    ASSERT_TRUE(LoadRoom());
    fScene->OnEnter();
    RecordingGame::FrameAt(0.0);
    ASSERT_TRUE(fScene->Update());
    ASSERT_FLOAT_EQ(fScene->GetPlayer()->GetPosition()->z, -8.0f);
    PointAt(400, 300);
    fScene->OnButtonDown(1);
    // Walking at 48 units a second, the 8 units to the middle take a sixth of
    // one; the walk ends within the steering's arrival distance.
    float last = -8.0f;
    for (double now = 0.05; now < 1.0; now += 0.05) {
        RecordingGame::FrameAt(now);
        fScene->Update();
        EXPECT_GE(fScene->GetPlayer()->GetPosition()->z, last);
        last = fScene->GetPlayer()->GetPosition()->z;
    }
    EXPECT_NEAR(fScene->GetPlayer()->GetPosition()->x, 0.0f, 0.5f);
    EXPECT_NEAR(fScene->GetPlayer()->GetPosition()->z, 0.0f, VoSteeringTDO::kArrivalDistance);
    EXPECT_GT(fScene->GetPlayer()->GetPosition()->z, -8.0f + VoSteeringTDO::kArrivalDistance);
    EXPECT_EQ(Steering()->GetSpeedIndex(), 0);
}
