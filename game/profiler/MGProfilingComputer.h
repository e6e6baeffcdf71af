#pragma once
// The profiling computer: a full-screen tool on which the player builds the
// offender profile of the current case ("sta_selectedcase") and compares
// suspects with it. It is opened from a scene by setting the boolean state
// "sta_profiler_active" true (again while it is on the screen stack does
// nothing) and left by its back button; it never sets the state back.
//
// The player drops an inventory item from the cursor on the slot and
// presses analyze. Evidence (any type but "witnesses") adds the event
// key + "_profiler", which explains every profile entry of that key; at the
// end of the analysis sound the profile is refreshed and a match sound, or
// the buzz with "no new information", follows. A suspect ("witnesses") is
// compared with the profile once its strength is 3 ("strong") or more, and
// the fit is shown as a percentage; a weaker profile buzzes at once. The
// key of an item is its id up to the first "_".
//
// Everything is built anew from the data files and the events on every
// entry; between visits only the suspect waiting for comparison is kept.
//
// "//textures/profiler/profile_data.txt": "case0" + N, each with the parts
// "characteristics", "personality" and "motive" (rows 0-3, 4-7 and 8-11 of
// the screen), each holding up to four entries keyed by an item key:
//     heading=the entry's title
//     text=what it says of the offender
// A part's entries past its fourth are left out (logged). Explained entries
// stand in their rows in the order their "_profiler" events happened, with
// the item's icon (the items file's "sprite", pictures under
// "//textures/pda/inventory") at the row picture's place + (17, 17).
// Strength, by the share of explained entries: above 0.85 "verystrong" (4),
// above 0.75 "strong" (3), above 0.35 "moderate" (2), above 0.15 "weak" (1),
// else none (0); every refresh adds "evt_profiler_case0" + N + "_" + word.
//
// "//textures/profiler/profile_match.txt": "case01" to "case04", each with
// one list per suspect (the whole item id) of entries tried in file order:
//     depend=script[...] or an event id
//     viability=the fit, shown with "%"
//     doneevent=evt_...   added when a script "depend" holds (optional)
//
// Layout "//textures/profiler/profiler_layout.txt" (pictures under
// "//textures/profiler"): groups.g01-background; groups.g02-backbutton (the
// button "back_btn", its pictures under the root before, "//textures");
// groups.g03-profile_strength (five sprites, levels 0 to 4);
// groups.g04-buttons.buttons (analyze); groups.g05-item_slots (twelve row
// sprites); groups.g06-headers and groups.g07-entries ("id" and "position"
// of the rows' text areas); groups.g08-status_phrases.s02, .s01 and .s04
// (analyzing, no new information, profile too weak). A missing member
// leaves that part of the screen out.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoRectangle.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "state/VoIStateListener.h"

class VoDisplayGroup;
class VoISoundPlayer;
class VoPropertyList;
class VoSprite;
class VoTextArea;
class VoVectorString;

class MGProfilingComputer : public VoBase,
                            public MGIScreen,
                            public VoIButtonListener,
                            public VoIMouseListener,
                            public VoIStateListener,
                            public MGIScreenFaderListener,
                            public VoISoundListener {
public:
    static constexpr const char* kCreationFailure = "MGProfilingComputer creation failed";
    static constexpr const char* kTooManyEntries =
        "A profile part holds more than four entries; the first four count: ";

    static constexpr const char16_t* kActiveState = u"sta_profiler_active";
    static constexpr const char16_t* kProfileFile = u"//textures/profiler/profile_data.txt";
    static constexpr const char16_t* kMatchFile = u"//textures/profiler/profile_match.txt";
    static constexpr const char16_t* kLayoutFile = u"//textures/profiler/profiler_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/profiler";
    static constexpr const char16_t* kItemRoot = u"//textures/pda/inventory";
    static constexpr const char16_t* kItemsPrefix = u"items.case";
    static constexpr const char16_t* kCasePrefix = u"case0";
    static constexpr const char16_t* kStrengthEventPrefix = u"evt_profiler_case0";
    static constexpr const char16_t* kProfiledSuffix = u"_profiler";
    static constexpr const char16_t* kWitnesses = u"witnesses";

    static constexpr const char16_t* kRootId = u"profilingComputer_layout";
    static constexpr const char16_t* kIconsId = u"profiler_icons";
    static constexpr const char16_t* kButtonsId = u"profiler_buttons";
    static constexpr const char16_t* kMatchTextId = u"profile_match";
    static constexpr const char16_t* kBackButtonId = u"back_btn";
    static constexpr const char16_t* kAnalyzingPath = u"groups.g08-status_phrases.s02";
    static constexpr const char16_t* kNoNewInformationPath = u"groups.g08-status_phrases.s01";
    static constexpr const char16_t* kTooWeakPath = u"groups.g08-status_phrases.s04";

    static constexpr const char16_t* kAnalyzeSound = u"//sounds/analyze.mp2";
    static constexpr const char16_t* kMatchSound = u"//sounds/match.mp2";
    static constexpr const char16_t* kBuzzSound = u"//sounds/buzz.mp2";
    static constexpr const char16_t* kAnalyzeStream = u"analyze";
    static constexpr const char16_t* kMatchStream = u"match";

    static constexpr const char16_t* kMatchFont = u"tahoma10";
    static constexpr const char16_t* kHeadingFont = u"cenmt14white";
    static constexpr const char16_t* kEntryFont = u"cenmt12white";

    static constexpr int kPartCount = 3;
    static constexpr int kRowsPerPart = 4;
    static constexpr int kRowCount = kPartCount * kRowsPerPart;
    static constexpr int kLevelCount = 5;
    // The strength from which suspects are compared.
    static constexpr int kStrongLevel = 3;
    static constexpr int kHardSkill = 2;
    static constexpr int kHandCursor = 1;
    static constexpr int kPointerCursor = 0;

    static constexpr float kRootZ = -50.0f;
    static constexpr float kIconsZ = 20.0f;
    static constexpr float kButtonsZ = 10.0f;
    static constexpr float kMatchZ = 20.0f;
    static constexpr float kSlotIconZ = 20.0f;
    static constexpr float kMatchX = 660.0f;
    static constexpr float kMatchY = 86.0f;
    static constexpr float kMatchWidth = 50.0f;
    static constexpr float kMatchHeight = 15.0f;
    static constexpr float kHeadingWidth = 135.0f;
    static constexpr float kHeadingHeight = 20.0f;
    static constexpr float kHeadingLineHeight = 15.0f;
    static constexpr float kEntryWidth = 135.0f;
    static constexpr float kEntryHeight = 55.0f;
    static constexpr float kEntryLineHeight = 11.0f;
    static constexpr float kSlotIconX = 273.0f;
    static constexpr float kSlotIconY = 60.0f;
    // The row icon's place from its row picture's.
    static constexpr float kIconOffset = 17.0f;
    static constexpr float kListenerOrder = 0.0f;

    // The drop area of the item slot (edges inside).
    static VoRectangle SlotArea() { return VoRectangle(273.0f, 40.0f, 92.0f, 76.0f); }
    // The strength level of aProfiled entries explained out of aTotal, and
    // its word ("" at level 0).
    static int StrengthLevel(int aProfiled, int aTotal);
    static VoString StrengthWord(int aLevel);
    // An item id's key: the id up to its first "_".
    static VoString KeyOf(const VoString& aItemId);

    // Created on first use, listening to the states, owned by the game's
    // cleaner; null (logged) when it cannot be created.
    static MGProfilingComputer* GetInstance();
    // The instance if there is one; never creates.
    static MGProfilingComputer* PeekInstance();

    MGProfilingComputer();
    MGProfilingComputer(const MGProfilingComputer&) = delete;
    MGProfilingComputer& operator=(const MGProfilingComputer&) = delete;
    // Leaves the states, the mouse and the screen fader; deletes the screen.
    ~MGProfilingComputer() override;

    // Builds the screen from the files (see above) and shows the profile.
    void Create();
    // Fills the rows, the strength and the profiled count from the profile
    // data file and the events; adds the strength event.
    void RefreshProfile();
    // The same over a profile data file already read (null: no profile).
    void RefreshProfile(VoPropertyList* apProfile);
    // The keys of the part whose "_profiler" event happened, oldest first,
    // equal times in file order; only the part's first four entries count.
    static void CollectProfiledEntries(VoPropertyList* apSection, VoVectorString* apOut);
    // Shows the suspect's fit with the profile, adding its done event.
    void EvaluateSuspect(const VoString& aSuspectId);
    // Takes the match criteria in place of those read on entering (owned;
    // null for none).
    void SetMatchCriteria(VoPropertyList* apCriteria);

    // The screen calls.
    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    // "sta_profiler_active" true opens the screen.
    void OnStateChanged(VoIState* apState) override;
    // "back_btn" leaves, any other button analyzes.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // Button 1 with an item in the cursor drops it.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnFadeEvent(int aCode) override;
    void OnSoundEnd(const VoString& aName) override;

    // Null while the screen is off the stack.
    VoDisplayGroup* GetRoot() const { return fpRoot; }
    VoDisplayGroup* GetIcons() const { return fpIcons; }
    VoTextArea* GetMatchText() const { return fpMatchText; }
    VoSprite* GetStrengthPicture(int aLevel) const;
    VoSprite* GetRow(int aRow) const;
    VoTextArea* GetHeading(int aRow) const;
    VoTextArea* GetEntry(int aRow) const;
    // The slot's icon; null when the slot is empty.
    VoSprite* GetSlotSprite() const { return fpSlotSprite; }
    const VoString& GetSlotItem() const { return fSlotItem; }
    VoSprite* GetAnalyzingStatus() const { return fpAnalyzing; }
    VoSprite* GetNoNewInformationStatus() const { return fpNoNewInformation; }
    VoSprite* GetTooWeakStatus() const { return fpTooWeak; }
    // Owned; null when no sound plays.
    VoISoundPlayer* GetSoundPlayer() const { return fpSound; }
    int GetLevel() const { return fLevel; }
    int GetProfiledCount() const { return fProfiledCount; }
    const VoString& GetPendingSuspect() const { return fPendingSuspect; }
    VoPropertyList* GetItems() const { return fpItems; }

    VoString ToString() const override;

private:
    // Everything of the screen but the back button, from the layout (may be null).
    void BuildScreen(VoPropertyList* apLayout);
    // The sprite of a layout node, hidden, added to the root; null when it
    // cannot be built.
    VoSprite* AddHiddenSprite(VoPropertyList* apNode);
    // The text areas of a layout list into the rows' slots.
    void AddTexts(VoPropertyList* apList, VoTextArea** appTexts, const char16_t* apFont, float aWidth,
                  float aLineHeight);
    // The items file's sprite of the key in the case, built under the
    // items' texture root; null when there is none.
    VoSprite* BuildItemIcon(const VoString& aKey);
    // The items file's entry of the key in the case; null when none.
    VoPropertyList* FindItem(const VoString& aKey);
    void Analyze();
    void DeleteSlotSprite();
    void ShowStatus(VoSprite* apStatus);
    void HideStatuses();
    void ResetCursor(int aBase);
    void PlaySound(const char16_t* apName, const char16_t* apPath);
    void DeleteScreen();
    void ListenToMouse(bool aListen);
    bool IsOnStack();
    static void AddEventOnce(const VoString& aId);

    VoDisplayGroup* fpRoot;             // owned; in the display manager while shown
    VoDisplayGroup* fpIcons;            // owned by fpRoot
    VoPropertyList* fpItems;            // owned
    VoPropertyList* fpMatch;            // owned
    VoSprite* fpStrength[kLevelCount];  // owned by fpRoot; null where missing
    int fLevel;
    VoTextArea* fpMatchText;            // owned by fpRoot
    VoSprite* fpRows[kRowCount];        // owned by fpRoot
    VoTextArea* fpHeadings[kRowCount];  // owned by fpRoot
    VoTextArea* fpEntries[kRowCount];   // owned by fpRoot
    VoSprite* fpSlotSprite;             // owned by fpRoot; null when empty
    VoString fSlotItem;
    VoString fItemsPrefix;
    VoISoundPlayer* fpSound;  // owned
    int fProfiledCount;
    VoSprite* fpAnalyzing;         // owned by fpRoot
    VoSprite* fpNoNewInformation;  // owned by fpRoot
    VoSprite* fpTooWeak;           // owned by fpRoot
    VoString fPendingSuspect;
    bool fInMouse;    // registered with the engine mouse
    bool fListening;  // registered with the state manager
};
