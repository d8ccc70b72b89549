#pragma once
// Wall-clock timing for the benchmarks, which print ratios of times measured
// side by side in one run.
#include <algorithm>
#include <chrono>
#include <functional>

namespace qm::bench {

// The seconds that `work` takes.
inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of a few rounds: the least disturbed by the rest of the machine.
inline double Best(const std::function<void()>& work, int rounds = 5) {
    double best = Seconds(work);
    for (int round = 1; round < rounds; ++round) best = std::min(best, Seconds(work));
    return best;
}

}  // namespace qm::bench
