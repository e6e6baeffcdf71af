#pragma once
// The port layer's drawing device: the render states, transforms, lights,
// materials, buffers, draws and textures that the rasterizer and the
// textures call, over the current graphics context. The graphics device
// (VoGraphicsDX9) makes one after it has made the context; tests stand a
// recording device in its place.
class VoIRenderDevice {
public:
    virtual ~VoIRenderDevice() = default;
};

// Makes the drawing device over the current context; null when it cannot.
VoIRenderDevice* VoCreateRenderDevice();
