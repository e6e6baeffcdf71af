#include "scene/VoShadowVolume.h"

#include <cmath>
#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoCamera.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoShadowEdge.h"
#include "scene/VoShadowFace.h"
#include "stdlib/VoIStream.h"

namespace {

// A list that grows through the engine's allocator; Release hands its array over.
template <typename Item>
class GrowingList {
public:
    GrowingList(std::int32_t aCapacity, std::int32_t aGrowth) : fCapacity(aCapacity), fGrowth(aGrowth) {}
    ~GrowingList() { delete[] fpItems; }
    GrowingList(const GrowingList&) = delete;
    GrowingList& operator=(const GrowingList&) = delete;

    // False when memory runs out or the count would pass the i32 range.
    bool Add(const Item& aItem) {
        if (fpItems == nullptr || fCount == fCapacity) {
            const std::int64_t grown = fpItems == nullptr
                                           ? fCapacity
                                           : static_cast<std::int64_t>(fCapacity) +
                                                 (fGrowth > fCapacity / 2 ? fGrowth : fCapacity / 2);
            if (grown > 0x7FFFFFFF || grown <= fCount) {
                return false;
            }
            Item* items = VO_NEW Item[static_cast<std::size_t>(grown)];
            if (items == nullptr) {
                return false;
            }
            for (std::int32_t i = 0; i < fCount; ++i) {
                items[i] = fpItems[i];
            }
            delete[] fpItems;
            fpItems = items;
            fCapacity = static_cast<std::int32_t>(grown);
        }
        fpItems[fCount++] = aItem;
        return true;
    }
    Item& operator[](std::int32_t aIndex) { return fpItems[aIndex]; }
    std::int32_t Count() const { return fCount; }
    // The array (the caller's, delete[]), null when empty; the list is empty after.
    Item* Release() {
        Item* items = fpItems;
        fpItems = nullptr;
        fCount = 0;
        return items;
    }

private:
    Item* fpItems = nullptr;  // owned
    std::int32_t fCount = 0;
    std::int32_t fCapacity;
    std::int32_t fGrowth;
};

VoVector3 PositionAt(const unsigned char* apBase, std::int32_t aStride, std::int32_t aIndex) {
    float xyz[3];
    std::memcpy(xyz, apBase + static_cast<std::ptrdiff_t>(aIndex) * aStride, sizeof xyz);
    return VoVector3(xyz[0], xyz[1], xyz[2]);
}

// Unit length; the zero vector (a face without area, a vertex at the light)
// stays zero, and nothing is logged: this runs for every face every frame.
VoVector3 Unit(const VoVector3& aVector) {
    const float squared = aVector.LengthSquared();
    return squared > 0.0f ? aVector * (1.0f / std::sqrt(squared)) : VoVector3(0.0f, 0.0f, 0.0f);
}

// The welding of vertex indices through the mesh's duplicate table.
class Welder {
public:
    Welder(const VoMesh& aMesh, std::int32_t aVertexCount)
        : fpMap(aMesh.GetVertexMap()), fMapCount(aMesh.GetVertexMapCount()), fVertexCount(aVertexCount) {}

    bool HasMap() const { return fpMap != nullptr; }
    // The vertex that aIndex duplicates; aIndex itself past the map or for
    // an entry outside the vertices (counted).
    std::int32_t Weld(std::int32_t aIndex) {
        if (fpMap == nullptr || aIndex >= fMapCount) {
            return aIndex;
        }
        const std::int32_t welded = fpMap[aIndex];
        if (welded < 0 || welded >= fVertexCount) {
            ++fBadEntries;
            return aIndex;
        }
        return welded;
    }
    std::int32_t BadEntries() const { return fBadEntries; }

private:
    const std::int32_t* fpMap;  // not owned: the mesh's
    std::int32_t fMapCount;
    std::int32_t fVertexCount;
    std::int32_t fBadEntries = 0;
};

// The faces and edges as Create gathers them, with each vertex's list of the
// edges registered under it (an edge from a to b is registered under b,
// with a as the neighbour).
class TopologyBuilder {
public:
    explicit TopologyBuilder(std::int32_t aVertexCount)
        : fFaces(VoShadowVolume::kFaceCapacity, VoShadowVolume::kListGrowth),
          fEdges(VoShadowVolume::kEdgeCapacity, VoShadowVolume::kListGrowth),
          fNextUnderVertex(VoShadowVolume::kEdgeCapacity, VoShadowVolume::kListGrowth),
          fpFirstUnderVertex(aVertexCount > 0 ? VO_NEW std::int32_t[static_cast<std::size_t>(aVertexCount)]
                                              : nullptr) {
        for (std::int32_t i = 0; fpFirstUnderVertex != nullptr && i < aVertexCount; ++i) {
            fpFirstUnderVertex[i] = -1;
        }
        fReady = aVertexCount <= 0 || fpFirstUnderVertex != nullptr;
    }
    ~TopologyBuilder() { delete[] fpFirstUnderVertex; }
    TopologyBuilder(const TopologyBuilder&) = delete;
    TopologyBuilder& operator=(const TopologyBuilder&) = delete;

    bool IsReady() const { return fReady; }

    // Adds the face of three welded indices and its edges; one that welding
    // shrank to a line draws nothing and is skipped. False when memory runs out.
    bool AddFace(std::int32_t aA, std::int32_t aB, std::int32_t aC) {
        if (aA == aB || aB == aC || aC == aA) {
            return true;
        }
        const std::int32_t face = fFaces.Count();
        VoShadowFace record;
        record.fA = aA;
        record.fB = aB;
        record.fC = aC;
        if (!fFaces.Add(record)) {
            return false;
        }
        return AddEdge(aA, aB, face) && AddEdge(aB, aC, face) && AddEdge(aC, aA, face);
    }

    GrowingList<VoShadowFace>& Faces() { return fFaces; }
    GrowingList<VoShadowEdge>& Edges() { return fEdges; }

private:
    // The face runs from a to b. An edge that another face created running
    // from b to a, and that no third face took yet, is shared; otherwise a
    // new edge, open until such a face comes.
    bool AddEdge(std::int32_t aA, std::int32_t aB, std::int32_t aFace) {
        for (std::int32_t e = fpFirstUnderVertex[aA]; e >= 0; e = fNextUnderVertex[e]) {
            VoShadowEdge& edge = fEdges[e];
            if (edge.fA == aB && edge.fFace0 != aFace && edge.fFace1 == VoShadowEdge::kNoFace) {
                edge.fFace1 = aFace;
                return true;
            }
        }
        VoShadowEdge edge;
        edge.fA = aA;
        edge.fB = aB;
        edge.fFace0 = aFace;
        if (!fEdges.Add(edge) || !fNextUnderVertex.Add(fpFirstUnderVertex[aB])) {
            return false;
        }
        fpFirstUnderVertex[aB] = fEdges.Count() - 1;
        return true;
    }

    GrowingList<VoShadowFace> fFaces;
    GrowingList<VoShadowEdge> fEdges;
    GrowingList<std::int32_t> fNextUnderVertex;  // by edge: the next edge under the same vertex
    std::int32_t* fpFirstUnderVertex;            // owned; by vertex, -1 for none
    bool fReady = false;
};

// The triangles one subset draws, as its draw call reads them.
class SubsetTriangles {
public:
    SubsetTriangles(const VoMeshSubset& aSubset, std::uint32_t aMeshFlags)
        : fpIndices((aMeshFlags & VoMesh::kIndexed) != 0 ? aSubset.GetIndexBuffer() : nullptr),
          fIndexed((aMeshFlags & VoMesh::kIndexed) != 0),
          fStrips((aMeshFlags & VoMesh::kStrips) != 0),
          fStart(aSubset.GetStartIndex()),
          fBase(static_cast<std::int32_t>(aSubset.GetBaseVertexIndex())),
          fCount(aSubset.GetTriangleCount()) {}

    // An indexed subset without indices draws nothing.
    bool DrawsNothing() const { return fCount == 0 || (fIndexed && fpIndices == nullptr); }
    // The index positions the draw reads lie within the index buffer (always
    // for an unindexed draw, whose vertices are checked one by one).
    bool WithinIndices() const {
        if (!fIndexed) {
            return true;
        }
        const std::uint64_t used = fStrips ? static_cast<std::uint64_t>(fCount) + 2 : 3ull * fCount;
        return static_cast<std::uint64_t>(fStart) + used <= static_cast<std::uint64_t>(fpIndices->GetCount());
    }
    std::uint32_t Count() const { return fCount; }
    // The vertex at corner aCorner (0..2) of triangle aTriangle, before
    // welding; an odd strip triangle runs round the other way.
    std::int64_t Vertex(std::uint32_t aTriangle, int aCorner) const {
        std::uint64_t position = 0;
        if (fStrips) {
            const bool odd = (aTriangle & 1u) != 0;
            const int corner = odd && aCorner < 2 ? 1 - aCorner : aCorner;
            position = static_cast<std::uint64_t>(fStart) + aTriangle + static_cast<std::uint32_t>(corner);
        } else {
            position =
                static_cast<std::uint64_t>(fStart) + 3ull * aTriangle + static_cast<std::uint32_t>(aCorner);
        }
        if (!fIndexed) {
            return static_cast<std::int64_t>(position);
        }
        return static_cast<std::int64_t>(fpIndices->GetIndex(static_cast<std::int32_t>(position))) + fBase;
    }

private:
    const VoIndexBuffer* fpIndices;  // not owned: the subset's
    bool fIndexed;
    bool fStrips;
    std::uint32_t fStart;
    std::int32_t fBase;
    std::uint32_t fCount;
};

// Reads an i32 count of records of aRecordSize bytes each and refuses one
// that is negative or whose records could not be in the bytes left (or,
// where the stream cannot tell, in the most one read may take).
bool ReadCount(VoIStream* apStream, std::uint32_t aRecordSize, std::uint32_t aAfter, std::int32_t* apCount) {
    std::int32_t count = 0;
    if (!apStream->ReadInt(&count) || count < 0) {
        return false;
    }
    const std::int64_t remaining = apStream->GetRemaining();
    const std::int64_t limit =
        remaining >= 0 ? remaining : static_cast<std::int64_t>(VoIStream::kMaxUnsizedRead);
    if (static_cast<std::int64_t>(count) * aRecordSize + aAfter > limit) {
        return false;
    }
    *apCount = count;
    return true;
}

}  // namespace

VoShadowVolume::VoShadowVolume() = default;

VoShadowVolume::~VoShadowVolume() {
    delete[] fpFaces;
    delete[] fpEdges;
    FreeGeometry();
    fpMesh = nullptr;
}

VoString VoShadowVolume::ToString() const {
    return VoDebugString("VoShadowVolume", this);
}

const VoShadowFace* VoShadowVolume::GetFace(std::int32_t aIndex) const {
    return aIndex >= 0 && aIndex < fFaceCount ? &fpFaces[aIndex] : nullptr;
}

const VoShadowEdge* VoShadowVolume::GetEdge(std::int32_t aIndex) const {
    return aIndex >= 0 && aIndex < fEdgeCount ? &fpEdges[aIndex] : nullptr;
}

void VoShadowVolume::FreeGeometry() {
    delete fpVertexBuffer;
    fpVertexBuffer = nullptr;
    delete fpIndexBuffer;
    fpIndexBuffer = nullptr;
}

void VoShadowVolume::Adopt(VoShadowFace* apFaces, std::int32_t aFaceCount, VoShadowEdge* apEdges,
                           std::int32_t aEdgeCount) {
    delete[] fpFaces;
    delete[] fpEdges;
    fpFaces = apFaces;
    fFaceCount = aFaceCount;
    fpEdges = apEdges;
    fEdgeCount = aEdgeCount;
    fSilhouetteCount = 0;
    fMaxIndex = -1;
    for (std::int32_t i = 0; i < fFaceCount; ++i) {
        const VoShadowFace& face = fpFaces[i];
        const std::int32_t largest = face.fA > face.fB ? (face.fA > face.fC ? face.fA : face.fC)
                                                       : (face.fB > face.fC ? face.fB : face.fC);
        fMaxIndex = largest > fMaxIndex ? largest : fMaxIndex;
    }
    for (std::int32_t i = 0; i < fEdgeCount; ++i) {
        const VoShadowEdge& edge = fpEdges[i];
        const std::int32_t largest = edge.fA > edge.fB ? edge.fA : edge.fB;
        fMaxIndex = largest > fMaxIndex ? largest : fMaxIndex;
    }
    FreeGeometry();
}

bool VoShadowVolume::Create(const VoString& aName, VoMesh* apMesh) {
    if (apMesh == nullptr) {
        VO_ASSERT_FAILURE(kCreateNull);
        return false;
    }
    VoVertexBuffer* vertices = apMesh->GetVertexBuffer();
    if (vertices == nullptr) {
        VO_ASSERT_FAILURE(kCreationFailure);
        return false;
    }
    const std::int32_t vertexCount = vertices->GetVertexCount();
    Welder welder(*apMesh, vertexCount);
    if (!welder.HasMap()) {
        VO_ASSERT_FAILURE(kNoDuplicates);
    }
    TopologyBuilder builder(vertexCount);
    if (!builder.IsReady()) {
        VO_ASSERT_FAILURE(kCreationFailure);
        return false;
    }
    const std::uint32_t flags = apMesh->GetFlags();
    for (std::int32_t s = 0; s < apMesh->GetSubsetCount(); ++s) {
        const VoMeshSubset* subset = apMesh->GetSubset(s);
        if (subset == nullptr) {
            VO_ASSERT_FAILURE(kInvalidSubset);
            return false;
        }
        const SubsetTriangles triangles(*subset, flags);
        if (triangles.DrawsNothing()) {
            continue;
        }
        if (!triangles.WithinIndices()) {
            VO_ASSERT_FAILURE(kSubsetPastIndices, s);
            return false;
        }
        for (std::uint32_t t = 0; t < triangles.Count(); ++t) {
            std::int32_t welded[3];
            for (int corner = 0; corner < 3; ++corner) {
                const std::int64_t vertex = triangles.Vertex(t, corner);
                if (vertex < 0 || vertex >= vertexCount) {
                    VO_ASSERT_FAILURE(kIndexPastVertices, static_cast<long long>(vertex));
                    return false;
                }
                welded[corner] = welder.Weld(static_cast<std::int32_t>(vertex));
            }
            if (!builder.AddFace(welded[0], welded[1], welded[2])) {
                VO_ASSERT_FAILURE(kCreationFailure);
                return false;
            }
        }
    }
    if (welder.BadEntries() > 0) {
        VO_ASSERT_FAILURE(kBadVertexMap, welder.BadEntries());
    }
    const std::int32_t faceCount = builder.Faces().Count();
    const std::int32_t edgeCount = builder.Edges().Count();
    Adopt(builder.Faces().Release(), faceCount, builder.Edges().Release(), edgeCount);
    fpMesh = apMesh;
    fName = aName;
    return true;
}

bool VoShadowVolume::SetMesh(VoMesh* apMesh) {
    if (fpFaces == nullptr || fpEdges == nullptr) {
        VO_ASSERT_FAILURE(kSetMeshNoTopology);
        return false;
    }
    if (apMesh == nullptr) {
        VO_ASSERT_FAILURE(kSetMeshNull);
        return false;
    }
    const VoVertexBuffer* vertices = apMesh->GetVertexBuffer();
    if (vertices == nullptr) {
        VO_ASSERT_FAILURE(kSetMeshNoVertexBuffer);
        return false;
    }
    if (fMaxIndex >= vertices->GetVertexCount()) {
        VO_ASSERT_FAILURE(kSetMeshIndexPastVertices, fMaxIndex);
        return false;
    }
    fpMesh = apMesh;
    fSilhouetteCount = 0;
    FreeGeometry();
    return true;
}

bool VoShadowVolume::Positions(const unsigned char** appPositions, std::int32_t* apStride) const {
    if (fpMesh == nullptr) {
        VO_ASSERT_FAILURE(kNoMesh);
        return false;
    }
    VoVertexBuffer* vertices = fpMesh->GetVertexBuffer();
    if (fMaxIndex < 0) {
        // No vertex is named: nothing will be read.
        *appPositions = nullptr;
        *apStride = 0;
        return true;
    }
    const unsigned char* first =
        vertices != nullptr && fMaxIndex < vertices->GetVertexCount() && vertices->GetStride() >= 12
            ? static_cast<const unsigned char*>(vertices->GetVertex(0))
            : nullptr;
    if (first == nullptr) {
        VO_ASSERT_FAILURE(kVerticesGone, vertices != nullptr ? vertices->GetVertexCount() : 0);
        return false;
    }
    *appPositions = first;
    *apStride = vertices->GetStride();
    return true;
}

bool VoShadowVolume::Update(const VoLight* apLight, bool) {
    if (apLight == nullptr) {
        VO_ASSERT_FAILURE(kUpdateNull);
        return false;
    }
    std::int32_t stride = 0;
    const unsigned char* positions = nullptr;
    if (!Positions(&positions, &stride)) {
        return false;
    }
    fLight = *apLight;
    const VoVector3& light = fLight.fPosition;
    for (std::int32_t i = 0; i < fFaceCount; ++i) {
        VoShadowFace& face = fpFaces[i];
        const VoVector3 p0 = PositionAt(positions, stride, face.fA);
        const VoVector3 p1 = PositionAt(positions, stride, face.fB);
        const VoVector3 p2 = PositionAt(positions, stride, face.fC);
        face.fNormal = Unit(VoVector3::Cross(p0 - p1, p2 - p1));
        face.fDistance = VoVector3::Dot(p0 - light, face.fNormal);
        face.fAway = face.fDistance > 0.0f;
    }
    fSilhouetteCount = 0;
    for (std::int32_t i = 0; i < fEdgeCount; ++i) {
        VoShadowEdge& edge = fpEdges[i];
        if (edge.fFace1 == VoShadowEdge::kNoFace) {
            edge.fSilhouette = true;
        } else {
            // One face towards the light (d < 0) and one not.
            const bool towards0 = fpFaces[edge.fFace0].fDistance < 0.0f;
            const bool towards1 = fpFaces[edge.fFace1].fDistance < 0.0f;
            edge.fSilhouette = towards0 != towards1;
        }
        fSilhouetteCount += edge.fSilhouette ? 1 : 0;
    }
    return true;
}

bool VoShadowVolume::BuildGeometry(VoCamera* apCamera) {
    if (apCamera == nullptr) {
        VO_ASSERT_FAILURE(kBuildNull);
        return false;
    }
    bool built = apCamera->Apply();
    FreeGeometry();
    if (fSilhouetteCount == 0) {
        return built;
    }
    std::int32_t stride = 0;
    const unsigned char* positions = nullptr;
    if (!Positions(&positions, &stride)) {
        return false;
    }
    const std::size_t quads = static_cast<std::size_t>(fSilhouetteCount);
    float* quadVertices = VO_NEW float[quads * 4 * 3];
    std::uint32_t* quadIndices = VO_NEW std::uint32_t[quads * 6];
    if (quadVertices != nullptr && quadIndices != nullptr) {
        const VoVector3& light = fLight.fPosition;
        std::uint32_t k = 0;
        float* vertex = quadVertices;
        std::uint32_t* index = quadIndices;
        for (std::int32_t i = 0; i < fEdgeCount; ++i) {
            const VoShadowEdge& edge = fpEdges[i];
            if (!edge.fSilhouette) {
                continue;
            }
            // Every quad winds the same way as seen from the light.
            const bool lit = !fpFaces[edge.fFace0].fAway;
            const VoVector3 first = PositionAt(positions, stride, lit ? edge.fA : edge.fB);
            const VoVector3 second = PositionAt(positions, stride, lit ? edge.fB : edge.fA);
            const VoVector3 corners[4] = {first, second, first + Unit(first - light) * kExtrusion,
                                          second + Unit(second - light) * kExtrusion};
            for (const VoVector3& corner : corners) {
                *vertex++ = corner.x;
                *vertex++ = corner.y;
                *vertex++ = corner.z;
            }
            const std::uint32_t order[6] = {k, k + 1, k + 3, k + 3, k + 2, k};
            for (std::uint32_t value : order) {
                *index++ = value;
            }
            k += 4;
        }
        fpVertexBuffer = VO_NEW VoVertexBuffer();
        fpIndexBuffer = VO_NEW VoIndexBuffer();
        built = fpVertexBuffer != nullptr &&
                fpVertexBuffer->Create(1, quadVertices, static_cast<std::int32_t>(quads * 4)) && built;
        built = fpIndexBuffer != nullptr &&
                fpIndexBuffer->Create(VoIndexBuffer::kFormat32, quadIndices,
                                      static_cast<std::int32_t>(quads * 6)) &&
                built;
    } else {
        built = false;
    }
    delete[] quadVertices;
    delete[] quadIndices;
    if (!built) {
        FreeGeometry();
    }
    return built;
}

bool VoShadowVolume::Render(float) {
    if (fpVertexBuffer == nullptr || fpIndexBuffer == nullptr) {
        return false;
    }
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    using R = VoIRasterizer;
    const std::uint32_t vertices = static_cast<std::uint32_t>(fSilhouetteCount) * 4;
    const std::uint32_t triangles = static_cast<std::uint32_t>(fSilhouetteCount) * 2;
    VoMatrix identity;
    MatrixIdentity(&identity);
    bool drawn = rasterizer->SetFillMode(R::kFillSolid);
    drawn = rasterizer->SetTransform(R::kWorld, &identity) && drawn;
    const struct {
        R::CullMode cull;
        R::StencilOperation pass;
    } passes[] = {{R::kCullClockwise, R::kStencilIncr}, {R::kCullCounterClockwise, R::kStencilDecr}};
    for (const auto& pass : passes) {
        drawn = rasterizer->SetCullMode(pass.cull) && drawn;
        drawn = rasterizer->SetStencilFunction(R::kCmpAlways, false, 0, kStencilMask) && drawn;
        drawn = rasterizer->SetStencilFail(R::kStencilKeep) && drawn;
        drawn = rasterizer->SetStencilZFail(R::kStencilKeep) && drawn;
        drawn = rasterizer->SetStencilPass(pass.pass) && drawn;
        drawn = rasterizer->SetVertexBuffer(fpVertexBuffer) && drawn;
        drawn = rasterizer->SetIndexBuffer(fpIndexBuffer) && drawn;
        drawn = rasterizer->DrawIndexed(R::kTriangleList, triangles, vertices, 0, 0) && drawn;
    }
    return drawn;
}

bool VoShadowVolume::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ERROR(kReadRefused);
        return false;
    }
    VoString name;
    std::int32_t edgeCount = 0;
    // The face count follows the edges.
    if (!apStream->ReadString(&name) || !ReadCount(apStream, kEdgeRecordSize, 4, &edgeCount)) {
        VO_ERROR(kReadRefused);
        return false;
    }
    VoShadowEdge* edges = edgeCount > 0 ? VO_NEW VoShadowEdge[static_cast<std::size_t>(edgeCount)] : nullptr;
    bool read = edgeCount == 0 || edges != nullptr;
    for (std::int32_t i = 0; read && i < edgeCount; ++i) {
        VoShadowEdge& edge = edges[i];
        read = apStream->ReadInt(&edge.fA) && apStream->ReadInt(&edge.fB) &&
               apStream->ReadInt(&edge.fFace0) && apStream->ReadInt(&edge.fFace1) && edge.fA >= 0 &&
               edge.fB >= 0 && edge.fFace0 >= 0 && edge.fFace1 >= VoShadowEdge::kNoFace;
    }
    std::int32_t faceCount = 0;
    read = read && ReadCount(apStream, kFaceRecordSize, 0, &faceCount);
    VoShadowFace* faces =
        read && faceCount > 0 ? VO_NEW VoShadowFace[static_cast<std::size_t>(faceCount)] : nullptr;
    read = read && (faceCount == 0 || faces != nullptr);
    for (std::int32_t i = 0; read && i < faceCount; ++i) {
        VoShadowFace& face = faces[i];
        read = apStream->ReadInt(&face.fA) && apStream->ReadInt(&face.fB) && apStream->ReadInt(&face.fC) &&
               face.fA >= 0 && face.fB >= 0 && face.fC >= 0;
    }
    for (std::int32_t i = 0; read && i < edgeCount; ++i) {
        read = edges[i].fFace0 < faceCount && edges[i].fFace1 < faceCount;
    }
    if (!read) {
        delete[] edges;
        delete[] faces;
        VO_ERROR(kReadRefused);
        return false;
    }
    Adopt(faces, faceCount, edges, edgeCount);
    fName = name;
    fpMesh = nullptr;
    return true;
}

bool VoShadowVolume::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = apStream->WriteString(fName);
    written = apStream->WriteInt(fEdgeCount) && written;
    for (std::int32_t i = 0; i < fEdgeCount; ++i) {
        const VoShadowEdge& edge = fpEdges[i];
        written = apStream->WriteInt(edge.fA) && written;
        written = apStream->WriteInt(edge.fB) && written;
        written = apStream->WriteInt(edge.fFace0) && written;
        written = apStream->WriteInt(edge.fFace1) && written;
    }
    written = apStream->WriteInt(fFaceCount) && written;
    for (std::int32_t i = 0; i < fFaceCount; ++i) {
        const VoShadowFace& face = fpFaces[i];
        written = apStream->WriteInt(face.fA) && written;
        written = apStream->WriteInt(face.fB) && written;
        written = apStream->WriteInt(face.fC) && written;
    }
    return written;
}
