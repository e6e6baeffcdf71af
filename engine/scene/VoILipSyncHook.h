#pragma once
// An object a draw element calls on every update after the animations have
// posed its frames and before they are placed: the lip-sync player, which
// lays the face over the body pose. Attached to the element, not owned by it.
class VoILipSyncHook {
public:
    virtual ~VoILipSyncHook() = default;
    virtual bool Update() = 0;
};
