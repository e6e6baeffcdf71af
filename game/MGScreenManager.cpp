#include "MGScreenManager.h"

#include "MGIScreen.h"
#include "MGScreenFader.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGScreenManager, MGCleanerHome> gInstance;

constexpr int kCapacity = 10;
constexpr int kIncrement = 10;

}  // namespace

MGScreenManager* MGScreenManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGScreenManager(); }, kCreationFailure);
}

MGScreenManager::MGScreenManager()
    : fScreens(kCapacity, kIncrement),
      fpFader(MGScreenFader::GetInstance()),
      fpLeaving(nullptr),
      fBusy(false) {}

MGScreenManager::~MGScreenManager() {
    if (fpFader != nullptr) {
        fpFader->RemoveListener(this);
    }
}

bool MGScreenManager::PushScreen(MGIScreen* apScreen) {
    if (apScreen == nullptr) {
        VO_ASSERT_FAILURE(kPushScreenNull);
        return false;
    }
    return fScreens.Add(apScreen);
}

bool MGScreenManager::PopScreen(MGIScreen** appScreen) {
    const int count = fScreens.GetCount();
    if (appScreen == nullptr || count == 0) {
        return false;
    }
    void* top = nullptr;
    if (!fScreens.RemoveAt(count - 1, &top)) {
        return false;
    }
    *appScreen = static_cast<MGIScreen*>(top);
    return true;
}

bool MGScreenManager::RemoveScreen(MGIScreen* apScreen) {
    const int index = FindScreen(apScreen);
    return index >= 0 && fScreens.RemoveAt(index);
}

void MGScreenManager::Clear() {
    fScreens.Clear();
}

MGIScreen* MGScreenManager::GetTopScreen() const {
    return static_cast<MGIScreen*>(fScreens.GetAt(fScreens.GetCount() - 1));
}

int MGScreenManager::FindScreen(MGIScreen* apScreen) const {
    return apScreen != nullptr ? fScreens.Find(apScreen) : -1;
}

bool MGScreenManager::PushFade(MGIScreen* apScreen) {
    if (fBusy) {
        return false;
    }
    if (apScreen == nullptr) {
        VO_ASSERT_FAILURE(kPushFadeNull);
        return false;
    }
    if (fpFader == nullptr) {
        return false;
    }
    MGIScreen* top = GetTopScreen();
    if (top != nullptr) {
        top->OnLeaveBegin();
        fpLeaving = top;
        const bool pushed = PushScreen(apScreen);
        const bool listening = fpFader->SetListener(this);
        return fpFader->FadeOut() && pushed && listening;
    }
    const bool pushed = PushScreen(apScreen);
    apScreen->OnEnter();
    const bool fading = fpFader->FadeIn();
    // Only now: the fade-in's start is not ours, so the manager stays idle.
    return fpFader->SetListener(this) && pushed && fading;
}

bool MGScreenManager::PopFade(MGIScreen** appScreen) {
    if (appScreen == nullptr || *appScreen != nullptr) {
        VO_ASSERT_FAILURE(kPopFadeInvalid);
        return false;
    }
    if (fBusy) {
        return false;
    }
    if (!PopScreen(appScreen)) {
        VO_ASSERT_FAILURE(kPopFadeEmpty);
    }
    if (GetTopScreen() == nullptr || fpFader == nullptr) {
        VO_ASSERT_FAILURE(kPopFadeLast);
        return false;
    }
    (*appScreen)->OnLeaveBegin();
    fpLeaving = *appScreen;
    const bool listening = fpFader->SetListener(this);
    return fpFader->FadeOut() && listening;
}

void MGScreenManager::OnFadeEvent(int aCode) {
    switch (aCode) {
        case kStarted:
            fBusy = true;
            break;
        case kStopped:
            fBusy = false;
            break;
        case kFinished:
            if (fpLeaving != nullptr) {
                MGIScreen* leaving = fpLeaving;
                fpLeaving = nullptr;
                leaving->OnLeaveEnd();
                if (MGIScreen* top = GetTopScreen()) {
                    top->OnEnter();
                }
                if (fpFader != nullptr) {
                    fpFader->FadeIn();
                }
            } else {
                if (fpFader != nullptr) {
                    fpFader->RemoveListener(this);
                }
                fBusy = false;
            }
            break;
        default:
            break;
    }
}

VoString MGScreenManager::ToString() const {
    return VoDebugString("MGScreenManager", this);
}
