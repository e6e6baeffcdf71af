#include "animation/VoAnimation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/VoAnimationTrack.h"
#include "support/AnimationFiles.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

bool ReadSerialised(VoAnimation& aAnimation, const Bytes& aBytes) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    Fill(stream, aBytes);
    return aAnimation.Read(&stream);
}

bool ReadRaw(VoAnimation& aAnimation, const Bytes& aBytes, const char16_t* apName = u"walk.lia") {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    Fill(stream, aBytes);
    return aAnimation.Read(&stream, VoString(apName));
}

Bytes WriteSerialised(VoAnimation& aAnimation) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    EXPECT_TRUE(aAnimation.Write(&stream));
    return Written(stream);
}

Bytes WriteRaw(VoAnimation& aAnimation) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    EXPECT_TRUE(aAnimation.WriteRaw(&stream));
    return Written(stream);
}

}  // namespace

TEST(VoAnimation, LengthIsTheFrameCountAtThirtyFramesPerSecond) {
    VoAnimation animation;
    EXPECT_EQ(animation.GetLength(), 0.0);
    ASSERT_TRUE(animation.Create(VoString(u"wave"), 1, 45));
    EXPECT_DOUBLE_EQ(animation.GetLength(), 1.5);
}

TEST(VoAnimation, SerialisedFormRoundTripsByteForByte) {
    const Bytes file = SerialisedTwoTracks(u"walk");
    VoAnimation animation;
    ASSERT_TRUE(ReadSerialised(animation, file));
    EXPECT_EQ(TextOf(animation.GetName()), u"walk");
    ASSERT_EQ(animation.GetTrackCount(), 2u);
    EXPECT_EQ(animation.GetFrameCount(), 2u);
    const VoAnimationTrack* biped = animation.GetTrack(0);
    EXPECT_EQ(biped->GetHash(), VoAnimationTrack::GetBipedHash());
    EXPECT_EQ(*biped->GetRotationKey(1), VoQuaternion(0.0f, 0.5f, 0.0f, 0.75f));
    EXPECT_EQ(*biped->GetPositionKey(0), VoVector3(0.5f, 2.0f, -3.0f));
    EXPECT_EQ(WriteSerialised(animation), file);
}

TEST(VoAnimation, RawFormRoundTripsByteForByte) {
    const Bytes file = RawTwoTracks();
    VoAnimation animation;
    ASSERT_TRUE(ReadRaw(animation, file));
    EXPECT_EQ(TextOf(animation.GetName()), u"walk.lia");
    ASSERT_EQ(animation.GetTrackCount(), 2u);
    const VoAnimationTrack* head = animation.GetTrack(1);
    EXPECT_EQ(TextOf(head->GetName()), u"Head");
    EXPECT_EQ(head->GetTrackWord(), 0x22u);
    EXPECT_EQ(head->GetHash(), NameHash(u"Head"));
    EXPECT_EQ(*head->GetVectorKey(1), VoVector3(2.0f, 2.0f, 2.0f));
    EXPECT_EQ(WriteRaw(animation), file);
}

// Raw tracks hold one key per frame; written serialised they must keep them
// all, and so must the serialised form read back.
TEST(VoAnimation, RawAnimationWrittenSerialisedKeepsEveryKey) {
    VoAnimation raw;
    ASSERT_TRUE(ReadRaw(raw, RawTwoTracks()));
    EXPECT_EQ(raw.GetTrack(0)->GetKeyCount(), 2);
    const Bytes serialised = WriteSerialised(raw);
    EXPECT_EQ(serialised, SerialisedTwoTracks(u"walk.lia"));

    VoAnimation back;
    ASSERT_TRUE(ReadSerialised(back, serialised));
    EXPECT_EQ(WriteRaw(back).size(), RawTwoTracks().size());
}

TEST(VoAnimation, RawNameEndsAtItsFirstZeroByteAndBipedGetsTheRootHash) {
    Bytes file;
    Field(file)
        .U32s({0, 0, 0, 1, 1})  // header, word, tracks, frames
        .U32(9)
        .Chars("Biped\0xy\0", 9)
        .U32(0)
        .Floats({0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
    VoAnimation animation;
    ASSERT_TRUE(ReadRaw(animation, file));
    EXPECT_EQ(TextOf(animation.GetTrack(0)->GetName()), u"Biped");
    EXPECT_EQ(animation.GetTrack(0)->GetHash(), VoAnimationTrack::GetBipedHash());
    EXPECT_EQ(VoAnimationTrack::GetBipedHash(), NameHash(u"Biped"));
}

TEST(VoAnimation, RawFileOfNoFramesGivesEmptyKeysAndNoLength) {
    Bytes file;
    Field(file).U32s({0, 0, 0, 1, 0}).RawName("Biped").U32(0);
    VoAnimation animation;
    ASSERT_TRUE(ReadRaw(animation, file));
    EXPECT_FALSE(animation.HasFrames());
    EXPECT_EQ(animation.GetLength(), 0.0);
    const VoAnimationTrack* track = animation.GetTrack(0);
    EXPECT_EQ(track->GetKeyCount(), 0);
    EXPECT_EQ(track->ClampKey(0), -1);
    EXPECT_EQ(track->GetRotationKey(0), nullptr);
    EXPECT_EQ(WriteRaw(animation), file);
}

// Every cut of a valid file fails its read, and the raw reader leaves the
// animation as it was.
TEST(VoAnimation, TruncatedFilesFail) {
    LogCapture log;
    const Bytes serialised = SerialisedTwoTracks(u"walk");
    for (std::size_t size = 0; size < serialised.size(); ++size) {
        VoAnimation animation;
        EXPECT_FALSE(ReadSerialised(animation, Bytes(serialised.begin(), serialised.begin() + size))) << size;
    }
    const Bytes raw = RawTwoTracks();
    for (std::size_t size = 0; size < raw.size(); ++size) {
        VoAnimation animation;
        EXPECT_FALSE(ReadRaw(animation, Bytes(raw.begin(), raw.begin() + size))) << size;
        EXPECT_EQ(animation.GetTrackCount(), 0u);
        EXPECT_EQ(animation.GetName().GetLength(), 0);
    }
}

TEST(VoAnimation, CountsBeyondTheDataAreRefusedBeforeAllocating) {
    LogCapture log;
    Bytes manyTracks;
    Field(manyTracks).Text(u"x").U32s({0x7FFFFFFF, 1});
    Bytes manyKeys;
    Field(manyKeys).Text(u"x").U32s({1, 1}).Text(u"t").U32s({0, 0x10000000}).Byte(1);
    Bytes negativeKeys;
    Field(negativeKeys).Text(u"x").U32s({1, 1}).Text(u"t").U32s({0, 0xFFFFFFFF}).Chars("\0\0\0", 3);
    for (const Bytes& file : {manyTracks, manyKeys, negativeKeys}) {
        VoAnimation animation;
        EXPECT_FALSE(ReadSerialised(animation, file));
    }
    Bytes rawFrames;
    Field(rawFrames).U32s({0, 0, 0, 1, 0xFFFFFFFF}).RawName("a").U32(0);
    Bytes rawTracks;
    Field(rawTracks).U32s({0, 0, 0, 0xFFFFFFFF, 1}).RawName("a").U32(0);
    Bytes rawName;
    Field(rawName).U32s({0, 0, 0, 1, 0, 0xFFFFFFF0});
    for (const Bytes& file : {rawFrames, rawTracks, rawName}) {
        VoAnimation animation;
        EXPECT_FALSE(ReadRaw(animation, file));
    }
    EXPECT_TRUE(log.Contains(VoAnimation::kTracksRefused));
    EXPECT_TRUE(log.Contains(VoAnimationTrack::kKeysRefused));
    EXPECT_TRUE(log.Contains(VoAnimationTrack::kInvalidKeyCount));
}

TEST(VoAnimation, LoadPicksTheReaderByTheEndingInAnyCase) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    const Bytes raw = RawTwoTracks();
    const Bytes serialised = SerialisedTwoTracks(u"walk");
    folder.Write("walk.LIA", std::string(raw.begin(), raw.end()));
    folder.Write("walk.Lia1", std::string(serialised.begin(), serialised.end()));
    folder.Write("walk.lia2", std::string(serialised.begin(), serialised.end()));
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_TRUE(fileSystem != nullptr &&
                fileSystem->Mount(VoString(u"//animtest"), folder.Wide(folder.Files())));

    VoAnimation rawAnimation;
    ASSERT_TRUE(rawAnimation.Load(VoString(u"//animtest/walk.LIA"), true));
    EXPECT_EQ(TextOf(rawAnimation.GetName()), u"//animtest/walk.LIA");
    VoAnimation serialisedAnimation;
    ASSERT_TRUE(serialisedAnimation.Load(VoString(u"//animtest/walk.Lia1"), true));
    EXPECT_EQ(TextOf(serialisedAnimation.GetName()), u"walk");

    LogCapture log;
    VoAnimation other;
    EXPECT_FALSE(other.Load(VoString(u"//animtest/walk.lia2"), true));
    EXPECT_TRUE(log.Logged(kAssert, VoAnimation::kInvalidPath));
    EXPECT_FALSE(other.Load(VoString(u"//animtest/missing.lia1"), true));
    EXPECT_TRUE(log.Logged(kAssert, VoAnimation::kNotFound));
}

TEST(VoAnimation, DumpLogsEveryTrackAndKey) {
    VoAnimation animation;
    ASSERT_TRUE(ReadRaw(animation, RawTwoTracks()));
    LogCapture log;
    animation.Dump();
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u * (3 + 2 * 4));
    EXPECT_EQ(lines[0], "--------------------");
    EXPECT_EQ(lines[1], "name:Biped");
    EXPECT_EQ(lines[2], "numkeys:2");
    EXPECT_EQ(lines[3], "-----");
    EXPECT_EQ(lines[4], Narrow(VoVector3(1.0f, 1.0f, 1.0f).ToValueString()));
    EXPECT_EQ(lines[5], Narrow(VoQuaternion(0.0f, 0.0f, 0.0f, 1.0f).ToValueString()));
    EXPECT_EQ(lines[12], "name:Head");
}

TEST(VoAnimationTrack, KeysAreLimitedToWhatTheTrackHolds) {
    VoAnimationTrack track;
    ASSERT_TRUE(track.Create(VoString(u"Head"), 3, false, true, false));
    EXPECT_EQ(track.GetHash(), NameHash(u"Head"));
    EXPECT_EQ(*track.GetRotationKey(2), VoQuaternion(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(track.GetPositionKey(0), nullptr);
    EXPECT_EQ(track.GetRotationKey(3), nullptr);
    EXPECT_EQ(track.GetRotationKey(-1), nullptr);
    const std::int32_t cases[][2] = {{-5, 0}, {0, 0}, {2, 2}, {3, 2}, {1000, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(track.ClampKey(c[0]), c[1]) << c[0];
    }
    EXPECT_FALSE(track.Create(VoString(u"Head"), -1, true, true, true));
    EXPECT_EQ(track.GetKeyCount(), 0);
}
