// Order statistics of repeated runs and the rows of the one table `make bench` ends with:
// each benchmark prints its rows as "@row|..." lines, which tools/run-bench.sh collects and
// lays out after every benchmark has run.
#pragma once

#include <cstdio>
#include <vector>

#include "bench/bench_clock.h"

namespace bench {

struct Stats {
    double median = 0;
    double p95 = 0;
};

inline Stats Summarise(const std::vector<double>& values) {
    if (values.empty())
        return {};
    return {Median(values), Percentile(values, 95)};
}

inline double Ratio(double ours, double floor) { return floor > 0 ? ours / floor : 0.0; }

// The median of ours[i] / floor[i], where sample i of both was taken in the same round: each
// sample is set against the floor's taken beside it, so a stretch of slow rounds weighs on both
// sides of its ratios alike, where it can move one median without the other.
inline double MedianOfPairedRatios(const std::vector<double>& ours,
                                   const std::vector<double>& floor) {
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.size() && i < floor.size(); ++i)
        ratios.push_back(Ratio(ours[i], floor[i]));
    return ratios.empty() ? 0.0 : Median(ratios);
}

// A measure against its floor: both medians and 95th percentiles, and their ratios; `paired`
// is the median of the paired ratios, or negative where the samples were not taken in pairs.
inline void TableRow(const char* measure, const char* unit, Stats ours, Stats floor,
                     const char* target, double paired = -1) {
    char pairedText[16] = "-";
    if (paired >= 0)
        std::snprintf(pairedText, sizeof pairedText, "%.2f", paired);
    std::printf("@row|%s|%.2f %s|%.2f %s|%.2f %s|%.2f %s|%.2f|%.2f|%s|%s\n", measure, ours.median,
                unit, ours.p95, unit, floor.median, unit, floor.p95, unit,
                Ratio(ours.median, floor.median), Ratio(ours.p95, floor.p95), pairedText, target);
}

// A measure whose samples were taken in pairs with the floor's, round by round.
inline void PairedTableRow(const char* measure, const char* unit, const std::vector<double>& ours,
                           const std::vector<double>& floor, const char* target) {
    TableRow(measure, unit, Summarise(ours), Summarise(floor), target,
             MedianOfPairedRatios(ours, floor));
}

// A measure with no floor to compare against, such as a count or a size.
inline void TableRow(const char* measure, const char* value, const char* floorValue,
                     const char* target) {
    std::printf("@row|%s|%s|-|%s|-|-|-|-|%s\n", measure, value, floorValue, target);
}

} // namespace bench
