// Skinning on the processor, every frame of every character on screen:
// meshes of 1,250 to 80,000 vertices of format 5 (a character is about
// 5,000), 40 bones, each vertex moved by one to four of them.
// VoSkinMesh::UpdateSkin against the lean plain loop that gives the same
// vertices: what the engine does once beforehand (rest normals scaled to unit
// length, each vertex's influences listed in one flat array in bone order)
// the loop also does once, outside the timing; each update it works out the
// bone matrices the same way, places and turns every vertex with the same
// arithmetic (the bones here are rigid, so no divide) and writes the same
// vertex bytes. The budget is under 1 ms per update of a character on one
// core. Before anything is timed both skin every size once and must give the
// same vertices to the bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "geometry/VoMatrix.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoFrame.h"
#include "scene/VoSkinMesh.h"

namespace {

constexpr int kBones = 40;
constexpr int kSizes[] = {1250, 5000, 20000, 80000};

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Influence {
    std::uint32_t bone;
    float weight;
};

// Vertex v is moved by 1 + v % 4 bones, spread over the skeleton, with
// weights summing to 1.
std::vector<std::vector<Influence>> Influences(int aVertices) {
    std::vector<std::vector<Influence>> influences(static_cast<std::size_t>(aVertices));
    for (int v = 0; v < aVertices; ++v) {
        const int count = 1 + v % 4;
        for (int j = 0; j < count; ++j) {
            const std::uint32_t bone = static_cast<std::uint32_t>((v * 7 + j * 13) % kBones);
            influences[v].push_back({bone, 1.0f / static_cast<float>(count)});
        }
    }
    return influences;
}

std::vector<Vertex> RestPose(int aVertices) {
    std::vector<Vertex> vertices(static_cast<std::size_t>(aVertices));
    for (int v = 0; v < aVertices; ++v) {
        const float a = static_cast<float>(v) * 0.01f;
        vertices[v] = {
            std::cos(a), static_cast<float>(v) * 0.0004f, std::sin(a), std::cos(a), 0.0f, std::sin(a), 0.0f,
            0.0f};
    }
    return vertices;
}

// Each bone's frame: a turn about y and a lift, different per bone.
std::vector<VoMatrix> FrameMatrices() {
    std::vector<VoMatrix> frames(kBones);
    for (int b = 0; b < kBones; ++b) {
        VoMatrix turn, lift;
        MatrixRotationY(&turn, static_cast<float>(b) * 0.05f);
        MatrixTranslation(&lift, 0.0f, static_cast<float>(b) * 0.01f, 0.0f);
        MatrixMultiply(&frames[b], &turn, &lift);
    }
    return frames;
}

VoMatrix Offset(int aBone) {
    VoMatrix offset;
    MatrixTranslation(&offset, 0.0f, -static_cast<float>(aBone) * 0.01f, 0.0f);
    return offset;
}

void Sizes(benchmark::internal::Benchmark* apBenchmark) {
    for (int size : kSizes) {
        apBenchmark->Arg(size);
    }
}

// A skinned mesh over the rest pose, bones bound by frame number.
struct SkinnedMesh {
    explicit SkinnedMesh(int aVertices) : frames(FrameMatrices()) {
        const std::vector<Vertex> rest = RestPose(aVertices);
        auto* buffer = new VoVertexBuffer();
        buffer->Create(5, rest.data(), aVertices);
        mesh.SetVertexBuffer(buffer);
        const std::vector<std::vector<Influence>> influences = Influences(aVertices);
        mesh.CreateBones(kBones);
        for (int b = 0; b < kBones; ++b) {
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            for (int v = 0; v < aVertices; ++v) {
                for (const Influence& influence : influences[v]) {
                    if (influence.bone == static_cast<std::uint32_t>(b)) {
                        indices.push_back(static_cast<std::uint32_t>(v));
                        weights.push_back(influence.weight);
                    }
                }
            }
            VoBone* bone = mesh.GetBone(static_cast<std::uint32_t>(b));
            bone->SetFrameNumber(static_cast<std::uint32_t>(b));
            bone->SetInfluences(static_cast<std::uint32_t>(indices.size()), indices.data(), weights.data());
            bone->SetOffsetMatrix(Offset(b));
            mesh.SetBoneFrame(static_cast<std::uint32_t>(b), VoString(), &frames[b]);
        }
        mesh.SetBound(true);
        mesh.PrepareSkin();
    }

    std::vector<VoMatrix> frames;
    VoSkinMesh mesh;
};

void BM_UpdateSkin(benchmark::State& aState) {
    const int vertices = static_cast<int>(aState.range(0));
    SkinnedMesh skinned(vertices);
    for (auto _ : aState) {
        benchmark::DoNotOptimize(skinned.mesh.UpdateSkin());
        benchmark::ClobberMemory();
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * vertices);
}
BENCHMARK(BM_UpdateSkin)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// The plain loop's data, laid out as the engine lays out its own: the rest
// pose with unit normals, and every vertex's influences in one array, in
// bone order (the order in which the engine sums them).
struct LeanSkin {
    explicit LeanSkin(int aVertices) : frames(FrameMatrices()), offsets(kBones) {
        for (const Vertex& vertex : RestPose(aVertices)) {
            VoVector3 normal(vertex.nx, vertex.ny, vertex.nz);
            normal.NormalizeInPlace(VoSkinMesh::kNormalTolerance);
            rest.push_back({VoVector3(vertex.x, vertex.y, vertex.z), normal});
        }
        out = RestPose(aVertices);
        first.push_back(0);
        for (std::vector<Influence>& own : Influences(aVertices)) {
            std::sort(own.begin(), own.end(), [](const Influence& aLeft, const Influence& aRight) {
                return aLeft.bone < aRight.bone;
            });
            influences.insert(influences.end(), own.begin(), own.end());
            first.push_back(static_cast<std::uint32_t>(influences.size()));
        }
        for (int b = 0; b < kBones; ++b) {
            offsets[b] = Offset(b);
        }
    }

    void Update() {
        for (int b = 0; b < kBones; ++b) {
            VoMatrix& m = placing[b];
            MatrixMultiply(&m, &offsets[b], &frames[b]);
            for (int r = 0; r < 3; ++r) {
                turning[b][r].Set(m.m[r][0], m.m[r][1], m.m[r][2]);
                turning[b][r].NormalizeInPlace(VoSkinMesh::kNormalTolerance);
            }
        }
        const std::size_t count = rest.size();
        for (std::size_t v = 0; v < count; ++v) {
            const VoVector3& p = rest[v].position;
            const VoVector3& n = rest[v].normal;
            VoVector3 position;
            VoVector3 normal;
            for (std::uint32_t i = first[v]; i < first[v + 1]; ++i) {
                const VoMatrix& m = placing[influences[i].bone];
                const VoVector3* rows = turning[influences[i].bone];
                const float w = influences[i].weight;
                position.x += (p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0]) * w;
                position.y += (p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1]) * w;
                position.z += (p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]) * w;
                normal.x += (n.x * rows[0].x + n.y * rows[1].x + n.z * rows[2].x) * w;
                normal.y += (n.x * rows[0].y + n.y * rows[1].y + n.z * rows[2].y) * w;
                normal.z += (n.x * rows[0].z + n.y * rows[1].z + n.z * rows[2].z) * w;
            }
            Vertex& vertex = out[v];
            vertex.x = position.x;
            vertex.y = position.y;
            vertex.z = position.z;
            vertex.nx = normal.x;
            vertex.ny = normal.y;
            vertex.nz = normal.z;
        }
    }

    struct Rest {
        VoVector3 position;
        VoVector3 normal;
    };
    std::vector<VoMatrix> frames;
    std::vector<VoMatrix> offsets;
    std::vector<Rest> rest;
    std::vector<std::uint32_t> first;  // vertex v's influences: first[v] up to first[v + 1]
    std::vector<Influence> influences;
    VoMatrix placing[kBones];
    VoVector3 turning[kBones][3];
    std::vector<Vertex> out;
};

void BM_PlainLoop(benchmark::State& aState) {
    const int vertices = static_cast<int>(aState.range(0));
    LeanSkin lean(vertices);
    for (auto _ : aState) {
        lean.Update();
        benchmark::DoNotOptimize(lean.out.data());
        benchmark::ClobberMemory();
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * vertices);
}
BENCHMARK(BM_PlainLoop)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// The floats of every vertex, as written.
std::vector<float> Floats(const void* apVertices, int aCount) {
    std::vector<float> floats(static_cast<std::size_t>(aCount) * sizeof(Vertex) / sizeof(float));
    std::memcpy(floats.data(), apVertices, floats.size() * sizeof(float));
    return floats;
}

void CheckSameVertices() {
    for (int size : kSizes) {
        SkinnedMesh skinned(size);
        LeanSkin lean(size);
        VoCheckSame("UpdateSkin of " + std::to_string(size) + " vertices", skinned.mesh.UpdateSkin(), true);
        lean.Update();
        VoCheckSameValues("skinned vertex floats of " + std::to_string(size),
                          Floats(skinned.mesh.GetVertexBuffer()->GetVertex(0), size),
                          Floats(lean.out.data(), size));
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<VoRatio> ratios;
    for (int size : kSizes) {
        const std::string arg = "/" + std::to_string(size);
        ratios.push_back({"BM_UpdateSkin" + arg, "BM_PlainLoop" + arg, 1.2});
    }
    return VoRunWithRatios(argc, argv, ratios, CheckSameVertices);
}
