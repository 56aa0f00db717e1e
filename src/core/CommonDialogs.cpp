#include "core/CommonDialogs.h"

#include "core/DiskFunctions.h"
#include "platform/AppContext.h"

namespace {
// "Name|pattern|..." from pairs separated by "|" or NUL characters.
QString FilterPairs(const QString& filter)
{
    QString pairs = filter;
    pairs.replace(QChar(0), u'|');
    while (pairs.endsWith(u'|'))
        pairs.chop(1);
    return pairs.isEmpty() ? QStringLiteral("All Files|*.*") : pairs;
}
} // namespace

QString BrowseForFolder(const QString& ownerCaption, const QString& title,
                        const QString& startFolder)
{
    return AppContext::Current().ui().ChooseFolder(title, startFolder, ownerCaption).value_or(QString());
}

QString ShowOpenFileDialog(const QString& ownerCaption, const QString& title,
                           const QString& initialDir, const QString& filter)
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.title = title;
    request.initialFolder = initialDir;
    request.fileName = QStringLiteral("*");
    request.ownerCaption = ownerCaption;
    request.filter = FilterPairs(filter);
    return AppContext::Current().ui().ChooseFile(request).value_or(QString());
}

QString ShowSaveFileDialog(const QString& ownerCaption, const QString& title,
                           const QString& proposedFile, const QString& filter)
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title = title;
    const QString path = ToForwardSlashes(proposedFile);
    request.initialFolder = GetFolderFromPath(path);
    if (request.initialFolder.size() > 1 && request.initialFolder.endsWith(u'/'))
        request.initialFolder.chop(1);
    request.fileName = GetFileNamePart(path);
    if (request.fileName.isEmpty())
        request.fileName = QStringLiteral("*");
    request.ownerCaption = ownerCaption;
    request.filter = FilterPairs(filter);
    request.confirmOverwrite = false;
    return AppContext::Current().ui().ChooseFile(request).value_or(QString());
}
