#include "platform/VoGraphicsDX9.h"

#include "container/VoColor.h"
#include "container/VoLog.h"
#include "platform/VoIGraphicsContext.h"
#include "platform/VoIPlatformPort.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPresentParameters.h"
#include "platform/port/VoIRenderDevice.h"

namespace {

VoGraphicsDX9* gInstance = nullptr;  // not owned: the platform's

void WriteChoice(const char16_t* apLine, const char* apName) {
    VoString line(apLine);
    line.Append(apName);
    VoLog::WriteLine(line.GetChars());
}

}  // namespace

VoGraphicsDX9* VoGraphicsDX9::GetInstance() {
    return gInstance;
}

VoGraphicsDX9::VoGraphicsDX9(VoIPlatformPort* apPort)
    : fWidth(0),
      fHeight(0),
      fBits(0),
      fWindowed(false),
      fpWindow(nullptr),
      fpPort(apPort),
      fpContext(nullptr),
      fpDevice(nullptr),
      fHasBackBuffer(false),
      fInScene(false) {
    gInstance = this;
}

VoGraphicsDX9::~VoGraphicsDX9() {
    Release();
    if (gInstance == this) {
        gInstance = nullptr;
    }
}

bool VoGraphicsDX9::Init(const VoPlatformDesc* apDesc) {
    if (apDesc == nullptr) {
        return false;
    }
    Release();
    fWidth = apDesc->fWidth;
    fHeight = apDesc->fHeight;
    fWindowed = apDesc->fWindowed;
    fBits = apDesc->fBits;
    fpWindow = apDesc->fpWindow;

    fpContext = fpPort != nullptr ? fpPort->CreateGraphicsContext() : nullptr;
    if (fpContext == nullptr || !fpContext->Create(fpWindow)) {
        VO_ASSERT_FAILURE(kCreateObjectFailure);
        delete fpContext;
        fpContext = nullptr;
        return false;
    }
    VoPresentParameters parameters;
    if (apDesc->fpPresentParameters != nullptr) {
        parameters = *apDesc->fpPresentParameters;
    } else {
        ChoosePresentParameters(*apDesc, &parameters);
    }
    return CreateDevice(parameters);
}

void VoGraphicsDX9::ChoosePresentParameters(const VoPlatformDesc& aDesc, VoPresentParameters* apParameters) {
    apParameters->fBackBufferWidth = aDesc.fWidth;
    apParameters->fBackBufferHeight = aDesc.fHeight;
    apParameters->fWindowed = aDesc.fWindowed;

    static constexpr VoBackBufferFormat k32[] = {VoBackBufferFormat::kA8R8G8B8, VoBackBufferFormat::kX8R8G8B8,
                                                 VoBackBufferFormat::kR5G6B5};
    static constexpr VoBackBufferFormat k24[] = {VoBackBufferFormat::kX8R8G8B8, VoBackBufferFormat::kR5G6B5};
    static constexpr VoBackBufferFormat k16[] = {VoBackBufferFormat::kR5G6B5};
    const VoBackBufferFormat* candidates = nullptr;
    int count = 0;
    switch (aDesc.fBits) {
        case 32:
            candidates = k32;
            count = 3;
            break;
        case 24:
            candidates = k24;
            count = 2;
            break;
        case 16:
            candidates = k16;
            count = 1;
            break;
        default:
            break;
    }
    apParameters->fBackBufferFormat = VoBackBufferFormat::kUnknown;
    for (int i = 0; i < count; ++i) {
        if (fpContext->CheckBackBufferFormat(candidates[i], aDesc.fWidth, aDesc.fHeight)) {
            apParameters->fBackBufferFormat = candidates[i];
            WriteChoice(kBackBufferFormatLine, VoFormatName(candidates[i]));
            break;
        }
    }
    if (apParameters->fBackBufferFormat == VoBackBufferFormat::kUnknown) {
        VO_ASSERT_FAILURE(kNoDisplayMode);
    }

    static constexpr VoDepthStencilFormat kDepth[] = {
        VoDepthStencilFormat::kD24S8, VoDepthStencilFormat::kD15S1, VoDepthStencilFormat::kD16};
    apParameters->fEnableAutoDepthStencil = false;
    for (VoDepthStencilFormat format : kDepth) {
        if (fpContext->CheckDepthStencilFormat(format, apParameters->fBackBufferFormat)) {
            apParameters->fEnableAutoDepthStencil = true;
            apParameters->fAutoDepthStencilFormat = format;
            WriteChoice(kDepthStencilLine, VoFormatName(format));
            break;
        }
    }
    if (!apParameters->fEnableAutoDepthStencil) {
        VoString line(kDepthStencilLine);
        line.Append(kNoDepthStencil);
        VoLog::WriteLine(line.GetChars());
    }
}

bool VoGraphicsDX9::CreateDevice(const VoPresentParameters& aParameters) {
    if (!fpContext->CreateBackBuffer(aParameters)) {
        VO_ERROR(kCreateDeviceFailure, fpContext->GetErrorText());
        return false;
    }
    fHasBackBuffer = true;
    fWidth = aParameters.fBackBufferWidth;
    fHeight = aParameters.fBackBufferHeight;
    fpDevice = fpContext->CreateRenderDevice();
    return true;
}

bool VoGraphicsDX9::BeginScene() {
    if (!fHasBackBuffer || fInScene) {
        VoLog::WriteLine(kBeginSceneFailed);
        return false;
    }
    fInScene = true;
    fpContext->BeginScene();
    return true;
}

bool VoGraphicsDX9::EndScene() {
    if (!fInScene) {
        return false;
    }
    fInScene = false;
    fpContext->EndScene();
    return true;
}

bool VoGraphicsDX9::Present() {
    if (!fHasBackBuffer) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    return fpContext->Present();
}

void VoGraphicsDX9::Release() {
    delete fpDevice;
    fpDevice = nullptr;
    delete fpContext;
    fpContext = nullptr;
    fHasBackBuffer = false;
    fInScene = false;
}

bool VoGraphicsDX9::ClearBackBuffer(const VoColor& aColor) {
    return fHasBackBuffer && fpContext->Clear(aColor);
}

bool VoGraphicsDX9::ReadBackBuffer(std::int32_t aX, std::int32_t aY, std::int32_t aWidth,
                                   std::int32_t aHeight, unsigned char* apPixels) {
    return fHasBackBuffer && apPixels != nullptr &&
           fpContext->ReadBackBuffer(aX, aY, aWidth, aHeight, apPixels);
}
