#pragma once
// Makes tooltips by id, puts them in the display manager's root group and
// finds or takes them out again. The root group owns the tooltips it holds;
// RemoveToolTip hands one back to the caller.
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"

class VoIFont;
class VoToolTip;

class VoToolTipManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoToolTipManager creation failure.";
    static constexpr const char* kDuplicateId = "CreateToolTip failure. Duplicate id:";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kAddGroupFailure = "AddGroup failure:";
    static constexpr const char* kRemoveFailure = "RemoveToolTip failure.";
    static constexpr const char* kRemoveFromGroupFailure =
        "RemoveToolTip failure. Could not leave the group.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoToolTipManager* GetInstance();
    // The manager if it is live; never creates.
    static VoToolTipManager* PeekInstance();

    VoToolTipManager(const VoToolTipManager&) = delete;
    VoToolTipManager& operator=(const VoToolTipManager&) = delete;
    // Forgets the tooltips; the groups that hold them delete them.
    ~VoToolTipManager() override;

    VoString ToString() const override;

    // A new tooltip under the id, at the relative z, in the font, added to
    // the display manager's root, which owns it. Null for an id in use and
    // when the root refuses it (the tooltip is then deleted).
    VoToolTip* CreateToolTip(VoIFont* apFont, const VoString& aId, float aRelativeZ);
    // Null when the id is not listed.
    VoToolTip* GetToolTip(const VoString& aId);
    // Takes the tooltip out of the list and out of the group that holds it;
    // it then belongs to the caller, who receives it through appToolTip
    // (null allowed). False when the id is not listed. Never deletes.
    bool RemoveToolTip(const VoString& aId, VoToolTip** appToolTip);
    int GetToolTipCount() const { return fToolTips.GetCount(); }

private:
    VoToolTipManager();

    VoHashKeyList fToolTips;  // id -> VoToolTip (not owned)
};
