#include "scheduling/TransmissionLogView.h"

#include "core/DateText.h"
#include "database/LogLines.h"
#include "platform/LocalTime.h"

namespace TransmissionLogView {

int16_t StatusLogMask(int16_t logFilter, bool showDetail)
{
    return HistoryLogMask(int16_t(logFilter & ~ErrorsMask), showDetail);
}

int16_t HistoryLogMask(int16_t logFilter, bool showDetail)
{
    return showDetail ? int16_t(logFilter | EventCodes::Communication)
                      : int16_t(logFilter & ~EventCodes::Communication);
}

bool DetailShownAtLoad(int16_t logFilter)
{
    return (logFilter & EventCodes::Communication) != 0;
}

QDateTime HistoryStart(const QDate& today)
{
    return LocalDateTime(today.addMonths(-3), QTime(0, 0));
}

std::shared_ptr<LogLines> ErrorsAndWarnings(const LogLines& log)
{
    auto errors = std::make_shared<LogLines>();
    for (const auto& line : log)
        if (line->EventCode() & ErrorsMask)
            errors->RecordCollection<LogLine>::Add(line); // the line stays as the log holds it
    return errors;
}

QString LogTitle(const LogLines& log)
{
    const auto header = log.GetLogHeader();
    if (!header)
        return {};
    const auto time = header->TimeOfEvent();
    return header->EventText() + QLatin1Char(' ') + (time ? FormatGeneralDate(*time) : QString());
}

} // namespace TransmissionLogView
