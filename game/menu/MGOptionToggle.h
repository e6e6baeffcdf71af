#pragma once
// One on/off choice of the options screen: two engine buttons in a group of
// their own, the "on" button (id "on", any case) and the "off" button (any
// other id), one of them highlighted. Value 0 is on, 1 off.
//
// Its description is a section with "id" (the group's id) and two button
// descriptions (VoLayoutBuilder::BuildButton), the "on" button's first. A
// section without "id" is logged; the toggle still works but its group
// cannot join the screen.
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"

class VoButton;
class VoDisplayGroup;
class VoPropertyList;

class MGOptionToggle : public VoBase, public VoIButtonListener {
public:
    static constexpr int kOn = 0;
    static constexpr int kOff = 1;

    MGOptionToggle() = default;
    MGOptionToggle(const MGOptionToggle&) = delete;
    MGOptionToggle& operator=(const MGOptionToggle&) = delete;
    // Deletes the group when the parent did not take it. A group in the
    // parent goes with the parent, which must go first: its buttons tell
    // the toggle of their clicks.
    ~MGOptionToggle() override;

    // Builds the group and its two buttons (the toggle their listener), adds
    // the group to the parent and starts at value 0. True.
    bool Load(VoPropertyList* apNode, VoDisplayGroup* apParent);
    // 0 highlights "on" and not "off", 1 the reverse; another value is kept
    // without touching the buttons.
    void SetValue(int aValue);
    int GetValue() const { return fValue; }
    VoButton* GetOnButton() const { return fpOn; }
    VoButton* GetOffButton() const { return fpOff; }
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    // A click on "on" sets 0, on any other button 1.
    void OnButtonEvent(const VoString& aId, int aCode) override;

    VoString ToString() const override;

private:
    int fValue = kOn;
    VoButton* fpOn = nullptr;           // owned by fpGroup
    VoButton* fpOff = nullptr;          // owned by fpGroup
    VoDisplayGroup* fpGroup = nullptr;  // owned by the parent once added, else by the toggle
    bool fInParent = false;
};
