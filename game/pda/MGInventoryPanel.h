#pragma once
// The PDA's inventory panel, reached through MGPDA::GetInventoryPanel: the
// player's items in sixteen grids of 56 spaces, one grid per category
// ("witnesses", "evidence", "documents", "reports") and case (1 to 4), at
// index category + 4 x (case - 1).
//
// For now it keeps only the item ids by grid and space, and its own block of
// a saved game; the panel with its grids, items and pages comes with the PDA.
// The block, in the stream encoding of VoIStream: for each grid in index
// order, an i32 count, then count pairs (i32 space index, string item id).
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

class MGInventoryPanel : public VoBase, public VoISerializable {
public:
    static constexpr int kCategoryCount = 4;
    static constexpr int kCaseCount = 4;
    static constexpr int kGridCount = kCategoryCount * kCaseCount;
    static constexpr int kSpaceCount = 56;
    static constexpr int kEvidence = 1;
    static constexpr const char* kReadFailure = "Read failure. Invalid inventory block.";

    MGInventoryPanel() = default;
    MGInventoryPanel(const MGInventoryPanel&) = delete;
    MGInventoryPanel& operator=(const MGInventoryPanel&) = delete;

    // Into the first free space of the evidence grid of the case of
    // "sta_selectedcase" (case 1 without it); true when the grid holds the id
    // already. False for an empty id or a full grid.
    bool AddItem(const VoString& aItemId);
    bool HasItem(const VoString& aItemId) const;
    int GetItemCount() const;
    // Empties all sixteen grids.
    void ClearItems();

    // Replaces every grid by the block at the stream's position: all of it or,
    // when the block is cut short or damaged, nothing (logged, false). A pair
    // whose space lies outside the grid or is taken already is skipped.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    struct Grid {
        VoString ids[kSpaceCount];  // empty: a free space
    };

    static bool ReadGrid(VoIStream* apStream, Grid& aGrid);

    Grid fGrids[kGridCount];
};
