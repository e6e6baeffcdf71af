#pragma once
// Runs a puzzle's closing steps in a later frame, from its own frame update,
// once the screen manager is idle. A puzzle that finds its solution inside
// a callback of one of its own objects (a dial's button, a sliding bar's or
// a rolling cube's frame update) must not delete that object there; and a
// close refused because a fade runs would leave the puzzle open with no way
// out. So the puzzle hands the steps to the closer, which:
//   - for a movie request, takes the puzzle off the stack without a fade and
//     runs its OnLeaveEnd (when the request asks for the pop and the puzzle
//     is still on the stack), then plays the movie through the cut-scene
//     player;
//   - for a pop request, pops the puzzle with a fade when it is the top
//     screen, and drops the request when it no longer is.
// Requests wait while the screen manager is busy with a fade; one puzzle has
// at most one request of each kind. A new game or a load drops them all.
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "stdlib/VoIFrameListener.h"
#include "util/MGIGameResetListener.h"

class MGIScreen;

class MGPuzzleCloser : public VoBase, public VoIFrameListener, public MGIGameResetListener {
public:
    static constexpr const char* kCreationFailure = "MGPuzzleCloser creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static MGPuzzleCloser* GetInstance();
    // The closer if it exists; never creates.
    static MGPuzzleCloser* PeekInstance();

    MGPuzzleCloser();
    MGPuzzleCloser(const MGPuzzleCloser&) = delete;
    MGPuzzleCloser& operator=(const MGPuzzleCloser&) = delete;
    // Leaves the frame manager and the reset notice; pending requests are dropped.
    ~MGPuzzleCloser() override;

    // Plays aMovie in a later frame, after taking the puzzle off the stack
    // and running its OnLeaveEnd when aPop is set.
    bool RequestMovie(MGIScreen* apPuzzle, const VoString& aMovie, bool aPop);
    // Pops the puzzle with a fade in a later frame, if it is then the top.
    bool RequestPopFade(MGIScreen* apPuzzle);
    // Drops every request of the puzzle (a puzzle that dies calls it).
    void Cancel(MGIScreen* apPuzzle);
    bool IsPending(MGIScreen* apPuzzle) const;
    int GetPendingCount() const { return fRequests.GetCount(); }

    void OnUpdate() override;
    void OnGameReset() override;

    VoString ToString() const override;

private:
    struct Request;

    bool Add(Request* apRequest);
    // Runs the request if it can run now; true when it is done (run or dropped).
    static bool Run(const Request& aRequest);
    void ClearRequests();

    VoVector fRequests;  // Request*, owned, oldest first
    bool fInFrames;      // registered with the frame manager
    bool fInReset;       // registered with the reset notice
};
