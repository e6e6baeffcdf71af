#pragma once
// A detail of the current scene shown over it as a screen of its own (a
// drawer, a document), opened by its trigger state. The scene makes one per
// entry of the viewpoint's close-up file.
//
// For now the least the scene, the PDA and the hotspots need: reading the
// entry's "id", switching the close-up's hotspots off while the PDA is open
// and on again when it closes, its display group (none yet), the refresh of
// its hotspots after an action (nothing to refresh yet), and closing it at
// once when the map sends the player elsewhere.
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

    // Takes the close-up off the screen at once, without a screen call: it
    // is no longer the current scene's open close-up.
    void Close();

    VoString ToString() const override;

private:
    VoString fId;
    bool fHotspotsEnabled = true;
};
