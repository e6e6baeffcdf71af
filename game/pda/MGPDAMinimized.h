#pragma once
// The PDA's minimized bar along the screen's edge, shown over a scene.
//
// Until the PDA's screens arrive this only remembers whether the bar is
// shown (placards and cut-scenes hide it, the scene shows it again) and
// opens the PDA when asked to maximize.
#include "container/VoBase.h"

class MGPDAMinimized : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGPDAMinimized creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGPDAMinimized* GetInstance();

    void Show() { fShown = true; }
    void Hide() { fShown = false; }
    bool IsShown() const { return fShown; }
    // Opens the PDA (MGPDA::Open); the animation comes with the bar. False,
    // as the bar's own Maximize answers.
    bool Maximize(bool aAnimate);

    VoString ToString() const override;

private:
    bool fShown = false;
};
