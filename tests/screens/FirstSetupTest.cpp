#include "WhenShown.h"

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "platform/UserInteraction.h"
#include "screens/admin/SetupWizard.h"
#include "screens/admin/frmChangePassword.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/admin/frmSetup.h"
#include "screens/admin/frmSplash.h"
#include "screens/common/UnloadAllForms.h"
#include "service/frmHTTPComms.h"
#include "startup/GlobalObjects.h"
#include "startup/ProgramStart.h"
#include "startup/Session.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// A first start as a new user meets it: a folder made by the folder tool,
// the stand-in service's own program on loopback, the program's real
// start-up and windows, the user's answers scripted.
class FirstSetupTest : public ::testing::Test {
protected:
    ~FirstSetupTest() override
    {
        UnloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UnloadHTTPCommsForm();
        ReleaseGlobalObjects();
        service.kill();
        service.waitForFinished();
    }

    QString SettingsFile() const { return world.PathOf(QStringLiteral("Nevix.INI")); }

    // The folder tool on the program folder; the service on a free port.
    void PrepareFolderAndService()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("NEVIX_HOME"), world.Folder());
        QProcess prepare;
        prepare.setProcessEnvironment(environment);
        prepare.start(QStringLiteral(NEVIX_PREPARE_TOOL), {});
        ASSERT_TRUE(prepare.waitForFinished(60000));
        ASSERT_EQ(prepare.exitCode(), 0) << prepare.readAllStandardError().toStdString();

        service.start(QStringLiteral(NEVIX_SERVICE_TOOL), {QStringLiteral("--port"), QStringLiteral("0")});
        ASSERT_TRUE(service.waitForStarted(30000));
        while (!service.canReadLine())
            ASSERT_TRUE(service.waitForReadyRead(30000)) << "the service printed no address";
        const QString line = QString::fromUtf8(service.readLine());
        const auto match = QRegularExpression(QStringLiteral("NevixHost=(\\S+)")).match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), match.captured(1),
                               SettingsFile());
    }

    // Runs the start-up and lets the splash hand over at once.
    std::unique_ptr<ProgramStart> Start()
    {
        StartupHooks hooks;
        hooks.AskInstallMode = [this](bool) {
            ++installModeAsked;
            return 0;
        };
        hooks.ViewLog = [](const QString&) {};
        hooks.OpenLogon = [this] { session.OpenLogon(); };
        auto start = std::make_unique<ProgramStart>(QStringList(), hooks);
        EXPECT_TRUE(start->Main());
        if (frmSplash* splash = start->Splash())
            splash->tmrintro_Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return start;
    }

    template <typename Window>
    Window* Visible() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(w); window && window->isVisible())
                return window;
        }
        return nullptr;
    }

    QString InstallModeStored() const
    {
        return INIFile().GetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"),
                                      QStringLiteral("0"), SettingsFile());
    }

    TestWorld world;
    QProcess service;
    int installModeAsked = 0;
    int quits = 0;
    Session session{FormRegistry(), [this] { ++quits; }};
};

TEST_F(FirstSetupTest, ANewFolderGoesThroughTheWizardToTheMenuThenStartsAtTheLogon)
{
    PrepareFolderAndService();
    world.ui().ScriptAnswer(MsgBox::AnswerYes); // the first installation
    {
        const auto start = Start();
        ASSERT_TRUE(world.ui().Texts().value(0).startsWith(QStringLiteral("Is this the first installation")));
        frmSetup* wizard = Visible<frmSetup>();
        ASSERT_TRUE(wizard) << world.ui().Texts().join(u'|').toStdString();
        EXPECT_FALSE(Visible<frmLogon>());
        EXPECT_EQ(InstallModeStored(), QStringLiteral("0")) << "chosen by the wizard's Finish";

        wizard->cmdNextFinsh()->click();
        wizard->txtIEUserID()->setText(QStringLiteral("nevix01"));
        wizard->txtIEPassword()->setText(QStringLiteral("Abcdefg1"));
        wizard->cmdNextFinsh()->click();
        ASSERT_EQ(wizard->Wizard().CurrentStep(), 2) << world.ui().Texts().join(u'|').toStdString();
        for (int e = 0; e < wizard->cboEnquirer()->count(); ++e) {
            wizard->cboEnquirer()->setCurrentIndex(e);
            for (int i = 0; i < 2; ++i) {
                world.ui().ScriptFile(world.PathOf(QStringLiteral("enquirer%1/%2").arg(e).arg(i)));
                wizard->cmdBrowse(i)->click();
            }
        }
        wizard->cmdNextFinsh()->click();
        wizard->cmdNextFinsh()->click();
        ASSERT_EQ(wizard->Wizard().CurrentStep(), 4) << world.ui().Texts().join(u'|').toStdString();
        EXPECT_EQ(wizard->txtPartyName()->text(), QStringLiteral("Stand-in Parking"));
        wizard->cmdNextFinsh()->click();

        EXPECT_FALSE(Visible<frmSetup>());
        EXPECT_TRUE(Visible<frmMenu>());
        EXPECT_EQ(InstallModeStored(), QStringLiteral("1"));
        EXPECT_EQ(quits, 0);
        UnloadAllForms();
    }
    ReleaseGlobalObjects();

    world.ui().boxes.clear();
    const auto again = Start();
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << "nothing asked about the installation";
    EXPECT_EQ(installModeAsked, 0);
    EXPECT_FALSE(Visible<frmSetup>());
    frmLogon* logon = Visible<frmLogon>();
    ASSERT_TRUE(logon);
    bool askedForNewPassword = false;
    WhenShown<frmChangePassword>([&](frmChangePassword& change) {
        askedForNewPassword = true;
        change.cmdCancel()->click();
    });
    logon->txtPartyCode()->setText(QStringLiteral("ADMIN"));
    logon->txtPassword()->setText(QStringLiteral("ADMIN"));
    logon->cmdOK()->click();
    EXPECT_TRUE(askedForNewPassword);
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join(u'|').toStdString();
}

} // namespace
