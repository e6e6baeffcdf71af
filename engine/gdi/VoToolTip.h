#pragma once
// A small text box with an optional filled and outlined background that
// fades in and out. The tooltip manager (VoToolTipManager) makes tooltips by
// id and puts them in the display manager's root; the game places them,
// sets their text and calls FadeIn and FadeOut.
//
// Display tree: the tooltip (the id given) -> "tooltipgroup" ->
// "tooltiptext" (a text area at (2, 2), one line) and, once a colour is set,
// "tooltip_bg" (a rectangle behind the text, from (0, 0) to the text's width
// + 4 and the font's character height + 4).
//
// A fade runs over the fade length on the engine timer, one step per frame
// from the frame manager. A fade in either direction can be turned round at
// any time: the blend goes back from where it is, without a jump, and takes
// as long to return as it took to get there.
#include "container/VoColor.h"
#include "container/VoString.h"
#include "gdi/VoDisplayGroup.h"
#include "stdlib/VoIFrameListener.h"

class VoIFont;
class VoITimer;
class VoSRectangle;
class VoTextArea;

class VoToolTip : public VoDisplayGroup, public VoIFrameListener {
public:
    static constexpr const char* kCreateTwice = "Create failure. Already created.";
    static constexpr const char* kSetFadeLengthFading = "SetFadeLength failure. Currently fading.";
    static constexpr const char* kFadeInTwice = "FadeIn failure. Already fading in.";
    static constexpr const char* kFadeOutTwice = "FadeOut failure. Already fading out.";
    static constexpr const char* kLogicError = "Logic error! Invalid code path.";
    static constexpr const char* kFrameManagerAdd = "Could not join the frame manager.";

    static constexpr const char16_t* kGroupId = u"tooltipgroup";
    static constexpr const char16_t* kTextId = u"tooltiptext";
    static constexpr const char16_t* kBackgroundId = u"tooltip_bg";

    static constexpr float kDefaultFadeLength = 0.25f;
    static constexpr float kLineHeight = 28.0f;
    // The text's inset in the background, on each side.
    static constexpr float kTextInset = 2.0f;
    static constexpr float kBackgroundZ = -10.0f;
    // The frame-manager order of a running fade.
    static constexpr float kFrameOrder = 0.0f;

    // On the engine timer. Empty until Create.
    VoToolTip();
    // On apTimer (not owned, outlives the tooltip) instead.
    explicit VoToolTip(VoITimer* apTimer);
    // Leaves the frame manager and the tooltip manager's list (only when it
    // lists this very tooltip); the group then deletes "tooltipgroup".
    ~VoToolTip() override;

    // Builds "tooltipgroup" with the text area in the font (not owned: the
    // font manager's). The result of adding the group to the tooltip; a
    // second Create is refused.
    bool Create(VoIFont* apFont);
    // Resizes the background, when there is one, to the new text. True.
    bool SetText(const VoString& aText);
    // Make the background when it is missing, then fill it or outline it. True.
    bool SetBackgroundColor(const VoColor& aColor);
    bool SetBorderColor(const VoColor& aColor);
    // Refused while fading.
    bool SetFadeLength(float aSeconds);
    // Shows the tooltip and raises its blend to 1 over the fade length, or
    // turns a fade-out round. False while already fading in.
    bool FadeIn();
    // Lowers the blend to 0 over the fade length and then hides the
    // tooltip, or turns a fade-in round. True and nothing done while the
    // tooltip is not effectively visible; false while already fading out.
    bool FadeOut();
    // Ends every fade and hides the tooltip at once; the blend stays.
    void Hide();
    // One fade step.
    void OnUpdate() override;

    const VoString& GetText() const { return fText; }
    float GetFadeLength() const { return fFadeLength; }
    bool IsFadingIn() const { return fFadingIn; }
    bool IsFadingOut() const { return fFadingOut; }
    VoIFont* GetFont() const { return fpFont; }
    // Members of the tooltip's tree; null until made.
    VoDisplayGroup* GetInnerGroup() const { return fpGroup; }
    VoTextArea* GetTextArea() const { return fpTextArea; }
    VoSRectangle* GetBackground() const { return fpBackground; }

private:
    // The text area in "tooltipgroup".
    bool CreateText(VoIFont* apFont);
    // "tooltip_bg" in "tooltipgroup" when missing; false when it cannot be made.
    bool EnsureBackground();
    // The background's rectangle for the current text.
    void SizeBackground();
    // Turns a running fade round at now: it ends as far from now as it had
    // run, and keeps its length.
    void Reverse(double aNow);
    void JoinFrames();
    void LeaveFrames();
    double Now() const;

    VoDisplayGroup* fpGroup;  // owned, as our member
    VoTextArea* fpTextArea;   // owned by fpGroup
    VoIFont* fpFont;          // not owned
    VoString fText;
    float fBlend;
    // Seconds of the timer, kept whole (see VoFader).
    double fFadeStart;
    float fFadeLength;
    double fFadeEnd;
    bool fFadingIn;
    bool fFadingOut;
    VoITimer* fpTimer;           // not owned
    VoSRectangle* fpBackground;  // owned by fpGroup
    bool fInFrames;              // registered with the frame manager
};
