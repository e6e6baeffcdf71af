#pragma once
// Told of every state that is added or set through the state manager with
// notification (also when the value did not change). The listener compares
// the state's name to find out which one it was. It registers itself with
// VoStateManager::AddListener and removes itself at the latest in its
// destructor.
class VoIState;

class VoIStateListener {
public:
    virtual ~VoIStateListener() = default;
    // apState is the manager's: read it, never keep or delete it.
    virtual void OnStateChanged(VoIState* apState) = 0;
};
