#pragma once
// The PDA's inventory panel, reached through MGPDA::GetInventoryPanel.
// For now it only keeps the ids of the items added to it; the panel with
// its grids and items comes with the PDA issue.
#include "container/VoBase.h"
#include "container/VoVectorString.h"

class MGInventoryPanel : public VoBase {
public:
    MGInventoryPanel();
    MGInventoryPanel(const MGInventoryPanel&) = delete;
    MGInventoryPanel& operator=(const MGInventoryPanel&) = delete;

    // Adds the item of that id; false for an empty id.
    bool AddItem(const VoString& aItemId);
    bool HasItem(const VoString& aItemId) const { return fItems.Contains(aItemId); }

    VoString ToString() const override;

private:
    VoVectorString fItems;
};
