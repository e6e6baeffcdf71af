#pragma once
// Every benchmark program measures engine code beside a plain baseline that
// does the same work; this main prints, after the usual table, the ratio of
// each engine case to its baseline, with the goal it is held to:
//
//     int main(int argc, char** argv) {
//         return VoRunWithRatios(argc, argv, {{"Window<Engine>", "Window<Glibc>", 1.0}});
//     }
//
// A ratio compares processor time per iteration unless it names another
// measure: kRealTime (wall time, or the manual time of cases that time
// themselves, as whole-process and many-thread cases do) or a counter the
// cases set (state.counters["bytes"], say). When the run is repeated the
// median repetition is used, never the mean or another aggregate row.
// Machines that run other work meanwhile give steadier figures with
//     --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
// which interleaves the repetitions of all cases.
//
// Cases that the filter left out are skipped in the table.
//
// A program whose baselines do the same job as the engine passes a check
// (VoBenchmarkCheck.h) as the last argument; it runs once, before any case.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// The measures a ratio may compare besides processor time.
inline const std::string kRealTime = "real time";
// The goal of a ratio printed for information only.
constexpr double kNoGoal = 0.0;

struct VoRatio {
    std::string subject;   // the engine case, by its reported name
    std::string baseline;  // the plain case it is compared with
    double goal;           // the highest ratio the engine case may have, or kNoGoal
    std::string measure = {};  // empty for processor time, kRealTime, or a counter's name
};

class VoRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit VoRatioReporter(std::vector<VoRatio> aRatios)
        : benchmark::ConsoleReporter(OO_None), fRatios(std::move(aRatios)) {}

    void ReportRuns(const std::vector<Run>& aRuns) override {
        benchmark::ConsoleReporter::ReportRuns(aRuns);
        for (const Run& run : aRuns) {
            // Aggregate rows (mean, median, deviation) are left out: the
            // median is taken from the repetitions themselves.
            if (run.error_occurred || run.run_type == Run::RT_Aggregate) {
                continue;
            }
            Samples& samples = fSamples[run.run_name.str()];
            samples.cpu.push_back(run.GetAdjustedCPUTime());
            samples.real.push_back(run.GetAdjustedRealTime());
            for (const auto& counter : run.counters) {
                samples.counters[counter.first].push_back(counter.second.value);
            }
        }
    }

    void Finalize() override {
        benchmark::ConsoleReporter::Finalize();
        std::string table = "\nRatio to the plain baseline (median of the repetitions):\n";
        for (const VoRatio& ratio : fRatios) {
            double subject = 0.0;
            double baseline = 0.0;
            if (!MedianOf(ratio.subject, ratio.measure, &subject) ||
                !MedianOf(ratio.baseline, ratio.measure, &baseline) || baseline <= 0.0) {
                continue;
            }
            const double value = subject / baseline;
            const std::string measure = ratio.measure.empty() ? "cpu time" : ratio.measure;
            char verdict[64] = "(no goal)";
            if (ratio.goal > kNoGoal) {
                std::snprintf(verdict, sizeof(verdict), "(goal <= %.2fx: %s)", ratio.goal,
                              value <= ratio.goal ? "met" : "NOT met");
            }
            char line[512];
            std::snprintf(line, sizeof(line), "  %-44s / %-36s = %6.2fx  %-10s %s\n", ratio.subject.c_str(),
                          ratio.baseline.c_str(), value, measure.c_str(), verdict);
            table += line;
        }
        GetOutputStream() << table << std::flush;
    }

private:
    struct Samples {
        std::vector<double> cpu;
        std::vector<double> real;
        std::map<std::string, std::vector<double>> counters;
    };

    bool MedianOf(const std::string& aName, const std::string& aMeasure, double* apValue) const {
        const auto found = fSamples.find(aName);
        if (found == fSamples.end()) {
            return false;
        }
        const Samples& samples = found->second;
        const std::vector<double>* values = &samples.cpu;
        if (aMeasure == kRealTime) {
            values = &samples.real;
        } else if (!aMeasure.empty()) {
            const auto counter = samples.counters.find(aMeasure);
            if (counter == samples.counters.end()) {
                return false;
            }
            values = &counter->second;
        }
        if (values->empty()) {
            return false;
        }
        std::vector<double> sorted = *values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        *apValue = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
        return true;
    }

    std::vector<VoRatio> fRatios;
    std::map<std::string, Samples> fSamples;
};

inline int VoRunWithRatios(int aArgc, char** apArgv, std::vector<VoRatio> aRatios,
                           void (*apCheck)() = nullptr) {
    benchmark::Initialize(&aArgc, apArgv);
    if (benchmark::ReportUnrecognizedArguments(aArgc, apArgv)) {
        return 1;
    }
    if (apCheck != nullptr) {
        apCheck();
    }
    VoRatioReporter reporter(std::move(aRatios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
