#pragma once
// A place on which the player uses an inventory item: the player takes the
// item into the cursor from the PDA and clicks the target. The target
// records "evt_used_" + item + "_" + hotspot id for any item, answers with
// its satisfied or unsatisfied voice-over (else cut-scene), and for one of
// its satisfied items adds its done events and state changes: at once, or
// when the cut-scene ends. Without an item a click plays its look
// voice-over. The item leaves the cursor either way.
//
// Its keys, besides the common ones (MGHotspot), under "typedata.target":
//     enabled=script[true]
//     satisfied=brasskey|sparekey      the items that satisfy it (exact ids)
//     doneevents=evt_a|evt_b
//     statechanges=sta_x|boolean|true
#include "container/VoVectorString.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotTypeData.h"

class MGTargetHotspotData : public MGHotspotTypeData {
public:
    VoVectorString fSatisfiedItems;
    VoVectorString fDoneEvents;
    VoVectorString fStateChanges;
};

class MGHotspotTarget : public MGHotspot {
public:
    static constexpr const char16_t* kUsedPrefix = u"evt_used_";

    static constexpr const char* kTypeDataNotFound = "'typedata.target' not found.";
    static constexpr const char* kEnabledNotFound = "'type.target.enabled' not found.";
    static constexpr const char* kSatisfiedNotFound = "'type.target.satisfied' not found.";

    MGHotspotTarget();

    // The common keys, then the target keys (see above). True.
    bool ReadEntry(VoPropertyList* apEntry) override;
    // Hovered: the item over a target with an item in the cursor, the
    // target cursor without one.
    void UpdateCursor() override;
    void TrackTargetDone() override { CheckTargetSatisfied(); }
    // Judges the item in the cursor (see the class comment).
    void CheckTargetSatisfied();

    MGTargetHotspotData* GetData() const { return fpData; }

protected:
    void Act(bool) override { CheckTargetSatisfied(); }

private:
    // Back to the scene after a click that played nothing.
    void RestoreInput();

    MGTargetHotspotData* fpData;  // not owned: the hotspot's type data
};
