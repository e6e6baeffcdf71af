#pragma once
// The notice of a new game or a load: the menus call Notify when a new game
// starts and when a saved game has been loaded, and every registered
// MGIGameResetListener forgets the progress it keeps outside the states,
// events and inventory. Listeners are told in the order they registered; one
// may remove itself (or another) while it is told.
#include "container/VoBase.h"
#include "stdlib/VoListenerList.h"

class MGIGameResetListener;

class MGGameReset : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGGameReset creation failure.";
    static constexpr const char* kAddNull = "AddListener failure. NULL arg.";
    static constexpr const char* kAddFailure = "AddListener failure.";
    static constexpr const char* kRemoveNull = "RemoveListener failure. NULL arg.";
    static constexpr const char* kRemoveFailure = "RemoveListener failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static MGGameReset* GetInstance();

    MGGameReset() = default;
    MGGameReset(const MGGameReset&) = delete;
    MGGameReset& operator=(const MGGameReset&) = delete;

    // Not owned. Registering twice keeps one entry.
    bool AddListener(MGIGameResetListener* apListener);
    // An absent listener is no error; null is refused (logged).
    bool RemoveListener(MGIGameResetListener* apListener);
    int GetListenerCount() const { return fListeners.GetCount(); }

    // Tells every listener that a new game has started or a game was loaded.
    void Notify();

    VoString ToString() const override;

private:
    VoListenerList fListeners;  // MGIGameResetListener*, not owned
};
