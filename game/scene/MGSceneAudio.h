#pragma once
// A scene's music and ambient sounds, from the "audio.txt" of its folder:
//     audio
//         scene           items that play in every viewpoint
//             <entry>     an item (see MGSceneAudioItem for its keys)
//         <viewpoint id>  items of that viewpoint only
// A looping item plays from Start on; any other is scheduled: it plays at a
// random time between its minimum and maximum interval from now, and again
// after each end. The schedule starts at most one item per frame, the
// earliest first (equal times in the order they were scheduled).
//
// The options switch entries off: option 3 the entry whose id is "music"
// (any case), option 4 every other; the options' volume scales every item.
//
// A viewpoint change replaces the viewpoint's items. One still playing a
// sound that does not loop is retired: it finishes its sound and is then
// deleted, never scheduled again.
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "stdlib/VoIFrameListener.h"

class MGSceneAudioItem;
class VoITimer;
class VoPropertyList;

class MGSceneAudio : public VoBase, public VoIFrameListener {
public:
    static constexpr const char16_t* kFileName = u"audio.txt";
    static constexpr const char16_t* kSceneSection = u"audio.scene";
    static constexpr const char16_t* kSectionPrefix = u"audio.";
    static constexpr const char16_t* kMusicId = u"music";
    static constexpr int kMusicOption = 3;
    static constexpr int kAmbienceOption = 4;
    static constexpr float kFrameOrder = 0.0f;

    // On the engine timer; seeds the runtime's random generator.
    MGSceneAudio();
    // On apTimer instead (not owned, outlives us).
    explicit MGSceneAudio(VoITimer* apTimer);
    MGSceneAudio(const MGSceneAudio&) = delete;
    MGSceneAudio& operator=(const MGSceneAudio&) = delete;
    // Leaves the frame manager; deletes the file, every item (their sounds
    // stop) and the schedule.
    ~MGSceneAudio() override;

    // Reads aDirectory + "audio.txt" and makes the scene's items in place of
    // everything held; false, nothing kept, when the file cannot be read.
    bool Load(const VoString& aDirectory);
    // The same over a file already parsed, which is kept (owned from then
    // on; null is refused).
    bool LoadList(VoPropertyList* apData);
    // Plays the looping items, schedules the others anew (scene items, then
    // the viewpoint's) and joins the frame manager.
    void Start();
    // Replaces the viewpoint's items by those of "audio." + aViewpointId
    // (retiring the ones still playing a sound that does not loop), then
    // Start. Always true.
    bool SetViewpoint(const VoString& aViewpointId);
    // Leaves the frame manager; sounds that play go on until deleted.
    void Stop();
    // An item's sound has ended: a scene or viewpoint item is scheduled
    // again, a retired one deleted.
    void Reschedule(MGSceneAudioItem* apItem);

    // Starts the first scheduled item when its time has passed.
    void OnUpdate() override;

    // Null when there is no such item.
    MGSceneAudioItem* GetSceneItem(const VoString& aId);
    MGSceneAudioItem* GetViewpointItem(const VoString& aId);
    int GetSceneItemCount() const { return fSceneItems.GetCount(); }
    int GetViewpointItemCount() const { return fViewpointItems.GetCount(); }
    int GetRetiredItemCount() const { return fRetiredItems.GetCount(); }
    // The schedule, earliest first.
    int GetScheduleCount() const { return fScheduleIds.GetCount(); }
    VoString GetScheduledId(int aIndex) const { return fScheduleIds.GetAt(aIndex); }
    float GetScheduledTime(int aIndex) const { return fScheduleTimes.GetAt(aIndex); }
    bool IsStarted() const { return fInFrames; }

    VoString ToString() const override;

private:
    // Items for the entries of the section that the options leave on.
    void AddItems(const VoString& aSection, VoHashKeyList& aItems, bool aFiltered);
    static bool SwitchedOff(const VoString& aId);
    // Files (t, id) after every entry due at or before t.
    void Schedule(MGSceneAudioItem* apItem);
    // Deletes the items of the list and empties it.
    static void DeleteItems(VoHashKeyList& aItems);
    void DeleteRetired();
    double Now();

    VoPropertyList* fpData = nullptr;  // owned
    VoHashKeyList fSceneItems;         // MGSceneAudioItem, owned
    VoHashKeyList fViewpointItems;     // MGSceneAudioItem, owned
    // MGSceneAudioItem, owned: kept by address, since a retired item may
    // share its id with a later one.
    VoVector fRetiredItems;
    VoVectorString fScheduleIds;
    VoVectorFloat fScheduleTimes;  // timer seconds, ascending
    VoITimer* fpTimer;             // not owned; null for the engine timer
    bool fInFrames = false;
};
