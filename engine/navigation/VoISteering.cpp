#include "navigation/VoISteering.h"

#include "container/VoLog.h"
#include "geometry/VoVector2.h"
#include "navigation/VoINavigation.h"

bool VoISteering::GetPosition(VoVector3* apOut) {
    if (fpNavigation == nullptr || apOut == nullptr) {
        return false;
    }
    *apOut = fpNavigation->GetPosition();
    return true;
}

bool VoISteering::SetDirection(const VoVector2& aDirection) {
    fDirection.Set(aDirection.x, aDirection.y, 0.0f);
    fDirection.NormalizeInPlace(kDirectionTolerance);
    return true;
}

bool VoISteering::SetActive(bool aActive) {
    fActive = aActive;
    return true;
}

bool VoISteering::SetNavigation(VoINavigation* apNavigation) {
    if (apNavigation == nullptr) {
        VO_ASSERT_FAILURE(kSetNavigationNullArg);
        return false;
    }
    // Handing over the navigation already held must not delete it.
    if (apNavigation != fpNavigation) {
        delete fpNavigation;
        fpNavigation = apNavigation;
    }
    return true;
}
