#include "util/MGListening.h"

#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "stdlib/VoFrameManager.h"

namespace {

template <typename Manager, typename Listener>
void Listen(Manager* apManager, Listener* apListener, float aOrder, bool aListen, bool* apListening) {
    if (aListen == *apListening) {
        return;
    }
    if (apManager == nullptr) {
        *apListening = false;
        return;
    }
    if (aListen) {
        *apListening = apManager->AddListener(apListener, aOrder);
    } else {
        apManager->RemoveListener(apListener);
        *apListening = false;
    }
}

}  // namespace

void MGListenToFrames(VoIFrameListener* apListener, float aOrder, bool aListen, bool* apListening) {
    Listen(VoFrameManager::GetInstance(), apListener, aOrder, aListen, apListening);
}

void MGListenToKeys(VoIKeyboardListener* apListener, float aOrder, bool aListen, bool* apListening) {
    Listen(VoKeyboard::GetInstance(), apListener, aOrder, aListen, apListening);
}

void MGListenToMouse(VoIMouseListener* apListener, float aOrder, bool aListen, bool* apListening) {
    Listen(VoMouse::GetInstance(), apListener, aOrder, aListen, apListening);
}
