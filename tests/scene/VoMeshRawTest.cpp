// The raw mesh form: VoDrawElement::Load with its frame records, mesh and
// skinned-mesh bodies, and the loader's placing and linking of the frames.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MeshFiles.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoMeshFile.h"
#include "scene/VoSkinMesh.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"

namespace {

using Names = std::vector<std::string>;

bool LoadInto(VoDrawElement& aElement, const Bytes& aBytes, std::int32_t aMode = VoDrawElement::kRenderTree,
              bool aHideSize = false) {
    TestStream in(aBytes);
    if (aHideSize) {
        in.HideSize();
    }
    return aElement.Load(&in, aMode);
}

Names FrameNames(const VoDrawElement& aElement) {
    Names names;
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        names.push_back(Narrow(aElement.GetFrame(i)->GetName()));
    }
    return names;
}

std::string NameOf(const VoFrame* apFrame) {
    return apFrame != nullptr ? Narrow(apFrame->GetName()) : "-";
}

// A frame without mesh: number, sibling and child numbers, name.
void Plain(RawFields& aRaw, std::uint32_t aNumber, std::uint32_t aSibling, std::uint32_t aChild,
           const std::string& aName) {
    aRaw.Frame(aNumber, Identity(), Identity(), aSibling, aChild, 0, aName);
}

// A mesh body of one material, four lit vertices and one triangle.
void OneTriangleBody(RawFields& aRaw) {
    aRaw.field.U32(1);
    aRaw.Material(1.0f).LitVertices(4).Indices16({0, 1, 2});
    aRaw.field.U32(1).U32s({0, 0, 1, 0, 3});
}

}  // namespace

TEST(VoDrawElementRaw, TheMeshFlagsChooseTheMeshAndWhetherItsCornersFollow) {
    struct Case {
        std::uint32_t flags;
        int meshType;  // -1: no mesh
        int corners;
    };
    const Case cases[] = {{0x0102, VoMesh::kSkinnedMesh, 0},
                          {0x8001, VoMesh::kStaticMesh, 3},
                          {0x0001, VoMesh::kStaticMesh, 0},
                          {0x8002, VoMesh::kSkinnedMesh, 3},
                          {0x0003, -1, 0},
                          {0x8000, -1, 0}};
    for (const Case& c : cases) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(2).Frame(1, Identity(), Identity(), 0, 2, c.flags, "Root");
        if (c.meshType >= 0) {
            OneTriangleBody(raw);
            if (c.corners > 0) {
                raw.field.U32s({7, 8, 9});
            }
            if (c.meshType == VoMesh::kSkinnedMesh) {
                raw.field.U32s({0, 0});  // no bones, the unused word
            }
        }
        // The next record follows at once.
        Plain(raw, 2, 0, 0, "Next");
        VoDrawElement element;
        ASSERT_TRUE(LoadInto(element, bytes)) << std::hex << c.flags;
        EXPECT_EQ(FrameNames(element), (Names{"Root", "Next"}));
        const VoMesh* mesh = element.GetRootFrame()->GetMesh();
        if (c.meshType < 0) {
            EXPECT_EQ(mesh, nullptr);
            continue;
        }
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->GetMeshType(), c.meshType);
        EXPECT_EQ(mesh->GetFlags(), VoMesh::kDrawn | VoMesh::kIndexed);
        EXPECT_EQ(mesh->GetOwnerFrame(), element.GetRootFrame());
        ASSERT_EQ(mesh->GetCornerCount(), c.corners);
        if (c.corners > 0) {
            EXPECT_EQ(mesh->GetCorners()[1], 8u);  // every position is stored
        }
        if (c.meshType == VoMesh::kSkinnedMesh) {
            EXPECT_TRUE(static_cast<const VoSkinMesh*>(mesh)->IsBound());
            EXPECT_TRUE(static_cast<const VoSkinMesh*>(mesh)->IsSkinPrepared());
        }
    }
}

TEST(VoDrawElementRaw, TheRootMovesToTheOriginWithUnitRowsAndTheOthersMoveWithIt) {
    VoMatrix rootMatrix;
    MatrixScaling(&rootMatrix, 2, 3, 4);
    rootMatrix.m[3][0] = 10;
    rootMatrix.m[3][1] = 20;
    rootMatrix.m[3][2] = 30;
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(2).Frame(1, rootMatrix, rootMatrix, 0, 2, 0, "Root");
    raw.Frame(2, Translation(1, 1, 1), Translation(11, 22, 33), 0, 0, 0, "Child");
    VoDrawElement element;
    ASSERT_TRUE(LoadInto(element, bytes));
    const VoFrame* root = element.GetFrame(0);
    EXPECT_TRUE(MatrixNear(root->GetFileMatrix(), Identity(), 0.0f));
    EXPECT_TRUE(MatrixNear(root->GetRelativeMatrix(), Identity(), 0.0f));
    EXPECT_TRUE(MatrixNear(root->GetAbsoluteMatrix(), Identity(), 0.0f));
    const VoFrame* child = element.GetFrame(1);
    EXPECT_TRUE(MatrixNear(child->GetAbsoluteMatrix(), Translation(1, 2, 3), 0.0f));
    EXPECT_TRUE(MatrixNear(child->GetRelativeMatrix(), Translation(1, 1, 1), 0.0f));
    EXPECT_EQ(child->GetFrameNumber(), 2u);
    EXPECT_EQ(child->GetFrameId(), VoFrame::HashOf(VoString(u"Child")));
    EXPECT_EQ(child->GetParent(), root);
}

TEST(VoDrawElementRaw, FramesLinkByNumberAndKeepTheFileOrder) {
    // 10 > (30, 20 > 40); 50 names a frame that does not exist.
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(5);
    Plain(raw, 10, 0, 30, "Root");
    Plain(raw, 20, 0, 40, "B");
    Plain(raw, 30, 20, 0, "A");
    Plain(raw, 40, 50, 50, "C");
    Plain(raw, 60, 0, 0, "Loose");
    VoDrawElement element;
    ASSERT_TRUE(LoadInto(element, bytes, 7));
    EXPECT_EQ(FrameNames(element), (Names{"Root", "B", "A", "C", "Loose"}));
    EXPECT_EQ(element.GetRenderMode(), 7);
    const VoFrame* root = element.GetRootFrame();
    EXPECT_EQ(NameOf(root->GetFirstChild()), "A");
    EXPECT_EQ(NameOf(root->GetFirstChild()->GetNextSibling()), "B");
    EXPECT_EQ(NameOf(root->GetFirstChild()->GetNextSibling()->GetFirstChild()), "C");
    EXPECT_EQ(NameOf(element.GetFrame(3)->GetNextSibling()), "-");
    EXPECT_EQ(NameOf(element.GetFrame(3)->GetParent()), "B");

    // Two frames numbered alike: the later one is linked.
    Bytes twice;
    RawFields again(twice);
    again.Header(3);
    Plain(again, 1, 0, 2, "Root");
    Plain(again, 2, 0, 0, "First");
    Plain(again, 2, 0, 0, "Second");
    VoDrawElement doubled;
    ASSERT_TRUE(LoadInto(doubled, twice));
    EXPECT_EQ(NameOf(doubled.GetRootFrame()->GetFirstChild()), "Second");
}

TEST(VoDrawElementRaw, LinksThatWouldLoopOrGiveAFrameASecondWayInAreRefused) {
    struct Case {
        const char* what;
        std::uint32_t links[4][2];  // sibling, child of frames 1..4
        int refused;
        Names rootWalk;  // the frames the tree walk reaches
    };
    const Case cases[] = {
        {"a frame naming itself", {{0, 1}, {0, 0}, {0, 0}, {0, 0}}, 0, {"f1"}},
        {"two links into one frame", {{0, 2}, {0, 0}, {0, 2}, {0, 0}}, 1, {"f1", "f2"}},
        {"a child loop below the root", {{0, 2}, {0, 3}, {0, 4}, {0, 2}}, 1, {"f1", "f2", "f3", "f4"}},
        {"a loop away from the root", {{0, 0}, {3, 0}, {0, 2}, {0, 0}}, 1, {"f1"}},
        {"a link back to the root", {{0, 2}, {1, 0}, {0, 0}, {0, 0}}, 1, {"f1", "f2"}},
    };
    for (const Case& c : cases) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(4);
        for (std::uint32_t i = 0; i < 4; ++i) {
            const std::string name = "f" + std::to_string(i + 1);
            raw.Frame(i + 1, Identity(), Identity(), c.links[i][0], c.links[i][1], i == 3 ? 1u : 0u, name);
            if (i == 3) {
                OneTriangleBody(raw);
            }
        }
        LogCapture log;
        VoDrawElement element;
        ASSERT_TRUE(LoadInto(element, bytes)) << c.what;
        EXPECT_EQ(log.Count(VoDrawElement::kLinkRefused), c.refused) << c.what;
        // Every walk ends: the tree's, the placing, the tree drawing.
        VoVector walked(8, 8);
        element.GetRootFrame()->CollectFrames(&walked);
        Names names;
        for (int i = 0; i < walked.GetCount(); ++i) {
            names.push_back(NameOf(static_cast<VoFrame*>(walked.GetAt(i))));
        }
        EXPECT_EQ(names, c.rootWalk) << c.what;
        EXPECT_TRUE(element.Update(nullptr));
        EXPECT_TRUE(element.Render());
    }
}

TEST(VoDrawElementRaw, ChainsOfChildrenDeeperThanTheWalksGoFailTheLoad) {
    auto chain = [](std::uint32_t aLevels) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(static_cast<std::int32_t>(aLevels));
        for (std::uint32_t i = 1; i <= aLevels; ++i) {
            Plain(raw, i, 0, i < aLevels ? i + 1 : 0, "f");
        }
        return bytes;
    };
    VoDrawElement element;
    EXPECT_TRUE(LoadInto(element, chain(VoMeshFile::kMaxFrameDepth)));
    LogCapture log;
    VoDrawElement deeper;
    EXPECT_FALSE(LoadInto(deeper, chain(VoMeshFile::kMaxFrameDepth + 1)));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDrawElement::kTooDeep));
    EXPECT_EQ(deeper.GetFrameCount(), 0);
}

TEST(VoDrawElementRaw, SkinnedMeshesTakeTheirBonesByFrameNumber) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(2).Frame(5, Identity(), Identity(), 0, 7, 0x0002, "Body");
    raw.field.U32(1);
    raw.Material(1.0f).LitVertices(3).Indices16({0, 1, 2});
    raw.field.U32(1).U32s({0, 0, 1, 0, 3});
    // One bone, named unlike its frame: it binds by number 7. The name has
    // no terminator in this record.
    raw.field.U32s({1, 99}).U32(4).Chars("Bone", 4).U32(3).U32s({0, 1, 2}).Floats({1, 1, 1}).U32(7);
    raw.Matrix(Translation(0, -1, 0));
    raw.Frame(7, Translation(0, 1, 0), Translation(0, 1, 0), 0, 0, 0, "Head");
    VoDrawElement element;
    ASSERT_TRUE(LoadInto(element, bytes));
    auto* skin = static_cast<VoSkinMesh*>(element.GetMesh(0));
    ASSERT_EQ(skin->GetBoneCount(), 1u);
    EXPECT_EQ(Narrow(skin->GetBone(0)->GetName()), "Bone");
    EXPECT_EQ(skin->GetBone(0)->GetFrameNumber(), 7u);
    EXPECT_EQ(skin->GetBone(0)->GetFrameMatrix(), &element.GetFrame(1)->GetAbsoluteMatrix());
    EXPECT_TRUE(skin->IsBound());

    element.GetFrame(1)->SetRelativeMatrix(Translation(0, 5, 0));
    element.Update(nullptr);
    ASSERT_TRUE(skin->UpdateSkin());
    const float* moved = static_cast<const float*>(skin->GetVertexBuffer()->GetVertex(1));
    EXPECT_FLOAT_EQ(moved[0], 1.0f);
    EXPECT_FLOAT_EQ(moved[1], 4.0f);
}

TEST(VoDrawElementRaw, RawSubsetsTakeTheirIndicesFromTheirStartWithTheBaseAdded) {
    for (bool wide : {false, true}) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(1).Frame(1, Identity(), Identity(), 0, 0, 0x0001, "Root");
        raw.field.U32(2);
        raw.Material(0.25f).Material(0.75f).Positions(6);
        const std::vector<std::uint16_t> indices = {9, 9, 9, 0, 1, 2, 1, 2, 3};
        if (wide) {
            raw.Indices32(std::vector<std::uint32_t>(indices.begin(), indices.end()));
        } else {
            raw.Indices16(indices);
        }
        // Material index (unused), start, triangles, base, vertices.
        raw.field.U32(2).U32s({1, 3, 1, 0, 3}).U32s({0, 6, 1, 2, 4});
        VoDrawElement element;
        ASSERT_TRUE(LoadInto(element, bytes)) << wide;
        const VoMesh* mesh = element.GetMesh(0);
        ASSERT_EQ(mesh->GetSubsetCount(), 2);
        const std::uint32_t expected[2][3] = {{0, 1, 2}, {3, 4, 5}};
        for (int s = 0; s < 2; ++s) {
            const VoMeshSubset* subset = mesh->GetSubset(s);
            ASSERT_NE(subset->GetIndexBuffer(), nullptr);
            EXPECT_EQ(subset->GetIndexBuffer()->GetCount(), 3);
            EXPECT_EQ(subset->GetIndexBuffer()->GetFormat(), mesh->GetIndexBuffer()->GetFormat());
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(subset->GetIndexBuffer()->GetIndex(i), expected[s][i]) << wide << s << i;
            }
            EXPECT_EQ(subset->GetStartIndex(), 0u);
            EXPECT_EQ(subset->GetBaseVertexIndex(), 0u);
            EXPECT_EQ(subset->GetTriangleCount(), 1u);
        }
        // Subset i takes material i, whatever its record says.
        EXPECT_EQ(mesh->GetSubset(0)->GetMaterial().GetDiffuse().fR, 0.25f);
        EXPECT_EQ(mesh->GetSubset(1)->GetMaterial().GetDiffuse().fR, 0.75f);
    }
}

TEST(VoDrawElementRaw, SubsetsOutsideTheIndicesFailTheLoad) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> records;
    };
    const Case cases[] = {{"past the end", {0, 4, 2, 0, 3}},
                          {"together more than the buffer", {0, 0, 2, 0, 3, 0, 0, 1, 0, 3}},
                          {"an index past 32 bits with its base", {0, 0, 1, 0xFFFFFFFFu, 3}}};
    for (const Case& c : cases) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(1).Frame(1, Identity(), Identity(), 0, 0, 0x0001, "Root");
        raw.field.U32(1);
        raw.Material(1.0f).Positions(4).Indices16({0, 1, 2, 1, 2, 3});
        raw.field.U32(static_cast<std::uint32_t>(c.records.size() / 5));
        for (std::uint32_t word : c.records) {
            raw.field.U32(word);
        }
        LogCapture log;
        VoDrawElement element;
        EXPECT_FALSE(LoadInto(element, bytes)) << c.what;
        EXPECT_TRUE(log.Contains(VoMesh::kSubsetRangeRefused)) << c.what;
        EXPECT_EQ(element.GetFrameCount(), 0) << c.what;
    }
}

TEST(VoDrawElementRaw, ASubsetBeyondTheMaterialsTakesADefaultOne) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(1).Frame(1, Identity(), Identity(), 0, 0, 0x0001, "Root");
    raw.field.U32(1);
    raw.Material(0.5f).Positions(4).Indices16({0, 1, 2, 1, 2, 3});
    raw.field.U32(2).U32s({0, 0, 1, 0, 3}).U32s({1, 3, 1, 0, 3});
    LogCapture log;
    VoDrawElement element;
    ASSERT_TRUE(LoadInto(element, bytes));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(VoMesh::kMaterialOutOfRange) + "1"));
    const VoMesh* mesh = element.GetMesh(0);
    EXPECT_EQ(mesh->GetSubset(0)->GetMaterial().GetDiffuse().fR, 0.5f);
    EXPECT_EQ(mesh->GetSubset(1)->GetMaterial().GetDiffuse(), VoMaterial().GetDiffuse());
}

TEST(VoDrawElementRaw, SubsetIndicesNarrowOnlyWhenEveryOneFitsSixteenBits) {
    RecordedDevice device;
    device->SetMaxVertexIndex((1u << 20) - 1);
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(1).Frame(1, Identity(), Identity(), 0, 0, 0x0001, "Root");
    raw.field.U32(0);
    raw.Positions(3).Indices32({0, 1, 2, 0, 1, 2});
    raw.field.U32(2).U32s({0, 0, 1, 0, 3}).U32s({0, 3, 1, 70000, 3});
    LogCapture log;
    VoDrawElement element;
    ASSERT_TRUE(LoadInto(element, bytes));
    const VoMesh* mesh = element.GetMesh(0);
    EXPECT_EQ(mesh->GetIndexBuffer()->GetFormat(), VoIndexBuffer::kFormat16);
    EXPECT_EQ(mesh->GetSubset(0)->GetIndexBuffer()->GetFormat(), VoIndexBuffer::kFormat16);
    EXPECT_EQ(mesh->GetSubset(1)->GetIndexBuffer()->GetFormat(), VoIndexBuffer::kFormat32);
    EXPECT_EQ(mesh->GetSubset(1)->GetIndexBuffer()->GetIndex(2), 70002u);
}

TEST(VoDrawElementRaw, TagGroupsAreBuiltInRenderModeZeroOnly) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(4);
    Plain(raw, 1, 2, 0, "WG_floor");
    Plain(raw, 2, 3, 0, "WGS_head");
    Plain(raw, 3, 4, 0, "W_x");
    Plain(raw, 4, 0, 0, "Wx");
    VoDrawElement listed;
    ASSERT_TRUE(LoadInto(listed, bytes, VoDrawElement::kRenderList));
    EXPECT_EQ(listed.GetTagGroupCount(0), 2);
    EXPECT_EQ(listed.GetTagGroupCount(3), 1);
    EXPECT_EQ(NameOf(listed.GetTagGroupFrame(3, 0)), "WGS_head");
    VoDrawElement tree;
    ASSERT_TRUE(LoadInto(tree, bytes, VoDrawElement::kRenderTree));
    EXPECT_EQ(tree.GetTagGroupCount(0), 0);
}

TEST(VoDrawElementRaw, AShortOrRefusedFileFailsAndLeavesTheElementAsItWas) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(2).Frame(1, Identity(), Identity(), 0, 2, 0x8102, "Body");
    raw.field.U32(1);
    raw.Material(1.0f).LitVertices(3).Indices16({0, 1, 2});
    raw.field.U32(1).U32s({0, 0, 1, 0, 3}).U32s({0, 1, 2});
    raw.field.U32s({1, 0}).U32(4).Chars("Head", 4).U32(1).U32(0).F32(1).U32(2);
    raw.Matrix(Identity());
    Plain(raw, 2, 0, 0, "Head");
    VoDrawElement fresh;
    ASSERT_TRUE(LoadInto(fresh, bytes));
    EXPECT_EQ(FrameNames(fresh), (Names{"Body", "Head"}));

    VoDrawElement kept;
    kept.SetRootFrame(NamedFrame(u"Before"));
    QuietLog quiet;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        for (bool hidden : {false, true}) {
            ASSERT_FALSE(LoadInto(kept, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)),
                                  VoDrawElement::kRenderTree, hidden))
                << size;
        }
    }
    EXPECT_EQ(FrameNames(kept), (Names{"Before"}));
}

TEST(VoDrawElementRaw, FrameCountsBeyondTheDataAreRefused) {
    for (std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
        Bytes bytes;
        RawFields raw(bytes);
        raw.Header(static_cast<std::int32_t>(count));
        Plain(raw, 1, 0, 0, "Only");
        LogCapture log;
        VoDrawElement element;
        EXPECT_FALSE(LoadInto(element, bytes)) << count;
        EXPECT_TRUE(log.Contains(VoMeshFile::kCountRefused)) << count;
    }
}

TEST(VoDrawElementRaw, LoadingAgainReplacesTheFramesWithAnAssertion) {
    Bytes bytes;
    RawFields raw(bytes);
    raw.Header(1);
    Plain(raw, 1, 0, 0, "Again");
    VoDrawElement element;
    element.SetRootFrame(NamedFrame(u"Before"));
    LogCapture log;
    ASSERT_TRUE(LoadInto(element, bytes));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_EQ(FrameNames(element), (Names{"Again"}));

    // No frames at all: "Frames undefined.", and still a load.
    Bytes empty;
    RawFields none(empty);
    none.Header(0);
    log.Clear();
    VoDrawElement nothing;
    ASSERT_TRUE(LoadInto(nothing, empty));
    EXPECT_EQ(nothing.GetFrameCount(), 0);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoDrawElement::kFramesUndefined));
}
