// Start-up of the game. For now it brings up the engine foundation, logs the
// working directory and the memory manager's report, and exits.
#include <filesystem>
#include <system_error>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "memory/VoMemoryManager.h"

namespace {

constexpr const char* kCurrentDir = "CURRENT DIR:";

VoString CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    return VoString(error ? "" : directory.c_str());
}

}  // namespace

int main() {
    // The first allocation brings up the memory manager.
    VO_NOTE(kCurrentDir, CurrentDirectory());

    // Only blocks allocated between these two readings count as leaks.
    const std::int32_t start = VoMemoryManager::GetAllocationCounter();
    const std::int32_t end = VoMemoryManager::GetAllocationCounter();
    VoMemoryManager::ReportStatistics(0);
    VoMemoryManager::ReportLeaks(0, start, end);
    return 0;
}
