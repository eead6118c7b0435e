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

// A measure against its floor: both medians and 95th percentiles, and their ratios.
inline void TableRow(const char* measure, const char* unit, Stats ours, Stats floor,
                     const char* target) {
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("@row|%s|%.2f %s|%.2f %s|%.2f %s|%.2f %s|%.2f|%.2f|%s\n", measure, ours.median,
                unit, ours.p95, unit, floor.median, unit, floor.p95, unit,
                ratio(ours.median, floor.median), ratio(ours.p95, floor.p95), target);
}

// A measure with no floor to compare against, such as a count or a size.
inline void TableRow(const char* measure, const char* value, const char* floorValue,
                     const char* target) {
    std::printf("@row|%s|%s|-|%s|-|-|-|%s\n", measure, value, floorValue, target);
}

} // namespace bench
