// Writes the sample tree's ambient movies:
//
//   data/movies/lobby_sign.mkv   100 x 26, 15 frames at 5 per second (3 s),
//                                FFV1 with alpha: the hotel's name, "MARLOWE",
//                                in rose neon tubes with their glow, for the
//                                lobby's back wall above the key board
//                                (data/scenes/case01/lobby/animations.txt).
//                                It stutters on, burns, its "W" buzzes off
//                                and on, and burns again: over the entrance
//                                it loops, from the desk it is seen now and
//                                then, lighting up and going out.
//
// All but the tubes and their glow is transparent, so the wall shows round
// the letters; a dark tube is a faint grey line.
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_sample_movies
//   build/release/tools/make_sample_movies data
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "MovieFiles.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Point {
    double x, y;
};

using Stroke = std::vector<Point>;

// A letter of tubes: polylines in a box one unit high (y down) and width
// units wide.
struct Letter {
    double width;
    std::vector<Stroke> strokes;
};

// Points along an ellipse's arc from angle aFrom to aTo (radians, y down).
Stroke Arc(Point aCentre, double aRadiusX, double aRadiusY, double aFrom, double aTo) {
    constexpr int kSteps = 16;
    Stroke arc;
    for (int i = 0; i <= kSteps; ++i) {
        const double angle = aFrom + (aTo - aFrom) * i / kSteps;
        arc.push_back({aCentre.x + aRadiusX * std::cos(angle), aCentre.y + aRadiusY * std::sin(angle)});
    }
    return arc;
}

std::vector<Letter> Marlowe() {
    Stroke bowl = {{0.0, 1.0}, {0.0, 0.0}, {0.32, 0.0}};
    const Stroke round = Arc({0.32, 0.25}, 0.26, 0.25, -kPi / 2.0, kPi / 2.0);
    bowl.insert(bowl.end(), round.begin(), round.end());
    bowl.push_back({0.0, 0.5});
    return {
        {0.8, {{{0.0, 1.0}, {0.0, 0.0}, {0.4, 0.62}, {0.8, 0.0}, {0.8, 1.0}}}},
        {0.72, {{{0.0, 1.0}, {0.36, 0.0}, {0.72, 1.0}}, {{0.15, 0.6}, {0.57, 0.6}}}},
        {0.6, {bowl, {{0.28, 0.5}, {0.6, 1.0}}}},
        {0.5, {{{0.0, 0.0}, {0.0, 1.0}, {0.5, 1.0}}}},
        {0.74, {Arc({0.37, 0.5}, 0.37, 0.5, 0.0, 2.0 * kPi)}},
        {0.96, {{{0.0, 0.0}, {0.23, 1.0}, {0.48, 0.36}, {0.73, 1.0}, {0.96, 0.0}}}},
        {0.5, {{{0.5, 0.0}, {0.0, 0.0}, {0.0, 1.0}, {0.5, 1.0}}, {{0.0, 0.5}, {0.42, 0.5}}}},
    };
}

double SegmentDistance(Point aPoint, Point aFrom, Point aTo) {
    const double dx = aTo.x - aFrom.x;
    const double dy = aTo.y - aFrom.y;
    const double length = dx * dx + dy * dy;
    const double t =
        length > 0.0 ? std::clamp(((aPoint.x - aFrom.x) * dx + (aPoint.y - aFrom.y) * dy) / length, 0.0, 1.0)
                     : 0.0;
    return std::hypot(aPoint.x - aFrom.x - t * dx, aPoint.y - aFrom.y - t * dy);
}

std::uint8_t Byte(double aLevel) {
    return static_cast<std::uint8_t>(std::lround(255.0 * std::clamp(aLevel, 0.0, 1.0)));
}

struct Rgb {
    double r, g, b;
};

// The sign: for every letter, the distance (pixels) from each pixel's centre
// to the letter's nearest tube; a frame only says how bright each letter is.
class Sign {
public:
    static constexpr int kWidth = 100;
    static constexpr int kHeight = 26;

    Sign() : fLetters(Marlowe()) {
        constexpr double kLetterHeight = 14.0;
        constexpr double kGap = 3.5;
        double width = -kGap;
        for (const Letter& letter : fLetters) {
            width += letter.width * kLetterHeight + kGap;
        }
        double left = (kWidth - width) / 2.0;
        const double top = (kHeight - kLetterHeight) / 2.0;
        for (const Letter& letter : fLetters) {
            std::vector<double> distances(kWidth * kHeight, kWidth);
            for (const Stroke& stroke : letter.strokes) {
                for (std::size_t s = 1; s < stroke.size(); ++s) {
                    const Point from{left + stroke[s - 1].x * kLetterHeight,
                                     top + stroke[s - 1].y * kLetterHeight};
                    const Point to{left + stroke[s].x * kLetterHeight, top + stroke[s].y * kLetterHeight};
                    for (int y = 0; y < kHeight; ++y) {
                        for (int x = 0; x < kWidth; ++x) {
                            double& distance = distances[static_cast<std::size_t>(y * kWidth + x)];
                            distance = std::min(distance, SegmentDistance({x + 0.5, y + 0.5}, from, to));
                        }
                    }
                }
            }
            fDistances.push_back(std::move(distances));
            left += letter.width * kLetterHeight + kGap;
        }
    }

    std::size_t LetterCount() const { return fLetters.size(); }

    // Pixel (x, y) as B, G, R, A (straight alpha) with each letter at its
    // level, 0 dark to 1 fully lit. A lit tube is white at its core and rose
    // at its rim, and glows rose round about.
    std::array<std::uint8_t, 4> Pixel(const std::vector<double>& aLevels, int aX, int aY) const {
        constexpr double kTubeRadius = 1.0;
        constexpr double kGlowRadius = 2.6;
        constexpr double kGlow = 0.7;
        constexpr double kDarkAlpha = 0.55;
        constexpr Rgb kRose{1.0, 0.28, 0.44};
        constexpr Rgb kCore{1.0, 0.9, 0.93};
        constexpr Rgb kDark{0.42, 0.36, 0.36};
        Rgb light{0.0, 0.0, 0.0};
        double lightAlpha = 0.0;
        double darkAlpha = 0.0;
        for (std::size_t i = 0; i < fLetters.size(); ++i) {
            const double distance = fDistances[i][static_cast<std::size_t>(aY * kWidth + aX)];
            const double level = aLevels[i];
            const double tube = std::clamp(kTubeRadius + 0.5 - distance, 0.0, 1.0);
            const double core = std::clamp(1.0 - distance / kTubeRadius, 0.0, 1.0) * level;
            const double glow =
                kGlow * level * std::exp(-(distance / kGlowRadius) * (distance / kGlowRadius));
            const double tubeLight = tube * level;
            const double glowLight = glow * (1.0 - tube);
            light.r += tubeLight * (kRose.r + (kCore.r - kRose.r) * core) + glowLight * kRose.r;
            light.g += tubeLight * (kRose.g + (kCore.g - kRose.g) * core) + glowLight * kRose.g;
            light.b += tubeLight * (kRose.b + (kCore.b - kRose.b) * core) + glowLight * kRose.b;
            lightAlpha += tubeLight + glowLight;
            darkAlpha = std::max(darkAlpha, tube * (1.0 - level) * kDarkAlpha);
        }
        const double alpha = std::min(1.0, lightAlpha + darkAlpha);
        // Clear pixels keep the rose too: most of the picture then differs
        // only in alpha, which the coder packs tighter.
        if (alpha * 255.0 < 0.5) {
            return {Byte(kRose.b), Byte(kRose.g), Byte(kRose.r), 0};
        }
        return {Byte((light.b + kDark.b * darkAlpha) / alpha), Byte((light.g + kDark.g * darkAlpha) / alpha),
                Byte((light.r + kDark.r * darkAlpha) / alpha), Byte(alpha)};
    }

private:
    std::vector<Letter> fLetters;
    std::vector<std::vector<double>> fDistances;  // per letter, row by row
};

// Each frame's level of the whole sign, and of the "W" on top of it.
constexpr int kFrames = 15;
constexpr std::array<double, kFrames> kSignLevel{0.45, 0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0,
                                                 1.0,  1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
constexpr std::array<double, kFrames> kWLevel{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0,
                                              0.0, 0.5, 0.0, 1.0, 1.0, 1.0, 1.0};
constexpr std::size_t kW = 5;

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string movies = data + "/movies/";
    std::error_code error;
    std::filesystem::create_directories(movies, error);

    const Sign sign;
    MovieSpec spec;
    spec.width = Sign::kWidth;
    spec.height = Sign::kHeight;
    spec.frames = kFrames;
    spec.fps = 5;
    spec.alpha = true;
    spec.keyInterval = kFrames;
    spec.rangeCoder = true;
    spec.picture = [&sign](int aFrame, int aX, int aY) {
        const auto frame = static_cast<std::size_t>(aFrame);
        std::vector<double> levels(sign.LetterCount(), kSignLevel[frame]);
        levels[kW] *= kWLevel[frame];
        return sign.Pixel(levels, aX, aY);
    };
    if (!WriteMovieFile(movies + "lobby_sign.mkv", spec)) {
        std::fprintf(stderr, "could not write %slobby_sign.mkv\n", movies.c_str());
        return 1;
    }
    return 0;
}
