#include "scene/MGCloseUp.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"

bool MGCloseUp::Read(VoPropertyList* apEntry) {
    if (apEntry != nullptr) {
        fId = apEntry->GetString(VoString(u"id"), nullptr);
    }
    return true;
}

void MGCloseUp::Close() {
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    MGScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr;
    if (scene != nullptr && scene->GetOpenCloseUp() == this) {
        scene->SetOpenCloseUp(nullptr);
    }
}

VoString MGCloseUp::ToString() const {
    return VoDebugString("MGCloseUp", this);
}
