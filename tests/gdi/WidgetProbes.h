#pragma once
// What the widget tests share: a look that draws only while effectively
// active and visible (as every drawable does), and a timer the test sets.
#include <cstdint>

#include "DisplayProbe.h"
#include "geometry/VoRectangle.h"
#include "support/SetTimer.h"

class Look : public ProbeObject2D {
public:
    // With a hit boundary of aWidth x aHeight from its origin when given.
    explicit Look(const char* apId, Journal* apJournal = nullptr, float aWidth = 0.0f, float aHeight = 0.0f)
        : ProbeObject2D(apId, apJournal) {
        if (aWidth > 0.0f) {
            SetBoundary(VoRectangle(0.0f, 0.0f, aWidth, aHeight));
        }
    }
    bool Render(VoRenderer* apRenderer) override {
        Validate();
        return !GetEffectiveActive() || !GetEffectiveVisible() || ProbeObject2D::Render(apRenderer);
    }
};
