#include "render/VoRasterizerDX9.h"

#include <cmath>
#include <limits>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "platform/port/VoGraphicsContextState.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoITexture.h"
#include "render/VoIndexBuffer.h"
#include "render/VoLight.h"
#include "render/VoMaterial.h"
#include "render/VoRenderDeviceSource.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"

namespace {

using Device = VoIRenderDevice;

// The device every rasterizer draws with.
VoIRenderDevice* gpDevice = nullptr;  // not owned
// The texture factor's alpha as last sent; NaN, which equals nothing, until then.
float gTextureFactorAlpha = std::numeric_limits<float>::quiet_NaN();

// Engine values (the index) to device values.
constexpr std::uint32_t kPrimitives[] = {Device::kPointList,    Device::kLineList,      Device::kLineStrip,
                                         Device::kTriangleList, Device::kTriangleStrip, Device::kTriangleFan};
constexpr std::uint32_t kBlends[] = {Device::kBlendZero,
                                     Device::kBlendOne,
                                     Device::kBlendSrcColor,
                                     Device::kBlendInvSrcColor,
                                     Device::kBlendSrcAlpha,
                                     Device::kBlendDestColor,
                                     Device::kBlendInvSrcAlpha,
                                     Device::kBlendDestAlpha,
                                     Device::kBlendInvDestAlpha,
                                     Device::kBlendInvDestColor,
                                     Device::kBlendSrcAlphaSat,
                                     Device::kBlendBothSrcAlpha,
                                     Device::kBlendBothInvSrcAlpha,
                                     Device::kBlendBlendFactor,
                                     Device::kBlendInvBlendFactor};
constexpr std::uint32_t kCompares[] = {Device::kCmpNever,        Device::kCmpLess,    Device::kCmpEqual,
                                       Device::kCmpLessEqual,    Device::kCmpGreater, Device::kCmpNotEqual,
                                       Device::kCmpGreaterEqual, Device::kCmpAlways};
constexpr std::uint32_t kCullModes[] = {Device::kCullNone, Device::kCullClockwise,
                                        Device::kCullCounterClockwise};
constexpr std::uint32_t kFillModes[] = {Device::kFillPoint, Device::kFillWireframe, Device::kFillSolid};
constexpr std::uint32_t kShadeModes[] = {Device::kShadeFlat, Device::kShadeGouraud};
constexpr std::uint32_t kStencilOps[] = {
    Device::kStencilOpKeep,    Device::kStencilOpZero,   Device::kStencilOpReplace, Device::kStencilOpIncrSat,
    Device::kStencilOpDecrSat, Device::kStencilOpInvert, Device::kStencilOpIncr,    Device::kStencilOpDecr};
constexpr Device::Transform kTransforms[] = {Device::kTransformWorld, Device::kTransformView,
                                             Device::kTransformProjection};
constexpr Device::SamplerState kFilterKinds[] = {Device::kSamplerMagFilter, Device::kSamplerMinFilter,
                                                 Device::kSamplerMipFilter};
constexpr std::uint32_t kFilterModes[] = {Device::kFilterNone, Device::kFilterPoint, Device::kFilterLinear};
constexpr Device::SamplerState kAxes[] = {Device::kSamplerAddressU, Device::kSamplerAddressV,
                                          Device::kSamplerAddressW};
constexpr std::uint32_t kAddressModes[] = {Device::kAddressClamp, Device::kAddressBorder,
                                           Device::kAddressWrap};
constexpr std::uint32_t kLightTypes[] = {Device::kLightPoint, Device::kLightSpot, Device::kLightDirectional};

// The device layout of each engine vertex format (index = format).
constexpr VoVertexDeclaration kDeclarations[] = {
    {-1, -1, -1},  // no format
    {-1, -1, -1},  // 1 position
    {-1, 12, -1},  // 2 position, colour
    {-1, -1, 12},  // 3 position, texture coordinates
    {12, 24, -1},  // 4 position, normal, colour
    {12, -1, 24},  // 5 position, normal, texture coordinates
    {28, 12, 40},  // 6 position, colour, normal, texture coordinates
    {12, -1, -1},  // 7 position, normal
};

// The table's entry for an engine value; false, logged, for a value outside it.
template <typename Value, typename Entry, std::size_t Count>
bool Lookup(const Entry (&aTable)[Count], Value aValue, Entry* apOut) {
    const auto index = static_cast<std::int64_t>(aValue);
    if (index < 0 || index >= static_cast<std::int64_t>(Count)) {
        VO_ERROR(VoRasterizerDX9::kInvalidArg);
        return false;
    }
    *apOut = aTable[index];
    return true;
}

bool SetState(Device::RenderState aState, std::uint32_t aValue) {
    if (gpDevice == nullptr) {
        return false;
    }
    gpDevice->SetRenderState(aState, aValue);
    return true;
}

template <typename Value, typename Entry, std::size_t Count>
bool SetMappedState(Device::RenderState aState, const Entry (&aTable)[Count], Value aValue) {
    Entry mapped{};
    if (gpDevice == nullptr || !Lookup(aTable, aValue, &mapped)) {
        return false;
    }
    gpDevice->SetRenderState(aState, mapped);
    return true;
}

VoDeviceColor DeviceColor(const VoColor& aColor) {
    return {aColor.fR, aColor.fG, aColor.fB, aColor.fA};
}

// Lights take the colour alone; their alpha is always 1.
VoDeviceColor OpaqueColor(const VoColor& aColor) {
    return {aColor.fR, aColor.fG, aColor.fB, 1.0f};
}

std::uint32_t ClearChannel(float aValue) {
    if (aValue >= 1.0f) {
        return 255;
    }
    if (!(aValue >= 0.0f)) {
        return 0;
    }
    return static_cast<std::uint32_t>(aValue * 255.0f + 0.5f);
}

}  // namespace

VoRasterizerDX9::~VoRasterizerDX9() {
    ReleaseBuffers();
    gpDevice = nullptr;
}

void VoRasterizerDX9::ReleaseBuffers() {
    const bool release = gpDevice != nullptr && VoGraphicsContextState::IsAlive();
    VoDeviceBuffer** buffers[] = {&fpIndices16,   &fpIndices32,   &fpVertices[1],
                                  &fpVertices[2], &fpVertices[3], &fpVertices[7],
                                  &fpVertices[4], &fpVertices[5], &fpVertices[6]};
    for (VoDeviceBuffer** buffer : buffers) {
        if (*buffer != nullptr && release) {
            gpDevice->ReleaseBuffer(*buffer);
        }
        *buffer = nullptr;
    }
}

bool VoRasterizerDX9::Initialize(std::uintptr_t) {
    VoIRenderDevice* device = VoRenderDeviceSource::Get();
    if (device == nullptr) {
        return false;
    }
    ReleaseBuffers();
    gpDevice = device;
    gTextureFactorAlpha = std::numeric_limits<float>::quiet_NaN();
    fpCurrentTexture = nullptr;
    fpIndices16 = device->CreateIndexBuffer(kIndices * 2, Device::kIndex16);
    fpIndices32 = device->CreateIndexBuffer(kIndices * 4, Device::kIndex32);
    const std::int32_t formats[] = {1, 2, 3, 7, 4, 5, 6};
    for (std::int32_t format : formats) {
        const std::uint32_t count =
            format == 1 ? kPositionVertices : (format <= 4 ? kSpriteVertices : kMeshVertices);
        fpVertices[format] = device->CreateVertexBuffer(count * VoVertexBuffer::StrideOf(format));
    }
    return true;
}

std::uint32_t VoRasterizerDX9::GetClearARGB() const {
    return 0xFF000000u | (ClearChannel(fClearColor.fR) << 16) | (ClearChannel(fClearColor.fG) << 8) |
           ClearChannel(fClearColor.fB);
}

std::uint32_t VoRasterizerDX9::Truncate(float aValue) {
    const double value = std::trunc(static_cast<double>(aValue));
    if (!(value == value)) {
        return 0;
    }
    if (value >= 4294967295.0) {
        return 0xFFFFFFFFu;
    }
    if (value <= -2147483648.0) {
        return 0x80000000u;
    }
    if (value < 0.0) {
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    }
    return static_cast<std::uint32_t>(value);
}

bool VoRasterizerDX9::Clear() {
    if (gpDevice == nullptr) {
        return false;
    }
    gpDevice->Clear(Device::kClearTarget | Device::kClearZBuffer | Device::kClearStencil, GetClearARGB(),
                    1.0f, 0);
    return true;
}

bool VoRasterizerDX9::ClearStencil() {
    if (gpDevice == nullptr) {
        return false;
    }
    gpDevice->Clear(Device::kClearStencil, 0xFF000000u, 0.0f, 0);
    return true;
}

bool VoRasterizerDX9::Bind(VoITexture* apTexture) {
    VoDeviceTexture* native = apTexture != nullptr ? apTexture->GetNativeTexture() : nullptr;
    if (gpDevice == nullptr) {
        fpCurrentTexture = nullptr;
        return false;
    }
    gpDevice->SetTexture(native);
    fpCurrentTexture = native != nullptr ? apTexture : nullptr;
    return native != nullptr;
}

bool VoRasterizerDX9::ResetTexture() {
    Bind(nullptr);
    return gpDevice != nullptr;
}

bool VoRasterizerDX9::DrawIndexedPrimitive() {
    VO_ASSERT_FAILURE(kDrawIndexedPrimitiveNYI);
    return false;
}

bool VoRasterizerDX9::DrawIndexed(PrimitiveType aType, std::uint32_t aPrimitiveCount,
                                  std::uint32_t aVertexCount, std::uint32_t aStartIndex,
                                  std::int32_t aBaseVertexIndex) {
    std::uint32_t type = 0;
    if (gpDevice == nullptr || !Lookup(kPrimitives, aType, &type)) {
        return false;
    }
    gpDevice->DrawIndexedPrimitive(static_cast<Device::Primitive>(type), aBaseVertexIndex, 0, aVertexCount,
                                   aStartIndex, aPrimitiveCount);
    return true;
}

bool VoRasterizerDX9::DrawPrimitive() {
    VO_ASSERT_FAILURE(kDrawPrimitiveNYI);
    return false;
}

bool VoRasterizerDX9::Draw(PrimitiveType aType, std::uint32_t aStartVertex, std::uint32_t aPrimitiveCount) {
    std::uint32_t type = 0;
    if (gpDevice == nullptr || !Lookup(kPrimitives, aType, &type)) {
        return false;
    }
    gpDevice->DrawPrimitive(static_cast<Device::Primitive>(type), aStartVertex, aPrimitiveCount);
    return true;
}

bool VoRasterizerDX9::GetViewport(std::uint32_t* apX, std::uint32_t* apY, std::uint32_t* apWidth,
                                  std::uint32_t* apHeight, float* apMinZ, float* apMaxZ) {
    if (apX == nullptr || apY == nullptr || apWidth == nullptr || apHeight == nullptr || apMinZ == nullptr ||
        apMaxZ == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    VoDeviceViewport viewport;
    if (gpDevice == nullptr || !gpDevice->GetViewport(&viewport)) {
        return false;
    }
    *apX = viewport.fX;
    *apY = viewport.fY;
    *apWidth = viewport.fWidth;
    *apHeight = viewport.fHeight;
    *apMinZ = viewport.fMinZ;
    *apMaxZ = viewport.fMaxZ;
    return true;
}

bool VoRasterizerDX9::GetTransform(TransformKind aKind, VoMatrix* apMatrix) {
    Device::Transform transform{};
    if (apMatrix == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    if (gpDevice == nullptr || !Lookup(kTransforms, aKind, &transform)) {
        return false;
    }
    gpDevice->GetTransform(transform, &apMatrix->m[0][0]);
    return true;
}

bool VoRasterizerDX9::SetTextureFactor(float aAlpha) {
    if (gpDevice == nullptr) {
        return false;
    }
    if (aAlpha == gTextureFactorAlpha) {
        return true;
    }
    float alpha = aAlpha;
    if (!(alpha >= 0.0f)) {
        alpha = 0.0f;
    } else if (alpha > 1.0f) {
        alpha = 1.0f;
    }
    gTextureFactorAlpha = alpha;
    if (alpha != 1.0f) {
        const std::uint32_t factor = (static_cast<std::uint32_t>(alpha * 255.0f) & 0xFFu) << 24;
        gpDevice->SetRenderState(Device::kTextureFactor, factor);
        gpDevice->SetTextureStageState(Device::kStageAlphaOp, Device::kOpModulate);
        gpDevice->SetTextureStageState(Device::kStageAlphaArg1, Device::kArgTexture);
        gpDevice->SetTextureStageState(Device::kStageAlphaArg2, Device::kArgTextureFactor);
    } else {
        gpDevice->SetRenderState(Device::kTextureFactor, 0xFFFFFFFFu);
        gpDevice->SetTextureStageState(Device::kStageAlphaOp, Device::kOpSelectArg1);
        gpDevice->SetTextureStageState(Device::kStageAlphaArg1, Device::kArgTexture);
        gpDevice->SetTextureStageState(Device::kStageAlphaArg2, Device::kArgTextureFactor);
    }
    return true;
}

bool VoRasterizerDX9::SetAlphaBlending(bool aEnable) {
    return SetState(Device::kAlphaBlendEnable, aEnable ? 1 : 0);
}

bool VoRasterizerDX9::SetBlendFunction(BlendFactor aSource, BlendFactor aDestination) {
    std::uint32_t source = 0;
    std::uint32_t destination = 0;
    if (gpDevice == nullptr || !Lookup(kBlends, aSource, &source) ||
        !Lookup(kBlends, aDestination, &destination)) {
        return false;
    }
    gpDevice->SetRenderState(Device::kSrcBlend, source);
    gpDevice->SetRenderState(Device::kDestBlend, destination);
    return true;
}

bool VoRasterizerDX9::SetColorValues(float aA, float aR, float aG, float aB) {
    fClearColor = VoColor(aA, aR, aG, aB);
    return true;
}

bool VoRasterizerDX9::SetClipRect(std::uint32_t) {
    VO_ASSERT_FAILURE(kSetClipRectNYI);
    return true;
}

bool VoRasterizerDX9::SetColor(const VoColor&) {
    VO_ASSERT_FAILURE(kSetColorNYI);
    return false;
}

bool VoRasterizerDX9::SetColorWrite(bool aEnable) {
    return SetState(Device::kColorWriteEnable, aEnable ? 15 : 0);
}

bool VoRasterizerDX9::SetCullMode(CullMode aMode) {
    return SetMappedState(Device::kCullMode, kCullModes, aMode);
}

bool VoRasterizerDX9::SetDepthEnable(bool aEnable) {
    return SetState(Device::kZEnable, aEnable ? 1 : 0);
}

bool VoRasterizerDX9::SetDepthWrite(bool aEnable) {
    return SetState(Device::kZWriteEnable, aEnable ? 1 : 0);
}

bool VoRasterizerDX9::SetFillMode(FillMode aMode) {
    return SetMappedState(Device::kFillMode, kFillModes, aMode);
}

bool VoRasterizerDX9::SetViewport(std::uint32_t, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                                  float aMaxZ) {
    return SetViewport(Truncate(aX0), Truncate(aY0), Truncate(aX1 - aX0), Truncate(aY0 - aY1), aMinZ, aMaxZ);
}

bool VoRasterizerDX9::SetIndexBuffer(VoIndexBuffer* apBuffer) {
    if (apBuffer == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    VoDeviceBuffer* target = nullptr;
    if (apBuffer->GetFormat() == VoIndexBuffer::kFormat16) {
        target = fpIndices16;
    } else if (apBuffer->GetFormat() == VoIndexBuffer::kFormat32) {
        target = fpIndices32;
    } else {
        VO_ASSERT_FAILURE(kFormatNotSupported);
        return false;
    }
    if (gpDevice == nullptr || target == nullptr) {
        return false;
    }
    const std::int32_t size = apBuffer->GetSize();
    gpDevice->WriteBuffer(target, size > 0 ? apBuffer->GetBuffer() : nullptr,
                          static_cast<std::uint32_t>(size));
    gpDevice->SetIndices(target);
    return true;
}

bool VoRasterizerDX9::SetLight(std::uint32_t aIndex, VoLight* apLight) {
    if (apLight == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    std::uint32_t type = 0;
    if (gpDevice == nullptr || !Lookup(kLightTypes, apLight->fType, &type)) {
        return false;
    }
    VoDeviceLight light;
    light.fType = type;
    light.fDiffuse = OpaqueColor(apLight->fDiffuse);
    light.fSpecular = OpaqueColor(apLight->fSpecular);
    light.fAmbient = OpaqueColor(apLight->fAmbient);
    light.fPosition[0] = apLight->fPosition.x;
    light.fPosition[1] = apLight->fPosition.y;
    light.fPosition[2] = apLight->fPosition.z;
    light.fDirection[0] = apLight->fDirection.x;
    light.fDirection[1] = apLight->fDirection.y;
    light.fDirection[2] = apLight->fDirection.z;
    light.fRange = apLight->fRange;
    light.fFalloff = apLight->fFalloff;
    light.fAttenuation0 = apLight->fAttenuation0;
    light.fAttenuation1 = apLight->fAttenuation1;
    light.fAttenuation2 = apLight->fAttenuation2;
    light.fTheta = apLight->fTheta;
    light.fPhi = apLight->fPhi;
    gpDevice->SetLight(aIndex, light);
    return true;
}

bool VoRasterizerDX9::EnableLight(std::uint32_t aIndex, bool aEnable) {
    if (gpDevice == nullptr) {
        return false;
    }
    gpDevice->LightEnable(aIndex, aEnable);
    return true;
}

bool VoRasterizerDX9::SetLighting(bool aEnable) {
    return SetState(Device::kLighting, aEnable ? 1 : 0);
}

bool VoRasterizerDX9::SetLineWidth(float) {
    VO_ASSERT_FAILURE(kSetLineWidthNYI);
    return false;
}

bool VoRasterizerDX9::SetMaterial(VoMaterial* apMaterial) {
    if (apMaterial == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    if (gpDevice == nullptr) {
        return false;
    }
    VoDeviceMaterial material;
    material.fDiffuse = DeviceColor(apMaterial->GetDiffuse());
    material.fAmbient = DeviceColor(apMaterial->GetAmbient());
    material.fSpecular = DeviceColor(apMaterial->GetSpecular());
    material.fEmissive = DeviceColor(apMaterial->GetEmissive());
    material.fPower = apMaterial->GetPower();
    gpDevice->SetMaterial(material);
    const std::uint32_t handle = apMaterial->GetTextureHandle();
    return handle != 0 ? SetTexture(handle) : true;
}

bool VoRasterizerDX9::SetShadeMode(ShadeMode aMode) {
    return SetMappedState(Device::kShadeMode, kShadeModes, aMode);
}

bool VoRasterizerDX9::SetStencilEnable(bool aEnable) {
    return SetState(Device::kStencilEnable, aEnable ? 1 : 0);
}

bool VoRasterizerDX9::SetStencilFunction(CompareFunction aFunction, bool, std::uint32_t aReference,
                                         std::uint32_t aMask) {
    std::uint32_t function = 0;
    if (gpDevice == nullptr || !Lookup(kCompares, aFunction, &function)) {
        return false;
    }
    gpDevice->SetRenderState(Device::kStencilRef, aReference);
    gpDevice->SetRenderState(Device::kStencilMask, aMask);
    gpDevice->SetRenderState(Device::kStencilFunc, function);
    return true;
}

bool VoRasterizerDX9::SetStencilFunctionCCW(CompareFunction aFunction, bool aTwoSided,
                                            std::uint32_t aReference, std::uint32_t aMask) {
    std::uint32_t function = 0;
    if (gpDevice == nullptr || !Lookup(kCompares, aFunction, &function)) {
        return false;
    }
    gpDevice->SetRenderState(Device::kTwoSidedStencilMode, aTwoSided ? 1 : 0);
    gpDevice->SetRenderState(Device::kStencilRef, aReference);
    gpDevice->SetRenderState(Device::kStencilMask, aMask);
    gpDevice->SetRenderState(Device::kCcwStencilFunc, function);
    return true;
}

bool VoRasterizerDX9::SetStencilFail(StencilOperation aOperation) {
    return SetMappedState(Device::kStencilFail, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetStencilFailCCW(StencilOperation aOperation) {
    return SetMappedState(Device::kCcwStencilFail, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetStencilPass(StencilOperation aOperation) {
    return SetMappedState(Device::kStencilPass, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetStencilPassCCW(StencilOperation aOperation) {
    return SetMappedState(Device::kCcwStencilPass, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetStencilZFail(StencilOperation aOperation) {
    return SetMappedState(Device::kStencilZFail, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetStencilZFailCCW(StencilOperation aOperation) {
    return SetMappedState(Device::kCcwStencilZFail, kStencilOps, aOperation);
}

bool VoRasterizerDX9::SetTexture(VoITexture* apTexture) {
    if (apTexture != nullptr && apTexture == fpCurrentTexture && gpDevice != nullptr) {
        return true;
    }
    return Bind(apTexture);
}

bool VoRasterizerDX9::SetTexture(std::uint32_t aHandle) {
    VoTextureManager* textures = aHandle != 0 ? VoTextureManager::GetInstance() : nullptr;
    return Bind(textures != nullptr ? textures->GetTexture(aHandle) : nullptr);
}

bool VoRasterizerDX9::SetTextureFilter(TextureFilterKind aKind, TextureFilterMode aMode) {
    Device::SamplerState state{};
    std::uint32_t mode = 0;
    if (gpDevice == nullptr || !Lookup(kFilterKinds, aKind, &state) || !Lookup(kFilterModes, aMode, &mode)) {
        return false;
    }
    gpDevice->SetSamplerState(state, mode);
    return true;
}

bool VoRasterizerDX9::SetTextureUnit(std::uint32_t) {
    VO_ASSERT_FAILURE(kSetTextureUnitNYI);
    return false;
}

bool VoRasterizerDX9::SetTextureAddress(TextureAxis aAxis, TextureAddressMode aMode) {
    Device::SamplerState state{};
    std::uint32_t mode = 0;
    if (gpDevice == nullptr || !Lookup(kAxes, aAxis, &state) || !Lookup(kAddressModes, aMode, &mode)) {
        return false;
    }
    gpDevice->SetSamplerState(state, mode);
    return true;
}

bool VoRasterizerDX9::SetTransform(TransformKind aKind, const VoMatrix* apMatrix) {
    if (apMatrix == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    Device::Transform transform{};
    if (gpDevice == nullptr || !Lookup(kTransforms, aKind, &transform)) {
        return false;
    }
    gpDevice->SetTransform(transform, &apMatrix->m[0][0]);
    return true;
}

bool VoRasterizerDX9::SetVertexBuffer(VoVertexBuffer* apBuffer) {
    if (apBuffer == nullptr) {
        VO_ERROR(kNullArg);
        return false;
    }
    const std::int32_t format = apBuffer->GetFormat();
    if (format < VoVertexBuffer::kMinFormat || format > VoVertexBuffer::kMaxFormat) {
        VO_ASSERT_FAILURE(kInvalidFormat);
        return false;
    }
    VoDeviceBuffer* target = fpVertices[format];
    if (gpDevice == nullptr || target == nullptr) {
        return false;
    }
    // The device buffer grows to the engine buffer: a large draw is drawn whole.
    const std::int32_t size = apBuffer->GetSize();
    gpDevice->WriteBuffer(target, size > 0 ? apBuffer->GetBuffer() : nullptr,
                          static_cast<std::uint32_t>(size));
    gpDevice->SetStreamSource(target, static_cast<std::uint32_t>(VoVertexBuffer::StrideOf(format)));
    gpDevice->SetVertexDeclaration(kDeclarations[format]);
    return true;
}

bool VoRasterizerDX9::SetViewport(std::uint32_t aX, std::uint32_t aY, std::uint32_t aWidth,
                                  std::uint32_t aHeight, float aMinZ, float aMaxZ) {
    if (gpDevice == nullptr) {
        return false;
    }
    VoDeviceViewport viewport;
    viewport.fX = aX;
    viewport.fY = aY;
    viewport.fWidth = aWidth;
    viewport.fHeight = aHeight;
    viewport.fMinZ = aMinZ;
    viewport.fMaxZ = aMaxZ;
    gpDevice->SetViewport(viewport);
    return true;
}

bool VoRasterizerDX9::EnableDepthBuffer(bool aEnable) {
    if (gpDevice == nullptr) {
        return false;
    }
    gpDevice->SetRenderState(Device::kZEnable, aEnable ? 1 : 0);
    gpDevice->SetRenderState(Device::kZWriteEnable, aEnable ? 1 : 0);
    gpDevice->SetRenderState(Device::kZFunc, Device::kCmpLessEqual);
    return true;
}

bool VoRasterizerDX9::EnableDepthWrite(bool aEnable) {
    return SetState(Device::kZWriteEnable, aEnable ? 1 : 0);
}

VoString VoRasterizerDX9::ToString() const {
    return VoDebugString("VoRasterizerDX9", this);
}
