#include "render/VoTextureManager.h"

#include <gtest/gtest.h>

#include <string>

#include "geometry/ImageFiles.h"
#include "object/VoHandle.h"
#include "render/VoTextureDX9.h"
#include "support/PlatformTestFolder.h"
#include "support/RenderTestSupport.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

// An engine whose "texture" creator draws on the recorder, with a scratch
// folder mounted as "//textures" holding a 2 x 1 32-bit TGA.
class VoTextureManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_NE(fileSystem, nullptr);
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//textures"), PlatformTestFolder::Wide(fFolder.Files())));
        WriteImage("shadow_circle.tga");
        fManager = VoTextureManager::GetInstance();
        ASSERT_NE(fManager, nullptr);
    }

    void WriteImage(const std::string& aName) {
        const Bytes tga = Tga(2, 2, 1, 32, 0x28, {1, 2, 3, 4, 5, 6, 7, 8});
        fFolder.Write(aName, std::string(tga.begin(), tga.end()));
    }

    // A texture object on the recorder, made outside the manager.
    VoTextureDX9* NewTexture() {
        VoTextureDX9* texture = new VoTextureDX9();
        texture->Initialize(0);
        texture->CreateTexture(1, 1, VoImage::kFormatBGRA);
        return texture;
    }

    RecordedDevice fDevice;
    ScopedEngine fEngine;
    PlatformTestFolder fFolder;
    VoTextureManager* fManager = nullptr;
};

}  // namespace

TEST_F(VoTextureManagerTest, TheRootMustBeAnEnginePathAndEndsInOneSlash) {
    LogCapture log;
    EXPECT_FALSE(fManager->SetRoot(VoString(u"textures")));
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureManager::kSetRootInvalid));
    EXPECT_EQ(Narrow(fManager->GetRoot()), "");
    const struct {
        const char16_t* path;
        const char* root;
    } cases[] = {{u"//textures", "//textures/"}, {u"//textures/", "//textures/"}, {u"//a//b", "//a/b/"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(fManager->SetRoot(VoString(c.path)));
        EXPECT_EQ(Narrow(fManager->GetRoot()), c.root);
    }
}

TEST_F(VoTextureManagerTest, AFileUnderTheRootIsLoadedOnceAndFiledUnderItsName) {
    ASSERT_TRUE(fManager->SetRoot(VoString(u"//textures")));
    const std::uint32_t handle = fManager->CreateTexture(VoString(u"shadow_circle.tga"));
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(VoHandle::IndexOf(handle), VoTextureManager::kHandleIndex);
    VoITexture* texture = fManager->GetTexture(handle);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 2u);
    EXPECT_EQ(fDevice->Texture(1)->fPixels[0], (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(fManager->GetHandle(VoString(u"shadow_circle.tga")), handle);
    VoString id;
    EXPECT_TRUE(fManager->GetTextureId(handle, id));
    EXPECT_EQ(Narrow(id), "shadow_circle.tga");

    // The second call finds it filed: nothing is loaded, even with the file gone.
    std::filesystem::remove(fFolder.Path("shadow_circle.tga"));
    fDevice->ClearCalls();
    EXPECT_EQ(fManager->CreateTexture(VoString(u"shadow_circle.tga")), handle);
    EXPECT_TRUE(fDevice->Calls().empty());
}

TEST_F(VoTextureManagerTest, AFullPathIsItsOwnIdAndNeedsNoRoot) {
    const std::uint32_t full = fManager->CreateTexture(VoString(u"//textures/shadow_circle.tga"));
    ASSERT_NE(full, 0u);
    ASSERT_TRUE(fManager->SetRoot(VoString(u"//textures")));
    const std::uint32_t relative = fManager->CreateTexture(VoString(u"shadow_circle.tga"));
    EXPECT_NE(relative, 0u);
    EXPECT_NE(relative, full);
}

TEST_F(VoTextureManagerTest, ARelativeNameBeforeAnyRootFailsAndAMissingFileSilently) {
    LogCapture log;
    EXPECT_EQ(fManager->CreateTexture(VoString(u"shadow_circle.tga")), 0u);
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureManager::kRootUndefined));
    ASSERT_TRUE(fManager->SetRoot(VoString(u"//textures")));
    log.Clear();
    EXPECT_EQ(fManager->CreateTexture(VoString(u"missing.tga")), 0u);
    EXPECT_FALSE(log.Contains("render/VoTextureManager.cpp")) << log.Contents();
}

TEST_F(VoTextureManagerTest, ATextureThatCannotBeMadeIsNotFiled) {
    fDevice->FailCreateTexture(VoDeviceResult::kOutOfMemory);
    VoImage image;
    MakeImage(image, 1, 1, VoImage::kFormatBGRA, {1, 2, 3, 4});
    LogCapture log;
    EXPECT_EQ(fManager->CreateTexture(VoString(u"made"), &image), 0u);
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureManager::kCreateFailure));
    EXPECT_EQ(fManager->GetHandle(VoString(u"made")), 0u);
    EXPECT_EQ(fManager->CreateTexture(VoString(u"made"), static_cast<VoImage*>(nullptr)), 0u);
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureManager::kInvalidArg));
}

TEST_F(VoTextureManagerTest, FilingASecondTextureUnderAnIdWarnsAndGivesTheFirstHandle) {
    VoTextureDX9* first = NewTexture();
    const std::uint32_t handle = fManager->CreateTexture(VoString(u"movie"), first);
    ASSERT_NE(handle, 0u);
    VoTextureDX9* second = NewTexture();
    LogCapture log;
    EXPECT_EQ(fManager->CreateTexture(VoString(u"movie"), second), handle);
    EXPECT_TRUE(log.Logged("WARNING: ", std::string(VoTextureManager::kIdExists) + "movie"));
    EXPECT_EQ(fManager->GetTexture(handle), first);
    delete second;
    EXPECT_EQ(fManager->CreateTexture(VoString(u"none"), static_cast<VoITexture*>(nullptr)), 0u);
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextureManager::kInvalidArg));
}

TEST_F(VoTextureManagerTest, ALockedTextureSurvivesTryDestroyUntilItsLastUnlock) {
    const std::uint32_t handle = fManager->CreateTexture(VoString(u"sprite"), NewTexture());
    ASSERT_TRUE(fManager->LockHandle(handle));
    ASSERT_TRUE(fManager->LockHandle(handle));
    EXPECT_FALSE(fManager->TryDestroyTexture(handle));
    EXPECT_NE(fManager->GetTexture(handle), nullptr);
    EXPECT_TRUE(fManager->UnlockHandle(handle, 1));
    EXPECT_NE(fManager->GetTexture(handle), nullptr);
    EXPECT_TRUE(fManager->UnlockHandle(handle, 1));
    // The last unlock destroyed it and freed handle and id.
    EXPECT_TRUE(fDevice->Texture(1)->fReleased);
    EXPECT_EQ(fManager->GetHandle(VoString(u"sprite")), 0u);
    VoString id;
    EXPECT_FALSE(fManager->GetTextureId(handle, id));
}

TEST_F(VoTextureManagerTest, ADestroyedTextureIsMadeAnewByItsId) {
    ASSERT_TRUE(fManager->SetRoot(VoString(u"//textures")));
    const std::uint32_t handle = fManager->CreateTexture(VoString(u"shadow_circle.tga"));
    ASSERT_TRUE(fManager->DestroyTexture(handle));
    EXPECT_EQ(fManager->GetHandle(VoString(u"shadow_circle.tga")), 0u);
    const std::uint32_t again = fManager->CreateTexture(VoString(u"shadow_circle.tga"));
    ASSERT_NE(again, 0u);
    EXPECT_NE(fManager->GetTexture(again), nullptr);

    // A texture taken out leaves an id that a new creation fills again.
    VoITexture* taken = nullptr;
    ASSERT_TRUE(fManager->RemoveTexture(again, &taken));
    ASSERT_NE(taken, nullptr);
    const std::uint32_t third = fManager->CreateTexture(VoString(u"shadow_circle.tga"));
    EXPECT_NE(fManager->GetTexture(third), nullptr);
    EXPECT_NE(fManager->GetTexture(third), taken);
    delete taken;

    const std::uint32_t locked = fManager->CreateTexture(VoString(u"kept"), NewTexture());
    fManager->LockHandle(locked);
    LogCapture log;
    EXPECT_FALSE(fManager->DestroyTexture(VoString(u"kept")));
    EXPECT_TRUE(log.Logged("WARNING: ", VoObjectManager::kDestroyLocked));
    EXPECT_NE(fManager->GetTexture(locked), nullptr);
}

TEST_F(VoTextureManagerTest, TheManagerIsGoneWithTheEngineAndTakesItsTexturesAlong) {
    fManager->CreateTexture(VoString(u"a"), NewTexture());
    fManager->CreateTexture(VoString(u"b"), NewTexture());
    EXPECT_EQ(Narrow(fManager->ToString()), "[VoTextureManager <" + HexAddress(fManager) + ">]");
    fEngine.ShutDown();
    EXPECT_TRUE(fDevice->Texture(1)->fReleased);
    EXPECT_TRUE(fDevice->Texture(2)->fReleased);
    EXPECT_EQ(VoTextureManager::GetInstance(), nullptr);
}
