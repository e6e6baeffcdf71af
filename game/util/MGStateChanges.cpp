#include "util/MGStateChanges.h"

#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"

namespace {

// A new state made with its value and then added, so its listeners are told
// once; a type name of none of the three is refused (logged) as SetState does.
void AddState(VoStateManager* apStates, const VoString& aId, const VoString& aType, const VoString& aValue) {
    const std::int32_t type = VoIState::TypeOfName(aType);
    if (type == VoIState::kUnset) {
        apStates->SetState(aId, aType, aValue, true);
        return;
    }
    const bool flag = false;
    const float number = 0.0f;
    const VoString text;
    const void* initial = type == VoIState::kBoolean ? static_cast<const void*>(&flag)
                          : type == VoIState::kNumber ? static_cast<const void*>(&number)
                                                      : static_cast<const void*>(&text);
    VoIState* state = VO_NEW VoIState();
    if (state == nullptr || !state->Set(aId, type, initial)) {
        delete state;
        return;
    }
    state->SetValue(aValue);
    if (!apStates->AddState(state, true, false)) {
        delete state;
    }
}

}  // namespace

int MGApplyStateChanges(const VoVectorString& aTriples) {
    const int whole = aTriples.GetCount() / 3 * 3;
    VoStateManager* states = VoStateManager::GetInstance();
    for (int i = 0; states != nullptr && i < whole; i += 3) {
        const VoString id = aTriples.GetAt(i);
        if (states->HasState(id)) {
            states->SetState(id.ToLower(), aTriples.GetAt(i + 2), true);
            continue;
        }
        AddState(states, id, aTriples.GetAt(i + 1), aTriples.GetAt(i + 2));
    }
    return aTriples.GetCount() - whole;
}
