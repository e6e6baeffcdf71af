#pragma once
// The display object that shows text: captions, subtitles, descriptions,
// tooltips. It breaks its text into lines that fit its width (with word
// wrap on) and draws them one below the other with a font of the font
// manager, from its world position down, at the left edge.
//
// Line breaking (LayoutLines) uses three sets of break characters:
//   - dropped (space and tab): a line may end at one; the character belongs
//     to neither line;
//   - kept ("-/\\"): a line may end after one, which stays on the line;
//   - extra (none at first): like the kept ones, and one may also stand just
//     past the width at the end of a line.
// A word that does not fit and has no break before it is laid out one
// character per line until its rest fits.
//
// The layout is lazy: the setters of the text, width, word wrap and
// multi-line mark it dirty and the next Render lays it out again. Fonts are
// shared: Render lends the font the area's blend and gives it back.
#include "container/VoString.h"
#include "container/VoVectorString.h"
#include "gdi/VoIDisplayObject.h"

class VoIFont;
class VoRectangle;

class VoTextArea : public VoIDisplayObject {
public:
    static constexpr const char* kCreateNull = "Create failure. NULL arg.";
    static constexpr const char* kCreateFontNotFound = "Create failure. Font not found.";
    static constexpr const char* kSetHeightNYI = "SetHeight not yet implemented.";
    static constexpr const char* kRenderDeadlock = "Render failure. Probable deadlock.";

    static constexpr float kDefaultWidth = 100.0f;
    static constexpr const char16_t* kDefaultDroppedBreaks = u" \t";
    static constexpr const char16_t* kDefaultKeptBreaks = u"-/\\";

    // Empty text, no lines, empty break sets, no font: Create must follow.
    VoTextArea();
    // Frees the text and lines; the font is the font manager's.
    ~VoTextArea() override;

    VoString ToString() const override;

    // Lays the lines out if need be and draws them with the font at the
    // area's effective blend. True without drawing while not effectively
    // active or visible, and without a font. False, logged as a probable
    // deadlock, when the layout ends on an empty line, and when the font
    // cannot draw a line.
    bool Render(VoRenderer* apRenderer) override;

    // Takes the font (not owned): word wrap and multi-line off, width 100,
    // the default break sets, height and line height the font's character
    // height times the area's own vertical scale. Null changes nothing.
    bool Create(VoIFont* apFont);
    // The font of that id in the font manager.
    bool Create(const VoString& aFontId);

    // Where the text is drawn: x, y the world position (screen orientation,
    // which lies the centre away from the position), the width and the
    // height fields.
    VoRectangle GetWorldBounds();
    // The same within the group's frame.
    VoRectangle GetBounds();

    virtual bool AppendText(const char16_t* apText);
    virtual bool AppendText(const VoString& aText);
    // Leaves the layout alone: the lines laid out before stay until the next
    // change that marks it dirty.
    virtual bool ClearText();
    virtual VoIFont* GetFont() const { return fpFont; }
    virtual float GetHeight() const { return fHeight; }
    virtual float GetLineHeight() const { return fLineHeight; }
    virtual VoString GetText() const { return fText; }
    virtual bool GetText(VoString& aOut) const;
    // The laid-out lines times the line height.
    virtual float GetLinesHeight() const;
    virtual float GetWidth() const { return fWidth; }
    // Breaks the text into lines when it is dirty. Word wrap off: one line
    // holding the whole text. False when a line comes out empty (an empty
    // text, or a dropped break character where a line begins): the lines
    // made so far stay and the layout counts as done.
    virtual bool LayoutLines();
    // The three setters leave the layout as it is.
    virtual bool SetDroppedBreakCharacters(const VoString& aCharacters);
    virtual bool SetKeptBreakCharacters(const VoString& aCharacters);
    virtual bool SetExtraBreakCharacters(const VoString& aCharacters);
    virtual bool SetWordWrap(bool aWordWrap);
    // Not implemented: logs, changes nothing, false.
    virtual bool SetHeight(float aHeight);
    virtual bool SetLineHeight(float aLineHeight);
    virtual bool SetText(const char16_t* apText);
    virtual bool SetText(const VoString& aText);
    virtual bool SetWidth(float aWidth);
    // Only with multi-line on does the layout go on past the first line.
    virtual bool SetMultiLine(bool aMultiLine);
    // Another name for SetMultiLine, used by screens that say "single line"
    // while passing true for several lines: it never inverts the value.
    bool SetSingleLine(bool aMultiLine) { return SetMultiLine(aMultiLine); }

    bool GetWordWrap() const { return fWordWrap; }
    bool GetMultiLine() const { return fMultiLine; }
    bool IsLayoutDirty() const { return fLayoutDirty; }
    const VoVectorString& GetLines() const { return fLines; }
    const VoString& GetDroppedBreakCharacters() const { return fDroppedBreaks; }
    const VoString& GetKeptBreakCharacters() const { return fKeptBreaks; }
    const VoString& GetExtraBreakCharacters() const { return fExtraBreaks; }

private:
    // The word-wrapped layout; false at an empty line.
    bool LayoutWrapped();
    // The width of one character with the font (0 when it lacks it).
    float CharacterWidth(char16_t aCharacter);

    bool fWordWrap = false;
    bool fMultiLine = false;
    VoIFont* fpFont = nullptr;  // not owned: the font manager's
    float fLineHeight = 0.0f;
    VoString fText;
    float fHeight = 0.0f;
    float fWidth = 0.0f;
    bool fLayoutDirty = false;
    VoVectorString fLines;
    VoString fDroppedBreaks;
    VoString fKeptBreaks;
    VoString fExtraBreaks;
};
