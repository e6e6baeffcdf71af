#include "animation/VoGestureAnimManager.h"

#include <gtest/gtest.h>

#include <string>

#include "animation/VoAnimation.h"
#include "object/VoHandle.h"
#include "support/AnimationFiles.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";
const std::string kError = "ERROR: ";

// A scratch folder mounted as "//animations" in an engine of its own, and
// the cache with that root.
class VoGestureAnimManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem != nullptr &&
                    fileSystem->Mount(VoString(u"//animations"), PlatformTestFolder::Wide(fFolder.Files())));
        fCache = VoGestureAnimManager::GetInstance();
        ASSERT_NE(fCache, nullptr);
        ASSERT_TRUE(fCache->SetRoot(VoString(u"//animations")));
    }

    void WriteFile(const std::string& aName, const Bytes& aBytes) {
        fFolder.Write(aName, std::string(aBytes.begin(), aBytes.end()));
    }

    ScopedEngine fEngine;
    PlatformTestFolder fFolder;
    VoGestureAnimManager* fCache = nullptr;
};

}  // namespace

TEST_F(VoGestureAnimManagerTest, IsOneInstanceThatLeavesWithTheEngine) {
    EXPECT_EQ(VoGestureAnimManager::GetInstance(), fCache);
    EXPECT_EQ(Narrow(fCache->ToString()), "[VoAnimationManager <" + HexAddress(fCache) + ">]");
    LogCapture log;
    fEngine.ShutDown();
    EXPECT_TRUE(log.Contains("~VoGestureAnimManager()"));
    EXPECT_EQ(VoGestureAnimManager::GetInstance(), nullptr);
}

TEST_F(VoGestureAnimManagerTest, RootMustBeAnEnginePathAndEndsInASlash) {
    struct Case {
        const char16_t* path;
        const char16_t* root;
    };
    const Case cases[] = {
        {u"//animations", u"//animations/"},
        {u"//animations/", u"//animations/"},
        {u"//animations//ma_M", u"//animations/ma_M/"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(fCache->SetRoot(VoString(c.path)));
        EXPECT_EQ(TextOf(fCache->GetRoot()), c.root);
    }
    LogCapture log;
    EXPECT_FALSE(fCache->SetRoot(VoString(u"animations")));
    EXPECT_FALSE(fCache->SetRoot(VoString(u"/animations")));
    EXPECT_EQ(log.Count(VoGestureAnimManager::kSetRootInvalid), 2);
    EXPECT_EQ(TextOf(fCache->GetRoot()), u"//animations/ma_M/");
}

TEST_F(VoGestureAnimManagerTest, OneFileGivesOneAnimationReadOnce) {
    WriteFile("ma_M/ma_point.lia1", SerialisedTwoTracks(u"point"));
    const VoString id(u"ma_M/ma_point.lia1");
    const std::uint32_t handle = fCache->CreateAnimation(id);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(VoHandle::IndexOf(handle), 136u);
    EXPECT_EQ(TextOf(fCache->GetAnimation(handle)->GetName()), u"point");
    EXPECT_EQ(fCache->GetAnimation(id), fCache->GetAnimation(handle));
    EXPECT_EQ(fCache->GetHandle(id), handle);

    // The second call does not look at the file.
    WriteFile("ma_M/ma_point.lia1", Bytes());
    EXPECT_EQ(fCache->CreateAnimation(id), handle);
    EXPECT_EQ(fCache->GetCount(), 1);

    // Once destroyed, the file is read again under a new handle.
    WriteFile("ma_M/ma_point.lia1", SerialisedTwoTracks(u"again"));
    EXPECT_TRUE(fCache->TryDestroy(handle));
    const std::uint32_t again = fCache->CreateAnimation(id);
    EXPECT_NE(again, 0u);
    EXPECT_NE(again, handle);
    EXPECT_EQ(TextOf(fCache->GetAnimation(again)->GetName()), u"again");
}

TEST_F(VoGestureAnimManagerTest, FileOfAnEnginePathIgnoresTheRootAndRawNamesKeepTheId) {
    WriteFile("WAVE.LIA", RawTwoTracks());
    ASSERT_TRUE(fCache->SetRoot(VoString(u"//nowhere")));
    const VoString id(u"//animations/WAVE.LIA");
    const std::uint32_t handle = fCache->CreateAnimation(id);
    ASSERT_NE(handle, 0u);
    VoAnimation* animation = fCache->GetAnimation(handle);
    EXPECT_EQ(TextOf(animation->GetName()), TextOf(id));
    EXPECT_EQ(animation->GetTrackCount(), 2u);
}

TEST_F(VoGestureAnimManagerTest, FailedLoadsLeaveTheCacheUnchanged) {
    Bytes truncated = SerialisedTwoTracks(u"cut");
    truncated.resize(truncated.size() - 1);
    WriteFile("cut.lia1", truncated);
    WriteFile("walk.lia2", SerialisedTwoTracks(u"walk"));
    LogCapture log;
    EXPECT_EQ(fCache->CreateAnimation(VoString(u"cut.lia1")), 0u);
    EXPECT_EQ(fCache->CreateAnimation(VoString(u"walk.lia2")), 0u);
    EXPECT_TRUE(log.Logged(kAssert, VoGestureAnimManager::kInvalidExtension));
    EXPECT_EQ(fCache->CreateAnimation(VoString(u"missing.lia1")), 0u);
    EXPECT_TRUE(log.Logged(kAssert, VoGestureAnimManager::kLoadFailure));
    EXPECT_EQ(fCache->GetCount(), 0);
}

TEST(VoGestureAnimManager, CreateAnimationNeedsARoot) {
    ScopedEngine engine;
    LogCapture log;
    VoGestureAnimManager* cache = VoGestureAnimManager::GetInstance();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->CreateAnimation(VoString(u"//animations/walk.lia1")), 0u);
    EXPECT_TRUE(log.Logged(kError, VoGestureAnimManager::kRootUndefined));
}

TEST_F(VoGestureAnimManagerTest, AddAnimationKeepsTheFirstUnderAnId) {
    VoAnimation* first = new VoAnimation();
    const std::uint32_t handle = fCache->AddAnimation(VoString(u"pose"), first);
    ASSERT_NE(handle, 0u);
    LogCapture log;
    VoAnimation second;
    EXPECT_EQ(fCache->AddAnimation(VoString(u"pose"), &second), handle);
    EXPECT_TRUE(log.Logged("WARNING: ", std::string(VoGestureAnimManager::kIdExists) + "pose"));
    EXPECT_EQ(fCache->GetAnimation(handle), first);
    EXPECT_EQ(fCache->AddAnimation(VoString(u"other"), nullptr), 0u);
    EXPECT_TRUE(log.Logged(kError, VoGestureAnimManager::kInvalidArg));
}
