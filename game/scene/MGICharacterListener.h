#pragma once
// What a character calls back on the one who asked it to turn or act (a
// hotspot): Execute when a turn with this listener has ended, Deactivate when
// the object of a pick-up or a photograph is taken during the action, and
// OnActionDone with the action's code when the action is over.
class MGICharacterListener {
public:
    virtual ~MGICharacterListener() = default;
    virtual void Deactivate() = 0;
    virtual void OnActionDone(int aCode) = 0;
    virtual void Execute() = 0;
};
