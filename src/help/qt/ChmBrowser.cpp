#include "help/qt/ChmBrowser.h"

#include "help/ChmFile.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(false);
}

void ChmBrowser::ShowPage(std::shared_ptr<ChmFile> file, const QString& page)
{
    // A page of another file must not be resolved against the old one's
    // history.
    if (file != m_file)
        clearHistory();
    m_file = std::move(file);
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    url.setPath(page);
    setSource(url);
}

QVariant ChmBrowser::loadResource(int type, const QUrl& name)
{
    if (!m_file || name.scheme() != QLatin1String("chm"))
        return QVariant();
    const QString page = m_file->FindPage(name.path());
    if (page.isEmpty())
        return QVariant();
    const auto bytes = m_file->Read(page);
    if (!bytes)
        return QVariant();
    if (type == QTextDocument::ImageResource) {
        QImage image;
        image.loadFromData(*bytes);
        return image;
    }
    return *bytes;
}
