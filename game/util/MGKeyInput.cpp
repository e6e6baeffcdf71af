#include "util/MGKeyInput.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "platform/VoKeyboard.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGKeyInput, MGCleanerHome> gInstance;

}  // namespace

MGKeyInput* MGKeyInput::GetInstance() {
    return gInstance.Get(
        [] {
            MGKeyInput* input = VO_NEW MGKeyInput();
            VoKeyboard* keyboard = VoKeyboard::GetInstance();
            if (input != nullptr && keyboard != nullptr) {
                input->fInKeyboard = keyboard->AddListener(input, kKeyboardOrder);
            }
            return input;
        },
        kCreationFailure);
}

MGKeyInput::~MGKeyInput() {
    VoKeyboard* keyboard = fInKeyboard ? VoKeyboard::GetInstance() : nullptr;
    if (keyboard != nullptr) {
        keyboard->RemoveListener(this);
    }
}

void MGKeyInput::OnKeyDown(int) {
    // Text entry is never on: the key is the other listeners'.
}

void MGKeyInput::OnKeyUp(int) {}

VoString MGKeyInput::ToString() const {
    return VoDebugString("MGKeyInput", this);
}
