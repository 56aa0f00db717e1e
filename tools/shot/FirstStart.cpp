#include "FirstStart.h"

#include "PrepareProgramFolder.h"

#include "core/qt/QtUserInteraction.h"
#include "platform/AppContext.h"
#include "screens/admin/frmJuxClient.h"
#include "screens/admin/frmSetup.h"
#include "screens/admin/frmSplash.h"
#include "screens/common/UnloadAllForms.h"
#include "startup/GlobalObjects.h"
#include "startup/ProgramStart.h"
#include "startup/Session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// Watches the windows of one start and acts on each as it first appears.
class Walkthrough : public QObject {
public:
    Walkthrough(QString folder, bool firstInstallation)
        : m_folder(std::move(folder)), m_firstInstallation(firstInstallation)
    {
        connect(&m_poll, &QTimer::timeout, this, &Walkthrough::Look);
        m_poll.start(50);
    }

    bool ok = true;
    bool done = false;

private:
    void Save(QWidget* window, const QString& name)
    {
        const QString file = QDir(m_folder).filePath(name);
        const bool saved = window->grab().save(file);
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qUtf8Printable(file));
        ok &= saved;
    }

    static void Press(QMessageBox* box, QMessageBox::StandardButton which)
    {
        if (QAbstractButton* button = box->button(which))
            button->click();
    }

    void Look()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || m_seen.contains(window))
                continue;
            m_seen.insert(window);
            connect(window, &QObject::destroyed, this, [this, window] { m_seen.remove(window); });
            // Drawn at the next pass, once it has laid itself out.
            QTimer::singleShot(100, this, [this, w = QPointer<QWidget>(window)] {
                if (w)
                    Act(w);
            });
        }
    }

    void Act(QWidget* window)
    {
        if (auto* splash = qobject_cast<frmSplash*>(window)) {
            if (m_firstInstallation)
                Save(splash, QStringLiteral("splash.png"));
            return;
        }
        if (auto* form = qobject_cast<frmJuxClient*>(window)) {
            Save(form, QStringLiteral("install-mode.png"));
            form->close(); // asks whether to end the set-up
            return;
        }
        if (auto* wizard = qobject_cast<frmSetup*>(window)) {
            Save(wizard, QStringLiteral("set-up-wizard.png"));
            done = true;
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box)
            return;
        const QString text = box->text();
        if (text.startsWith(QStringLiteral("Is this the first installation"))) {
            if (m_firstInstallation)
                Save(box, QStringLiteral("first-installation.png"));
            Press(box, m_firstInstallation ? QMessageBox::Yes : QMessageBox::No);
        } else if (text.startsWith(QStringLiteral("If you do not select"))) {
            Press(box, QMessageBox::Yes);
        } else {
            // Start-up ends: the installation was left without a mode.
            Press(box, QMessageBox::Ok);
            done = true;
        }
    }

    QString m_folder;
    bool m_firstInstallation;
    QTimer m_poll;
    QSet<QWidget*> m_seen;
};

bool FirstStart(const QString& screens, bool firstInstallation)
{
    QTemporaryDir home;
    qputenv("NEVIX_HOME", QFile::encodeName(home.path()));
    PrepareProgramFolder(home.path());
    AppContext::Install(AppContext::MakeDefault(std::make_shared<QtUserInteraction>()));

    Walkthrough walk(screens, firstInstallation);
    {
        Session session;
        StartupHooks hooks = ProgramStart::DefaultHooks();
        hooks.OpenLogon = [&session] { session.OpenLogon(); };
        ProgramStart start({}, hooks);
        if (start.Main()) {
            QElapsedTimer waited;
            waited.start();
            while (!walk.done && waited.elapsed() < 30000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        // The splash cannot be closed by hand: it goes with its start.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmSplash*>(window)) {
                window->deleteLater();
            } else {
                // Closed by the program: the wizard does not ask.
                MarkUnloading(*window);
                window->close();
            }
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    ReleaseGlobalObjects();
    AppContext::Install(nullptr);
    return walk.ok && walk.done;
}

} // namespace

bool DrawFirstStart(const QString& folder)
{
    QDir().mkpath(folder);
    const QByteArray home = qgetenv("NEVIX_HOME");
    const bool client = FirstStart(folder, false);
    const bool first = FirstStart(folder, true);
    if (home.isNull())
        qunsetenv("NEVIX_HOME");
    else
        qputenv("NEVIX_HOME", home);
    return client && first;
}
