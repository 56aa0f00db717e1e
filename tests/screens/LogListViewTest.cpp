#include "accounts/LogDisplay.h"
#include "database/LogLines.h"
#include "database/SaveLogToFile.h"
#include "screens/transmission/LogListView.h"
#include "support/DatabaseTest.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

// Whatever the width, the list breaks its lines where measuring every line
// exactly would: the quick widths only spare lines well inside it.
TEST(LogListWrapping, BreaksEveryLineWhereTheExactMeasureWould)
{
    TestWorld world;
    LogLines log;
    const QStringList texts = {
        QStringLiteral("AVAWAY To Ta Te Yo LT WAVE TAVERN Yacht VAT AWAY"),
        QStringLiteral("Sent 12 enquiries to the Nevix service for enquirer AB123, batch 4711"),
        QStringLiteral("Checking for Vehicle Enquiries to send to NEVIX service and some more words to wrap"),
        QStringLiteral("Unbrokenwordthatiswiderthanthelistitselfandhasnoblankanywhereatallinitsmiddle"),
        QStringLiteral("Enquiry for Müller & Søn – café “quoted” → arrow"),
        QStringLiteral("     "),
    };
    int32_t n = 0;
    for (const QString& text : texts) {
        auto line = std::make_shared<LogLine>();
        line->SetLogId(QStringLiteral("L%1").arg(++n));
        line->SetRunNumber(n / 2 + 1);
        line->SetEventCode(int16_t(n % 2 ? 128 : 32));
        line->SetTimeOfEvent(QDateTime(QDate(2024, 3, 15), QTime(10, n)));
        line->SetEventText(text);
        line->SetUserName(QStringLiteral("AUTOEXECUTE"));
        line->SetComputerName(QStringLiteral("OFFICE-PC"));
        log.Add(line);
    }
    LogListView view;
    for (int width = 60; width <= 900; width += 7) {
        view.resize(width, 300);
        view.Fill(log, true, 1023);
        QStringList exact;
        const QFontMetricsF metrics(view.font());
        WrappedList list{exact, double(view.width()),
                         [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }};
        FormatLogForDisplay(list, log, true, 1023);
        ASSERT_EQ(view.Items(), exact) << "width " << width;
    }
}

class LogWithALineBreak : public DatabaseTest {};

// A service's error text with a line break in it: one row of the log is
// one line, in the list and in the saved file alike.
TEST_F(LogWithALineBreak, IsOneLineInTheListAndInTheSavedLog)
{
    world.clock().Set(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5)));
    LogLines log;
    log.SetDataSource(&db);
    log.BeginLogging(QStringLiteral("COMRUN"), QStringLiteral("Send and receive"), QStringLiteral("ANNE"));
    log.AddToLog(256, QStringLiteral("Connection to NEVIX service failed (Bad gateway\r\nRetry later)"));
    log.EndLogging();

    LogListView view;
    view.resize(2000, 300);
    view.Fill(log, false, 1023);
    EXPECT_EQ(view.Items().filter(QStringLiteral("Bad gateway")),
              QStringList{QStringLiteral("E Connection to NEVIX service failed (Bad gateway Retry later)")});
    for (const QString& item : view.Items())
        EXPECT_FALSE(item.contains(u'\n') || item.contains(u'\r')) << item.toStdString();

    SaveLogToFile(log.NewEnum());
    const QByteArray saved = ReadBytes(world.PathOf(QStringLiteral("Log-20240315103005.log")));
    EXPECT_EQ(saved.count("\r\n"), 3);
    EXPECT_EQ(saved.count('\n'), 3);
    EXPECT_EQ(saved.count('\r'), 3);
    EXPECT_TRUE(saved.contains("\tE\tConnection to NEVIX service failed (Bad gateway Retry later)\r\n"));
}

} // namespace
