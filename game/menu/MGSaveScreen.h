#pragma once
// The menu screen on which the player types a description and saves the
// running game into a new slot of the slot list (MGSlotList), reached from
// the main menu's "save_game".
//
// From "//textures/menu/save_screen_layout.txt" (textures under
// "//textures/menu"), the group "savescreen_layout": the built groups
// "save_screen.g01-background" and "save_screen.g03-black_background";
// "save_buttons" (relative z 10) with the menu buttons of
// "save_screen.g02-buttons"; the sprite "thumbnail_sprite" (relative z -10,
// at 265|95) when the place has a picture; "text_areas" (relative z 15) with
// the save field "textfield" (at 293|328, 215 x 18, "twcenmt14white"),
// which has the focus.
//
// The picture's name comes from "//textures/menu/thumbnails/thumbs.txt": a
// scene id beginning "case" (any case) is looked up under its first two
// "/"-pieces, any other under "allCases" and the whole id; then the
// viewpoint of "sta_currentviewpoint" and its "image". The name is "none"
// when any level is missing; the picture is the texture filed under the
// name, else "//textures/menu/thumbnails/" + name, filed under it.
//
// A click on any button but "cancel" saves, unless the text is empty or
// blank: the game into the file of the next slot number whose file does not
// exist, then the whole slot list with the new entry; each through a
// temporary file, so a failure leaves the list and every game file as they
// were. On failure the message box says so and the screen stays; on
// success, and on "cancel", the screen leaves with a fade. A list that is
// there but cannot be read is never written over: the save is refused. A
// damaged list is set aside and rebuilt on entering (MGSlotList::Open), and
// the message box says what was done (MGSlotList::Tell); a rebuilt list that
// could not be written refuses the save as well.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "menu/MGMenuLayout.h"

class MGSaveField;
class MGSlotList;
class VoPropertyList;

class MGSaveScreen : public MGIScreen, public VoBase, public VoIButtonListener {
public:
    static constexpr const char* kCreationFailure = "MGSaveScreen creation failure.";
    static constexpr const char* kListFailure = "Error opening .filelist file during save";
    static constexpr const char* kGameFailure = "Unable to create game save file.";
    static constexpr const char16_t* kFailureText = u"The game could not be saved.";
    static constexpr const char16_t* kFailureBox = u"savefailure";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/save_screen_layout.txt";
    static constexpr const char16_t* kThumbnailFile = u"//textures/menu/thumbnails/thumbs.txt";
    static constexpr const char16_t* kThumbnailRoot = u"//textures/menu/thumbnails/";
    static constexpr const char16_t* kRootId = u"savescreen_layout";
    static constexpr const char16_t* kFieldId = u"textfield";
    static constexpr const char16_t* kFieldFont = u"twcenmt14white";
    static constexpr const char16_t* kThumbnailId = u"thumbnail_sprite";
    static constexpr float kFieldX = 293.0f;
    static constexpr float kFieldY = 328.0f;
    static constexpr float kFieldWidth = 215.0f;
    static constexpr float kFieldHeight = 18.0f;
    static constexpr float kTextAreasZ = 15.0f;
    static constexpr float kThumbnailX = 265.0f;
    static constexpr float kThumbnailY = 95.0f;
    static constexpr float kThumbnailZ = -10.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGSaveScreen* GetInstance();
    // The picture name of the place in the states (see above), from the
    // table's file or the table given.
    static VoString LookUpThumbnail();
    static VoString LookUpThumbnail(VoPropertyList* apTable);

    MGSaveScreen();
    MGSaveScreen(const MGSaveScreen&) = delete;
    MGSaveScreen& operator=(const MGSaveScreen&) = delete;
    ~MGSaveScreen() override;

    void OnLeaveBegin() override {}
    // Deletes the screen.
    void OnLeaveEnd() override;
    // Reads the slot list (made empty when missing) and builds the screen.
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;

    // Saves the running game with the field's text; true when saved.
    bool Save();

    MGSaveField* GetField() const { return fpField; }
    const VoString& GetThumbnail() const { return fThumbnail; }
    VoDisplayGroup* GetRoot() const { return fTree.Get(); }

    VoString ToString() const override;

private:
    void Build();
    void AddThumbnail(VoDisplayGroup* apTree);
    static void Leave();

    MGScreenTree fTree;
    MGSaveField* fpField;  // owned by the tree
    MGSlotList* fpList;    // owned
    bool fListRead;        // the slot list read (or none was there)
    VoString fThumbnail;
};
