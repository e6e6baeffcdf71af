#pragma once
// The application the main program runs until the game's own takes its place:
// every frame clears the back buffer to one colour; Escape ends the loop, as
// closing the window does.
#include "container/VoColor.h"
#include "platform/VoApp.h"

class MGClearApp : public VoApp {
public:
    static constexpr int kEscape = 1;

    explicit MGClearApp(const VoColor& aColor) : fColor(aColor) {}

    bool OnKeyDown(int aKey) override;
    bool Frame() override;

private:
    VoColor fColor;
};
