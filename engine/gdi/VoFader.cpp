#include "gdi/VoFader.h"

#include <cmath>

#include "container/VoLog.h"
#include "gdi/VoIDisplayObject.h"
#include "gdi/VoIFaderListener.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"

namespace {

// Shared by every fader; see VoFader::IsEndTogglePending.
bool gEndToggle = false;

// Within 0..1; NaN is outside.
bool IsUnitValue(float aValue) {
    return aValue >= 0.0f && aValue <= 1.0f;
}

}  // namespace

VoFader::VoFader() : VoFader(VoITimer::GetInstance()) {}

VoFader::VoFader(VoITimer* apTimer)
    : fpObject(nullptr),
      fDirection(1),
      fpListener(nullptr),
      fStartValue(0.0f),
      fTargetValue(1.0f),
      fFadeTime(1.0f),
      fFadeStartTime(0.0),
      fFading(false),
      fpTimer(apTimer),
      fInFrames(false) {}

VoFader::~VoFader() {
    LeaveFrames();
    fpObject = nullptr;
    fpTimer = nullptr;
    fpListener = nullptr;
}

bool VoFader::IsEndTogglePending() {
    return gEndToggle;
}

void VoFader::ResetEndToggleForTests() {
    gEndToggle = false;
}

bool VoFader::SetGroup(VoIDisplayObject* apObject) {
    if (apObject == nullptr) {
        VO_ERROR(kSetGroupNull);
        return false;
    }
    fpObject = apObject;
    return true;
}

bool VoFader::SetListener(const VoString& aId, VoIFaderListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kSetListenerNull);
        return false;
    }
    if (aId.GetLength() == 0) {
        VO_ERROR(kSetListenerInvalidId);
        return false;
    }
    fId = aId;
    fpListener = apListener;
    return true;
}

void VoFader::ClearListener() {
    fpListener = nullptr;
}

bool VoFader::SetDirection(int aDirection) {
    if (aDirection < -1 || aDirection > 1) {
        VO_ERROR(kSetDirectionInvalid, aDirection);
        return false;
    }
    fDirection = aDirection;
    return true;
}

bool VoFader::SetFadeTime(float aSeconds) {
    // NaN is refused with the negative values: no fade could end by it.
    if (!(aSeconds >= 0.0f)) {
        VO_ERROR(kSetFadeTimeRange, aSeconds);
        return false;
    }
    fFadeTime = aSeconds;
    return true;
}

bool VoFader::SetTargetValue(float aValue) {
    if (!IsUnitValue(aValue)) {
        VO_ERROR(kSetTargetRange, aValue);
        return false;
    }
    fTargetValue = aValue;
    return true;
}

bool VoFader::SetValue(float aValue) {
    if (!IsUnitValue(aValue)) {
        VO_ERROR(kSetValueRange, aValue);
        return false;
    }
    fStartValue = aValue;
    if (fpObject != nullptr) {
        fpObject->SetActive(true);
    }
    return true;
}

bool VoFader::StartFade() {
    if (fFading) {
        VO_ERROR(kAlreadyStarted);
        return false;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fInFrames = frames != nullptr && frames->AddListener(this, kFrameOrder);
    if (!fInFrames) {
        VO_ASSERT_FAILURE(kFrameManagerAdd);
    }
    fFadeStartTime = Now();
    fFading = true;
    NotifyListener(VoIFaderListener::kStarted);
    // The listener may have stopped the fade (or stopped and started it).
    if (fFading) {
        UpdateFade();
    }
    return true;
}

bool VoFader::StopFade() {
    if (!fFading) {
        return true;
    }
    if (!LeaveFrames()) {
        VO_ASSERT_FAILURE(kFrameManagerRemove);
    }
    fFadeStartTime = 0.0;
    fFading = false;
    NotifyListener(VoIFaderListener::kStopped);
    return true;
}

void VoFader::OnUpdate() {
    if (fFading) {
        UpdateFade();
    }
}

void VoFader::UpdateFade() {
    const double elapsed = Now() - fFadeStartTime;
    if (elapsed < static_cast<double>(fFadeTime)) {
        const float t = static_cast<float>(elapsed / static_cast<double>(fFadeTime));
        const float value =
            fStartValue + std::fabs(fTargetValue - fStartValue) * t * static_cast<float>(fDirection);
        if (fpObject != nullptr) {
            fpObject->SetBlend(value);
        }
        return;
    }
    if (fpObject != nullptr) {
        fpObject->SetBlend(fTargetValue);
    }
    if (!gEndToggle) {
        gEndToggle = true;
        return;
    }
    gEndToggle = false;
    LeaveFrames();
    fFading = false;
    fFadeStartTime = 0.0;
    NotifyListener(VoIFaderListener::kFinished);
}

bool VoFader::LeaveFrames() {
    if (!fInFrames) {
        return true;
    }
    fInFrames = false;
    VoFrameManager* frames = VoFrameManager::GetInstance();
    return frames != nullptr && frames->RemoveListener(this);
}

void VoFader::NotifyListener(int aCode) {
    if (fpListener != nullptr) {
        fpListener->OnFadeEvent(fId, aCode);
    }
}

double VoFader::Now() const {
    return fpTimer != nullptr ? fpTimer->GetTime() : 0.0;
}
