// Timing for the hint benchmarks: the processor time of the calling thread (steadier than the
// wall clock on a shared machine) and percentiles of a sample.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace quorix {

struct ThreadClock
{
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ThreadClock>;
    static time_point now()
    {
        timespec spec{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spec);
        return time_point(duration(spec.tv_sec * 1'000'000'000LL + spec.tv_nsec));
    }
};

// The value below which `share` (0..1) of `values` lie; 0 for no values.
inline double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[index];
}

template <typename Clock> double Micros(typename Clock::time_point since)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - since).count();
}

} // namespace quorix
