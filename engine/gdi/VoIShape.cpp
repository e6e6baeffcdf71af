#include "gdi/VoIShape.h"

#include "container/VoLog.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "render/VoITexture.h"
#include "render/VoVertexBuffer.h"

namespace {
const VoColor kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);
}  // namespace

VoIShape::VoIShape() : fStrokeColor(kOpaqueWhite), fFillColor(kOpaqueWhite) {
    SetStrokeColor(kOpaqueWhite);
    SetFillColor(kOpaqueWhite);
}

VoIShape::~VoIShape() {
    delete fpFillVertexBuffer;
    delete fpStrokeVertexBuffer;
    delete fpStrokeTexture;
    delete fpFillTexture;
}

VoITexture* VoIShape::NewColorTexture(const VoColor& aColor) {
    // Channels clamped to 0..255 and truncated; the bytes of a pixel of
    // format 1 are B, G, R, A.
    const std::uint32_t argb = aColor.GetARGB();
    const unsigned char pixel[4] = {static_cast<unsigned char>(argb), static_cast<unsigned char>(argb >> 8),
                                    static_cast<unsigned char>(argb >> 16),
                                    static_cast<unsigned char>(argb >> 24)};
    VoImage image;
    if (!image.Create(1, 1, 4, VoImage::kFormatBGRA, pixel, 4)) {
        return nullptr;
    }
    VoRegistry* registry = VoRegistry::Get();
    VoIObjectCreator* creator = registry != nullptr ? registry->GetCreator(VoString(u"texture")) : nullptr;
    VoBase* object = creator != nullptr ? creator->Create() : nullptr;
    VoITexture* texture = dynamic_cast<VoITexture*>(object);
    if (texture == nullptr || !texture->CreateTexture(&image)) {
        delete object;
        VO_ERROR(kColorTextureFailure);
        return nullptr;
    }
    return texture;
}

bool VoIShape::Render(VoRenderer* apRenderer) {
    if (apRenderer == nullptr) {
        VO_ERROR(kRenderNull);
        return false;
    }
    if (GetTrackRender()) {
        VO_ASSERT_FAILURE(kTrackingRender);
    }
    if (fDirty) {
        UpdateShape();
    }
    Validate();
    if (!GetEffectiveActive() || !GetEffectiveVisible()) {
        return true;
    }
    return apRenderer->RenderShape(this);
}

int VoIShape::GetFillTriangleCount() const {
    return fpFillVertexBuffer != nullptr ? fpFillVertexBuffer->GetVertexCount() / 3 : 0;
}

int VoIShape::GetStrokeSegmentCount() const {
    if (fpStrokeVertexBuffer == nullptr || fpStrokeVertexBuffer->GetVertexCount() < 1) {
        return 0;
    }
    return fpStrokeVertexBuffer->GetVertexCount() - 1;
}

bool VoIShape::SetAntialiased(bool aAntialiased) {
    fAntialiased = aAntialiased;
    return true;
}

bool VoIShape::SetFillColor(const VoColor& aColor) {
    fFillColor = aColor;
    delete fpFillTexture;
    fpFillTexture = NewColorTexture(aColor);
    return true;
}

bool VoIShape::SetFilled(bool aFilled) {
    fFilled = aFilled;
    return true;
}

void VoIShape::InvalidateShape() {
    fDirty = true;
}

bool VoIShape::SetStrokeColor(const VoColor& aColor) {
    fStrokeColor = aColor;
    delete fpStrokeTexture;
    fpStrokeTexture = NewColorTexture(aColor);
    return true;
}

bool VoIShape::SetStroked(bool aStroked) {
    fStroked = aStroked;
    return true;
}

bool VoIShape::Replace(VoVertexBuffer*& aBuffer, const float* apVertices, int aCount) {
    delete aBuffer;
    aBuffer = VO_NEW VoVertexBuffer();
    return aBuffer != nullptr && apVertices != nullptr && aCount > 0 &&
           aBuffer->Create(kVertexFormat, apVertices, aCount);
}

bool VoIShape::ReplaceStroke(const float* apVertices, int aCount) {
    return Replace(fpStrokeVertexBuffer, apVertices, aCount);
}

bool VoIShape::ReplaceFill(const float* apVertices, int aCount) {
    return Replace(fpFillVertexBuffer, apVertices, aCount);
}
