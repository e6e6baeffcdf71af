#pragma once
// One interview of a witness or an expert, by id.
//
// Until interviews arrive this holds only what the scene asks of it: the id
// under which the interviewed character stands in the scene, its listener
// and its screen position; and what a puzzle over a running interview takes
// away and gives back: its mouse listener (the interview itself) and its
// window's group.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"

class MGIInterviewListener;
class VoDisplayGroup;

class MGInterview : public VoBase, public VoIMouseListener {
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

    // The interview's window (not owned), null until it has one.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    void SetGroup(VoDisplayGroup* apGroup) { fpGroup = apGroup; }

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}

    VoString ToString() const override;

private:
    VoString fId;
    VoString fCharacterId;
    MGIInterviewListener* fpListener = nullptr;  // not owned
    VoVector2 fPosition;
    VoDisplayGroup* fpGroup = nullptr;  // not owned
};
