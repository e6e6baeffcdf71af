#pragma once
// One edge of a shadow volume's mesh, from vertex a to vertex b as the face
// that created it runs along it. The face on its other side runs from b to
// a; an edge no such face shares is open (face 1 is -1) and always part of
// the silhouette.
#include <cstdint>

class VoShadowEdge {
public:
    static constexpr std::int32_t kNoFace = -1;

    std::int32_t fA = 0;
    std::int32_t fB = 0;
    std::int32_t fFace0 = 0;
    std::int32_t fFace1 = kNoFace;
    bool fSilhouette = false;
};
