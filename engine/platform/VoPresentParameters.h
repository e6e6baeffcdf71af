#pragma once
// How the back buffer is made: its size, its pixel format and whether it has
// a depth-stencil buffer, and of which format. The graphics device chooses
// these from the platform's description unless the description brings a
// record of its own, which is then used unchanged.
#include <cstdint>

// Pixel formats of the back buffer, named in the log as the device names them.
enum class VoBackBufferFormat : std::int32_t {
    kUnknown = 0,
    kA8R8G8B8,  // 32 bits with alpha
    kX8R8G8B8,  // 32 bits, the fourth byte unused
    kR5G6B5,    // 16 bits
};

enum class VoDepthStencilFormat : std::int32_t {
    kD24S8 = 0,  // 24-bit depth, 8-bit stencil
    kD15S1,      // 15-bit depth, 1-bit stencil
    kD16,        // 16-bit depth, no stencil
};

struct VoPresentParameters {
    std::uint32_t fBackBufferWidth = 0;
    std::uint32_t fBackBufferHeight = 0;
    VoBackBufferFormat fBackBufferFormat = VoBackBufferFormat::kUnknown;
    bool fEnableAutoDepthStencil = false;
    VoDepthStencilFormat fAutoDepthStencilFormat = VoDepthStencilFormat::kD24S8;
    bool fWindowed = false;
};

// "D3DFMT_A8R8G8B8", "D3DFMT_X8R8G8B8", "D3DFMT_R5G6B5", "D3DFMT_UNKNOWN".
const char* VoFormatName(VoBackBufferFormat aFormat);
// "D3DFMT_D24S8", "D3DFMT_D15S1", "D3DFMT_D16".
const char* VoFormatName(VoDepthStencilFormat aFormat);
