#pragma once
// The character as the steering drives it: its animation controller, its
// idle animation and its move animations with their speeds. The engine
// character implements it; the steering starts the move animation of a
// walk's speed index and the idle animation when the walk ends, and takes
// the walk's speed from the move animation.
class VoAnimation;
class VoAnimationCtrl;

class VoISteeredCharacter {
public:
    // Null while the character has no controller.
    virtual VoAnimationCtrl* GetAnimationCtrl() = 0;
    // Null while the character has none.
    virtual VoAnimation* GetIdleAnimation() = 0;
    // aIndex counts from 1, as the steering's speed index does (1 walk,
    // 2 run, ...). Null for an index that names no loaded move record: the
    // steering then keeps the animation that plays.
    virtual VoAnimation* GetMoveAnimation(int aIndex) = 0;
    // The move speed of that record (the character file's "movespeed");
    // read only where GetMoveAnimation gives an animation.
    virtual float GetMoveSpeed(int aIndex) = 0;

protected:
    // The steering never deletes its character.
    ~VoISteeredCharacter() = default;
};
