#pragma once

// The command line of the benchmarks that start ShowLarkspur.exe in rounds:
//   <benchmark> [rounds] [--compare=<another build's ShowLarkspur.exe>]
// scripts/bench.sh gives both (LARKSPUR_BENCH_ROUNDS, LARKSPUR_COMPARE).
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace bench {

struct RoundsArguments {
    int rounds;
    std::string compared;  // empty: no other build
};

inline RoundsArguments ReadRoundsArguments(int argc, char** argv, int defaultRounds) {
    constexpr char kCompare[] = "--compare=";
    RoundsArguments arguments{defaultRounds, {}};
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with(kCompare)) {
            arguments.compared = argument.substr(std::size(kCompare) - 1);
        } else {
            arguments.rounds = std::max(1, std::atoi(argument.c_str()));
        }
    }
    return arguments;
}

}  // namespace bench
