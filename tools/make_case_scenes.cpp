// Writes the rooms of the sample case: for each scene its depth mesh and, for
// each of its viewpoints and camera cuts, the background as the engine itself
// draws the room through that camera:
//
//   data/scenes/case01/lobby/lobby_depth.lim     the lobby's depth mesh (raw form)
//   data/scenes/case01/lobby/vp_entrance.tga     the lobby from the entrance
//   data/scenes/case01/lobby/vp_desk.tga         the lobby at the reception desk
//   data/scenes/case01/lobby/cut_clerk.tga       the interview cut onto the clerk
//   data/scenes/case01/lobby/cut_kestrin.tga     the interview cut onto the detective
//   data/scenes/case01/office/office_depth.lim   the office's depth mesh
//   data/scenes/case01/office/vp_office.tga      the office
//   data/scenes/precinct/precinct_depth.lim      the squad room's depth mesh
//   data/scenes/precinct/vp_squadroom.tga        the squad room, where a new
//                                                game begins
//   data/scenes/case01/riverbank/riverbank_depth.lim, vp_riverbank.tga
//                                                the quay where case one begins
//   data/scenes/<id>/<name>_depth.lim, <viewpoint>.tga
//                                                the small rooms: the first
//                                                scenes of cases two to four,
//                                                the places the puzzles'
//                                                solutions lead to, and the
//                                                evidence room "puzzles"
//
// The small rooms' and the riverbank's text files (scene, cameras, lights,
// waypoints, walkable ground, hotspots) come first, from
// tools/make_case_rooms.py.
//
// Regenerate, from the repository root (it opens a hidden window; headless,
// set SDL_VIDEODRIVER=offscreen):
//
//   cmake --build build/release --target make_case_scenes
//   SDL_VIDEODRIVER=offscreen build/release/tools/make_case_scenes data
//
// The rooms are built here, once: every piece goes into the lit model that
// is drawn, and the pieces that stand in the walkers' way or under their
// feet go into the depth mesh too, so the picture and the depth mesh agree.
// The cameras, the lights and which viewpoints there are come from the
// scene's own files (scene.txt, cameras.txt, lights_low.txt): the lights are
// chosen as the game chooses them for the camera (the global light, and the
// first four lights on for the camera in file order, the global one counted
// among them). Each background is the average of four draws a quarter pixel
// apart (smooth edges) and is written as a 24-bit run-length TGA, top row
// first. The output is the same on every run of the same drawing device.
//
// Depth mesh frames, under the root "Scene" (at the origin, so the cameras'
// points are world points): "WG_floor" the ground the walkers stand on (the
// navigation's ground), "WS_walls" the walls, "WN_..." pillars, "WC_..."
// furniture. Positions only (vertex format 1), one subset each.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SampleModel.h"
#include "container/VoPropertyList.h"
#include "container/VoString.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "render/VoIRasterizer.h"
#include "render/VoLight.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "system/VoIFileSystem.h"

namespace {

using namespace sample;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// ---- building a room ---------------------------------------------------------

struct Colour {
    float r, g, b;
};

class Room {
public:
    Room() {
        fRender.format = 5;
        fRender.weld = false;
        fRenderModel.Add("Room", -1, 0, 0, 0);
        fDepth.Add("Scene", -1, 0, 0, 0);
    }

    // A surface lit as the scene's lights fall on it: its ambient colour is
    // its diffuse one, and it has no shine (the pictures stay flat); aGlow
    // gives it light of its own.
    int Paint(const Colour& aColour, float aGlow = 0.0f) {
        fRender.materials.push_back({aColour.r, aColour.g, aColour.b, "", 1.0f, 0.0f, aGlow});
        fRender.subsets.emplace_back();
        fRender.subsets.back().material = static_cast<int>(fRender.materials.size()) - 1;
        return static_cast<int>(fRender.materials.size()) - 1;
    }

    // A box drawn in the paint; with a depth frame name it stands in the
    // depth mesh under that frame too.
    void Box(const std::string& aDepthFrame, int aPaint, const Vec& aMin, const Vec& aMax) {
        fRender.AddBox(aPaint, aMin, aMax);
        if (!aDepthFrame.empty()) {
            DepthMesh(aDepthFrame).AddBox(0, aMin, aMax);
        }
    }

    // A rectangle facing along aNormal.
    void Quad(const std::string& aDepthFrame, int aPaint, const Vec aCorners[4], const Vec& aNormal) {
        fRender.AddQuad(aPaint, aCorners, aNormal);
        if (!aDepthFrame.empty()) {
            DepthMesh(aDepthFrame).AddQuad(0, aCorners, aNormal);
        }
    }

    // An upright rectangle on the plane x = aX (facing aFacing, +1 or -1 in
    // x) from (aZ0, aY0) to (aZ1, aY1).
    void OnXWall(const std::string& aDepth, int aPaint, float aX, float aFacing, float aZ0, float aZ1,
                 float aY0, float aY1) {
        const Vec corners[4] = {{aX, aY0, aZ0}, {aX, aY1, aZ0}, {aX, aY1, aZ1}, {aX, aY0, aZ1}};
        Quad(aDepth, aPaint, corners, {aFacing, 0, 0});
    }

    // An upright rectangle on the plane z = aZ facing aFacing in z.
    void OnZWall(const std::string& aDepth, int aPaint, float aZ, float aFacing, float aX0, float aX1,
                 float aY0, float aY1) {
        const Vec corners[4] = {{aX0, aY0, aZ}, {aX0, aY1, aZ}, {aX1, aY1, aZ}, {aX1, aY0, aZ}};
        Quad(aDepth, aPaint, corners, {0, 0, aFacing});
    }

    // A level rectangle at height aY facing aFacing in y.
    void Level(const std::string& aDepth, int aPaint, float aY, float aFacing, float aX0, float aX1,
               float aZ0, float aZ1) {
        const Vec corners[4] = {{aX0, aY, aZ0}, {aX0, aY, aZ1}, {aX1, aY, aZ1}, {aX1, aY, aZ0}};
        Quad(aDepth, aPaint, corners, {0, aFacing, 0});
    }

    // The floor in tiles of two paints (a checkerboard, or with aStripes
    // strips along z), with one ground quad under them in the depth mesh.
    void Floor(int aFirst, int aSecond, float aX0, float aX1, float aZ0, float aZ1, float aTile,
               bool aStripes) {
        int row = 0;
        for (float z = aZ0; z < aZ1 - 0.01f; z += aTile, ++row) {
            int column = 0;
            for (float x = aX0; x < aX1 - 0.01f; x += aTile, ++column) {
                const bool first = aStripes ? column % 2 == 0 : (row + column) % 2 == 0;
                Level("", first ? aFirst : aSecond, 0.0f, 1.0f, x, std::fmin(x + aTile, aX1), z,
                      std::fmin(z + aTile, aZ1));
            }
        }
        const Vec corners[4] = {{aX0, 0, aZ0}, {aX0, 0, aZ1}, {aX1, 0, aZ1}, {aX1, 0, aZ0}};
        DepthMesh("WG_floor").AddQuad(0, corners, {0, 1, 0});
    }

    Model TakeRenderModel() {
        fRenderModel.frames[0].mesh = std::make_unique<Mesh>(fRender);
        return std::move(fRenderModel);
    }
    const Model& GetDepthModel() const { return fDepth; }

private:
    Mesh& DepthMesh(const std::string& aFrame) {
        int frame = fDepth.Find(aFrame);
        if (frame < 0) {
            frame = fDepth.Add(aFrame, 0, 0, 0, 0);
            auto mesh = std::make_unique<Mesh>();
            mesh->name = aFrame;
            mesh->format = 1;
            mesh->weld = false;
            mesh->materials.push_back({0.5f, 0.5f, 0.5f, ""});
            mesh->subsets.resize(1);
            fDepth.frames[static_cast<std::size_t>(frame)].mesh = std::move(mesh);
        }
        return *fDepth.frames[static_cast<std::size_t>(frame)].mesh;
    }

    Mesh fRender;
    Model fRenderModel;
    Model fDepth;
};

// A framed picture on a wall of constant x.
void PictureOnXWall(Room& aRoom, float aX, float aFacing, float aZ0, float aZ1, float aY0, float aY1,
                    int aFrame, int aCanvas, int aDetail) {
    const float in = aFacing;
    aRoom.OnXWall("", aFrame, aX + 0.4f * in, aFacing, aZ0, aZ1, aY0, aY1);
    aRoom.OnXWall("", aCanvas, aX + 0.8f * in, aFacing, aZ0 + 3, aZ1 - 3, aY0 + 3, aY1 - 3);
    const float mid = 0.5f * (aY0 + aY1);
    aRoom.OnXWall("", aDetail, aX + 1.0f * in, aFacing, aZ0 + 3, aZ1 - 3, aY0 + 3, mid - 2);
}

// ---- the lobby ---------------------------------------------------------------

// The lobby spans x -260..260 and z 0..420 (the floor and side walls run on
// to z -100, behind the entrance camera); the back wall stands at z 420.
Room Lobby() {
    Room room;
    const int cream = room.Paint({0.8f, 0.74f, 0.6f});
    const int terracotta = room.Paint({0.62f, 0.36f, 0.27f});
    const int wall = room.Paint({0.84f, 0.78f, 0.58f});
    const int wainscot = room.Paint({0.38f, 0.23f, 0.14f});
    const int rail = room.Paint({0.55f, 0.37f, 0.22f});
    const int ceiling = room.Paint({0.9f, 0.88f, 0.82f}, 0.3f);
    const int lamp = room.Paint({1.0f, 1.0f, 0.92f}, 0.7f);
    const int desk = room.Paint({0.45f, 0.27f, 0.16f});
    const int counter = room.Paint({0.24f, 0.24f, 0.27f});
    const int brass = room.Paint({0.78f, 0.62f, 0.28f});
    const int marble = room.Paint({0.86f, 0.84f, 0.8f});
    const int stone = room.Paint({0.52f, 0.47f, 0.42f});
    const int door = room.Paint({0.33f, 0.19f, 0.11f});
    const int frame = room.Paint({0.92f, 0.9f, 0.84f});
    const int glass = room.Paint({0.62f, 0.77f, 0.88f}, 0.25f);
    const int rug = room.Paint({0.14f, 0.3f, 0.36f});
    const int rugBorder = room.Paint({0.72f, 0.58f, 0.3f});
    const int pot = room.Paint({0.56f, 0.3f, 0.2f});
    const int leaves = room.Paint({0.2f, 0.46f, 0.22f});
    const int leavesLight = room.Paint({0.3f, 0.58f, 0.27f});
    const int canvas = room.Paint({0.22f, 0.36f, 0.32f});
    const int canvasSky = room.Paint({0.66f, 0.58f, 0.42f});
    const int bench = room.Paint({0.42f, 0.26f, 0.15f});

    const float x0 = -260.0f;
    const float x1 = 260.0f;
    const float front = -100.0f;
    const float back = 420.0f;
    const float top = 150.0f;
    room.Floor(cream, terracotta, x0, x1, front, back, 40.0f, false);
    room.Level("", ceiling, top, -1.0f, x0, x1, front, back);
    for (float z : {60.0f, 220.0f, 360.0f}) {
        room.Level("", lamp, top - 0.5f, -1.0f, -40.0f, 40.0f, z - 15.0f, z + 15.0f);
    }
    // The three walls: plaster above a wooden wainscot with a rail.
    room.OnXWall("WS_walls", wall, x0, 1.0f, front, back, 0.0f, top);
    room.OnXWall("WS_walls", wall, x1, -1.0f, front, back, 0.0f, top);
    room.OnZWall("WS_walls", wall, back, -1.0f, x0, x1, 0.0f, top);
    room.OnXWall("", wainscot, x0 + 0.3f, 1.0f, front, back, 0.0f, 36.0f);
    room.OnXWall("", wainscot, x1 - 0.3f, -1.0f, front, back, 0.0f, 36.0f);
    room.OnZWall("", wainscot, back - 0.3f, -1.0f, x0, x1, 0.0f, 36.0f);
    room.OnXWall("", rail, x0 + 0.6f, 1.0f, front, back, 36.0f, 40.0f);
    room.OnXWall("", rail, x1 - 0.6f, -1.0f, front, back, 36.0f, 40.0f);
    room.OnZWall("", rail, back - 0.6f, -1.0f, x0, x1, 36.0f, 40.0f);

    // The door to the office, in the back wall's left part.
    room.OnZWall("", frame, back - 1.0f, -1.0f, -206.0f, -134.0f, 0.0f, 96.0f);
    room.OnZWall("", door, back - 1.5f, -1.0f, -200.0f, -140.0f, 0.0f, 90.0f);
    room.Box("", brass, {-150.0f, 40.0f, back - 4.0f}, {-146.0f, 44.0f, back - 1.5f});

    // The tall window in the left wall.
    room.OnXWall("", frame, x0 + 1.0f, 1.0f, 250.0f, 350.0f, 44.0f, 130.0f);
    room.OnXWall("", glass, x0 + 1.5f, 1.0f, 254.0f, 346.0f, 48.0f, 126.0f);
    room.OnXWall("", frame, x0 + 2.0f, 1.0f, 298.0f, 302.0f, 48.0f, 126.0f);

    // Paintings on the right wall.
    PictureOnXWall(room, x1, -1.0f, 60.0f, 140.0f, 60.0f, 110.0f, brass, canvasSky, canvas);
    PictureOnXWall(room, x1, -1.0f, 180.0f, 230.0f, 55.0f, 115.0f, brass, canvas, canvasSky);

    // The reception desk, its counter top and the key board behind it.
    room.Box("WC_desk", desk, {50.0f, 0.0f, 290.0f}, {210.0f, 44.0f, 330.0f});
    room.Box("", counter, {47.0f, 44.0f, 287.0f}, {213.0f, 47.0f, 333.0f});
    room.Box("", brass, {110.0f, 20.0f, 289.0f}, {150.0f, 30.0f, 290.0f});
    room.OnZWall("", desk, back - 1.0f, -1.0f, 80.0f, 180.0f, 62.0f, 112.0f);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 6; ++column) {
            const float x = 90.0f + 16.0f * static_cast<float>(column);
            const float y = 70.0f + 14.0f * static_cast<float>(row);
            room.Box("", brass, {x, y, back - 3.0f}, {x + 3.0f, y + 5.0f, back - 1.0f});
        }
    }

    // The marble pillar on its stone base.
    room.Box("WN_pillar", marble, {-52.0f, 0.0f, 188.0f}, {-28.0f, top, 212.0f});
    room.Box("", stone, {-56.0f, 0.0f, 184.0f}, {-24.0f, 8.0f, 216.0f});
    room.Box("", stone, {-56.0f, top - 8.0f, 184.0f}, {-24.0f, top, 216.0f});

    // The rug before the desk, with its border.
    room.Level("", rugBorder, 0.2f, 1.0f, -20.0f, 140.0f, 120.0f, 250.0f);
    room.Level("", rug, 0.4f, 1.0f, -14.0f, 134.0f, 126.0f, 244.0f);

    // The bench under the window, and a potted plant by the right wall.
    room.Box("WC_bench", bench, {-256.0f, 15.0f, 240.0f}, {-226.0f, 19.0f, 360.0f});
    for (float z : {244.0f, 352.0f}) {
        room.Box("WC_bench", bench, {-254.0f, 0.0f, z}, {-228.0f, 15.0f, z + 4.0f});
    }
    room.Box("WC_plant", pot, {210.0f, 0.0f, 110.0f}, {240.0f, 24.0f, 140.0f});
    room.Box("", leaves, {206.0f, 24.0f, 106.0f}, {244.0f, 52.0f, 144.0f});
    room.Box("", leavesLight, {214.0f, 52.0f, 114.0f}, {236.0f, 70.0f, 136.0f});
    return room;
}

// ---- the office --------------------------------------------------------------

// The office spans x -200..200 and z -80..320 (the back wall); the camera
// stands in its front right corner.
Room Office() {
    Room room;
    const int plank = room.Paint({0.55f, 0.36f, 0.2f});
    const int plankDark = room.Paint({0.49f, 0.31f, 0.17f});
    const int wall = room.Paint({0.7f, 0.76f, 0.7f});
    const int skirting = room.Paint({0.3f, 0.2f, 0.13f});
    const int ceiling = room.Paint({0.88f, 0.88f, 0.84f}, 0.3f);
    const int desk = room.Paint({0.4f, 0.23f, 0.12f});
    const int leather = room.Paint({0.2f, 0.12f, 0.09f});
    const int paper = room.Paint({0.95f, 0.94f, 0.9f});
    const int lampShade = room.Paint({0.85f, 0.7f, 0.35f}, 0.35f);
    const int metal = room.Paint({0.5f, 0.52f, 0.56f});
    const int metalDark = room.Paint({0.32f, 0.33f, 0.36f});
    const int rug = room.Paint({0.5f, 0.14f, 0.12f});
    const int rugBorder = room.Paint({0.78f, 0.66f, 0.42f});
    const int glass = room.Paint({0.66f, 0.8f, 0.9f}, 0.3f);
    const int blind = room.Paint({0.92f, 0.9f, 0.82f});
    const int door = room.Paint({0.36f, 0.2f, 0.12f});
    const int frame = room.Paint({0.9f, 0.88f, 0.82f});
    const int brass = room.Paint({0.78f, 0.62f, 0.28f});
    const int shelf = room.Paint({0.34f, 0.2f, 0.11f});
    const int bookRed = room.Paint({0.6f, 0.15f, 0.12f});
    const int bookBlue = room.Paint({0.16f, 0.25f, 0.5f});
    const int bookGreen = room.Paint({0.2f, 0.42f, 0.25f});

    const float x0 = -200.0f;
    const float x1 = 200.0f;
    const float front = -80.0f;
    const float back = 320.0f;
    const float top = 130.0f;
    room.Floor(plank, plankDark, x0, x1, front, back, 16.0f, true);
    room.Level("", ceiling, top, -1.0f, x0, x1, front, back);
    room.OnXWall("WS_walls", wall, x0, 1.0f, front, back, 0.0f, top);
    room.OnXWall("WS_walls", wall, x1, -1.0f, front, back, 0.0f, top);
    room.OnZWall("WS_walls", wall, back, -1.0f, x0, x1, 0.0f, top);
    room.OnXWall("", skirting, x0 + 0.3f, 1.0f, front, back, 0.0f, 6.0f);
    room.OnXWall("", skirting, x1 - 0.3f, -1.0f, front, back, 0.0f, 6.0f);
    room.OnZWall("", skirting, back - 0.3f, -1.0f, x0, x1, 0.0f, 6.0f);

    // The window behind the desk, its blinds half down.
    room.OnZWall("", frame, back - 0.5f, -1.0f, -110.0f, 10.0f, 40.0f, 112.0f);
    room.OnZWall("", glass, back - 1.0f, -1.0f, -106.0f, 6.0f, 44.0f, 108.0f);
    for (int slat = 0; slat < 8; ++slat) {
        const float y = 106.0f - 4.0f * static_cast<float>(slat);
        room.OnZWall("", blind, back - 1.5f, -1.0f, -106.0f, 6.0f, y - 2.5f, y);
    }

    // The door back to the lobby, in the left wall.
    room.OnXWall("", frame, x0 + 0.5f, 1.0f, 104.0f, 176.0f, 0.0f, 96.0f);
    room.OnXWall("", door, x0 + 1.0f, 1.0f, 110.0f, 170.0f, 0.0f, 90.0f);
    room.Box("", brass, {x0 + 1.0f, 40.0f, 160.0f}, {x0 + 4.0f, 44.0f, 164.0f});

    // The bookcase against the left wall, nearer the back.
    room.Box("WC_bookcase", shelf, {x0, 0.0f, 210.0f}, {x0 + 16.0f, 96.0f, 290.0f});
    const int books[3] = {bookRed, bookBlue, bookGreen};
    for (int level = 0; level < 4; ++level) {
        const float y = 6.0f + 22.0f * static_cast<float>(level);
        for (int i = 0; i < 6; ++i) {
            const float z = 214.0f + 12.0f * static_cast<float>(i);
            room.Box("", books[(level + i) % 3], {x0 + 16.0f, y, z}, {x0 + 17.0f, y + 15.0f, z + 10.0f});
        }
    }

    // The rug, the desk with its papers and lamp, the chair behind it.
    room.Level("", rugBorder, 0.2f, 1.0f, -150.0f, 70.0f, 110.0f, 300.0f);
    room.Level("", rug, 0.4f, 1.0f, -144.0f, 64.0f, 116.0f, 294.0f);
    room.Box("WC_desk", desk, {-110.0f, 0.0f, 200.0f}, {10.0f, 30.0f, 240.0f});
    room.Box("", desk, {-112.0f, 30.0f, 198.0f}, {12.0f, 32.0f, 242.0f});
    room.Level("", paper, 32.3f, 1.0f, -40.0f, -24.0f, 212.0f, 224.0f);
    room.Level("", paper, 32.3f, 1.0f, -18.0f, -4.0f, 208.0f, 222.0f);
    room.Box("", metalDark, {-66.0f, 32.0f, 216.0f}, {-54.0f, 34.0f, 228.0f});
    room.Box("", metalDark, {-61.0f, 34.0f, 221.0f}, {-59.0f, 44.0f, 223.0f});
    room.Box("", lampShade, {-67.0f, 44.0f, 215.0f}, {-53.0f, 52.0f, 229.0f});
    room.Box("WC_chair", leather, {-66.0f, 16.0f, 248.0f}, {-34.0f, 20.0f, 276.0f});
    room.Box("WC_chair", leather, {-66.0f, 20.0f, 272.0f}, {-34.0f, 50.0f, 276.0f});
    room.Box("WC_chair", metalDark, {-52.0f, 0.0f, 260.0f}, {-48.0f, 16.0f, 264.0f});

    // The filing cabinet against the back wall, right of the window.
    room.Box("WC_cabinet", metal, {70.0f, 0.0f, 276.0f}, {110.0f, 56.0f, 316.0f});
    for (int drawer = 0; drawer < 3; ++drawer) {
        const float y = 6.0f + 17.0f * static_cast<float>(drawer);
        room.Box("", metalDark, {74.0f, y, 274.0f}, {106.0f, y + 14.0f, 276.0f});
        room.Box("", brass, {86.0f, y + 9.0f, 272.0f}, {94.0f, y + 11.0f, 274.0f});
    }
    return room;
}

// ---- the precinct's squad room ---------------------------------------------

// The squad room spans x -240..240 and z -80..360 (the back wall); the
// camera stands at the front left. Two rows of desks face the back wall,
// with the lieutenant's glass office in the back right corner.
Room Precinct() {
    Room room;
    const int lino = room.Paint({0.46f, 0.48f, 0.42f});
    const int linoDark = room.Paint({0.4f, 0.42f, 0.37f});
    const int wall = room.Paint({0.62f, 0.66f, 0.58f});
    const int wallLow = room.Paint({0.36f, 0.42f, 0.38f});
    const int ceiling = room.Paint({0.86f, 0.86f, 0.8f}, 0.3f);
    const int lamp = room.Paint({1.0f, 1.0f, 0.9f}, 0.7f);
    const int desk = room.Paint({0.42f, 0.3f, 0.2f});
    const int deskTop = room.Paint({0.3f, 0.31f, 0.3f});
    const int machine = room.Paint({0.16f, 0.17f, 0.18f});
    const int paper = room.Paint({0.94f, 0.93f, 0.88f});
    const int metal = room.Paint({0.47f, 0.5f, 0.5f});
    const int metalDark = room.Paint({0.3f, 0.32f, 0.33f});
    const int cork = room.Paint({0.62f, 0.46f, 0.28f});
    const int noteRed = room.Paint({0.75f, 0.25f, 0.2f});
    const int noteYellow = room.Paint({0.9f, 0.82f, 0.42f});
    const int glass = room.Paint({0.62f, 0.74f, 0.8f}, 0.25f);
    const int frame = room.Paint({0.28f, 0.22f, 0.16f});
    const int blind = room.Paint({0.86f, 0.84f, 0.74f});
    const int door = room.Paint({0.32f, 0.24f, 0.16f});
    const int brass = room.Paint({0.78f, 0.62f, 0.28f});
    const int water = room.Paint({0.55f, 0.72f, 0.86f}, 0.2f);

    const float x0 = -240.0f;
    const float x1 = 240.0f;
    const float front = -80.0f;
    const float back = 360.0f;
    const float top = 140.0f;
    room.Floor(lino, linoDark, x0, x1, front, back, 30.0f, false);
    room.Level("", ceiling, top, -1.0f, x0, x1, front, back);
    for (float z : {60.0f, 200.0f, 320.0f}) {
        for (float x : {-120.0f, 60.0f}) {
            room.Level("", lamp, top - 0.5f, -1.0f, x - 30.0f, x + 30.0f, z - 8.0f, z + 8.0f);
        }
    }
    room.OnXWall("WS_walls", wall, x0, 1.0f, front, back, 0.0f, top);
    room.OnXWall("WS_walls", wall, x1, -1.0f, front, back, 0.0f, top);
    room.OnZWall("WS_walls", wall, back, -1.0f, x0, x1, 0.0f, top);
    room.OnXWall("", wallLow, x0 + 0.3f, 1.0f, front, back, 0.0f, 40.0f);
    room.OnXWall("", wallLow, x1 - 0.3f, -1.0f, front, back, 0.0f, 40.0f);
    room.OnZWall("", wallLow, back - 0.3f, -1.0f, x0, x1, 0.0f, 40.0f);

    // The noticeboard on the back wall, pinned with notes.
    room.OnZWall("", frame, back - 0.5f, -1.0f, -150.0f, -30.0f, 58.0f, 118.0f);
    room.OnZWall("", cork, back - 1.0f, -1.0f, -146.0f, -34.0f, 62.0f, 114.0f);
    for (int i = 0; i < 6; ++i) {
        const float x = -138.0f + 18.0f * static_cast<float>(i);
        const float y = 70.0f + 14.0f * static_cast<float>(i % 3);
        room.OnZWall("", i % 2 == 0 ? paper : (i % 3 == 0 ? noteRed : noteYellow), back - 1.5f, -1.0f, x,
                     x + 12.0f, y, y + 14.0f);
    }

    // The door to the corridor in the left wall.
    room.OnXWall("", frame, x0 + 0.5f, 1.0f, 80.0f, 156.0f, 0.0f, 98.0f);
    room.OnXWall("", door, x0 + 1.0f, 1.0f, 86.0f, 150.0f, 0.0f, 92.0f);
    room.Box("", brass, {x0 + 1.0f, 42.0f, 140.0f}, {x0 + 4.0f, 46.0f, 144.0f});

    // Windows with blinds in the right wall.
    for (float z : {20.0f, 150.0f}) {
        room.OnXWall("", frame, x1 - 0.5f, -1.0f, z, z + 90.0f, 48.0f, 118.0f);
        room.OnXWall("", glass, x1 - 1.0f, -1.0f, z + 4.0f, z + 86.0f, 52.0f, 114.0f);
        for (int slat = 0; slat < 6; ++slat) {
            const float y = 112.0f - 5.0f * static_cast<float>(slat);
            room.OnXWall("", blind, x1 - 1.5f, -1.0f, z + 4.0f, z + 86.0f, y - 3.0f, y);
        }
    }

    // The lieutenant's glass office in the back right corner.
    room.Box("WC_office", frame, {110.0f, 0.0f, 260.0f}, {113.0f, 110.0f, back});
    room.Box("WC_office", frame, {110.0f, 0.0f, 257.0f}, {x1, 110.0f, 260.0f});
    room.OnXWall("", glass, 109.0f, -1.0f, 262.0f, back - 4.0f, 36.0f, 104.0f);
    room.OnZWall("", glass, 256.0f, -1.0f, 116.0f, x1 - 4.0f, 36.0f, 104.0f);

    // Two rows of desks, each with a typewriter, papers and a lamp.
    int n = 0;
    for (float z : {100.0f, 200.0f}) {
        for (float x : {-170.0f, -40.0f}) {
            const std::string frameName = "WC_desk" + std::to_string(n++);
            room.Box(frameName, desk, {x, 0.0f, z}, {x + 90.0f, 30.0f, z + 44.0f});
            room.Box("", deskTop, {x - 2.0f, 30.0f, z - 2.0f}, {x + 92.0f, 32.0f, z + 46.0f});
            room.Box("", machine, {x + 30.0f, 32.0f, z + 14.0f}, {x + 54.0f, 40.0f, z + 32.0f});
            room.Level("", paper, 32.3f, 1.0f, x + 62.0f, x + 78.0f, z + 8.0f, z + 20.0f);
            room.Box("", metalDark, {x + 10.0f, 32.0f, z + 30.0f}, {x + 14.0f, 46.0f, z + 34.0f});
            room.Box("", brass, {x + 6.0f, 46.0f, z + 26.0f}, {x + 18.0f, 52.0f, z + 38.0f});
        }
    }

    // Filing cabinets along the left wall, and the water cooler.
    for (int i = 0; i < 3; ++i) {
        const float z = 230.0f + 40.0f * static_cast<float>(i);
        room.Box("WC_cabinets", metal, {x0, 0.0f, z}, {x0 + 30.0f, 60.0f, z + 36.0f});
        for (int drawer = 0; drawer < 3; ++drawer) {
            const float y = 6.0f + 18.0f * static_cast<float>(drawer);
            room.Box("", brass, {x0 + 30.0f, y + 9.0f, z + 14.0f}, {x0 + 32.0f, y + 11.0f, z + 22.0f});
        }
    }
    room.Box("WC_cooler", metal, {180.0f, 0.0f, 40.0f}, {200.0f, 44.0f, 60.0f});
    room.Box("", water, {182.0f, 44.0f, 42.0f}, {198.0f, 66.0f, 58.0f});
    return room;
}

// ---- the small rooms of the other scenes -------------------------------------

// One piece of furniture of a small room: a box in a colour (with light of
// its own when aGlow is above 0), in the depth mesh under its frame name
// when it has one.
struct Piece {
    const char* depth;
    Colour colour;
    Vec min;
    Vec max;
    float glow;
};

// The look of a small room: the floor's two tiles (aTile across, stripes or
// a checkerboard), the walls above and below the rail, and its furniture.
struct SmallRoomLook {
    Colour floor;
    Colour floorAlt;
    float tile;
    bool stripes;
    Colour wall;
    Colour wallLow;
    std::vector<Piece> pieces;
};

// Every small room spans x -200..200 and z -80..320 (the back wall), 130
// high, with a door in the left wall and a window in the right one. Its
// cameras, walkable ground and waypoints come from tools/make_case_rooms.py,
// which keeps the walkable ground (z below 250, x within 130) clear of the
// furniture and finds the hotspots on the furniture it names; change a
// piece here and there together.
Room SmallRoom(const SmallRoomLook& aLook) {
    Room room;
    const int floor = room.Paint(aLook.floor);
    const int floorAlt = room.Paint(aLook.floorAlt);
    const int wall = room.Paint(aLook.wall);
    const int wallLow = room.Paint(aLook.wallLow);
    const int ceiling = room.Paint({0.88f, 0.87f, 0.82f}, 0.3f);
    const int frame = room.Paint({0.9f, 0.88f, 0.82f});
    const int door = room.Paint({0.34f, 0.21f, 0.12f});
    const int glass = room.Paint({0.64f, 0.78f, 0.9f}, 0.3f);
    const float x0 = -200.0f;
    const float x1 = 200.0f;
    const float front = -80.0f;
    const float back = 320.0f;
    const float top = 130.0f;
    room.Floor(floor, floorAlt, x0, x1, front, back, aLook.tile, aLook.stripes);
    room.Level("", ceiling, top, -1.0f, x0, x1, front, back);
    room.OnXWall("WS_walls", wall, x0, 1.0f, front, back, 0.0f, top);
    room.OnXWall("WS_walls", wall, x1, -1.0f, front, back, 0.0f, top);
    room.OnZWall("WS_walls", wall, back, -1.0f, x0, x1, 0.0f, top);
    room.OnXWall("", wallLow, x0 + 0.3f, 1.0f, front, back, 0.0f, 34.0f);
    room.OnXWall("", wallLow, x1 - 0.3f, -1.0f, front, back, 0.0f, 34.0f);
    room.OnZWall("", wallLow, back - 0.3f, -1.0f, x0, x1, 0.0f, 34.0f);
    room.OnXWall("", frame, x0 + 0.5f, 1.0f, 34.0f, 116.0f, 0.0f, 96.0f);
    room.OnXWall("", door, x0 + 1.0f, 1.0f, 40.0f, 110.0f, 0.0f, 90.0f);
    room.OnXWall("", frame, x1 - 0.5f, -1.0f, 40.0f, 130.0f, 46.0f, 116.0f);
    room.OnXWall("", glass, x1 - 1.0f, -1.0f, 44.0f, 126.0f, 50.0f, 112.0f);
    for (const Piece& piece : aLook.pieces) {
        room.Box(piece.depth, room.Paint(piece.colour, piece.glow), piece.min, piece.max);
    }
    return room;
}

constexpr Colour kWood = {0.42f, 0.26f, 0.15f};
constexpr Colour kDarkWood = {0.28f, 0.17f, 0.1f};
constexpr Colour kLinen = {0.88f, 0.87f, 0.82f};
constexpr Colour kMetal = {0.5f, 0.52f, 0.55f};
constexpr Colour kDarkMetal = {0.26f, 0.27f, 0.3f};
constexpr Colour kBrass = {0.78f, 0.62f, 0.28f};

// A bed against the back wall from aX0 to aX1: frame, mattress, blanket and
// headboard.
void AddBed(std::vector<Piece>* apPieces, float aX0, float aX1, const Colour& aBlanket) {
    apPieces->push_back({"WC_bed", kWood, {aX0, 0.0f, 250.0f}, {aX1, 20.0f, 318.0f}, 0.0f});
    apPieces->push_back({"", kLinen, {aX0 + 2.0f, 20.0f, 252.0f}, {aX1 - 2.0f, 28.0f, 316.0f}, 0.0f});
    apPieces->push_back({"", aBlanket, {aX0 + 1.0f, 26.0f, 252.0f}, {aX1 - 1.0f, 30.0f, 292.0f}, 0.0f});
    apPieces->push_back({"", kDarkWood, {aX0, 0.0f, 314.0f}, {aX1, 62.0f, 319.0f}, 0.0f});
}

SmallRoomLook HotelRoom() {
    SmallRoomLook look{{0.46f, 0.2f, 0.2f},  {0.42f, 0.18f, 0.18f}, 40.0f, false,
                       {0.78f, 0.72f, 0.6f}, {0.44f, 0.3f, 0.2f},   {}};
    AddBed(&look.pieces, -170.0f, -40.0f, {0.52f, 0.12f, 0.12f});
    // The room service cart with its tray, by the right wall.
    look.pieces.push_back({"WC_cart", kMetal, {120.0f, 0.0f, 255.0f}, {180.0f, 38.0f, 295.0f}, 0.0f});
    look.pieces.push_back(
        {"", {0.85f, 0.85f, 0.88f}, {124.0f, 38.0f, 259.0f}, {176.0f, 42.0f, 291.0f}, 0.1f});
    look.pieces.push_back({"WC_stand", kWood, {-20.0f, 0.0f, 286.0f}, {20.0f, 30.0f, 318.0f}, 0.0f});
    return look;
}

SmallRoomLook Brownstone() {
    SmallRoomLook look{{0.5f, 0.33f, 0.2f},  {0.45f, 0.29f, 0.17f}, 14.0f, true,
                       {0.6f, 0.52f, 0.44f}, {0.3f, 0.22f, 0.16f},  {}};
    // The fireplace in the back wall, the sofa and the bookcase.
    look.pieces.push_back(
        {"WC_fireplace", {0.55f, 0.27f, 0.2f}, {-60.0f, 0.0f, 300.0f}, {60.0f, 80.0f, 320.0f}, 0.0f});
    look.pieces.push_back({"", {0.08f, 0.06f, 0.05f}, {-35.0f, 0.0f, 298.0f}, {35.0f, 45.0f, 300.0f}, 0.0f});
    look.pieces.push_back({"", {0.9f, 0.5f, 0.2f}, {-25.0f, 2.0f, 299.0f}, {25.0f, 12.0f, 301.0f}, 0.6f});
    look.pieces.push_back(
        {"WC_sofa", {0.2f, 0.34f, 0.24f}, {-195.0f, 0.0f, 160.0f}, {-150.0f, 32.0f, 290.0f}, 0.0f});
    look.pieces.push_back({"WC_bookcase", kDarkWood, {155.0f, 0.0f, 200.0f}, {198.0f, 110.0f, 300.0f}, 0.0f});
    return look;
}

SmallRoomLook VictimsHotel() {
    SmallRoomLook look{{0.34f, 0.36f, 0.46f}, {0.3f, 0.32f, 0.42f}, 40.0f, false,
                       {0.82f, 0.8f, 0.7f},   {0.3f, 0.32f, 0.4f},  {}};
    AddBed(&look.pieces, 40.0f, 190.0f, {0.2f, 0.3f, 0.55f});
    look.pieces.push_back(
        {"WC_suitcase", {0.45f, 0.3f, 0.18f}, {-192.0f, 0.0f, 180.0f}, {-152.0f, 24.0f, 240.0f}, 0.0f});
    look.pieces.push_back({"WC_desk", kWood, {-130.0f, 0.0f, 280.0f}, {-20.0f, 32.0f, 318.0f}, 0.0f});
    return look;
}

SmallRoomLook CastilloSecretApt() {
    SmallRoomLook look{{0.3f, 0.24f, 0.2f},  {0.27f, 0.21f, 0.18f}, 16.0f, true,
                       {0.5f, 0.42f, 0.48f}, {0.26f, 0.2f, 0.24f},  {}};
    // The painting on the back wall, the bed and the dresser.
    look.pieces.push_back({"", kBrass, {-46.0f, 48.0f, 317.0f}, {46.0f, 112.0f, 320.0f}, 0.0f});
    look.pieces.push_back({"", {0.2f, 0.3f, 0.4f}, {-40.0f, 54.0f, 316.0f}, {40.0f, 106.0f, 317.0f}, 0.1f});
    AddBed(&look.pieces, 60.0f, 190.0f, {0.4f, 0.12f, 0.3f});
    look.pieces.push_back({"WC_dresser", kWood, {-196.0f, 0.0f, 180.0f}, {-160.0f, 50.0f, 260.0f}, 0.0f});
    return look;
}

SmallRoomLook FranksApt() {
    SmallRoomLook look{{0.55f, 0.45f, 0.32f}, {0.5f, 0.4f, 0.28f},  12.0f, true,
                       {0.7f, 0.74f, 0.66f},  {0.4f, 0.44f, 0.36f}, {}};
    AddBed(&look.pieces, -190.0f, -60.0f, {0.3f, 0.4f, 0.26f});
    // The dresser with the lock box on it.
    look.pieces.push_back({"WC_dresser", kWood, {60.0f, 0.0f, 284.0f}, {160.0f, 50.0f, 318.0f}, 0.0f});
    look.pieces.push_back({"", kDarkMetal, {90.0f, 50.0f, 290.0f}, {130.0f, 66.0f, 310.0f}, 0.0f});
    look.pieces.push_back({"", kBrass, {108.0f, 56.0f, 288.0f}, {112.0f, 60.0f, 290.0f}, 0.0f});
    return look;
}

SmallRoomLook CastilloApt() {
    SmallRoomLook look{{0.85f, 0.84f, 0.8f}, {0.25f, 0.25f, 0.27f}, 25.0f, false,
                       {0.84f, 0.8f, 0.56f}, {0.5f, 0.6f, 0.5f},    {}};
    // The counters along the back wall, the fridge, and the safe's hatch
    // in the floor before them.
    look.pieces.push_back(
        {"WC_counter", {0.9f, 0.9f, 0.86f}, {-200.0f, 0.0f, 285.0f}, {120.0f, 40.0f, 320.0f}, 0.0f});
    look.pieces.push_back({"", kDarkMetal, {-200.0f, 40.0f, 283.0f}, {120.0f, 43.0f, 320.0f}, 0.0f});
    look.pieces.push_back({"WC_fridge", kLinen, {150.0f, 0.0f, 220.0f}, {196.0f, 120.0f, 290.0f}, 0.0f});
    look.pieces.push_back({"", kDarkMetal, {-20.0f, 0.0f, 255.0f}, {20.0f, 0.6f, 280.0f}, 0.0f});
    look.pieces.push_back({"", kBrass, {-4.0f, 0.6f, 262.0f}, {4.0f, 1.2f, 264.0f}, 0.0f});
    return look;
}

SmallRoomLook UpsStore() {
    SmallRoomLook look{{0.6f, 0.6f, 0.56f},  {0.55f, 0.55f, 0.5f},  30.0f, false,
                       {0.86f, 0.76f, 0.5f}, {0.36f, 0.24f, 0.14f}, {}};
    // The wall of mailboxes on the left, four rows of six doors, and the
    // counter at the back.
    look.pieces.push_back({"WC_mailboxes", kMetal, {-200.0f, 0.0f, 150.0f}, {-180.0f, 120.0f, 300.0f}, 0.0f});
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column) {
            const float y = 10.0f + 27.0f * static_cast<float>(row);
            const float z = 155.0f + 24.0f * static_cast<float>(column);
            look.pieces.push_back({"",
                                   column % 2 == row % 2 ? kBrass : kDarkMetal,
                                   {-180.0f, y, z},
                                   {-178.5f, y + 22.0f, z + 20.0f},
                                   0.0f});
        }
    }
    look.pieces.push_back(
        {"WC_counter", {0.4f, 0.28f, 0.14f}, {-60.0f, 0.0f, 280.0f}, {170.0f, 44.0f, 318.0f}, 0.0f});
    return look;
}

SmallRoomLook Chase() {
    SmallRoomLook look{{0.9f, 0.9f, 0.9f},   {0.55f, 0.7f, 0.75f},  20.0f, false,
                       {0.72f, 0.82f, 0.8f}, {0.85f, 0.85f, 0.82f}, {}};
    // The kitchen counter with its drawer on the left, the bath on the right.
    look.pieces.push_back({"WC_counter", kWood, {-200.0f, 0.0f, 282.0f}, {0.0f, 40.0f, 320.0f}, 0.0f});
    look.pieces.push_back({"", kDarkWood, {-120.0f, 24.0f, 280.0f}, {-60.0f, 36.0f, 282.0f}, 0.0f});
    look.pieces.push_back({"", kBrass, {-94.0f, 29.0f, 278.0f}, {-86.0f, 31.0f, 280.0f}, 0.0f});
    look.pieces.push_back(
        {"WC_bath", {0.95f, 0.95f, 0.93f}, {90.0f, 0.0f, 255.0f}, {196.0f, 32.0f, 318.0f}, 0.0f});
    return look;
}

SmallRoomLook LisaAptUpstairs() {
    SmallRoomLook look{{0.6f, 0.46f, 0.3f}, {0.55f, 0.42f, 0.27f}, 14.0f, true,
                       {0.86f, 0.7f, 0.7f}, {0.5f, 0.36f, 0.36f},  {}};
    // The top of the stairs on the left, the bed, and the Dravo box on the
    // night stand.
    for (int step = 0; step < 4; ++step) {
        const float z = 160.0f + 30.0f * static_cast<float>(step);
        look.pieces.push_back(
            {"WC_stairs", kDarkWood, {-200.0f, 0.0f, z}, {-150.0f, 40.0f - 10.0f * step, z + 30.0f}, 0.0f});
    }
    AddBed(&look.pieces, 40.0f, 190.0f, {0.6f, 0.3f, 0.4f});
    look.pieces.push_back({"WC_stand", kWood, {-30.0f, 0.0f, 286.0f}, {10.0f, 30.0f, 318.0f}, 0.0f});
    look.pieces.push_back({"", {0.5f, 0.2f, 0.1f}, {-22.0f, 30.0f, 294.0f}, {2.0f, 42.0f, 312.0f}, 0.0f});
    return look;
}

SmallRoomLook StokesUpstairs() {
    SmallRoomLook look{{0.4f, 0.3f, 0.22f},  {0.36f, 0.27f, 0.2f}, 16.0f, true,
                       {0.64f, 0.68f, 0.8f}, {0.3f, 0.32f, 0.42f}, {}};
    AddBed(&look.pieces, -190.0f, -60.0f, {0.5f, 0.45f, 0.2f});
    // The harp by the right wall: its pillar, neck and sound box.
    look.pieces.push_back({"WC_harp", kBrass, {150.0f, 0.0f, 230.0f}, {170.0f, 14.0f, 270.0f}, 0.0f});
    look.pieces.push_back({"", kBrass, {156.0f, 14.0f, 232.0f}, {162.0f, 104.0f, 238.0f}, 0.0f});
    look.pieces.push_back({"", kWood, {156.0f, 14.0f, 262.0f}, {164.0f, 80.0f, 270.0f}, 0.0f});
    look.pieces.push_back({"", kBrass, {156.0f, 96.0f, 232.0f}, {162.0f, 104.0f, 270.0f}, 0.0f});
    return look;
}

// The evidence room of the precinct: eighteen lockers on the back wall, six
// to a row in three rows, the first at the top left, and a standing lamp.
SmallRoomLook EvidenceRoom() {
    SmallRoomLook look{{0.46f, 0.48f, 0.42f}, {0.4f, 0.42f, 0.37f},  30.0f, false,
                       {0.62f, 0.66f, 0.58f}, {0.36f, 0.42f, 0.38f}, {}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 6; ++column) {
            const float x = -180.0f + 60.0f * static_cast<float>(column);
            const float y = 88.0f - 40.0f * static_cast<float>(row);
            look.pieces.push_back({"WC_lockers",
                                   row % 2 == column % 2 ? kMetal : kDarkMetal,
                                   {x, y, 306.0f},
                                   {x + 56.0f, y + 36.0f, 320.0f},
                                   0.0f});
            look.pieces.push_back(
                {"", kBrass, {x + 44.0f, y + 16.0f, 304.0f}, {x + 50.0f, y + 20.0f, 306.0f}, 0.0f});
        }
    }
    // The standing lamp by the right wall.
    look.pieces.push_back({"WC_lamp", kDarkMetal, {172.0f, 0.0f, 200.0f}, {176.0f, 90.0f, 204.0f}, 0.0f});
    look.pieces.push_back(
        {"", {1.0f, 0.95f, 0.75f}, {164.0f, 90.0f, 192.0f}, {184.0f, 104.0f, 212.0f}, 0.7f});
    return look;
}

// ---- the riverbank -------------------------------------------------------------

// The quay by the river where case one begins: cobbles from z -80 to 270,
// the railing along the edge, the river beyond, the far bank and the sky;
// the boathouse on stilts at the back left, its door facing the quay with
// the keypad beside it, a lamp post and a bollard on the right. Its camera
// and walkable ground are those of the small rooms.
Room Riverbank() {
    Room room;
    const int cobble = room.Paint({0.46f, 0.44f, 0.42f});
    const int cobbleDark = room.Paint({0.4f, 0.38f, 0.37f});
    const int water = room.Paint({0.18f, 0.3f, 0.36f}, 0.15f);
    const int bank = room.Paint({0.22f, 0.32f, 0.2f});
    const int sky = room.Paint({0.4f, 0.48f, 0.58f}, 0.35f);
    const int rail = room.Paint({0.2f, 0.2f, 0.22f});
    const int plank = room.Paint({0.4f, 0.28f, 0.18f});
    const int roof = room.Paint({0.3f, 0.16f, 0.12f});
    const int door = room.Paint({0.26f, 0.16f, 0.1f});
    const int keypad = room.Paint({0.16f, 0.16f, 0.18f});
    const int keys = room.Paint({0.8f, 0.8f, 0.7f}, 0.3f);
    const int lamp = room.Paint({1.0f, 0.95f, 0.75f}, 0.7f);
    const int stone = room.Paint({0.5f, 0.47f, 0.42f});
    const float edge = 270.0f;
    room.Floor(cobble, cobbleDark, -400.0f, 400.0f, -80.0f, edge, 20.0f, false);
    room.Level("", water, -12.0f, 1.0f, -1200.0f, 1200.0f, edge, 900.0f);
    room.OnZWall("", stone, edge, -1.0f, -400.0f, 400.0f, -12.0f, 0.0f);
    room.OnZWall("", bank, 900.0f, -1.0f, -1200.0f, 1200.0f, -12.0f, 60.0f);
    room.OnZWall("", sky, 901.0f, -1.0f, -1200.0f, 1200.0f, 60.0f, 900.0f);
    room.Box("WC_rail", rail, {-60.0f, 30.0f, edge - 6.0f}, {400.0f, 33.0f, edge - 3.0f});
    for (float x = -60.0f; x < 400.0f; x += 60.0f) {
        room.Box("WC_rail", rail, {x, 0.0f, edge - 6.0f}, {x + 3.0f, 30.0f, edge - 3.0f});
    }
    // The boathouse: its front wall at z 250 with the door and the keypad.
    room.Box("WS_boathouse", plank, {-260.0f, 0.0f, 250.0f}, {-60.0f, 100.0f, 370.0f});
    room.Box("", roof, {-264.0f, 100.0f, 246.0f}, {-56.0f, 108.0f, 374.0f});
    room.OnZWall("", door, 249.5f, -1.0f, -150.0f, -110.0f, 0.0f, 80.0f);
    room.Box("", keypad, {-100.0f, 40.0f, 246.0f}, {-90.0f, 58.0f, 250.0f});
    room.Box("", keys, {-98.0f, 43.0f, 245.5f}, {-92.0f, 55.0f, 246.0f});
    room.Box("WC_lamp", rail, {150.0f, 0.0f, 180.0f}, {156.0f, 110.0f, 186.0f});
    room.Box("", lamp, {146.0f, 110.0f, 176.0f}, {160.0f, 122.0f, 190.0f});
    room.Box("WC_bollard", rail, {100.0f, 0.0f, 236.0f}, {112.0f, 14.0f, 248.0f});
    return room;
}

// ---- drawing ------------------------------------------------------------------

// A light as the game makes it from a light file's entry.
VoLight LightOf(VoPropertyList& aFile, const VoString& aName) {
    const auto colour = [&aFile, &aName](const char16_t* apKey) {
        const VoVectorFloat values = aFile.GetVectorFloat(aName + VoString(u".") + VoString(apKey), nullptr);
        return VoColor(1.0f, values.GetAt(0), values.GetAt(1), values.GetAt(2));
    };
    const VoString type = aFile.GetString(aName + VoString(u".type"), nullptr);
    VoLight light(type == VoString(u"point") ? VoLight::kPoint : VoLight::kDirectional);
    light.fDiffuse = colour(u"diffuse");
    light.fSpecular = colour(u"specular");
    light.fAmbient = colour(u"ambient");
    if (light.fType == VoLight::kDirectional) {
        const VoVectorFloat d = aFile.GetVectorFloat(aName + VoString(u".direction"), nullptr);
        const float length =
            std::sqrt(d.GetAt(0) * d.GetAt(0) + d.GetAt(1) * d.GetAt(1) + d.GetAt(2) * d.GetAt(2));
        light.fDirection = length > 0.0001f
                               ? VoVector3(d.GetAt(0) / length, d.GetAt(1) / length, d.GetAt(2) / length)
                               : VoVector3(0.0f, 1.0f, 0.0f);
    } else {
        const VoVectorFloat p = aFile.GetVectorFloat(aName + VoString(u".position"), nullptr);
        light.fPosition = VoVector3(p.GetAt(0), p.GetAt(1), p.GetAt(2));
        light.fStartRange = aFile.GetFloat(aName + VoString(u".startrange"), nullptr);
        light.fRange = aFile.GetFloat(aName + VoString(u".endrange"), nullptr);
    }
    return light;
}

bool ListsCamera(VoPropertyList& aFile, const VoString& aName, const VoString& aCamera) {
    const VoVectorString cameras = aFile.GetVectorString(aName + VoString(u".cameras"), nullptr);
    if (cameras.GetCount() > 0 && cameras.GetAt(0).EqualsNoCase(u"all")) {
        return true;
    }
    for (int i = 0; i < cameras.GetCount(); ++i) {
        if (cameras.GetAt(i).EqualsNoCase(aCamera)) {
            return true;
        }
    }
    return false;
}

// As the game lights a camera: device light 0 the global light when it is
// on; the first four lights on for the camera take devices 1 to 4 in file
// order, the global one among them keeping its device dark.
bool ApplyLights(VoIRasterizer* apRasterizer, VoPropertyList& aFile, const VoString& aCamera) {
    bool applied = apRasterizer->SetLighting(true);
    for (std::uint32_t i = 0; i < 8; ++i) {
        applied = apRasterizer->EnableLight(i, false) && applied;
    }
    std::uint32_t picked = 0;
    for (int i = 0; i < aFile.GetCount(); ++i) {
        const VoString name = aFile.GetKeyAt(i);
        if (!aFile.GetBool(name + VoString(u".on"), nullptr)) {
            continue;
        }
        VoLight light = LightOf(aFile, name);
        const bool global = aFile.GetBool(name + VoString(u".global"), nullptr);
        if (global) {
            applied = apRasterizer->SetLight(0, &light) && apRasterizer->EnableLight(0, true) && applied;
        }
        if (picked < 4 && ListsCamera(aFile, name, aCamera)) {
            ++picked;
            if (!global) {
                applied = apRasterizer->SetLight(picked, &light) && apRasterizer->EnableLight(picked, true) &&
                          applied;
            }
        }
    }
    return applied;
}

bool SetCamera(VoPropertyList& aCameras, const VoString& aId, VoCamera* apCamera) {
    const auto point = [&aCameras, &aId](const char16_t* apKey, VoVector3* apOut) {
        bool found = false;
        const VoVectorFloat values = aCameras.GetVectorFloat(aId + VoString(u".") + VoString(apKey), &found);
        *apOut = VoVector3(values.GetAt(0), values.GetAt(1), values.GetAt(2));
        return found && values.GetCount() == 3;
    };
    VoVector3 position;
    VoVector3 target;
    VoVector3 up(0.0f, 1.0f, 0.0f);
    if (!point(u"position", &position) || !point(u"target", &target)) {
        return false;
    }
    point(u"upvector", &up);
    apCamera->SetPosition(position.x, position.y, position.z);
    apCamera->SetTarget(target.x, target.y, target.z);
    apCamera->SetUp(up.x, up.y, up.z);
    return apCamera->SetProjectionFovX(aCameras.GetFloat(aId + VoString(u".fovx"), nullptr),
                                       aCameras.GetFloat(aId + VoString(u".znear"), nullptr),
                                       aCameras.GetFloat(aId + VoString(u".zfar"), nullptr));
}

// The room through the camera, B, G, R, A bytes top row first: the average of
// four draws shifted by a quarter pixel each way.
std::vector<unsigned char> Draw(VoDrawElement* apRoom, VoCamera* apCamera, VoPropertyList& aLights,
                                const VoString& aCameraId) {
    VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    std::vector<unsigned> sum(static_cast<std::size_t>(kWidth * kHeight * 4), 0);
    std::vector<unsigned char> pass(sum.size());
    const float shifts[4][2] = {{-0.25f, -0.25f}, {0.25f, -0.25f}, {-0.25f, 0.25f}, {0.25f, 0.25f}};
    const VoMatrix projection = *apCamera->GetProjectionMatrix();
    for (const auto& shift : shifts) {
        VoMatrix* moved = apCamera->GetProjectionMatrix();
        *moved = projection;
        moved->m[2][0] += 2.0f * shift[0] / static_cast<float>(kWidth);
        moved->m[2][1] -= 2.0f * shift[1] / static_cast<float>(kHeight);
        bool drawn = graphics->BeginScene();
        rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
        drawn = rasterizer->Clear() && drawn;
        drawn = rasterizer->SetCullMode(VoIRasterizer::kCullNone) && drawn;
        drawn = rasterizer->EnableDepthBuffer(true) && drawn;
        drawn = rasterizer->SetAlphaBlending(false) && drawn;
        drawn = rasterizer->SetShadeMode(VoIRasterizer::kShadeGouraud) && drawn;
        drawn = ApplyLights(rasterizer, aLights, aCameraId) && drawn;
        drawn = apCamera->Apply() && drawn;
        drawn = apRoom->Render() && drawn;
        drawn = graphics->EndScene() && drawn;
        drawn = graphics->ReadBackBuffer(0, 0, kWidth, kHeight, pass.data()) && drawn;
        if (!drawn) {
            std::fprintf(stderr, "the engine could not draw the room\n");
            return {};
        }
        for (std::size_t i = 0; i < sum.size(); ++i) {
            sum[i] += pass[i];
        }
    }
    *apCamera->GetProjectionMatrix() = projection;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        pass[i] = static_cast<unsigned char>((sum[i] + 2) / 4);
    }
    return pass;
}

// A 24-bit run-length TGA of the picture (B, G, R, A bytes, top row first):
// runs of two or more equal pixels as run packets, the rest as raw packets,
// at most 128 pixels a packet, no packet across a row's end.
Bytes RunLengthTga(const std::vector<unsigned char>& aPixels) {
    Bytes tga = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    tga.insert(tga.end(), {static_cast<unsigned char>(kWidth & 0xFF), static_cast<unsigned char>(kWidth >> 8),
                           static_cast<unsigned char>(kHeight & 0xFF),
                           static_cast<unsigned char>(kHeight >> 8), 24, 0x20});
    const auto same = [&aPixels](std::size_t aA, std::size_t aB) {
        return aPixels[aA * 4] == aPixels[aB * 4] && aPixels[aA * 4 + 1] == aPixels[aB * 4 + 1] &&
               aPixels[aA * 4 + 2] == aPixels[aB * 4 + 2];
    };
    const auto put = [&tga, &aPixels](std::size_t aPixel) {
        tga.insert(tga.end(), {aPixels[aPixel * 4], aPixels[aPixel * 4 + 1], aPixels[aPixel * 4 + 2]});
    };
    for (int y = 0; y < kHeight; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * kWidth;
        std::size_t x = 0;
        while (x < static_cast<std::size_t>(kWidth)) {
            std::size_t run = 1;
            while (x + run < static_cast<std::size_t>(kWidth) && run < 128 && same(row + x, row + x + run)) {
                ++run;
            }
            if (run >= 2) {
                tga.push_back(static_cast<unsigned char>(0x80 | (run - 1)));
                put(row + x);
                x += run;
                continue;
            }
            std::size_t end = x + 1;
            while (end < static_cast<std::size_t>(kWidth) && end - x < 128 &&
                   (end + 1 >= static_cast<std::size_t>(kWidth) || !same(row + end, row + end + 1))) {
                ++end;
            }
            tga.push_back(static_cast<unsigned char>(end - x - 1));
            for (std::size_t i = x; i < end; ++i) {
                put(row + i);
            }
            x = end;
        }
    }
    return tga;
}

// The depth mesh and every viewpoint's and cut's background of one scene.
bool MakeScene(const std::string& aData, const std::string& aId, const std::string& aDepthName, Room aRoom) {
    const std::string folder = aData + "/scenes/" + aId + "/";
    const VoString path = VoString((std::string("//scenes/") + aId + "/").c_str());
    RawWriter raw;
    const Model& depth = aRoom.GetDepthModel();
    bool saved =
        Save(folder + aDepthName, raw.Model(depth, std::vector<std::uint32_t>(depth.frames.size(), 0)));

    VoPropertyList scene;
    VoPropertyList cameras;
    VoPropertyList lights;
    if (!scene.Load(path + VoString(u"scene.txt"), true) ||
        !cameras.Load(path + VoString(u"cameras.txt"), true) ||
        !lights.Load(path + VoString(u"lights_low.txt"), true)) {
        std::fprintf(stderr, "cannot read the files of %s\n", aId.c_str());
        return false;
    }
    std::unique_ptr<VoDrawElement> room(EngineElement(aRoom.TakeRenderModel()));
    room->Update(nullptr);
    // Every viewpoint's background, then every camera cut's: (camera, file).
    std::vector<std::pair<VoString, VoString>> shots;
    VoPropertyList* viewpoints = scene.GetList(VoString(u"viewpoints"));
    for (int i = 0; viewpoints != nullptr && i < viewpoints->GetCount(); ++i) {
        const VoString viewpoint = viewpoints->GetKeyAt(i);
        shots.emplace_back(viewpoints->GetString(viewpoint + VoString(u".camera.id"), nullptr),
                           viewpoints->GetString(viewpoint + VoString(u".background"), nullptr));
    }
    VoPropertyList* cuts = scene.GetList(VoString(u"cuts"));
    for (int i = 0; cuts != nullptr && i < cuts->GetCount(); ++i) {
        if (VoPropertyList* cut = cuts->GetListAt(i)) {
            shots.emplace_back(cut->GetString(VoString(u"camera"), nullptr),
                               cut->GetString(VoString(u"background"), nullptr));
        }
    }
    for (const auto& shot : shots) {
        const VoString& cameraId = shot.first;
        const VoString& background = shot.second;
        VoCamera camera;
        if (!SetCamera(cameras, cameraId, &camera)) {
            std::fprintf(stderr, "no camera for a viewpoint or cut of %s\n", aId.c_str());
            saved = false;
            continue;
        }
        const std::vector<unsigned char> pixels = Draw(room.get(), &camera, lights, cameraId);
        std::string file;
        for (int c = 0; c < background.GetLength(); ++c) {
            file.push_back(static_cast<char>(background.GetAt(c)));
        }
        saved = !pixels.empty() && Save(folder + file, RunLengthTga(pixels)) && saved;
    }
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data =
        std::filesystem::absolute(argc > 1 ? argv[1] : "data").lexically_normal().string();
    if (!VoStartupCreators::Register()) {
        std::fprintf(stderr, "cannot start the engine\n");
        return 1;
    }
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    if (fileSystem == nullptr ||
        !fileSystem->Mount(VoString(u"//scenes"), VoString((data + "/scenes").c_str()))) {
        std::fprintf(stderr, "cannot mount %s/scenes\n", data.c_str());
        return 1;
    }
    VoIPlatform* platform = VoIPlatform::GetInstance();
    VoPlatformDesc desc;
    desc.fTitle = VoString(u"make_case_scenes");
    desc.fWidth = kWidth;
    desc.fHeight = kHeight;
    desc.fBits = 32;
    desc.fWindowed = true;
    desc.fShowCommand = VoPlatformDesc::kShowHide;
    if (platform == nullptr || !platform->Create(&desc) || VoGraphicsDX9::GetInstance() == nullptr) {
        std::fprintf(stderr, "cannot open the engine's window\n");
        return 1;
    }
    bool saved = MakeScene(data, "case01/lobby", "lobby_depth.lim", Lobby());
    saved = MakeScene(data, "case01/office", "office_depth.lim", Office()) && saved;
    saved = MakeScene(data, "precinct", "precinct_depth.lim", Precinct()) && saved;
    saved = MakeScene(data, "case01/riverbank", "riverbank_depth.lim", Riverbank()) && saved;
    const std::pair<const char*, SmallRoomLook (*)()> rooms[] = {
        {"case02/hotel_room", HotelRoom},
        {"case03/brownstone", Brownstone},
        {"case04/victimshotel", VictimsHotel},
        {"case01/castillosecretapt", CastilloSecretApt},
        {"case01/franksapt", FranksApt},
        {"case01/castilloapt", CastilloApt},
        {"case04/upsstore", UpsStore},
        {"case03/chase", Chase},
        {"case02/lisa_apt_upstairs", LisaAptUpstairs},
        {"case02/stokes_upstairs", StokesUpstairs},
        {"puzzles", EvidenceRoom},
    };
    for (const auto& room : rooms) {
        const std::string id = room.first;
        const std::string name = id.substr(id.find('/') + 1);
        saved = MakeScene(data, id, name + "_depth.lim", SmallRoom(room.second())) && saved;
    }
    delete platform;
    delete VoCleaner::PeekInstance();
    return saved ? 0 : 1;
}
