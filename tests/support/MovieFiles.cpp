#include "MovieFiles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <cmath>
#include <cstring>

namespace {

// Owns what one write makes and frees it whichever way the write ends.
struct Writer {
    ~Writer() {
        avcodec_free_context(&video);
        avcodec_free_context(&sound);
        av_frame_free(&frame);
        av_frame_free(&soundFrame);
        av_packet_free(&packet);
        if (format != nullptr) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    // Sends aFrame (null: the end) to the encoder and writes what comes out.
    bool Encode(AVCodecContext* apCodec, AVStream* apStream, AVFrame* apFrame) {
        if (avcodec_send_frame(apCodec, apFrame) < 0) {
            return false;
        }
        for (;;) {
            const int result = avcodec_receive_packet(apCodec, packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
                return true;
            }
            if (result < 0) {
                return false;
            }
            av_packet_rescale_ts(packet, apCodec->time_base, apStream->time_base);
            packet->stream_index = apStream->index;
            if (av_interleaved_write_frame(format, packet) < 0) {
                return false;
            }
        }
    }

    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* sound = nullptr;
    AVFrame* frame = nullptr;
    AVFrame* soundFrame = nullptr;
    AVPacket* packet = nullptr;
};

AVPixelFormat PixelFormatOf(const MovieSpec& aSpec) {
    if (aSpec.codec == MovieCodec::kVp8) {
        return AV_PIX_FMT_YUV420P;
    }
    if (aSpec.codec == MovieCodec::kPng) {
        return aSpec.alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
    }
    return aSpec.alpha ? AV_PIX_FMT_BGRA : AV_PIX_FMT_BGR0;
}

std::uint8_t Clamped(double aValue) {
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, aValue))));
}

// Pictures of one's own in video-range BT.601 YUV 4:2:0: the chroma of each
// 2 x 2 block from its first pixel.
void FillYuv(const MovieSpec& aSpec, int aFrame, AVFrame* apFrame) {
    for (int y = 0; y < aSpec.height; ++y) {
        for (int x = 0; x < aSpec.width; ++x) {
            const std::array<std::uint8_t, 4> bgra = aSpec.picture(aFrame, x, y);
            const double b = bgra[0];
            const double g = bgra[1];
            const double r = bgra[2];
            apFrame->data[0][y * apFrame->linesize[0] + x] =
                Clamped(16.0 + 0.257 * r + 0.504 * g + 0.098 * b);
            if (x % 2 == 0 && y % 2 == 0) {
                apFrame->data[1][y / 2 * apFrame->linesize[1] + x / 2] =
                    Clamped(128.0 - 0.148 * r - 0.291 * g + 0.439 * b);
                apFrame->data[2][y / 2 * apFrame->linesize[2] + x / 2] =
                    Clamped(128.0 + 0.439 * r - 0.368 * g - 0.071 * b);
            }
        }
    }
    apFrame->pict_type = aFrame % aSpec.keyInterval == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
}

void FillPicture(const MovieSpec& aSpec, int aFrame, AVFrame* apFrame) {
    if (aSpec.codec == MovieCodec::kVp8 && aSpec.picture) {
        FillYuv(aSpec, aFrame, apFrame);
        return;
    }
    if (aSpec.codec == MovieCodec::kVp8) {
        // Grey in video range: no colour, so nothing of it is lost to the
        // halved chroma planes.
        const int luma = 16 + (MovieGrey(aFrame) * 219 + 127) / 255;
        for (int plane = 0; plane < 3; ++plane) {
            const int rows = plane == 0 ? aSpec.height : (aSpec.height + 1) / 2;
            for (int y = 0; y < rows; ++y) {
                std::memset(apFrame->data[plane] + y * apFrame->linesize[plane], plane == 0 ? luma : 128,
                            static_cast<std::size_t>(apFrame->linesize[plane]));
            }
        }
        apFrame->pict_type = aFrame % aSpec.keyInterval == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
        return;
    }
    const bool png = aSpec.codec == MovieCodec::kPng;
    const int size = png && !aSpec.alpha ? 3 : 4;
    for (int y = 0; y < aSpec.height; ++y) {
        std::uint8_t* row = apFrame->data[0] + y * apFrame->linesize[0];
        for (int x = 0; x < aSpec.width; ++x) {
            const std::array<std::uint8_t, 4> bgra = MoviePixel(aSpec, aFrame, x, y);
            std::uint8_t* pixel = row + x * size;
            if (png) {
                pixel[0] = bgra[2];
                pixel[1] = bgra[1];
                pixel[2] = bgra[0];
                if (size == 4) {
                    pixel[3] = bgra[3];
                }
            } else {
                pixel[0] = bgra[0];
                pixel[1] = bgra[1];
                pixel[2] = bgra[2];
                pixel[3] = bgra[3];
            }
        }
    }
}

bool OpenVideo(Writer& aWriter, const MovieSpec& aSpec, AVStream** appStream) {
    const AVCodec* codec =
        aSpec.codec == MovieCodec::kVp8
            ? avcodec_find_encoder_by_name("libvpx")
            : avcodec_find_encoder(aSpec.codec == MovieCodec::kPng ? AV_CODEC_ID_PNG : AV_CODEC_ID_FFV1);
    AVStream* stream = codec != nullptr ? avformat_new_stream(aWriter.format, nullptr) : nullptr;
    aWriter.video = stream != nullptr ? avcodec_alloc_context3(codec) : nullptr;
    if (aWriter.video == nullptr) {
        return false;
    }
    aWriter.video->width = aSpec.width;
    aWriter.video->height = aSpec.height;
    aWriter.video->pix_fmt = PixelFormatOf(aSpec);
    aWriter.video->time_base = AVRational{aSpec.fpsDivisor, aSpec.fps};
    aWriter.video->framerate = AVRational{aSpec.fps, aSpec.fpsDivisor};
    aWriter.video->thread_count = 1;
    aWriter.video->gop_size = aSpec.keyInterval;
    if (aWriter.format->oformat->flags & AVFMT_GLOBALHEADER) {
        aWriter.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* options = nullptr;
    if (aSpec.codec == MovieCodec::kVp8) {
        // One packet per picture, none held back: no hidden reference frames.
        aWriter.video->bit_rate = 1000000;
        av_dict_set(&options, "lag-in-frames", "0", 0);
        av_dict_set(&options, "auto-alt-ref", "0", 0);
        av_dict_set(&options, "deadline", "realtime", 0);
    }
    if (aSpec.codec == MovieCodec::kFfv1 && aSpec.rangeCoder) {
        av_dict_set(&options, "coder", "range_tab", 0);
        av_dict_set(&options, "context", "1", 0);
    }
    const int opened = avcodec_open2(aWriter.video, codec, &options);
    av_dict_free(&options);
    if (opened < 0 || avcodec_parameters_from_context(stream->codecpar, aWriter.video) < 0) {
        return false;
    }
    stream->time_base = aWriter.video->time_base;
    stream->avg_frame_rate = AVRational{aSpec.fps, aSpec.fpsDivisor};
    *appStream = stream;
    return true;
}

bool OpenSound(Writer& aWriter, const MovieSpec& aSpec, AVStream** appStream) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    AVStream* stream = codec != nullptr ? avformat_new_stream(aWriter.format, nullptr) : nullptr;
    aWriter.sound = stream != nullptr ? avcodec_alloc_context3(codec) : nullptr;
    if (aWriter.sound == nullptr) {
        return false;
    }
    aWriter.sound->sample_fmt = AV_SAMPLE_FMT_S16;
    aWriter.sound->sample_rate = aSpec.soundRate;
    av_channel_layout_default(&aWriter.sound->ch_layout, aSpec.soundChannels);
    aWriter.sound->time_base = AVRational{1, aSpec.soundRate};
    if (avcodec_open2(aWriter.sound, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, aWriter.sound) < 0) {
        return false;
    }
    stream->time_base = aWriter.sound->time_base;
    *appStream = stream;
    return true;
}

// The sound that belongs with picture aFrame: the samples from its start to
// the next picture's.
bool WriteSoundFor(Writer& aWriter, AVStream* apStream, const MovieSpec& aSpec, int aFrame) {
    const std::int64_t first =
        static_cast<std::int64_t>(aFrame) * aSpec.soundRate * aSpec.fpsDivisor / aSpec.fps;
    const std::int64_t end =
        static_cast<std::int64_t>(aFrame + 1) * aSpec.soundRate * aSpec.fpsDivisor / aSpec.fps;
    AVFrame* frame = aWriter.soundFrame;
    av_frame_unref(frame);
    frame->format = AV_SAMPLE_FMT_S16;
    frame->sample_rate = aSpec.soundRate;
    av_channel_layout_default(&frame->ch_layout, aSpec.soundChannels);
    frame->nb_samples = static_cast<int>(end - first);
    frame->pts = first;
    if (frame->nb_samples <= 0) {
        return true;
    }
    if (av_frame_get_buffer(frame, 0) < 0) {
        return false;
    }
    std::int16_t* samples = reinterpret_cast<std::int16_t*>(frame->data[0]);
    for (int i = 0; i < frame->nb_samples; ++i) {
        const double t = static_cast<double>(first + i) / aSpec.soundRate;
        const auto value =
            static_cast<std::int16_t>(std::lround(0.5 * 32767.0 * std::sin(2.0 * M_PI * 440.0 * t)));
        for (int c = 0; c < aSpec.soundChannels; ++c) {
            samples[i * aSpec.soundChannels + c] = value;
        }
    }
    return aWriter.Encode(aWriter.sound, apStream, frame);
}

}  // namespace

int MovieGrey(int aFrame) {
    return 20 + aFrame % 40 * 5;
}

std::array<std::uint8_t, 4> MoviePixel(const MovieSpec& aSpec, int aFrame, int aX, int aY) {
    if (aSpec.picture) {
        return aSpec.picture(aFrame, aX, aY);
    }
    if (aSpec.codec == MovieCodec::kVp8) {
        const auto grey = static_cast<std::uint8_t>(MovieGrey(aFrame));
        return {grey, grey, grey, 0xFF};
    }
    const int alpha = aSpec.alpha ? (aX * 8 + aY * 4 + aFrame * 2 + 16) & 0xFF : 0xFF;
    return {static_cast<std::uint8_t>((aX * 7 + aFrame * 3) & 0xFF),
            static_cast<std::uint8_t>((aY * 11 + aFrame * 5) & 0xFF),
            static_cast<std::uint8_t>((aX * aY + aFrame * 13) & 0xFF), static_cast<std::uint8_t>(alpha)};
}

std::vector<std::uint8_t> MovieFrame(const MovieSpec& aSpec, int aFrame) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(aSpec.width) * aSpec.height * 4);
    for (int y = 0; y < aSpec.height; ++y) {
        for (int x = 0; x < aSpec.width; ++x) {
            const std::array<std::uint8_t, 4> pixel = MoviePixel(aSpec, aFrame, x, y);
            bytes.insert(bytes.end(), pixel.begin(), pixel.end());
        }
    }
    return bytes;
}

bool WriteMovieFile(const std::string& aPath, const MovieSpec& aSpec) {
    Writer writer;
    if (avformat_alloc_output_context2(&writer.format, nullptr, "matroska", aPath.c_str()) < 0) {
        return false;
    }
    // No random ids or dates: the same spec gives the same bytes (the sample
    // tree's movies are written by this too).
    writer.format->flags |= AVFMT_FLAG_BITEXACT;
    writer.packet = av_packet_alloc();
    writer.frame = av_frame_alloc();
    writer.soundFrame = av_frame_alloc();
    AVStream* videoStream = nullptr;
    AVStream* soundStream = nullptr;
    if (writer.packet == nullptr || writer.frame == nullptr || writer.soundFrame == nullptr ||
        !OpenVideo(writer, aSpec, &videoStream) ||
        (aSpec.soundRate > 0 && !OpenSound(writer, aSpec, &soundStream)) ||
        avio_open(&writer.format->pb, aPath.c_str(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(writer.format, nullptr) < 0) {
        return false;
    }
    writer.frame->format = writer.video->pix_fmt;
    writer.frame->width = aSpec.width;
    writer.frame->height = aSpec.height;
    if (av_frame_get_buffer(writer.frame, 0) < 0) {
        return false;
    }
    for (int i = 0; i < aSpec.frames; ++i) {
        if (soundStream != nullptr && !WriteSoundFor(writer, soundStream, aSpec, i)) {
            return false;
        }
        if (av_frame_make_writable(writer.frame) < 0) {
            return false;
        }
        FillPicture(aSpec, i, writer.frame);
        writer.frame->pts = i;
        if (!writer.Encode(writer.video, videoStream, writer.frame)) {
            return false;
        }
    }
    if (!writer.Encode(writer.video, videoStream, nullptr) ||
        (soundStream != nullptr && !writer.Encode(writer.sound, soundStream, nullptr))) {
        return false;
    }
    return av_write_trailer(writer.format) >= 0;
}
