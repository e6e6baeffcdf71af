#pragma once
// Moves a character's face while a voice line plays: the line's lip-sync
// data (one weight track per face channel) and 27 one-pose animations, one
// per channel, named after it ("Phoneme_Bump.lia", ...). The draw element it
// is attached to calls Update every frame right after the body animation has
// posed the frames and before they are placed, so the face lies over the
// body pose.
//
// Update: for each track, in order, the weight w at the player's clock time
// comes from the track's keys (VoLipSyncTrack::Sample: linear between the
// two keys about the time; nothing once its last key is passed); then every
// frame that a track of the channel's pose names (by name hash) keeps its
// scale, turns from its current rotation towards the pose's rotation key 0
// by w, and takes the pose's position key 0 as its translation. Only key 0
// of a pose is used; each channel starts from what the previous ones left.
//
// The player never stops by itself: once every track has ended it goes on
// playing without effect until its owner stops and deletes it.
#include <cstdint>

#include "container/VoString.h"
#include "scene/VoILipSyncHook.h"

class VoAnimation;
class VoDrawElement;
class VoITimer;
class VoLipSyncData;
class VoStopWatch;

class VoLipSyncPlayer : public VoILipSyncHook {
public:
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kNoData = "No data found.";
    static constexpr const char* kAnimationNotFound = "Animation file not found.";
    // Logged once per track and data when its channel has no pose.
    static constexpr const char* kNoPose = "";
    static constexpr const char* kCouldNotAllocate = "Could not allocate the key cursors.";
    static constexpr const char16_t* kPoseEnding = u".lia";
    static constexpr std::int32_t kPoseCount = 27;

    // The clock runs on the engine timer; no data, poses or element.
    VoLipSyncPlayer();
    // The clock runs on apTimer (not owned, outlives the player).
    explicit VoLipSyncPlayer(VoITimer* apTimer);
    // Stops, then deletes the clock, the data, the cursors and the poses.
    ~VoLipSyncPlayer() override;
    VoLipSyncPlayer(const VoLipSyncPlayer&) = delete;
    VoLipSyncPlayer& operator=(const VoLipSyncPlayer&) = delete;

    // Replaces the data by the file's (VoLipSyncData::LoadFile) with a
    // cursor at the first key of each track. False, without data, when the
    // file does not load.
    bool LoadData(bool aSerialised, const VoString& aPath, bool aMapToNative);
    // Replaces the poses by the 27 files aDirectory + separator + channel
    // name + ".lia", the separator "/" with aMapToNative, else "\". The first
    // file that does not load logs kAnimationNotFound and gives false; the
    // poses loaded before it stay.
    bool LoadAnimations(const VoString& aDirectory, bool aMapToNative);
    // Takes the data (owned from then on; the old is deleted) with fresh
    // cursors. Null: kNullArg asserted, false.
    bool SetData(VoLipSyncData* apData);
    // The element whose frames are posed (not owned). Null: kNullArg
    // asserted, false.
    bool SetDrawElement(VoDrawElement* apElement);
    // Takes the pose of a channel (owned from then on; the old is deleted);
    // for poses made in code. False for a channel outside 0..26.
    bool SetPose(std::int32_t aChannel, VoAnimation* apPose);

    // Without data: kNoData asserted, nothing else. After Pause the clock
    // goes on from where it stood; otherwise it starts again from 0.
    void Play();
    // Freezes the clock (once). True.
    bool Pause();
    // Every cursor back to the first key; neither playing nor paused. True.
    bool Stop();
    // Poses the element's frames for the clock's time (see above); nothing
    // unless playing and not paused. True.
    bool Update() override;

    bool IsPlaying() const { return fPlaying; }
    bool IsPaused() const { return fPaused; }
    VoLipSyncData* GetData() const { return fpData; }
    VoDrawElement* GetDrawElement() const { return fpElement; }
    // Null outside 0..26 and for a channel without pose.
    VoAnimation* GetPose(std::int32_t aChannel) const;
    // The track's key cursor; -1 outside the tracks.
    std::int32_t GetCursor(std::int32_t aTrack) const;

private:
    void FreePoses();
    // Fresh cursors and reports for the data's tracks; false when memory runs out.
    bool ResetCursors();
    // Lays the pose over the element's frames by aWeight.
    void ApplyPose(const VoAnimation* apPose, float aWeight);

    VoStopWatch* fpClock;   // owned
    VoLipSyncData* fpData;  // owned; null without data
    bool fPlaying;
    bool fPaused;
    std::int32_t* fpCursors;   // owned, one per track of the data
    std::uint8_t* fpReported;  // owned, one per track: kNoPose already logged
    std::int32_t fCursorCount;
    VoDrawElement* fpElement;          // not owned: the element whose frames are posed
    VoAnimation* fpPoses[kPoseCount];  // owned, by channel; null where none loaded
};
