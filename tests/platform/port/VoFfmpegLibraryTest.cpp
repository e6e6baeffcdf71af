#include "platform/port/VoFfmpegLibrary.h"

#include <gtest/gtest.h>

// The libraries load on demand, with every function the decoder calls, and
// they are the ones this program's own FFmpeg calls reach.
TEST(VoFfmpegLibrary, LoadsEveryFunctionTheMovieDecoderCalls) {
    ASSERT_TRUE(VoFfmpegLibrary::Load());
    ASSERT_TRUE(VoFfmpegLibrary::Load());
    const VoFfmpegLibrary::Functions& functions = VoFfmpegLibrary::Get();
#define VO_EXPECT_LOADED(library, name) EXPECT_NE(functions.name, nullptr) << #library << ": " << #name;
    VO_FFMPEG_FUNCTIONS(VO_EXPECT_LOADED)
#undef VO_EXPECT_LOADED
    EXPECT_EQ(functions.av_pix_fmt_desc_get(AV_PIX_FMT_BGRA), av_pix_fmt_desc_get(AV_PIX_FMT_BGRA));
}
