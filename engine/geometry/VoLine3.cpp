#include "geometry/VoLine3.h"

#include <cmath>

#include "container/VoLog.h"
#include "geometry/VoGeometryConstants.h"

bool VoLine3::Set(const VoVector3& aStart, const VoVector3& aEnd, std::int32_t aType) {
    start = aStart;
    end = aEnd;
    type = aType;
    return true;
}

bool VoLine3::SetFromDirection(const VoVector3& aOrigin, const VoVector3& aDirection, std::int32_t aType) {
    if (std::fabs(aDirection.x) < kVoNearZero && std::fabs(aDirection.y) < kVoNearZero &&
        std::fabs(aDirection.z) < kVoNearZero) {
        start = VoVector3();
        end = VoVector3();
        return false;
    }
    return Set(aOrigin, aOrigin + aDirection, aType);
}

bool VoLine3::IsInExtent(const VoVector3& aPoint) const {
    if (type == kLine) {
        return true;
    }
    const VoVector3 direction = end - start;
    const VoVector3 offset = aPoint - start;
    if (!offset.SameSigns(direction)) {
        return false;
    }
    if (type == kRay) {
        return true;
    }
    return std::fabs(direction.x) >= std::fabs(offset.x) && std::fabs(direction.y) >= std::fabs(offset.y) &&
           std::fabs(direction.z) >= std::fabs(offset.z);
}

bool VoLine3::Read(VoIStream* /*apStream*/) {
    VO_ASSERT_FAILURE("NYI.");
    return false;
}

bool VoLine3::Write(VoIStream* /*apStream*/) {
    VO_ASSERT_FAILURE("NYI.");
    return false;
}
