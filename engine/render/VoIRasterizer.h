#pragma once
// The engine's drawing service: every draw call, render state, transform,
// light, material and texture binding of the 2D renderer and of the 3D scene
// goes through it. VoRasterizerDX9 implements it on the port layer's graphics
// device; tests stand a recording rasterizer in its place.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoColor;
class VoIndexBuffer;
class VoITexture;
class VoLight;
class VoMaterial;
class VoMatrix;
class VoVertexBuffer;

class VoIRasterizer : public VoStreamObject {
public:
    // Engine enumerations; the rasterizer maps each onto the device's values.
    enum PrimitiveType : std::int32_t {
        kPointList = 0,
        kLineList = 1,
        kLineStrip = 2,
        kTriangleList = 3,
        kTriangleStrip = 4,
        kTriangleFan = 5,
    };
    enum BlendFactor : std::int32_t {
        kBlendZero = 0,
        kBlendOne = 1,
        kBlendSrcColor = 2,
        kBlendInvSrcColor = 3,
        kBlendSrcAlpha = 4,
        kBlendDestColor = 5,
        kBlendInvSrcAlpha = 6,
        kBlendDestAlpha = 7,
        kBlendInvDestAlpha = 8,
        kBlendInvDestColor = 9,
        kBlendSrcAlphaSat = 10,
        kBlendBothSrcAlpha = 11,
        kBlendBothInvSrcAlpha = 12,
        kBlendBlendFactor = 13,
        kBlendInvBlendFactor = 14,
    };
    enum CompareFunction : std::int32_t {
        kCmpNever = 0,
        kCmpLess = 1,
        kCmpEqual = 2,
        kCmpLessEqual = 3,
        kCmpGreater = 4,
        kCmpNotEqual = 5,
        kCmpGreaterEqual = 6,
        kCmpAlways = 7,
    };
    // Which faces are culled, judged on screen with y down: kCullClockwise
    // removes the faces whose vertices run clockwise there.
    enum CullMode : std::int32_t { kCullNone = 0, kCullClockwise = 1, kCullCounterClockwise = 2 };
    enum FillMode : std::int32_t { kFillPoint = 0, kFillWireframe = 1, kFillSolid = 2 };
    enum ShadeMode : std::int32_t { kShadeFlat = 0, kShadeGouraud = 1 };
    enum StencilOperation : std::int32_t {
        kStencilKeep = 0,
        kStencilZero = 1,
        kStencilReplace = 2,
        kStencilIncrSat = 3,
        kStencilDecrSat = 4,
        kStencilInvert = 5,
        kStencilIncr = 6,
        kStencilDecr = 7,
    };
    enum TransformKind : std::int32_t { kWorld = 0, kView = 1, kProjection = 2 };
    enum TextureFilterKind : std::int32_t { kFilterMag = 0, kFilterMin = 1, kFilterMip = 2 };
    enum TextureFilterMode : std::int32_t { kFilterNone = 0, kFilterPoint = 1, kFilterLinear = 2 };
    enum TextureAxis : std::int32_t { kAxisU = 0, kAxisV = 1, kAxisW = 2 };
    enum TextureAddressMode : std::int32_t { kAddressClamp = 0, kAddressBorder = 1, kAddressWrap = 2 };

    static constexpr char kGetFailure[] = "Get failure. Could not create rasterizer.";
    static constexpr char16_t kDestructorLine[] = u"~VoIRasterizer";

    // The one rasterizer, made on first use by the "rasterizer" creator
    // through the API-object manager and owned by the engine cleaner; null
    // when it cannot be made and once the cleaner has deleted it.
    static VoIRasterizer* Get();
    // A texture that is going away, or giving up its native texture: the
    // live rasterizer (none is made) forgets it as its current texture, so a
    // later texture at the same address is bound, not taken for it.
    static void ForgetTexture(const VoITexture* apTexture);

    // Writes the plain line "~VoIRasterizer", forgets the current texture and
    // the instance; Get answers null from then on.
    ~VoIRasterizer() override;

    virtual bool Clear() = 0;
    virtual bool ClearStencil() = 0;
    virtual bool ResetTexture() = 0;
    virtual bool DrawIndexedPrimitive() = 0;
    virtual bool DrawIndexed(PrimitiveType aType, std::uint32_t aPrimitiveCount, std::uint32_t aVertexCount,
                             std::uint32_t aStartIndex, std::int32_t aBaseVertexIndex) = 0;
    virtual bool DrawPrimitive() = 0;
    virtual bool Draw(PrimitiveType aType, std::uint32_t aStartVertex, std::uint32_t aPrimitiveCount) = 0;
    // X, Y, Width, Height as whole numbers, then MinZ and MaxZ as floats, in
    // six 32-bit slots.
    virtual bool GetViewport(std::uint32_t* apX, std::uint32_t* apY, std::uint32_t* apWidth,
                             std::uint32_t* apHeight, float* apMinZ, float* apMaxZ) = 0;
    virtual bool GetTransform(TransformKind aKind, VoMatrix* apMatrix) = 0;
    virtual bool SetTextureFactor(float aAlpha) = 0;
    virtual bool SetAlphaBlending(bool aEnable) = 0;
    virtual bool SetBlendFunction(BlendFactor aSource, BlendFactor aDestination) = 0;
    virtual bool SetColorValues(float aA, float aR, float aG, float aB) = 0;
    virtual bool SetClipRect(std::uint32_t aArgument) = 0;
    virtual bool SetColor(const VoColor& aColor) = 0;
    virtual bool SetColorWrite(bool aEnable) = 0;
    virtual bool SetCullMode(CullMode aMode) = 0;
    virtual bool SetDepthEnable(bool aEnable) = 0;
    virtual bool SetDepthWrite(bool aEnable) = 0;
    virtual bool SetFillMode(FillMode aMode) = 0;
    // The viewport from x0..x1 and y1..y0 (y0 the larger); the first argument
    // has no effect.
    virtual bool SetViewport(std::uint32_t aIgnored, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                             float aMaxZ) = 0;
    virtual bool SetIndexBuffer(VoIndexBuffer* apBuffer) = 0;
    virtual bool SetLight(std::uint32_t aIndex, VoLight* apLight) = 0;
    virtual bool EnableLight(std::uint32_t aIndex, bool aEnable) = 0;
    virtual bool SetLighting(bool aEnable) = 0;
    virtual bool SetLineWidth(float aWidth) = 0;
    virtual bool SetMaterial(VoMaterial* apMaterial) = 0;
    virtual bool SetShadeMode(ShadeMode aMode) = 0;
    virtual bool SetStencilEnable(bool aEnable) = 0;
    virtual bool SetStencilFunction(CompareFunction aFunction, bool aIgnored, std::uint32_t aReference,
                                    std::uint32_t aMask) = 0;
    virtual bool SetStencilFunctionCCW(CompareFunction aFunction, bool aTwoSided, std::uint32_t aReference,
                                       std::uint32_t aMask) = 0;
    virtual bool SetStencilFail(StencilOperation aOperation) = 0;
    virtual bool SetStencilFailCCW(StencilOperation aOperation) = 0;
    virtual bool SetStencilPass(StencilOperation aOperation) = 0;
    virtual bool SetStencilPassCCW(StencilOperation aOperation) = 0;
    virtual bool SetStencilZFail(StencilOperation aOperation) = 0;
    virtual bool SetStencilZFailCCW(StencilOperation aOperation) = 0;
    virtual bool SetTexture(VoITexture* apTexture) = 0;
    virtual bool SetTexture(std::uint32_t aHandle) = 0;
    virtual bool SetTextureFilter(TextureFilterKind aKind, TextureFilterMode aMode) = 0;
    virtual bool SetTextureUnit(std::uint32_t aUnit) = 0;
    virtual bool SetTextureAddress(TextureAxis aAxis, TextureAddressMode aMode) = 0;
    virtual bool SetTransform(TransformKind aKind, const VoMatrix* apMatrix) = 0;
    virtual bool SetVertexBuffer(VoVertexBuffer* apBuffer) = 0;
    virtual bool SetViewport(std::uint32_t aX, std::uint32_t aY, std::uint32_t aWidth, std::uint32_t aHeight,
                             float aMinZ, float aMaxZ) = 0;
    virtual bool EnableDepthBuffer(bool aEnable) = 0;
    virtual bool EnableDepthWrite(bool aEnable) = 0;

protected:
    VoIRasterizer() = default;

    VoITexture* fpCurrentTexture = nullptr;  // not owned: the texture last bound to stage 0
};
