#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Prints Google Benchmark's table, then each measured pair as a ratio: ours
// against the reference, both from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Pair {
        std::string what, ours, reference;
        double goal;
    };

    explicit RatioReporter(std::vector<Pair> pairs) : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions, the median of them; else the one run.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                seconds_[run.run_name.str()] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                seconds_[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Returns whether every ratio met its goal.
    bool printRatios() const
    {
        bool allMet = true;
        std::printf("\n%-44s %8s %8s  %s\n", "ratio (ours / reference)", "measured", "goal", "");
        for (const Pair& pair : pairs_) {
            const auto ours = seconds_.find(pair.ours), reference = seconds_.find(pair.reference);
            if (ours == seconds_.end() || reference == seconds_.end())
                continue;
            const double ratio = ours->second / reference->second;
            const bool met = ratio <= pair.goal;
            allMet = allMet && met;
            std::printf("%-44s %7.2fx %7.2fx  %s\n", pair.what.c_str(), ratio, pair.goal, met ? "met" : "MISSED");
        }
        return allMet;
    }

private:
    std::vector<Pair> pairs_;
    std::map<std::string, double> seconds_;
};
