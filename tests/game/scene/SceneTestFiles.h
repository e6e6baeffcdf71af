#pragma once
// What the scene object's tests share: a game over the recording rasterizer
// and textures, the fake sound and movie managers and a timer the test sets
// (SceneObjectGame); the sample data tree mounted, with "//scenes" on a scratch
// folder in which each test writes the scene it loads (SceneTest); and the
// writers of a scene's binary files: a TGA picture and a raw depth mesh of
// frames.
//
// The room that SceneTest writes ("test/room") is the sample depth mesh (a
// 20 x 20 floor "WG_floor" at y = 0 around the origin, a wall, a pillar, a
// ramp) seen from two viewpoints: vp_a (camera cam_a above the near edge,
// looking at the middle) and vp_b (cam_b from the right). The player "hero"
// is the sample character; it starts at the waypoint "door" (0, -8) facing
// +z. vp_a's walkable ground is the whole floor, vp_b's only x >= 2.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "MGMain.h"
#include "SceneMediaFakes.h"
#include "game/support/RecordingGame.h"
#include "geometry/VoMatrix.h"
#include "object/VoRegistry.h"
#include "render/VoTextureManager.h"
#include "support/PlatformTestFolder.h"
#include "support/ProbeObjects.h"
#include "system/VoIFileSystem.h"

// A RecordingGame (the recorders, the test's timer, device capabilities that
// take textures up to 2048 x 2048) whose sound and movie managers are the
// fakes that write to the media journal and make texture movies.
class SceneObjectGame : public RecordingGame {
public:
    SceneObjectGame() : RecordingGame(&RegisterAll) {
        MediaJournal::Take();
        MediaJournal::Missing().clear();
    }

private:
    static void RegisterAll() {
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"soundmanager"), [] { return new FakeSoundManager(); }),
            new FunctionCreator(VoString(u"moviemanager"), [] { return new FakeMovieManager(); }),
        };
        for (VoIObjectCreator* creator : creators) {
            if (!VoRegistry::Get()->AddCreator(creator)) {
                delete creator;
            }
        }
        Register();
    }
};

// The bytes of a w x h 32-bit TGA of one colour (uncompressed, top row first).
inline std::string Tga(int aWidth, int aHeight, int aR, int aG, int aB) {
    std::string tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int value : {aWidth, aHeight}) {
        tga.push_back(static_cast<char>(value & 0xff));
        tga.push_back(static_cast<char>(value >> 8));
    }
    tga.push_back(32);
    tga.push_back(0x28);
    for (int i = 0; i < aWidth * aHeight; ++i) {
        for (int channel : {aB, aG, aR, 255}) {
            tga.push_back(static_cast<char>(channel));
        }
    }
    return tga;
}

// One frame of a raw mesh file, without a mesh.
struct RawFrame {
    std::string name;
    VoMatrix matrix;  // both the file and the absolute matrix
    std::uint32_t number = 0;
    std::uint32_t sibling = 0;
    std::uint32_t child = 0;
};

// A raw mesh file of frames only: 8 header bytes, the count, an unused
// int, then each frame's record.
inline std::string RawMesh(const std::vector<RawFrame>& aFrames) {
    std::string bytes(8, '\0');
    auto u32 = [&bytes](std::uint32_t aValue) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((aValue >> (8 * i)) & 0xff));
        }
    };
    auto f32 = [&u32](float aValue) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &aValue, 4);
        u32(bits);
    };
    u32(static_cast<std::uint32_t>(aFrames.size()));
    u32(0);
    for (const RawFrame& frame : aFrames) {
        u32(frame.number);
        for (int copy = 0; copy < 2; ++copy) {
            for (const auto& row : frame.matrix.m) {
                for (float value : row) {
                    f32(value);
                }
            }
        }
        u32(0);
        u32(frame.sibling);
        u32(frame.child);
        u32(0);  // no mesh
        u32(static_cast<std::uint32_t>(frame.name.size() + 1));
        bytes += frame.name;
        bytes.push_back('\0');
    }
    return bytes;
}

inline std::string ReadSample(const std::string& aRelative) {
    std::ifstream in(std::string(VO_SOURCE_DIR "/data/") + aRelative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files of the room (see above), by name, for a test to change before
// it writes them.
inline std::map<std::string, std::string> RoomFiles() {
    std::map<std::string, std::string> files;
    files["scene.txt"] =
        "characters\n"
        "\tplayer\n"
        "\t\thero\n"
        "\t\t\tdata=sample_character.txt\n"
        "\tnpcs\n"
        "defaultviewpoint=vp_a\n"
        "viewpoints\n"
        "\tvp_a\n"
        "\t\tbackground=a.tga\n"
        "\t\tdepthmesh=room.lim\n"
        "\t\tcamera\n"
        "\t\t\tid=cam_a\n"
        "\t\tstartwaypoint=door\n"
        "\t\tstartdirection=0|0|1\n"
        "\t\tshadowcaster=sun\n"
        "\tvp_b\n"
        "\t\tbackground=b.tga\n"
        "\t\tdepthmesh=room.lim\n"
        "\t\tcamera\n"
        "\t\t\tid=cam_b\n"
        "\t\tstartwaypoint=side\n"
        "\t\tstartdirection=-1|0|0\n"
        "\t\tshadowcaster=sun\n"
        "\t\tshadowblend=0.6\n";
    files["cameras.txt"] =
        "cam_a\n\tposition=0|30|-30\n\ttarget=0|0|0\n\tfovx=1.2\n\tznear=1\n\tzfar=500\n"
        "cam_b\n\tposition=30|20|0\n\ttarget=0|0|0\n\tfovx=1.0\n\tznear=2\n\tzfar=400\n\tupvector=0|0|1\n"
        "cam_cut\n\tposition=0|10|-5\n\ttarget=0|5|0\n\tfovx=0.8\n\tznear=1\n\tzfar=100\n";
    files["lights_low.txt"] =
        "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n\tdirection=0.3|-1|0.5\n\tcameras=all\n"
        "\tdiffuse=0.8|0.8|0.8\n\tspecular=0|0|0\n\tambient=0.4|0.4|0.4\n";
    files["waypoints.txt"] =
        "door\n\tcoords=0|-8\n\tlinks=center\n"
        "center\n\tcoords=0|0\n\tlinks=door|side\n"
        "side\n\tcoords=8|0\n\tlinks=center\n";
    files["navigation.txt"] =
        "PS_a(WG_floor)(cam_a)\n\tcoords=-10|-10|10|-10|10|10|-10|10\n"
        "PS_b(WG_floor)(cam_b)\n\tcoords=2|-10|10|-10|10|10|2|10\n";
    files["a.tga"] = Tga(8, 6, 200, 40, 40);
    files["b.tga"] = Tga(8, 6, 40, 200, 40);
    files["room.lim"] = ReadSample("meshes/sample_scene_depth.lim");
    return files;
}

// A new game with the sample tree mounted and "//scenes" on the test's
// scratch folder; the log lines from then on are the folder's.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MGMain::MountDataTree(VoString(VO_SOURCE_DIR)));
        ASSERT_TRUE(VoTextureManager::GetInstance()->SetRoot(VoString(MGMain::kTextureRoot)));
        ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"),
                                                        PlatformTestFolder::Wide(fFolder.Path("scenes"))));
    }

    // Writes the files into the scene's folder "scenes/" + aId.
    void WriteScene(const std::map<std::string, std::string>& aFiles, const std::string& aId = "test/room") {
        for (const auto& file : aFiles) {
            fFolder.Write("scenes/" + aId + "/" + file.first, file.second);
        }
    }
    bool Logged(const std::string& aLevel, const std::string& aText) const {
        return fFolder.Logged(aLevel, aText);
    }
    int CountLogged(const std::string& aText) const {
        int count = 0;
        for (const std::string& line : fFolder.LogLines()) {
            count += line.find(aText) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    SceneObjectGame fGame;
    PlatformTestFolder fFolder;
};
