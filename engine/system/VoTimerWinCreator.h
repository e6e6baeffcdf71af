#pragma once
// Makes the engine timer under the id "timer"; the object manager initialises it.
#include "object/VoServiceCreator.h"
#include "system/VoTimerWin.h"

class VoTimerWinCreator : public VoServiceCreator<VoTimerWin, VoServiceInit::kNone> {
public:
    static constexpr const char16_t* kId = u"timer";

    VoTimerWinCreator() : VoServiceCreator(kId, "VoTimerWinCreator") {}
};
