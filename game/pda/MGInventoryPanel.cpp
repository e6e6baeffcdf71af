#include "pda/MGInventoryPanel.h"

#include "container/VoDebugString.h"

MGInventoryPanel::MGInventoryPanel() : fItems(10, 10) {}

bool MGInventoryPanel::AddItem(const VoString& aItemId) {
    return aItemId.GetLength() > 0 && fItems.Add(aItemId);
}

VoString MGInventoryPanel::ToString() const {
    return VoDebugString("MGInventoryPanel", this);
}
