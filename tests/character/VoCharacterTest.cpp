#include "character/VoCharacter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CharacterTestSupport.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoLipSyncTrack.h"
#include "character/VoLipSyncPlayer.h"
#include "container/VoPropertyList.h"
#include "navigation/VoISteering.h"
#include "navigation/VoSteeringTDO.h"
#include "render/VoLight.h"
#include "scene/VoCamera.h"
#include "scene/VoShadowVolume.h"
#include "scene/VoShadowVolumeCache.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";
constexpr const char* kSampleData = VO_SOURCE_DIR "/data";

// A steering that reports what the test sets.
class FixedSteering : public VoISteering {
public:
    bool GetPosition(VoVector3* apOut) override {
        *apOut = fAt;
        return true;
    }
    bool Update() override { return true; }
    VoVector3 fAt;
};

// The recording engine with "//meshes" on a scratch folder holding copies of
// the sample character's mesh in both forms (the shadow cache is written
// there), "//animations" on a scratch folder of its own, and the sample
// tree's characters, lip-sync lines and face poses.
class VoCharacterTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        ASSERT_NE(files, nullptr);
        std::filesystem::create_directories(fFolder.Path("meshes"));
        for (const char* name : {"sample_character.lim1", "sample_character.lim"}) {
            std::filesystem::copy_file(std::string(kSampleData) + "/meshes/" + name,
                                       fFolder.Path(std::string("meshes/") + name));
        }
        ASSERT_TRUE(files->Mount(VoString(u"//meshes"), PlatformTestFolder::Wide(fFolder.Path("meshes"))));
        ASSERT_TRUE(
            files->Mount(VoString(u"//animations"), PlatformTestFolder::Wide(fFolder.Path("animations"))));
        ASSERT_TRUE(files->Mount(VoString(u"//characters"), VoString(kSampleData) + VoString("/characters")));
        ASSERT_TRUE(files->Mount(VoString(u"//dataroot"), VoString(kSampleData)));
    }

    // Copies the sample animations into the scratch "//animations".
    void SampleAnimations() {
        std::filesystem::copy(std::string(kSampleData) + "/animations", fFolder.Path("animations"),
                              std::filesystem::copy_options::recursive);
    }

    static std::unique_ptr<VoPropertyList> FileOf(const std::string& aText) {
        auto list = std::make_unique<VoPropertyList>();
        list->Parse(VoString(aText.c_str()));
        return list;
    }

    // A character built in code: the skinned test model with a controller
    // on the test's timer.
    std::unique_ptr<VoCharacter> ModelCharacter() {
        auto character = std::make_unique<VoCharacter>();
        VoDrawElement* element = SkinnedModel();
        element->SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
        EXPECT_TRUE(character->AddElement(element));
        return character;
    }

    // Puts the test's timer under the character's controller.
    void TimeCharacter(VoCharacter& aCharacter) {
        aCharacter.GetDrawElement()->SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
    }

    RecordingEngine fEngine;
    PlatformTestFolder fFolder;
    SetTimer fTimer;
};

}  // namespace

TEST_F(VoCharacterTest, TheSampleCharacterWalksItsIdleAndCachesItsShadowsOnce) {
    SampleAnimations();
    VoPropertyList file;
    ASSERT_TRUE(file.Load(VoString(u"//characters/sample_character.txt"), true));
    const VoString cache(u"//meshes/sample_character.lisv");

    LogCapture log;
    VoCharacter first;
    ASSERT_TRUE(first.Create(&file, &cache));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoShadowVolumeCache::kFileNotFound) + Narrow(cache)));
    ASSERT_TRUE(fFolder.Exists("meshes/sample_character.lisv"));
    const std::string written = fFolder.Read("meshes/sample_character.lisv");
    EXPECT_TRUE(first.AreShadowsEnabled());
    ASSERT_EQ(first.GetShadowCount(), 1);
    EXPECT_EQ(first.GetShadowVolume(0)->GetMesh(), first.GetDrawElement()->GetMesh(0));
    EXPECT_FALSE(first.IsPlayer());
    EXPECT_FALSE(first.IsFemale());
    EXPECT_EQ(TextOf(first.GetHeadType()), u"sa");
    ASSERT_EQ(first.GetMoveCount(), 3);
    EXPECT_EQ(first.GetMoveSpeed(1), 4.0f);
    EXPECT_EQ(first.GetMoveSpeed(2), 11.0f);
    EXPECT_EQ(TextOf(first.GetMoveAnimation(2)->GetName()), u"sample_run");

    // The idle starts with the first steering step and turns the head as it runs.
    TimeCharacter(first);
    EXPECT_FALSE(first.UpdateSteering());
    EXPECT_EQ(first.GetAnimationSlot(0)->fpAnimation, first.GetIdleAnimation());
    EXPECT_EQ(first.GetAnimationSlot(0)->fFlags & VoAnimationSlot::kLoop, VoAnimationSlot::kLoop);
    const VoFrame* head = first.GetDrawElement()->FindFrame(VoString(u"BN_Head"), false);
    std::vector<VoMatrix> poses;
    for (double t : {0.5, 1.0, 2.5}) {
        fTimer.fNow = t;
        ASSERT_TRUE(first.UpdateTransform());
        poses.push_back(head->GetRelativeMatrix());
    }
    EXPECT_FALSE(MatrixNear(poses[0], poses[1], 1e-3f));
    // 2.5 s is 0.5 s into the second round of the two-second loop.
    EXPECT_TRUE(MatrixNear(poses[0], poses[2], 1e-5f));
    EXPECT_TRUE(first.UpdateSkin());

    // A second start reads the cache and binds its volume to the new model.
    log.Clear();
    VoCharacter second;
    ASSERT_TRUE(second.Create(&file, &cache));
    EXPECT_FALSE(log.Contains(VoShadowVolumeCache::kFileNotFound));
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    EXPECT_EQ(fFolder.Read("meshes/sample_character.lisv"), written);
    ASSERT_EQ(second.GetShadowCount(), 1);
    EXPECT_EQ(second.GetShadowVolume(0)->GetMesh(), second.GetDrawElement()->GetMesh(0));
    EXPECT_EQ(TextOf(second.GetShadowVolume(0)->GetName()), u"Body");
}

TEST_F(VoCharacterTest, TheMeshNamesItsReaderAndAModelThatFailsFailsCreate) {
    SampleAnimations();
    LogCapture log;
    const std::string animations = "animations\n\tidle\n\t\t0\n\t\t\tfile=sample_idle.lia1\n";
    VoCharacter raw;
    ASSERT_TRUE(raw.Create(FileOf("mesh=sample_character.lim\ntype=npc\n" + animations).get(), nullptr));
    EXPECT_EQ(raw.GetDrawElement()->GetRenderMode(), VoDrawElement::kRenderTree);
    EXPECT_FALSE(raw.AreShadowsEnabled());
    EXPECT_EQ(raw.GetShadowCount(), 0);

    // No model: Create fails and the character stays without one, safely.
    VoCharacter none;
    EXPECT_FALSE(none.Create(FileOf("mesh=missing.lim1\ntype=npc\n" + animations).get(), nullptr));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoCharacter::kModelFailure) + "//meshes/missing.lim1"));
    EXPECT_EQ(none.GetDrawElement(), nullptr);
    EXPECT_EQ(none.GetAnimationCtrl(), nullptr);
    EXPECT_TRUE(none.UpdateTransform());
    EXPECT_FALSE(none.UpdateSteering());
    EXPECT_TRUE(none.Render());
    EXPECT_TRUE(none.UpdateSkin());
    EXPECT_FALSE(none.SetAnimation(nullptr));
    EXPECT_FALSE(none.PlayGestureAnimation(nullptr));
    EXPECT_FALSE(none.LoadLipSync(VoString(u"//dataroot/lipsync/sample_greeting.dat"),
                                  VoString(u"//dataroot/phonemes/sa")));
    EXPECT_FALSE(none.CreateShadow());

    // A file without "mesh" goes on with the empty name and fails the same way.
    log.Clear();
    EXPECT_FALSE(none.Create(FileOf("type=npc\n" + animations).get(), nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kMeshNotFound));
    EXPECT_FALSE(none.Create(nullptr, nullptr));
}

TEST_F(VoCharacterTest, TypeGenderAndHeadTypeComeFromTheFile) {
    SampleAnimations();
    struct Case {
        const char* keys;
        bool player;
        bool female;
        const char16_t* head;
    };
    const Case cases[] = {
        {"type=npc\ngender=F\n", false, true, u"ma"},
        {"type=PLAYER\ngender=female\nheadtype=wb\n", true, false, u"wb"},
        {"type=npc\ngender=m\nheadtype=\n", false, false, u""},
        {"", false, false, u"ma"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        VoCharacter character;
        ASSERT_TRUE(character.Create(FileOf(std::string("mesh=sample_character.lim1\n") + c.keys +
                                            "animations\n\tidle\n\t\t0\n\t\t\tfile=sample_idle.lia1\n")
                                         .get(),
                                     nullptr));
        EXPECT_EQ(character.IsPlayer(), c.player) << c.keys;
        EXPECT_EQ(character.IsFemale(), c.female) << c.keys;
        EXPECT_EQ(TextOf(character.GetHeadType()), c.head) << c.keys;
        EXPECT_EQ(log.Logged(kAssert, VoCharacter::kTypeNotFound), std::string(c.keys).empty()) << c.keys;
    }
}

TEST_F(VoCharacterTest, AnimationEntriesLoadInFileOrderAndMoveIndicesStayInTheirTable) {
    fFolder.Write("animations/stand.lia1", AsText(SerialisedAnimationFile(u"stand", 4)));
    fFolder.Write("animations/wait.lia", AsText(RawAnimationFile(6)));
    fFolder.Write("animations/walk.lia1", AsText(SerialisedAnimationFile(u"walk", 8)));
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    LogCapture log;
    ASSERT_TRUE(character->LoadAnimations(
        FileOf("idle\n\t0\n\t\tfile=stand.lia1\n\t1\n\t\tfile=wait.lia\n"
               "move\n\tslow\n\t\tfile=walk.lia1\n\t\tmovespeed=2.5\n\tbare\n\t\tfile=gone.lia1\n"
               "\tfast\n\t\tfile=walk.lia1\n\t\tmovespeed=7\n")
            .get()));
    // Two idle entries: reported, and the last one is the idle (raw: named by its path).
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kIdleCount));
    EXPECT_EQ(TextOf(character->GetIdleAnimation()->GetName()), u"//animations/wait.lia");
    EXPECT_EQ(character->GetIdleAnimation()->GetFrameCount(), 6u);
    // As many move animations as entries, whatever their number.
    ASSERT_EQ(character->GetMoveCount(), 3);
    EXPECT_EQ(TextOf(character->GetMoveAnimation(1)->GetName()), u"walk");
    EXPECT_EQ(character->GetMoveSpeed(3), 7.0f);
    EXPECT_EQ(character->GetMoveSpeed(1), 2.5f);
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kMoveSpeedNotFound));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kAnimationFileFailure));
    EXPECT_FALSE(character->GetMoveAnimation(2)->HasFrames());
    EXPECT_EQ(character->GetMoveSpeed(2), 0.0f);

    // An index outside 1..count keeps the animation that plays.
    ASSERT_TRUE(character->PlayMoveAnimation(1, 1.0f, 2.0f, VoCharacter::kIdleFlags, 1.0f));
    VoAnimation* walking = character->GetAnimationSlot(0)->fpAnimation;
    log.Clear();
    for (int index : {0, 4, -1}) {
        EXPECT_FALSE(character->PlayMoveAnimation(index, 1.0f, 2.0f, VoCharacter::kIdleFlags, 1.0f));
        EXPECT_EQ(character->GetMoveAnimation(index), nullptr);
        EXPECT_TRUE(log.Logged(kAssert, std::string(VoCharacter::kInvalidMoveIndex) + std::to_string(index)));
    }
    EXPECT_EQ(character->GetAnimationSlot(0)->fpAnimation, walking);

    // A section that is missing is refused; missing parts are reported.
    log.Clear();
    EXPECT_FALSE(character->LoadAnimations(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kAnimationsNotFound));
    EXPECT_TRUE(character->LoadAnimations(FileOf("other=1\n").get()));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kIdleNotFound));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kMoveNotFound));
    EXPECT_EQ(character->GetMoveCount(), 0);
    // The walk left the controller with its animation.
    EXPECT_EQ(character->GetAnimationCtrl()->FindSlot(walking), nullptr);
}

TEST_F(VoCharacterTest, TheModelFacesItsDirectionFromItsPosition) {
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    const VoFrame* root = character->GetDrawElement()->GetRootFrame();
    auto forward = [&]() {
        VoVector3 ahead;
        const VoVector3 local(0, 0, -1);
        TransformNormal(&ahead, &root->GetAbsoluteMatrix(), &local);
        return ahead;
    };
    struct Case {
        VoVector3 direction;
        VoVector3 ahead;
    };
    const Case cases[] = {
        {{0, 0, 1}, {0, 0, 1}},
        {{1, 0, 0}, {1, 0, 0}},
        {{0, 0, -1}, {0, 0, -1}},
        {{-1, 0, 0}, {-1, 0, 0}},
    };
    character->SetPosition(VoVector3(5, 1, -2));
    for (const Case& c : cases) {
        character->SetDirection(c.direction);
        ASSERT_TRUE(character->UpdateTransform());
        const VoVector3 ahead = forward();
        EXPECT_NEAR(ahead.x, c.ahead.x, 1e-5f);
        EXPECT_NEAR(ahead.y, c.ahead.y, 1e-5f);
        EXPECT_NEAR(ahead.z, c.ahead.z, 1e-5f);
        EXPECT_NEAR(root->GetAbsoluteMatrix().m[3][0], 5, 1e-5f);
        EXPECT_NEAR(root->GetAbsoluteMatrix().m[3][1], 1, 1e-5f);
        EXPECT_NEAR(root->GetAbsoluteMatrix().m[3][2], -2, 1e-5f);
    }
    // No direction at all becomes (0, 0, 1), and stays so.
    character->SetDirection(VoVector3(0, 0, 0));
    ASSERT_TRUE(character->UpdateTransform());
    EXPECT_TRUE(character->GetDirection() == VoVector3(0, 0, 1));
    EXPECT_NEAR(forward().z, 1, 1e-5f);
}

TEST_F(VoCharacterTest, SteeringPlacesTheCharacterWithHeightInItsSecondComponent) {
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    auto* idle = MadeAnimation(u"idle", 2, {u"Biped"});
    character->SetIdleAnimation(idle);
    LogCapture log;
    EXPECT_FALSE(character->SetSteering(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoCharacter::kSetSteeringNull));
    EXPECT_FALSE(character->UpdateSteering());
    // The first step started the idle even without steering.
    EXPECT_EQ(character->GetAnimationSlot(0)->fpAnimation, idle);

    FixedSteering steering;
    steering.fAt = VoVector3(3.0f, 4.0f, 0.5f);
    steering.SetDirection(VoVector2(0.0f, 2.0f));
    ASSERT_TRUE(character->SetSteering(&steering));
    EXPECT_FALSE(character->SetSteering(nullptr));
    EXPECT_EQ(character->GetSteering(), &steering);
    ASSERT_TRUE(character->UpdateSteering());
    EXPECT_TRUE(*character->GetPosition() == VoVector3(3.0f, 0.5f, 4.0f));
    EXPECT_TRUE(character->GetDirection() == VoVector3(0, 0, 1));

    // Let go of, the steering no longer moves it.
    character->ClearSteering();
    EXPECT_EQ(character->GetSteering(), nullptr);
    steering.fAt = VoVector3(9.0f, 9.0f, 9.0f);
    EXPECT_FALSE(character->UpdateSteering());
    EXPECT_TRUE(*character->GetPosition() == VoVector3(3.0f, 0.5f, 4.0f));
}

TEST_F(VoCharacterTest, ShadowsFollowTheLightAndAreDrawnWhileVisible) {
    SampleAnimations();
    VoPropertyList file;
    ASSERT_TRUE(file.Load(VoString(u"//characters/sample_character.txt"), true));
    const VoString cache(u"//meshes/sample_character.lisv");
    VoCharacter character;
    ASSERT_TRUE(character.Create(&file, &cache));
    TimeCharacter(character);
    ASSERT_TRUE(character.UpdateTransform());
    ASSERT_TRUE(character.UpdateSkin());
    RecordingRasterizer* raster = fEngine.Rasterizer();
    VoCamera camera;
    VoLight light;
    light.fPosition = VoVector3(30, 100, -40);

    // Invisible: every per-frame call answers true and nothing moves or is drawn.
    const VoMatrix before = character.GetDrawElement()->GetRootFrame()->GetAbsoluteMatrix();
    EXPECT_TRUE(character.SetVisible(false));
    EXPECT_TRUE(character.GetVisible());  // the node's own state is not the character's
    FixedSteering steering;
    steering.fAt = VoVector3(9, 9, 0);
    character.SetSteering(&steering);
    character.SetPosition(VoVector3(7, 7, 7));
    raster->ClearCalls();
    EXPECT_TRUE(character.Render());
    EXPECT_TRUE(character.UpdateTransform());
    EXPECT_TRUE(character.Update(nullptr));
    EXPECT_TRUE(character.UpdateSkin());
    EXPECT_TRUE(character.UpdateSteering());
    EXPECT_TRUE(character.UpdateShadow(&light, &camera));
    EXPECT_TRUE(character.RenderShadow(0.0f));
    EXPECT_TRUE(raster->Calls().empty());
    EXPECT_TRUE(MatrixNear(character.GetDrawElement()->GetRootFrame()->GetAbsoluteMatrix(), before, 0.0f));
    EXPECT_TRUE(character.GetAnimationSlot(0)->IsEmpty());
    EXPECT_TRUE(*character.GetPosition() == VoVector3(7, 7, 7));
    EXPECT_EQ(character.GetShadowVolume(0)->GetVertexBuffer(), nullptr);

    // Visible again: the silhouette is extruded and drawn into the stencil.
    character.SetVisible(true);
    EXPECT_TRUE(character.UpdateShadow(&light, &camera));
    EXPECT_NE(character.GetShadowVolume(0)->GetVertexBuffer(), nullptr);
    EXPECT_GT(character.GetShadowVolume(0)->GetSilhouetteCount(), 0);
    raster->ClearCalls();
    EXPECT_TRUE(character.RenderShadow(0.0f));
    EXPECT_EQ(raster->Count("DrawIndexed"), 2);
    raster->ClearCalls();
    EXPECT_TRUE(character.Render());
    EXPECT_GT(raster->Count("DrawIndexed"), 0);
}

TEST_F(VoCharacterTest, TriangleTestsTakeXAndZ) {
    // A triangle on the ground: (0, 0, 0), (4, 0, 0), (0, 0, 4).
    const float triangle[9] = {0, 0, 0, 4, 0, 0, 0, 0, 4};
    struct Case {
        float x, z;
        bool inBounds, inTriangle;
    };
    const Case cases[] = {
        {1, 1, true, true},        {0, 0, true, true},       {2, 2, true, true},  // corner and edge count
        {3.5f, 3.5f, true, false},  // in the box, past the slope
        {4.01f, 0, false, false},  {1, -0.5f, false, false},
    };
    for (const Case& c : cases) {
        const float point[3] = {c.x, 0, c.z};
        EXPECT_EQ(VoCharacter::IsInTriangleBounds(triangle, point), c.inBounds) << c.x << "," << c.z;
        EXPECT_EQ(VoCharacter::IsInTriangle(triangle, point), c.inTriangle) << c.x << "," << c.z;
    }
    const float point[3] = {1, 0, 1};
    EXPECT_FALSE(VoCharacter::IsInTriangle(nullptr, point));
    EXPECT_FALSE(VoCharacter::IsInTriangleBounds(triangle, nullptr));
}

TEST_F(VoCharacterTest, ALineLoadsALipSyncPlayerOnTheModelUntilItStops) {
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    EXPECT_FALSE(character->PlayLipSync());
    EXPECT_FALSE(character->StopLipSync());
    ASSERT_TRUE(character->LoadLipSync(VoString(u"//dataroot/lipsync/sample_greeting.dat"),
                                       VoString(u"//dataroot/phonemes/sa")));
    VoLipSyncPlayer* player = character->GetLipSyncPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(character->GetDrawElement()->GetLipSyncPlayer(), player);
    EXPECT_EQ(player->GetDrawElement(), character->GetDrawElement());
    EXPECT_NE(player->GetPose(VoLipSyncTrack::kChannelCount - 1), nullptr);
    EXPECT_TRUE(character->PlayLipSync());
    EXPECT_TRUE(player->IsPlaying());
    ASSERT_TRUE(character->UpdateTransform());

    // A line without data leaves the character without a player.
    LogCapture log;
    EXPECT_FALSE(character->LoadLipSync(VoString(u"//dataroot/lipsync/missing.dat"),
                                        VoString(u"//dataroot/phonemes/sa")));
    EXPECT_EQ(character->GetLipSyncPlayer(), nullptr);
    EXPECT_EQ(character->GetDrawElement()->GetLipSyncPlayer(), nullptr);

    ASSERT_TRUE(character->LoadLipSync(VoString(u"//dataroot/lipsync/sample_greeting.dat"),
                                       VoString(u"//dataroot/phonemes/sa")));
    EXPECT_TRUE(character->StopLipSync());
    EXPECT_EQ(character->GetLipSyncPlayer(), nullptr);
    EXPECT_EQ(character->GetDrawElement()->GetLipSyncPlayer(), nullptr);
}

TEST_F(VoCharacterTest, GestureCallsReachOnlyTheSlotPlayingTheAnimation) {
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    std::unique_ptr<VoAnimation> wave(MadeAnimation(u"wave", 30, {u"Head"}));
    EXPECT_FALSE(character->FinishAnimation(wave.get()));
    EXPECT_FALSE(character->SetAnimationTime(wave.get(), 0.5f));
    EXPECT_TRUE(character->PlayGestureAnimation(wave.get()));
    VoAnimationSlot* slot = character->GetAnimationSlot(1);
    ASSERT_EQ(slot->fpAnimation, wave.get());
    EXPECT_EQ(slot->fFlags, VoCharacter::kGestureFlags);
    EXPECT_TRUE(character->SetAnimationTime(wave.get(), 0.5f));
    EXPECT_EQ(slot->GetTime(), 0.5f);
    EXPECT_TRUE(character->FinishAnimation(wave.get()));
    EXPECT_EQ(slot->fEnded, 1);
    character->GetAnimationCtrl()->ClearLayers();
}

TEST_F(VoCharacterTest, TheSteeringPlaysMoveAnimationsOnlyByIndicesInTheTable) {
    std::unique_ptr<VoCharacter> character = ModelCharacter();
    VoAnimation* walk = MadeAnimation(u"walk", 2, {u"Biped"});
    VoAnimation* run = MadeAnimation(u"run", 2, {u"Biped"});
    VoAnimation* moves[] = {walk, run};
    const float speeds[] = {4.0f, 11.0f};
    ASSERT_TRUE(character->SetMoveAnimations(2, moves, speeds));
    VoSteeringTDO steering(&fTimer);
    steering.SetDefaults();
    ASSERT_TRUE(steering.SetCharacter(character.get()));
    LogCapture log;
    ASSERT_TRUE(steering.SetMoving(true, 2));
    EXPECT_EQ(character->GetAnimationSlot(0)->fpAnimation, run);
    EXPECT_EQ(steering.GetSpeed(), 11.0f * 12.0f);
    // The third stair animation is not in this character's table: the run goes on.
    steering.SetMoving(true, 3);
    EXPECT_EQ(character->GetAnimationSlot(0)->fpAnimation, run);
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoCharacter::kInvalidMoveIndex) + "3"));
    steering.SetMoving(false, 0);
}
