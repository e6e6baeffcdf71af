#include "menu/MGIntro.h"

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "memory/VoNew.h"
#include "menu/MGMainMenu.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "platform/VoMouse.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"

namespace {

VoCleanerSingleton<MGIntro, MGCleanerHome> gInstance;

}  // namespace

MGIntro* MGIntro::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGIntro(); }, kCreationFailure);
}

MGIntro::MGIntro()
    : fKeyTime(-1.0),
      fSkipped(false),
      fpMovie(nullptr),
      fMovieInRoot(false),
      fMenuDue(false),
      fLocked(false),
      fInKeyboard(false),
      fInFrames(false) {}

MGIntro::~MGIntro() {
    fMenuDue = false;
    StopMovie();
}

double MGIntro::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

void MGIntro::OnEnter() {
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    fpMovie = movies != nullptr ? movies->CreateFullScreenMovie(VoString(kMovieName), VoString(kMovieFile))
                                : nullptr;
    if (fpMovie == nullptr) {
        ShowMainMenu();
        return;
    }
    fSkipped = false;
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fMovieInRoot = display != nullptr && display->AddMember(fpMovie);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(MGCursor::kEmpty, VoString(u""));
    }
    fpMovie->SetListener(this);
    MGOptions* options = MGOptions::GetInstance();
    fpMovie->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    fpMovie->SetRelativeZ(kMovieZ);
    fpMovie->Play();
    fKeyTime = Now() + kKeyDelay;
    MGListenToFrames(this, kOrder, true, &fInFrames);
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        fLocked = mouse->Lock(this);
    }
}

void MGIntro::OnLeaveBegin() {
    fMenuDue = false;
    fSkipped = false;
    StopMovie();
}

void MGIntro::OnLeaveEnd() {
    OnLeaveBegin();
}

void MGIntro::StopMovie() {
    if (fpMovie != nullptr) {
        fpMovie->SetListener(nullptr);
        // The movie leaves the display root as it is deleted; once the
        // display manager is gone, its root has deleted the movie already.
        if (!fMovieInRoot || VoDisplayManager::GetInstance() != nullptr) {
            delete fpMovie;
        }
        fpMovie = nullptr;
        fMovieInRoot = false;
    }
    if (VoMouse* mouse = VoMouse::GetInstance(); mouse != nullptr && fLocked) {
        mouse->Unlock(this);
    }
    fLocked = false;
    fKeyTime = -1.0;
    MGListenToKeys(this, kOrder, false, &fInKeyboard);
    // The frames stay while the main menu is still due.
    MGListenToFrames(this, kOrder, fMenuDue, &fInFrames);
}

void MGIntro::ShowMainMenu() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGMainMenu* menu = MGMainMenu::GetInstance();
    if (screens == nullptr || menu == nullptr) {
        fMenuDue = false;
        return;
    }
    if (screens->IsBusy()) {
        fMenuDue = true;
        MGListenToFrames(this, kOrder, true, &fInFrames);
        return;
    }
    fMenuDue = false;
    screens->Clear();
    screens->PushFade(menu);
}

void MGIntro::OnUpdate() {
    if (fKeyTime > 0.0 && Now() > fKeyTime) {
        fKeyTime = -1.0;
        MGListenToKeys(this, kOrder, true, &fInKeyboard);
    }
    if (fSkipped) {
        fSkipped = false;
        StopMovie();
        ShowMainMenu();
    } else if (fMenuDue) {
        ShowMainMenu();
    }
    if (!fMenuDue && fpMovie == nullptr) {
        MGListenToFrames(this, kOrder, false, &fInFrames);
    }
}

void MGIntro::OnKeyUp(int aKey) {
    if (aKey != kSpace) {
        return;
    }
    MGListenToKeys(this, kOrder, false, &fInKeyboard);
    if (fpMovie != nullptr) {
        fpMovie->Pause();
        fSkipped = true;
    }
}

void MGIntro::OnMovieEnd(VoString) {
    if (fpMovie == nullptr) {
        return;
    }
    // A skip waiting for its frame is over too.
    fSkipped = false;
    StopMovie();
    ShowMainMenu();
}

void MGIntro::OnMouseMove(const VoVector2* apPosition) {
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(apPosition);
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

VoString MGIntro::ToString() const {
    return VoDebugString("MGIntro", this);
}
