#include "MGMain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "MGApp.h"
#include "container/VoLog.h"
#include "memory/VoMemoryManager.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "render/VoTextureManager.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "system/VoIFileSystem.h"
#include "util/MGCleaner.h"

namespace {

// Each mounted as "//" + name on the data folder's folder of that name.
constexpr const char* kDataFolders[] = {"textures", "meshes", "animations", "interviews",
                                        "sounds",   "scenes", "characters", "gestures"};
constexpr std::uint32_t kWidth = 800;
constexpr std::uint32_t kHeight = 600;
constexpr std::uint32_t kBits = 32;

std::int32_t gLeakWindowStart = 0;
std::int32_t gLeakWindowEnd = 0;

VoString Under(const VoString& aFolder, const char* apName) {
    VoString path(aFolder);
    path.Append("/");
    path.Append(apName);
    return path;
}

bool MountOne(VoIFileSystem* apFiles, const char* apName, const VoString& aDirectory) {
    VoString name("//");
    name.Append(apName);
    return apFiles->Mount(name, aDirectory);
}

// One line on standard error, as the user sees it, and in the log.
void Complain(const VoString& aLine) {
    std::string narrow;
    for (std::int32_t i = 0; i < aLine.GetLength(); ++i) {
        narrow.push_back(static_cast<char>(aLine.GetChars()[i] & 0xFF));
    }
    std::fprintf(stderr, "%s%s\n", MGMain::kProgramName, narrow.c_str());
    VO_ERROR(aLine);
}

// The game's singletons, then the engine's, newest first in each.
void DeleteCleaners() {
    delete MGCleaner::GetInstance();
    delete VoCleaner::GetInstance();
}

// Whatever of the platform was made goes, with everything made since
// start-up; the exit code says so.
// A failure the platform printed itself (no display, no window) is not told
// twice: the user sees one line.
int ShutDownAfterPlatformFailure(VoIPlatform* apPlatform, int aPrintedBefore) {
    VO_ERROR(MGMain::kPlatformFailure);
    delete apPlatform;
    DeleteCleaners();
    if (VoLog::GetPrintedLineCount() == aPrintedBefore) {
        std::fprintf(stderr, "%s%s\n", MGMain::kProgramName, MGMain::kPlatformLine);
    }
    return MGMain::kExitPlatformFailure;
}

}  // namespace

int MGMain::Run(bool aWindowed) {
    // The first allocation brings the memory manager up; the registry is the
    // first singleton the engine's cleaner takes, so it is deleted last.
    if (!RegisterCreators()) {
        VO_ASSERT_FAILURE("");
    }
    VoString gameRoot;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    if (files != nullptr) {
        files->GetCurrentDirectory(gameRoot);
    }
    VO_NOTE(kCurrentDir, gameRoot);
    MountDataTree(gameRoot);
    if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
        textures->SetRoot(VoString(kTextureRoot));
    }
    const VoString missing = FindMissingData(gameRoot);
    if (missing.GetLength() > 0) {
        Complain(missing);
        DeleteCleaners();
        return kExitMissingData;
    }
    return RunApplication(aWindowed);
}

bool MGMain::RegisterCreators() {
    return VoStartupCreators::Register();
}

bool MGMain::MountDataTree(const VoString& aGameRoot) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    if (files == nullptr) {
        return false;
    }
    const VoString dataRoot = Under(aGameRoot, "data");
    bool mounted = MountOne(files, "gameroot", aGameRoot);
    mounted = MountOne(files, "dataroot", dataRoot) && mounted;
    for (const char* folder : kDataFolders) {
        mounted = MountOne(files, folder, Under(dataRoot, folder)) && mounted;
    }
    return mounted;
}

VoString MGMain::FindMissingData(const VoString& aGameRoot) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString data = Under(aGameRoot, "data");
    const VoString textures = Under(data, "textures");
    const VoString fonts = Under(Under(textures, "fonts"), "fonts.txt");
    VoString line;
    if (files == nullptr || !files->DirectoryExists(data, false)) {
        line = VoString(kMissingData).Append(data);
    } else if (!files->DirectoryExists(textures, false)) {
        line = VoString(kMissingTextures).Append(textures);
    } else if (!files->FileExists(fonts, false)) {
        line = VoString(kMissingFonts).Append(fonts);
    }
    return line;
}

int MGMain::RunApplication(bool aWindowed) {
    const int printed = VoLog::GetPrintedLineCount();
    VoIPlatform* platform = VoIPlatform::GetInstance();
    if (platform == nullptr) {
        return ShutDownAfterPlatformFailure(nullptr, printed);
    }
    VoPlatformDesc desc;
    desc.fTitle = VoString(kTitle);
    desc.fWidth = kWidth;
    desc.fHeight = kHeight;
    desc.fBits = kBits;
    desc.fWindowed = aWindowed;
    desc.fShowCommand = VoPlatformDesc::kShowNormal;
    if (!platform->Create(&desc)) {
        return ShutDownAfterPlatformFailure(platform, printed);
    }
    MGApp* app = MGApp::GetInstance();
    if (app == nullptr) {
        return ShutDownAfterPlatformFailure(platform, printed);
    }
    platform->SetApp(app);
    if (VoPlatformPCDX9* windows = dynamic_cast<VoPlatformPCDX9*>(platform)) {
        windows->SetCallback(AddOnCallback);
    }
    if (!platform->Initialize(0)) {
        return ShutDownAfterPlatformFailure(platform, printed);
    }
    // Everything start-up and Init made is outside the leak report.
    gLeakWindowStart = VoMemoryManager::GetAllocationCounter();
    platform->Run();
    delete platform;
    DeleteCleaners();
    gLeakWindowEnd = VoMemoryManager::GetAllocationCounter();
    VoMemoryManager::ReportStatistics(0);
    VoMemoryManager::ReportLeaks(0, gLeakWindowStart, gLeakWindowEnd);
    return 0;
}

void MGMain::AddOnCallback() {
    VoLog::WriteLine(kAddOnLine);
}

bool MGMain::WantsWindow(int aCount, const char* const* apArguments) {
    for (int i = 1; i < aCount; ++i) {
        if (apArguments[i] != nullptr && std::strcmp(apArguments[i], kWindowedFlag) == 0) {
            return true;
        }
    }
    const char* variable = std::getenv(kWindowedVariable);
    return variable != nullptr && *variable != '\0' && std::strcmp(variable, "0") != 0;
}

std::int32_t MGMain::GetLeakWindowStart() {
    return gLeakWindowStart;
}

std::int32_t MGMain::GetLeakWindowEnd() {
    return gLeakWindowEnd;
}
