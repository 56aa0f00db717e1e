#include "core/qt/ShowFolderBrowser.h"

#include "platform/AppContext.h"

#include <QWidget>

QString ShowFolderBrowser(QWidget* ownerWindow, const QString& title, const QString& startFolder)
{
    // The dialog layer finds its owner by caption.
    const QString owner = ownerWindow ? ownerWindow->window()->windowTitle() : QString();
    return AppContext::Current().ui().ChooseFolder(title, startFolder, owner).value_or(QString());
}
