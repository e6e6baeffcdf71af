#include "MGClearApp.h"

#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"

bool MGClearApp::OnKeyDown(int aKey) {
    if (aKey == kEscape) {
        if (VoIPlatform* platform = VoIPlatform::GetInstance()) {
            platform->Quit();
        }
    }
    return true;
}

bool MGClearApp::Frame() {
    VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
    return graphics != nullptr && graphics->ClearBackBuffer(fColor);
}
