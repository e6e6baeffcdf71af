#pragma once
// The base of the PDA's four panels ("inventory", "map", "log", "phone"), of
// which one at a time fills the PDA's scroll area (see MGPDA). A panel has a
// display group of its own, made by the constructor under the panel's id,
// inactive, as a member of the PDA's group; Show makes it active and Hide
// inactive. Panels rebuild what they show from their data on every Show.
#include "container/VoBase.h"
#include "container/VoString.h"

class VoDisplayGroup;
class VoPropertyList;

class MGIPDAPanel : public VoBase {
public:
    // The group joins apParent (the PDA's group; not owned) when one is given.
    MGIPDAPanel(const VoString& aId, VoDisplayGroup* apParent);
    MGIPDAPanel(const MGIPDAPanel&) = delete;
    MGIPDAPanel& operator=(const MGIPDAPanel&) = delete;
    // Deletes the group, which leaves the PDA's group.
    ~MGIPDAPanel() override;

    // Builds the panel from its layout (may be null: nothing to read).
    virtual bool Create(VoPropertyList* apLayout) = 0;
    // The group inactive; true (and the shown flag cleared) when that worked.
    virtual bool Hide();
    // The group active, the shown flag set.
    virtual bool Show();

    const VoString& GetId() const { return fId; }
    bool IsShown() const { return fShown; }
    // Owned; null when it could not be made.
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    VoString ToString() const override;

protected:
    VoDisplayGroup* fpGroup;  // owned; a member of the PDA's group

private:
    VoString fId;
    bool fShown;
};
