// Engine paths come from data files: resolution, mount-name checks and the
// read-only look-ups behind them must cope with any text. Each pair of input
// bytes is one 16-bit unit (little-endian), so units whose low byte is 0 and
// units above 0xFF reach the narrowing of paths too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "container/VoString.h"
#include "support/FuzzSupport.h"
#include "system/VoFileSystemWin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    static VoFileSystemWin* sFileSystem = [] {
        QuietFuzzLog();
        // Kept for the whole run (reachable, so no leak is reported).
        VoFileSystemWin* fileSystem = new VoFileSystemWin();
        fileSystem->Mount(VoString(u"//m"), VoString(u"."));
        return fileSystem;
    }();

    std::vector<char16_t> units;
    for (size_t i = 0; i + 1 < aSize && units.size() < 4096; i += 2) {
        const char16_t unit = static_cast<char16_t>(apData[i] | (apData[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        units.push_back(unit);
    }
    units.push_back(0);
    const VoString path(units.data());

    VoString native;
    sFileSystem->ResolvePath(path, native);
    sFileSystem->DirectoryExists(path, true);
    sFileSystem->GetFileSize(path, false);
    if (sFileSystem->Mount(path, VoString(u"/"))) {
        sFileSystem->Unmount(path);
    }
    return 0;
}
