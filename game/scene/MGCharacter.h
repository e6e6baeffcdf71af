#pragma once
// A character of the game: the player or a person of a scene, an engine
// character (VoCharacter) that the scene places and walks.
//
// For now the least the PDA needs: the engine character's position and
// steering, through which the player's place and walking direction are read.
#include "character/VoCharacter.h"

class MGCharacter : public VoCharacter {
public:
    MGCharacter() = default;
    MGCharacter(const MGCharacter&) = delete;
    MGCharacter& operator=(const MGCharacter&) = delete;

    VoString ToString() const override;
};
