#include "core/LocalTimeMemo.h"

namespace {
thread_local LocalTimeMemo* held = nullptr;
} // namespace

LocalTimeMemo::LocalTimeMemo()
{
    if (!held) {
        held = this;
        m_held = true;
    }
}

LocalTimeMemo::~LocalTimeMemo()
{
    if (m_held)
        held = nullptr;
}

QDateTime LocalDateTime(const QDate& day, const QTime& time)
{
    if (!held || !day.isValid() || !time.isValid())
        return QDateTime(day, time);
    const int64_t key = day.toJulianDay() * 86'400'000 + time.msecsSinceStartOfDay();
    auto& built = held->m_built;
    if (const auto seen = built.find(key); seen != built.end())
        return seen->second;
    return built.emplace(key, QDateTime(day, time)).first->second;
}
