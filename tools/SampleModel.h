#pragma once
// Models of the sample data tree as the generators in tools/ build them: a
// list of named frames (in pre-order), some carrying a mesh of boxes and
// quads, with materials and, for characters, per-vertex bone influences.
// The engine's own writers turn a model into the serialised form
// (Serialised); RawWriter lays out the raw form field by field. Both come
// out the same on every run.
//
// Every lit or skinned mesh has vertex format 5 (position, normal, texture
// coordinates), flags 17 (drawn, indexed), a vertex map welding the copies
// of each position, and its corners (the welded vertex of every triangle
// corner), unless weld is cleared. Depth meshes are positions alone
// (format 1).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geometry/VoMatrix.h"

class VoDrawElement;

namespace sample {

using Bytes = std::vector<unsigned char>;

struct Vec {
    float x, y, z;
};

Vec Sub(const Vec& aA, const Vec& aB);
Vec Cross(const Vec& aA, const Vec& aB);
float Dot(const Vec& aA, const Vec& aB);

struct Material {
    float r, g, b;
    std::string texture;  // relative to the textures root; empty for none
    // The ambient colour is the diffuse one times this; the specular colour
    // is grey of this level.
    float ambient = 0.5f;
    float specular = 0.2f;
    // Light of its own, grey of this level (lamps, daylight through glass).
    float emissive = 0.0f;
};

struct Subset {
    int material = 0;
    std::uint32_t base = 0;              // added to every index when drawn
    std::vector<std::uint32_t> indices;  // three per triangle, before the base
};

struct Influence {
    int bone;  // a frame of the model
    float weight;
};

struct Mesh {
    std::string name;
    int format = 5;  // 1: position; 5: position, normal, texture coordinates
    std::vector<float> vertices;
    std::vector<Material> materials;
    std::vector<Subset> subsets;
    bool skinned = false;
    std::vector<std::vector<Influence>> influences;  // per vertex, when skinned
    bool weld = true;                                // vertex map and corners

    int FloatsPerVertex() const { return format == 1 ? 3 : 8; }
    int VertexCount() const { return static_cast<int>(vertices.size()) / FloatsPerVertex(); }
    Vec Position(int aVertex) const;
    std::uint32_t AddVertex(const Vec& aPosition, const Vec& aNormal, float aU, float aV);
    // Two triangles over the corners in order, turned so that they face
    // along aNormal (clockwise seen from that side, the front face).
    void AddQuad(int aSubset, const Vec aCorners[4], const Vec& aNormal);
    // The six faces of the box from aMin to aMax.
    void AddBox(int aSubset, const Vec& aMin, const Vec& aMax);
    // For every vertex, the first vertex at the same position.
    std::vector<std::int32_t> VertexMap() const;
    // The welded vertex of every triangle corner, in subset order.
    std::vector<std::uint32_t> Corners() const;
};

struct Frame {
    std::string name;
    int parent = -1;
    VoMatrix relative;
    VoMatrix absolute;
    std::unique_ptr<Mesh> mesh;
};

// Frames in pre-order: every frame's subtree follows it before its next
// sibling does; add them in that order.
struct Model {
    std::vector<Frame> frames;

    // A frame placed by a pure translation from its parent.
    int Add(const std::string& aName, int aParent, float aX, float aY, float aZ);
    // A frame placed by any transform from its parent.
    int AddPlaced(const std::string& aName, int aParent, const VoMatrix& aRelative);
    int Find(const std::string& aName) const;
    Vec Origin(int aFrame) const;
    // The first child and next sibling by the parent links and list order.
    int FirstChild(int aFrame) const;
    int NextSibling(int aFrame) const;
};

// The engine's element of the model (owned by the caller): its frames,
// meshes, skins and materials as the readers would make them.
VoDrawElement* EngineElement(const Model& aModel);
// The serialised form, written by the engine's writers.
Bytes Serialised(const Model& aModel);

// The raw form, field by field.
class RawWriter {
public:
    // Frames numbered from 1 in list order; a link to no frame is 0. The
    // mesh-flag word of a frame without a mesh is aNoMeshFlags[frame].
    Bytes Model(const ::sample::Model& aModel, const std::vector<std::uint32_t>& aNoMeshFlags);

private:
    void U32(std::uint32_t aValue);
    void I32(std::int32_t aValue);
    void F32(float aValue);
    void Matrix(const VoMatrix& aMatrix);
    void Chars(const std::string& aText);
    void Colour(float aR, float aG, float aB);
    void MaterialRecord(const Material& aMaterial);
    void MeshBody(const ::sample::Model& aModel, const Mesh& aMesh);

    Bytes fBytes;
};

// Writes the bytes to the file and names it with its size on stdout; false
// (and a line on stderr) when it cannot.
bool Save(const std::string& aPath, const Bytes& aBytes);

}  // namespace sample
