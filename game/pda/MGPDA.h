#pragma once
// The PDA: the inventory, the map, the case log and the phone, open over
// the scene or minimized to a bar. Created by the application's Init.
#include "container/VoBase.h"

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

    // Owned by the PDA; null when it could not be made.
    MGInventoryPanel* GetInventoryPanel() const { return fpInventory; }

    VoString ToString() const override;

private:
    MGInventoryPanel* fpInventory;  // owned
};
