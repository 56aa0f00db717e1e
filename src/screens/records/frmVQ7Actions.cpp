// What the response screen does to or with the selected response and the
// list: comments, blacklist, anonymising, printing and export.
#include "screens/records/frmVQ7.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "records/VQ7Responses.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/RecordExport.h"
#include "screens/records/Reported.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/frmAnonymiseVq7.h"
#include "transfer/ExportSteps.h"
#include "transfer/VQ7Utils.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

void frmVQ7::SaveComments()
{
    // The box's tag holds the key of the response whose comment it shows.
    const QString key = m_txtComments->property("Tag").toString();
    m_txtComments->setProperty("Tag", QString());
    if (!m_responses->Exists(key))
        return;
    const std::shared_ptr<VQ7> response = m_responses->Item(key);
    // The box breaks lines with LF; the record keeps CR LF.
    QString text = m_txtComments->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    response->SetComment(TrimSpaces(text));
    ApplyAndRefresh(*response);
}

void frmVQ7::ApplyAndRefresh(VQ7& response)
{
    try {
        response.SetDataSource(&GlobalDatabase());
        if (response.IsDirty())
            response.Apply();
        ShowVQ7Details(&response);
    } catch (const NevixError& e) {
        if (e.Number() != ErrorNumbers::Concurrency) {
            TellUserWarning(QStringLiteral("Unable to save this response because:"), e.Description());
            return;
        }
        const auto tellModified = [] {
            TellUser(QStringLiteral("Unable to save the response because it has been modified by another user since "
                                    "you loaded it."),
                     QStringLiteral("The values changed by that user will be loaded."), MsgBox::Information);
        };
        Reported(QStringLiteral("Could not connect to the database:"), [&] {
            const QString key = response.ID();
            try {
                response.Load();
            } catch (...) {
                tellModified();
                throw;
            }
            if (response.IsNew()) {
                // Deleted meanwhile: a blank response shown would take the
                // next comment as a new one.
                m_responses->Remove(key);
                ShowVQ7Details(nullptr);
                TellUserWarning(QStringLiteral("Cannot find the selected VQ7 (") + key + u')', QString());
                return;
            }
            tellModified();
            ShowVQ7Details(&response);
        });
    } catch (...) {
        TellUserWarning(QStringLiteral("Unable to save this response because:"), CurrentErrorDescription());
    }
}

void frmVQ7::cmdAddToBlacklist_Click()
{
    Reported(QStringLiteral("Unable to change the blacklist because:"), [this] {
        const QString vrm = m_boxes.value(QStringLiteral("txtVRM"))->text();
        QString reason;
        if (const QList<QListWidgetItem*> selected = m_lstErrors->selectedItems(); !selected.isEmpty())
            reason = selected.first()->text();
        else if (m_lstErrors->count() > 0)
            reason = m_lstErrors->item(0)->text();

        std::shared_ptr<BlackListedVRM> entry = m_blacklist.Find(vrm);
        if (!entry)
            entry = std::make_shared<BlackListedVRM>();
        CDataBase& db = GlobalDatabase();
        entry->SetDataSource(&db);
        entry->Load(vrm);
        if (entry->IsNew()) {
            const std::shared_ptr<User> user = GetCurrentUser();
            entry->SetBlacklistedBy(user ? user->UserName() : QString());
            entry->SetBlacklistedOn(AppContext::Current().clock().Now());
            entry->SetVRM(vrm);
            entry->EndSetDefaultsEdit();
            entry->SetReason(reason);
        }
        m_tools.EditBlacklistEntry(this, *entry, true, !entry->IsNew());
        if (!entry->BeenApplied())
            return;
        entry->Apply();
        m_blacklist.Load();
        const std::shared_ptr<VQ7> response = GetSelectedVQ7();
        ShowVQ7Details(response.get());
    }, MsgBox::Exclamation);
}

void frmVQ7::cmdAnonymise_Click()
{
    const std::shared_ptr<VQ7> response = GetSelectedVQ7();
    if (!response)
        return;
    frmAnonymiseVq7 dialog(this);
    dialog.setWindowIcon(windowIcon());
    dialog.InitialiseForm(response);
    dialog.exec();
    if (dialog.HasChanged())
        ApplyAndRefresh(*response);
}

void frmVQ7::PrintResponses()
{
    PrintRecords(m_model->Records(), QStringLiteral("There are no responses to be printed."),
                 [this](frmChoosePrintType& dialog) {
                     // The reports need every response of the list in full.
                     m_responses->LoadListedRows();
                     dialog.SetForVQ7(GetSelectedVQ7(), *m_responses);
                 });
}

void frmVQ7::ExportResponses()
{
    RecordExport kind;
    kind.CountExportable = [this](const QStringList& ids) { return m_responses->CountExportable(ids, false); };
    kind.FilePrefix = QStringLiteral("VQ7");
    kind.DialogTitle = QStringLiteral("Export enquiry responses");
    kind.Filter = ResponseExportFilter(Settings().ExportFileType());
    kind.Write = ExportVQ7sToFile;
    kind.Exported = &TransmissionResults::VQ7sExported;
    kind.FatalError = &TransmissionResults::FatalVQ7ExportErrorMessage;
    kind.SetFatalError = &TransmissionResults::SetFatalVQ7ExportErrorMessage;
    kind.NothingToExport = QStringLiteral("There are no Responses to be exported");
    kind.ExportedText = QStringLiteral(" Responses exported successfuly.");
    kind.NoneExported = QStringLiteral("No responses were exported.");
    ExportRecords(kind);
}
