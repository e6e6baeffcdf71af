#pragma once
// Our software mixer: the sound system behind the engine's sound manager. Up
// to 32 channels play samples (decoded whole at load) and streams (decoded
// block by block as they play) at a linear gain of volume / 255, resampled
// linearly from each file's rate to the output rate; mono is sent to both
// sides, files of more channels give their front left and right. The mixed
// stereo output is clamped to -1 .. 1.
//
// Output goes to the audio device, whose thread calls Mix; in pull mode
// (SetUseDevice(false) before Init) nothing calls Mix but the owner, which
// steps the mixer by hand and gets exact frames: the tests do so.
//
// Threads: every call but Mix comes from the main thread; Mix runs on the
// audio thread. One lock guards the channels and everything they play.
// Nothing on the audio thread allocates: the channels are a fixed table in
// the mixer itself, each stream's decoding block and each feed's queue are
// allocated when the stream or feed is opened, and Mix writes straight into
// the device's buffer.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/port/VoISoundSystem.h"
#include "platform/port/VoSoundDevice.h"

class VoSoundMixer : public VoISoundSystem {
public:
    static constexpr std::int32_t kMaxChannels = 32;
    // Frames a stream decodes at a time.
    static constexpr std::int32_t kStreamBlockFrames = 2048;
    // In the log and on standard error, once in the mixer's life, when its
    // Init finds no audio device to play on (the sounds still run in time).
    static constexpr const char16_t* kNoDeviceLine = u"No audio device was found; the game runs silent.";

    // The process-wide mixer. Like the sound library it stands for, it
    // outlives every manager and player, so a player that outlives the sound
    // manager only meets stale handles.
    static VoSoundMixer& Get();

    VoSoundMixer() = default;
    VoSoundMixer(const VoSoundMixer&) = delete;
    VoSoundMixer& operator=(const VoSoundMixer&) = delete;
    ~VoSoundMixer() override;

    // Whether the next Init opens the audio device (the default) or leaves
    // the mixer in pull mode.
    void SetUseDevice(bool aUseDevice) { fUseDevice = aUseDevice; }
    bool IsDeviceOpen() const { return fDevice.IsOpen(); }
    bool IsInitialized() const { return fInitCount > 0; }

    // Overwrites aFrames stereo frames at apFrames with the mix of every
    // playing channel, advancing them; streams that reach their natural end
    // call their end callback from here.
    void Mix(float* apFrames, std::int32_t aFrames);

    // Channels now playing.
    std::int32_t GetPlayingCount();
    // The volume of a live channel; -1 for a stale one.
    std::int32_t GetChannelVolume(std::int32_t aChannel);

    // As LoadSample and OpenStream, from bytes in memory; a stream's bytes
    // (not owned) must outlive it.
    std::int32_t LoadSampleFromMemory(const void* apData, std::size_t aSize);
    std::int32_t OpenStreamFromMemory(const void* apData, std::size_t aSize);

    // Feeds: sound that its owner decodes and hands over as it goes (a
    // movie's sound track): stereo frames at the feed's own rate, queued in a
    // ring of aCapacityFrames allocated here. A playing feed that runs dry
    // plays silence and goes on; only StopFeed, CloseFeed and Close end it,
    // and it sends no end callback. The output volume is set as for any
    // channel (PlayFeed, SetVolume).
    std::int32_t OpenFeed(std::int32_t aRate, std::int32_t aCapacityFrames);
    bool CloseFeed(std::int32_t aFeed);
    // Queues up to aFrames stereo frames; the count taken: what does not fit
    // in the ring is dropped.
    std::int32_t WriteFeed(std::int32_t aFeed, const float* apFrames, std::int32_t aFrames);
    // Frames queued and not yet played; 0 for no feed.
    std::int32_t GetFeedQueued(std::int32_t aFeed);
    // Drops what is queued (the owner jumped elsewhere in its sound).
    bool ClearFeed(std::int32_t aFeed);
    // Plays what is queued and what comes later; the feed's channel, or -1.
    std::int32_t PlayFeed(std::int32_t aFeed, std::int32_t aVolume);
    // Halts the feed; what is queued stays for the next PlayFeed.
    bool StopFeed(std::int32_t aFeed);
    // The output's frames per second.
    std::int32_t GetOutputRate();

    // Init fails (but the mixer works, in pull mode) when the device should
    // open and does not; a rate below 1 fails. When only the stand-in output
    // opens, or none, the user is told (kNoDeviceLine).
    bool Init(std::int32_t aRate, std::int32_t aChannels) override;
    void Close() override;

    std::int32_t OpenStream(const char* apPath) override;
    bool CloseStream(std::int32_t aStream) override;
    bool SetStreamLoopCount(std::int32_t aStream, std::int32_t aCount) override;
    std::int32_t PlayStream(std::int32_t aStream, std::int32_t aVolume) override;
    bool StopStream(std::int32_t aStream) override;
    std::int32_t GetStreamTime(std::int32_t aStream) override;
    bool SetStreamTime(std::int32_t aStream, std::int32_t aMilliseconds) override;
    std::int32_t GetStreamLengthMs(std::int32_t aStream) override;
    bool SetStreamEndCallback(std::int32_t aStream, EndCallback aCallback, void* apUserData) override;

    std::int32_t LoadSample(const char* apPath) override;
    bool FreeSample(std::int32_t aSample) override;
    std::int32_t GetSampleLength(std::int32_t aSample) override;
    std::int32_t GetSampleDefaultFrequency(std::int32_t aSample) override;
    std::int32_t PlaySound(std::int32_t aSample, std::int32_t aVolume) override;

    bool StopSound(std::int32_t aChannel) override;
    bool SetVolume(std::int32_t aChannel, std::int32_t aVolume) override;
    bool GetCurrentLevels(std::int32_t aChannel, float* apLeft, float* apRight) override;
    std::int32_t GetCurrentPosition(std::int32_t aChannel) override;
    bool IsPlaying(std::int32_t aChannel) override;

private:
    struct Sample;
    struct Stream;
    struct Feed;

    // One output channel; free while !fActive. The serial tells its handles
    // from those of the sounds it played before.
    struct Channel {
        bool fActive = false;
        bool fEnded = false;  // ran past its last frame; freed by the Mix that saw it
        std::uint32_t fSerial = 0;
        Sample* fpSample = nullptr;  // not owned; what it plays, or
        Stream* fpStream = nullptr;  // not owned
        Feed* fpFeed = nullptr;      // not owned
        std::int32_t fVolume = kMaxVolume;
        float fGain = 1.0f;
        std::int32_t fLoopsLeft = 0;
        // Linear resampling: the output lies fPhase of the way from the frame
        // fPrev (at fPosition) to the frame fNext (fHasNext false past the end).
        float fPrev[2] = {0.0f, 0.0f};
        float fNext[2] = {0.0f, 0.0f};
        bool fHasNext = false;
        double fPhase = 0.0;
        double fStep = 1.0;
        std::int64_t fPosition = 0;
        std::int64_t fNextPosition = 0;
        std::int64_t fReadIndex = 0;  // a sample's next frame to fetch
        float fPeak[2] = {0.0f, 0.0f};
    };

    static void Fill(void* apMixer, float* apFrames, std::int32_t aFrames);

    std::int32_t AddSample(Sample* apSample);
    std::int32_t AddStream(Stream* apStream);
    Sample* FindSample(std::int32_t aHandle);
    Stream* FindStream(std::int32_t aHandle);
    Feed* FindFeed(std::int32_t aHandle);
    Channel* FindChannel(std::int32_t aHandle);
    // A free channel made ready at the volume (clamped); -1 when none is free.
    std::int32_t TakeChannel(std::int32_t aVolume);
    std::int32_t HandleOf(std::int32_t aIndex) const;
    std::int32_t NextHandle();
    void Start(Channel& aChannel, std::int64_t aPosition);
    bool Fetch(Channel& aChannel, float* apFrame, std::int64_t* apPosition);
    void MixChannel(Channel& aChannel, float* apFrames, std::int32_t aFrames);
    void Free(Channel& aChannel);
    void ReleaseAll();

    std::mutex fLock;
    // Built with the mixer and never reallocated: Mix, on the audio thread,
    // must not allocate through the engine's memory manager.
    Channel fChannels[kMaxChannels];
    std::vector<Sample*> fSamples;  // owned
    std::vector<Stream*> fStreams;  // owned
    std::vector<Feed*> fFeeds;      // owned
    VoSoundDevice fDevice;
    std::int32_t fInitCount = 0;
    std::int32_t fRate = 44100;
    std::int32_t fChannelCount = kMaxChannels;
    std::int32_t fNextHandle = 1;
    std::uint32_t fNextSerial = 1;
    bool fUseDevice = true;
    // kNoDeviceLine was said.
    bool fToldNoDevice = false;
};
