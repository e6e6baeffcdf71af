#include "scene/MGSceneAudioItem.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "scene/MGRandomWait.h"
#include "scene/MGSceneAudio.h"
#include "util/MGOptions.h"

namespace {

const VoString kId(u"id");
const VoString kSounds(u"sounds");
const VoString kVolume(u"volume");
const VoString kLooping(u"looping");
const VoString kMinInterval(u"minInterval");
const VoString kMaxInterval(u"maxInterval");

}  // namespace

MGSceneAudioItem::MGSceneAudioItem() {
    MGRandomWait::Seed();
}

MGSceneAudioItem::~MGSceneAudioItem() {
    if (fpPlayer != nullptr) {
        fpPlayer->Stop();
        delete fpPlayer;
    }
}

bool MGSceneAudioItem::Load(VoPropertyList* apEntry, MGSceneAudio* apOwner) {
    bool found = false;
    const VoString id = apEntry != nullptr ? apEntry->GetString(kId, &found) : VoString();
    if (!found) {
        return false;
    }
    fId = id;
    fpOwner = apOwner;
    fSounds = apEntry->GetVectorString(kSounds, &found);
    VO_ASSERT(found, kNoSounds);

    MGOptions* options = MGOptions::GetInstance();
    const float optionsVolume = options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume;
    const float volume = apEntry->GetFloat(kVolume, &found);
    fVolume = found ? volume * optionsVolume : optionsVolume;

    fLooping = apEntry->GetBool(kLooping, nullptr);
    if (fLooping) {
        fMinInterval = -1.0f;
        fMaxInterval = -1.0f;
    } else {
        fMinInterval = apEntry->GetFloat(kMinInterval, &found);
        VO_ASSERT(found, kNoMinInterval);
        fMaxInterval = apEntry->GetFloat(kMaxInterval, &found);
        VO_ASSERT(found, kNoMaxInterval);
    }
    return true;
}

void MGSceneAudioItem::Play() {
    if (fpPlayer != nullptr || fSilenced || fSounds.GetCount() == 0) {
        return;
    }
    const int count = fSounds.GetCount();
    const int index = count > 1 ? MGRandomWait::Next() % count : 0;
    VoString path(kSoundRoot);
    path.Append(fSounds.GetAt(index));
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpPlayer = sounds != nullptr ? sounds->CreateStream(fId, path) : nullptr;
    if (fpPlayer == nullptr) {
        // The manager has said why; trying again would only say it again.
        fSilenced = true;
        return;
    }
    fpPlayer->SetListener(this);
    fpPlayer->SetLoopCount(fLooping);
    fpPlayer->Play();
    fpPlayer->SetVolume(fVolume);
}

void MGSceneAudioItem::OnSoundEnd(const VoString&) {
    delete fpPlayer;
    fpPlayer = nullptr;
    if (fpOwner != nullptr) {
        fpOwner->Reschedule(this);
    }
}

VoString MGSceneAudioItem::ToString() const {
    return VoDebugString("MGSceneAudioItem", this);
}
