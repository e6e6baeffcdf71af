#include "render/VoTextureDX9.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "object/VoRegistry.h"
#include "render/VoTextureDX9Creator.h"
#include "support/RenderTestSupport.h"
#include "support/ScopedEngine.h"

namespace {

// 2 x 2, B, G, R, A: red, green / blue, white.
const Bytes kQuad = {0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255};

std::string ResultText(VoDeviceResult aResult) {
    return std::string(VoDeviceResultName(aResult)) + ": " + VoDeviceResultText(aResult);
}

}  // namespace

TEST(VoTextureDX9, AnImageBecomesATextureOfItsSizeFormatAndPriority) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    VoImage image;
    MakeImage(image, 2, 2, VoImage::kFormatBGRA, kQuad);
    ASSERT_TRUE(texture.CreateTexture(&image));
    EXPECT_EQ(device->Calls(), (Lines{"CreateTexture 2x2 levels 1 format 1 -> T1",
                                      "UploadTextureLevel T1 0 pitch 8", "SetTexturePriority T1 500"}));
    EXPECT_EQ(device->Texture(1)->fPixels[0], kQuad);
    EXPECT_EQ(texture.GetWidth(), 2u);
    EXPECT_EQ(texture.GetHeight(), 2u);
    EXPECT_EQ(texture.GetNativeTexture(), device->Texture(1));
    EXPECT_EQ(Narrow(texture.ToString()), "[VoTextureDX9 <" + HexAddress(&texture) + ">]");
}

TEST(VoTextureDX9, PriorityIsStoredBeforeCreationAndPassedOnAfter) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    EXPECT_TRUE(texture.SetPriority(0.25f));
    EXPECT_TRUE(device->Calls().empty());
    ASSERT_TRUE(texture.CreateTexture(64, 32, VoImage::kFormatBGRX));
    EXPECT_EQ(device->Texture(1)->fPriority, 250u);
    EXPECT_TRUE(texture.SetPriority(0.9f));
    EXPECT_EQ(device->Texture(1)->fPriority, 900u);
    EXPECT_EQ(texture.GetPriority(), 0.25f);

    const struct {
        float priority;
        std::uint32_t device;
    } cases[] = {{0.5f, 500}, {0.0f, 0}, {-1.0f, 0}, {std::nanf(""), 0}, {1e10f, 0xFFFFFFFFu}, {0.0015f, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(VoTextureDX9::DevicePriority(c.priority), c.device) << c.priority;
    }
}

TEST(VoTextureDX9, UpdateTextureReplacesTheFirstLevelOnceTheTextureExists) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    EXPECT_FALSE(texture.UpdateTexture(kQuad.data(), 8));
    ASSERT_TRUE(texture.CreateTexture(2, 2, VoImage::kFormatBGRA));
    device->ClearCalls();
    EXPECT_TRUE(texture.UpdateTexture(kQuad.data(), 8));
    EXPECT_EQ(device->Calls(), (Lines{"UploadTextureLevel T1 0 pitch 8"}));
    EXPECT_EQ(device->Texture(1)->fPixels[0], kQuad);
    EXPECT_FALSE(texture.UpdateTexture(nullptr, 8));
}

TEST(VoTextureDX9, AnEmptyTextureHasOneLevelWhateverTheStoredCount) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    EXPECT_TRUE(texture.SetMipLevels(3));
    ASSERT_TRUE(texture.CreateTexture(64, 32, VoImage::kFormatBGRX));
    EXPECT_EQ(device->Calls(),
              (Lines{"CreateTexture 64x32 levels 1 format 2 -> T1", "SetTexturePriority T1 500"}));
    EXPECT_EQ(texture.GetWidth(), 64u);
}

TEST(VoTextureDX9, MipLevelsAfterCreationWarnAndChangeNothing) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    VoImage image;
    MakeImage(image, 2, 2, VoImage::kFormatBGRA, kQuad);
    ASSERT_TRUE(texture.CreateTexture(&image));
    device->ClearCalls();
    LogCapture log;
    EXPECT_TRUE(texture.SetMipLevels(3));
    EXPECT_TRUE(log.Logged("WARNING: ", VoITexture::kMipLevelsWarning));
    EXPECT_TRUE(device->Calls().empty());
    EXPECT_EQ(device->Texture(1)->fLevels, 1u);
}

TEST(VoTextureDX9, EachFurtherLevelIsABoxFilteredHalfOfTheOneBefore) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    texture.SetMipLevels(3);
    // 4 x 4 alpha: each 2 x 2 block holds 0, 10, 20, 30 plus 40 x the block's number.
    Bytes alpha(16);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int block = (y / 2) * 2 + x / 2;
            alpha[y * 4 + x] = static_cast<unsigned char>(block * 40 + ((y % 2) * 2 + x % 2) * 10);
        }
    }
    VoImage image;
    MakeImage(image, 4, 4, VoImage::kFormatA8, alpha);
    ASSERT_TRUE(texture.CreateTexture(&image));
    RecordedTexture* made = device->Texture(1);
    ASSERT_EQ(made->fLevels, 3u);
    EXPECT_EQ(made->fPixels[0], alpha);
    // Means 15, 55, 95, 135 rounded: 15 (+0.5 rounds up).
    EXPECT_EQ(made->fPixels[1], (Bytes{15, 55, 95, 135}));
    EXPECT_EQ(made->fPixels[2], (Bytes{75}));
    EXPECT_EQ(device->CallsStartingWith("UploadTextureLevel"),
              (Lines{"UploadTextureLevel T1 0 pitch 4", "UploadTextureLevel T1 1 pitch 2",
                     "UploadTextureLevel T1 2 pitch 1"}));
}

TEST(VoTextureDX9, LevelCountsBeyondTheChainAndOddSizesAreBoxedWhole) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    texture.SetMipLevels(0);
    // 3 x 1 B, G, R with a padded pitch of 12: the whole row averages into 1 x 1.
    const Bytes row = {30, 60, 90, 60, 90, 120, 90, 120, 150, 0xEE, 0xEE, 0xEE};
    VoImage image;
    MakeImage(image, 3, 1, VoImage::kFormatBGR, row, 12);
    ASSERT_TRUE(texture.CreateTexture(&image));
    RecordedTexture* made = device->Texture(1);
    ASSERT_EQ(made->fLevels, 2u);
    EXPECT_EQ(made->fPixels[0], (Bytes{30, 60, 90, 60, 90, 120, 90, 120, 150}));
    EXPECT_EQ(made->fPixels[1], (Bytes{60, 90, 120}));
    EXPECT_EQ(device->CallsStartingWith("UploadTextureLevel")[0], "UploadTextureLevel T1 0 pitch 12");

    VoTextureDX9 many;
    ASSERT_TRUE(many.Initialize(0));
    many.SetMipLevels(10);
    MakeImage(image, 2, 2, VoImage::kFormatBGRA, kQuad);
    ASSERT_TRUE(many.CreateTexture(&image));
    EXPECT_EQ(device->Texture(2)->fLevels, 2u);
    EXPECT_EQ(device->Texture(2)->fPixels[1], (Bytes{128, 128, 128, 255}));
}

TEST(VoTextureDX9, CreatingAgainReleasesTheTextureHeldFirst) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    VoImage image;
    MakeImage(image, 2, 2, VoImage::kFormatBGRA, kQuad);
    ASSERT_TRUE(texture.CreateTexture(&image));
    device->ClearCalls();
    ASSERT_TRUE(texture.CreateTexture(16, 16, VoImage::kFormatA8));
    EXPECT_EQ(device->Calls()[0], "ReleaseTexture T1");
    EXPECT_EQ(device->Calls()[1], "CreateTexture 16x16 levels 1 format 4 -> T2");
    EXPECT_TRUE(device->Texture(1)->fReleased);
    EXPECT_EQ(texture.GetWidth(), 16u);
}

TEST(VoTextureDX9, DeviceRefusalsAreLoggedWithTheirResult) {
    RecordedDevice device;
    VoTextureDX9 texture;
    ASSERT_TRUE(texture.Initialize(0));
    VoImage image;
    MakeImage(image, 2, 2, VoImage::kFormatBGR, Bytes(12, 7));
    {
        LogCapture log;
        device->FailCreateTexture(VoDeviceResult::kNotAvailable);
        EXPECT_FALSE(texture.CreateTexture(&image));
        EXPECT_TRUE(
            log.Logged("ERROR: ", VoTextureDX9::kCreateFailure + ResultText(VoDeviceResult::kNotAvailable)));
        EXPECT_EQ(texture.GetNativeTexture(), nullptr);
        EXPECT_EQ(texture.GetWidth(), 0u);
    }
    {
        LogCapture log;
        device->FailCreateTexture(VoDeviceResult::kOk);
        device->FailUpload(VoDeviceResult::kInvalidCall);
        EXPECT_FALSE(texture.CreateTexture(&image));
        EXPECT_TRUE(
            log.Logged("ERROR: ", VoTextureDX9::kLevelFailure + ResultText(VoDeviceResult::kInvalidCall)));
        EXPECT_EQ(log.Lines().size(), 1u);
        // The texture stays made, its contents incomplete, its size as before.
        EXPECT_NE(texture.GetNativeTexture(), nullptr);
        EXPECT_EQ(texture.GetWidth(), 0u);
    }
    {
        LogCapture log;
        EXPECT_FALSE(texture.CreateTexture(static_cast<VoImage*>(nullptr)));
        EXPECT_TRUE(
            log.Logged("ERROR: ", VoTextureDX9::kCreateFailure + ResultText(VoDeviceResult::kInvalidCall)));
    }
}

TEST(VoTextureDX9, WithoutADeviceInitializeAndCreationFail) {
    VoRenderDeviceSource::Set(nullptr);
    LogCapture log;
    VoTextureDX9 texture;
    EXPECT_FALSE(texture.Initialize(0));
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureDX9::kInitFailure));
    VoImage image;
    MakeImage(image, 2, 2, VoImage::kFormatBGRA, kQuad);
    EXPECT_FALSE(texture.CreateTexture(&image));
    EXPECT_FALSE(texture.CreateTexture(4, 4, VoImage::kFormatBGRA));
    EXPECT_EQ(log.Count(VoTextureDX9::kNoDevice), 2);
}

TEST(VoTextureDX9, TheDestructorReleasesOnlyWhileTheContextLives) {
    RecordedDevice device;
    LogCapture log;
    {
        VoTextureDX9 texture;
        ASSERT_TRUE(texture.Initialize(0));
        ASSERT_TRUE(texture.CreateTexture(4, 4, VoImage::kFormatBGRA));
    }
    EXPECT_EQ(device->Calls().back(), "ReleaseTexture T1");
    {
        VoTextureDX9 texture;
        ASSERT_TRUE(texture.Initialize(0));
        ASSERT_TRUE(texture.CreateTexture(4, 4, VoImage::kFormatBGRA));
        device->ClearCalls();
        VoGraphicsContextState::SetAlive(false);
    }
    EXPECT_TRUE(device->Calls().empty());
    EXPECT_FALSE(log.Contains(VoITexture::kNativeNotDeleted));
}

TEST(VoTextureDX9, TheCreatorMakesAnInitialisedTextureEachTime) {
    RecordedDevice device;
    ScopedEngine engine;
    VoIObjectCreator* creator = VoRegistry::Get()->GetCreator(VoString(u"texture"));
    ASSERT_NE(creator, nullptr);
    VoBase* first = creator->Create();
    VoBase* second = creator->Create();
    ASSERT_NE(dynamic_cast<VoTextureDX9*>(first), nullptr);
    EXPECT_NE(first, second);
    // Initialised already: it can be filled at once.
    EXPECT_TRUE(static_cast<VoTextureDX9*>(first)->CreateTexture(2, 2, VoImage::kFormatBGRA));
    EXPECT_EQ(Narrow(creator->ToString()).rfind("[VoTextureDX9Creator <", 0), 0u);
    delete first;
    delete second;
}
