#pragma once
// A MediaGame (stub sound and movie managers, the timer the test sets) on
// the repository's sample tree, with its fonts made, as start-up and the
// application's Init leave the game:
//
//     SampleGame game;
//     game.FrameAt(1.5);
#include <gtest/gtest.h>

#include "MGApp.h"
#include "game/support/MediaStubs.h"
#include "gdi/VoFontManager.h"

class SampleGame : public MediaGame {
public:
    SampleGame() {
        EXPECT_TRUE(MountSampleTree());
        VoFontManager* fonts = VoFontManager::GetInstance();
        EXPECT_TRUE(fonts != nullptr &&
                    fonts->CreateFonts(VoString(MGApp::kFontList), VoString(MGApp::kFontRoot)));
    }
};
