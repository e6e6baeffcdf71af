// Start-up to the first presented frame, measured on whole processes: the
// game (mg_game, started as a player starts it) against an empty program
// that brings up SDL and OpenGL and presents one frame (startup/
// VoEmptyGlProgram.cpp). Both run with startup/VoFirstFrameExit.cpp
// preloaded, which ends the process right after its first SDL_GL_SwapWindow;
// each iteration is one process, from its start to its end, timed on the
// wall clock. For reference, the empty program also runs presenting as the
// game does (an 800 x 600 buffer scaled to a full-screen window), which the
// game's first frame pays for too.
//
// The video driver is the caller's SDL_VIDEODRIVER ("offscreen" when unset);
// run under xvfb-run with SDL_VIDEODRIVER=x11 for the X11 figures. Sound
// goes to SDL's dummy driver unless SDL_AUDIODRIVER says otherwise. The game
// runs in a temporary folder whose "data" leads to the sample data tree, so
// its log stays out of the source tree.
//
// A timed program that fails stops the whole run (VoStopRun) with a line on
// standard error naming the program and its exit code or the signal that
// ended it. Failures do happen: on a loaded X server the empty program's SDL
// now and then cannot bring up its video. Reported as a skipped case, such a
// failure in a case's first repetition made Google Benchmark crash when it
// summed the repetitions (see VoBenchmarkCheck.h), a segmentation fault of
// this program that said nothing of the failure behind it.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"

extern char** environ;

namespace {

// The folder the programs run in.
const std::string& RunFolder() {
    static const std::string folder = [] {
        char made[] = "/tmp/vo_startup_benchmark_XXXXXX";
        if (mkdtemp(made) == nullptr) {
            std::fprintf(stderr, "no temporary folder\n");
            std::abort();
        }
        const std::string data = std::string(made) + "/data";
        if (symlink(VO_SOURCE_DIR "/data", data.c_str()) != 0) {
            std::fprintf(stderr, "cannot link the data tree\n");
            std::abort();
        }
        return std::string(made);
    }();
    return folder;
}

// The folder goes, with what the programs leave in it.
void RemoveRunFolder() {
    const std::string data = RunFolder() + "/data";
    const std::string log = RunFolder() + "/log.txt";
    unlink(data.c_str());
    unlink(log.c_str());
    rmdir(RunFolder().c_str());
}

// The environment of the timed programs: ours, with the preloaded library
// and the default drivers.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> made;
    bool video = false;
    bool audio = false;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (entry.rfind("LD_PRELOAD=", 0) == 0) {
            continue;
        }
        video = video || entry.rfind("SDL_VIDEODRIVER=", 0) == 0;
        audio = audio || entry.rfind("SDL_AUDIODRIVER=", 0) == 0;
        made.push_back(entry);
    }
    made.push_back(std::string("LD_PRELOAD=") + VO_FIRST_FRAME_EXIT);
    if (!video) {
        made.emplace_back("SDL_VIDEODRIVER=offscreen");
    }
    if (!audio) {
        made.emplace_back("SDL_AUDIODRIVER=dummy");
    }
    return made;
}

// How a timed program ended when it did not end well: its exit code or the
// signal that ended it.
std::string Ending(int aStatus) {
    if (WIFSIGNALED(aStatus)) {
        return "ended by signal " + std::to_string(WTERMSIG(aStatus)) + " (" + strsignal(WTERMSIG(aStatus)) +
               ")";
    }
    return "exited with code " + std::to_string(WEXITSTATUS(aStatus));
}

// Runs the program to its end; its wall time in seconds, or a negative
// number, with *apFailure saying how it ended, when it could not be started
// or failed.
double RunOnce(const char* apProgram, const char* apArgument, std::string* apFailure) {
    static const std::vector<std::string> environment = ChildEnvironment();
    std::vector<char*> variables;
    for (const std::string& entry : environment) {
        variables.push_back(const_cast<char*>(entry.c_str()));
    }
    variables.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(apProgram), const_cast<char*>(apArgument), nullptr};

    const std::string previous = [] {
        char here[4096];
        return getcwd(here, sizeof(here)) != nullptr ? std::string(here) : std::string(".");
    }();
    if (chdir(RunFolder().c_str()) != 0) {
        *apFailure = "cannot enter " + RunFolder();
        return -1.0;
    }
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, apProgram, nullptr, nullptr, arguments, variables.data());
    int status = 0;
    pid_t ended = -1;
    int waitError = 0;
    if (spawned == 0) {
        // A signal that interrupts the wait does not end the child.
        do {
            ended = waitpid(child, &status, 0);
        } while (ended < 0 && errno == EINTR);
        waitError = errno;
    }
    const auto end = std::chrono::steady_clock::now();
    const bool returned = chdir(previous.c_str()) == 0;
    if (spawned != 0) {
        *apFailure = std::string("could not be started: ") + std::strerror(spawned);
    } else if (ended != child) {
        *apFailure = std::string("could not be waited for: ") + std::strerror(waitError);
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *apFailure = Ending(status);
    } else if (!returned) {
        *apFailure = "ran, but " + previous + " cannot be entered again";
    } else {
        return std::chrono::duration<double>(end - start).count();
    }
    return -1.0;
}

// A program that fails stops its case with a message naming the program and
// how it ended (its exit code, or the signal that ended it: a crash of a
// timed program shows as such, told apart from a failure of this one).
void TimeProgram(benchmark::State& aState, const char* apProgram, const char* apArgument = nullptr) {
    for (auto _ : aState) {
        std::string failure;
        const double seconds = RunOnce(apProgram, apArgument, &failure);
        if (seconds < 0.0) {
            RemoveRunFolder();
            VoStopRun(std::string(apProgram) + " " + failure);
        }
        aState.SetIterationTime(seconds);
    }
}

void BM_GameStartup(benchmark::State& aState) {
    TimeProgram(aState, VO_GAME_PROGRAM);
}
BENCHMARK(BM_GameStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EmptyProgramStartup(benchmark::State& aState) {
    TimeProgram(aState, VO_EMPTY_PROGRAM);
}
BENCHMARK(BM_EmptyProgramStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EmptyProgramScaledStartup(benchmark::State& aState) {
    TimeProgram(aState, VO_EMPTY_PROGRAM, "--scaled");
}
BENCHMARK(BM_EmptyProgramScaledStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    const int result =
        VoRunWithRatios(argc, argv,
                        {{"BM_GameStartup/iterations:10/manual_time",
                          "BM_EmptyProgramStartup/iterations:10/manual_time", 2.0, kRealTime},
                         {"BM_GameStartup/iterations:10/manual_time",
                          "BM_EmptyProgramScaledStartup/iterations:10/manual_time", kNoGoal, kRealTime}});
    RemoveRunFolder();
    return result;
}
