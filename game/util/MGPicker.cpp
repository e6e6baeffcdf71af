#include "util/MGPicker.h"

#include "container/VoLog.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "scene/MGNavigation.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoPickRay.h"

MGPicker::MGPicker(VoCamera* apCamera) : fpRay(VO_NEW VoPickRay(apCamera)), fpCamera(apCamera) {
    if (apCamera == nullptr) {
        VO_ERROR(kNullArg);
    }
}

MGPicker::~MGPicker() {
    delete fpRay;
}

int MGPicker::Pick(int aX, int aY, void*, bool aRun) {
    MGNavigation* navigation = MGNavigation::GetInstance();
    VoMeshOctree* tree = navigation != nullptr ? navigation->GetSceneTree() : nullptr;
    VoVector3 hit;
    bool found = false;
    if (fpRay != nullptr && tree != nullptr && fpRay->CalculateRay(aX, aY)) {
        VoPickRay world(fpCamera);
        if (fpRay->GetWorldRay(world)) {
            VoVector3 direction = world.GetDirection();
            direction.NormalizeInPlace(kNormalizeTolerance);
            found = tree->Pick(world.GetOrigin(), direction, hit, kPickLength);
        }
    }
    if (!found) {
        VO_ASSERT_FAILURE(kPickFailure);
        return 0;
    }
    return navigation->WalkTo(VoVector2(hit.x, hit.z), true, aRun ? 2 : 1, true) ? 1 : 0;
}
