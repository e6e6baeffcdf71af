#pragma once
// Calls the frame listeners once per frame, from VoFrameManager::Update in
// the application's frame, in ascending order of the order each registered
// with (listeners with equal orders in the order they were added).
//
// Each Update walks a snapshot of the list: a listener removed during the
// walk is not called, one added during it is first called in the next frame.
// StopUpdate ends the running walk after its caller; called between frames it
// makes the next Update call nobody.
#include "container/VoBase.h"
#include "stdlib/VoIFrameListener.h"
#include "stdlib/VoOrderedListeners.h"

class VoFrameManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoFrameManager creation failure.";
    static constexpr const char* kAddNull = "Add listener failure. apListener == NULL.";
    static constexpr const char* kAddDuplicate = "Add listener failure. Duplicate found.";
    // The lists could not take the listener (memory).
    static constexpr const char* kAddFailure = "Add listener failure.";
    static constexpr const char* kRemoveNotFound = "Remove listener error.";
    static constexpr const char* kRemoveFailure = "RemoveListener error.";
    // Update called from a listener's OnUpdate: refused, the running walk goes on.
    static constexpr const char* kNestedUpdate = "Update failure. Already updating.";
    // Written by the destructor as a bare line, without level or source.
    static constexpr const char16_t* kDestroyedLine = u"~VoFrameManager()";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoFrameManager* GetInstance();

    VoFrameManager();
    VoFrameManager(const VoFrameManager&) = delete;
    VoFrameManager& operator=(const VoFrameManager&) = delete;
    // The listeners are not deleted.
    ~VoFrameManager() override;

    // Not owned. A listener already registered keeps its order.
    bool AddListener(VoIFrameListener* apListener, float aOrder);
    bool RemoveListener(VoIFrameListener* apListener);
    // Always true, but for a nested call.
    bool Update();
    // Always true.
    bool StopUpdate();
    int GetListenerCount() const { return fListeners.GetCount(); }
    VoString ToString() const override;

private:
    VoOrderedListeners fListeners;  // VoIFrameListener*, not owned
    bool fStop;
};
