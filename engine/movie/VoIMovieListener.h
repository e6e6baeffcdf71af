#pragma once
// Told by a movie player, on the main thread, when its movie has shown its
// last frame and is not looping, with the player's name. The listener may
// delete the player from here. Not deleted through this interface.
#include "container/VoString.h"

class VoIMovieListener {
public:
    virtual void OnMovieEnd(VoString aName) = 0;

protected:
    ~VoIMovieListener() = default;
};
