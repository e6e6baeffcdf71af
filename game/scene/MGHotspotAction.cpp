#include "scene/MGHotspotAction.h"

#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "scene/MGHotspot.h"
#include "script/VoScript.h"

namespace {

// A copy of the list at the key; null when the section has none.
VoVectorString* ReadList(VoPropertyList* apSection, const char16_t* apKey) {
    bool found = false;
    const VoVectorString list = apSection->GetVectorString(VoString(apKey), &found);
    return found ? VO_NEW VoVectorString(list) : nullptr;
}

}  // namespace

MGHotspotAction::~MGHotspotAction() {
    delete fpEnabled;
    delete fpDoneEvents;
    delete fpStateChanges;
}

bool MGHotspotAction::Read(VoPropertyList* apSection) {
    VoString enabled(MGHotspot::kAlways);
    if (apSection != nullptr) {
        bool found = false;
        const VoString text = apSection->GetString(VoString(u"enabled"), &found);
        if (found) {
            enabled = text;
        }
        fpDoneEvents = ReadList(apSection, u"doneevents");
        fpStateChanges = ReadList(apSection, u"statechanges");
    }
    fpEnabled = MGHotspot::BuildScript(enabled);
    return fpEnabled != nullptr;
}

bool MGHotspotAction::IsEnabled() const {
    return fpEnabled != nullptr && fpEnabled->Evaluate();
}
