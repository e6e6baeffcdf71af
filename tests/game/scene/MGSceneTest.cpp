// The scene object: loading a scene's files, its characters, viewpoints,
// cameras, camera cuts and the player's placement, on the room of
// SceneTestFiles.h.
#include "scene/MGScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "MGScreenFader.h"
#include "SceneTestFiles.h"
#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoNavigationTDODisplay.h"
#include "navigation/VoSteeringTDO.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspot.h"
#include "scene/MGNavigation.h"
#include "scene/MGSceneManager.h"
#include "scene/VoCamera.h"
#include "scene/VoNodeGroup.h"
#include "scene/VoNodeManager.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "state/VoStateManager.h"
#include "system/VoIFileSystem.h"
#include "util/MGOptions.h"

namespace {

const VoString kRoom(u"test/room");

// The ids of the states it is told of, in order.
class StateLog : public VoIStateListener {
public:
    void OnStateChanged(VoIState* apState) override { fIds.push_back(Narrow(apState->GetName())); }
    std::vector<std::string> fIds;
};

std::string StateText(const VoString& aId) {
    VoIState* state = VoStateManager::GetInstance()->GetState(aId);
    if (state == nullptr || state->GetType() != VoIState::kString) {
        return "<none>";
    }
    return Narrow(*static_cast<const VoString*>(state->GetValue()));
}

// The text with every aFrom replaced by aTo.
std::string With(std::string aText, const std::string& aFrom, const std::string& aTo) {
    for (std::size_t at = aText.find(aFrom); at != std::string::npos;
         at = aText.find(aFrom, at + aTo.size())) {
        aText.replace(at, aFrom.size(), aTo);
    }
    return aText;
}

VoVector2 Ground(const VoVector3& aPosition) {
    return VoVector2(aPosition.x, aPosition.y);
}

class MGSceneTest : public SceneTest {
protected:
    // Writes the files and loads the room into a new scene.
    bool LoadRoom(const std::map<std::string, std::string>& aFiles = RoomFiles()) {
        WriteScene(aFiles);
        fScene = std::make_unique<MGScene>();
        return fScene->Load(kRoom);
    }
    static VoNavigationTDO* Walker() { return MGNavigation::GetInstance()->GetNavigation(); }
    static VoSteeringTDO* Steering() { return MGNavigation::GetInstance()->GetSteering(); }

    std::unique_ptr<MGScene> fScene;
};

void ExpectNear(const VoVector3& aSeen, const VoVector3& aExpected, const std::string& aWhat) {
    EXPECT_NEAR(aSeen.x, aExpected.x, 1e-4f) << aWhat;
    EXPECT_NEAR(aSeen.y, aExpected.y, 1e-4f) << aWhat;
    EXPECT_NEAR(aSeen.z, aExpected.z, 1e-4f) << aWhat;
}

}  // namespace

TEST_F(MGSceneTest, LoadRefusesAnEmptyIdAndASceneWithoutItsFile) {
    MGScene scene;
    EXPECT_FALSE(scene.Load(VoString(u"")));
    EXPECT_TRUE(Logged("ERROR: ", MGScene::kLoadInvalidId));
    EXPECT_FALSE(scene.Load(VoString(u"test/nowhere")));
    EXPECT_TRUE(Logged("ERROR: ", std::string(MGScene::kLoadFailure) + "test/nowhere"));
    EXPECT_EQ(scene.GetSceneFile(), nullptr);
}

TEST_F(MGSceneTest, OnlyALightFileWithoutItsGlobalLightFailsTheLoad) {
    const std::string sun = "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n";
    const std::string moon = "moon\n\ttype=directional\n\tglobal=true\n\ton=true\n";
    const std::string lamp = "lamp\n\ttype=point\n\ton=true\n";
    struct Case {
        const char* what;
        std::string lights;  // empty: no light file
        bool loaded;
        int secondGlobalLines;
    } const cases[] = {
        {"one global light", sun + lamp, true, 0},
        {"two global lights", sun + moon, true, 1},
        {"no global light", lamp, false, 0},
        {"no light file", "", false, 0},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> files = RoomFiles();
        files.erase("lights_low.txt");
        std::remove(fFolder.Path("scenes/test/room/lights_low.txt").c_str());
        if (!c.lights.empty()) {
            files["lights_low.txt"] = c.lights;
        }
        const int before = CountLogged("Found more than 1 global light.");
        EXPECT_EQ(LoadRoom(files), c.loaded) << c.what;
        EXPECT_EQ(CountLogged("Found more than 1 global light.") - before, c.secondGlobalLines) << c.what;
        // The scene is built all the same.
        EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_a") << c.what;
        EXPECT_NE(fScene->GetPlayer(), nullptr) << c.what;
        fScene.reset();
    }
}

TEST_F(MGSceneTest, ASceneGroupThatCannotBeFiledFailsTheLoad) {
    VoNodeGroup other;
    other.SetNodeId(VoString(MGScene::kSceneGroupId));
    ASSERT_TRUE(VoNodeManager::GetInstance()->AddGroup(&other));
    EXPECT_FALSE(LoadRoom());
    EXPECT_EQ(VoNodeManager::GetInstance()->GetGroup(VoString(MGScene::kSceneGroupId)), &other);
    fScene.reset();
    // The scene's own group left without taking the other one along.
    EXPECT_EQ(VoNodeManager::GetInstance()->GetGroup(VoString(MGScene::kSceneGroupId)), &other);
    VoNodeGroup* out = nullptr;
    VoNodeManager::GetInstance()->RemoveGroup(VoString(MGScene::kSceneGroupId), &out);
}

TEST_F(MGSceneTest, TheSceneGroupIsFiledWhileTheSceneLives) {
    ASSERT_TRUE(LoadRoom());
    EXPECT_EQ(VoNodeManager::GetInstance()->GetGroup(VoString(MGScene::kSceneGroupId)),
              fScene->GetSceneGroup());
    fScene.reset();
    EXPECT_EQ(VoNodeManager::GetInstance()->GetGroup(VoString(MGScene::kSceneGroupId)), nullptr);
}

TEST_F(MGSceneTest, TheCurrentSceneIsReplacedWithoutTellingAnyone) {
    VoStateManager* states = VoStateManager::GetInstance();
    ASSERT_TRUE(states->SetState(VoString(MGScene::kCurrentSceneState), VoString(u"string"),
                                 VoString(u"case01/office"), false));
    StateLog log;
    states->AddListener(&log, 0.0f);
    ASSERT_TRUE(LoadRoom());
    states->RemoveListener(&log);
    EXPECT_EQ(StateText(VoString(MGScene::kCurrentSceneState)), "test/room");
    // The viewpoint is announced; the scene is not.
    EXPECT_EQ(log.fIds, std::vector<std::string>{"sta_currentviewpoint"});
    EXPECT_EQ(StateText(VoString(MGScene::kCurrentViewpointState)), "vp_a");
}

TEST_F(MGSceneTest, DefaultStatesAreSetOnlyWhereNoneExists) {
    VoStateManager* states = VoStateManager::GetInstance();
    ASSERT_TRUE(
        states->SetState(VoString(u"sta_door_open"), VoString(u"boolean"), VoString(u"false"), false));
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] +=
        "defaultstates\n"
        "\t0\n\t\tid=sta_door_open\n\t\ttype=boolean\n\t\tvalue=true\n"
        "\t1\n\t\tid=sta_visits\n\t\ttype=number\n\t\tvalue=3\n"
        "\t2\n\t\tid=sta_clerk_name\n\t\ttype=string\n\t\tvalue=Mira\n"
        "\t3\n\t\tid=sta_no_value\n\t\ttype=boolean\n";
    StateLog log;
    states->AddListener(&log, 0.0f);
    ASSERT_TRUE(LoadRoom(files));
    states->RemoveListener(&log);
    EXPECT_FALSE(states->GetState(VoString(u"sta_door_open"))->GetBoolean(true));
    EXPECT_FLOAT_EQ(states->GetState(VoString(u"sta_visits"))->GetNumber(), 3.0f);
    EXPECT_EQ(StateText(VoString(u"sta_clerk_name")), "Mira");
    // An entry short of a key is reported and still used.
    ASSERT_NE(states->GetState(VoString(u"sta_no_value")), nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", ""));
    // Nobody hears of the defaults.
    EXPECT_EQ(log.fIds, std::vector<std::string>{"sta_currentviewpoint"});
}

TEST_F(MGSceneTest, TheDefaultStatesAreInPlaceWhenTheFirstViewpointChoosesItsPeople) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\tnpcs\n",
                              "\tnpcs\n\t\tguest\n\t\t\tdata=sample_character.txt\n\t\t\tposition=1|0|2\n"
                              "\t\t\tdirection=0|0|1\n\t\t\tactive=script[state[sta_guest_here]]\n") +
                         "defaultstates\n\t0\n\t\tid=sta_guest_here\n\t\ttype=boolean\n\t\tvalue=false\n";
    ASSERT_TRUE(LoadRoom(files));
    ASSERT_NE(fScene->GetCharacter(VoString(u"guest")), nullptr);
    EXPECT_FALSE(fScene->GetCharacter(VoString(u"guest"))->IsCharacterVisible());
}

TEST_F(MGSceneTest, ThePlayerIsTheFirstPlayerEntryAndTheNpcsStandWhereTheFileSays) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\tnpcs\n",
                              "\tnpcs\n\t\tclerk\n\t\t\tdata=sample_character.txt\n\t\t\tposition=5|0|10\n"
                              "\t\t\tdirection=0|0|-1\n");
    ASSERT_TRUE(LoadRoom(files));
    MGCharacter* player = fScene->GetPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(Narrow(player->GetName()), "hero");  // the file's name gives way to the id
    EXPECT_TRUE(player->IsScenePlayer());
    EXPECT_EQ(fScene->GetCharacter(VoString(u"hero")), player);
    ASSERT_EQ(fScene->GetNPCCount(), 1);
    MGCharacter* clerk = fScene->GetNPC(0);
    EXPECT_EQ(fScene->GetCharacter(VoString(u"clerk")), clerk);
    EXPECT_FALSE(clerk->IsScenePlayer());
    EXPECT_EQ(Narrow(clerk->GetName()), "clerk");
    ExpectNear(*clerk->GetPosition(), VoVector3(5, 0, 10), "clerk position");
    ExpectNear(clerk->GetDirection(), VoVector3(0, 0, -1), "clerk direction");
    // The player walks on the navigation's steering.
    EXPECT_EQ(player->GetSteering(), Steering());
    EXPECT_EQ(clerk->GetSteering(), nullptr);
}

TEST_F(MGSceneTest, ARoomWithoutNpcsOrOptionalFilesLoadsWithoutAWordAboutThem) {
    ASSERT_TRUE(LoadRoom());
    EXPECT_EQ(fScene->GetNPCCount(), 0);
    EXPECT_EQ(fScene->GetNPC(0), nullptr);
    EXPECT_FALSE(Logged("ASSERT FAILURE: ", MGScene::kNoNpcSection));
    EXPECT_EQ(fScene->GetEvidence(), nullptr);
    EXPECT_EQ(fScene->GetAnimations(), nullptr);
    EXPECT_EQ(fScene->GetAudio(), nullptr);
    for (const char* file : {"evidence.txt", "audio.txt", "animations.txt", "sounds.txt"}) {
        EXPECT_EQ(CountLogged(file), 0) << file;
    }
}

TEST_F(MGSceneTest, ASceneWithoutAUsablePlayerHasNoneAndSaysSoOnce) {
    // Characters from the scratch folder: the sample man, and a file without a model.
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//characters"),
                                                    PlatformTestFolder::Wide(fFolder.Path("characters"))));
    fFolder.Write("characters/sample_character.txt", ReadSample("characters/sample_character.txt"));
    fFolder.Write("characters/nomodel.txt", "mesh=nothing.lim1\n");
    const std::string entry = "\tplayer\n\t\thero\n\t\t\tdata=sample_character.txt\n";
    struct Case {
        const char* what;
        std::string player;
        const char* reason;
    } const cases[] = {
        {"no player section", "", MGScene::kNoPlayerSection},
        {"a file that is not there", "\tplayer\n\t\thero\n\t\t\tdata=nobody.txt\n",
         MGScene::kPropListFailure},
        {"no data key", "\tplayer\n\t\thero\n\t\t\tposition=1|2|3\n", "'hero.data' not found."},
        {"a file without a model", "\tplayer\n\t\thero\n\t\t\tdata=nomodel.txt\n",
         MGScene::kPlayerSetupFailure},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> files = RoomFiles();
        files["scene.txt"] = With(files["scene.txt"], entry, c.player);
        const int before = CountLogged(MGScene::kNoPlayer);
        EXPECT_TRUE(LoadRoom(files)) << c.what;
        EXPECT_EQ(fScene->GetPlayer(), nullptr) << c.what;
        EXPECT_TRUE(Logged("ASSERT FAILURE: ", c.reason)) << c.what;
        // The scene works on without one and says so once.
        fScene->OnEnter();
        for (int frame = 0; frame < 3; ++frame) {
            EXPECT_TRUE(fScene->Update()) << c.what;
            fScene->Render();
            fScene->OnButtonDown(1);
            fScene->OnDoubleClick(1);
        }
        fScene->SetViewpoint(VoString(u"vp_b"));
        fScene->ChangeViewpoint(VoString(u"vp_a"));
        EXPECT_EQ(CountLogged(MGScene::kNoPlayer) - before, 1) << c.what;
        fScene.reset();
    }
}

TEST_F(MGSceneTest, NpcsAppearWhereTheirViewpointsExtrasAndScriptsAllow) {
    VoStateManager::GetInstance()->SetState(VoString(u"sta_here"), VoString(u"boolean"), VoString(u"true"),
                                            false);
    VoStateManager::GetInstance()->SetState(VoString(u"sta_gone"), VoString(u"boolean"), VoString(u"false"),
                                            false);
    std::string npcs = "\tnpcs\n";
    const char* const entries[][2] = {
        {"only_b", "viewpoints=vp_b\n\t\t\tactive=script[true]"},
        {"scripted", "active=script[state[sta_here]]"},
        {"gone", "viewpoints=vp_a|vp_b\n\t\t\tactive=script[state[sta_gone]]"},
        {"extra", "extra=true"},
        {"plain", "position=0|0|0"},
    };
    for (const auto& entry : entries) {
        npcs += std::string("\t\t") + entry[0] + "\n\t\t\tdata=sample_character.txt\n\t\t\tposition=0|0|0\n" +
                "\t\t\tdirection=0|0|1\n\t\t\t" + entry[1] + "\n";
    }
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\tnpcs\n", npcs);
    files["animations.txt"] = "viewpoints\n\tvp_a\n\t\tbackground\n\t\t\tsmoke\n\t\t\t\tmovie=smoke.bik\n";

    struct Case {
        int extrasOff;
        const char* viewpoint;
        // only_b, scripted, gone, extra, plain
        bool shown[5];
        bool ambientMovies;
    } const cases[] = {
        {0, "vp_a", {false, true, false, true, true}, true},
        {0, "vp_b", {true, true, false, true, true}, false},
        {1, "vp_a", {false, true, false, false, true}, false},
        {1, "vp_b", {true, true, false, false, true}, false},
    };
    ASSERT_TRUE(LoadRoom(files));
    for (const Case& c : cases) {
        MGOptions::GetInstance()->SetOption(MGScene::kExtrasOffOption, c.extrasOff);
        fScene->SetViewpoint(VoString(c.viewpoint));
        for (int i = 0; i < 5; ++i) {
            MGCharacter* npc = fScene->GetCharacter(VoString(entries[i][0]));
            ASSERT_NE(npc, nullptr);
            EXPECT_EQ(npc->IsCharacterVisible(), c.shown[i])
                << entries[i][0] << " in " << c.viewpoint << ", extras off " << c.extrasOff;
        }
        EXPECT_EQ(fScene->GetAmbientPlayer() != nullptr, c.ambientMovies)
            << c.viewpoint << " " << c.extrasOff;
    }
    // Entering again asks the same questions.
    MGOptions::GetInstance()->SetOption(MGScene::kExtrasOffOption, 0);
    fScene->OnEnter();
    EXPECT_TRUE(fScene->GetCharacter(VoString(u"extra"))->IsCharacterVisible());
    EXPECT_FALSE(fScene->GetCharacter(VoString(u"gone"))->IsCharacterVisible());
    // The "active" scripts alone, when a close-up asks.
    VoStateManager::GetInstance()->SetState(VoString(u"sta_gone"), VoString(u"true"), false);
    fScene->UpdateCharacterVisibility();
    EXPECT_TRUE(fScene->GetCharacter(VoString(u"gone"))->IsCharacterVisible());
}

TEST_F(MGSceneTest, TheCameraStandsInTheDepthMeshesFrame) {
    // A root turned a quarter round y: the loader keeps the turn, drops the move.
    RawFrame root;
    root.name = "Scene";
    MatrixRotationY(&root.matrix, static_cast<float>(M_PI / 2));
    root.matrix.m[3][0] = 40.0f;
    std::map<std::string, std::string> files = RoomFiles();
    files["turned.lim"] = RawMesh({root});
    files["scene.txt"] = With(files["scene.txt"], "depthmesh=room.lim\n\t\tcamera\n\t\t\tid=cam_a",
                              "depthmesh=turned.lim\n\t\tcamera\n\t\t\tid=cam_a");
    ASSERT_TRUE(LoadRoom(files));
    VoCamera* camera = fScene->GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(Narrow(camera->GetName()), "cam_a");
    // (0, 30, -30) as a row vector through the turn: x' = -z, z' = x.
    ExpectNear(camera->GetPosition(), VoVector3(-30, 30, 0), "eye");
    ExpectNear(camera->GetTarget(), VoVector3(0, 0, 0), "target");
    ExpectNear(camera->GetUp(), VoVector3(0, 1, 0), "up");
    EXPECT_NEAR(camera->GetFovY(), 2.0f * std::atan(std::tan(0.6f) / (4.0f / 3.0f)), 1e-5f);
    EXPECT_FLOAT_EQ(camera->GetNear(), 1.0f);
    EXPECT_FLOAT_EQ(camera->GetFar(), 500.0f);

    // The other viewpoint's mesh is the plain room: the file's values, and
    // its own up vector. The camera object stays the same.
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(fScene->GetCamera(), camera);
    ExpectNear(camera->GetPosition(), VoVector3(30, 20, 0), "eye of cam_b");
    ExpectNear(camera->GetUp(), VoVector3(0, 0, 1), "up of cam_b");
    EXPECT_FLOAT_EQ(camera->GetNear(), 2.0f);
}

TEST_F(MGSceneTest, WithoutADepthMeshTheCameraTakesTheFilesValues) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "depthmesh=room.lim\n\t\tcamera\n\t\t\tid=cam_a",
                              "depthmesh=missing.lim\n\t\tcamera\n\t\t\tid=cam_a");
    ASSERT_TRUE(LoadRoom(files));
    EXPECT_EQ(fScene->GetDepthMesh(), nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGScene::kSetupDepthMeshFailure));
    ExpectNear(fScene->GetCamera()->GetPosition(), VoVector3(0, 30, -30), "eye");
    // A depth mesh that is not one at all.
    files["missing.lim"] = "not a mesh";
    fScene.reset();
    ASSERT_TRUE(LoadRoom(files));
    EXPECT_EQ(fScene->GetDepthMesh(), nullptr);
    ExpectNear(fScene->GetCamera()->GetPosition(), VoVector3(0, 30, -30), "eye");
}

TEST_F(MGSceneTest, AMissingCameraIsReportedAndNotRead) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "id=cam_b", "id=cam_nowhere");
    files["cameras.txt"] += "cam_short\n\tposition=1|2|3\n";
    files["scene.txt"] +=
        "\tvp_c\n\t\tbackground=b.tga\n\t\tdepthmesh=room.lim\n\t\tcamera\n\t\t\tid=cam_short\n";
    ASSERT_TRUE(LoadRoom(files));
    VoCamera* camera = fScene->GetCamera();
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", std::string(MGScene::kCameraNotFound) + "cam_nowhere"));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGScene::kSetupCameraFailure));
    // The camera keeps where it was and is named for the missing one.
    ExpectNear(camera->GetPosition(), VoVector3(0, 30, -30), "eye");
    EXPECT_EQ(Narrow(camera->GetName()), "cam_nowhere");
    fScene->SetViewpoint(VoString(u"vp_c"));
    ExpectNear(camera->GetPosition(), VoVector3(1, 2, 3), "eye of a short camera");
    for (const char* missing : {MGScene::kNoTarget, MGScene::kNoFovX, MGScene::kNoZNear, MGScene::kNoZFar}) {
        EXPECT_TRUE(Logged("ASSERT FAILURE: ", missing)) << missing;
    }
    EXPECT_FLOAT_EQ(camera->GetFar(), 500.0f);
}

TEST_F(MGSceneTest, AViewpointWithoutKeysIsReportedAndStillEntered) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] += "\tvp_bare\n\t\tshadowblend=0.7\n";
    ASSERT_TRUE(LoadRoom(files));
    EXPECT_FLOAT_EQ(fScene->GetShadowBlend(), MGScene::kDefaultShadowBlend);
    EXPECT_TRUE(fScene->SetViewpoint(VoString(u"vp_bare")));
    EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_bare");
    for (const char* missing :
         {MGScene::kNoCameraId, MGScene::kNoShadowCaster, MGScene::kNoHotspots, MGScene::kNoStartWayPoint}) {
        EXPECT_TRUE(Logged("ASSERT FAILURE: ", missing)) << missing;
    }
    EXPECT_FLOAT_EQ(fScene->GetShadowBlend(), 0.7f);
    ASSERT_NE(fScene->GetDisplayGroup(), nullptr);
    EXPECT_EQ(Narrow(fScene->GetDisplayGroup()->GetId()), "displaygroup");
    ASSERT_NE(fScene->GetBackground(), nullptr);
    EXPECT_EQ(fScene->GetBackground()->GetTexture(), 0u);

    EXPECT_TRUE(fScene->SetViewpoint(VoString(u"vp_nowhere")));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", "'viewpoints.vp_nowhere' not found."));
    EXPECT_FLOAT_EQ(fScene->GetShadowBlend(), 0.3f);
}

TEST_F(MGSceneTest, TheBackgroundIsTheViewpointsPictureAndNothingWhenItCannotBeRead) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "background=b.tga", "background=missing.tga");
    ASSERT_TRUE(LoadRoom(files));
    VoSprite* background = fScene->GetBackground();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(Narrow(background->GetId()), "bg");
    EXPECT_NE(background->GetTexture(), 0u);
    fScene->SetViewpoint(VoString(u"vp_b"));
    ASSERT_NE(fScene->GetBackground(), nullptr);
    EXPECT_EQ(fScene->GetBackground()->GetTexture(), 0u);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", ""));
}

TEST_F(MGSceneTest, DisplayMembersAndDecalsComeFromTheScenesFolder) {
    std::map<std::string, std::string> files = RoomFiles();
    files["sign.tga"] = Tga(4, 4, 1, 2, 3);
    files["note.tga"] = Tga(2, 2, 9, 9, 9);
    files["scene.txt"] =
        With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
             "\t\tshadowcaster=sun\n"
             "\t\tdisplaygroup\n\t\t\tid=panel\n\t\t\tsprites\n\t\t\t\t0\n\t\t\t\t\tid=sign\n"
             "\t\t\t\t\ttexture=sign.tga\n"
             "\t\tdecals\n\t\t\t0\n\t\t\t\tid=note\n\t\t\t\ttexture=note.tga\n"
             "\t\t\t1\n\t\t\t\tid=hidden\n\t\t\t\ttexture=note.tga\n\t\t\t\tvisible=script[false]\n"
             "\tvp_b");
    ASSERT_TRUE(LoadRoom(files));
    VoDisplayGroup* group = fScene->GetDisplayGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "panel");
    VoIDisplayObject* sign = nullptr;
    ASSERT_TRUE(group->FindMember(VoString(u"sign"), sign));
    EXPECT_NE(static_cast<VoSprite*>(sign)->GetTexture(), 0u);
    ASSERT_EQ(fScene->GetDecalCount(), 2);
    EXPECT_NE(fScene->GetDecal(0)->GetTexture(), 0u);
    EXPECT_FALSE(fScene->GetDecal(1)->GetVisible());
    EXPECT_EQ(Narrow(VoTextureManager::GetInstance()->GetRoot()), "//textures/");

    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(Narrow(fScene->GetDisplayGroup()->GetId()), "displaygroup");
    EXPECT_EQ(fScene->GetDecalCount(), 0);
}

TEST_F(MGSceneTest, CutsAreMadeOnlyForAViewpointWhoseHotspotFileHasEntries) {
    const std::string cuts =
        "cuts\n\t0\n\t\tid=close\n\t\tcamera=cam_cut\n\t\tbackground=cut.tga\n"
        "\t\tdecals\n\t\t\t0\n\t\t\t\tid=note\n\t\t\t\ttexture=note.tga\n"
        "\t1\n\t\tid=wide\n\t\tcamera=cam_b\n\t\tbackground=b.tga\n";
    const std::string spot = "desk\n\tid=desk\n\ttype=general\n\tenabled=script[true]\n";
    struct Case {
        const char* what;
        const char* hotspotsKey;  // null: none
        std::string hotspotFile;  // written as spots.txt when the key names it
        int cuts;
        int hotspots;
    } const cases[] = {
        {"no hotspots key", nullptr, "", 0, 0},
        {"an empty hotspot file", "spots", "", 0, 0},
        {"a missing hotspot file", "nothing", "", 0, 0},
        {"a hotspot", "spots", spot, 2, 1},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> files = RoomFiles();
        files["scene.txt"] += cuts;
        files["cut.tga"] = Tga(4, 4, 50, 60, 70);
        files["note.tga"] = Tga(2, 2, 9, 9, 9);
        files["spots.txt"] = c.hotspotFile;
        if (c.hotspotsKey != nullptr) {
            files["scene.txt"] =
                With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
                     std::string("\t\tshadowcaster=sun\n\t\thotspots=") + c.hotspotsKey + "\n\tvp_b");
        }
        ASSERT_TRUE(LoadRoom(files)) << c.what;
        EXPECT_EQ(fScene->GetCutCount(), c.cuts) << c.what;
        EXPECT_EQ(fScene->GetHotspotCount(), c.hotspots) << c.what;
        fScene.reset();
    }
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGScene::kSetupHotspotsFailure));
}

TEST_F(MGSceneTest, ACutSwitchesCameraAndBackgroundUntilDashReturns) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
                              "\t\tshadowcaster=sun\n\t\thotspots=spots\n\tvp_b") +
                         "cuts\n\t0\n\t\tid=close\n\t\tcamera=cam_cut\n\t\tbackground=cut.tga\n"
                         "\t1\n\t\tid=lost\n\t\tcamera=cam_gone\n\t\tbackground=cut.tga\n";
    files["spots.txt"] = "desk\n\tid=desk\n\ttype=general\n";
    files["cut.tga"] = Tga(4, 4, 50, 60, 70);
    ASSERT_TRUE(LoadRoom(files));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", std::string(MGScene::kCameraNotFound) + "cam_gone"));
    VoCamera* viewpoint = fScene->GetCamera();
    EXPECT_EQ(fScene->GetCurrentCamera(), viewpoint);

    EXPECT_TRUE(fScene->SetCut(VoString(u"close")));
    ASSERT_NE(fScene->GetCutCamera(), nullptr);
    EXPECT_EQ(fScene->GetCurrentCamera(), fScene->GetCutCamera());
    ExpectNear(fScene->GetCutCamera()->GetPosition(), VoVector3(0, 10, -5), "cut eye");
    ExpectNear(fScene->GetCutCamera()->GetUp(), VoVector3(0, 1, 0), "cut up");
    EXPECT_FLOAT_EQ(fScene->GetCutCamera()->GetFar(), 100.0f);
    ASSERT_NE(fScene->GetCutBackground(), nullptr);
    EXPECT_NE(fScene->GetCutBackground()->GetTexture(), fScene->GetBackground()->GetTexture());

    // A cut whose camera is missing has its background only.
    EXPECT_TRUE(fScene->SetCut(VoString(u"lost")));
    EXPECT_EQ(fScene->GetCurrentCamera(), viewpoint);
    EXPECT_NE(fScene->GetCutBackground(), nullptr);

    EXPECT_TRUE(fScene->SetCut(VoString(u"nowhere")));
    EXPECT_EQ(fScene->GetCurrentCamera(), viewpoint);
    EXPECT_EQ(fScene->GetCutBackground(), nullptr);

    fScene->SetCut(VoString(u"close"));
    EXPECT_TRUE(fScene->SetCut(VoString(u"-")));
    EXPECT_EQ(fScene->GetCutCamera(), nullptr);
    EXPECT_EQ(fScene->GetCurrentCamera(), viewpoint);

    // A new viewpoint drops the cut and, without hotspots, the cuts.
    fScene->SetCut(VoString(u"close"));
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(fScene->GetCutCamera(), nullptr);
    EXPECT_EQ(fScene->GetCutCount(), 0);
}

TEST_F(MGSceneTest, ThePlayerStartsAtThePendingPlaceElseTheStartEntryElseTheWaypoint) {
    const std::string start = "\t\tkestrin\n\t\t\tposition=2|0|5\n\t\t\tdirection=0|0|-1\n";
    struct Case {
        const char* what;
        bool pending;
        bool startEntry;
        const char* waypoint;
        VoVector2 position;
        VoVector2 facing;
    } const cases[] = {
        // The pending placement stays until the next scene load: last.
        {"start entry", false, true, "door", {2, 5}, {0, -1}},
        {"start waypoint", false, false, "door", {0, -8}, {0, 1}},
        // The walker stays where the navigation's display parks it.
        {"unknown waypoint",
         false,
         false,
         "nowhere",
         {VoNavigationTDODisplay::kParkedX, VoNavigationTDODisplay::kParkedY},
         {0, 1}},
        {"pending placement", true, true, "door", {3, 4}, {1, 0}},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> files = RoomFiles();
        if (c.startEntry) {
            files["scene.txt"] = With(files["scene.txt"], "\tnpcs\n", start + "\tnpcs\n");
        }
        files["scene.txt"] =
            With(files["scene.txt"], "startwaypoint=door", std::string("startwaypoint=") + c.waypoint);
        if (c.pending) {
            MGSceneManager::GetInstance()->SetPendingPosition(VoVector2(3, 4));
            MGSceneManager::GetInstance()->SetPendingDirection(VoVector2(1, 0));
        }
        ASSERT_TRUE(LoadRoom(files)) << c.what;
        const VoVector2 at = Ground(Walker()->GetPosition());
        EXPECT_FLOAT_EQ(at.x, c.position.x) << c.what;
        EXPECT_FLOAT_EQ(at.y, c.position.y) << c.what;
        EXPECT_NEAR(Steering()->GetDirection().x, c.facing.x, 1e-5f) << c.what;
        EXPECT_NEAR(Steering()->GetDirection().y, c.facing.y, 1e-5f) << c.what;
        // The player stands there from its first update on.
        fScene->OnEnter();
        fScene->Update();
        ExpectNear(*fScene->GetPlayer()->GetPosition(), VoVector3(c.position.x, 0.0f, c.position.y), c.what);
        // The pending placement outlives the viewpoint set-up.
        if (c.pending) {
            fScene->SetViewpoint(VoString(u"vp_b"));
            EXPECT_FLOAT_EQ(Walker()->GetPosition().x, 3.0f);
        }
        fScene.reset();
    }
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", std::string(MGScene::kWayPointNotFound) + "nowhere"));
}

TEST_F(MGSceneTest, AFadedChangeKeepsThePlayerInsideTheNewWalkAreaElseTakesTheRoute) {
    struct Case {
        const char* what;
        VoVector2 from;
        std::string waypoints;  // empty: the room's
        VoVector2 to;
        bool noRoute;
    } const cases[] = {
        {"inside vp_b's ground", {5, 3}, "", {5, 3}, false},
        {"outside it", {-5, -8}, "", {8, 0}, false},
        {"no waypoint inside it",
         {-5, -8},
         "door\n\tcoords=0|-8\n\tlinks=center\ncenter\n\tcoords=0|0\n\tlinks=door\n",
         {-5, -8},
         true},
    };
    double now = 0.0;
    for (const Case& c : cases) {
        std::map<std::string, std::string> files = RoomFiles();
        if (!c.waypoints.empty()) {
            files["waypoints.txt"] = c.waypoints;
        }
        ASSERT_TRUE(LoadRoom(files)) << c.what;
        EXPECT_FALSE(fScene->IsFadingIn()) << c.what;  // the first viewpoint comes without a fade
        fScene->OnEnter();
        Walker()->SetPosition(VoVector3(c.from.x, c.from.y, 0.0f));
        fScene->ChangeViewpoint(VoString(u"vp_b"));
        EXPECT_FALSE(fScene->IsInputEnabled()) << c.what;
        EXPECT_TRUE(fScene->IsChangePending()) << c.what;
        EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_a") << c.what;
        const VoVector2* pending = MGSceneManager::GetInstance()->GetPendingPosition();
        ASSERT_NE(pending, nullptr) << c.what;
        EXPECT_FLOAT_EQ(pending->x, c.to.x) << c.what;
        EXPECT_FLOAT_EQ(pending->y, c.to.y) << c.what;
        EXPECT_EQ(Logged("ASSERT FAILURE: ", MGScene::kNoPathToViewpoint), c.noRoute) << c.what;

        // Black after the fade: the new viewpoint, fading in.
        for (int frame = 0; frame < 20 && fScene->IsChangePending(); ++frame) {
            now += 0.05;
            RecordingGame::FrameAt(now);
        }
        EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_b") << c.what;
        EXPECT_TRUE(fScene->IsFadingIn()) << c.what;
        EXPECT_FALSE(fScene->IsInputEnabled()) << c.what;
        EXPECT_FLOAT_EQ(Walker()->GetPosition().x, c.to.x) << c.what;
        EXPECT_FLOAT_EQ(Walker()->GetPosition().y, c.to.y) << c.what;
        // Clear again: the input comes back.
        for (int frame = 0; frame < 20 && fScene->IsFadingIn(); ++frame) {
            now += 0.05;
            RecordingGame::FrameAt(now);
        }
        EXPECT_FALSE(fScene->IsFadingIn()) << c.what;
        EXPECT_TRUE(fScene->IsInputEnabled()) << c.what;
        fScene.reset();
        MGSceneManager::GetInstance()->SetPendingPosition(VoVector2(0, 0));
    }
}

TEST_F(MGSceneTest, AChangeAskedOfASceneOffScreenHappensAtOnceAndLeavesTheFaderAlone) {
    ASSERT_TRUE(LoadRoom());
    MGScreenFader* fader = MGScreenFader::GetInstance();
    MGIScreenFaderListener* listener = fader->GetListener();
    // Not entered: another screen covers the scene and fades as it leaves.
    fScene->ChangeViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_b");
    EXPECT_FALSE(fScene->IsChangePending());
    EXPECT_FALSE(fScene->IsFadingIn());
    EXPECT_EQ(fader->GetListener(), listener);
    EXPECT_TRUE(fader->IsClear());
    // The player came in at the end of the route, on the new walk.
    EXPECT_FLOAT_EQ(Walker()->GetPosition().x, 8.0f);
    EXPECT_FLOAT_EQ(Walker()->GetPosition().y, 0.0f);
    EXPECT_EQ(fScene->GetPlayer()->GetSteering(), Steering());
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_FALSE(fScene->IsFadingIn());

    // On screen, the change fades; a viewpoint set after it fades in.
    fScene->OnEnter();
    fScene->ChangeViewpoint(VoString(u"vp_a"));
    EXPECT_TRUE(fScene->IsChangePending());
    EXPECT_EQ(fader->GetListener(), static_cast<MGIScreenFaderListener*>(fScene.get()));
    double now = 0.0;
    for (int frame = 0; frame < 20 && fScene->IsChangePending(); ++frame) {
        now += 0.05;
        RecordingGame::FrameAt(now);
    }
    EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_a");
    EXPECT_TRUE(fScene->IsFadingIn());
}

TEST_F(MGSceneTest, CloseUpsBelongToTheirViewpoint) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
                              "\t\tshadowcaster=sun\n\t\tcloseups=closeups_a.txt\n\tvp_b");
    files["closeups_a.txt"] = "drawer\n\tid=drawer\nletter\n\tid=letter\n";
    ASSERT_TRUE(LoadRoom(files));
    ASSERT_EQ(fScene->GetCloseUpCount(), 2);
    EXPECT_EQ(Narrow(fScene->GetCloseUp(0)->GetId()), "drawer");
    EXPECT_EQ(Narrow(fScene->GetCloseUp(1)->GetId()), "letter");
    fScene->SetOpenCloseUp(fScene->GetCloseUp(0));
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(fScene->GetCloseUpCount(), 0);
    EXPECT_EQ(fScene->GetOpenCloseUp(), nullptr);
}

TEST_F(MGSceneTest, AddHotspotRefusesNullAndTheSameHotspotTwice) {
    ASSERT_TRUE(LoadRoom());
    EXPECT_FALSE(fScene->AddHotspot(nullptr));
    EXPECT_TRUE(Logged("ERROR: ", MGScene::kAddHotspotNull));
    MGHotspot* hotspot = new MGHotspot(MGHotspot::kGeneral);
    EXPECT_TRUE(fScene->AddHotspot(hotspot));
    EXPECT_FALSE(fScene->AddHotspot(hotspot));
    EXPECT_TRUE(Logged("ERROR: ", MGScene::kAddHotspotDuplicate));
    EXPECT_EQ(fScene->GetHotspotCount(), 1);
    fScene->ClearHotspots();
    EXPECT_EQ(fScene->GetHotspotCount(), 0);
}

TEST_F(MGSceneTest, TheCameraIdOfAViewpointComesFromTheSceneFile) {
    ASSERT_TRUE(LoadRoom());
    EXPECT_EQ(Narrow(fScene->GetViewpointCameraId(VoString(u"vp_b"))), "cam_b");
    EXPECT_EQ(Narrow(fScene->GetViewpointCameraId(VoString(u"vp_nowhere"))), "");
    EXPECT_EQ(Narrow(fScene->GetScenePath()), "//scenes/test/room/");
}

TEST_F(MGSceneTest, AfterAFadedChangeToAViewpointWithoutDepthMeshThePlayerStandsStill) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "depthmesh=room.lim\n\t\tcamera\n\t\t\tid=cam_b",
                              "depthmesh=missing.lim\n\t\tcamera\n\t\t\tid=cam_b");
    ASSERT_TRUE(LoadRoom(files));
    fScene->OnEnter();
    ASSERT_TRUE(fScene->Update());
    const VoVector3 before = *fScene->GetPlayer()->GetPosition();
    fScene->ChangeViewpoint(VoString(u"vp_b"));
    double now = 0.0;
    for (int frame = 0; frame < 20 && fScene->IsChangePending(); ++frame) {
        now += 0.05;
        RecordingGame::FrameAt(now);
        fScene->Update();
    }
    ASSERT_EQ(Narrow(fScene->GetViewpointId()), "vp_b");
    EXPECT_EQ(Steering(), nullptr);
    // The player let go of the steering that the change deleted.
    EXPECT_EQ(fScene->GetPlayer()->GetSteering(), nullptr);
    for (int frame = 0; frame < 3; ++frame) {
        fScene->Update();
        fScene->Render();
    }
    ExpectNear(*fScene->GetPlayer()->GetPosition(), before, "player");
}

TEST_F(MGSceneTest, CutsWithoutAnIdOrOfTheSameIdAreKeptOnce) {
    std::map<std::string, std::string> files = RoomFiles();
    files["scene.txt"] = With(files["scene.txt"], "\t\tshadowcaster=sun\n\tvp_b",
                              "\t\tshadowcaster=sun\n\t\thotspots=spots\n\tvp_b") +
                         "cuts\n"
                         "\t0\n\t\tcamera=cam_cut\n\t\tbackground=cut.tga\n"
                         "\t\tdecals\n\t\t\t0\n\t\t\t\tid=note\n\t\t\t\ttexture=cut.tga\n"
                         "\t1\n\t\tcamera=cam_b\n\t\tbackground=cut.tga\n"
                         "\t\tdecals\n\t\t\t0\n\t\t\t\tid=note\n\t\t\t\ttexture=cut.tga\n"
                         "\t2\n\t\tid=close\n\t\tcamera=cam_cut\n\t\tbackground=cut.tga\n"
                         "\t3\n\t\tid=close\n\t\tcamera=cam_b\n\t\tbackground=cut.tga\n";
    files["spots.txt"] = "desk\n\tid=desk\n\ttype=general\n";
    files["cut.tga"] = Tga(4, 4, 50, 60, 70);
    ASSERT_TRUE(LoadRoom(files));
    EXPECT_EQ(fScene->GetCutCount(), 2);
    fScene->SetCut(VoString(u"close"));
    ExpectNear(fScene->GetCutCamera()->GetPosition(), VoVector3(0, 10, -5), "the first of two cuts of one id");
    fScene->SetCut(VoString(u""));
    ASSERT_NE(fScene->GetCutDecals(), nullptr);
    EXPECT_EQ(fScene->GetCutDecals()->GetCount(), 1);
    // Deleting the scene deletes each cut's objects once.
    fScene.reset();
}
