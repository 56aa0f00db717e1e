#include "screens/admin/MaintenanceTab.h"

#include "core/AskTellUser.h"
#include "core/WorkInProgress.h"
#include "database/LogLines.h"
#include "maintenance/DatabaseRoutines.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/DataFilesSaver.h"
#include "screens/admin/ParametersChecks.h"
#include "screens/admin/ParametersData.h"
#include "screens/common/SelectOnFocus.h"
#include "screens/transmission/ShowTransmissionLog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct KindRow {
    const char* label;
    const char* termName;
    const char* periodName;
    const char* trailing;
    const char* heading; // of its message when its term is bad
};

const KindRow Rows[] = {
    {"Remove Enquiries", "txtVQ3Term", "cboVQ3Period", "after sending to the DVLA",
     "The enquiry maintenance period is invalid"},
    {"Remove Responses", "txtVQ7Term", "cboVQ7Period", "after receipt from the DVLA",
     "The enquiry responses maintenance period is invalid"},
    {"Remove Debit Statements", "txtDEBTerm", "cboDEBPeriod", "after receipt from NEVIX",
     "The debit statements maintenance period is invalid"},
    {"Remove Program Log entries", "txtTransLogTerm", "cboTransLogPeriod", "after they were recorded",
     "The transmission event log maintenance period is invalid"},
};

const QString CR = QStringLiteral("\r");
} // namespace

MaintenanceTab::MaintenanceTab(ParametersData& data, std::function<void()> showTab, QWidget* parent)
    : QGroupBox(QStringLiteral("Data Maintenance"), parent), m_data(data), m_showTab(std::move(showTab)),
      m_cmdMaintenance(new QPushButton(QStringLiteral("Remove Now"), this)),
      m_cmdSaveFiles(new QPushButton(QStringLiteral("Save files"), this))
{
    setObjectName(QStringLiteral("fraParams0"));
    m_cmdMaintenance->setObjectName(QStringLiteral("cmdMaintenance"));
    m_cmdSaveFiles->setObjectName(QStringLiteral("cmdSaveFiles"));

    auto* explanation = new QLabel(
        QStringLiteral("Over a period of time, the number of Enquiries, Responses, Debit Statements and log entries "
                       "builds up.  By doing data maintenance, you can remove old data from the database so that it "
                       "does not get too large."),
        this);
    explanation->setWordWrap(true);

    auto* grid = new QGridLayout;
    for (int kind = 0; kind < KindCount; ++kind) {
        const KindRow& row = Rows[kind];
        m_terms[kind] = new QLineEdit(this);
        m_terms[kind]->setObjectName(QLatin1String(row.termName));
        m_terms[kind]->setMaximumWidth(50);
        SelectTextOnFocus(*m_terms[kind]);
        m_periods[kind] = new QComboBox(this);
        m_periods[kind]->setObjectName(QLatin1String(row.periodName));
        m_periods[kind]->addItems({QStringLiteral("Day"), QStringLiteral("Week"), QStringLiteral("Month")});
        grid->addWidget(new QLabel(QLatin1String(row.label), this), kind, 0);
        grid->addWidget(m_terms[kind], kind, 1);
        grid->addWidget(m_periods[kind], kind, 2);
        grid->addWidget(new QLabel(QLatin1String(row.trailing), this), kind, 3);
    }
    grid->addWidget(m_cmdMaintenance, 0, 4, 2, 1);
    grid->setColumnStretch(3, 1);

    auto* files = new QGroupBox(QStringLiteral("Save to files"), this);
    files->setObjectName(QStringLiteral("fraSaveFiles"));
    auto* filesText = new QLabel(QStringLiteral("You can save Enquiry, Response and Debit Statement data to files "
                                                "which can be read by Microsoft Excel. You cannot import these files "
                                                "back into this program."),
                                 files);
    filesText->setWordWrap(true);
    auto* filesLayout = new QHBoxLayout(files);
    filesLayout->addWidget(filesText, 1);
    filesLayout->addWidget(m_cmdSaveFiles);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(grid);
    layout->addWidget(files);
    layout->addStretch();

    connect(m_cmdMaintenance, &QPushButton::clicked, this, &MaintenanceTab::cmdMaintenance_Click);
    connect(m_cmdSaveFiles, &QPushButton::clicked, this, &MaintenanceTab::cmdSaveFiles_Click);
}

void MaintenanceTab::SetComboText(QComboBox& combo, const QString& value, const QString& fallback)
{
    const QString text = value.isEmpty() ? fallback : value;
    int index = combo.findText(text);
    if (index < 0) {
        // A period word this box does not list is kept as it is stored.
        combo.addItem(text);
        index = combo.count() - 1;
    }
    combo.setCurrentIndex(index);
}

void MaintenanceTab::PopulateDataMaintenance()
{
    const SysParameters& p = m_data.parameters;
    const std::pair<int16_t, QString> stored[] = {{p.VQ3MaintenanceTerm(), p.VQ3MaintenancePeriod()},
                                                  {p.VQ7MaintenanceTerm(), p.VQ7MaintenancePeriod()},
                                                  {p.DEBMaintenanceTerm(), p.DEBMaintenancePeriod()},
                                                  {p.TransLogMaintenanceTerm(), p.TransLogMaintenancePeriod()}};
    for (int kind = 0; kind < KindCount; ++kind) {
        m_terms[kind]->setText(QString::number(stored[kind].first));
        SetComboText(*m_periods[kind], stored[kind].second, m_periods[kind]->itemText(0));
    }
}

bool MaintenanceTab::ValidateMaintenanceTerms()
{
    QString text;
    for (int kind = 0; kind < KindCount; ++kind) {
        const QString message = ValidateTerm(m_terms[kind]->text(), m_periods[kind]->currentText());
        if (message.isEmpty())
            continue;
        if (text.isEmpty()) {
            if (m_showTab)
                m_showTab();
            m_terms[kind]->setFocus();
        } else {
            text += CR;
        }
        text += QLatin1String(Rows[kind].heading) + CR + message;
    }
    if (!text.isEmpty()) {
        TellUserWarning(text, QString());
        return false;
    }
    TermEntry terms[3];
    for (int kind = 0; kind < 3; ++kind)
        terms[kind] = {m_terms[kind]->text(), m_periods[kind]->currentText()};
    const QStringList lines = EarlyRemovalLines(m_data.db, terms);
    if (lines.isEmpty())
        return true;
    const QString question = QStringLiteral("You are obliged to keep the DVLA data for 3 months") + CR +
                             lines.join(CR) + CR + CR +
                             QStringLiteral("Do you want to use these maintenance period values anyway?");
    return AskUser(question, QString(), MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes;
}

void MaintenanceTab::WriteTo() const
{
    int16_t terms[KindCount];
    for (int kind = 0; kind < KindCount; ++kind)
        terms[kind] = IntegerOfText(m_terms[kind]->text(), QLatin1String(Rows[kind].label) + QStringLiteral(" term"));
    SysParameters& p = m_data.parameters;
    p.SetVQ3MaintenanceTerm(terms[Enquiries]);
    p.SetVQ3MaintenancePeriod(m_periods[Enquiries]->currentText());
    p.SetVQ7MaintenanceTerm(terms[Responses]);
    p.SetVQ7MaintenancePeriod(m_periods[Responses]->currentText());
    p.SetDEBMaintenanceTerm(terms[Statements]);
    p.SetDEBMaintenancePeriod(m_periods[Statements]->currentText());
    p.SetTransLogMaintenanceTerm(terms[LogEntries]);
    p.SetTransLogMaintenancePeriod(m_periods[LogEntries]->currentText());
}

void MaintenanceTab::cmdMaintenance_Click()
{
    try {
        if (!ValidateMaintenanceTerms())
            return;
        // The terms on the screen, saved or not; the log entries' saved one.
        MaintenanceTerms terms;
        RetentionTerm* given[] = {&terms.VQ3, &terms.VQ7, &terms.DEB};
        for (int kind = 0; kind < 3; ++kind)
            *given[kind] = {m_periods[kind]->currentText(), m_terms[kind]->text()};
        std::shared_ptr<LogLines> log;
        bool done = false;
        {
            const ParametersBusy busy(m_data, window());
            WorkInProgress wait;
            wait.Show(QStringLiteral("Removing old data from the database. Please wait..."));
            done = TableMaintenance(m_data.db, terms, log, true, m_data.userName);
        }
        if (done) {
            TellUser(QStringLiteral("Table maintenance completed successfully"), QString(), MsgBox::OkOnly);
        } else if (log) {
            TellUser(QString::number(log->AllErrorsCount()) + QStringLiteral(" errors and ") +
                         QString::number(log->WarningCount()) +
                         QStringLiteral(" warnings occurred during table maintenance"),
                     QString(), MsgBox::Information);
            ShowTransmissionLog(window(), log);
        }
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error doing mainenance"), e.Description());
    }
}

void MaintenanceTab::cmdSaveFiles_Click()
{
    try {
        DataFilesSaver saver(m_data.db, window()->windowTitle(), m_data.userName);
        QString summary;
        {
            const ParametersBusy busy(m_data, window());
            WorkInProgress wait;
            wait.Show(QStringLiteral("Saving the data files. Please wait..."));
            summary = saver.Run();
        }
        if (!summary.isEmpty())
            TellUser(summary, QString(), MsgBox::Information);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to save data files because:"), e.Description());
    }
}
