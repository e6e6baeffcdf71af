// Writes the game's own sounds and movies into the sample tree:
//
//   data/sounds/ching-ching.ogg   1.2 s, mono Vorbis at 22,050 Hz: the
//                                 placard's chime, two bell strikes a fifth
//                                 apart, each a decaying tone with two
//                                 overtones
//   data/movies/case01_intro.mkv  the sample cut scene: 160 x 120, 36 frames
//                                 at 12 per second (3 s), VP8 greys that
//                                 brighten frame by frame, so it stays small
//   data/movies/Painting_Opening.bik, chaseapt_draweropen.bik
//                                 the openings of two puzzles' solutions,
//                                 made as the cut scene, 2 s each (Matroska
//                                 with VP8, which the movie reader takes
//                                 whatever the name)
//   data/movies/152_all.bik, 252_all.bik, 352_all.bik
//                                 the intros of cases 1 to 3, played when a
//                                 case is first chosen; 016_all.bik and
//                                 452_all.bik, the two of case 4
//   data/movies/001_all.bik, 002_all.bik, 003_all.bik
//                                 the reviews of cases 1 to 3
//   data/movies/Secret_Apt_Door.bik, LockBox_Open.bik, Safe_Open.bik,
//   UPS_BoxVantrell.bik, LisaApt_Dravo_Box.bik, Harp_Puzzle.bik
//                                 the openings of six more puzzles'
//                                 solutions
//                                 (all of these made as the two above)
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_game_media
//   build/release/tools/make_game_media data
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "MovieFiles.h"
#include "SoundFiles.h"

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// A bell strike of aSeconds at aFrequency, added into aFrames from aStart.
void Strike(std::vector<float>* apFrames, double aStart, double aSeconds, double aFrequency) {
    const int first = static_cast<int>(aStart * kRate);
    const int count = static_cast<int>(aSeconds * kRate);
    for (int i = 0; i < count && first + i < static_cast<int>(apFrames->size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double tone = std::sin(2.0 * kPi * aFrequency * t) +
                            0.4 * std::sin(2.0 * kPi * aFrequency * 2.76 * t) +
                            0.2 * std::sin(2.0 * kPi * aFrequency * 5.4 * t);
        (*apFrames)[static_cast<std::size_t>(first + i)] +=
            static_cast<float>(0.3 * attack * std::exp(-5.0 * t) * tone);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string sounds = data + "/sounds/";
    std::error_code error;
    const std::string movies = data + "/movies/";
    std::filesystem::create_directories(sounds, error);
    std::filesystem::create_directories(movies, error);

    std::vector<float> chime(static_cast<std::size_t>(1.2 * kRate), 0.0f);
    Strike(&chime, 0.0, 0.7, 1318.5);
    Strike(&chime, 0.35, 0.85, 1975.5);
    if (!WriteSoundFile(sounds + "ching-ching.ogg", SoundFormat::kOggVorbis, kRate, 1, chime)) {
        std::fprintf(stderr, "could not write %sching-ching.ogg\n", sounds.c_str());
        return 1;
    }

    MovieSpec intro;
    intro.width = 160;
    intro.height = 120;
    intro.frames = 36;
    intro.fps = 12;
    intro.codec = MovieCodec::kVp8;
    intro.keyInterval = 12;
    if (!WriteMovieFile(movies + "case01_intro.mkv", intro)) {
        std::fprintf(stderr, "could not write %scase01_intro.mkv\n", movies.c_str());
        return 1;
    }
    MovieSpec opening = intro;
    opening.frames = 24;
    for (const char* name : {"Painting_Opening.bik", "chaseapt_draweropen.bik", "152_all.bik", "252_all.bik",
                             "352_all.bik", "016_all.bik", "452_all.bik", "001_all.bik", "002_all.bik",
                             "003_all.bik", "Secret_Apt_Door.bik", "LockBox_Open.bik", "Safe_Open.bik",
                             "UPS_BoxVantrell.bik", "LisaApt_Dravo_Box.bik", "Harp_Puzzle.bik"}) {
        if (!WriteMovieFile(movies + name, opening)) {
            std::fprintf(stderr, "could not write %s%s\n", movies.c_str(), name);
            return 1;
        }
    }
    return 0;
}
