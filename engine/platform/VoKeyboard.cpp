#include "platform/VoKeyboard.h"

#include <cstring>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {

VoCleanerSingleton<VoKeyboard> gInstance;

// Scan codes 0..57 (the highest with a character); every other key gives 0.
// Letters are the unshifted forms; ScanCodeToChar raises them with Shift.
constexpr char kCharacters[] = {
    0,   0,   '1', '2', '3', '4', '5', '6', '7', '8',  // 0..9
    '9', '0', 0,   0,   8,   0,   'q', 'w', 'e', 'r',  // 10..19
    't', 'y', 'u', 'i', 'o', 'p', 0,   0,   13,  0,    // 20..29
    'a', 's', 'd', 'f', 'g', 'h', 'j', 'k', 'l', 0,    // 30..39
    0,   0,   0,   0,   'z', 'x', 'c', 'v', 'b', 'n',  // 40..49
    'm', 0,   0,   0,   0,   0,   0,   ' ',            // 50..57
};
constexpr int kCharacterCount = static_cast<int>(sizeof(kCharacters));

bool InRange(int aKey) {
    return aKey >= 0 && aKey < VoKeyboard::kKeyCount;
}

}  // namespace

VoKeyboard* VoKeyboard::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoKeyboard(); }, kCreationFailure);
}

VoKeyboard::VoKeyboard()
    : fListeners(), fpFocus(nullptr), fFocusOwner(0), fFocusLocked(false), fConsumed(false) {
    std::memset(fKeys, 0, sizeof(fKeys));
}

VoKeyboard::~VoKeyboard() = default;

bool VoKeyboard::AddListener(VoIKeyboardListener* apListener, float aOrder) {
    return fListeners.Add(apListener, aOrder, kAddNull, kAddDuplicate, kAddFailure);
}

bool VoKeyboard::RemoveListener(VoIKeyboardListener* apListener) {
    if (fListeners.Remove(apListener) != VoOrderedListeners::Removal::kRemoved) {
        VO_ERROR(kRemoveError);
        return false;
    }
    // A listener may be deleted once removed: the focus must not outlive it.
    if (apListener == fpFocus) {
        fpFocus = nullptr;
        fFocusLocked = false;
        fFocusOwner = 0;
    }
    return true;
}

bool VoKeyboard::KeyDown(int aKey) {
    return SetKey(aKey, true, kEventKeyDown);
}

bool VoKeyboard::KeyUp(int aKey) {
    return SetKey(aKey, false, kEventKeyUp);
}

bool VoKeyboard::SetKey(int aKey, bool aDown, int aCode) {
    if (!InRange(aKey)) {
        VO_ERROR(kKeyOutOfRange, aKey);
        return false;
    }
    fKeys[aKey] = aDown ? 1 : 0;
    return FireKeyboardEvent(aCode, aKey);
}

bool VoKeyboard::Deliver(VoIKeyboardListener* apListener, int aCode, int aKey) {
    switch (aCode) {
        case kEventKeyDown:
            apListener->OnKeyDown(aKey);
            return true;
        case kEventKeyUp:
            apListener->OnKeyUp(aKey);
            return true;
        default:
            return false;
    }
}

bool VoKeyboard::FireKeyboardEvent(int aCode, int aKey) {
    if (fConsumed) {
        fConsumed = false;
        return true;
    }
    if (fpFocus != nullptr) {
        Deliver(fpFocus, aCode, aKey);
        if (fConsumed) {
            fConsumed = false;
            return true;
        }
    }
    if (fListeners.GetCount() == 0) {
        return true;
    }
    VoOrderedListeners::Snapshot walk(fListeners);
    if (!walk.IsValid()) {
        VO_ASSERT_FAILURE("");
    }
    for (int i = 0; i < walk.GetCount(); ++i) {
        VoIKeyboardListener* listener = static_cast<VoIKeyboardListener*>(walk.GetAt(i));
        if (listener != nullptr && listener != fpFocus && !Deliver(listener, aCode, aKey)) {
            VO_ERROR(kInvalidEvent, aCode);
            return false;
        }
        if (fConsumed) {
            break;
        }
    }
    fConsumed = false;
    return true;
}

bool VoKeyboard::ConsumeEvent() {
    fConsumed = true;
    return true;
}

bool VoKeyboard::IsKeyDown(int aKey) const {
    if (!InRange(aKey)) {
        VO_ERROR(kKeyOutOfRange, aKey);
        return false;
    }
    return fKeys[aKey] != 0;
}

bool VoKeyboard::IsShiftDown() const {
    return fKeys[kLeftShift] != 0 || fKeys[kRightShift] != 0;
}

char VoKeyboard::ScanCodeToChar(int aKey) const {
    if (aKey < 0 || aKey >= kCharacterCount) {
        return 0;
    }
    const char character = kCharacters[aKey];
    if (character >= 'a' && character <= 'z' && IsShiftDown()) {
        return static_cast<char>(character - 'a' + 'A');
    }
    return character;
}

bool VoKeyboard::GetFocus(VoIKeyboardListener* apListener) {
    if (fFocusLocked) {
        return false;
    }
    if (apListener == nullptr) {
        VO_ERROR(kFocusNull);
        return false;
    }
    if (!fListeners.Contains(apListener)) {
        VO_ERROR(kFocusNotListed);
        return false;
    }
    fpFocus = apListener;
    return true;
}

bool VoKeyboard::LockFocus(std::uint32_t aOwner) {
    if (fFocusLocked || fpFocus == nullptr) {
        return false;
    }
    fFocusLocked = true;
    fFocusOwner = aOwner;
    return true;
}

bool VoKeyboard::UnlockFocus(std::uint32_t aOwner) {
    if (!fFocusLocked || aOwner != fFocusOwner) {
        return false;
    }
    fFocusLocked = false;
    fFocusOwner = 0;
    return true;
}
