#include "navigation/VoINavigation.h"

#include "container/VoLog.h"
#include "navigation/VoIPathFinding.h"

bool VoINavigation::RemoveListener(VoINavigationListener* apListener) {
    if (fpListener == nullptr || fpListener != apListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

bool VoINavigation::SetActive(bool aActive) {
    fActive = aActive;
    return true;
}

bool VoINavigation::SetListener(VoINavigationListener* apListener) {
    if (apListener == nullptr) {
        VO_ASSERT_FAILURE(kSetListenerNullArg);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool VoINavigation::SetPathFinding(VoIPathFinding* apPathFinding) {
    if (apPathFinding == nullptr) {
        VO_ASSERT_FAILURE(kSetPathFindingNullArg);
        return false;
    }
    // Handing over the web already held must not delete it.
    if (apPathFinding != fpPathFinding) {
        delete fpPathFinding;
        fpPathFinding = apPathFinding;
    }
    return true;
}

bool VoINavigation::SetPosition(const VoVector3& aPosition) {
    fPosition = aPosition;
    return true;
}

bool VoINavigation::SetTarget(const VoVector3& aTarget) {
    fTarget = aTarget;
    return true;
}
