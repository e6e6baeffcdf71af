// Start-up of the game. It registers the engine's object creators, logs the
// working directory, mounts the data tree's path aliases, gives the texture
// manager its root, opens the window (full screen unless "--windowed" is
// given or VO_WINDOWED is set to anything but "0") and runs the main loop
// with the sample screen until Escape or the window's closing. Then it shuts
// the engine down and writes the memory manager's report.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "MGSampleApp.h"
#include "container/VoLog.h"
#include "container/VoString.h"
#include "memory/VoMemoryManager.h"
#include "memory/VoNew.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "render/VoTextureManager.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr const char* kCurrentDir = "CURRENT DIR:";
constexpr const char* kRegisterFailure = "RegisterCreators failure.";
constexpr const char* kPlatformFailure = "Platform start-up failure.";
constexpr const char* kMountFailure = "Mount failure: ";
constexpr const char* kTextureRootFailure = "Texture root failure.";
constexpr char16_t kTextureRoot[] = u"//textures";
// Each mounted as "//" + name on the data tree's folder of that name.
constexpr const char* kDataFolders[] = {"textures", "meshes", "animations", "interviews",
                                        "sounds",   "scenes", "characters", "gestures"};
constexpr char16_t kAddOnLine[] = u"Test Add-On.";
constexpr const char* kWindowedFlag = "--windowed";
constexpr const char* kWindowedVariable = "VO_WINDOWED";

VoString CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    return VoString(error ? "" : directory.c_str());
}

bool WantsWindow(int aCount, char** apArguments) {
    for (int i = 1; i < aCount; ++i) {
        if (std::strcmp(apArguments[i], kWindowedFlag) == 0) {
            return true;
        }
    }
    const char* variable = std::getenv(kWindowedVariable);
    return variable != nullptr && *variable != '\0' && std::strcmp(variable, "0") != 0;
}

bool MountOne(VoIFileSystem* apFileSystem, const char* apName, const VoString& aDirectory) {
    VoString name("//");
    name.Append(apName);
    if (!apFileSystem->Mount(name, aDirectory)) {
        VO_ERROR(kMountFailure, name);
        return false;
    }
    return true;
}

// "//gameroot" on the working directory, "//dataroot" on its "data" folder
// and one alias per folder of the data tree.
bool MountDataTree(const VoString& aGameRoot) {
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    if (fileSystem == nullptr) {
        return false;
    }
    VoString dataRoot(aGameRoot);
    dataRoot.Append("/data");
    bool mounted = MountOne(fileSystem, "gameroot", aGameRoot);
    mounted = MountOne(fileSystem, "dataroot", dataRoot) && mounted;
    for (const char* folder : kDataFolders) {
        VoString directory(dataRoot);
        directory.Append("/");
        directory.Append(folder);
        mounted = MountOne(fileSystem, folder, directory) && mounted;
    }
    return mounted;
}

void AddOnCallback() {
    VoLog::WriteLine(kAddOnLine);
}

// The platform made, created, given the application and initialised; null
// (and nothing left behind) when any step fails.
VoIPlatform* StartPlatform(bool aWindowed) {
    VoIPlatform* platform = VoIPlatform::GetInstance();
    if (platform == nullptr) {
        return nullptr;
    }
    VoPlatformDesc desc;
    desc.fTitle = VoString("Test");
    desc.fWidth = 800;
    desc.fHeight = 600;
    desc.fBits = 32;
    desc.fWindowed = aWindowed;
    desc.fShowCommand = VoPlatformDesc::kShowNormal;
    if (!platform->Create(&desc)) {
        delete platform;
        return nullptr;
    }
    platform->SetApp(VO_NEW MGSampleApp());
    if (VoPlatformPCDX9* windows = dynamic_cast<VoPlatformPCDX9*>(platform)) {
        windows->SetCallback(AddOnCallback);
    }
    if (!platform->Initialize(0)) {
        delete platform;
        return nullptr;
    }
    return platform;
}

}  // namespace

int main(int aCount, char** apArguments) {
    // The first allocation brings up the memory manager; the registry is the
    // first singleton the engine cleaner takes, so it is deleted last.
    if (!VoStartupCreators::Register()) {
        VO_ERROR(kRegisterFailure);
    }
    const VoString gameRoot = CurrentDirectory();
    VO_NOTE(kCurrentDir, gameRoot);
    MountDataTree(gameRoot);
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures == nullptr || !textures->SetRoot(VoString(kTextureRoot))) {
        VO_ERROR(kTextureRootFailure);
    }

    VoIPlatform* platform = StartPlatform(WantsWindow(aCount, apArguments));
    // Without a platform (no display, no window) the program did not run.
    const int exitCode = platform != nullptr ? 0 : 1;
    if (platform == nullptr) {
        VO_ERROR(kPlatformFailure);
    }
    // Only blocks allocated between these two readings count as leaks.
    const std::int32_t start = VoMemoryManager::GetAllocationCounter();
    if (platform != nullptr) {
        platform->Run();
        delete platform;
    }
    // The engine cleaner deletes the engine's singletons, newest first.
    delete VoCleaner::PeekInstance();
    const std::int32_t end = VoMemoryManager::GetAllocationCounter();
    VoMemoryManager::ReportStatistics(0);
    VoMemoryManager::ReportLeaks(0, start, end);
    return exitCode;
}
