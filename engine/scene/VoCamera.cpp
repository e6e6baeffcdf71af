#include "scene/VoCamera.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "render/VoIRasterizer.h"

VoCamera::VoCamera() : fpRasterizer(VoIRasterizer::Get()) {
    MatrixIdentity(&fWorld);
    BuildView();
    BuildProjection();
}

VoCamera::~VoCamera() {
    fpRasterizer = nullptr;
}

VoString VoCamera::ToString() const {
    return VoDebugString("VoCamera", this);
}

bool VoCamera::Apply() {
    // The rasterizer may have been made anew since construction (or be gone
    // for good): the live one is asked each time.
    fpRasterizer = VoIRasterizer::Get();
    if (fpRasterizer == nullptr) {
        return false;
    }
    bool applied = fpRasterizer->SetTransform(VoIRasterizer::kWorld, &fWorld);
    applied = fpRasterizer->SetTransform(VoIRasterizer::kProjection, &fProjection) && applied;
    applied = fpRasterizer->SetTransform(VoIRasterizer::kView, &fView) && applied;
    return applied;
}

bool VoCamera::SetPosition(float aX, float aY, float aZ) {
    fEye.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool VoCamera::SetTarget(float aX, float aY, float aZ) {
    fTarget.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool VoCamera::SetUp(float aX, float aY, float aZ) {
    fUp.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool VoCamera::SetAspect(float aAspect) {
    fAspect = aAspect;
    BuildProjection();
    return true;
}

bool VoCamera::SetProjection(float aFovY, float aZNear, float aZFar) {
    fFovY = aFovY;
    fNear = aZNear;
    fFar = aZFar;
    BuildProjection();
    return true;
}

bool VoCamera::SetProjectionFovX(float aFovX, float aZNear, float aZFar) {
    const float fovY = 2.0f * std::atan(std::tan(aFovX * 0.5f) / fAspect);
    return SetProjection(fovY, aZNear, aZFar);
}

void VoCamera::BuildView() {
    MatrixLookAt(&fView, &fEye, &fTarget, &fUp);
}

void VoCamera::BuildProjection() {
    MatrixPerspectiveFov(&fProjection, fFovY, fAspect, fNear, fFar);
}
