#pragma once
// A full view of the game on the screen stack (MGScreenManager): a scene, a
// close-up, an interview, the PDA, a puzzle, a menu. A screen object carries
// it as a secondary base; the stack holds pointers to it and owns nothing.
//
// A switch runs: the old top's OnLeaveBegin, the fade to black, the old
// top's OnLeaveEnd, the new top's OnEnter, the fade from black.
class MGIScreen {
public:
    virtual ~MGIScreen() = default;
    virtual void OnLeaveBegin() = 0;
    virtual void OnLeaveEnd() = 0;
    virtual void OnEnter() = 0;
};
