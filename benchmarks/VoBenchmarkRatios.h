#pragma once
// Every benchmark program measures engine code beside a plain baseline that
// does the same work; this main prints, after the usual table, the ratio of
// each engine case to its baseline (CPU time per iteration; the median when
// the run is repeated), with the goal it is held to:
//
//     int main(int argc, char** argv) {
//         return VoRunWithRatios(argc, argv, {{"Window<Engine>", "Window<Glibc>", 1.0}});
//     }
//
// Cases that the filter left out are skipped in the table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

struct VoRatio {
    std::string subject;   // the engine case, by its reported name
    std::string baseline;  // the plain case it is compared with
    double goal;           // the highest ratio the engine case may have
};

class VoRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit VoRatioReporter(std::vector<VoRatio> aRatios)
        : benchmark::ConsoleReporter(OO_None), fRatios(std::move(aRatios)) {}

    void ReportRuns(const std::vector<Run>& aRuns) override {
        benchmark::ConsoleReporter::ReportRuns(aRuns);
        for (const Run& run : aRuns) {
            if (run.error_occurred) {
                continue;
            }
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") {
                    fMedians[name] = run.GetAdjustedCPUTime();
                }
            } else {
                fSamples[name].push_back(run.GetAdjustedCPUTime());
            }
        }
    }

    void Finalize() override {
        benchmark::ConsoleReporter::Finalize();
        std::string table = "\nRatio to the plain baseline (CPU time, median of the repetitions):\n";
        for (const VoRatio& ratio : fRatios) {
            double subject = 0.0;
            double baseline = 0.0;
            if (!TimeOf(ratio.subject, &subject) || !TimeOf(ratio.baseline, &baseline) || baseline <= 0.0) {
                continue;
            }
            const double value = subject / baseline;
            char line[512];
            std::snprintf(line, sizeof(line), "  %-44s / %-36s = %6.2fx  (goal <= %.2fx: %s)\n",
                          ratio.subject.c_str(), ratio.baseline.c_str(), value, ratio.goal,
                          value <= ratio.goal ? "met" : "NOT met");
            table += line;
        }
        GetOutputStream() << table << std::flush;
    }

private:
    bool TimeOf(const std::string& aName, double* apTime) const {
        const auto median = fMedians.find(aName);
        if (median != fMedians.end()) {
            *apTime = median->second;
            return true;
        }
        const auto samples = fSamples.find(aName);
        if (samples == fSamples.end() || samples->second.empty()) {
            return false;
        }
        std::vector<double> sorted = samples->second;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        *apTime = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
        return true;
    }

    std::vector<VoRatio> fRatios;
    std::map<std::string, double> fMedians;
    std::map<std::string, std::vector<double>> fSamples;
};

inline int VoRunWithRatios(int aArgc, char** apArgv, std::vector<VoRatio> aRatios) {
    benchmark::Initialize(&aArgc, apArgv);
    if (benchmark::ReportUnrecognizedArguments(aArgc, apArgv)) {
        return 1;
    }
    VoRatioReporter reporter(std::move(aRatios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
