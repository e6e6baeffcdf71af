// Skinning a character-sized mesh on the processor, every frame of every
// character on screen: 5,000 vertices of format 5, 40 bones, each vertex
// moved by one to four of them. VoSkinMesh::UpdateSkin against a plain loop
// over the same influences held in std::vectors (vertex by vertex, the
// bone matrices worked out the same way), writing the same vertex bytes.
// The program prints the time per update of each and their ratio; the
// budget is under 1 ms per update on one core.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "geometry/VoMatrix.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoFrame.h"
#include "scene/VoSkinMesh.h"

namespace {

constexpr int kVertices = 5000;
constexpr int kBones = 40;

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Influence {
    std::uint32_t bone;
    float weight;
};

// Vertex v is moved by 1 + v % 4 bones, spread over the skeleton, with
// weights summing to 1.
std::vector<std::vector<Influence>> Influences() {
    std::vector<std::vector<Influence>> influences(kVertices);
    for (int v = 0; v < kVertices; ++v) {
        const int count = 1 + v % 4;
        for (int j = 0; j < count; ++j) {
            const std::uint32_t bone = static_cast<std::uint32_t>((v * 7 + j * 13) % kBones);
            influences[v].push_back({bone, 1.0f / static_cast<float>(count)});
        }
    }
    return influences;
}

std::vector<Vertex> RestPose() {
    std::vector<Vertex> vertices(kVertices);
    for (int v = 0; v < kVertices; ++v) {
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

// A skinned mesh over the rest pose, bones bound by frame number.
struct SkinnedMesh {
    SkinnedMesh() : frames(FrameMatrices()) {
        const std::vector<Vertex> rest = RestPose();
        auto* buffer = new VoVertexBuffer();
        buffer->Create(5, rest.data(), kVertices);
        mesh.SetVertexBuffer(buffer);
        const std::vector<std::vector<Influence>> influences = Influences();
        mesh.CreateBones(kBones);
        for (int b = 0; b < kBones; ++b) {
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            for (int v = 0; v < kVertices; ++v) {
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
    SkinnedMesh skinned;
    for (auto _ : aState) {
        benchmark::DoNotOptimize(skinned.mesh.UpdateSkin());
        benchmark::ClobberMemory();
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kVertices);
}
BENCHMARK(BM_UpdateSkin)->Unit(benchmark::kMicrosecond);

// The same arithmetic as a plain loop: each vertex sums its influences'
// placed positions and turned normals, then the bytes are written out.
void BM_PlainLoop(benchmark::State& aState) {
    const std::vector<std::vector<Influence>> influences = Influences();
    const std::vector<Vertex> rest = RestPose();
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
        for (int v = 0; v < kVertices; ++v) {
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
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kVertices);
}
BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMicrosecond);

// Keeps each run's time per iteration to print the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& aRuns) override {
        ConsoleReporter::ReportRuns(aRuns);
        for (const Run& run : aRuns) {
            const double microseconds = run.GetAdjustedRealTime();  // in the run's unit (us)
            if (run.run_name.function_name == "BM_UpdateSkin") {
                fSkin = microseconds;
            } else if (run.run_name.function_name == "BM_PlainLoop") {
                fPlain = microseconds;
            }
        }
    }

    double fSkin = 0.0;
    double fPlain = 0.0;
};

}  // namespace

int main(int aArgc, char** aArgv) {
    benchmark::Initialize(&aArgc, aArgv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.fSkin > 0.0 && reporter.fPlain > 0.0) {
        std::printf(
            "UpdateSkin: %.1f us per update (%d vertices, %d bones); plain loop %.1f us; ratio %.2f\n",
            reporter.fSkin, kVertices, kBones, reporter.fPlain, reporter.fSkin / reporter.fPlain);
    }
    benchmark::Shutdown();
    return 0;
}
