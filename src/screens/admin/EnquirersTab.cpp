#include "screens/admin/EnquirersTab.h"

#include "accounts/EnquiryReasons.h"
#include "accounts/SetupHelpers.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/ParametersChecks.h"
#include "screens/admin/ParametersData.h"
#include "screens/common/EnquirerControls.h"
#include "screens/common/SelectOnFocus.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "service/NevixEnquirerRequest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const Tag = "Tag";
const QString On = QStringLiteral("ON");

bool TaggedOn(const QWidget* control)
{
    return control->property(Tag).toString() == On;
}

template <typename Widget>
Widget* Named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}
} // namespace

EnquirersTab::EnquirersTab(ParametersData& data, EnquirerSetupForm& form, QWidget* parent)
    : QGroupBox(QStringLiteral("Enquirers"), parent), m_data(data), m_form(form),
      m_cboEnquirer(Named(new QComboBox(this), QStringLiteral("cboEnquirer"))),
      m_lblEnquirerName(Named(new QLabel(this), QStringLiteral("lblEnquirerName"))),
      m_lblEnquirerId(Named(new QLabel(this), QStringLiteral("lblEnquirerId"))),
      m_lblIntermediaryId(Named(new QLabel(this), QStringLiteral("lblIntermediaryId"))),
      m_chkIsDefaultEnquirer(
          Named(new QCheckBox(QStringLiteral("Is the default"), this), QStringLiteral("chkIsDefaultEnquirer"))),
      m_cboReasonForEnquiry(Named(new QComboBox(this), QStringLiteral("cboReasonForEnquiry"))),
      m_lblDefaultReason(Named(new QLabel(this), QStringLiteral("lblDefaultReason"))),
      m_frmEnqFolders(
          Named(new QGroupBox(QStringLiteral("Import and Export folders"), this), QStringLiteral("frmEnqFolders"))),
      m_cmdGetEnquirersFromNevix(Named(new QPushButton(QStringLiteral("Refresh Enquirers From NEVIX Service"), this),
                                       QStringLiteral("cmdGetEnquirersFromNevix"))),
      m_cmdShowDoeCutOff(Named(new QPushButton(QStringLiteral("Show Date Of Event limits for selected Enquirer"), this),
                               QStringLiteral("cmdShowDoeCutOff")))
{
    setObjectName(QStringLiteral("fraParams2"));
    m_cmdGetEnquirersFromNevix->setToolTip(
        QStringLiteral("Downloads your allocated Enquirer and Reasons for Enquiry from the NEVIX service"));
    m_cmdShowDoeCutOff->setToolTip(QStringLiteral("Shows the earliest Date Of Events that the DVLA will accept"));

    const char* const folderLabels[] = {"Folder from which enquiries for this Enquirer are imported",
                                        "Folder to which Responses and Debit Statements are exported"};
    const char* const browseTips[] = {"Browse for an import folder", "Browse for an export folder"};
    auto* folders = new QGridLayout(m_frmEnqFolders);
    for (int i = 0; i < 2; ++i) {
        m_txtEnqFolder[i] = Named(new QLineEdit(m_frmEnqFolders), QStringLiteral("txtEnqFolder%1").arg(i));
        m_cmdBrowse[i] = Named(new QPushButton(QStringLiteral("..."), m_frmEnqFolders), QStringLiteral("cmdBrowse%1").arg(i));
        m_cmdBrowse[i]->setToolTip(QLatin1String(browseTips[i]));
        m_cmdBrowse[i]->setFixedWidth(36);
        SelectTextOnFocus(*m_txtEnqFolder[i], true);
        m_txtEnqFolder[i]->installEventFilter(this);
        folders->addWidget(new QLabel(QLatin1String(folderLabels[i]), m_frmEnqFolders), i * 2, 0, 1, 2);
        folders->addWidget(m_txtEnqFolder[i], i * 2 + 1, 0);
        folders->addWidget(m_cmdBrowse[i], i * 2 + 1, 1);
        connect(m_cmdBrowse[i], &QPushButton::clicked, this, [this, i] { cmdBrowse_Click(i); });
    }

    auto* enquirer = new QHBoxLayout;
    enquirer->addWidget(m_cboEnquirer, 1);
    enquirer->addWidget(m_lblEnquirerName, 1);
    enquirer->addWidget(m_chkIsDefaultEnquirer);
    auto* reason = new QHBoxLayout;
    reason->addWidget(m_cboReasonForEnquiry, 1);
    reason->addWidget(m_lblDefaultReason, 1);
    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Enquirer"), enquirer);
    details->addRow(QStringLiteral("Enquirer Id"), m_lblEnquirerId);
    details->addRow(QStringLiteral("Intermediary Id"), m_lblIntermediaryId);
    details->addRow(QStringLiteral("Default Reason for Enquiry"), reason);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdGetEnquirersFromNevix);
    buttons->addWidget(m_cmdShowDoeCutOff);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(details);
    layout->addWidget(m_frmEnqFolders);
    layout->addLayout(buttons);
    layout->addStretch();

    for (QWidget* tagged : std::initializer_list<QWidget*>{m_chkIsDefaultEnquirer, m_cboReasonForEnquiry})
        tagged->installEventFilter(this);
    connect(m_cboEnquirer, &QComboBox::currentIndexChanged, this, &EnquirersTab::cboEnquirer_Click);
    connect(m_chkIsDefaultEnquirer, &QCheckBox::toggled, this, &EnquirersTab::chkIsDefaultEnquirer_Click);
    connect(m_cboReasonForEnquiry, &QComboBox::currentIndexChanged, this, &EnquirersTab::cboReasonForEnquiry_Click);
    connect(m_cmdGetEnquirersFromNevix, &QPushButton::clicked, this, &EnquirersTab::cmdGetEnquirersFromNevix_Click);
    connect(m_cmdShowDoeCutOff, &QPushButton::clicked, this, &EnquirersTab::cmdShowDoeCutOff_Click);
}

bool EnquirersTab::eventFilter(QObject* watched, QEvent* event)
{
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if (in || out) {
        // Only changes made while the user is on a box are the user's.
        if (watched == m_chkIsDefaultEnquirer || watched == m_cboReasonForEnquiry)
            watched->setProperty(Tag, in ? On : QString());
        if (out) {
            for (int i = 0; i < 2; ++i) {
                if (watched == m_txtEnqFolder[i])
                    txtEnqFolder_LostFocus(i);
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void EnquirersTab::Refill()
{
    LoadEnquirerCombo(*m_data.enquirers, m_form);
    m_filled = true;
}

void EnquirersTab::StoreFolders()
{
    if (!m_filled)
        return;
    for (int i = 0; i < 2; ++i)
        txtEnqFolder_LostFocus(i);
}

std::shared_ptr<Enquirer> EnquirersTab::CurrentEnquirer() const
{
    const Enquirers& enquirers = *m_data.enquirers;
    if (enquirers.Count() == 1)
        return enquirers.Item(1);
    const int position = m_cboEnquirer->currentIndex() + 1;
    return enquirers.Exists(position) ? enquirers.Item(position) : nullptr;
}

void EnquirersTab::cboEnquirer_Click()
{
    const int index = m_cboEnquirer->currentIndex();
    if (index >= 0 && m_data.enquirers->Exists(index + 1))
        ShowEnquirerDetails(int16_t(index + 1), *m_data.enquirers, m_form);
}

void EnquirersTab::chkIsDefaultEnquirer_Click()
{
    if (!TaggedOn(m_chkIsDefaultEnquirer))
        return;
    const int position = m_cboEnquirer->currentIndex() + 1;
    if (!m_data.enquirers->Exists(position))
        return;
    for (const auto& enquirer : *m_data.enquirers)
        enquirer->SetIsDefault(false);
    m_data.enquirers->Item(position)->SetIsDefault(m_chkIsDefaultEnquirer->isChecked());
}

void EnquirersTab::cboReasonForEnquiry_Click()
{
    if (!TaggedOn(m_cboReasonForEnquiry) || m_data.enquirers->Count() < 1)
        return;
    const auto enquirer = CurrentEnquirer();
    if (!enquirer)
        return;
    // The box lists the reasons in their collection's order, each with its
    // code: its position finds the reason.
    const auto reasons = enquirer->EnquiryReasons();
    const int position = m_cboReasonForEnquiry->currentIndex() + 1;
    if (!reasons->Exists(position))
        return;
    for (const auto& reason : *reasons)
        reason->SetIsDefault(false);
    reasons->Item(position)->SetIsDefault(true);
}

void EnquirersTab::txtEnqFolder_LostFocus(int index)
{
    const auto enquirer = CurrentEnquirer();
    if (!enquirer)
        return;
    const QString folder = m_txtEnqFolder[size_t(index)]->text();
    if (index == 0)
        enquirer->SetImportFolder(folder);
    else
        enquirer->SetExportFolder(folder);
}

void EnquirersTab::cmdBrowse_Click(int index)
{
    const QString folder = BrowseEnquirerFolder(int16_t(index), m_txtEnqFolder[size_t(index)]->text(), m_form);
    if (folder.isEmpty())
        return;
    m_txtEnqFolder[size_t(index)]->setText(folder);
    txtEnqFolder_LostFocus(index);
}

void EnquirersTab::cmdGetEnquirersFromNevix_Click()
{
    try {
        DownloadEnquirers();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to get enquirers from server: "), e.Description());
    }
}

void EnquirersTab::DownloadEnquirers()
{
    if (AskUser(QStringLiteral("This will merge existing Enquirer data."), QStringLiteral("Are you sure?"),
                MsgBox::YesNo, MsgBox::AnswerNo) != MsgBox::AnswerYes)
        return;
    auto log = std::make_shared<LogLines>();
    log->SetDataSource(&m_data.db);
    bool downloaded = false;
    {
        const ParametersBusy busy(m_data, window());
        PreservePointer pointer;
        pointer.SetHourGlass(this);
        downloaded = RunNevixEnquirerRequest(*log);
    }
    if (!downloaded) {
        TellUserWarning(QString::number(log->AllErrorsCount()) + QStringLiteral(" errors and ") +
                            QString::number(log->WarningCount()) +
                            QStringLiteral(" warnings occurred while obtaining parameters"),
                        QString());
        ShowTransmissionLog(window(), log);
        return;
    }
    m_data.enquirers->Load();
    EnsureDefaultEnquirerAndReason(m_data.enquirers);
    m_data.enquirers->Apply();
    Refill();
    m_data.users.Load();
    TellUser(QStringLiteral("Parameters obtained successfully"), QString(), MsgBox::OkOnly);
}

void EnquirersTab::cmdShowDoeCutOff_Click()
{
    try {
        const auto enquirer = CurrentEnquirer();
        if (!enquirer)
            return;
        TellUser(DateOfEventLimitsText(*enquirer, AppContext::Current().clock().Today()), QString(),
                 MsgBox::Information);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to get Date Of Event cut-offs"), e.Description());
    }
}
