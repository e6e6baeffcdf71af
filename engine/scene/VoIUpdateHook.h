#pragma once
// An object a draw element calls after every advance of its animation
// controller, before the animations are applied to its frames. The element
// owns its hook and deletes it with itself.
class VoIUpdateHook {
public:
    virtual ~VoIUpdateHook() = default;
    virtual bool Update() = 0;
};
