#include "MenuTest.h"
#include "WhenShown.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedExchanges.h"

#include "core/AskTellUser.h"
#include "scheduling/AutoExecuteConsole.h"
#include "scheduling/MiniScheduler.h"
#include "screens/admin/MenuPictures.h"
#include "screens/transmission/frmAutoExecute.h"
#include "screens/transmission/frmCloseAutoExecute.h"
#include "screens/transmission/frmSchedulerProps.h"
#include "screens/transmission/LogListView.h"
#include "screens/transmission/frmTransmissionStatus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {

class ConsoleWindow : public MenuTest {
protected:
    void SetUp() override
    {
        Make();
        LogOn(Fixture::Admin);
        Settings().SetProgramRunningMode(RunningMode::Automatic);
    }
    void TearDown() override { Settings().SetProgramRunningMode(RunningMode::None); }

    frmAutoExecute& Open()
    {
        ConsoleRoads roads;
        roads.OpenLogon = [this] { ++logons; };
        roads.EndProgram = [this] { ++ends; };
        window = std::make_unique<frmAutoExecute>(db(), exchanges, roads);
        window->setWindowIcon(DrawMenuIcon());
        window->InitialiseForm();
        window->Console().Timer().stop();
        window->show();
        return *window;
    }

    std::shared_ptr<ScriptedExchanges> exchanges = std::make_shared<ScriptedExchanges>();
    std::unique_ptr<frmAutoExecute> window;
    int logons = 0;
    int ends = 0;
};

TEST_F(ConsoleWindow, ShowsItsRowsAsTheyStand)
{
    Open();
    EXPECT_EQ(window->windowTitle(), "NEVIX - AUTOEXECUTION");
    EXPECT_EQ(window->chkScheduler(0)->text(),
              "Import and send enquiries,receive and export outstanding responses and debits");
    EXPECT_EQ(window->chkScheduler(2)->text(), "Remove old data from the database");
    EXPECT_TRUE(window->chkScheduler(0)->isChecked()) << "the fixture's HCOMMS is active";
    EXPECT_FALSE(window->cmdSchSettings(0)->isEnabled());
    EXPECT_TRUE(window->cmdSchSettings(1)->isEnabled());
    EXPECT_EQ(window->txtNextRun(0)->text(), "15/03/2024  11:00");
    EXPECT_EQ(window->txtLastRan(0)->text(), "15/03/2024 09:00");
    EXPECT_TRUE(window->cmdHelp()->isHidden());
    EXPECT_FALSE(window->lblTestMode()->isVisible());

    window->chkScheduler(0)->click();
    EXPECT_TRUE(window->cmdSchSettings(0)->isEnabled()) << "a row switched off can be edited";
    EXPECT_TRUE(window->Console().Row(0).IsStopped());
}

TEST_F(ConsoleWindow, TheTitleBarAsksAsExitDoesButNotWhileARowRuns)
{
    Open();
    window->chkScheduler(1)->click();
    window->Console().Row(1).SetRunAtID(0);
    bool exitDuringRun = true;
    bool stayedDuringRun = false;
    ScriptedExchanges::Step run;
    bool heldDuringRun = false;
    run.during = [&] {
        exitDuringRun = window->cmdExit()->isEnabled();
        heldDuringRun = !window->cmdShowLog()->isEnabled() && !window->cmdSchSettings(2)->isEnabled();
        window->close();
        stayedDuringRun = window->isVisible();
    };
    exchanges->Script(QStringLiteral("DoTransmissionAndExport"), run);
    window->Console().Tick();
    EXPECT_FALSE(exitDuringRun);
    EXPECT_TRUE(heldDuringRun) << "nothing opens over a run";
    EXPECT_TRUE(stayedDuringRun);
    EXPECT_TRUE(window->cmdShowLog()->isEnabled());
    EXPECT_TRUE(window->cmdSchSettings(2)->isEnabled());

    bool asked = false;
    WhenShown<frmCloseAutoExecute>([&asked](frmCloseAutoExecute& dialog) {
        asked = true;
        dialog.close(); // its own title bar: back to the scheduled connections
    });
    window->close();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Console().Timer().isActive());
    EXPECT_EQ(logons + ends, 0);
}

TEST_F(ConsoleWindow, TheOperatorsOwnClicksShowTheirBoxesInTheAutomaticMode)
{
    Open();
    QStringList logged;
    SetUnattendedMessageSink([&](const QString& text, uint32_t) { logged << text; });
    ASSERT_TRUE(window->cmdSchSettings(1)->isEnabled());
    WhenShown<frmSchedulerProps>([](frmSchedulerProps& editor) {
        editor.cboSchRunAt()->setCurrentIndex(1);
        editor.txtInput(0)->clear();
        editor.cmdOk()->click();
        editor.cmdCancel()->click();
    });
    window->cmdSchSettings(1)->click();
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith("Cannot save the scheduler properties because:"));
    EXPECT_TRUE(logged.isEmpty());
    SetUnattendedMessageSink({});
}

TEST_F(ConsoleWindow, ACancelledEditShowsTheNextRunItWorkedOutAgain)
{
    MiniScheduler stored;
    stored.SetDataSource(&db());
    stored.SetScheduleID(QStringLiteral("HCOMMS"));
    stored.Load();
    stored.SetNextRunDateTime(std::nullopt);
    stored.Apply();
    Open();
    window->chkScheduler(0)->click();
    WhenShown<frmSchedulerProps>([](frmSchedulerProps& editor) {
        EXPECT_EQ(editor.fraOptions()->title(), "Import and Export Scheduler");
        editor.cmdCancel()->click();
    });
    window->cmdSchSettings(0)->click();
    EXPECT_EQ(window->txtNextRun(0)->text(), "15/03/2024  11:00");
    EXPECT_TRUE(window->Console().Row(0).NextRunDateTime());
}

TEST_F(ConsoleWindow, LogOpensTheLastRunWithTheMenusIconAndF1ShowsTheConsolesTopic)
{
    Open();
    ScopedRecordingHelp help;
    bool sameIcon = false;
    int logTopics = 0;
    WhenShown<frmTransmissionStatus>([&](frmTransmissionStatus& log) {
        sameIcon = log.windowIcon().cacheKey() == window->windowIcon().cacheKey();
        QTest::keyClick(log.lstTransmissionLog(), Qt::Key_F1);
        logTopics = int(help.engine->topics.size());
        log.cmdReturn()->click();
    });
    window->cmdShowLog()->click();
    EXPECT_TRUE(sameIcon);
    EXPECT_EQ(logTopics, 1);
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help.engine->topics, QList<int32_t>({6000, 9100}));
}

TEST_F(ConsoleWindow, ShutDownClosesTheConsoleAndEndsTheProgram)
{
    Open();
    WhenShown<frmCloseAutoExecute>([](frmCloseAutoExecute& dialog) { dialog.cmdClose()->click(); });
    window->cmdExit()->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(logons, 0);
    EXPECT_FALSE(window->Console().Timer().isActive());
}

} // namespace
