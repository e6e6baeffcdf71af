#include "platform/VoWindowWin.h"

#include <string>

#include "container/VoLog.h"
#include "platform/VoIEventSource.h"
#include "platform/VoIPlatform.h"
#include "platform/VoIPlatformPort.h"
#include "platform/VoIWindowPort.h"
#include "platform/VoInputDX9.h"
#include "system/VoNativePath.h"

namespace {
bool gActivityChanged = false;
}

VoWindowWin::VoWindowWin(void* apInstance, const VoString& aTitle, std::uint32_t aWidth,
                         std::uint32_t aHeight, bool aWindowed, VoIPlatformPort* apPort,
                         VoIPlatform* apPlatform)
    : fWidth(aWidth),
      fHeight(aHeight),
      fWindowed(aWindowed),
      fpInstance(apInstance),
      fTitle(aTitle),
      fpPort(apPort != nullptr ? apPort->CreateWindowPort() : nullptr),
      fpEvents(apPort != nullptr ? apPort->CreateEventSource() : nullptr),
      fpPlatform(apPlatform),
      fpInput(nullptr) {
    gActivityChanged = false;
}

VoWindowWin::~VoWindowWin() {
    delete fpEvents;
    delete fpPort;
}

bool VoWindowWin::RegisterWindowClass(void* apInstance) {
    fpInstance = apInstance;
    if (fpPort == nullptr || fpEvents == nullptr) {
        return false;
    }
    if (!fpPort->Register()) {
        VoString line(kDisplayFailed);
        line.Append(fpPort->GetErrorText());
        VoLog::WriteLineAndPrint(line.GetChars());
        return false;
    }
    return true;
}

bool VoWindowWin::Create(void* apInstance, int) {
    fpInstance = apInstance;
    // The title's narrow form is the window's text; a unit whose low byte is
    // 0 would cut it short, so such a title is shown empty.
    std::string title;
    if (!VoNativePath::ToNarrow(fTitle, &title)) {
        title.clear();
    }
    if (fpPort == nullptr || !fpPort->Create(title.c_str(), fWidth, fHeight, !fWindowed)) {
        VoString line(kCreateFailed);
        line.Append(fpPort != nullptr ? fpPort->GetErrorText() : "");
        VoLog::WriteLineAndPrint(line.GetChars());
        return false;
    }
    return true;
}

void VoWindowWin::SetHandle(void* apHandle) {
    if (fpPort != nullptr) {
        fpPort->Adopt(apHandle);
    }
}

void* VoWindowWin::GetHandle() const {
    return fpPort != nullptr ? fpPort->GetHandle() : nullptr;
}

void VoWindowWin::Show(int aShowCommand) {
    if (fpPort != nullptr) {
        fpPort->Show(aShowCommand);
    }
}

bool VoWindowWin::ProcessMessages() {
    if (fpEvents == nullptr) {
        return true;
    }
    VoPortEvent event;
    while (fpEvents->Poll(&event)) {
        switch (event.fKind) {
            case VoPortEvent::kQuit:
                return false;
            case VoPortEvent::kFocusGained:
            case VoPortEvent::kFocusLost:
                if (fpPlatform != nullptr) {
                    if (event.fKind == VoPortEvent::kFocusGained) {
                        fpPlatform->ShowCursor();
                    } else {
                        fpPlatform->HideCursor();
                    }
                }
                gActivityChanged = true;
                break;
            default:
                if (fpInput != nullptr) {
                    fpInput->Feed(event);
                }
                break;
        }
    }
    return true;
}

bool VoWindowWin::ConsumeActivityChange() {
    const bool changed = gActivityChanged;
    gActivityChanged = false;
    return changed;
}
