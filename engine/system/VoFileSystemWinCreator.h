#pragma once
// Makes the file system under the id "filesystem"; the object manager initialises it.
#include "object/VoServiceCreator.h"
#include "system/VoFileSystemWin.h"

class VoFileSystemWinCreator : public VoServiceCreator<VoFileSystemWin, VoServiceInit::kNone> {
public:
    static constexpr const char16_t* kId = u"filesystem";

    VoFileSystemWinCreator() : VoServiceCreator(kId, "VoFileSystemWinCreator") {}
};
