#include "scene/MGScene.h"

#include "container/VoDebugString.h"

void MGScene::StopAudio() {
    fKeepAudio = false;
}

VoString MGScene::ToString() const {
    return VoDebugString("MGScene", this);
}
