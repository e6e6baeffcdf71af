#pragma once
// The switch panel of one surveillance tape (MGSurveillanceTapePuzzle): a
// group at relative z 150.0 with three switches, each an "on" and an "off"
// picture that take clicks on 199.0 x 19.0 from their own corner. At most
// one switch is on: clicking another moves the choice, clicking the one
// that is on turns it off. A locked panel (its tape is tracked) shows every
// switch off and ignores clicks.
//
// The panel listens to the mouse (order 0.0) only while it is shown, and
// knows whether it does, so it neither registers twice nor removes what it
// never registered; it leaves the mouse when it is deleted.
//
// Tape entry: "id" and "position" (x|y); the switch list, shared by the six
// panels: three entries with an "on" and an "off" sprite each.
#include "container/VoBase.h"
#include "platform/VoIMouseListener.h"

class MGSurveillanceTapePuzzle;
class VoDisplayGroup;
class VoPropertyList;
class VoSprite;

class MGSurveillanceTapeControl : public VoBase, public VoIMouseListener {
public:
    static constexpr int kSwitchCount = 3;
    static constexpr int kNone = -1;
    static constexpr float kRelativeZ = 150.0f;
    static constexpr float kSwitchWidth = 199.0f;
    static constexpr float kSwitchHeight = 19.0f;
    static constexpr float kMouseOrder = 0.0f;

    MGSurveillanceTapeControl();
    MGSurveillanceTapeControl(const MGSurveillanceTapeControl&) = delete;
    MGSurveillanceTapeControl& operator=(const MGSurveillanceTapeControl&) = delete;
    // Leaves the mouse when it listens. The group is not the panel's.
    ~MGSurveillanceTapeControl() override;

    // Builds the panel's group (the caller adds it to its group). False,
    // nothing built, when the group cannot be made; a switch without its
    // pictures is logged and left out.
    bool Create(MGSurveillanceTapePuzzle* apPuzzle, VoPropertyList* apTape, VoPropertyList* apSwitches);
    // Shown with every switch off and none chosen; listening.
    void Show();
    // Hidden, every picture too; deaf.
    void Hide();
    // Tracked: none chosen, shown with every switch off, clicks ignored.
    void Lock();

    // The switch that is on, or kNone.
    int GetSelected() const { return fSelected; }
    bool IsLocked() const { return fLocked; }
    bool IsListening() const { return fListening; }
    // Owned by the group it was added to; null before Create.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Whether all three switches were built.
    bool IsComplete() const;
    // Switch 0 to 2's "on" picture (aOn) or "off" picture; null when not built.
    VoSprite* GetSwitch(int aIndex, bool aOn) const;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}

    VoString ToString() const override;

private:
    void Listen(bool aListen);
    void ShowSwitch(int aIndex, bool aOn);
    void AllOff();

    VoDisplayGroup* fpGroup;             // owned by the puzzle's root group once added
    MGSurveillanceTapePuzzle* fpPuzzle;  // not owned
    int fSelected;
    bool fLocked;
    VoSprite* fpOn[kSwitchCount];   // members of fpGroup, null where not built
    VoSprite* fpOff[kSwitchCount];  // members of fpGroup, null where not built
    bool fListening;
};
