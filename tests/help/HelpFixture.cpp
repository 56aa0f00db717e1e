#include "HelpFixture.h"

#include "help/ChmFile.h"

#include <QFileInfo>

intptr_t RecordingHost::Show(std::shared_ptr<ChmFile> file, const QString& page, const QString& windowType)
{
    shown.append(QFileInfo(file->Path()).fileName() + QLatin1Char(' ') + page + QLatin1Char(' ') + windowType);
    return 42;
}
