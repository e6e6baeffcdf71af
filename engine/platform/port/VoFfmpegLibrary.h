#pragma once
// FFmpeg's libraries, loaded when the first movie opens rather than when the
// program starts: linked in, they and the hundred libraries they need would
// be loaded and bound before the first frame of every run, most of which
// play no movie. The movie decoder includes this after FFmpeg's headers,
// then VoFfmpegCalls.h, which sends each of its calls through the table of
// functions loaded here; nothing else calls FFmpeg.
//
// Main thread only, as the movie decoder.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avstring.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

// Every FFmpeg function the movie decoder calls, with its library.
#define VO_FFMPEG_FUNCTIONS(X)                \
    X(avutil, av_channel_layout_compare)      \
    X(avutil, av_channel_layout_copy)         \
    X(avutil, av_channel_layout_uninit)       \
    X(avutil, av_d2q)                         \
    X(avutil, av_dict_free)                   \
    X(avutil, av_dict_set)                    \
    X(avutil, av_dict_set_int)                \
    X(avutil, av_frame_alloc)                 \
    X(avutil, av_frame_free)                  \
    X(avutil, av_frame_unref)                 \
    X(avutil, av_free)                        \
    X(avutil, av_freep)                       \
    X(avutil, av_log_set_level)               \
    X(avutil, av_malloc)                      \
    X(avutil, av_mallocz)                     \
    X(avutil, av_match_list)                  \
    X(avutil, av_pix_fmt_desc_get)            \
    X(avcodec, av_packet_alloc)               \
    X(avcodec, av_packet_free)                \
    X(avcodec, av_packet_move_ref)            \
    X(avcodec, av_packet_unref)               \
    X(avcodec, avcodec_alloc_context3)        \
    X(avcodec, avcodec_find_decoder)          \
    X(avcodec, avcodec_flush_buffers)         \
    X(avcodec, avcodec_free_context)          \
    X(avcodec, avcodec_open2)                 \
    X(avcodec, avcodec_parameters_to_context) \
    X(avcodec, avcodec_receive_frame)         \
    X(avcodec, avcodec_send_packet)           \
    X(avformat, av_find_best_stream)          \
    X(avformat, av_read_frame)                \
    X(avformat, av_seek_frame)                \
    X(avformat, avformat_alloc_context)       \
    X(avformat, avformat_close_input)         \
    X(avformat, avformat_find_stream_info)    \
    X(avformat, avformat_open_input)          \
    X(avformat, avio_alloc_context)           \
    X(avformat, avio_context_free)            \
    X(swresample, swr_alloc_set_opts2)        \
    X(swresample, swr_convert)                \
    X(swresample, swr_free)                   \
    X(swresample, swr_get_out_samples)        \
    X(swresample, swr_init)                   \
    X(swscale, sws_freeContext)               \
    X(swscale, sws_getCachedContext)          \
    X(swscale, sws_scale)

class VoFfmpegLibrary {
public:
    static constexpr const char* kLoadFailure = "Movie libraries could not be loaded: ";

    // The functions, as the libraries of the version we were built against
    // give them.
    struct Functions {
#define VO_FFMPEG_POINTER(library, name) decltype(&::name) name = nullptr;
        VO_FFMPEG_FUNCTIONS(VO_FFMPEG_POINTER)
#undef VO_FFMPEG_POINTER
    };

    VoFfmpegLibrary() = delete;

    // Loads the libraries on the first call; true when every function is
    // there. A failure is logged once (with the loader's reason) and stays:
    // every later call is false too.
    static bool Load();
    // The loaded functions; only for code that made sure Load is true.
    static const Functions& Get();
};
