#include "puzzles/MGPuzzleCloser.h"

#include "MGIScreen.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoString.h"
#include "memory/VoNew.h"
#include "puzzles/MGPuzzleFrame.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"

namespace {

VoCleanerSingleton<MGPuzzleCloser, MGCleanerHome> gInstance;

constexpr int kCapacity = 4;
constexpr int kIncrement = 4;

}  // namespace

struct MGPuzzleCloser::Request {
    MGIScreen* fpPuzzle;  // not owned: the puzzle singletons outlive their requests
    bool fMovie;          // a movie request; else a pop request
    bool fPop;            // a movie request pops the puzzle first
    VoString fMovieName;
};

MGPuzzleCloser* MGPuzzleCloser::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPuzzleCloser(); }, kCreationFailure);
}

MGPuzzleCloser* MGPuzzleCloser::PeekInstance() {
    return gInstance.Peek();
}

MGPuzzleCloser::MGPuzzleCloser() : fRequests(kCapacity, kIncrement), fInFrames(false), fInReset(false) {
    MGGameReset* reset = MGGameReset::GetInstance();
    fInReset = reset != nullptr && reset->AddListener(this);
}

MGPuzzleCloser::~MGPuzzleCloser() {
    ClearRequests();
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    if (fInReset) {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
}

bool MGPuzzleCloser::RequestMovie(MGIScreen* apPuzzle, const VoString& aMovie, bool aPop) {
    Request* request = VO_NEW Request{apPuzzle, true, aPop, aMovie};
    return Add(request);
}

bool MGPuzzleCloser::RequestPopFade(MGIScreen* apPuzzle) {
    Request* request = VO_NEW Request{apPuzzle, false, false, VoString()};
    return Add(request);
}

bool MGPuzzleCloser::Add(Request* apRequest) {
    if (apRequest == nullptr || apRequest->fpPuzzle == nullptr) {
        delete apRequest;
        return false;
    }
    for (int i = 0; i < fRequests.GetCount(); ++i) {
        const Request* pending = static_cast<Request*>(fRequests.GetAt(i));
        if (pending->fpPuzzle == apRequest->fpPuzzle && pending->fMovie == apRequest->fMovie) {
            delete apRequest;
            return true;
        }
    }
    if (!fRequests.Add(apRequest)) {
        delete apRequest;
        return false;
    }
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
    return fInFrames;
}

void MGPuzzleCloser::Cancel(MGIScreen* apPuzzle) {
    for (int i = fRequests.GetCount() - 1; i >= 0; --i) {
        Request* request = static_cast<Request*>(fRequests.GetAt(i));
        if (request->fpPuzzle == apPuzzle) {
            fRequests.RemoveAt(i);
            delete request;
        }
    }
    if (fRequests.GetCount() == 0) {
        MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    }
}

bool MGPuzzleCloser::IsPending(MGIScreen* apPuzzle) const {
    for (int i = 0; i < fRequests.GetCount(); ++i) {
        if (static_cast<Request*>(fRequests.GetAt(i))->fpPuzzle == apPuzzle) {
            return true;
        }
    }
    return false;
}

bool MGPuzzleCloser::Run(const Request& aRequest) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr) {
        return true;
    }
    if (screens->IsBusy()) {
        return false;
    }
    if (!aRequest.fMovie) {
        if (screens->GetTopScreen() == aRequest.fpPuzzle) {
            MGPuzzleFrame::PopTopScreen();
        }
        return true;
    }
    if (aRequest.fPop && screens->FindScreen(aRequest.fpPuzzle) >= 0) {
        screens->RemoveScreen(aRequest.fpPuzzle);
        aRequest.fpPuzzle->OnLeaveEnd();
    }
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->Play(aRequest.fMovieName);
    }
    return true;
}

void MGPuzzleCloser::OnUpdate() {
    // One request per frame: each may push or pop a screen, which makes the
    // screen manager busy for the next.
    Request* request = fRequests.GetCount() > 0 ? static_cast<Request*>(fRequests.GetAt(0)) : nullptr;
    if (request != nullptr) {
        // Taken off first: the steps may reach back here (a puzzle's
        // OnLeaveEnd, a listener of the movie's start).
        fRequests.RemoveAt(0);
        if (!Run(*request)) {
            fRequests.AddAt(0, request);
            request = nullptr;
        }
        delete request;
    }
    if (fRequests.GetCount() == 0) {
        MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    }
}

void MGPuzzleCloser::OnGameReset() {
    ClearRequests();
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
}

void MGPuzzleCloser::ClearRequests() {
    for (int i = 0; i < fRequests.GetCount(); ++i) {
        delete static_cast<Request*>(fRequests.GetAt(i));
    }
    fRequests.Clear();
}

VoString MGPuzzleCloser::ToString() const {
    return VoDebugString("MGPuzzleCloser", this);
}
