#pragma once
// The one-line text entry on which the player types a saved game's
// description. It takes letters, digits and spaces (capitals with a shift
// key down), refuses a character that would make the text wider than the
// field (a text exactly as wide fits), deletes with backspace and ignores
// every other key. While it has the focus a caret at the end of the text
// blinks every half second.
//
// Members: the text area "savefieldtext" (line height 19) and the caret
// sprite "cursor": the texture "savefield_cursor", or, the first time, the
// image "//textures/white.bmp" filed under that name, scaled 0.25 x 2.
//
// The field takes the focus from SetFocus or a press strictly inside its box
// (position to position + size); only SetFocus(false) takes it away.
#include "container/VoString.h"
#include "gdi/VoDisplayGroup.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoIFont;
class VoSprite;
class VoTextArea;

class MGSaveField : public VoDisplayGroup,
                    public VoIMouseListener,
                    public VoIKeyboardListener,
                    public VoIFrameListener {
public:
    static constexpr const char16_t* kTextId = u"savefieldtext";
    static constexpr const char16_t* kCaretId = u"cursor";
    static constexpr const char16_t* kCaretTexture = u"savefield_cursor";
    static constexpr const char16_t* kCaretImage = u"//textures/white.bmp";
    static constexpr float kLineHeight = 19.0f;
    static constexpr float kCaretScaleX = 0.25f;
    static constexpr float kCaretScaleY = 2.0f;
    static constexpr float kBlinkTime = 0.5f;
    static constexpr float kOrder = 0.0f;
    static constexpr char kBackspace = 8;

    MGSaveField();
    MGSaveField(const MGSaveField&) = delete;
    MGSaveField& operator=(const MGSaveField&) = delete;
    // Drops the focus and leaves the mouse, the keyboard and the frames.
    ~MGSaveField() override;

    // The text area and the caret with the font (not owned); then listens to
    // the mouse. A caret image that cannot be read is logged; the caret then
    // shows nothing.
    bool Create(VoIFont* apFont);
    // The click box and the width limit.
    void SetSize(float aWidth, float aHeight);
    VoString GetText() const { return fText; }

    void SetFocus(bool aFocus);
    bool HasFocus() const { return fFocused; }

    VoTextArea* GetTextArea() const { return fpTextArea; }
    VoSprite* GetCaret() const { return fpCaret; }

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}
    void OnUpdate() override;

    VoString ToString() const override;

private:
    void UpdateDisplay();
    static double Now();

    VoString fText;
    VoTextArea* fpTextArea;  // owned by the group as a member
    bool fFocused;
    float fWidth;
    float fHeight;
    VoSprite* fpCaret;  // owned by the group as a member
    double fLastToggle;
    VoIFont* fpFont;   // not owned: the font manager's
    bool fInMouse;     // registered with the engine mouse
    bool fInKeyboard;  // registered with the engine keyboard
    bool fInFrames;    // registered with the frame manager
};
