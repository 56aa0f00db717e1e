#pragma once

#include "support/DatabaseTest.h"
#include "support/ScheduleSettings.h"
#include "support/ScriptedExchanges.h"

#include "database/LogLines.h"
#include "scheduling/MiniScheduler.h"
#include "scheduling/ScheduleOwner.h"

#include <memory>

// A fresh database whose schedule rows the tests set, scripted exchanges
// and a time of day on the clock (Friday 15 March 2024 10:30).
class ScheduleOwnerTest : public DatabaseTest {
protected:
    // Stores the row as another installation would: weekdays hourly from
    // 08:00 to 17:00 when runAt is 2, else only the run mode.
    void StoreRow(const QString& id, int32_t runAt, const NullableDate& next = std::nullopt,
                  const NullableDate& last = std::nullopt)
    {
        MiniScheduler row;
        row.SetDataSource(&db);
        row.SetScheduleID(id);
        row.Load();
        if (runAt == MiniScheduler::RunOnDays)
            SetWeekdaysHourly(row);
        else
            row.SetRunAtID(runAt);
        row.SetNextRunDateTime(next);
        row.SetLastRunDateTime(last);
        row.Apply();
    }

    MiniScheduler Stored(const QString& id)
    {
        MiniScheduler row;
        row.SetDataSource(&db);
        row.SetScheduleID(id);
        row.Load();
        return row;
    }

    // One beat of the owner's timer; whether it left the timer running
    // (stopped again, so that no real second passes into a test).
    bool Beat(ScheduleOwner& owner)
    {
        owner.Tick();
        const bool running = owner.Timer().isActive();
        owner.Timer().stop();
        return running;
    }

    // The texts of the runs' lines with the code, oldest first.
    QStringList Lines(int32_t code, const QString& processCode)
    {
        LogLines log;
        log.SetDataSource(&db);
        log.LoadBySQL(QStringLiteral("SELECT * FROM Transmission_Log WHERE Event_Code=? AND ProcessCode=? "
                                     "ORDER BY Run_Number, LogId"),
                      {code, processCode});
        QStringList texts;
        for (const auto& line : log)
            texts << line->EventText();
        return texts;
    }

    QDateTime At(int hour, int minute, int second = 0) const
    {
        return QDateTime(QDate(2024, 3, 15), QTime(hour, minute, second));
    }

    std::shared_ptr<ScriptedExchanges> exchanges = std::make_shared<ScriptedExchanges>();
};
