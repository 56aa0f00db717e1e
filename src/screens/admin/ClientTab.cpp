#include "screens/admin/ClientTab.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/CommonDialogs.h"
#include "database/SysParameters.h"
#include "screens/admin/ParametersChecks.h"
#include "screens/common/SelectOnFocus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Bespoke = QStringLiteral("Using bespoke format");

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

ClientTab::ClientTab(QWidget* parent)
    : QGroupBox(QStringLiteral("NEVIX Client"), parent),
      m_txtPartyName(Named(new QLineEdit(this), "txtPartyName")),
      m_cboExportFileFormat(Named(new QComboBox(this), "cboExportFileFormat")),
      m_TxtBatchSize(Named(new QLineEdit(this), "TxtBatchSize")),
      m_chkImportVRMThatFail(
          Named(new QCheckBox(QStringLiteral("Import enquiries which fail validation"), this), "chkImportVRMThatFail")),
      m_chkExcludeNEVIXDataInExport(Named(
          new QCheckBox(QStringLiteral("Exclude new NEVIX data from exported files"), this), "chkExcludeNEVIXDataInExport")),
      m_ChkTrimAsterisk(
          Named(new QCheckBox(QStringLiteral("Remove asterisks from DVLA personal details"), this), "ChkTrimAsterisk")),
      m_chkWriteFromLeft(Named(new QCheckBox(QStringLiteral("Write from left if overflowing (flat files only)"), this),
                               "chkWriteFromLeft")),
      m_chkCompactAtStatuo(Named(new QCheckBox(QStringLiteral("Compact the database"), this), "chkCompactAtStatuo")),
      m_chkDoMainentanceAtStartup(
          Named(new QCheckBox(QStringLiteral("Do data maintenance"), this), "chkDoMainentanceAtStartup")),
      m_txtDuplicateDays(Named(new QLineEdit(this), "txtDuplicateDays")),
      m_chkDuplicatesToPrint(
          Named(new QCheckBox(QStringLiteral("Print duplicates in a list"), this), "chkDuplicatesToPrint")),
      m_chkDuplicatesToFile(
          Named(new QCheckBox(QStringLiteral("Export duplicates to a file"), this), "chkDuplicatesToFile")),
      m_chkOnlyCurrentDuplicate(
          Named(new QCheckBox(QStringLiteral("Only list the VRMs being imported"), this), "chkOnlyCurrentDuplicate")),
      m_txtDuplicateFileLocation(Named(new QLineEdit(this), "txtDuplicateFileLocation")),
      m_lblDuplicateFileLocation(Named(new QLabel(QStringLiteral("Folder for file"), this), "lblDuplicateFileLocation")),
      m_cmdBrowse2(Named(new QPushButton(QStringLiteral("..."), this), "cmdBrowse2")),
      m_lblConfigVersion(Named(new QLabel(this), "lblConfigVersion"))
{
    setObjectName(QStringLiteral("fraParams5"));
    m_cmdBrowse2->setToolTip(QStringLiteral("Browse for the duplicate file folder"));
    m_cmdBrowse2->setFixedWidth(36);
    m_TxtBatchSize->setMaximumWidth(60);
    m_txtDuplicateDays->setMaximumWidth(60);

    auto* general = new QFormLayout;
    general->addRow(QStringLiteral("Your Company Name"), m_txtPartyName);
    general->addRow(QStringLiteral("Export file format"), m_cboExportFileFormat);
    general->addRow(QStringLiteral("Enquiry Batch Size (Max 99)"), m_TxtBatchSize);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* box : {m_chkImportVRMThatFail, m_chkExcludeNEVIXDataInExport, m_ChkTrimAsterisk, m_chkWriteFromLeft})
        checks->addWidget(box);
    checks->addStretch();

    auto* startUp = new QGroupBox(QStringLiteral("Start up"), this);
    startUp->setObjectName(QStringLiteral("fraStartUp"));
    auto* startUpLayout = new QVBoxLayout(startUp);
    startUpLayout->addWidget(m_chkCompactAtStatuo);
    startUpLayout->addWidget(m_chkDoMainentanceAtStartup);

    auto* duplicates = new QGroupBox(QStringLiteral("Duplicate VRM"), this);
    duplicates->setObjectName(QStringLiteral("fraDuplicates"));
    auto* duplicateLayout = new QGridLayout(duplicates);
    duplicateLayout->addWidget(new QLabel(QStringLiteral("Duplicate number of days"), duplicates), 0, 0);
    duplicateLayout->addWidget(m_txtDuplicateDays, 0, 1);
    duplicateLayout->addWidget(m_chkDuplicatesToPrint, 1, 0, 1, 3);
    duplicateLayout->addWidget(m_chkDuplicatesToFile, 2, 0, 1, 3);
    duplicateLayout->addWidget(m_chkOnlyCurrentDuplicate, 3, 0, 1, 3);
    duplicateLayout->addWidget(m_lblDuplicateFileLocation, 4, 0);
    auto* folder = new QHBoxLayout;
    folder->addWidget(m_txtDuplicateFileLocation, 1);
    folder->addWidget(m_cmdBrowse2);
    duplicateLayout->addLayout(folder, 4, 1, 1, 2);

    auto* top = new QHBoxLayout;
    top->addLayout(general, 1);
    top->addLayout(checks);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(startUp);
    bottom->addWidget(duplicates, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->addWidget(m_lblConfigVersion);
    layout->addStretch();

    SelectTextOnFocus(*m_txtDuplicateFileLocation, true);
    for (QLineEdit* box : {m_txtPartyName, m_txtDuplicateDays, m_TxtBatchSize})
        SelectTextOnFocus(*box);
    connect(m_chkDuplicatesToFile, &QCheckBox::toggled, this, &ClientTab::chkDuplicatesToFile_Click);
    connect(m_cmdBrowse2, &QPushButton::clicked, this, &ClientTab::cmdBrowse2_Click);
    chkDuplicatesToFile_Click();
}

void ClientTab::Fill(const SysParameters& parameters)
{
    const ApplicationSettings& settings = Settings();
    m_txtPartyName->setText(parameters.PartyName());
    m_cboExportFileFormat->clear();
    m_cboExportFileFormat->addItems(
        {QStringLiteral("Comma separated values"), QStringLiteral("Tab delimited"), QStringLiteral("Fixed length fields")});
    if (settings.BespokeImportFormat()) {
        m_cboExportFileFormat->addItem(Bespoke);
        m_cboExportFileFormat->setCurrentIndex(3);
        m_cboExportFileFormat->setEnabled(false);
    } else {
        const int16_t format = parameters.ExportFormat();
        m_cboExportFileFormat->setCurrentIndex(format >= 1 && format <= 3 ? format - 1 : 0);
        m_cboExportFileFormat->setEnabled(true);
    }
    m_TxtBatchSize->setText(parameters.BatchSize() > 0 ? QString::number(parameters.BatchSize())
                                                       : QStringLiteral("99"));
    m_chkImportVRMThatFail->setChecked(parameters.ImportAutoExecuteVQ3Errors());
    m_chkExcludeNEVIXDataInExport->setChecked(parameters.LegacyExport());
    m_ChkTrimAsterisk->setChecked(parameters.TrimAsterisk());
    m_chkWriteFromLeft->setChecked(parameters.WriteFromLeft());
    m_chkCompactAtStatuo->setChecked(parameters.AutoCompactAtStartUp());
    m_chkDoMainentanceAtStartup->setChecked(parameters.AutoMaintenanceAtStartUp());
    m_txtDuplicateDays->setText(QString::number(parameters.DuplicateNumberOfDays()));
    m_chkDuplicatesToPrint->setChecked(parameters.DuplicatesToPrint());
    m_chkDuplicatesToFile->setChecked(parameters.DuplicatesToFile());
    m_chkOnlyCurrentDuplicate->setChecked(parameters.OnlyReportCurrentDuplicates());
    m_txtDuplicateFileLocation->setText(parameters.DuplicateReportPath());
    chkDuplicatesToFile_Click();

    // Options of the older export layouts only.
    const bool older = settings.ConfigVersion() < 3.0f;
    for (QCheckBox* box : {m_chkExcludeNEVIXDataInExport, m_ChkTrimAsterisk, m_chkWriteFromLeft})
        box->setVisible(older);
    m_lblConfigVersion->setText(QStringLiteral("Configuration version ") +
                                QString::number(double(settings.ConfigVersion())));
}

bool ClientTab::ValidateGeneral()
{
    GeneralEntries entries{m_txtPartyName->text(), m_txtDuplicateDays->text(), m_chkDuplicatesToFile->isChecked(),
                           m_txtDuplicateFileLocation->text(), m_TxtBatchSize->text()};
    const QString messages = ValidateGeneralEntries(entries);
    if (entries.DuplicateDays != m_txtDuplicateDays->text())
        m_txtDuplicateDays->setText(entries.DuplicateDays);
    if (messages.isEmpty())
        return true;
    TellUserWarning(messages, QString());
    return false;
}

void ClientTab::WriteTo(SysParameters& parameters) const
{
    const int16_t days = IntegerOfText(m_txtDuplicateDays->text(), QStringLiteral("Duplicate number of days"));
    const int16_t batch = IntegerOfText(m_TxtBatchSize->text(), QStringLiteral("Enquiry Batch Size"));
    parameters.SetPartyName(m_txtPartyName->text());
    parameters.SetAutoCompactAtStartUp(m_chkCompactAtStatuo->isChecked());
    parameters.SetAutoMaintenanceAtStartUp(m_chkDoMainentanceAtStartup->isChecked());
    parameters.SetDuplicatesToPrint(m_chkDuplicatesToPrint->isChecked());
    parameters.SetDuplicatesToFile(m_chkDuplicatesToFile->isChecked());
    parameters.SetOnlyReportCurrentDuplicates(m_chkOnlyCurrentDuplicate->isChecked());
    parameters.SetImportAutoExecuteVQ3Errors(m_chkImportVRMThatFail->isChecked());
    parameters.SetLegacyExport(m_chkExcludeNEVIXDataInExport->isChecked());
    parameters.SetTrimAsterisk(m_ChkTrimAsterisk->isChecked());
    parameters.SetWriteFromLeft(m_chkWriteFromLeft->isChecked());
    parameters.SetDuplicateNumberOfDays(days);
    parameters.SetDuplicateReportPath(m_chkDuplicatesToFile->isChecked() ? m_txtDuplicateFileLocation->text()
                                                                         : QString());
    parameters.SetExportFormat(int16_t(m_cboExportFileFormat->currentIndex() + 1));
    parameters.SetBatchSize(batch);
}

void ClientTab::chkDuplicatesToFile_Click()
{
    const bool shown = m_chkDuplicatesToFile->isChecked();
    m_txtDuplicateFileLocation->setVisible(shown);
    m_lblDuplicateFileLocation->setVisible(shown);
    m_cmdBrowse2->setVisible(shown);
}

void ClientTab::cmdBrowse2_Click()
{
    const QString folder =
        BrowseForFolder(window()->windowTitle(), QStringLiteral("Duplicate VRM File"), m_txtDuplicateFileLocation->text());
    if (!folder.isEmpty())
        m_txtDuplicateFileLocation->setText(folder);
}
