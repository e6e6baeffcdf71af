#include "scene/VoShadowVolumeCache.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "render/VoLight.h"
#include "scene/VoShadowVolume.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "support/ShadowTestSupport.h"
#include "system/VoIFileSystem.h"

namespace {

// The engine with "//meshes" on a scratch folder, and a model of a skinned
// cube ("Body"), a static prop and an empty frame.
class VoShadowVolumeCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        ASSERT_NE(files, nullptr);
        ASSERT_TRUE(files->Mount(VoString(u"//meshes"), VoString(fFolder.Files().c_str())));
        fpSkin = static_cast<VoSkinMesh*>(CubeMesh(new VoSkinMesh()));
        fModel.reset(ModelOf({{u"Root", nullptr}, {u"Prop", CubeMesh()}, {u"Body", fpSkin}}));
    }

    std::string Cache() const { return fFolder.Read("hero.lisv"); }
    void SetCache(const std::string& aBytes) const { fFolder.Write("hero.lisv", aBytes); }
    static VoString Path() { return VoString(u"//meshes/hero.lisv"); }

    ScopedEngine fEngine;
    PlatformTestFolder fFolder;
    VoSkinMesh* fpSkin = nullptr;  // owned by its frame
    std::unique_ptr<VoDrawElement> fModel;
};

std::string WithInt(std::string aBytes, std::size_t aOffset, std::int32_t aValue) {
    std::memcpy(&aBytes[aOffset], &aValue, 4);
    return aBytes;
}

}  // namespace

TEST_F(VoShadowVolumeCacheTest, AMissingFileIsBuiltAndWrittenAndThenReadByFrameNameIgnoringCase) {
    {
        LogCapture log;
        VoShadowVolumeCache cache(fModel.get());
        ASSERT_TRUE(cache.Load(Path()));
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ",
                               std::string(VoShadowVolumeCache::kFileNotFound) + "//meshes/hero.lisv"));
        ASSERT_EQ(cache.GetCount(), 1);
        EXPECT_EQ(cache.GetVolume(0)->GetName(), VoString(u"Body"));
        EXPECT_EQ(cache.GetVolume(0)->GetMesh(), fpSkin);
        // The count, then the cube's volume under a four-letter name.
        EXPECT_EQ(Cache().size(), 4u + 454u);
    }
    // Stored under another case of the frame's name: read, bound, kept.
    std::string bytes = Cache();
    bytes[8] = 'b';
    bytes[14] = 'Y';
    SetCache(bytes);
    LogCapture log;
    VoShadowVolumeCache cache(fModel.get());
    ASSERT_TRUE(cache.Load(Path()));
    EXPECT_TRUE(log.Lines().empty());
    ASSERT_EQ(cache.GetCount(), 1);
    EXPECT_EQ(cache.GetVolume(0)->GetMesh(), fpSkin);
    EXPECT_EQ(Cache(), bytes);
    const VoLight light;
    EXPECT_TRUE(cache.GetVolume(0)->Update(&light, true));
}

TEST_F(VoShadowVolumeCacheTest, AFileThatDoesNotFitIsDiscardedRebuiltAndWrittenBack) {
    {
        VoShadowVolumeCache first(fModel.get());
        ASSERT_TRUE(first.Load(Path()));
    }
    const std::string good = Cache();
    // Offsets: count 0, name length 4, name 8..17, edge count 18, edges from
    // 22 (16 bytes each), face count 310, faces from 314.
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut short", good.substr(0, good.size() - 1)},
        {"empty", ""},
        {"no volumes", std::string(4, '\0')},
        {"volume count beyond the bytes", WithInt(good, 0, 1000)},
        {"edge count beyond the bytes", WithInt(good, 18, 0x01000000)},
        {"face count beyond the bytes", WithInt(good, 310, 13)},
        {"vertex past the mesh's vertices", WithInt(good, 314, 24)},
        {"edge vertex past the mesh's vertices", WithInt(good, 22, 99)},
        {"face past the faces", WithInt(good, 30, 12)},
        {"no frame of that name", WithInt(good, 8, 'X')},
        {"frame without a mesh",
         [&good] {
             std::string bytes = good;
             const char root[] = {'R', 0, 'o', 0, 'o', 0, 't', 0};
             std::memcpy(&bytes[8], root, sizeof root);
             return bytes;
         }()},
    };
    for (const auto& c : cases) {
        SetCache(c.bytes);
        LogCapture log;
        VoShadowVolumeCache cache(fModel.get());
        ASSERT_TRUE(cache.Load(Path())) << c.name;
        EXPECT_TRUE(
            log.Logged("WARNING: ", std::string(VoShadowVolumeCache::kCacheDiscarded) + "//meshes/hero.lisv"))
            << c.name;
        ASSERT_EQ(cache.GetCount(), 1) << c.name;
        EXPECT_EQ(cache.GetVolume(0)->GetMesh(), fpSkin) << c.name;
        EXPECT_EQ(Cache(), good) << c.name;
    }
}

TEST_F(VoShadowVolumeCacheTest, AFileThatCannotBeCreatedIsNamedAndTheVolumesAreKept) {
    LogCapture log;
    VoShadowVolumeCache cache(fModel.get());
    EXPECT_TRUE(cache.Load(VoString(u"//meshes/no_folder/hero.lisv")));
    EXPECT_EQ(cache.GetCount(), 1);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(VoShadowVolumeCache::kFileCreationFailure) +
                                                   "//meshes/no_folder/hero.lisv"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolumeCache::kSaveFailure));
}

TEST_F(VoShadowVolumeCacheTest, NothingIsWrittenWithoutSkinnedMeshes) {
    std::unique_ptr<VoDrawElement> prop(ModelOf({{u"Prop", CubeMesh()}}));
    LogCapture log;
    VoShadowVolumeCache cache(prop.get());
    EXPECT_FALSE(cache.Load(Path()));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolumeCache::kNoSkinnedMeshes));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolumeCache::kCreationFailure));
    EXPECT_EQ(cache.GetCount(), 0);
    EXPECT_FALSE(fFolder.Exists("hero.lisv"));
}

TEST_F(VoShadowVolumeCacheTest, NothingIsWrittenWhenAVolumeCannotBeBuilt) {
    // A second skinned mesh whose subset draws past its indices.
    VoMesh* broken = CubeMesh(new VoSkinMesh());
    broken->GetSubset(0)->SetTriangleCount(40);
    std::unique_ptr<VoDrawElement> model(ModelOf({{u"Body", CubeMesh(new VoSkinMesh())}, {u"Cape", broken}}));
    LogCapture log;
    VoShadowVolumeCache cache(model.get());
    EXPECT_TRUE(cache.Load(Path()));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolumeCache::kCreationFailure));
    // The volume that was built casts its shadow; no file keeps the gap.
    ASSERT_EQ(cache.GetCount(), 1);
    EXPECT_EQ(cache.GetVolume(0)->GetName(), VoString(u"Body"));
    EXPECT_FALSE(fFolder.Exists("hero.lisv"));
}
