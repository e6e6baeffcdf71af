#pragma once
// A game for the tests that change scenes: the sample tree with its fonts
// and the stub sound and movie managers (SampleGame), with "//scenes" moved
// to a scratch folder where each test writes the scenes and the placard file
// it needs.
//
//     SceneGame game;
//     game.WriteScene("case1/office", "vp_desk");
//     game.WritePlacards("case1/office\n\tlocation=The Office\n");
//     game.RunFrames(1.0);   // a second of frames on the test's clock
#include <gtest/gtest.h>

#include <string>

#include "MGScreenManager.h"
#include "game/support/SampleGame.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

class SceneGame : public SampleGame {
public:
    SceneGame() {
        EXPECT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"),
                                                        PlatformTestFolder::Wide(fFolder.Files())));
    }

    // "<id>/scene.txt" with the default viewpoint, and the light file every
    // scene needs: one global light.
    void WriteScene(const std::string& aId, const std::string& aViewpoint) const {
        fFolder.Write(aId + "/scene.txt", "defaultviewpoint=" + aViewpoint + "\n");
        fFolder.Write(aId + "/lights_low.txt", "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n");
    }
    // "scenes.txt", the placard file; write it before the placard is first used.
    void WritePlacards(const std::string& aText) const { fFolder.Write("scenes.txt", aText); }

    // Frames every 0.05 s for aSeconds of the test's clock.
    void RunFrames(double aSeconds) {
        const double end = fNow + aSeconds;
        while (fNow < end) {
            fNow += 0.05;
            FrameAt(fNow);
        }
    }
    double Now() const { return fNow; }

    PlatformTestFolder fFolder;
    double fNow = 0.0;
};
