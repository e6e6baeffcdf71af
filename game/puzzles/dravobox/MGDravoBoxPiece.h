#pragma once
// One tile of the Dravo box (MGDravoBoxPuzzle): a group with the tile's id
// at relative z 10.0 holding the sprite "pieceSprite", a cut of the box's
// picture. The tile is a mouse listener of its own (order 0.0): a press on
// it while it is not locked grabs it (the puzzle locks the others and says
// which neighbours are free); a move of more than 3 pixels toward a free
// side chooses the axis (vertical first), after which the tile slides along
// that axis within its limits while the point it was grabbed at trails the
// pointer; the release hands it back to the puzzle, which snaps it.
//
// Layout entry: "id", "texture" (a picture of the puzzle's folder) and
// "texturecoords" (x0|y0|x1|y1, the corners of its cut, both inclusive).
#include "container/VoBase.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"

class MGDravoBoxPuzzle;
class VoDisplayGroup;
class VoPropertyList;
class VoSprite;

class MGDravoBoxPiece : public VoBase, public VoIMouseListener {
public:
    static constexpr const char16_t* kSpriteId = u"pieceSprite";
    static constexpr float kRelativeZ = 10.0f;
    static constexpr float kMouseOrder = 0.0f;
    // A move must go further than this toward a free side to choose an axis.
    static constexpr float kAxisThreshold = 3.0f;
    static constexpr int kHorizontal = 0;
    static constexpr int kVertical = 1;
    static constexpr float kDefaultUpperLimit = 600.0f;
    static constexpr float kDefaultLowerLimit = 0.0f;

    MGDravoBoxPiece();
    MGDravoBoxPiece(const MGDravoBoxPiece&) = delete;
    MGDravoBoxPiece& operator=(const MGDravoBoxPiece&) = delete;
    // Leaves the mouse. The group belongs to the group it was added to.
    ~MGDravoBoxPiece() override;

    // Builds the group and its sprite and starts listening to the mouse.
    // False, nothing built, without an "id"; a missing picture or cut is
    // logged and leaves the tile without its picture.
    bool Create(MGDravoBoxPuzzle* apOwner, VoPropertyList* apEntry);

    void SetFreeDirections(bool aUp, bool aDown, bool aLeft, bool aRight);
    void SetSlideLimits(float aLower, float aUpper);
    void SetCell(int aColumn, int aRow);
    // Ignored while the tile is pressed.
    void SetLocked(bool aLocked);

    // Owned by the group it was added to; null before Create.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    int GetColumn() const { return fColumn; }
    int GetRow() const { return fRow; }
    int GetAxis() const { return fAxis; }
    bool IsPressed() const { return fPressed; }
    bool IsLocked() const { return fLocked; }
    bool HasAxis() const { return fAxisChosen; }
    float GetLowerLimit() const { return fLowerLimit; }
    float GetUpperLimit() const { return fUpperLimit; }

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

    VoString ToString() const override;

private:
    void ChooseAxis(const VoVector2& aMouse);
    void Slide(const VoVector2& aMouse);

    MGDravoBoxPuzzle* fpOwner;  // not owned
    VoDisplayGroup* fpGroup;    // owned by the puzzle's root group once added
    VoSprite* fpSprite;         // a member of fpGroup
    bool fPressed;
    bool fAxisChosen;
    bool fLocked;
    int fColumn;
    int fRow;
    bool fFreeUp;
    bool fFreeDown;
    bool fFreeLeft;
    bool fFreeRight;
    VoVector2 fGrabOffset;
    VoVector2 fLast;
    VoVector2 fPress;
    int fAxis;
    float fUpperLimit;
    float fLowerLimit;
    bool fInMouse;  // registered with the engine mouse
};
