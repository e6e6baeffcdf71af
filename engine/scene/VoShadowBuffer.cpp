#include "scene/VoShadowBuffer.h"

#include "container/VoLog.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoITexture.h"
#include "render/VoVertexBuffer.h"
#include "stdlib/VoAPIObjectManager.h"

namespace {

using R = VoIRasterizer;

// Positions only.
constexpr std::int32_t kQuadFormat = 1;

// The quad as a strip: bottom left, top left, bottom right, top right.
constexpr float kQuad[4][3] = {
    {-0.5f, -0.5f, 0.0f}, {-0.5f, 0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {0.5f, 0.5f, 0.0f}};

// One opaque black pixel: blue, green, red, alpha.
constexpr unsigned char kBlackPixel[4] = {0, 0, 0, 255};

}  // namespace

VoShadowBuffer::VoShadowBuffer() {
    VoImage image;
    fpTexture = VoAPIObjectManager::CreateServiceAs<VoITexture>(u"texture");
    if (fpTexture == nullptr || !image.Create(1, 1, 4, VoImage::kFormatBGRA, kBlackPixel, 4) ||
        !fpTexture->CreateTexture(&image)) {
        VO_ERROR(kNoTexture);
        delete fpTexture;
        fpTexture = nullptr;
    }
    fpVertexBuffer = VO_NEW VoVertexBuffer();
    if (fpVertexBuffer == nullptr || !fpVertexBuffer->Create(kQuadFormat, kQuad, 4)) {
        VO_ASSERT_FAILURE("");
        delete fpVertexBuffer;
        fpVertexBuffer = nullptr;
    }
    MatrixIdentity(&fView);
    MatrixOrtho(&fProjection, 1.0f, 1.0f, kNear, kFar);
}

VoShadowBuffer::~VoShadowBuffer() {
    delete fpVertexBuffer;
    delete fpTexture;
}

bool VoShadowBuffer::BeginShadowPass() {
    R* rasterizer = R::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    bool begun = rasterizer->ClearStencil();
    begun = rasterizer->SetStencilEnable(true) && begun;
    begun = rasterizer->SetAlphaBlending(false) && begun;
    begun = rasterizer->EnableDepthBuffer(true) && begun;
    begun = rasterizer->EnableDepthWrite(false) && begun;
    begun = rasterizer->SetColorWrite(false) && begun;
    return begun;
}

bool VoShadowBuffer::Render(float aAlpha) {
    R* rasterizer = R::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    bool drawn = rasterizer->SetColorWrite(true);
    drawn = rasterizer->SetCullMode(R::kCullNone) && drawn;
    // A pixel passes where 0 is less than its stencil value.
    drawn = rasterizer->SetStencilFunction(R::kCmpLess, false, 0, kStencilMask) && drawn;
    drawn = rasterizer->SetStencilFail(R::kStencilKeep) && drawn;
    drawn = rasterizer->SetStencilZFail(R::kStencilKeep) && drawn;
    drawn = rasterizer->SetStencilPass(R::kStencilKeep) && drawn;
    drawn = rasterizer->SetAlphaBlending(true) && drawn;
    drawn = rasterizer->SetTextureFactor(aAlpha) && drawn;
    drawn = rasterizer->SetTexture(fpTexture) && drawn;
    if (fpVertexBuffer != nullptr) {
        drawn = rasterizer->SetVertexBuffer(fpVertexBuffer) && drawn;
    } else {
        drawn = false;
    }
    drawn = rasterizer->SetTransform(R::kView, &fView) && drawn;
    drawn = rasterizer->SetTransform(R::kProjection, &fProjection) && drawn;
    drawn = rasterizer->EnableDepthBuffer(false) && drawn;
    if (fpVertexBuffer != nullptr) {
        drawn = rasterizer->Draw(R::kTriangleStrip, 0, 2) && drawn;
    }
    drawn = rasterizer->SetStencilEnable(false) && drawn;
    drawn = rasterizer->SetCullMode(R::kCullCounterClockwise) && drawn;
    drawn = rasterizer->EnableDepthBuffer(true) && drawn;
    drawn = rasterizer->EnableDepthWrite(true) && drawn;
    drawn = rasterizer->SetAlphaBlending(false) && drawn;
    return drawn;
}
