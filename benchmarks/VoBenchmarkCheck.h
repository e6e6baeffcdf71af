#pragma once
// A benchmark that times engine code beside a baseline doing the same job
// first checks, once per run and before anything is timed, that the two give
// the same result (key counts, route costs, vertices, texts): a ratio between
// two pieces of code that do different work says nothing. A difference stops
// the program with one line on standard error, naming what differs, and exit
// code 1. The check goes to VoRunWithRatios, which runs it after the
// command line is read:
//
//     void CheckSameResults() {
//         VoCheckSame("flat list of 1000: keys", engineList.GetCount(), plainCount);
//         VoCheckSameValues("skinned vertices of 5000", engineFloats, plainFloats);
//     }
//     ... return VoRunWithRatios(argc, argv, ratios, CheckSameResults);
//
// A case that fails while it runs stops the program the same way (VoStopRun).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <type_traits>

// A result's text for the message: numbers in full, 16-bit text with the
// units past ASCII as \uXXXX.
inline std::string VoCheckText(const std::string& aValue) {
    return "\"" + aValue + "\"";
}

inline std::string VoCheckText(const std::u16string& aValue) {
    std::string text = "\"";
    for (const char16_t unit : aValue) {
        if (unit >= 0x20 && unit < 0x7F) {
            text.push_back(static_cast<char>(unit));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(unit));
            text += escaped;
        }
    }
    return text + "\"";
}

template <typename Number, typename = std::enable_if_t<std::is_arithmetic_v<Number>>>
std::string VoCheckText(Number aValue) {
    if constexpr (std::is_floating_point_v<Number>) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(aValue));
        return text;
    } else {
        return std::to_string(aValue);
    }
}

// Stops the program at once: what was printed so far, then the message on
// standard error, and exit code 1, with nothing torn down (a case may stop
// with the engine in any state).
//
// A case that cannot measure what it should (a program that fails, a file
// that does not load) stops the run this way, never through
// State::SkipWithError: Google Benchmark 1.7.1, the version the system
// packages, sums the repetitions of a case whose first repetition was skipped
// through a pointer it never set (the skipped run's statistics), and crashes.
// Run with --benchmark_repetitions, the start-up benchmark died so when a
// timed program failed in a case's first repetition (the empty program's SDL
// now and then cannot bring up its video on a loaded X server).
[[noreturn]] inline void VoStopRun(const std::string& aMessage) {
    std::cout.flush();
    std::fprintf(stderr, "%s\n", aMessage.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
}

[[noreturn]] inline void VoCheckFailed(const std::string& aWhat, const std::string& aEngine,
                                       const std::string& aBaseline) {
    VoStopRun(aWhat + ": the engine gives " + aEngine + ", the baseline " + aBaseline +
              "; they do not do the same work");
}

template <typename Value>
void VoCheckSame(const std::string& aWhat, const Value& aEngine, const Value& aBaseline) {
    if (!(aEngine == aBaseline)) {
        VoCheckFailed(aWhat, VoCheckText(aEngine), VoCheckText(aBaseline));
    }
}

// Sums made in another order round differently: the two may differ by
// aTolerance of the larger of them (or of 1, near zero).
inline void VoCheckNear(const std::string& aWhat, double aEngine, double aBaseline, double aTolerance) {
    const double scale = std::fmax(1.0, std::fmax(std::fabs(aEngine), std::fabs(aBaseline)));
    if (!(std::fabs(aEngine - aBaseline) <= aTolerance * scale)) {
        VoCheckFailed(aWhat, VoCheckText(aEngine), VoCheckText(aBaseline));
    }
}

// Two sequences (anything std::size and std::begin take) of the same count,
// element by element; the message names the first element that differs.
template <typename Engine, typename Baseline>
void VoCheckSameValues(const std::string& aWhat, const Engine& aEngine, const Baseline& aBaseline) {
    VoCheckSame(aWhat + ": count", static_cast<std::size_t>(std::size(aEngine)),
                static_cast<std::size_t>(std::size(aBaseline)));
    auto baseline = std::begin(aBaseline);
    std::size_t index = 0;
    for (auto engine = std::begin(aEngine); engine != std::end(aEngine); ++engine, ++baseline, ++index) {
        if (!(*engine == *baseline)) {
            VoCheckFailed(aWhat + " [" + std::to_string(index) + "]", VoCheckText(*engine),
                          VoCheckText(*baseline));
        }
    }
}
