#pragma once
// A 3D line, ray or segment: what picking rays and the plane and triangle
// intersection tests take. A value: nothing is owned.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "geometry/VoVector3.h"

class VoLine3 : public VoBase, public VoISerializable {
public:
    // The three kinds of extent.
    enum : std::int32_t {
        kLine = 0,     // infinite both ways
        kRay = 1,      // from start through end and on
        kSegment = 2,  // from start to end
    };

    VoLine3() : type(kLine) {}
    VoLine3(const VoLine3&) = default;
    VoLine3& operator=(const VoLine3&) = default;
    ~VoLine3() override = default;

    // Always true.
    bool Set(const VoVector3& aStart, const VoVector3& aEnd, std::int32_t aType);
    // start = origin, end = origin + direction. A direction whose every
    // component is below the near-zero tolerance in size gives a zero line
    // (type untouched) and false.
    bool SetFromDirection(const VoVector3& aOrigin, const VoVector3& aDirection, std::int32_t aType);
    // Whether a point assumed to lie on the carrying line lies within the
    // extent: anywhere for a line, ahead of start for a ray (zero direction
    // components count as non-negative), between the ends for a segment.
    bool IsInExtent(const VoVector3& aPoint) const;

    // No saved form: each logs the assertion "NYI." and fails.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    std::int32_t type;
    VoVector3 start;
    VoVector3 end;
};
