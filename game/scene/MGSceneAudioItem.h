#pragma once
// One sound entry of a scene's "audio.txt" (see MGSceneAudio): a looping
// item plays without end; any other plays one of its sounds, chosen at
// random, whenever its owner's schedule says so, and tells the owner when
// that sound has ended so it can wait again.
//
// Keys of an entry:
//     id                       the item's id; an entry without it makes no item
//     sounds                   file names under "//dataroot/sounds/", "|" between them
//     looping                  bool, false when missing
//     minInterval, maxInterval seconds between the end of one play and the next
//     volume                   a factor of the options' volume (1 when missing)
//
// A sound that cannot be opened is logged by the sound manager once; the
// item stays silent from then on rather than trying again at every turn.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"
#include "platform/VoISoundListener.h"

class MGSceneAudio;
class VoISoundPlayer;
class VoPropertyList;

class MGSceneAudioItem : public VoBase, public VoISoundListener {
public:
    static constexpr const char16_t* kSoundRoot = u"//dataroot/sounds/";
    static constexpr const char* kNoSounds = "'sounds' not found.";
    static constexpr const char* kNoMinInterval = "'minInterval' not found.";
    static constexpr const char* kNoMaxInterval = "'maxInterval' not found.";

    // Seeds the runtime's random generator.
    MGSceneAudioItem();
    MGSceneAudioItem(const MGSceneAudioItem&) = delete;
    MGSceneAudioItem& operator=(const MGSceneAudioItem&) = delete;
    // Stops and deletes the player.
    ~MGSceneAudioItem() override;

    // Reads the entry; false (nothing kept) for null or an entry without
    // "id". apOwner (not owned, outlives the item) hears of each end.
    bool Load(VoPropertyList* apEntry, MGSceneAudio* apOwner);
    // Unless a sound plays already or the item was silenced: a stream of one
    // of the sounds, with this item as its listener, played once (looping
    // for a looping item) at the item's volume.
    void Play();
    // The player is deleted and the owner told (the owner may delete the
    // item: nothing of it is touched after that).
    void OnSoundEnd(const VoString& aName) override;

    bool IsPlaying() const { return fpPlayer != nullptr; }
    // A sound of the item could not be opened: it plays no more.
    bool IsSilenced() const { return fSilenced; }
    const VoString& GetId() const { return fId; }
    const VoVectorString& GetSounds() const { return fSounds; }
    bool IsLooping() const { return fLooping; }
    // -1 for a looping item.
    float GetMinInterval() const { return fMinInterval; }
    float GetMaxInterval() const { return fMaxInterval; }
    // The entry's "volume" times the options' volume.
    float GetVolume() const { return fVolume; }
    VoISoundPlayer* GetPlayer() const { return fpPlayer; }

    VoString ToString() const override;

private:
    VoString fId;
    VoVectorString fSounds;
    bool fLooping = false;
    float fMinInterval = -1.0f;
    float fMaxInterval = -1.0f;
    float fVolume = 1.0f;
    VoISoundPlayer* fpPlayer = nullptr;  // owned; null while silent
    MGSceneAudio* fpOwner = nullptr;     // not owned
    bool fSilenced = false;
};
