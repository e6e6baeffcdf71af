#pragma once
// One dial of the PO box lock (MGPOBoxPuzzle): a digit 0 to 9 shown by the
// dial face turned by digit x -36.0 degrees; a click on its button turns it
// one step (9 to 0). Layout entry: "id", "position" (x|y), "sprite" (the
// face, whose "center" should be its middle) and "button".
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"

class MGPOBoxPuzzle;
class VoButton;
class VoDisplayGroup;
class VoIDisplayObject;
class VoPropertyList;

class MGPOBoxDial : public VoBase, public VoIButtonListener {
public:
    static constexpr float kDegreesPerDigit = -36.0f;
    static constexpr int kDigits = 10;

    MGPOBoxDial();
    MGPOBoxDial(const MGPOBoxDial&) = delete;
    MGPOBoxDial& operator=(const MGPOBoxDial&) = delete;
    // Leaves its button. The group is not the dial's: delete the dial first.
    ~MGPOBoxDial() override;

    // Builds the dial's group (the caller adds it to its group). False
    // without an "id" (nothing built).
    bool Create(VoPropertyList* apEntry, MGPOBoxPuzzle* apPuzzle);
    // Shows the digit (0 above 9), then has the puzzle check.
    void SetDigit(int aDigit);
    int GetDigit() const { return fDigit; }
    // Null before Create.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // The face; null when it was not built.
    VoIDisplayObject* GetFace() const { return fpFace; }

    void OnButtonEvent(const VoString& aId, int aCode) override;

    VoString ToString() const override;

private:
    void ShowDigit(int aDigit);

    VoDisplayGroup* fpGroup;   // not owned: the puzzle's tree holds it
    VoIDisplayObject* fpFace;  // a member of fpGroup, or null
    VoButton* fpButton;        // a member of fpGroup, or null
    MGPOBoxPuzzle* fpPuzzle;   // not owned
    int fDigit;
};
