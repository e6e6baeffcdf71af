// Start-up of the game. For now it brings up the engine foundation, registers
// the engine's object creators, logs the working directory, shuts the engine
// down and writes the memory manager's report.
#include <filesystem>
#include <system_error>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "memory/VoMemoryManager.h"
#include "object/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"

namespace {

constexpr const char* kCurrentDir = "CURRENT DIR:";
constexpr const char* kRegisterFailure = "RegisterCreators failure.";

VoString CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    return VoString(error ? "" : directory.c_str());
}

}  // namespace

int main() {
    // The first allocation brings up the memory manager; the registry is the
    // first singleton the engine cleaner takes, so it is deleted last.
    if (!VoStartupCreators::Register()) {
        VO_ERROR(kRegisterFailure);
    }
    VO_NOTE(kCurrentDir, CurrentDirectory());

    // Only blocks allocated between these two readings count as leaks.
    const std::int32_t start = VoMemoryManager::GetAllocationCounter();
    // The engine cleaner deletes the engine's singletons, newest first.
    delete VoCleaner::PeekInstance();
    const std::int32_t end = VoMemoryManager::GetAllocationCounter();
    VoMemoryManager::ReportStatistics(0);
    VoMemoryManager::ReportLeaks(0, start, end);
    return 0;
}
