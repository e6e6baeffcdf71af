#pragma once
// The game's cursor: a layer over the engine cursor (VoCursor), which shows
// one named look at the pointer. Every look is loaded at creation: the
// pointer looks of "//textures/cursors.txt", the direction looks of
// "//textures/cursors_dir.txt" (a section "cursors", each entry a sprite
// description whose id names the look), one look per inventory item from
// "//textures/pda/inventory/inventory_items.txt" (sections "items.case1" to
// "items.case4", each entry's "sprite" a description whose "texturecoords"
// also set its hot spot to the middle) and the highlight sprite of
// "//textures/icon_cursors.txt" (section "hilight").
//
// Looks are chosen by id:
//     0 default      4 target         8 go_bottom       12 go_bottomright
//     1 hand         5 go_left        9 go_topleft      13 the held item
//     2 rollover     6 go_right      10 go_topright     14 the held item, highlighted
//     3 crosshair    7 go_top        11 go_bottomleft   15 empty
// The held item's look is the item id, without a last "_cl", "_re" or "_su"
// (in any case). SetCursor records who set the look; ResetCursor returns to
// the base look only for that caller, or for anyone with an empty name.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "platform/VoIMouseListener.h"

class VoCursor;
class VoSprite;

class MGCursor : public VoBase, public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "MGCursor creation failure.";
    static constexpr const char* kFileFailure = "Failure creating list from file: ";
    static constexpr const char* kNoCursors = "'cursors' not found.";
    static constexpr const char* kNoHighlight = "'hilight' not found.";
    static constexpr const char* kSpriteFailure = "Cursor sprite creation failure.";
    static constexpr const char* kSetCursorInvalid = "SetCursor failure. Invalid arg.";

    static constexpr const char16_t* kCursorFile = u"//textures/cursors.txt";
    static constexpr const char16_t* kDirectionFile = u"//textures/cursors_dir.txt";
    static constexpr const char16_t* kItemRoot = u"//textures/pda/inventory";
    static constexpr const char16_t* kItemFile = u"//textures/pda/inventory/inventory_items.txt";
    static constexpr const char16_t* kIconFile = u"//textures/icon_cursors.txt";

    static constexpr int kDefault = 0;
    static constexpr int kItem = 13;
    static constexpr int kItemHighlighted = 14;
    static constexpr int kEmpty = 15;
    static constexpr int kCursorCount = 16;
    static constexpr int kCaseCount = 4;
    static constexpr float kHighlightZ = 100000.0f;
    static constexpr float kHighlightMouseOrder = -5.0f;

    // Created on first use with every look, owned by the game's cleaner;
    // null when it cannot be created.
    static MGCursor* GetInstance();
    // The look of an id, "" for 13, 14 and ids outside 0..15.
    static VoString GetCursorName(int aId);
    // The look of a held item: the id without a last "_cl", "_re" or "_su".
    static VoString GetItemLook(const VoString& aItem);

    // Loads every look into the engine cursor and the highlight into the
    // display root; what cannot be read is logged and left out.
    MGCursor();
    MGCursor(const MGCursor&) = delete;
    MGCursor& operator=(const MGCursor&) = delete;
    // Leaves the mouse, shows the engine cursor again if it was hidden and
    // deletes the highlight.
    ~MGCursor() override;

    // Shows the look of the id (13 and 14 the held item's, 14 with the
    // highlight following the pointer; the others hide the highlight) and
    // records aName as the look's owner. The current id changes only when
    // the engine cursor shows the look; the result is the engine cursor's.
    // An id outside 0..15 is refused (logged, false) and changes nothing.
    bool SetCursor(int aId, const VoString& aName);
    // For an empty name or the last SetCursor's name: back to the base look.
    // False, nothing changed, for any other name.
    bool ResetCursor(const VoString& aName);
    void SetBaseCursor(int aId) { fBaseId = aId; }
    // The item becomes the base look (id 13), shown at once.
    void SetItemCursor(const VoString& aItem);
    VoString GetItemId() const { return fItem; }
    // Shows or hides the engine cursor.
    void SetActive(bool aActive);
    // The highlight follows the pointer while on.
    void SetHighlight(bool aOn);

    int GetCurrentId() const { return fCurrentId; }
    int GetBaseId() const { return fBaseId; }
    const VoString& GetOwner() const { return fOwner; }
    bool IsActive() const { return fActive; }
    bool IsHighlightShown() const { return fHighlightShown; }
    // Owned; null when it could not be loaded.
    VoSprite* GetHighlight() const { return fpHighlight; }

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}

    VoString ToString() const override;

private:
    // Every entry of the file's "cursors" section as a look.
    void LoadLooks(const char16_t* apFile);
    void LoadItemLooks();
    void LoadHighlight();
    // Adds the sprite to the engine cursor as the look of its id; deletes it
    // when refused.
    void AddLook(VoSprite* apSprite);

    VoCursor* fpCursor;  // not owned: the engine cleaner's
    int fCurrentId;
    int fBaseId;
    VoString fItem;
    bool fActive;
    VoSprite* fpHighlight;  // owned; a member of the display root while both exist
    bool fHighlightInRoot;  // fpHighlight was added to the display root
    bool fHighlightShown;
    VoString fOwner;
    bool fInMouse;  // registered with the engine mouse
};
