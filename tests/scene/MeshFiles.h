#pragma once
// Mesh files in the tests: small models built in memory, the bytes the
// readers and writers see, raw records written field by field, and the
// sample meshes of the data tree with the engine they need to read them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "container/VoLog.h"
#include "render/VoMaterial.h"
#include "render/VoTextureManager.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "stdlib/VoMemoryStream.h"
#include "support/AnimationFiles.h"
#include "support/RawMeshFields.h"
#include "support/RenderTestSupport.h"
#include "support/SceneTestSupport.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"
#include "system/VoIFileSystem.h"

// What a Write call put out, or nothing when it failed.
template <typename Object>
Bytes WrittenBy(Object& aObject) {
    TestStream out;
    EXPECT_TRUE(aObject.Write(&out));
    return out.Bytes();
}

// A subset of triangles over the vertices, drawing from its own 16-bit buffer.
inline VoMeshSubset* Triangles(const std::vector<std::uint16_t>& aIndices) {
    auto* subset = new VoMeshSubset();
    subset->SetTriangleCount(static_cast<std::uint32_t>(aIndices.size() / 3));
    subset->SetVertexCount(3);
    subset->SetIndexBuffer(MeshIndices(aIndices));
    return subset;
}

// A static, indexed mesh of format 5 over the vertices, one subset per list
// of indices, the mesh-wide buffer holding them all.
inline VoMesh* IndexedMesh(const std::vector<MeshVertex>& aVertices,
                           const std::vector<std::vector<std::uint16_t>>& aSubsets) {
    auto* mesh = new VoMesh();
    mesh->SetFlags(VoMesh::kIndexed);
    mesh->SetVertexBuffer(MeshVertices(aVertices));
    std::vector<std::uint16_t> all;
    for (const auto& indices : aSubsets) {
        mesh->AddSubset(Triangles(indices));
        all.insert(all.end(), indices.begin(), indices.end());
    }
    mesh->SetIndexBuffer(MeshIndices(all));
    return mesh;
}

// One triangle facing -z (clockwise seen from the default camera), at depth aZ.
inline VoMesh* Facing(float aZ, float aSize = 1.0f) {
    return IndexedMesh({{-aSize, -aSize, aZ, 0, 0, -1, 0, 0},
                        {0, aSize, aZ, 0, 0, -1, 0, 0},
                        {aSize, -aSize, aZ, 0, 0, -1, 0, 0}},
                       {{0, 1, 2}});
}

inline VoFrame* NamedFrame(const char16_t* apName, VoMesh* apMesh = nullptr) {
    auto* frame = new VoFrame();
    frame->SetName(VoString(apName));
    if (apMesh != nullptr) {
        frame->SetMesh(apMesh);
    }
    return frame;
}

// The log goes nowhere for the life of the object: loops of thousands of
// failing reads would otherwise spend their time appending to the file.
class QuietLog {
public:
    QuietLog() : fPrevious(VoLog::GetFolder()) { VoLog::SetFolder(VoString(u"/nonexistent/quiet")); }
    ~QuietLog() { VoLog::SetFolder(fPrevious); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    VoString fPrevious;
};

// A read-only stream over the first aSize bytes of someone else's data:
// reading every cut of a file needs no copy of each.
class PrefixStream : public VoIStream {
public:
    PrefixStream(const Bytes& aBytes, std::size_t aSize) : fpData(aBytes.data()), fSize(aSize) {}

    bool Close() override { return true; }
    bool Flush() override { return true; }
    std::uint32_t GetPosition() override { return static_cast<std::uint32_t>(fPosition); }
    void Skip(int aCount) override { fPosition += static_cast<std::size_t>(aCount); }
    bool Open() override { return true; }
    bool Read(std::uint32_t aSize, void* apOut) override {
        if (fPosition > fSize || aSize > fSize - fPosition) {
            return false;
        }
        if (aSize > 0) {
            std::memcpy(apOut, fpData + fPosition, aSize);
        }
        fPosition += aSize;
        return true;
    }
    void Reserved() override {}
    void SetPosition(std::uint32_t aPosition) override { fPosition = aPosition; }
    bool Write(std::uint32_t, const void*) override { return false; }
    std::int64_t GetRemaining() override {
        return fPosition >= fSize ? 0 : static_cast<std::int64_t>(fSize - fPosition);
    }

private:
    const unsigned char* fpData;  // not owned
    std::size_t fSize;
    std::size_t fPosition = 0;
};

// The engine that reading the samples needs: a recording device for the
// textures, the data tree's textures and meshes mounted, the texture root set.
class SampleMeshEngine {
public:
    SampleMeshEngine() {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        EXPECT_TRUE(fileSystem->Mount(VoString(u"//textures"), VoString(VO_SOURCE_DIR "/data/textures")));
        EXPECT_TRUE(fileSystem->Mount(VoString(u"//meshes"), VoString(VO_SOURCE_DIR "/data/meshes")));
        EXPECT_TRUE(VoTextureManager::GetInstance()->SetRoot(VoString(u"//textures")));
    }

private:
    RecordedDevice fDevice;
    ScopedEngine fEngine;
};

// A sample mesh file's bytes (data/meshes/aName).
inline Bytes SampleMeshBytes(const std::string& aName) {
    std::ifstream in(std::string(VO_SOURCE_DIR "/data/meshes/") + aName, std::ios::binary);
    EXPECT_TRUE(in.good()) << aName;
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
