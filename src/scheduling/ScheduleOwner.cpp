#include "scheduling/ScheduleOwner.h"

#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "scheduling/MiniScheduler.h"

namespace {
constexpr int RetryMinutes = 5;

// The box formats: one blank after a load's last run and an edit's next
// run, two after a run and a load's next run; a Null date is empty.
QString OneBlank(const NullableDate& value)
{
    return value ? value->toString(QStringLiteral("dd/MM/yyyy hh:mm")) : QString();
}

QString TwoBlanks(const NullableDate& value)
{
    return value ? value->toString(QStringLiteral("dd/MM/yyyy  hh:mm")) : QString();
}
} // namespace

ScheduleOwner::ScheduleOwner(CDataBase& database, const QStringList& scheduleIds, QObject* parent)
    : QObject(parent), m_db(database), m_views(size_t(scheduleIds.size())), m_logger(std::make_shared<LogLines>())
{
    for (const QString& id : scheduleIds) {
        auto row = std::make_unique<MiniScheduler>();
        row->SetScheduleID(id);
        m_rows.push_back(std::move(row));
    }
    m_logger->SetDataSource(&m_db);
    connect(m_logger.get(), &LogLines::LogLineAdded, this,
            [this](const std::shared_ptr<LogLine>& line, int32_t) { LineAdded(*line); });
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

ScheduleOwner::~ScheduleOwner() = default;

QDateTime ScheduleOwner::Now() const
{
    return AppContext::Current().clock().Now();
}

bool ScheduleOwner::AnySwitchedOn() const
{
    for (const auto& view : m_views)
        if (view.switchedOn)
            return true;
    return false;
}

void ScheduleOwner::SwitchRow(int index, bool on)
{
    Row(index).SetIsStopped(!on);
    ScheduleRowView& view = MutableView(index);
    view.switchedOn = on;
    view.canEdit = !on;
    ShowRow(index);
}

bool ScheduleOwner::Due(int index) const
{
    return Row(index).ShouldRunNow();
}

void ScheduleOwner::WorkRaised(int, const QDateTime&)
{
}

void ScheduleOwner::LoadSchedule(int index)
{
    MiniScheduler& row = Row(index);
    row.SetDataSource(&m_db);
    row.Load();
    row.SetIsStopped(true);
    ScheduleRowView& view = MutableView(index);
    view.switchedOn = false;
    view.canEdit = true;
    view.lastRan = OneBlank(row.LastRunDateTime());
    if (!row.NextRunDateTime())
        row.SetNextRunDate();
    view.nextRun = TwoBlanks(row.NextRunDateTime());
}

void ScheduleOwner::RunIfDue(int index, const std::function<bool()>& work)
{
    const QDateTime t0 = Now();
    if (!Due(index))
        return;
    bool success = false;
    try {
        success = work();
    } catch (...) {
        WorkRaised(index, t0);
        throw;
    }
    MiniScheduler& row = Row(index);
    row.SetLastRunDateTime(t0);
    ScheduleRowView& view = MutableView(index);
    if (success)
        row.SetNextRunDate();
    else
        row.SetNextRunDateTime(t0.addSecs(RetryMinutes * 60));
    view.retrying = !success;
    view.lastRan = TwoBlanks(t0);
    view.lastRanRed = !success;
    view.nextRun = TwoBlanks(row.NextRunDateTime());
    ShowRow(index);
    row.Apply();
}

MiniScheduler* ScheduleOwner::BeginEdit(int index)
{
    return &Row(index);
}

void ScheduleOwner::EndEdit(int index)
{
    MiniScheduler& row = Row(index);
    ScheduleRowView& view = MutableView(index);
    if (row.IsDirty()) {
        try {
            row.Apply();
        } catch (const NevixError& e) {
            // Another installation changed the row meanwhile: its settings
            // are the ones that hold now.
            TellUserWarning(QStringLiteral("Could not save the scheduler settings because:"), e.Description());
            ReloadAfterRefusal(index);
            return;
        }
        view.canSwitch = row.IsActive();
        view.nextRun = OneBlank(row.NextRunDateTime());
    } else if (row.IsActive() && !row.NextRunDateTime()) {
        // The next run worked out at load was never stored, and the
        // cancelled edit put the stored Null back: without it the row
        // would never run.
        row.SetNextRunDate();
        view.nextRun = TwoBlanks(row.NextRunDateTime());
    }
    ShowRow(index);
}

void ScheduleOwner::ReloadAfterRefusal(int index)
{
    MiniScheduler& row = Row(index);
    const bool stopped = row.IsStopped();
    try {
        row.Load();
        if (!row.NextRunDateTime())
            row.SetNextRunDate();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Could not load the scheduler settings because:"), e.Description());
    }
    row.SetIsStopped(stopped);
    ScheduleRowView& view = MutableView(index);
    view.lastRan = OneBlank(row.LastRunDateTime());
    view.nextRun = TwoBlanks(row.NextRunDateTime());
    view.canSwitch = row.IsActive();
    ShowRow(index);
}
