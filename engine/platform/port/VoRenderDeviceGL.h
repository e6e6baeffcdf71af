#pragma once
// The drawing device over an OpenGL 2.1 compatibility context (fixed
// function). It keeps every state it was given and tells the context what
// the engine's pipeline model takes for granted: depth test on with
// less-or-equal, counter-clockwise faces culled, lighting on with no ambient
// and no specular, the vertex colour standing in for the material's diffuse,
// white where there is neither lighting nor colour, texture coordinates
// (0, 0) where the vertex has none, point filtering, wrap addressing, and
// flat shading from the first vertex.
//
// Matrices arrive row-major for row vectors, which is how GL reads them
// column-major: they load unchanged, the modelview being world x view. The
// projection gets a correction appended that maps depth 0..1 to GL's -1..1
// and moves pixel centres onto whole coordinates, so that a 2D quad lands
// texel on pixel. Vertex buffers stay in memory as the engine wrote them and
// are drawn as client arrays; colours (four floats A, R, G, B) are reordered
// once per write for GL. Every draw is checked against what was written.
#include <cstdint>

#include "platform/port/VoIRenderDevice.h"

class VoTextureGL;
class VoBufferGL;
struct VoGLFunctions;

class VoRenderDeviceGL : public VoIRenderDevice {
public:
    static constexpr const char* kNoContext = "Create failure. No current graphics context.";
    static constexpr const char* kMissingFunctions =
        "Create failure. The context lacks OpenGL 2.1 functions.";
    static constexpr const char* kAllocationFailure = "Create failure. Could not allocate the device.";
    static constexpr const char* kDrawRange = "Draw failure. The draw reads past the data written.";

    // The device over the current context, its defaults sent; null, logged,
    // when there is no current context or it lacks a needed function.
    static VoRenderDeviceGL* Create();

    // Frees every texture and buffer still held; GL objects are given back
    // only while the context is alive.
    ~VoRenderDeviceGL() override;

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
    std::uint32_t GetMaxVertexIndex() override;

private:
    explicit VoRenderDeviceGL(VoGLFunctions* apFunctions);
    VoRenderDeviceGL(const VoRenderDeviceGL&) = delete;
    VoRenderDeviceGL& operator=(const VoRenderDeviceGL&) = delete;

    // Whether the value is one the state takes.
    static bool IsValidRenderState(RenderState aState, std::uint32_t aValue);
    // Sends one kept state (or the group it belongs to) to the context.
    void ApplyRenderState(RenderState aState);
    void ApplyBlend();
    void ApplyStencil();
    void ApplyCombiner();
    void ApplyTextureFactor();
    void ApplySampler();
    void ApplyModelView();
    void ApplyProjection();
    void ApplyViewport();
    void ApplyLight(std::uint32_t aIndex);
    void ApplyLights();
    void ApplyMaterial();
    void ApplyWriteMasks();
    // The colour source for the next draw: the vertex colours, or white /
    // the material where the vertex has none.
    void ApplyColorSource(bool aVertexColors);
    // Points the client arrays at the stream's vertices; false when the
    // stream cannot serve the declaration.
    bool PrepareArrays(std::uint64_t* apVertexCount);
    // This device's texture or buffer behind a handle; null for another's.
    VoTextureGL* Own(VoDeviceTexture* apTexture) const;
    VoBufferGL* Own(VoDeviceBuffer* apBuffer) const;
    // The scratch block of at least aBytes; null when it cannot grow.
    unsigned char* Scratch(std::uint64_t aBytes);

    VoGLFunctions* fpGL;  // owned

    std::uint32_t fStates[kRenderStateCount];
    std::uint32_t fSampler[8];  // by SamplerState
    std::uint32_t fStage[7];    // by TextureStageState
    float fWorld[16];
    float fView[16];
    float fProjection[16];
    VoDeviceViewport fViewport;
    VoDeviceLight fLights[kMaxLights];
    bool fLightEnabled[kMaxLights];
    VoDeviceMaterial fMaterial;
    bool fColorMaterial = false;  // whether GL_COLOR_MATERIAL is on

    VoTextureGL* fpTextures = nullptr;      // owned, a list through the textures
    VoBufferGL* fpBuffers = nullptr;        // owned, a list through the buffers
    VoTextureGL* fpBoundTexture = nullptr;  // not owned: in fpTextures
    VoBufferGL* fpStream = nullptr;         // not owned: in fpBuffers
    std::uint32_t fStride = 0;
    VoVertexDeclaration fDeclaration;
    VoBufferGL* fpIndices = nullptr;  // not owned: in fpBuffers

    unsigned char* fpScratch = nullptr;  // owned (VO_NEW[]): repacked rows and rebased indices
    std::uint64_t fScratchSize = 0;
};
