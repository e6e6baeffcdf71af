#pragma once
// A detail of the current scene shown over it as a screen of its own (a
// drawer, a document), opened by its trigger state. The scene makes one per
// entry of the viewpoint's close-up file.
//
// For now the least the scene, the PDA and the hotspots need: reading the
// entry's "id", switching the close-up's hotspots off while the PDA is open
// and on again when it closes, its display group (none yet) and the refresh
// of its hotspots after an action (nothing to refresh yet).
#include "container/VoBase.h"
#include "container/VoString.h"

class VoDisplayGroup;
class VoPropertyList;

class MGCloseUp : public VoBase {
public:
    MGCloseUp() = default;
    MGCloseUp(const MGCloseUp&) = delete;
    MGCloseUp& operator=(const MGCloseUp&) = delete;

    // The entry's "id" (empty when missing). True.
    bool Read(VoPropertyList* apEntry);
    const VoString& GetId() const { return fId; }

    // Enables or disables every hotspot of the close-up.
    void SetHotspotsEnabled(bool aEnabled) { fHotspotsEnabled = aEnabled; }
    bool AreHotspotsEnabled() const { return fHotspotsEnabled; }
    // Every hotspot re-evaluates its conditions.
    void RefreshHotspots() {}
    // The close-up's display while it is open; null otherwise.
    VoDisplayGroup* GetDisplayGroup() const { return nullptr; }

    VoString ToString() const override;

private:
    VoString fId;
    bool fHotspotsEnabled = true;
};
