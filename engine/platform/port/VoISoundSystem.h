#pragma once
// The sound library as the engine's sound manager and players call it:
// samples (decoded whole into memory), streams (decoded as they play), and a
// fixed set of output channels that play them. Handles are plain integers:
// a sample or stream handle of 0 and a channel of -1 mean none. Every call
// comes from the main thread; only the end callback runs on the mixing thread.
//
// VoSoundMixer is the implementation; tests may stand a recording fake in
// its place.
#include <cstdint>

class VoISoundSystem {
public:
    // Runs on the mixing thread when a stream has played to its natural end
    // (never on a stop or a loop), with the mixer's lock held: it may only set
    // a flag.
    using EndCallback = void (*)(void* apUserData);

    static constexpr std::int32_t kNoChannel = -1;
    static constexpr std::int32_t kNoHandle = 0;
    // A loop count of -1 loops for ever; 0 plays once; n plays n + 1 times.
    static constexpr std::int32_t kLoopForever = -1;
    // Volume is a linear gain of volume / 255.
    static constexpr std::int32_t kMaxVolume = 255;

    virtual ~VoISoundSystem() = default;

    // Output of aRate frames per second (stereo) over up to aChannels
    // channels. Calls nest: only the Close that matches the first Init shuts
    // the output and forgets every sample and stream.
    virtual bool Init(std::int32_t aRate, std::int32_t aChannels) = 0;
    virtual void Close() = 0;

    // Streams. A stream plays on one channel at a time and keeps its time
    // (milliseconds) when stopped; its loop count starts at 0.
    virtual std::int32_t OpenStream(const char* apPath) = 0;
    virtual bool CloseStream(std::int32_t aStream) = 0;
    virtual bool SetStreamLoopCount(std::int32_t aStream, std::int32_t aCount) = 0;
    // From the stream's current time at aVolume; the stream's channel, or -1.
    virtual std::int32_t PlayStream(std::int32_t aStream, std::int32_t aVolume) = 0;
    // Halts the stream where it is; no end callback.
    virtual bool StopStream(std::int32_t aStream) = 0;
    virtual std::int32_t GetStreamTime(std::int32_t aStream) = 0;
    // Clamped to 0 .. length; also moves a playing stream.
    virtual bool SetStreamTime(std::int32_t aStream, std::int32_t aMilliseconds) = 0;
    virtual std::int32_t GetStreamLengthMs(std::int32_t aStream) = 0;
    // A null callback removes it.
    virtual bool SetStreamEndCallback(std::int32_t aStream, EndCallback aCallback, void* apUserData) = 0;

    // Samples: never loop, send no end callback.
    virtual std::int32_t LoadSample(const char* apPath) = 0;
    // Stops the channels that play it.
    virtual bool FreeSample(std::int32_t aSample) = 0;
    // In frames of the file.
    virtual std::int32_t GetSampleLength(std::int32_t aSample) = 0;
    // The file's own frame rate; 0 for no sample.
    virtual std::int32_t GetSampleDefaultFrequency(std::int32_t aSample) = 0;
    // On any free channel at aVolume; the channel, or -1 when none is free.
    virtual std::int32_t PlaySound(std::int32_t aSample, std::int32_t aVolume) = 0;

    // Channels. A channel handle goes stale when its sound ends or stops; a
    // stale handle is refused even once its channel plays something else.
    virtual bool StopSound(std::int32_t aChannel) = 0;
    // aVolume clamped to 0 .. 255.
    virtual bool SetVolume(std::int32_t aChannel, std::int32_t aVolume) = 0;
    // The peaks (0 .. 1) of the channel's output in the last mixed block;
    // false and zeros for a stale channel.
    virtual bool GetCurrentLevels(std::int32_t aChannel, float* apLeft, float* apRight) = 0;
    // In frames of the file; 0 for a stale channel.
    virtual std::int32_t GetCurrentPosition(std::int32_t aChannel) = 0;
    virtual bool IsPlaying(std::int32_t aChannel) = 0;
};
