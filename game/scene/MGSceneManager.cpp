#include "scene/MGSceneManager.h"

#include "MGIScreen.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "scene/MGPlacard.h"
#include "scene/MGScene.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGSceneManager, MGCleanerHome> gInstance;

// Replaces *appCopy by a new copy of aValue.
void ReplaceCopy(VoVector2** appCopy, const VoVector2& aValue) {
    delete *appCopy;
    *appCopy = VO_NEW VoVector2(aValue);
}

}  // namespace

MGSceneManager* MGSceneManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSceneManager(); }, kCreationFailure);
}

MGScene* MGSceneManager::GetCurrentScene() {
    MGSceneManager* scenes = GetInstance();
    return scenes != nullptr ? scenes->GetScene() : nullptr;
}

MGSceneManager::~MGSceneManager() {
    delete fpScene;
    ClearPending();
}

void MGSceneManager::SetPendingPosition(const VoVector2& aPosition) {
    ReplaceCopy(&fpPendingPosition, aPosition);
}

void MGSceneManager::SetPendingDirection(const VoVector2& aDirection) {
    ReplaceCopy(&fpPendingDirection, aDirection);
}

void MGSceneManager::ClearPending() {
    delete fpPendingPosition;
    fpPendingPosition = nullptr;
    delete fpPendingDirection;
    fpPendingDirection = nullptr;
}

VoString MGSceneManager::LastPiece(const VoString& aId) {
    VoVectorString pieces;
    aId.Split(VoString(u"/"), &pieces);
    return pieces.GetCount() > 0 ? pieces.GetAt(pieces.GetCount() - 1) : aId;
}

bool MGSceneManager::LoadScene(const VoString& aId, bool aReplaceTop, bool aNoPlacard,
                               const VoString& aViewpoint) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kInvalidSceneId);
        return false;
    }
    ClearPending();
    // The placard's own load of the scene it held back takes the viewpoint
    // that scene was asked for; any other load forgets it.
    VoString viewpoint = aViewpoint;
    if (viewpoint.GetLength() == 0 && aId == fHeldSceneId) {
        viewpoint = fHeldViewpoint;
    }
    fHeldSceneId = VoString();
    fHeldViewpoint = VoString();

    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr) {
        const VoString visited = VoString(kVisitedPrefix) + LastPiece(aId) + kVisitedSuffix;
        if (!events->HasEvent(visited)) {
            events->AddEvent(visited, true);
        }
        if (!aNoPlacard && !events->HasEvent(aId + kPlacardSuffix)) {
            MGPlacard* placard = MGPlacard::GetInstance();
            if (placard != nullptr && placard->Show(aId)) {
                fHeldSceneId = aId;
                fHeldViewpoint = viewpoint;
                return true;
            }
        }
    }

    DestroyScene();
    fpScene = VO_NEW MGScene();
    if (fpScene == nullptr || !fpScene->Load(aId)) {
        delete fpScene;
        fpScene = nullptr;
        VO_ERROR(kLoadFailed, aId);
        return false;
    }
    if (viewpoint.GetLength() > 0) {
        fpScene->SetViewpoint(viewpoint);
    }

    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr) {
        return true;
    }
    if (aReplaceTop) {
        MGIScreen* popped = nullptr;
        if (screens->PopScreen(&popped) && popped != nullptr) {
            popped->OnLeaveEnd();
        }
        screens->PushScreen(fpScene);
        fpScene->OnEnter();
    } else {
        screens->PushScreen(fpScene);
    }
    return true;
}

bool MGSceneManager::DestroyScene() {
    if (fpScene == nullptr) {
        return true;
    }
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->RemoveListener(fpScene);
    }
    fpScene->StopAudio();
    if (fpScene->IsEntered()) {
        if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
            screens->RemoveScreen(fpScene);
        }
        fpScene->OnLeaveEnd();
    }
    // Taken out first: the scene's teardown may look for the current scene.
    MGScene* scene = fpScene;
    fpScene = nullptr;
    delete scene;
    return true;
}

bool MGSceneManager::Update() {
    return fpScene == nullptr || fpScene->Update();
}

bool MGSceneManager::Render() {
    return fpScene == nullptr || fpScene->Render();
}

VoString MGSceneManager::ToString() const {
    return VoDebugString("MGSceneManager", this);
}
