#include "ShotDrawing.h"

#include "platform/NevixError.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

QImage DrawShot(const ShotEntry& entry, ShotContext& context)
{
    std::unique_ptr<QWidget> window = entry.Build(context);
    window->show();
    QApplication::processEvents();
    const QImage image = window->grab().toImage();
    window->hide();
    window.reset();
    QApplication::processEvents();
    return image;
}

QStringList DrawAllShots(const QString& folder, const ShotRequest& base)
{
    if (!QDir().mkpath(folder))
        throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Cannot create the folder ") + folder,
                         QStringLiteral("nevix-shot"));
    QStringList written;
    for (const ShotEntry& entry : ShotEntries()) {
        for (const ShotPicture& picture : entry.Pictures) {
            ShotRequest request = base;
            request.User = picture.User;
            for (auto it = picture.Values.cbegin(); it != picture.Values.cend(); ++it)
                request.Values.insert(it.key(), it.value());
            ShotSession session(request);
            const QString file = QDir(folder).filePath(picture.File + QStringLiteral(".png"));
            if (!DrawShot(entry, session.Context()).save(file))
                throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Cannot write ") + file,
                                 QStringLiteral("nevix-shot"));
            written << file;
        }
    }
    return written;
}
