#pragma once
// Told once by the cut-scene player (MGCutScenePlayer) when the run of
// movies it was given has ended; the player forgets it then. Not owned.
class MGICutSceneListener {
public:
    virtual ~MGICutSceneListener() = default;
    virtual void OnCutSceneEnd() = 0;
};
