#include "render/VoRasterizerDX9.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "geometry/VoMatrix.h"
#include "render/VoIndexBuffer.h"
#include "render/VoLight.h"
#include "render/VoMaterial.h"
#include "render/VoRasterizerDX9Creator.h"
#include "render/VoTextureDX9.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "support/RenderTestSupport.h"
#include "support/ScopedEngine.h"

namespace {

using R = VoIRasterizer;

// A rasterizer initialised on the recorder, its buffer creation forgotten.
class VoRasterizerDX9Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fRasterizer.Initialize(0));
        fDevice->ClearCalls();
    }

    RecordedDevice fDevice;
    VoRasterizerDX9 fRasterizer;
};

// A texture with a native texture on the recorder.
void MakeTexture(VoTextureDX9& aTexture) {
    VoImage image;
    MakeImage(image, 1, 1, VoImage::kFormatBGRA, {1, 2, 3, 4});
    ASSERT_TRUE(aTexture.Initialize(0));
    ASSERT_TRUE(aTexture.CreateTexture(&image));
}

}  // namespace

TEST(VoRasterizerDX9, InitializeMakesTheNineBuffersInTheirOrder) {
    RecordedDevice device;
    VoRasterizerDX9 rasterizer;
    ASSERT_TRUE(rasterizer.Initialize(0));
    EXPECT_EQ(device->Calls(), (Lines{"CreateIndexBuffer 80000 2 -> B1", "CreateIndexBuffer 160000 4 -> B2",
                                      "CreateVertexBuffer 1200000 -> B3", "CreateVertexBuffer 7168 -> B4",
                                      "CreateVertexBuffer 5120 -> B5", "CreateVertexBuffer 240000 -> B6",
                                      "CreateVertexBuffer 10240 -> B7", "CreateVertexBuffer 320000 -> B8",
                                      "CreateVertexBuffer 480000 -> B9"}));
    EXPECT_EQ(Narrow(rasterizer.ToString()), "[VoRasterizerDX9 <" + HexAddress(&rasterizer) + ">]");
}

TEST(VoRasterizerDX9, WithoutADeviceInitializeFailsAndNothingReachesOne) {
    VoRenderDeviceSource::Set(nullptr);
    VoRasterizerDX9 rasterizer;
    EXPECT_FALSE(rasterizer.Initialize(0));
    EXPECT_FALSE(rasterizer.Clear());
    EXPECT_FALSE(rasterizer.SetAlphaBlending(true));
    EXPECT_FALSE(rasterizer.Draw(R::kTriangleList, 0, 1));
    std::uint32_t value = 0;
    float depth = 0.0f;
    EXPECT_FALSE(rasterizer.GetViewport(&value, &value, &value, &value, &depth, &depth));
}

TEST_F(VoRasterizerDX9Test, EachCallSetsItsStatesInOrder) {
    VoMatrix matrix;
    const struct {
        const char* name;
        std::function<bool(VoRasterizerDX9&)> call;
        Lines lines;
    } cases[] = {
        {"blending on",
         [](auto& r) { return r.SetAlphaBlending(true); },
         {"SetRenderState AlphaBlendEnable 1"}},
        {"source alpha blend",
         [](auto& r) { return r.SetBlendFunction(R::kBlendSrcAlpha, R::kBlendInvSrcAlpha); },
         {"SetRenderState SrcBlend 5", "SetRenderState DestBlend 6"}},
        {"blend table is not in engine order",
         [](auto& r) { return r.SetBlendFunction(R::kBlendDestColor, R::kBlendInvDestColor); },
         {"SetRenderState SrcBlend 9", "SetRenderState DestBlend 10"}},
        {"colour write on",
         [](auto& r) { return r.SetColorWrite(true); },
         {"SetRenderState ColorWriteEnable 15"}},
        {"colour write off",
         [](auto& r) { return r.SetColorWrite(false); },
         {"SetRenderState ColorWriteEnable 0"}},
        {"cull clockwise",
         [](auto& r) { return r.SetCullMode(R::kCullClockwise); },
         {"SetRenderState CullMode 2"}},
        {"cull none", [](auto& r) { return r.SetCullMode(R::kCullNone); }, {"SetRenderState CullMode 1"}},
        {"depth off", [](auto& r) { return r.SetDepthEnable(false); }, {"SetRenderState ZEnable 0"}},
        {"depth write", [](auto& r) { return r.SetDepthWrite(true); }, {"SetRenderState ZWriteEnable 1"}},
        {"wireframe",
         [](auto& r) { return r.SetFillMode(R::kFillWireframe); },
         {"SetRenderState FillMode 2"}},
        {"lighting off", [](auto& r) { return r.SetLighting(false); }, {"SetRenderState Lighting 0"}},
        {"flat", [](auto& r) { return r.SetShadeMode(R::kShadeFlat); }, {"SetRenderState ShadeMode 1"}},
        {"stencil on", [](auto& r) { return r.SetStencilEnable(true); }, {"SetRenderState StencilEnable 1"}},
        {"stencil function: reference, mask, then function",
         [](auto& r) { return r.SetStencilFunction(R::kCmpLess, true, 3, 0xFF); },
         {"SetRenderState StencilRef 3", "SetRenderState StencilMask 255", "SetRenderState StencilFunc 2"}},
        {"counter-clockwise function: two-sided first",
         [](auto& r) { return r.SetStencilFunctionCCW(R::kCmpAlways, true, 1, 7); },
         {"SetRenderState TwoSidedStencilMode 1", "SetRenderState StencilRef 1",
          "SetRenderState StencilMask 7", "SetRenderState CcwStencilFunc 8"}},
        {"fail", [](auto& r) { return r.SetStencilFail(R::kStencilZero); }, {"SetRenderState StencilFail 2"}},
        {"fail ccw",
         [](auto& r) { return r.SetStencilFailCCW(R::kStencilInvert); },
         {"SetRenderState CcwStencilFail 6"}},
        {"pass wraps",
         [](auto& r) { return r.SetStencilPass(R::kStencilIncr); },
         {"SetRenderState StencilPass 7"}},
        {"pass ccw saturates",
         [](auto& r) { return r.SetStencilPassCCW(R::kStencilIncrSat); },
         {"SetRenderState CcwStencilPass 4"}},
        {"depth fail",
         [](auto& r) { return r.SetStencilZFail(R::kStencilDecr); },
         {"SetRenderState StencilZFail 8"}},
        {"depth fail ccw",
         [](auto& r) { return r.SetStencilZFailCCW(R::kStencilDecrSat); },
         {"SetRenderState CcwStencilZFail 5"}},
        {"depth buffer",
         [](auto& r) { return r.EnableDepthBuffer(true); },
         {"SetRenderState ZEnable 1", "SetRenderState ZWriteEnable 1", "SetRenderState ZFunc 4"}},
        {"depth write off",
         [](auto& r) { return r.EnableDepthWrite(false); },
         {"SetRenderState ZWriteEnable 0"}},
        {"min filter",
         [](auto& r) { return r.SetTextureFilter(R::kFilterMin, R::kFilterLinear); },
         {"SetSamplerState MinFilter 2"}},
        {"mip filter",
         [](auto& r) { return r.SetTextureFilter(R::kFilterMip, R::kFilterNone); },
         {"SetSamplerState MipFilter 0"}},
        {"clamp v",
         [](auto& r) { return r.SetTextureAddress(R::kAxisV, R::kAddressClamp); },
         {"SetSamplerState AddressV 3"}},
        {"wrap u",
         [](auto& r) { return r.SetTextureAddress(R::kAxisU, R::kAddressWrap); },
         {"SetSamplerState AddressU 1"}},
        {"border w",
         [](auto& r) { return r.SetTextureAddress(R::kAxisW, R::kAddressBorder); },
         {"SetSamplerState AddressW 4"}},
        {"world", [&](auto& r) { return r.SetTransform(R::kWorld, &matrix); }, {"SetTransform 256"}},
        {"view", [&](auto& r) { return r.SetTransform(R::kView, &matrix); }, {"SetTransform 2"}},
        {"draw", [](auto& r) { return r.Draw(R::kTriangleFan, 4, 2); }, {"DrawPrimitive 6 4 2"}},
        {"draw indexed",
         [](auto& r) { return r.DrawIndexed(R::kTriangleStrip, 5, 7, 3, 2); },
         {"DrawIndexedPrimitive 5 2 0 7 3 5"}},
        {"clear stencil", [](auto& r) { return r.ClearStencil(); }, {"Clear 4 ff000000 0 0"}},
        {"reset texture", [](auto& r) { return r.ResetTexture(); }, {"SetTexture null"}},
        {"enable light", [](auto& r) { return r.EnableLight(3, true); }, {"LightEnable 3 1"}},
        {"viewport as given",
         [](auto& r) { return r.SetViewport(1, 2, 300, 400, 0.25f, 0.75f); },
         {"SetViewport 1 2 300 400 0.25 0.75"}},
    };
    for (const auto& c : cases) {
        fDevice->ClearCalls();
        EXPECT_TRUE(c.call(fRasterizer)) << c.name;
        EXPECT_EQ(fDevice->Calls(), c.lines) << c.name;
    }
}

TEST_F(VoRasterizerDX9Test, ValuesOutsideTheTablesAreRefusedBeforeTheDevice) {
    LogCapture log;
    VoMatrix matrix;
    EXPECT_FALSE(fRasterizer.SetCullMode(static_cast<R::CullMode>(3)));
    EXPECT_FALSE(fRasterizer.SetBlendFunction(R::kBlendOne, static_cast<R::BlendFactor>(15)));
    EXPECT_FALSE(fRasterizer.SetStencilPass(static_cast<R::StencilOperation>(-1)));
    EXPECT_FALSE(fRasterizer.Draw(static_cast<R::PrimitiveType>(6), 0, 1));
    EXPECT_FALSE(fRasterizer.SetTransform(static_cast<R::TransformKind>(3), &matrix));
    EXPECT_FALSE(fRasterizer.SetTransform(R::kWorld, nullptr));
    EXPECT_TRUE(fDevice->Calls().empty());
    EXPECT_EQ(log.Count(VoRasterizerDX9::kInvalidArg), 5);
}

TEST_F(VoRasterizerDX9Test, UnfinishedOperationsAssertAndLeaveTheDeviceAlone) {
    const struct {
        std::function<bool(VoRasterizerDX9&)> call;
        bool result;
        const char* text;
    } cases[] = {
        {[](auto& r) { return r.DrawIndexedPrimitive(); }, false, VoRasterizerDX9::kDrawIndexedPrimitiveNYI},
        {[](auto& r) { return r.DrawPrimitive(); }, false, VoRasterizerDX9::kDrawPrimitiveNYI},
        {[](auto& r) { return r.SetClipRect(1); }, true, VoRasterizerDX9::kSetClipRectNYI},
        {[](auto& r) { return r.SetColor(VoColor()); }, false, VoRasterizerDX9::kSetColorNYI},
        {[](auto& r) { return r.SetLineWidth(2.0f); }, false, VoRasterizerDX9::kSetLineWidthNYI},
        {[](auto& r) { return r.SetTextureUnit(1); }, false, VoRasterizerDX9::kSetTextureUnitNYI},
    };
    for (const auto& c : cases) {
        LogCapture log;
        EXPECT_EQ(c.call(fRasterizer), c.result) << c.text;
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", c.text)) << c.text;
    }
    EXPECT_TRUE(fDevice->Calls().empty());
}

TEST_F(VoRasterizerDX9Test, TheTextureFactorIsCachedAndClamped) {
    const Lines opaque = {"SetRenderState TextureFactor 4294967295", "SetTextureStageState AlphaOp 2",
                          "SetTextureStageState AlphaArg1 2", "SetTextureStageState AlphaArg2 3"};
    EXPECT_TRUE(fRasterizer.SetTextureFactor(1.5f));
    EXPECT_EQ(fDevice->Calls(), opaque);
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetTextureFactor(1.0f));
    EXPECT_TRUE(fDevice->Calls().empty());

    EXPECT_TRUE(fRasterizer.SetTextureFactor(-2.0f));
    EXPECT_EQ(fDevice->Calls(),
              (Lines{"SetRenderState TextureFactor 0", "SetTextureStageState AlphaOp 4",
                     "SetTextureStageState AlphaArg1 2", "SetTextureStageState AlphaArg2 3"}));
    fDevice->ClearCalls();
    // Only the cached value is compared: -2 was cached as 0.
    EXPECT_TRUE(fRasterizer.SetTextureFactor(0.0f));
    EXPECT_TRUE(fDevice->Calls().empty());
    EXPECT_TRUE(fRasterizer.SetTextureFactor(0.5f));
    EXPECT_EQ(fDevice->CallsStartingWith("SetRenderState"),
              (Lines{"SetRenderState TextureFactor 2130706432"}));
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetTextureFactor(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(fDevice->CallsStartingWith("SetRenderState"), (Lines{"SetRenderState TextureFactor 0"}));
}

TEST_F(VoRasterizerDX9Test, AFreshDeviceGetsTheTextureFactorAgain) {
    EXPECT_TRUE(fRasterizer.SetTextureFactor(1.0f));
    RecordedDevice other;
    VoRasterizerDX9 second;
    ASSERT_TRUE(second.Initialize(0));
    other->ClearCalls();
    EXPECT_TRUE(second.SetTextureFactor(1.0f));
    EXPECT_EQ(other->CallsStartingWith("SetRenderState"), (Lines{"SetRenderState TextureFactor 4294967295"}));
}

TEST_F(VoRasterizerDX9Test, TheFloatViewportIsTruncatedTowardZero) {
    EXPECT_TRUE(fRasterizer.SetViewport(7, 10.7f, 100.2f, 50.9f, 20.1f, 0.0f, 1.0f));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetViewport 10 50 89 30 0 1"}));

    EXPECT_EQ(VoRasterizerDX9::Truncate(-5.5f), 0xFFFFFFFBu);
    EXPECT_EQ(VoRasterizerDX9::Truncate(std::numeric_limits<float>::quiet_NaN()), 0u);
    EXPECT_EQ(VoRasterizerDX9::Truncate(5e9f), 0xFFFFFFFFu);
    EXPECT_EQ(VoRasterizerDX9::Truncate(-5e9f), 0x80000000u);

    std::uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0.0f, maxZ = 0.0f;
    EXPECT_TRUE(fRasterizer.GetViewport(&x, &y, &width, &height, &minZ, &maxZ));
    EXPECT_EQ((std::vector<std::uint32_t>{x, y, width, height}),
              (std::vector<std::uint32_t>{10, 50, 89, 30}));
    EXPECT_FALSE(fRasterizer.GetViewport(&x, nullptr, &width, &height, &minZ, &maxZ));
}

TEST_F(VoRasterizerDX9Test, ClearRoundsTheStoredColourAndForcesOpaqueAlpha) {
    EXPECT_TRUE(fRasterizer.SetColorValues(0.5f, 1.0f, 0.5f, 0.0f));
    EXPECT_TRUE(fDevice->Calls().empty());
    EXPECT_TRUE(fRasterizer.Clear());
    EXPECT_EQ(fDevice->Calls(), (Lines{"Clear 7 ffff8000 1 0"}));

    const struct {
        float r, g, b;
        std::uint32_t argb;
    } cases[] = {{1.2f, -0.1f, 0.2f, 0xFFFF0033u},
                 {0.0f, 0.998f, 0.002f, 0xFF00FE01u},
                 {std::nanf(""), 0.1f, 0.6f, 0xFF001A99u}};
    for (const auto& c : cases) {
        fRasterizer.SetColorValues(0.0f, c.r, c.g, c.b);
        EXPECT_EQ(fRasterizer.GetClearARGB(), c.argb) << c.r << " " << c.g << " " << c.b;
    }
}

TEST_F(VoRasterizerDX9Test, ALightReachesTheDeviceWithOpaqueColoursAndItsTypeMapped) {
    VoLight light(VoLight::kSpot);
    ASSERT_TRUE(fRasterizer.SetLight(2, &light));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetLight 2 type 2"}));
    const VoDeviceLight& sent = fDevice->Light(2);
    for (const VoDeviceColor& color : {sent.fDiffuse, sent.fSpecular, sent.fAmbient}) {
        EXPECT_EQ((std::vector<float>{color.fR, color.fG, color.fB, color.fA}),
                  (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
    }
    EXPECT_EQ((std::vector<float>{sent.fDirection[0], sent.fDirection[1], sent.fDirection[2]}),
              (std::vector<float>{0.0f, -1.0f, 0.0f}));
    EXPECT_EQ(sent.fRange, 1000.0f);
    EXPECT_EQ(sent.fFalloff, 1.0f);
    EXPECT_EQ((std::vector<float>{sent.fAttenuation0, sent.fAttenuation1, sent.fAttenuation2}),
              (std::vector<float>{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(sent.fTheta, 0.52358997f);
    EXPECT_EQ(sent.fPhi, 0.78540027f);

    // A colour's own alpha never reaches the light; directional lights are type 3.
    light.fType = VoLight::kDirectional;
    light.fDiffuse = VoColor(0.25f, 1.0f, 0.5f, 0.0f);
    light.fStartRange = 5.0f;
    ASSERT_TRUE(fRasterizer.SetLight(0, &light));
    EXPECT_EQ(fDevice->Light(0).fType, VoIRenderDevice::kLightDirectional);
    EXPECT_EQ(fDevice->Light(0).fDiffuse.fA, 1.0f);
    EXPECT_EQ(fDevice->Light(0).fDiffuse.fG, 0.5f);

    LogCapture log;
    light.fType = 3;
    EXPECT_FALSE(fRasterizer.SetLight(0, &light));
    EXPECT_FALSE(fRasterizer.SetLight(0, nullptr));
}

TEST_F(VoRasterizerDX9Test, EveryVertexFormatIsWrittenWholeWithItsLayout) {
    const struct {
        std::int32_t format;
        std::string buffer;
        std::string declaration;
    } cases[] = {
        {1, "B3", "normal -1 color -1 texcoord -1"}, {2, "B4", "normal -1 color 12 texcoord -1"},
        {3, "B5", "normal -1 color -1 texcoord 12"}, {4, "B7", "normal 12 color 24 texcoord -1"},
        {5, "B8", "normal 12 color -1 texcoord 24"}, {6, "B9", "normal 28 color 12 texcoord 40"},
        {7, "B6", "normal 12 color -1 texcoord -1"},
    };
    for (const auto& c : cases) {
        const std::int32_t stride = VoVertexBuffer::StrideOf(c.format);
        Bytes vertices(static_cast<std::size_t>(stride) * 3);
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            vertices[i] = static_cast<unsigned char>(i * 7 + c.format);
        }
        VoVertexBuffer buffer;
        ASSERT_TRUE(buffer.Create(c.format, vertices.data(), 3));
        fDevice->ClearCalls();
        EXPECT_TRUE(fRasterizer.SetVertexBuffer(&buffer));
        EXPECT_EQ(fDevice->Calls(), (Lines{"WriteBuffer " + c.buffer + " " + std::to_string(stride * 3),
                                           "SetStreamSource " + c.buffer + " " + std::to_string(stride),
                                           "SetVertexDeclaration " + c.declaration}))
            << c.format;
        EXPECT_EQ(fDevice->Buffer(std::stoi(c.buffer.substr(1)))->fData, vertices) << c.format;
    }
}

TEST_F(VoRasterizerDX9Test, ABufferLargerThanItsDeviceBufferIsWrittenWhole) {
    // 300 vertices of format 3 where the device buffer starts at 256.
    Bytes vertices(300 * 20, 0x5A);
    VoVertexBuffer buffer;
    ASSERT_TRUE(buffer.Create(3, vertices.data(), 300));
    EXPECT_TRUE(fRasterizer.SetVertexBuffer(&buffer));
    EXPECT_TRUE(fRasterizer.Draw(R::kTriangleList, 0, 100));
    EXPECT_EQ(fDevice->Calls()[0], "WriteBuffer B5 6000");
    EXPECT_EQ(fDevice->Calls().back(), "DrawPrimitive 4 0 100");
    EXPECT_EQ(fDevice->Buffer(5)->fData.size(), 6000u);
}

TEST_F(VoRasterizerDX9Test, BuffersWithoutAKnownFormatAreRefused) {
    LogCapture log;
    VoVertexBuffer empty;
    EXPECT_FALSE(fRasterizer.SetVertexBuffer(&empty));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoRasterizerDX9::kInvalidFormat));
    VoIndexBuffer noIndices;
    EXPECT_FALSE(fRasterizer.SetIndexBuffer(&noIndices));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoRasterizerDX9::kFormatNotSupported));
    EXPECT_FALSE(fRasterizer.SetVertexBuffer(nullptr));
    EXPECT_FALSE(fRasterizer.SetIndexBuffer(nullptr));
    EXPECT_TRUE(fDevice->Calls().empty());
}

TEST_F(VoRasterizerDX9Test, IndexBuffersGoToTheDeviceBufferOfTheirWidth) {
    const std::uint16_t shorts[] = {0, 1, 2};
    const std::uint32_t longs[] = {0, 70000, 2, 3};
    VoIndexBuffer narrow;
    VoIndexBuffer wide;
    ASSERT_TRUE(narrow.Create(VoIndexBuffer::kFormat16, shorts, 3));
    ASSERT_TRUE(wide.Create(VoIndexBuffer::kFormat32, longs, 4));
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetIndexBuffer(&narrow));
    EXPECT_TRUE(fRasterizer.SetIndexBuffer(&wide));
    EXPECT_EQ(fDevice->Calls(),
              (Lines{"WriteBuffer B1 6", "SetIndices B1", "WriteBuffer B2 16", "SetIndices B2"}));
}

TEST_F(VoRasterizerDX9Test, TheTextureCacheSkipsARepeatedBind) {
    VoTextureDX9 texture;
    MakeTexture(texture);
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetTexture(&texture));
    EXPECT_TRUE(fRasterizer.SetTexture(&texture));
    EXPECT_TRUE(fRasterizer.ResetTexture());
    EXPECT_TRUE(fRasterizer.SetTexture(&texture));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetTexture T1", "SetTexture null", "SetTexture T1"}));
}

TEST_F(VoRasterizerDX9Test, NoTextureUnbindsForgetsTheCacheAndFails) {
    VoTextureDX9 texture;
    MakeTexture(texture);
    VoTextureDX9 uncreated;
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetTexture(&texture));
    EXPECT_FALSE(fRasterizer.SetTexture(static_cast<VoITexture*>(nullptr)));
    EXPECT_TRUE(fRasterizer.SetTexture(&texture));
    EXPECT_FALSE(fRasterizer.SetTexture(&uncreated));
    EXPECT_FALSE(fRasterizer.SetTexture(std::uint32_t{0}));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetTexture T1", "SetTexture null", "SetTexture T1", "SetTexture null",
                                       "SetTexture null"}));
}

TEST_F(VoRasterizerDX9Test, ATextureByHandleComesFromTheTextureManagerWithoutTheCache) {
    ScopedEngine engine;
    VoTextureDX9* texture = new VoTextureDX9();
    MakeTexture(*texture);
    const std::uint32_t handle = VoTextureManager::GetInstance()->CreateTexture(VoString(u"tex"), texture);
    ASSERT_NE(handle, 0u);
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetTexture(handle));
    EXPECT_TRUE(fRasterizer.SetTexture(handle));
    EXPECT_TRUE(fRasterizer.SetTexture(texture));
    {
        LogCapture log;
        EXPECT_FALSE(fRasterizer.SetTexture(handle + 1));
    }
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetTexture T1", "SetTexture T1", "SetTexture null"}));
}

TEST_F(VoRasterizerDX9Test, AMaterialSetsColoursAndBindsOnlyATextureItHas) {
    ScopedEngine engine;
    VoMaterial material;
    material.SetDiffuse(VoColor(0.5f, 1.0f, 0.25f, 0.0f));
    material.SetEmissive(VoColor(1.0f, 0.0f, 0.0f, 0.75f));
    material.SetPower(12.0f);
    EXPECT_TRUE(fRasterizer.SetMaterial(&material));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetMaterial"}));
    const VoDeviceMaterial& sent = fDevice->Material();
    EXPECT_EQ((std::vector<float>{sent.fDiffuse.fR, sent.fDiffuse.fG, sent.fDiffuse.fB, sent.fDiffuse.fA}),
              (std::vector<float>{1.0f, 0.25f, 0.0f, 0.5f}));
    EXPECT_EQ(sent.fEmissive.fB, 0.75f);
    EXPECT_EQ(sent.fAmbient.fA, 1.0f);
    EXPECT_EQ(sent.fPower, 12.0f);

    VoTextureDX9* texture = new VoTextureDX9();
    MakeTexture(*texture);
    material.SetTextureHandle(VoTextureManager::GetInstance()->CreateTexture(VoString(u"skin"), texture));
    fDevice->ClearCalls();
    EXPECT_TRUE(fRasterizer.SetMaterial(&material));
    EXPECT_EQ(fDevice->Calls(), (Lines{"SetMaterial", "SetTexture T1"}));
    EXPECT_FALSE(fRasterizer.SetMaterial(nullptr));
}

TEST_F(VoRasterizerDX9Test, GetTransformCopiesTheDevicesMatrix) {
    VoMatrix set(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    ASSERT_TRUE(fRasterizer.SetTransform(R::kProjection, &set));
    VoMatrix got;
    ASSERT_TRUE(fRasterizer.GetTransform(R::kProjection, &got));
    EXPECT_EQ(got.m[3][2], 15.0f);
    EXPECT_EQ(got.m[0][1], 2.0f);
    EXPECT_FALSE(fRasterizer.GetTransform(R::kView, nullptr));
}

TEST(VoRasterizerDX9, TheDestructorReleasesTheBuffersOnlyWhileTheContextLives) {
    RecordedDevice device;
    {
        VoRasterizerDX9 rasterizer;
        ASSERT_TRUE(rasterizer.Initialize(0));
        device->ClearCalls();
    }
    EXPECT_EQ(device->CallsStartingWith("ReleaseBuffer").size(), 9u);
    {
        VoRasterizerDX9 rasterizer;
        ASSERT_TRUE(rasterizer.Initialize(0));
        device->ClearCalls();
        VoGraphicsContextState::SetAlive(false);
    }
    EXPECT_TRUE(device->Calls().empty());
}

TEST(VoRasterizerDX9, TheAccessorMakesItThroughItsCreatorAndLogsItsEnd) {
    RecordedDevice device;
    LogCapture log;
    {
        ScopedEngine engine;
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        ASSERT_NE(rasterizer, nullptr);
        EXPECT_EQ(VoIRasterizer::Get(), rasterizer);
        EXPECT_NE(dynamic_cast<VoRasterizerDX9*>(rasterizer), nullptr);
        EXPECT_EQ(device->CallsStartingWith("Create").size(), 9u);
        VoRasterizerDX9Creator creator;
        EXPECT_EQ(Narrow(creator.ToString()), "[VoRasterizerCreatorDX9 <" + HexAddress(&creator) + ">]");
        engine.ShutDown();
        EXPECT_EQ(VoIRasterizer::Get(), nullptr);
    }
    EXPECT_EQ(log.Count("~VoIRasterizer"), 1);
}

TEST(VoRasterizerDX9, TheAccessorWithoutADeviceDeletesTheRasterizerItCouldNotStart) {
    LogCapture log;
    ScopedEngine engine;
    EXPECT_EQ(VoIRasterizer::Get(), nullptr);
    EXPECT_TRUE(log.Contains(VoIRasterizer::kGetFailure));
    EXPECT_EQ(log.Count("~VoIRasterizer"), 1);
}

TEST(VoRasterizerDX9, ATextureGoneFromTheCacheIsBoundWhenAnotherTakesItsAddress) {
    RecordedDevice device;
    ScopedEngine engine;
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    ASSERT_NE(rasterizer, nullptr);
    alignas(VoTextureDX9) unsigned char storage[sizeof(VoTextureDX9)];
    VoTextureDX9* first = new (storage) VoTextureDX9();
    MakeTexture(*first);
    ASSERT_TRUE(rasterizer->SetTexture(first));
    first->~VoTextureDX9();
    VoTextureDX9* second = new (storage) VoTextureDX9();
    MakeTexture(*second);
    device->ClearCalls();
    EXPECT_TRUE(rasterizer->SetTexture(second));
    EXPECT_EQ(device->Calls(), (Lines{"SetTexture T2"}));

    // Making the texture anew gives up the native one: the new one is bound.
    ASSERT_TRUE(rasterizer->SetTexture(second));
    VoImage image;
    MakeImage(image, 1, 1, VoImage::kFormatBGRA, {9, 9, 9, 9});
    ASSERT_TRUE(second->CreateTexture(&image));
    device->ClearCalls();
    EXPECT_TRUE(rasterizer->SetTexture(second));
    EXPECT_EQ(device->Calls(), (Lines{"SetTexture T3"}));
    second->~VoTextureDX9();
}
