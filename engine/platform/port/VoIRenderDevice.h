#pragma once
// The port layer's drawing device: the render states, transforms, lights,
// materials, buffers, draws and textures that the rasterizer and the
// textures call, over the current graphics context. The graphics device
// (VoGraphicsDX9) makes one after it has made the context; tests stand a
// recording device in its place.
//
// The device keeps the model of a fixed-function pipeline that the engine was
// written against: render states set one at a time by name, one texture
// stage, eight lights in world space, a material, row-major row-vector
// matrices, a viewport measured from the top-left corner of the 800 x 600
// target, and dynamic buffers refilled from their start before each draw.
// The enumerated values below are those the engine's tables name; a device
// that is created stands in the states listed at each enumeration's
// default.
#include <cstdint>

// A texture made by a device; only that device reads or frees it.
class VoDeviceTexture {
public:
    virtual ~VoDeviceTexture() = default;

protected:
    VoDeviceTexture() = default;
};

// A vertex or index buffer made by a device; only that device reads or frees it.
class VoDeviceBuffer {
public:
    virtual ~VoDeviceBuffer() = default;

protected:
    VoDeviceBuffer() = default;
};

// How a texture call ended; VoDeviceResultName and VoDeviceResultText give
// the words that failure messages carry.
enum class VoDeviceResult : std::int32_t {
    kOk = 0,
    kInvalidCall,   // an argument the device cannot take (size, format, level)
    kNotAvailable,  // a format or size beyond what the device offers
    kOutOfMemory,   // the device could not hold it
};
const char* VoDeviceResultName(VoDeviceResult aResult);
const char* VoDeviceResultText(VoDeviceResult aResult);

struct VoDeviceColor {
    float fR = 0.0f;
    float fG = 0.0f;
    float fB = 0.0f;
    float fA = 0.0f;
};

// X, Y from the target's top-left corner, in pixels; depth range MinZ..MaxZ.
struct VoDeviceViewport {
    std::uint32_t fX = 0;
    std::uint32_t fY = 0;
    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
    float fMinZ = 0.0f;
    float fMaxZ = 1.0f;
};

// A light in world space.
struct VoDeviceLight {
    std::uint32_t fType = 1;  // a VoIRenderDevice::LightType
    VoDeviceColor fDiffuse;
    VoDeviceColor fSpecular;
    VoDeviceColor fAmbient;
    float fPosition[3] = {0.0f, 0.0f, 0.0f};
    float fDirection[3] = {0.0f, 0.0f, 1.0f};
    float fRange = 0.0f;
    float fFalloff = 0.0f;
    float fAttenuation0 = 0.0f;
    float fAttenuation1 = 0.0f;
    float fAttenuation2 = 0.0f;
    float fTheta = 0.0f;  // inner cone, radians, full angle
    float fPhi = 0.0f;    // outer cone, radians, full angle
};

struct VoDeviceMaterial {
    VoDeviceColor fDiffuse;
    VoDeviceColor fAmbient;
    VoDeviceColor fSpecular;
    VoDeviceColor fEmissive;
    float fPower = 0.0f;
};

// Where a vertex's parts lie, in bytes from its start: the position (three
// floats) at 0 always; the normal (three floats), the colour (four floats
// A, R, G, B) and the texture coordinates (two floats) where given, -1 where
// the vertex has none. The stride comes with the stream source.
struct VoVertexDeclaration {
    std::int32_t fNormalOffset = -1;
    std::int32_t fColorOffset = -1;
    std::int32_t fTexCoordOffset = -1;

    bool operator==(const VoVertexDeclaration& aOther) const {
        return fNormalOffset == aOther.fNormalOffset && fColorOffset == aOther.fColorOffset &&
               fTexCoordOffset == aOther.fTexCoordOffset;
    }
    bool operator!=(const VoVertexDeclaration& aOther) const { return !(*this == aOther); }
};

class VoIRenderDevice {
public:
    // The off-screen back buffer every device draws into.
    static constexpr std::uint32_t kTargetWidth = 800;
    static constexpr std::uint32_t kTargetHeight = 600;
    static constexpr std::uint32_t kMaxLights = 8;

    enum RenderState : std::int32_t {
        kZEnable,              // bool, default true
        kZWriteEnable,         // bool, default true
        kZFunc,                // Compare, default kCmpLessEqual
        kFillMode,             // FillMode, default kFillSolid
        kShadeMode,            // ShadeMode, default kShadeGouraud
        kCullMode,             // CullMode, default kCullCounterClockwise
        kAlphaBlendEnable,     // bool, default false
        kSrcBlend,             // Blend, default kBlendOne
        kDestBlend,            // Blend, default kBlendZero
        kColorWriteEnable,     // channel mask, 1 R, 2 G, 4 B, 8 A; default 15
        kLighting,             // bool, default true
        kTextureFactor,        // 0xAARRGGBB, default 0xFFFFFFFF
        kStencilEnable,        // bool, default false
        kStencilFunc,          // Compare, default kCmpAlways; faces drawn clockwise
        kStencilRef,           // default 0
        kStencilMask,          // the read mask, default 0xFFFFFFFF
        kStencilFail,          // StencilOp, default kStencilOpKeep
        kStencilZFail,         // StencilOp, default kStencilOpKeep
        kStencilPass,          // StencilOp, default kStencilOpKeep
        kTwoSidedStencilMode,  // bool, default false: the clockwise states serve both faces
        kCcwStencilFunc,       // the same four for faces drawn counter-clockwise
        kCcwStencilFail,
        kCcwStencilZFail,
        kCcwStencilPass,
        kRenderStateCount
    };
    enum Compare : std::uint32_t {
        kCmpNever = 1,
        kCmpLess = 2,
        kCmpEqual = 3,
        kCmpLessEqual = 4,
        kCmpGreater = 5,
        kCmpNotEqual = 6,
        kCmpGreaterEqual = 7,
        kCmpAlways = 8,
    };
    enum Blend : std::uint32_t {
        kBlendZero = 1,
        kBlendOne = 2,
        kBlendSrcColor = 3,
        kBlendInvSrcColor = 4,
        kBlendSrcAlpha = 5,
        kBlendInvSrcAlpha = 6,
        kBlendDestAlpha = 7,
        kBlendInvDestAlpha = 8,
        kBlendDestColor = 9,
        kBlendInvDestColor = 10,
        kBlendSrcAlphaSat = 11,
        kBlendBothSrcAlpha = 12,     // source alpha, and inverse source alpha for the destination
        kBlendBothInvSrcAlpha = 13,  // inverse source alpha, and source alpha for the destination
        kBlendBlendFactor = 14,      // the blend factor, always opaque white here
        kBlendInvBlendFactor = 15,
    };
    // Culling judges the winding as seen on the target, y down.
    enum CullMode : std::uint32_t { kCullNone = 1, kCullClockwise = 2, kCullCounterClockwise = 3 };
    enum FillMode : std::uint32_t { kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3 };
    // Flat shading takes the colour of each primitive's first vertex.
    enum ShadeMode : std::uint32_t { kShadeFlat = 1, kShadeGouraud = 2 };
    enum StencilOp : std::uint32_t {
        kStencilOpKeep = 1,
        kStencilOpZero = 2,
        kStencilOpReplace = 3,
        kStencilOpIncrSat = 4,
        kStencilOpDecrSat = 5,
        kStencilOpInvert = 6,
        kStencilOpIncr = 7,  // wraps
        kStencilOpDecr = 8,  // wraps
    };
    enum Primitive : std::uint32_t {
        kPointList = 1,
        kLineList = 2,
        kLineStrip = 3,
        kTriangleList = 4,
        kTriangleStrip = 5,
        kTriangleFan = 6,
    };
    // All identity at creation.
    enum Transform : std::uint32_t { kTransformView = 2, kTransformProjection = 3, kTransformWorld = 256 };
    // Stage 0's sampler; defaults: point filtering, no mip filter, wrap addressing.
    enum SamplerState : std::uint32_t {
        kSamplerAddressU = 1,
        kSamplerAddressV = 2,
        kSamplerAddressW = 3,
        kSamplerMagFilter = 5,
        kSamplerMinFilter = 6,
        kSamplerMipFilter = 7,
    };
    enum Filter : std::uint32_t { kFilterNone = 0, kFilterPoint = 1, kFilterLinear = 2 };
    enum Address : std::uint32_t { kAddressWrap = 1, kAddressClamp = 3, kAddressBorder = 4 };
    // Stage 0's combiner. Defaults: colour = texture x diffuse (kOpModulate,
    // kArgTexture, kArgCurrent), alpha = texture (kOpSelectArg1, kArgTexture,
    // kArgCurrent). Diffuse is the vertex colour, or the lit colour.
    enum TextureStageState : std::uint32_t {
        kStageColorOp = 1,
        kStageColorArg1 = 2,
        kStageColorArg2 = 3,
        kStageAlphaOp = 4,
        kStageAlphaArg1 = 5,
        kStageAlphaArg2 = 6,
    };
    enum TextureOp : std::uint32_t { kOpDisable = 1, kOpSelectArg1 = 2, kOpSelectArg2 = 3, kOpModulate = 4 };
    enum TextureArg : std::uint32_t {
        kArgDiffuse = 0,
        kArgCurrent = 1,
        kArgTexture = 2,
        kArgTextureFactor = 3
    };
    enum LightType : std::uint32_t { kLightPoint = 1, kLightSpot = 2, kLightDirectional = 3 };
    enum ClearFlags : std::uint32_t { kClearTarget = 1, kClearZBuffer = 2, kClearStencil = 4 };
    enum IndexFormat : std::uint32_t { kIndex16 = 2, kIndex32 = 4 };

    virtual ~VoIRenderDevice() = default;

    // Sends every state the device keeps to the context again: for code
    // outside the device (the frame's presentation) that changed the
    // context's state behind its back.
    virtual void Reapply() = 0;

    // States. A value the device does not know is refused (false) and the
    // state keeps its value.
    virtual bool SetRenderState(RenderState aState, std::uint32_t aValue) = 0;
    virtual bool SetSamplerState(SamplerState aState, std::uint32_t aValue) = 0;
    virtual bool SetTextureStageState(TextureStageState aState, std::uint32_t aValue) = 0;

    // Sixteen floats row by row; points are row vectors.
    virtual bool SetTransform(Transform aTransform, const float* apMatrix) = 0;
    virtual bool GetTransform(Transform aTransform, float* apMatrix) = 0;
    // Refused when the rectangle leaves the target or the depth range is not within 0..1.
    virtual bool SetViewport(const VoDeviceViewport& aViewport) = 0;
    virtual bool GetViewport(VoDeviceViewport* apViewport) = 0;
    // Clears the viewport's rectangle of the parts named by aFlags, whatever
    // the write masks; aColor is 0xAARRGGBB.
    virtual bool Clear(std::uint32_t aFlags, std::uint32_t aColor, float aZ, std::uint32_t aStencil) = 0;

    // Lights 0..kMaxLights-1; others are refused.
    virtual bool SetLight(std::uint32_t aIndex, const VoDeviceLight& aLight) = 0;
    virtual bool LightEnable(std::uint32_t aIndex, bool aEnable) = 0;
    virtual bool SetMaterial(const VoDeviceMaterial& aMaterial) = 0;

    // Textures. Formats are the image formats: 1 B, G, R, A; 2 B, G, R, X;
    // 3 B, G, R; 4 alpha only. Level i is max(1, size >> i) on each side;
    // aLevels is the count of levels (at least 1, at most the full chain).
    virtual VoDeviceResult CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::uint32_t aLevels,
                                         std::int32_t aFormat, VoDeviceTexture** appTexture) = 0;
    // Replaces a whole level with the pixels, top row first, in the
    // texture's format; aPitch is the bytes from one row's start to the next.
    virtual VoDeviceResult UploadTextureLevel(VoDeviceTexture* apTexture, std::uint32_t aLevel,
                                              const unsigned char* apPixels, std::int32_t aPitch) = 0;
    virtual void ReleaseTexture(VoDeviceTexture* apTexture) = 0;
    // How much the texture should stay resident, the larger the more.
    virtual bool SetTexturePriority(VoDeviceTexture* apTexture, std::uint32_t aPriority) = 0;
    // Binds the texture to stage 0; null unbinds.
    virtual bool SetTexture(VoDeviceTexture* apTexture) = 0;

    // Buffers. A buffer starts with room for aBytes and grows when a write
    // needs more; each write replaces the contents from the start.
    virtual VoDeviceBuffer* CreateVertexBuffer(std::uint32_t aBytes) = 0;
    virtual VoDeviceBuffer* CreateIndexBuffer(std::uint32_t aBytes, IndexFormat aFormat) = 0;
    virtual bool WriteBuffer(VoDeviceBuffer* apBuffer, const void* apData, std::uint32_t aBytes) = 0;
    virtual void ReleaseBuffer(VoDeviceBuffer* apBuffer) = 0;
    virtual bool SetStreamSource(VoDeviceBuffer* apBuffer, std::uint32_t aStride) = 0;
    virtual bool SetVertexDeclaration(const VoVertexDeclaration& aDeclaration) = 0;
    virtual bool SetIndices(VoDeviceBuffer* apBuffer) = 0;
    // A draw that would read past the vertices or indices written is refused.
    virtual bool DrawPrimitive(Primitive aType, std::uint32_t aStartVertex,
                               std::uint32_t aPrimitiveCount) = 0;
    virtual bool DrawIndexedPrimitive(Primitive aType, std::int32_t aBaseVertex, std::uint32_t aMinIndex,
                                      std::uint32_t aVertexCount, std::uint32_t aStartIndex,
                                      std::uint32_t aPrimitiveCount) = 0;

    // The largest vertex index the device draws with.
    virtual std::uint32_t GetMaxVertexIndex() = 0;
};

// The vertices that aCount primitives of the type take; 0 for an unknown type.
std::uint64_t VoPrimitiveVertexCount(VoIRenderDevice::Primitive aType, std::uint32_t aCount);

// Makes the drawing device over the current context; null when there is no
// current context or it cannot be used. Owned by the caller, who deletes it
// while the context is still current.
VoIRenderDevice* VoCreateRenderDevice();
