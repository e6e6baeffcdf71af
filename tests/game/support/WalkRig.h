#pragma once
// What the tests of the scene navigation, the picker and the game character
// share: the sample game (SampleGame: the timer the test sets, the stub
// sound manager, the fonts); scratch folders for the animations, characters,
// meshes, sounds and scenes that a test writes; characters built on a small
// skeleton; and a scene whose depth mesh, camera and player the test hands
// over.
//
//     walkrig::WalkGame game;
//     walkrig::Folders folders;                 // scratch "//animations", ...
//     folders.Animation("Turn-45-CCW_M", 40);   // a 40-frame turn
//     bool set = false;
//     auto scene = walkrig::WalkScene(folders, walkrig::Room(), walkrig::WayPoint("a", 10, 10, ""), &set);
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationTrack.h"
#include "character/CharacterTestSupport.h"
#include "container/VoPropertyList.h"
#include "game/support/SampleGame.h"
#include "memory/VoNew.h"
#include "navigation/VoSteeringTDO.h"
#include "scene/MGCharacter.h"
#include "scene/MGICharacterListener.h"
#include "scene/MGNavigation.h"
#include "scene/MGScene.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "stdlib/VoMemoryStream.h"
#include "support/PlatformTestFolder.h"
#include "support/SetTimer.h"
#include "support/ShadowTestSupport.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace walkrig {

using Lines = std::vector<std::string>;

constexpr const char* kSampleData = VO_SOURCE_DIR "/data";

// A hotspot as the character calls it back: every call noted in order.
struct HotspotProbe : MGICharacterListener {
    void Deactivate() override { calls.push_back("deactivate"); }
    void OnActionDone(int aCode) override { calls.push_back("done " + std::to_string(aCode)); }
    void Execute() override { calls.push_back("execute"); }
    Lines Take() {
        Lines taken;
        taken.swap(calls);
        return taken;
    }
    Lines calls;
};

// The sample game with the characters' shared idle restarts cleared.
class WalkGame : public SampleGame {
public:
    WalkGame() { MGCharacter::ResetSharedFlagsForTests(); }

    static void SetTime(double aSeconds) {
        if (SetTimer* timer = Timer()) {
            timer->fNow = aSeconds;
        }
    }
};

// The animation's name; "(none)" for null.
inline std::string NameOf(const VoAnimation* apAnimation) {
    return apAnimation != nullptr ? Narrow(apAnimation->GetName()) : "(none)";
}

// How often the stub player of that name has played; 0 when there is none.
inline int Plays(const std::string& aName) {
    const stubs::SoundPlayer* player = stubs::SoundPlayer::Find(aName);
    return player != nullptr ? player->fPlays : 0;
}

// The live stub players as "name path", oldest first.
inline Lines LiveSounds() {
    Lines lines;
    for (const stubs::SoundPlayer* player : stubs::Live<stubs::SoundPlayer>()) {
        lines.push_back(player->fName + " " + player->fPath);
    }
    return lines;
}

// The skeleton the game looks for: "Model" > "Biped" > ("BN_Neck" >
// "BN_Head" > ("Eye_R", "Eye_L"), "Biped_R_Hand"), the head 15 units up,
// the eyes 1 unit above it and 0.5 to either side.
inline VoDrawElement* GameSkeleton() {
    auto frame = PlacedFrame;
    VoFrame* root = frame(u"Model", 0, 0, 0);
    VoFrame* biped = frame(u"Biped", 0, 10, 0);
    root->AddChild(biped);
    VoFrame* neck = frame(u"BN_Neck", 0, 4, 0);
    biped->AddChild(neck);
    VoFrame* head = frame(u"BN_Head", 0, 1, 0);
    neck->AddChild(head);
    head->AddChild(frame(u"Eye_R", -0.5f, 1, 0));
    head->AddChild(frame(u"Eye_L", 0.5f, 1, 0));
    biped->AddChild(frame(u"Biped_R_Hand", -3, 0, 0));
    auto* element = new VoDrawElement();
    element->SetRootFrame(root);
    element->Update(nullptr);
    return element;
}

// Scratch folders mounted as "//animations", "//characters", "//sounds",
// "//dataroot", "//scenes" and "//meshes" (over the sample tree's). "//meshes" holds the sample
// character and "skeleton.lim1" (GameSkeleton); "//dataroot/meshes" the
// prop meshes, copies of the sample prop; "//animations" the skeleton's
// idle (30 frames) and moves: walk (74), run (46), stairs up and down (37).
class Folders {
public:
    Folders() {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        EXPECT_NE(files, nullptr);
        const char* aliases[] = {"animations", "characters", "sounds", "dataroot", "scenes", "meshes"};
        for (const char* alias : aliases) {
            std::filesystem::create_directories(fFolder.Path(alias));
            EXPECT_TRUE(files->Mount(VoString((std::string("//") + alias).c_str()),
                                     PlatformTestFolder::Wide(fFolder.Path(alias))));
        }
        std::filesystem::copy_file(std::string(kSampleData) + "/meshes/sample_character.lim1",
                                   fFolder.Path("meshes/sample_character.lim1"));

        std::filesystem::create_directories(fFolder.Path("dataroot/meshes"));
        for (const char* prop : {"camera.lim1", "cell-phone.lim1", "police-badge.lim1", "polaroid.lim1"}) {
            std::filesystem::copy_file(std::string(kSampleData) + "/meshes/sample_prop.lim1",
                                       fFolder.Path(std::string("dataroot/meshes/") + prop));
        }
        VoDrawElement* skeleton = GameSkeleton();
        VoMemoryStream stream(256, VoMemoryStream::kGrowDouble);
        EXPECT_TRUE(skeleton->Write(&stream));
        fFolder.Write("meshes/skeleton.lim1", std::string(reinterpret_cast<const char*>(stream.GetBuffer()),
                                                          static_cast<std::size_t>(stream.GetPosition())));
        delete skeleton;
        Animation("idle", 30);
        Animation("walk", 74);
        Animation("run", 46);
        Animation("stairs_up", 37);
        Animation("stairs_down", 37);
        Animation("Cell-Phone_idle_M", 30);
        Write("characters/eyes.txt",
              "kestrin\n\tright=Eye_R\n\tleft=Eye_L\nclerk\n\tright=Eye_R\n\tleft=Eye_L\n");
    }

    // Writes "//animations/<aName>.lia1": aFrames frames, one track per
    // name (none: "Biped"), the animation named aName.
    void Animation(const std::string& aName, int aFrames,
                   const std::vector<const char16_t*>& aTracks = {u"Biped"}) const {
        const std::u16string name(aName.begin(), aName.end());
        std::unique_ptr<VoAnimation> animation(MadeAnimation(name.c_str(), aFrames, aTracks));
        VoMemoryStream stream(64, VoMemoryStream::kGrowDouble);
        EXPECT_TRUE(animation->Write(&stream));
        fFolder.Write("animations/" + aName + ".lia1",
                      std::string(reinterpret_cast<const char*>(stream.GetBuffer()),
                                  static_cast<std::size_t>(stream.GetPosition())));
    }
    // Copies the sample tree's animations (idle, walk, run, stairs up).
    void SampleAnimations() const {
        for (const char* name : {"sample_idle", "sample_walk", "sample_run", "sample_stair_up"}) {
            std::filesystem::copy_file(std::string(kSampleData) + "/animations/" + name + ".lia1",
                                       fFolder.Path(std::string("animations/") + name + ".lia1"));
        }
    }
    void Write(const std::string& aRelative, const std::string& aText) const {
        fFolder.Write(aRelative, aText);
    }
    std::string Path(const std::string& aRelative) const { return fFolder.Path(aRelative); }

    // The skeleton's character file: aExtra (game keys, each line ending in
    // a line feed), aMoves of the move animations and aAnimations (entries
    // of the "animations" section, one tab in).
    static std::string CharacterFile(const std::string& aName, const std::string& aExtra = "", int aMoves = 3,
                                     const char* apGender = "m", const std::string& aAnimations = "") {
        static const char* const kMoves[] = {"walk", "run", "stairs_up", "stairs_down"};
        static const char* const kSpeeds[] = {"4.0", "11.0", "3.0", "3.0"};
        std::string text = (aName.empty() ? std::string() : "name=" + aName + "\n") +
                           "mesh=skeleton.lim1\ntype=npc\ngender=" + apGender + "\n" + aExtra +
                           "animations\n" + aAnimations + "\tidle\n\t\t0\n\t\t\tfile=idle.lia1\n\tmove\n";
        for (int i = 0; i < aMoves && i < 4; ++i) {
            text += std::string("\t\t") + kMoves[i] + "\n\t\t\tfile=" + kMoves[i] +
                    ".lia1\n\t\t\tmovespeed=" + kSpeeds[i] + "\n";
        }
        return text;
    }

    // A new character built from CharacterFile.
    static MGCharacter* Character(const std::string& aName, const std::string& aExtra = "", int aMoves = 3,
                                  const char* apGender = "m", const std::string& aAnimations = "") {
        auto* character = new MGCharacter();
        auto file = ListOf(CharacterFile(aName, aExtra, aMoves, apGender, aAnimations));
        EXPECT_TRUE(character->Create(file.get(), nullptr));
        return character;
    }

private:
    static std::unique_ptr<VoPropertyList> ListOf(const std::string& aText) {
        auto list = std::make_unique<VoPropertyList>();
        list->Parse(VoString(aText.c_str()));
        return list;
    }

    PlatformTestFolder fFolder;
};

inline std::unique_ptr<VoPropertyList> ListOf(const std::string& aText) {
    auto list = std::make_unique<VoPropertyList>();
    list->Parse(VoString(aText.c_str()));
    return list;
}

// A flat square of ground at height aHeight from (aX0, aZ0) to (aX1, aZ1),
// two triangles facing up.
inline VoMesh* GroundMesh(float aX0, float aZ0, float aX1, float aZ1, float aHeight = 0.0f) {
    auto* mesh = new VoMesh();
    auto up = [](float aX, float aY, float aZ) { return MeshVertex{aX, aY, aZ, 0, 1, 0, 0, 0}; };
    FillMesh(mesh,
             {up(aX0, aHeight, aZ0), up(aX0, aHeight, aZ1), up(aX1, aHeight, aZ0), up(aX1, aHeight, aZ1)},
             {0, 1, 2, 2, 1, 3}, false);
    return mesh;
}

// A camera high above the point (x, z), looking straight down with +z up
// the screen.
inline VoCamera* CameraAbove(float aX, float aZ, float aHeight, const char16_t* apName) {
    auto* camera = new VoCamera();
    camera->SetName(VoString(apName));
    camera->SetUp(0.0f, 0.0f, 1.0f);
    camera->SetPosition(aX, aHeight, aZ);
    camera->SetTarget(aX, 0.0f, aZ);
    return camera;
}

// A scene whose depth mesh, camera and player the test hands over (owned
// from then on).
class RigScene : public MGScene {
public:
    // Loads "//scenes/<aId>/scene.txt" (written by the test) and enters, so
    // that its input can be switched; the load's result.
    bool Open(const std::string& aId) {
        const bool loaded = Load(VoString(aId.c_str()));
        OnEnter();
        return loaded;
    }
    void SetDepthMesh(VoDrawElement* apElement) {
        delete fpDepthMesh;
        fpDepthMesh = apElement;
    }
    void SetCamera(VoCamera* apCamera) {
        delete fpCamera;
        fpCamera = apCamera;
    }
    void SetPlayer(MGCharacter* apPlayer) {
        delete fpPlayer;
        fpPlayer = apPlayer;
        if (apPlayer != nullptr) {
            apPlayer->SetPlayer(true);
        }
    }
    // Binds the player and the steering of the navigation, as a viewpoint
    // change does after MGNavigation::SetScene.
    void BindPlayer() {
        MGNavigation* navigation = MGNavigation::GetInstance();
        if (fpPlayer != nullptr && navigation != nullptr && navigation->GetSteering() != nullptr) {
            fpPlayer->SetSteering(navigation->GetSteering());
            navigation->GetSteering()->SetCharacter(fpPlayer);
        }
    }
    // The scene's per-frame player step: steering, ground, transform.
    void UpdatePlayer() {
        if (fpPlayer == nullptr) {
            return;
        }
        fpPlayer->UpdateSteering();
        if (MGNavigation* navigation = MGNavigation::PeekInstance()) {
            navigation->PlaceOnGround(fpPlayer);
        }
        fpPlayer->UpdateTransform();
    }
};

// A room of 400 x 400 on the ground frame "floor" seen by the camera
// "cam", as the walkable region of the navigation file.
inline std::string Room() {
    return "PS_room(floor)(cam)\n\tcoords=0|0|400|0|400|400|0|400\n";
}

// A waypoint of the waypoint file.
inline std::string WayPoint(const std::string& aId, float aX, float aY, const std::string& aLinks,
                            const std::string& aClass = "") {
    std::string text =
        aId + "\n\tcoords=" + std::to_string(aX) + "|" + std::to_string(aY) + "\n\tlinks=" + aLinks + "\n";
    if (!aClass.empty()) {
        text += "\tclass=" + aClass + "\n";
    }
    return text;
}

// The viewpoint "vp" of camera "cam", starting at waypoint "a".
constexpr const char* kSceneFile = "viewpoints\n\tvp\n\t\tstartwaypoint=a\n\t\tcamera\n\t\t\tid=cam\n";

// The scene "walk" (the viewpoint "vp" of apSceneFile, entered) with its
// navigation and waypoint files, the room's depth mesh (the floor at
// aFloorHeight), the camera "cam" above the room's middle and the player
// "kestrin" (a skeleton character with aMoves move animations); then the scene navigation set up on it
// (*apSet: its result) and the player bound to its steering.
inline std::unique_ptr<RigScene> WalkScene(const Folders& aFolders, const std::string& aRegions,
                                           const std::string& aWayPoints, bool* apSet, int aMoves = 3,
                                           float aFloorHeight = 0.0f, const char* apSceneFile = kSceneFile) {
    aFolders.Write("scenes/walk/navigation.txt", aRegions);
    aFolders.Write("scenes/walk/waypoints.txt", aWayPoints);
    aFolders.Write("scenes/walk/scene.txt", std::string("defaultviewpoint=vp\n") + apSceneFile);
    auto scene = std::make_unique<RigScene>();
    EXPECT_TRUE(scene->Open("walk"));
    scene->SetDepthMesh(ModelOf({{u"scene", nullptr}, {u"floor", GroundMesh(0, 0, 400, 400, aFloorHeight)}}));
    scene->SetCamera(CameraAbove(200, 200, 500, u"cam"));
    scene->SetPlayer(Folders::Character("kestrin", "", aMoves));
    MGNavigation* navigation = MGNavigation::GetInstance();
    const bool set = navigation != nullptr && navigation->SetScene(scene.get());
    if (apSet != nullptr) {
        *apSet = set;
    }
    scene->BindPlayer();
    return scene;
}

}  // namespace walkrig
