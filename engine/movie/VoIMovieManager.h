#pragma once
// The engine's movie service: makes movie players of two kinds. A full-screen
// movie copies each frame straight into the back buffer when the display
// tree draws it; a texture movie decodes into a texture once per frame, so
// sprites can show it inside a scene or a screen.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoIMoviePlayer;

class VoIMovieManager : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "VoIMovieManager creation failure.";

    // The one movie manager, made on first use by the "moviemanager" creator
    // through the API-object manager (with the argument 0) and owned by the
    // engine cleaner. Null once the cleaner has deleted it.
    static VoIMovieManager* GetInstance();

    ~VoIMovieManager() override = default;

    bool Initialize(std::uintptr_t aArgument) override;
    // A player of the movie at the engine path aPath, already open, with the
    // display id aId; owned by the caller. Null without a message when there
    // is no such file, null (logged) when it cannot be opened.
    virtual VoIMoviePlayer* CreateFullScreenMovie(const VoString& aId, const VoString& aPath) = 0;
    virtual VoIMoviePlayer* CreateTextureMovie(const VoString& aId, const VoString& aPath) = 0;

protected:
    VoIMovieManager() = default;
};
