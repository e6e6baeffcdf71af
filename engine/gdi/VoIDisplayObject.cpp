#include "gdi/VoIDisplayObject.h"

#include <cmath>

#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"

namespace {

// The matrix that negates y: between the screen's orientation and the y-up frame.
const VoMatrix& FlipY() {
    static const VoMatrix sFlip(1.0f, 0.0f, 0.0f, 0.0f,   //
                                0.0f, -1.0f, 0.0f, 0.0f,  //
                                0.0f, 0.0f, 1.0f, 0.0f,   //
                                0.0f, 0.0f, 0.0f, 1.0f);
    return sFlip;
}

float DistanceToSegment(const VoVector2& aPoint, const VoVector2& aA, const VoVector2& aB) {
    const VoVector2 run = aB - aA;
    const float lengthSquared = run.LengthSquared();
    float t = 0.0f;
    if (lengthSquared > 0.0f) {
        const VoVector2 offset = aPoint - aA;
        t = (offset.x * run.x + offset.y * run.y) / lengthSquared;
        t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    }
    return aPoint.Distance(aA + run * t);
}

}  // namespace

VoIDisplayObject::VoIDisplayObject() {
    MatrixIdentity(&fWorldTransform);
    MatrixIdentity(&fLocalTransform);
}

VoIDisplayObject::~VoIDisplayObject() {
    if (fTrackDestroy) {
        VO_NOTE(kTrackDestroy);
    }
    if (fpGroup != nullptr) {
        fpGroup->RemoveMember(this);
        fpGroup = nullptr;
    }
    delete fpWorldBoundary;
    delete fpBoundary;
    delete fpWorldRectangle;
    delete fpRectangle;
}

bool VoIDisplayObject::SetId(const VoString& aId) {
    if (aId.GetLength() == 0) {
        return false;
    }
    if (aId == fId) {
        return true;
    }
    if (fpGroup != nullptr && !fpGroup->RekeyMember(this, aId)) {
        return false;
    }
    fId = aId;
    return true;
}

bool VoIDisplayObject::SetActive(bool aActive) {
    if (aActive == fActive) {
        return true;
    }
    fActive = aActive;
    InvalidateActive();
    return true;
}

bool VoIDisplayObject::SetEnabled(bool aEnabled) {
    if (aEnabled == fEnabled) {
        return true;
    }
    fEnabled = aEnabled;
    InvalidateEnabled();
    return true;
}

bool VoIDisplayObject::SetVisible(bool aVisible) {
    fVisible = aVisible;
    InvalidateVisible();
    return true;
}

bool VoIDisplayObject::SetBlend(float aBlend) {
    if (aBlend >= 1.0f) {
        fBlend = 1.0f;
    } else if (aBlend > 0.0f) {
        fBlend = aBlend;
    } else {
        fBlend = 0.0f;  // below 0, and NaN
    }
    InvalidateBlend();
    return true;
}

bool VoIDisplayObject::SetRotation(float aDegrees) {
    fRotation = aDegrees;
    InvalidateRotation();
    return true;
}

bool VoIDisplayObject::SetScale(const VoVector2& aScale) {
    fScale = aScale;
    InvalidateScale();
    return true;
}

bool VoIDisplayObject::SetScale(float aX, float aY) {
    return SetScale(VoVector2(aX, aY));
}

bool VoIDisplayObject::SetScale(float aUniform) {
    return SetScale(VoVector2(aUniform, aUniform));
}

bool VoIDisplayObject::SetPosition(const VoVector2& aPosition) {
    fPosition = aPosition;
    InvalidateTransform();
    return true;
}

bool VoIDisplayObject::SetPosition(float aX, float aY) {
    return SetPosition(VoVector2(aX, aY));
}

bool VoIDisplayObject::SetCenter(const VoVector2& aCenter) {
    fCenter = aCenter;
    InvalidateTransform();
    return true;
}

bool VoIDisplayObject::SetCenter(float aX, float aY) {
    return SetCenter(VoVector2(aX, aY));
}

bool VoIDisplayObject::SetRelativeZ(float aZ) {
    fRelativeZ = aZ;
    return true;
}

bool VoIDisplayObject::SetBoundary(const VoIRegion& aRegion) {
    VoPolygon* boundary = nullptr;
    if (aRegion.GetType() == VoIRegion::kRectangle) {
        const VoRectangle* rectangle = dynamic_cast<const VoRectangle*>(&aRegion);
        if (rectangle != nullptr) {
            boundary = VO_NEW VoPolygon(*rectangle);
        }
    } else {
        VoIRegion* copy = aRegion.Clone();
        boundary = dynamic_cast<VoPolygon*>(copy);
        if (boundary == nullptr) {
            delete copy;
        }
    }
    if (boundary == nullptr) {
        VO_ERROR(kSetBoundaryFailure);
        return false;
    }
    delete fpBoundary;
    fpBoundary = boundary;
    InvalidateBoundary();
    return true;
}

bool VoIDisplayObject::SetRectangle(const VoRectangle& aRectangle) {
    VoRectangle* rectangle = VO_NEW VoRectangle(aRectangle);
    if (rectangle == nullptr) {
        return false;
    }
    delete fpRectangle;
    fpRectangle = rectangle;
    InvalidateRectangle();
    return true;
}

bool VoIDisplayObject::SetGroup(VoDisplayGroup* apGroup) {
    if (apGroup == nullptr) {
        VO_ERROR(kSetGroupNull);
        return false;
    }
    if (fpGroup != nullptr) {
        VO_ERROR(kSetGroupAssigned);
        return false;
    }
    // A group inside this object would make the tree a loop.
    for (VoIDisplayObject* ancestor = apGroup; ancestor != nullptr; ancestor = ancestor->fpGroup) {
        if (ancestor == this) {
            VO_ERROR(kSetGroupCycle);
            return false;
        }
    }
    fpGroup = apGroup;
    InvalidateInherited();
    return true;
}

void VoIDisplayObject::LeaveGroup() {
    fpGroup = nullptr;
    InvalidateInherited();
}

void VoIDisplayObject::InvalidateInherited() {
    InvalidateActive();
    InvalidateEnabled();
    InvalidateVisible();
    InvalidateBlend();
    InvalidateRotation();
    InvalidateScale();
    InvalidateTransform();
}

void VoIDisplayObject::InvalidateActive() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackActive);
    }
    fActiveDirty = true;
}

void VoIDisplayObject::InvalidateVisible() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackVisible);
    }
    fVisibleDirty = true;
}

void VoIDisplayObject::InvalidateEnabled() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackEnabled);
    }
    fEnabledDirty = true;
}

void VoIDisplayObject::InvalidateBlend() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackBlend);
    }
    fBlendDirty = true;
}

void VoIDisplayObject::InvalidateRotation() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackRotation);
    }
    fRotationDirty = true;
    InvalidateTransform();
}

void VoIDisplayObject::InvalidateScale() {
    if (fTrackInvalidation) {
        VO_ASSERT_FAILURE(kTrackScale);
    }
    fScaleDirty = true;
    InvalidateTransform();
}

void VoIDisplayObject::InvalidateTransform() {
    fLocalTransformDirty = true;
    InvalidateRectangle();
    InvalidateBoundary();
}

void VoIDisplayObject::InvalidateWorldTransform() {
    fWorldTransformDirty = true;
    InvalidateRectangle();
    InvalidateBoundary();
}

void VoIDisplayObject::InvalidateRectangle() {
    fRectangleDirty = true;
}

void VoIDisplayObject::InvalidateBoundary() {
    fBoundaryDirty = true;
}

void VoIDisplayObject::Validate() {
    RecomputeActive();
    RecomputeEnabled();
    RecomputeVisible();
    RecomputeBlend();
    RecomputeRotation();
    RecomputeScale();
    RecomputeTransform();
    RecomputeRectangle();
    RecomputeBoundary();
}

void VoIDisplayObject::RecomputeActive() {
    if (fActiveDirty) {
        fEffectiveActive = fActive && (fpGroup == nullptr || fpGroup->GetEffectiveActive());
        fActiveDirty = false;
    }
}

void VoIDisplayObject::RecomputeVisible() {
    if (fVisibleDirty) {
        fEffectiveVisible = fVisible && (fpGroup == nullptr || fpGroup->GetEffectiveVisible());
        fVisibleDirty = false;
    }
}

void VoIDisplayObject::RecomputeEnabled() {
    if (fEnabledDirty) {
        fEffectiveEnabled = fEnabled && (fpGroup == nullptr || fpGroup->GetEffectiveEnabled());
        fEnabledDirty = false;
    }
}

void VoIDisplayObject::RecomputeBlend() {
    if (fBlendDirty) {
        fEffectiveBlend = fpGroup == nullptr ? fBlend : fBlend * fpGroup->GetEffectiveBlend();
        fBlendDirty = false;
    }
}

void VoIDisplayObject::RecomputeRotation() {
    if (fRotationDirty) {
        fEffectiveRotation = fpGroup == nullptr ? fRotation : fRotation + fpGroup->GetEffectiveRotation();
        fRotationDirty = false;
    }
}

void VoIDisplayObject::RecomputeScale() {
    if (fScaleDirty) {
        fEffectiveScale = fScale;
        if (fpGroup != nullptr) {
            VoVector2 inherited;
            fpGroup->GetEffectiveScale(inherited);
            fEffectiveScale.x *= inherited.x;
            fEffectiveScale.y *= inherited.y;
        }
        fScaleDirty = false;
    }
}

void VoIDisplayObject::RecomputeTransform() {
    if (!IsTransformDirty()) {
        return;
    }
    if (fLocalTransformDirty) {
        VoMatrix step;
        MatrixTranslation(&fLocalTransform, -fCenter.x, fCenter.y, 0.0f);
        MatrixMultiply(&fLocalTransform, &fLocalTransform, MatrixScaling(&step, fScale.x, fScale.y, 1.0f));
        MatrixMultiply(&fLocalTransform, &fLocalTransform,
                       MatrixRotationZ(&step, fRotation * kDegreesToRadians));
        MatrixMultiply(&fLocalTransform, &fLocalTransform,
                       MatrixTranslation(&step, fPosition.x, -fPosition.y, 0.0f));
    }
    if (fpGroup != nullptr) {
        MatrixMultiply(&fWorldTransform, &fLocalTransform, fpGroup->GetWorldTransform());
    } else {
        fWorldTransform = fLocalTransform;
    }
    fLocalTransformDirty = false;
    fWorldTransformDirty = false;
}

void VoIDisplayObject::RecomputeBoundary() {
    if (!fBoundaryDirty) {
        return;
    }
    delete fpWorldBoundary;
    fpWorldBoundary = nullptr;
    if (fpBoundary != nullptr) {
        fpWorldBoundary = VO_NEW VoPolygon(*fpBoundary);
        if (fpWorldBoundary != nullptr) {
            VoMatrix toWorld;
            MatrixMultiply(&toWorld, &FlipY(), GetWorldTransform());
            fpWorldBoundary->Transform(toWorld);
        }
    }
    fBoundaryDirty = false;
}

void VoIDisplayObject::RecomputeRectangle() {
    if (!fRectangleDirty) {
        return;
    }
    delete fpWorldRectangle;
    fpWorldRectangle = nullptr;
    if (fpRectangle != nullptr) {
        VoVector2 origin;
        VoRectangle clip = *fpRectangle + GetWorldPosition(origin);
        // Clipped at all four edges of the screen: the renderer's viewport
        // must lie on the screen.
        if (clip.x < 0.0f) {
            clip.width += clip.x;
            clip.x = 0.0f;
        }
        if (clip.y < 0.0f) {
            clip.height += clip.y;
            clip.y = 0.0f;
        }
        if (clip.x + clip.width > kScreenWidth) {
            clip.width = kScreenWidth - clip.x;
        }
        if (clip.y + clip.height > kScreenHeight) {
            clip.height = kScreenHeight - clip.y;
        }
        // A width or height of exactly 0 still counts.
        if (clip.width >= 0.0f && clip.height >= 0.0f) {
            fpWorldRectangle = VO_NEW VoRectangle(clip);
        }
    }
    fRectangleDirty = false;
}

bool VoIDisplayObject::GetEffectiveActive() {
    if (fActiveDirty) {
        RecomputeActive();
    }
    return fEffectiveActive;
}

bool VoIDisplayObject::GetEffectiveVisible() {
    if (fVisibleDirty) {
        RecomputeVisible();
    }
    return fEffectiveVisible;
}

bool VoIDisplayObject::GetEffectiveEnabled() {
    if (fEnabledDirty) {
        RecomputeEnabled();
    }
    return fEffectiveEnabled;
}

float VoIDisplayObject::GetEffectiveBlend() {
    if (fBlendDirty) {
        RecomputeBlend();
    }
    return fEffectiveBlend;
}

float VoIDisplayObject::GetEffectiveRotation() {
    if (fRotationDirty) {
        RecomputeRotation();
    }
    return fEffectiveRotation;
}

void VoIDisplayObject::GetEffectiveScale(VoVector2& aOut) {
    if (fScaleDirty) {
        RecomputeScale();
    }
    aOut = fEffectiveScale;
}

VoMatrix* VoIDisplayObject::GetWorldTransform() {
    if (IsTransformDirty()) {
        RecomputeTransform();
    }
    return &fWorldTransform;
}

VoVector2& VoIDisplayObject::GetWorldPosition(VoVector2& aOut) {
    const VoMatrix* world = GetWorldTransform();
    aOut.Set(world->m[3][0], -world->m[3][1]);
    return aOut;
}

VoVector2& VoIDisplayObject::GetPositionInGroup(VoVector2& aOut) {
    if (fLocalTransformDirty) {
        RecomputeTransform();
    }
    aOut.Set(fLocalTransform.m[3][0], -fLocalTransform.m[3][1]);
    return aOut;
}

bool VoIDisplayObject::GetWorldBoundary(VoPolygon& aOut) {
    if (fBoundaryDirty) {
        RecomputeBoundary();
    }
    if (fpWorldBoundary == nullptr) {
        return false;
    }
    aOut = *fpWorldBoundary;
    aOut.Transform(FlipY());
    return true;
}

bool VoIDisplayObject::GetWorldRectangle(VoRectangle& aOut) {
    VoRectangle* rectangle = PeekWorldRectangle();
    if (rectangle == nullptr) {
        return false;
    }
    aOut = *rectangle;
    return true;
}

VoRectangle* VoIDisplayObject::PeekWorldRectangle() {
    if (fRectangleDirty) {
        RecomputeRectangle();
    }
    return fpWorldRectangle;
}

bool VoIDisplayObject::HitTest(const VoVector2& aScreenPoint) {
    if (!GetEffectiveActive() || !GetEffectiveEnabled()) {
        return false;
    }
    if (IsTransformDirty()) {
        RecomputeTransform();
    }
    if (fBoundaryDirty) {
        RecomputeBoundary();
    }
    if (fpWorldBoundary == nullptr) {
        return false;
    }
    const VoVector2 point(aScreenPoint.x, -aScreenPoint.y);
    return fpWorldBoundary->ContainsPoint(point) || IsOnWorldOutline(point);
}

bool VoIDisplayObject::IsOnWorldOutline(const VoVector2& aPoint) const {
    const int count = fpWorldBoundary->GetNumPoints();
    const VoVector2* points = fpWorldBoundary->PeekPoints();
    for (int i = 0; i < count; ++i) {
        const VoVector2& next = points[i + 1 < count ? i + 1 : 0];
        if (DistanceToSegment(aPoint, points[i], next) <= kEdgeTolerance) {
            return true;
        }
    }
    return false;
}

bool VoIDisplayObject::Read(VoIStream* /*apStream*/) {
    VO_ERROR(kReadNYI);
    return false;
}

bool VoIDisplayObject::Write(VoIStream* /*apStream*/) {
    VO_ERROR(kWriteNYI);
    return false;
}
