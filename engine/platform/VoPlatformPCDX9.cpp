#include "platform/VoPlatformPCDX9.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/VoApp.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIWindowPort.h"
#include "platform/VoInputDX9.h"
#include "platform/VoMouseDX9.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoWindowWin.h"
#include "platform/port/VoSdlPort.h"

VoPlatformPCDX9::VoPlatformPCDX9() : VoPlatformPCDX9(&VoSdlPort::Get()) {}

VoPlatformPCDX9::VoPlatformPCDX9(VoIPlatformPort* apPort)
    : fWidth(0),
      fHeight(0),
      fWindowed(false),
      fBits(0),
      fpGraphics(nullptr),
      fpInput(nullptr),
      fpWindow(nullptr),
      fQuit(false),
      fCreated(false),
      fpCallback(nullptr),
      fpPort(apPort) {}

VoPlatformPCDX9::~VoPlatformPCDX9() {
    if (fpApp != nullptr) {
        fpApp->OnQuit();
    }
    delete fpGraphics;
    fpGraphics = nullptr;
    if (fpWindow != nullptr) {
        fpWindow->SetInput(nullptr);
    }
    delete fpInput;
    fpInput = nullptr;
    delete fpWindow;
    fpWindow = nullptr;
}

VoString VoPlatformPCDX9::ToString() const {
    return VoDebugString("VoPlatformPCDX9", this);
}

bool VoPlatformPCDX9::Initialize(std::uintptr_t) {
    if (fpApp != nullptr) {
        fpApp->Init();
    }
    return true;
}

bool VoPlatformPCDX9::Create(VoPlatformDesc* apDesc) {
    if (apDesc == nullptr) {
        VO_ERROR(kNullDesc);
        return false;
    }
    // A second window, device and input would leave the first ones behind.
    if (fpWindow != nullptr) {
        VO_ERROR(kCreatedAlready);
        return false;
    }
    fTitle = apDesc->fTitle;
    fWidth = apDesc->fWidth;
    fHeight = apDesc->fHeight;
    fWindowed = apDesc->fWindowed;
    fBits = apDesc->fBits;
    const bool ownWindow = apDesc->fpWindow == nullptr;

    fpWindow = VO_NEW VoWindowWin(apDesc->fpInstance, fTitle, fWidth, fHeight, fWindowed, fpPort, this);
    if (fpWindow == nullptr) {
        VO_ERROR(kWindowAllocationFailure);
        return false;
    }
    if (!fpWindow->RegisterWindowClass(apDesc->fpInstance)) {
        VO_ERROR(kRegisterFailure);
        return false;
    }
    if (ownWindow) {
        if (!fpWindow->Create(apDesc->fpInstance, apDesc->fShowCommand)) {
            VO_ERROR(kWindowInitFailure);
            return false;
        }
        apDesc->fpWindow = fpWindow->GetHandle();
    } else {
        fpWindow->SetHandle(apDesc->fpWindow);
    }

    fpGraphics = VO_NEW VoGraphicsDX9(fpPort);
    if (fpGraphics == nullptr) {
        VO_ERROR(kGraphicsAllocationFailure);
        return false;
    }
    if (!fpGraphics->Init(apDesc)) {
        return false;
    }

    if (ownWindow) {
        fpInput = VO_NEW VoInputDX9(this);
        if (fpInput != nullptr) {
            fpInput->Init(apDesc->fpInstance, fpWindow->GetPort(), 1, true, true);
            fpInput->SetPictureSize(fWidth, fHeight);
            fpInput->SetForeground(fActive);
            fpWindow->SetInput(fpInput);
        }
    }
    fpWindow->Show(apDesc->fShowCommand);
    fCreated = true;
    return true;
}

void VoPlatformPCDX9::Quit() {
    if (fpApp != nullptr) {
        fpApp->OnQuit();
    }
    fQuit = true;
}

void VoPlatformPCDX9::ShowCursor() {
    if (fpWindow != nullptr && fpWindow->GetPort() != nullptr) {
        fpWindow->GetPort()->AdjustCursorShowCount(1);
    }
    if (fpInput != nullptr) {
        fpInput->SetForeground(true);
    }
    VoIPlatform::ShowCursor();
}

void VoPlatformPCDX9::HideCursor() {
    if (fpWindow != nullptr && fpWindow->GetPort() != nullptr) {
        fpWindow->GetPort()->AdjustCursorShowCount(-1);
    }
    if (fpInput != nullptr) {
        fpInput->SetForeground(false);
    }
    VoIPlatform::HideCursor();
}

void VoPlatformPCDX9::Update() {
    if (fpApp != nullptr) {
        fpApp->Frame();
    }
}

void VoPlatformPCDX9::Reserved13(std::uint32_t) {}

void VoPlatformPCDX9::Reserved15() {}

void VoPlatformPCDX9::Reserved16() {}

int VoPlatformPCDX9::Run() {
    // Without a window and a device every pass would fail and log.
    if (!fCreated) {
        VO_ERROR(kRunWithoutCreate);
        return 0;
    }
    while (!fQuit && fpWindow->ProcessMessages()) {
        if (VoWindowWin::ConsumeActivityChange() && fpInput != nullptr && fpInput->GetMouse() != nullptr) {
            fpInput->GetMouse()->Unacquire();
        }
        fpGraphics->BeginScene();
        if (fpInput != nullptr) {
            fpInput->Update();
        }
        Update();
        fpGraphics->EndScene();
        fpGraphics->Present();
    }
    return 0;
}
