#pragma once

#include <QWidget>

#include <memory>

class ChmBrowser;
class ChmFile;

// The help window: one page of a compiled help file, titled by the file's
// title or, when it has none, by the page's.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowPage(std::shared_ptr<ChmFile> file, const QString& page);
    ChmBrowser* Browser() const { return m_browser; }

private:
    void UpdateTitle();

    ChmBrowser* m_browser;
};
