#include "screens/transmission/frmTransmissionControl.h"

#include "database/LogLines.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "scheduling/TransmissionControl.h"
#include "screens/common/HelpButton.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/ScheduleGrid.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "screens/transmission/frmSchedulerProps.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QLabel* WrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

frmTransmissionControl::frmTransmissionControl(CDataBase& database, std::shared_ptr<Exchanges> exchanges,
                                               QWidget* parent)
    : QWidget(parent), m_control(std::make_unique<TransmissionControl>(database, std::move(exchanges))),
      m_fraConnection(new QGroupBox(QStringLiteral("Connection to NEVIX Service"), this)),
      m_fraImmediateComms(new QGroupBox(QStringLiteral("Communications"), this)),
      m_cmdSenRecNow(new QPushButton(QStringLiteral("Send / Receive Now"), m_fraImmediateComms)),
      m_cmdRunCommsTest(new QPushButton(QStringLiteral("Test Communications "), m_fraImmediateComms)),
      m_lblCommsOut(new QLabel(this)), m_cmdHelp(new QPushButton(QStringLiteral("&Help"), this)),
      m_cmdReturn(new QPushButton(QStringLiteral("&Close"), this))
{
    setObjectName(QStringLiteral("frmTransmissionControl"));
    setWindowTitle(QStringLiteral("NEVIX - CONNECTION TO NEVIX SERVICE"));

    m_fraConnection->setObjectName(QStringLiteral("fraConnection"));
    auto* connection = new QVBoxLayout(m_fraConnection);
    connection->addWidget(WrappedLabel(
        QStringLiteral("You can connect to the NEVIX service immediately or use a scheduler to connect to the "
                       "service at predetermined times and intervals."),
        m_fraConnection));
    const QString options[] = {QStringLiteral("Immediate connection to the service"),
                               QStringLiteral("Scheduled connection to the service")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(options[i], m_fraConnection);
        option->setObjectName(QStringLiteral("optConnectType") + QString::number(i));
        connection->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] { m_control->ChooseConnectType(i); });
        m_optConnectType[size_t(i)] = option;
    }
    m_optConnectType[0]->setChecked(true);

    m_fraImmediateComms->setObjectName(QStringLiteral("fraImmediateComms"));
    m_cmdSenRecNow->setObjectName(QStringLiteral("cmdSenRecNow"));
    m_cmdRunCommsTest->setObjectName(QStringLiteral("cmdRunCommsTest"));
    auto* comms = new QVBoxLayout(m_fraImmediateComms);
    auto* commsButtons = new QHBoxLayout;
    commsButtons->addWidget(m_cmdSenRecNow);
    commsButtons->addWidget(m_cmdRunCommsTest);
    commsButtons->addStretch();
    comms->addLayout(commsButtons);
    comms->addWidget(WrappedLabel(QStringLiteral("Communications cannot be run while the Scheduler is running. "),
                                  m_fraImmediateComms));

    QStringList captions;
    for (int i = 0; i < m_control->RowCount(); ++i)
        captions << TransmissionControl::RowCaption(i);
    m_grid = std::make_unique<ScheduleGrid>(
        this, captions, [this](int index, bool on) { m_control->SwitchRow(index, on); },
        [this](int index) { cmdSchSettings_Click(index); });
    QGridLayout* grid = m_grid->Layout();
    for (int i = 0; i < m_control->RowCount(); ++i) {
        auto* retry = WrappedLabel(TransmissionControl::RetryText(i), m_grid->Frame());
        retry->setObjectName(QStringLiteral("lblSchedulerError") + QString::number(i));
        retry->setStyleSheet(QStringLiteral("color: red"));
        retry->hide();
        grid->addWidget(retry, ScheduleGrid::GridRow(i) + 1, 0, 1, 4);
        m_lblSchedulerError[size_t(i)] = retry;
    }
    grid->addWidget(WrappedLabel(QStringLiteral("NEVIX will wait until the scheduler runs."), m_grid->Frame()),
                    ScheduleGrid::GridRow(m_control->RowCount()), 0, 1, 4);

    const QString testTexts[] = {QStringLiteral("THE PROGRAM IS IN TEST MODE"),
                                 QStringLiteral("Enquiries will be sent to the NEVIX service but not to the DVLA.  "
                                                "Test responses to the enquiries will be received from the NEVIX "
                                                "service.")};
    for (int i = 0; i < 2; ++i) {
        auto* label = WrappedLabel(testTexts[i], this);
        label->setObjectName(QStringLiteral("lblTestMode") + QString::number(i));
        label->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
        m_lblTestMode[size_t(i)] = label;
    }
    m_lblCommsOut->setObjectName(QStringLiteral("lblCommsOut"));
    m_lblCommsOut->setMinimumHeight(m_lblCommsOut->fontMetrics().height() + 4);
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    for (auto* button : {m_cmdSenRecNow, m_cmdRunCommsTest, m_cmdHelp, m_cmdReturn})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdReturn);
    buttons->addWidget(m_cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTestMode[0]);
    layout->addWidget(m_lblTestMode[1]);
    layout->addWidget(m_fraConnection);
    layout->addWidget(m_fraImmediateComms);
    layout->addWidget(m_grid->Frame());
    layout->addStretch();
    layout->addWidget(m_lblCommsOut);
    layout->addLayout(buttons);
    resize(640, 440);

    m_control->SetLogShower([this](std::shared_ptr<LogLines> log) { ShowTransmissionLog(this, std::move(log)); });
    connect(m_control.get(), &ScheduleOwner::RowChanged, this, [this](int index) {
        m_grid->Show(index, m_control->View(index));
        m_lblSchedulerError[size_t(index)]->setVisible(m_control->View(index).retrying);
    });
    connect(m_control.get(), &TransmissionControl::ControlsChanged, this, &frmTransmissionControl::ShowControls);
    connect(m_control.get(), &TransmissionControl::CommsOutChanged, this, &frmTransmissionControl::ShowCommsOut);
    connect(m_cmdSenRecNow, &QPushButton::clicked, m_control.get(), &TransmissionControl::SendReceiveNow);
    connect(m_cmdRunCommsTest, &QPushButton::clicked, m_control.get(), &TransmissionControl::RunCommsTest);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmTransmissionControl::cmdHelp_Click);
    connect(m_cmdReturn, &QPushButton::clicked, this, [this] {
        m_closingByProgram = true;
        close();
    });
    ShowControls();
}

frmTransmissionControl::~frmTransmissionControl()
{
    m_control->Timer().stop();
}

QGroupBox* frmTransmissionControl::fraSchedule() const
{
    return m_grid->Frame();
}

QCheckBox* frmTransmissionControl::chkScheduler(int index) const
{
    return m_grid->chkScheduler(index);
}

QLineEdit* frmTransmissionControl::txtLastRan(int index) const
{
    return m_grid->txtLastRan(index);
}

QLineEdit* frmTransmissionControl::txtNextRun(int index) const
{
    return m_grid->txtNextRun(index);
}

QPushButton* frmTransmissionControl::cmdSchSettings(int index) const
{
    return m_grid->cmdSchSettings(index);
}

void frmTransmissionControl::InitialiseForm()
{
    m_control->InitialiseForm();
    m_lblCommsOut->setVisible(true);
    HideHelpButton(*this, HelpContextId());
}

int32_t frmTransmissionControl::HelpContextId() const
{
    return m_control->ConnectType() == 0 ? HelpTopics::SendReceiveOption0 : HelpTopics::SendReceiveOption1;
}

void frmTransmissionControl::ShowControls()
{
    const bool enabled = m_control->ImmediateControlsEnabled();
    for (auto* widget : {static_cast<QWidget*>(m_optConnectType[0]), static_cast<QWidget*>(m_optConnectType[1]),
                         static_cast<QWidget*>(m_cmdReturn), static_cast<QWidget*>(m_cmdSenRecNow),
                         static_cast<QWidget*>(m_cmdRunCommsTest)})
        widget->setEnabled(enabled);
    const bool immediate = m_control->ConnectType() == 0;
    m_fraImmediateComms->setVisible(immediate);
    m_grid->Frame()->setVisible(!immediate);
    const bool testMode = m_control->TestModeShown();
    m_lblTestMode[0]->setVisible(testMode);
    m_lblTestMode[1]->setVisible(testMode);
}

void frmTransmissionControl::ShowCommsOut(const QString& text)
{
    // Painted at once: the exchange holds the event loop between lines.
    m_lblCommsOut->setText(text);
    m_lblCommsOut->repaint();
}

void frmTransmissionControl::cmdSchSettings_Click(int index)
{
    MiniScheduler* row = m_control->BeginEdit(index);
    if (!row)
        return;
    {
        frmSchedulerProps editor(this);
        editor.setWindowIcon(windowIcon());
        editor.CConstructor(*row);
        editor.fraOptions()->setTitle(TransmissionControl::EditorTitle(index));
        editor.exec();
    }
    m_control->EndEdit(index);
}

void frmTransmissionControl::cmdHelp_Click()
{
    ShowHelpTopic(HelpContextId());
}

void frmTransmissionControl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmTransmissionControl::closeEvent(QCloseEvent* event)
{
    if (m_closingByProgram || IsUnloading(*this)) {
        m_control->Timer().stop();
        event->accept();
        return;
    }
    if (m_control->QueryClose() == TransmissionControl::CloseAnswer::Close) {
        m_control->Timer().stop();
        event->accept();
        return;
    }
    event->ignore();
}
