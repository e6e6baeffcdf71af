// VoString building text, the way every log message and path is built,
// beside std::u16string doing the same work: copying a string and appending
// two others to it, concatenating two and three strings into a new one, and
// appending an integer and a float (std::to_chars into a small buffer, then
// widened, for the baseline). Pieces are 8 to 200 units from a fixed
// pseudo-random sequence; each iteration runs 1024 steps. Before anything is
// timed every step of every operation is run both ways once, and the texts
// must be the same.
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "VoBenchmarkCheck.h"
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

// Each operation once, as the engine and as the baseline do it; the cases
// time them over the steps and the check compares their texts.
using EngineOperation = VoString (*)(const std::vector<VoString>&, const Step&);
using PlainOperation = std::u16string (*)(const std::vector<std::u16string>&, const Step&);

VoString VoStringAppend(const std::vector<VoString>& aPieces, const Step& aStep) {
    VoString text(aPieces[aStep.first]);
    text.Append(aPieces[aStep.second]);
    text.Append(aPieces[aStep.third]);
    return text;
}

std::u16string U16StringAppend(const std::vector<std::u16string>& aPieces, const Step& aStep) {
    std::u16string text(aPieces[aStep.first]);
    text.append(aPieces[aStep.second]);
    text.append(aPieces[aStep.third]);
    return text;
}

VoString VoStringConcatenate(const std::vector<VoString>& aPieces, const Step& aStep) {
    return aPieces[aStep.first] + aPieces[aStep.second];
}

std::u16string U16StringConcatenate(const std::vector<std::u16string>& aPieces, const Step& aStep) {
    return aPieces[aStep.first] + aPieces[aStep.second];
}

VoString VoStringChain(const std::vector<VoString>& aPieces, const Step& aStep) {
    return aPieces[aStep.first] + aPieces[aStep.second] + aPieces[aStep.third];
}

std::u16string U16StringChain(const std::vector<std::u16string>& aPieces, const Step& aStep) {
    return aPieces[aStep.first] + aPieces[aStep.second] + aPieces[aStep.third];
}

// The baseline's number text: std::to_chars into a small buffer, widened.
template <typename... Format>
void AppendNumber(std::u16string* apText, Format... aFormat) {
    char digits[64];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof(digits), aFormat...);
    apText->append(digits, result.ptr);
}

VoString VoStringAppendInt(const std::vector<VoString>& aPieces, const Step& aStep) {
    VoString text(aPieces[aStep.first]);
    text.Append(aStep.number);
    return text;
}

std::u16string U16StringAppendInt(const std::vector<std::u16string>& aPieces, const Step& aStep) {
    std::u16string text(aPieces[aStep.first]);
    AppendNumber(&text, aStep.number);
    return text;
}

VoString VoStringAppendFloat(const std::vector<VoString>& aPieces, const Step& aStep) {
    VoString text(aPieces[aStep.first]);
    text.Append(aStep.real);
    return text;
}

std::u16string U16StringAppendFloat(const std::vector<std::u16string>& aPieces, const Step& aStep) {
    std::u16string text(aPieces[aStep.first]);
    AppendNumber(&text, static_cast<double>(aStep.real), std::chars_format::fixed, 6);
    return text;
}

template <EngineOperation aOperation>
void Engine(benchmark::State& aState) {
    const std::vector<VoString>& pieces = EnginePieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            benchmark::DoNotOptimize(aOperation(pieces, step).GetChars());
        }
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * kSteps));
}

template <PlainOperation aOperation>
void Plain(benchmark::State& aState) {
    const std::vector<std::u16string>& pieces = Pieces();
    for (auto _ : aState) {
        for (const Step& step : Steps()) {
            benchmark::DoNotOptimize(aOperation(pieces, step).data());
        }
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * kSteps));
}

const struct {
    const char* engineName;
    void (*engine)(benchmark::State&);
    EngineOperation engineOperation;
    const char* plainName;
    void (*plain)(benchmark::State&);
    PlainOperation plainOperation;
} kCases[] = {
    {"BM_VoStringAppend", Engine<VoStringAppend>, VoStringAppend, "BM_U16StringAppend",
     Plain<U16StringAppend>, U16StringAppend},
    {"BM_VoStringConcatenate", Engine<VoStringConcatenate>, VoStringConcatenate, "BM_U16StringConcatenate",
     Plain<U16StringConcatenate>, U16StringConcatenate},
    {"BM_VoStringChain", Engine<VoStringChain>, VoStringChain, "BM_U16StringChain", Plain<U16StringChain>,
     U16StringChain},
    {"BM_VoStringAppendInt", Engine<VoStringAppendInt>, VoStringAppendInt, "BM_U16StringAppendInt",
     Plain<U16StringAppendInt>, U16StringAppendInt},
    {"BM_VoStringAppendFloat", Engine<VoStringAppendFloat>, VoStringAppendFloat, "BM_U16StringAppendFloat",
     Plain<U16StringAppendFloat>, U16StringAppendFloat},
};

// Every step of every operation gives the same text both ways.
void CheckSameTexts() {
    for (const auto& operation : kCases) {
        for (std::size_t i = 0; i < Steps().size(); ++i) {
            const VoString engine = operation.engineOperation(EnginePieces(), Steps()[i]);
            VoCheckSame(std::string(operation.engineName) + ", step " + std::to_string(i),
                        std::u16string(engine.GetChars(), static_cast<std::size_t>(engine.GetLength())),
                        operation.plainOperation(Pieces(), Steps()[i]));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<VoRatio> ratios;
    for (const auto& operation : kCases) {
        benchmark::RegisterBenchmark(operation.engineName, operation.engine);
        benchmark::RegisterBenchmark(operation.plainName, operation.plain);
        ratios.push_back({operation.engineName, operation.plainName, 2.0});
    }
    return VoRunWithRatios(argc, argv, ratios, CheckSameTexts);
}
