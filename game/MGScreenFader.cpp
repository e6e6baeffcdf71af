#include "MGScreenFader.h"

#include "MGIScreenFaderListener.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFader.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGScreenFader, MGCleanerHome> gInstance;

}  // namespace

MGScreenFader* MGScreenFader::GetInstance() {
    return gInstance.Get(
        [] {
            MGScreenFader* fader = VO_NEW MGScreenFader();
            if (fader != nullptr && !fader->Init()) {
                delete fader;
                return static_cast<MGScreenFader*>(nullptr);
            }
            return fader;
        },
        kCreationFailure);
}

MGScreenFader::MGScreenFader()
    : fpFader(nullptr),
      fpListener(nullptr),
      fpSprite(nullptr),
      fpGroup(nullptr),
      fFadeTime(kFadeTime),
      fClear(true),
      fInRoot(false) {}

MGScreenFader::~MGScreenFader() {
    delete fpFader;
    // The group leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the group already.
    if (!fInRoot || VoDisplayManager::GetInstance() != nullptr) {
        delete fpGroup;
    }
}

bool MGScreenFader::Init() {
    // One opaque black pixel, B G R A.
    unsigned char black[4] = {0, 0, 0, 255};
    VoImage image;
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t texture =
        textures != nullptr && image.Create(1, 1, 4, VoImage::kFormatBGRA, black, sizeof black)
            ? textures->CreateTexture(VoString(kId), &image)
            : 0;
    if (texture == 0) {
        VO_ERROR(kInitFailure);
        return false;
    }
    fpGroup = VO_NEW VoDisplayGroup();
    fpSprite = VO_NEW VoSprite();
    if (fpGroup == nullptr || fpSprite == nullptr) {
        delete fpSprite;
        fpSprite = nullptr;
        VO_ERROR(kInitFailure);
        return false;
    }
    fpSprite->SetId(VoString(kId));
    fpGroup->SetId(VoString(kId));
    if (!fpSprite->SetTexture(texture, nullptr, nullptr) || !fpGroup->AddMember(fpSprite, true)) {
        delete fpSprite;
        fpSprite = nullptr;
        VO_ERROR(kInitFailure);
        return false;
    }
    fpSprite->SetScale(kScreenWidth, kScreenHeight);
    fpGroup->SetRelativeZ(kGroupZ);
    // Clear until the first fade.
    fpGroup->SetBlend(0.0f);
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fInRoot = display != nullptr && display->AddMember(fpGroup);
    if (!fInRoot) {
        VO_ERROR(kInitFailure);
        return false;
    }
    fpFader = VO_NEW VoFader();
    if (fpFader == nullptr) {
        VO_ERROR(kInitFailure);
        return false;
    }
    fpFader->SetListener(VoString(kId), this);
    fpFader->SetGroup(fpGroup);
    return true;
}

bool MGScreenFader::FadeOut() {
    if (!fClear) {
        // Black already: the fade is over before it began.
        if (fpListener != nullptr) {
            fpListener->OnFadeEvent(MGIScreenFaderListener::kFinished);
        }
        return true;
    }
    fClear = false;
    if (fpFader == nullptr) {
        return false;
    }
    bool started = fpFader->StopFade();
    started = fpFader->SetFadeTime(fFadeTime) && started;
    started = fpFader->SetValue(0.0f) && started;
    started = fpFader->SetTargetValue(1.0f) && started;
    started = fpFader->SetDirection(1) && started;
    return fpFader->StartFade() && started;
}

bool MGScreenFader::FadeIn() {
    fClear = true;
    if (fpFader == nullptr) {
        return false;
    }
    bool started = fpFader->StopFade();
    started = fpFader->SetFadeTime(fFadeTime) && started;
    started = fpFader->SetValue(1.0f) && started;
    started = fpFader->SetTargetValue(0.0f) && started;
    started = fpFader->SetDirection(-1) && started;
    return fpFader->StartFade() && started;
}

bool MGScreenFader::SetListener(MGIScreenFaderListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kSetListenerNull);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool MGScreenFader::RemoveListener(MGIScreenFaderListener* apListener) {
    if (fpListener != apListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

bool MGScreenFader::SetValue(float aValue) {
    return fpFader != nullptr && fpFader->SetValue(aValue);
}

bool MGScreenFader::SetTargetValue(float aValue) {
    return fpFader != nullptr && fpFader->SetTargetValue(aValue);
}

void MGScreenFader::SetActive(bool aActive) {
    if (fpGroup != nullptr) {
        fpGroup->SetActive(aActive);
    }
}

void MGScreenFader::OnFadeEvent(const VoString&, int aCode) {
    if (fpListener != nullptr) {
        fpListener->OnFadeEvent(aCode);
    }
}

VoString MGScreenFader::ToString() const {
    return VoDebugString("MGScreenFader", this);
}
