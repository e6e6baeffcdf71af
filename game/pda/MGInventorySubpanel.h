#pragma once
// One page of the inventory (MGInventoryPanel): the grid of one category in
// one case, 56 spaces (MGInventorySpace) four to a row, space n at
// (58 x (n mod 4), 49 x (n / 4)) in the grid's group, over a grid box sprite
// "gridbox_" + n (relative z -5). While an item is dragged over a free space
// the glow sprite (relative z 5) lies on it. The grid's content is 691
// pixels high (the last row's y + 54), whatever it holds.
//
// Items are filed under their display ids (MGInventoryItem::GetItemId),
// compared without regard to case, so the result report K_CL given to the
// inventory and the item K_cl it shows are one item.
//
// The layout (the inventory panel's) names the sprites: "misc.glow" and
// "misc.contentareasprite" (the grid box).
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"

class MGInventoryItem;
class MGInventorySpace;
class VoDisplayGroup;
class VoPropertyList;
class VoSprite;
class VoVectorInt;
class VoVectorString;

class MGInventorySubpanel : public VoBase {
public:
    static constexpr const char* kNoGlow = "'misc.glow' not found.";
    static constexpr const char* kGlowFailure = "Glow sprite creation failure.";
    static constexpr const char* kNoGridBox = "'misc.contentareasprite' not found.";
    static constexpr const char* kSetItemFailure = "SetItem failure";
    static constexpr const char* kAlreadyAssigned =
        "AddItemToSpace failure. Item already assigned to different space.";
    static constexpr const char* kActivateGlowNull = "ActivateGlow failure. NULL arg.";

    static constexpr const char16_t* kGridBoxPrefix = u"gridbox_";
    static constexpr int kSpaceCount = 56;
    static constexpr int kColumns = 4;
    static constexpr float kColumnStep = 58.0f;
    static constexpr float kRowStep = 49.0f;
    static constexpr int kContentHeight = 691;
    static constexpr float kGlowZ = 5.0f;
    static constexpr float kGridBoxZ = -5.0f;
    static constexpr float kItemZ = 10.0f;

    // The place of space n in the grid's group.
    static VoVector2 SpacePlace(int aSpace);

    MGInventorySubpanel();
    MGInventorySubpanel(const MGInventorySubpanel&) = delete;
    MGInventorySubpanel& operator=(const MGInventorySubpanel&) = delete;
    // Deletes the spaces with their items, then the group (which leaves the
    // inventory's content).
    ~MGInventorySubpanel() override;

    // The group under the id (inactive), the glow and the 56 spaces from the
    // layout (not owned; the inventory panel's copy). False when the group
    // cannot be made.
    bool Create(const VoString& aId, VoPropertyList* apLayout);

    // Into the first free space, filed under aId. False, nothing filed, when
    // every space is taken or the id is filed already.
    bool SetItem(const VoString& aId, MGInventoryItem* apItem);
    // Into space aSpace, filed under its display id (loading). False for a
    // missing or occupied space and an id filed already.
    bool AddItemAt(MGInventoryItem* apItem, int aSpace);
    // Into a space by a drop. False (logged) when the item's display id is
    // filed already.
    bool AddItemToSpace(MGInventoryItem* apItem, MGInventorySpace* apSpace);
    // Takes the item filed under the id out of its space (the caller owns
    // it). False when none is filed so.
    bool RemoveItemById(const VoString& aId, MGInventoryItem** appItem);
    // Null when none is filed under the id.
    MGInventoryItem* GetItem(const VoString& aId);
    MGInventorySpace* FindSpace(const VoString& aId);
    // The display ids and spaces of the items held, in grid order.
    void GetItems(VoVectorString* apIds, VoVectorInt* apSpaces) const;
    int GetItemCount() const { return fIndex.GetCount(); }
    // Empties every space, deleting the items.
    void ClearItems();

    // The grid active; while its inventory fills the PDA's scroll area, the
    // scroll range follows the content height. Every item is refreshed.
    void Show();
    void Hide();

    // The glow over the space, at the place. Null is logged.
    void ActivateGlow(MGInventorySpace* apSpace, const VoVector2& aPlace);
    // Only for the space the glow lies on.
    void DeactivateGlow(MGInventorySpace* apSpace);

    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Null outside 0..55.
    MGInventorySpace* GetSpace(int aSpace) const;
    int GetContentHeight() const { return fContentHeight; }
    VoSprite* GetGlow() const { return fpGlow; }
    MGInventorySpace* GetGlowSpace() const { return fpGlowSpace; }

    VoString ToString() const override;

private:
    // Files the item of the space under the id; false for an id filed already.
    bool File(const VoString& aId, MGInventorySpace* apSpace);
    // The item's group into ours, at relative z 10, refreshed; false when
    // our group refuses it.
    bool Place(MGInventoryItem* apItem);
    void RefreshItems();

    VoPropertyList* fpLayout;                 // not owned
    VoDisplayGroup* fpGroup;                  // owned; a member of the inventory's content
    MGInventorySpace* fpSpaces[kSpaceCount];  // owned
    int fContentHeight;
    VoHashKeyList fIndex;           // display id (any case) -> MGInventorySpace
    VoSprite* fpGlow;               // owned by fpGroup
    MGInventorySpace* fpGlowSpace;  // one of fpSpaces, or null
};
