#pragma once
// What a kind of hotspot reads beyond the keys every hotspot has
// (MGNavigateHotspotData, MGTargetHotspotData, MGInterviewHotspotData): the
// base holds the kind's own "enabled" script, which the click road never
// evaluates (the hotspot's own "enabled" decides).
class VoScript;

class MGHotspotTypeData {
public:
    MGHotspotTypeData() = default;
    MGHotspotTypeData(const MGHotspotTypeData&) = delete;
    MGHotspotTypeData& operator=(const MGHotspotTypeData&) = delete;
    // Deletes the script.
    virtual ~MGHotspotTypeData();

    VoScript* fpEnabled = nullptr;  // owned; null when missing
};
