#pragma once
// The engine's 3D character: a node that owns exactly one draw element (a
// skinned model loaded from a mesh file), an idle animation and a table of
// move animations with their speeds, the stencil shadow volumes of its
// skinned meshes (kept in a ".lisv" cache file), an optional steering that
// walks it over the ground and an optional lip-sync player. The game's
// character derives from it.
//
// Character file (a property list), the keys the engine reads:
//     mesh=sample_character.lim1     the model under "//meshes/"; a name whose
//                                    last character is "1" is the serialised
//                                    form, any other the raw form
//     type=player                    "player" (any case) marks the player
//     gender=f                       "f" (any case): female; anything else male
//     headtype=ma                    the head's type ("ma" when missing); the
//                                    game builds lip-sync paths from it
//     animations
//         idle
//             0
//                 file=idle.lia1     under "//animations/"; "...1" serialised,
//                                    any other name raw
//         move                       one entry per move animation, 1-based in
//             walk                   the order of the file (1 walk, 2 run, ...)
//                 file=walk.lia1
//                 movespeed=4.0
//
// The character keeps its own visible flag (SetVisible), apart from the
// node's: while it is false every per-frame call answers true and does
// nothing.
#include <cstdint>

#include "character/VoLipSyncNode.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "navigation/VoISteeredCharacter.h"

class VoAnimation;
class VoAnimationCtrl;
class VoAnimationSlot;
class VoCamera;
class VoDrawElement;
class VoISteering;
class VoLight;
class VoLipSyncPlayer;
class VoPropertyList;
class VoShadowVolume;
class VoShadowVolumeCache;

class VoCharacter : public VoLipSyncNode, public VoISteeredCharacter {
public:
    // Blends as the character asks for them: a quarter-second cross-fade.
    static constexpr float kBlendRate = 4.0f;
    // A new primary animation fades in and plays once.
    static constexpr std::uint32_t kPrimaryFlags = 1;
    // Idles loop (with the flag that goes with looping).
    static constexpr std::uint32_t kIdleFlags = 12;
    // A gesture layer fades in, its time held (the gesture player sets it)
    // and clamped at its last key.
    static constexpr std::uint32_t kGestureFlags = 49;

    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kMeshNotFound = "'mesh' not found.";
    static constexpr const char* kModelFailure = "Create failure. Could not load the model: ";
    static constexpr const char* kTypeNotFound = "'type' not found.";
    static constexpr const char* kAnimationsNotFound = "'animations' not found.";
    static constexpr const char* kIdleNotFound = "'idle' not found.";
    static constexpr const char* kMoveNotFound = "'move' not found.";
    static constexpr const char* kIdleCount = "Support for >1 idle anim NYI.";
    static constexpr const char* kFileNotFound = "'file' not found.";
    static constexpr const char* kMoveSpeedNotFound = "'movespeed' not found.";
    // An animation file that could not be opened.
    static constexpr const char* kAnimationFileFailure = "";
    static constexpr const char* kSetSteeringNull = "SetSteering failure. NULL arg.";
    static constexpr const char* kInvalidMoveIndex = "Invalid move animation index: ";
    static constexpr const char* kCouldNotAllocate = "Could not allocate the move animations.";

    static constexpr const char16_t* kMeshRoot = u"//meshes/";
    static constexpr const char16_t* kAnimationRoot = u"//animations/";
    static constexpr const char16_t* kPlayerType = u"player";
    static constexpr const char16_t* kFemaleGender = u"f";
    static constexpr const char16_t* kDefaultHeadType = u"ma";

    // Not loaded: no element, animations, shadows, steering or lip-sync;
    // facing (0, 0, 1) at the origin, visible.
    VoCharacter();
    // Deletes the lip-sync player, the idle and move animations and the
    // shadow volumes, then the element with the node.
    ~VoCharacter() override;

    // Builds the character from its file (see above): the model, with a new
    // animation controller; when aShadowPath is given, the shadow volumes
    // from that cache file, or built from the skinned meshes and written
    // there (VoShadowVolumeCache::Load); then "type", "gender", "headtype"
    // and the animations. False, logged, for a null file and when the model
    // does not load (the character then has no element); otherwise the
    // result of LoadAnimations.
    virtual bool Create(VoPropertyList* apFile, const VoString* apShadowPath);
    // Reads the "idle" and "move" entries of the section (see above). More
    // or fewer than one idle entry logs kIdleCount; the last one is the idle
    // animation. Each move entry is a move animation, in file order, with its
    // "movespeed". A file that cannot be opened logs an empty assertion and
    // leaves its animation empty. False, logged, for a missing section.
    bool LoadAnimations(VoPropertyList* apAnimations);
    // One shadow volume per skinned mesh of the element, in place of the old
    // ones (VoShadowVolumeCache::Build).
    bool CreateShadow();

    // The element's frames under the parent, then the face, while visible.
    bool Render() override;
    // Sets the character's own visible flag. True.
    bool SetVisible(bool aVisible) override;
    bool Update(const VoMatrix* apParent) override;
    bool UpdateSkin() override;
    // Places the model: its local -z faces the direction (a direction of
    // (0, 0, 0) becomes (0, 0, 1)), its origin at the position; then the
    // element is updated under that matrix. True.
    virtual bool UpdateTransform();
    // One steering step: on the first call the idle animation starts
    // (looping); then the steering's position and facing, ground points
    // (x, y, 0) with y the world z, become the character's (x, 0, y).
    // False without steering.
    bool UpdateSteering();
    // The next UpdateSteering starts the idle again, as the first one does:
    // a scene clears it whenever it hands the character a new viewpoint.
    void ResetSteeringStarted() { fSteeringStarted = false; }
    // Not owned; null: kSetSteeringNull asserted, false, the old one stays.
    bool SetSteering(VoISteering* apSteering);
    // Lets go of the steering, for its owner to delete it: the character
    // stands where it is until it is given another.
    void ClearSteering() { fpSteering = nullptr; }
    VoISteering* GetSteering() const { return fpSteering; }

    void SetPosition(const VoVector3& aPosition) { fPosition = aPosition; }
    void SetDirection(const VoVector3& aDirection) { fDirection = aDirection; }
    // The position itself.
    VoVector3* GetPosition() { return &fPosition; }
    const VoVector3& GetDirection() const { return fDirection; }
    // The matrix of the last UpdateTransform.
    const VoMatrix& GetWorldMatrix() const { return fWorld; }

    // The element; null before Create made it.
    VoDrawElement* GetDrawElement() const;
    // The element's controller; null without element or controller.
    VoAnimationCtrl* GetAnimationCtrl() override;
    // That slot of the controller (0 primary, 1..6 layers); null without a
    // controller or outside 0..6.
    VoAnimationSlot* GetAnimationSlot(int aIndex);
    // Starts the animation as the primary one: it fades in over a quarter
    // second while the previous one fades out, and plays once. False
    // without a controller.
    bool SetAnimation(VoAnimation* apAnimation);
    // Starts the animation as a gesture layer from weight 0 (see
    // kGestureFlags). False without a controller.
    bool PlayGestureAnimation(VoAnimation* apAnimation);
    // Marks the slot playing the animation as ended, so the controller fades
    // it out; false when no slot plays it.
    bool FinishAnimation(VoAnimation* apAnimation);
    // Sets the time of the slot playing the animation (its previous time
    // stays); false when no slot plays it.
    bool SetAnimationTime(VoAnimation* apAnimation, float aTime);

    // Takes the animation (owned from then on) as the idle one; the old one
    // leaves every slot it plays in and is deleted. True.
    bool SetIdleAnimation(VoAnimation* apAnimation);
    VoAnimation* GetIdleAnimation() override { return fpIdleAnimation; }
    // Takes aCount animations (owned from then on) with their speeds as the
    // move animations; the old ones leave the controller and are deleted.
    // False, unchanged, for a negative count, missing arrays or when memory
    // runs out.
    bool SetMoveAnimations(int aCount, VoAnimation** appAnimations, const float* apSpeeds);
    // The number of move animations: the number of entries they came from.
    int GetMoveCount() const { return fMoveCount; }
    // Move animation aIndex, 1-based; null, asserted, outside 1..count.
    VoAnimation* GetMoveAnimation(int aIndex) override;
    // Its speed; 0, asserted, outside 1..count.
    float GetMoveSpeed(int aIndex) override;
    // Starts move animation aIndex (1-based) as the primary animation with
    // these blend values. Outside 1..count: asserted, false, and the
    // animation playing goes on.
    bool PlayMoveAnimation(int aIndex, float aWeight, float aRate, std::uint32_t aFlags, float aSpeed);

    // A copy of the head type.
    VoString GetHeadType() const { return fHeadType; }
    bool IsPlayer() const { return fPlayer; }
    bool IsFemale() const { return fFemale; }
    void SetFemale(bool aFemale) { fFemale = aFemale; }
    bool IsGesturePlaying() const { return fGesturePlaying; }
    bool IsCharacterVisible() const { return fVisible; }

    // Whether point (x, z) lies within the x and z extent of the triangle
    // (three points of x, y, z), edges included. False for null.
    static bool IsInTriangleBounds(const float* apTriangle, const float* apPoint);
    // Whether the point lies in the triangle: the cross products of each
    // edge with the vector from the point to the edge's start all point the
    // same way (pairwise dot products of 0 or more). False for null.
    static bool IsInTriangle(const float* apTriangle, const float* apPoint);

    // Replaces any lip-sync player by one for the line: its data from the
    // ".dat" file (text form), then, when that loads, the face poses from
    // aPoseDirectory, attached to the element. On failure the character has
    // no player. The data load's result; false without a model.
    bool LoadLipSync(const VoString& aDataPath, const VoString& aPoseDirectory);
    // False without a player; else it plays. True.
    bool PlayLipSync();
    // False without a player; else it stops, leaves the element and is
    // deleted. True.
    bool StopLipSync();
    VoLipSyncPlayer* GetLipSyncPlayer() const { return fpLipSync; }

    // Draws every shadow volume into the stencil buffer, while visible and
    // with shadows; the AND of their results (true with none).
    bool RenderShadow(float aArgument);
    // Every volume's silhouette for the light, then its extruded geometry
    // for the camera, while visible and with shadows; the AND of the results.
    bool UpdateShadow(const VoLight* apLight, VoCamera* apCamera);
    bool AreShadowsEnabled() const { return fShadowsEnabled; }
    int GetShadowCount() const;
    // Null outside 0..count - 1.
    VoShadowVolume* GetShadowVolume(int aIndex) const;

protected:
    // The model at the engine path into the element: the serialised form
    // when the name's last character is "1", else the raw form in render
    // mode 1.
    virtual bool LoadModel(VoDrawElement* apElement, const VoString& aPath);

private:
    struct MoveRecord {
        VoAnimation* fpAnimation;  // owned
        float fSpeed;
    };

    // A new animation read from the file under "//animations/" (empty when
    // the file cannot be opened); null when memory runs out.
    VoAnimation* LoadAnimation(const VoString& aFile);
    // Takes the animation out of every slot of the controller, then deletes it.
    void DropAnimation(VoAnimation* apAnimation);
    void FreeMoves();
    void DropLipSync();

    bool fPlayer = false;
    VoVector3 fDirection;
    VoAnimation* fpIdleAnimation = nullptr;  // owned
    MoveRecord* fpMoves = nullptr;           // owned, with their animations
    int fMoveCount = 0;
    bool fGesturePlaying = false;
    VoISteering* fpSteering = nullptr;  // not owned
    bool fSteeringStarted = false;
    bool fFemale = false;
    bool fShadowsEnabled = false;
    VoShadowVolumeCache* fpShadows = nullptr;  // owned, with the volumes
    VoVector3 fPosition;
    bool fVisible = true;
    VoString fHeadType;
    VoLipSyncPlayer* fpLipSync = nullptr;  // owned; attached to the element while it exists
    // UpdateTransform's matrices, kept so a frame allocates nothing.
    VoMatrix fTranslation;
    VoMatrix fRotation;
    VoMatrix fWorld;
};
