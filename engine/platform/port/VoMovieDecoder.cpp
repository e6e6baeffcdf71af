#include "platform/port/VoMovieDecoder.h"

// FFmpeg's headers, and its functions from the libraries loaded at the first open.
#include "platform/port/VoFfmpegCalls.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "memory/VoNew.h"
#include "platform/port/VoSoundMixer.h"
#include "system/VoITimeSource.h"
#include "system/port/VoMonotonicClock.h"

namespace {

constexpr int kIoBufferSize = 32768;
// What our movies and the ".bik" movies are made of, and nothing more: every
// other demuxer and decoder stays out of reach of the files we are given.
constexpr char kFormats[] = "matroska,webm,bink";
constexpr char kCodecs[] =
    "ffv1,png,binkvideo,binkaudio_rdft,binkaudio_dct,pcm_s16le,pcm_s24le,pcm_f32le,flac,vorbis,opus,vp8,vp9,"
    "theora";
// Packets read for one picture before the frame counts as lost, so a damaged
// file cannot stall a frame for long.
constexpr int kMaxPacketsPerPicture = 1024;
constexpr int kMaxSoundChannels = 16;
constexpr int kMinSoundRate = 1000;
constexpr int kMaxSoundRate = 384000;
// Output frames of sound one decoded block may turn into.
constexpr int kMaxSoundBlock = 1 << 20;
constexpr double kMaxFrameRate = 1000.0;
// Whole-number rates stay whole: a container that stores 1 / 15 s in
// nanoseconds claims 14.99999985 frames per second.
constexpr int kMaxRateTerm = 100000;

void QuietLibraries() {
    // The libraries would write to stderr; failures reach our log through
    // the results instead.
    static const bool sQuiet = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)sQuiet;
}

std::int32_t MixerVolume(std::int32_t aVolume) {
    const std::int64_t volume = std::clamp<std::int64_t>(aVolume, 0, VoMovieDecoder::kFullVolume);
    return static_cast<std::int32_t>(volume * VoISoundSystem::kMaxVolume / VoMovieDecoder::kFullVolume);
}

// Where the container's bytes come from: a file, opened anew with each
// demuxer, or bytes in memory.
struct Source {
    std::string fPath;
    std::FILE* fpFile = nullptr;           // owned while a demuxer reads it
    const std::uint8_t* fpData = nullptr;  // not owned
    std::int64_t fSize = 0;
    std::int64_t fPosition = 0;
};

int ReadSource(void* apSource, std::uint8_t* apOut, int aSize) {
    Source& source = *static_cast<Source*>(apSource);
    if (aSize <= 0) {
        return AVERROR_EOF;
    }
    if (source.fpFile != nullptr) {
        const std::size_t count = std::fread(apOut, 1, static_cast<std::size_t>(aSize), source.fpFile);
        return count > 0 ? static_cast<int>(count) : AVERROR_EOF;
    }
    if (source.fPosition >= source.fSize) {
        return AVERROR_EOF;
    }
    const std::int64_t count = std::min<std::int64_t>(aSize, source.fSize - source.fPosition);
    std::memcpy(apOut, source.fpData + source.fPosition, static_cast<std::size_t>(count));
    source.fPosition += count;
    return static_cast<int>(count);
}

std::int64_t SeekSource(void* apSource, std::int64_t aOffset, int aWhence) {
    Source& source = *static_cast<Source*>(apSource);
    aWhence &= ~AVSEEK_FORCE;
    if (source.fpFile != nullptr) {
        if (aWhence == AVSEEK_SIZE) {
            struct stat status;
            return fstat(fileno(source.fpFile), &status) == 0 ? static_cast<std::int64_t>(status.st_size)
                                                              : -1;
        }
        if ((aWhence != SEEK_SET && aWhence != SEEK_CUR && aWhence != SEEK_END) ||
            fseeko(source.fpFile, static_cast<off_t>(aOffset), aWhence) != 0) {
            return -1;
        }
        return static_cast<std::int64_t>(ftello(source.fpFile));
    }
    std::int64_t base = 0;
    switch (aWhence) {
        case AVSEEK_SIZE:
            return source.fSize;
        case SEEK_SET:
            break;
        case SEEK_CUR:
            base = source.fPosition;
            break;
        case SEEK_END:
            base = source.fSize;
            break;
        default:
            return -1;
    }
    // Offsets come from the file's own fields: keep the sum from overflowing.
    if ((aOffset < 0 && aOffset < -base) || (aOffset > 0 && aOffset > source.fSize - base)) {
        return -1;
    }
    source.fPosition = base + aOffset;
    return source.fPosition;
}

// A container may name other files (playlists, references): none is opened.
int RefuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
    return AVERROR(EPERM);
}

bool IsAllowedDecoder(const AVCodec* apCodec) {
    return apCodec != nullptr && av_match_list(apCodec->name, kCodecs, ',') > 0;
}

}  // namespace

struct VoMovieDecoder::State {
    ~State() {
        CloseDemuxer();
        avcodec_free_context(&fpVideo);
        avcodec_free_context(&fpSound);
        sws_freeContext(fpScale);
        swr_free(&fpResample);
        av_channel_layout_uninit(&fSoundLayout);
        av_packet_free(&fpPacket);
        av_packet_free(&fpHeld);
        av_frame_free(&fpPending);
        av_frame_free(&fpSoundFrame);
        av_free(fpPicture);
    }

    bool OpenDemuxer();
    void CloseDemuxer();
    // The demuxer opened anew at the start; the decoders forget what they held.
    bool Rewind();
    void Flush();
    // The first video stream's fields; false when they break the limits.
    bool ReadVideoFields(const Limits& aLimits, std::uint32_t aFlags);
    // Reads every packet once: the frames' times and key frames.
    bool Scan(const Limits& aLimits);
    bool OpenVideo(const Limits& aLimits);
    // Sound is a bonus: a movie whose sound cannot be played plays silent.
    void OpenSound(VoSoundMixer* apMixer);
    // The next picture in presentation order; false when none comes.
    bool NextPicture(AVFrame* apFrame);
    // The next packet of the container into fpPacket, the held one first;
    // false at the end.
    bool ReadPacket();
    // Reads on up to the next video packet (held for its picture), so the
    // sound of the frame just decoded is with the mixer before it is due.
    void ReadSoundAhead();
    // The end of the container: what the decoders and the resampler still
    // hold comes out.
    void DrainSound();
    // The 1-based number of a decoded picture.
    std::uint32_t NumberOf(const AVFrame* apFrame);
    void DecodeSound(const AVPacket* apPacket);
    bool Convert(const AVFrame* apFrame, std::int64_t aMaxPixels);
    void Rebase(std::uint32_t aNow);

    Source fSource;
    std::int64_t fMaxPixels = 0;
    VoSoundMixer* fpMixer = nullptr;      // not owned
    AVIOContext* fpIo = nullptr;          // owned with its buffer
    AVFormatContext* fpFormat = nullptr;  // owned
    int fVideoIndex = -1;
    int fSoundIndex = -1;
    int fVideoCodec = AV_CODEC_ID_NONE;
    AVCodecContext* fpVideo = nullptr;  // owned
    AVCodecContext* fpSound = nullptr;  // owned
    SwsContext* fpScale = nullptr;      // owned
    SwrContext* fpResample = nullptr;   // owned
    AVChannelLayout fSoundLayout{};
    int fSoundFormat = -1;
    int fSoundRate = 0;
    AVPacket* fpPacket = nullptr;  // owned
    AVPacket* fpHeld = nullptr;    // owned: a video packet read ahead of its picture
    bool fHasHeld = false;
    AVFrame* fpPending = nullptr;     // owned: the next decoded picture, until its frame is current
    AVFrame* fpSoundFrame = nullptr;  // owned
    bool fHasPending = false;
    std::uint32_t fPendingNumber = 0;
    std::vector<float> fSoundBlock;

    std::int32_t fWidth = 0;
    std::int32_t fHeight = 0;
    std::uint8_t* fpPicture = nullptr;  // owned (av_malloc)
    std::int32_t fPitch = 0;
    bool fHasPicture = false;
    bool fSkipped = false;
    std::uint32_t fFlags = 0;

    // Presentation times of the frames in order (frame n at n - 1), when
    // every frame has one; without, frames are counted as they come.
    std::vector<std::int64_t> fTimes;
    bool fTimed = true;
    std::uint32_t fFrameCount = 0;
    std::vector<std::uint32_t> fKeyFrames;  // ascending frame numbers
    std::uint32_t fNextNumber = 1;          // of the next picture, when counting

    std::uint32_t fCurrent = 1;
    std::uint32_t fRate = 1;
    std::uint32_t fDivisor = 1;
    bool fDemuxEnd = false;
    bool fVideoDrained = false;
    bool fSoundDrained = false;
    bool fDropSound = false;

    bool fPaused = true;
    bool fStarted = false;
    std::uint32_t fStart = 0;  // when fScheduleFrame fell due
    std::uint32_t fPausedAt = 0;
    std::uint32_t fScheduleFrame = 1;

    std::int32_t fFeed = 0;
    std::int32_t fChannel = -1;
    std::int32_t fVolume = kFullVolume;
};

bool VoMovieDecoder::State::OpenDemuxer() {
    if (!fSource.fPath.empty()) {
        fSource.fpFile = std::fopen(fSource.fPath.c_str(), "rb");
        if (fSource.fpFile == nullptr) {
            return false;
        }
    }
    fSource.fPosition = 0;
    std::uint8_t* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferSize));
    if (buffer == nullptr) {
        return false;
    }
    fpIo = avio_alloc_context(buffer, kIoBufferSize, 0, &fSource, &ReadSource, nullptr, &SeekSource);
    if (fpIo == nullptr) {
        av_free(buffer);
        return false;
    }
    fpFormat = avformat_alloc_context();
    if (fpFormat == nullptr) {
        return false;
    }
    fpFormat->pb = fpIo;
    fpFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
    fpFormat->io_open = &RefuseNestedOpen;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kFormats, 0);
    av_dict_set(&options, "codec_whitelist", kCodecs, 0);
    // On failure the library frees the context (and nulls the pointer).
    const int opened = avformat_open_input(&fpFormat, "", nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        return false;
    }
    // Finding the streams' fields decodes a little of each: within the
    // pixel budget, whatever size the container claims.
    std::vector<AVDictionary*> decoderOptions(fpFormat->nb_streams, nullptr);
    for (AVDictionary*& streamOptions : decoderOptions) {
        av_dict_set_int(&streamOptions, "max_pixels", fMaxPixels, 0);
        av_dict_set(&streamOptions, "threads", "1", 0);
    }
    const int found =
        avformat_find_stream_info(fpFormat, decoderOptions.empty() ? nullptr : decoderOptions.data());
    for (AVDictionary*& streamOptions : decoderOptions) {
        av_dict_free(&streamOptions);
    }
    return found >= 0;
}

void VoMovieDecoder::State::CloseDemuxer() {
    avformat_close_input(&fpFormat);
    if (fpIo != nullptr) {
        av_freep(&fpIo->buffer);
        avio_context_free(&fpIo);
    }
    if (fSource.fpFile != nullptr) {
        std::fclose(fSource.fpFile);
        fSource.fpFile = nullptr;
    }
}

bool VoMovieDecoder::State::Rewind() {
    CloseDemuxer();
    Flush();
    fNextNumber = 1;
    if (!OpenDemuxer() || fVideoIndex >= static_cast<int>(fpFormat->nb_streams) ||
        fpFormat->streams[fVideoIndex]->codecpar->codec_id != fVideoCodec) {
        // The file changed under us: nothing more comes from it.
        CloseDemuxer();
        return false;
    }
    return true;
}

void VoMovieDecoder::State::Flush() {
    if (fpVideo != nullptr) {
        avcodec_flush_buffers(fpVideo);
    }
    if (fpSound != nullptr) {
        avcodec_flush_buffers(fpSound);
    }
    // What the resampler held belongs to the sound before the jump.
    if (fpResample != nullptr && swr_init(fpResample) < 0) {
        swr_free(&fpResample);
    }
    if (fHasPending) {
        av_frame_unref(fpPending);
        fHasPending = false;
    }
    if (fHasHeld) {
        av_packet_unref(fpHeld);
        fHasHeld = false;
    }
    fDemuxEnd = false;
    fVideoDrained = false;
    fSoundDrained = false;
}

bool VoMovieDecoder::State::ReadVideoFields(const Limits& aLimits, std::uint32_t aFlags) {
    fVideoIndex = av_find_best_stream(fpFormat, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (fVideoIndex < 0) {
        return false;
    }
    const AVStream* stream = fpFormat->streams[fVideoIndex];
    const AVCodecParameters* parameters = stream->codecpar;
    fVideoCodec = parameters->codec_id;
    fWidth = parameters->width;
    fHeight = parameters->height;
    if (fWidth < 1 || fHeight < 1 || fWidth > aLimits.fMaxSide || fHeight > aLimits.fMaxSide ||
        static_cast<std::int64_t>(fWidth) * fHeight > aLimits.fMaxPixels) {
        return false;
    }
    AVRational rate = stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0) {
        rate = stream->r_frame_rate;
    }
    if (rate.num <= 0 || rate.den <= 0 || !(av_q2d(rate) <= kMaxFrameRate)) {
        return false;
    }
    rate = av_d2q(av_q2d(rate), kMaxRateTerm);
    if (rate.num <= 0 || rate.den <= 0) {
        return false;
    }
    fRate = static_cast<std::uint32_t>(rate.num);
    fDivisor = static_cast<std::uint32_t>(rate.den);
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(parameters->format));
    const bool hasAlpha = format != nullptr && (format->flags & AV_PIX_FMT_FLAG_ALPHA) != 0;
    fFlags = hasAlpha ? (aFlags & kOpenAlpha) : 0;
    return true;
}

bool VoMovieDecoder::State::Scan(const Limits& aLimits) {
    struct Entry {
        std::int64_t fTime;
        bool fKey;
    };
    std::vector<Entry> entries;
    for (unsigned i = 0; i < fpFormat->nb_streams; ++i) {
        if (static_cast<int>(i) != fVideoIndex) {
            fpFormat->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    AVPacket* packet = av_packet_alloc();
    if (packet == nullptr) {
        return false;
    }
    bool withinLimits = true;
    while (withinLimits && av_read_frame(fpFormat, packet) >= 0) {
        if (packet->stream_index == fVideoIndex) {
            if (entries.size() >= aLimits.fMaxFrames) {
                withinLimits = false;
            } else {
                const std::int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
                entries.push_back({time, (packet->flags & AV_PKT_FLAG_KEY) != 0});
            }
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (!withinLimits || entries.empty()) {
        return false;
    }
    fTimed = std::none_of(entries.begin(), entries.end(),
                          [](const Entry& aEntry) { return aEntry.fTime == AV_NOPTS_VALUE; });
    if (fTimed) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& aA, const Entry& aB) { return aA.fTime < aB.fTime; });
        fTimes.reserve(entries.size());
        for (const Entry& entry : entries) {
            fTimes.push_back(entry.fTime);
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].fKey) {
            fKeyFrames.push_back(static_cast<std::uint32_t>(i + 1));
        }
    }
    fFrameCount = static_cast<std::uint32_t>(entries.size());
    return true;
}

bool VoMovieDecoder::State::OpenVideo(const Limits& aLimits) {
    const AVStream* stream = fpFormat->streams[fVideoIndex];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!IsAllowedDecoder(codec)) {
        return false;
    }
    fpVideo = avcodec_alloc_context3(codec);
    if (fpVideo == nullptr || avcodec_parameters_to_context(fpVideo, stream->codecpar) < 0) {
        return false;
    }
    // One thread: the movie decodes on the main thread, as everything else does.
    fpVideo->thread_count = 1;
    fpVideo->max_pixels = aLimits.fMaxPixels;
    fpVideo->pkt_timebase = stream->time_base;
    if (avcodec_open2(fpVideo, codec, nullptr) < 0) {
        return false;
    }
    fPitch = (fWidth * 4 + 63) / 64 * 64;
    fpPicture = static_cast<std::uint8_t*>(av_mallocz(static_cast<std::size_t>(fPitch) * fHeight));
    fpPacket = av_packet_alloc();
    fpHeld = av_packet_alloc();
    fpPending = av_frame_alloc();
    return fpPicture != nullptr && fpPacket != nullptr && fpHeld != nullptr && fpPending != nullptr;
}

void VoMovieDecoder::State::OpenSound(VoSoundMixer* apMixer) {
    fpMixer = apMixer;
    fSoundIndex = av_find_best_stream(fpFormat, AVMEDIA_TYPE_AUDIO, -1, fVideoIndex, nullptr, 0);
    if (fSoundIndex < 0) {
        fSoundIndex = -1;
        return;
    }
    const AVStream* stream = fpFormat->streams[fSoundIndex];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    bool ready = IsAllowedDecoder(codec);
    if (ready) {
        fpSound = avcodec_alloc_context3(codec);
        ready = fpSound != nullptr && avcodec_parameters_to_context(fpSound, stream->codecpar) >= 0;
    }
    if (ready) {
        fpSound->thread_count = 1;
        fpSound->pkt_timebase = stream->time_base;
        ready = avcodec_open2(fpSound, codec, nullptr) >= 0 && fpSound->sample_rate >= kMinSoundRate &&
                fpSound->sample_rate <= kMaxSoundRate && fpSound->ch_layout.nb_channels >= 1 &&
                fpSound->ch_layout.nb_channels <= kMaxSoundChannels;
    }
    const std::int32_t outputRate = apMixer->GetOutputRate();
    if (ready) {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        ready = av_channel_layout_copy(&fSoundLayout, &fpSound->ch_layout) >= 0 &&
                swr_alloc_set_opts2(&fpResample, &stereo, AV_SAMPLE_FMT_FLT, outputRate, &fSoundLayout,
                                    fpSound->sample_fmt, fpSound->sample_rate, 0, nullptr) >= 0 &&
                swr_init(fpResample) >= 0;
        fSoundFormat = fpSound->sample_fmt;
        fSoundRate = fpSound->sample_rate;
    }
    if (ready) {
        fpSoundFrame = av_frame_alloc();
        fFeed = fpSoundFrame != nullptr ? apMixer->OpenFeed(outputRate, outputRate * kFeedSeconds) : 0;
        ready = fFeed != 0;
    }
    if (!ready) {
        avcodec_free_context(&fpSound);
        swr_free(&fpResample);
        av_frame_free(&fpSoundFrame);
        fSoundIndex = -1;
    }
}

void VoMovieDecoder::State::DecodeSound(const AVPacket* apPacket) {
    if (fpSound == nullptr || fpResample == nullptr || avcodec_send_packet(fpSound, apPacket) < 0) {
        return;
    }
    while (avcodec_receive_frame(fpSound, fpSoundFrame) >= 0) {
        const AVFrame* frame = fpSoundFrame;
        // A block whose layout changed midway is left out rather than misread.
        if (!fDropSound && frame->nb_samples > 0 && frame->format == fSoundFormat &&
            frame->sample_rate == fSoundRate &&
            av_channel_layout_compare(&frame->ch_layout, &fSoundLayout) == 0) {
            const int capacity = swr_get_out_samples(fpResample, frame->nb_samples);
            if (capacity > 0 && capacity <= kMaxSoundBlock) {
                fSoundBlock.resize(static_cast<std::size_t>(capacity) * 2);
                std::uint8_t* out[1] = {reinterpret_cast<std::uint8_t*>(fSoundBlock.data())};
                const int converted =
                    swr_convert(fpResample, out, capacity,
                                const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
                if (converted > 0) {
                    fpMixer->WriteFeed(fFeed, fSoundBlock.data(), converted);
                }
            }
        }
        av_frame_unref(fpSoundFrame);
    }
}

bool VoMovieDecoder::State::ReadPacket() {
    if (fHasHeld) {
        av_packet_move_ref(fpPacket, fpHeld);
        fHasHeld = false;
        return true;
    }
    if (fDemuxEnd || fpFormat == nullptr) {
        return false;
    }
    if (av_read_frame(fpFormat, fpPacket) < 0) {
        fDemuxEnd = true;
        return false;
    }
    return true;
}

void VoMovieDecoder::State::DrainSound() {
    if (fSoundDrained) {
        return;
    }
    fSoundDrained = true;
    DecodeSound(nullptr);
    if (fpResample == nullptr || fDropSound) {
        return;
    }
    const int capacity = swr_get_out_samples(fpResample, 0);
    if (capacity > 0 && capacity <= kMaxSoundBlock) {
        fSoundBlock.resize(static_cast<std::size_t>(capacity) * 2);
        std::uint8_t* out[1] = {reinterpret_cast<std::uint8_t*>(fSoundBlock.data())};
        const int converted = swr_convert(fpResample, out, capacity, nullptr, 0);
        if (converted > 0) {
            fpMixer->WriteFeed(fFeed, fSoundBlock.data(), converted);
        }
    }
}

void VoMovieDecoder::State::ReadSoundAhead() {
    if (fpSound == nullptr || fHasHeld) {
        return;
    }
    for (int packets = 0; packets < kMaxPacketsPerPicture; ++packets) {
        if (!ReadPacket()) {
            if (fDemuxEnd) {
                DrainSound();
            }
            return;
        }
        if (fpPacket->stream_index == fVideoIndex) {
            av_packet_move_ref(fpHeld, fpPacket);
            fHasHeld = true;
            return;
        }
        if (fpPacket->stream_index == fSoundIndex) {
            DecodeSound(fpPacket);
        }
        av_packet_unref(fpPacket);
    }
}

bool VoMovieDecoder::State::NextPicture(AVFrame* apFrame) {
    if (fpFormat == nullptr) {
        return false;
    }
    int packets = 0;
    for (int pass = 0; pass < 2 * kMaxPacketsPerPicture; ++pass) {
        const int received = avcodec_receive_frame(fpVideo, apFrame);
        if (received >= 0) {
            return true;
        }
        if (received == AVERROR_EOF || packets >= kMaxPacketsPerPicture) {
            return false;
        }
        if (!ReadPacket()) {
            if (fVideoDrained) {
                return false;
            }
            fVideoDrained = true;
            avcodec_send_packet(fpVideo, nullptr);
            DrainSound();
            continue;
        }
        ++packets;
        if (fpPacket->stream_index == fVideoIndex) {
            // A damaged packet only costs its own picture.
            avcodec_send_packet(fpVideo, fpPacket);
        } else if (fpPacket->stream_index == fSoundIndex) {
            DecodeSound(fpPacket);
        }
        av_packet_unref(fpPacket);
    }
    return false;
}

std::uint32_t VoMovieDecoder::State::NumberOf(const AVFrame* apFrame) {
    if (fTimed) {
        const std::int64_t time =
            apFrame->best_effort_timestamp != AV_NOPTS_VALUE ? apFrame->best_effort_timestamp : apFrame->pts;
        if (time != AV_NOPTS_VALUE) {
            const auto at = std::lower_bound(fTimes.begin(), fTimes.end(), time);
            const std::uint32_t number =
                static_cast<std::uint32_t>(std::min<std::ptrdiff_t>(at - fTimes.begin(), fFrameCount - 1)) +
                1;
            fNextNumber = number + 1;
            return number;
        }
    }
    return fNextNumber++;
}

bool VoMovieDecoder::State::Convert(const AVFrame* apFrame, std::int64_t aMaxPixels) {
    if (apFrame->width < 1 || apFrame->height < 1 || apFrame->format < 0 ||
        static_cast<std::int64_t>(apFrame->width) * apFrame->height > aMaxPixels) {
        return false;
    }
    // A picture of another size than the movie's is scaled to it.
    fpScale =
        sws_getCachedContext(fpScale, apFrame->width, apFrame->height,
                             static_cast<AVPixelFormat>(apFrame->format), fWidth, fHeight, AV_PIX_FMT_BGRA,
                             SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (fpScale == nullptr) {
        return false;
    }
    std::uint8_t* planes[4] = {fpPicture, nullptr, nullptr, nullptr};
    const int pitches[4] = {fPitch, 0, 0, 0};
    if (sws_scale(fpScale, apFrame->data, apFrame->linesize, 0, apFrame->height, planes, pitches) <= 0) {
        return false;
    }
    if ((fFlags & kOpenAlpha) == 0) {
        for (std::int32_t y = 0; y < fHeight; ++y) {
            std::uint8_t* row = fpPicture + static_cast<std::ptrdiff_t>(y) * fPitch;
            for (std::int32_t x = 0; x < fWidth; ++x) {
                row[x * 4 + 3] = 0xFF;
            }
        }
    }
    return true;
}

void VoMovieDecoder::State::Rebase(std::uint32_t aNow) {
    fScheduleFrame = fCurrent;
    if (!fPaused) {
        fStart = aNow;
    } else if (fStarted) {
        // The resume adds the paused time to this.
        fStart = fPausedAt;
    }
}

VoMovieDecoder::VoMovieDecoder(VoITimeSource* apClock, VoSoundMixer* apMixer)
    : fpClock(apClock != nullptr ? apClock : &VoMonotonicClock::Get()),
      fpMixer(apMixer != nullptr ? apMixer : &VoSoundMixer::Get()) {}

VoMovieDecoder::~VoMovieDecoder() {
    Close();
}

bool VoMovieDecoder::OpenFile(const char* apPath, std::uint32_t aFlags) {
    Close();
    if (apPath == nullptr || apPath[0] == '\0' || !VoFfmpegLibrary::Load()) {
        return false;
    }
    State* state = VO_NEW State();
    if (state == nullptr) {
        return false;
    }
    state->fSource.fPath = apPath;
    return Open(state, aFlags);
}

bool VoMovieDecoder::OpenMemory(const void* apData, std::size_t aSize, std::uint32_t aFlags) {
    Close();
    if (apData == nullptr || aSize == 0 || !VoFfmpegLibrary::Load()) {
        return false;
    }
    State* state = VO_NEW State();
    if (state == nullptr) {
        return false;
    }
    state->fSource.fpData = static_cast<const std::uint8_t*>(apData);
    state->fSource.fSize = static_cast<std::int64_t>(aSize);
    return Open(state, aFlags);
}

bool VoMovieDecoder::Open(State* apState, std::uint32_t aFlags) {
    QuietLibraries();
    apState->fMaxPixels = fLimits.fMaxPixels;
    // The first demuxer counts the frames; a second one, from the start,
    // plays them.
    bool ready =
        apState->OpenDemuxer() && apState->ReadVideoFields(fLimits, aFlags) && apState->Scan(fLimits);
    if (ready) {
        apState->CloseDemuxer();
        ready =
            apState->OpenDemuxer() &&
            apState->fVideoIndex < static_cast<int>(apState->fpFormat->nb_streams) &&
            apState->fpFormat->streams[apState->fVideoIndex]->codecpar->codec_id == apState->fVideoCodec &&
            apState->OpenVideo(fLimits);
    }
    if (!ready) {
        delete apState;
        return false;
    }
    apState->OpenSound(fpMixer);
    fpState = apState;
    return true;
}

void VoMovieDecoder::Close() {
    if (fpState == nullptr) {
        return;
    }
    if (fpState->fFeed != 0) {
        fpMixer->CloseFeed(fpState->fFeed);
    }
    delete fpState;
    fpState = nullptr;
}

std::int32_t VoMovieDecoder::GetWidth() const {
    return fpState != nullptr ? fpState->fWidth : 0;
}

std::int32_t VoMovieDecoder::GetHeight() const {
    return fpState != nullptr ? fpState->fHeight : 0;
}

std::uint32_t VoMovieDecoder::GetFrameCount() const {
    return fpState != nullptr ? fpState->fFrameCount : 0;
}

std::uint32_t VoMovieDecoder::GetCurrentFrame() const {
    return fpState != nullptr ? fpState->fCurrent : 0;
}

std::uint32_t VoMovieDecoder::GetFrameRate() const {
    return fpState != nullptr ? fpState->fRate : 0;
}

std::uint32_t VoMovieDecoder::GetFrameRateDivisor() const {
    return fpState != nullptr ? fpState->fDivisor : 0;
}

std::uint32_t VoMovieDecoder::GetOpenFlags() const {
    return fpState != nullptr ? fpState->fFlags : 0;
}

std::int32_t VoMovieDecoder::GetSoundTrackCount() const {
    return fpState != nullptr && fpState->fFeed != 0 ? 1 : 0;
}

std::int32_t VoMovieDecoder::GetTrackId(std::int32_t aIndex) const {
    return aIndex == 0 && GetSoundTrackCount() > 0 ? fpState->fSoundIndex : -1;
}

bool VoMovieDecoder::SetVolume(std::int32_t aTrackId, std::int32_t aVolume) {
    if (GetSoundTrackCount() == 0 || aTrackId != fpState->fSoundIndex) {
        return false;
    }
    fpState->fVolume = aVolume;
    if (fpState->fChannel != -1) {
        fpMixer->SetVolume(fpState->fChannel, MixerVolume(aVolume));
    }
    return true;
}

std::int32_t VoMovieDecoder::GetSoundChannel() const {
    return fpState != nullptr ? fpState->fChannel : -1;
}

std::int32_t VoMovieDecoder::GetSoundFeed() const {
    return fpState != nullptr ? fpState->fFeed : 0;
}

void VoMovieDecoder::Pause(bool aPause) {
    if (fpState == nullptr || aPause == fpState->fPaused) {
        return;
    }
    State& state = *fpState;
    const std::uint32_t now = fpClock->GetMilliseconds();
    if (aPause) {
        state.fPaused = true;
        state.fPausedAt = now;
        if (state.fFeed != 0) {
            fpMixer->StopFeed(state.fFeed);
            state.fChannel = -1;
        }
        return;
    }
    if (state.fStarted) {
        state.fStart += now - state.fPausedAt;
    } else {
        state.fStarted = true;
        state.fStart = now;
        state.fScheduleFrame = state.fCurrent;
    }
    state.fPaused = false;
    if (state.fFeed != 0) {
        state.fChannel = fpMixer->PlayFeed(state.fFeed, MixerVolume(state.fVolume));
    }
}

bool VoMovieDecoder::IsPaused() const {
    return fpState == nullptr || fpState->fPaused;
}

bool VoMovieDecoder::Wait() {
    if (fpState == nullptr || fpState->fPaused) {
        return true;
    }
    const State& state = *fpState;
    const std::uint32_t elapsed = fpClock->GetMilliseconds() - state.fStart;
    const std::int64_t frames = static_cast<std::int64_t>(state.fCurrent) - state.fScheduleFrame;
    const std::int64_t due = frames * 1000 * state.fDivisor / state.fRate;
    return static_cast<std::int64_t>(elapsed) < due;
}

bool VoMovieDecoder::DoFrame() {
    if (fpState == nullptr) {
        return false;
    }
    State& state = *fpState;
    bool decoded = false;
    // A picture that belongs to a later frame waits for it; one of an earlier
    // frame is dropped.
    for (std::uint32_t tries = 0; tries <= state.fFrameCount; ++tries) {
        if (!state.fHasPending) {
            if (!state.NextPicture(state.fpPending)) {
                break;
            }
            state.fHasPending = true;
            state.fPendingNumber = state.NumberOf(state.fpPending);
        }
        if (state.fPendingNumber > state.fCurrent) {
            break;
        }
        if (state.fPendingNumber == state.fCurrent) {
            decoded = state.Convert(state.fpPending, fLimits.fMaxPixels);
        }
        av_frame_unref(state.fpPending);
        state.fHasPending = false;
        if (decoded) {
            break;
        }
    }
    state.ReadSoundAhead();
    state.fSkipped = !decoded;
    state.fHasPicture = state.fHasPicture || decoded;
    return decoded;
}

bool VoMovieDecoder::WasFrameSkipped() const {
    return fpState != nullptr && fpState->fSkipped;
}

void VoMovieDecoder::NextFrame() {
    if (fpState != nullptr && fpState->fCurrent < fpState->fFrameCount) {
        ++fpState->fCurrent;
    }
}

bool VoMovieDecoder::Goto(std::uint32_t aFrame) {
    if (fpState == nullptr || aFrame < 1 || aFrame > fpState->fFrameCount) {
        return false;
    }
    State& state = *fpState;
    const std::uint32_t key = GetKeyFrame(aFrame, false);
    bool positioned = false;
    if (state.fTimed && key > 1 && state.fpFormat != nullptr &&
        av_seek_frame(state.fpFormat, state.fVideoIndex, state.fTimes[key - 1], AVSEEK_FLAG_BACKWARD) >= 0) {
        state.Flush();
        state.fNextNumber = key;
        positioned = true;
    }
    if (!positioned && !state.Rewind()) {
        return false;
    }
    if (state.fFeed != 0) {
        fpMixer->ClearFeed(state.fFeed);
    }
    // Decoding forward to the frame: its sound is not heard.
    state.fDropSound = true;
    for (std::uint32_t i = 0; i < state.fFrameCount; ++i) {
        if (!state.NextPicture(state.fpPending)) {
            break;
        }
        const std::uint32_t number = state.NumberOf(state.fpPending);
        if (number >= aFrame) {
            state.fHasPending = true;
            state.fPendingNumber = number;
            break;
        }
        av_frame_unref(state.fpPending);
    }
    state.fDropSound = false;
    state.fCurrent = aFrame;
    state.Rebase(fpClock->GetMilliseconds());
    return true;
}

std::uint32_t VoMovieDecoder::GetKeyFrame(std::uint32_t aFrame, bool aNext) const {
    if (fpState == nullptr) {
        return 0;
    }
    const std::vector<std::uint32_t>& keys = fpState->fKeyFrames;
    if (aNext) {
        const auto at = std::lower_bound(keys.begin(), keys.end(), aFrame);
        return at != keys.end() ? *at : aFrame;
    }
    const auto after = std::upper_bound(keys.begin(), keys.end(), aFrame);
    return after != keys.begin() ? *(after - 1) : aFrame;
}

bool VoMovieDecoder::SetFrameRate(std::uint32_t aRate, std::uint32_t aDivisor) {
    if (fpState == nullptr || aRate == 0 || aDivisor == 0 || aRate / aDivisor > kMaxFrameRate) {
        return false;
    }
    fpState->fRate = aRate;
    fpState->fDivisor = aDivisor;
    fpState->Rebase(fpClock->GetMilliseconds());
    return true;
}

const std::uint8_t* VoMovieDecoder::GetPicture() const {
    return fpState != nullptr && fpState->fHasPicture ? fpState->fpPicture : nullptr;
}

std::int32_t VoMovieDecoder::GetPitch() const {
    return fpState != nullptr ? fpState->fPitch : 0;
}
