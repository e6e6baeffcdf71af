#pragma once
// The game's one subtitle box: a dark band across the screen with a main
// line of text and an optional appended line 40 below it, faded in and out.
// Interview sequences fill it line by line; voice-overs, close-ups, the
// cut-scene player, the phone and the puzzles use the same box. Callers
// place it with SetPosition (voice-overs and cut-scenes at (0, 500)).
//
// The box is the group "subtitle" in the display root: "bkgGroup" with the
// sprite "bgSprite" ("//textures/subtitleBG.tga" scaled by 50 x 6.25, so a
// 16 x 16 picture covers 800 x 100) and "textGroup" at (20, 10) holding the
// text areas "subtitle" and "subtitle_appended" (760 wide, word-wrapped,
// lines 20 apart). Two faders of 0.3 s fade the background to 0.4 and the
// text to 1.0; the text fader's end decides visibility:
//
//     hidden -> Show -> fading in (shown) -> visible -> Hide -> fading out -> hidden
//
// IsVisible is true only once a fade ends while shown. A Hide during the
// fade-in does not restart the faders: they turn round, and the box goes
// invisible when the running fade ends.
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFader.h"
#include "gdi/VoIFaderListener.h"

class VoIFont;
class VoTextArea;

class MGSubtitle : public VoDisplayGroup, public VoIFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGSubtitle creation failure.";
    static constexpr const char16_t* kId = u"subtitle";
    static constexpr const char16_t* kBackgroundId = u"bkgGroup";
    static constexpr const char16_t* kBackgroundSpriteId = u"bgSprite";
    static constexpr const char16_t* kBackgroundTexture = u"//textures/subtitleBG.tga";
    static constexpr const char16_t* kTextGroupId = u"textGroup";
    static constexpr const char16_t* kTextId = u"subtitle";
    static constexpr const char16_t* kAppendedId = u"subtitle_appended";
    static constexpr const char16_t* kTextFaderId = u"text";

    static constexpr float kCreatedZ = 1000.0f;
    static constexpr float kShownZ = 1100.0f;
    static constexpr float kBackgroundScaleX = 50.0f;
    static constexpr float kBackgroundScaleY = 6.25f;
    static constexpr float kTextX = 20.0f;
    static constexpr float kTextY = 10.0f;
    static constexpr float kTextWidth = 760.0f;
    static constexpr float kLineHeight = 20.0f;
    static constexpr float kAppendedY = 40.0f;
    static constexpr float kFadeTime = 0.3f;
    static constexpr float kBackgroundBlend = 0.4f;
    static constexpr float kTextBlend = 1.0f;
    // MGOptions' toggle that turns subtitles off.
    static constexpr int kSubtitlesOffOption = 0;

    // Created on first use, in the display root and invisible, owned by the
    // game's cleaner; null (logged) when it cannot be created.
    static MGSubtitle* GetInstance();
    // The box if it exists; never creates.
    static MGSubtitle* PeekInstance();

    MGSubtitle();
    MGSubtitle(const MGSubtitle&) = delete;
    MGSubtitle& operator=(const MGSubtitle&) = delete;
    // Leaves the display root, which would otherwise own it too, then the
    // group deletes its members.
    ~MGSubtitle() override;

    // Replaces both lines by one main line in the font (not owned). A null
    // font gives a text area that draws nothing.
    void SetText(const VoString& aText, VoIFont* apFont);
    // Replaces the appended line; the main line stays.
    void AppendText(const VoString& aText, VoIFont* apFont);
    // Fades the box in from the start; false, nothing done, while the
    // options turn subtitles off.
    bool Show();
    // Fades the box out, or only clears the hold that SkipNextHide set.
    void Hide();
    void HideImmediately();
    bool IsVisible() const { return fVisible; }
    bool IsShown() const { return fShown; }
    // The next Hide is ignored: a caller keeps the box up across a change of line.
    void SkipNextHide() { fHold = true; }

    // The text areas (owned by the text group); null when there is none.
    VoTextArea* GetMainText() const { return fpText; }
    VoTextArea* GetAppendedText() const { return fpAppended; }

    void OnFadeEvent(const VoString& aFaderId, int aCode) override;

    VoString ToString() const override;

private:
    // A new text area in the text group at aY, or null (logged).
    VoTextArea* AddText(const char16_t* apId, const VoString& aText, VoIFont* apFont, float aY);
    // Removes the area from the text group and deletes it; *appArea becomes null.
    void DeleteText(VoTextArea** appArea);
    void StartFade(VoFader& aFader, float aFrom, float aTo, int aDirection);

    VoDisplayGroup* fpBackground;  // owned by this group
    VoDisplayGroup* fpTextGroup;   // owned by this group
    VoTextArea* fpText;            // owned by fpTextGroup; null before the first SetText
    VoTextArea* fpAppended;        // owned by fpTextGroup; null when none
    VoFader fBackgroundFader;
    VoFader fTextFader;
    bool fShown;
    bool fVisible;
    bool fHold;
    bool fInRoot;  // added to the display root
};
