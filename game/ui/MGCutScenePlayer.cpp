#include "ui/MGCutScenePlayer.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCutScenePlayer, MGCleanerHome> gInstance;

}  // namespace

MGCutScenePlayer* MGCutScenePlayer::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCutScenePlayer(); }, kCreationFailure);
}

void MGCutScenePlayer::Play(const VoString& aMovie) {
    fQueue.AddAt(0, aMovie);
}

void MGCutScenePlayer::SetTargetScene(const VoString& aScene, const VoString& aViewpoint) {
    fTargetScene = aScene;
    fTargetViewpoint = aViewpoint;
}

void MGCutScenePlayer::SetDoneStates(const VoVectorString& aStates) {
    fDoneStates = aStates;
}

VoString MGCutScenePlayer::ToString() const {
    return VoDebugString("MGCutScenePlayer", this);
}
