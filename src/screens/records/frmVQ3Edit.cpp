// The enquiry screen's editing: the modes and their buttons, adding,
// editing, checking and saving, deleting, clearing errors and cancelling.
#include "screens/records/frmVQ3.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "core/qt/FormWidgets.h"
#include "database/GlobalDatabase.h"
#include "database/SysParameters.h"
#include "platform/AppContext.h"
#include "records/JuxMessageErrors.h"
#include "screens/records/EnquiryButtons.h"
#include "screens/records/EnquiryDates.h"
#include "screens/records/EnquiryForm.h"
#include "screens/records/RecordGrid.h"
#include "screens/records/RecordGridModel.h"
#include "platform/LocalTime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
// The codes the checks before a save set; a save replaces them.
const QString ValidatableErrorCodes = QStringLiteral("JX500,JX501,JX502,JX503,JX504,JX505,JX506,JX508,JX509,JX507");

QDateTime Now()
{
    return AppContext::Current().clock().Now();
}
} // namespace

void frmVQ3::SetButtons(int32_t Mode)
{
    m_mode = Mode;
    EnquiryButtonInputs inputs;
    inputs.hasCurrent = m_current != nullptr;
    if (m_current) {
        inputs.currentIsNew = m_current->IsNew();
        inputs.prepared = m_current->WhenPrepared().has_value();
        inputs.sent = m_current->WhenSent().has_value();
        inputs.currentErrors = m_current->Errors()->Count();
    }
    inputs.listCount = m_list.Count();
    inputs.userHasEnquirers = UserEnquirers().Count() > 0;
    ApplyButtonStates(EnquiryButtonStatesFor(Mode, inputs));
}

void frmVQ3::ApplyButtonStates(const EnquiryButtonStates& s)
{
    m_cmdEdit->setVisible(s.editVisible);
    m_cmdEdit->setEnabled(s.editEnabled);
    m_cmdDelete->setEnabled(s.deleteEnabled);
    m_cmdSave->setVisible(s.saveVisible);
    m_cmdSave->setEnabled(s.saveEnabled);
    m_cmdSave->setText(s.saveCaption);
    m_cmdAdd->setText(s.addCaption);
    m_cmdAdd->setEnabled(s.addEnabled);
    m_cmdPrint->setEnabled(s.printEnabled);
    m_cmdImport->setEnabled(s.importEnabled);
    m_fraSearch->setEnabled(s.searchEnabled);
    m_fraLoaded->setEnabled(s.loadedEnabled);
    m_grdVQ3->setEnabled(s.gridOn);
    m_cmdClearErrors->setEnabled(s.clearErrorsEnabled);
    for (QLineEdit* box : {m_txtVRM, m_txtDateOfEvent, m_txtReference})
        SetTextBoxLocked(s.detailsEditable, *box);
    for (QLineEdit* box : {m_txtEnquirerName, m_txtReasonDesc, m_txtWhenSent, m_txtUser, m_txtWhenEntered})
        SetTextBoxLocked(false, *box);
    m_chkSkipVRMValidation->setEnabled(s.skipValidationEnabled);
    m_chkMatched->setEnabled(false);
    AppContext::Current().ui().PumpEvents();
    (s.saveIsDefault ? m_cmdAdd : m_cmdSave)->setDefault(false);
    (s.saveIsDefault ? m_cmdSave : m_cmdAdd)->setDefault(true);
}

std::optional<QString> frmVQ3::ReadFormIntoVQ3(VQ3& Enquiry)
{
    NormaliseDateOfEvent();
    EnquiryFormValues form;
    form.vrm = m_txtVRM->text();
    form.dateOfEvent = m_txtDateOfEvent->text();
    form.reference = m_txtReference->text();
    form.skipVRMValidation = m_chkSkipVRMValidation->isChecked();
    form.enquirerIndex = m_cboEnquirer->currentIndex();
    form.reasonIndex = m_cboReasonForEnquiry->currentIndex();
    return ::ReadFormIntoVQ3(form, Enquiry, UserEnquirers(), Now());
}

void frmVQ3::NormaliseDateOfEvent()
{
    const QString text = EnquiryDates::NormaliseDateOfEvent(m_txtDateOfEvent->text(), Now().date());
    if (text != m_txtDateOfEvent->text())
        m_txtDateOfEvent->setText(text);
}

int32_t frmVQ3::ValidateEnquiry(VQ3& Enquiry, const std::optional<QString>& DateOfEventText)
{
    int16_t days = 0;
    try {
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        days = parameters.DuplicateNumberOfDays();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("System error reported while validating enquiry"), e.Description());
        return EnquiryValidationOutcome::StayInEdit;
    }
    const EnquiryValidation result = ::ValidateEnquiry(Enquiry, DateOfEventText, UserEnquirers(), m_blacklist, days);
    FocusField(result.field);
    if (!Enquiry.DateOfEvent())
        m_txtDateOfEvent->clear();
    return result.outcome;
}

void frmVQ3::FocusField(const QString& field)
{
    QWidget* target = nullptr;
    if (field == QLatin1String("VRM"))
        target = m_txtVRM;
    else if (field == QLatin1String("EnquiryReference") || field == QLatin1String("ExactDuplicateEnquiry"))
        target = m_txtReference;
    else if (field == QLatin1String("DateOfEvent"))
        target = m_txtDateOfEvent;
    else if (field == QLatin1String("EnquirerId"))
        target = m_cboEnquirer;
    else if (field == QLatin1String("EnquiryCode"))
        target = m_cboReasonForEnquiry;
    if (target)
        target->setFocus();
}

void frmVQ3::cmdAdd_Click()
{
    if (m_cmdAdd->text().contains(QStringLiteral("cancel"), Qt::CaseInsensitive)) {
        CancelChanges();
        return;
    }
    m_txtVRMSearch->clear();
    m_cboLoadWhat->setCurrentIndex(1);

    auto enquiry = std::make_shared<VQ3>();
    enquiry->SetDataSource(&GlobalDatabase());
    enquiry->SetSkipVRMValidation(Settings().SkipVRMFormatValidation());
    const QDateTime now = Now();
    enquiry->SetDateOfEnquiry(LocalDateTime(now.date(), QTime(0, 0)));
    enquiry->SetDateOfEvent(LocalDateTime(now.date(), QTime(0, 0)));
    enquiry->SetWhenEntered(now);
    enquiry->SetUserName(m_user ? m_user->UserName() : QString());
    enquiry->SetComputerName(AppContext::Current().computerName());
    enquiry->SetIsTest(Settings().RunInTestMode());
    if (const auto enquirer = UserEnquirers().DefaultEnquirer()) {
        enquiry->SetEnquirerId(enquirer->EnquirerId());
        enquiry->SetEnquirerName(enquirer->Name());
        enquiry->SetIntermediaryId(enquirer->IntermediaryId());
        if (const auto reason = enquirer->EnquiryReasons()->DefaultReason()) {
            enquiry->SetEnquiryCodeDesc(reason->Description());
            enquiry->SetEnquiryCode(reason->EnquiryCode());
        }
    }
    m_current = enquiry;
    ShowVQ3Details(2, m_current);
    ReadFormIntoVQ3(*m_current);
    m_current->EndSetDefaultsEdit();
    ShowVQ3Details(2, m_current);
    SetButtons(2);
    m_txtVRM->setFocus();
}

void frmVQ3::cmdEdit_Click()
{
    if (m_list.Count() < 1 || !m_current)
        return;
    if (m_current->WhenPrepared()) {
        TellUser(QStringLiteral("As this enquiry has already been prepared, you cannot change its details."),
                 QString(), MsgBox::Information);
        return;
    }
    const QString key = m_current->ID();
    try {
        m_current->Load();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to edit this enquiry because:"), e.Description());
        return;
    }
    if (m_current->IsNew()) {
        // Another installation deleted it: there is nothing to edit.
        DropListed(key);
        ShowNothing();
        WarnNotFound(key);
        return;
    }
    ShowVQ3Details(1, m_current);
    SetButtons(1);
    m_txtVRM->setFocus();
}

void frmVQ3::cmdSave_Click()
{
    if (!m_current)
        return;
    // The date box's rewrite on losing the focus comes first.
    m_cmdSave->setFocus();
    AppContext::Current().ui().PumpEvents();
    const bool wasNew = m_current->IsNew();
    try {
        const std::optional<QString> undated = ReadFormIntoVQ3(*m_current);
        const int32_t outcome = ValidateEnquiry(*m_current, undated);
        if (outcome == EnquiryValidationOutcome::StayInEdit)
            return;
        if (outcome == EnquiryValidationOutcome::CancelEdit) {
            CancelEditAndShow();
            if (wasNew)
                cmdAdd_Click();
            return;
        }
        m_current->ClearValidatableErrors(ValidatableErrorCodes);
        m_current->SetUserName(m_user ? m_user->UserName() : QString());
        m_current->SetComputerName(AppContext::Current().computerName());
        m_current->Apply();
        RecordGridModel& model = *m_grdVQ3->Model();
        if (!m_list.Exists(m_current->ID())) {
            m_list.Add(m_current);
            model.RecordsAppended(1);
        }
        if (wasNew) {
            SelectGridRow(m_list.Count());
            m_cmdAdd->setText(QStringLiteral("Add &New Enquiry"));
            cmdAdd_Click();
        } else {
            model.RecordChanged(m_grdVQ3->CurrentRow());
            ShowVQ3Details(0, m_current);
            SetButtons(0);
        }
    } catch (const NevixError& e) {
        if (e.Number() == ErrorNumbers::Concurrency)
            ReportConcurrencyConflict(QStringLiteral("Save"));
        else
            TellUserWarning(QStringLiteral("Unable to save this enquiry because:"), e.Description());
    }
}

void frmVQ3::cmdDelete_Click()
{
    if (!m_txtWhenSent->text().isEmpty()) {
        TellUser(QStringLiteral("You cannot delete this because it has been sent to the service."), QString(),
                 MsgBox::Information);
        return;
    }
    if (AskUser(QStringLiteral("Delete this Enquiry?"), QString(), MsgBox::YesNo, MsgBox::AnswerNo) !=
        MsgBox::AnswerYes)
        return;
    try {
        const SelectedRead read = ReadSelected();
        if (read.gone) {
            ReportDeletedElsewhere(QStringLiteral("Delete"));
            return;
        }
        m_current = read.enquiry;
        if (m_current) {
            m_current->SetIsDeleted(true);
            m_list.Apply();
        } else {
            WarnNotFound(read.key);
        }
        const int row = m_grdVQ3->CurrentRow();
        m_movingGrid = true;
        m_grdVQ3->Model()->RecordRemoved(row);
        m_grdVQ3->SelectGridRow(std::min(row, m_grdVQ3->Model()->rowCount() - 1));
        m_movingGrid = false;
        if (m_grdVQ3->isEnabled())
            m_grdVQ3->setFocus();
        ShowSelected();
    } catch (const NevixError& e) {
        m_movingGrid = false;
        if (e.Number() == ErrorNumbers::Concurrency)
            ReportConcurrencyConflict(QStringLiteral("Delete"));
        else
            TellUserWarning(QStringLiteral("Unable to delete this enquiry because:"), e.Description());
    }
}

void frmVQ3::cmdClearErrors_Click()
{
    if (!m_current || m_current->Errors()->Count() == 0)
        return;
    if (AskUser(QStringLiteral("Do you want to clear the errors on this Enquiry?"),
                QStringLiteral("Note that you must save the Enquiry for the change to take effect."), MsgBox::YesNo,
                MsgBox::AnswerNo) != MsgBox::AnswerYes)
        return;
    m_current->SetToDeleteErrors();
    m_current->SetWhenPrepared(std::nullopt);
    m_current->SetWhenSent(std::nullopt);
    m_lstErrors->clear();
}

void frmVQ3::CancelChanges()
{
    if (m_current) {
        ReadFormIntoVQ3(*m_current);
        if (m_current->IsDirty() &&
            AskUser(QStringLiteral("Do you want to discard these changes?"), QString(), MsgBox::YesNo,
                    MsgBox::AnswerNo) != MsgBox::AnswerYes)
            return;
        m_current->CancelEdit();
    }
    ShowSelected();
}

void frmVQ3::CancelEditAndShow()
{
    if (m_current)
        m_current->CancelEdit();
    ShowSelected();
    SetButtons(0);
}

void frmVQ3::ReportConcurrencyConflict(const QString& Verb)
{
    bool told = false;
    const auto tell = [&] {
        told = true;
        TellUser(QStringLiteral("Unable to ") + Verb +
                     QStringLiteral(" the Enquiry because it has been modified by another user since you loaded it."),
                 QStringLiteral("The values changed by that user will be loaded."), MsgBox::Information);
    };
    try {
        if (m_current) {
            const QString key = m_current->ID();
            m_current->Load();
            if (m_current->IsNew()) {
                // That user deleted it: there are no values to load.
                DropListed(key);
                ReportDeletedElsewhere(Verb);
                return;
            }
        }
        tell();
        if (m_current)
            m_grdVQ3->Model()->RecordChanged(m_grdVQ3->CurrentRow());
        ShowVQ3Details(0, m_current);
    } catch (const NevixError& e) {
        if (!told)
            tell();
        TellUserWarning(QStringLiteral("Counld not get latest enquiry data because:"), e.Description());
    }
}

void frmVQ3::ReportDeletedElsewhere(const QString& Verb)
{
    ShowNothing();
    TellUser(QStringLiteral("Unable to ") + Verb +
                 QStringLiteral(" the Enquiry because it has been deleted by another user since you loaded it."),
             QString(), MsgBox::Information);
}
