// One screen of the 2D interface: 500 sprites of 64 x 64 texels over four
// textures, half of them faded to half, drawn by the display manager through
// the renderer, the rasterizer and the GL drawing device onto the headless GL
// context (Mesa's llvmpipe when run with SDL_VIDEODRIVER=offscreen). A frame
// is a clear (colour, depth and stencil, as the engine clears), the pass over
// the display tree and a glFinish, so its time includes the rasterisation.
//
// The baseline draws the same quads with the same textures and fades in
// plain immediate-mode GL. Each iteration draws one engine frame and one
// baseline frame back to back, so both meet the same load on the machine;
// the baseline's GL state is pushed and popped around it, outside its time,
// so the drawing device's view of the state stays true. Before a variant is
// timed, one engine frame and one baseline frame must give the same picture
// to rounding.
//
// Interleaved: the texture and the fade change from one sprite to the next
// (the worst case for a driver that records its state per change; llvmpipe
// copies its whole fragment state, tens of kilobytes, at each). Grouped: each
// texture's sprites are drawn together, half of them faded, so the state
// changes a few times a frame. Moving: every sprite gets a new position each
// frame, so its transform and hit boundary are recomputed, as an animated
// interface has them.
//
// Each frame's time is kept; the summary prints the median and the 95th
// percentile of both, the engine's over the baseline's, and the median
// processor time of the drawing thread.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VoBenchmarkCheck.h"
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

struct Figures {
    std::vector<double> engine;  // wall-clock milliseconds per frame
    std::vector<double> baseline;
    std::vector<double> engineCpu;  // milliseconds of this thread's processor time per frame
    std::vector<double> baselineCpu;
};

std::map<std::string, Figures>& Results() {
    static std::map<std::string, Figures> results;
    return results;
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

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Milliseconds from now to the end of the drawing that aDraw issues, and the
// part of them this thread spent working (issuing, and recording the frame
// in the driver; the driver's own threads rasterise).
template <typename Draw>
double TimeFrame(Draw aDraw, std::vector<double>& aCpu) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadMilliseconds();
    aDraw();
    glFinish();
    aCpu.push_back(ThreadMilliseconds() - cpuStart);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The same quads in immediate-mode GL with textures of its own.
class Baseline {
public:
    Baseline() {
        glGenTextures(kTextures, fNames);
        for (int t = 0; t < kTextures; ++t) {
            const std::vector<unsigned char> pixels = Pixels(t);
            glBindTexture(GL_TEXTURE_2D, fNames[t]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                         pixels.data());
        }
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    ~Baseline() { glDeleteTextures(kTextures, fNames); }

    double Frame(const std::vector<Placement>& aScreen, std::vector<double>& aCpu) {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, kScreenWidth, kScreenHeight, 0.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glViewport(0, 0, static_cast<GLsizei>(kScreenWidth), static_cast<GLsizei>(kScreenHeight));
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_STENCIL_TEST);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthMask(GL_TRUE);
        glStencilMask(0xFF);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        const double time = TimeFrame(
            [&] {
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
                for (const Placement& place : aScreen) {
                    glBindTexture(GL_TEXTURE_2D, fNames[place.texture]);
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
            },
            aCpu);
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glPopClientAttrib();
        glPopAttrib();
        return time;
    }

private:
    GLuint fNames[kTextures] = {};
};

// The two paths reach Mesa differently, and its texel and blend rounding
// then differs by up to 3 in a channel (a missing sprite or fade differs by
// far more).
constexpr int kPixelTolerance = 3;

// One engine frame and one baseline frame give the same picture, to
// rounding: both draw the same work.
template <typename Draw>
void CheckSamePicture(const std::string& aName, const GLTestContext& aGl, Draw aEngine, Baseline& aBaseline,
                      const std::vector<Placement>& aScreen) {
    std::vector<double> unused;
    TimeFrame(aEngine, unused);
    const std::vector<Rgba> engine = aGl.Pixels();
    aBaseline.Frame(aScreen, unused);
    const std::vector<Rgba> plain = aGl.Pixels();
    VoCheckSame(aName + ": pixels", engine.size(), plain.size());
    for (std::size_t i = 0; i < engine.size(); ++i) {
        for (int channel = 0; channel < 4; ++channel) {
            if (std::abs(engine[i][channel] - plain[i][channel]) > kPixelTolerance) {
                VoCheckFailed(aName + ": pixel (" +
                                  std::to_string(i % static_cast<std::size_t>(kScreenWidth)) + ", " +
                                  std::to_string(i / static_cast<std::size_t>(kScreenWidth)) + ")",
                              ToText(engine[i]), ToText(plain[i]));
            }
        }
    }
}

void Sprites(benchmark::State& aState, Order aOrder, bool aMoving) {
    const std::vector<Placement>& screen = Screen(aOrder);
    GLTestContext gl;
    if (!gl.IsReady()) {
        VoStopRun("no GL context: " + gl.Error());
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
        Baseline baseline;
        const std::string name = std::string(OrderName(aOrder)) + (aMoving ? ", moving" : "");
        CheckSamePicture(
            name, gl,
            [&] {
                rasterizer->Clear();
                display->Render();
            },
            baseline, screen);
        Figures& figures = Results()[name];
        figures = Figures();
        int frame = 0;
        for (auto _ : aState) {
            figures.engine.push_back(TimeFrame(
                [&] {
                    if (aMoving) {
                        const float shift = static_cast<float>(frame++ % 8);
                        for (int i = 0; i < kSprites; ++i) {
                            sprites[i]->SetPosition(screen[i].x + shift, screen[i].y);
                        }
                    }
                    rasterizer->Clear();
                    display->Render();
                },
                figures.engineCpu));
            figures.baseline.push_back(baseline.Frame(screen, figures.baselineCpu));
        }
        aState.counters["median_ms"] = Percentile(figures.engine, 0.5);
        aState.counters["p95_ms"] = Percentile(figures.engine, 0.95);
        aState.counters["baseline_median_ms"] = Percentile(figures.baseline, 0.5);
        aState.counters["baseline_p95_ms"] = Percentile(figures.baseline, 0.95);
    }
    VoRenderDeviceSource::Set(nullptr);
}

void Summary() {
    std::printf("\n%-20s %26s %26s %17s\n", "500 sprites, ms", "engine", "immediate GL", "engine / GL");
    std::printf("%-20s %8s %8s %8s %8s %8s %8s %8s %8s\n", "", "median", "p95", "cpu", "median", "p95", "cpu",
                "median", "p95");
    for (const auto& entry : Results()) {
        const Figures& f = entry.second;
        const double median = Percentile(f.engine, 0.5);
        const double p95 = Percentile(f.engine, 0.95);
        const double baseMedian = Percentile(f.baseline, 0.5);
        const double baseP95 = Percentile(f.baseline, 0.95);
        std::printf("%-20s %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.2f %8.2f\n", entry.first.c_str(), median,
                    p95, Percentile(f.engineCpu, 0.5), baseMedian, baseP95, Percentile(f.baselineCpu, 0.5),
                    baseMedian > 0.0 ? median / baseMedian : 0.0, baseP95 > 0.0 ? p95 / baseP95 : 0.0);
    }
    std::printf(
        "(cpu: median processor time of the drawing thread per frame; the rest of a frame is the\n"
        " driver's rasteriser threads, which share the machine with whatever else runs)\n");
}

}  // namespace

#define VO_SPRITE_BENCHMARK(Name, ...) \
    BENCHMARK_CAPTURE(Sprites, Name, __VA_ARGS__)->Iterations(kFrames)->Unit(benchmark::kMillisecond)
VO_SPRITE_BENCHMARK(interleaved, Order::kInterleaved, false);
VO_SPRITE_BENCHMARK(interleaved_moving, Order::kInterleaved, true);
VO_SPRITE_BENCHMARK(grouped, Order::kGrouped, false);
VO_SPRITE_BENCHMARK(grouped_moving, Order::kGrouped, true);

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
