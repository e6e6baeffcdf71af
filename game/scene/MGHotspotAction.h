#pragma once
// One action of a hotspot's five-action menu (look, collect, use, analyze,
// talk), from its section of "data.multicursor":
//     enabled=script[...]          whether the menu offers it (true when absent)
//     doneevents=evt_a|evt_b       events added when it is done
//     statechanges=sta_x|boolean|true|...   states set when it is done, in threes
class VoPropertyList;
class VoScript;
class VoVectorString;

class MGHotspotAction {
public:
    MGHotspotAction() = default;
    MGHotspotAction(const MGHotspotAction&) = delete;
    MGHotspotAction& operator=(const MGHotspotAction&) = delete;
    // Deletes the script and the lists.
    ~MGHotspotAction();

    // Reads the section; null reads as an action that is always offered and
    // has no lists. False only when the enabled script cannot be made.
    bool Read(VoPropertyList* apSection);
    // The enabled script's result; false without one.
    bool IsEnabled() const;

    VoScript* GetEnabledScript() const { return fpEnabled; }
    // Null when the section has no such list.
    const VoVectorString* GetDoneEvents() const { return fpDoneEvents; }
    const VoVectorString* GetStateChanges() const { return fpStateChanges; }

private:
    VoScript* fpEnabled = nullptr;             // owned
    VoVectorString* fpDoneEvents = nullptr;    // owned
    VoVectorString* fpStateChanges = nullptr;  // owned
};
