#include "scene/MGSceneManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGSceneManager, MGCleanerHome> gInstance;

// Replaces the copy held in *appHeld by a new one of the value.
void Replace(VoVector2** appHeld, const VoVector2& aValue) {
    delete *appHeld;
    *appHeld = VO_NEW VoVector2(aValue);
}

}  // namespace

MGSceneManager* MGSceneManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSceneManager(); }, kCreationFailure);
}

MGSceneManager::~MGSceneManager() {
    delete fpPendingPosition;
    delete fpPendingDirection;
}

void MGSceneManager::SetPendingPosition(const VoVector2& aPosition) {
    Replace(&fpPendingPosition, aPosition);
}

void MGSceneManager::SetPendingDirection(const VoVector2& aDirection) {
    Replace(&fpPendingDirection, aDirection);
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
