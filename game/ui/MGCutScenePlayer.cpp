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

VoString MGCutScenePlayer::ToString() const {
    return VoDebugString("MGCutScenePlayer", this);
}
