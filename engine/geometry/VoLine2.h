#pragma once
// A 2D line, ray or segment: the working tool of the polygon queries and of
// walk-bound navigation. Its arithmetic is slope-based: the near-zero,
// parallel and vertical tolerances of VoGeometryConstants.h, applied in a
// fixed order, decide when a line counts as horizontal, vertical or parallel.
// A value: nothing is owned.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "geometry/VoVector2.h"

class VoLine2 : public VoBase, public VoISerializable {
public:
    // The three kinds of extent.
    enum : std::int32_t {
        kLine = 0,     // unbounded both ways
        kRay = 1,      // from p1 through p2 and beyond
        kSegment = 2,  // from p1 to p2
    };

    VoLine2() : type(kLine) {}
    VoLine2(const VoVector2& aP1, const VoVector2& aP2, std::int32_t aType) : type(aType), p1(aP1), p2(aP2) {}
    VoLine2(const VoLine2&) = default;
    VoLine2& operator=(const VoLine2&) = default;
    ~VoLine2() override = default;

    // Always true.
    bool Set(const VoVector2& aP1, const VoVector2& aP2, std::int32_t aType);
    // p1 = origin, p2 = origin + direction; a direction below the near-zero
    // tolerance on both axes gives a zero line (type untouched) and false.
    bool SetFromDirection(const VoVector2& aOrigin, const VoVector2& aDirection, std::int32_t aType);
    // The line through aPoint with the slope: horizontal below the near-zero
    // tolerance, vertical only above 36000 (exactly 36000 stays steep). Always true.
    bool SetFromSlope(const VoVector2& aPoint, float aSlope, std::int32_t aType);

    // Rise over run; a run below the near-zero tolerance divides by
    // +2.7e-5, so a vertical line's slope keeps the sign of its rise.
    float Slope() const;
    // Unit direction from p1 towards p2, built from the slope.
    VoVector2 GetDirection() const;
    float Length() const;
    float LengthSquared() const;
    VoVector2 GetMidpoint() const;
    // +1, -1 or 0: the side of the carrying line on which aPoint lies.
    int SideOfPoint(const VoVector2& aPoint) const;
    // Slopes closer than the near-zero tolerance (Intersect uses the wider
    // parallel tolerance).
    bool IsParallel(const VoLine2& aOther) const;
    // Distance from aPoint to the carrying line.
    float DistanceToPoint(const VoVector2& aPoint) const;
    // Whether aPoint (assumed on the carrying line) lies within the extent,
    // both ends inclusive, measured along the axis on which the line spans more.
    bool IsWithinExtent(const VoVector2& aPoint) const;

    // Turn p2 about p1 by a quarter; each returns the line.
    VoLine2& Rotate90CCW();
    VoLine2& Rotate90CW();
    // Swaps p1 and p2.
    VoLine2& Reverse();

    // aOut becomes the unbounded line through both points moved by aDistance
    // along the normal: the direction turned clockwise for aDirection 1,
    // counter-clockwise for -1. Any other direction logs kOffsetInvalidDirection
    // and fails with nothing changed.
    bool Offset(float aDistance, int aDirection, VoLine2& aOut) const;
    // The same normal, added to aPoint in place.
    bool Offset(VoVector2& aPoint, float aDistance, int aDirection) const;

    // aOut becomes the unbounded line from the foot of the perpendicular
    // from aPoint to aPoint. The result is whether the foot lies within this
    // ray's or segment's extent; aOut is written either way.
    bool GetPerpendicular(const VoVector2& aPoint, VoLine2& aOut) const;

    // Where this line meets aOther, honouring both extents. aOut is left
    // untouched for parallel lines and written before the extents are
    // tested, so a refusal for extent still leaves the meeting point of the
    // carrying lines in it. A point on an end lies outside the open extent;
    // the non-strict mode readmits points within aTolerance of an end, the
    // strict mode refuses any point within aTolerance of any of the four ends.
    bool Intersect(const VoLine2& aOther, VoVector2& aOut, bool aStrict, float aTolerance) const;

    // The type as a 32-bit unsigned value, then p1 and p2 as VoVector2 stores
    // them. Every field is attempted; a failed read leaves the line unchanged.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    static constexpr const char* kOffsetInvalidDirection = "Offset failure. Invalid direction.";

    std::int32_t type;
    VoVector2 p1;
    VoVector2 p2;

private:
    // The normal of Offset, scaled by aDistance; false for a bad direction.
    bool OffsetNormal(float aDistance, int aDirection, VoVector2& aNormal) const;
};
