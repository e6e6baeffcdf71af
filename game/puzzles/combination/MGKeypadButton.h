#pragma once
// One key of the combination lock's keypad. Its layout entry gives "id" (the
// key entered, or "clear" or "enter"), "position" (x|y), "activearea" (a
// polygon "x|y|x|y|..." in screen coordinates, edges inside) and "sprite"
// (the pressed look). A key counts when pressed inside its area and released
// anywhere: it then tells its puzzle (MGCombinationLockPuzzle::OnKey). A key
// without "sprite" takes no input.
#include "gdi/VoDisplayGroup.h"
#include "platform/VoIMouseListener.h"
#include "puzzles/MGPuzzleVoice.h"

class MGCombinationLockPuzzle;
class VoPolygon;
class VoPropertyList;

class MGKeypadButton : public VoDisplayGroup, public VoIMouseListener {
public:
    static constexpr const char16_t* kClickStream = u"button_press";
    static constexpr const char16_t* kClickSound = u"//dataroot/sounds/blip.wav";
    static constexpr float kMouseOrder = 0.0f;

    MGKeypadButton();
    // Leaves the mouse; deletes its area and its click.
    ~MGKeypadButton() override;

    // False, the key unusable, without "id", "position" (two numbers) or
    // "activearea". apOwner is not owned and outlives the key.
    bool Create(VoPropertyList* apEntry, MGCombinationLockPuzzle* apOwner);

    bool IsPressed() const;
    // Owned; null before Create.
    const VoPolygon* GetActiveArea() const { return fpArea; }

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int aButton) override;

    VoString ToString() const override;

private:
    MGCombinationLockPuzzle* fpOwner;  // not owned
    VoIDisplayObject* fpPressed;       // a member; null without "sprite"
    VoPolygon* fpArea;                 // owned, screen coordinates
    MGPuzzleVoice fClick;              // the key's own click sound
    bool fInMouse;                     // registered with the engine mouse
};
