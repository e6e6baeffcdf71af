#pragma once
// The PDA's minimized bar. Screens that take the whole display hide it on
// entering and show it again on leaving. For now it only keeps whether it
// is shown; the bar itself comes later.
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

    VoString ToString() const override;

private:
    bool fShown = false;
};
