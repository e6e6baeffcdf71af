#pragma once
// One numbered cube of the floor safe (MGFloorSafePuzzle). Its four arrow
// buttons ("up", "down", "left", "right") tell the puzzle, which rolls it
// and its coupled neighbours. A roll moves the face numbers, shows the roll
// picture for more than 0.25 s, then the new top face and, around it, the
// indicators of the four side faces.
//
// Layout entry: "id"; "buttons" (the first four entries); "states" (one
// sprite per face, named by its number, and one per roll picture: old top +
// "_" + new top + "_v" for up, new + "_" + old + "_v" for down, "_h" in the
// same way for left and right); "indicators" (the groups "north", "east",
// "south" and "west", each with the sprites "ind_" + number).
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "stdlib/VoIFrameListener.h"

class MGFloorSafePuzzle;
class VoButton;
class VoDisplayGroup;
class VoIDisplayObject;
class VoPropertyList;

class MGFloorSafeCube : public VoBase, public VoIButtonListener, public VoIFrameListener {
public:
    // The numbers on the six faces.
    struct Faces {
        int top;
        int north;
        int east;
        int south;
        int west;
        int bottom;
    };
    static constexpr Faces kStartFaces = {1, 2, 5, 4, 6, 3};
    static constexpr int kButtonCount = 4;
    static constexpr int kSideCount = 4;
    static constexpr float kRelativeZ = 20.0f;
    static constexpr double kRollTime = 0.25;

    // Rolls the faces in the direction ("up", "down", "left", "right", in any
    // case); false, unchanged, for any other.
    static bool RollFaces(Faces& aFaces, const VoString& aDirection);
    static bool IsDirection(const VoString& aDirection);
    // The roll picture's name for a roll from aOldTop to aNewTop.
    static VoString RollPicture(int aOldTop, int aNewTop, const VoString& aDirection);

    MGFloorSafeCube();
    MGFloorSafeCube(const MGFloorSafeCube&) = delete;
    MGFloorSafeCube& operator=(const MGFloorSafeCube&) = delete;
    // Leaves the frame manager and its buttons. The group is not the cube's:
    // delete the cube before the group.
    ~MGFloorSafeCube() override;

    // Builds the cube's group (the caller adds it to its group). False
    // without an "id" (nothing built).
    bool Create(VoPropertyList* apEntry, MGFloorSafePuzzle* apOwner);
    // Rolls the faces and starts the picture; aCheck has the owner check
    // the solution when the roll ends.
    void Roll(const VoString& aDirection, bool aCheck);
    void SetButtonsEnabled(bool aEnabled);
    void UpdateIndicators();

    const Faces& GetFaces() const { return fFaces; }
    bool IsRolling() const { return fInFrames; }
    // Null before Create.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // The face or roll picture shown, or null.
    VoIDisplayObject* GetShownFace() const { return fpShownFace; }
    // The indicator shown on side 0 north, 1 east, 2 south, 3 west, or null.
    VoIDisplayObject* GetShownIndicator(int aSide) const;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnUpdate() override;

    VoString ToString() const override;

private:
    // Shows the member of that id in place of the shown face.
    void ShowFace(const VoString& aId);

    MGFloorSafePuzzle* fpOwner;                       // not owned
    VoDisplayGroup* fpGroup;                          // not owned: the puzzle's tree holds it
    VoIDisplayObject* fpShownFace;                    // a member of fpGroup, or null
    VoIDisplayObject* fpShownIndicators[kSideCount];  // members of the side groups, or null
    VoButton* fpButtons[kButtonCount];                // members of fpGroup, or null
    Faces fFaces;
    VoString fFaceName;
    double fRollStart;
    bool fCheck;
    bool fInFrames;  // registered with the frame manager: rolling
};
