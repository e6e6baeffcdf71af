#pragma once
// Told by a gesture player when its playback has finished: every key has
// started and every key's curve has ended.
class VoIGestureListener {
public:
    virtual ~VoIGestureListener() = default;
    virtual void OnGestureEnd() = 0;
};
