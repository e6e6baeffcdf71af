#include "util/MGPicker.h"

#include "container/VoLog.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDODisplay.h"
#include "scene/MGNavigation.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoPickRay.h"

MGPicker::MGPicker(VoCamera* apCamera) : fpRay(nullptr), fpCamera(apCamera) {
    if (apCamera == nullptr) {
        VO_ERROR(kNullArg);
    }
    fpRay = VO_NEW VoPickRay(apCamera);
}

MGPicker::~MGPicker() {
    delete fpRay;
    fpRay = nullptr;
}

bool MGPicker::Pick(int aX, int aY, bool aRun) {
    if (fpRay == nullptr || fpCamera == nullptr || !fpRay->CalculateRay(aX, aY) ||
        !fpRay->GetWorldRay(*fpRay)) {
        return false;
    }
    const VoVector3 direction = fpRay->GetDirection().Normalize(kNormalizeTolerance);
    MGNavigation* navigation = MGNavigation::GetInstance();
    const VoMeshOctree* tree = navigation != nullptr ? navigation->GetSceneTree() : nullptr;
    VoVector3 hit;
    if (tree == nullptr || !tree->Pick(fpRay->GetOrigin(), direction, hit, kPickLength)) {
        VO_ASSERT_FAILURE(kPickFailure);
        return false;
    }
    const VoVector2 ground(hit.x, hit.z);
    if (VoNavigationTDODisplay* display = navigation->GetDisplay()) {
        display->SetPickPosition(ground);
    }
    return navigation->WalkTo(ground, true, aRun ? kRunSpeed : kWalkSpeed, true);
}
