#include "help/qt/HelpWindow.h"

#include "help/ChmFile.h"
#include "help/qt/ChmBrowser.h"

#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new ChmBrowser(this))
{
    setObjectName(QStringLiteral("Main"));
    m_browser->setObjectName(QStringLiteral("txtHelpPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 480);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateTitle);
}

void HelpWindow::ShowPage(std::shared_ptr<ChmFile> file, const QString& page)
{
    m_browser->ShowPage(std::move(file), page);
    UpdateTitle();
}

void HelpWindow::UpdateTitle()
{
    const ChmFile* file = m_browser->File();
    const QString title = file && !file->Title().isEmpty() ? file->Title() : m_browser->documentTitle();
    setWindowTitle(title);
}
