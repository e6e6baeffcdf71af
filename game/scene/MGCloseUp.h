#pragma once
// A detail of the current scene shown over it as a screen of its own (a
// drawer, a document), with hotspots of its own.
//
// For now the least the PDA needs: switching the close-up's hotspots off
// while the PDA is open and on again when it closes.
#include "container/VoBase.h"

class MGCloseUp : public VoBase {
public:
    MGCloseUp() = default;
    MGCloseUp(const MGCloseUp&) = delete;
    MGCloseUp& operator=(const MGCloseUp&) = delete;

    // Enables or disables every hotspot of the close-up.
    void SetHotspotsEnabled(bool aEnabled) { fHotspotsEnabled = aEnabled; }
    bool AreHotspotsEnabled() const { return fHotspotsEnabled; }

    VoString ToString() const override;

private:
    bool fHotspotsEnabled = true;
};
