#pragma once
// The PDA's panel "inventory": everything the player has gathered, in four
// categories ("witnesses" 0, "evidence" 1, "documents" 2, "reports" 3) for
// each of the four cases, sixteen grids (MGInventorySubpanel) of which the
// grid of the current category and case ("sta_selectedcase") is shown.
// Interviews, hotspots, puzzles and the expert computer add items by id
// (AddItem); the inventory is saved at the start of every save game.
//
// Items file "//textures/pda/inventory/inventory_items.txt" (the one
// description of it; the game cursor reads it too): the entry of item K of
// case N is "items.case" + N + "." + K, with "type" (the category's name)
// and "sprite" (a sprite description whose "id" is the item's display id and
// tooltip key; its texture is under "//textures/pda/inventory").
//
// Item ids: an id with exactly one "_" is a key and a suffix; "CL", "RE" and
// "SU" (any case) make it the result of the crime lab, research or
// surveillance on the key's item (kind 1, 2, 3), which always goes to
// "reports"; another suffix is kind 0. An id with no "_" or more is the key
// itself.
//
// Saved block (Write, Read), little-endian, for each grid 0 to 15 (index
// category + 4 x (case - 1)):
//     int32   count, 0..56
//     count x (int32 space 0..55, string display id)
// a string being a uint32 count of 16-bit units, the units and a 0 unit. An
// empty inventory is sixteen zero counts, 64 bytes.
//
// Layout "//textures/pda/inventory_layout.txt" (pictures under
// "//textures/pda"): "groups.g01-inventorymenu.buttons" the category buttons
// (ids the category names, in category order), "groups.g02-contentarea" the
// group the grids go in, "misc.glow" and "misc.contentareasprite" (see
// MGInventorySubpanel).
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "pda/MGIPDAPanel.h"
#include "platform/VoIMouseListener.h"

class MGInventorySubpanel;
class VoButton;
class VoDisplayGroup;
class VoPropertyList;

class MGInventoryPanel : public MGIPDAPanel,
                         public VoIButtonListener,
                         public VoIMouseListener,
                         public VoISerializable {
public:
    static constexpr const char* kUnableToAdd = "MGInventoryPanel unable to add item: ";
    static constexpr const char* kNoType = "'type' not found.";
    static constexpr const char* kInvalidType = "Invalid panel type.";
    static constexpr const char* kItemFailure = "Item creation failure.";
    static constexpr const char* kNoContentArea = "'groups.g02-contentarea";
    static constexpr const char* kNoCase = "AddItem failure. No case selected: ";
    static constexpr const char* kGridFull = "AddItem failure. No free space for: ";
    static constexpr const char* kDamagedBlock = "Read failure. Damaged inventory block.";

    static constexpr const char16_t* kItemsFile = u"//textures/pda/inventory/inventory_items.txt";
    static constexpr const char16_t* kLayoutFile = u"//textures/pda/inventory_layout.txt";
    static constexpr const char16_t* kItemRoot = u"//textures/pda/inventory";
    static constexpr const char16_t* kLayoutRoot = u"//textures/pda";
    static constexpr const char16_t* kMenuId = u"inventorymenu";
    static constexpr const char16_t* kCaseState = u"sta_selectedcase";

    static constexpr int kWitnesses = 0;
    static constexpr int kEvidence = 1;
    static constexpr int kDocuments = 2;
    static constexpr int kReports = 3;
    static constexpr int kCategoryCount = 4;
    static constexpr int kNoCategory = 4;
    static constexpr int kCaseCount = 4;
    static constexpr int kSubpanelCount = kCategoryCount * kCaseCount;
    static constexpr float kMenuZ = 10.0f;

    // "witnesses", "evidence", "documents", "reports"; empty outside 0..3.
    static VoString CategoryName(int aCategory);
    // The category of the name (exact); -1 for none.
    static int CategoryIndex(const VoString& aName);
    // The key and kind of an item id (see above).
    static void SplitItemId(const VoString& aId, VoString* apKey, int* apKind);
    // The grid of a category in a case; -1 outside 0..3 and 1..4.
    static int SubpanelIndex(int aCategory, int aCase);

    // The panel "inventory", its group in apParent (the PDA's group).
    explicit MGInventoryPanel(VoDisplayGroup* apParent);
    MGInventoryPanel(const MGInventoryPanel&) = delete;
    MGInventoryPanel& operator=(const MGInventoryPanel&) = delete;
    // Leaves the mouse, deletes the grids with their items, then the content
    // (out of the PDA's scroll area first).
    ~MGInventoryPanel() override;

    // Keeps a copy of the layout, builds the menu group, the content and the
    // sixteen grids, selects "evidence" and loads the items file.
    bool Create(VoPropertyList* apLayout) override;
    // The category buttons, the grid of the current category and case in the
    // PDA's scroll area, scrolled to the top; the wheel scrolls it and double
    // clicks are off.
    bool Show() override;
    bool Hide() override;

    // Adds the item of the id to its grid in the current case (see above).
    // An item there already: true. False, logged, for a case outside 1..4,
    // an id the items file lacks, an entry of no known type and a full grid.
    // The new item flashes on the minimized bar.
    bool AddItem(const VoString& aItemId);
    // Whether any grid holds the item (its display id, any case).
    bool HasItem(const VoString& aItemId);
    // Empties all sixteen grids.
    void ClearItems();

    // The saved block (see above). Read empties each grid before filling
    // it and skips ids the items file lacks; a count or space out of range,
    // a space or id given twice in one grid or a short block stops it
    // (false, logged) with every grid emptied. Write is false when the
    // stream refuses a value.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    // The current category: its grid shown, its button disabled. False
    // outside 0..3.
    bool SelectCategory(int aCategory);
    int GetCategory() const { return fCategory; }
    int GetCase() const { return fCase; }
    MGInventorySubpanel* GetSubpanel(int aIndex) const;
    // The grid shown now; null when none (a case outside 1..4).
    MGInventorySubpanel* GetShownSubpanel() const { return fpShown; }
    VoDisplayGroup* GetMenuGroup() const { return fpMenu; }
    VoDisplayGroup* GetContentGroup() const { return fpContent; }
    VoButton* GetCategoryButton(int aCategory) const;
    // The items file; null when it could not be read.
    VoPropertyList* GetItemsFile() const { return fpItems; }

    // A press of a category button selects it.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    // 0 or more scrolls up one increment, below 0 down.
    void OnWheel(float aDelta) override;

    VoString ToString() const override;

private:
    // Re-reads "sta_selectedcase"; a missing state keeps the number.
    void ReadCase(bool aAssertMissing);
    // The entry of the key in the case; null for a key the file lacks.
    VoPropertyList* FindEntry(int aCase, const VoString& aKey);
    void ShowSubpanel();
    void HideSubpanel();
    void DeleteCategoryButtons();
    void ListenToMouse(bool aListen);
    bool FailRead();

    VoPropertyList* fpLayout;                          // owned: the panel's copy
    VoDisplayGroup* fpMenu;                            // owned by the panel's group
    VoDisplayGroup* fpContent;                         // owned; in the PDA's scroll area while shown
    MGInventorySubpanel* fpSubpanels[kSubpanelCount];  // owned
    MGInventorySubpanel* fpShown;                      // one of fpSubpanels, or null
    int fCategory;
    int fCase;
    VoPropertyList* fpItems;  // owned
    bool fInMouse;            // registered with the engine mouse
};
