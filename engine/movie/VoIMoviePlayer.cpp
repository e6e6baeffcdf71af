#include "movie/VoIMoviePlayer.h"

bool VoIMoviePlayer::Reserved(std::uint32_t) {
    return true;
}

VoITexture* VoIMoviePlayer::GetTexture() {
    return fpTexture;
}

std::uint32_t VoIMoviePlayer::GetTextureHandle() {
    return fTextureHandle;
}

std::int32_t VoIMoviePlayer::GetWidth() {
    return fWidth;
}

std::int32_t VoIMoviePlayer::GetHeight() {
    return fHeight;
}

void VoIMoviePlayer::SetLooping(bool aLooping) {
    fLooping = aLooping;
}

std::int32_t VoIMoviePlayer::GetFrameRate() {
    return fFrameRate;
}

void VoIMoviePlayer::ClearListener() {
    fpListener = nullptr;
}

void VoIMoviePlayer::SetListener(VoIMovieListener* apListener) {
    fpListener = apListener;
}
