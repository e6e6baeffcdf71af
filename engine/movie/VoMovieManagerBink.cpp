#include "movie/VoMovieManagerBink.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/port/VoSoundMixer.h"
#include "system/VoIFileSystem.h"

VoMovieManagerBink::VoMovieManagerBink() : VoMovieManagerBink(VoMoviePlayerBink::Ports()) {}

VoMovieManagerBink::VoMovieManagerBink(const VoMoviePlayerBink::Ports& aPorts)
    : fPorts(aPorts), fpMixer(aPorts.fpMixer != nullptr ? aPorts.fpMixer : &VoSoundMixer::Get()) {
    // Without even the stand-in output the movies play silent; nothing more
    // can be done here.
    fpMixer->Init(kOutputRate, kChannels);
}

VoMovieManagerBink::~VoMovieManagerBink() {
    fpMixer->Close();
}

VoString VoMovieManagerBink::ToString() const {
    return VoDebugString("VoMovieManagerBink", this);
}

VoIMoviePlayer* VoMovieManagerBink::CreateFullScreenMovie(const VoString& aId, const VoString& aPath) {
    return Create(aId, aPath, true, kCreateFullScreenFailure);
}

VoIMoviePlayer* VoMovieManagerBink::CreateTextureMovie(const VoString& aId, const VoString& aPath) {
    return Create(aId, aPath, false, kCreateTextureFailure);
}

VoIMoviePlayer* VoMovieManagerBink::Create(const VoString& aId, const VoString& aPath, bool aFullScreen,
                                           const char* apFailure) {
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    if (fileSystem == nullptr || !fileSystem->FileExists(aPath, true)) {
        return nullptr;
    }
    VoString nativePath;
    if (!fileSystem->ResolvePath(aPath, nativePath)) {
        VO_ERROR(apFailure, aPath);
        return nullptr;
    }
    VoMoviePlayerBink* player = VO_NEW VoMoviePlayerBink(fPorts);
    if (player == nullptr) {
        VO_ERROR(apFailure, nativePath);
        return nullptr;
    }
    player->SetId(aId);
    if (!player->Open(nativePath, aFullScreen)) {
        VO_ERROR(apFailure, nativePath);
        delete player;
        return nullptr;
    }
    return player;
}
