#pragma once
// An axis-aligned 3D box (min and max corner): mesh bounds, octree bounds,
// picking. A plain value; every operation is VoBox2's with z added.
#include "geometry/VoVector3.h"

class VoIStream;

class VoBox3 {
public:
    // The point box at the origin (not the empty box).
    VoBox3() = default;
    VoBox3(const VoVector3& aMin, const VoVector3& aMax) : min(aMin), max(aMax) {}
    VoBox3(const VoBox3&) = default;
    VoBox3& operator=(const VoBox3&) = default;

    // Every min component 1e37 and every max -1e37.
    void SetEmpty();
    // min > max on any axis.
    bool IsEmpty() const;

    VoBox3& Extend(const VoVector3& aPoint);
    VoBox3& Extend(const VoBox3& aOther);
    void ClosestPoint(const VoVector3& aPoint, VoVector3& aOut) const;
    bool Contains(const VoVector3& aPoint) const;
    bool Intersects(const VoBox3& aOther) const;
    float GetMaxExtent() const;
    // Whether the segment from aOrigin to aOrigin + aDirection touches the box.
    bool IntersectsRay(const VoVector3& aOrigin, const VoVector3& aDirection) const;

    // min.x, min.y, min.z, max.x, max.y, max.z as 4-byte floats. A failed
    // read leaves the box unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    VoVector3 min;
    VoVector3 max;
};
