// Writes the sample meshes of the data tree and the texture they name:
//
//   data/meshes/sample_cube.lim1            a welded unit cube
//   data/meshes/sample_prop.lim1            a textured crate with a handle
//   data/meshes/sample_scene_depth.lim      a scene's depth mesh (raw form)
//   data/meshes/sample_character.lim1       a skinned character
//   data/meshes/sample_character.lim        the same character, raw form
//   data/textures/sample_prop_crate.tga     the crate's planks
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_sample_meshes
//   build/release/tools/make_sample_meshes data
//
// The ".lim1" files are written by the engine's own writers (VoDrawElement::
// Write over frames, meshes, skinned meshes, subsets, materials and
// buffers); the raw files by the writer below, which lays out the raw form
// field by field. The output is the same on every run.
//
// Every lit or skinned mesh has vertex format 5 (position, normal, texture
// coordinates), flags 17 (drawn, indexed), a vertex map welding the copies
// of each position, and its corners (the welded vertex of every triangle
// corner). The depth mesh is drawn into depth only: positions alone
// (format 1), in the raw form a scene loads it in.
//
// The character faces local -z, y up, about 71 units tall, standing on
// y = 0. Its skeleton is rooted at "Biped" (at hip height, the only frame
// animations move as well as turn); every bone's rest transform relative to
// its parent is a pure translation, so its axes are the model's. The
// skinned mesh hangs on the frame "Body", beside "Biped" under the root
// "Character". Bones are rigid boxes; each limb's box blends half-and-half
// with its parent at the joint.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "container/VoColor.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "render/VoIndexBuffer.h"
#include "render/VoMaterial.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoMemoryStream.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Vec {
    float x, y, z;
};

Vec Sub(const Vec& aA, const Vec& aB) {
    return {aA.x - aB.x, aA.y - aB.y, aA.z - aB.z};
}
Vec Cross(const Vec& aA, const Vec& aB) {
    return {aA.y * aB.z - aA.z * aB.y, aA.z * aB.x - aA.x * aB.z, aA.x * aB.y - aA.y * aB.x};
}
float Dot(const Vec& aA, const Vec& aB) {
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
}

struct Material {
    float r, g, b;
    std::string texture;  // relative to the textures root; empty for none
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
    Vec Position(int aVertex) const {
        const float* v = &vertices[static_cast<std::size_t>(aVertex * FloatsPerVertex())];
        return {v[0], v[1], v[2]};
    }
    std::uint32_t AddVertex(const Vec& aPosition, const Vec& aNormal, float aU, float aV) {
        const std::uint32_t index = static_cast<std::uint32_t>(VertexCount());
        vertices.insert(vertices.end(), {aPosition.x, aPosition.y, aPosition.z});
        if (format == 5) {
            vertices.insert(vertices.end(), {aNormal.x, aNormal.y, aNormal.z, aU, aV});
        }
        return index;
    }
    // Two triangles over the corners in order, turned so that they face
    // along aNormal (clockwise seen from that side, the front face).
    void AddQuad(int aSubset, const Vec aCorners[4], const Vec& aNormal) {
        static const float kUV[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
        static const int kFirst[3] = {0, 1, 2};
        static const int kSecond[3] = {0, 2, 3};
        std::uint32_t first = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t index = AddVertex(aCorners[i], aNormal, kUV[i][0], kUV[i][1]);
            first = i == 0 ? index : first;
        }
        const std::uint32_t corner[4] = {first, first + 1, first + 2, first + 3};
        for (const int* triangle : {kFirst, kSecond}) {
            std::uint32_t a = corner[triangle[0]];
            std::uint32_t b = corner[triangle[1]];
            std::uint32_t c = corner[triangle[2]];
            const Vec facing = Cross(Sub(Position(static_cast<int>(b)), Position(static_cast<int>(a))),
                                     Sub(Position(static_cast<int>(c)), Position(static_cast<int>(a))));
            if (Dot(facing, aNormal) < 0.0f) {
                std::swap(b, c);
            }
            Subset& subset = subsets[static_cast<std::size_t>(aSubset)];
            subset.indices.insert(subset.indices.end(), {a, b, c});
        }
    }
    // The six faces of the box from aMin to aMax.
    void AddBox(int aSubset, const Vec& aMin, const Vec& aMax) {
        const Vec& l = aMin;
        const Vec& h = aMax;
        const Vec faces[6][5] = {
            {{h.x, l.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}, {h.x, l.y, h.z}, {1, 0, 0}},
            {{l.x, l.y, h.z}, {l.x, h.y, h.z}, {l.x, h.y, l.z}, {l.x, l.y, l.z}, {-1, 0, 0}},
            {{l.x, h.y, l.z}, {l.x, h.y, h.z}, {h.x, h.y, h.z}, {h.x, h.y, l.z}, {0, 1, 0}},
            {{l.x, l.y, h.z}, {l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, l.y, h.z}, {0, -1, 0}},
            {{h.x, l.y, h.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}, {l.x, l.y, h.z}, {0, 0, 1}},
            {{l.x, l.y, l.z}, {l.x, h.y, l.z}, {h.x, h.y, l.z}, {h.x, l.y, l.z}, {0, 0, -1}},
        };
        for (const auto& face : faces) {
            AddQuad(aSubset, face, face[4]);
        }
    }

    // For every vertex, the first vertex at the same position.
    std::vector<std::int32_t> VertexMap() const {
        std::vector<std::int32_t> map(static_cast<std::size_t>(VertexCount()));
        for (int i = 0; i < VertexCount(); ++i) {
            map[static_cast<std::size_t>(i)] = i;
            const Vec p = Position(i);
            for (int j = 0; j < i; ++j) {
                const Vec q = Position(j);
                if (p.x == q.x && p.y == q.y && p.z == q.z) {
                    map[static_cast<std::size_t>(i)] = j;
                    break;
                }
            }
        }
        return map;
    }
    // The welded vertex of every triangle corner, in subset order.
    std::vector<std::uint32_t> Corners() const {
        const std::vector<std::int32_t> map = VertexMap();
        std::vector<std::uint32_t> corners;
        for (const Subset& subset : subsets) {
            for (std::uint32_t index : subset.indices) {
                corners.push_back(static_cast<std::uint32_t>(map[index + subset.base]));
            }
        }
        return corners;
    }
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

    int Add(const std::string& aName, int aParent, float aX, float aY, float aZ) {
        Frame frame;
        frame.name = aName;
        frame.parent = aParent;
        MatrixTranslation(&frame.relative, aX, aY, aZ);
        if (aParent >= 0) {
            MatrixMultiply(&frame.absolute, &frame.relative,
                           &frames[static_cast<std::size_t>(aParent)].absolute);
        } else {
            frame.absolute = frame.relative;
        }
        frames.push_back(std::move(frame));
        return static_cast<int>(frames.size()) - 1;
    }
    int Find(const std::string& aName) const {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            if (frames[i].name == aName) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    Vec Origin(int aFrame) const {
        const VoMatrix& m = frames[static_cast<std::size_t>(aFrame)].absolute;
        return {m.m[3][0], m.m[3][1], m.m[3][2]};
    }
    // The first child and next sibling by the parent links and list order.
    int FirstChild(int aFrame) const {
        for (std::size_t i = static_cast<std::size_t>(aFrame) + 1; i < frames.size(); ++i) {
            if (frames[i].parent == aFrame) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int NextSibling(int aFrame) const {
        const int parent = frames[static_cast<std::size_t>(aFrame)].parent;
        for (std::size_t i = static_cast<std::size_t>(aFrame) + 1; i < frames.size(); ++i) {
            if (frames[i].parent == parent) {
                return static_cast<int>(i);
            }
            if (parent < 0) {
                break;
            }
        }
        return -1;
    }
};

// ---- the engine's model and its serialised form ----------------------------

VoIndexBuffer* NewIndexBuffer(const std::vector<std::uint32_t>& aIndices) {
    auto* buffer = new VoIndexBuffer();
    bool narrow = true;
    for (std::uint32_t index : aIndices) {
        narrow = narrow && index <= 0xFFFFu;
    }
    if (narrow) {
        std::vector<std::uint16_t> shorts(aIndices.begin(), aIndices.end());
        buffer->Create(VoIndexBuffer::kFormat16, shorts.data(), static_cast<std::int32_t>(shorts.size()));
    } else {
        buffer->Create(VoIndexBuffer::kFormat32, aIndices.data(), static_cast<std::int32_t>(aIndices.size()));
    }
    return buffer;
}

VoMaterial EngineMaterial(const Material& aMaterial) {
    VoMaterial material;
    material.SetDiffuse(VoColor(1.0f, aMaterial.r, aMaterial.g, aMaterial.b));
    material.SetAmbient(VoColor(1.0f, aMaterial.r * 0.5f, aMaterial.g * 0.5f, aMaterial.b * 0.5f));
    material.SetSpecular(VoColor(1.0f, 0.2f, 0.2f, 0.2f));
    material.SetEmissive(VoColor(1.0f, 0.0f, 0.0f, 0.0f));
    material.SetPower(8.0f);
    material.SetTextureFile(VoString(aMaterial.texture.c_str()));
    return material;
}

// The vertex count a subset's draw spans: up to its highest vertex.
std::uint32_t SpannedVertices(const Subset& aSubset) {
    std::uint32_t highest = 0;
    for (std::uint32_t index : aSubset.indices) {
        highest = index + 1 > highest ? index + 1 : highest;
    }
    return highest;
}

VoMesh* EngineMesh(const Model& aModel, const Mesh& aMesh) {
    VoMesh* mesh = aMesh.skinned ? new VoSkinMesh() : new VoMesh();
    mesh->SetName(VoString(aMesh.name.c_str()));
    mesh->SetFlags(VoMesh::kIndexed);
    auto* vertices = new VoVertexBuffer();
    vertices->Create(aMesh.format, aMesh.vertices.data(), aMesh.VertexCount());
    mesh->SetVertexBuffer(vertices);
    std::vector<std::uint32_t> all;
    for (const Subset& part : aMesh.subsets) {
        std::vector<std::uint32_t> drawn;
        for (std::uint32_t index : part.indices) {
            drawn.push_back(index + part.base);
        }
        all.insert(all.end(), drawn.begin(), drawn.end());
        auto* subset = new VoMeshSubset();
        subset->SetTriangleCount(static_cast<std::uint32_t>(drawn.size() / 3));
        subset->SetVertexCount(SpannedVertices(part) + part.base);
        subset->SetIndexBuffer(NewIndexBuffer(drawn));
        subset->SetMaterial(EngineMaterial(aMesh.materials[static_cast<std::size_t>(part.material)]));
        mesh->AddSubset(subset);
    }
    mesh->SetIndexBuffer(NewIndexBuffer(all));
    if (aMesh.weld) {
        const std::vector<std::int32_t> map = aMesh.VertexMap();
        const std::vector<std::uint32_t> corners = aMesh.Corners();
        mesh->SetVertexMap(static_cast<std::int32_t>(map.size()), map.data());
        mesh->SetCorners(static_cast<std::int32_t>(corners.size()), corners.data());
    }
    if (aMesh.skinned) {
        auto* skin = static_cast<VoSkinMesh*>(mesh);
        std::vector<int> bones;
        for (std::size_t f = 0; f < aModel.frames.size(); ++f) {
            for (const auto& list : aMesh.influences) {
                bool uses = false;
                for (const Influence& influence : list) {
                    uses = uses || influence.bone == static_cast<int>(f);
                }
                if (uses) {
                    bones.push_back(static_cast<int>(f));
                    break;
                }
            }
        }
        skin->CreateBones(static_cast<std::uint32_t>(bones.size()));
        for (std::size_t b = 0; b < bones.size(); ++b) {
            const Frame& frame = aModel.frames[static_cast<std::size_t>(bones[b])];
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            for (std::size_t v = 0; v < aMesh.influences.size(); ++v) {
                for (const Influence& influence : aMesh.influences[v]) {
                    if (influence.bone == bones[b]) {
                        indices.push_back(static_cast<std::uint32_t>(v));
                        weights.push_back(influence.weight);
                    }
                }
            }
            VoBone* bone = skin->GetBone(static_cast<std::uint32_t>(b));
            bone->SetName(VoString(frame.name.c_str()));
            bone->SetFrameNumber(static_cast<std::uint32_t>(bones[b]) + 1);
            bone->SetInfluences(static_cast<std::uint32_t>(indices.size()), indices.data(), weights.data());
            VoMatrix offset;
            MatrixInverse(&offset, &frame.absolute);
            bone->SetOffsetMatrix(offset);
        }
    }
    return mesh;
}

Bytes Serialised(const Model& aModel) {
    std::vector<VoFrame*> frames;
    for (const Frame& source : aModel.frames) {
        auto* frame = new VoFrame();
        frame->SetName(VoString(source.name.c_str()));
        frame->SetFileMatrix(source.relative);
        frame->SetRelativeMatrix(source.relative);
        frame->SetAbsoluteMatrix(source.absolute);
        if (source.mesh) {
            frame->SetMesh(EngineMesh(aModel, *source.mesh));
        }
        if (source.parent >= 0) {
            frames[static_cast<std::size_t>(source.parent)]->AddChild(frame);
        }
        frames.push_back(frame);
    }
    VoDrawElement element;
    element.SetRootFrame(frames[0]);
    VoMemoryStream stream(1024, VoMemoryStream::kGrowDouble);
    if (!element.Write(&stream)) {
        std::fprintf(stderr, "the engine could not write the model\n");
    }
    return Bytes(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
}

// ---- the raw form -----------------------------------------------------------

class RawWriter {
public:
    void U32(std::uint32_t aValue) {
        for (int i = 0; i < 4; ++i) {
            fBytes.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
        }
    }
    void I32(std::int32_t aValue) { U32(static_cast<std::uint32_t>(aValue)); }
    void F32(float aValue) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &aValue, 4);
        U32(bits);
    }
    void Matrix(const VoMatrix& aMatrix) {
        for (const auto& row : aMatrix.m) {
            for (float value : row) {
                F32(value);
            }
        }
    }
    void Chars(const std::string& aText) { fBytes.insert(fBytes.end(), aText.begin(), aText.end()); }
    void Colour(float aR, float aG, float aB) {
        F32(aR);
        F32(aG);
        F32(aB);
        F32(1.0f);
    }
    // The material record, as the serialised form has it.
    void MaterialRecord(const Material& aMaterial) {
        Colour(aMaterial.r * 0.5f, aMaterial.g * 0.5f, aMaterial.b * 0.5f);  // ambient
        Colour(aMaterial.r, aMaterial.g, aMaterial.b);                       // diffuse
        Colour(0.0f, 0.0f, 0.0f);                                            // emissive
        F32(8.0f);                                                           // power
        Colour(0.2f, 0.2f, 0.2f);                                            // specular
        U32(static_cast<std::uint32_t>(aMaterial.texture.size()));
        for (char c : aMaterial.texture) {
            fBytes.push_back(static_cast<unsigned char>(c));
            fBytes.push_back(0);
        }
        fBytes.push_back(0);
        fBytes.push_back(0);
    }
    void MeshBody(const Model& aModel, const Mesh& aMesh) {
        U32(static_cast<std::uint32_t>(aMesh.materials.size()));
        for (const Material& material : aMesh.materials) {
            MaterialRecord(material);
        }
        const std::int32_t stride = aMesh.FloatsPerVertex() * 4;
        I32(aMesh.format);
        I32(stride);
        I32(aMesh.VertexCount());
        I32(stride * aMesh.VertexCount());
        for (float value : aMesh.vertices) {
            F32(value);
        }
        std::vector<std::uint32_t> all;
        for (const Subset& subset : aMesh.subsets) {
            all.insert(all.end(), subset.indices.begin(), subset.indices.end());
        }
        bool narrow = true;
        for (std::uint32_t index : all) {
            narrow = narrow && index <= 0xFFFFu;
        }
        const std::int32_t width = narrow ? 2 : 4;
        I32(narrow ? 1 : 2);
        I32(width);
        I32(static_cast<std::int32_t>(all.size()));
        I32(width * static_cast<std::int32_t>(all.size()));
        for (std::uint32_t index : all) {
            if (narrow) {
                fBytes.push_back(static_cast<unsigned char>(index));
                fBytes.push_back(static_cast<unsigned char>(index >> 8));
            } else {
                U32(index);
            }
        }
        U32(static_cast<std::uint32_t>(aMesh.subsets.size()));
        std::uint32_t start = 0;
        for (const Subset& subset : aMesh.subsets) {
            U32(static_cast<std::uint32_t>(subset.material));
            U32(start);
            U32(static_cast<std::uint32_t>(subset.indices.size() / 3));
            U32(subset.base);
            U32(SpannedVertices(subset));
            start += static_cast<std::uint32_t>(subset.indices.size());
        }
        if (aMesh.weld) {
            for (std::uint32_t corner : aMesh.Corners()) {
                U32(corner);
            }
        }
        if (!aMesh.skinned) {
            return;
        }
        std::vector<int> bones;
        for (std::size_t f = 0; f < aModel.frames.size(); ++f) {
            for (const auto& list : aMesh.influences) {
                bool uses = false;
                for (const Influence& influence : list) {
                    uses = uses || influence.bone == static_cast<int>(f);
                }
                if (uses) {
                    bones.push_back(static_cast<int>(f));
                    break;
                }
            }
        }
        U32(static_cast<std::uint32_t>(bones.size()));
        U32(0);
        for (int boneFrame : bones) {
            const Frame& frame = aModel.frames[static_cast<std::size_t>(boneFrame)];
            U32(static_cast<std::uint32_t>(frame.name.size()));
            Chars(frame.name);
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            for (std::size_t v = 0; v < aMesh.influences.size(); ++v) {
                for (const Influence& influence : aMesh.influences[v]) {
                    if (influence.bone == boneFrame) {
                        indices.push_back(static_cast<std::uint32_t>(v));
                        weights.push_back(influence.weight);
                    }
                }
            }
            I32(static_cast<std::int32_t>(indices.size()));
            for (std::uint32_t index : indices) {
                U32(index);
            }
            for (float weight : weights) {
                F32(weight);
            }
            U32(static_cast<std::uint32_t>(boneFrame) + 1);
            VoMatrix offset;
            MatrixInverse(&offset, &frame.absolute);
            Matrix(offset);
        }
    }

    // Frames numbered from 1 in list order; a link to no frame is 0.
    Bytes Model(const ::Model& aModel, const std::vector<std::uint32_t>& aNoMeshFlags) {
        fBytes.clear();
        Chars("VOSAMPLE");
        I32(static_cast<std::int32_t>(aModel.frames.size()));
        I32(1);
        for (std::size_t i = 0; i < aModel.frames.size(); ++i) {
            const Frame& frame = aModel.frames[i];
            U32(static_cast<std::uint32_t>(i) + 1);
            Matrix(frame.relative);
            Matrix(frame.absolute);
            I32(0);
            U32(static_cast<std::uint32_t>(aModel.NextSibling(static_cast<int>(i)) + 1));
            U32(static_cast<std::uint32_t>(aModel.FirstChild(static_cast<int>(i)) + 1));
            std::uint32_t flags = aNoMeshFlags[i];
            if (frame.mesh) {
                flags = (frame.mesh->skinned ? 2u : 1u) | (frame.mesh->weld ? 0x8000u : 0u);
            }
            U32(flags);
            U32(static_cast<std::uint32_t>(frame.name.size()) + 1);
            Chars(frame.name);
            fBytes.push_back(0);
            if (frame.mesh) {
                MeshBody(aModel, *frame.mesh);
            }
        }
        return fBytes;
    }

private:
    Bytes fBytes;
};

// ---- the samples -------------------------------------------------------------

const Material kWhite{0.9f, 0.9f, 0.9f, ""};

Model Cube() {
    Model model;
    const int root = model.Add("Cube", -1, 0, 0, 0);
    auto mesh = std::make_unique<Mesh>();
    mesh->name = "Cube";
    mesh->materials = {kWhite};
    mesh->subsets.resize(1);
    mesh->AddBox(0, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    model.frames[static_cast<std::size_t>(root)].mesh = std::move(mesh);
    return model;
}

Model Prop() {
    Model model;
    const int crate = model.Add("Prop", -1, 0, 0, 0);
    auto body = std::make_unique<Mesh>();
    body->name = "Crate";
    body->materials = {{1.0f, 1.0f, 1.0f, "sample_prop_crate.tga"}, {0.35f, 0.35f, 0.4f, ""}};
    body->subsets.resize(2);
    body->subsets[1].material = 1;
    body->AddBox(0, {-6, 0, -6}, {6, 12, 6});
    // Two iron bands round the crate.
    body->AddBox(1, {-6.2f, 2, -6.2f}, {6.2f, 3, 6.2f});
    body->AddBox(1, {-6.2f, 9, -6.2f}, {6.2f, 10, 6.2f});
    model.frames[static_cast<std::size_t>(crate)].mesh = std::move(body);
    const int handle = model.Add("Prop_Handle", crate, 0, 12, 0);
    auto grip = std::make_unique<Mesh>();
    grip->name = "Handle";
    grip->materials = {{0.35f, 0.35f, 0.4f, ""}};
    grip->subsets.resize(1);
    grip->AddBox(0, {-3, 0, -0.5f}, {-2, 3, 0.5f});
    grip->AddBox(0, {2, 0, -0.5f}, {3, 3, 0.5f});
    grip->AddBox(0, {-3, 3, -0.5f}, {3, 4, 0.5f});
    model.frames[static_cast<std::size_t>(handle)].mesh = std::move(grip);
    return model;
}

// Positions only, one material per subset, no welding: drawn into depth.
std::unique_ptr<Mesh> DepthMesh(const std::string& aName, int aSubsets) {
    auto mesh = std::make_unique<Mesh>();
    mesh->name = aName;
    mesh->format = 1;
    mesh->weld = false;
    mesh->subsets.resize(static_cast<std::size_t>(aSubsets));
    for (int i = 0; i < aSubsets; ++i) {
        mesh->materials.push_back({0.5f + 0.1f * static_cast<float>(i), 0.5f, 0.5f, ""});
        mesh->subsets[static_cast<std::size_t>(i)].material = i;
    }
    return mesh;
}

// The scene root stands at (10, 0, -5) in the file; the loader moves it to
// the origin and every frame with it.
Model SceneDepth(std::vector<std::uint32_t>* apNoMeshFlags) {
    Model model;
    const int scene = model.Add("Scene", -1, 10, 0, -5);

    // The floor, 20 x 20 at y = 0, in two halves: the second half's indices
    // count from its own first vertex (base 6) and start after the first's.
    const int floor = model.Add("WG_floor", scene, 0, 0, 0);
    auto tiles = DepthMesh("Floor", 2);
    tiles->weld = true;
    for (int half = 0; half < 2; ++half) {
        const float x0 = half == 0 ? -10.0f : 0.0f;
        const std::uint32_t base = half == 0 ? 0u : 6u;
        tiles->subsets[static_cast<std::size_t>(half)].base = base;
        const std::uint32_t first = static_cast<std::uint32_t>(tiles->VertexCount());
        for (float z : {-10.0f, 0.0f, 10.0f}) {
            for (float x : {x0, x0 + 10.0f}) {
                tiles->AddVertex({x, 0, z}, {0, 1, 0}, 0, 0);
            }
        }
        auto& indices = tiles->subsets[static_cast<std::size_t>(half)].indices;
        for (std::uint32_t row = 0; row < 2; ++row) {
            const std::uint32_t a = first + row * 2 - base;
            // Clockwise seen from above: facing +y.
            indices.insert(indices.end(), {a, a + 2, a + 1, a + 1, a + 2, a + 3});
        }
    }
    model.frames[static_cast<std::size_t>(floor)].mesh = std::move(tiles);

    // A ramp up from the floor's far edge: y from 0 at z = 10 to 2 at z = 16.
    const int ramp = model.Add("WG_ramp", scene, 0, 0, 10);
    auto slope = DepthMesh("Ramp", 1);
    const Vec slopeCorners[4] = {{-2, 0, 0}, {-2, 2, 6}, {2, 2, 6}, {2, 0, 0}};
    slope->AddQuad(0, slopeCorners, {0, 3, -1});
    model.frames[static_cast<std::size_t>(ramp)].mesh = std::move(slope);

    const int stage = model.Add("WGS_stage", scene, 6, 0, 6);
    auto platform = DepthMesh("Stage", 1);
    platform->AddBox(0, {-2, 0, -2}, {2, 0.5f, 2});
    model.frames[static_cast<std::size_t>(stage)].mesh = std::move(platform);

    const int pillar = model.Add("WN_pillar", scene, -7.5f, 0, -7.5f);
    auto column = DepthMesh("Pillar", 1);
    column->AddBox(0, {-0.5f, 0, -0.5f}, {0.5f, 6, 0.5f});
    model.frames[static_cast<std::size_t>(pillar)].mesh = std::move(column);

    const int wall = model.Add("WS_wall", scene, -10, 0, 0);
    auto panel = DepthMesh("Wall", 1);
    const Vec wallCorners[4] = {{0, 0, -10}, {0, 8, -10}, {0, 8, 10}, {0, 0, 10}};
    panel->AddQuad(0, wallCorners, {1, 0, 0});
    model.frames[static_cast<std::size_t>(wall)].mesh = std::move(panel);

    // A frame without a mesh grouping the furniture.
    const int props = model.Add("Props", scene, 0, 0, 0);
    const int counter = model.Add("WC_counter", props, 7, 0, -8);
    auto bar = DepthMesh("Counter", 1);
    bar->AddBox(0, {-2, 0, -1}, {2, 2.5f, 1});
    model.frames[static_cast<std::size_t>(counter)].mesh = std::move(bar);
    const int rail = model.Add("WR_rail", props, 2.2f, 0, 10);
    auto bannister = DepthMesh("Rail", 1);
    bannister->AddBox(0, {0, 0, 0}, {0.2f, 3, 6});
    model.frames[static_cast<std::size_t>(rail)].mesh = std::move(bannister);
    const int sign = model.Add("W_sign", props, 0, 4, 9.9f);
    auto board = DepthMesh("Sign", 1);
    const Vec signCorners[4] = {{-1, 0, 0}, {-1, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    board->AddQuad(0, signCorners, {0, 0, -1});
    model.frames[static_cast<std::size_t>(sign)].mesh = std::move(board);

    // The mesh-flag words of the frames without a mesh: the root's 0, the
    // group's 3 (any kind but 1 and 2 means none).
    apNoMeshFlags->assign(model.frames.size(), 0);
    (*apNoMeshFlags)[static_cast<std::size_t>(props)] = 3;
    return model;
}

// One rigid box of the character, driven by a bone; the vertices on the
// joint face (aJointAxis 0 x, 1 y, at aJointValue) share with the parent
// bone half and half. aJointAxis -1: no joint.
void AddLimb(Model& aModel, Mesh& aMesh, int aSubset, const std::string& aBone, const Vec& aMin,
             const Vec& aMax, int aJointAxis = -1, float aJointValue = 0.0f) {
    const int bone = aModel.Find(aBone);
    const int parent = aModel.frames[static_cast<std::size_t>(bone)].parent;
    const int first = aMesh.VertexCount();
    aMesh.AddBox(aSubset, aMin, aMax);
    for (int v = first; v < aMesh.VertexCount(); ++v) {
        const Vec p = aMesh.Position(v);
        const float along = aJointAxis == 0 ? p.x : p.y;
        if (aJointAxis >= 0 && along == aJointValue) {
            aMesh.influences.push_back({{bone, 0.5f}, {parent, 0.5f}});
        } else {
            aMesh.influences.push_back({{bone, 1.0f}});
        }
    }
}

Model Character() {
    Model model;
    const int root = model.Add("Character", -1, 0, 0, 0);
    const int body = model.Add("Body", root, 0, 0, 0);
    const int biped = model.Add("Biped", root, 0, 38, 0);
    const int pelvis = model.Add("Biped_Pelvis", biped, 0, 0, 0);
    const int spine = model.Add("Biped_Spine", pelvis, 0, 4, 0);
    const int chest = model.Add("Biped_Spine1", spine, 0, 8, 0);
    const int neck = model.Add("BN_Neck", chest, 0, 8, 0);
    const int head = model.Add("BN_Head", neck, 0, 4, 0);
    // The face, on the head's -z side; the character's left is +x.
    const int jaw = model.Add("BN_Jaw", head, 0, 2.5f, -1.0f);
    model.Add("BN_Lip_Upper", head, 0, 2.6f, -3.5f);
    model.Add("BN_Mouth_L", head, 1.1f, 2.2f, -3.5f);
    model.Add("BN_Mouth_R", head, -1.1f, 2.2f, -3.5f);
    model.Add("BN_Eye_L", head, 1.2f, 5.5f, -3.5f);
    model.Add("BN_Eye_R", head, -1.2f, 5.5f, -3.5f);
    model.Add("BN_Brow_L", head, 1.2f, 6.7f, -3.5f);
    model.Add("BN_Brow_R", head, -1.2f, 6.7f, -3.5f);
    (void)jaw;
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const int clavicle = model.Add(prefix + "Clavicle", chest, 1.5f * s, 7, 0);
        const int upper = model.Add(prefix + "UpperArm", clavicle, 5.5f * s, 0, 0);
        const int fore = model.Add(prefix + "Forearm", upper, 0, -11, 0);
        model.Add(prefix + "Hand", fore, 0, -10, 0);
    }
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const int thigh = model.Add(prefix + "Thigh", pelvis, 3 * s, -2, 0);
        const int calf = model.Add(prefix + "Calf", thigh, 0, -17, 0);
        model.Add(prefix + "Foot", calf, 0, -16, 0);
    }
    (void)head;

    auto mesh = std::make_unique<Mesh>();
    mesh->name = "Body";
    mesh->skinned = true;
    mesh->materials = {{0.15f, 0.2f, 0.35f, ""},  // coat
                       {0.85f, 0.65f, 0.5f, ""},  // skin
                       {0.1f, 0.08f, 0.06f, ""},  // shoes
                       {0.3f, 0.15f, 0.1f, ""}};  // eyes, brows and lips
    mesh->subsets.resize(4);
    for (int i = 0; i < 4; ++i) {
        mesh->subsets[static_cast<std::size_t>(i)].material = i;
    }
    enum { kCoat, kSkin, kShoes, kFeatures };
    Mesh& m = *mesh;
    AddLimb(model, m, kCoat, "Biped_Pelvis", {-4.5f, 34, -3}, {4.5f, 42, 3});
    AddLimb(model, m, kCoat, "Biped_Spine", {-4.5f, 42, -3}, {4.5f, 50, 3}, 1, 42);
    AddLimb(model, m, kCoat, "Biped_Spine1", {-5.5f, 50, -3.5f}, {5.5f, 58, 3.5f}, 1, 50);
    AddLimb(model, m, kSkin, "BN_Neck", {-1.5f, 58, -1.5f}, {1.5f, 62, 1.5f}, 1, 58);
    AddLimb(model, m, kSkin, "BN_Head", {-3, 62, -3.5f}, {3, 71, 3.5f}, 1, 62);
    AddLimb(model, m, kSkin, "BN_Jaw", {-1.8f, 62.6f, -3.9f}, {1.8f, 63.8f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Lip_Upper", {-1, 64.5f, -3.8f}, {1, 64.8f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Mouth_L", {0.9f, 64.1f, -3.75f}, {1.3f, 64.4f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Mouth_R", {-1.3f, 64.1f, -3.75f}, {-0.9f, 64.4f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Eye_L", {0.7f, 67.1f, -3.8f}, {1.7f, 67.9f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Eye_R", {-1.7f, 67.1f, -3.8f}, {-0.7f, 67.9f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Brow_L", {0.5f, 68.55f, -3.8f}, {1.9f, 68.85f, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Brow_R", {-1.9f, 68.55f, -3.8f}, {-0.5f, 68.85f, -3.5f});
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        auto span = [s](float aInner, float aOuter, float* apMin, float* apMax) {
            *apMin = s > 0 ? aInner : -aOuter;
            *apMax = s > 0 ? aOuter : -aInner;
        };
        float lo = 0.0f;
        float hi = 0.0f;
        span(1.5f, 7.0f, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "Clavicle", {lo, 56, -2}, {hi, 58.5f, 2}, 0, 1.5f * s);
        span(5.6f, 8.4f, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "UpperArm", {lo, 46, -1.4f}, {hi, 57, 1.4f}, 1, 57);
        span(5.8f, 8.2f, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "Forearm", {lo, 36, -1.2f}, {hi, 46, 1.2f}, 1, 46);
        span(6.0f, 8.0f, &lo, &hi);
        AddLimb(model, m, kSkin, prefix + "Hand", {lo, 30, -1.5f}, {hi, 36, 1.0f}, 1, 36);
    }
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const float lo = s > 0 ? 1.0f : -5.0f;
        const float hi = s > 0 ? 5.0f : -1.0f;
        AddLimb(model, m, kCoat, prefix + "Thigh", {lo, 19, -2}, {hi, 36, 2}, 1, 36);
        AddLimb(model, m, kCoat, prefix + "Calf", {lo + 0.5f, 3, -1.6f}, {hi - 0.5f, 19, 1.6f}, 1, 19);
        AddLimb(model, m, kShoes, prefix + "Foot", {lo + 0.5f, 0, -6}, {hi - 0.5f, 3, 2}, 1, 3);
    }
    model.frames[static_cast<std::size_t>(body)].mesh = std::move(mesh);
    return model;
}

// A 16 x 16 32-bit TGA (uncompressed, top row first) of crate planks.
Bytes CrateTexture() {
    const int size = 16;
    Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, size, 0, size, 0, 32, 0x28};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool seam = y % 4 == 3;
            const bool frame =
                x == 0 || x == size - 1 || y == 0 || y == size - 1 || x == y || x == size - 1 - y;
            const int shade = frame ? 60 : (seam ? 90 : 150 + ((x * 7 + y * 3) % 5) * 8);
            tga.push_back(static_cast<unsigned char>(shade * 45 / 100));  // blue
            tga.push_back(static_cast<unsigned char>(shade * 75 / 100));  // green
            tga.push_back(static_cast<unsigned char>(shade));             // red
            tga.push_back(255);
        }
    }
    return tga;
}

bool Save(const std::string& aPath, const Bytes& aBytes) {
    std::FILE* file = std::fopen(aPath.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", aPath.c_str());
        return false;
    }
    const bool written = std::fwrite(aBytes.data(), 1, aBytes.size(), file) == aBytes.size();
    const bool closed = std::fclose(file) == 0;
    std::printf("%s: %zu bytes\n", aPath.c_str(), aBytes.size());
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string meshes = data + "/meshes/";
    const std::string textures = data + "/textures/";
    std::vector<std::uint32_t> noMeshFlags;
    const Model scene = SceneDepth(&noMeshFlags);
    const Model character = Character();
    RawWriter raw;
    bool saved = Save(meshes + "sample_cube.lim1", Serialised(Cube()));
    saved = Save(meshes + "sample_prop.lim1", Serialised(Prop())) && saved;
    saved = Save(meshes + "sample_scene_depth.lim", raw.Model(scene, noMeshFlags)) && saved;
    saved = Save(meshes + "sample_character.lim1", Serialised(character)) && saved;
    saved = Save(meshes + "sample_character.lim",
                 raw.Model(character, std::vector<std::uint32_t>(character.frames.size(), 0))) &&
            saved;
    saved = Save(textures + "sample_prop_crate.tga", CrateTexture()) && saved;
    return saved ? 0 : 1;
}
