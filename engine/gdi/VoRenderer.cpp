#include "gdi/VoRenderer.h"

#include <cmath>

#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoIShape.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "render/VoIRasterizer.h"
#include "render/VoITexture.h"
#include "render/VoVertexBuffer.h"
#include "stdlib/VoCleaner.h"

namespace {

VoCleanerSingleton<VoRenderer> gInstance;

constexpr std::int32_t kPositionFormat = 1;

// A viewport extent as the device takes it: truncated, and never negative or
// out of range (NaN gives 0).
std::uint32_t ViewportUnit(float aValue) {
    if (!(aValue > 0.0f)) {
        return 0;
    }
    if (aValue >= 4294967040.0f) {
        return 0xFFFFFF00u;
    }
    return static_cast<std::uint32_t>(aValue);
}

// A new matrix holding the 2D projection of a width x height view; null when
// it cannot be allocated.
VoMatrix* NewProjection(float aWidth, float aHeight) {
    VoMatrix* projection = VO_NEW VoMatrix();
    if (projection != nullptr) {
        MatrixIdentity(projection);
        MatrixOrtho(projection, aWidth, aHeight, VoRenderer::kNearPlane, VoRenderer::kFarPlane);
    }
    return projection;
}

unsigned char ColorByte(float aChannel) {
    return static_cast<unsigned char>(aChannel * 255.0f);
}

}  // namespace

VoRenderer* VoRenderer::GetInstance() {
    return gInstance.Get(
        []() -> VoRenderer* {
            VoIRasterizer* rasterizer = VoIRasterizer::Get();
            if (rasterizer == nullptr) {
                VO_ERROR(kNoRasterizer);
                return nullptr;
            }
            VoRenderer* renderer = VO_NEW VoRenderer(rasterizer);
            if (renderer == nullptr) {
                VO_ERROR(kCreationFailure);
                return nullptr;
            }
            renderer->ResetView();
            return renderer;
        },
        nullptr);
}

VoRenderer::VoRenderer(VoIRasterizer* apRasterizer)
    : fScreenRectangle(0.0f, 0.0f, kScreenWidth, kScreenHeight),
      fScreenOffset(0.0f, 0.0f),
      fpRasterizer(apRasterizer),
      fpProjection(nullptr),
      fBreakSpriteId(u""),
      fpViewRectangle(nullptr),
      fpClipProjection(nullptr),
      fClipOffset(0.0f, 0.0f),
      fClipRectangle(),
      fpOutlineImage(nullptr) {
    MatrixIdentity(&fWorld);
}

VoRenderer::~VoRenderer() {
    VoLog::WriteLine(kDestroyedLine);
    fpRasterizer = nullptr;
    fpViewRectangle = nullptr;
    delete fpProjection;
    delete fpClipProjection;
    delete fpOutlineImage;
}

VoString VoRenderer::ToString() const {
    return VoDebugString("VoRenderer", this);
}

void VoRenderer::SetScreenRectangle(float aX, float aY, float aWidth, float aHeight) {
    fScreenRectangle.Set(aX, aY, aWidth, aHeight);
}

bool VoRenderer::SetScreenOffset(float aX, float aY) {
    fScreenOffset.Set(aX, aY);
    return true;
}

bool VoRenderer::SetMatrix(const VoMatrix& aMatrix) {
    if (fpProjection == nullptr) {
        fpProjection = VO_NEW VoMatrix();
        if (fpProjection == nullptr) {
            return false;
        }
    }
    *fpProjection = aMatrix;
    return true;
}

const VoMatrix* VoRenderer::GetCurrentProjection() const {
    return fpViewRectangle != nullptr ? fpClipProjection : fpProjection;
}

bool VoRenderer::ResetView() {
    const float width = fScreenRectangle.width;
    const float height = fScreenRectangle.height;
    fpViewRectangle = nullptr;
    bool result = false;
    if (VoMatrix* projection = NewProjection(width, height)) {
        delete fpProjection;
        fpProjection = projection;
        result = fpRasterizer->SetTransform(VoIRasterizer::kProjection, fpProjection);
    }
    fScreenOffset.Set(-(width / 2.0f + 0.5f), height / 2.0f + 0.5f);
    result = fpRasterizer->SetViewport(0, 0, ViewportUnit(width), ViewportUnit(height), 0.0f, 1.0f) && result;
    return result;
}

bool VoRenderer::SetViewRectangle(VoRectangle* apRectangle) {
    if (apRectangle == nullptr) {
        return ResetView();
    }
    fpViewRectangle = apRectangle;
    const VoRectangle rectangle = *apRectangle;
    bool result = false;
    if (VoMatrix* projection = NewProjection(rectangle.width, rectangle.height)) {
        delete fpClipProjection;
        fpClipProjection = projection;
        result = fpRasterizer->SetTransform(VoIRasterizer::kProjection, fpClipProjection);
    }
    fClipOffset.Set(-(rectangle.width / 2.0f + 0.5f) - rectangle.x,
                    rectangle.height / 2.0f + 0.5f + rectangle.y);
    fClipRectangle = rectangle;
    result = fpRasterizer->SetViewport(ViewportUnit(rectangle.x), ViewportUnit(rectangle.y),
                                       ViewportUnit(rectangle.width), ViewportUnit(rectangle.height), 0.0f,
                                       1.0f) &&
             result;
    if (!result) {
        VO_ASSERT_FAILURE("");
    }
    return result;
}

bool VoRenderer::BeginRender() {
    static const VoMatrix sIdentity(1.0f, 0.0f, 0.0f, 0.0f,  //
                                    0.0f, 1.0f, 0.0f, 0.0f,  //
                                    0.0f, 0.0f, 1.0f, 0.0f,  //
                                    0.0f, 0.0f, 0.0f, 1.0f);
    VoIRasterizer* r = fpRasterizer;
    bool result = r->SetFillMode(VoIRasterizer::kFillSolid);
    result = r->SetAlphaBlending(true) && result;
    result = r->SetBlendFunction(VoIRasterizer::kBlendSrcAlpha, VoIRasterizer::kBlendInvSrcAlpha) && result;
    result = r->SetLighting(false) && result;
    result = r->SetTransform(VoIRasterizer::kView, &sIdentity) && result;
    result = r->SetTransform(VoIRasterizer::kProjection, GetCurrentProjection()) && result;
    result = r->SetTextureAddress(VoIRasterizer::kAxisU, VoIRasterizer::kAddressWrap) && result;
    result = r->SetTextureAddress(VoIRasterizer::kAxisV, VoIRasterizer::kAddressWrap) && result;
    result = r->SetTextureFilter(VoIRasterizer::kFilterMin, VoIRasterizer::kFilterLinear) && result;
    result = r->SetTextureFilter(VoIRasterizer::kFilterMag, VoIRasterizer::kFilterLinear) && result;
    result = r->EnableDepthBuffer(false) && result;
    if (!result) {
        VO_ASSERT_FAILURE("");
    }
    return result;
}

bool VoRenderer::EndRender() {
    return true;
}

bool VoRenderer::RenderBoundary(const VoIRegion* apRegion, const VoColor& aColor) {
    if (apRegion == nullptr) {
        VO_ERROR(kRenderBoundaryNull);
        return false;
    }
    switch (apRegion->GetType()) {
        case VoIRegion::kRectangle:
            return RenderRectangle(dynamic_cast<const VoRectangle*>(apRegion), aColor);
        case VoIRegion::kPolygon:
            return RenderPolygon(dynamic_cast<const VoPolygon*>(apRegion), aColor);
        default:
            break;
    }
    VO_ERROR(kRenderBoundaryType);
    return false;
}

bool VoRenderer::RenderRectangle(const VoRectangle* apRectangle, const VoColor& aColor) {
    if (apRectangle == nullptr) {
        VO_ERROR(kRenderRectangleNull);
        return false;
    }
    const VoRectangle& r = *apRectangle;
    const VoVector2 corners[] = {VoVector2(r.x, r.y), VoVector2(r.x + r.width, r.y),
                                 VoVector2(r.x + r.width, r.y + r.height), VoVector2(r.x, r.y + r.height)};
    const VoPolygon outline(corners, 4, true);
    return RenderPolygon(&outline, aColor);
}

bool VoRenderer::RenderPolygon(const VoPolygon* apPolygon, const VoColor& aColor) {
    if (apPolygon == nullptr) {
        VO_ERROR(kRenderPolygonNull);
        return false;
    }
    const int pointCount = apPolygon->GetNumPoints();
    const int vertexCount = pointCount + (apPolygon->IsClosed() && pointCount > 0 ? 1 : 0);
    // A line strip needs two vertices; fewer would ask for a negative count of lines.
    if (vertexCount < 2) {
        VO_ERROR(kRenderPolygonTooFewPoints);
        return false;
    }
    if (fpOutlineImage == nullptr) {
        VoImage* image = VO_NEW VoImage();
        const unsigned char white[4] = {255, 255, 255, 255};
        if (image == nullptr || !image->Create(1, 1, 4, VoImage::kFormatBGRA, white, 4)) {
            delete image;
            VO_ERROR(kRenderPolygonNoTexture);
            return false;
        }
        fpOutlineImage = image;
    }
    unsigned char* pixel = fpOutlineImage->GetPixels();
    pixel[0] = ColorByte(aColor.fB);
    pixel[1] = ColorByte(aColor.fG);
    pixel[2] = ColorByte(aColor.fR);
    pixel[3] = ColorByte(aColor.fA);

    VoRegistry* registry = VoRegistry::Get();
    VoIObjectCreator* creator = registry != nullptr ? registry->GetCreator(VoString(u"texture")) : nullptr;
    VoBase* object = creator != nullptr ? creator->Create() : nullptr;
    VoITexture* texture = dynamic_cast<VoITexture*>(object);
    if (texture == nullptr) {
        delete object;
        VO_ERROR(kRenderPolygonNoTexture);
        return false;
    }
    bool result = texture->CreateTexture(fpOutlineImage);

    VoMatrix world;
    const VoVector2& offset = GetCurrentOffset();
    MatrixTranslation(&world, offset.x, offset.y, 0.0f);
    result = fpRasterizer->SetTransform(VoIRasterizer::kWorld, &world) && result;

    float* vertices = VO_NEW float[static_cast<std::size_t>(vertexCount) * 3];
    VoVertexBuffer* buffer = VO_NEW VoVertexBuffer();
    if (vertices != nullptr && buffer != nullptr) {
        const VoVector2* points = apPolygon->PeekPoints();
        for (int i = 0; i < vertexCount; ++i) {
            const VoVector2& point = points[i < pointCount ? i : 0];
            vertices[i * 3] = point.x;
            vertices[i * 3 + 1] = -point.y;
            vertices[i * 3 + 2] = 0.0f;
        }
    }
    if (vertices != nullptr && buffer != nullptr && buffer->Create(kPositionFormat, vertices, vertexCount)) {
        result = fpRasterizer->SetTextureFactor(1.0f) && result;
        result = fpRasterizer->SetVertexBuffer(buffer) && result;
        result = fpRasterizer->SetTexture(texture) && result;
        result =
            fpRasterizer->Draw(VoIRasterizer::kLineStrip, 0, static_cast<std::uint32_t>(vertexCount - 1)) &&
            result;
    } else {
        VO_ERROR(kRenderPolygonNoBuffer);
        result = false;
    }
    delete texture;
    delete[] vertices;
    delete buffer;
    return result;
}

bool VoRenderer::SetWorld(const VoMatrix& aObject, bool aUnscaled, bool aPixelSnap) {
    const VoVector2& offset = GetCurrentOffset();
    fWorld = aObject;
    if (aUnscaled) {
        for (int row = 0; row < 3; ++row) {
            float* r = fWorld.m[row];
            const float length = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
            // A row scaled to nothing stays nothing rather than turning into NaN.
            if (length > 0.0f) {
                r[0] /= length;
                r[1] /= length;
                r[2] /= length;
            }
        }
    }
    if (aPixelSnap) {
        for (int column = 0; column < 3; ++column) {
            fWorld.m[3][column] = std::trunc(fWorld.m[3][column]);
        }
    }
    // x a translation: every row moves by its w times the offset.
    for (int row = 0; row < 4; ++row) {
        float* r = fWorld.m[row];
        r[0] += r[3] * offset.x;
        r[1] += r[3] * offset.y;
    }
    return fpRasterizer->SetTransform(VoIRasterizer::kWorld, &fWorld);
}

bool VoRenderer::RenderSprite(VoSprite* apSprite) {
    if (apSprite == nullptr) {
        VO_ERROR(kRenderSpriteNull);
        return false;
    }
    VoVertexBuffer* quad = apSprite->GetVertexBuffer();
    if (quad == nullptr) {
        return false;
    }
    // An empty break id stops at nothing.
    if (fBreakSpriteId.GetLength() > 0 && apSprite->GetId().EqualsNoCase(fBreakSpriteId)) {
        VO_ASSERT_FAILURE(kBreakForSprite, apSprite->GetId());
    }
    VoIRasterizer* r = fpRasterizer;
    bool result = SetWorld(*apSprite->GetWorldTransform(), apSprite->GetUnscaled(), apSprite->GetPixelSnap());
    result = r->SetTexture(apSprite->GetTexture()) && result;
    result = r->SetTextureFactor(apSprite->GetEffectiveBlend()) && result;
    result = r->SetVertexBuffer(quad) && result;
    result = r->Draw(VoIRasterizer::kTriangleStrip, 0, 2) && result;
    return result;
}

bool VoRenderer::RenderShape(VoIShape* apShape) {
    if (apShape == nullptr) {
        VO_ERROR(kRenderShapeNull);
        return false;
    }
    VoVertexBuffer* fill = apShape->GetFillVertexBuffer();
    VoVertexBuffer* stroke = apShape->GetStrokeVertexBuffer();
    if (fill == nullptr && stroke == nullptr) {
        return false;
    }
    const int triangles = apShape->GetFilled() && fill != nullptr ? apShape->GetFillTriangleCount() : 0;
    const int segments = apShape->GetStroked() && stroke != nullptr ? apShape->GetStrokeSegmentCount() : 0;
    VoIRasterizer* r = fpRasterizer;
    bool result = SetWorld(*apShape->GetWorldTransform(), false, false);
    result = r->SetTextureFactor(apShape->GetEffectiveBlend()) && result;
    if (triangles > 0) {
        result = r->SetTexture(apShape->GetFillTexture()) && result;
        result = r->SetVertexBuffer(fill) && result;
        result = r->Draw(VoIRasterizer::kTriangleList, 0, static_cast<std::uint32_t>(triangles)) && result;
    }
    if (segments > 0) {
        result = r->SetTexture(apShape->GetStrokeTexture()) && result;
        result = r->SetVertexBuffer(stroke) && result;
        result = r->Draw(VoIRasterizer::kLineStrip, 0, static_cast<std::uint32_t>(segments)) && result;
    }
    return result;
}
