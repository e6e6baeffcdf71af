#include "gdi/VoSprite.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "SpriteEngine.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoImage.h"
#include "geometry/VoPolygon.h"
#include "render/VoITexture.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A BGRA picture whose pixel (x, y) reads B = x mod 251, G = y mod 251, R = 7, A = 255.
std::unique_ptr<VoImage> Picture(int aWidth, int aHeight) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(aWidth) * aHeight * 4);
    for (int y = 0; y < aHeight; ++y) {
        for (int x = 0; x < aWidth; ++x) {
            unsigned char* pixel = &pixels[(static_cast<std::size_t>(y) * aWidth + x) * 4];
            pixel[0] = static_cast<unsigned char>(x % 251);
            pixel[1] = static_cast<unsigned char>(y % 251);
            pixel[2] = 7;
            pixel[3] = 255;
        }
    }
    auto image = std::make_unique<VoImage>();
    EXPECT_TRUE(image->Create(aWidth, aHeight, aWidth * 4, VoImage::kFormatBGRA, pixels.data(),
                              static_cast<std::int32_t>(pixels.size())));
    return image;
}

// Claims a size it has no pixels for.
class SizedImage : public VoImage {
public:
    SizedImage(int aWidth, int aHeight) : fWidth(aWidth), fHeight(aHeight) {}
    std::int32_t GetWidth() const override { return fWidth; }
    std::int32_t GetHeight() const override { return fHeight; }

private:
    int fWidth;
    int fHeight;
};

std::vector<float> Vertices(const VoSprite& aSprite) {
    VoVertexBuffer* buffer = aSprite.GetVertexBuffer();
    if (buffer == nullptr) {
        return {};
    }
    const float* data = static_cast<const float*>(buffer->GetBuffer());
    return std::vector<float>(data, data + buffer->GetVertexCount() * 5);
}

class VoSpriteTest : public ::testing::Test {
protected:
    explicit VoSpriteTest(const TextureLimits& aLimits = TextureLimits())
        : fEngine(aLimits), fRenderer(VoRenderer::GetInstance()), fTextures(VoTextureManager::GetInstance()) {
        fGroup.SetId(VoString(u"group"));
    }

    // A texture of that size filed under the id.
    std::uint32_t Texture(const char* apId, int aWidth, int aHeight) {
        return fTextures->CreateTexture(VoString(apId), Picture(aWidth, aHeight).get());
    }

    VoSprite* AddSprite(const char* apId) {
        VoSprite* sprite = new VoSprite();
        sprite->SetId(VoString(apId));
        EXPECT_TRUE(fGroup.AddMember(sprite, true));
        return sprite;
    }

    // Draws the group and gives the calls it made.
    std::vector<std::string> Draw() {
        fEngine.Rasterizer()->ClearCalls();
        EXPECT_TRUE(fGroup.Render(fRenderer));
        return fEngine.Rasterizer()->Texts();
    }

    SpriteEngine fEngine;
    VoRenderer* fRenderer;
    VoTextureManager* fTextures;
    VoDisplayGroup fGroup;
};

}  // namespace

TEST_F(VoSpriteTest, TheWholeTextureMakesAQuadOfItsSizeAndABoundary) {
    VoSprite sprite;
    const std::uint32_t handle = Texture("wide", 256, 128);
    EXPECT_EQ(sprite.GetVertexBuffer(), nullptr);
    ASSERT_TRUE(sprite.SetTexture(handle, nullptr, nullptr));
    EXPECT_EQ(sprite.GetTexture(), handle);
    EXPECT_EQ(sprite.GetVertexBuffer()->GetFormat(), 3);
    EXPECT_THAT(Vertices(sprite), ElementsAreArray<float>({0,   -128, 0, 0, 1,  //
                                                           0,   0,    0, 0, 0,  //
                                                           256, -128, 0, 1, 1, 256, 0, 0, 1, 0}));
    ASSERT_NE(sprite.GetBoundary(), nullptr);
    EXPECT_EQ(VoRectangle(*sprite.GetBoundary()), VoRectangle(0, 0, 256, 128));
    EXPECT_TRUE(sprite.HitTest(VoVector2(255.0f, 127.0f)));
    EXPECT_FALSE(sprite.HitTest(VoVector2(257.0f, 10.0f)));
    EXPECT_EQ(Narrow(sprite.ToString()), "[VoSprite <" + HexAddress(&sprite) + ">]");
}

TEST_F(VoSpriteTest, CornersPickTexelsWithTheMaxCornerInclusive) {
    VoSprite sprite;
    VoVector2 min(16.0f, 0.0f);
    VoVector2 max(31.0f, 15.0f);
    ASSERT_TRUE(sprite.SetTexture(Texture("square", 256, 256), &min, &max));
    EXPECT_EQ(max, VoVector2(32.0f, 16.0f));
    EXPECT_THAT(Vertices(sprite), ElementsAreArray<float>({0,  -16, 0, 0.0625f, 0.0625f,  //
                                                           0,  0,   0, 0.0625f, 0,        //
                                                           16, -16, 0, 0.125f,  0.0625f,  //
                                                           16, 0,   0, 0.125f,  0}));
    // The first quad gave the boundary; a later one keeps it.
    ASSERT_TRUE(sprite.SetTexture(Texture("wide", 256, 128), nullptr, nullptr));
    EXPECT_EQ(VoRectangle(*sprite.GetBoundary()), VoRectangle(0, 0, 16, 16));
}

TEST_F(VoSpriteTest, RenderSetsTheBlendAsTextureFactorAndDrawsAStripOfTwo) {
    fGroup.SetBlend(0.5f);
    fGroup.SetPosition(100.0f, 50.0f);
    VoSprite* sprite = AddSprite("sprite");
    const std::uint32_t handle = Texture("pic", 64, 64);
    ASSERT_TRUE(sprite->SetTexture(handle, nullptr, nullptr));
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTexture(handle " + std::to_string(handle) + ")",
                                    "SetTextureFactor(0.5)", "SetVertexBuffer(3, 4)", "Draw(4, 0, 2)"));
    // Placed at the group's position, then moved by the screen offset.
    const VoMatrix& world = fEngine.Rasterizer()->Last("SetTransform")->matrix;
    EXPECT_FLOAT_EQ(world.m[3][0], 100.0f - 400.5f);
    EXPECT_FLOAT_EQ(world.m[3][1], -50.0f + 300.5f);

    // Hidden: nothing drawn.
    fGroup.SetVisible(false);
    EXPECT_THAT(Draw(), ElementsAre());
}

TEST_F(VoSpriteTest, AnEmptySpriteDrawsNothingAndReportsIt) {
    VoSprite sprite;
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_FALSE(sprite.Render(fRenderer));
    EXPECT_TRUE(fEngine.Rasterizer()->Calls().empty());
}

TEST_F(VoSpriteTest, AClipRectangleNarrowsTheViewWhileTheSpriteIsDrawn) {
    VoSprite* sprite = AddSprite("clipped");
    ASSERT_TRUE(sprite->SetTexture(Texture("pic", 64, 64), nullptr, nullptr));
    sprite->SetPosition(100.0f, 50.0f);
    sprite->SetRectangle(VoRectangle(0, 0, 20, 10));
    const std::vector<std::string> calls = Draw();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[1], "SetViewport(100, 50, 20, 10, 0, 1)");
    EXPECT_EQ(calls.back(), "SetViewport(0, 0, 800, 600, 0, 1)");
    EXPECT_EQ(fRenderer->GetViewRectangle(), nullptr);
}

TEST_F(VoSpriteTest, ANewHandleReleasesTheOldOneAndTheSpriteReleasesItsOwnAtTheEnd) {
    const std::uint32_t first = Texture("first", 8, 8);
    const std::uint32_t second = Texture("second", 8, 8);
    {
        VoSprite sprite;
        ASSERT_TRUE(sprite.SetTexture(first, nullptr, nullptr));
        ASSERT_TRUE(sprite.SetTexture(first, nullptr, nullptr));
        ASSERT_TRUE(sprite.SetTexture(second, nullptr, nullptr));
        // The first is no longer held: its last lock went with it.
        EXPECT_EQ(fTextures->GetTexture(first), nullptr);
        LogCapture log;
        EXPECT_FALSE(fTextures->DestroyTexture(second));
        EXPECT_TRUE(log.Contains("Attempt to destroy object with locked handle."));
    }
    EXPECT_EQ(fTextures->GetTexture(second), nullptr);
}

TEST_F(VoSpriteTest, AHandleWithoutATextureIsRefusedAndTheSpriteKeepsItsQuad) {
    VoSprite sprite;
    const std::uint32_t handle = Texture("pic", 8, 8);
    ASSERT_TRUE(sprite.SetTexture(handle, nullptr, nullptr));
    VoVertexBuffer* quad = sprite.GetVertexBuffer();
    for (std::uint32_t bad : {0u, 12345u, handle + 1}) {
        LogCapture log;
        EXPECT_FALSE(sprite.SetTexture(bad, nullptr, nullptr)) << bad;
        EXPECT_TRUE(log.Logged("ERROR: ", VoSprite::kSetTextureFailure)) << bad;
        EXPECT_EQ(sprite.GetTexture(), handle);
        EXPECT_EQ(sprite.GetVertexBuffer(), quad);
    }
}

TEST_F(VoSpriteTest, ImagesWithoutASizeAreRefused) {
    struct Case {
        int width;
        int height;
    };
    for (const Case& c : {Case{0, 0}, Case{0, 16}, Case{16, 0}, Case{-4, 16}, Case{16, -4}}) {
        SizedImage image(c.width, c.height);
        VoSprite sprite;
        LogCapture log;
        EXPECT_FALSE(sprite.SetImage(VoString(u"empty"), &image, nullptr, nullptr));
        EXPECT_TRUE(log.Logged("ERROR: ", VoSprite::kSetImageInvalidDimensions))
            << c.width << " x " << c.height;
        EXPECT_EQ(fTextures->GetHandle(VoString(u"empty")), 0u);
    }
    VoSprite sprite;
    LogCapture log;
    EXPECT_FALSE(sprite.SetImage(VoString(u"null"), nullptr, nullptr, nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoSprite::kSetImageNull));
}

TEST_F(VoSpriteTest, AnImageThatFitsBecomesOneTextureUnderItsId) {
    std::unique_ptr<VoImage> image = Picture(64, 32);
    VoSprite sprite;
    ASSERT_TRUE(sprite.SetImage(VoString(u"pic"), image.get(), nullptr, nullptr));
    EXPECT_EQ(sprite.GetTileGroup(), nullptr);
    EXPECT_EQ(sprite.GetTexture(), fTextures->GetHandle(VoString(u"pic")));
    VoITexture* texture = fTextures->GetTexture(sprite.GetTexture());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 64u);
    EXPECT_EQ(VoRectangle(*sprite.GetBoundary()), VoRectangle(0, 0, 64, 32));

    // A picture without pixels makes no texture.
    SizedImage empty(8, 8);
    LogCapture log;
    EXPECT_FALSE(sprite.SetImage(VoString(u"blank"), &empty, nullptr, nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoSprite::kSetImageNoTexture) + "blank"));
    EXPECT_EQ(sprite.GetTexture(), fTextures->GetHandle(VoString(u"pic")));
}

TEST_F(VoSpriteTest, RenderTrackingAndTheBreakIdAreLogged) {
    VoSprite* sprite = AddSprite("Marker");
    ASSERT_TRUE(sprite->SetTexture(Texture("pic", 8, 8), nullptr, nullptr));
    LogCapture log;
    Draw();
    EXPECT_TRUE(log.Lines().empty());
    sprite->SetTrackRender(true);
    fRenderer->SetBreakSpriteId(VoString(u"marker"));
    Draw();
    EXPECT_TRUE(log.Logged("ERROR: ", "TRACK RENDER:Marker"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "Break for sprite ID:Marker"));
}

TEST_F(VoSpriteTest, RelativeZMovesTheSpriteInItsGroup) {
    VoSprite* first = AddSprite("first");
    AddSprite("second");
    ASSERT_TRUE(first->SetRelativeZ(5.0f));
    EXPECT_EQ(fGroup.GetMemberAt(1), first);
}

// Tiles: a device of 2048 texels that asks for powers of two.
class VoSpriteTilesTest : public VoSpriteTest {
protected:
    VoSpriteTilesTest() : VoSpriteTest({2048, 2048, true, false}) {}

    // The tile sprites in drawing order.
    std::vector<VoSprite*> Tiles(VoSprite& aSprite) {
        std::vector<VoSprite*> tiles;
        VoDisplayGroup* group = aSprite.GetTileGroup();
        for (int i = 0; group != nullptr && i < group->GetMemberCount(); ++i) {
            tiles.push_back(dynamic_cast<VoSprite*>(group->GetMemberAt(i)));
        }
        return tiles;
    }
};

TEST_F(VoSpriteTilesTest, AnImageThatDoesNotFitIsCutInto512Tiles) {
    std::unique_ptr<VoImage> image = Picture(1000, 700);
    VoSprite* sprite = AddSprite("background");
    ASSERT_TRUE(sprite->SetImage(VoString(u"bg"), image.get(), nullptr, nullptr));
    const std::vector<VoSprite*> tiles = Tiles(*sprite);
    ASSERT_EQ(tiles.size(), 4u);
    const char* ids[] = {"bg_0_0", "bg_1_0", "bg_0_1", "bg_1_1"};
    const VoVector2 places[] = {{0, 0}, {512, 0}, {0, 512}, {512, 512}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(tiles[i], nullptr);
        EXPECT_EQ(Narrow(tiles[i]->GetId()), ids[i]);
        EXPECT_THAT(WorldPosition(*tiles[i]), IsNear2D(places[i].x, places[i].y)) << ids[i];
        EXPECT_EQ(tiles[i]->GetTexture(), fTextures->GetHandle(VoString(ids[i])));
        VoITexture* texture = fTextures->GetTexture(tiles[i]->GetTexture());
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetWidth(), 512u);
        EXPECT_EQ(texture->GetHeight(), 512u);
    }
    // The last tile holds the image from (512, 512) on, and nothing past its edge.
    const auto* last = dynamic_cast<RecordingTexture*>(fTextures->GetTexture(tiles[3]->GetTexture()));
    ASSERT_NE(last, nullptr);
    const std::vector<unsigned char>& texels = last->GetTexels();
    EXPECT_THAT(std::vector<unsigned char>(texels.begin(), texels.begin() + 4),
                ElementsAre(512 % 251, 512 % 251, 7, 255));
    const std::size_t pastEdge = (0 * 512 + 488) * 4;
    EXPECT_THAT(std::vector<unsigned char>(texels.begin() + pastEdge, texels.begin() + pastEdge + 4),
                ElementsAre(0, 0, 0, 0));
    EXPECT_EQ(fTextures->GetHandle(VoString(u"bg")), 0u);
    // Each tile is drawn with its own quad.
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 0);
    Draw();
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 4);
}

TEST_F(VoSpriteTilesTest, TilesFollowTheSpriteAndTheGroupsAboveIt) {
    std::unique_ptr<VoImage> image = Picture(1000, 700);
    VoSprite* sprite = AddSprite("background");
    // Values set before the cut are the tiles' too.
    sprite->SetPosition(10.0f, 20.0f);
    sprite->SetBlend(0.5f);
    ASSERT_TRUE(sprite->SetImage(VoString(u"bg"), image.get(), nullptr, nullptr));
    const std::vector<VoSprite*> tiles = Tiles(*sprite);
    ASSERT_EQ(tiles.size(), 4u);
    EXPECT_THAT(WorldPosition(*tiles[3]), IsNear2D(522.0f, 532.0f));
    Draw();
    EXPECT_THAT(fEngine.Rasterizer()->Texts("SetTextureFactor"),
                ElementsAre("SetTextureFactor(0.5)", "SetTextureFactor(0.5)", "SetTextureFactor(0.5)",
                            "SetTextureFactor(0.5)"));

    // The group fades and moves after the cut: the tiles follow.
    sprite->SetBlend(1.0f);
    fGroup.SetBlend(0.5f);
    fGroup.SetPosition(100.0f, 0.0f);
    Draw();
    EXPECT_THAT(fEngine.Rasterizer()->Texts("SetTextureFactor"),
                ElementsAre("SetTextureFactor(0.5)", "SetTextureFactor(0.5)", "SetTextureFactor(0.5)",
                            "SetTextureFactor(0.5)"));
    EXPECT_THAT(WorldPosition(*tiles[3]), IsNear2D(622.0f, 532.0f));

    // The sprite's own moves, scale and hiding too.
    sprite->SetScale(2.0f);
    EXPECT_THAT(WorldPosition(*tiles[3]), IsNear2D(100.0f + 10.0f + 1024.0f, 20.0f + 1024.0f));
    fGroup.SetVisible(false);
    EXPECT_THAT(Draw(), ElementsAre());
    fGroup.SetVisible(true);
    sprite->SetVisible(false);
    EXPECT_THAT(Draw(), ElementsAre());
}

TEST_F(VoSpriteTilesTest, ATiledSpriteTakenOutOfItsGroupOutlivesTheGroup) {
    std::unique_ptr<VoImage> image = Picture(600, 300);
    auto* group = new VoDisplayGroup();
    group->SetId(VoString(u"panel"));
    auto* sprite = new VoSprite();
    sprite->SetId(VoString(u"picture"));
    ASSERT_TRUE(group->AddMember(sprite, true));
    ASSERT_TRUE(sprite->SetImage(VoString(u"pic"), image.get(), nullptr, nullptr));
    EXPECT_EQ(sprite->GetTileGroup()->GetGroup(), group);
    ASSERT_TRUE(group->RemoveMember(sprite));
    EXPECT_EQ(sprite->GetTileGroup()->GetGroup(), nullptr);
    delete group;
    EXPECT_TRUE(sprite->Render(fRenderer));
    ASSERT_TRUE(fGroup.AddMember(sprite, true));
    EXPECT_EQ(sprite->GetTileGroup()->GetGroup(), &fGroup);
    const int live = RecordingTexture::LiveCount();
    // A texture for the sprite drops the tiles, and with them their textures.
    ASSERT_TRUE(sprite->SetTexture(Texture("small", 8, 8), nullptr, nullptr));
    EXPECT_EQ(sprite->GetTileGroup(), nullptr);
    EXPECT_EQ(RecordingTexture::LiveCount(), live + 1 - 2);
}

TEST(VoSprite, ImagesFitByPowerOfTwoSquareAndSizeLimits) {
    struct Case {
        TextureLimits limits;
        int width;
        int height;
        bool fits;
    };
    const Case cases[] = {
        {{2048, 2048, true, false}, 256, 64, true},  {{2048, 2048, true, false}, 256, 60, false},
        {{2048, 2048, false, false}, 250, 60, true}, {{2048, 2048, false, true}, 64, 32, false},
        {{2048, 2048, false, true}, 60, 60, true},   {{512, 2048, false, false}, 513, 8, false},
        {{2048, 512, false, false}, 8, 513, false},  {{512, 512, false, false}, 512, 512, true},
    };
    for (const Case& c : cases) {
        SpriteEngine engine(c.limits);
        SizedImage image(c.width, c.height);
        EXPECT_EQ(VoSprite::FitsDeviceTexture(&image), c.fits) << c.width << " x " << c.height;
    }
}

TEST(VoSprite, TheTileSizeComesFromTheSmallerLimit) {
    struct Case {
        TextureLimits limits;
        std::uint32_t tile;
    };
    const Case cases[] = {
        {{2048, 2048, true, false}, 512}, {{4096, 256, false, false}, 256}, {{256, 4096, false, false}, 256},
        {{300, 400, true, false}, 256},   {{300, 400, false, false}, 300},  {{4096, 128, false, false}, 0},
    };
    for (const Case& c : cases) {
        SpriteEngine engine(c.limits);
        EXPECT_EQ(VoSprite::TileSize(), c.tile) << c.limits.maxWidth << " x " << c.limits.maxHeight;
    }
}

TEST(VoSprite, ADeviceLimitedTo512CutsByItAndOneTooSmallShowsNothing) {
    {
        SpriteEngine engine({512, 512, false, false});
        std::unique_ptr<VoImage> image = Picture(1024, 512);
        VoSprite sprite;
        ASSERT_TRUE(sprite.SetImage(VoString(u"wide"), image.get(), nullptr, nullptr));
        ASSERT_NE(sprite.GetTileGroup(), nullptr);
        EXPECT_EQ(sprite.GetTileGroup()->GetMemberCount(), 2);
        EXPECT_NE(sprite.GetTileGroup()->GetMember(VoString(u"wide_1_0")), nullptr);
    }
    {
        SpriteEngine engine({128, 128, false, false});
        std::unique_ptr<VoImage> image = Picture(200, 100);
        VoSprite sprite;
        LogCapture log;
        EXPECT_FALSE(sprite.SetImage(VoString(u"wide"), image.get(), nullptr, nullptr));
        EXPECT_EQ(sprite.GetTileGroup(), nullptr);
        EXPECT_TRUE(log.Lines().empty());
    }
}
