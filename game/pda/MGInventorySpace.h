#pragma once
// One place of an inventory grid (MGInventorySubpanel) that holds at most one
// item (MGInventoryItem, owned). A space is a drop target of the engine's
// drag and drop over its grid box sprite: a dragged item glows a free space
// it enters and moves into it when dropped there; dropped on an occupied
// space, or anywhere else, the item goes back to where its drag began. A
// space of a hidden grid takes no drop (its grid box is not effectively
// active).
#include "gdi/VoIDragTarget.h"

class MGInventoryItem;
class MGInventorySubpanel;
class VoIDisplayObject;

class MGInventorySpace final : public VoIDragTarget {
public:
    static constexpr const char* kCreateNull = "Create failure. NULL arg.";
    static constexpr const char* kSetItemNull = "SetItem failure. NULL arg.";
    static constexpr const char* kSetItemFilled = "SetItem failure. Space already filled.";
    static constexpr const char* kRemoveItemNone = "RemoveItem failure. No item defined.";

    // Space aIndex (0..55) of its grid.
    explicit MGInventorySpace(int aIndex);
    MGInventorySpace(const MGInventorySpace&) = delete;
    MGInventorySpace& operator=(const MGInventorySpace&) = delete;
    // Deletes the item it holds; leaves the drag manager.
    ~MGInventorySpace();

    // Both required (logged, false): the grid (not owned) and the grid box
    // (not owned: the grid's group holds it), whose boundary takes drops.
    // Registers the space with the drag manager.
    bool Create(MGInventorySubpanel* apSubpanel, VoIDisplayObject* apBoundary);
    // Takes the item (owned) and moves it onto the grid box. Null and an
    // occupied space are logged and refused.
    bool SetItem(MGInventoryItem* apItem);
    // Hands the item out (the caller owns it) and frees the space; logged
    // and false when the space is free.
    bool RemoveItem(MGInventoryItem** appItem);

    MGInventoryItem* GetItem() const { return fpItem; }
    bool IsFree() const { return fpItem == nullptr; }
    int GetIndex() const { return fIndex; }
    // Where items and the glow go: the grid box's place in the grid.
    VoVector2 GetPlace() const;

    // Entered: a free space glows. Left: its glow goes out. Dropped: a free
    // space takes the item from its old space.
    void OnDragEvent(int aCode, VoDraggable* apDragged) override;

private:
    int fIndex;
    MGInventorySubpanel* fpSubpanel;  // not owned: owns us
    MGInventoryItem* fpItem;          // owned; null while free
};
