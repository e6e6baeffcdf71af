// VoString building text, the way every log message and path is built,
// beside std::u16string doing the same work: copying a string and appending
// two others to it, concatenating two and three strings into a new one, and
// appending an integer and a float (std::to_chars into a small buffer, then
// widened, for the baseline). Pieces are 8 to 200 units from a fixed
// pseudo-random sequence; each iteration runs 1024 steps.
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "VoBenchmarkRatios.h"
#include "container/VoString.h"

namespace {

constexpr std::size_t kPieces = 64;
constexpr std::size_t kSteps = 1024;

struct Step {
    std::size_t first;
    std::size_t second;
    std::size_t third;
    std::int32_t number;
    float real;
};

std::uint32_t NextRandom(std::uint32_t* apState) {
    *apState = *apState * 1664525u + 1013904223u;
    return *apState;
}

const std::vector<std::u16string>& Pieces() {
    static const std::vector<std::u16string> pieces = [] {
        std::vector<std::u16string> made;
        std::uint32_t state = 99u;
        for (std::size_t i = 0; i < kPieces; ++i) {
            std::u16string piece;
            const std::size_t length = 8 + NextRandom(&state) % 193;
            for (std::size_t unit = 0; unit < length; ++unit) {
                piece.push_back(static_cast<char16_t>(u'a' + NextRandom(&state) % 26));
            }
            made.push_back(piece);
        }
        return made;
    }();
    return pieces;
}

const std::vector<VoString>& EnginePieces() {
    static const std::vector<VoString> pieces = [] {
        std::vector<VoString> made;
        for (const std::u16string& piece : Pieces()) {
            made.emplace_back(piece.c_str());
        }
        return made;
    }();
    return pieces;
}

const std::vector<Step>& Steps() {
    static const std::vector<Step> steps = [] {
        std::vector<Step> made;
        std::uint32_t state = 31u;
        for (std::size_t i = 0; i < kSteps; ++i) {
            Step step;
            step.first = NextRandom(&state) % kPieces;
            step.second = NextRandom(&state) % kPieces;
            step.third = NextRandom(&state) % kPieces;
            // Integers of every width, either sign; floats from thousandths to millions.
            const std::uint32_t bits = NextRandom(&state);
            step.number = static_cast<std::int32_t>(bits >> (bits % 31));
            step.real = static_cast<float>(static_cast<std::int32_t>(NextRandom(&state))) / 1000.0f;
            made.push_back(step);
        }
        return made;
    }();
    return steps;
}

void Count(benchmark::State& aState) {
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * kSteps));
}

void BM_VoStringAppend(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            VoString text(pieces[step.first]);
            text.Append(pieces[step.second]);
            text.Append(pieces[step.third]);
            benchmark::DoNotOptimize(text.GetChars());
        }
    }
    Count(aState);
}
BENCHMARK(BM_VoStringAppend);

void BM_U16StringAppend(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            std::u16string text(pieces[step.first]);
            text.append(pieces[step.second]);
            text.append(pieces[step.third]);
            benchmark::DoNotOptimize(text.data());
        }
    }
    Count(aState);
}
BENCHMARK(BM_U16StringAppend);

void BM_VoStringConcatenate(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            const VoString text = pieces[step.first] + pieces[step.second];
            benchmark::DoNotOptimize(text.GetChars());
        }
    }
    Count(aState);
}
BENCHMARK(BM_VoStringConcatenate);

void BM_U16StringConcatenate(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            const std::u16string text = pieces[step.first] + pieces[step.second];
            benchmark::DoNotOptimize(text.data());
        }
    }
    Count(aState);
}
BENCHMARK(BM_U16StringConcatenate);

void BM_VoStringChain(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            const VoString text = pieces[step.first] + pieces[step.second] + pieces[step.third];
            benchmark::DoNotOptimize(text.GetChars());
        }
    }
    Count(aState);
}
BENCHMARK(BM_VoStringChain);

void BM_U16StringChain(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            const std::u16string text = pieces[step.first] + pieces[step.second] + pieces[step.third];
            benchmark::DoNotOptimize(text.data());
        }
    }
    Count(aState);
}
BENCHMARK(BM_U16StringChain);

// The baseline's number text: std::to_chars into a small buffer, widened.
template <typename... Format>
void AppendNumber(std::u16string* apText, Format... aFormat) {
    char digits[64];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof(digits), aFormat...);
    apText->append(digits, result.ptr);
}

void BM_VoStringAppendInt(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            VoString text(pieces[step.first]);
            text.Append(step.number);
            benchmark::DoNotOptimize(text.GetChars());
        }
    }
    Count(aState);
}
BENCHMARK(BM_VoStringAppendInt);

void BM_U16StringAppendInt(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            std::u16string text(pieces[step.first]);
            AppendNumber(&text, step.number);
            benchmark::DoNotOptimize(text.data());
        }
    }
    Count(aState);
}
BENCHMARK(BM_U16StringAppendInt);

void BM_VoStringAppendFloat(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            VoString text(pieces[step.first]);
            text.Append(step.real);
            benchmark::DoNotOptimize(text.GetChars());
        }
    }
    Count(aState);
}
BENCHMARK(BM_VoStringAppendFloat);

void BM_U16StringAppendFloat(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            std::u16string text(pieces[step.first]);
            AppendNumber(&text, static_cast<double>(step.real), std::chars_format::fixed, 6);
            benchmark::DoNotOptimize(text.data());
        }
    }
    Count(aState);
}
BENCHMARK(BM_U16StringAppendFloat);

}  // namespace

int main(int argc, char** argv) {
    return VoRunWithRatios(argc, argv,
                           {{"BM_VoStringAppend", "BM_U16StringAppend", 2.0},
                            {"BM_VoStringConcatenate", "BM_U16StringConcatenate", 2.0},
                            {"BM_VoStringChain", "BM_U16StringChain", 2.0},
                            {"BM_VoStringAppendInt", "BM_U16StringAppendInt", 2.0},
                            {"BM_VoStringAppendFloat", "BM_U16StringAppendFloat", 2.0}});
}
