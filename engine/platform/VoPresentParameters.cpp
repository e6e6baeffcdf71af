#include "platform/VoPresentParameters.h"

const char* VoFormatName(VoBackBufferFormat aFormat) {
    switch (aFormat) {
        case VoBackBufferFormat::kA8R8G8B8:
            return "D3DFMT_A8R8G8B8";
        case VoBackBufferFormat::kX8R8G8B8:
            return "D3DFMT_X8R8G8B8";
        case VoBackBufferFormat::kR5G6B5:
            return "D3DFMT_R5G6B5";
        case VoBackBufferFormat::kUnknown:
            break;
    }
    return "D3DFMT_UNKNOWN";
}

const char* VoFormatName(VoDepthStencilFormat aFormat) {
    switch (aFormat) {
        case VoDepthStencilFormat::kD15S1:
            return "D3DFMT_D15S1";
        case VoDepthStencilFormat::kD16:
            return "D3DFMT_D16";
        case VoDepthStencilFormat::kD24S8:
            break;
    }
    return "D3DFMT_D24S8";
}
