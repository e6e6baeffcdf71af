#include "scene/VoINodeObject.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"

VoINodeObject::VoINodeObject() {
    MatrixIdentity(&fAbsolute);
    MatrixIdentity(&fRelative);
}

VoINodeObject::~VoINodeObject() {
    fpGroup = nullptr;
}

VoString VoINodeObject::ToString() const {
    return VoDebugString("VoINodeObject", this);
}

bool VoINodeObject::Initialize(std::uintptr_t) {
    return true;
}

bool VoINodeObject::OnLoad(VoIStream*, float) {
    return false;
}

bool VoINodeObject::Save(VoIStream*) {
    return false;
}

bool VoINodeObject::SetVisible(bool aVisible) {
    const std::uint8_t value = aVisible ? 1 : 0;
    if (value != fOwnVisible) {
        fVisibleDirty = 1;
    }
    fOwnVisible = value;
    return true;
}

bool VoINodeObject::InvalidateVisible() {
    fVisibleDirty = 1;
    return true;
}

bool VoINodeObject::SetNodeId(const VoString& aId) {
    fNodeId = aId;
    return true;
}

bool VoINodeObject::InvalidateTransform() {
    fTransformDirty = 1;
    return true;
}

bool VoINodeObject::SetActive(bool aActive) {
    const std::uint8_t value = aActive ? 1 : 0;
    if (value != fOwnActive) {
        fActiveDirty = 1;
    }
    fOwnActive = value;
    return true;
}

bool VoINodeObject::InvalidateActive() {
    fActiveDirty = 1;
    return true;
}

bool VoINodeObject::RecomputeVisible() {
    const bool groupVisible = fpGroup == nullptr || fpGroup->IsVisible();
    fVisible = groupVisible && fOwnVisible != 0 ? 1 : 0;
    fVisibleDirty = 0;
    return true;
}

bool VoINodeObject::RecomputeTransform() {
    if (fpGroup != nullptr) {
        const VoMatrix group = fpGroup->GetAbsoluteMatrix();
        MatrixMultiply(&fAbsolute, &group, &fRelative);
    } else {
        fAbsolute = fRelative;
    }
    fTransformDirty = 0;
    return true;
}

bool VoINodeObject::RecomputeActive() {
    const bool groupActive = fpGroup == nullptr || fpGroup->IsActive();
    fActive = groupActive && fOwnActive != 0 ? 1 : 0;
    fActiveDirty = 0;
    return true;
}

bool VoINodeObject::IsVisible() {
    if (fVisibleDirty != 0) {
        RecomputeVisible();
    }
    return fVisible != 0;
}

bool VoINodeObject::IsActive() {
    if (fActiveDirty != 0) {
        RecomputeActive();
    }
    return fActive != 0;
}

VoMatrix VoINodeObject::GetAbsoluteMatrix() {
    if (fTransformDirty != 0) {
        RecomputeTransform();
    }
    return fAbsolute;
}

bool VoINodeObject::GetAbsoluteMatrix(VoMatrix& aOut) {
    aOut = GetAbsoluteMatrix();
    return true;
}

bool VoINodeObject::GetRelativeMatrix(VoMatrix& aOut) const {
    aOut = fRelative;
    return true;
}

bool VoINodeObject::SetRotationX(float aRadians) {
    MatrixRotationX(&fRelative, aRadians);
    return true;
}

bool VoINodeObject::SetRotationY(float aRadians) {
    MatrixRotationY(&fRelative, aRadians);
    return true;
}

bool VoINodeObject::SetRotationZ(float aRadians) {
    MatrixRotationZ(&fRelative, aRadians);
    return true;
}

bool VoINodeObject::SetRotationXDeg(float aDegrees) {
    return SetRotationX(aDegrees * kDegreesToRadians);
}

bool VoINodeObject::SetRotationYDeg(float aDegrees) {
    return SetRotationY(aDegrees * kDegreesToRadians);
}

bool VoINodeObject::SetRotationZDeg(float aDegrees) {
    return SetRotationZ(aDegrees * kDegreesToRadians);
}

bool VoINodeObject::SetScale(float aX, float aY, float aZ) {
    MatrixScaling(&fRelative, aX, aY, aZ);
    return true;
}

bool VoINodeObject::SetScale(const VoVector3& aScale) {
    return SetScale(aScale.x, aScale.y, aScale.z);
}

bool VoINodeObject::SetTranslation(float aX, float aY, float aZ) {
    MatrixTranslation(&fRelative, aX, aY, aZ);
    return true;
}

bool VoINodeObject::SetTranslation(const VoVector3& aTranslation) {
    return SetTranslation(aTranslation.x, aTranslation.y, aTranslation.z);
}

VoVector3 VoINodeObject::GetRotationAbs() {
    GetAbsoluteMatrix();
    VO_ERROR(kGetRotationAbsNYI);
    return VoVector3();
}

VoVector3 VoINodeObject::GetScaleAbs() {
    GetAbsoluteMatrix();
    VO_ERROR(kGetScaleAbsNYI);
    return VoVector3();
}

VoVector3 VoINodeObject::GetTranslationAbs() {
    GetAbsoluteMatrix();
    VO_ERROR(kGetTranslationAbsNYI);
    return VoVector3();
}

VoVector3 VoINodeObject::GetRotationRel() const {
    VO_ERROR(kGetRotationRelNYI);
    return VoVector3();
}

VoVector3 VoINodeObject::GetScaleRel() const {
    VO_ERROR(kGetScaleRelNYI);
    return VoVector3();
}

VoVector3 VoINodeObject::GetTranslationRel() const {
    VO_ERROR(kGetTranslationRelNYI);
    return VoVector3();
}

bool VoINodeObject::SetGroup(VoINodeObject* apGroup) {
    if (apGroup == nullptr) {
        VO_ERROR(kSetGroupNull);
        return false;
    }
    // A group chain that comes back to this node would recompute forever.
    for (const VoINodeObject* group = apGroup; group != nullptr; group = group->fpGroup) {
        if (group == this) {
            VO_ERROR(kSetGroupCycle);
            return false;
        }
    }
    fpGroup = apGroup;
    return true;
}
