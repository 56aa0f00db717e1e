#include "screens/records/EnquiryImport.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "core/DiskFunctions.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "screens/records/EnquirerChooser.h"

namespace {

// The enquirer of the import: the database's only one, or the user's choice.
Enquirers::Pointer ImportEnquirer(EnquirerChooser* chooser, QWidget* owner, bool& oneEnquirer)
{
    Enquirers all;
    all.SetDataSource(&GlobalDatabase());
    all.Load();
    oneEnquirer = all.Count() == 1;
    if (oneEnquirer)
        return all.Item(1);
    DialogEnquirerChooser dialogs;
    const QString id = (chooser ? chooser : &dialogs)->ChooseEnquirer(EnquirerChooser::Purpose::Import, owner);
    const auto user = GetCurrentUser();
    if (id.isEmpty() || !user)
        return nullptr;
    return user->Enquirers()->Find(id);
}

} // namespace

QString MarkerFileName(const QDateTime& now)
{
    return FormatDateTime(now, QStringLiteral("yymmddhhnnss")) + QStringLiteral(".$$$");
}

QString ImportFileFilter(const QString& extension)
{
    QString filter = QStringLiteral("Import files (*.") + extension + QStringLiteral(")|*.") + extension;
    if (extension.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        filter += QStringLiteral("|IMP files (*.imp)|*.imp|TAB files (*.tab)|*.tab");
    else if (extension.compare(QStringLiteral("tab"), Qt::CaseInsensitive) == 0)
        filter += QStringLiteral("|IMP files (*.imp)|*.imp|CSV files (*.csv)|*.csv");
    else
        filter += QStringLiteral("|CSV files (*.csv)|*.csv|TAB files (*.tab)|*.tab");
    return filter + QStringLiteral("|All files (*.*)|*.*");
}

void ImportFromEnquirerFolder(const QString& Folder, const QString& EnquirerId, LogLines& Log,
                              TransmissionResults& Results, bool OneEnquirer, ImportProgress* progress,
                              const ImportSeams& importSeams)
{
    const QString folder = AppRelativePath(Folder);
    if (!CheckFolderAccess(folder, true).isEmpty()) {
        TellUserWarning(QStringLiteral("Cannot access Enquirer import folder: ") + folder, QString());
        Results.SetUserCancelled(true);
        return;
    }
    QString marker;
    if (!OneEnquirer) {
        marker = MarkerFileName(AppContext::Current().clock().Now());
        WriteMarkerFile(AddTrailingBackslash(folder) + marker);
    }
    const auto removeMarker = [&] {
        if (marker.isEmpty())
            return;
        if (const QString failure = DeleteFileChecked(AddTrailingBackslash(folder) + marker); !failure.isEmpty())
            Results.SetFatalVQ3ImportErrorMessage(QStringLiteral("Could not delete folder marker:") +
                                                  AddTrailingBackslash(folder) + failure);
    };
    try {
        const QString extension = Settings().ImportFileType();
        while (!Results.UserCancelled()) {
            QString fileName = RemoveTrailingBackslash(folder) + QStringLiteral("/VQ3*.") + extension;
            QString filter = ImportFileFilter(extension);
            const QString chosen = ShowFileDialog(1, QStringLiteral("Import vehicle enquiries"), fileName, filter);
            if (chosen.isEmpty()) {
                Results.SetUserCancelled(true);
                break;
            }
            if (!FileExists(chosen)) {
                TellUserWarning(chosen + QStringLiteral(" does not exist."), QString());
                continue;
            }
            if (!marker.isEmpty() && !FileExists(GetFolderFromPath(chosen) + marker)) {
                TellUser(QStringLiteral("You cannot browse to a folder other than the one for the Enquirer."),
                         QString(), MsgBox::Information);
                continue;
            }
            ImportVQ3FromFile(chosen, progress, Log, false, Results, EnquirerId, importSeams);
            break;
        }
    } catch (...) {
        removeMarker();
        throw;
    }
    removeMarker();
}

void TellImportOutcome(const TransmissionResults& results)
{
    if (results.UserCancelled())
        TellUser(QStringLiteral("Import Cancelled"), QString(), MsgBox::Information);
    else if (!results.FatalVQ3ImportErrorMessage().isEmpty())
        TellUserWarning(QStringLiteral("Error reported while importing Enquiries"),
                        results.FatalVQ3ImportErrorMessage());
    else if (results.VQ3ImportWarnings() > 0)
        TellUserWarning(QString::number(results.VQ3sImported()) + QStringLiteral(" Enquiries imported"),
                        QString::number(results.VQ3ImportWarnings()) +
                            QStringLiteral(" Enquiries were imported but have errors"));
    else if (results.VQ3sImported() > 0)
        TellUser(QString::number(results.VQ3sImported()) + QStringLiteral(" Enquiries imported successfully"),
                 QString(), MsgBox::Information);
    else
        TellUser(QStringLiteral("No Enquiries were imported"), QString(), MsgBox::Information);
}

int32_t ImportEnquiryFile(const EnquiryImportSeams& seams)
{
    try {
        bool oneEnquirer = false;
        const Enquirers::Pointer enquirer = ImportEnquirer(seams.chooser, seams.owner, oneEnquirer);
        if (!enquirer)
            return 0;
        if (enquirer->ImportFolder().isEmpty()) {
            TellUserWarning(QStringLiteral("There is no import folder defined for ") + enquirer->Name(), QString());
            return 0;
        }
        const auto user = GetCurrentUser();
        TransmissionResults results;
        LogLines log;
        log.SetDataSource(&GlobalDatabase());
        log.BeginLogging(ProcessCodes::VQ3IMP, ProcessCodeDescription(ProcessCodes::VQ3IMP),
                         user ? user->UserName() : QString());
        try {
            ImportFromEnquirerFolder(enquirer->ImportFolder(), enquirer->EnquirerId(), log, results, oneEnquirer,
                                     seams.progress, seams.import);
        } catch (...) {
            log.EndLogging();
            throw;
        }
        log.EndLogging();
        TellImportOutcome(results);
        return results.VQ3sImported();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error attempting import."), e.Description());
    }
    return 0;
}
