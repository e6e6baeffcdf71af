#pragma once
// What the mesh file fuzz targets share: the stream a run reads from and
// what every model a reader accepted must survive: placing its frames,
// walking, skinning and picking its meshes, indexing them in both mesh
// trees, and going through the serialised form and back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"

#include "geometry/VoMatrix.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoMeshQuadTree.h"
#include "scene/VoMeshTriangles.h"
#include "scene/VoPickRay.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoMemoryStream.h"

inline void RequireMesh(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

inline void ExerciseModel(VoDrawElement& aElement) {
    RequireMesh(aElement.GetFrameCount() == 0 || aElement.GetRootFrame() == aElement.GetFrame(0));
    aElement.Update(nullptr);
    VoVector frames(16, 16);
    if (aElement.GetRootFrame() != nullptr) {
        aElement.GetRootFrame()->CollectFrames(&frames);
        RequireMesh(frames.GetCount() <= aElement.GetFrameCount());
    }
    VoMeshOctree scene;
    scene.Create(VoVector3(), 100.0f, 3);
    VoMeshQuadTree ground;
    ground.Create(VoVector2(), 100.0f, 3);
    for (int i = 0; i < aElement.GetMeshCount(); ++i) {
        VoMesh* mesh = aElement.GetMesh(i);
        VoMeshTriangles triangles(mesh);
        VoVector3 a;
        VoVector3 b;
        VoVector3 c;
        while (triangles.Next(&a, &b, &c)) {
        }
        if (mesh->GetMeshType() == VoMesh::kSkinnedMesh) {
            static_cast<VoSkinMesh*>(mesh)->UpdateSkin();
        }
        const VoMatrix* world =
            mesh->GetOwnerFrame() != nullptr ? &mesh->GetOwnerFrame()->GetAbsoluteMatrix() : nullptr;
        scene.AddMesh(VoString(u"m"), mesh, world);
        ground.AddMesh(mesh->GetName(), mesh, world);
    }
    VoVector3 hit;
    VoPickRay ray(nullptr);
    ray.Set(VoVector3(0.0f, 0.0f, -50.0f), VoVector3(0.0f, 0.0f, 1.0f), VoPickRay::kWorldSpace);
    ray.Pick(&aElement, hit);
    scene.Pick(VoVector3(0.0f, 0.0f, -50.0f), VoVector3(0.0f, 0.0f, 1.0f), hit, 100.0f);
    ground.IntersectsVertLineThruPt(VoVector2(0.0f, 0.0f), hit);
}

inline bool SameBytes(VoMemoryStream& aA, VoMemoryStream& aB) {
    return aA.GetPosition() == aB.GetPosition() &&
           (aA.GetPosition() == 0 || std::memcmp(aA.GetBuffer(), aB.GetBuffer(), aA.GetPosition()) == 0);
}

// Written in the serialised form (when it can be: a raw subset without
// triangles has no index buffer to write), read back and written again,
// the bytes are the same.
inline void RequireSerialisedRoundTrip(VoDrawElement& aElement) {
    VoMemoryStream first(64, VoMemoryStream::kGrowDouble);
    if (!aElement.Write(&first)) {
        return;
    }
    FuzzStream back(first.GetBuffer(), first.GetPosition(), true);
    VoDrawElement copy;
    RequireMesh(copy.Read(&back));
    VoMemoryStream second(64, VoMemoryStream::kGrowDouble);
    RequireMesh(copy.Write(&second));
    RequireMesh(SameBytes(first, second));
}
