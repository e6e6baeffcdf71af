#include "system/VoFileSystemWin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "container/VoVectorString.h"
#include "support/PlatformTestFolder.h"

namespace {

using Folder = PlatformTestFolder;
namespace fs = std::filesystem;

VoString W(const std::string& aText) {
    return Folder::Wide(aText);
}

std::vector<std::string> Names(const VoVectorString& aNames) {
    std::vector<std::string> names;
    for (int i = 0; i < aNames.GetCount(); ++i) {
        names.push_back(Narrow(aNames.GetAt(i)));
    }
    return names;
}

void MakeReadOnly(const std::string& aPath) {
    fs::permissions(aPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

}  // namespace

TEST(VoFileSystemWin, CreateFileEmptiesAnExistingFile) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("a.txt", "some text");
    EXPECT_TRUE(fileSystem.CreateFile(W(folder.Path("a.txt")), false));
    EXPECT_TRUE(folder.Exists("a.txt"));
    EXPECT_EQ(folder.Read("a.txt"), "");
    EXPECT_TRUE(fileSystem.CreateFile(W(folder.Path("b.txt")), false));
    EXPECT_TRUE(folder.Exists("b.txt"));
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoFileSystemWin, CreateFileFailuresCarryWindowsCodes) {
    Folder folder;
    VoFileSystemWin fileSystem;
    EXPECT_FALSE(fileSystem.CreateFile(W(folder.Path("missing/a.txt")), false));
    EXPECT_TRUE(
        folder.LoggedError("Could not create file:" + folder.Path("missing/a.txt") + ", error code:3"));
    folder.Write("locked.txt", "keep");
    MakeReadOnly(folder.Path("locked.txt"));
    EXPECT_FALSE(fileSystem.CreateFile(W(folder.Path("locked.txt")), false));
    EXPECT_TRUE(folder.LoggedError("Could not create file:" + folder.Path("locked.txt") + ", error code:5"));
    EXPECT_EQ(folder.Read("locked.txt"), "keep");
}

TEST(VoFileSystemWin, DeleteFileRefusesReadOnlyFilesEvenForRoot) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("locked.txt", "keep");
    MakeReadOnly(folder.Path("locked.txt"));
    EXPECT_FALSE(fileSystem.DeleteFile(W(folder.Path("locked.txt")), false));
    EXPECT_TRUE(folder.LoggedError("Attempt to delete read-only file."));
    EXPECT_TRUE(folder.Exists("locked.txt"));

    folder.Write("free.txt", "go");
    EXPECT_TRUE(fileSystem.DeleteFile(W(folder.Path("free.txt")), false));
    EXPECT_FALSE(folder.Exists("free.txt"));
}

TEST(VoFileSystemWin, DeleteFileOfMissingFileOrFolder) {
    Folder folder;
    VoFileSystemWin fileSystem;
    EXPECT_FALSE(fileSystem.DeleteFile(W(folder.Path("missing.txt")), false));
    EXPECT_TRUE(folder.LoggedError("File delete failure. Error code: 2"));
    EXPECT_FALSE(fileSystem.DeleteFile(W(folder.Path("missing/a.txt")), false));
    EXPECT_TRUE(folder.LoggedError("File delete failure. Error code: 3"));
}

TEST(VoFileSystemWin, FileSizeInBytes) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("empty.txt", "");
    folder.Write("five.txt", "12345");
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("empty.txt")), false), 0);
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("five.txt")), false), 5);
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Files()), false), 0);
    EXPECT_TRUE(folder.LogEmpty());
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("missing.txt")), false), -1);
    EXPECT_TRUE(
        folder.LoggedError("GetFileSize failure. Error:2 for native path:" + folder.Path("missing.txt")));
}

TEST(VoFileSystemWin, FileSizeBeyondSigned32BitsIsOutOfRange) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("largest.bin", "");
    folder.Write("huge.bin", "");
    // Sparse files: no disk space is used.
    fs::resize_file(folder.Path("largest.bin"), 0x7FFFFFFFull);
    fs::resize_file(folder.Path("huge.bin"), 0x80000000ull);
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("largest.bin")), false), 0x7FFFFFFF);
    EXPECT_TRUE(folder.LogEmpty());
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("huge.bin")), false), -1);
    EXPECT_TRUE(folder.LoggedError("File size out of range."));
}

TEST(VoFileSystemWin, ListingsSeparateFilesFromFoldersInFoldedOrder) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("b.txt", "");
    folder.Write("A.txt", "");
    folder.Write("c.TXT", "");
    folder.Write("Sub/inner.txt", "");
    fs::create_directory(folder.Path("empty"));
    VoVectorString names;
    names.Add(VoString(u"stale"));
    ASSERT_TRUE(fileSystem.GetFiles(W(folder.Files()), &names, false));
    EXPECT_EQ(Names(names), (std::vector<std::string>{"A.txt", "b.txt", "c.TXT"}));
    ASSERT_TRUE(fileSystem.GetDirectories(W(folder.Files()), &names, false));
    EXPECT_EQ(Names(names), (std::vector<std::string>{"empty", "Sub"}));
    ASSERT_TRUE(fileSystem.GetDirectories(W(folder.Path("empty")), &names, false));
    EXPECT_TRUE(Names(names).empty());
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoFileSystemWin, ListingAMissingFolderFailsWithPathNotFound) {
    Folder folder;
    VoFileSystemWin fileSystem;
    VoVectorString names;
    names.Add(VoString(u"stale"));
    EXPECT_FALSE(fileSystem.GetFiles(W(folder.Path("missing")), &names, false));
    EXPECT_TRUE(folder.LoggedError("Invalid file handle. Error: 3"));
    EXPECT_EQ(names.GetCount(), 0);
    EXPECT_FALSE(fileSystem.GetDirectories(W(folder.Path("missing/deeper")), &names, false));
    folder.Write("plain.txt", "");
    EXPECT_FALSE(fileSystem.GetFiles(W(folder.Path("plain.txt")), &names, false));
    EXPECT_EQ(folder.LogLines().size(), 3u);
    EXPECT_FALSE(fileSystem.GetFiles(W(folder.Files()), nullptr, false));
    EXPECT_TRUE(folder.LoggedError("Invalid argument."));
}

TEST(VoFileSystemWin, CopyFileHonoursOverwrite) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("src.txt", "new");
    folder.Write("dst.txt", "old");
    EXPECT_FALSE(fileSystem.CopyFile(W(folder.Path("src.txt")), W(folder.Path("dst.txt")), false, false));
    EXPECT_TRUE(folder.LoggedError("File copy failure. src: " + folder.Path("src.txt") +
                                   ", dst: " + folder.Path("dst.txt")));
    EXPECT_EQ(folder.Read("dst.txt"), "old");
    EXPECT_TRUE(fileSystem.CopyFile(W(folder.Path("src.txt")), W(folder.Path("dst.txt")), true, false));
    EXPECT_EQ(folder.Read("dst.txt"), "new");
    EXPECT_TRUE(fileSystem.CopyFile(W(folder.Path("src.txt")), W(folder.Path("fresh.txt")), false, false));
    EXPECT_EQ(folder.Read("fresh.txt"), "new");
}

TEST(VoFileSystemWin, CopyFileNeverTruncatesItsOwnSource) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("same.txt", "precious");
    EXPECT_FALSE(fileSystem.CopyFile(W(folder.Path("same.txt")), W(folder.Path("same.txt")), true, false));
    EXPECT_EQ(folder.Read("same.txt"), "precious");
    EXPECT_FALSE(fileSystem.CopyFile(W(folder.Path("missing.txt")), W(folder.Path("x.txt")), true, false));
    EXPECT_FALSE(folder.Exists("x.txt"));
}

TEST(VoFileSystemWin, ExistenceTestsFindFilesAndFolders) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("a.txt", "");
    EXPECT_TRUE(fileSystem.DirectoryExists(W(folder.Files()), false));
    EXPECT_TRUE(fileSystem.DirectoryExists(W(folder.Path("a.txt")), false));
    EXPECT_FALSE(fileSystem.DirectoryExists(W(folder.Path("missing")), false));
    EXPECT_TRUE(fileSystem.FileExists(W(folder.Path("a.txt")), false));
    EXPECT_TRUE(fileSystem.FileExists(W(folder.Files()), false));
    EXPECT_TRUE(folder.LogEmpty());
    EXPECT_FALSE(fileSystem.FileExists(W(folder.Path("missing.txt")), false));
    EXPECT_TRUE(folder.LoggedError("FileExists failure. Error:2"));
    EXPECT_FALSE(fileSystem.FileExists(W(folder.Path("missing/a.txt")), false));
    EXPECT_TRUE(folder.LoggedError("FileExists failure. Error:3"));
}

TEST(VoFileSystemWin, WildcardsMatchIgnoringCase) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("b.tga", "22");
    folder.Write("A.TGA", "1");
    EXPECT_TRUE(fileSystem.FileExists(W(folder.Path("*.tga")), false));
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("?.tga")), false), 1);
    EXPECT_FALSE(fileSystem.FileExists(W(folder.Path("*.bmp")), false));
    EXPECT_TRUE(folder.LoggedError("FileExists failure. Error:2"));
}

TEST(VoFileSystemWin, EnginePathsFindFilesWhateverTheirCase) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("data/textures/a.tga", "abc");
    ASSERT_TRUE(fileSystem.Mount(VoString("//Data"), W(folder.Path("data"))));
    VoString native;
    ASSERT_TRUE(fileSystem.ResolvePath(VoString("//Data/Textures/A.TGA"), native));
    EXPECT_EQ(Narrow(native), folder.Path("data/textures/a.tga"));
    EXPECT_TRUE(fileSystem.FileExists(VoString("//Data/TEXTURES/a.Tga"), true));
    EXPECT_EQ(fileSystem.GetFileSize(VoString("//Data/textures/A.tga"), true), 3);

    // A new file goes into the folder that exists, under the name as given.
    EXPECT_TRUE(fileSystem.CreateFile(VoString("//Data/TEXTURES/New.txt"), true));
    EXPECT_TRUE(folder.Exists("data/textures/New.txt"));
    // What exists with the exact spelling wins over another spelling.
    folder.Write("data/textures/A.TGA", "exact");
    EXPECT_EQ(fileSystem.GetFileSize(VoString("//Data/Textures/A.TGA"), true), 5);
    EXPECT_EQ(fileSystem.GetFileSize(VoString("//Data/Textures/a.tga"), true), 3);
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoFileSystemWin, CaseMatchesFollowRenames) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("Dir/File.txt", "one");
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("dir/file.txt")), false), 3);
    fs::rename(folder.Path("Dir/File.txt"), folder.Path("Dir/FILE.txt"));
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("dir/file.txt")), false), 3);
    fs::remove(folder.Path("Dir/FILE.txt"));
    EXPECT_EQ(fileSystem.GetFileSize(W(folder.Path("dir/file.txt")), false), -1);
}

TEST(VoFileSystemWin, UnmountedAliasFailsOnAnEmptyPath) {
    Folder folder;
    VoFileSystemWin fileSystem;
    EXPECT_FALSE(fileSystem.CreateFile(VoString("//nosuch/a.txt"), true));
    const std::vector<std::string> lines = folder.LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(folder.LoggedError("Mount undefined: //nosuch"));
    EXPECT_TRUE(folder.LoggedError("Could not create file:, error code:3"));
}

TEST(VoFileSystemWin, PathsThatWouldBeCutShortNameNothing) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("a", "");
    // The low byte of U+0100 is 0: the path must not shrink to ".../a".
    VoString path = W(folder.Path("a"));
    path.Append(u"\u0100b");
    EXPECT_FALSE(fileSystem.FileExists(path, false));
    EXPECT_TRUE(folder.LoggedError("FileExists failure. Error:123"));
}

TEST(VoFileSystemWin, CreateDirectoryMakesOneLevel) {
    Folder folder;
    VoFileSystemWin fileSystem;
    EXPECT_TRUE(fileSystem.CreateDirectory(W(folder.Path("one")), false));
    EXPECT_TRUE(fs::is_directory(folder.Path("one")));
    EXPECT_FALSE(fileSystem.CreateDirectory(W(folder.Path("one")), false));
    EXPECT_TRUE(folder.LoggedError("Could not create directory from path: " + folder.Path("one")));
    EXPECT_FALSE(fileSystem.CreateDirectory(W(folder.Path("two/three")), false));
    EXPECT_TRUE(folder.LoggedError("Could not create directory from path: " + folder.Path("two/three")));
}

TEST(VoFileSystemWin, CopyDirectoryCopiesTheTree) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("src/a.txt", "a");
    folder.Write("src/sub/b.txt", "b");
    EXPECT_TRUE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("copy")), true, true, false));
    EXPECT_EQ(folder.Read("copy/a.txt"), "a");
    EXPECT_EQ(folder.Read("copy/sub/b.txt"), "b");
    // Into a folder that exists, the copy goes under the source's name.
    fs::create_directory(folder.Path("into"));
    EXPECT_TRUE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("into")), true, true, false));
    EXPECT_EQ(folder.Read("into/src/sub/b.txt"), "b");
    // Without recursion only the top level's files.
    EXPECT_TRUE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("flat")), false, true, false));
    EXPECT_TRUE(folder.Exists("flat/a.txt"));
    EXPECT_FALSE(folder.Exists("flat/sub"));
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoFileSystemWin, CopyDirectoryWithoutOverwriteSkipsExistingFiles) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("src/a.txt", "new a");
    folder.Write("src/b.txt", "new b");
    folder.Write("dst/src/a.txt", "old a");
    EXPECT_TRUE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("dst")), true, false, false));
    EXPECT_EQ(folder.Read("dst/src/a.txt"), "old a");
    EXPECT_EQ(folder.Read("dst/src/b.txt"), "new b");
    EXPECT_FALSE(folder.Exists("dst/src/a (2).txt"));
    EXPECT_TRUE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("dst")), true, true, false));
    EXPECT_EQ(folder.Read("dst/src/a.txt"), "new a");
}

TEST(VoFileSystemWin, CopyDirectoryRefusesToCopyIntoItself) {
    Folder folder;
    VoFileSystemWin fileSystem;
    folder.Write("src/a.txt", "a");
    EXPECT_FALSE(
        fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("src/inner")), true, true, false));
    EXPECT_FALSE(fileSystem.CopyDirectory(W(folder.Path("src")), W(folder.Path("src")), true, true, false));
    EXPECT_FALSE(fileSystem.CopyDirectory(W(folder.Path("missing")), W(folder.Path("x")), true, true, false));
    EXPECT_FALSE(folder.Exists("src/inner"));
    EXPECT_FALSE(folder.Exists("src/src"));
    EXPECT_EQ(folder.LogLines().size(), 3u);
    EXPECT_TRUE(folder.LoggedError("Directory copy failure."));
}

TEST(VoFileSystemWin, WorkingDirectoryRoundTrip) {
    Folder folder;
    VoFileSystemWin fileSystem;
    const fs::path start = fs::current_path();
    VoString directory;
    ASSERT_TRUE(fileSystem.GetCurrentDirectory(directory));
    EXPECT_EQ(Narrow(directory), start.string());
    fs::create_directory(folder.Path("Work"));
    ASSERT_TRUE(fileSystem.SetCurrentDirectory(W(folder.Path("work")), false));
    EXPECT_EQ(fs::current_path(), fs::path(folder.Path("Work")));
    EXPECT_FALSE(fileSystem.SetCurrentDirectory(W(folder.Path("missing")), false));
    ASSERT_TRUE(fileSystem.SetCurrentDirectory(W(start.string()), false));
    EXPECT_TRUE(folder.LogEmpty());
}

TEST(VoFileSystemWin, FixedAnswers) {
    Folder folder;
    VoFileSystemWin fileSystem;
    EXPECT_TRUE(fileSystem.Initialize(0));
    EXPECT_TRUE(fileSystem.Initialize(0));
    VoString path;
    EXPECT_TRUE(fileSystem.GetCurrentPath(path));
    EXPECT_EQ(Narrow(path), "/");
    EXPECT_EQ(Narrow(fileSystem.GetSeparator()), "/");
    EXPECT_EQ(Narrow(fileSystem.ToString()).rfind("[VoFileSystemWin <", 0), 0u);

    VoString* volumes = nullptr;
    EXPECT_EQ(fileSystem.GetVolumes(&volumes), 0);
    EXPECT_EQ(volumes, nullptr);
    EXPECT_TRUE(folder.LogEmpty());
    EXPECT_EQ(fileSystem.GetVolumes(nullptr), 0);
    EXPECT_TRUE(folder.LoggedError("Invalid argument."));

    EXPECT_FALSE(fileSystem.DeleteDirectory(W(folder.Files()), false));
    fileSystem.Reserved(W(folder.Files()));
    EXPECT_TRUE(folder.Logged("ASSERT FAILURE: ", "NYI."));
    EXPECT_TRUE(fs::is_directory(folder.Files()));
}
