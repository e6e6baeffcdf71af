#pragma once
// Told of every event recorded through the event manager with notification.
// It registers itself with VoEventManager::AddListener and removes itself at
// the latest in its destructor.
class VoEvent;

class VoIEventListener {
public:
    virtual ~VoIEventListener() = default;
    // apEvent is the manager's: read it, never keep or delete it.
    virtual void OnEvent(VoEvent* apEvent) = 0;
};
