#include "scene/MGShadowSimple.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneMediaFakes.h"
#include "render/VoIndexBuffer.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A 2 x 2 true-colour TGA (32 bits, uncompressed): opaque white pixels.
std::string SmallTga() {
    std::string bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
    for (int i = 0; i < 4; ++i) {
        bytes += std::string(4, '\xff');
    }
    return bytes;
}

class MGShadowSimpleTest : public ::testing::Test {
protected:
    // "//textures" on a folder of the test's; with the picture when aWithImage.
    void MountTextures(bool aWithImage) {
        if (aWithImage) {
            fFolder.Write("shadow_circle.tga", SmallTga());
        }
        ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"),
                                                        PlatformTestFolder::Wide(fFolder.Files())));
    }
    static std::uint32_t Handle(const char16_t* apId) {
        return VoTextureManager::GetInstance()->GetHandle(VoString(apId));
    }

    SceneEngine fEngine;
    PlatformTestFolder fFolder;
};

}  // namespace

TEST_F(MGShadowSimpleTest, BuildsATexturedSquareOfThirtyUnitsOnTheGround) {
    MountTextures(true);
    MGShadowSimple shadow;
    ASSERT_NE(shadow.GetTexture(), 0u);
    EXPECT_EQ(shadow.GetTexture(), Handle(u"shadow_circle.tga"));
    EXPECT_EQ(Narrow(VoTextureManager::GetInstance()->GetRoot()), "//textures/");

    VoMesh* mesh = shadow.GetMesh();
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetFlags(), VoMesh::kIndexed | VoMesh::kDrawn);
    VoVertexBuffer* vertices = mesh->GetVertexBuffer();
    ASSERT_NE(vertices, nullptr);
    EXPECT_EQ(vertices->GetFormat(), 3);
    ASSERT_EQ(vertices->GetVertexCount(), 4);
    const float* data = static_cast<const float*>(vertices->GetBuffer());
    EXPECT_THAT(std::vector<float>(data, data + 20),
                ElementsAreArray({-15.0f, 0.0f, 15.0f,  0.0f, 0.0f, 15.0f, 0.0f, 15.0f,  1.0f, 0.0f,  //
                                  -15.0f, 0.0f, -15.0f, 0.0f, 1.0f, 15.0f, 0.0f, -15.0f, 1.0f, 1.0f}));

    ASSERT_EQ(mesh->GetSubsetCount(), 1);
    VoMeshSubset* subset = mesh->GetSubset(0);
    EXPECT_EQ(subset->GetTriangleCount(), 2u);
    EXPECT_EQ(subset->GetVertexCount(), 4u);
    EXPECT_EQ(subset->GetStartIndex(), 0u);
    for (VoIndexBuffer* indices : {mesh->GetIndexBuffer(), subset->GetIndexBuffer()}) {
        ASSERT_NE(indices, nullptr);
        ASSERT_EQ(indices->GetCount(), 6);
        std::vector<std::uint32_t> values;
        for (int i = 0; i < 6; ++i) {
            values.push_back(indices->GetIndex(i));
        }
        EXPECT_THAT(values, ElementsAre(0u, 3u, 2u, 1u, 3u, 0u));
    }
    // The material shows the same picture, filed under an id of its own.
    EXPECT_NE(Handle(u"simpleshadow"), 0u);
    EXPECT_EQ(subset->GetMaterial().GetTextureHandle(), Handle(u"simpleshadow"));
}

TEST_F(MGShadowSimpleTest, FollowsThePlayerOneUnitAbove) {
    MountTextures(true);
    MGShadowSimple shadow;
    EXPECT_EQ(shadow.GetPosition(), VoVector3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(shadow.Update(VoVector3(12.0f, -3.0f, 40.0f)));
    EXPECT_EQ(shadow.GetPosition(), VoVector3(12.0f, -2.0f, 40.0f));
    EXPECT_TRUE(shadow.Update(VoVector3(0.0f, 0.0f, 0.0f)));
    EXPECT_EQ(shadow.GetPosition(), VoVector3(0.0f, 1.0f, 0.0f));
}

TEST_F(MGShadowSimpleTest, DrawsBlendedAtTheTextureFactorAndRestoresIt) {
    MountTextures(true);
    MGShadowSimple shadow;
    shadow.Update(VoVector3(5.0f, 2.0f, -7.0f));
    RecordingRasterizer* raster = fEngine.Rasterizer();
    raster->ClearCalls();
    EXPECT_TRUE(shadow.Render());
    EXPECT_THAT(raster->Texts(),
                ElementsAre("SetTransform(0)", "SetAlphaBlending(1)", "SetBlendFunction(4, 6)",
                            "SetTextureFactor(0.4)", "SetFillMode(2)", "SetVertexBuffer(3, 4)",
                            "SetIndexBuffer(buffer)", "SetMaterial(material)", "DrawIndexed(3, 2, 4, 0, 0)",
                            "SetTextureFactor(1)"));
    const VoMatrix& world = raster->Calls()[0].matrix;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_FLOAT_EQ(world.m[row][column], row == column ? 1.0f : 0.0f) << row << column;
        }
    }
    EXPECT_FLOAT_EQ(world.m[3][0], 5.0f);
    EXPECT_FLOAT_EQ(world.m[3][1], 3.0f);
    EXPECT_FLOAT_EQ(world.m[3][2], -7.0f);
    EXPECT_FLOAT_EQ(world.m[3][3], 1.0f);
}

TEST_F(MGShadowSimpleTest, AFailedStepFailsTheDrawButTheFactorIsStillRestored) {
    MountTextures(true);
    MGShadowSimple shadow;
    RecordingRasterizer* raster = fEngine.Rasterizer();
    for (const char* name :
         {"SetTransform", "SetAlphaBlending", "SetBlendFunction", "SetTextureFactor", "SetVertexBuffer"}) {
        raster->SetResult(name, false);
        raster->ClearCalls();
        EXPECT_FALSE(shadow.Render()) << name;
        EXPECT_EQ(raster->Texts().back(), "SetTextureFactor(1)") << name;
        raster->SetResult(name, true);
    }
}

TEST_F(MGShadowSimpleTest, WithoutThePictureTheSquareStaysWhereItIs) {
    MountTextures(false);
    MGShadowSimple shadow;
    EXPECT_EQ(shadow.GetTexture(), 0u);
    ASSERT_NE(shadow.GetMesh(), nullptr);
    EXPECT_EQ(shadow.GetMesh()->GetSubset(0)->GetMaterial().GetTextureHandle(), 0u);
    EXPECT_FALSE(shadow.Update(VoVector3(12.0f, 0.0f, 4.0f)));
    EXPECT_EQ(shadow.GetPosition(), VoVector3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(shadow.Render());
}

TEST_F(MGShadowSimpleTest, ItsTextureGoesWithItAndTheMaterialTextureIsShared) {
    MountTextures(true);
    const int before = RecordingTexture::LiveCount();
    std::uint32_t material = 0;
    {
        MGShadowSimple first;
        material = first.GetMesh()->GetSubset(0)->GetMaterial().GetTextureHandle();
        EXPECT_EQ(RecordingTexture::LiveCount(), before + 2);
    }
    EXPECT_EQ(Handle(u"shadow_circle.tga"), 0u);
    EXPECT_EQ(Handle(u"simpleshadow"), material);
    EXPECT_EQ(RecordingTexture::LiveCount(), before + 1);

    MGShadowSimple second;
    EXPECT_EQ(second.GetMesh()->GetSubset(0)->GetMaterial().GetTextureHandle(), material);
    EXPECT_EQ(RecordingTexture::LiveCount(), before + 2);
}

// The picture that tools/make_shadow_circle.py writes into the sample tree:
// a soft dark disc, opaque in the middle and clear at the corners.
TEST_F(MGShadowSimpleTest, TheSampleTreeHoldsTheShadowPicture) {
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"),
                                                    VoString(VO_SOURCE_DIR "/data/textures")));
    MGShadowSimple shadow;
    ASSERT_NE(shadow.GetTexture(), 0u);
    const auto* texture = dynamic_cast<const RecordingTexture*>(
        VoTextureManager::GetInstance()->GetTexture(shadow.GetTexture()));
    ASSERT_NE(texture, nullptr);
    const std::vector<unsigned char>& texels = texture->GetTexels();
    const int size = 64;
    ASSERT_EQ(texels.size(), static_cast<std::size_t>(size * size * 4));
    auto alpha = [&](int aX, int aY) { return texels[static_cast<std::size_t>((aY * size + aX) * 4 + 3)]; };
    EXPECT_GT(alpha(32, 32), 200);
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(63, 63), 0);
    EXPECT_LT(alpha(32, 2), alpha(32, 16));
    EXPECT_EQ(texels[static_cast<std::size_t>((32 * size + 32) * 4)], 0);  // dark
}
