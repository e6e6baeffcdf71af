#pragma once
// Where the rasterizer and the textures find the drawing device when they
// are initialised: the graphics device's, or one a test sets. The one place
// that knows who hands the device out.
#include <cstdint>

class VoIRenderDevice;

class VoRenderDeviceSource {
public:
    // The device set with Set, else the graphics device's (VoGraphicsDX9);
    // null while neither exists.
    static VoIRenderDevice* Get();
    // apDevice: not owned, outlives its users; null clears.
    static void Set(VoIRenderDevice* apDevice);

    // The largest vertex index the device draws with, for index buffers
    // fitting themselves to it: the device's answer, or 2^32 - 1 (32-bit
    // indices) while there is no device.
    static std::uint32_t GetMaxVertexIndex();
};
