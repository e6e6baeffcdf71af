#pragma once
// The rasterizer on the port layer's drawing device. Every operation maps an
// engine value onto the device through a fixed table; its own decisions are
// the nine device buffers that vertex and index buffers are copied into
// before a draw (made at the sizes below and grown by the device when a
// buffer needs more, so a large draw is drawn whole), the clear colour, the
// texture-factor alpha with its cache, and the one-texture cache of stage 0.
//
// Once the graphics context is gone the destructor gives nothing back: the
// device freed its buffers with it.
#include <cstdint>

#include "container/VoColor.h"
#include "render/VoIRasterizer.h"

class VoDeviceBuffer;
class VoIRenderDevice;

class VoRasterizerDX9 : public VoIRasterizer {
public:
    // The device buffers' first sizes, in elements.
    static constexpr std::uint32_t kPositionVertices = 100000;  // format 1
    static constexpr std::uint32_t kSpriteVertices = 256;       // formats 2 to 4
    static constexpr std::uint32_t kMeshVertices = 10000;       // formats 5 to 7
    static constexpr std::uint32_t kIndices = 40000;            // each index width

    static constexpr const char* kDrawIndexedPrimitiveNYI = "DrawIndexedPrimitive NYI.";
    static constexpr const char* kDrawPrimitiveNYI = "DrawPrimitive not yet implemented.";
    static constexpr const char* kSetClipRectNYI = "SetClipRect() Not yet implemented.";
    static constexpr const char* kSetColorNYI = "SetColor not yet implemented.";
    static constexpr const char* kSetLineWidthNYI = "SetLineWidth not yet implemented.";
    static constexpr const char* kSetTextureUnitNYI = "SetTextureUnit not yet implemented.";
    static constexpr const char* kInvalidFormat = "Invalid format.";
    static constexpr const char* kFormatNotSupported = "Format not supported.";
    // An engine value outside its table, or a missing argument.
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kNullArg = "NULL arg.";

    VoRasterizerDX9() = default;
    VoRasterizerDX9(const VoRasterizerDX9&) = delete;
    VoRasterizerDX9& operator=(const VoRasterizerDX9&) = delete;
    // Releases the nine buffers (while the context lives) and forgets the device.
    ~VoRasterizerDX9() override;

    // Takes the drawing device (VoRenderDeviceSource) and makes the nine
    // buffers; false without a device. A new device knows nothing of the
    // texture-factor cache, which starts again.
    bool Initialize(std::uintptr_t aArgument) override;

    bool Clear() override;
    bool ClearStencil() override;
    bool ResetTexture() override;
    bool DrawIndexedPrimitive() override;
    bool DrawIndexed(PrimitiveType aType, std::uint32_t aPrimitiveCount, std::uint32_t aVertexCount,
                     std::uint32_t aStartIndex, std::int32_t aBaseVertexIndex) override;
    bool DrawPrimitive() override;
    bool Draw(PrimitiveType aType, std::uint32_t aStartVertex, std::uint32_t aPrimitiveCount) override;
    bool GetViewport(std::uint32_t* apX, std::uint32_t* apY, std::uint32_t* apWidth, std::uint32_t* apHeight,
                     float* apMinZ, float* apMaxZ) override;
    bool GetTransform(TransformKind aKind, VoMatrix* apMatrix) override;
    bool SetTextureFactor(float aAlpha) override;
    bool SetAlphaBlending(bool aEnable) override;
    bool SetBlendFunction(BlendFactor aSource, BlendFactor aDestination) override;
    bool SetColorValues(float aA, float aR, float aG, float aB) override;
    bool SetClipRect(std::uint32_t aArgument) override;
    bool SetColor(const VoColor& aColor) override;
    bool SetColorWrite(bool aEnable) override;
    bool SetCullMode(CullMode aMode) override;
    bool SetDepthEnable(bool aEnable) override;
    bool SetDepthWrite(bool aEnable) override;
    bool SetFillMode(FillMode aMode) override;
    bool SetViewport(std::uint32_t aIgnored, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                     float aMaxZ) override;
    bool SetIndexBuffer(VoIndexBuffer* apBuffer) override;
    bool SetLight(std::uint32_t aIndex, VoLight* apLight) override;
    bool EnableLight(std::uint32_t aIndex, bool aEnable) override;
    bool SetLighting(bool aEnable) override;
    bool SetLineWidth(float aWidth) override;
    bool SetMaterial(VoMaterial* apMaterial) override;
    bool SetShadeMode(ShadeMode aMode) override;
    bool SetStencilEnable(bool aEnable) override;
    bool SetStencilFunction(CompareFunction aFunction, bool aIgnored, std::uint32_t aReference,
                            std::uint32_t aMask) override;
    bool SetStencilFunctionCCW(CompareFunction aFunction, bool aTwoSided, std::uint32_t aReference,
                               std::uint32_t aMask) override;
    bool SetStencilFail(StencilOperation aOperation) override;
    bool SetStencilFailCCW(StencilOperation aOperation) override;
    bool SetStencilPass(StencilOperation aOperation) override;
    bool SetStencilPassCCW(StencilOperation aOperation) override;
    bool SetStencilZFail(StencilOperation aOperation) override;
    bool SetStencilZFailCCW(StencilOperation aOperation) override;
    // A texture without native texture, or none, unbinds stage 0, forgets the
    // cache and answers false.
    bool SetTexture(VoITexture* apTexture) override;
    // The texture manager's texture of the handle; a handle without one
    // unbinds, forgets the cache and answers false.
    bool SetTexture(std::uint32_t aHandle) override;
    bool SetTextureFilter(TextureFilterKind aKind, TextureFilterMode aMode) override;
    bool SetTextureUnit(std::uint32_t aUnit) override;
    bool SetTextureAddress(TextureAxis aAxis, TextureAddressMode aMode) override;
    bool SetTransform(TransformKind aKind, const VoMatrix* apMatrix) override;
    bool SetVertexBuffer(VoVertexBuffer* apBuffer) override;
    bool SetViewport(std::uint32_t aX, std::uint32_t aY, std::uint32_t aWidth, std::uint32_t aHeight,
                     float aMinZ, float aMaxZ) override;
    bool EnableDepthBuffer(bool aEnable) override;
    bool EnableDepthWrite(bool aEnable) override;

    // "[VoRasterizerDX9 <address>]".
    VoString ToString() const override;

    // The clear colour's 0xAARRGGBB, alpha forced to 255: each of R, G, B
    // 255 from 1.0 on, 0 below 0, else the component x 255 + 0.5, truncated.
    std::uint32_t GetClearARGB() const;
    // A float truncated toward zero into the device's 32-bit word (a
    // negative value keeps its two's-complement bits, as the device reads it).
    static std::uint32_t Truncate(float aValue);

private:
    // Binds the texture's native texture (null unbinds) and caches it.
    bool Bind(VoITexture* apTexture);
    // Gives the nine buffers back to the device and forgets them.
    void ReleaseBuffers();

    VoColor fClearColor;
    VoDeviceBuffer* fpIndices16 = nullptr;  // the device's, released here
    VoDeviceBuffer* fpIndices32 = nullptr;
    VoDeviceBuffer* fpVertices[8] = {};  // by vertex format 1..7; the device's, released here
};
