#include "XServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool OnPath(const char* apProgram) {
    return std::system((std::string("command -v ") + apProgram + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

bool XServer::ToolsFound() {
    return OnPath("Xvfb") && OnPath("xdotool");
}

XServer::XServer(int aWidth, int aHeight) {
    int channel[2];
    if (pipe(channel) != 0) {
        return;
    }
    const std::string screen = std::to_string(aWidth) + "x" + std::to_string(aHeight) + "x24";
    const std::string writeEnd = std::to_string(channel[1]);
    fPid = fork();
    if (fPid == 0) {
        close(channel[0]);
        // The server writes the number of the display it took to the pipe.
        execlp("Xvfb", "Xvfb", "-displayfd", writeEnd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    std::string number;
    pollfd ready{channel[0], POLLIN, 0};
    char unit = 0;
    while (fPid > 0 && poll(&ready, 1, 10000) == 1 && read(channel[0], &unit, 1) == 1 && unit != '\n') {
        number += unit;
    }
    close(channel[0]);
    if (!number.empty()) {
        fDisplay = ":" + number;
        setenv("DISPLAY", fDisplay.c_str(), 1);
    }
}

XServer::~XServer() {
    if (fPid > 0) {
        kill(fPid, SIGTERM);
        waitpid(fPid, nullptr, 0);
    }
}

bool XServer::Xdotool(const std::string& aArguments) {
    return std::system(("xdotool " + aArguments + " >/dev/null 2>&1").c_str()) == 0;
}

namespace {

// aRun's result, with the server ended first.
int RunOnAServerOfItsOwn(int (*aRun)()) {
    XServer server(1024, 768);
    if (!server.IsRunning()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    return aRun();
}

}  // namespace

void ExpectCleanExitUnderX(int (*aRun)()) {
    if (!XServer::ToolsFound()) {
        GTEST_SKIP() << "needs Xvfb and xdotool, which scripts/test installs";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(RunOnAServerOfItsOwn(aRun)), testing::ExitedWithCode(0), "");
}
