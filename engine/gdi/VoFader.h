#pragma once
// Fades the blend (opacity) of one display object from a start value
// towards a target value over a fade time, one step per frame from the
// frame manager, and tells one listener (VoIFaderListener) of the start, a
// stop and the end.
//
// The law: at elapsed time e < fade time T the blend is
//     start + |target - start| x (e / T) x direction
// so the direction alone (-1, 0 or 1) gives the sign of the movement; the
// display object clamps the result to 0..1. At e >= T the blend is the
// target. The finished event comes one update later (see the end toggle).
//
// The fader owns neither the object nor the listener; its owner creates,
// configures and deletes it.
#include "container/VoString.h"
#include "stdlib/VoIFrameListener.h"

class VoIDisplayObject;
class VoIFaderListener;
class VoITimer;

class VoFader : public VoIFrameListener {
public:
    static constexpr const char* kSetGroupNull = "SetGroup failure. NULL arg.";
    static constexpr const char* kSetListenerNull = "SetListener failure. NULL arg.";
    static constexpr const char* kSetListenerInvalidId = "SetListener failure. Invalid id.";
    static constexpr const char* kSetDirectionInvalid = "SetDirection failure. Invalid arg:";
    static constexpr const char* kSetFadeTimeRange = "SetFadeTime failure. Value out of range: ";
    static constexpr const char* kSetTargetRange = "SetTargetValue failure. Value out of range:";
    static constexpr const char* kSetValueRange = "SetValue failure. Value out of range:";
    static constexpr const char* kAlreadyStarted = "StartFade failure. Fade already started.";
    static constexpr const char* kFrameManagerAdd = "StartFade failure. Could not join the frame manager.";
    static constexpr const char* kFrameManagerRemove = "StopFade failure. Could not leave the frame manager.";

    // The frame-manager order of a running fade.
    static constexpr float kFrameOrder = 0.0f;

    // Start 0, target 1, one second, direction 1, on the engine timer.
    VoFader();
    // On apTimer (not owned, outlives the fader) instead.
    explicit VoFader(VoITimer* apTimer);
    VoFader(const VoFader&) = delete;
    VoFader& operator=(const VoFader&) = delete;
    // Leaves the frame manager when a fade runs; sends nothing.
    ~VoFader() override;

    // The object whose blend is faded (not owned); null is refused.
    bool SetGroup(VoIDisplayObject* apObject);
    // Not owned. Refuses a null listener and an empty id.
    bool SetListener(const VoString& aId, VoIFaderListener* apListener);
    void ClearListener();
    // -1, 0 or 1.
    bool SetDirection(int aDirection);
    // Seconds, 0 or more.
    bool SetFadeTime(float aSeconds);
    // 0..1.
    bool SetTargetValue(float aValue);
    // The start value, 0..1. Makes the object active (its blend is left as
    // it is); before SetGroup it only stores the value.
    bool SetValue(float aValue);

    // Joins the frame manager, sends kStarted and applies the first step at
    // once. False while a fade runs (the running fade goes on untouched).
    bool StartFade();
    // Leaves the frame manager and sends kStopped when a fade runs; the
    // object keeps its blend. Always true.
    bool StopFade();
    // One step while a fade runs.
    void OnUpdate() override;

    bool IsFading() const { return fFading; }
    int GetDirection() const { return fDirection; }
    float GetValue() const { return fStartValue; }
    float GetTargetValue() const { return fTargetValue; }
    float GetFadeTime() const { return fFadeTime; }
    const VoString& GetId() const { return fId; }

    // The end toggle is one flag shared by every fader in the program: the
    // first update at or past the fade time sets it and the fader stays on;
    // the next update at the end (of any fader) clears it and finishes. One
    // fader alone therefore finishes on its second update at the end; two
    // faders that reach the end in one frame finish two frames apart.
    static bool IsEndTogglePending();
    // Tests start from a cleared toggle; a run never calls it.
    static void ResetEndToggleForTests();

private:
    void UpdateFade();
    // Leaves the frame manager if registered; false when it was and could not.
    bool LeaveFrames();
    void NotifyListener(int aCode);
    double Now() const;

    VoString fId;
    VoIDisplayObject* fpObject;  // not owned
    int fDirection;
    VoIFaderListener* fpListener;  // not owned
    float fStartValue;
    float fTargetValue;
    float fFadeTime;
    // Seconds of the timer, kept whole: a float's step grows coarse after
    // hours of play. 0 while idle.
    double fFadeStartTime;
    bool fFading;
    VoITimer* fpTimer;  // not owned
    bool fInFrames;     // registered with the frame manager
};
