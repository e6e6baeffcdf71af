#include "platform/port/VoIRenderDevice.h"

#include "platform/port/VoRenderDeviceGL.h"

const char* VoDeviceResultName(VoDeviceResult aResult) {
    switch (aResult) {
        case VoDeviceResult::kOk:
            return "DEVICE_OK";
        case VoDeviceResult::kInvalidCall:
            return "DEVICE_INVALIDCALL";
        case VoDeviceResult::kNotAvailable:
            return "DEVICE_NOTAVAILABLE";
        case VoDeviceResult::kOutOfMemory:
            return "DEVICE_OUTOFMEMORY";
    }
    return "DEVICE_UNKNOWN";
}

const char* VoDeviceResultText(VoDeviceResult aResult) {
    switch (aResult) {
        case VoDeviceResult::kOk:
            return "No error.";
        case VoDeviceResult::kInvalidCall:
            return "The device cannot take these arguments.";
        case VoDeviceResult::kNotAvailable:
            return "The device does not offer this format or size.";
        case VoDeviceResult::kOutOfMemory:
            return "The device ran out of memory.";
    }
    return "Unknown result.";
}

std::uint64_t VoPrimitiveVertexCount(VoIRenderDevice::Primitive aType, std::uint32_t aCount) {
    const std::uint64_t count = aCount;
    switch (aType) {
        case VoIRenderDevice::kPointList:
            return count;
        case VoIRenderDevice::kLineList:
            return count * 2;
        case VoIRenderDevice::kLineStrip:
            return count == 0 ? 0 : count + 1;
        case VoIRenderDevice::kTriangleList:
            return count * 3;
        case VoIRenderDevice::kTriangleStrip:
        case VoIRenderDevice::kTriangleFan:
            return count == 0 ? 0 : count + 2;
    }
    return 0;
}

VoIRenderDevice* VoCreateRenderDevice() {
    return VoRenderDeviceGL::Create();
}
