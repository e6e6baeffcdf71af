#pragma once
// A drawing device that draws nothing: it writes every call it gets as one
// line of text and keeps what it was given (states, lights, textures with
// their uploaded levels, buffer contents), so a test can pin the device
// calls that an engine call makes.
//
//     RecordingRenderDevice device;
//     VoRenderDeviceSource::Set(&device);
//     rasterizer.SetStencilFunction(VoIRasterizer::kCmpLess, false, 3, 0xFF);
//     EXPECT_EQ(device.Calls(), (Lines{"SetRenderState StencilRef 3", ...}));
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/port/VoIRenderDevice.h"

using Lines = std::vector<std::string>;

class RecordedTexture : public VoDeviceTexture {
public:
    int fId = 0;
    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
    std::uint32_t fLevels = 0;
    std::int32_t fFormat = 0;
    std::uint32_t fPriority = 0;
    bool fReleased = false;
    // Each level's pixels as uploaded, rows tight.
    std::vector<std::vector<unsigned char>> fPixels;
};

class RecordedBuffer : public VoDeviceBuffer {
public:
    int fId = 0;
    bool fIndex = false;
    std::uint32_t fCapacity = 0;
    bool fReleased = false;
    std::vector<unsigned char> fData;
};

class RecordingRenderDevice : public VoIRenderDevice {
public:
    RecordingRenderDevice();
    ~RecordingRenderDevice() override;

    // The calls since construction or the last ClearCalls, one line each.
    const Lines& Calls() const { return fCalls; }
    void ClearCalls() { fCalls.clear(); }
    // The lines that start with aPrefix.
    Lines CallsStartingWith(const std::string& aPrefix) const;

    std::uint32_t State(RenderState aState) const { return fStates[aState]; }
    const VoDeviceLight& Light(std::uint32_t aIndex) const { return fLights[aIndex]; }
    const VoDeviceMaterial& Material() const { return fMaterial; }
    const VoDeviceViewport& Viewport() const { return fViewport; }
    // The texture and buffer made by the n-th create call, from 1.
    RecordedTexture* Texture(int aId) const;
    RecordedBuffer* Buffer(int aId) const;
    RecordedTexture* BoundTexture() const { return fpBound; }

    // What CreateTexture and UploadTextureLevel answer from now on.
    void FailCreateTexture(VoDeviceResult aResult) { fCreateResult = aResult; }
    void FailUpload(VoDeviceResult aResult) { fUploadResult = aResult; }
    void SetMaxVertexIndex(std::uint32_t aMaximum) { fMaxVertexIndex = aMaximum; }

    // Render state and the other names as the lines print them.
    static std::string NameOf(RenderState aState);

    void Reapply() override;
    bool SetRenderState(RenderState aState, std::uint32_t aValue) override;
    bool SetSamplerState(SamplerState aState, std::uint32_t aValue) override;
    bool SetTextureStageState(TextureStageState aState, std::uint32_t aValue) override;
    bool SetTransform(Transform aTransform, const float* apMatrix) override;
    bool GetTransform(Transform aTransform, float* apMatrix) override;
    bool SetViewport(const VoDeviceViewport& aViewport) override;
    bool GetViewport(VoDeviceViewport* apViewport) override;
    bool Clear(std::uint32_t aFlags, std::uint32_t aColor, float aZ, std::uint32_t aStencil) override;
    bool SetLight(std::uint32_t aIndex, const VoDeviceLight& aLight) override;
    bool LightEnable(std::uint32_t aIndex, bool aEnable) override;
    bool SetMaterial(const VoDeviceMaterial& aMaterial) override;
    VoDeviceResult CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::uint32_t aLevels,
                                 std::int32_t aFormat, VoDeviceTexture** appTexture) override;
    VoDeviceResult UploadTextureLevel(VoDeviceTexture* apTexture, std::uint32_t aLevel,
                                      const unsigned char* apPixels, std::int32_t aPitch) override;
    void ReleaseTexture(VoDeviceTexture* apTexture) override;
    bool SetTexturePriority(VoDeviceTexture* apTexture, std::uint32_t aPriority) override;
    bool SetTexture(VoDeviceTexture* apTexture) override;
    VoDeviceBuffer* CreateVertexBuffer(std::uint32_t aBytes) override;
    VoDeviceBuffer* CreateIndexBuffer(std::uint32_t aBytes, IndexFormat aFormat) override;
    bool WriteBuffer(VoDeviceBuffer* apBuffer, const void* apData, std::uint32_t aBytes) override;
    void ReleaseBuffer(VoDeviceBuffer* apBuffer) override;
    bool SetStreamSource(VoDeviceBuffer* apBuffer, std::uint32_t aStride) override;
    bool SetVertexDeclaration(const VoVertexDeclaration& aDeclaration) override;
    bool SetIndices(VoDeviceBuffer* apBuffer) override;
    bool DrawPrimitive(Primitive aType, std::uint32_t aStartVertex, std::uint32_t aPrimitiveCount) override;
    bool DrawIndexedPrimitive(Primitive aType, std::int32_t aBaseVertex, std::uint32_t aMinIndex,
                              std::uint32_t aVertexCount, std::uint32_t aStartIndex,
                              std::uint32_t aPrimitiveCount) override;
    std::uint32_t GetMaxVertexIndex() override { return fMaxVertexIndex; }

private:
    void Record(const std::string& aLine) { fCalls.push_back(aLine); }
    // "T<id>", "B<id>", or "null"; "foreign" for one not made here.
    std::string TextureName(VoDeviceTexture* apTexture) const;
    std::string BufferName(VoDeviceBuffer* apBuffer) const;
    RecordedTexture* Own(VoDeviceTexture* apTexture) const;
    RecordedBuffer* Own(VoDeviceBuffer* apBuffer) const;

    Lines fCalls;
    std::uint32_t fStates[kRenderStateCount] = {};
    VoDeviceLight fLights[kMaxLights];
    VoDeviceMaterial fMaterial;
    VoDeviceViewport fViewport;
    std::map<std::uint32_t, std::vector<float>> fTransforms;
    std::vector<std::unique_ptr<RecordedTexture>> fTextures;
    std::vector<std::unique_ptr<RecordedBuffer>> fBuffers;
    RecordedTexture* fpBound = nullptr;
    VoDeviceResult fCreateResult = VoDeviceResult::kOk;
    VoDeviceResult fUploadResult = VoDeviceResult::kOk;
    std::uint32_t fMaxVertexIndex = 0xFFFFFFFFu;
};
