#pragma once
// The menu screen that lists the saved games of the slot list (MGSlotList)
// as a grid of six pictures with their descriptions, three to a row, pages
// through them three at a time, and loads the one chosen. Reached from the
// main menu's "load_game".
//
// From "//textures/menu/load_screen_layout.txt" (textures under
// "//textures/menu"), the group "loadscreen_layout": the built groups
// "load_screen.g01-background" and "load_screen.g03-black_background";
// "load_buttons" (relative z 10) with the menu buttons of
// "load_screen.g02-buttons" ("cancel", "up_arrow", "down_arrow", "load");
// the six hidden brackets of "load_screen.g04-selection_brackets", whose
// "activearea" polygons are the cells' click areas; the text areas
// "saveText_0" to "saveText_5" in "comic18" at half size; one sprite
// "thumbnail_" + (N - 1) (relative z -10) per slot N that has a picture:
// the texture filed under its thumbnail name, else the image of that name
// under "//textures/menu/thumbnails/", else "riverbank_body.bmp" there,
// filed under the name.
//
// Every slot is one grid entry, in ascending slot number; a slot without a
// picture keeps its place. A damaged list is set aside and rebuilt on
// entering (MGSlotList::Open), and the message box says what was done
// (MGSlotList::Tell). A click on a
// cell with a description selects it (its bracket shows). "load" reads the
// chosen slot's game file whole (MGGameFile) before anything changes; a
// file that fails to load leaves the running game, says so in the message
// box, and the screen stays. A loaded
// game selects the clock of its case, sets the skill setting, and behind a
// fade the menus go and the saved scene, viewpoint and player placement
// come back. The first visible entry is kept from one visit to the next.
#include <cstdint>

#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "menu/MGMenuLayout.h"
#include "menu/MGSlotList.h"
#include "platform/VoIMouseListener.h"

class VoPolygon;
class VoSprite;
class VoTextArea;

class MGLoadScreen : public MGIScreen,
                     public VoBase,
                     public VoIButtonListener,
                     public VoIMouseListener,
                     public MGIScreenFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGLoadScreen creation failure.";
    static constexpr const char* kLoadFailure = "Unable to create game load file.";
    static constexpr const char* kSceneFailure = "Load failure. The saved scene did not load: ";
    static constexpr const char16_t* kFailureText = u"The saved game could not be loaded.";
    static constexpr const char16_t* kFailureBox = u"loadfailure";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/load_screen_layout.txt";
    static constexpr const char16_t* kThumbnailRoot = u"//textures/menu/thumbnails/";
    static constexpr const char16_t* kFallbackPicture = u"//textures/menu/thumbnails/riverbank_body.bmp";
    static constexpr const char16_t* kRootId = u"loadscreen_layout";
    static constexpr const char16_t* kFont = u"comic18";
    static constexpr float kFontScale = 0.5f;
    static constexpr float kTextZ = 10.0f;
    static constexpr float kLineHeight = 19.0f;
    static constexpr float kThumbnailZ = -10.0f;
    static constexpr float kMouseOrder = 0.0f;
    static constexpr int kCellCount = 6;
    static constexpr int kPageStep = 3;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGLoadScreen* GetInstance();

    MGLoadScreen();
    MGLoadScreen(const MGLoadScreen&) = delete;
    MGLoadScreen& operator=(const MGLoadScreen&) = delete;
    // Leaves the mouse and the fader; deletes the screen and the areas.
    ~MGLoadScreen() override;

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    // Builds the screen and takes clicks again.
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    // Button 1 selects the cell under the pointer.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    // The fade after a load has finished: the saved place comes back.
    void OnFadeEvent(int aCode) override;

    int GetEntryCount() const;
    int GetFirstVisible() const { return fFirst; }
    int GetSelectedCell() const { return fSelected; }
    bool IsBusy() const { return fBusy; }
    VoTextArea* GetText(int aCell) const;
    VoSprite* GetBracket(int aCell) const;
    VoPolygon* GetArea(int aCell) const;
    // The picture of entry aIndex; null when it has none.
    VoSprite* GetPicture(int aIndex) const;
    VoDisplayGroup* GetRoot() const { return fTree.Get(); }

    VoString ToString() const override;

private:
    void Setup();
    void AddBrackets(VoPropertyList* apLayout, VoDisplayGroup* apTree);
    void AddTexts(VoDisplayGroup* apTree);
    // The slot list's entries; what opening the list found.
    MGSlotList::Opened AddEntries(VoDisplayGroup* apTree);
    // The sprite "thumbnail_" + (aNumber - 1) with the name's picture; null
    // when no picture can be had.
    static VoSprite* NewPicture(std::int32_t aNumber, const VoString& aName);
    void Refresh();
    void HideBrackets();
    // Loads the selected entry's game; false, with the message box up, when
    // it fails.
    bool Load();
    // Back to the main menu after a load whose scene did not come.
    static void BackToMenu();
    void DeletePictures();

    MGScreenTree fTree;
    MGSlotList* fpList;     // owned
    VoSprite** fpPictures;  // owned array, one per entry (null: no picture); sprites owned by the tree
    int fPictureCount;
    VoTextArea* fpTexts[kCellCount];  // owned by the tree
    int fFirst;
    VoSprite* fpBrackets[kCellCount];  // owned by the tree
    VoPolygon* fpAreas[kCellCount];    // owned
    int fSelected;
    bool fBusy;
    bool fInMouse;  // registered with the engine mouse
};
