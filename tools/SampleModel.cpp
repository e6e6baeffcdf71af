#include "SampleModel.h"

#include <cstdio>
#include <cstring>

#include "container/VoColor.h"
#include "container/VoString.h"
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

namespace sample {

Vec Sub(const Vec& aA, const Vec& aB) {
    return {aA.x - aB.x, aA.y - aB.y, aA.z - aB.z};
}
Vec Cross(const Vec& aA, const Vec& aB) {
    return {aA.y * aB.z - aA.z * aB.y, aA.z * aB.x - aA.x * aB.z, aA.x * aB.y - aA.y * aB.x};
}
float Dot(const Vec& aA, const Vec& aB) {
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
}

// ---- meshes and models ------------------------------------------------------

Vec Mesh::Position(int aVertex) const {
    const float* v = &vertices[static_cast<std::size_t>(aVertex * FloatsPerVertex())];
    return {v[0], v[1], v[2]};
}

std::uint32_t Mesh::AddVertex(const Vec& aPosition, const Vec& aNormal, float aU, float aV) {
    const std::uint32_t index = static_cast<std::uint32_t>(VertexCount());
    vertices.insert(vertices.end(), {aPosition.x, aPosition.y, aPosition.z});
    if (format == 5) {
        vertices.insert(vertices.end(), {aNormal.x, aNormal.y, aNormal.z, aU, aV});
    }
    return index;
}

void Mesh::AddQuad(int aSubset, const Vec aCorners[4], const Vec& aNormal) {
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

void Mesh::AddBox(int aSubset, const Vec& aMin, const Vec& aMax) {
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

std::vector<std::int32_t> Mesh::VertexMap() const {
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

std::vector<std::uint32_t> Mesh::Corners() const {
    const std::vector<std::int32_t> map = VertexMap();
    std::vector<std::uint32_t> corners;
    for (const Subset& subset : subsets) {
        for (std::uint32_t index : subset.indices) {
            corners.push_back(static_cast<std::uint32_t>(map[index + subset.base]));
        }
    }
    return corners;
}

int Model::Add(const std::string& aName, int aParent, float aX, float aY, float aZ) {
    VoMatrix relative;
    MatrixTranslation(&relative, aX, aY, aZ);
    return AddPlaced(aName, aParent, relative);
}

int Model::AddPlaced(const std::string& aName, int aParent, const VoMatrix& aRelative) {
    Frame frame;
    frame.name = aName;
    frame.parent = aParent;
    frame.relative = aRelative;
    if (aParent >= 0) {
        MatrixMultiply(&frame.absolute, &frame.relative, &frames[static_cast<std::size_t>(aParent)].absolute);
    } else {
        frame.absolute = frame.relative;
    }
    frames.push_back(std::move(frame));
    return static_cast<int>(frames.size()) - 1;
}

int Model::Find(const std::string& aName) const {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].name == aName) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Vec Model::Origin(int aFrame) const {
    const VoMatrix& m = frames[static_cast<std::size_t>(aFrame)].absolute;
    return {m.m[3][0], m.m[3][1], m.m[3][2]};
}

int Model::FirstChild(int aFrame) const {
    for (std::size_t i = static_cast<std::size_t>(aFrame) + 1; i < frames.size(); ++i) {
        if (frames[i].parent == aFrame) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int Model::NextSibling(int aFrame) const {
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

// ---- the engine's model and its serialised form ----------------------------

namespace {

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
    const float a = aMaterial.ambient;
    const float s = aMaterial.specular;
    material.SetDiffuse(VoColor(1.0f, aMaterial.r, aMaterial.g, aMaterial.b));
    material.SetAmbient(VoColor(1.0f, aMaterial.r * a, aMaterial.g * a, aMaterial.b * a));
    material.SetSpecular(VoColor(1.0f, s, s, s));
    const float e = aMaterial.emissive;
    material.SetEmissive(VoColor(1.0f, e, e, e));
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

// The frames that drive a skinned mesh's vertices, in frame order.
std::vector<int> BoneFrames(const Model& aModel, const Mesh& aMesh) {
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
    return bones;
}

// The vertices one bone moves and how much.
void BoneInfluences(const Mesh& aMesh, int aBone, std::vector<std::uint32_t>* apIndices,
                    std::vector<float>* apWeights) {
    for (std::size_t v = 0; v < aMesh.influences.size(); ++v) {
        for (const Influence& influence : aMesh.influences[v]) {
            if (influence.bone == aBone) {
                apIndices->push_back(static_cast<std::uint32_t>(v));
                apWeights->push_back(influence.weight);
            }
        }
    }
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
        const std::vector<int> bones = BoneFrames(aModel, aMesh);
        skin->CreateBones(static_cast<std::uint32_t>(bones.size()));
        for (std::size_t b = 0; b < bones.size(); ++b) {
            const Frame& frame = aModel.frames[static_cast<std::size_t>(bones[b])];
            std::vector<std::uint32_t> indices;
            std::vector<float> weights;
            BoneInfluences(aMesh, bones[b], &indices, &weights);
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

}  // namespace

VoDrawElement* EngineElement(const Model& aModel) {
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
    auto* element = new VoDrawElement();
    element->SetRootFrame(frames[0]);
    return element;
}

Bytes Serialised(const Model& aModel) {
    std::unique_ptr<VoDrawElement> element(EngineElement(aModel));
    VoMemoryStream stream(1024, VoMemoryStream::kGrowDouble);
    if (!element->Write(&stream)) {
        std::fprintf(stderr, "the engine could not write the model\n");
    }
    return Bytes(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
}

// ---- the raw form -----------------------------------------------------------

void RawWriter::U32(std::uint32_t aValue) {
    for (int i = 0; i < 4; ++i) {
        fBytes.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
    }
}

void RawWriter::I32(std::int32_t aValue) {
    U32(static_cast<std::uint32_t>(aValue));
}

void RawWriter::F32(float aValue) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &aValue, 4);
    U32(bits);
}

void RawWriter::Matrix(const VoMatrix& aMatrix) {
    for (const auto& row : aMatrix.m) {
        for (float value : row) {
            F32(value);
        }
    }
}

void RawWriter::Chars(const std::string& aText) {
    fBytes.insert(fBytes.end(), aText.begin(), aText.end());
}

void RawWriter::Colour(float aR, float aG, float aB) {
    F32(aR);
    F32(aG);
    F32(aB);
    F32(1.0f);
}

// The material record, as the serialised form has it.
void RawWriter::MaterialRecord(const Material& aMaterial) {
    const float a = aMaterial.ambient;
    const float s = aMaterial.specular;
    Colour(aMaterial.r * a, aMaterial.g * a, aMaterial.b * a);  // ambient
    Colour(aMaterial.r, aMaterial.g, aMaterial.b);              // diffuse
    Colour(aMaterial.emissive, aMaterial.emissive, aMaterial.emissive);  // emissive
    F32(8.0f);                                                  // power
    Colour(s, s, s);                                            // specular
    U32(static_cast<std::uint32_t>(aMaterial.texture.size()));
    for (char c : aMaterial.texture) {
        fBytes.push_back(static_cast<unsigned char>(c));
        fBytes.push_back(0);
    }
    fBytes.push_back(0);
    fBytes.push_back(0);
}

void RawWriter::MeshBody(const ::sample::Model& aModel, const Mesh& aMesh) {
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
    const std::vector<int> bones = BoneFrames(aModel, aMesh);
    U32(static_cast<std::uint32_t>(bones.size()));
    U32(0);
    for (int boneFrame : bones) {
        const Frame& frame = aModel.frames[static_cast<std::size_t>(boneFrame)];
        U32(static_cast<std::uint32_t>(frame.name.size()));
        Chars(frame.name);
        std::vector<std::uint32_t> indices;
        std::vector<float> weights;
        BoneInfluences(aMesh, boneFrame, &indices, &weights);
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

Bytes RawWriter::Model(const ::sample::Model& aModel, const std::vector<std::uint32_t>& aNoMeshFlags) {
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

bool Save(const std::string& aPath, const Bytes& aBytes) {
    if (aBytes.empty()) {
        std::fprintf(stderr, "nothing to write to %s\n", aPath.c_str());
        return false;
    }
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

}  // namespace sample
