#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/DatabaseSchema.h"
#include "screens/admin/frmJuxClient.h"
#include "support/DatabaseTest.h"
#include "support/DiskFault.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class JuxClientTest : public DatabaseTest {
protected:
    JuxClientTest() { Settings().Load(); }

    // A server's database elsewhere, set up or not.
    QString ServerDatabase(bool setUp)
    {
        QDir(world.Folder()).mkpath(QStringLiteral("server"));
        const QString file = world.PathOf(QStringLiteral("server/Nevix.MDB"));
        DatabaseSchema::CreateNewDatabase(file);
        if (setUp) {
            CDataBase server;
            ConnectTo(server, file);
            server.Execute(QStringLiteral("UPDATE System_Parameters SET SetupComplete=1"));
        }
        return file;
    }

    QString Stored(const QString& group, const QString& item)
    {
        return INIFile().GetIniString(group, item, QStringLiteral("(none)"),
                                      world.PathOf(QStringLiteral("Nevix.INI")));
    }

    QString LastMessage() { return world.ui().boxes.isEmpty() ? QString() : world.ui().boxes.last().text; }
};

// Relative paths are read against the working folder, put back after.
class InFolder {
public:
    explicit InFolder(const QString& folder) : m_before(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(m_before); }

private:
    QString m_before;
};

TEST_F(JuxClientTest, StandaloneIsStoredWithoutLookingAtThePath)
{
    frmJuxClient form;
    form.InitialiseForm(false);
    EXPECT_TRUE(form.optInstalMode(1)->isChecked());
    EXPECT_FALSE(form.txtDatabaseLocation()->isVisibleTo(&form));
    form.optInstalMode(2)->click();
    form.cmdOk()->click();
    EXPECT_EQ(form.InstallMode(), 2);
    EXPECT_EQ(Stored(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode")), QStringLiteral("2"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

// The choice used to vanish without a word and be asked again next time.
TEST_F(JuxClientTest, AChoiceThatCannotBeSavedIsReportedAndHoldsForThisRun)
{
    frmJuxClient form;
    form.InitialiseForm(false);
    form.optInstalMode(2)->click();
    {
        DiskFault readOnly(QStringLiteral("Nevix.INI"), AtomicFile::Step::Open, EACCES);
        form.cmdOk()->click();
    }
    EXPECT_EQ(form.InstallMode(), 2);
    EXPECT_EQ(Settings().ProgramInstallMode(), 2);
    EXPECT_EQ(Stored(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode")), QStringLiteral("(none)"));
    EXPECT_EQ(LastMessage(), QStringLiteral("INIFile - Unable to write to INI file\rThe settings could not be saved in ") +
                                 world.PathOf(QStringLiteral("Nevix.INI")));
}

TEST_F(JuxClientTest, ClientOnlyOffersTheClientWithItsDatabase)
{
    frmJuxClient form;
    form.InitialiseForm(true);
    EXPECT_FALSE(form.optInstalMode(1)->isEnabled());
    EXPECT_FALSE(form.optInstalMode(2)->isEnabled());
    EXPECT_TRUE(form.optInstalMode(3)->isChecked());
    EXPECT_TRUE(form.txtDatabaseLocation()->isVisibleTo(&form));
    // Each caption, drawn beside its button, is greyed with it.
    for (int mode = 1; mode <= 3; ++mode) {
        const QRadioButton* option = form.optInstalMode(mode);
        int captions = 0;
        for (const QLabel* label : form.findChildren<QLabel*>()) {
            if (label->text() != option->text())
                continue;
            ++captions;
            EXPECT_EQ(label->isEnabled(), mode == 3) << mode;
        }
        EXPECT_EQ(captions, 1) << mode;
    }
}

TEST_F(JuxClientTest, ClientDatabaseIsTestedBeforeItIsStored)
{
    struct Case {
        const char* what;
        QString path;
        QString message;
    };
    const Case refused[] = {
        {"empty", QStringLiteral("   "),
         QStringLiteral("You must enter the path and filename of the database this program is going to share")},
        {"missing", world.PathOf(QStringLiteral("nowhere.MDB")),
         QStringLiteral("You must specify a valid NEVIX database.")},
        {"the one in use", path, QStringLiteral("You cannot connect to the database you are already using.")},
        {"a link to the one in use", world.PathOf(QStringLiteral("link.MDB")),
         QStringLiteral("You cannot connect to the database you are already using.")},
        {"the one in use, relative", QStringLiteral("./sub/../Nevix.MDB"),
         QStringLiteral("You cannot connect to the database you are already using.")},
        {"not set up", ServerDatabase(false), QStringLiteral("The database has not been setup yet.\r"
                                                             "Install this program as a SERVER first and then add the CLIENT programs")},
    };
    ASSERT_TRUE(QFile::link(path, world.PathOf(QStringLiteral("link.MDB"))));
    ASSERT_TRUE(QDir(world.Folder()).mkpath(QStringLiteral("sub")));
    InFolder here(world.Folder());
    for (const Case& c : refused) {
        frmJuxClient form;
        form.InitialiseForm(true);
        form.txtDatabaseLocation()->setText(c.path);
        form.cmdOk()->click();
        EXPECT_EQ(LastMessage(), c.message) << c.what;
        EXPECT_EQ(Stored(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode")),
                  QStringLiteral("(none)"))
            << c.what;
    }
}

TEST_F(JuxClientTest, ASetUpServerDatabaseIsStoredTrimmed)
{
    const QString server = ServerDatabase(true);
    frmJuxClient form;
    form.InitialiseForm(true);
    form.txtDatabaseLocation()->setText(QStringLiteral("  ") + server + QStringLiteral(" "));
    form.cmdTestConnection()->click();
    EXPECT_EQ(LastMessage(), QStringLiteral("Connected successfully."));
    EXPECT_EQ(form.txtDatabaseLocation()->text(), server);
    form.cmdOk()->click();
    EXPECT_EQ(form.InstallMode(), 3);
    EXPECT_EQ(Stored(QStringLiteral("Database"), QStringLiteral("Database")), server);
    EXPECT_EQ(Stored(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode")), QStringLiteral("3"));
}

// Stored as read from the working folder of the test, not as typed.
TEST_F(JuxClientTest, ARelativePathIsStoredAsTheAbsolutePathTested)
{
    QFile::rename(ServerDatabase(true), world.PathOf(QStringLiteral("Nevix2.MDB")));
    ASSERT_TRUE(QDir(world.Folder()).mkpath(QStringLiteral("db")));
    {
        InFolder here(world.Folder());
        frmJuxClient form;
        form.InitialiseForm(true);
        form.txtDatabaseLocation()->setText(QStringLiteral("db/../Nevix2.MDB"));
        form.cmdOk()->click();
        EXPECT_EQ(form.InstallMode(), 3) << LastMessage().toStdString();
    }
    EXPECT_EQ(Stored(QStringLiteral("Database"), QStringLiteral("Database")),
              QFileInfo(world.PathOf(QStringLiteral("Nevix2.MDB"))).canonicalFilePath());
}

// The wizard's SERVER text speaks of "programs"; this window's of
// "installations".
TEST_F(JuxClientTest, TheOptionsCarryTheirOwnTexts)
{
    frmJuxClient form;
    EXPECT_TRUE(form.optInstalMode(1)->accessibleName().startsWith(QStringLiteral("STANDALONE.  More than one")));
    EXPECT_TRUE(form.optInstalMode(2)->accessibleName().startsWith(
        QStringLiteral("SERVER.  Other installations will share the database.")));
    EXPECT_TRUE(form.optInstalMode(3)->accessibleName().startsWith(QStringLiteral("CLIENT.  Use the database")));
    // Each option holds its whole caption as its text, drawn wrapped beside it.
    EXPECT_EQ(form.optInstalMode(2)->text(),
              QStringLiteral("SERVER.  Other installations will share the database.  This installation will be the "
                             "one that communicates with the NEVIX service.  This installation must be done before "
                             "any CLIENT installations."));
    EXPECT_EQ(form.optInstalMode(3)->text(),
              QStringLiteral("CLIENT.  Use the database of a server already installed on your network.  Client "
                             "installations cannot send or receive data from the Nevix Service."));
    const QFontMetrics metrics(form.optInstalMode(3)->font());
    EXPECT_LT(form.optInstalMode(3)->sizeHint().width(), metrics.horizontalAdvance(QStringLiteral("CLIENT.")))
        << "the button itself draws no text";
}

TEST_F(JuxClientTest, ClosingFromTheTitleBarAsksAndYesChoosesNothing)
{
    frmJuxClient form;
    form.show();
    world.ui().ScriptAnswer(7);
    form.close();
    EXPECT_TRUE(form.isVisible());
    world.ui().ScriptAnswer(6);
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.InstallMode(), 0);
    EXPECT_EQ(world.ui().boxes.last().text,
              QStringLiteral("If you do not select a type of install the setup process will end\rDo you want to end the setup?"));
}

} // namespace
