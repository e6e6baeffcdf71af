#pragma once
// Every person in a scene, the player and the others: the engine character
// (VoCharacter) with the game's ambient gestures, interview pose, actions
// and hand props.
//
// For now the least the interviews call: the interview pose, the actions
// (8 rising from a chair, 10 putting the phone away), the ambient switch
// and the pending pocket action, which only keep what they are given.
#include "character/VoCharacter.h"
#include "container/VoString.h"

class MGICharacterListener;

class MGCharacter : public VoCharacter {
public:
    MGCharacter() = default;
    MGCharacter(const MGCharacter&) = delete;
    MGCharacter& operator=(const MGCharacter&) = delete;
    ~MGCharacter() override = default;

    // Entering or leaving the interview pose; the listener (not owned) is
    // told when a turn toward the look-at point ends. True.
    bool SetInterviewPose(bool aEntering, MGICharacterListener* apListener);
    // Starts action aCode; the listener (not owned) is told when it is done.
    void PlayAction(int aCode, MGICharacterListener* apListener);
    void SetAmbientSuspended(bool aSuspend) { fAmbientSuspended = aSuspend; }
    // The animation that shows a hand prop while it plays: the badge for
    // flag 0, the polaroid for 1.
    void SetPendingPocketAction(const VoString& aAnimation, int aFlag);

    bool IsInInterviewPose() const { return fInterviewPose; }
    int GetAction() const { return fAction; }
    bool IsAmbientSuspended() const { return fAmbientSuspended; }
    const VoString& GetPocketAnimation() const { return fPocketAnimation; }
    int GetPocketFlag() const { return fPocketFlag; }

    VoString ToString() const override;

private:
    bool fInterviewPose = false;
    int fAction = 0;
    bool fAmbientSuspended = false;
    VoString fPocketAnimation;
    int fPocketFlag = 0;
};
