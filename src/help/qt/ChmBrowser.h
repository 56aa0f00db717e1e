#pragma once

#include <QTextBrowser>

#include <memory>

class ChmFile;

// Shows the pages of one compiled help file: pages and pictures are read
// from the file, so its relative links and pictures work. Pages are
// addressed as "chm:/path".
class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChmBrowser(QWidget* parent = nullptr);

    void ShowPage(std::shared_ptr<ChmFile> file, const QString& page);
    const ChmFile* File() const { return m_file.get(); }
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<ChmFile> m_file;
};
