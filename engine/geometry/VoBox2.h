#pragma once
// An axis-aligned 2D box (min and max corner): mesh footprints, quadtree
// bounds, point and ray tests. A plain value; the 3D twin is VoBox3.
#include "geometry/VoVector2.h"

class VoIStream;
class VoPolygon;
class VoRectangle;

class VoBox2 {
public:
    // The point box at the origin (not the empty box).
    VoBox2() = default;
    VoBox2(float aMinX, float aMinY, float aMaxX, float aMaxY) : min(aMinX, aMinY), max(aMaxX, aMaxY) {}
    VoBox2(const VoVector2& aMin, const VoVector2& aMax) : min(aMin), max(aMax) {}
    // The rectangle's area; a negative width or height still gives a proper box.
    explicit VoBox2(const VoRectangle& aRectangle);
    // The bounds of the points; no points give the zero box. The polygon's
    // bounding box is this over its points.
    VoBox2(const VoVector2* apPoints, int aNumPoints);
    explicit VoBox2(const VoPolygon& aPolygon);

    // Every min component 1e37 and every max -1e37, so that the first
    // Extend by a point makes the box exactly that point.
    void SetEmpty();
    // min > max on any axis (a box of zero width is not empty).
    bool IsEmpty() const;

    VoBox2& Extend(const VoVector2& aPoint);
    VoBox2& Extend(const VoBox2& aOther);
    // aPoint clamped into the box axis by axis.
    void ClosestPoint(const VoVector2& aPoint, VoVector2& aOut) const;
    // Both faces inclusive.
    bool Contains(const VoVector2& aPoint) const;
    // Boxes that only touch intersect.
    bool Intersects(const VoBox2& aOther) const;
    float GetMaxExtent() const;
    // Whether the segment from aOrigin to aOrigin + aDirection touches the
    // box: the direction is not normalised, its length is the reach.
    bool IntersectsRay(const VoVector2& aOrigin, const VoVector2& aDirection) const;

    // min.x, min.y, max.x, max.y as 4-byte floats. A failed read leaves the box unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    VoVector2 min;
    VoVector2 max;
};
