// Feeds arbitrary bytes to the readers of the geometry values that store
// themselves (vectors, matrices, boxes, 2D lines) and puts what they read to
// work: any bit pattern, NaN and infinity included, must come through the
// queries without a crash or undefined behaviour. The first byte says
// whether the stream tells its size; every following byte picks the next
// reader, which takes its value from the bytes after it. Each value read
// also meets the one read before it of the same kind.
#include <cstddef>
#include <cstdint>

#include "geometry/VoBox2.h"
#include "geometry/VoBox3.h"
#include "geometry/VoLine2.h"
#include "geometry/VoLine3.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"
#include "support/FuzzSupport.h"

namespace {

constexpr float kTolerance = 2.7e-5f;

// The values read so far, one of each kind.
struct Values {
    VoVector2 v2;
    VoVector3 v3;
    VoVector4 v4;
    VoMatrix matrix;
    VoBox2 box2;
    VoBox3 box3;
    VoLine2 line2;
};

void ReadOne(VoIStream& aStream, std::uint8_t aChoice, Values& aLast) {
    switch (aChoice % 8) {
        case 0: {
            VoVector2 value = aLast.v2;
            if (value.Read(&aStream)) {
                value.Normalize(kTolerance);
                value.AngleBetween(aLast.v2);
                value.Slope(aLast.v2);
                aLast.v2 = value;
            }
            break;
        }
        case 1: {
            VoVector3 value = aLast.v3;
            if (value.Read(&aStream)) {
                VoVector3(value).NormalizeInPlace(kTolerance);
                VoVector3 normal;
                Vec3Normalize(&normal, &value);
                aLast.v3 = value;
            }
            break;
        }
        case 2: {
            VoVector4 value = aLast.v4;
            if (value.Read(&aStream)) {
                VoVector4 slerped;
                QuaternionSlerp(&slerped, &aLast.v4, &value, 0.5f);
                VoMatrix rotation;
                MatrixRotationQuaternion(&rotation, &value);
                QuaternionRotationMatrix(&slerped, &rotation);
                aLast.v4 = value;
            }
            break;
        }
        case 3: {
            VoMatrix value = aLast.matrix;
            if (value.Read(&aStream)) {
                VoMatrix inverse;
                MatrixInverse(&inverse, &value);
                VoVector4 rotation;
                QuaternionRotationMatrix(&rotation, &value);
                VoVector3 point;
                TransformCoord(&point, &value, &aLast.v3);
                aLast.matrix = value;
            }
            break;
        }
        case 4: {
            VoBox2 value = aLast.box2;
            if (value.Read(&aStream)) {
                value.Intersects(aLast.box2);
                value.IntersectsRay(aLast.v2, value.max - aLast.v2);
                value.GetMaxExtent();
                aLast.box2 = value;
            }
            break;
        }
        case 5: {
            VoBox3 value = aLast.box3;
            if (value.Read(&aStream)) {
                value.Intersects(aLast.box3);
                value.IntersectsRay(aLast.v3, value.max - aLast.v3);
                value.Extend(aLast.v3);
                aLast.box3 = value;
            }
            break;
        }
        case 6: {
            VoLine2 value = aLast.line2;
            if (value.Read(&aStream)) {
                VoVector2 meeting;
                value.Intersect(aLast.line2, meeting, (aChoice & 8) != 0, kTolerance);
                VoLine2 perpendicular;
                value.GetPerpendicular(aLast.v2, perpendicular);
                value.GetDirection();
                value.IsWithinExtent(meeting);
                VoLine2 offset;
                value.Offset(1.0f, 1, offset);
                aLast.line2 = value;
            }
            break;
        }
        default: {
            // No stored form: refused without reading anything.
            VoLine3 value;
            value.Read(&aStream);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    Values last;
    MatrixIdentity(&last.matrix);
    RunChosenReads(apData, aSize,
                   [&last](VoIStream& aStream, std::uint8_t aChoice) { ReadOne(aStream, aChoice, last); });
    return 0;
}
