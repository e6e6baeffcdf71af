// Writes the sample meshes of the data tree and the texture they name:
//
//   data/meshes/sample_cube.lim1            a welded unit cube
//   data/meshes/sample_prop.lim1            a textured crate with a handle
//   data/meshes/sample_scene_depth.lim      a scene's depth mesh (raw form)
//   data/meshes/sample_character.lim1       a skinned character
//   data/meshes/sample_character.lim        the same character, raw form
//   data/textures/sample_prop_crate.tga     the crate's planks
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_sample_meshes
//   build/release/tools/make_sample_meshes data
//
// The models are built and written by tools/SampleModel.h (the ".lim1"
// files through the engine's own writers, the raw ones field by field); the
// character is the one of tools/SampleCharacter.h in its default look. The
// output is the same on every run. The depth mesh is drawn into depth only:
// positions alone (format 1), in the raw form a scene loads it in.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SampleCharacter.h"
#include "SampleModel.h"

namespace {

using namespace sample;

// ---- the samples -------------------------------------------------------------

const Material kWhite{0.9f, 0.9f, 0.9f, ""};

Model Cube() {
    Model model;
    const int root = model.Add("Cube", -1, 0, 0, 0);
    auto mesh = std::make_unique<Mesh>();
    mesh->name = "Cube";
    mesh->materials = {kWhite};
    mesh->subsets.resize(1);
    mesh->AddBox(0, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    model.frames[static_cast<std::size_t>(root)].mesh = std::move(mesh);
    return model;
}

Model Prop() {
    Model model;
    const int crate = model.Add("Prop", -1, 0, 0, 0);
    auto body = std::make_unique<Mesh>();
    body->name = "Crate";
    body->materials = {{1.0f, 1.0f, 1.0f, "sample_prop_crate.tga"}, {0.35f, 0.35f, 0.4f, ""}};
    body->subsets.resize(2);
    body->subsets[1].material = 1;
    body->AddBox(0, {-6, 0, -6}, {6, 12, 6});
    // Two iron bands round the crate.
    body->AddBox(1, {-6.2f, 2, -6.2f}, {6.2f, 3, 6.2f});
    body->AddBox(1, {-6.2f, 9, -6.2f}, {6.2f, 10, 6.2f});
    model.frames[static_cast<std::size_t>(crate)].mesh = std::move(body);
    const int handle = model.Add("Prop_Handle", crate, 0, 12, 0);
    auto grip = std::make_unique<Mesh>();
    grip->name = "Handle";
    grip->materials = {{0.35f, 0.35f, 0.4f, ""}};
    grip->subsets.resize(1);
    grip->AddBox(0, {-3, 0, -0.5f}, {-2, 3, 0.5f});
    grip->AddBox(0, {2, 0, -0.5f}, {3, 3, 0.5f});
    grip->AddBox(0, {-3, 3, -0.5f}, {3, 4, 0.5f});
    model.frames[static_cast<std::size_t>(handle)].mesh = std::move(grip);
    return model;
}

// Positions only, one material per subset, no welding: drawn into depth.
std::unique_ptr<Mesh> DepthMesh(const std::string& aName, int aSubsets) {
    auto mesh = std::make_unique<Mesh>();
    mesh->name = aName;
    mesh->format = 1;
    mesh->weld = false;
    mesh->subsets.resize(static_cast<std::size_t>(aSubsets));
    for (int i = 0; i < aSubsets; ++i) {
        mesh->materials.push_back({0.5f + 0.1f * static_cast<float>(i), 0.5f, 0.5f, ""});
        mesh->subsets[static_cast<std::size_t>(i)].material = i;
    }
    return mesh;
}

// The scene root stands at (10, 0, -5) in the file; the loader moves it to
// the origin and every frame with it.
Model SceneDepth(std::vector<std::uint32_t>* apNoMeshFlags) {
    Model model;
    const int scene = model.Add("Scene", -1, 10, 0, -5);

    // The floor, 20 x 20 at y = 0, in two halves: the second half's indices
    // count from its own first vertex (base 6) and start after the first's.
    const int floor = model.Add("WG_floor", scene, 0, 0, 0);
    auto tiles = DepthMesh("Floor", 2);
    tiles->weld = true;
    for (int half = 0; half < 2; ++half) {
        const float x0 = half == 0 ? -10.0f : 0.0f;
        const std::uint32_t base = half == 0 ? 0u : 6u;
        tiles->subsets[static_cast<std::size_t>(half)].base = base;
        const std::uint32_t first = static_cast<std::uint32_t>(tiles->VertexCount());
        for (float z : {-10.0f, 0.0f, 10.0f}) {
            for (float x : {x0, x0 + 10.0f}) {
                tiles->AddVertex({x, 0, z}, {0, 1, 0}, 0, 0);
            }
        }
        auto& indices = tiles->subsets[static_cast<std::size_t>(half)].indices;
        for (std::uint32_t row = 0; row < 2; ++row) {
            const std::uint32_t a = first + row * 2 - base;
            // Clockwise seen from above: facing +y.
            indices.insert(indices.end(), {a, a + 2, a + 1, a + 1, a + 2, a + 3});
        }
    }
    model.frames[static_cast<std::size_t>(floor)].mesh = std::move(tiles);

    // A ramp up from the floor's far edge: y from 0 at z = 10 to 2 at z = 16.
    const int ramp = model.Add("WG_ramp", scene, 0, 0, 10);
    auto slope = DepthMesh("Ramp", 1);
    const Vec slopeCorners[4] = {{-2, 0, 0}, {-2, 2, 6}, {2, 2, 6}, {2, 0, 0}};
    slope->AddQuad(0, slopeCorners, {0, 3, -1});
    model.frames[static_cast<std::size_t>(ramp)].mesh = std::move(slope);

    const int stage = model.Add("WGS_stage", scene, 6, 0, 6);
    auto platform = DepthMesh("Stage", 1);
    platform->AddBox(0, {-2, 0, -2}, {2, 0.5f, 2});
    model.frames[static_cast<std::size_t>(stage)].mesh = std::move(platform);

    const int pillar = model.Add("WN_pillar", scene, -7.5f, 0, -7.5f);
    auto column = DepthMesh("Pillar", 1);
    column->AddBox(0, {-0.5f, 0, -0.5f}, {0.5f, 6, 0.5f});
    model.frames[static_cast<std::size_t>(pillar)].mesh = std::move(column);

    const int wall = model.Add("WS_wall", scene, -10, 0, 0);
    auto panel = DepthMesh("Wall", 1);
    const Vec wallCorners[4] = {{0, 0, -10}, {0, 8, -10}, {0, 8, 10}, {0, 0, 10}};
    panel->AddQuad(0, wallCorners, {1, 0, 0});
    model.frames[static_cast<std::size_t>(wall)].mesh = std::move(panel);

    // A frame without a mesh grouping the furniture.
    const int props = model.Add("Props", scene, 0, 0, 0);
    const int counter = model.Add("WC_counter", props, 7, 0, -8);
    auto bar = DepthMesh("Counter", 1);
    bar->AddBox(0, {-2, 0, -1}, {2, 2.5f, 1});
    model.frames[static_cast<std::size_t>(counter)].mesh = std::move(bar);
    const int rail = model.Add("WR_rail", props, 2.2f, 0, 10);
    auto bannister = DepthMesh("Rail", 1);
    bannister->AddBox(0, {0, 0, 0}, {0.2f, 3, 6});
    model.frames[static_cast<std::size_t>(rail)].mesh = std::move(bannister);
    const int sign = model.Add("W_sign", props, 0, 4, 9.9f);
    auto board = DepthMesh("Sign", 1);
    const Vec signCorners[4] = {{-1, 0, 0}, {-1, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    board->AddQuad(0, signCorners, {0, 0, -1});
    model.frames[static_cast<std::size_t>(sign)].mesh = std::move(board);

    // The mesh-flag words of the frames without a mesh: the root's 0, the
    // group's 3 (any kind but 1 and 2 means none).
    apNoMeshFlags->assign(model.frames.size(), 0);
    (*apNoMeshFlags)[static_cast<std::size_t>(props)] = 3;
    return model;
}

// A 16 x 16 32-bit TGA (uncompressed, top row first) of crate planks.
Bytes CrateTexture() {
    const int size = 16;
    Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, size, 0, size, 0, 32, 0x28};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool seam = y % 4 == 3;
            const bool frame =
                x == 0 || x == size - 1 || y == 0 || y == size - 1 || x == y || x == size - 1 - y;
            const int shade = frame ? 60 : (seam ? 90 : 150 + ((x * 7 + y * 3) % 5) * 8);
            tga.push_back(static_cast<unsigned char>(shade * 45 / 100));  // blue
            tga.push_back(static_cast<unsigned char>(shade * 75 / 100));  // green
            tga.push_back(static_cast<unsigned char>(shade));             // red
            tga.push_back(255);
        }
    }
    return tga;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string meshes = data + "/meshes/";
    const std::string textures = data + "/textures/";
    std::vector<std::uint32_t> noMeshFlags;
    const Model scene = SceneDepth(&noMeshFlags);
    const Model character = Character(CharacterLook());
    RawWriter raw;
    bool saved = Save(meshes + "sample_cube.lim1", Serialised(Cube()));
    saved = Save(meshes + "sample_prop.lim1", Serialised(Prop())) && saved;
    saved = Save(meshes + "sample_scene_depth.lim", raw.Model(scene, noMeshFlags)) && saved;
    saved = Save(meshes + "sample_character.lim1", Serialised(character)) && saved;
    saved = Save(meshes + "sample_character.lim",
                 raw.Model(character, std::vector<std::uint32_t>(character.frames.size(), 0))) &&
            saved;
    saved = Save(textures + "sample_prop_crate.tga", CrateTexture()) && saved;
    return saved ? 0 : 1;
}
