#include "system/VoNativePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/PlatformTestFolder.h"

namespace {

using Folder = PlatformTestFolder;
namespace fs = std::filesystem;

}  // namespace

TEST(VoNativePath, ToNarrowKeepsTheLowByteAndRefusesOneThatIsZero) {
    std::string narrow = "old";
    ASSERT_TRUE(VoNativePath::ToNarrow(VoString(u"a/\u00e9\u0141"), &narrow));
    EXPECT_EQ(narrow, std::string("a/\xe9\x41"));
    ASSERT_TRUE(VoNativePath::ToNarrow(VoString(), &narrow));
    EXPECT_EQ(narrow, "");
    // U+0100 would end the path at "a".
    EXPECT_FALSE(VoNativePath::ToNarrow(VoString(u"a\u0100b"), &narrow));
}

TEST(VoNativePath, IsReadOnlyFileWantsARegularFileWithoutAnyWriteBit) {
    Folder folder;
    folder.Write("open.txt", "");
    folder.Write("locked.txt", "");
    fs::permissions(folder.Path("locked.txt"), fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink(folder.Path("locked.txt"), folder.Path("link.txt"));
    fs::create_directory(folder.Path("folder"));
    fs::permissions(folder.Path("folder"), fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(VoNativePath::IsReadOnlyFile(Folder::Wide(folder.Path("locked.txt"))));
    EXPECT_TRUE(VoNativePath::IsReadOnlyFile(Folder::Wide(folder.Path("link.txt"))));
    EXPECT_FALSE(VoNativePath::IsReadOnlyFile(Folder::Wide(folder.Path("open.txt"))));
    EXPECT_FALSE(VoNativePath::IsReadOnlyFile(Folder::Wide(folder.Path("folder"))));
    EXPECT_FALSE(VoNativePath::IsReadOnlyFile(Folder::Wide(folder.Path("missing.txt"))));
    VoString cutShort = Folder::Wide(folder.Path("locked.txt"));
    cutShort.Append(u"\u0100");
    EXPECT_FALSE(VoNativePath::IsReadOnlyFile(cutShort));
    fs::permissions(folder.Path("folder"), fs::perms::owner_all);
}
