#pragma once
// The engine's sound service: makes sound players of ".wav", ".ogg" and
// ".mp2" files named by engine paths.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoISoundPlayer;

class VoISoundManager : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "VoISoundManager creation failure.";

    // The one sound manager, made on first use by the "soundmanager" creator
    // through the API-object manager (with the argument 0) and owned by the
    // engine cleaner. Null once the cleaner has deleted it.
    static VoISoundManager* GetInstance();

    ~VoISoundManager() override = default;

    bool Initialize(std::uintptr_t aArgument) override;
    // A player named aName holding the sample at aPath, owned by the caller;
    // null (logged) when the file cannot be loaded.
    virtual VoISoundPlayer* CreateSample(const VoString& aName, const VoString& aPath) = 0;
    // The same with a stream.
    virtual VoISoundPlayer* CreateStream(const VoString& aName, const VoString& aPath) = 0;

protected:
    VoISoundManager() = default;
};
