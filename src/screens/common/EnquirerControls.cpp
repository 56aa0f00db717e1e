#include "screens/common/EnquirerControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "core/CommonDialogs.h"
#include "core/Utils.h"
#include "screens/common/EnquirerSetupForm.h"

namespace {
// Refills a combo with nothing selected. Only the selection made afterwards
// reaches the form's handlers, as a click would.
void FillUnselected(QComboBox& combo, const QStringList& entries)
{
    const QSignalBlocker blocker(&combo);
    combo.clear();
    combo.addItems(entries);
    combo.setCurrentIndex(-1);
}
} // namespace

void LoadEnquirerCombo(const Enquirers& enquirers, EnquirerSetupForm& form)
{
    QComboBox* combo = form.cboEnquirer();
    QStringList names;
    if (enquirers.Count() >= 2) {
        for (const auto& enquirer : enquirers)
            names.append(enquirer->Name());
    }
    FillUnselected(*combo, names);
    if (!names.isEmpty()) {
        combo->show();
        form.chkIsDefaultEnquirer()->show();
        form.lblEnquirerName()->hide();
        combo->setCurrentIndex(0);
        ShowEnquirerDetails(1, enquirers, form);
        return;
    }
    combo->hide();
    form.lblEnquirerName()->show();
    // No enquirer left: no name of a former one either.
    form.lblEnquirerName()->setText(enquirers.Count() == 1 ? enquirers.Item(1)->Name() : QString());
    form.chkIsDefaultEnquirer()->hide();
    ShowEnquirerDetails(int16_t(enquirers.Count()), enquirers, form);
}

void ShowEnquirerDetails(int16_t position, const Enquirers& enquirers, EnquirerSetupForm& form)
{
    QCheckBox* isDefault = form.chkIsDefaultEnquirer();
    if (position == 0) {
        isDefault->setEnabled(false);
        isDefault->setChecked(false);
        form.lblEnquirerId()->clear();
        form.lblIntermediaryId()->clear();
        // Blanks the single-reason label too, so no reason of another
        // enquirer stays in view.
        FillReasonCombo(EnquiryReasons(), true, nullptr, form);
        form.frmEnqFolders()->hide();
        return;
    }
    const auto enquirer = enquirers.Item(position);
    isDefault->setEnabled(true);
    form.lblEnquirerId()->setText(enquirer->EnquirerId());
    form.lblIntermediaryId()->setText(enquirer->IntermediaryId());
    isDefault->setChecked(enquirer->IsDefault());
    const auto reasons = enquirer->EnquiryReasons();
    FillReasonCombo(*reasons, true, reasons->DefaultReason(), form);
    form.txtEnqFolder(0)->setText(enquirer->ImportFolder());
    form.txtEnqFolder(1)->setText(enquirer->ExportFolder());
    // Hidden while there was no enquirer; the folders of one shown must be
    // reachable again.
    form.frmEnqFolders()->show();
}

void FillReasonCombo(const EnquiryReasons& reasons, bool keepUnselected,
                     const std::shared_ptr<EnquiryReason>& defaultReason, EnquirerSetupForm& form)
{
    QComboBox* combo = form.cboReasonForEnquiry();
    QLabel* single = form.lblDefaultReason();
    const QString defaultCode = defaultReason ? defaultReason->EnquiryCode() : QString();
    if (reasons.Count() >= 2) {
        QStringList entries;
        int selected = -1;
        for (const auto& reason : reasons) {
            if (reason->EnquiryCode() == defaultCode)
                selected = int(entries.size());
            entries.append(reason->DescriptionWithCode());
        }
        FillUnselected(*combo, entries);
        if (selected < 0 && !keepUnselected)
            selected = 0;
        if (selected >= 0)
            combo->setCurrentIndex(selected);
        combo->show();
        single->hide();
        return;
    }
    FillUnselected(*combo, {});
    single->clear();
    combo->hide();
    single->show();
    if (reasons.Count() == 1)
        single->setText(reasons.Item(1)->DescriptionWithCode());
}

QString BrowseEnquirerFolder(int16_t index, const QString& currentFolder, EnquirerSetupForm& form)
{
    QString title;
    if (index == 0)
        title = QStringLiteral("Enquirer Import Folder");
    else if (index == 1)
        title = QStringLiteral("Enquirer Export Folder");
    else
        return QString();
    const QWidget* owner = form.FormWindow();
    return BrowseForFolder(owner ? owner->window()->windowTitle() : QString(), title,
                           AppRelativePath(currentFolder));
}

std::shared_ptr<Enquirer> ShownEnquirer(const Enquirers& enquirers, const EnquirerSetupForm& form)
{
    if (enquirers.Count() == 1)
        return enquirers.Item(1);
    const int position = form.cboEnquirer()->currentIndex() + 1;
    return enquirers.Exists(position) ? enquirers.Item(position) : nullptr;
}

void SetEnquirerFolder(Enquirer* enquirer, int index, const QString& folder)
{
    if (!enquirer)
        return;
    if (index == 0)
        enquirer->SetImportFolder(folder);
    else if (index == 1)
        enquirer->SetExportFolder(folder);
}

void BrowseIntoFolderBox(int index, EnquirerSetupForm& form, Enquirer* enquirer)
{
    QLineEdit* box = form.txtEnqFolder(index);
    const QString chosen = BrowseEnquirerFolder(int16_t(index), box->text(), form);
    if (chosen.isEmpty())
        return;
    box->setText(chosen);
    SetEnquirerFolder(enquirer, index, chosen);
}

void SetSelectedEnquirerDefault(bool ticked, const Enquirers& enquirers, const EnquirerSetupForm& form)
{
    const int position = form.cboEnquirer()->currentIndex() + 1;
    if (!enquirers.Exists(position))
        return;
    for (const auto& enquirer : enquirers)
        enquirer->SetIsDefault(false);
    enquirers.Item(position)->SetIsDefault(ticked);
}
