#include "game/support/PuzzleGame.h"

#include "MGApp.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "platform/VoMouse.h"
#include "state/VoStateManager.h"
#include "util/MGOptions.h"

PuzzleGame::PuzzleGame() {
    MountSampleTree();
    if (VoFontManager* fonts = VoFontManager::GetInstance()) {
        fonts->CreateFonts(VoString(MGApp::kFontList), VoString(MGApp::kFontRoot));
    }
    // Whatever options file the data tree holds, the tests start alike.
    if (MGOptions* options = MGOptions::GetInstance()) {
        options->SetSkillLevel(MGOptions::kDefaultSkillLevel);
        for (int i = 0; i < MGOptions::kOptionCount; ++i) {
            options->SetOption(i, 0);
        }
        options->SetVolume(MGOptions::kDefaultVolume);
    }
    FrameAt(fNow);
    Screens()->PushScreen(&fScene);
}

PuzzleGame::~PuzzleGame() {
    // The base screen dies with the game object; the stack must not outlive it.
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->Clear();
    }
}

void PuzzleGame::Frame(double aSeconds) {
    fNow += aSeconds;
    FrameAt(fNow);
}

void PuzzleGame::Frames(int aCount, double aSeconds) {
    for (int i = 0; i < aCount; ++i) {
        Frame(aSeconds);
    }
}

void PuzzleGame::Settle() {
    // Long enough for a fade out and in that the screen manager does not
    // run (a puzzle's own), however long its own take.
    const double least = fNow + kSettleTime;
    const double end = fNow + kSettleLimit;
    do {
        Frame();
    } while ((fNow < least || Screens()->IsBusy()) && fNow < end);
}

void PuzzleGame::SetState(const char16_t* apId, bool aValue) {
    VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"boolean"),
                                            VoString(aValue ? u"true" : u"false"), true);
}

void PuzzleGame::Open(const char16_t* apActivationState) {
    SetState(apActivationState, true);
    Settle();
}

void PuzzleGame::SetSkill(int aLevel) {
    MGOptions::GetInstance()->SetSkillLevel(aLevel);
}

void PuzzleGame::MoveTo(float aX, float aY) {
    const VoVector2 position(aX, aY);
    VoMouse::GetInstance()->Move(&position);
}

void PuzzleGame::Press(float aX, float aY, int aButton) {
    MoveTo(aX, aY);
    VoMouse::GetInstance()->ButtonDown(aButton);
}

void PuzzleGame::Release(int aButton) {
    VoMouse::GetInstance()->ButtonUp(aButton);
}

void PuzzleGame::Click(float aX, float aY) {
    Press(aX, aY);
    Release();
}

void PuzzleGame::CentreOf(VoIDisplayObject* apObject, float* apX, float* apY) {
    *apX = -1.0f;
    *apY = -1.0f;
    // A button is where its look at rest is.
    if (auto* button = dynamic_cast<VoButton*>(apObject)) {
        apObject = button->GetStateObject(XBTNSTATE_NORMAL);
    }
    VoPolygon outline;
    if (apObject != nullptr && apObject->GetWorldBoundary(outline) && outline.GetNumPoints() > 0) {
        const VoRectangle box(outline);
        *apX = box.x + box.width / 2.0f;
        *apY = box.y + box.height / 2.0f;
    }
}

bool PuzzleGame::ClickMember(VoDisplayGroup* apGroup, const char16_t* apPath) {
    float x = 0.0f;
    float y = 0.0f;
    CentreOf(apGroup != nullptr ? apGroup->GetMember(VoString(apPath)) : nullptr, &x, &y);
    if (x < 0.0f) {
        return false;
    }
    Click(x, y);
    return true;
}

bool PuzzleGame::EndSound(const char* apName) {
    stubs::SoundPlayer* sound = Sound(apName);
    if (sound == nullptr) {
        return false;
    }
    sound->End();
    return true;
}

bool PuzzleGame::HasEvent(const char16_t* apId) {
    return VoEventManager::GetInstance()->HasEvent(VoString(apId));
}
