#include "puzzles/MGPuzzleVoice.h"

#include "container/VoPropertyList.h"
#include "gdi/VoFontManager.h"
#include "interview/MGSubtitle.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "util/MGOptions.h"

VoString MGPuzzleVoice::LinePath(const VoString& aLine) {
    VoString path(kSoundRoot);
    path.Append(aLine);
    path.Append(kSoundExtension);
    return path;
}

bool MGPuzzleVoice::FindSubtitle(const VoString& aLine, VoString* apText) {
    VoPropertyList subtitles;
    if (!subtitles.Load(VoString(kSubtitleFile), true)) {
        return false;
    }
    bool found = false;
    *apText = subtitles.GetString(aLine, &found);
    return found;
}

VoISoundPlayer* MGPuzzleVoice::CreateStream(const char16_t* apStreamName, const VoString& aPath,
                                            VoISoundListener* apListener) {
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    VoISoundPlayer* player =
        sounds != nullptr ? sounds->CreateStream(VoString(apStreamName), aPath) : nullptr;
    if (player == nullptr) {
        return nullptr;
    }
    if (apListener != nullptr) {
        player->SetListener(apListener);
    }
    MGOptions* options = MGOptions::GetInstance();
    player->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    return player;
}

bool MGPuzzleVoice::PlayLine(const VoString& aLine, const char16_t* apStreamName,
                             VoISoundListener* apListener) {
    return PlayLine(aLine, apStreamName, apListener, kSubtitleFont, false);
}

bool MGPuzzleVoice::PlayLine(const VoString& aLine, const char16_t* apStreamName,
                             VoISoundListener* apListener, const char16_t* apFont, bool aHoldSubtitle) {
    Stop();
    fpPlayer = CreateStream(apStreamName, LinePath(aLine), apListener);
    if (fpPlayer == nullptr) {
        return false;
    }
    VoString text;
    MGSubtitle* subtitle = FindSubtitle(aLine, &text) ? MGSubtitle::GetInstance() : nullptr;
    if (subtitle != nullptr) {
        VoFontManager* fonts = VoFontManager::GetInstance();
        subtitle->SetText(text, fonts != nullptr ? fonts->GetFont(VoString(apFont)) : nullptr);
        subtitle->SetPosition(kSubtitleX, kSubtitleY);
        if (aHoldSubtitle) {
            subtitle->SkipNextHide();
        }
        fSubtitleShown = subtitle->Show();
    }
    fpPlayer->Play();
    return true;
}

bool MGPuzzleVoice::PlaySound(const char16_t* apStreamName, const VoString& aPath,
                              VoISoundListener* apListener) {
    Stop();
    fpPlayer = CreateStream(apStreamName, aPath, apListener);
    if (fpPlayer == nullptr) {
        return false;
    }
    fpPlayer->Play();
    return true;
}

void MGPuzzleVoice::Stop() {
    delete fpPlayer;
    fpPlayer = nullptr;
    if (fSubtitleShown) {
        fSubtitleShown = false;
        if (MGSubtitle* subtitle = MGSubtitle::PeekInstance()) {
            subtitle->Hide();
        }
    }
}
