#pragma once
// A small modal box over whatever is on screen: one or more lines of text
// and one or two buttons (OK; OK and Cancel; Yes and No). While it is up it
// holds the engine mouse (passing the events on to its buttons and the
// cursor) and the scene's input is off; a click on a button closes it and
// then tells the listener which button, with the caller's id. It is no
// screen of the screen stack.
//
// The box: the group "messagebox" at (271, 199), relative z 9999 in the
// display root, built from "//textures/menu/messagebox_layout.txt" (its
// textures under "//textures/menu"): the sprite "background" and the
// buttons "buttons.ok", "buttons.cancel", "buttons.yes" and "buttons.no".
// Text in "TW_CEN_MT16", wrapped at 200 pixels: a single text is centred in
// the 257-pixel box at y 75 when narrower than 200, else starts at (25, 30);
// several lines stand 25 apart from y 40, centred likewise, a wide one at
// x 25 (the first of them at (25, 30)).
//
// Showing a box while one is up closes the first without a word to its
// listener.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"

class MGIMessageBoxListener;
class VoButton;
class VoDisplayGroup;
class VoIFont;
class VoPropertyList;
class VoTextArea;
class VoVectorString;

class MGMessageBox : public VoBase, public VoIButtonListener, public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "MGMessageBox creation failure.";
    static constexpr const char* kLayoutFailure = "Failure creating list from file: ";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/messagebox_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/menu";
    static constexpr const char16_t* kFont = u"TW_CEN_MT16";
    static constexpr const char16_t* kGroupId = u"messagebox";
    static constexpr const char16_t* kTextId = u"msgbox_text";

    static constexpr int kOk = 0;
    static constexpr int kOkCancel = 1;
    static constexpr int kYesNo = 2;

    static constexpr float kX = 271.0f;
    static constexpr float kY = 199.0f;
    static constexpr float kRelativeZ = 9999.0f;
    static constexpr float kOkX = 86.0f;
    static constexpr float kOkY = 162.0f;
    static constexpr float kBoxWidth = 257.0f;
    static constexpr float kTextWidth = 200.0f;
    static constexpr float kWideX = 25.0f;
    static constexpr float kWideY = 30.0f;
    static constexpr float kNarrowY = 75.0f;
    static constexpr float kFirstLineY = 40.0f;
    static constexpr float kLineStep = 25.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGMessageBox* GetInstance();

    // Takes its font.
    MGMessageBox();
    MGMessageBox(const MGMessageBox&) = delete;
    MGMessageBox& operator=(const MGMessageBox&) = delete;
    // Closes a box that is up, without telling its listener.
    ~MGMessageBox() override;

    // aKind: kOk, kOkCancel or kYesNo. The listener (not owned) may be null.
    void Show(const VoString& aId, const VoString& aText, int aKind, MGIMessageBoxListener* apListener);
    void Show(const VoString& aId, const VoVectorString& aLines, int aKind, MGIMessageBoxListener* apListener);

    // A click on a button closes the box and tells the listener.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // Passed on to the buttons; moves also to the engine cursor.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

    bool IsShown() const { return fpGroup != nullptr; }
    // The box (owned); null while none is up.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    VoButton* GetFirstButton() const { return fpFirst; }
    VoButton* GetSecondButton() const { return fpSecond; }

    VoString ToString() const override;

private:
    // Steps 1 to 4 of a Show: the listener, the lock, the group with the
    // background and the buttons. False when no group could be made.
    bool Open(const VoString& aId, int aKind, MGIMessageBoxListener* apListener);
    VoButton* AddButton(VoPropertyList* apLayout, const char16_t* apPath);
    VoTextArea* AddText(const VoString& aId, const VoString& aText, float aX, float aY);
    // Puts the box in the display root and turns the scene's input off.
    void Present();
    // Takes the box away; the scene's input comes back unless the PDA is open.
    void Close();
    float WidthOf(const VoString& aText) const;

    VoString fId;
    MGIMessageBoxListener* fpListener;  // not owned
    VoDisplayGroup* fpGroup;            // owned; a member of the display root while up
    VoButton* fpFirst;                  // owned by fpGroup
    VoButton* fpSecond;                 // owned by fpGroup
    VoTextArea* fpText;                 // owned by fpGroup (the single-text form)
    VoIFont* fpFont;                    // not owned: the font manager's
    VoString fText;
    bool fMouseLocked;
    int fBoxCount;  // boxes closed so far
};
