#include "gdi/VoToolTipManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoToolTip.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoToolTipManager> gInstance;
constexpr int kHashShift = 7;
// A screen shows a handful of tooltips.
constexpr int kToolTipCapacity = 10;
}  // namespace

VoToolTipManager* VoToolTipManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoToolTipManager(); }, kCreationFailure);
}

VoToolTipManager* VoToolTipManager::PeekInstance() {
    return gInstance.Peek();
}

VoToolTipManager::VoToolTipManager() : fToolTips(kHashShift, false, kToolTipCapacity) {}

VoToolTipManager::~VoToolTipManager() {
    fToolTips.Clear();
}

VoString VoToolTipManager::ToString() const {
    return VoDebugString("VoToolTipManager", this);
}

VoToolTip* VoToolTipManager::CreateToolTip(VoIFont* apFont, const VoString& aId, float aRelativeZ) {
    if (fToolTips.IndexOf(aId) >= 0) {
        VO_ERROR(kDuplicateId, aId);
        return nullptr;
    }
    VoToolTip* tooltip = VO_NEW VoToolTip();
    if (tooltip == nullptr) {
        return nullptr;
    }
    tooltip->SetId(aId);
    tooltip->SetRelativeZ(aRelativeZ);
    tooltip->Create(apFont);

    // The empty id hashes to 0 as a refusal does: the count tells.
    const int count = fToolTips.GetCount();
    fToolTips.Add(aId, tooltip, true);
    if (fToolTips.GetCount() != count + 1) {
        VO_ERROR(kAddFailure);
        delete tooltip;
        return nullptr;
    }
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (display == nullptr || !display->AddMember(tooltip)) {
        VO_ERROR(kAddGroupFailure, aId);
        if (!RemoveToolTip(aId, nullptr)) {
            VO_ASSERT_FAILURE(kRemoveFailure);
        }
        // Nobody else holds it.
        delete tooltip;
        return nullptr;
    }
    return tooltip;
}

VoToolTip* VoToolTipManager::GetToolTip(const VoString& aId) {
    return static_cast<VoToolTip*>(fToolTips.Get(aId));
}

bool VoToolTipManager::RemoveToolTip(const VoString& aId, VoToolTip** appToolTip) {
    void* item = nullptr;
    if (fToolTips.IndexOf(aId) < 0 || !fToolTips.Remove(aId, &item)) {
        return false;
    }
    VoToolTip* tooltip = static_cast<VoToolTip*>(item);
    if (appToolTip != nullptr) {
        *appToolTip = tooltip;
    }
    // The root, where CreateToolTip put it, unless the game has moved it.
    VoDisplayGroup* group = tooltip != nullptr ? tooltip->GetGroup() : nullptr;
    if (group != nullptr && !group->RemoveMember(tooltip)) {
        VO_ASSERT_FAILURE(kRemoveFromGroupFailure);
    }
    return true;
}
