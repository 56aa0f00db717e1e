#include "help/qt/QtHelpWindowHost.h"

#include "help/qt/HelpWindow.h"

#include "core/qt/CentreForm.h"

#include <QApplication>

QtHelpWindowHost::~QtHelpWindowHost()
{
    CloseAll();
}

intptr_t QtHelpWindowHost::Show(std::shared_ptr<ChmFile> file, const QString& page, const QString& /*windowType*/)
{
    if (!m_window) {
        m_window = new HelpWindow();
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        // Over the window whose help it shows; once open, it stays where the
        // user puts it.
        QWidget* opener = QApplication::activeModalWidget();
        if (!opener)
            opener = QApplication::activeWindow();
        CentreOver(*m_window, opener);
    }
    m_window->ShowPage(std::move(file), page);
    m_window->show();
    m_window->raise();
    return reinterpret_cast<intptr_t>(m_window.data());
}

void QtHelpWindowHost::CloseAll()
{
    // Deleted now, not on a later event: the window must be gone when the
    // caller carries on.
    delete m_window.data();
}
