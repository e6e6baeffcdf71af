#include "scene/MGSceneManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGSceneManager, MGCleanerHome> gInstance;

}  // namespace

MGSceneManager* MGSceneManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSceneManager(); }, kCreationFailure);
}

bool MGSceneManager::Update() {
    return true;
}

bool MGSceneManager::Render() {
    return true;
}

VoString MGSceneManager::ToString() const {
    return VoDebugString("MGSceneManager", this);
}
