// The case's short sounds of the data tree (tools/make_case_sounds.py): the
// footsteps that "footsteps.txt" names and the camera's shutter decode as
// short, audible, unclipped mono sounds, and every sound id a scene's
// "sounds.txt" gives is one of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "platform/port/VoSoundDecoder.h"
#include "support/ScopedEngine.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace {

// The sound's frames, or none when it does not decode.
std::vector<float> Decoded(const std::string& aFile, std::int32_t* apRate) {
    VoSoundDecoder decoder;
    const std::string path = std::string(VO_SOURCE_DIR "/data/sounds/") + aFile;
    if (!decoder.OpenFile(path.c_str())) {
        return {};
    }
    *apRate = decoder.GetRate();
    float* frames = nullptr;
    std::int64_t count = 0;
    std::int32_t channels = 0;
    if (!decoder.WholeSample(&frames, &count, &channels)) {
        return {};
    }
    std::vector<float> out(frames, frames + count * channels);
    delete[] frames;
    return channels == 1 ? out : std::vector<float>();
}

class VoSampleSoundsTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//sounds"), VoString(VO_SOURCE_DIR "/data/sounds")));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
        ASSERT_TRUE(fFootsteps.Load(VoString(u"//sounds/footsteps.txt"), true));
    }

    ScopedEngine fEngine;
    VoPropertyList fFootsteps;
};

}  // namespace

TEST_F(VoSampleSoundsTest, EveryFootstepAndTheShutterIsAShortAudibleUnclippedSound) {
    std::vector<std::string> files = {"blip.wav"};
    for (int i = 0; i < fFootsteps.GetCount(); ++i) {
        files.push_back(Narrow(fFootsteps.GetString(fFootsteps.GetKeyAt(i), nullptr)));
    }
    EXPECT_EQ(files.size(), 4u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::int32_t rate = 0;
        const std::vector<float> frames = Decoded(file, &rate);
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(rate, 22050);
        const double seconds = static_cast<double>(frames.size()) / rate;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 0.5);
        float peak = 0.0f;
        for (float value : frames) {
            peak = std::max(peak, std::fabs(value));
        }
        EXPECT_GT(peak, 0.5f);
        EXPECT_LT(peak, 0.95f);
        // It fades out: its last twentieth is near silence.
        float tail = 0.0f;
        for (std::size_t i = frames.size() - frames.size() / 20; i < frames.size(); ++i) {
            tail = std::max(tail, std::fabs(frames[i]));
        }
        EXPECT_LT(tail, 0.1f * peak);
    }
}

TEST_F(VoSampleSoundsTest, EachScenesFootstepRegionsNameSoundsThatExist) {
    for (const char* scene : {"case01/lobby", "case01/office"}) {
        SCOPED_TRACE(scene);
        VoPropertyList sounds;
        ASSERT_TRUE(sounds.Load(VoString((std::string("//scenes/") + scene + "/sounds.txt").c_str()), true));
        bool found = false;
        const VoString fallback = sounds.GetString(VoString(u"defaultsound"), &found);
        ASSERT_TRUE(found);
        EXPECT_TRUE(fFootsteps.GetString(fallback, &found).GetLength() > 0 && found) << Narrow(fallback);
        VoPropertyList* regions = sounds.GetList(VoString(u"sounds"));
        ASSERT_NE(regions, nullptr);
        ASSERT_GT(regions->GetCount(), 0);
        for (int i = 0; i < regions->GetCount(); ++i) {
            const VoString key = regions->GetKeyAt(i);
            const VoString id = regions->GetString(key + VoString(u".soundid"), &found);
            ASSERT_TRUE(found) << Narrow(key);
            fFootsteps.GetString(id, &found);
            EXPECT_TRUE(found) << Narrow(id);
            EXPECT_EQ(Narrow(regions->GetString(key + VoString(u".groundmesh"), nullptr)), "WG_floor");
            const VoVectorFloat coords = regions->GetVectorFloat(key + VoString(u".polygon.coords"), nullptr);
            EXPECT_GE(coords.GetCount(), 6);
            EXPECT_EQ(coords.GetCount() % 2, 0);
        }
    }
}
