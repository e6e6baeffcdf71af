// A puzzle on a real window and OpenGL device (headless), driven through the
// application's own input: the keypad is opened by its state, two keys are
// clicked, and the display shows their digits in its first two places.
#include <gtest/gtest.h>

#include <vector>

#include "game/support/WindowedGame.h"
#include "geometry/VoVector2.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "state/VoStateManager.h"

namespace {

// The keys' middles and the display's places in the sample layout.
constexpr float kKeyFive[] = {364.0f, 288.0f};
constexpr float kKeyZero[] = {508.0f, 360.0f};
constexpr int kPlaceTop = 114;
constexpr int kPlaceWidth = 38;
constexpr int kFirstPlace = 280;
constexpr int kLastFrame = 33;

class KeypadPlayer : public GameDriver {
public:
    std::vector<int> fGreenPixels;  // per display place

protected:
    void BeforeFrame(int aFrame) override {
        SetTime(0.05 * aFrame);
        switch (aFrame) {
            case 10:
                VoStateManager::GetInstance()->SetState(VoString(MGCombinationLockPuzzle::kActivationState),
                                                        VoString(u"boolean"), VoString(u"true"), true);
                break;
            case 30:
                Click(kKeyFive);
                break;
            case 31:
                Click(kKeyZero);
                break;
            default:
                break;
        }
    }
    bool AfterFrame(int aFrame) override {
        if (aFrame < kLastFrame) {
            return true;
        }
        for (int place = 0; place < 3; ++place) {
            fGreenPixels.push_back(CountGreen(kFirstPlace + place * kPlaceWidth, kPlaceTop, 32, 44));
        }
        return false;
    }

private:
    void Click(const float* apAt) {
        const VoString mouse(MGApp::kMouseDevice);
        VoVector2 at(apAt[0], apAt[1]);
        App()->OnMouseMove(mouse, &at);
        App()->OnMouseDown(mouse, 1);
        App()->OnMouseUp(mouse, 1);
    }

    // The display's digits glow green.
    static int CountGreen(int aX, int aY, int aWidth, int aHeight) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, aWidth, aHeight);
        if (bgra.empty()) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i < bgra.size(); i += 4) {
            count += bgra[i + 1] > 180 && bgra[i + 2] < 150 ? 1 : 0;
        }
        return count;
    }
};

}  // namespace

TEST(MGPuzzleGL, TheKeypadShowsTheKeysClickedOnIt) {
    WindowedGame game;
    KeypadPlayer* player = new KeypadPlayer();
    ASSERT_TRUE(game.Run(player));
    ASSERT_EQ(player->fGreenPixels.size(), 3u);
    EXPECT_GT(player->fGreenPixels[0], 20);
    EXPECT_GT(player->fGreenPixels[1], 20);
    EXPECT_EQ(player->fGreenPixels[2], 0);
}
