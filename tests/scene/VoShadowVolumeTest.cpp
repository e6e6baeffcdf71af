#include "scene/VoShadowVolume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "render/VoIndexBuffer.h"
#include "render/VoLight.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoCamera.h"
#include "scene/VoShadowEdge.h"
#include "scene/VoShadowFace.h"
#include "stdlib/VoMemoryStream.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/ShadowTestSupport.h"

namespace {

using Bytes = std::vector<unsigned char>;

VoLight LightAt(float aX, float aY, float aZ) {
    VoLight light(VoLight::kPoint);
    light.fPosition = VoVector3(aX, aY, aZ);
    return light;
}

VoVector3 Unit3(const VoVector3& aVector) {
    return aVector * (1.0f / aVector.Length());
}

int OpenEdges(const VoShadowVolume& aVolume) {
    int open = 0;
    for (std::int32_t i = 0; i < aVolume.GetEdgeCount(); ++i) {
        open += aVolume.GetEdge(i)->fFace1 == VoShadowEdge::kNoFace ? 1 : 0;
    }
    return open;
}

// The silhouette edges as pairs of their end positions, smaller end first.
std::set<std::pair<std::string, std::string>> SilhouetteOf(VoShadowVolume& aVolume) {
    auto text = [&aVolume](std::int32_t aIndex) {
        const VoVector3 p = PositionOf(aVolume.GetMesh(), aIndex);
        return std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + "," + std::to_string(int(p.z));
    };
    std::set<std::pair<std::string, std::string>> edges;
    for (std::int32_t i = 0; i < aVolume.GetEdgeCount(); ++i) {
        const VoShadowEdge* edge = aVolume.GetEdge(i);
        if (edge->fSilhouette) {
            const std::string a = text(edge->fA), b = text(edge->fB);
            edges.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
        }
    }
    return edges;
}

Bytes Written(VoShadowVolume& aVolume) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    EXPECT_TRUE(aVolume.Write(&stream));
    return Bytes(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
}

bool ReadBytes(VoShadowVolume& aVolume, const Bytes& aBytes) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    if (!aBytes.empty()) {
        stream.CreateFromBuffer(static_cast<std::int32_t>(aBytes.size()), aBytes.data());
    }
    return aVolume.Read(&stream);
}

void PutInt(Bytes* apBytes, std::int32_t aValue) {
    unsigned char bytes[4];
    std::memcpy(bytes, &aValue, 4);
    apBytes->insert(apBytes->end(), bytes, bytes + 4);
}

// The volume's file form, written out by hand.
Bytes VolumeBytes(const std::u16string& aName, const std::vector<std::vector<std::int32_t>>& aEdges,
                  const std::vector<std::vector<std::int32_t>>& aFaces) {
    Bytes bytes;
    PutInt(&bytes, static_cast<std::int32_t>(aName.size()));
    for (char16_t unit : aName + u'\0') {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    PutInt(&bytes, static_cast<std::int32_t>(aEdges.size()));
    for (const auto& edge : aEdges) {
        for (std::int32_t value : edge)
            PutInt(&bytes, value);
    }
    PutInt(&bytes, static_cast<std::int32_t>(aFaces.size()));
    for (const auto& face : aFaces) {
        for (std::int32_t value : face)
            PutInt(&bytes, value);
    }
    return bytes;
}

}  // namespace

TEST(VoShadowVolume, WeldedClosedCubeHasTwelveFacesAndEighteenSharedEdges) {
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    LogCapture log;
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
    EXPECT_EQ(volume.GetFaceCount(), 12);
    EXPECT_EQ(volume.GetEdgeCount(), 18);
    EXPECT_EQ(OpenEdges(volume), 0);
    EXPECT_EQ(volume.GetName(), VoString(u"Cube"));
    EXPECT_FALSE(log.Contains(VoShadowVolume::kNoDuplicates));
    // Only the eight welded corners are named, and every edge parts two faces.
    std::set<std::int32_t> corners;
    for (std::int32_t i = 0; i < volume.GetFaceCount(); ++i) {
        corners.insert({volume.GetFace(i)->fA, volume.GetFace(i)->fB, volume.GetFace(i)->fC});
    }
    EXPECT_EQ(corners.size(), 8u);
    for (std::int32_t i = 0; i < volume.GetEdgeCount(); ++i) {
        EXPECT_NE(volume.GetEdge(i)->fFace0, volume.GetEdge(i)->fFace1);
    }
}

TEST(VoShadowVolume, WithoutVertexMapOrItsEntryTheIndicesAreKept) {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    CubeGeometry(&vertices, &indices);
    VoMesh mesh;
    FillMesh(&mesh, vertices, indices, false);
    LogCapture log;
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), &mesh));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kNoDuplicates));
    // Each side alone: its two triangles share the diagonal, its border is open.
    EXPECT_EQ(volume.GetFaceCount(), 12);
    EXPECT_EQ(volume.GetEdgeCount(), 30);
    EXPECT_EQ(OpenEdges(volume), 24);

    // Entries naming no vertex weld nothing: the vertex keeps its index.
    std::vector<std::int32_t> map = VertexMapOf(vertices);
    map[9] = 24;
    map[10] = -3;
    mesh.SetVertexMap(static_cast<std::int32_t>(map.size()), map.data());
    log.Clear();
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), &mesh));
    EXPECT_TRUE(log.Contains(VoShadowVolume::kBadVertexMap));
    std::set<std::int32_t> named;
    for (std::int32_t i = 0; i < volume.GetFaceCount(); ++i) {
        named.insert({volume.GetFace(i)->fA, volume.GetFace(i)->fB, volume.GetFace(i)->fC});
    }
    EXPECT_TRUE(named.count(9) == 1 && named.count(10) == 1);
    EXPECT_LT(*named.rbegin(), 24);
}

TEST(VoShadowVolume, SilhouetteOfTheCubeForADiagonalAndAnAxisLight) {
    const struct {
        const char* name;
        VoLight light;
        std::set<std::pair<std::string, std::string>> silhouette;
    } cases[] = {
        // Three sides face the light: the six edges around them, none at the
        // corner nearest the light or the one farthest from it.
        {"diagonal",
         LightAt(10, 10, 10),
         {{"-1,-1,1", "-1,1,1"},
          {"-1,1,-1", "-1,1,1"},
          {"-1,1,-1", "1,1,-1"},
          {"1,-1,-1", "1,1,-1"},
          {"1,-1,-1", "1,-1,1"},
          {"-1,-1,1", "1,-1,1"}}},
        // One side faces the light: its four edges.
        {"axis",
         LightAt(0, 0, -10),
         {{"-1,1,-1", "1,1,-1"}, {"1,-1,-1", "1,1,-1"}, {"-1,-1,-1", "1,-1,-1"}, {"-1,-1,-1", "-1,1,-1"}}},
    };
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    for (const auto& c : cases) {
        VoShadowVolume volume;
        ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
        ASSERT_TRUE(volume.Update(&c.light, true)) << c.name;
        EXPECT_EQ(volume.GetSilhouetteCount(), static_cast<std::int32_t>(c.silhouette.size())) << c.name;
        EXPECT_EQ(SilhouetteOf(volume), c.silhouette) << c.name;
    }
}

TEST(VoShadowVolume, ExtrudedQuadsReachAwayFromTheLightAndWindAlike) {
    RecordingEngine engine;
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    VoCamera camera;
    const VoLight light = LightAt(10, 10, 10);
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
    ASSERT_TRUE(volume.Update(&light, true));
    ASSERT_TRUE(volume.BuildGeometry(&camera));
    VoVertexBuffer* quads = volume.GetVertexBuffer();
    VoIndexBuffer* indices = volume.GetIndexBuffer();
    ASSERT_NE(quads, nullptr);
    ASSERT_NE(indices, nullptr);
    EXPECT_EQ(quads->GetFormat(), 1);
    EXPECT_EQ(quads->GetVertexCount(), 24);
    EXPECT_EQ(indices->GetCount(), 36);
    auto at = [quads](std::uint32_t aIndex) {
        const auto* p = static_cast<const float*>(quads->GetVertex(static_cast<std::int32_t>(aIndex)));
        return VoVector3(p[0], p[1], p[2]);
    };
    // The volume's axis runs from the light through the cube's centre; each
    // quad's normal points the same way (all out or all in) from it.
    const VoVector3 axis = Unit3(VoVector3(0, 0, 0) - light.fPosition);
    float firstSide = 0.0f;
    for (std::int32_t q = 0; q < 6; ++q) {
        const std::uint32_t k = static_cast<std::uint32_t>(q) * 4;
        const std::uint32_t expected[6] = {k, k + 1, k + 3, k + 3, k + 2, k};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(indices->GetIndex(q * 6 + i), expected[i]);
        }
        for (std::uint32_t corner : {k, k + 1}) {
            const VoVector3 away = at(corner + 2) - at(corner);
            EXPECT_NEAR(away.Length(), VoShadowVolume::kExtrusion, 1e-2f);
            const VoVector3 fromLight = at(corner) - light.fPosition;
            EXPECT_NEAR(VoVector3::Dot(away, fromLight) / (away.Length() * fromLight.Length()), 1.0f, 1e-5f);
        }
        const VoVector3 middle = (at(k) + at(k + 1)) * 0.5f;
        const VoVector3 radial = middle - axis * VoVector3::Dot(middle, axis);
        const VoVector3 normal = VoVector3::Cross(at(k + 1) - at(k), at(k + 3) - at(k));
        const float side = VoVector3::Dot(normal, radial);
        firstSide = q == 0 ? side : firstSide;
        EXPECT_GT(side * firstSide, 0.0f) << "quad " << q;
    }
}

TEST(VoShadowVolume, SingleTriangleHasThreeOpenEdgesAllSilhouettes) {
    std::unique_ptr<VoMesh> mesh(TriangleMesh());
    for (const VoLight& light : {LightAt(0, 0, -5), LightAt(0, 0, 5), LightAt(3, 3, 0)}) {
        VoShadowVolume volume;
        ASSERT_TRUE(volume.Create(VoString(u"T"), mesh.get()));
        EXPECT_EQ(volume.GetFaceCount(), 1);
        EXPECT_EQ(volume.GetEdgeCount(), 3);
        EXPECT_EQ(OpenEdges(volume), 3);
        ASSERT_TRUE(volume.Update(&light, false));
        EXPECT_EQ(volume.GetSilhouetteCount(), 3);
    }
}

TEST(VoShadowVolume, EdgesJoinOnlyFacesRunningAlongThemInOppositeDirections) {
    const std::vector<MeshVertex> quad = {At(-1, 1, 0), At(1, 1, 0), At(-1, -1, 0), At(1, -1, 0)};
    const struct {
        const char* name;
        std::vector<std::uint16_t> indices;
        bool strips;
        std::int32_t faces, edges, open;
    } cases[] = {
        {"opposite directions", {0, 1, 2, 2, 1, 3}, false, 2, 5, 4},
        {"same direction", {0, 1, 2, 1, 2, 3}, false, 2, 6, 6},
        // A strip's odd triangle turns round: (1, 2, 3) is drawn as 2, 1, 3.
        {"strip", {0, 1, 2, 3}, true, 2, 5, 4},
        // Welding shrinks it to a line: drawn as nothing, left out.
        {"degenerate", {0, 1, 2, 0, 0, 3}, false, 1, 3, 3},
        // A third face running 2 to 1 finds that edge taken: it gets one of
        // its own; its other two edges close the first face's.
        {"three along one edge", {0, 1, 2, 2, 1, 3, 2, 1, 0}, false, 3, 6, 3},
    };
    for (const auto& c : cases) {
        VoMesh mesh;
        FillMesh(&mesh, quad, c.indices);
        if (c.strips) {
            mesh.SetFlags(VoMesh::kStrips);
            mesh.GetSubset(0)->SetTriangleCount(static_cast<std::uint32_t>(c.indices.size() - 2));
        }
        VoShadowVolume volume;
        ASSERT_TRUE(volume.Create(VoString(u"Q"), &mesh)) << c.name;
        EXPECT_EQ(volume.GetFaceCount(), c.faces) << c.name;
        EXPECT_EQ(volume.GetEdgeCount(), c.edges) << c.name;
        EXPECT_EQ(OpenEdges(volume), c.open) << c.name;
    }
}

TEST(VoShadowVolume, CreateWalksEachSubsetsOwnTrianglesAsTheyAreDrawn) {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    CubeGeometry(&vertices, &indices);
    VoMesh mesh;
    mesh.SetVertexBuffer(MeshVertices(vertices));
    // The mesh-wide indices name only the first side: a walk of them would
    // miss the rest of the cube.
    mesh.SetIndexBuffer(MeshIndices({0, 1, 2, 2, 1, 3}));
    const std::vector<std::int32_t> map = VertexMapOf(vertices);
    mesh.SetVertexMap(static_cast<std::int32_t>(map.size()), map.data());
    mesh.SetFlags(VoMesh::kIndexed);
    // Sides 0 to 2 from index 0; sides 3 to 5 from index 3 of a buffer that
    // starts with three unused indices, each moved by the base vertex 12.
    auto* first = new VoMeshSubset();
    first->SetTriangleCount(6);
    first->SetIndexBuffer(MeshIndices(std::vector<std::uint16_t>(indices.begin(), indices.begin() + 18)));
    mesh.AddSubset(first);
    std::vector<std::uint16_t> second = {99, 99, 99};
    for (std::size_t i = 18; i < indices.size(); ++i) {
        second.push_back(static_cast<std::uint16_t>(indices[i] - 12));
    }
    auto* later = new VoMeshSubset();
    later->SetTriangleCount(6);
    later->SetStartIndex(3);
    later->SetBaseVertexIndex(12);
    later->SetIndexBuffer(MeshIndices(second));
    mesh.AddSubset(later);

    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), &mesh));
    EXPECT_EQ(volume.GetFaceCount(), 12);
    EXPECT_EQ(volume.GetEdgeCount(), 18);
    EXPECT_EQ(OpenEdges(volume), 0);
}

TEST(VoShadowVolume, CreateRefusesWhatItCannotWalkAndKeepsTheOldVolume) {
    const struct {
        const char* name;
        VoMesh* (*make)();
        const char* message;
    } cases[] = {
        {"null mesh", []() -> VoMesh* { return nullptr; }, VoShadowVolume::kCreateNull},
        {"no vertex buffer", []() { return new VoMesh(); }, VoShadowVolume::kCreationFailure},
        {"subset past its indices",
         []() {
             VoMesh* mesh = CubeMesh();
             mesh->GetSubset(0)->SetTriangleCount(13);
             return mesh;
         },
         VoShadowVolume::kSubsetPastIndices},
        {"index past the vertices",
         []() {
             VoMesh* mesh = CubeMesh();
             mesh->GetSubset(0)->GetIndexBuffer()->SetIndex(4, 24);
             return mesh;
         },
         VoShadowVolume::kIndexPastVertices},
        {"base vertex past the vertices",
         []() {
             VoMesh* mesh = CubeMesh();
             mesh->GetSubset(0)->SetBaseVertexIndex(20);
             return mesh;
         },
         VoShadowVolume::kIndexPastVertices},
    };
    std::unique_ptr<VoMesh> good(CubeMesh());
    for (const auto& c : cases) {
        VoShadowVolume volume;
        ASSERT_TRUE(volume.Create(VoString(u"Cube"), good.get()));
        std::unique_ptr<VoMesh> bad(c.make());
        LogCapture log;
        EXPECT_FALSE(volume.Create(VoString(u"Other"), bad.get())) << c.name;
        EXPECT_TRUE(log.Contains(c.message)) << c.name;
        EXPECT_EQ(volume.GetFaceCount(), 12) << c.name;
        EXPECT_EQ(volume.GetEdgeCount(), 18) << c.name;
        EXPECT_EQ(volume.GetMesh(), good.get()) << c.name;
        EXPECT_EQ(volume.GetName(), VoString(u"Cube")) << c.name;
    }
}

TEST(VoShadowVolume, UpdateReadsThePositionsAsTheMeshHoldsThemNow) {
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    const VoLight light = LightAt(0, 0, -10);
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
    ASSERT_TRUE(volume.Update(&light, true));
    EXPECT_EQ(volume.GetSilhouetteCount(), 4);
    // As a skin update would: the vertices move in place, 5 to the right;
    // the light now also sees the left side.
    VoVertexBuffer* vertices = mesh->GetVertexBuffer();
    for (std::int32_t i = 0; i < vertices->GetVertexCount(); ++i) {
        static_cast<float*>(vertices->GetVertex(i))[0] += 5.0f;
    }
    ASSERT_TRUE(volume.Update(&light, true));
    EXPECT_EQ(volume.GetSilhouetteCount(), 6);

    // A vertex buffer that no longer holds the cube's corners is not read.
    std::vector<MeshVertex> fewer(4, At(0, 0, 0));
    mesh->SetVertexBuffer(MeshVertices(fewer));
    LogCapture log;
    EXPECT_FALSE(volume.Update(&light, true));
    EXPECT_TRUE(log.Contains(VoShadowVolume::kVerticesGone));
    log.Clear();
    EXPECT_FALSE(volume.Update(nullptr, true));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kUpdateNull));
}

TEST(VoShadowVolume, RenderCountsBothPassesIntoTheStencil) {
    RecordingEngine engine;
    RecordingRasterizer* raster = engine.Rasterizer();
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    VoCamera camera;
    const VoLight light = LightAt(0, 0, -10);
    VoShadowVolume volume;
    EXPECT_FALSE(volume.Render(0.25f));
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
    ASSERT_TRUE(volume.Update(&light, true));
    raster->ClearCalls();
    ASSERT_TRUE(volume.BuildGeometry(&camera));
    // The camera's three transforms first.
    EXPECT_EQ(raster->Count("SetTransform"), 3);
    raster->ClearCalls();
    ASSERT_TRUE(volume.Render(0.25f));
    const std::vector<std::string> pass = {"SetStencilFunction(7, 0, 0, 1.67772e+07)",
                                           "SetStencilFail(0)",
                                           "SetStencilZFail(0)",
                                           "",
                                           "SetVertexBuffer(1, 16)",
                                           "SetIndexBuffer(buffer)",
                                           "DrawIndexed(3, 8, 16, 0, 0)"};
    std::vector<std::string> expected = {"SetFillMode(2)", "SetTransform(0)", "SetCullMode(1)"};
    for (const std::string& text : pass)
        expected.push_back(text.empty() ? "SetStencilPass(6)" : text);
    expected.push_back("SetCullMode(2)");
    for (const std::string& text : pass)
        expected.push_back(text.empty() ? "SetStencilPass(7)" : text);
    EXPECT_EQ(raster->Texts(), expected);
    EXPECT_EQ(raster->Last("SetStencilFunction")->arguments[3], double(VoShadowVolume::kStencilMask));
    VoMatrix identity;
    MatrixIdentity(&identity);
    EXPECT_TRUE(MatrixNear(raster->Last("SetTransform")->matrix, identity));

    raster->SetResult("DrawIndexed", false);
    EXPECT_FALSE(volume.Render(0.25f));
}

TEST(VoShadowVolume, NoSilhouetteBuildsNothingAndSaysNothing) {
    RecordingEngine engine;
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    VoCamera camera;
    // From inside the closed cube every face is turned away.
    const VoLight light = LightAt(0, 0, 0);
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), mesh.get()));
    ASSERT_TRUE(volume.Update(&light, true));
    EXPECT_EQ(volume.GetSilhouetteCount(), 0);
    LogCapture log;
    EXPECT_TRUE(volume.BuildGeometry(&camera));
    EXPECT_EQ(volume.GetVertexBuffer(), nullptr);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(volume.BuildGeometry(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kBuildNull));
}

TEST(VoShadowVolume, WritesTheCacheFormByteForByte) {
    std::unique_ptr<VoMesh> triangle(TriangleMesh());
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"T"), triangle.get()));
    const Bytes expected = VolumeBytes(u"T", {{0, 1, 0, -1}, {1, 2, 0, -1}, {2, 0, 0, -1}}, {{0, 1, 2}});
    EXPECT_EQ(expected.size(), 8u + 4 + 3 * 16 + 4 + 12);
    EXPECT_EQ(Written(volume), expected);

    // The cube under a four-letter name: 14 + 4 + 18 x 16 + 4 + 12 x 12 bytes.
    std::unique_ptr<VoMesh> cube(CubeMesh());
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), cube.get()));
    EXPECT_EQ(Written(volume).size(), 454u);
}

TEST(VoShadowVolume, ReadBackAndBoundGivesTheSameTopologyAndSilhouette) {
    std::unique_ptr<VoMesh> mesh(CubeMesh());
    const VoLight light = LightAt(10, 10, 10);
    VoShadowVolume created;
    ASSERT_TRUE(created.Create(VoString(u"Cube"), mesh.get()));
    ASSERT_TRUE(created.Update(&light, true));
    const Bytes bytes = Written(created);

    VoShadowVolume read;
    ASSERT_TRUE(ReadBytes(read, bytes));
    EXPECT_EQ(read.GetName(), VoString(u"Cube"));
    EXPECT_EQ(read.GetMesh(), nullptr);
    LogCapture log;
    EXPECT_FALSE(read.Update(&light, true));
    EXPECT_TRUE(log.Contains(VoShadowVolume::kNoMesh));
    ASSERT_TRUE(read.SetMesh(mesh.get()));
    ASSERT_TRUE(read.Update(&light, true));
    EXPECT_EQ(Written(read), bytes);
    EXPECT_EQ(read.GetSilhouetteCount(), created.GetSilhouetteCount());
    EXPECT_EQ(SilhouetteOf(read), SilhouetteOf(created));
}

TEST(VoShadowVolume, ReadRefusesUntrustedBytesAndKeepsTheVolume) {
    const Bytes good = VolumeBytes(u"T", {{0, 1, 0, -1}, {1, 2, 0, -1}, {2, 0, 0, -1}}, {{0, 1, 2}});
    Bytes hugeEdges = VolumeBytes(u"T", {}, {{0, 1, 2}});
    std::int32_t huge = 0x10000000;
    std::memcpy(&hugeEdges[8], &huge, 4);
    Bytes negativeFaces = VolumeBytes(u"T", {}, {});
    std::int32_t negative = -1;
    std::memcpy(&negativeFaces[12], &negative, 4);
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"edge count beyond the bytes", hugeEdges},
        {"negative face count", negativeFaces},
        {"face past the faces", VolumeBytes(u"T", {{0, 1, 1, -1}}, {{0, 1, 2}})},
        {"other face past the faces", VolumeBytes(u"T", {{0, 1, 0, 1}}, {{0, 1, 2}})},
        {"other face below -1", VolumeBytes(u"T", {{0, 1, 0, -2}}, {{0, 1, 2}})},
        {"negative vertex", VolumeBytes(u"T", {{0, 1, 0, -1}}, {{0, -1, 2}})},
        {"negative edge vertex", VolumeBytes(u"T", {{-5, 1, 0, -1}}, {{0, 1, 2}})},
    };
    std::unique_ptr<VoMesh> cube(CubeMesh());
    std::vector<std::pair<std::string, Bytes>> all;
    for (const auto& c : cases)
        all.emplace_back(c.name, c.bytes);
    for (std::size_t length = 0; length < good.size(); ++length) {
        all.emplace_back("cut to " + std::to_string(length), Bytes(good.begin(), good.begin() + length));
    }
    for (const auto& c : all) {
        VoShadowVolume volume;
        ASSERT_TRUE(volume.Create(VoString(u"Cube"), cube.get()));
        LogCapture log;
        EXPECT_FALSE(ReadBytes(volume, c.second)) << c.first;
        EXPECT_TRUE(log.Logged("ERROR: ", VoShadowVolume::kReadRefused)) << c.first;
        EXPECT_EQ(volume.GetFaceCount(), 12) << c.first;
        EXPECT_EQ(volume.GetMesh(), cube.get()) << c.first;
    }
}

TEST(VoShadowVolume, SetMeshRefusesIndicesPastTheMeshsVertices) {
    // Vertex 3 of a triangle's three.
    const Bytes bytes = VolumeBytes(u"T", {{0, 1, 0, -1}, {1, 3, 0, -1}, {3, 0, 0, -1}}, {{0, 1, 3}});
    std::unique_ptr<VoMesh> triangle(TriangleMesh());
    VoShadowVolume volume;
    LogCapture log;
    EXPECT_FALSE(volume.SetMesh(triangle.get()));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kSetMeshNoTopology));
    ASSERT_TRUE(ReadBytes(volume, bytes));
    log.Clear();
    EXPECT_FALSE(volume.SetMesh(triangle.get()));
    EXPECT_TRUE(log.Contains(VoShadowVolume::kSetMeshIndexPastVertices));
    EXPECT_FALSE(volume.SetMesh(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kSetMeshNull));
    VoMesh bare;
    EXPECT_FALSE(volume.SetMesh(&bare));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoShadowVolume::kSetMeshNoVertexBuffer));
    std::unique_ptr<VoMesh> cube(CubeMesh());
    EXPECT_TRUE(volume.SetMesh(cube.get()));
}
