#include "state/VoStateManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoIStream.h"
#include "stdlib/VoRecordCount.h"
#include "system/VoITimer.h"

namespace {

VoCleanerSingleton<VoStateManager> gInstance;

constexpr int kHashShift = 7;

constexpr const char16_t* kRule = u"----------------------------------------";

// A value of the type to create a state with before its text is parsed.
const void* InitialValue(std::int32_t aType, const VoString& aText) {
    static const bool kFalse = false;
    static const float kZero = 0.0f;
    if (aType == VoIState::kBoolean) {
        return &kFalse;
    }
    return aType == VoIState::kNumber ? static_cast<const void*>(&kZero) : &aText;
}

// The timer's seconds now, or 0 when there is no timer (during shut-down).
float TimerSeconds() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? static_cast<float>(timer->GetTime()) : 0.0f;
}

const VoListenerList::Messages kListenerMessages = {VoStateManager::kAddListenerNull, "",
                                                    VoStateManager::kRemoveListenerNull, nullptr,
                                                    VoStateManager::kRemoveListenerFailure};

}  // namespace

VoStateManager* VoStateManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoStateManager(); }, kCreationFailure);
}

VoStateManager::VoStateManager() : fStates(kHashShift, false), fListeners() {
    SetId(kId);
}

VoStateManager::~VoStateManager() {
    ClearStates();
}

bool VoStateManager::Initialize(std::uintptr_t) {
    return true;
}

bool VoStateManager::Store(VoIState* apState) {
    const int count = fStates.GetCount();
    fStates.Add(apState->PeekName(), apState, true);
    return fStates.GetCount() == count + 1;
}

bool VoStateManager::AddState(VoIState* apState, bool aNotify, bool aReplace) {
    if (apState == nullptr) {
        VO_ERROR(kAddStateNull);
        return false;
    }
    VoIState* held = static_cast<VoIState*>(fStates.Get(apState->PeekName()));
    if (held == apState) {
        return false;  // already the manager's
    }
    if (held != nullptr) {
        if (!aReplace) {
            return false;
        }
        fStates.Remove(held->PeekName(), nullptr);
        delete held;
    }
    if (!Store(apState)) {
        // Not held, so it stays the caller's: reporting success would leak it.
        VO_ASSERT_FAILURE(kAddFailure);
        return false;
    }
    if (aNotify) {
        NotifyListeners(apState);
    }
    return true;
}

bool VoStateManager::HasState(const VoString& aId) {
    return GetState(aId) != nullptr;
}

VoIState* VoStateManager::GetState(const VoString& aId) {
    return static_cast<VoIState*>(fStates.Get(aId.ToLower()));
}

template <typename Value>
void VoStateManager::Apply(VoIState* apState, const Value& aValue, bool aNotify) {
    apState->SetTime(TimerSeconds());
    apState->SetValue(aValue);
    if (aNotify) {
        NotifyListeners(apState);
    }
}

bool VoStateManager::SetState(const VoString& aId, const VoString& aValue, bool aNotify) {
    if (aId.GetLength() == 0 || aValue.GetLength() == 0) {
        VO_ERROR(kSetStateInvalidArg);
        return false;
    }
    VoIState* state = static_cast<VoIState*>(fStates.Get(aId));
    if (state == nullptr) {
        VO_ERROR(kSetStateNotFound, aId, kSetStateValue, aValue);
        return false;
    }
    Apply(state, aValue, aNotify);
    return true;
}

bool VoStateManager::SetState(const VoString& aId, const void* apValue, bool aNotify) {
    if (aId.GetLength() == 0 || apValue == nullptr) {
        VO_ERROR(kSetStateInvalidArg);
        return false;
    }
    VoIState* state = static_cast<VoIState*>(fStates.Get(aId));
    if (state == nullptr) {
        VO_ERROR(kSetStateNotFound, aId);
        return false;
    }
    Apply(state, apValue, aNotify);
    return true;
}

bool VoStateManager::SetState(const VoString& aId, const char16_t* apValue, bool aNotify) {
    if (apValue == nullptr) {
        return SetState(aId, static_cast<const void*>(nullptr), aNotify);
    }
    return SetState(aId, VoString(apValue), aNotify);
}

bool VoStateManager::SetState(const VoString& aId, const char* apValue, bool aNotify) {
    if (apValue == nullptr) {
        return SetState(aId, static_cast<const void*>(nullptr), aNotify);
    }
    return SetState(aId, VoString(apValue), aNotify);
}

bool VoStateManager::SetState(const VoString& aId, const VoString& aTypeName, const VoString& aValue,
                              bool aNotify) {
    if (aId.GetLength() == 0 || aValue.GetLength() == 0) {
        VO_ERROR(kSetStateInvalidArg);
        return false;
    }
    // Looked up under the id the state would be created with, so an id in
    // upper case sets the held state instead of colliding with it.
    const VoString id = aId.ToLower();
    VoIState* state = static_cast<VoIState*>(fStates.Get(id));
    if (state == nullptr) {
        state = VO_NEW VoIState();
        if (state == nullptr) {
            VO_ERROR(kSetStateCreateFailure, id);
            return false;
        }
        std::int32_t type = VoIState::TypeOfName(aTypeName);
        if (type != VoIState::kBoolean && type != VoIState::kNumber) {
            type = VoIState::kString;
        }
        // Parsed before it is added, so both announcements carry the final value.
        const bool set = state->Set(id, type, InitialValue(type, aValue));
        if (set) {
            state->SetValue(aValue);
        }
        if (!set || !AddState(state, aNotify, false)) {
            delete state;
            VO_ERROR(kSetStateCreateFailure, id);
            return false;
        }
        // A listener told of the new state may have cleared or replaced it.
        state = static_cast<VoIState*>(fStates.Get(id));
        if (state == nullptr) {
            return true;
        }
    }
    Apply(state, aValue, aNotify);
    return true;
}

void VoStateManager::ClearStates() {
    if (!fStates.ClearAndDelete<VoIState>()) {
        VO_ASSERT_FAILURE(kGetArrayFailure);
    }
}

bool VoStateManager::AddListener(VoIStateListener* apListener, float aOrder) {
    return fListeners.Add(apListener, aOrder, kListenerMessages);
}

bool VoStateManager::RemoveListener(VoIStateListener* apListener) {
    return fListeners.Remove(apListener, kListenerMessages);
}

void VoStateManager::NotifyListeners(VoIState* apState) {
    fListeners.Notify(
        [apState](void* apListener) { static_cast<VoIStateListener*>(apListener)->OnStateChanged(apState); });
}

void VoStateManager::DumpStates() {
    VoLog::WriteLine(kRule);
    VoLog::WriteLine(u"STATES");
    VoLog::WriteLine(kRule);
    const int count = fStates.GetCount();
    for (int i = 0; i < count; ++i) {
        const VoIState* state = static_cast<const VoIState*>(fStates.GetAt(i));
        VoString line;
        // The differing spaces before the type names are the dump's own.
        switch (state->GetType()) {
            case VoIState::kBoolean:
                line = VoString("<boolean>: ") + state->PeekName() + ": " + state->GetBoolean();
                break;
            case VoIState::kNumber:
                line = VoString(" <number>:") + state->PeekName() + ": " + state->GetNumber();
                break;
            case VoIState::kString:
                line = VoString(" <string>:") + state->PeekName() + ": " +
                       *static_cast<const VoString*>(state->GetValue());
                break;
            default:
                continue;
        }
        VoLog::WriteLine(line.GetChars());
    }
    VoLog::WriteLine(kRule);
}

bool VoStateManager::OnLoad(VoIStream* apStream, float) {
    ClearStates();
    std::int32_t count = 0;
    if (!VoRecordCount::Read(apStream, VoIState::kMinRecordSize, &count)) {
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        VoIState* state = VO_NEW VoIState();
        if (state == nullptr || !state->Read(apStream)) {
            delete state;
            VO_ERROR(kOnLoadFailure, i);
            return false;
        }
        if (!Store(state)) {
            // A second record of a held id (the list has logged it).
            delete state;
            VO_ASSERT_FAILURE(kAddFailure);
        }
    }
    return true;
}

bool VoStateManager::Save(VoIStream* apStream) {
    return VoRecordCount::Write<VoIState>(apStream, fStates);
}

VoString VoStateManager::ToString() const {
    return VoDebugString("VoStateManager", this);
}
