// Skinning on the processor, every frame of every character on screen:
// meshes of 1,250 to 80,000 vertices of format 5 (a character is about
// 5,000), 40 bones, each vertex moved by one to four of them.
// VoSkinMesh::UpdateSkin against a plain loop over the same influences held
// in std::vectors (vertex by vertex, the bone matrices worked out the same
// way), writing the same vertex bytes. The budget is under 1 ms per update
// of a character on one core.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

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

// The same arithmetic as a plain loop: each vertex sums its influences'
// placed positions and turned normals, then the bytes are written out.
void BM_PlainLoop(benchmark::State& aState) {
    const int vertices = static_cast<int>(aState.range(0));
    const std::vector<std::vector<Influence>> influences = Influences(vertices);
    const std::vector<Vertex> rest = RestPose(vertices);
    const std::vector<VoMatrix> frames = FrameMatrices();
    std::vector<Vertex> out = rest;
    std::vector<VoMatrix> placing(kBones);
    std::vector<VoMatrix> turning(kBones);
    for (auto _ : aState) {
        for (int b = 0; b < kBones; ++b) {
            const VoMatrix offset = Offset(b);
            MatrixMultiply(&placing[b], &offset, &frames[b]);
            turning[b] = placing[b];
            for (int r = 0; r < 3; ++r) {
                VoVector3 row(placing[b].m[r][0], placing[b].m[r][1], placing[b].m[r][2]);
                row.NormalizeInPlace(0.0001f);
                turning[b].m[r][0] = row.x;
                turning[b].m[r][1] = row.y;
                turning[b].m[r][2] = row.z;
            }
        }
        for (int v = 0; v < vertices; ++v) {
            const VoVector3 p(rest[v].x, rest[v].y, rest[v].z);
            VoVector3 n(rest[v].nx, rest[v].ny, rest[v].nz);
            n.NormalizeInPlace(0.0001f);
            VoVector3 position;
            VoVector3 normal;
            for (const Influence& influence : influences[v]) {
                VoVector3 placed;
                VoVector3 turned;
                TransformCoord(&placed, &placing[influence.bone], &p);
                TransformNormal(&turned, &turning[influence.bone], &n);
                position += placed * influence.weight;
                normal += turned * influence.weight;
            }
            out[v].x = position.x;
            out[v].y = position.y;
            out[v].z = position.z;
            out[v].nx = normal.x;
            out[v].ny = normal.y;
            out[v].nz = normal.z;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * vertices);
}
BENCHMARK(BM_PlainLoop)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<VoRatio> ratios;
    for (int size : kSizes) {
        const std::string arg = "/" + std::to_string(size);
        ratios.push_back({"BM_UpdateSkin" + arg, "BM_PlainLoop" + arg, 0.8});
    }
    return VoRunWithRatios(argc, argv, ratios);
}
