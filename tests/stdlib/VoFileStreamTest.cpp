#include "stdlib/VoFileStream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "container/VoISerializable.h"
#include "stdlib/VoIStream.h"
#include "support/FileSizeLimit.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

// Serialises a fixed text, or fails on request.
class TextObject : public VoISerializable {
public:
    explicit TextObject(std::string aText, bool aFails = false) : fText(std::move(aText)), fFails(aFails) {}
    bool Read(VoIStream*) override { return false; }
    bool Write(VoIStream* apStream) override {
        return !fFails && apStream->Write(static_cast<std::uint32_t>(fText.size()), fText.data());
    }

private:
    std::string fText;
    bool fFails;
};

VoFileStream* OpenStream(const PlatformTestFolder& aFolder, const std::string& aName, std::int32_t aMode) {
    VoFileStream* stream = new VoFileStream(PlatformTestFolder::Wide(aFolder.Path(aName)), false);
    stream->SetMode(aMode);
    EXPECT_TRUE(stream->Open());
    return stream;
}

}  // namespace

TEST(VoFileStream, WritesThenReadsAtItsOwnPosition) {
    PlatformTestFolder folder;
    VoFileStream* stream = OpenStream(folder, "a.bin", VoFileStream::kModeWrite);
    EXPECT_TRUE(stream->WriteInt(0x01020304));
    EXPECT_TRUE(stream->WriteString(VoString(u"ab")));
    EXPECT_EQ(stream->GetPosition(), 14u);
    EXPECT_TRUE(stream->Close());
    delete stream;
    EXPECT_EQ(folder.Read("a.bin"), std::string("\x04\x03\x02\x01\x02\0\0\0a\0b\0\0\0", 14));

    stream = OpenStream(folder, "a.bin", VoFileStream::kModeRead);
    EXPECT_EQ(stream->GetRemaining(), 14);
    // Skip and SetPosition only move the stream's own position.
    stream->Skip(4);
    VoString text;
    EXPECT_TRUE(stream->ReadString(&text));
    EXPECT_TRUE(text.Equals(u"ab"));
    stream->SetPosition(0);
    std::int32_t number = 0;
    EXPECT_TRUE(stream->ReadInt(&number));
    EXPECT_EQ(number, 0x01020304);
    delete stream;
}

TEST(VoFileStream, ReadPastTheEndFailsAfterTheBytesThatMoved) {
    PlatformTestFolder folder;
    folder.Write("a.bin", "abc");
    VoFileStream* stream = OpenStream(folder, "a.bin", VoFileStream::kModeRead);
    char out[8] = {};
    stream->SetPosition(1);
    EXPECT_FALSE(stream->Read(5, out));
    EXPECT_EQ(std::string(out, 2), "bc");
    EXPECT_EQ(stream->GetPosition(), 3u);
    stream->SetPosition(10);
    EXPECT_FALSE(stream->Read(1, out));
    EXPECT_EQ(stream->GetPosition(), 10u);
    EXPECT_EQ(stream->GetRemaining(), 0);
    delete stream;
}

TEST(VoFileStream, ReadWriteModeKeepsTheContentAndInterleaves) {
    PlatformTestFolder folder;
    folder.Write("a.bin", "abcdef");
    VoFileStream* stream = OpenStream(folder, "a.bin", VoFileStream::kModeReadWrite);
    char out[2] = {};
    EXPECT_TRUE(stream->Read(2, out));
    EXPECT_TRUE(stream->Write(2, "XY"));
    EXPECT_TRUE(stream->Read(1, out));
    EXPECT_EQ(out[0], 'e');
    stream->SetPosition(0);
    EXPECT_TRUE(stream->Write(1, "Z"));
    EXPECT_TRUE(stream->Close());
    delete stream;
    EXPECT_EQ(folder.Read("a.bin"), "ZbXYef");
}

TEST(VoFileStream, OpenFailsQuietlyForAMissingFileOrAnUnknownMode) {
    PlatformTestFolder folder;
    LogCapture log;
    VoFileStream missing(PlatformTestFolder::Wide(folder.Path("missing.bin")), false);
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(log.Lines().empty());

    folder.Write("a.bin", "abc");
    VoFileStream odd(PlatformTestFolder::Wide(folder.Path("a.bin")), false);
    EXPECT_TRUE(odd.SetMode(7));
    EXPECT_FALSE(odd.Open());
    EXPECT_TRUE(folder.Read("a.bin") == "abc");
}

TEST(VoFileStream, PathUnitWithAZeroLowByteNamesNoFile) {
    PlatformTestFolder folder;
    folder.Write("a", "other file");
    // Narrowed, u"a\u0100b" would be cut to "a".
    const VoString path = PlatformTestFolder::Wide(folder.Path("a")).Append(u"\u0100b");
    VoFileStream stream(path, false);
    EXPECT_FALSE(stream.Open());
    stream.SetMode(VoFileStream::kModeWrite);
    EXPECT_FALSE(stream.Open());
    TextObject object("new");
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(&object, path, false));
    EXPECT_EQ(folder.Read("a"), "other file");
    EXPECT_EQ(folder.CountEntries(), 1);
}

TEST(VoFileStream, OpenTwiceWarnsAndKeepsThePosition) {
    PlatformTestFolder folder;
    folder.Write("a.bin", "abc");
    VoFileStream* stream = OpenStream(folder, "a.bin", VoFileStream::kModeRead);
    stream->SetPosition(2);
    LogCapture log;
    EXPECT_TRUE(stream->Open());
    EXPECT_TRUE(log.Contains(std::string("WARNING: ")));
    EXPECT_TRUE(log.Contains(VoFileStream::kAlreadyOpen));
    EXPECT_EQ(stream->GetPosition(), 2u);
    delete stream;
}

TEST(VoFileStream, ModeChangesOnlyWhileClosed) {
    PlatformTestFolder folder;
    folder.Write("a.bin", "abc");
    VoFileStream* stream = OpenStream(folder, "a.bin", VoFileStream::kModeRead);
    LogCapture log;
    EXPECT_FALSE(stream->SetMode(VoFileStream::kModeWrite));
    EXPECT_TRUE(log.Contains(VoFileStream::kSetModeOpen));
    EXPECT_EQ(stream->GetMode(), VoFileStream::kModeRead);
    EXPECT_FALSE(stream->Write(1, "x"));
    EXPECT_TRUE(stream->Close());
    EXPECT_TRUE(stream->SetMode(VoFileStream::kModeWrite));
    EXPECT_TRUE(stream->Open());
    EXPECT_TRUE(stream->Write(1, "x"));
    delete stream;
    EXPECT_EQ(folder.Read("a.bin"), "x");
}

TEST(VoFileStream, ClosedStreamRefusesEveryTransfer) {
    PlatformTestFolder folder;
    VoFileStream stream(PlatformTestFolder::Wide(folder.Path("a.bin")), false);
    LogCapture log;
    char out = 0;
    EXPECT_FALSE(stream.Read(1, &out));
    EXPECT_FALSE(stream.Write(1, "x"));
    EXPECT_FALSE(stream.Flush());
    EXPECT_FALSE(stream.Close());
    EXPECT_EQ(stream.GetRemaining(), -1);
    EXPECT_TRUE(log.Contains(VoFileStream::kReadUnopened));
    EXPECT_TRUE(log.Contains(VoFileStream::kWriteUnopened));
    EXPECT_TRUE(log.Contains(VoFileStream::kFlushUnopened));
    EXPECT_TRUE(log.Contains(std::string("WARNING: ")));
    EXPECT_TRUE(log.Contains(VoFileStream::kCloseUnopened));
}

TEST(VoFileStream, EnginePathsResolveThroughTheFileSystem) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    folder.Write("a.bin", "abc");
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    ASSERT_TRUE(fileSystem->Mount(VoString("//streamtest"), VoString(folder.Files().c_str())));
    VoFileStream mapped(VoString("//streamtest/a.bin"), true);
    EXPECT_TRUE(mapped.Open());
    fileSystem->Unmount(VoString("//streamtest"));

    LogCapture log;
    VoFileStream unmounted(VoString("//nosuchalias/a.bin"), true);
    EXPECT_TRUE(log.Contains(VoFileStream::kNoNativePath));
    EXPECT_EQ(unmounted.GetNativePath().GetLength(), 0);
    EXPECT_FALSE(unmounted.Open());
}

TEST(VoFileStream, WriteFileReplacesTheContentAndLeavesNothingBehind) {
    PlatformTestFolder folder;
    folder.Write("save.dat", "old content that is longer");
    TextObject object("new");
    EXPECT_TRUE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_EQ(folder.Read("save.dat"), "new");
    EXPECT_EQ(folder.CountEntries(), 1);

    EXPECT_TRUE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("fresh.dat")), false));
    EXPECT_EQ(folder.Read("fresh.dat"), "new");
}

TEST(VoFileStream, WriteFileRefusesANullObject) {
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(nullptr, VoString(u"x"), false));
    EXPECT_TRUE(log.Contains(std::string("ASSERT FAILURE: ")));
    EXPECT_TRUE(log.Contains(VoFileStream::kNullArg));
}

TEST(VoFileStream, WriteFileKeepsTheOldFileWhenSerialisingFails) {
    PlatformTestFolder folder;
    folder.Write("save.dat", "old");
    TextObject failing("new", true);
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(&failing, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_TRUE(log.Contains(VoFileStream::kWriteFailure));
    EXPECT_EQ(folder.Read("save.dat"), "old");
    EXPECT_EQ(folder.CountEntries(), 1);
}

TEST(VoFileStream, WriteFileKeepsTheOldFileWhenNothingCanBeCreatedBesideIt) {
    // A folder where the new content would go: nothing can be created there,
    // even by a privileged user, as in a read-only folder.
    PlatformTestFolder folder;
    folder.Write("save.dat", "old");
    std::filesystem::create_directory(folder.Path("save.dat.tmp"));
    TextObject object("new");
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_TRUE(log.Contains(VoFileStream::kOpenFailure));
    EXPECT_EQ(folder.Read("save.dat"), "old");

    EXPECT_FALSE(VoFileStream::WriteFile(
        &object, PlatformTestFolder::Wide(folder.Path("nosuchfolder/save.dat")), false));
}

TEST(VoFileStream, WriteFileRefusesToReplaceAReadOnlyFile) {
    // Refused also for a privileged user, as deleting such a file is.
    PlatformTestFolder folder;
    folder.Write("save.dat", "old");
    std::filesystem::permissions(folder.Path("save.dat"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    TextObject object("new");
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_TRUE(log.Contains(VoFileStream::kReadOnlyTarget));
    EXPECT_EQ(folder.Read("save.dat"), "old");
    EXPECT_EQ(folder.CountEntries(), 1);
}

TEST(VoFileStream, WriteFileKeepsTheOldFileInAReadOnlyFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not bind a privileged user";
    }
    PlatformTestFolder folder;
    folder.Write("save.dat", "old");
    std::filesystem::permissions(folder.Files(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    TextObject object("new");
    EXPECT_FALSE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_EQ(folder.Read("save.dat"), "old");
}

TEST(VoFileStream, WriteFileKeepsTheOldFileWhenTheDiskWriteFails) {
    PlatformTestFolder folder;
    folder.Write("save.dat", "old");
    TextObject object(std::string(100000, 'n'));
    LogCapture log;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(
            VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    }
    EXPECT_TRUE(log.Contains(VoFileStream::kWriteFailure));
    EXPECT_EQ(folder.Read("save.dat"), "old");
    EXPECT_EQ(folder.CountEntries(), 1);
}

TEST(VoFileStream, WriteFileKeepsTheTargetWhenItCannotBeReplaced) {
    PlatformTestFolder folder;
    std::filesystem::create_directory(folder.Path("save.dat"));
    folder.Write("save.dat/inside", "kept");
    TextObject object("new");
    LogCapture log;
    EXPECT_FALSE(VoFileStream::WriteFile(&object, PlatformTestFolder::Wide(folder.Path("save.dat")), false));
    EXPECT_TRUE(log.Contains(VoFileStream::kRenameFailure));
    EXPECT_EQ(folder.Read("save.dat/inside"), "kept");
    EXPECT_EQ(folder.CountEntries(), 1);
}

TEST(VoFileStream, WriteFileTakesEnginePaths) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    ASSERT_TRUE(fileSystem->Mount(VoString("//savetest"), VoString(folder.Files().c_str())));
    TextObject object("new");
    EXPECT_TRUE(VoFileStream::WriteFile(&object, VoString("//savetest/game1.dat"), true));
    EXPECT_FALSE(VoFileStream::WriteFile(&object, VoString("//nosuchalias/game1.dat"), true));
    fileSystem->Unmount(VoString("//savetest"));
    EXPECT_EQ(folder.Read("game1.dat"), "new");
}
