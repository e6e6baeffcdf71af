#pragma once
// The PDA: the player's hand-held device, one window drawn over the scene
// (the group "pda" at relative z 9000 in the display root) with a main menu
// of six buttons ("map", "inventory", "phone", "log", "menu", "exit") and
// four panels, of which one at a time fills the shared scroll area
// "pdascrollarea". It is no screen of the screen stack: it opens by joining
// the display root and closes by leaving it. It is opened only by its
// minimized bar (MGPDAMinimized::Maximize) and closed by its "exit" and
// "menu" buttons, by the bar, or by other parts of the game (an item used on
// the scene, a trip from the map, the cut-scene player).
//
// Built once, at the first GetInstance, from "//textures/pda/pda_layout.txt"
// (kept for the whole run; its pictures under "//textures/pda"):
//   groups.g01-background          the device's picture
//   groups.g03b-dragbutton         the button the window is dragged by
//   groups.g03-mainmenu            the main menu, rebuilt on every opening
//   groups.g02-active_case         sprites "case_display": the first entry
//                                  whose "display" script holds is shown
//   groups.g04-scrollbar           the scroll bar's buttons
//   groups.g04b-scrollbarcoords_regular, groups.g04c-scrollbarcoords_map
//                                  positions (x|y, or x|y|sx|sy with a scale)
//                                  of scroll-bar members per scroll area
//   misc.scrollbarspecs, misc.scrollbarspecs_map
//                                  the scroll bar's descriptions
// "map" and "log" use the taller scroll area (0, 0, 248, 152) at (171, 70),
// the other panels (0, 0, 248, 137) at (171, 85).
//
// While a panel switch settles (0.5 s of the engine timer) and until the
// first opening, main-menu presses are ignored. The PDA has one listener
// (MGIPDAListener), told the codes 4 (opened) and 5 (closed) here and 0 to 3
// by the bar.
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class MGIPDAListener;
class MGIPDAPanel;
class MGInventoryPanel;
class VoButton;
class VoCharacter;
class VoDisplayGroup;
class VoIDisplayObject;
class VoPropertyList;
class VoScrollBar;

class MGPDA : public VoBase,
              public VoIButtonListener,
              public MGIScreenFaderListener,
              public VoIMouseListener,
              public VoIFrameListener {
public:
    static constexpr const char* kCreationFailure = "MGPDA creation failure.";
    static constexpr const char* kNoDragButton = "'groups.g03b-dragbutton' not found.";
    static constexpr const char* kNoScrollBarSpecs = "'misc.scrollbarspecs' not found.";
    static constexpr const char* kScrollBarSpecsFailure = "Scrollbar specs creation failure.";
    static constexpr const char* kScrollBarFailure = "Scrollbar creation failure.";
    static constexpr const char* kSetListenerNull = "SetListener failure. NULL arg.";
    static constexpr const char* kRemoveListenerNull = "RemoveListener failure. NULL arg.";
    static constexpr const char* kAddPanelDuplicate = "AddPanel failure. Duplicate found:";
    static constexpr const char* kSetScrollContentNull = "SetScrollContentGroup failure. NULL arg.";
    static constexpr const char* kNoScroller =
        "SetScrollContentHeight failure. No scroller or content defined.";
    static constexpr const char* kHidePanelsFailure = "HidePanels failure.";
    static constexpr const char* kButtonNotFound = "Button id not found:";
    static constexpr const char* kSetPanelNotFound = "SetPanel failure. ID not found:";
    static constexpr const char* kNotDragging = "Listening for mouse events while not dragging.";

    static constexpr const char16_t* kLayoutFile = u"//textures/pda/pda_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/pda";
    static constexpr const char16_t* kInventoryLayout = u"//textures/pda/inventory_layout.txt";
    static constexpr const char16_t* kMapLayout = u"//textures/pda/map_layout.txt";
    static constexpr const char16_t* kLogLayout = u"//textures/pda/log_layout.txt";
    static constexpr const char16_t* kPhoneLayout = u"//textures/pda/phone_layout.txt";

    static constexpr const char16_t* kGroupId = u"pda";
    static constexpr const char16_t* kScrollAreaId = u"pdascrollarea";
    static constexpr const char16_t* kScrollContentId = u"pdaScrollContentGroup";
    static constexpr const char16_t* kCaseDisplayId = u"case_display";
    static constexpr const char16_t* kInventory = u"inventory";
    static constexpr const char16_t* kMap = u"map";
    static constexpr const char16_t* kLog = u"log";
    static constexpr const char16_t* kPhone = u"phone";
    static constexpr const char16_t* kMenu = u"menu";
    static constexpr const char16_t* kExit = u"exit";
    static constexpr const char16_t* kDragButtonId = u"dragbutton";

    // States the "menu" button writes for the main menu and a later load.
    static constexpr const char16_t* kSelectedCaseState = u"sta_selectedcase";
    static constexpr const char16_t* kPlayerXState = u"sta_playerpos_x";
    static constexpr const char16_t* kPlayerZState = u"sta_playerpos_z";
    static constexpr const char16_t* kDirectionXState = u"sta_playerdir_x";
    static constexpr const char16_t* kDirectionZState = u"sta_playerdir_z";
    static constexpr const char16_t* kMainMenuState = u"sta_mainmenu_active";

    static constexpr float kGroupZ = 9000.0f;
    static constexpr float kX = 100.0f;
    static constexpr float kY = 100.0f;
    static constexpr float kScrollAreaZ = 30.0f;
    static constexpr float kScrollContentZ = 30.0f;
    static constexpr double kSwitchLock = 0.5;

    // The scroll area per mode: its rectangle and place in the PDA's group.
    static VoRectangle RegularScrollArea() { return VoRectangle(0.0f, 0.0f, 248.0f, 137.0f); }
    static VoVector2 RegularScrollPlace() { return VoVector2(171.0f, 85.0f); }
    static VoRectangle MapScrollArea() { return VoRectangle(0.0f, 0.0f, 248.0f, 152.0f); }
    static VoVector2 MapScrollPlace() { return VoVector2(171.0f, 70.0f); }

    // Created and built on first use (the bar with it), owned by the game's
    // cleaner; null when it cannot be created.
    static MGPDA* GetInstance();
    // The PDA if it is live; never creates.
    static MGPDA* PeekInstance();

    // Fetches the bar (MGPDAMinimized); Create builds the rest.
    MGPDA();
    MGPDA(const MGPDA&) = delete;
    MGPDA& operator=(const MGPDA&) = delete;
    // Takes the panels' content out of the scroll area, deletes the panels,
    // then the window (out of the display root first).
    ~MGPDA() override;

    // Whether the window is open: its group is active.
    bool IsOpen() const;
    // Builds the main menu and the case display, joins the display root,
    // turns the scene's input off and shows the current panel; tells the
    // listener 4. Called by the bar.
    bool Open();
    // False, nothing told, on a closed PDA. Otherwise deletes the main menu,
    // leaves the display root, hides the panels, minimizes the bar at once
    // (the bar tells 1 when it was not minimized) and tells 5.
    bool Close();
    // The bar's Minimize.
    void Minimize(bool aAnimate);
    // "exit" and "menu": the window disabled, the bar's animated minimize,
    // then Close; presses stay ignored until the next opening.
    void MinimizeAndClose();
    // Shows the panel of that id (case-insensitive) in the scroll area. The
    // current panel's id: true, nothing done. Another switch holds the
    // 0.5 s lock. An unknown id is logged (false).
    bool SetPanel(const VoString& aId);

    // Null is refused (logged, false).
    bool SetListener(MGIPDAListener* apListener);
    // Clears the listener when it is the one given (true); any other
    // pointer changes nothing (false); null is logged.
    bool RemoveListener(MGIPDAListener* apListener);
    MGIPDAListener* GetListener() const { return fpListener; }
    void NotifyListener(int aCode);

    // Takes ownership; an id present already is logged and refused.
    bool AddPanel(const VoString& aId, MGIPDAPanel* apPanel);
    MGIPDAPanel* GetPanel(const VoString& aId);
    // Null when absent.
    MGInventoryPanel* GetInventoryPanel();
    // Null until the first SetPanel.
    MGIPDAPanel* GetCurrentPanel() const { return fpCurrentPanel; }
    void HidePanels();

    // The PDA's group, parent of every panel's group (owned).
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Puts a panel's content into the scroll area in place of the previous
    // one, which goes back to its panel. Null is refused (logged).
    bool SetScrollContentGroup(VoDisplayGroup* apContent);
    // Takes the content out of the scroll area. True.
    bool ClearScrollContentGroup();
    // Takes the group out of the scroll area when it is the content there:
    // a panel's, about to be hidden or deleted. Null changes nothing.
    void ReleaseScrollContent(VoDisplayGroup* apContent);
    // The content in the scroll area; null when none.
    VoDisplayGroup* GetScrollContent() const { return fpScrollContent; }
    // The scroll range of the current content; logged (false) without a
    // scroll bar or content.
    bool SetScrollContentHeight(int aHeight);
    void ScrollToTop();
    // Owned; null when it could not be made.
    VoScrollBar* GetScrollBar() const { return fpScrollBar; }
    // "pdascrollarea": hit tests of items keep to its world rectangle.
    VoIDisplayObject* GetScrollArea() const;
    // Whether the screen point lies in the scroll area's world rectangle,
    // the part of the panel's content that can be seen (edges inside).
    bool IsInScrollArea(const VoVector2& aPoint) const;
    // The panels' wheel: 0 or more scrolls up one increment, below 0 down.
    void ScrollByWheel(float aDelta);
    // Rebuilds the scroll bar for the map's taller scroll area or the
    // regular one, and places the scroll area and the scroll bar's members.
    bool CreateScrollBar(bool aMapMode);

    // What "menu" keeps for the main menu and a later load: the player's
    // position x and z and the walking direction of its steering (the
    // scene navigation's) as the number states "sta_playerpos_x",
    // "sta_playerpos_z", "sta_playerdir_x", "sta_playerdir_z", with
    // notification. Nothing without a player.
    static void StorePlayerPlace(VoCharacter* apPlayer);

    // The case number: "sta_selectedcase" truncated toward zero (0 for a
    // number no int holds); aDefault when the state is missing, which
    // *apFound (when given) tells.
    static int ReadSelectedCase(int aDefault, bool* apFound = nullptr);

    bool IsBusy() const { return fBusy; }
    bool IsDragging() const { return fDragging; }
    // The main menu while open; null while closed.
    VoDisplayGroup* GetMainMenu() const { return fpMainMenu; }
    VoButton* GetMenuButton(const VoString& aId) const;
    VoButton* GetDragButton() const { return fpDragButton; }
    VoPropertyList* GetLayout() const { return fpLayout; }

    // Main-menu and drag-button events.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // While dragging the window: moves follow the pointer, the release of
    // button 1 ends the drag.
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    // Ends the panel-switch lock.
    void OnUpdate() override;
    // Nothing registers the PDA with the screen fader: when it does, the end
    // of a fade-out fades in and minimizes and closes the PDA.
    void OnFadeEvent(int aCode) override;

    VoString ToString() const override;

private:
    // Everything but the main menu; once, from GetInstance.
    void Create();
    void CreatePanels();
    // Loads the layout for a panel's Create (null for an empty path).
    void AddPanelFromLayout(MGIPDAPanel* apPanel, const char16_t* apLayout);
    void JoinDisplayRoot();
    bool LeaveDisplayRoot();
    void DeleteMainMenu();
    void BuildCaseDisplay();
    // Enables the buttons of the ids, but the current panel's.
    void UpdateMenuButtons(bool aWithMenu);
    void ListenToFrames(bool aListen);
    static void SetNumberState(const char16_t* apId, float aValue);

    bool fCreated;                     // Create has begun: it runs once
    MGIPDAPanel* fpCurrentPanel;       // one of fPanels; null until the first SetPanel
    VoHashKeyList fPanels;             // id -> MGIPDAPanel, owned, in insertion order
    VoDisplayGroup* fpGroup;           // owned; a member of the display root while open
    VoDisplayGroup* fpBackground;      // owned by fpGroup
    VoDisplayGroup* fpMainMenu;        // owned by fpGroup; null while closed
    VoDisplayGroup* fpScrollBarGroup;  // owned by fpGroup
    VoPropertyList* fpLayout;          // owned
    VoScrollBar* fpScrollBar;          // owned
    VoDisplayGroup* fpScrollArea;      // owned by fpGroup
    VoDisplayGroup* fpScrollGroup;     // "pdaScrollContentGroup", owned by fpScrollArea
    VoDisplayGroup* fpScrollContent;   // a panel's, in fpScrollGroup while there
    bool fBusy;
    MGIPDAListener* fpListener;  // not owned
    VoButton* fpDragButton;      // owned by fpGroup
    bool fDragging;
    VoVector2 fDragOffset;
    double fLockEnd;
    bool fInFrames;  // registered with the frame manager
    bool fInRoot;    // fpGroup is a member of the display root
};
