#include "RecordingRenderDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string Hex(std::uint32_t aValue) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", aValue);
    return text;
}

std::string Number(float aValue) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(aValue));
    return text;
}

std::string SamplerName(VoIRenderDevice::SamplerState aState) {
    switch (aState) {
        case VoIRenderDevice::kSamplerAddressU:
            return "AddressU";
        case VoIRenderDevice::kSamplerAddressV:
            return "AddressV";
        case VoIRenderDevice::kSamplerAddressW:
            return "AddressW";
        case VoIRenderDevice::kSamplerMagFilter:
            return "MagFilter";
        case VoIRenderDevice::kSamplerMinFilter:
            return "MinFilter";
        case VoIRenderDevice::kSamplerMipFilter:
            return "MipFilter";
    }
    return "Sampler" + std::to_string(aState);
}

std::string StageName(VoIRenderDevice::TextureStageState aState) {
    switch (aState) {
        case VoIRenderDevice::kStageColorOp:
            return "ColorOp";
        case VoIRenderDevice::kStageColorArg1:
            return "ColorArg1";
        case VoIRenderDevice::kStageColorArg2:
            return "ColorArg2";
        case VoIRenderDevice::kStageAlphaOp:
            return "AlphaOp";
        case VoIRenderDevice::kStageAlphaArg1:
            return "AlphaArg1";
        case VoIRenderDevice::kStageAlphaArg2:
            return "AlphaArg2";
    }
    return "Stage" + std::to_string(aState);
}

}  // namespace

RecordingRenderDevice::RecordingRenderDevice() {
    fViewport.fWidth = kTargetWidth;
    fViewport.fHeight = kTargetHeight;
}

RecordingRenderDevice::~RecordingRenderDevice() = default;

std::string RecordingRenderDevice::NameOf(RenderState aState) {
    static const char* const kNames[] = {
        "ZEnable",        "ZWriteEnable",     "ZFunc",           "FillMode",      "ShadeMode",
        "CullMode",       "AlphaBlendEnable", "SrcBlend",        "DestBlend",     "ColorWriteEnable",
        "Lighting",       "TextureFactor",    "StencilEnable",   "StencilFunc",   "StencilRef",
        "StencilMask",    "StencilFail",      "StencilZFail",    "StencilPass",   "TwoSidedStencilMode",
        "CcwStencilFunc", "CcwStencilFail",   "CcwStencilZFail", "CcwStencilPass"};
    if (aState < 0 || aState >= kRenderStateCount) {
        return "State" + std::to_string(aState);
    }
    return kNames[aState];
}

Lines RecordingRenderDevice::CallsStartingWith(const std::string& aPrefix) const {
    Lines lines;
    for (const std::string& line : fCalls) {
        if (line.rfind(aPrefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

RecordedTexture* RecordingRenderDevice::Texture(int aId) const {
    return aId >= 1 && aId <= static_cast<int>(fTextures.size()) ? fTextures[aId - 1].get() : nullptr;
}

RecordedBuffer* RecordingRenderDevice::Buffer(int aId) const {
    return aId >= 1 && aId <= static_cast<int>(fBuffers.size()) ? fBuffers[aId - 1].get() : nullptr;
}

RecordedTexture* RecordingRenderDevice::Own(VoDeviceTexture* apTexture) const {
    for (const auto& texture : fTextures) {
        if (texture.get() == apTexture) {
            return texture.get();
        }
    }
    return nullptr;
}

RecordedBuffer* RecordingRenderDevice::Own(VoDeviceBuffer* apBuffer) const {
    for (const auto& buffer : fBuffers) {
        if (buffer.get() == apBuffer) {
            return buffer.get();
        }
    }
    return nullptr;
}

std::string RecordingRenderDevice::TextureName(VoDeviceTexture* apTexture) const {
    if (apTexture == nullptr) {
        return "null";
    }
    RecordedTexture* texture = Own(apTexture);
    return texture != nullptr ? "T" + std::to_string(texture->fId) : "foreign";
}

std::string RecordingRenderDevice::BufferName(VoDeviceBuffer* apBuffer) const {
    if (apBuffer == nullptr) {
        return "null";
    }
    RecordedBuffer* buffer = Own(apBuffer);
    return buffer != nullptr ? "B" + std::to_string(buffer->fId) : "foreign";
}

void RecordingRenderDevice::Reapply() {
    Record("Reapply");
}

bool RecordingRenderDevice::SetRenderState(RenderState aState, std::uint32_t aValue) {
    Record("SetRenderState " + NameOf(aState) + " " + std::to_string(aValue));
    if (aState < 0 || aState >= kRenderStateCount) {
        return false;
    }
    fStates[aState] = aValue;
    return true;
}

bool RecordingRenderDevice::SetSamplerState(SamplerState aState, std::uint32_t aValue) {
    Record("SetSamplerState " + SamplerName(aState) + " " + std::to_string(aValue));
    return true;
}

bool RecordingRenderDevice::SetTextureStageState(TextureStageState aState, std::uint32_t aValue) {
    Record("SetTextureStageState " + StageName(aState) + " " + std::to_string(aValue));
    return true;
}

bool RecordingRenderDevice::SetTransform(Transform aTransform, const float* apMatrix) {
    Record("SetTransform " + std::to_string(aTransform));
    fTransforms[aTransform] = std::vector<float>(apMatrix, apMatrix + 16);
    return true;
}

bool RecordingRenderDevice::GetTransform(Transform aTransform, float* apMatrix) {
    Record("GetTransform " + std::to_string(aTransform));
    auto found = fTransforms.find(aTransform);
    if (found == fTransforms.end()) {
        return false;
    }
    std::memcpy(apMatrix, found->second.data(), 16 * sizeof(float));
    return true;
}

bool RecordingRenderDevice::SetViewport(const VoDeviceViewport& aViewport) {
    Record("SetViewport " + std::to_string(aViewport.fX) + " " + std::to_string(aViewport.fY) + " " +
           std::to_string(aViewport.fWidth) + " " + std::to_string(aViewport.fHeight) + " " +
           Number(aViewport.fMinZ) + " " + Number(aViewport.fMaxZ));
    fViewport = aViewport;
    return true;
}

bool RecordingRenderDevice::GetViewport(VoDeviceViewport* apViewport) {
    Record("GetViewport");
    *apViewport = fViewport;
    return true;
}

bool RecordingRenderDevice::Clear(std::uint32_t aFlags, std::uint32_t aColor, float aZ,
                                  std::uint32_t aStencil) {
    Record("Clear " + std::to_string(aFlags) + " " + Hex(aColor) + " " + Number(aZ) + " " +
           std::to_string(aStencil));
    return true;
}

bool RecordingRenderDevice::SetLight(std::uint32_t aIndex, const VoDeviceLight& aLight) {
    Record("SetLight " + std::to_string(aIndex) + " type " + std::to_string(aLight.fType));
    if (aIndex >= kMaxLights) {
        return false;
    }
    fLights[aIndex] = aLight;
    return true;
}

bool RecordingRenderDevice::LightEnable(std::uint32_t aIndex, bool aEnable) {
    Record("LightEnable " + std::to_string(aIndex) + " " + (aEnable ? "1" : "0"));
    return aIndex < kMaxLights;
}

bool RecordingRenderDevice::SetMaterial(const VoDeviceMaterial& aMaterial) {
    Record("SetMaterial");
    fMaterial = aMaterial;
    return true;
}

VoDeviceResult RecordingRenderDevice::CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight,
                                                    std::uint32_t aLevels, std::int32_t aFormat,
                                                    VoDeviceTexture** appTexture) {
    std::string line = "CreateTexture " + std::to_string(aWidth) + "x" + std::to_string(aHeight) +
                       " levels " + std::to_string(aLevels) + " format " + std::to_string(aFormat);
    if (fCreateResult != VoDeviceResult::kOk) {
        Record(line + " -> " + VoDeviceResultName(fCreateResult));
        return fCreateResult;
    }
    auto texture = std::make_unique<RecordedTexture>();
    texture->fId = static_cast<int>(fTextures.size()) + 1;
    texture->fWidth = aWidth;
    texture->fHeight = aHeight;
    texture->fLevels = aLevels;
    texture->fFormat = aFormat;
    texture->fPixels.resize(aLevels);
    Record(line + " -> T" + std::to_string(texture->fId));
    *appTexture = texture.get();
    fTextures.push_back(std::move(texture));
    return VoDeviceResult::kOk;
}

VoDeviceResult RecordingRenderDevice::UploadTextureLevel(VoDeviceTexture* apTexture, std::uint32_t aLevel,
                                                         const unsigned char* apPixels, std::int32_t aPitch) {
    Record("UploadTextureLevel " + TextureName(apTexture) + " " + std::to_string(aLevel) + " pitch " +
           std::to_string(aPitch));
    RecordedTexture* texture = Own(apTexture);
    if (fUploadResult != VoDeviceResult::kOk) {
        return fUploadResult;
    }
    if (texture == nullptr || aLevel >= texture->fLevels || apPixels == nullptr) {
        return VoDeviceResult::kInvalidCall;
    }
    const std::uint32_t width = std::max(1u, texture->fWidth >> aLevel);
    const std::uint32_t height = std::max(1u, texture->fHeight >> aLevel);
    const std::uint32_t bytes = texture->fFormat == 3 ? 3 : (texture->fFormat == 4 ? 1 : 4);
    std::vector<unsigned char>& level = texture->fPixels[aLevel];
    level.clear();
    for (std::uint32_t row = 0; row < height; ++row) {
        const unsigned char* line =
            apPixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(aPitch);
        level.insert(level.end(), line, line + width * bytes);
    }
    return VoDeviceResult::kOk;
}

void RecordingRenderDevice::ReleaseTexture(VoDeviceTexture* apTexture) {
    Record("ReleaseTexture " + TextureName(apTexture));
    if (RecordedTexture* texture = Own(apTexture)) {
        texture->fReleased = true;
        if (fpBound == texture) {
            fpBound = nullptr;
        }
    }
}

bool RecordingRenderDevice::SetTexturePriority(VoDeviceTexture* apTexture, std::uint32_t aPriority) {
    Record("SetTexturePriority " + TextureName(apTexture) + " " + std::to_string(aPriority));
    if (RecordedTexture* texture = Own(apTexture)) {
        texture->fPriority = aPriority;
        return true;
    }
    return false;
}

bool RecordingRenderDevice::SetTexture(VoDeviceTexture* apTexture) {
    Record("SetTexture " + TextureName(apTexture));
    fpBound = Own(apTexture);
    return apTexture == nullptr || fpBound != nullptr;
}

VoDeviceBuffer* RecordingRenderDevice::CreateVertexBuffer(std::uint32_t aBytes) {
    auto buffer = std::make_unique<RecordedBuffer>();
    buffer->fId = static_cast<int>(fBuffers.size()) + 1;
    buffer->fCapacity = aBytes;
    Record("CreateVertexBuffer " + std::to_string(aBytes) + " -> B" + std::to_string(buffer->fId));
    fBuffers.push_back(std::move(buffer));
    return fBuffers.back().get();
}

VoDeviceBuffer* RecordingRenderDevice::CreateIndexBuffer(std::uint32_t aBytes, IndexFormat aFormat) {
    auto buffer = std::make_unique<RecordedBuffer>();
    buffer->fId = static_cast<int>(fBuffers.size()) + 1;
    buffer->fIndex = true;
    buffer->fCapacity = aBytes;
    Record("CreateIndexBuffer " + std::to_string(aBytes) + " " + std::to_string(aFormat) + " -> B" +
           std::to_string(buffer->fId));
    fBuffers.push_back(std::move(buffer));
    return fBuffers.back().get();
}

bool RecordingRenderDevice::WriteBuffer(VoDeviceBuffer* apBuffer, const void* apData, std::uint32_t aBytes) {
    Record("WriteBuffer " + BufferName(apBuffer) + " " + std::to_string(aBytes));
    RecordedBuffer* buffer = Own(apBuffer);
    if (buffer == nullptr) {
        return false;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(apData);
    buffer->fData.assign(bytes, bytes + (apData != nullptr ? aBytes : 0));
    if (aBytes > buffer->fCapacity) {
        buffer->fCapacity = aBytes;
    }
    return true;
}

void RecordingRenderDevice::ReleaseBuffer(VoDeviceBuffer* apBuffer) {
    Record("ReleaseBuffer " + BufferName(apBuffer));
    if (RecordedBuffer* buffer = Own(apBuffer)) {
        buffer->fReleased = true;
    }
}

bool RecordingRenderDevice::SetStreamSource(VoDeviceBuffer* apBuffer, std::uint32_t aStride) {
    Record("SetStreamSource " + BufferName(apBuffer) + " " + std::to_string(aStride));
    return true;
}

bool RecordingRenderDevice::SetVertexDeclaration(const VoVertexDeclaration& aDeclaration) {
    Record("SetVertexDeclaration normal " + std::to_string(aDeclaration.fNormalOffset) + " color " +
           std::to_string(aDeclaration.fColorOffset) + " texcoord " +
           std::to_string(aDeclaration.fTexCoordOffset));
    return true;
}

bool RecordingRenderDevice::SetIndices(VoDeviceBuffer* apBuffer) {
    Record("SetIndices " + BufferName(apBuffer));
    return true;
}

bool RecordingRenderDevice::DrawPrimitive(Primitive aType, std::uint32_t aStartVertex,
                                          std::uint32_t aPrimitiveCount) {
    Record("DrawPrimitive " + std::to_string(aType) + " " + std::to_string(aStartVertex) + " " +
           std::to_string(aPrimitiveCount));
    return true;
}

bool RecordingRenderDevice::DrawIndexedPrimitive(Primitive aType, std::int32_t aBaseVertex,
                                                 std::uint32_t aMinIndex, std::uint32_t aVertexCount,
                                                 std::uint32_t aStartIndex, std::uint32_t aPrimitiveCount) {
    Record("DrawIndexedPrimitive " + std::to_string(aType) + " " + std::to_string(aBaseVertex) + " " +
           std::to_string(aMinIndex) + " " + std::to_string(aVertexCount) + " " +
           std::to_string(aStartIndex) + " " + std::to_string(aPrimitiveCount));
    return true;
}
