#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/qt/CentreForm.h"
#include "core/qt/QtUserInteraction.h"
#include "platform/AppContext.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(ProgramVersion);
    AppContext::Install(AppContext::MakeDefault(std::make_shared<QtUserInteraction>()));

    // Until start-up and logon are in place, the program says so plainly.
    QWidget window;
    window.setObjectName(QStringLiteral("frmSetupPending"));
    window.setWindowTitle(ApplicationTitle);
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(
        QStringLiteral("Nevix v%1 is being set up.\nProgram folder: %2")
            .arg(ProgramVersion, AppContext::Current().programFolder()),
        &window);
    auto* close = new QPushButton(QStringLiteral("&Close"), &window);
    layout->addWidget(label);
    layout->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    window.resize(420, 140);
    CentreForm(window);
    window.show();

    const int rc = app.exec();
    AppContext::Install(nullptr);
    return rc;
}
