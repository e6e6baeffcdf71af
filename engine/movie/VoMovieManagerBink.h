#pragma once
// The movie manager on the port layer's movie decoder. Movie sound goes
// through our mixer: the manager opens it (44,100 Hz stereo over 32
// channels, as the sound manager does; the opens nest) when it is made and
// closes it when it is deleted.
#include <cstdint>

#include "movie/VoIMovieManager.h"
#include "movie/VoMoviePlayerBink.h"

class VoMovieManagerBink : public VoIMovieManager {
public:
    static constexpr char kCreateFullScreenFailure[] = "CreateFullScreenMovie failure: ";
    static constexpr char kCreateTextureFailure[] = "CreateTextureMovie failure: ";
    static constexpr std::int32_t kOutputRate = 44100;
    static constexpr std::int32_t kChannels = 32;

    // On the real ports.
    VoMovieManagerBink();
    // The players it makes play through aPorts.
    explicit VoMovieManagerBink(const VoMoviePlayerBink::Ports& aPorts);
    ~VoMovieManagerBink() override;

    // "[VoMovieManagerBink <address>]".
    VoString ToString() const override;

    VoIMoviePlayer* CreateFullScreenMovie(const VoString& aId, const VoString& aPath) override;
    VoIMoviePlayer* CreateTextureMovie(const VoString& aId, const VoString& aPath) override;

private:
    VoIMoviePlayer* Create(const VoString& aId, const VoString& aPath, bool aFullScreen,
                           const char* apFailure);

    VoMoviePlayerBink::Ports fPorts;
    VoSoundMixer* fpMixer;  // not owned
};
