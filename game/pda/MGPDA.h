#pragma once
// The PDA: the inventory, the map, the case log and the phone, open over
// the scene or minimized to a bar. Created by the application's Init.
//
// Until the PDA's screens arrive this holds only what the scene, the
// cut-scenes and the interviews ask of it: whether it is open, closing it,
// its listener, the panel shown and the inventory's items.
#include "container/VoBase.h"
#include "container/VoString.h"

class MGIPDAListener;
class MGInventoryPanel;

class MGPDA : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGPDA creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGPDA* GetInstance();

    MGPDA();
    MGPDA(const MGPDA&) = delete;
    MGPDA& operator=(const MGPDA&) = delete;
    ~MGPDA() override;

    // Whether the PDA's window is open (not minimized, not closed).
    bool IsOpen() const { return fOpen; }
    void Open() { fOpen = true; }
    void Close() { fOpen = false; }

    // Replaces the listener (not owned).
    void SetListener(MGIPDAListener* apListener) { fpListener = apListener; }
    // Clears the listener only when it is the one given.
    void RemoveListener(MGIPDAListener* apListener);
    MGIPDAListener* GetListener() const { return fpListener; }

    // Shows the panel of that id ("inventory", "map", "log", "phone"). True.
    bool SetPanel(const VoString& aId);
    const VoString& GetPanel() const { return fPanel; }
    // Owned by the PDA; null when it could not be made.
    MGInventoryPanel* GetInventoryPanel() const { return fpInventory; }

    VoString ToString() const override;

private:
    bool fOpen = false;
    MGIPDAListener* fpListener = nullptr;  // not owned
    VoString fPanel;
    MGInventoryPanel* fpInventory;  // owned
};
