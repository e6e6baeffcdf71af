#include "scene/VoMeshTriangle.h"

#include "geometry/VoMatrix.h"

static_assert(sizeof(VoMeshTriangle) == 40, "a mesh tree's triangle is a 40-byte record");

VoMeshTriangle::VoMeshTriangle(std::uint8_t aMeshIndex, const VoVector3& aA, const VoVector3& aB,
                               const VoVector3& aC, const VoMatrix* apWorld)
    : meshIndex(aMeshIndex), a(aA), b(aB), c(aC) {
    if (apWorld != nullptr) {
        TransformCoord(&a, apWorld, &a);
        TransformCoord(&b, apWorld, &b);
        TransformCoord(&c, apWorld, &c);
    }
}
