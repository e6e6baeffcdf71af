// One screen of the 2D interface: 500 sprites of 64 x 64 texels over four
// textures, every other one faded to half, drawn by the display manager
// through the renderer, the rasterizer and the GL drawing device onto the
// headless GL context (Mesa's llvmpipe when run with SDL_VIDEODRIVER=offscreen).
// A frame is a clear, the pass over the display tree and a glFinish, so the
// time includes the rasterisation itself. The baseline draws the same quads
// with the same textures and fades in plain immediate-mode GL.
//
// Interleaved: the textures and the fade change from one sprite to the next
// (the worst case for a driver that records its state per change; Mesa's
// llvmpipe copies its whole fragment state, tens of kilobytes, at each).
// Grouped: the same sprites with each texture's drawn together, half of them
// faded, so the state changes a few times a frame. Static: the tree does not
// change between frames. Moving: every sprite gets a new position each
// frame, so its transform and hit boundary are recomputed as an animated
// interface would have them.
//
// Each frame's time is kept; the summary prints the median and the 95th
// percentile of both and their ratio.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gdi/VoDisplayManager.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "render/VoTextureManager.h"
#include "support/GLTestContext.h"
#include "support/ScopedEngine.h"

namespace {

constexpr int kSprites = 500;
constexpr int kTextures = 4;
constexpr int kSize = 64;
constexpr int kFrames = 400;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

struct Placement {
    float x;
    float y;
    int texture;
    float blend;
};

enum class Order { kInterleaved, kGrouped };

// The same scatter for every variant, from a fixed pseudo-random sequence.
std::vector<Placement> MakeScreen(Order aOrder) {
    std::vector<Placement> made;
    std::uint32_t state = 2024u;
    constexpr int kPerTexture = kSprites / kTextures;
    for (int i = 0; i < kSprites; ++i) {
        state = state * 1664525u + 1013904223u;
        const float x = static_cast<float>((state >> 8) % static_cast<std::uint32_t>(kScreenWidth - kSize));
        state = state * 1664525u + 1013904223u;
        const float y = static_cast<float>((state >> 8) % static_cast<std::uint32_t>(kScreenHeight - kSize));
        if (aOrder == Order::kInterleaved) {
            made.push_back({x, y, i % kTextures, i % 2 == 0 ? 1.0f : 0.5f});
        } else {
            made.push_back({x, y, i / kPerTexture, i % kPerTexture < kPerTexture / 2 ? 0.5f : 1.0f});
        }
    }
    return made;
}

const std::vector<Placement>& Screen(Order aOrder) {
    static const std::vector<Placement> interleaved = MakeScreen(Order::kInterleaved);
    static const std::vector<Placement> grouped = MakeScreen(Order::kGrouped);
    return aOrder == Order::kInterleaved ? interleaved : grouped;
}

const char* OrderName(Order aOrder) {
    return aOrder == Order::kInterleaved ? "interleaved" : "grouped";
}

// Texture t: a BGRA picture with an alpha ramp, coloured by t.
std::vector<unsigned char> Pixels(int aTexture) {
    std::vector<unsigned char> pixels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            unsigned char* p = &pixels[(y * kSize + x) * 4];
            p[0] = static_cast<unsigned char>(aTexture * 60);
            p[1] = static_cast<unsigned char>(x * 4);
            p[2] = static_cast<unsigned char>(y * 4);
            p[3] = static_cast<unsigned char>(128 + (x + y));
        }
    }
    return pixels;
}

std::map<std::string, std::vector<double>>& Samples() {
    static std::map<std::string, std::vector<double>> samples;
    return samples;
}

double Percentile(std::vector<double> aValues, double aFraction) {
    if (aValues.empty()) {
        return 0.0;
    }
    std::sort(aValues.begin(), aValues.end());
    const std::size_t index = std::min(
        aValues.size() - 1, static_cast<std::size_t>(aFraction * static_cast<double>(aValues.size())));
    return aValues[index];
}

// Runs the frames, keeping each one's time in milliseconds.
template <typename Frame>
void TimeFrames(benchmark::State& aState, const std::string& aName, Frame aFrame) {
    std::vector<double>& samples = Samples()[aName];
    samples.clear();
    for (auto _ : aState) {
        const auto start = std::chrono::steady_clock::now();
        aFrame();
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    aState.counters["median_ms"] = Percentile(samples, 0.5);
    aState.counters["p95_ms"] = Percentile(samples, 0.95);
}

void EngineSprites(benchmark::State& aState, Order aOrder, bool aMoving) {
    const std::vector<Placement>& screen = Screen(aOrder);
    GLTestContext gl;
    if (!gl.IsReady()) {
        aState.SkipWithError(gl.Error().c_str());
        return;
    }
    std::unique_ptr<VoIRenderDevice> device(VoCreateRenderDevice());
    VoRenderDeviceSource::Set(device.get());
    {
        ScopedEngine engine;
        VoTextureManager* textures = VoTextureManager::GetInstance();
        std::uint32_t handles[kTextures] = {};
        for (int t = 0; t < kTextures; ++t) {
            const std::vector<unsigned char> pixels = Pixels(t);
            VoImage image;
            image.Create(kSize, kSize, kSize * 4, VoImage::kFormatBGRA, pixels.data(),
                         static_cast<std::int32_t>(pixels.size()));
            handles[t] = textures->CreateTexture(VoString(u"texture").Append(t), &image);
        }
        VoDisplayManager* display = VoDisplayManager::GetInstance();
        std::vector<VoSprite*> sprites;
        for (int i = 0; i < kSprites; ++i) {
            const Placement& place = screen[i];
            VoSprite* sprite = new VoSprite();
            sprite->SetId(VoString(u"sprite").Append(i));
            sprite->SetTexture(handles[place.texture], nullptr, nullptr);
            sprite->SetPosition(place.x, place.y);
            sprite->SetBlend(place.blend);
            display->AddMember(sprite);
            sprites.push_back(sprite);
        }
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
        int frame = 0;
        const std::string name = std::string("engine, ") + OrderName(aOrder) + (aMoving ? ", moving" : "");
        TimeFrames(aState, name, [&] {
            if (aMoving) {
                const float shift = static_cast<float>(frame++ % 8);
                for (int i = 0; i < kSprites; ++i) {
                    sprites[i]->SetPosition(screen[i].x + shift, screen[i].y);
                }
            }
            rasterizer->Clear();
            display->Render();
        });
    }
    VoRenderDeviceSource::Set(nullptr);
}

void RawGL(benchmark::State& aState, Order aOrder) {
    GLTestContext gl;
    if (!gl.IsReady()) {
        aState.SkipWithError(gl.Error().c_str());
        return;
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kScreenWidth, kScreenHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, static_cast<GLsizei>(kScreenWidth), static_cast<GLsizei>(kScreenHeight));
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    GLuint names[kTextures] = {};
    glGenTextures(kTextures, names);
    for (int t = 0; t < kTextures; ++t) {
        const std::vector<unsigned char> pixels = Pixels(t);
        glBindTexture(GL_TEXTURE_2D, names[t]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    }
    TimeFrames(aState, std::string("raw GL, ") + OrderName(aOrder), [&] {
        glClear(GL_COLOR_BUFFER_BIT);
        for (const Placement& place : Screen(aOrder)) {
            glBindTexture(GL_TEXTURE_2D, names[place.texture]);
            glColor4f(1.0f, 1.0f, 1.0f, place.blend);
            const float l = place.x;
            const float t = place.y;
            const float r = place.x + kSize;
            const float b = place.y + kSize;
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(l, b);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(l, t);
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(r, b);
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(r, t);
            glEnd();
        }
    });
    glDeleteTextures(kTextures, names);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void Summary() {
    std::printf("\n%-30s %10s %10s %14s %14s\n", "500 sprites, ms per frame", "median", "p95", "median ratio",
                "p95 ratio");
    for (Order order : {Order::kInterleaved, Order::kGrouped}) {
        const std::string suffix = OrderName(order);
        const std::vector<double>& baseline = Samples()["raw GL, " + suffix];
        const double baseMedian = Percentile(baseline, 0.5);
        const double baseP95 = Percentile(baseline, 0.95);
        for (const std::string& name :
             {"raw GL, " + suffix, "engine, " + suffix, "engine, " + suffix + ", moving"}) {
            const std::vector<double>& samples = Samples()[name];
            if (samples.empty()) {
                continue;
            }
            const double median = Percentile(samples, 0.5);
            const double p95 = Percentile(samples, 0.95);
            std::printf("%-30s %10.3f %10.3f %14.2f %14.2f\n", name.c_str(), median, p95,
                        baseMedian > 0.0 ? median / baseMedian : 0.0, baseP95 > 0.0 ? p95 / baseP95 : 0.0);
        }
    }
}

}  // namespace

// The engine first: the baseline then runs under the same heap settings
// that the engine's drawing device makes.
#define VO_SPRITE_BENCHMARK(Function, ...) \
    BENCHMARK_CAPTURE(Function, __VA_ARGS__)->Iterations(kFrames)->Unit(benchmark::kMillisecond)
VO_SPRITE_BENCHMARK(EngineSprites, interleaved, Order::kInterleaved, false);
VO_SPRITE_BENCHMARK(EngineSprites, interleaved_moving, Order::kInterleaved, true);
VO_SPRITE_BENCHMARK(EngineSprites, grouped, Order::kGrouped, false);
VO_SPRITE_BENCHMARK(EngineSprites, grouped_moving, Order::kGrouped, true);
VO_SPRITE_BENCHMARK(RawGL, interleaved, Order::kInterleaved);
VO_SPRITE_BENCHMARK(RawGL, grouped, Order::kGrouped);

int main(int argc, char** argv) {
    // Headless unless told otherwise.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Summary();
    return 0;
}
