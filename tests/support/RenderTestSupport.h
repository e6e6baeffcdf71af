#pragma once
// What the render tests share: a recording device standing in for the
// graphics device, with the context marked alive for the test's life, and
// small images.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "geometry/VoImage.h"
#include "platform/port/VoGraphicsContextState.h"
#include "render/VoRenderDeviceSource.h"
#include "support/LogCapture.h"
#include "support/RecordingRenderDevice.h"

using Bytes = std::vector<unsigned char>;

// The recorder as the device that the rasterizer and textures find, and a
// live context; both undone at the end.
class RecordedDevice {
public:
    RecordedDevice() {
        VoRenderDeviceSource::Set(&fDevice);
        VoGraphicsContextState::SetAlive(true);
    }
    ~RecordedDevice() {
        VoGraphicsContextState::SetAlive(false);
        VoRenderDeviceSource::Set(nullptr);
    }
    RecordedDevice(const RecordedDevice&) = delete;
    RecordedDevice& operator=(const RecordedDevice&) = delete;

    RecordingRenderDevice* operator->() { return &fDevice; }
    RecordingRenderDevice& Get() { return fDevice; }

private:
    RecordingRenderDevice fDevice;
};

// An image of the given size and format from pixel bytes, rows of aPitch
// bytes (0: tight).
inline void MakeImage(VoImage& aImage, int aWidth, int aHeight, int aFormat, const Bytes& aPixels,
                      int aPitch = 0) {
    const int pitch = aPitch != 0 ? aPitch : aWidth * VoImage::GetBytesPerPixel(aFormat);
    ASSERT_TRUE(aImage.Create(aWidth, aHeight, pitch, aFormat, aPixels.data(), pitch * aHeight));
}
