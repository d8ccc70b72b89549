#pragma once
// Timing for the benchmarks, which print ratios of times measured
// side by side in one run.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>

namespace qm::bench {

// The seconds that `work` takes.
inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor seconds that `work` takes in this process: on a machine
// shared with other work, far steadier than the wall clock.
inline double ProcessorSeconds(const std::function<void()>& work) {
    const std::clock_t start = std::clock();
    work();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The best of a few rounds: the least disturbed by the rest of the machine.
inline double Best(const std::function<void()>& work, int rounds = 5) {
    double best = Seconds(work);
    for (int round = 1; round < rounds; ++round) best = std::min(best, Seconds(work));
    return best;
}

}  // namespace qm::bench
