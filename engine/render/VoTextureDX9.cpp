#include "render/VoTextureDX9.h"

#include <cmath>
#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "platform/port/VoGraphicsContextState.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"

namespace {

std::uint32_t LevelSize(std::uint32_t aSize, std::uint32_t aLevel) {
    const std::uint32_t size = aLevel < 32 ? aSize >> aLevel : 0;
    return size == 0 ? 1 : size;
}

std::uint32_t FullChain(std::uint32_t aWidth, std::uint32_t aHeight) {
    std::uint32_t largest = aWidth > aHeight ? aWidth : aHeight;
    std::uint32_t levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

// The source span [first, last) that destination pixel aIndex of aTo
// covers in aFrom: every source pixel lands in exactly one span.
void Span(std::uint32_t aIndex, std::uint32_t aFrom, std::uint32_t aTo, std::uint32_t* apFirst,
          std::uint32_t* apLast) {
    const std::uint64_t first = static_cast<std::uint64_t>(aIndex) * aFrom / aTo;
    std::uint64_t last = static_cast<std::uint64_t>(aIndex + 1) * aFrom / aTo;
    if (last <= first) {
        last = first + 1;
    }
    *apFirst = static_cast<std::uint32_t>(first);
    *apLast = static_cast<std::uint32_t>(last);
}

// A aToWidth x aToHeight copy of the picture, each pixel the rounded mean of
// the source pixels it covers, byte channel by byte channel. Rows tight.
void BoxFilter(const unsigned char* apFrom, std::uint32_t aFromWidth, std::uint32_t aFromHeight,
               std::uint64_t aFromPitch, std::uint32_t aBytes, unsigned char* apTo, std::uint32_t aToWidth,
               std::uint32_t aToHeight) {
    for (std::uint32_t y = 0; y < aToHeight; ++y) {
        std::uint32_t top = 0;
        std::uint32_t bottom = 0;
        Span(y, aFromHeight, aToHeight, &top, &bottom);
        for (std::uint32_t x = 0; x < aToWidth; ++x) {
            std::uint32_t left = 0;
            std::uint32_t right = 0;
            Span(x, aFromWidth, aToWidth, &left, &right);
            const std::uint32_t count = (bottom - top) * (right - left);
            for (std::uint32_t channel = 0; channel < aBytes; ++channel) {
                std::uint32_t sum = 0;
                for (std::uint32_t row = top; row < bottom; ++row) {
                    const unsigned char* line = apFrom + row * aFromPitch;
                    for (std::uint32_t column = left; column < right; ++column) {
                        sum += line[column * aBytes + channel];
                    }
                }
                apTo[(static_cast<std::uint64_t>(y) * aToWidth + x) * aBytes + channel] =
                    static_cast<unsigned char>((sum + count / 2) / count);
            }
        }
    }
}

}  // namespace

VoTextureDX9::~VoTextureDX9() {
    ReleaseNative();
    fpDevice = nullptr;
}

std::uint32_t VoTextureDX9::DevicePriority(float aPriority) {
    const float scaled = std::trunc(aPriority * 1000.0f);
    if (!(scaled > 0.0f)) {
        return 0;
    }
    if (scaled >= 4294967295.0f) {
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(scaled);
}

bool VoTextureDX9::Fail(const char* apMessage, VoDeviceResult aResult) {
    VO_ERROR(apMessage, VoDeviceResultName(aResult), ": ", VoDeviceResultText(aResult));
    return false;
}

void VoTextureDX9::ReleaseNative() {
    if (fpTexture == nullptr) {
        return;
    }
    VoIRasterizer::ForgetTexture(this);
    if (fpDevice != nullptr && VoGraphicsContextState::IsAlive()) {
        fpDevice->ReleaseTexture(fpTexture);
    }
    fpTexture = nullptr;
}

bool VoTextureDX9::Initialize(std::uintptr_t) {
    fpDevice = VoRenderDeviceSource::Get();
    if (fpDevice == nullptr) {
        VO_ERROR(kInitFailure);
        return false;
    }
    return true;
}

bool VoTextureDX9::CreateTexture(VoImage* apImage) {
    if (fpDevice == nullptr) {
        VO_ERROR(kNoDevice);
        return false;
    }
    if (apImage == nullptr || apImage->GetPixels() == nullptr || apImage->GetWidth() < 1 ||
        apImage->GetHeight() < 1) {
        return Fail(kCreateFailure, VoDeviceResult::kInvalidCall);
    }
    const std::uint32_t width = static_cast<std::uint32_t>(apImage->GetWidth());
    const std::uint32_t height = static_cast<std::uint32_t>(apImage->GetHeight());
    const std::int32_t format = apImage->GetFormat();
    const std::uint32_t bytes = static_cast<std::uint32_t>(VoImage::GetBytesPerPixel(format));
    const std::uint32_t chain = FullChain(width, height);
    const std::uint32_t levels = fMipLevels == 0 || fMipLevels > chain ? chain : fMipLevels;

    ReleaseNative();
    VoDeviceTexture* texture = nullptr;
    const VoDeviceResult created = fpDevice->CreateTexture(width, height, levels, format, &texture);
    if (created != VoDeviceResult::kOk || texture == nullptr) {
        return Fail(kCreateFailure, created != VoDeviceResult::kOk ? created : VoDeviceResult::kInvalidCall);
    }
    fpTexture = texture;

    // Level 0 is the image; every further level a box-filtered half of the one before.
    const unsigned char* level = apImage->GetPixels();
    std::uint64_t pitch = static_cast<std::uint64_t>(apImage->GetPitch());
    unsigned char* reduced[2] = {nullptr, nullptr};
    if (levels > 1) {
        const std::uint64_t largest =
            static_cast<std::uint64_t>(LevelSize(width, 1)) * LevelSize(height, 1) * bytes;
        reduced[0] = VO_NEW unsigned char[largest];
        reduced[1] = VO_NEW unsigned char[largest];
        if (reduced[0] == nullptr || reduced[1] == nullptr) {
            delete[] reduced[0];
            delete[] reduced[1];
            return Fail(kLoadFailure, VoDeviceResult::kOutOfMemory);
        }
    }
    bool loaded = true;
    for (std::uint32_t i = 0; i < levels && loaded; ++i) {
        if (i > 0) {
            unsigned char* next = reduced[i % 2];
            BoxFilter(level, LevelSize(width, i - 1), LevelSize(height, i - 1), pitch, bytes, next,
                      LevelSize(width, i), LevelSize(height, i));
            level = next;
            pitch = static_cast<std::uint64_t>(LevelSize(width, i)) * bytes;
        }
        const VoDeviceResult uploaded =
            fpDevice->UploadTextureLevel(texture, i, level, static_cast<std::int32_t>(pitch));
        if (uploaded != VoDeviceResult::kOk) {
            loaded = Fail(kLevelFailure, uploaded);
        }
    }
    delete[] reduced[0];
    delete[] reduced[1];
    if (!loaded) {
        return false;
    }
    fpDevice->SetTexturePriority(texture, DevicePriority(fPriority));
    fWidth = width;
    fHeight = height;
    return true;
}

bool VoTextureDX9::CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::int32_t aFormat) {
    if (fpDevice == nullptr) {
        VO_ERROR(kNoDevice);
        return false;
    }
    ReleaseNative();
    VoDeviceTexture* texture = nullptr;
    const VoDeviceResult created = fpDevice->CreateTexture(aWidth, aHeight, 1, aFormat, &texture);
    if (created != VoDeviceResult::kOk || texture == nullptr) {
        return Fail(kCreateFailure, created != VoDeviceResult::kOk ? created : VoDeviceResult::kInvalidCall);
    }
    fpTexture = texture;
    fpDevice->SetTexturePriority(texture, DevicePriority(fPriority));
    fWidth = aWidth;
    fHeight = aHeight;
    return true;
}

bool VoTextureDX9::SetPriority(float aPriority) {
    if (fpTexture != nullptr && fpDevice != nullptr) {
        fpDevice->SetTexturePriority(fpTexture, DevicePriority(aPriority));
    } else {
        fPriority = aPriority;
    }
    return true;
}

VoString VoTextureDX9::ToString() const {
    return VoDebugString("VoTextureDX9", this);
}

bool VoTextureDX9::UpdateTexture(const std::uint8_t* apPixels, std::uint32_t aPitch) {
    if (fpDevice == nullptr || fpTexture == nullptr || apPixels == nullptr || aPitch > 0x7FFFFFFFu) {
        return false;
    }
    return fpDevice->UploadTextureLevel(fpTexture, 0, apPixels, static_cast<std::int32_t>(aPitch)) ==
           VoDeviceResult::kOk;
}
