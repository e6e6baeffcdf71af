#pragma once
// A stencil shadow volume cast by one mesh. Create builds the mesh's
// triangle and edge adjacency once (or Read takes it from a ".lisv" cache and
// SetMesh binds it to the mesh again); every frame Update finds the edges
// that part the faces turned to the light from those turned away (the
// silhouette), BuildGeometry extrudes each into a quad reaching 600 units
// directly away from the light, and Render draws the quads twice into the
// stencil buffer: the faces that run counter-clockwise on screen add one,
// those that run clockwise take one away. The shadow buffer
// (VoShadowBuffer) then darkens the pixels left above 0.
//
// Welding: the mesh's vertex map (its duplicate table) names for each vertex
// the vertex whose position it shares; faces and edges use those indices,
// so the triangles of a mesh split at its texture seams still close into
// one volume. An edge joins two faces only when they run along it in
// opposite directions; any other edge is open and always a silhouette.
//
// Create walks exactly the triangles that each subset draws: its own index
// buffer from its start index, each index moved by its base vertex index
// (indexed meshes), or the vertices from its start index (others), as
// triangle lists or, for meshes drawn as strips, strips whose odd triangles
// turn round. Triangles that welding shrinks to a line draw nothing and are
// left out.
//
// Positions are never copied: Update and BuildGeometry read them from the
// mesh's vertex buffer as it stands, so a skinned mesh's volume follows the
// skin. A vertex buffer that no longer holds every vertex the volume names
// fails the call instead of being read past its end.
//
// ".lisv" form (little-endian): the name (u32 length, the UTF-16 units and a
// 0); i32 edge count E and E records of four i32 (vertex a, vertex b, face 0,
// face 1); i32 face count F and F records of three i32 (vertices a, b, c).
// Read takes untrusted bytes: counts beyond the bytes left, negative
// indices and face numbers outside the faces are refused, leaving the
// volume as it was; SetMesh refuses vertex indices past the mesh's vertices.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "render/VoLight.h"

class VoCamera;
class VoIndexBuffer;
class VoIStream;
class VoMesh;
class VoShadowEdge;
class VoShadowFace;
class VoVertexBuffer;

class VoShadowVolume : public VoBase, public VoISerializable {
public:
    // How far each silhouette vertex is pushed away from the light.
    static constexpr float kExtrusion = 600.0f;
    // The stencil mask of both passes: the low 24 bits.
    static constexpr std::uint32_t kStencilMask = 0x00FFFFFFu;
    // The first growth of the face and edge lists and their steps.
    static constexpr std::int32_t kFaceCapacity = 2500;
    static constexpr std::int32_t kEdgeCapacity = 5000;
    static constexpr std::int32_t kListGrowth = 500;
    // Bytes of one edge and one face record of the cache form.
    static constexpr std::uint32_t kEdgeRecordSize = 16;
    static constexpr std::uint32_t kFaceRecordSize = 12;

    static constexpr const char* kCreateNull = "Create failure. NULL arg.";
    static constexpr const char* kCreationFailure = "VoShadowVolume creation failure.";
    static constexpr const char* kNoDuplicates = "No duplicates found in mesh.";
    static constexpr const char* kInvalidSubset = "VoShadowVolume: Invalid subset.";
    static constexpr const char* kBadVertexMap = "Vertex map entries out of range kept their vertex: ";
    static constexpr const char* kSubsetPastIndices = "Create failure. Subset draws past its indices: ";
    static constexpr const char* kIndexPastVertices = "Create failure. Index past the vertex count: ";
    static constexpr const char* kSetMeshNoTopology = "SetMesh failure. No edges or faces found. Read first.";
    static constexpr const char* kSetMeshNull = "SetMesh failure. NULL arg.";
    static constexpr const char* kSetMeshNoVertexBuffer = "SetMesh failure. No vertex buffer found.";
    static constexpr const char* kSetMeshIndexPastVertices = "SetMesh failure. Index past the vertex count: ";
    static constexpr const char* kUpdateNull = "Update failure. NULL arg.";
    static constexpr const char* kNoMesh = "No mesh bound. Create or SetMesh first.";
    static constexpr const char* kVerticesGone = "The mesh no longer holds the volume's vertices: ";
    static constexpr const char* kBuildNull = "BuildGeometry failure. NULL arg.";
    static constexpr const char* kReadRefused = "Read failure. Invalid shadow volume record.";

    VoShadowVolume();
    // Frees the faces, the edges and both buffers.
    ~VoShadowVolume() override;
    VoShadowVolume(const VoShadowVolume&) = delete;
    VoShadowVolume& operator=(const VoShadowVolume&) = delete;

    // "[VoShadowVolume <address>]".
    VoString ToString() const override;

    // Builds the faces and edges of the mesh (see above) under the name of
    // the frame that holds it, in place of the old ones. False, asserted,
    // for a null mesh, a mesh without vertex buffer, a missing subset, a
    // subset drawing past its indices or an index past the vertices; the
    // volume is then left as it was.
    bool Create(const VoString& aName, VoMesh* apMesh);
    // Binds topology that Read brought to the mesh (see above); false,
    // asserted, when there is none, for null, without vertex buffer, or
    // when an index lies past the vertices.
    bool SetMesh(VoMesh* apMesh);
    // Finds the silhouette for the light's position; the flag is not used.
    // False, asserted, for null, without a mesh or when the vertices are gone.
    bool Update(const VoLight* apLight, bool aUnused);
    // Applies the camera, then replaces the buffers by the extruded quads of
    // the last Update's silhouette: no buffers when it has no edge. True
    // when every step succeeded; false, asserted, for null (nothing built).
    bool BuildGeometry(VoCamera* apCamera);
    // Draws the quads into the stencil buffer in two passes; the argument is
    // not used. False without buffers; else the AND of the rasterizer's results.
    bool Render(float aUnused);

    // The ".lisv" form (see above).
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    const VoString& GetName() const { return fName; }
    VoMesh* GetMesh() const { return fpMesh; }
    std::int32_t GetFaceCount() const { return fFaceCount; }
    std::int32_t GetEdgeCount() const { return fEdgeCount; }
    // Null outside 0..count - 1.
    const VoShadowFace* GetFace(std::int32_t aIndex) const;
    const VoShadowEdge* GetEdge(std::int32_t aIndex) const;
    std::int32_t GetSilhouetteCount() const { return fSilhouetteCount; }
    // The extruded geometry of the last BuildGeometry; null before.
    VoVertexBuffer* GetVertexBuffer() const { return fpVertexBuffer; }
    VoIndexBuffer* GetIndexBuffer() const { return fpIndexBuffer; }

private:
    // The mesh's vertex positions and stride, when its vertex buffer still
    // holds every vertex the volume names; false, asserted, otherwise.
    bool Positions(const unsigned char** appPositions, std::int32_t* apStride) const;
    void FreeGeometry();
    // Takes the arrays (owned) in place of the old topology.
    void Adopt(VoShadowFace* apFaces, std::int32_t aFaceCount, VoShadowEdge* apEdges,
               std::int32_t aEdgeCount);

    std::int32_t fFaceCount = 0;
    VoShadowFace* fpFaces = nullptr;  // owned
    std::int32_t fEdgeCount = 0;
    VoShadowEdge* fpEdges = nullptr;  // owned
    std::int32_t fSilhouetteCount = 0;
    VoMesh* fpMesh = nullptr;  // not owned: its vertex buffer holds the positions
    VoString fName;
    VoLight fLight;                            // as given to the last Update
    VoVertexBuffer* fpVertexBuffer = nullptr;  // owned
    VoIndexBuffer* fpIndexBuffer = nullptr;    // owned
    // The largest vertex index the faces name; -1 without faces.
    std::int32_t fMaxIndex = -1;
};
