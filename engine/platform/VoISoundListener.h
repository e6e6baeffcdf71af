#pragma once
// Told by a sound player, on the main thread in the frame after the player's
// stream ran to its end, with the player's name. The listener may delete the
// player from here. Not deleted through this interface.
#include "container/VoString.h"

class VoISoundListener {
public:
    virtual void OnSoundEnd(const VoString& aName) = 0;

protected:
    ~VoISoundListener() = default;
};
