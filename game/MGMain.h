#pragma once
// Start-up and shut-down of the game, in this order: the engine's twelve
// object creators; the working directory in the log ("CURRENT DIR:"); the
// data tree's path aliases ("//gameroot" the working directory, "//dataroot"
// its "data" folder, and "//textures", "//meshes", "//animations",
// "//interviews", "//sounds", "//scenes", "//characters", "//gestures" the
// folders of those names in it); the texture manager's root "//textures";
// then RunApplication: the platform (an 800 x 600, 32-bit window titled
// "Test") with the game's application, its Initialize (which runs the
// application's Init), the main loop, and the teardown: the platform, the
// game's cleaner, the engine's cleaner, then the memory statistics and the
// leak report for the blocks allocated from the end of Initialize to the
// end of the clean-up.
//
// The program stops early, with one line on standard error naming the path
// and a non-zero exit code, when the data folder, the texture folder or the
// font list is missing; and when the platform cannot be made, created or
// initialised (logged, with what was made of it shut down).
#include <cstdint>

#include "container/VoString.h"

class MGMain {
public:
    static constexpr const char* kCurrentDir = "CURRENT DIR:";
    static constexpr const char* kPlatformFailure = "Platform start-up failure.";
    static constexpr const char* kMissingData = "The data folder is missing: ";
    static constexpr const char* kMissingTextures = "The texture folder is missing: ";
    static constexpr const char* kMissingFonts = "The font list is missing: ";
    static constexpr const char* kPlatformLine = "The window could not be opened; see log.txt.";
    static constexpr const char* kProgramName = "mg_game: ";
    static constexpr const char16_t* kAddOnLine = u"Test Add-On.";
    static constexpr const char16_t* kTextureRoot = u"//textures";
    static constexpr const char16_t* kTitle = u"Test";
    static constexpr const char* kWindowedFlag = "--windowed";
    static constexpr const char* kWindowedVariable = "VO_WINDOWED";

    static constexpr int kExitMissingData = 2;
    static constexpr int kExitPlatformFailure = 3;

    MGMain() = delete;

    // The whole program with the working directory as the game's root; the
    // exit code.
    static int Run(bool aWindowed);

    // Adds the twelve creators to the registry, each whatever the others
    // did; true when all twelve were accepted.
    static bool RegisterCreators();
    // The ten aliases on aGameRoot and its "data" folder; true when all were
    // mounted (start-up goes on either way).
    static bool MountDataTree(const VoString& aGameRoot);
    // The first of the data folder, the texture folder and the font list
    // missing under aGameRoot, as the line that says so; empty when all are
    // there.
    static VoString FindMissingData(const VoString& aGameRoot);
    // The platform with the application, the main loop and the teardown;
    // the exit code.
    static int RunApplication(bool aWindowed);
    // Handed to the platform: writes the plain line "Test Add-On.".
    static void AddOnCallback();
    // "--windowed" among the arguments, or VO_WINDOWED set to anything but
    // "" and "0".
    static bool WantsWindow(int aCount, const char* const* apArguments);

    // The allocation counter's readings that bound the last leak report: the
    // first after Initialize, the second after the clean-up (0 before a run).
    static std::int32_t GetLeakWindowStart();
    static std::int32_t GetLeakWindowEnd();
};
