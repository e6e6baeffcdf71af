#include "render/VoRenderDeviceSource.h"

#include "platform/VoGraphicsDX9.h"
#include "platform/port/VoIRenderDevice.h"

namespace {
VoIRenderDevice* gpDevice = nullptr;  // not owned
}

VoIRenderDevice* VoRenderDeviceSource::Get() {
    if (gpDevice != nullptr) {
        return gpDevice;
    }
    VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
    return graphics != nullptr ? graphics->GetDevice() : nullptr;
}

void VoRenderDeviceSource::Set(VoIRenderDevice* apDevice) {
    gpDevice = apDevice;
}

std::uint32_t VoRenderDeviceSource::GetMaxVertexIndex() {
    VoIRenderDevice* device = Get();
    return device != nullptr ? device->GetMaxVertexIndex() : 0xFFFFFFFFu;
}
