#pragma once
// One fragment of the broken baseball bat (MGBaseballBatPuzzle): a display
// group with four rotations, each a group of its own (its picture, its hit
// outline, its offset from the first fragment in the finished bat and the
// fragment it must lie over, if any), of which one is shown. Fragments are
// built showing rotation 0; nothing in the game turns them.
//
// Layout entry: "id", "width", "height" and "rotations", four entries in
// order, each a group node with "polygon" (x|y|x|y|..., the outline in the
// fragment's coordinates), "solvedpos" (dx|dy from "piece1") and an
// optional "overpiece" (n: this fragment lies over "piece" + n).
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoVector2.h"

class VoPropertyList;

class MGBaseballPiece : public VoDisplayGroup {
public:
    static constexpr int kRotationCount = 4;
    static constexpr float kTolerance = 20.0f;
    static constexpr int kNoPiece = -1;

    MGBaseballPiece();
    MGBaseballPiece(const MGBaseballPiece&) = delete;
    MGBaseballPiece& operator=(const MGBaseballPiece&) = delete;
    // The rotation groups go with the group.
    ~MGBaseballPiece() override;

    // Builds the fragment. True; a missing id is logged, and a fragment
    // that lacks one of its four rotations is incomplete (IsComplete).
    bool Create(VoPropertyList* apEntry);
    // Whether the current rotation's outline holds the screen point; a hit
    // records the grab offset.
    bool Grab(const VoVector2& aPoint);
    // Follows the mouse by the grab offset, anywhere.
    void DragTo(const VoVector2& aMouse);
    // Shows the next rotation (after 3 comes 0).
    void NextRotation();
    // Within 20.0 on each axis of the reference's position plus the current
    // rotation's offset.
    bool IsAtSolvedPos(const VoVector2& aReference);

    // All four rotations were built.
    bool IsComplete() const { return fComplete; }
    int GetRotation() const { return fRotation; }
    // The fragment the current rotation must lie over, or kNoPiece.
    int GetOverPiece() const { return fOverPieces[fRotation]; }
    const VoVector2& GetSolvedPosition(int aRotation) const { return fSolvedPositions[aRotation]; }
    // A member of the fragment; null where it could not be built.
    VoDisplayGroup* GetRotationGroup(int aRotation) const { return fpRotations[aRotation]; }
    float GetWidth() const { return fWidth; }
    float GetHeight() const { return fHeight; }

    VoString ToString() const override;

private:
    VoVector2 fGrabOffset;
    VoDisplayGroup* fpRotations[kRotationCount];  // members of the group
    int fRotation;
    float fWidth;
    float fHeight;
    VoVector2 fSolvedPositions[kRotationCount];
    int fOverPieces[kRotationCount];
    bool fComplete;
};
