#include "system/VoIFileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "object/VoObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoFileSystemWin.h"

namespace {

using Folder = PlatformTestFolder;

// Resolves aPath, starting from a result that holds "unchanged".
std::string Resolve(VoIFileSystem& aFileSystem, const char* apPath, bool* apResolved = nullptr) {
    VoString native(u"unchanged");
    const bool resolved = aFileSystem.ResolvePath(VoString(apPath), native);
    if (apResolved != nullptr) {
        *apResolved = resolved;
    }
    return Narrow(native);
}

}  // namespace

TEST(VoIFileSystem, ResolvesMountedPathUnderItsDirectory) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//dataroot"), Folder::Wide(folder.Files())));
    bool resolved = false;
    EXPECT_EQ(Resolve(fileSystem, "//dataroot/game/x", &resolved), folder.Files() + "/game/x");
    EXPECT_TRUE(resolved);
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoIFileSystem, KeepsTheSeparatorOfADirectoryMountedWithOne) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//dataroot"), Folder::Wide(folder.Files() + "/")));
    EXPECT_EQ(Resolve(fileSystem, "//dataroot/game/x"), folder.Files() + "//game/x");
}

TEST(VoIFileSystem, TurnsBackslashesIntoSlashes) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//textures"), Folder::Wide(folder.Files() + "\\data\\textures")));
    EXPECT_EQ(Resolve(fileSystem, "//textures/fonts\\fonts.txt"),
              folder.Files() + "/data/textures/fonts/fonts.txt");
}

TEST(VoIFileSystem, MountNameAloneResolvesToItsDirectory) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//gameroot"), Folder::Wide(folder.Files())));
    EXPECT_EQ(Resolve(fileSystem, "//gameroot"), folder.Files());
}

TEST(VoIFileSystem, UnmountedAliasIsUndefined) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//textures"), Folder::Wide(folder.Files())));
    bool resolved = true;
    EXPECT_EQ(Resolve(fileSystem, "//nosuch/a", &resolved), "");
    EXPECT_FALSE(resolved);
    EXPECT_TRUE(folder.LoggedError("Mount undefined: //nosuch"));
    // Mount names are case-sensitive.
    EXPECT_EQ(Resolve(fileSystem, "//Textures/a", &resolved), "");
    EXPECT_FALSE(resolved);
    EXPECT_TRUE(folder.LoggedError("Mount undefined: //Textures"));
}

TEST(VoIFileSystem, PathsOfNoKnownFormAreInvalid) {
    Folder folder;
    VoFileSystemWin fileSystem;
    for (const char* path : {"textures/a", "", ".x", "..x", "...", "a//b", "."}) {
        bool resolved = true;
        EXPECT_EQ(Resolve(fileSystem, path, &resolved), "unchanged") << path;
        EXPECT_FALSE(resolved) << path;
        EXPECT_TRUE(folder.LoggedError(std::string("Invalid symbolic path: ") + path)) << path;
    }
}

TEST(VoIFileSystem, RelativePathsStartFromTheEmptyBase) {
    Folder folder;
    VoFileSystemWin fileSystem;
    for (const char* path : {"./a/b", "../a/b", "/a/b"}) {
        bool resolved = false;
        EXPECT_EQ(Resolve(fileSystem, path, &resolved), "/a/b") << path;
        EXPECT_TRUE(resolved) << path;
    }
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoIFileSystem, MountNamesMustBeDoubleSlashAndOneName) {
    Folder folder;
    VoFileSystemWin fileSystem;
    const VoString directory(u"/somewhere");
    EXPECT_FALSE(fileSystem.Mount(VoString("textures"), directory));
    EXPECT_TRUE(folder.LoggedError("Invalid arg. Symbolic name should start with '//'. aSymName:textures"));
    EXPECT_FALSE(fileSystem.Mount(VoString("/textures"), directory));
    EXPECT_TRUE(folder.LoggedError("Invalid arg. Symbolic name should start with '//'. aSymName:/textures"));
    EXPECT_FALSE(fileSystem.Mount(VoString("//tex/tures"), directory));
    EXPECT_TRUE(folder.LoggedError("Invalid arg. aSymName://tex/tures"));
    EXPECT_TRUE(fileSystem.Mount(VoString("//"), directory));
    EXPECT_FALSE(fileSystem.Unmount(VoString("//tex")));
}

TEST(VoIFileSystem, SecondMountReplacesTheFirst) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//sounds"), Folder::Wide(folder.Path("old"))));
    ASSERT_TRUE(fileSystem.Mount(VoString("//sounds"), Folder::Wide(folder.Path("new"))));
    EXPECT_EQ(Resolve(fileSystem, "//sounds/a.wav"), folder.Path("new/a.wav"));
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoIFileSystem, UnmountTellsWhetherTheNameWasMounted) {
    Folder folder;
    VoFileSystemWin fileSystem;
    ASSERT_TRUE(fileSystem.Mount(VoString("//sounds"), VoString(u"/x")));
    EXPECT_FALSE(fileSystem.Unmount(VoString("//Sounds")));
    EXPECT_TRUE(fileSystem.Unmount(VoString("//sounds")));
    EXPECT_FALSE(fileSystem.Unmount(VoString("//sounds")));
    EXPECT_TRUE(folder.LogEmpty());
    bool resolved = true;
    Resolve(fileSystem, "//sounds/a", &resolved);
    EXPECT_FALSE(resolved);
}

TEST(VoIFileSystem, TemporaryMountsTakeTheNextFreeNumber) {
    Folder folder;
    VoFileSystemWin fileSystem;
    VoString first;
    ASSERT_TRUE(fileSystem.MountTemporary(Folder::Wide(folder.Files()), first));
    const std::string name = Narrow(first);
    ASSERT_EQ(name.rfind("//", 0), 0u);
    const int number = std::atoi(name.c_str() + 2);
    EXPECT_GE(number, 1);
    EXPECT_EQ(Resolve(fileSystem, (name + "/a").c_str()), folder.Path("a"));

    // A number mounted by hand is skipped.
    ASSERT_TRUE(fileSystem.Mount(VoString(("//" + std::to_string(number + 1)).c_str()), VoString(u"/x")));
    VoString second;
    ASSERT_TRUE(fileSystem.MountTemporary(VoString(u"/y"), second));
    EXPECT_EQ(Narrow(second), "//" + std::to_string(number + 2));
}

TEST(VoIFileSystem, GetInstanceKeepsOneFileSystem) {
    ScopedEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    EXPECT_EQ(VoIFileSystem::GetInstance(), fileSystem);
    EXPECT_EQ(Narrow(fileSystem->GetSeparator()), "/");
}

TEST(VoIFileSystem, OtherFileSystemsLeaveTheAccessorAlone) {
    ScopedEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    { VoFileSystemWin other; }
    EXPECT_EQ(VoIFileSystem::GetInstance(), fileSystem);
}

TEST(VoIFileSystem, NoFileSystemOnceTheCleanerDeletedIt) {
    LogCapture log;
    ScopedEngine engine;
    ASSERT_NE(VoIFileSystem::GetInstance(), nullptr);
    engine.ShutDown();
    EXPECT_EQ(VoIFileSystem::GetInstance(), nullptr);
    EXPECT_EQ(VoIFileSystem::GetInstance(), nullptr);
    // Not even a late caller that makes a new engine cleaner brings it back.
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    EXPECT_EQ(VoIFileSystem::GetInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance()->GetInstanceCount(), 0);
    EXPECT_FALSE(log.Contains("ERROR"));
    ScopedEngine next;
    EXPECT_NE(VoIFileSystem::GetInstance(), nullptr);
}

TEST(VoIFileSystem, WithoutItsCreatorThereIsNoFileSystem) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    LogCapture log;
    EXPECT_EQ(VoIFileSystem::GetInstance(), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kNoCreatorIndex) + "filesystem"));
    EXPECT_TRUE(log.Contains(VoIFileSystem::kCreationFailure));
    delete VoCleaner::PeekInstance();
}
