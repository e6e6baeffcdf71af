#pragma once
// The one subtitle box of the game: a main line of text and an optional
// second line below it, shown over everything at the bottom of the screen
// by interviews, voice-overs and cut-scenes (group "subtitle" at relative z
// 1100 in the display root; callers place it).
//
// For now the box shows and hides at once; its background band and fades
// come with the interviews.
#include "gdi/VoDisplayGroup.h"

class VoIFont;
class VoTextArea;

class MGSubtitle : public VoDisplayGroup {
public:
    static constexpr const char* kCreationFailure = "MGSubtitle creation failure.";
    static constexpr const char16_t* kId = u"subtitle";
    static constexpr const char16_t* kMainId = u"subtitle";
    static constexpr const char16_t* kAppendedId = u"subtitle_appended";
    static constexpr float kRelativeZ = 1100.0f;
    static constexpr float kTextWidth = 760.0f;
    static constexpr float kAppendedY = 40.0f;

    // Created on first use, hidden, in the display root, and owned by the
    // game's cleaner; null when it cannot be created.
    static MGSubtitle* GetInstance();

    MGSubtitle();

    // Replaces both lines by one main line in the font (not owned).
    void SetText(const VoString& aText, VoIFont* apFont);
    // Replaces the second line; the main line stays.
    void AppendText(const VoString& aText, VoIFont* apFont);
    // Nothing while subtitles are switched off (option 0).
    void Show();
    void Hide();
    void HideImmediately();
    bool IsVisible() const { return fVisible; }

    VoTextArea* GetMainText() const { return fpMain; }
    VoTextArea* GetAppendedText() const { return fpAppended; }

    VoString ToString() const override;

private:
    // A new text area in the box, replacing *appArea.
    void Replace(VoTextArea** appArea, const char16_t* apId, const VoString& aText, VoIFont* apFont, float aY);

    VoTextArea* fpMain;      // owned by the group, may be null
    VoTextArea* fpAppended;  // owned by the group, may be null
    bool fVisible;
};
