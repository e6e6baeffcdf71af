#include "scene/MGScene.h"

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "scene/MGCharacter.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "ui/MGCursor.h"

MGScene::MGScene() : fpSceneFile(nullptr), fInputEnabled(false), fEntered(false) {}

MGScene::~MGScene() {
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    delete fpPlayer;
    fpPlayer = nullptr;
    delete fpCamera;
    fpCamera = nullptr;
    delete fpDepthMesh;
    fpDepthMesh = nullptr;
    delete fpSceneFile;
}

bool MGScene::Load(const VoString& aId) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kLoadInvalidId);
        return false;
    }
    fSceneId = aId;
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        VoIState* state = VO_NEW VoIState();
        if (state != nullptr &&
            !(state->Set(VoString(kCurrentSceneState), VoIState::kString, &aId) &&
              states->AddState(state, false, true))) {
            delete state;
        }
    }
    fScenePath = VoString(kSceneRoot) + aId + u"/";
    delete fpSceneFile;
    fpSceneFile = VO_NEW VoPropertyList();
    if (fpSceneFile == nullptr || !fpSceneFile->Load(fScenePath + kSceneFile, true)) {
        VO_ERROR(kLoadFailure, aId);
        return false;
    }
    bool found = false;
    const VoString viewpoint = fpSceneFile->GetString(VoString(u"defaultviewpoint"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoDefaultViewpoint);
    }
    return SetViewpoint(viewpoint);
}

bool MGScene::SetViewpoint(const VoString& aId) {
    fViewpointId = aId;
    return true;
}

bool MGScene::SetCut(const VoString& aId) {
    fCut = aId;
    return true;
}

VoString MGScene::GetViewpointCameraId(const VoString& aViewpointId) const {
    if (fpSceneFile == nullptr) {
        return VoString();
    }
    VoString path(u"viewpoints.");
    path.Append(aViewpointId);
    path.Append(u".camera.id");
    return fpSceneFile->GetString(path, nullptr);
}

void MGScene::ChangeViewpoint(const VoString& aId) {
    fTargetViewpoint = aId;
}

void MGScene::SetInputEnabled(bool aEnabled) {
    if (aEnabled && !fEntered) {
        return;
    }
    fInputEnabled = aEnabled;
}

void MGScene::OnLeaveBegin() {
    SetInputEnabled(false);
}

void MGScene::OnLeaveEnd() {
    SetInputEnabled(false);
    fEntered = false;
}

void MGScene::OnEnter() {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetActive(true);
    }
    fEntered = true;
    SetInputEnabled(true);
}

void MGScene::OnPDAEvent(int aCode) {
    if (aCode == kMinimized && !fInputEnabled && fEntered) {
        SetInputEnabled(true);
    }
}

VoString MGScene::ToString() const {
    return VoDebugString("MGScene", this);
}
