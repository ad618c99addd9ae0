#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// Times each call and reports the median as well, since a shared machine has outliers. A call
// returns false when the editor refused the command, which makes the run an error.
template <typename Call> void timeEach(benchmark::State& state, Call&& call) {
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool done = call();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!done)
            state.SkipWithError("the command was refused");
        state.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1000.0);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["median_ms"] = times[times.size() / 2];
}
