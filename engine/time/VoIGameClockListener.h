#pragma once
// Told when a clock of the game clock advances with notification.
class VoIGameClockListener {
public:
    virtual ~VoIGameClockListener() = default;
    virtual void OnTimeChanged(int aClock, float aTime) = 0;
};
