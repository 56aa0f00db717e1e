// The statement screen's printing and export.
#include "screens/records/frmDEB.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/JuxUtils.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "records/DebitStatements.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/ExportRun.h"
#include "screens/records/Reported.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportProgress.h"

#include <QPushButton>

void frmDEB::cmdPrint_Click()
{
    if (m_statements->Count() == 0) {
        TellUser(QStringLiteral("There are no statements to be printed."), QString(), MsgBox::Information);
        return;
    }
    Reported(QStringLiteral("Could not setup printing:"), [this] {
        frmChoosePrintType dialog(this);
        dialog.setWindowIcon(windowIcon());
        dialog.SetForDebs(m_current, *m_statements);
        dialog.exec();
    }, MsgBox::Exclamation);
}

void frmDEB::cmdExport_Click()
{
    Reported(QStringLiteral("Error doing export:"), [this] {
        const QString ids = UserEnquirerIds();
        if (m_statements->CountExportable(ids) == 0) {
            TellUser(QStringLiteral("There are no Debit Statments to be exported"), QString(), MsgBox::Information);
            return;
        }
        const std::shared_ptr<User> user = GetCurrentUser();
        const std::shared_ptr<Enquirer> enquirer = ChooseExportEnquirer(*user->Enquirers(), *m_tools.ChooseEnquirer, this);
        if (!enquirer)
            return;
        // A run begun here is ended also when the export fails.
        ExportRun run(GlobalDatabase());
        int32_t sequence = 0;
        const QString fileName = MakeExportFileName(enquirer->ExportFolder(), QStringLiteral("DEB"), sequence);
        if (fileName.isEmpty()) {
            TellUserWarning(QStringLiteral("Export path has reached the maximum number of files so no export has "
                                           "been done in ") + enquirer->ExportFolder(),
                            QString());
            return;
        }
        run.Logger.BeginLogging(ProcessCodes::DEBEXP, ProcessCodeDescription(ProcessCodes::DEBEXP), user->UserName());
        // Resolved as the program folder's own, as the response export does.
        ChooseDEBExportFileAndExport(run.Logger, run.Results, AppRelativePath(enquirer->ExportFolder()), fileName,
                                     enquirer->EnquirerId());
        run.End();
        const TransmissionResults& results = run.Results;
        if (!results.FatalDebExportErrorMessage().isEmpty())
            TellUserWarning(QStringLiteral("There were errors reported while doing the export"),
                            results.FatalDebExportErrorMessage());
        else if (results.DebsExported() > 0)
            TellUser(QString::number(results.DebsExported()) + QStringLiteral(" Debit Statements exported successfuly."),
                     QString(), MsgBox::Information);
        else if (results.UserCancelled())
            TellUser(QStringLiteral("Export cancelled."), QString(), MsgBox::Information);
        else
            TellUser(QStringLiteral("No Debit Statements were exported."), QString(), MsgBox::Information);
        m_cmdExport->setEnabled(m_statements->CountExportable(ids) >= 1);
    });
}

void frmDEB::ChooseDEBExportFileAndExport(LogLines& logger, TransmissionResults& results, const QString& folder,
                                          const QString& fileName, const QString& enquirerId)
{
    const QString pattern = QStringLiteral("*.") + Settings().ExportFileType();
    const ExportFileChoice choice =
        ExportFileChoice::Ask(windowTitle(), QStringLiteral("Export Debit Statements"), folder, fileName,
                              QStringLiteral("Export files (") + pattern + QStringLiteral(")|") + pattern);
    if (choice.Cancelled)
        results.SetUserCancelled(true);
    if (!choice.Failure.isEmpty())
        results.SetFatalDebExportErrorMessage(choice.Failure);
    if (choice.File.isEmpty() || results.HaveFatalErrors())
        return;
    const std::unique_ptr<ExportProgress> progress = m_tools.MakeProgress ? m_tools.MakeProgress(this) : nullptr;
    ExportAllDebsToFile(GlobalDatabase(), choice.File, logger, results, enquirerId, progress.get());
}
