// Reading models from disk, as a scene change does for every character and
// prop: VoDrawElement::LoadFile on each sample mesh (both forms of the
// sample character) and on a generated 10 MB skinned mesh, and
// VoAnimation::Load on each of the twelve sample animations. The baseline of
// each file opens it, sizes it, reads all of its bytes with one fread into a
// fresh buffer and closes it: what any reader must pay before it decodes.
//
// The 10 MB mesh is written once, by the engine's own writer, into a
// temporary folder: a root frame over 40 bone frames and a skinned mesh of
// 100,000 vertices in eight subsets, with its vertex map, corners and bones
// (one to four per vertex).
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "animation/VoAnimation.h"
#include "container/VoColor.h"
#include "container/VoLog.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "render/VoIndexBuffer.h"
#include "render/VoMaterial.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoFileStream.h"
#include "support/RenderTestSupport.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

const char* const kMeshes[] = {
    "meshes/sample_cube.lim1",      "meshes/sample_prop.lim1",     "meshes/sample_scene_depth.lim",
    "meshes/sample_character.lim1", "meshes/sample_character.lim",
};

const char* const kAnimations[] = {
    "animations/sample_idle.lia1",     "animations/sample_walk.lia1",   "animations/sample_run.lia1",
    "animations/sample_stair_up.lia1", "animations/sa_F/sa_nod.lia1",   "animations/sa_F/sa_point.lia1",
    "animations/sa_F/sa_shrug.lia1",   "animations/sa_F/sa_wave.lia1",  "animations/sa_M/sa_nod.lia1",
    "animations/sa_M/sa_point.lia1",   "animations/sa_M/sa_shrug.lia1", "animations/sa_M/sa_wave.lia1",
};

constexpr int kLargeVertices = 100000;
constexpr int kLargeBones = 40;
constexpr int kLargeSubsets = 8;

std::string DataPath(const char* apName) {
    return std::string(VO_SOURCE_DIR) + "/data/" + apName;
}

// The generated mesh, written on first use; its path.
const std::string& LargeMeshPath() {
    static const std::string path = [] {
        char folder[] = "/tmp/vo_model_benchmark_XXXXXX";
        if (mkdtemp(folder) == nullptr) {
            std::fprintf(stderr, "no temporary folder\n");
            std::abort();
        }
        const std::string made = std::string(folder) + "/large_character.lim1";

        // A grid of vertices, two triangles per cell, cut into subsets by rows.
        constexpr int kColumns = 400;
        constexpr int kRows = kLargeVertices / kColumns;
        std::vector<float> vertices;
        for (int v = 0; v < kLargeVertices; ++v) {
            const float x = static_cast<float>(v % kColumns) * 0.1f;
            const float y = static_cast<float>(v / kColumns) * 0.1f;
            const float record[8] = {x, y, std::sin(x) * 0.5f, 0.0f, 0.0f, 1.0f, x * 0.01f, y * 0.01f};
            vertices.insert(vertices.end(), record, record + 8);
        }
        auto* mesh = new VoSkinMesh();
        mesh->SetName(VoString(u"large"));
        mesh->SetFlags(VoMesh::kIndexed);
        auto* vertexBuffer = new VoVertexBuffer();
        vertexBuffer->Create(5, vertices.data(), kLargeVertices);
        mesh->SetVertexBuffer(vertexBuffer);
        std::vector<std::uint32_t> all;
        const int rowsPerSubset = (kRows - 1) / kLargeSubsets;
        for (int s = 0; s < kLargeSubsets; ++s) {
            std::vector<std::uint32_t> indices;
            for (int row = s * rowsPerSubset; row < (s + 1) * rowsPerSubset; ++row) {
                for (int column = 0; column + 1 < kColumns; ++column) {
                    const auto corner = static_cast<std::uint32_t>(row * kColumns + column);
                    const std::uint32_t cell[6] = {
                        corner,           corner + 1, corner + kColumns, corner + 1, corner + kColumns + 1,
                        corner + kColumns};
                    indices.insert(indices.end(), cell, cell + 6);
                }
            }
            all.insert(all.end(), indices.begin(), indices.end());
            auto* subsetIndices = new VoIndexBuffer();
            subsetIndices->Create(VoIndexBuffer::kFormat32, indices.data(),
                                  static_cast<std::int32_t>(indices.size()));
            auto* subset = new VoMeshSubset();
            subset->SetTriangleCount(static_cast<std::uint32_t>(indices.size() / 3));
            subset->SetVertexCount(static_cast<std::uint32_t>(kLargeVertices));
            subset->SetIndexBuffer(subsetIndices);
            VoMaterial material;
            material.SetDiffuse(VoColor(0.5f, 0.5f, 0.5f, 1.0f));
            subset->SetMaterial(material);
            mesh->AddSubset(subset);
        }
        auto* meshIndices = new VoIndexBuffer();
        meshIndices->Create(VoIndexBuffer::kFormat32, all.data(), static_cast<std::int32_t>(all.size()));
        mesh->SetIndexBuffer(meshIndices);
        std::vector<std::int32_t> map(static_cast<std::size_t>(kLargeVertices));
        for (int v = 0; v < kLargeVertices; ++v) {
            map[static_cast<std::size_t>(v)] = v;
        }
        mesh->SetVertexMap(kLargeVertices, map.data());
        mesh->SetCorners(static_cast<std::int32_t>(all.size()), all.data());

        mesh->CreateBones(kLargeBones);
        for (int b = 0; b < kLargeBones; ++b) {
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            for (int v = 0; v < kLargeVertices; ++v) {
                const int count = 1 + v % 4;
                for (int j = 0; j < count; ++j) {
                    if ((v * 7 + j * 13) % kLargeBones == b) {
                        indices.push_back(static_cast<std::uint32_t>(v));
                        weights.push_back(1.0f / static_cast<float>(count));
                    }
                }
            }
            VoBone* bone = mesh->GetBone(static_cast<std::uint32_t>(b));
            bone->SetName(VoString(("bone_" + std::to_string(b)).c_str()));
            bone->SetInfluences(static_cast<std::uint32_t>(indices.size()), indices.data(), weights.data());
            VoMatrix offset;
            MatrixTranslation(&offset, 0.0f, -static_cast<float>(b), 0.0f);
            bone->SetOffsetMatrix(offset);
        }

        auto* root = new VoFrame();
        root->SetName(VoString(u"Crowd"));
        for (int b = 0; b < kLargeBones; ++b) {
            auto* frame = new VoFrame();
            frame->SetName(VoString(("bone_" + std::to_string(b)).c_str()));
            VoMatrix place;
            MatrixTranslation(&place, 0.0f, static_cast<float>(b), 0.0f);
            frame->SetFileMatrix(place);
            frame->SetRelativeMatrix(place);
            frame->SetAbsoluteMatrix(place);
            root->AddChild(frame);
        }
        auto* body = new VoFrame();
        body->SetName(VoString(u"Body"));
        body->SetMesh(mesh);
        root->AddChild(body);
        VoDrawElement element;
        element.SetRootFrame(root);
        if (!VoFileStream::WriteFile(&element, VoString(made.c_str()), false)) {
            std::fprintf(stderr, "cannot write %s\n", made.c_str());
            std::abort();
        }
        return made;
    }();
    return path;
}

void Quiet() {
    VoLog::SetFolder(VoString(u"/nonexistent/benchmark"));
}

// The baseline: the whole file in one fread.
void ReadWhole(benchmark::State& aState, const std::string& aPath) {
    std::int64_t bytes = 0;
    for (auto _ : aState) {
        std::FILE* file = std::fopen(aPath.c_str(), "rb");
        if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
            VoStopRun(aPath + ": cannot open the file");
        }
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size)));
        const std::size_t read = std::fread(buffer, 1, static_cast<std::size_t>(size), file);
        std::fclose(file);
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
        if (read != static_cast<std::size_t>(size)) {
            VoStopRun(aPath + ": short read");
        }
        bytes = size;
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) * bytes);
}

std::int64_t FileSize(const std::string& aPath) {
    std::FILE* file = std::fopen(aPath.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

// Loads the file at aPath with aLoad(model, path) into a new Model each time.
template <typename Model, typename Load>
void LoadEach(benchmark::State& aState, const std::string& aPath, Load aLoad) {
    Quiet();
    const VoString path(aPath.c_str());
    for (auto _ : aState) {
        Model model;
        if (!aLoad(model, path)) {
            VoStopRun(aPath + ": the load failed");
        }
        benchmark::DoNotOptimize(&model);
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) * FileSize(aPath));
}

void LoadMesh(benchmark::State& aState, const std::string& aPath) {
    LoadEach<VoDrawElement>(aState, aPath, [](VoDrawElement& aModel, const VoString& aFile) {
        return aModel.LoadFile(aFile, false);
    });
}

void LoadAnimation(benchmark::State& aState, const std::string& aPath) {
    LoadEach<VoAnimation>(
        aState, aPath, [](VoAnimation& aModel, const VoString& aFile) { return aModel.Load(aFile, false); });
}

// The name a file's cases carry: its path under the data tree
// ("meshes/sample_character.lim1"), or its file name.
std::string ShortName(const std::string& aPath) {
    const std::string data = DataPath("");
    return aPath.compare(0, data.size(), data) == 0 ? aPath.substr(data.size())
                                                    : aPath.substr(aPath.find_last_of('/') + 1);
}

}  // namespace

int main(int argc, char** argv) {
    // The file system that sizes the files, and a recording drawing device
    // with the texture manager for the prop's texture.
    RecordedDevice device;
    ScopedEngine engine;
    VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"), VoString(DataPath("textures").c_str()));
    VoTextureManager::GetInstance()->SetRoot(VoString(u"//textures"));
    // Each mesh is held once for the whole run, so that the textures its
    // materials name stay loaded and the cases measure the mesh files alone.
    std::vector<std::unique_ptr<VoDrawElement>> held;
    for (const char* mesh : kMeshes) {
        held.push_back(std::make_unique<VoDrawElement>());
        held.back()->LoadFile(VoString(DataPath(mesh).c_str()), false);
    }
    std::vector<VoRatio> ratios;
    auto add = [&ratios](const std::string& aPath, void (*aLoad)(benchmark::State&, const std::string&),
                         const std::string& aKind) {
        const std::string name = ShortName(aPath);
        benchmark::RegisterBenchmark(("Load" + aKind + "/" + name).c_str(), aLoad, aPath)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Fread/" + name).c_str(), ReadWhole, aPath)
            ->Unit(benchmark::kMicrosecond);
        ratios.push_back({"Load" + aKind + "/" + name, "Fread/" + name, 3.0});
    };
    for (const char* mesh : kMeshes) {
        add(DataPath(mesh), LoadMesh, "Mesh");
    }
    add(LargeMeshPath(), LoadMesh, "Mesh");
    for (const char* animation : kAnimations) {
        add(DataPath(animation), LoadAnimation, "Animation");
    }
    const int result = VoRunWithRatios(argc, argv, ratios);
    const std::string large = LargeMeshPath();
    std::remove(large.c_str());
    rmdir(large.substr(0, large.find_last_of('/')).c_str());
    return result;
}
