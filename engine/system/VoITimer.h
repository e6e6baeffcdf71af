#pragma once
// The engine timer: seconds since it started or was last reset, in steps of a
// millisecond. Double clicks, faders, tooltips, states and stopwatches read it.
#include "container/VoStreamObject.h"

class VoITimer : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "Timer creation failure.";
    static constexpr char16_t kDestructorLine[] = u"~VoITimer()";

    // The one timer, made on first use by the "timer" creator through the
    // API-object manager (with the argument 0) and owned by the engine
    // cleaner. Null once the cleaner has deleted it: objects that die after it
    // find no timer and never bring it back.
    static VoITimer* GetInstance();

    // Writes the plain line "~VoITimer()" to the log.
    ~VoITimer() override;

    bool Initialize(std::uintptr_t aArgument) override = 0;
    // Seconds since Initialize or the last Reset.
    virtual double GetTime() = 0;
    virtual bool Reset() = 0;

protected:
    VoITimer() = default;
};
