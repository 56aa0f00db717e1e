#include "MenuTest.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedExchanges.h"

#include "scheduling/MiniScheduler.h"
#include "scheduling/TransmissionControl.h"
#include "screens/admin/frmMenu.h"
#include "screens/transmission/frmTransmissionControl.h"
#include "startup/ProgramScreens.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Records the label's text each time it is painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QLabel* label) : m_label(label) { label->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted << m_label->text();
        return false;
    }
    QStringList painted;

private:
    QLabel* m_label;
};

class SendReceiveWindow : public MenuTest {
protected:
    void SetUp() override
    {
        Make();
        LogOn(Fixture::Manager);
        SetRow(QStringLiteral("HEXCIM"), MiniScheduler::RunOnDays, QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    }

    void SetRow(const QString& id, int32_t runAt, const QDateTime& next)
    {
        MiniScheduler row;
        row.SetDataSource(&db());
        row.SetScheduleID(id);
        row.Load();
        row.SetRunAtID(runAt);
        row.SetDaysToRun(QStringLiteral("1111111"));
        row.SetEvery60Mins(true);
        QString first = QStringLiteral("08:00");
        QString last = QStringLiteral("17:00");
        row.SetFirstTime(first);
        row.SetLastTime(last);
        row.SetNextRunDateTime(next);
        row.Apply();
    }

    frmTransmissionControl& Open()
    {
        window = std::make_unique<frmTransmissionControl>(db(), exchanges);
        window->Control().SetWaiter([](int) {});
        window->InitialiseForm();
        window->show();
        return *window;
    }

    std::shared_ptr<ScriptedExchanges> exchanges = std::make_shared<ScriptedExchanges>();
    std::unique_ptr<frmTransmissionControl> window;
};

TEST_F(SendReceiveWindow, TheConnectionChosenShowsItsFrameAndHelpTopic)
{
    Open();
    ScopedRecordingHelp help;
    EXPECT_EQ(window->windowTitle(), "NEVIX - CONNECTION TO NEVIX SERVICE");
    EXPECT_TRUE(window->optConnectType(0)->isChecked());
    EXPECT_TRUE(window->fraImmediateComms()->isVisible());
    EXPECT_FALSE(window->fraSchedule()->isVisible());
    EXPECT_TRUE(window->cmdHelp()->isHidden());
    QTest::keyClick(window.get(), Qt::Key_F1);
    window->optConnectType(1)->click();
    EXPECT_FALSE(window->fraImmediateComms()->isVisible());
    EXPECT_TRUE(window->fraSchedule()->isVisible());
    QTest::keyClick(window->chkScheduler(1), Qt::Key_F1);
    EXPECT_EQ(help.engine->topics, QList<int32_t>({5010, 5020}));
    EXPECT_FALSE(window->chkScheduler(0)->isEnabled()) << "HCOMIM is delivered as Never";
    EXPECT_EQ(window->txtNextRun(0)->text(), "");
    EXPECT_EQ(window->lblSchedulerError(0)->text(),
              "The last run reported errors or warnings.  Retrying in 5 mins from the last run.");
    EXPECT_EQ(window->lblSchedulerError(1)->text(),
              "The last run reported errors or warnings. Retrying in 5 mins from the last run.");
}

TEST_F(SendReceiveWindow, ATickedRowHoldsTheImmediateControlsAndTheCloseBox)
{
    Open();
    window->optConnectType(1)->click();
    window->chkScheduler(1)->click();
    for (QWidget* held : std::initializer_list<QWidget*>{window->cmdSenRecNow(), window->cmdRunCommsTest(),
                                                         window->optConnectType(0), window->optConnectType(1),
                                                         window->cmdReturn(), window->cmdSchSettings(1)})
        EXPECT_FALSE(held->isEnabled()) << held->objectName().toStdString();
    EXPECT_TRUE(window->cmdSchSettings(0)->isEnabled());
    EXPECT_TRUE(window->Control().Timer().isActive());

    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(world.ui().Texts(), QStringList{"Please stop the scheduler before closing."});

    window->chkScheduler(1)->click();
    EXPECT_TRUE(window->cmdReturn()->isEnabled());
    EXPECT_TRUE(window->cmdSenRecNow()->isEnabled());
    EXPECT_FALSE(window->Control().Timer().isActive());
    window->cmdReturn()->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SendReceiveWindow, AFailedScheduledRunShowsTheRetryLabelAndRedUntilARunSucceeds)
{
    Open();
    window->optConnectType(1)->click();
    window->chkScheduler(1)->click();
    ScriptedExchanges::Step fatal;
    fatal.fatalText = QStringLiteral("Communications timed out");
    exchanges->Script(QStringLiteral("DoTransmissionAndExport"), fatal);
    window->Control().Tick();
    EXPECT_TRUE(window->lblSchedulerError(1)->isVisible());
    EXPECT_EQ(window->txtLastRan(1)->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(window->txtLastRan(1)->text(), "15/03/2024  10:30");
    EXPECT_EQ(window->txtNextRun(1)->text(), "15/03/2024  10:35");
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << "a scheduled run shows no box";

    world.clock().Set(QDateTime(QDate(2024, 3, 15), QTime(10, 36)));
    window->Control().Tick();
    window->Control().Timer().stop();
    EXPECT_FALSE(window->lblSchedulerError(1)->isVisible());
    EXPECT_EQ(window->txtLastRan(1)->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(window->txtNextRun(1)->text(), "15/03/2024  11:00");
}

TEST_F(SendReceiveWindow, TheProgressLabelIsPaintedWithEachLineWhileTheRunHoldsTheEventLoop)
{
    Open();
    PaintWatch watch(window->lblCommsOut());
    bool closeIgnored = false;
    ScriptedExchanges::Step run;
    run.lines = {{32, "Checking for Vehicle Enquiries"}, {64, "Sending 3 Enquiries"}, {32, "3 Vehicle Enquiries sent"}};
    run.during = [&] {
        window->close();
        closeIgnored = window->isVisible() && world.ui().boxes.isEmpty();
    };
    exchanges->Script(QStringLiteral("DoImportTransmissionAndExport"), run);
    window->cmdSenRecNow()->click();
    for (const char* line : {"Checking for Vehicle Enquiries", "Sending 3 Enquiries", "3 Vehicle Enquiries sent"})
        EXPECT_TRUE(watch.painted.contains(line)) << line;
    EXPECT_TRUE(closeIgnored) << "the close box does nothing while Close is held";
    EXPECT_EQ(window->lblCommsOut()->text(), "");
    EXPECT_EQ(world.ui().Texts(), QStringList{"Send and receive ran successfully"});
}

TEST_F(SendReceiveWindow, TheMenusSendAndReceiveOpensTheScreenWithTheMenusIcon)
{
    auto menu = std::make_unique<frmMenu>(db(), ProgramScreens(), MenuRoads{[] {}, [] {}});
    menu->InitialiseForm();
    menu->show();
    menu->cmdSend()->click();
    auto* screen = menu->findChild<frmTransmissionControl*>();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(screen->windowIcon().cacheKey(), menu->windowIcon().cacheKey());
    screen->cmdReturn()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu->isVisible());
}

} // namespace
