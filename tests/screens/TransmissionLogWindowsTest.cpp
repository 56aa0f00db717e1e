#include "MenuTest.h"
#include "WhenShown.h"
#include "support/PdfTools.h"
#include "support/RecordingHelp.h"
#include "support/SettlingPrinters.h"

#include "database/LogLines.h"
#include "reports/PrinterCatalog.h"
#include "reports/RecordingCanvas.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "screens/admin/frmMenu.h"
#include "screens/transmission/LogListView.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "screens/transmission/frmTransmissionHistory.h"
#include "screens/transmission/frmTransmissionStatus.h"
#include "startup/ProgramScreens.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool Contains(const QStringList& items, const QString& text)
{
    return std::any_of(items.begin(), items.end(), [&](const QString& item) { return item.contains(text); });
}

class LogWindows : public MenuTest {
protected:
    void SetUp() override
    {
        Make();
        LogOn(Fixture::Clerk);
    }

    // A run stored now, its lines "event <code>", the most recent one.
    void StoreRun(const QList<int32_t>& codes, int repeat = 1)
    {
        LogLines log;
        log.SetDataSource(&db());
        log.BeginLogging(QStringLiteral("COMRUN"), QStringLiteral("Send and receive"), Fixture::Clerk);
        for (int i = 0; i < repeat; ++i)
            for (const int32_t code : codes)
                log.AddToLog(code, repeat == 1 ? QStringLiteral("event %1").arg(code)
                                               : QStringLiteral("event %1 number %2").arg(code).arg(i + 1));
        log.EndLogging();
    }

    std::unique_ptr<frmTransmissionStatus> Status()
    {
        auto window = std::make_unique<frmTransmissionStatus>();
        window->SetPrinting(printers, [this] { return std::make_unique<RecordingCanvas>(canvasCopy); });
        window->InitialiseForm();
        return window;
    }

    // Clicks the box as the user does: it has the focus.
    static void UserTicks(QCheckBox* box)
    {
        box->setProperty("Tag", QStringLiteral("ON"));
        box->click();
        box->setProperty("Tag", QString());
    }

    void ChoosePrinter() { world.ui().ScriptPrinter(printers.Current()); }

    SettlingPrinters printers{{QStringLiteral("PDF")}};
    RecordingCanvas canvasCopy;
};

TEST_F(LogWindows, TheDefaultFilterSplitsTheRunAndTheBoxAddsDetailLines)
{
    StoreRun({32, 64, 128, 256, 512});
    auto window = Status();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("NEVIX - LOG"));
    EXPECT_FALSE(window->chkShowDetail()->isChecked());
    EXPECT_TRUE(window->cmdHelp()->isHidden());
    EXPECT_TRUE(window->lblLogTitle()->text().startsWith(QStringLiteral("Send and receive ")));
    QStringList log = window->lstTransmissionLog()->Items();
    EXPECT_TRUE(log.front().startsWith(QStringLiteral("Run Number: ")));
    EXPECT_TRUE(Contains(log, QStringLiteral("event 32")));
    EXPECT_TRUE(Contains(log, QStringLiteral("Send and receive"))) << "the start line";
    for (const char* hidden : {"event 64", "event 128", "event 256", "event 512"})
        EXPECT_FALSE(Contains(log, QString::fromLatin1(hidden))) << hidden;
    const QStringList errors = window->lstNetwork()->Items();
    ASSERT_EQ(errors.size(), 3);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("event 128")));
    EXPECT_TRUE(errors[2].contains(QStringLiteral("event 512")));
    EXPECT_FALSE(Contains(errors, QStringLiteral("Run Number: ")));

    window->chkShowDetail()->click();
    EXPECT_FALSE(Contains(window->lstTransmissionLog()->Items(), QStringLiteral("event 64")))
        << "a change the user did not make by hand does not reload";
    window->chkShowDetail()->setChecked(false);
    UserTicks(window->chkShowDetail());
    log = window->lstTransmissionLog()->Items();
    EXPECT_TRUE(Contains(log, QStringLiteral("event 64")));
    EXPECT_FALSE(Contains(log, QStringLiteral("event 128")));
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

TEST_F(LogWindows, ARunWithoutWarningsShowsNoItemsAndPrintsNoErrorsHeading)
{
    StoreRun({32});
    auto window = Status();
    EXPECT_EQ(window->lstNetwork()->Items(), QStringList{QStringLiteral("No items")});
    ChoosePrinter();
    QStringList printed;
    window->SetPrinting(printers, [&printed] {
        struct Noting : RecordingCanvas {
            QStringList* out;
            void EndDoc() override
            {
                RecordingCanvas::EndDoc();
                *out = Texts();
            }
        };
        auto canvas = std::make_unique<Noting>();
        canvas->out = &printed;
        return canvas;
    });
    window->cmdPrint()->click();
    EXPECT_TRUE(printed.contains(QStringLiteral("Log details")));
    EXPECT_FALSE(printed.contains(QStringLiteral("Errors and Warnings")));
    EXPECT_FALSE(printed.contains(QStringLiteral("No items")));
}

TEST_F(LogWindows, AFilterWithDetailOpensBothWindowsTicked)
{
    Settings().SetLogFilter(1023);
    StoreRun({32, 64});
    auto window = Status();
    EXPECT_TRUE(window->chkShowDetail()->isChecked());
    EXPECT_TRUE(Contains(window->lstTransmissionLog()->Items(), QStringLiteral("event 64")));
    frmTransmissionHistory history;
    EXPECT_TRUE(history.chkShowDetail()->isChecked());
}

TEST_F(LogWindows, HistoryReachesBackToTheSameDayThreeMonthsAgoUnderRunHeaders)
{
    // The clock stands at 15 March 2024.
    const auto runAt = [this](const QDateTime& at, const QString& text) {
        world.clock().Set(at);
        LogLines log;
        log.SetDataSource(&db());
        log.BeginLogging(QStringLiteral("COMRUN"), text, Fixture::Clerk);
        log.EndLogging();
    };
    const QDateTime now = world.clock().Now();
    runAt(QDateTime(QDate(2023, 12, 14), QTime(23, 59)), QStringLiteral("too old"));
    runAt(QDateTime(QDate(2023, 12, 15), QTime(0, 0)), QStringLiteral("first day"));
    world.clock().Set(now);

    frmTransmissionHistory history;
    history.SetPrinting(printers, nullptr);
    history.show();
    const QStringList items = history.lstTransmissionLog()->Items();
    EXPECT_EQ(history.windowTitle(), QStringLiteral("NEVIX - FULL LOG"));
    EXPECT_TRUE(Contains(items, QStringLiteral("first day")));
    EXPECT_FALSE(Contains(items, QStringLiteral("too old")));
    EXPECT_TRUE(items.front().startsWith(QStringLiteral("Run Number: ")));
    EXPECT_TRUE(Contains(items, QStringLiteral("Fixture line, event code 512"))) << "errors stay in";
    const int headers = int(std::count_if(items.begin(), items.end(),
                                          [](const QString& s) { return s.startsWith(QStringLiteral("Run Number: ")); }));
    EXPECT_EQ(headers, 3) << "December's run, yesterday's and today's (the four-month-old one is left out)";
}

TEST_F(LogWindows, ResizingRewrapsAndKeepsTheSelectedLines)
{
    StoreRun({32, 128, 256});
    auto window = Status();
    window->show();
    window->lstTransmissionLog()->SelectRow(1);
    window->lstNetwork()->SelectRow(1);
    window->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->lstTransmissionLog()->SelectedRow(), 1);
    EXPECT_EQ(window->lstNetwork()->SelectedRow(), 1);
    window->resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->lstNetwork()->SelectedRow(), 1);
}

TEST_F(LogWindows, SaveWritesEveryLineWhateverTheMaskAndSaysWhere)
{
    StoreRun({32, 64, 128});
    auto window = Status();
    window->cmdSave()->click();
    const QStringList files = QDir(world.Folder()).entryList({QStringLiteral("Log-*.log")});
    ASSERT_EQ(files.size(), 1);
    QFile file(world.PathOf(files.front()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* line : {"event 32", "event 64", "event 128"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << line;
    EXPECT_EQ(text.count(QLatin1Char('\n')), 5) << "start, three lines, end";
    ASSERT_EQ(world.ui().Texts().size(), 1);
    EXPECT_TRUE(world.ui().Texts().front().startsWith(QStringLiteral("Log saved to: ")));
}

TEST_F(LogWindows, ACancelledPrinterChoicePrintsNothing)
{
    StoreRun({32});
    auto window = Status();
    bool made = false;
    window->SetPrinting(printers, [&made] {
        made = true;
        return std::make_unique<RecordingCanvas>();
    });
    window->cmdPrint()->click(); // no printer scripted: the dialog is cancelled
    EXPECT_FALSE(made);
}

TEST_F(LogWindows, FullLogOpensTheHistoryOverTheStatusWindow)
{
    StoreRun({32});
    auto window = Status();
    QString title;
    QWidget* owner = nullptr;
    WhenShown<frmTransmissionHistory>([&](frmTransmissionHistory& history) {
        title = history.windowTitle();
        owner = history.parentWidget();
        history.cmdReturn()->click();
    });
    window->cmdHistory()->click();
    EXPECT_EQ(title, QStringLiteral("NEVIX - FULL LOG"));
    EXPECT_EQ(owner, window.get());
}

TEST_F(LogWindows, FromTheMenuBothTakeItsIconAndF1ShowsTheLogTopic)
{
    StoreRun({32});
    ScopedRecordingHelp help;
    frmMenu menu(db(), ProgramScreens(), MenuRoads{[] {}, [] {}});
    menu.InitialiseForm();
    bool statusIcon = false;
    bool historyIcon = false;
    WhenShown<frmTransmissionStatus>([&](frmTransmissionStatus& status) {
        statusIcon = status.windowIcon().cacheKey() == menu.windowIcon().cacheKey();
        WhenShown<frmTransmissionHistory>([&](frmTransmissionHistory& history) {
            historyIcon = history.windowIcon().cacheKey() == menu.windowIcon().cacheKey();
            QTest::keyClick(history.lstTransmissionLog(), Qt::Key_F1);
            history.cmdReturn()->click();
        });
        status.cmdHistory()->click();
        QTest::keyClick(&status, Qt::Key_F1);
        status.cmdReturn()->click();
    });
    menu.cmdStatus()->click();
    EXPECT_TRUE(statusIcon);
    EXPECT_TRUE(historyIcon);
    EXPECT_EQ(help.engine->topics, QList<int32_t>({6000, 6000}));
}

TEST_F(LogWindows, ShowTransmissionLogShowsTheGivenRun)
{
    QStringList errors;
    auto given = std::make_shared<LogLines>();
    auto line = std::make_shared<LogLine>();
    line->SetEventCode(128);
    line->SetEventText(QStringLiteral("given run"));
    given->Add(line);
    WhenShown<frmTransmissionStatus>([&](frmTransmissionStatus& status) {
        errors = status.lstNetwork()->Items();
        status.cmdReturn()->click();
    });
    ShowTransmissionLog(nullptr, given);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("given run")));
}

// ---- printed to PDF ---------------------------------------------------------

class LogWindowsPdf : public LogWindows {
protected:
    void SetUp() override
    {
        if (!HasPdfToText())
            GTEST_SKIP() << "poppler-utils is not installed";
        LogWindows::SetUp();
    }

    QString PrintToPdf(frmTransmissionStatus& window)
    {
        const QString pdf = pdfDir.filePath(QStringLiteral("log.pdf"));
        window.SetPrinting(printers, [pdf] { return std::make_unique<QtPrinterCanvas>(pdf); });
        ChoosePrinter();
        window.cmdPrint()->click();
        return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .value_or(QString());
    }

    QTemporaryDir pdfDir;
};

TEST_F(LogWindowsPdf, TheTitleTheDateAndTheLogHeadingArePrinted)
{
    StoreRun({32, 128});
    auto window = Status();
    const QString text = PrintToPdf(*window);
    EXPECT_TRUE(text.contains(window->lblLogTitle()->text()));
    EXPECT_TRUE(text.contains(QStringLiteral("Friday 15 March 2024")));
    EXPECT_TRUE(text.contains(QStringLiteral("Log details")));
    EXPECT_TRUE(text.contains(QStringLiteral("Errors and Warnings")));
}

TEST_F(LogWindowsPdf, ALongRunSpansPagesWithEveryLine)
{
    StoreRun({32}, 300);
    auto window = Status();
    const QString text = PrintToPdf(*window);
    EXPECT_GE(text.count(QChar(u'\f')), 2) << "at least two pages";
    for (int i = 1; i <= 300; ++i)
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("event 32 number %1\\b").arg(i)))) << i;
    // The log is printed from the printable area's left edge: on paper,
    // a quarter inch in, on every page.
    const QList<PdfWord> words = PdfWords(pdfDir.filePath(QStringLiteral("log.pdf")));
    QMap<int, double> left;
    for (const PdfWord& word : words)
        left[word.page] = std::min(left.value(word.page, 1e9), word.xMin / PointsPerMm);
    ASSERT_GE(left.size(), 2);
    for (auto it = left.cbegin(); it != left.cend(); ++it)
        EXPECT_NEAR(it.value(), PdfOriginMm, 0.5) << "page " << it.key();
}

} // namespace
