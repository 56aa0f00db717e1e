#include "screens/records/ExportChoices.h"

#include "accounts/Enquirers.h"
#include "core/AskTellUser.h"
#include "core/CommonDialogs.h"
#include "core/DiskFunctions.h"
#include "platform/UserInteraction.h"

#include <QDir>

ExportFileChoice ExportFileChoice::Ask(const QString& ownerCaption, const QString& title, const QString& folder,
                                       const QString& fileName, const QString& filter)
{
    QString base = ToForwardSlashes(folder);
    while (base.size() > 1 && base.endsWith(u'/'))
        base.chop(1);
    // The enquirer's export folder is made when it is not there yet, so
    // that the proposed file can be written where it is proposed.
    if (!base.isEmpty())
        QDir().mkpath(base);
    ExportFileChoice choice;
    choice.File = ShowSaveFileDialog(ownerCaption, title, base + u'/' + fileName, filter);
    if (choice.File.isEmpty() || !FileExists(choice.File))
        return choice;
    if (AskUser(QStringLiteral("The file ") + choice.File + QStringLiteral(" already exists."),
                QStringLiteral("Do you want to over-write it?"), MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes) {
        const QString failure = DeleteFileChecked(choice.File);
        if (!failure.isEmpty())
            choice.Failure = QStringLiteral("Could not delete the file: ") + failure;
    } else {
        choice.File.clear();
        choice.Cancelled = true;
    }
    return choice;
}

QString ResponseExportFilter(const QString& exportFileType)
{
    const QString ext = exportFileType;
    QString filter = QStringLiteral("Export files (*.") + ext + QStringLiteral(")|*.") + ext;
    if (ext.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        filter += QStringLiteral("|EXP files (*.exp)|*.exp|TAB files (*.tab)|*.tab");
    else if (ext.compare(QStringLiteral("tab"), Qt::CaseInsensitive) == 0)
        filter += QStringLiteral("|EXP files (*.exp)|*.exp|CSV files (*.csv)|*.csv");
    else
        filter += QStringLiteral("|CSV files (*.csv)|*.csv|TAB files (*.tab)|*.tab");
    return filter;
}

std::shared_ptr<Enquirer> ChooseExportEnquirer(const Enquirers& userEnquirers, EnquirerChooser& chooser,
                                               QWidget* owner)
{
    if (userEnquirers.Count() == 1)
        return userEnquirers.Item(1);
    const QString id = chooser.ChooseEnquirer(EnquirerChooser::Purpose::Export, owner);
    return id.isEmpty() ? nullptr : userEnquirers.Find(id);
}
