#pragma once
// The five-action menu that opens over a hotspot (look, collect, use,
// analyze, talk).
//
// For now only what the scene asks of it: to be hidden when a scene is made.
#include "container/VoBase.h"

class MGMultiCursor : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGMultiCursor creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGMultiCursor* GetInstance();

    // With aDeactivate the menu also stops listening to the mouse.
    void Hide(bool aDeactivate);
    bool IsShown() const { return fShown; }

    VoString ToString() const override;

private:
    bool fShown = false;
};
