// The sample lobby in the game's own window on a virtual X server: the
// application starts as the game does, the scene manager brings the lobby
// in, and the frames show its painted background with the player over it.
#include "scene/MGScene.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "MGApp.h"
#include "game/support/RecordingGame.h"
#include "geometry/VoImage.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "scene/MGCharacter.h"
#include "scene/MGSceneManager.h"
#include "scene/VoCamera.h"
#include "support/XServer.h"

namespace {

using Rgb = std::array<int, 3>;

// Frames at these times of the test's clock: the intro's fade from black is
// over by the second, the lobby comes in at the third.
constexpr double kFrameTimes[] = {0.0, 0.5, 1.0, 1.5, 2.0};
constexpr int kFrameCount = sizeof kFrameTimes / sizeof kFrameTimes[0];
constexpr int kLobbyFrame = 2;

// The game over the engine's own services, but for the timer, which the test sets.
class TimedGame : public ScopedGame {
public:
    TimedGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* timer = new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); });
        if (!VoRegistry::Get()->AddCreator(timer)) {
            delete timer;
        }
    }
};

Rgb ReadPixel(int aX, int aY) {
    unsigned char bgra[4] = {};
    VoGraphicsDX9::GetInstance()->ReadBackBuffer(aX, aY, 1, 1, bgra);
    return {bgra[2], bgra[1], bgra[0]};
}

Rgb Painted(const VoImage& aPicture, int aX, int aY) {
    const VoColor colour = aPicture.GetPixel(aX, aY);
    return {static_cast<int>(colour.fR * 255.0f + 0.5f), static_cast<int>(colour.fG * 255.0f + 0.5f),
            static_cast<int>(colour.fB * 255.0f + 0.5f)};
}

int Difference(const Rgb& aA, const Rgb& aB) {
    int most = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        most = std::max(most, std::abs(aA[i] - aB[i]));
    }
    return most;
}

// The pixel where the camera shows the world point.
void Project(VoCamera* apCamera, const VoVector3& aPoint, int* apX, int* apY) {
    const float in[4] = {aPoint.x, aPoint.y, aPoint.z, 1.0f};
    float view[4] = {};
    float clip[4] = {};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            view[c] += in[r] * apCamera->GetViewMatrix()->m[r][c];
        }
    }
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            clip[c] += view[r] * apCamera->GetProjectionMatrix()->m[r][c];
        }
    }
    *apX = static_cast<int>((clip[0] / clip[3] + 1.0f) * 400.0f);
    *apY = static_cast<int>((1.0f - clip[1] / clip[3]) * 300.0f);
}

// Runs the game's application on the test's clock, brings the lobby in and
// checks the last frame; quits after it. What went wrong is in fProblems.
class LobbyRun : public VoApp {
public:
    LobbyRun(MGApp* apApp, VoIPlatform* apPlatform) : fpApp(apApp), fpPlatform(apPlatform) {}
    ~LobbyRun() override { delete fpApp; }

    bool Init() override { return fpApp->Init(); }
    bool Frame() override {
        RecordingGame::Timer()->fNow = kFrameTimes[fFrame];
        if (fFrame == kLobbyFrame &&
            !MGSceneManager::GetInstance()->LoadScene(VoString(u"case01/lobby"), true, true)) {
            fProblems += "the lobby did not load\n";
        }
        const bool drawn = fpApp->Frame();
        if (++fFrame == kFrameCount) {
            Check();
            fpPlatform->Quit();
        }
        return drawn;
    }

    std::string fProblems;

private:
    void Check() {
        MGScene* scene = MGSceneManager::GetInstance()->GetScene();
        if (scene == nullptr || scene->GetPlayer() == nullptr || !scene->IsEntered()) {
            fProblems += "no entered lobby with a player\n";
            return;
        }
        VoImage* picture = nullptr;
        if (!VoImage::CreateFromFile(VoString(u"//scenes/case01/lobby/vp_entrance.tga"), &picture)) {
            fProblems += "the background cannot be read\n";
            return;
        }
        std::unique_ptr<VoImage> owned(picture);
        // Corners and edges away from the pointer, the build line and the bars.
        const int probes[][2] = {{795, 4}, {400, 4}, {4, 300}, {795, 300}};
        for (const auto& probe : probes) {
            const Rgb seen = ReadPixel(probe[0], probe[1]);
            if (Difference(seen, Painted(*picture, probe[0], probe[1])) > 3) {
                fProblems += "pixel " + std::to_string(probe[0]) + "," + std::to_string(probe[1]) +
                             " is not the painting's\n";
            }
        }
        const VoVector3 feet = *scene->GetPlayer()->GetPosition();
        int x = 0;
        int y = 0;
        Project(scene->GetCamera(), VoVector3(feet.x, feet.y + 40.0f, feet.z), &x, &y);
        int covered = 0;
        for (int dy = -6; dy <= 6; dy += 3) {
            for (int dx = -3; dx <= 3; dx += 3) {
                covered +=
                    Difference(ReadPixel(x + dx, y + dy), Painted(*picture, x + dx, y + dy)) > 12 ? 1 : 0;
            }
        }
        if (covered < 6) {
            fProblems += "the player does not show at " + std::to_string(x) + "," + std::to_string(y) + "\n";
        }
    }

    MGApp* fpApp;             // owned
    VoIPlatform* fpPlatform;  // not owned, owns us
    int fFrame = 0;
};

// 0 when the lobby showed as it should.
int ShowLobbyUnderX() {
    std::string problems;
    {
        TimedGame game;
        if (!RecordingGame::MountSampleTree()) {
            std::fprintf(stderr, "the sample tree cannot be mounted\n");
            return 1;
        }
        VoIPlatform* platform = VoIPlatform::GetInstance();
        VoPlatformDesc desc;
        desc.fTitle = VoString(u"Test");
        desc.fWidth = 800;
        desc.fHeight = 600;
        desc.fBits = 32;
        desc.fWindowed = true;
        if (platform == nullptr || !platform->Create(&desc)) {
            std::fprintf(stderr, "no window\n");
            return 1;
        }
        LobbyRun* run = new LobbyRun(MGApp::GetInstance(), platform);
        platform->SetApp(run);
        if (!platform->Initialize(0)) {
            std::fprintf(stderr, "the game did not start\n");
            return 1;
        }
        platform->Run();
        problems = run->fProblems;
        delete platform;
    }
    std::fprintf(stderr, "%s", problems.c_str());
    return problems.empty() ? 0 : 1;
}

}  // namespace

TEST(MGSceneX, TheLobbyShowsItsBackgroundAndThePlayerInTheGamesWindow) {
    if (!std::filesystem::exists(VO_SOURCE_DIR "/data/scenes/case01/lobby/scene.txt")) {
        GTEST_SKIP() << "the sample case's lobby is not in the data tree";
    }
    ExpectCleanExitUnderX(&ShowLobbyUnderX);
}
