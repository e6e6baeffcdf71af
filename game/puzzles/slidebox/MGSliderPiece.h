#pragma once
// One sliding bar of the slide box (MGSlideBoxPuzzle). It stands at one of
// three stops along its axis: the x stops 18.0, 56.0, 95.0 for a horizontal
// bar, the y stops 98.0, 139.0, 179.0 for a vertical one (positions in the
// puzzle's root group), starting at stop 1. Its two arrow buttons ("up" or
// "left" towards stop 0, "down" or "right" towards stop 2, in any case)
// start a slide of 2.0 units per step, at most one step each 0.025 s,
// until it passes the stop, where it snaps.
//
// Layout entry: "id", "type" ("vertical" in any case, else horizontal),
// "position" (x|y), "solved" (the stop at which it counts as solved),
// "sprites" and "buttons" (its first two entries are the arrows).
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "stdlib/VoIFrameListener.h"

class MGSlideBoxPuzzle;
class VoButton;
class VoDisplayGroup;
class VoPropertyList;

class MGSliderPiece : public VoBase, public VoIButtonListener, public VoIFrameListener {
public:
    static constexpr int kVertical = 0;
    static constexpr int kHorizontal = 1;
    static constexpr int kStopCount = 3;
    static constexpr int kStartStop = 1;
    static constexpr float kXStops[kStopCount] = {18.0f, 56.0f, 95.0f};
    static constexpr float kYStops[kStopCount] = {98.0f, 139.0f, 179.0f};
    static constexpr float kVerticalZ = 20.0f;
    static constexpr float kHorizontalZ = 25.0f;
    static constexpr float kBlend = 0.5f;
    static constexpr float kStep = 2.0f;
    static constexpr double kStepTime = 0.025;
    static constexpr int kButtonCount = 2;

    MGSliderPiece();
    MGSliderPiece(const MGSliderPiece&) = delete;
    MGSliderPiece& operator=(const MGSliderPiece&) = delete;
    // Leaves the frame manager and its buttons. The group belongs to the
    // puzzle's root group.
    ~MGSliderPiece() override;

    // Builds the group into the owner's root group. False, nothing built,
    // without "id", "type" or "position".
    bool Create(VoPropertyList* apEntry, MGSlideBoxPuzzle* apOwner);
    bool IsInPlace() const { return fStop == fSolvedStop; }
    void SetButtonsEnabled(bool aEnabled);

    int GetStop() const { return fStop; }
    int GetSolvedStop() const { return fSolvedStop; }
    int GetOrientation() const { return fOrientation; }
    bool IsMoving() const { return fInFrames; }
    // Owned by the puzzle's root group; null before Create.
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnUpdate() override;

    VoString ToString() const override;

private:
    float StopCoordinate() const;

    VoDisplayGroup* fpGroup;    // owned by the puzzle's root group
    MGSlideBoxPuzzle* fpOwner;  // not owned
    int fOrientation;
    float fStep;
    double fLastStepTime;
    int fStop;
    VoButton* fpButtons[kButtonCount];  // members of fpGroup; null where not built
    int fSolvedStop;
    bool fInFrames;  // registered with the frame manager: sliding
};
