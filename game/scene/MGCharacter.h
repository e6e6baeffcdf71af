#pragma once
// Every person in a scene, the player and the others: the engine character
// (VoCharacter) with a name, and the game's ambient gestures, interview
// pose, head tracking and footsteps.
//
// For now the least the scene needs: the name read from the character file,
// the player flag that the scene sets, and the calls the scene makes when it
// enters, leaves and runs interviews, which only keep their flags yet.
#include "character/VoCharacter.h"
#include "container/VoString.h"

class VoPropertyList;

class MGCharacter : public VoCharacter {
public:
    static constexpr const char* kNameNotFound = "'name' not found.";
    static constexpr const char* kNullArg = "NULL arg.";

    MGCharacter() = default;
    MGCharacter(const MGCharacter&) = delete;
    MGCharacter& operator=(const MGCharacter&) = delete;
    ~MGCharacter() override;

    // "name", then the engine character's keys (VoCharacter::Create).
    bool Create(VoPropertyList* apFile, const VoString* apShadowPath) override;

    const VoString& GetName() const { return fName; }
    // Set by the scene for the player after Create.
    void SetIsPlayer(bool aIsPlayer) { fIsPlayer = aIsPlayer; }
    bool GetIsPlayer() const { return fIsPlayer; }

    void ResetAmbientTimer() {}
    // Back to the engine character's placement. Its result.
    bool StopAmbient() { return VoCharacter::UpdateTransform(); }
    void SetAmbientSuspended(bool aSuspend) { fAmbientSuspended = aSuspend; }
    bool IsAmbientSuspended() const { return fAmbientSuspended; }
    // Null: asserted, false.
    bool SetLookAtTarget(MGCharacter* apTarget);
    void SetHeadTracking(bool aOn) { fHeadTracking = aOn; }
    bool IsHeadTracking() const { return fHeadTracking; }
    // The footstep sounds of the scene's "sounds.txt"; not kept yet. True.
    bool LoadFootsteps(VoPropertyList* apSounds);

    VoString ToString() const override;

private:
    VoString fName;
    bool fIsPlayer = false;
    bool fAmbientSuspended = false;
    bool fHeadTracking = false;
    MGCharacter* fpLookTarget = nullptr;  // not owned
};
