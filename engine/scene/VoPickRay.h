#pragma once
// A ray through the scene for a screen point: first in the camera's view
// space, then in world space, and tested against the triangles a model
// draws to find the nearest hit. The game's picker turns the mouse position
// into a world ray and asks the scene's mesh octree; Pick does the same
// against one draw element.
//
// CalculateRay (x, y), in pixels from the viewport's top left: with P the
// camera's projection, the direction is ((2x / width - 1) / P[0][0],
// (1 - 2y / height) / P[1][1], 1) from the origin, in view space (the
// viewport's own offsets are not used). GetWorldRay takes it through the
// inverse of the camera's view: the origin as a point, the direction as a
// direction, then to unit length.
//
// Pick (element, hit) walks every frame of the element's list with a mesh
// that has a vertex buffer and a mesh-wide index buffer, and every triangle
// its subsets draw (VoMeshTriangles), placed as the frame draws it: by the
// frame's absolute matrix, a skinned mesh as it stands (its vertices are
// skinned into world space). The ray runs from its origin through origin +
// direction and on; the nearest hit by squared distance wins, an equal one
// keeping the earlier. The ray must be in world space for that to mean
// anything; Pick does not convert it.
#include <cstdint>

#include "geometry/VoVector3.h"

class VoCamera;
class VoDrawElement;

class VoPickRay {
public:
    static constexpr std::int32_t kViewSpace = 0;
    static constexpr std::int32_t kWorldSpace = 1;

    static constexpr const char* kNullCamera = "VoPickRay(): NULL arg.";
    static constexpr const char* kCalculateRayFailure = "CalculateRay failure.";
    static constexpr const char* kWorldRayFailure = "GetWorldRay failure. View matrix not invertible.";
    static constexpr const char* kPickNull = "Pick failure. NULL arg.";

    // Origin and direction (0, 0, 0), view space. A null camera is logged
    // and kept: the ray then calculates nothing.
    explicit VoPickRay(VoCamera* apCamera);
    // The same, then CalculateRay (aX, aY).
    VoPickRay(VoCamera* apCamera, int aX, int aY);
    VoPickRay(const VoPickRay&) = default;
    VoPickRay& operator=(const VoPickRay&) = default;
    ~VoPickRay() = default;

    // The view-space ray through the screen point (see above). False without
    // a camera; false, logged, when the rasterizer gives no viewport, or an
    // empty one, or the projection cannot be divided by.
    bool CalculateRay(int aX, int aY);
    // The ray in world space, written to aOut (which may be this ray); a
    // world-space ray is copied as it is. False without a camera; false,
    // logged, when the view cannot be inverted.
    bool GetWorldRay(VoPickRay& aOut) const;
    // The nearest hit of the ray on the element's triangles (see above),
    // written to aHit; false, aHit untouched, when there is none. A null
    // element is asserted.
    bool Pick(const VoDrawElement* apElement, VoVector3& aHit) const;

    // Copies origin, direction, space and camera.
    static void Copy(VoPickRay& aTo, const VoPickRay& aFrom) { aTo = aFrom; }

    const VoVector3& GetOrigin() const { return fOrigin; }
    const VoVector3& GetDirection() const { return fDirection; }
    std::int32_t GetSpace() const { return fSpace; }
    VoCamera* GetCamera() const { return fpCamera; }
    void Set(const VoVector3& aOrigin, const VoVector3& aDirection, std::int32_t aSpace) {
        fOrigin = aOrigin;
        fDirection = aDirection;
        fSpace = aSpace;
    }

private:
    VoVector3 fOrigin;
    VoVector3 fDirection;
    std::int32_t fSpace = kViewSpace;
    VoCamera* fpCamera;  // not owned: the camera the ray belongs to
};
