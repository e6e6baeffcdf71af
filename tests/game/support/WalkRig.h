#pragma once
// What the tests of the scene navigation, the picker and the game character
// share: the sample game (SampleGame: the timer the test sets, the stub
// sound manager, the fonts); scratch folders for the animations, characters,
// meshes, sounds and scenes that a test writes; characters built on a small
// skeleton; and a room of the test's walkable regions and waypoints that the
// scene loads from its files, as the game does, with such a player.
//
//     walkrig::WalkGame game;
//     walkrig::Folders folders;                 // scratch "//animations", ...
//     folders.Animation("Turn-45-CCW_M", 40);   // a 40-frame turn
//     bool set = false;
//     auto scene = walkrig::WalkScene(folders, walkrig::Room(), walkrig::WayPoint("a", 10, 10, ""), &set);
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <sstream>
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
#include "stdlib/VoMemoryStream.h"
#include "support/PlatformTestFolder.h"
#include "support/RawMeshFields.h"
#include "support/SetTimer.h"
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

// A scene that a test opens and steps as the game does.
class RigScene : public MGScene {
public:
    // Loads "//scenes/<aId>/scene.txt" (written by the test) and enters, so
    // that its input can be switched; the load's result.
    bool Open(const std::string& aId) {
        const bool loaded = Load(VoString(aId.c_str()));
        OnEnter();
        return loaded;
    }
    // The scene's frame step: the player's steering, ground and transform.
    void UpdatePlayer() { Update(); }
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

// The room's depth mesh in the raw form: the root "scene" and its child
// "floor", the ground of Room() at aFloorHeight, two triangles facing up.
inline std::string RoomMesh(float aFloorHeight) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(2).Frame(1, Identity(), Identity(), 0, 2, 0, "scene");
    raw.Frame(2, Identity(), Identity(), 0, 0, VoFrame::kRawStaticMesh, "floor");
    auto up = [aFloorHeight](float aX, float aZ) { return MeshVertex{aX, aFloorHeight, aZ, 0, 1, 0, 0, 0}; };
    raw.field.U32(1);
    raw.Material(1.0f)
        .Vertices({up(0, 0), up(0, 400), up(400, 0), up(400, 400)})
        .Indices16({0, 1, 2, 2, 1, 3});
    raw.field.U32(1).U32s({0, 0, 2, 0, 4});
    return std::string(bytes.begin(), bytes.end());
}

// A camera of cameras.txt: the one of CameraAbove (the default projection).
inline std::string CameraEntry(const std::string& aName, float aX, float aZ, float aHeight) {
    const float fovX = 2.0f * std::atan(std::tan(VoCamera::kDefaultFovY * 0.5f) * VoCamera::kDefaultAspect);
    std::ostringstream entry;
    entry << std::setprecision(9) << aName << "\n\tposition=" << aX << "|" << aHeight << "|" << aZ
          << "\n\ttarget=" << aX << "|0|" << aZ << "\n\tupvector=0|0|1\n\tfovx=" << fovX
          << "\n\tznear=" << VoCamera::kDefaultNear << "\n\tzfar=" << VoCamera::kDefaultFar << "\n";
    return entry.str();
}

// A scene loads only with its global light: "sun".
constexpr const char* kLights = "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n";

// The viewpoint "vp": the room's depth mesh, the camera "cam" above the
// room's middle, starting at waypoint "a".
constexpr const char* kSceneFile =
    "viewpoints\n\tvp\n\t\tdepthmesh=room.lim\n\t\tshadowcaster=sun\n\t\tstartwaypoint=a\n"
    "\t\tcamera\n\t\t\tid=cam\n";

// Writes the scene aId: scene.txt (the default viewpoint "vp" of
// apSceneFile, the player "kestrin", no NPCs), its light, cameras.txt with
// "cam" above the room's middle, the room's depth mesh "room.lim" (the floor
// at aFloorHeight) and the player's file "kestrin.txt", a skeleton
// character with aMoves move animations. The waypoints and walkable regions
// are the test's to write.
inline void WriteRoom(const Folders& aFolders, const std::string& aId, int aMoves = 3,
                      float aFloorHeight = 0.0f, const char* apSceneFile = kSceneFile) {
    const std::string folder = "scenes/" + aId + "/";
    aFolders.Write(folder + "scene.txt",
                   std::string("characters\n\tplayer\n\t\tkestrin\n\t\t\tdata=kestrin.txt\n\tnpcs\n"
                               "defaultviewpoint=vp\n") +
                       apSceneFile);
    aFolders.Write(folder + "lights_low.txt", kLights);
    aFolders.Write(folder + "cameras.txt", CameraEntry("cam", 200, 200, 500));
    aFolders.Write(folder + "room.lim", RoomMesh(aFloorHeight));
    aFolders.Write("characters/kestrin.txt", Folders::CharacterFile("kestrin", "", aMoves));
}

// The scene "walk" (WriteRoom) with its navigation and waypoint files,
// opened: the scene sets the walk up for its viewpoint and binds the player.
// *apSet says whether it did: the scene navigation holds the scene, a mesh
// tree to pick on and the steering that the player walks with.
inline std::unique_ptr<RigScene> WalkScene(const Folders& aFolders, const std::string& aRegions,
                                           const std::string& aWayPoints, bool* apSet, int aMoves = 3,
                                           float aFloorHeight = 0.0f, const char* apSceneFile = kSceneFile) {
    aFolders.Write("scenes/walk/navigation.txt", aRegions);
    aFolders.Write("scenes/walk/waypoints.txt", aWayPoints);
    WriteRoom(aFolders, "walk", aMoves, aFloorHeight, apSceneFile);
    auto scene = std::make_unique<RigScene>();
    const bool opened = scene->Open("walk");
    EXPECT_TRUE(opened);
    MGNavigation* navigation = MGNavigation::GetInstance();
    MGCharacter* player = scene->GetPlayer();
    const bool set = opened && navigation != nullptr && navigation->GetScene() == scene.get() &&
                     navigation->GetSceneTree() != nullptr && navigation->GetSteering() != nullptr &&
                     player != nullptr && player->GetSteering() == navigation->GetSteering();
    if (apSet != nullptr) {
        *apSet = set;
    }
    return scene;
}

}  // namespace walkrig
