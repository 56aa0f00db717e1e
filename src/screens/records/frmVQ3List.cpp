// The enquiry screen's list: loading, sorting, selecting, and the details
// of the selected enquiry.
#include "screens/records/frmVQ3.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "core/DateText.h"
#include "core/PreservePointer.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "database/GlobalDatabase.h"
#include "records/JuxMessageErrors.h"
#include "screens/records/EnquiryDates.h"
#include "screens/records/EnquiryListOrder.h"
#include "screens/records/RecordGrid.h"
#include "screens/records/RecordGridModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <utility>

namespace {
QString DateOrEmpty(const NullableDate& value)
{
    return value ? EnquiryDates::ShortDateText(value->date()) : QString();
}

QString EnteredText(const NullableDate& value)
{
    return value ? FormatDateTime(*value, QStringLiteral("dd/mm/yyyy hh:nn")) : QString();
}
} // namespace

void frmVQ3::SetGridHeader(const QString& SortOrder)
{
    RecordGridModel& model = *m_grdVQ3->Model();
    model.SetHeading(0, QString());
    model.SetHeading(1, EnquiryListOrder::VrmHeading(SortOrder));
    model.SetHeading(2, EnquiryListOrder::DateHeading(SortOrder));
    m_grdVQ3->SetColumnTwips(1, 2000);
    m_grdVQ3->SetColumnTwips(2, 1530, 1310);
}

void frmVQ3::ClearGrid(const QString& SortOrder)
{
    m_movingGrid = true;
    m_grdVQ3->Model()->Reset(0, {});
    m_movingGrid = false;
    SetGridHeader(SortOrder);
}

void frmVQ3::FillUpGrid(const QString& VRM, const QString& SortOrder)
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    ClearGrid(SortOrder);
    try {
        const int what = m_cboLoadWhat->currentIndex();
        NullableBool withErrors;
        if (what != 0)
            withErrors = what == 2;
        m_list.Load(UserEnquirers().GetEnquirerIds(), VRM, what == 1, withErrors, what == 3, SortOrder,
                    m_txtDaysSinceEnterd->text(), m_cboMaxToLoad->currentText());
        // Str() writes a blank where a sign would go.
        m_fraLoaded->setTitle(u' ' + QString::number(m_list.Count()) + QStringLiteral(" of ") +
                              CountText(QStringLiteral("enquiry"), m_list.TopAllCount()));
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error from FillUpGrid"), e.Description());
    }
    // Whatever was loaded is shown, read from the list as the grid scrolls.
    // The list's members are the enquiries edited: the grid shows what they
    // hold as stored, so that an edit not saved never reaches it.
    m_movingGrid = true;
    m_grdVQ3->Model()->Reset(m_list.Count(), [this](int row, int column) -> QString {
        const VQ3Enquiries::Pointer enquiry = m_list.Item(row + 1);
        switch (column) {
        case 0: return enquiry->ID();
        case 1: return enquiry->SavedVRMVIN();
        default: return DateOrEmpty(enquiry->SavedDateOfEvent());
        }
    });
    m_grdVQ3->SelectGridRow(0);
    m_movingGrid = false;
}

void frmVQ3::SortByVRM()
{
    FillUpGrid(m_txtVRMSearch->text(), EnquiryListOrder::ByVrm(m_vrmSortFlag));
}

void frmVQ3::SortByDateOfEvent()
{
    FillUpGrid(m_txtVRMSearch->text(), EnquiryListOrder::ByDateOfEvent(m_dateSortFlag));
}

void frmVQ3::grdVQ3_HeadingClick(int column)
{
    // The key column is hidden: a click left of the dates' heading is on
    // the marks'.
    if (column <= 1) {
        SortByVRM();
        m_vrmSortFlag = !m_vrmSortFlag;
    } else {
        SortByDateOfEvent();
        m_dateSortFlag = !m_dateSortFlag;
    }
    // The details follow the row now at the top.
    ShowSelected();
}

void frmVQ3::cmdSearch_Click()
{
    FillUpGrid(m_txtVRMSearch->text(), QString());
    if (m_grdVQ3->isEnabled() && m_fraLoaded->isEnabled())
        SelectCurrentRow();
}

void frmVQ3::cmdClearSearch_Click()
{
    m_txtVRMSearch->clear();
    m_txtDaysSinceEnterd->clear();
    m_cboLoadWhat->setCurrentIndex(0);
    cmdSearch_Click();
    m_txtVRMSearch->setFocus();
}

void frmVQ3::GridRowChanged(int)
{
    if (!m_movingGrid)
        ShowSelected();
}

void frmVQ3::SelectCurrentRow()
{
    m_movingGrid = true;
    m_grdVQ3->SelectGridRow(std::max(m_grdVQ3->CurrentRow(), 0));
    m_movingGrid = false;
    if (m_grdVQ3->isEnabled())
        m_grdVQ3->setFocus();
    ShowSelected();
}

void frmVQ3::SelectGridRow(int Row)
{
    if (Row > 0 && Row <= m_grdVQ3->Model()->rowCount())
        m_grdVQ3->SelectGridRow(Row - 1);
}

void frmVQ3::ShowSelected()
{
    m_current.reset();
    if (m_list.Count() >= 1)
        m_current = GetSelectedVQ3();
    ShowVQ3Details(0, m_current);
    SetButtons(0);
}

std::shared_ptr<VQ3> frmVQ3::GetSelectedVQ3()
{
    const SelectedRead read = ReadSelected();
    if (!read.enquiry)
        WarnNotFound(read.key);
    return read.enquiry;
}

frmVQ3::SelectedRead frmVQ3::ReadSelected()
{
    SelectedRead read{m_grdVQ3->CurrentKey(), nullptr, false};
    if (!m_list.Exists(read.key))
        return read;
    const VQ3Enquiries::Pointer enquiry = m_list.Item(read.key);
    enquiry->SetDataSource(&GlobalDatabase());
    enquiry->Load();
    // A load that finds no row leaves a blank new enquiry, which a save
    // would store under a new key.
    read.gone = enquiry->IsNew();
    if (read.gone)
        DropListed(read.key);
    else
        read.enquiry = enquiry;
    return read;
}

void frmVQ3::DropListed(const QString& key)
{
    if (!m_list.Exists(key))
        return;
    // The grid's rows are the list's members in order.
    const std::vector<VQ3Enquiries::Pointer>& members = m_list.NewEnum();
    const int row = int(std::find(members.begin(), members.end(), m_list.Item(key)) - members.begin());
    m_list.Remove(key);
    const bool moving = std::exchange(m_movingGrid, true);
    m_grdVQ3->Model()->RecordRemoved(row);
    m_grdVQ3->selectionModel()->clear();
    m_movingGrid = moving;
}

void frmVQ3::WarnNotFound(const QString& key)
{
    TellUserWarning(QStringLiteral("Cannot find the selected VQ3 (") + key + u')', QString());
}

void frmVQ3::ShowNothing()
{
    m_current.reset();
    ShowVQ3Details(0, nullptr);
    SetButtons(0);
}

void frmVQ3::ShowVQ3Details(int32_t Mode, const std::shared_ptr<VQ3>& Enquiry)
{
    if (!Enquiry) {
        for (QLineEdit* box : {m_txtVRM, m_txtDateOfEvent, m_txtReference, m_txtWhenEntered, m_txtUser,
                               m_txtWhenSent, m_txtEnquirerName, m_txtReasonDesc})
            box->clear();
        m_chkMatched->setChecked(false);
        m_chkSkipVRMValidation->setChecked(Settings().SkipVRMFormatValidation());
        m_cboEnquirer->setCurrentIndex(-1);
        m_cboReasonForEnquiry->setCurrentIndex(-1);
        m_lstErrors->clear();
        m_lblBlackList->setVisible(false);
        m_cboEnquirer->setVisible(false);
        m_cboReasonForEnquiry->setVisible(false);
        m_txtEnquirerName->setVisible(true);
        m_txtReasonDesc->setVisible(true);
        return;
    }
    const VQ3& enquiry = *Enquiry;
    m_txtVRM->setText(enquiry.VRMVIN());
    m_txtDateOfEvent->setText(DateOrEmpty(enquiry.DateOfEvent()));
    m_txtReference->setText(enquiry.EnquiryReference());
    if (!enquiry.WhenEntered()) {
        m_txtWhenEntered->setText(EnteredText(enquiry.WhenImported()));
        m_lblWhenEntered->setText(QStringLiteral("When Imported"));
    } else {
        m_txtWhenEntered->setText(EnteredText(enquiry.WhenEntered()));
        m_lblWhenEntered->setText(QStringLiteral("When Entered"));
    }
    m_txtUser->setText(enquiry.UserName() + QStringLiteral(", ") + enquiry.ComputerName());
    m_txtWhenSent->setText(enquiry.WhenSent() ? FormatGeneralDate(*enquiry.WhenSent()) : QString());
    m_chkMatched->setChecked(enquiry.ResponseReceived() != 0);
    m_chkSkipVRMValidation->setChecked(enquiry.SkipVRMValidation());
    m_lstErrors->clear();
    for (const auto& error : *enquiry.Errors())
        m_lstErrors->addItem(error->Description());
    m_txtEnquirerName->setText(enquiry.EnquirerName());
    m_txtReasonDesc->setText(enquiry.EnquiryCode() + QStringLiteral(", ") + enquiry.EnquiryCodeDesc());

    if (Mode == 1 || Mode == 2) {
        const bool fixedEnquirer = !enquiry.EnquirerId().isEmpty() && UserEnquirers().Count() == 1;
        m_txtEnquirerName->setVisible(fixedEnquirer);
        m_cboEnquirer->setVisible(!fixedEnquirer);
        const int position = UserEnquirerIndex(enquiry.EnquirerId());
        m_cboEnquirer->setCurrentIndex(position);
        FillReasonCombo(position, Enquiry);
    } else {
        m_cboEnquirer->setVisible(false);
        m_cboReasonForEnquiry->setVisible(false);
        m_txtEnquirerName->setVisible(true);
        m_txtReasonDesc->setVisible(true);
    }
    m_lblBlackList->setVisible(m_blacklist.Exists(enquiry.VRMVIN()));
}

int frmVQ3::UserEnquirerIndex(const QString& enquirerId) const
{
    int position = 0;
    for (const auto& enquirer : UserEnquirers()) {
        if (enquirer->EnquirerId() == enquirerId)
            return position;
        ++position;
    }
    return -1;
}

void frmVQ3::FillReasonCombo(int EnquirerIndex, const std::shared_ptr<VQ3>& Enquiry)
{
    if (EnquirerIndex < 0 || !UserEnquirers().Exists(EnquirerIndex + 1)) {
        m_txtReasonDesc->setVisible(false);
        m_cboReasonForEnquiry->setVisible(false);
        return;
    }
    const auto reasons = UserEnquirers().Item(EnquirerIndex + 1)->EnquiryReasons();
    m_cboReasonForEnquiry->clear();
    int matching = -1;
    int byDefault = -1;
    int position = 0;
    for (const auto& reason : *reasons) {
        m_cboReasonForEnquiry->addItem(reason->DescriptionWithCode());
        if (Enquiry && reason->EnquiryCode() == Enquiry->EnquiryCode())
            matching = position;
        if (reason->IsDefault())
            byDefault = position;
        ++position;
    }
    m_cboReasonForEnquiry->setCurrentIndex(matching >= 0 ? matching : byDefault);
    const bool choice = reasons->Count() >= 2;
    m_txtReasonDesc->setVisible(!choice);
    m_cboReasonForEnquiry->setVisible(choice);
    if (!choice)
        m_txtReasonDesc->setText(m_cboReasonForEnquiry->currentIndex() >= 0 ? m_cboReasonForEnquiry->currentText()
                                                                            : QString());
}

void frmVQ3::cboEnquirer_Click()
{
    if (m_cboEnquirer->property("Tag").toString() == QLatin1String("ON"))
        FillReasonCombo(m_cboEnquirer->currentIndex(), m_current);
}
