#pragma once
// The application the main program runs until the game's screens arrive: one
// screen built in code from the engine's 2D parts. A background picture, a
// title and a paragraph in sample fonts, a button that lights up under the
// pointer with a tooltip that fades in beside it, and the engine cursor.
// Input goes to the engine mouse and keyboard as the game's application
// will forward it; Escape ends the loop, as closing the window does.
//
// Each frame: the rasterizer clears the back buffer, the frame manager runs
// its listeners (the tooltip's fade) and the display manager draws the tree.
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoApp.h"

class VoButton;
class VoTextArea;
class VoToolTip;

class MGSampleApp : public VoApp, public VoIButtonListener {
public:
    static constexpr int kEscape = 1;
    static constexpr const char* kFontsFailure = "MGSampleApp: the sample fonts could not all be created.";
    static constexpr const char* kScreenFailure = "MGSampleApp: the sample screen is incomplete.";
    static constexpr const char16_t* kFontList = u"//dataroot/textures/fonts/fonts.txt";
    static constexpr const char16_t* kFontRoot = u"//dataroot/textures/fonts/";
    static constexpr const char16_t* kButtonId = u"sample_button";
    static constexpr const char16_t* kToolTipId = u"sample_tooltip";

    MGSampleApp() = default;
    // Stops listening to the button; the display tree is the display manager's.
    ~MGSampleApp() override;

    // Creates the cursor and the fonts, then builds the screen.
    bool Init() override;
    bool Frame() override;
    bool OnMouseDown(const VoString& aDevice, int aButton) override;
    bool OnMouseUp(const VoString& aDevice, int aButton) override;
    // "mouse": the point is kept on the 800 x 600 screen (in place, so the
    // device's accumulation stays there too) and given to the engine mouse;
    // "wheel": the change since the last report.
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override;
    bool OnKeyDown(int aKey) override;
    bool OnKeyUp(int aKey) override;

    // The button: the tooltip fades in while the pointer is on it; a click
    // counts in the status line.
    void OnButtonEvent(const VoString& aId, int aCode) override;

private:
    bool BuildCursor();
    bool BuildBackground();
    bool BuildTexts();
    bool BuildButton();
    bool BuildToolTip();
    void ShowClicks();

    VoButton* fpButton = nullptr;    // not owned: the display root's
    VoToolTip* fpToolTip = nullptr;  // not owned: the display root's
    VoTextArea* fpStatus = nullptr;  // not owned: the display root's
    int fClicks = 0;
    float fLastWheel = 0.0f;
};
