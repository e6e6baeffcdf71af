#pragma once
// The PDA tests' game: the sample tree with its fonts, stub sounds and the
// timer the test sets (SampleGame), "sta_selectedcase" 1, and "//scenes" on a
// scratch folder with one scene, "test/room", that a test may enter. The PDA
// and its bar are built from the sample data on first use.
//
//     PDAGame game;
//     MGPDA* pda = game.PDA();
//     game.Click(114, 152);   // a press and a release of button 1 there
//     game.RunFrames(0.5);    // frames every 0.02 s of the test's clock
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/support/SampleGame.h"
#include "pda/MGIPDAListener.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

// Notes every code the PDA tells.
class CodeRecorder : public MGIPDAListener {
public:
    void OnPDAEvent(int aCode) override { fCodes.push_back(aCode); }
    std::vector<int> Take() {
        std::vector<int> codes;
        codes.swap(fCodes);
        return codes;
    }
    std::vector<int> fCodes;
};

class PDAGame : public SampleGame {
public:
    static constexpr const char* kScene = "test/room";

    PDAGame() {
        EXPECT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"),
                                                        PlatformTestFolder::Wide(fFolder.Files())));
        fFolder.Write(std::string(kScene) + "/scene.txt", "defaultviewpoint=vp_room\n");
        // A scene loads only with its global light.
        fFolder.Write(std::string(kScene) + "/lights_low.txt", "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n");
        SetNumber(u"sta_selectedcase", 1.0f);
    }

    static MGPDA* PDA() { return MGPDA::GetInstance(); }
    static MGPDAMinimized* Bar() { return MGPDAMinimized::GetInstance(); }

    // Creates the number state when missing.
    static void SetNumber(const char16_t* apId, float aValue) {
        VoStateManager* states = VoStateManager::GetInstance();
        if (states->GetState(VoString(apId)) == nullptr) {
            VoIState* state = new VoIState();
            ASSERT_TRUE(state->Set(VoString(apId), VoIState::kNumber, &aValue));
            ASSERT_TRUE(states->AddState(state, false, true));
            return;
        }
        ASSERT_TRUE(states->SetState(VoString(apId), &aValue, false));
    }
    static float Number(const char16_t* apId) {
        VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
        return state != nullptr ? state->GetNumber(-999.0f) : -999.0f;
    }

    // Loads "test/room" and enters it at once; its input is on.
    static MGScene* EnterScene() {
        MGSceneManager* scenes = MGSceneManager::GetInstance();
        EXPECT_TRUE(scenes->LoadScene(VoString(kScene), true, true));
        return scenes->GetScene();
    }

    // Opens the PDA at once through its bar, as a maximize without the
    // animation does.
    static void Open() {
        Bar()->Maximize(false);
        EXPECT_TRUE(PDA()->IsOpen());
    }
    // Opens the PDA on a panel, its switch lock over.
    void OpenOn(const char16_t* apPanel) {
        Open();
        PDA()->SetPanel(VoString(apPanel));
        RunFrames(MGPDA::kSwitchLock + 0.1);
        EXPECT_FALSE(PDA()->IsBusy());
    }

    void Frame(double aStep = 0.02) {
        fNow += aStep;
        FrameAt(fNow);
    }
    void RunFrames(double aSeconds) {
        const double end = fNow + aSeconds;
        while (fNow < end) {
            Frame();
        }
    }

    // A point on the grid box of space n of the shown grid, scrolled to the
    // top: the window at (100, 100), the scroll area at (171, 85) in it, the
    // spaces 58 and 49 apart, each box 56 x 47.
    static VoVector2 SpacePoint(int aSpace) {
        return VoVector2(100.0f + 171.0f + 58.0f * static_cast<float>(aSpace % 4) + 20.0f,
                         100.0f + 85.0f + 49.0f * static_cast<float>(aSpace / 4) + 20.0f);
    }

    static void Move(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
    }
    static void Press(float aX, float aY, int aButton = 1) {
        Move(aX, aY);
        VoMouse::GetInstance()->ButtonDown(aButton);
    }
    static void Release(int aButton = 1) { VoMouse::GetInstance()->ButtonUp(aButton); }
    static void Click(float aX, float aY, int aButton = 1) {
        Press(aX, aY, aButton);
        Release(aButton);
    }

    PlatformTestFolder fFolder;
    double fNow = 0.0;
};
