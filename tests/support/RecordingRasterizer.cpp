#include "RecordingRasterizer.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "object/VoRegistry.h"
#include "object/VoServiceCreator.h"
#include "render/VoVertexBuffer.h"

namespace {

int gLiveTextures = 0;

std::string Number(double aValue) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", aValue);
    return text;
}

double Flag(bool aValue) {
    return aValue ? 1.0 : 0.0;
}

class RecordingRasterizerCreator : public VoServiceCreator<RecordingRasterizer, VoServiceInit::kNone> {
public:
    RecordingRasterizerCreator() : VoServiceCreator(u"rasterizer", "RecordingRasterizerCreator") {}
};

class RecordingTextureCreator : public VoServiceCreator<RecordingTexture, VoServiceInit::kNone> {
public:
    RecordingTextureCreator() : VoServiceCreator(u"texture", "RecordingTextureCreator") {}
};

}  // namespace

void RecordingEngine::RegisterRecorders() {
    VoRegistry* registry = VoRegistry::Get();
    if (registry == nullptr) {
        return;
    }
    for (VoIObjectCreator* creator : {static_cast<VoIObjectCreator*>(VO_NEW RecordingRasterizerCreator()),
                                      static_cast<VoIObjectCreator*>(VO_NEW RecordingTextureCreator())}) {
        if (!registry->AddCreator(creator)) {
            delete creator;
        }
    }
}

RecordingRasterizer::RecordingRasterizer() {
    for (VoMatrix& matrix : fTransforms) {
        MatrixIdentity(&matrix);
    }
}

RecordingRasterizer::~RecordingRasterizer() = default;

RecordingRasterizer* RecordingRasterizer::Engine() {
    return dynamic_cast<RecordingRasterizer*>(VoIRasterizer::Get());
}

VoString RecordingRasterizer::ToString() const {
    return VoDebugString("RecordingRasterizer", this);
}

std::vector<std::string> RecordingRasterizer::Texts() const {
    std::vector<std::string> texts;
    for (const RasterizerCall& call : fCalls) {
        texts.push_back(call.text);
    }
    return texts;
}

std::vector<std::string> RecordingRasterizer::Texts(const std::string& aName) const {
    std::vector<std::string> texts;
    for (const RasterizerCall& call : fCalls) {
        if (call.name == aName) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

std::vector<std::string> RecordingRasterizer::Names() const {
    std::vector<std::string> names;
    for (const RasterizerCall& call : fCalls) {
        names.push_back(call.name);
    }
    return names;
}

int RecordingRasterizer::Count(const std::string& aName) const {
    int count = 0;
    for (const RasterizerCall& call : fCalls) {
        count += call.name == aName ? 1 : 0;
    }
    return count;
}

const RasterizerCall* RecordingRasterizer::Last(const std::string& aName) const {
    for (auto call = fCalls.rbegin(); call != fCalls.rend(); ++call) {
        if (call->name == aName) {
            return &*call;
        }
    }
    return nullptr;
}

RasterizerCall RecordingRasterizer::Call(const char* apName, std::vector<double> aArguments) {
    return Call(apName, std::move(aArguments), std::string());
}

RasterizerCall RecordingRasterizer::Call(const char* apName, std::vector<double> aArguments,
                                         const std::string& aWord) {
    RasterizerCall call;
    call.name = apName;
    call.text = call.name + "(";
    for (std::size_t i = 0; i < aArguments.size(); ++i) {
        call.text += (i > 0 ? ", " : "") + Number(aArguments[i]);
    }
    if (!aWord.empty()) {
        call.text += (aArguments.empty() ? "" : ", ") + aWord;
    }
    call.text += ")";
    call.arguments = std::move(aArguments);
    return call;
}

bool RecordingRasterizer::Record(RasterizerCall aCall) {
    const auto result = fResults.find(aCall.name);
    fCalls.push_back(std::move(aCall));
    return result == fResults.end() || result->second;
}

bool RecordingRasterizer::Clear() {
    return Record(Call("Clear", {}));
}

bool RecordingRasterizer::ClearStencil() {
    return Record(Call("ClearStencil", {}));
}

bool RecordingRasterizer::ResetTexture() {
    fpCurrentTexture = nullptr;
    return Record(Call("ResetTexture", {}));
}

bool RecordingRasterizer::DrawIndexedPrimitive() {
    return Record(Call("DrawIndexedPrimitive", {}));
}

bool RecordingRasterizer::DrawIndexed(PrimitiveType aType, std::uint32_t aPrimitiveCount,
                                      std::uint32_t aVertexCount, std::uint32_t aStartIndex,
                                      std::int32_t aBaseVertexIndex) {
    return Record(Call("DrawIndexed", {double(aType), double(aPrimitiveCount), double(aVertexCount),
                                       double(aStartIndex), double(aBaseVertexIndex)}));
}

bool RecordingRasterizer::DrawPrimitive() {
    return Record(Call("DrawPrimitive", {}));
}

bool RecordingRasterizer::Draw(PrimitiveType aType, std::uint32_t aStartVertex,
                               std::uint32_t aPrimitiveCount) {
    return Record(Call("Draw", {double(aType), double(aStartVertex), double(aPrimitiveCount)}));
}

bool RecordingRasterizer::GetViewport(std::uint32_t* apX, std::uint32_t* apY, std::uint32_t* apWidth,
                                      std::uint32_t* apHeight, float* apMinZ, float* apMaxZ) {
    std::uint32_t* const outs[] = {apX, apY, apWidth, apHeight};
    for (int i = 0; i < 4; ++i) {
        if (outs[i] != nullptr) {
            *outs[i] = fViewport[i];
        }
    }
    if (apMinZ != nullptr) {
        *apMinZ = fDepthRange[0];
    }
    if (apMaxZ != nullptr) {
        *apMaxZ = fDepthRange[1];
    }
    return Record(Call("GetViewport", {}));
}

bool RecordingRasterizer::GetTransform(TransformKind aKind, VoMatrix* apMatrix) {
    RasterizerCall call = Call("GetTransform", {double(aKind)});
    if (aKind >= kWorld && aKind <= kProjection) {
        call.hasMatrix = true;
        call.matrix = fTransforms[aKind];
        if (apMatrix != nullptr) {
            *apMatrix = fTransforms[aKind];
        }
    }
    return Record(std::move(call));
}

bool RecordingRasterizer::SetTextureFactor(float aAlpha) {
    return Record(Call("SetTextureFactor", {aAlpha}));
}

bool RecordingRasterizer::SetAlphaBlending(bool aEnable) {
    return Record(Call("SetAlphaBlending", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetBlendFunction(BlendFactor aSource, BlendFactor aDestination) {
    return Record(Call("SetBlendFunction", {double(aSource), double(aDestination)}));
}

bool RecordingRasterizer::SetColorValues(float aA, float aR, float aG, float aB) {
    return Record(Call("SetColorValues", {aA, aR, aG, aB}));
}

bool RecordingRasterizer::SetClipRect(std::uint32_t aArgument) {
    return Record(Call("SetClipRect", {double(aArgument)}));
}

bool RecordingRasterizer::SetColor(const VoColor& aColor) {
    return Record(Call("SetColor", {aColor.fA, aColor.fR, aColor.fG, aColor.fB}));
}

bool RecordingRasterizer::SetColorWrite(bool aEnable) {
    return Record(Call("SetColorWrite", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetCullMode(CullMode aMode) {
    return Record(Call("SetCullMode", {double(aMode)}));
}

bool RecordingRasterizer::SetDepthEnable(bool aEnable) {
    return Record(Call("SetDepthEnable", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetDepthWrite(bool aEnable) {
    return Record(Call("SetDepthWrite", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetFillMode(FillMode aMode) {
    return Record(Call("SetFillMode", {double(aMode)}));
}

bool RecordingRasterizer::SetViewport(std::uint32_t aIgnored, float aX0, float aX1, float aY0, float aY1,
                                      float aMinZ, float aMaxZ) {
    return Record(Call("SetViewport", {double(aIgnored), aX0, aX1, aY0, aY1, aMinZ, aMaxZ}));
}

bool RecordingRasterizer::SetIndexBuffer(VoIndexBuffer* apBuffer) {
    RasterizerCall call = Call("SetIndexBuffer", {}, apBuffer != nullptr ? "buffer" : "null");
    call.object = apBuffer;
    return Record(std::move(call));
}

bool RecordingRasterizer::SetLight(std::uint32_t aIndex, VoLight* apLight) {
    RasterizerCall call = Call("SetLight", {double(aIndex)}, apLight != nullptr ? "light" : "null");
    call.object = apLight;
    return Record(std::move(call));
}

bool RecordingRasterizer::EnableLight(std::uint32_t aIndex, bool aEnable) {
    return Record(Call("EnableLight", {double(aIndex), Flag(aEnable)}));
}

bool RecordingRasterizer::SetLighting(bool aEnable) {
    return Record(Call("SetLighting", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetLineWidth(float aWidth) {
    return Record(Call("SetLineWidth", {aWidth}));
}

bool RecordingRasterizer::SetMaterial(VoMaterial* apMaterial) {
    RasterizerCall call = Call("SetMaterial", {}, apMaterial != nullptr ? "material" : "null");
    call.object = apMaterial;
    return Record(std::move(call));
}

bool RecordingRasterizer::SetShadeMode(ShadeMode aMode) {
    return Record(Call("SetShadeMode", {double(aMode)}));
}

bool RecordingRasterizer::SetStencilEnable(bool aEnable) {
    return Record(Call("SetStencilEnable", {Flag(aEnable)}));
}

bool RecordingRasterizer::SetStencilFunction(CompareFunction aFunction, bool aIgnored,
                                             std::uint32_t aReference, std::uint32_t aMask) {
    return Record(
        Call("SetStencilFunction", {double(aFunction), Flag(aIgnored), double(aReference), double(aMask)}));
}

bool RecordingRasterizer::SetStencilFunctionCCW(CompareFunction aFunction, bool aTwoSided,
                                                std::uint32_t aReference, std::uint32_t aMask) {
    return Record(Call("SetStencilFunctionCCW",
                       {double(aFunction), Flag(aTwoSided), double(aReference), double(aMask)}));
}

bool RecordingRasterizer::SetStencilFail(StencilOperation aOperation) {
    return Record(Call("SetStencilFail", {double(aOperation)}));
}

bool RecordingRasterizer::SetStencilFailCCW(StencilOperation aOperation) {
    return Record(Call("SetStencilFailCCW", {double(aOperation)}));
}

bool RecordingRasterizer::SetStencilPass(StencilOperation aOperation) {
    return Record(Call("SetStencilPass", {double(aOperation)}));
}

bool RecordingRasterizer::SetStencilPassCCW(StencilOperation aOperation) {
    return Record(Call("SetStencilPassCCW", {double(aOperation)}));
}

bool RecordingRasterizer::SetStencilZFail(StencilOperation aOperation) {
    return Record(Call("SetStencilZFail", {double(aOperation)}));
}

bool RecordingRasterizer::SetStencilZFailCCW(StencilOperation aOperation) {
    return Record(Call("SetStencilZFailCCW", {double(aOperation)}));
}

bool RecordingRasterizer::SetTexture(VoITexture* apTexture) {
    RasterizerCall call;
    if (apTexture == nullptr) {
        call = Call("SetTexture", {}, "null");
    } else {
        call = Call("SetTexture", {},
                    "texture " + Number(apTexture->GetWidth()) + "x" + Number(apTexture->GetHeight()));
        call.textureWidth = apTexture->GetWidth();
        call.textureHeight = apTexture->GetHeight();
        if (const RecordingTexture* recorded = dynamic_cast<const RecordingTexture*>(apTexture)) {
            call.texels = recorded->GetTexels();
        }
    }
    call.object = apTexture;
    fpCurrentTexture = apTexture;
    return Record(std::move(call));
}

bool RecordingRasterizer::SetTexture(std::uint32_t aHandle) {
    // Handles are whole 32-bit numbers: written out in full.
    return Record(Call("SetTexture", {}, "handle " + std::to_string(aHandle)));
}

bool RecordingRasterizer::SetTextureFilter(TextureFilterKind aKind, TextureFilterMode aMode) {
    return Record(Call("SetTextureFilter", {double(aKind), double(aMode)}));
}

bool RecordingRasterizer::SetTextureUnit(std::uint32_t aUnit) {
    return Record(Call("SetTextureUnit", {double(aUnit)}));
}

bool RecordingRasterizer::SetTextureAddress(TextureAxis aAxis, TextureAddressMode aMode) {
    return Record(Call("SetTextureAddress", {double(aAxis), double(aMode)}));
}

bool RecordingRasterizer::SetTransform(TransformKind aKind, const VoMatrix* apMatrix) {
    RasterizerCall call = Call("SetTransform", {double(aKind)}, apMatrix != nullptr ? "" : "null");
    if (apMatrix != nullptr) {
        call.hasMatrix = true;
        call.matrix = *apMatrix;
        if (aKind >= kWorld && aKind <= kProjection) {
            fTransforms[aKind] = *apMatrix;
        }
    }
    return Record(std::move(call));
}

bool RecordingRasterizer::SetVertexBuffer(VoVertexBuffer* apBuffer) {
    RasterizerCall call;
    if (apBuffer == nullptr) {
        call = Call("SetVertexBuffer", {}, "null");
    } else {
        call = Call("SetVertexBuffer", {double(apBuffer->GetFormat()), double(apBuffer->GetVertexCount())});
        call.vertexFormat = apBuffer->GetFormat();
        call.vertexCount = apBuffer->GetVertexCount();
        const std::size_t bytes =
            static_cast<std::size_t>(apBuffer->GetStride()) * static_cast<std::size_t>(call.vertexCount);
        if (bytes > 0) {
            call.vertices.resize(bytes / sizeof(float));
            std::memcpy(call.vertices.data(), apBuffer->GetBuffer(), call.vertices.size() * sizeof(float));
        }
    }
    call.object = apBuffer;
    return Record(std::move(call));
}

bool RecordingRasterizer::SetViewport(std::uint32_t aX, std::uint32_t aY, std::uint32_t aWidth,
                                      std::uint32_t aHeight, float aMinZ, float aMaxZ) {
    const bool result =
        Record(Call("SetViewport", {double(aX), double(aY), double(aWidth), double(aHeight), aMinZ, aMaxZ}));
    if (result) {
        fViewport[0] = aX;
        fViewport[1] = aY;
        fViewport[2] = aWidth;
        fViewport[3] = aHeight;
        fDepthRange[0] = aMinZ;
        fDepthRange[1] = aMaxZ;
    }
    return result;
}

bool RecordingRasterizer::EnableDepthBuffer(bool aEnable) {
    return Record(Call("EnableDepthBuffer", {Flag(aEnable)}));
}

bool RecordingRasterizer::EnableDepthWrite(bool aEnable) {
    return Record(Call("EnableDepthWrite", {Flag(aEnable)}));
}

RecordingTexture::RecordingTexture() {
    ++gLiveTextures;
}

RecordingTexture::~RecordingTexture() {
    --gLiveTextures;
}

int RecordingTexture::LiveCount() {
    return gLiveTextures;
}

bool RecordingTexture::CreateTexture(VoImage* apImage) {
    if (apImage == nullptr || apImage->GetPixels() == nullptr) {
        return false;
    }
    fWidth = static_cast<std::uint32_t>(apImage->GetWidth());
    fHeight = static_cast<std::uint32_t>(apImage->GetHeight());
    fFormat = apImage->GetFormat();
    fTexels.assign(apImage->GetPixels(), apImage->GetPixels() + apImage->GetSize());
    return true;
}

bool RecordingTexture::CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::int32_t aFormat) {
    fWidth = aWidth;
    fHeight = aHeight;
    fFormat = aFormat;
    fTexels.assign(static_cast<std::size_t>(aWidth) * aHeight *
                       static_cast<std::size_t>(VoImage::GetBytesPerPixel(aFormat)),
                   0);
    return true;
}

bool RecordingTexture::UpdateTexture(const std::uint8_t* apPixels, std::uint32_t aPitch) {
    const std::size_t row =
        static_cast<std::size_t>(fWidth) * static_cast<std::size_t>(VoImage::GetBytesPerPixel(fFormat));
    if (fRefuseUpdates || apPixels == nullptr || fTexels.empty() || aPitch < row) {
        return false;
    }
    for (std::uint32_t y = 0; y < fHeight; ++y) {
        std::memcpy(fTexels.data() + y * row, apPixels + static_cast<std::size_t>(y) * aPitch, row);
    }
    ++fUpdates;
    return true;
}

bool RecordingTexture::SetPriority(float aPriority) {
    fPriority = aPriority;
    return true;
}

VoString RecordingTexture::ToString() const {
    return VoDebugString("RecordingTexture", this);
}

RecordingEngine::RecordingEngine() : ScopedEngine(&RegisterRecorders) {}

RecordingRasterizer* RecordingEngine::Rasterizer() const {
    return RecordingRasterizer::Engine();
}
