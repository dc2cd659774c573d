#pragma once

// Timing and printing for the benchmarks. Every figure is one line,
//   <what> TAB <value> TAB <unit>
// which scripts/bench.sh lines up into one table with a column per platform; a goal adds
// TAB <verdict>. Anything else a benchmark prints is a heading or a remark.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;  // QueryPerformanceCounter on Windows

inline double MicrosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The median time of one call in microseconds, over as many calls as fill about half a second
// (at least `minRuns`, at most 200).
inline double MedianMicroseconds(const std::function<void()>& work, int minRuns = 5) {
    std::vector<double> times;
    const Clock::time_point start = Clock::now();
    while (times.size() < 200 && (static_cast<int>(times.size()) < minRuns ||
                                  Clock::now() - start < std::chrono::milliseconds(500))) {
        const Clock::time_point before = Clock::now();
        work();
        times.push_back(MicrosecondsSince(before));
    }
    return Median(times);
}

inline double OnceMicroseconds(const std::function<void()>& work) {
    const Clock::time_point before = Clock::now();
    work();
    return MicrosecondsSince(before);
}

inline void Heading(const std::string& text) {
    std::printf("# %s\n", text.c_str());
}

inline void Figure(const std::string& what, double value, const char* unit) {
    std::printf("%s\t%.1f\t%s\n", what.c_str(), value, unit);
}

inline void Ratio(const std::string& what, double ratio) {
    std::printf("%s\t%.2f\tx\n", what.c_str(), ratio);
}

// A ratio that should be at least (or at most) `target`, with the verdict.
inline void Goal(const std::string& what, double ratio, bool atLeast, double target) {
    const bool met = atLeast ? ratio >= target : ratio <= target;
    std::printf("%s\t%.2f\tx\t%s (goal %s %g x)\n", what.c_str(), ratio, met ? "met" : "NOT MET",
                atLeast ? ">=" : "<=", target);
}

// The ratio of each round's time to the other program's in the same round.
inline std::vector<double> PairedRatios(const std::vector<double>& times,
                                        const std::vector<double>& otherTimes) {
    std::vector<double> ratios;
    for (size_t i = 0; i < times.size(); ++i) ratios.push_back(times[i] / otherTimes[i]);
    return ratios;
}

// The median of paired ratios against its goal (at most), and the least of them.
inline void ReportRatios(const std::string& what, const std::vector<double>& ratios, double goal) {
    Goal(what + ", median of paired ratios", Median(ratios), false, goal);
    Ratio(what + ", least paired ratio", *std::min_element(ratios.begin(), ratios.end()));
}

}  // namespace bench
