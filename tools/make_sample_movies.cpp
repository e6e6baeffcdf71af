// Writes the sample tree's ambient movies:
//
//   data/movies/lobby_sign.mkv   48 x 24, 8 frames at 4 per second, FFV1:
//                                the lobby's sign, shown over the entrance
//                                (looping) and near the desk (now and then)
//
// The pictures are the pattern of the tests' movie writer (tests/support/
// MovieFiles), which tells every pixel of every frame apart; the sample
// only needs a small clip that the engine's movie reader plays.
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_sample_movies
//   build/release/tools/make_sample_movies data
#include <cstdio>
#include <filesystem>
#include <string>

#include "MovieFiles.h"

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string movies = data + "/movies/";
    std::error_code error;
    std::filesystem::create_directories(movies, error);

    MovieSpec sign;
    sign.width = 48;
    sign.height = 24;
    sign.frames = 8;
    sign.fps = 4;
    if (!WriteMovieFile(movies + "lobby_sign.mkv", sign)) {
        std::fprintf(stderr, "could not write %slobby_sign.mkv\n", movies.c_str());
        return 1;
    }
    return 0;
}
