#include "MGApp.h"

#include <algorithm>

#include "MGScreenManager.h"
#include "container/VoLog.h"
#include "container/VoString.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "geometry/VoVector2.h"
#include "interview/MGInterviewManager.h"
#include "memory/VoNew.h"
#include "menu/MGCaseControl.h"
#include "menu/MGCaseSelection.h"
#include "menu/MGIntro.h"
#include "object/VoRestoreManager.h"
#include "pda/MGPDA.h"
#include "pda/MGPhone.h"
#include "platform/VoIDeviceCapabilities.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "profiler/MGProfilingComputer.h"
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/crossword/MGCrossWordPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/MGMapPuzzle.h"
#include "puzzles/painting/MGPaintingPuzzle.h"
#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/receipt/MGReceiptPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"
#include "puzzles/velmire/MGVelmirePuzzle.h"
#include "render/VoIRasterizer.h"
#include "scene/MGSceneManager.h"
#include "scene/VoNodeManager.h"
#include "stdlib/VoFrameManager.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"

namespace {

MGApp* gInstance = nullptr;  // owned by the platform

// A plain log line: the label and the value ("true"/"false" or decimal).
template <typename Value>
void LogLine(const char16_t* apLabel, Value aValue) {
    VoString line(apLabel);
    line.Append(aValue);
    VoLog::Report(line);
}

}  // namespace

MGApp* MGApp::GetInstance() {
    if (gInstance == nullptr) {
        gInstance = VO_NEW MGApp();
        if (gInstance == nullptr) {
            VO_ERROR(kCreationFailure);
        }
    }
    return gInstance;
}

MGApp* MGApp::PeekInstance() {
    return gInstance;
}

MGApp::MGApp()
    : fpMouse(VoMouse::GetInstance()),
      fpKeyboard(VoKeyboard::GetInstance()),
      fpRasterizer(VoIRasterizer::Get()),
      fpDisplay(VoDisplayManager::GetInstance()),
      fpFrames(VoFrameManager::GetInstance()),
      fpNodes(VoNodeManager::GetInstance()),
      fpFonts(VoFontManager::GetInstance()),
      fpSceneManager(MGSceneManager::GetInstance()),
      fLastWheel(0.0f) {}

MGApp::~MGApp() {
    if (gInstance == this) {
        gInstance = nullptr;
    }
}

bool MGApp::OnMouseDown(const VoString& aDevice, int aButton) {
    if (aDevice == VoString(kMouseDevice) && fpMouse != nullptr) {
        return fpMouse->ButtonDown(aButton);
    }
    return true;
}

bool MGApp::OnMouseUp(const VoString& aDevice, int aButton) {
    if (aDevice == VoString(kMouseDevice) && fpMouse != nullptr) {
        return fpMouse->ButtonUp(aButton);
    }
    return true;
}

bool MGApp::OnMouseMove(const VoString& aDevice, VoVector2* apValue) {
    if (apValue == nullptr || fpMouse == nullptr) {
        return false;
    }
    if (aDevice == VoString(kMouseDevice)) {
        // In place: the device adds its next motion to the kept position.
        apValue->x = std::clamp(apValue->x, 0.0f, kMaxX);
        apValue->y = std::clamp(apValue->y, 0.0f, kMaxY);
        return fpMouse->Move(apValue);
    }
    if (aDevice == VoString(kWheelDevice)) {
        const float delta = apValue->y - fLastWheel;
        fLastWheel = apValue->y;
        return fpMouse->Wheel(delta);
    }
    return true;
}

bool MGApp::OnKeyDown(int aKey) {
    return fpKeyboard != nullptr && fpKeyboard->KeyDown(aKey);
}

bool MGApp::OnKeyUp(int aKey) {
    return fpKeyboard != nullptr && fpKeyboard->KeyUp(aKey);
}

bool MGApp::Init() {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(MGCursor::kDefault, VoString(u""));
    }
    if (fpFonts == nullptr || !fpFonts->CreateFonts(VoString(kFontList), VoString(kFontRoot))) {
        VO_ERROR(kFontFailure);
    }
    if (fpRasterizer != nullptr) {
        fpRasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
        fpRasterizer->SetCullMode(VoIRasterizer::kCullNone);
    }
    LogDeviceCapabilities();
    if (VoRestoreManager* restore = VoRestoreManager::GetInstance()) {
        restore->AddEngineRestorables();
    }
    CreateGameSingletons();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGIntro* intro = MGIntro::GetInstance();
    return screens != nullptr && intro != nullptr && screens->PushFade(intro);
}

void MGApp::LogDeviceCapabilities() {
    VoIDeviceCapabilities* caps = VoIDeviceCapabilities::GetInstance();
    if (caps == nullptr) {
        return;
    }
    LogLine(u"Device requires pow2 textures: ", caps->RequiresPow2Textures());
    LogLine(u"Device requires square textures: ", caps->RequiresSquareTextures());
    LogLine(u"Device max texture width: ", caps->GetMaxTextureWidth());
    LogLine(u"Device max texture height: ", caps->GetMaxTextureHeight());
    LogLine(u"Device supports two-sided stencils: ", caps->SupportsTwoSidedStencil());
}

void MGApp::CreateGameSingletons() {
    // Each accessor logs its own failure; the rest are made all the same.
    MGInterviewManager::GetInstance();
    MGPDA::GetInstance();
    MGProfilingComputer::GetInstance();
    MGCaseSelection::GetInstance();
    MGCigarBandPuzzle::GetInstance();
    MGPaintingPuzzle::GetInstance();
    MGCombinationLockPuzzle::GetInstance();
    MGSlideBoxPuzzle::GetInstance();
    MGFloorSafePuzzle::GetInstance();
    MGMapPuzzle::GetInstance();
    MGCrossWordPuzzle::GetInstance();
    MGReceiptPuzzle::GetInstance();
    MGDravoBoxPuzzle::GetInstance();
    MGRoomServicePuzzle::GetInstance();
    MGBaseballBatPuzzle::GetInstance();
    MGPCDesktopPuzzle::GetInstance();
    MGHarpPuzzle::GetInstance();
    MGVelmirePuzzle::GetInstance();
    MGChasePhotoPuzzle::GetInstance();
    MGHotelWindowPuzzle::GetInstance();
    MGPOBoxPuzzle::GetInstance();
    MGSurveillanceTapePuzzle::GetInstance();
    MGCaseControl::GetInstance();
    MGCutScenePlayer::GetInstance();
    MGPhone::GetInstance();
    MGIntro::GetInstance();
}

bool MGApp::Frame() {
    if (fpRasterizer != nullptr) {
        fpRasterizer->Clear();
        fpRasterizer->SetAlphaBlending(true);
    }
    if (fpFrames != nullptr) {
        fpFrames->Update();
    }
    if (fpSceneManager != nullptr) {
        fpSceneManager->Update();
        fpSceneManager->Render();
    }
    if (fpNodes != nullptr) {
        fpNodes->Render();
    }
    return fpDisplay != nullptr && fpDisplay->Render();
}
