#pragma once
// One icon of an inventory grid (MGInventorySubpanel): a draggable group
// built from the item's entry of the items file (see MGInventoryPanel), with
// a badge for an expert result, a tooltip, a drag that starts once the
// pointer has moved 7 pixels, and a click that opens the five-action menu
// with use (the item goes into the cursor and the PDA closes), analyze (the
// item goes to the experts) and look (its description in a message box).
//
// The display id is the sprite's id, with "_cl", "_re" or "_su" for the
// results of the crime lab (kind 1), research (2) and surveillance (3); it
// names the item everywhere: in its grid, in the saved inventory, on the
// cursor and in the experts' events. Analysing an item D adds, for each lab
// that has not yet had it, D + "_CL_S", "_RE_S" or "_SU_S" and the result
// D + "_CL_R", "_RE_R" or "_SU_R" 5 seconds of game time later: witnesses go
// to surveillance and research, evidence and documents to the crime lab and
// research, reports to nobody.
//
// Files: the tooltip texts "//dataroot/assets/tooltips.txt" (under the sprite
// id), the badges "//textures/pda/inventory/icon_layout.txt" ("crimelab",
// "research", "surveillance") and the descriptions
// "//textures/pda/inventory/inventory_descriptions.txt": per display id a
// list of entries, each with an optional "active" script and a "text" of
// "|"-separated lines; the first entry without "active", or whose "active"
// holds, is the one shown.
#include "container/VoString.h"
#include "gdi/VoDraggable.h"
#include "geometry/VoVector2.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoDisplayGroup;
class VoPropertyList;
class VoToolTip;
class VoVectorString;

class MGInventoryItem : public VoDraggable,
                        public VoIMouseListener,
                        public MGIMultiCursorListener,
                        public VoIFrameListener {
public:
    static constexpr const char* kNoSprite = "'sprite' not found.";
    static constexpr const char* kSpriteFailure = "Sprite build failure.";

    static constexpr const char16_t* kTooltipFile = u"//dataroot/assets/tooltips.txt";
    static constexpr const char16_t* kBadgeFile = u"//textures/pda/inventory/icon_layout.txt";
    static constexpr const char16_t* kDescriptionFile =
        u"//textures/pda/inventory/inventory_descriptions.txt";
    static constexpr const char16_t* kTooltipFont = u"tahoma10black";
    static constexpr const char16_t* kDescriptionBox = u"itemdescription";

    static constexpr int kPlain = 0;
    static constexpr int kCrimeLab = 1;
    static constexpr int kResearch = 2;
    static constexpr int kSurveillance = 3;

    static constexpr float kGroupZ = 10.0f;
    static constexpr float kBadgeZ = 10.0f;
    static constexpr float kBadgeX = 26.0f;
    static constexpr float kBadgeY = 17.0f;
    static constexpr float kSize = 64.0f;
    static constexpr float kTooltipZ = 9700.0f;
    static constexpr float kTooltipRise = 20.0f;
    static constexpr double kTooltipDelay = 1.0;
    static constexpr float kDragDistance = 7.0f;
    static constexpr float kMenuOffset = 50.0f;
    static constexpr float kResultDelay = 5.0f;

    // The display id of an item built from the entry as that kind: its
    // "sprite.id" with the kind's ending; empty without one.
    static VoString DisplayIdOf(VoPropertyList* apEntry, int aKind);
    // The lines of the description the display id shows now; false (the
    // lines untouched) without a list, a matching entry or a "text".
    static bool FindDescription(VoPropertyList* apDescriptions, const VoString& aId, VoVectorString* apLines);

    MGInventoryItem();
    MGInventoryItem(const MGInventoryItem&) = delete;
    MGInventoryItem& operator=(const MGInventoryItem&) = delete;
    // Leaves the mouse, the frame manager and the five-action menu, and
    // deletes the group (which leaves its grid).
    ~MGInventoryItem() override;

    // Builds the icon, the badge and the tooltip from the entry (kind 0
    // plain, 1 to 3 a lab's result) and starts listening to the mouse. A
    // missing sprite or tooltip leaves the item without it; false when the
    // entry names no sprite id, so the item has no display id.
    bool Create(VoPropertyList* apEntry, int aKind);

    // The display id.
    VoString GetItemId() const { return GetId(); }
    int GetKind() const { return fKind; }
    // Owned; in its grid's group while placed.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Null without a tooltip text; held by the tooltip manager.
    VoToolTip* GetToolTip() const { return fpToolTip; }
    const VoString& GetToolTipText() const { return fToolTipText; }
    bool IsHovered() const { return fHovered; }
    bool IsToolTipPending() const { return fToolTipPending; }

    // Dragging and the mouse follow whether the group is effectively active
    // (its grid shown in the open PDA).
    void UpdateActive();

    // A press of button 1 on the part of the icon inside the PDA's scroll
    // area holds the item.
    void OnButtonDown(int aButton) override;
    // Hover (the tooltip after a 1 s rest) and, while held, the drag.
    void OnMouseMove(const VoVector2* apPosition) override;
    // Ends a drag, or opens the five-action menu after a click.
    void OnButtonUp(int aButton) override;
    void OnAction(int aAction) override;
    // The tooltip's delay.
    void OnUpdate() override;

private:
    // Inside the group and inside the PDA's scroll area.
    bool IsUnder(const VoVector2& aPoint);
    void MakeToolTip(const VoString& aSpriteId);
    void CancelToolTip();
    void Analyze();
    void Look();
    void ListenToFrames(bool aListen);
    void ListenToMouse(bool aListen);
    static VoVector2 Pointer();
    static double Now();

    VoDisplayGroup* fpGroup;  // owned
    int fKind;
    VoVector2 fPressPosition;
    float fDistance;
    double fPressTime;  // -1 once the press has become a drag
    bool fHovered;
    bool fToolTipPending;
    VoString fToolTipText;
    double fHoverStart;
    VoToolTip* fpToolTip;  // not owned: the tooltip manager's
    bool fInMouse;         // registered with the engine mouse
    bool fInFrames;        // registered with the frame manager
    bool fMenuOpen;        // the five-action menu tells us its action
};
