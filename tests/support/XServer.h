#pragma once
// A virtual X server (Xvfb) of its own for a test that drives a real window
// the way a user's system would: DISPLAY names it while the object lives, and
// the server ends with it. xdotool then moves the pointer and types.
//
// SDL's video, once up, stays up for the process, so such a test runs its X
// part in a process of its own (a death test in the threadsafe style).
#include <string>

class XServer {
public:
    // Whether Xvfb and xdotool are on the PATH.
    static bool ToolsFound();

    // Starts Xvfb with one screen of aWidth x aHeight and points DISPLAY at
    // it; IsRunning says whether that worked.
    XServer(int aWidth, int aHeight);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool IsRunning() const { return fPid > 0 && !fDisplay.empty(); }
    const std::string& GetDisplay() const { return fDisplay; }

    // Runs xdotool with the arguments ("mousemove --sync 10 20"); true when
    // it succeeded.
    static bool Xdotool(const std::string& aArguments);

private:
    int fPid = -1;
    std::string fDisplay;
};

// A test's X part: aRun, in a process of its own (see the top) with a
// 1024 x 768 server of its own and SDL's x11 driver, must end with 0. Skips
// the test where Xvfb or xdotool is missing.
void ExpectCleanExitUnderX(int (*aRun)());
