#pragma once
// One interview of a witness or an expert, by id.
//
// Until interviews arrive this holds only what the scene asks of it: the id
// under which the interviewed character stands in the scene, its listener
// and its screen position.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"

class MGICharacterListener;
class MGIInterviewListener;

class MGInterview : public VoBase {
public:
    explicit MGInterview(const VoString& aId) : fId(aId) {}

    const VoString& GetId() const { return fId; }
    // A copy of the interviewed character's id.
    VoString GetCharacterId() const { return fCharacterId; }
    void SetCharacterId(const VoString& aId) { fCharacterId = aId; }

    // Replaces the listener (not owned).
    void SetListener(MGIInterviewListener* apListener) { fpListener = apListener; }
    MGIInterviewListener* GetListener() const { return fpListener; }
    void SetPosition(const VoVector2& aPosition) { fPosition = aPosition; }
    const VoVector2& GetPosition() const { return fPosition; }
    // The hotspot that seated the player before the interview (not owned),
    // told when the player rises at the end; null when none.
    void SetSeatHotspot(MGICharacterListener* apHotspot) { fpSeatHotspot = apHotspot; }
    MGICharacterListener* GetSeatHotspot() const { return fpSeatHotspot; }

    VoString ToString() const override;

private:
    VoString fId;
    VoString fCharacterId;
    MGIInterviewListener* fpListener = nullptr;  // not owned
    VoVector2 fPosition;
    MGICharacterListener* fpSeatHotspot = nullptr;  // not owned
};
