#pragma once
// Told by a fader (VoFader) when its fade starts, is stopped or finishes. The
// id is the one given with VoFader::SetListener. A fader has at most one
// listener, which it does not own.
class VoString;

class VoIFaderListener {
public:
    static constexpr int kStarted = 0;
    static constexpr int kStopped = 1;
    static constexpr int kFinished = 2;

    virtual ~VoIFaderListener() = default;
    // May start, stop or reconfigure the fader, but not delete it.
    virtual void OnFadeEvent(const VoString& aFaderId, int aCode) = 0;
};
