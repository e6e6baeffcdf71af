#include "animation/VoLipSyncData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "animation/VoLipSyncTrack.h"
#include "container/VoPropertyList.h"
#include "support/AnimationFiles.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

bool LoadText(VoLipSyncData& aData, const char16_t* apText) {
    VoPropertyList list;
    list.Parse(VoString(apText));
    return aData.Load(&list);
}

bool ReadBytes(VoLipSyncData& aData, const Bytes& aBytes) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    Fill(stream, aBytes);
    return aData.Read(&stream);
}

Bytes WriteBytes(VoLipSyncData& aData) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    EXPECT_TRUE(aData.Write(&stream));
    return Written(stream);
}

std::vector<float> Times(const VoLipSyncTrack* apTrack) {
    const float* times = apTrack->GetTimes();
    return times == nullptr ? std::vector<float>()
                            : std::vector<float>(times, times + apTrack->GetKeyCount());
}

std::vector<float> Values(const VoLipSyncTrack* apTrack) {
    const float* values = apTrack->GetValues();
    return values == nullptr ? std::vector<float>()
                             : std::vector<float>(values, values + apTrack->GetKeyCount());
}

// The lines of the log that carry no level: the reader's plain lines.
std::vector<std::string> PlainLines(const LogCapture& aLog) {
    std::vector<std::string> plain;
    for (const std::string& line : aLog.Lines()) {
        if (line.find(": ") == std::string::npos) {
            plain.push_back(line);
        }
    }
    return plain;
}

// "Phoneme_Oat" with the keys a text reader makes of numkeys=3,
// times=0|120|300, values=0|80|0.
Field& OatTrack(Field& aField) {
    return aField.Text(u"Phoneme_Oat")
        .U32(NameHash(u"Phoneme_Oat"))
        .U32s({8, 4})  // channel, keys
        .Floats({0.0f, 0.0f, 0.12f, 0.3f})
        .Floats({0.0f, 0.0f, 0.8f, 0.0f});
}

Bytes SerialisedOat() {
    Bytes bytes;
    OatTrack(Field(bytes).U32(1));
    return bytes;
}

// The Oat track, then "Jaw" (no channel) of no keys.
Bytes SerialisedTwoTracks() {
    Bytes bytes;
    OatTrack(Field(bytes).U32(2))
        .Text(u"Jaw")
        .U32(0x12345678)  // a stored hash is kept as it is
        .U32s({0xFFFFFFFF, 0});
    return bytes;
}

}  // namespace

TEST(VoLipSyncData, TextEntryBecomesSecondsWeightsAndALeadingKey) {
    LogCapture log;
    VoLipSyncData data;
    ASSERT_TRUE(LoadText(data,
                         u"sound=line01.ogg\n"
                         u"phonemes\n"
                         u"\t0\n"
                         u"\t\tid=Phoneme_Oat\n"
                         u"\t\tnumkeys=3\n"
                         u"\t\ttimes=0|120|300\n"
                         u"\t\tvalues=0|80|0\n"
                         u"\t1\n"
                         u"\t\tid=Viseme_Blink\n"
                         u"\t\tnumkeys=2\n"
                         u"\t\ttimes=1500|1562.5\n"
                         u"\t\tvalues=100|12.5\n"));
    EXPECT_TRUE(log.Lines().empty());
    ASSERT_EQ(data.GetTrackCount(), 2);

    const VoLipSyncTrack* oat = data.GetTrack(0);
    EXPECT_EQ(TextOf(oat->GetId()), u"Phoneme_Oat");
    EXPECT_EQ(oat->GetHash(), NameHash(u"Phoneme_Oat"));
    EXPECT_EQ(oat->GetChannel(), 8);
    EXPECT_EQ(Times(oat), (std::vector<float>{0.0f, 0.0f, 0.12f, 0.3f}));
    EXPECT_EQ(Values(oat), (std::vector<float>{0.0f, 0.0f, 0.8f, 0.0f}));

    const VoLipSyncTrack* blink = data.GetTrack(1);
    EXPECT_EQ(blink->GetChannel(), 15);
    EXPECT_EQ(Times(blink), (std::vector<float>{0.0f, 1.5f, 1.5625f}));
    EXPECT_EQ(Values(blink), (std::vector<float>{0.0f, 1.0f, 0.125f}));
}

// An entry the table does not know, or that lacks its keys, is logged and
// kept without failing the reader.
TEST(VoLipSyncData, BadEntriesAreLoggedAndKept) {
    struct Case {
        const char16_t* entry;
        std::vector<std::string> assertions;
        std::int32_t channel;
        std::int32_t keys;
    };
    const Case cases[] = {
        {u"\t\tid=Phoneme_Xyz\n\t\tnumkeys=1\n\t\ttimes=40\n\t\tvalues=50\n",
         {VoLipSyncData::kInvalidType},
         -1,
         2},
        {u"\t\tid=phoneme_bump\n\t\tnumkeys=1\n\t\ttimes=40\n\t\tvalues=50\n",
         {VoLipSyncData::kInvalidType},
         -1,
         2},
        {u"\t\tnumkeys=1\n\t\ttimes=40\n\t\tvalues=50\n",
         {VoLipSyncData::kIdNotFound, VoLipSyncData::kInvalidType},
         -1,
         2},
        {u"\t\tid=Phoneme_Wet\n\t\ttimes=40\n\t\tvalues=50\n", {VoLipSyncData::kNumKeysNotFound}, 14, 0},
        // No keys asked for: the lists are not looked at.
        {u"\t\tid=Viseme_Tightlipped\n\t\tnumkeys=0\n\t\ttimes=40|50\n", {}, 26, 0},
    };
    for (const Case& test : cases) {
        LogCapture log;
        VoLipSyncData data;
        const std::u16string text = std::u16string(u"phonemes\n\tentry\n") + test.entry;
        ASSERT_TRUE(LoadText(data, text.c_str())) << Narrow(VoString(test.entry));
        ASSERT_EQ(data.GetTrackCount(), 1);
        EXPECT_EQ(data.GetTrack(0)->GetChannel(), test.channel) << Narrow(VoString(test.entry));
        EXPECT_EQ(data.GetTrack(0)->GetKeyCount(), test.keys) << Narrow(VoString(test.entry));
        EXPECT_EQ(log.Lines().size(), test.assertions.size()) << Narrow(VoString(test.entry));
        for (const std::string& assertion : test.assertions) {
            EXPECT_TRUE(log.Logged(kAssert, assertion)) << assertion;
        }
    }
}

// Short lists cut the key count and name the file with its entry; long ones
// are cut to the key count with only the assertion. A huge "numkeys" takes
// no more keys than the file holds.
TEST(VoLipSyncData, CountMismatchCutsTheKeysAndNamesTheFile) {
    LogCapture log;
    VoLipSyncData data;
    ASSERT_TRUE(LoadText(data,
                         u"sound=line01.ogg\n"
                         u"phonemes\n"
                         u"\ta\n"
                         u"\t\tid=Phoneme_Cage\n"
                         u"\t\tnumkeys=3\n"
                         u"\t\ttimes=0|120\n"
                         u"\t\tvalues=0|80\n"
                         u"\tb\n"
                         u"\t\tid=Phoneme_Fave\n"
                         u"\t\tnumkeys=2\n"
                         u"\t\ttimes=0|100|200\n"
                         u"\t\tvalues=10\n"
                         u"\tc\n"
                         u"\t\tid=Phoneme_If\n"
                         u"\t\tnumkeys=2000000000\n"
                         u"\t\ttimes=0|100|200\n"
                         u"\t\tvalues=10|20|30|40\n"));
    ASSERT_EQ(data.GetTrackCount(), 3);
    EXPECT_EQ(Times(data.GetTrack(0)), (std::vector<float>{0.0f, 0.0f, 0.12f}));
    EXPECT_EQ(Values(data.GetTrack(0)), (std::vector<float>{0.0f, 0.0f, 0.8f}));
    EXPECT_EQ(Times(data.GetTrack(1)), (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(Values(data.GetTrack(1)), (std::vector<float>{0.0f, 0.1f}));
    EXPECT_EQ(Times(data.GetTrack(2)), (std::vector<float>{0.0f, 0.0f, 0.1f, 0.2f}));
    EXPECT_EQ(Values(data.GetTrack(2)), (std::vector<float>{0.0f, 0.1f, 0.2f, 0.3f}));

    EXPECT_EQ(log.Count(VoLipSyncData::kInvalidTimes), 3);
    EXPECT_EQ(log.Count(VoLipSyncData::kInvalidValues), 2);
    EXPECT_EQ(PlainLines(log), (std::vector<std::string>{
                                   VoLipSyncData::kDataErrorLine,
                                   "Invalid number of times in line01.dat key number 1",
                                   VoLipSyncData::kDataErrorLine,
                                   "Invalid number of values in line01.dat key number 2",
                                   VoLipSyncData::kDataErrorLine,
                                   "Invalid number of times in line01.dat key number 3",
                               }));

    // Without a sound name only the assertions are logged.
    log.Clear();
    ASSERT_TRUE(
        LoadText(data, u"phonemes\n\ta\n\t\tid=Phoneme_Cage\n\t\tnumkeys=3\n\t\ttimes=0\n\t\tvalues=0\n"));
    EXPECT_EQ(data.GetTrack(0)->GetKeyCount(), 2);
    EXPECT_TRUE(PlainLines(log).empty());
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncData::kInvalidTimes));
}

TEST(VoLipSyncData, MissingPhonemesOrListClearsOrRefuses) {
    VoLipSyncData data;
    ASSERT_TRUE(ReadBytes(data, SerialisedTwoTracks()));
    LogCapture log;
    EXPECT_FALSE(data.Load(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncData::kNullArg));
    EXPECT_EQ(data.GetTrackCount(), 2);

    EXPECT_TRUE(LoadText(data, u"sound=x.ogg\nphonemes=none\n"));
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncData::kPhonemesNotFound));
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncData::kNoEntries));
    EXPECT_EQ(data.GetTrackCount(), 0);
    EXPECT_EQ(data.GetTrack(0), nullptr);
}

TEST(VoLipSyncData, SerialisedFormRoundTripsByteForByte) {
    const Bytes file = SerialisedTwoTracks();
    VoLipSyncData data;
    ASSERT_TRUE(ReadBytes(data, file));
    ASSERT_EQ(data.GetTrackCount(), 2);
    const VoLipSyncTrack* jaw = data.GetTrack(1);
    EXPECT_EQ(TextOf(jaw->GetId()), u"Jaw");
    EXPECT_EQ(jaw->GetHash(), 0x12345678u);
    EXPECT_EQ(jaw->GetChannel(), -1);
    EXPECT_EQ(jaw->GetKeyCount(), 0);
    EXPECT_EQ(WriteBytes(data), file);
}

// Hostile or cut files fail before allocating beyond the data and leave the
// data as it was; a count of 0 or less reads as nothing new.
TEST(VoLipSyncData, BadSerialisedFilesFailAndLeaveTheData) {
    struct Case {
        const char* name;
        Bytes bytes;
        bool read;
        const char* message;
    };
    std::vector<Case> cases;
    const auto add = [&cases](const char* apName, bool aRead, const char* apMessage) -> Field {
        cases.push_back({apName, {}, aRead, apMessage});
        return Field(cases.back().bytes);
    };
    add("no tracks", true, nullptr).U32(0);
    add("negative track count", true, nullptr).U32(0x80000000);
    add("tracks beyond the data", false, VoLipSyncData::kTracksRefused).U32(1000).U32s({0, 0, 0, 0});
    add("negative key count", false, VoLipSyncTrack::kInvalidKeyCount)
        .U32(1)
        .Text(u"")
        .U32s({0, 0, 0xFFFFFFFF});
    add("keys beyond the data", false, VoLipSyncTrack::kKeysRefused)
        .U32(1)
        .Text(u"")
        .U32s({0, 0, 3})
        .Floats({0, 1, 2, 0, 1});
    add("channel past the table", false, VoLipSyncTrack::kInvalidChannel).U32(1).Text(u"").U32s({0, 27, 0});
    add("cut in the keys", false, VoLipSyncData::kTruncated).U32(1).Text(u"").U32s({0, 0, 1}).F32(0.0f);
    const Bytes good = SerialisedTwoTracks();
    for (std::size_t size = 0; size < good.size(); ++size) {
        cases.push_back({"cut", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)), false,
                         size >= 4 && size < 40 ? VoLipSyncData::kTracksRefused : VoLipSyncData::kTruncated});
    }

    VoLipSyncData original;
    ASSERT_TRUE(LoadText(original,
                         u"phonemes\n\t0\n\t\tid=Phoneme_Eat\n\t\tnumkeys=1\n\t\ttimes=50\n\t\tvalues=25\n"));
    const Bytes before = WriteBytes(original);
    for (const Case& test : cases) {
        LogCapture log;
        VoLipSyncData data;
        ASSERT_TRUE(ReadBytes(data, before));
        EXPECT_EQ(ReadBytes(data, test.bytes), test.read) << test.name << " " << test.bytes.size();
        EXPECT_EQ(WriteBytes(data), before) << test.name << " " << test.bytes.size();
        if (test.message != nullptr) {
            EXPECT_TRUE(log.Contains(test.message)) << test.name;
        }
    }
}

// A text file read and written serialised gives the bytes of the same line
// in the serialised form, leading key included.
TEST(VoLipSyncData, LoadFileReadsEitherFormAndTheyAgree) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    const Bytes serialised = SerialisedOat();
    folder.Write("line01.lsd", std::string(serialised.begin(), serialised.end()));
    folder.Write("line01.dat",
                 "sound=line01.ogg\r\nphonemes\r\n\t0\r\n\t\tid=Phoneme_Oat\r\n\t\tnumkeys=3\r\n"
                 "\t\ttimes=0|120|300\r\n\t\tvalues=0|80|0\r\n");
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_TRUE(fileSystem != nullptr &&
                fileSystem->Mount(VoString(u"//lipsynctest"), folder.Wide(folder.Files())));

    VoLipSyncData text;
    ASSERT_TRUE(text.LoadFile(false, VoString(u"//lipsynctest/line01.dat"), true));
    EXPECT_EQ(WriteBytes(text), serialised);
    VoLipSyncData binary;
    ASSERT_TRUE(binary.LoadFile(true, VoString(u"//lipsynctest/line01.lsd"), true));
    EXPECT_EQ(WriteBytes(binary), serialised);

    LogCapture log;
    EXPECT_FALSE(text.LoadFile(false, VoString(u"//lipsynctest/missing.dat"), true));
    EXPECT_FALSE(binary.LoadFile(true, VoString(u"//lipsynctest/missing.lsd"), true));
    EXPECT_EQ(log.Count(VoLipSyncData::kCouldNotOpen), 2);
    EXPECT_EQ(text.GetTrackCount(), 1);
}

// The sample line under the data tree reads without a complaint and holds
// speech of a couple of seconds on several channels.
TEST(VoLipSyncData, SampleLineOfTheDataTreeReadsCleanly) {
    ScopedEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_TRUE(fileSystem != nullptr &&
                fileSystem->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    LogCapture log;
    VoLipSyncData data;
    ASSERT_TRUE(data.LoadFile(false, VoString(u"//dataroot/lipsync/sample_greeting.dat"), true));
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    ASSERT_GE(data.GetTrackCount(), 4);
    float end = 0.0f;
    for (std::int32_t i = 0; i < data.GetTrackCount(); ++i) {
        const VoLipSyncTrack* track = data.GetTrack(i);
        EXPECT_GE(track->GetChannel(), 0) << Narrow(track->GetId());
        ASSERT_GE(track->GetKeyCount(), 3) << Narrow(track->GetId());
        for (std::int32_t k = 1; k < track->GetKeyCount(); ++k) {
            EXPECT_LE(track->GetTimes()[k - 1], track->GetTimes()[k]) << Narrow(track->GetId()) << " " << k;
            EXPECT_GE(track->GetValues()[k], 0.0f);
            EXPECT_LE(track->GetValues()[k], 1.0f);
        }
        end = std::max(end, track->GetTimes()[track->GetKeyCount() - 1]);
    }
    EXPECT_GE(end, 1.5f);
    EXPECT_LE(end, 4.0f);
}
