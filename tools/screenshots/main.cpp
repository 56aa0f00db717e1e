// Draws the start-up windows offscreen into PNG files, for the
// documentation: nevix-screenshots <folder>.
#include "core/GlobalDeclarations.h"
#include "database/CDataBase.h"
#include "screens/admin/frmJuxClient.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <cstdio>

namespace {
bool Save(QWidget& window, const QString& folder, const QString& name)
{
    window.adjustSize();
    window.show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name);
    const bool saved = window.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qUtf8Printable(file));
    return saved;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    bool ok = true;
    frmSplash splash;
    splash.tmrintro()->stop();
    ok &= Save(splash, folder, QStringLiteral("splash.png"));

    frmJuxClient installMode;
    installMode.InitialiseForm(false);
    ok &= Save(installMode, folder, QStringLiteral("install-mode.png"));

    CDataBase unused;
    frmLogon logon(unused, {});
    logon.lblVersion()->setText(VersionCaption());
    ok &= Save(logon, folder, QStringLiteral("logon.png"));
    return ok ? 0 : 1;
}
