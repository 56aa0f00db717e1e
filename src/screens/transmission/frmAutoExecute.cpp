#include "screens/transmission/frmAutoExecute.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/NevixError.h"
#include "scheduling/AutoExecuteConsole.h"
#include "screens/common/HelpButton.h"
#include "screens/common/ScreenHelpers.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/ScheduleGrid.h"
#include "screens/transmission/frmCloseAutoExecute.h"
#include "screens/transmission/frmSchedulerProps.h"
#include "screens/transmission/frmTransmissionStatus.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

frmAutoExecute::frmAutoExecute(CDataBase& database, std::shared_ptr<Exchanges> exchanges, ConsoleRoads roads,
                               QWidget* parent)
    : QWidget(parent), m_console(std::make_unique<AutoExecuteConsole>(database, std::move(exchanges))),
      m_roads(std::move(roads)),
      m_lblScheduledConnections(new QLabel(QStringLiteral("Scheduled Connections"), this)),
      m_lstExecutionLog(new QListView(this)), m_cmdShowLog(new QPushButton(QStringLiteral("&Log"), this)),
      m_cmdExit(new QPushButton(QStringLiteral("E&xit"), this)),
      m_cmdHelp(new QPushButton(QStringLiteral("&Help"), this)),
      m_lblTestMode(new QLabel(QStringLiteral("THE PROGRAM IS IN TEST MODE"), this))
{
    setObjectName(QStringLiteral("frmAutoExecute"));
    setWindowTitle(QStringLiteral("NEVIX - AUTOEXECUTION"));
    m_lblScheduledConnections->setObjectName(QStringLiteral("lblScheduledConnections"));
    QFont heading = m_lblScheduledConnections->font();
    heading.setBold(true);
    m_lblScheduledConnections->setFont(heading);

    QStringList captions;
    for (int i = 0; i < m_console->RowCount(); ++i)
        captions << AutoExecuteConsole::RowCaption(i);
    m_grid = std::make_unique<ScheduleGrid>(
        this, captions, [this](int index, bool on) { m_console->SwitchRow(index, on); },
        [this](int index) { cmdSchSettings_Click(index); });

    m_lstExecutionLog->setObjectName(QStringLiteral("lstExecutionLog"));
    m_lstExecutionLog->setModel(&m_console->ExecutionList());
    m_lstExecutionLog->setUniformItemSizes(true);
    m_lstExecutionLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cmdShowLog->setObjectName(QStringLiteral("cmdShowLog"));
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_lblTestMode->setObjectName(QStringLiteral("lblTestMode"));
    m_lblTestMode->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    for (auto* button : {m_cmdShowLog, m_cmdExit, m_cmdHelp})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblTestMode);
    buttons->addStretch();
    buttons->addWidget(m_cmdShowLog);
    buttons->addWidget(m_cmdExit);
    buttons->addWidget(m_cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblScheduledConnections);
    layout->addWidget(m_grid->Frame());
    layout->addWidget(m_lstExecutionLog, 1);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(m_console.get(), &ScheduleOwner::RowChanged, this, &frmAutoExecute::ShowRow);
    connect(m_console.get(), &AutoExecuteConsole::CanExitChanged, this, [this](bool canExit) {
        m_cmdExit->setEnabled(canExit);
        // A window opened over the console while a row runs would hold
        // the run until the operator closed it.
        m_cmdShowLog->setEnabled(canExit);
        for (int index = 0; index < m_console->RowCount(); ++index)
            ShowRow(index);
    });
    connect(&m_console->ExecutionList(), &QAbstractItemModel::rowsInserted, m_lstExecutionLog,
            &QListView::scrollToBottom);
    connect(m_cmdShowLog, &QPushButton::clicked, this, &frmAutoExecute::cmdShowLog_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &frmAutoExecute::cmdExit_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmAutoExecute::cmdHelp_Click);
    m_lblTestMode->setVisible(Settings().RunInTestMode());
}

frmAutoExecute::~frmAutoExecute()
{
    Unload();
}

QCheckBox* frmAutoExecute::chkScheduler(int index) const
{
    return m_grid->chkScheduler(index);
}

QLineEdit* frmAutoExecute::txtLastRan(int index) const
{
    return m_grid->txtLastRan(index);
}

QLineEdit* frmAutoExecute::txtNextRun(int index) const
{
    return m_grid->txtNextRun(index);
}

QPushButton* frmAutoExecute::cmdSchSettings(int index) const
{
    return m_grid->cmdSchSettings(index);
}

void frmAutoExecute::ShowRow(int index)
{
    m_grid->Show(index, m_console->View(index));
    if (!m_console->CanExit())
        m_grid->cmdSchSettings(index)->setEnabled(false);
}

void frmAutoExecute::InitialiseForm()
{
    m_console->InitialiseForm();
    m_lblScheduledConnections->setText(m_console->Heading());
    HideHelpButton(*this, HelpTopics::AutoExecute);
}

void frmAutoExecute::cmdSchSettings_Click(int index)
{
    ScopedAttendance operatorPresent(true);
    MiniScheduler* row = m_console->BeginEdit(index);
    if (!row)
        return;
    {
        frmSchedulerProps editor(this);
        editor.setWindowIcon(windowIcon());
        editor.CConstructor(*row);
        editor.fraOptions()->setTitle(AutoExecuteConsole::EditorTitle(index));
        editor.exec();
    }
    m_console->EndEdit(index);
}

void frmAutoExecute::cmdShowLog_Click()
{
    ScopedAttendance operatorPresent(true);
    try {
        frmTransmissionStatus log(this);
        log.InitialiseForm();
        log.exec();
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Could not load log form:"), e.Description());
    }
}

void frmAutoExecute::cmdExit_Click()
{
    ScopedAttendance operatorPresent(true);
    try {
        m_console->BeginExit();
        int32_t action = frmCloseAutoExecute::Cancel;
        {
            frmCloseAutoExecute dialog(this);
            dialog.exec();
            action = dialog.CloseAction();
        }
        switch (m_console->FinishExit(action)) {
        case AutoExecuteConsole::ExitRoad::Close:
            ReleaseHelp();
            CloseByProgram();
            if (m_roads.EndProgram)
                m_roads.EndProgram();
            break;
        case AutoExecuteConsole::ExitRoad::CloseToLogon:
            // The logon opens before the console closes: the program ends
            // when its last window does.
            if (m_roads.OpenLogon)
                m_roads.OpenLogon();
            CloseByProgram();
            break;
        case AutoExecuteConsole::ExitRoad::Stay: break;
        }
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Could not close properly because:"), e.Description());
        CloseByProgram();
    }
}

void frmAutoExecute::cmdHelp_Click()
{
    ShowHelpTopic(HelpTopics::AutoExecute);
}

void frmAutoExecute::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        if (m_cmdExit->isEnabled())
            m_cmdExit->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmAutoExecute::CloseByProgram()
{
    m_closingByProgram = true;
    close();
}

void frmAutoExecute::closeEvent(QCloseEvent* event)
{
    if (m_closingByProgram || IsUnloading(*this)) {
        Unload();
        event->accept();
        return;
    }
    // The title bar asks as Exit does, and not while a row runs.
    event->ignore();
    if (m_cmdExit->isEnabled())
        cmdExit_Click();
}

void frmAutoExecute::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_console->Unload();
    UnloadMenuIfLoaded();
}
