// What the response screen does to or with the selected response and the
// list: comments, blacklist, anonymising, printing and export.
#include "screens/records/frmVQ7.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/JuxUtils.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "records/VQ7Responses.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/ExportRun.h"
#include "screens/records/Reported.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/frmAnonymiseVq7.h"
#include "transfer/ExportProgress.h"
#include "transfer/ExportSteps.h"
#include "transfer/VQ7Utils.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

void frmVQ7::SaveComments()
{
    const QString key = m_commentKey;
    m_commentKey.clear();
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
        TellUser(QStringLiteral("Unable to save the response because it has been modified by another user since you "
                                "loaded it."),
                 QStringLiteral("The values changed by that user will be loaded."), MsgBox::Information);
        Reported(QStringLiteral("Could not connect to the database:"), [&] {
            response.Load();
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
    if (m_model->RecordCount() == 0) {
        TellUser(QStringLiteral("There are no responses to be printed."), QString(), MsgBox::Information);
        return;
    }
    Reported(QStringLiteral("Could not setup printing:"), [this] {
        // The reports need every response of the list in full.
        m_responses->LoadListedRows();
        frmChoosePrintType dialog(this);
        dialog.setWindowIcon(windowIcon());
        dialog.SetForVQ7(GetSelectedVQ7(), *m_responses);
        dialog.exec();
    }, MsgBox::Exclamation);
}

void frmVQ7::ExportResponses()
{
    Reported(QStringLiteral("Error doing export:"), [this] {
        const QString ids = UserEnquirerIds();
        if (m_responses->CountExportable(ids, false) == 0) {
            TellUser(QStringLiteral("There are no Responses to be exported"), QString(), MsgBox::Information);
            return;
        }
        const std::shared_ptr<Enquirer> enquirer =
            ChooseExportEnquirer(*GetCurrentUser()->Enquirers(), *m_tools.ChooseEnquirer, this);
        if (!enquirer)
            return;
        ExportRun run(GlobalDatabase());
        int32_t sequence = 0;
        const QString fileName = MakeExportFileName(enquirer->ExportFolder(), QStringLiteral("VQ7"), sequence);
        if (fileName.isEmpty()) {
            TellUserWarning(QStringLiteral("Export path has reached the maximum number of files so no export has "
                                           "been done in ") + enquirer->ExportFolder(),
                            QString());
            return;
        }
        ChooseExportFileAndExport(run.Logger, run.Results, AppRelativePath(enquirer->ExportFolder()), fileName,
                                  enquirer->EnquirerId());
        run.End();
        const TransmissionResults& results = run.Results;
        if (!results.FatalVQ7ExportErrorMessage().isEmpty())
            TellUserWarning(QStringLiteral("There were errors reported while doing the export"),
                            results.FatalVQ7ExportErrorMessage());
        else if (results.VQ7sExported() > 0)
            TellUser(QString::number(results.VQ7sExported()) + QStringLiteral(" Responses exported successfuly."),
                     QString(), MsgBox::Information);
        else if (results.UserCancelled())
            TellUser(QStringLiteral("Export cancelled."), QString(), MsgBox::Information);
        else
            TellUser(QStringLiteral("No responses were exported."), QString(), MsgBox::Information);
        m_cmdExport->setEnabled(HasExportable());
    });
}

void frmVQ7::ChooseExportFileAndExport(LogLines& logger, TransmissionResults& results, const QString& folder,
                                       const QString& fileName, const QString& enquirerId)
{
    const ExportFileChoice choice =
        ExportFileChoice::Ask(windowTitle(), QStringLiteral("Export enquiry responses"), folder, fileName,
                              ResponseExportFilter(Settings().ExportFileType()));
    if (choice.Cancelled)
        results.SetUserCancelled(true);
    if (!choice.Failure.isEmpty())
        results.SetFatalVQ7ExportErrorMessage(choice.Failure);
    if (choice.File.isEmpty() || results.HaveFatalErrors())
        return;
    const std::unique_ptr<ExportProgress> progress = m_tools.MakeProgress ? m_tools.MakeProgress(this) : nullptr;
    ExportVQ7sToFile(GlobalDatabase(), choice.File, logger, results, enquirerId, progress.get());
}
