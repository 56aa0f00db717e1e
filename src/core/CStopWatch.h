#pragma once

#include <cstdint>
#include <functional>

// A millisecond stopwatch on a monotonic clock.
class CStopWatch {
public:
    using TickSource = std::function<int64_t()>; // milliseconds

    CStopWatch();
    // For tests: a clock of the caller's.
    explicit CStopWatch(TickSource ticks);

    void Reset();
    // Milliseconds since creation or the last Reset; an overflow error past
    // the 32-bit range.
    int32_t Elapsed() const;
    int32_t MinimumResolution() const { return 1; }
    int32_t MaximumResolution() const { return 1000000; }
    static void SleepFor(int32_t milliseconds);

    static int64_t MonotonicMilliseconds();

private:
    TickSource m_ticks;
    int64_t m_start = 0;
};
