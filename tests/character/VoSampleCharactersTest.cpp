// The case's people of the data tree (tools/make_case_characters.cpp and the
// character files beside its output): they load as characters with the
// shadow cache that is committed, every animation the game names fits their
// skeleton and keeps the timings the game reads off it, and the hand props
// sit in the hand in the poses they are held in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CharacterTestSupport.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "character/VoCharacter.h"
#include "container/VoPropertyList.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoMesh.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace {

using Names = std::vector<std::string>;

const char* const kPeople[] = {"kestrin", "clerk"};

// The animations the game loads by names of its own.
Names FixedAnimations() {
    Names names = {"Idle_M_SS_CrossArms.lia1", "Pick_ground_M.lia1",       "Pick_table_M.lia1",
                   "camera_out-up_M.lia1",     "camera_out-middle_M.lia1", "camera_out-down_M.lia1",
                   "Chair-sitting_M.lia1",     "Chair-rising_M.lia1",      "Cell-Phone_out_M.lia1",
                   "Cell-Phone_in_M.lia1",     "Cell-Phone_idle_M.lia1"};
    for (const char* gender : {"M", "F"}) {
        for (const char* direction : {"CCW", "CW"}) {
            for (const char* angle : {"45", "90", "180"}) {
                names.push_back(std::string("Turn-") + angle + "-" + direction + "_" + gender + ".lia1");
            }
            for (const char* angle : {"45", "90", "135"}) {
                names.push_back(std::string("Turn-Walk_") + angle + "-" + direction + "_" + gender + ".lia1");
            }
        }
    }
    return names;
}

// The animations a character file names under the game's keys and the engine's.
Names NamedBy(VoPropertyList& aFile) {
    Names names;
    const auto add = [&names, &aFile](const std::string& aPath) {
        bool found = false;
        const VoString value = aFile.GetString(VoString(aPath.c_str()), &found);
        if (found) {
            names.push_back(Narrow(value));
        }
    };
    add("interview.idleanim");
    add("animations.seated.anim01.file");
    for (const char* section : {"animations.ambient.gestures", "animations.idle", "animations.move"}) {
        VoPropertyList* list = aFile.GetList(VoString(section));
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            const VoString key = list->GetKeyAt(i);
            bool found = false;
            const VoString file = list->GetString(key + VoString(u".gesture"), &found);
            names.push_back(Narrow(found ? file : list->GetString(key + VoString(u".file"), nullptr)));
        }
    }
    return names;
}

float AngleAboutX(const VoQuaternion& aQ) {
    return 2.0f * std::atan2(aQ.x, aQ.w) * 180.0f / 3.14159265f;
}

const VoAnimationTrack* TrackOf(const VoAnimation& aAnimation, const char16_t* apBone) {
    for (std::uint32_t i = 0; i < aAnimation.GetTrackCount(); ++i) {
        if (aAnimation.GetTrack(i)->GetName() == VoString(apBone)) {
            return aAnimation.GetTrack(i);
        }
    }
    return nullptr;
}

// The key at which the bone swings furthest forward about x.
int MostForward(const VoAnimation& aAnimation, const char16_t* apBone) {
    const VoAnimationTrack* track = TrackOf(aAnimation, apBone);
    int best = -1;
    for (std::int32_t k = 0; track != nullptr && k < track->GetKeyCount(); ++k) {
        if (best < 0 || AngleAboutX(*track->GetRotationKey(k)) > AngleAboutX(*track->GetRotationKey(best))) {
            best = k;
        }
    }
    return best;
}

VoVector3 Origin(const VoMatrix& aMatrix) {
    return VoVector3(aMatrix.m[3][0], aMatrix.m[3][1], aMatrix.m[3][2]);
}

float Distance(const VoVector3& aA, const VoVector3& aB) {
    const VoVector3 d = aA - aB;
    return std::sqrt(VoVector3::Dot(d, d));
}

// The engine with the data tree's characters, meshes, animations and props
// mounted; the shadow caches go to a scratch folder (with a copy of the
// committed one), so a cache that no longer fits is rebuilt there.
class VoSampleCharactersTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//characters"), VoString(VO_SOURCE_DIR "/data/characters")));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//meshes"), VoString(VO_SOURCE_DIR "/data/meshes")));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//animations"), VoString(VO_SOURCE_DIR "/data/animations")));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
        std::filesystem::copy_file(VO_SOURCE_DIR "/data/meshes/kestrin.lisv", fFolder.Path("kestrin.lisv"));
        ASSERT_TRUE(fileSystem->Mount(VoString(u"//scratch"), PlatformTestFolder::Wide(fFolder.Files())));
    }

    std::unique_ptr<VoPropertyList> File(const std::string& aName) {
        auto file = std::make_unique<VoPropertyList>();
        EXPECT_TRUE(file->Load(VoString(("//characters/" + aName + ".txt").c_str()), true)) << aName;
        return file;
    }

    std::unique_ptr<VoDrawElement> Model(const std::string& aName) {
        auto element = std::make_unique<VoDrawElement>();
        EXPECT_TRUE(element->LoadFile(VoString(("//meshes/" + aName + ".lim1").c_str()), true)) << aName;
        element->Update(nullptr);
        return element;
    }

    std::unique_ptr<VoAnimation> Animation(const std::string& aName) {
        auto animation = std::make_unique<VoAnimation>();
        EXPECT_TRUE(animation->Load(VoString(("//animations/" + aName).c_str()), true)) << aName;
        return animation;
    }

    // The element posed by the animation held at the frame.
    void Pose(VoDrawElement& aElement, VoAnimation* apAnimation, int aFrame) {
        aElement.SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
        VoAnimationCtrl* controller = aElement.GetAnimationCtrl();
        ASSERT_TRUE(controller->SetSlot(apAnimation, 0, 1.0f, 0.0f, VoAnimationSlot::kHoldTime));
        controller->GetSlot(0)->SetTime((static_cast<float>(aFrame) + 0.5f) / 30.0f, true);
        ASSERT_TRUE(aElement.Update(nullptr));
    }

    // Where the prop's frame stands in the hand: the game's placement for
    // the offset, the hand's world matrix last.
    VoMatrix Held(VoDrawElement& aCharacter, const std::string& aProp, const VoVector3& aOffset) {
        VoMatrix ry;
        VoMatrix rz;
        VoMatrix t;
        MatrixRotationY(&ry, -1.57f);
        MatrixRotationZ(&rz, -0.785f);
        MatrixTranslation(&t, aOffset.x, aOffset.y, aOffset.z);
        VoMatrix yz;
        VoMatrix yzt;
        VoMatrix placed;
        MatrixMultiply(&yz, &ry, &rz);
        MatrixMultiply(&yzt, &yz, &t);
        const VoFrame* hand = aCharacter.FindFrame(VoString(u"Biped_R_Hand"), true);
        EXPECT_NE(hand, nullptr);
        MatrixMultiply(&placed, &yzt, &hand->GetAbsoluteMatrix());
        VoDrawElement prop;
        EXPECT_TRUE(prop.LoadFile(VoString(("//dataroot/meshes/" + aProp).c_str()), true)) << aProp;
        prop.Update(&placed);
        return prop.GetRootFrame()->GetAbsoluteMatrix();
    }

    VoVector3 FrameOrigin(VoDrawElement& aElement, const char16_t* apFrame) {
        const VoFrame* frame = aElement.FindFrame(VoString(apFrame), false);
        EXPECT_NE(frame, nullptr);
        return frame != nullptr ? Origin(frame->GetAbsoluteMatrix()) : VoVector3();
    }

    RecordingEngine fEngine;
    PlatformTestFolder fFolder;
    SetTimer fTimer;  // outlives the controllers
};

}  // namespace

TEST_F(VoSampleCharactersTest, ThePlayerAndTheClerkLoadCleanlyAndThePlayersShadowCacheFits) {
    const VoString cache(u"//scratch/kestrin.lisv");
    const std::string committed = fFolder.Read("kestrin.lisv");
    LogCapture log;
    auto playerFile = File("kestrin");
    VoCharacter player;
    ASSERT_TRUE(player.Create(playerFile.get(), &cache));
    EXPECT_TRUE(player.IsPlayer());
    EXPECT_FALSE(player.IsFemale());
    EXPECT_EQ(Narrow(player.GetHeadType()), "sa");
    EXPECT_EQ(player.GetMoveCount(), 4);
    EXPECT_TRUE(player.AreShadowsEnabled());
    EXPECT_EQ(player.GetShadowCount(), 1);
    EXPECT_EQ(fFolder.Read("kestrin.lisv"), committed) << "the cache was rebuilt";
    EXPECT_EQ(Narrow(playerFile->GetString(VoString(u"shadowvolume"), nullptr)), "kestrin.lisv");

    auto clerkFile = File("clerk");
    VoCharacter clerk;
    ASSERT_TRUE(clerk.Create(clerkFile.get(), nullptr));
    EXPECT_FALSE(clerk.IsPlayer());
    EXPECT_TRUE(clerk.IsFemale());
    EXPECT_EQ(clerk.GetMoveCount(), 4);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();

    // The frames the game looks for, and the eyes each one's entry names.
    VoPropertyList eyes;
    ASSERT_TRUE(eyes.Load(VoString(u"//characters/eyes.txt"), true));
    for (const char* name : kPeople) {
        SCOPED_TRACE(name);
        auto model = Model(name);
        for (const char16_t* frame : {u"Biped", u"Biped_R_Hand", u"BN_Head", u"BN_Neck"}) {
            EXPECT_NE(model->FindFrame(VoString(frame), true), nullptr) << Narrow(VoString(frame));
        }
        for (const char* side : {".right", ".left"}) {
            bool found = false;
            const VoString eye = eyes.GetString(VoString((std::string(name) + side).c_str()), &found);
            ASSERT_TRUE(found) << side;
            EXPECT_NE(model->FindFrame(eye, true), nullptr) << Narrow(eye);
        }
        EXPECT_EQ(Narrow(File(name)->GetString(VoString(u"name"), nullptr)), name);
    }
}

TEST_F(VoSampleCharactersTest, EveryAnimationTheGameNamesFitsBothSkeletonsAndPlaysInPlace) {
    Names names = FixedAnimations();
    for (const char* name : kPeople) {
        const Names own = NamedBy(*File(name));
        EXPECT_GE(own.size(), 8u) << name;
        names.insert(names.end(), own.begin(), own.end());
    }
    std::vector<std::unique_ptr<VoDrawElement>> models;
    for (const char* name : kPeople) {
        models.push_back(Model(name));
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<VoAnimation> animation = Animation(name);
        ASSERT_GT(animation->GetFrameCount(), 1u);
        ASSERT_GT(animation->GetTrackCount(), 0u);
        EXPECT_EQ(Narrow(animation->GetName()) + ".lia1", name);
        for (std::uint32_t i = 0; i < animation->GetTrackCount(); ++i) {
            const VoAnimationTrack* track = animation->GetTrack(i);
            for (const auto& model : models) {
                EXPECT_NE(model->FindFrameByHash(track->GetHash()), nullptr) << Narrow(track->GetName());
            }
            ASSERT_EQ(track->GetKeyCount(), static_cast<std::int32_t>(animation->GetFrameCount()));
            for (std::int32_t k = 0; k < track->GetKeyCount(); ++k) {
                const VoQuaternion* q = track->GetRotationKey(k);
                ASSERT_NE(q, nullptr);
                EXPECT_NEAR(VoVector4::Dot(*q, *q), 1.0f, 1e-4f);
                const VoVector3* position = track->GetPositionKey(k);
                if (position != nullptr) {
                    EXPECT_EQ(track->GetHash(), VoAnimationTrack::GetBipedHash());
                    EXPECT_EQ(position->x, 0.0f);
                    EXPECT_EQ(position->z, 0.0f);
                }
            }
        }
    }
}

TEST_F(VoSampleCharactersTest, TheMovesPutTheFeetDownOnTheFramesTheFootstepsSoundOn) {
    struct Cycle {
        const char* name;
        std::uint32_t frames;
        int left;   // the first foot's step
        int right;  // the second foot's step
    };
    // Each thigh is furthest forward where its heel comes down.
    const Cycle cycles[] = {{"Walk_M.lia1", 37, 14, 32},      {"Walk_F.lia1", 37, 14, 32},
                            {"Stairs-up_M.lia1", 37, 14, 32}, {"Stairs-down_F.lia1", 37, 14, 32},
                            {"Run_M.lia1", 23, 0, 12},        {"Run_F.lia1", 23, 0, 12}};
    for (const Cycle& cycle : cycles) {
        SCOPED_TRACE(cycle.name);
        std::unique_ptr<VoAnimation> animation = Animation(cycle.name);
        EXPECT_EQ(animation->GetFrameCount(), cycle.frames);
        EXPECT_LE(std::abs(MostForward(*animation, u"Biped_L_Thigh") - cycle.left), 1);
        EXPECT_LE(std::abs(MostForward(*animation, u"Biped_R_Thigh") - cycle.right), 1);
    }
}

TEST_F(VoSampleCharactersTest, EachTurnWalkHandsOverToTheWalkInTheWalksPoseOnTheMatchingFoot) {
    for (const char* gender : {"M", "F"}) {
        std::unique_ptr<VoAnimation> walk = Animation(std::string("Walk_") + gender + ".lia1");
        for (const char* angle : {"45", "90", "135"}) {
            for (const char* direction : {"CW", "CCW"}) {
                const std::string name = std::string("Turn-Walk_") + angle + "-" + direction + "_" + gender + ".lia1";
                SCOPED_TRACE(name);
                std::unique_ptr<VoAnimation> turn = Animation(name);
                // The game starts the walk at the first frame past 0.7 of the
                // clip, at walk frame 5 after a clockwise turn, 24 after a
                // counter-clockwise one.
                const int handOver = static_cast<int>(static_cast<float>(turn->GetFrameCount()) * 0.7f);
                const int walkFrame = std::string(direction) == "CW" ? 5 : 24;
                int compared = 0;
                for (std::uint32_t i = 0; i < walk->GetTrackCount(); ++i) {
                    const VoAnimationTrack* stride = walk->GetTrack(i);
                    const VoAnimationTrack* own = TrackOf(*turn, stride->GetName().GetChars());
                    ASSERT_NE(own, nullptr) << Narrow(stride->GetName());
                    const float dot = std::fabs(VoVector4::Dot(*own->GetRotationKey(handOver),
                                                               *stride->GetRotationKey(walkFrame)));
                    EXPECT_GT(dot, 0.9998f) << Narrow(stride->GetName());
                    ++compared;
                }
                EXPECT_GT(compared, 8);
            }
        }
    }
}

TEST_F(VoSampleCharactersTest, TheActionsLastAsLongAsTheGameReadsThem) {
    // The camera shows from frame 26 to 94 and clicks after 60; a badge or a
    // photo shows from frame 28.
    for (const char* name : {"camera_out-up_M.lia1", "camera_out-middle_M.lia1", "camera_out-down_M.lia1"}) {
        EXPECT_GE(Animation(name)->GetFrameCount(), 96u) << name;
    }
    for (const char* name : {"Show-Badge_M.lia1", "Show-Photo_M.lia1"}) {
        EXPECT_GE(Animation(name)->GetFrameCount(), 40u) << name;
    }
}

TEST_F(VoSampleCharactersTest, TheHandPropsSitInTheHandWhereTheyAreHeld) {
    const VoVector3 near(1.5f, 0.5f, 4.0f);  // the camera's and the phone's offset
    const VoVector3 far(3.5f, 1.5f, 3.0f);   // the badge's and the polaroid's
    auto model = Model("kestrin");

    // The photograph: the camera before the right eye, its lens (local -z)
    // looking forward (the model faces -z).
    std::unique_ptr<VoAnimation> photograph = Animation("camera_out-middle_M.lia1");
    Pose(*model, photograph.get(), 50);
    const VoMatrix camera = Held(*model, "camera.lim1", near);
    const VoVector3 eye = FrameOrigin(*model, u"BN_Eye_R");
    EXPECT_LT(Distance(Origin(camera), eye), 6.0f);
    EXPECT_LT(Origin(camera).z, eye.z - 2.0f);
    EXPECT_GT(camera.m[2][2], 0.95f) << "the lens (local -z) looks forward (-z)";

    // The phone: at the right ear, beside the head, upright-ish.
    std::unique_ptr<VoAnimation> call = Animation("Cell-Phone_idle_M.lia1");
    Pose(*model, call.get(), 15);
    const VoMatrix phone = Held(*model, "cell-phone.lim1", near);
    const VoVector3 head = FrameOrigin(*model, u"BN_Head");
    EXPECT_LT(Origin(phone).x, head.x - 2.5f) << "on the right of the head";
    EXPECT_NEAR(Origin(phone).y, FrameOrigin(*model, u"BN_Eye_R").y, 4.0f);
    EXPECT_NEAR(Origin(phone).z, head.z, 4.0f);
    EXPECT_GT(phone.m[1][1], 0.5f) << "its top up";

    // The badge and the photo: held out before the chest, upright, their
    // faces forward.
    for (const char* entry : {"Show-Badge_M.lia1|police-badge.lim1", "Show-Photo_M.lia1|polaroid.lim1"}) {
        const std::string pair = entry;
        const std::string clip = pair.substr(0, pair.find('|'));
        SCOPED_TRACE(clip);
        std::unique_ptr<VoAnimation> show = Animation(clip);
        Pose(*model, show.get(), 40);
        const VoMatrix held = Held(*model, pair.substr(pair.find('|') + 1), far);
        const VoVector3 chest = FrameOrigin(*model, u"Biped_Spine1");
        EXPECT_LT(Origin(held).z, chest.z - 10.0f);
        EXPECT_GT(Origin(held).y, chest.y - 5.0f);
        EXPECT_LT(Origin(held).y, FrameOrigin(*model, u"BN_Neck").y);
        EXPECT_LT(Distance(Origin(held), FrameOrigin(*model, u"Biped_R_Hand")), 6.0f);
        EXPECT_GT(held.m[1][1], 0.95f) << "upright";
        EXPECT_GT(held.m[2][2], 0.95f) << "its face (local -z) forward (-z)";
    }

    // Each prop is one lit mesh.
    for (const char* name : {"camera.lim1", "cell-phone.lim1", "police-badge.lim1", "polaroid.lim1"}) {
        VoDrawElement prop;
        ASSERT_TRUE(prop.LoadFile(VoString((std::string("//dataroot/meshes/") + name).c_str()), true)) << name;
        ASSERT_EQ(prop.GetMeshCount(), 1) << name;
        EXPECT_EQ(prop.GetMesh(0)->GetVertexBuffer()->GetFormat(), 5) << name;
    }
}
