#include "core/CStopWatch.h"

#include "platform/NevixError.h"

#include <chrono>
#include <limits>
#include <thread>

CStopWatch::CStopWatch() : CStopWatch(&CStopWatch::MonotonicMilliseconds) {}

CStopWatch::CStopWatch(TickSource ticks) : m_ticks(std::move(ticks))
{
    Reset();
}

void CStopWatch::Reset()
{
    m_start = m_ticks();
}

int32_t CStopWatch::Elapsed() const
{
    const int64_t elapsed = m_ticks() - m_start;
    if (elapsed > std::numeric_limits<int32_t>::max() ||
        elapsed < std::numeric_limits<int32_t>::min())
        throw NevixError::Overflow(QStringLiteral("CStopWatch.Elapsed"));
    return static_cast<int32_t>(elapsed);
}

void CStopWatch::SleepFor(int32_t milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int64_t CStopWatch::MonotonicMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
