#pragma once
// One torn cigar band of the cigar band puzzle (MGCigarBandPuzzle): a
// display group that owns the band's sprite and follows the mouse while the
// player drags it. Its layout entry gives "id", "x", "y", "z", an optional
// "polygon" (numbers "x|y|x|y|..." taken in pairs, relative to the piece's
// position) that takes the clicks in place of the sprite's outline, and the
// "sprite" node.
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoVector2.h"

class VoPolygon;
class VoPropertyList;

class MGCigarBandPiece : public VoDisplayGroup {
public:
    static constexpr const char* kBuildSpriteFailed = "BuildSprite failed";
    static constexpr const char* kNoBoundary = "Create failure.";

    MGCigarBandPiece();
    // The group deletes the sprite; the piece its hit polygon.
    ~MGCigarBandPiece() override;

    // Builds the piece from its entry. False only without an "id" (the
    // piece could not join a group); a piece whose sprite fails has no size
    // and no outline.
    bool Create(VoPropertyList* apEntry);
    // Whether the screen point hits the piece (its polygon, else its own hit
    // test); a hit records the offset from the point to the piece.
    bool Grab(const VoVector2& aPoint);
    // Follows the mouse by the recorded offset, each axis only while the
    // piece stays strictly inside the 800 x 600 screen.
    void DragTo(const VoVector2& aMouse);

    float GetWidth() const { return fWidth; }
    float GetHeight() const { return fHeight; }
    // Owned; null without a "polygon".
    const VoPolygon* GetHitPolygon() const { return fpHitPolygon; }

    VoString ToString() const override;

private:
    VoVector2 fDragOffset;
    VoPolygon* fpHitPolygon;  // owned
    float fWidth;
    float fHeight;
};
