// The serialised mesh form (".lim1"): draw elements, frames, meshes, skinned
// meshes and subsets written and read back.
#include "scene/VoMeshFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MeshFiles.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoSkinMesh.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

using Names = std::vector<std::string>;

bool ReadInto(VoDrawElement& aElement, const Bytes& aBytes, bool aHideSize = false) {
    TestStream in(aBytes);
    if (aHideSize) {
        in.HideSize();
    }
    return aElement.Read(&in);
}

Names FrameNames(const VoDrawElement& aElement) {
    Names names;
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        names.push_back(Narrow(aElement.GetFrame(i)->GetName()));
    }
    return names;
}

// An element holding the tree (owned from then on).
std::unique_ptr<VoDrawElement> ElementOf(VoFrame* apRoot) {
    auto element = std::make_unique<VoDrawElement>();
    EXPECT_TRUE(element->SetRootFrame(apRoot));
    return element;
}

// The bytes of an element written.
Bytes Written(VoFrame* apRoot) {
    return WrittenBy(*ElementOf(apRoot));
}

// A vertex at x = aX.
MeshVertex At(float aX) {
    return {aX, 0, 0, 0, 1, 0, 0, 0};
}

}  // namespace

TEST(VoMeshFile, TheLastCharacterPicksTheForm) {
    EXPECT_TRUE(VoMeshFile::IsSerialisedName(VoString(u"//dataroot/meshes/camera.lim1")));
    EXPECT_TRUE(VoMeshFile::IsSerialisedName(VoString(u"x1")));
    EXPECT_FALSE(VoMeshFile::IsSerialisedName(VoString(u"camera.lim")));
    EXPECT_FALSE(VoMeshFile::IsSerialisedName(VoString(u"camera.lim2")));
    EXPECT_FALSE(VoMeshFile::IsSerialisedName(VoString(u"")));
}

TEST(VoDrawElement, ARootAloneIs144BytesAndReadsBack) {
    VoFrame* root = NamedFrame(u"a");
    root->SetFileMatrix(Translation(1, 2, 3));
    root->SetAbsoluteMatrix(Translation(4, 5, 6));
    const Bytes bytes = Written(root);
    ASSERT_EQ(bytes.size(), 144u);
    // Root flag, the id (the hash of "a" is its unit), the name "a".
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 13), (Bytes{1, 97, 0, 0, 0, 1, 0, 0, 0, 97, 0, 0, 0}));
    EXPECT_EQ(bytes[13], 0);                                        // no mesh
    EXPECT_EQ(Bytes(bytes.end() - 2, bytes.end()), (Bytes{0, 0}));  // no child, no sibling

    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, bytes));
    ASSERT_EQ(element.GetFrameCount(), 1);
    VoFrame* read = element.GetRootFrame();
    EXPECT_EQ(Narrow(read->GetName()), "a");
    EXPECT_EQ(read->GetFrameId(), 97u);
    EXPECT_TRUE(MatrixNear(read->GetFileMatrix(), Translation(1, 2, 3), 0.0f));
    EXPECT_TRUE(MatrixNear(read->GetRelativeMatrix(), Translation(1, 2, 3), 0.0f));
    EXPECT_TRUE(MatrixNear(read->GetAbsoluteMatrix(), Translation(4, 5, 6), 0.0f));
    EXPECT_EQ(WrittenBy(element), bytes);
}

TEST(VoDrawElement, AFileWithoutRootReadsWithoutFrames) {
    LogCapture log;
    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, Bytes{0}));
    EXPECT_EQ(element.GetFrameCount(), 0);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoDrawElement::kFramesUndefined));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_EQ(WrittenBy(element), Bytes{0});
}

TEST(VoDrawElement, AStoredFrameIdIsKeptAsStored) {
    VoFrame* root = NamedFrame(u"Head");
    root->SetFrameId(12345);
    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, Written(root)));
    EXPECT_EQ(element.GetRootFrame()->GetFrameId(), 12345u);
    EXPECT_EQ(element.FindFrameByNameHash(VoString(u"Head")), nullptr);
}

TEST(VoDrawElement, ATreeRoundTripsInPreOrderWithItsMeshes) {
    // Root > (Arm > Hand, Leg), and a sibling of the root.
    VoFrame* root = NamedFrame(u"Root");
    VoFrame* arm = NamedFrame(u"Arm", IndexedMesh({At(0), At(1), At(2)}, {{0, 1, 2}}));
    VoFrame* hand = NamedFrame(u"Hand");
    VoFrame* leg = NamedFrame(u"Leg", IndexedMesh({At(0), At(1), At(2), At(3)}, {{0, 1, 2}, {1, 2, 3}}));
    root->AddChild(arm);
    arm->AddChild(hand);
    root->AddChild(leg);
    root->SetNextSibling(NamedFrame(u"Other"));
    const Bytes bytes = Written(root);

    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, bytes));
    EXPECT_EQ(FrameNames(element), (Names{"Root", "Arm", "Hand", "Leg", "Other"}));
    VoFrame* readArm = element.FindFrame(VoString(u"Arm"), false);
    VoFrame* readHand = element.FindFrame(VoString(u"Hand"), false);
    VoFrame* readLeg = element.FindFrame(VoString(u"Leg"), false);
    EXPECT_EQ(readHand->GetParent(), readArm);
    EXPECT_EQ(readLeg->GetParent(), element.GetRootFrame());
    EXPECT_EQ(readArm->GetNextSibling(), readLeg);
    ASSERT_EQ(element.GetMeshCount(), 2);
    EXPECT_EQ(element.GetMesh(0)->GetOwnerFrame(), readArm);
    EXPECT_EQ(element.GetMesh(1)->GetSubsetCount(), 2);
    EXPECT_EQ(element.GetMesh(1)->GetSubset(1)->GetIndexBuffer()->GetIndex(2), 3u);
    EXPECT_EQ(element.GetMesh(1)->GetFlags(), VoMesh::kDrawn | VoMesh::kIndexed);
    EXPECT_EQ(WrittenBy(element), bytes);
}

TEST(VoDrawElement, AMeshRecordIsLaidOutFieldByField) {
    VoMesh* mesh = new VoMesh();
    mesh->SetName(VoString(u"m"));
    auto* vertices = new VoVertexBuffer();
    const float positions[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    ASSERT_TRUE(vertices->Create(1, positions, 3));
    mesh->SetVertexBuffer(vertices);
    mesh->SetIndexBuffer(MeshIndices({0, 1, 2}));
    mesh->AddSubset(Triangles({0, 1, 2}));
    auto element = ElementOf(NamedFrame(u"a", mesh));
    const Bytes bytes = WrittenBy(*element);
    // Mesh: version, name "m", type, flags (20); vertices (16 + 36); indices
    // (16 + 6); subset count (4); subset: counts, indices, material with an
    // empty name (8 + 22 + 74); no map (1); no corners (4).
    const std::size_t meshBytes = 20 + 52 + 22 + 4 + 104 + 1 + 4;
    ASSERT_EQ(bytes.size(), 144u + 4u + meshBytes);
    const Bytes version1 = {0, 0, 0x80, 0x3F};
    EXPECT_EQ(Bytes(bytes.begin() + 18, bytes.begin() + 22), version1);
    EXPECT_EQ(mesh->GetVersion(), 1.0f);
}

TEST(VoDrawElement, CornersKeepTheirEvenPositionsAndReadBackZeroAtTheOdd) {
    // Five triangles in two subsets: corner count 15, eight values stored.
    VoMesh* mesh =
        IndexedMesh({At(0), At(1), At(2), At(3)}, {{0, 1, 2, 1, 2, 3}, {0, 2, 3, 0, 1, 3, 1, 2, 3}});
    std::vector<std::uint32_t> corners;
    for (std::uint32_t i = 0; i < 15; ++i) {
        corners.push_back(100 + i);
    }
    ASSERT_TRUE(mesh->SetCorners(15, corners.data()));
    const Bytes bytes = Written(NamedFrame(u"a", mesh));
    // The mesh record ends with the count, the eight values, then the
    // frame's two matrices and two flags.
    Bytes tail;
    Field(tail).U32(15).U32s({100, 102, 104, 106, 108, 110, 112, 114});
    const std::size_t end = bytes.size() - 128 - 2;
    EXPECT_EQ(
        Bytes(bytes.begin() + static_cast<long>(end - tail.size()), bytes.begin() + static_cast<long>(end)),
        tail);

    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, bytes));
    const VoMesh* read = element.GetMesh(0);
    ASSERT_EQ(read->GetCornerCount(), 15);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(read->GetCorners()[i], i % 2 == 0 ? 100u + static_cast<std::uint32_t>(i) : 0u) << i;
    }
    EXPECT_EQ(WrittenBy(element), bytes);
}

TEST(VoDrawElement, AVertexMapRoundTripsAndMustNameOneVertexPerVertex) {
    VoMesh* mesh = IndexedMesh({At(0), At(1), At(0)}, {{0, 1, 2}});
    const std::int32_t map[3] = {0, 1, 0};
    ASSERT_TRUE(mesh->SetVertexMap(3, map));
    const Bytes bytes = Written(NamedFrame(u"a", mesh));
    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, bytes));
    ASSERT_EQ(element.GetMesh(0)->GetVertexMapCount(), 3);
    EXPECT_EQ(element.GetMesh(0)->GetVertexMap()[2], 0);
    EXPECT_EQ(WrittenBy(element), bytes);

    // The map sits just before the corner count: "has map", 3, 0, 1, 0.
    const std::size_t map0 = bytes.size() - 130 - 4 - 12;
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
    };
    const Case cases[] = {{"a count other than the vertices'", map0 - 4, 2},
                          {"an entry past the vertices", map0 + 4, 3},
                          {"a negative entry", map0 + 8, 0xFFFFFFFFu}};
    for (const Case& c : cases) {
        Bytes bad = bytes;
        for (int i = 0; i < 4; ++i) {
            bad[c.offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(c.value >> (8 * i));
        }
        LogCapture log;
        VoDrawElement refused;
        EXPECT_FALSE(ReadInto(refused, bad)) << c.what;
        EXPECT_EQ(refused.GetFrameCount(), 0) << c.what;
        EXPECT_TRUE(log.Logged("ERROR: ", VoMesh::kVertexMapRefused)) << c.what;
    }
}

TEST(VoDrawElement, ACornerCountThatDoesNotMatchTheTrianglesIsRefused) {
    VoMesh* mesh = IndexedMesh({At(0), At(1), At(2)}, {{0, 1, 2}});
    const std::uint32_t corners[3] = {7, 8, 9};
    ASSERT_TRUE(mesh->SetCorners(3, corners));
    Bytes bytes = Written(NamedFrame(u"a", mesh));
    // Count 3 and two values before the matrices: make the count 4.
    bytes[bytes.size() - 130 - 12] = 4;
    LogCapture log;
    VoDrawElement element;
    EXPECT_FALSE(ReadInto(element, bytes));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoMesh::kCornersRefused) + "4"));
}

TEST(VoDrawElement, AMeshRecordOfTheOtherKindIsRefused) {
    Bytes bytes = Written(NamedFrame(u"a", IndexedMesh({At(0), At(1), At(2)}, {{0, 1, 2}})));
    // The frame says static (0); the record's own type follows version and name.
    const std::size_t recordType = 14 + 4 + 4 + 6;  // the mesh's name is empty
    ASSERT_EQ(bytes[recordType], 0);
    bytes[recordType] = 1;
    LogCapture log;
    VoDrawElement element;
    EXPECT_FALSE(ReadInto(element, bytes));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoMesh::kTypeMismatch) + "1"));
}

TEST(VoDrawElement, ASkinnedMeshRoundTripsItsBonesAndBindsThemByName) {
    auto* skin = new VoSkinMesh();
    skin->SetFlags(VoMesh::kIndexed);
    skin->SetVertexBuffer(MeshVertices({At(0), At(1), At(2)}));
    skin->SetIndexBuffer(MeshIndices({0, 1, 2}));
    skin->AddSubset(Triangles({0, 1, 2}));
    ASSERT_TRUE(skin->CreateBones(2));
    const std::uint32_t first[3] = {0, 1, 2};
    const float whole[3] = {1, 1, 0.5f};
    skin->GetBone(0)->SetName(VoString(u"Biped"));
    skin->GetBone(0)->SetOffsetMatrix(Identity());
    skin->GetBone(0)->SetInfluences(3, first, whole);
    const std::uint32_t second[1] = {2};
    const float half[1] = {0.5f};
    skin->GetBone(1)->SetName(VoString(u"Head"));
    skin->GetBone(1)->SetInfluences(1, second, half);
    skin->GetBone(1)->SetOffsetMatrix(Translation(0, -1, 0));
    VoFrame* root = NamedFrame(u"Root", skin);
    VoFrame* biped = NamedFrame(u"Biped");
    root->AddChild(biped);
    biped->AddChild(NamedFrame(u"Head"));
    const Bytes bytes = Written(root);

    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, bytes));
    auto* read = static_cast<VoSkinMesh*>(element.GetMesh(0));
    ASSERT_EQ(read->GetMeshType(), VoMesh::kSkinnedMesh);
    ASSERT_EQ(read->GetBoneCount(), 2u);
    EXPECT_EQ(Narrow(read->GetBone(1)->GetName()), "Head");
    EXPECT_EQ(read->GetBone(1)->GetWeights()[0], 0.5f);
    EXPECT_TRUE(MatrixNear(read->GetBone(1)->GetOffsetMatrix(), Translation(0, -1, 0), 0.0f));
    EXPECT_TRUE(read->IsSkinPrepared());
    EXPECT_FALSE(read->IsBound());
    EXPECT_EQ(WrittenBy(element), bytes);

    // Placed and skinned: the head's bone moves vertex 2 up by its frame.
    element.FindFrame(VoString(u"Head"), false)->SetRelativeMatrix(Translation(0, 3, 0));
    element.Update(nullptr);
    ASSERT_TRUE(read->UpdateSkin());
    EXPECT_TRUE(read->IsBound());
    const float* moved = static_cast<const float*>(read->GetVertexBuffer()->GetVertex(2));
    EXPECT_FLOAT_EQ(moved[0], 2.0f);
    EXPECT_FLOAT_EQ(moved[1], 1.0f);  // 0.5 x 0 + 0.5 x (0 - 1 + 3)
}

TEST(VoDrawElement, AShortOrRefusedReadLeavesTheElementAsItWas) {
    VoFrame* root = NamedFrame(u"Root", IndexedMesh({At(0), At(1), At(2)}, {{0, 1, 2}}));
    root->AddChild(NamedFrame(u"Child"));
    const Bytes bytes = Written(root);
    VoDrawElement element;
    element.SetRootFrame(NamedFrame(u"Before"));
    QuietLog quiet;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        for (bool hidden : {false, true}) {
            ASSERT_FALSE(
                ReadInto(element, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)), hidden))
                << size;
        }
    }
    EXPECT_EQ(FrameNames(element), (Names{"Before"}));
}

TEST(VoDrawElement, CountsBeyondTheDataAreRefusedBeforeAnythingIsMade) {
    Bytes bytes = Written(NamedFrame(u"a", IndexedMesh({At(0), At(1), At(2)}, {{0, 1, 2}})));
    // The subset count follows the record's header and the two buffers.
    const std::size_t subsets = 14 + 4 + 18 + (16 + 96) + (16 + 6);
    ASSERT_EQ(bytes[subsets], 1);
    for (bool hidden : {false, true}) {
        Bytes bad = bytes;
        bad[subsets + 3] = 0x10;  // 0x10000001 subsets
        LogCapture log;
        VoDrawElement element;
        EXPECT_FALSE(ReadInto(element, bad, hidden));
        EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoMeshFile::kCountRefused) + "268435457"));
    }
}

TEST(VoDrawElement, FramesNestedDeeperThanTheWalksGoAreRefused) {
    // A chain of first children, aLevels frames deep.
    auto chain = [](int aLevels) {
        Bytes bytes{1};
        Field field(bytes);
        for (int i = 0; i < aLevels; ++i) {
            field.U32(0).Text(u"").Byte(0);
            for (int m = 0; m < 32; ++m) {
                field.F32(0);
            }
            field.Byte(i + 1 < aLevels ? 1 : 0);
        }
        for (int i = 0; i < aLevels; ++i) {
            field.Byte(0);  // no sibling, innermost first
        }
        return bytes;
    };
    VoDrawElement element;
    ASSERT_TRUE(ReadInto(element, chain(VoMeshFile::kMaxFrameDepth)));
    EXPECT_EQ(element.GetFrameCount(), VoMeshFile::kMaxFrameDepth);

    LogCapture log;
    VoDrawElement deeper;
    EXPECT_FALSE(ReadInto(deeper, chain(VoMeshFile::kMaxFrameDepth + 1)));
    EXPECT_TRUE(log.Logged("ERROR: ", VoFrame::kTooDeep));

    // What could not be read back is not written.
    VoFrame* last = element.GetFrame(element.GetFrameCount() - 1);
    std::unique_ptr<VoFrame> extra(NamedFrame(u"extra"));
    last->AddChild(extra.get());
    TestStream out;
    EXPECT_FALSE(element.Write(&out));
    EXPECT_TRUE(log.Logged("ERROR: ", VoFrame::kWriteTooDeep));
    last->SetFirstChild(nullptr);
}
