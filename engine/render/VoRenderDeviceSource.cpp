#include "render/VoRenderDeviceSource.h"

#include "platform/port/VoIRenderDevice.h"

namespace {
VoIRenderDevice* gpDevice = nullptr;  // not owned
}

VoIRenderDevice* VoRenderDeviceSource::Get() {
    return gpDevice;
}

void VoRenderDeviceSource::Set(VoIRenderDevice* apDevice) {
    gpDevice = apDevice;
}

std::uint32_t VoRenderDeviceSource::GetMaxVertexIndex() {
    VoIRenderDevice* device = Get();
    return device != nullptr ? device->GetMaxVertexIndex() : 0xFFFFFFFFu;
}
