// The sample animations of the data tree (tools/make_sample_animations.cpp):
// what the readers make of them, that they drive the sample character's
// frames, and that the engine's writers give back their bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MeshFiles.h"
#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "animation/VoAnimationTrack.h"
#include "animation/VoLipSyncTrack.h"
#include "support/SetTimer.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace {

struct Sample {
    std::string path;  // under data/
    std::uint32_t frames;
    bool moves;  // whether "Biped" takes position keys
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples = {{"animations/sample_idle.lia1", 60, true},
                                   {"animations/sample_walk.lia1", 24, true},
                                   {"animations/sample_run.lia1", 16, true},
                                   {"animations/sample_stair_up.lia1", 30, true}};
    for (const char* gender : {"sa_M", "sa_F"}) {
        const std::string folder = std::string("animations/") + gender + "/";
        samples.push_back({folder + "sa_wave.lia1", 45, false});
        samples.push_back({folder + "sa_point.lia1", 30, false});
        samples.push_back({folder + "sa_nod.lia1", 20, false});
        samples.push_back({folder + "sa_shrug.lia1", 24, false});
    }
    for (std::int32_t channel = 0; channel < VoLipSyncTrack::kChannelCount; ++channel) {
        samples.push_back(
            {"phonemes/sa/" + Narrow(VoString(VoLipSyncTrack::GetChannelName(channel))) + ".lia", 1, false});
    }
    return samples;
}

Bytes DataBytes(const std::string& aPath) {
    std::ifstream in(std::string(VO_SOURCE_DIR "/data/") + aPath, std::ios::binary);
    EXPECT_TRUE(in.good()) << aPath;
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

VoString EnginePath(const std::string& aPath) {
    return VoString(("//" + aPath).c_str());
}

// The engine with the data tree's meshes, animations and poses mounted.
class VoSampleAnimationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//animations"), VoString(VO_SOURCE_DIR "/data/animations")));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//phonemes"), VoString(VO_SOURCE_DIR "/data/phonemes")));
        ASSERT_TRUE(fCharacter.LoadFile(VoString(u"//meshes/sample_character.lim1"), true));
    }

    VoVector3 Origin(const char16_t* apFrame) {
        const VoFrame* frame = fCharacter.FindFrame(VoString(apFrame), false);
        EXPECT_NE(frame, nullptr) << Narrow(VoString(apFrame));
        if (frame == nullptr) {
            return VoVector3(0, 0, 0);
        }
        const VoMatrix& m = frame->GetAbsoluteMatrix();
        return VoVector3(m.m[3][0], m.m[3][1], m.m[3][2]);
    }

    SampleMeshEngine fEngine;
    SetTimer fTimer;  // outlives the character's controller
    VoDrawElement fCharacter;
};

}  // namespace

TEST_F(VoSampleAnimationsTest, EverySampleLoadsWithItsFramesAndDrivesFramesOfTheCharacter) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.path);
        VoAnimation animation;
        ASSERT_TRUE(animation.Load(EnginePath(sample.path), true));
        EXPECT_EQ(animation.GetFrameCount(), sample.frames);
        EXPECT_DOUBLE_EQ(animation.GetLength(), sample.frames / 30.0);
        ASSERT_GT(animation.GetTrackCount(), 0u);
        bool moves = false;
        for (std::uint32_t i = 0; i < animation.GetTrackCount(); ++i) {
            const VoAnimationTrack* track = animation.GetTrack(i);
            const std::string name = Narrow(track->GetName());
            const VoFrame* frame = fCharacter.FindFrame(track->GetName(), false);
            ASSERT_NE(frame, nullptr) << name;
            EXPECT_EQ(fCharacter.FindFrameByHash(track->GetHash()), frame) << name;
            EXPECT_EQ(track->GetKeyCount(), static_cast<std::int32_t>(sample.frames)) << name;
            for (std::int32_t k = 0; k < track->GetKeyCount(); ++k) {
                const VoQuaternion* q = track->GetRotationKey(k);
                ASSERT_NE(q, nullptr) << name;
                EXPECT_NEAR(VoVector4::Dot(*q, *q), 1.0f, 1e-4f) << name << " key " << k;
            }
            const VoVector3* position = track->GetPositionKey(0);
            if (track->GetHash() == VoAnimationTrack::GetBipedHash()) {
                moves = position != nullptr;
                // Played in place, at about the hips' rest height.
                for (std::int32_t k = 0; moves && k < track->GetKeyCount(); ++k) {
                    const VoVector3* key = track->GetPositionKey(k);
                    EXPECT_EQ(key->x, 0.0f);
                    EXPECT_EQ(key->z, 0.0f);
                    EXPECT_NEAR(key->y, 38.0f, 2.0f);
                }
            }
        }
        EXPECT_EQ(moves, sample.moves);
    }
}

TEST_F(VoSampleAnimationsTest, TheWritersGiveBackEachFileByteForByte) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.path);
        const Bytes bytes = DataBytes(sample.path);
        VoAnimation animation;
        ASSERT_TRUE(animation.Load(EnginePath(sample.path), true));
        TestStream out;
        const bool raw = VoAnimation::FormOf(EnginePath(sample.path)) == VoAnimation::Form::kRaw;
        ASSERT_TRUE(raw ? animation.WriteRaw(&out) : animation.Write(&out));
        EXPECT_EQ(out.Bytes(), bytes);
        EXPECT_LE(bytes.size(), 8u * 1024u);
    }
}

TEST_F(VoSampleAnimationsTest, TheWalkSwingsTheLegsInTurnAndKeepsTheHipsInPlace) {
    VoAnimation walk;
    ASSERT_TRUE(walk.Load(VoString(u"//animations/sample_walk.lia1"), true));
    SetTimer& timer = fTimer;
    fCharacter.SetAnimationCtrl(new VoAnimationCtrl(&timer));
    ASSERT_TRUE(fCharacter.Update(nullptr));
    const VoVector3 restLeft = Origin(u"Biped_L_Foot");
    const VoVector3 restRight = Origin(u"Biped_R_Foot");
    EXPECT_NEAR(restLeft.z, 0.0f, 1e-4f);
    EXPECT_NEAR(restRight.z, 0.0f, 1e-4f);

    fCharacter.GetAnimationCtrl()->SetAnimation(&walk, false, 1.0f, 0.0f, VoAnimationSlot::kLoop, 1.0f);
    // A quarter of the 0.8 s stride: the left leg forward (-z), the right back.
    timer.fNow = 0.2;
    ASSERT_TRUE(fCharacter.Update(nullptr));
    const VoFrame* leftThigh = fCharacter.FindFrame(VoString(u"Biped_L_Thigh"), false);
    ASSERT_NE(leftThigh, nullptr);
    EXPECT_GT(std::fabs(leftThigh->GetRelativeMatrix().m[1][2]), 0.3f);  // turned about x
    EXPECT_LT(Origin(u"Biped_L_Foot").z, -5.0f);
    EXPECT_GT(Origin(u"Biped_R_Foot").z, 5.0f);
    const VoVector3 hips = Origin(u"Biped");
    EXPECT_EQ(hips.x, 0.0f);
    EXPECT_EQ(hips.z, 0.0f);
    EXPECT_NEAR(hips.y, 38.0f, 1.0f);

    // Three quarters on, the legs have changed places.
    timer.fNow = 0.6;
    ASSERT_TRUE(fCharacter.Update(nullptr));
    EXPECT_GT(Origin(u"Biped_L_Foot").z, 5.0f);
    EXPECT_LT(Origin(u"Biped_R_Foot").z, -5.0f);
}

// Files load into memory streams, which hand runs of keys over in one
// piece: every sample reads from memory into what it reads value by value,
// and from memory too every cut of it fails the read.
TEST_F(VoSampleAnimationsTest, ReadFromMemoryEverySampleIsWhatItIsValueByValue) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.path);
        const Bytes bytes = DataBytes(sample.path);
        const VoAnimation::Form form = VoAnimation::FormOf(VoString(sample.path.c_str()));
        const VoString name(sample.path.c_str());
        VoMemoryStream memory(1024, VoMemoryStream::kGrowDouble);
        ASSERT_TRUE(memory.CreateFromBuffer(static_cast<std::int32_t>(bytes.size()), bytes.data()));
        VoAnimation fromMemory;
        ASSERT_TRUE(fromMemory.ReadForm(&memory, form, name));
        TestStream values(bytes);
        VoAnimation valueByValue;
        ASSERT_TRUE(valueByValue.ReadForm(&values, form, name));
        EXPECT_EQ(WrittenBy(fromMemory), WrittenBy(valueByValue));

        QuietLog quiet;
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            VoMemoryStream cut(1024, VoMemoryStream::kGrowDouble);
            ASSERT_TRUE(cut.CreateFromBuffer(static_cast<std::int32_t>(size), bytes.data()));
            VoAnimation animation;
            ASSERT_FALSE(animation.ReadForm(&cut, form, name)) << "cut at " << size;
        }
    }
}
