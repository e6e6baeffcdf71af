// The sample meshes of the data tree (tools/make_sample_meshes.cpp): what the
// readers make of them, and that no cut of them can hurt a reader.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "MeshFiles.h"
#include "container/VoVector.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoCamera.h"
#include "scene/VoMeshFile.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoMeshQuadTree.h"
#include "scene/VoPickRay.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoMemoryStream.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"

namespace {

using Names = std::vector<std::string>;

const char* const kSerialised[] = {"sample_cube.lim1", "sample_prop.lim1", "sample_character.lim1"};
const char* const kRaw[] = {"sample_scene_depth.lim", "sample_character.lim"};
const char* const kAll[] = {"sample_cube.lim1", "sample_prop.lim1", "sample_character.lim1",
                            "sample_scene_depth.lim", "sample_character.lim"};

bool ReadSample(VoDrawElement& aElement, const Bytes& aBytes, const std::string& aName,
                std::int32_t aRawMode = VoDrawElement::kRenderTree) {
    TestStream in(aBytes);
    return VoMeshFile::IsSerialisedName(VoString(aName.c_str())) ? aElement.Read(&in)
                                                                 : aElement.Load(&in, aRawMode);
}

bool ReadSample(VoDrawElement& aElement, const std::string& aName,
                std::int32_t aRawMode = VoDrawElement::kRenderTree) {
    return ReadSample(aElement, SampleMeshBytes(aName), aName, aRawMode);
}

Names FrameNames(const VoDrawElement& aElement) {
    Names names;
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        names.push_back(Narrow(aElement.GetFrame(i)->GetName()));
    }
    return names;
}

const VoFrame* Frame(const VoDrawElement& aElement, const char16_t* apName) {
    return aElement.FindFrame(VoString(apName), false);
}

std::string NameOf(const VoFrame* apFrame) {
    return apFrame != nullptr ? Narrow(apFrame->GetName()) : "-";
}

VoVector3 OriginOf(const VoFrame* apFrame) {
    const VoMatrix& m = apFrame->GetAbsoluteMatrix();
    return VoVector3(m.m[3][0], m.m[3][1], m.m[3][2]);
}

}  // namespace

TEST(VoSampleMeshes, EverySerialisedSampleWritesBackItsOwnBytes) {
    SampleMeshEngine engine;
    for (const char* name : kSerialised) {
        const Bytes bytes = SampleMeshBytes(name);
        VoDrawElement element;
        ASSERT_TRUE(ReadSample(element, bytes, name)) << name;
        EXPECT_EQ(WrittenBy(element), bytes) << name;
    }
}

TEST(VoSampleMeshes, EveryRawSampleRoundTripsThroughTheSerialisedForm) {
    for (const char* name : kRaw) {
        VoDrawElement element;
        ASSERT_TRUE(ReadSample(element, name)) << name;
        const Bytes first = WrittenBy(element);
        VoDrawElement copy;
        TestStream in(first);
        ASSERT_TRUE(copy.Read(&in)) << name;
        EXPECT_EQ(WrittenBy(copy), first) << name;
    }
}

TEST(VoSampleMeshes, CuttingAnySampleAtAnyByteFailsTheReadCleanly) {
    SampleMeshEngine engine;
    QuietLog quiet;
    for (const char* names : kAll) {
        const std::string name = names;
        const Bytes bytes = SampleMeshBytes(name);
        ASSERT_FALSE(bytes.empty());
        const bool serialised = VoMeshFile::IsSerialisedName(VoString(name.c_str()));
        VoDrawElement element;
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            PrefixStream cut(bytes, size);
            ASSERT_FALSE(serialised ? element.Read(&cut) : element.Load(&cut, VoDrawElement::kRenderTree))
                << name << " cut at " << size;
        }
        EXPECT_EQ(element.GetFrameCount(), 0) << name;
    }
}

// Files load into memory streams, which hand runs of values over in one
// piece: every sample reads from memory into what it reads value by value,
// and from memory too every cut of it fails the read cleanly.
TEST(VoSampleMeshes, ReadFromMemoryEverySampleIsWhatItIsValueByValue) {
    SampleMeshEngine engine;
    QuietLog quiet;
    for (const char* names : kAll) {
        const std::string name = names;
        const Bytes bytes = SampleMeshBytes(name);
        const bool serialised = VoMeshFile::IsSerialisedName(VoString(name.c_str()));
        auto read = [serialised](VoDrawElement& aElement, VoIStream* apStream) {
            return serialised ? aElement.Read(apStream) : aElement.Load(apStream, VoDrawElement::kRenderTree);
        };
        VoMemoryStream memory(1024, VoMemoryStream::kGrowDouble);
        ASSERT_TRUE(memory.CreateFromBuffer(static_cast<std::int32_t>(bytes.size()), bytes.data()));
        VoDrawElement fromMemory;
        ASSERT_TRUE(read(fromMemory, &memory)) << name;
        EXPECT_EQ(memory.GetPosition(), bytes.size()) << name;
        TestStream values(bytes);
        VoDrawElement valueByValue;
        ASSERT_TRUE(read(valueByValue, &values)) << name;
        EXPECT_EQ(WrittenBy(fromMemory), WrittenBy(valueByValue)) << name;

        VoDrawElement cutElement;
        for (std::size_t size = 0; size < bytes.size(); size += 3) {
            VoMemoryStream cut(1024, VoMemoryStream::kGrowDouble);
            ASSERT_TRUE(cut.CreateFromBuffer(static_cast<std::int32_t>(size), bytes.data()));
            ASSERT_FALSE(read(cutElement, &cut)) << name << " cut at " << size;
        }
        EXPECT_EQ(cutElement.GetFrameCount(), 0) << name;
    }
}

TEST(VoSampleMeshes, LitAndSkinnedMeshesAreFormatFiveWithFlags17AndAVertexMap) {
    SampleMeshEngine engine;
    for (const char* name : kSerialised) {
        VoDrawElement element;
        ASSERT_TRUE(ReadSample(element, name)) << name;
        ASSERT_GT(element.GetMeshCount(), 0) << name;
        for (int i = 0; i < element.GetMeshCount(); ++i) {
            const VoMesh* mesh = element.GetMesh(i);
            EXPECT_EQ(mesh->GetVertexBuffer()->GetFormat(), 5) << name;
            EXPECT_EQ(mesh->GetFlags(), 17u) << name;
            EXPECT_EQ(mesh->GetVertexMapCount(), mesh->GetVertexBuffer()->GetVertexCount()) << name;
            EXPECT_EQ(mesh->GetCornerCount(), 3 * mesh->GetTotalTriangleCount()) << name;
        }
    }
    // The cube's 24 corners weld to 8 positions.
    VoDrawElement cube;
    ASSERT_TRUE(ReadSample(cube, "sample_cube.lim1"));
    const VoMesh* mesh = cube.GetMesh(0);
    int welded = 0;
    for (int v = 0; v < mesh->GetVertexMapCount(); ++v) {
        welded += mesh->GetVertexMap()[v] == v ? 1 : 0;
    }
    EXPECT_EQ(mesh->GetVertexBuffer()->GetVertexCount(), 24);
    EXPECT_EQ(welded, 8);
}

TEST(VoSampleMeshes, ThePropsTextureComesFromTheDataTree) {
    SampleMeshEngine engine;
    VoDrawElement prop;
    ASSERT_TRUE(prop.LoadFile(VoString(u"//meshes/sample_prop.lim1"), true));
    EXPECT_EQ(FrameNames(prop), (Names{"Prop", "Prop_Handle"}));
    const VoMesh* crate = prop.GetMesh(0);
    EXPECT_NE(crate->GetSubset(0)->GetMaterial().GetTextureHandle(), 0u);
    EXPECT_EQ(Narrow(crate->GetSubset(0)->GetMaterial().GetTextureFile()), "sample_prop_crate.tga");
    EXPECT_EQ(crate->GetSubset(1)->GetMaterial().GetTextureHandle(), 0u);
}

TEST(VoSampleMeshes, LoadFileTakesTheFormFromTheNamesLastCharacter) {
    SampleMeshEngine engine;
    VoDrawElement cube;
    ASSERT_TRUE(cube.LoadFile(VoString(u"//meshes/sample_cube.lim1"), true));
    EXPECT_EQ(cube.GetRenderMode(), VoDrawElement::kRenderList);
    EXPECT_EQ(cube.GetFrameCount(), 1);
    VoDrawElement character;
    ASSERT_TRUE(character.LoadFile(VoString(u"//meshes/sample_character.lim"), true));
    EXPECT_EQ(character.GetRenderMode(), VoDrawElement::kRenderTree);
    EXPECT_TRUE(static_cast<VoSkinMesh*>(character.GetMesh(0))->IsBound());
    LogCapture log;
    VoDrawElement missing;
    EXPECT_FALSE(missing.LoadFile(VoString(u"//meshes/nowhere.lim1"), true));
    EXPECT_TRUE(log.Contains(VoDrawElement::kFileNotFound));
}

TEST(VoSampleMeshes, TheCharactersSkeletonIsRootedAtBipedWithHeadAndFaceBones) {
    VoDrawElement character;
    ASSERT_TRUE(ReadSample(character, "sample_character.lim1"));
    character.Update(nullptr);
    const VoFrame* biped = Frame(character, u"Biped");
    ASSERT_NE(biped, nullptr);
    EXPECT_EQ(NameOf(biped->GetParent()), "Character");
    EXPECT_EQ(NameOf(Frame(character, u"BN_Head")->GetParent()), "BN_Neck");
    for (const char16_t* face : {u"BN_Jaw", u"BN_Lip_Upper", u"BN_Mouth_L", u"BN_Mouth_R", u"BN_Eye_L",
                                 u"BN_Eye_R", u"BN_Brow_L", u"BN_Brow_R"}) {
        ASSERT_NE(Frame(character, face), nullptr);
        EXPECT_EQ(NameOf(Frame(character, face)->GetParent()), "BN_Head");
    }
    // Facing -z: the eyes stand in front of the head; its right hand is at -x.
    EXPECT_LT(OriginOf(Frame(character, u"BN_Eye_L")).z, OriginOf(Frame(character, u"BN_Head")).z);
    EXPECT_LT(OriginOf(Frame(character, u"Biped_R_Hand")).x, 0.0f);
    EXPECT_GT(OriginOf(Frame(character, u"Biped_L_Hand")).x, 0.0f);

    // One skinned mesh, on "Body"; every bone names a frame; at rest the skin
    // leaves every vertex where it was.
    ASSERT_EQ(character.GetMeshCount(), 1);
    auto* skin = static_cast<VoSkinMesh*>(character.GetMesh(0));
    ASSERT_EQ(skin->GetMeshType(), VoMesh::kSkinnedMesh);
    EXPECT_EQ(NameOf(skin->GetOwnerFrame()), "Body");
    for (std::uint32_t b = 0; b < skin->GetBoneCount(); ++b) {
        EXPECT_NE(character.FindFrame(skin->GetBone(b)->GetName(), false), nullptr);
    }
    VoVertexBuffer* vertices = skin->GetVertexBuffer();
    const float* data = static_cast<const float*>(vertices->GetBuffer());
    const std::vector<float> rest(data, data + vertices->GetSize() / 4);
    ASSERT_TRUE(skin->UpdateSkin());
    const float* skinned = static_cast<const float*>(vertices->GetBuffer());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        ASSERT_NEAR(skinned[i], rest[i], 1e-4f) << i;
    }
}

TEST(VoSampleMeshes, TheCharacterDrawsAlikeFromBothForms) {
    RecordingEngine engine;
    RecordingRasterizer* raster = engine.Rasterizer();
    std::vector<std::string> drawn[2];
    Names frames[2];
    const char* names[2] = {"sample_character.lim1", "sample_character.lim"};
    for (int form = 0; form < 2; ++form) {
        VoDrawElement element;
        ASSERT_TRUE(ReadSample(element, names[form]));
        EXPECT_EQ(element.GetRenderMode(),
                  form == 0 ? VoDrawElement::kRenderList : VoDrawElement::kRenderTree);
        frames[form] = FrameNames(element);
        raster->ClearCalls();
        element.Render();
        drawn[form] = raster->Texts();
    }
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_FALSE(drawn[0].empty());
    EXPECT_EQ(drawn[0], drawn[1]);
}

TEST(VoSampleMeshes, TheDefaultCameraPicksTheCubeThroughTheCentrePixel) {
    RecordingEngine engine;
    VoDrawElement cube;
    ASSERT_TRUE(ReadSample(cube, "sample_cube.lim1"));
    cube.Update(nullptr);
    VoCamera camera;
    VoPickRay ray(&camera, 400, 300);
    ASSERT_TRUE(ray.GetWorldRay(ray));
    VoVector3 hit;
    ASSERT_TRUE(ray.Pick(&cube, hit));
    EXPECT_NEAR(hit.x, 0.0f, 1e-5f);
    EXPECT_NEAR(hit.y, 0.0f, 1e-5f);
    EXPECT_NEAR(hit.z, -0.5f, 1e-5f);
}

TEST(VoSampleMeshes, TheDepthMeshTagsItsFramesAndGroundsTheRamp) {
    VoDrawElement scene;
    ASSERT_TRUE(ReadSample(scene, "sample_scene_depth.lim", VoDrawElement::kRenderList));
    EXPECT_EQ(scene.GetRenderMode(), VoDrawElement::kRenderList);
    const int expected[VoDrawElement::kTagGroupCount] = {3, 1, 1, 2, 1};
    for (int group = 0; group < VoDrawElement::kTagGroupCount; ++group) {
        EXPECT_EQ(scene.GetTagGroupCount(group), expected[group]) << group;
    }
    EXPECT_EQ(NameOf(scene.GetTagGroupFrame(0, 1)), "WG_ramp");
    // The root was at (10, 0, -5): the loader brought it and the rest home.
    EXPECT_TRUE(MatrixNear(scene.GetRootFrame()->GetAbsoluteMatrix(), Identity(), 0.0f));
    EXPECT_TRUE(MatrixNear(Frame(scene, u"WG_ramp")->GetAbsoluteMatrix(), Translation(0, 0, 10), 1e-5f));

    // The ground tree of the ground frames, as scene navigation builds it.
    VoMeshQuadTree ground;
    ASSERT_TRUE(ground.Create(VoVector2(0, 3), 20.0f, 8));
    for (int i = 0; i < scene.GetTagGroupCount(0); ++i) {
        const VoFrame* frame = scene.GetTagGroupFrame(0, i);
        ASSERT_TRUE(ground.AddMesh(frame->GetName(), frame->GetMesh(), &frame->GetAbsoluteMatrix()));
    }
    VoVector3 hit;
    ASSERT_TRUE(ground.IntersectsVertLineThruPt(VoVector2(0, 13), hit));
    EXPECT_NEAR(hit.y, 1.0f, 1e-5f);
    ASSERT_TRUE(ground.IntersectsVertLineThruPt(VoVector2(-3, -4), hit));
    EXPECT_NEAR(hit.y, 0.0f, 1e-5f);
    EXPECT_FALSE(ground.IntersectsVertLineThruPt(VoVector2(0, 30), hit));

    // The scene tree of every mesh: looking down onto the ramp.
    VoMeshOctree all;
    ASSERT_TRUE(all.Create(VoVector3(0, 4, 3), 20.0f, 5));
    for (int i = 0; i < scene.GetMeshCount(); ++i) {
        const VoMesh* mesh = scene.GetMesh(i);
        ASSERT_TRUE(
            all.AddMesh(mesh->GetOwnerFrame()->GetName(), mesh, &mesh->GetOwnerFrame()->GetAbsoluteMatrix()));
    }
    ASSERT_TRUE(all.Pick(VoVector3(0, 20, 13), VoVector3(0, -1, 0), hit, 100.0f));
    EXPECT_NEAR(hit.y, 1.0f, 1e-5f);
}
