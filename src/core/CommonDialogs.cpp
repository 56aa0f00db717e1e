#include "core/CommonDialogs.h"

#include "platform/AppContext.h"

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
    QString pairs = filter;
    pairs.replace(QChar(0), u'|');
    while (pairs.endsWith(u'|'))
        pairs.chop(1);
    request.filter = pairs.isEmpty() ? QStringLiteral("All Files|*.*") : pairs;
    return AppContext::Current().ui().ChooseFile(request).value_or(QString());
}
