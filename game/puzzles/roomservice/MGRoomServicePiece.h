#pragma once
// One torn fragment of the room service receipt (MGRoomServicePuzzle): a
// display group holding the fragment's sprite, which turns about the
// fragment's centre. The fragment keeps its total turn in degrees, never
// brought back into 0..360, and an outline for its clicks that is its base
// outline turned by that total; while the player turns it, only the sprite
// shows the live angle until the turn is made permanent.
//
// Layout entry: "id", "center" (x|y in the fragment, default 0|0), "solved"
// (dx|dy from the first fragment in the whole receipt, of which only the
// length counts), "polygon" (x|y|x|y|..., the outline in the fragment's own
// coordinates) and "sprite".
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoVector2.h"

class VoPolygon;
class VoPropertyList;
class VoSprite;

class MGRoomServicePiece : public VoDisplayGroup {
public:
    static constexpr const char* kNoBoundary = "Create failure.";
    static constexpr float kDegreesToRadians = 0.017453292f;
    // How far a turn and a distance may be off and still count as in place.
    static constexpr int kAngleTolerance = 20;
    static constexpr float kDistanceTolerance = 20.0f;

    MGRoomServicePiece();
    MGRoomServicePiece(const MGRoomServicePiece&) = delete;
    MGRoomServicePiece& operator=(const MGRoomServicePiece&) = delete;
    // The group deletes the sprite; the fragment its outlines.
    ~MGRoomServicePiece() override;

    // Builds the fragment from its entry. True; a missing sprite or outline
    // is logged and leaves the fragment without its picture or size.
    bool Create(VoPropertyList* apEntry);

    // The world position plus the centre.
    VoVector2 GetWorldCenter();
    // Whether the screen point hits the outline (edges included; without an
    // outline, the group's own hit test); a hit records the grab offset.
    bool Grab(const VoVector2& aPoint);
    // Follows the mouse by the grab offset, each axis only while the
    // fragment stays strictly inside the 800 x 600 screen.
    void DragTo(const VoVector2& aMouse);
    // Shows the sprite turned by aDegrees more than the total turn.
    void ShowTurn(float aDegrees);
    // Adds aDegrees to the total turn and turns the outline with it.
    void Turn(float aDegrees);
    // Turned like the reference (the difference, taken modulo 360 after
    // cutting it to whole degrees, or 360 less it, at most 20) and at the
    // solved distance from the reference's centre within 20.0, in any
    // direction.
    bool IsInPlace(float aReferenceX, float aReferenceY, float aReferenceRotation);

    float GetTurn() const { return fRotation; }
    float GetSolvedDistance() const { return fSolvedDistance; }
    float GetWidth() const { return fWidth; }
    float GetHeight() const { return fHeight; }
    const VoVector2& GetCentre() const { return fCentre; }
    // Owned; null without a "polygon".
    const VoPolygon* GetHitPolygon() const { return fpHitPolygon; }
    // A member of the fragment; null when it could not be built.
    VoSprite* GetSprite() const { return fpSprite; }

    VoString ToString() const override;

private:
    VoVector2 fGrabOffset;
    VoSprite* fpSprite;  // a member of the group
    VoVector2 fCentre;
    float fRotation;
    VoPolygon* fpHitPolygon;   // owned
    VoPolygon* fpBasePolygon;  // owned
    float fSolvedDistance;
    float fWidth;
    float fHeight;
};
