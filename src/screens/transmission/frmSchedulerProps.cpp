#include "screens/transmission/frmSchedulerProps.h"

#include "core/AskTellUser.h"
#include "core/FormUtilities.h"
#include "core/qt/FormWidgets.h"
#include "scheduling/MiniScheduler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const DayCaptions[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const HourCaptions[] = {"Every 15 mins", "Every 30 mins", "Every hour"};
const QString TimeTip = QStringLiteral("The time of day (HH:MM) that the connection should be run");
const QString LastRanFormat = QStringLiteral("dd/MM/yyyy hh:mm");
const QString NextRunFormat = QStringLiteral("dd/MM/yyyy  hh:mm");
const QString TimeChars = QStringLiteral("0123456789:");

QString Indexed(const char* name, int index)
{
    return QLatin1String(name) + QStringLiteral("_") + QString::number(index);
}
} // namespace

frmSchedulerProps::frmSchedulerProps(QWidget* parent)
    : QDialog(parent), m_fraOptions(new QGroupBox(QStringLiteral("Auto Execute Scheduler"), this)),
      m_cboSchRunAt(new QComboBox(m_fraOptions)), m_cmdOk(new QPushButton(QStringLiteral("&Ok"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmSchedulerProps"));
    setWindowTitle(QStringLiteral("SCHEDULER PROPERTIES"));
    setModal(true);
    m_fraOptions->setObjectName(QStringLiteral("fraOptions"));
    m_cboSchRunAt->setObjectName(QStringLiteral("cboSchRunAt"));
    m_cboSchRunAt->addItems({QStringLiteral("Never"), QStringLiteral("On these days at these times")});
    m_cboSchRunAt->setToolTip(QStringLiteral("When the connection should be run"));
    m_cboSchRunAt->setCurrentIndex(-1);

    const char* const labels[] = {"Run when", "Last ran", "Next run", "at", "and"};
    for (int i = 0; i < int(m_lblInput.size()); ++i) {
        m_lblInput[i] = new QLabel(QLatin1String(labels[i]), m_fraOptions);
        m_lblInput[i]->setObjectName(Indexed("lblInput", i));
    }
    for (int i = 0; i < int(m_txtInput.size()); ++i) {
        m_txtInput[i] = new QLineEdit(m_fraOptions);
        m_txtInput[i]->setObjectName(Indexed("txtInput", i));
        connect(m_txtInput[i], &QLineEdit::textChanged, this, [this, i] { txtInput_Change(i); });
    }
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = m_txtInput[i];
        box->setMaxLength(5);
        box->setToolTip(TimeTip);
        box->installEventFilter(this);
        KeyFilter::Install(*box, [](int16_t keyCode) {
            return FilterKeyToChars(keyCode, TimeChars, CompareMode::Binary);
        });
    }
    for (int i = 2; i < 4; ++i) {
        m_txtInput[i]->setReadOnly(true);
        m_txtInput[i]->setFocusPolicy(Qt::NoFocus);
    }
    for (int i = 0; i < int(m_chkSchDays.size()); ++i) {
        m_chkSchDays[i] = new QCheckBox(QLatin1String(DayCaptions[i]), m_fraOptions);
        m_chkSchDays[i]->setObjectName(Indexed("chkSchDays", i));
        connect(m_chkSchDays[i], &QCheckBox::toggled, this, [this, i] { chkSchDays_Click(i); });
    }
    for (int i = 0; i < int(m_chkSchHours.size()); ++i) {
        m_chkSchHours[i] = new QCheckBox(QLatin1String(HourCaptions[i]), m_fraOptions);
        m_chkSchHours[i]->setObjectName(Indexed("chkSchHours", i));
        connect(m_chkSchHours[i], &QCheckBox::toggled, this, [this, i] { chkSchHours_Click(i); });
    }
    connect(m_cboSchRunAt, &QComboBox::currentIndexChanged, this, &frmSchedulerProps::cboSchRunAt_Click);

    auto* grid = new QGridLayout(m_fraOptions);
    grid->addWidget(m_lblInput[0], 0, 0);
    grid->addWidget(m_cboSchRunAt, 0, 1, 1, 3);
    auto* days = new QGridLayout;
    for (int i = 0; i < int(m_chkSchDays.size()); ++i)
        days->addWidget(m_chkSchDays[i], i / 4, i % 4);
    grid->addLayout(days, 1, 0, 1, 4);
    grid->addWidget(m_lblInput[3], 2, 0);
    grid->addWidget(m_txtInput[0], 2, 1);
    grid->addWidget(m_lblInput[4], 2, 2);
    grid->addWidget(m_txtInput[1], 2, 3);
    auto* hours = new QHBoxLayout;
    for (QCheckBox* box : m_chkSchHours)
        hours->addWidget(box);
    grid->addLayout(hours, 3, 0, 1, 4);
    grid->addWidget(m_lblInput[1], 4, 0);
    grid->addWidget(m_txtInput[2], 4, 1, 1, 3);
    grid->addWidget(m_lblInput[2], 5, 0);
    grid->addWidget(m_txtInput[3], 5, 1, 1, 3);

    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fraOptions);
    layout->addLayout(buttons);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmSchedulerProps::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSchedulerProps::cmdCancel_Click);
}

void frmSchedulerProps::CConstructor(MiniScheduler& objScheduler)
{
    m_row = &objScheduler;
    m_loading = true;
    m_cboSchRunAt->setCurrentIndex(objScheduler.RunAtID() - 1);
    const QString days = objScheduler.DaysToRun() + QStringLiteral("0000000");
    for (int i = 0; i < int(m_chkSchDays.size()); ++i)
        m_chkSchDays[i]->setChecked(days.at(i) != QLatin1Char('0'));
    m_txtInput[0]->setText(objScheduler.FirstTime());
    m_txtInput[1]->setText(objScheduler.LastTime());
    m_chkSchHours[0]->setChecked(objScheduler.Every15Mins());
    m_chkSchHours[1]->setChecked(objScheduler.Every30Mins());
    m_chkSchHours[2]->setChecked(objScheduler.Every60Mins());
    m_txtInput[2]->clear();
    m_txtInput[3]->clear();
    if (const NullableDate last = objScheduler.LastRunDateTime())
        m_txtInput[2]->setText(last->toString(LastRanFormat));
    if (const NullableDate next = objScheduler.NextRunDateTime())
        m_txtInput[3]->setText(next->toString(NextRunFormat));
    m_loading = false;
}

bool frmSchedulerProps::ScheduleIsOn() const
{
    return m_cboSchRunAt->currentIndex() + 1 == MiniScheduler::RunOnDays;
}

void frmSchedulerProps::cboSchRunAt_Click()
{
    const bool on = ScheduleIsOn();
    m_txtInput[0]->setEnabled(on);
    m_txtInput[1]->setEnabled(on);
    for (QCheckBox* box : m_chkSchDays)
        box->setEnabled(on);
    for (QCheckBox* box : m_chkSchHours) {
        box->setEnabled(on);
        if (!on)
            box->setChecked(false);
    }
    m_lblInput[2]->setVisible(on);
    m_txtInput[3]->setVisible(on);
    RefreshOkButton();
}

void frmSchedulerProps::chkSchDays_Click(int)
{
    if (!m_loading)
        m_txtInput[3]->clear(); // the next run shown no longer applies
    RefreshOkButton();
}

void frmSchedulerProps::chkSchHours_Click(int)
{
    if (!m_loading)
        m_txtInput[3]->clear();
    bool any = false;
    for (QCheckBox* box : m_chkSchHours)
        any = any || box->isChecked();
    m_lblInput[3]->setText(any ? QStringLiteral("between") : QStringLiteral("at"));
    RefreshOkButton();
}

void frmSchedulerProps::txtInput_Change(int index)
{
    if (!m_loading && (index == 0 || index == 1))
        m_txtInput[3]->clear();
    RefreshOkButton();
}

bool frmSchedulerProps::eventFilter(QObject* watched, QEvent* event)
{
    // After the box's own focus handling, which would undo the selection.
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(box, [box] { HighlightTextOnFocus(*box); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void frmSchedulerProps::RefreshOkButton()
{
    if (m_row && m_row->AllowUpdates() && !m_loading && !m_cmdOk->isEnabled())
        m_cmdOk->setEnabled(true);
}

void frmSchedulerProps::ValidateAndSave(bool& saved)
{
    saved = false;
    const bool on = ScheduleIsOn();
    int intervals = 0;
    for (QCheckBox* box : m_chkSchHours)
        intervals += box->isChecked() ? 1 : 0;
    QString errors;
    const QString crlf = QStringLiteral("\r\n");
    if (on && intervals >= 2)
        AppendWithSeparator(errors, QStringLiteral("Select only one time period for the schedule"), crlf);
    QString days;
    for (QCheckBox* box : m_chkSchDays)
        days += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    for (int i = 0; i < 2; ++i) {
        const QString trimmed = m_txtInput[i]->text().trimmed();
        if (trimmed != m_txtInput[i]->text())
            m_txtInput[i]->setText(trimmed);
    }
    QString first = m_txtInput[0]->text();
    QString last = m_txtInput[1]->text();
    if (on) {
        // The row's own check, so that a time the row would drop is refused here.
        if (first.isEmpty())
            AppendWithSeparator(errors,
                                QStringLiteral("The first run time should be in the format HH:MM and cannot be blank"),
                                crlf);
        else if (!MiniScheduler::TimeCheck(first))
            AppendWithSeparator(errors, QStringLiteral("The first run time should be in the format HH:MM"), crlf);
        if (!last.isEmpty()) {
            if (!MiniScheduler::TimeCheck(last))
                AppendWithSeparator(errors, QStringLiteral("The last run time should be in the format HH:MM"), crlf);
        } else if (intervals > 0) {
            AppendWithSeparator(
                errors, QStringLiteral("You must set an end time when you want to run ever 15, 30 or 60 minutes"), crlf);
        }
        if (days == QLatin1String("0000000"))
            AppendWithSeparator(errors, QStringLiteral("At least 1 day to run must be selected"), crlf);
    }
    if (!errors.isEmpty()) {
        TellUserWarning(QStringLiteral("Cannot save the scheduler properties because:"), errors);
        return;
    }
    const int32_t mode = m_cboSchRunAt->currentIndex() + 1;
    if (m_row->RunAtID() != mode || m_txtInput[3]->text().trimmed().isEmpty()) {
        m_row->SetRunAtID(mode);
        m_row->SetFirstTime(first);
        m_row->SetLastTime(last);
        m_row->SetEvery15Mins(m_chkSchHours[0]->isChecked());
        m_row->SetEvery30Mins(m_chkSchHours[1]->isChecked());
        m_row->SetEvery60Mins(m_chkSchHours[2]->isChecked());
        m_row->SetDaysToRun(days);
        m_row->SetNextRunDate(std::nullopt, true);
        if (const NullableDate next = m_row->NextRunDateTime())
            m_txtInput[3]->setText(next->toString(NextRunFormat));
    }
    saved = true;
}

void frmSchedulerProps::cmdOk_Click()
{
    if (!m_row)
        return;
    bool saved = false;
    ValidateAndSave(saved);
    if (saved)
        accept();
}

void frmSchedulerProps::cmdCancel_Click()
{
    reject();
}

void frmSchedulerProps::reject()
{
    if (m_row)
        m_row->CancelEdit();
    QDialog::reject();
}
