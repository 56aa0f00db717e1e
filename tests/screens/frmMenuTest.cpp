#include "MenuTest.h"
#include "screens/transmission/LogListView.h"
#include "screens/transmission/frmTransmissionStatus.h"
#include "WhenShown.h"
#include "support/Printers.h"

#include "database/CommsLock.h"
#include "help/HHelper.h"
#include "support/RecordingHelp.h"
#include "screens/admin/MenuGates.h"
#include "screens/admin/frmInfo.h"
#include "screens/admin/frmMenu.h"
#include "screens/records/frmVQ7.h"
#include "startup/ProgramScreens.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTextEdit>
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/frmShutDownMode.h"
#include "service/frmHTTPComms.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// ---- gates as a function --------------------------------------------------

struct GateCase {
    const char* name;
    const char* roles;
    int32_t installMode;
    MenuGates expected;
};

class MenuGatesTable : public ::testing::TestWithParam<GateCase> {};

TEST_P(MenuGatesTable, FollowTheRolesAndTheInstallMode)
{
    const GateCase& c = GetParam();
    EXPECT_EQ(MenuGatesFor(QString::fromLatin1(c.roles), c.installMode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Roles, MenuGatesTable,
    ::testing::Values(
        GateCase{"Clerk", "CLER", 1, {false, false, false}},
        GateCase{"Manager", "MGR", 1, {false, true, true}},
        GateCase{"Administrator", "ADMIN", 2, {true, true, true}},
        GateCase{"SystemUser", "SYSADMIN", 1, {true, true, true}},
        GateCase{"NoGroupPassesNothing", "", 1, {false, false, false}},
        GateCase{"ManagerAndAdministrator", "MGR,ADMIN", 1, {true, true, true}},
        GateCase{"ClerkAndManager", "CLER,MGR", 1, {false, true, true}},
        GateCase{"RolesIgnoreLetterCase", "admin", 1, {true, true, true}},
        GateCase{"PartOfARoleIsNotTheRole", "ADM", 1, {false, false, false}},
        GateCase{"ClientNeverSends", "SYSADMIN,ADMIN", 3, {true, true, false}},
        GateCase{"ModeNotChosenStillSends", "MGR", 0, {false, true, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the window ----------------------------------------------------------

class MenuWindow : public MenuTest {
protected:
    std::unique_ptr<frmMenu> OpenMenu(const QString& user)
    {
        LogOn(user);
        MenuRoads roads;
        roads.OpenLogon = [this] { ++logons; };
        roads.EndProgram = [this] { ++ends; };
        auto menu = std::make_unique<frmMenu>(db(), screens, roads);
        menu->InitialiseForm();
        menu->show();
        return menu;
    }

    // Registers a test screen under the name; the last one built is kept.
    void Register(const QString& name, bool fails = false)
    {
        screens.Register(name, [this, fails] {
            auto screen = std::make_unique<TestScreen>(QStringLiteral("TEST SCREEN"), fails);
            lastScreen = screen.get();
            return screen;
        });
    }

    QString AdminLockHolder()
    {
        CommsLock lock;
        lock.SetDataSource(&db());
        lock.Load(LockTypes::Administration);
        return lock.LockedBy();
    }

    FormRegistry screens;
    QPointer<TestScreen> lastScreen;
    int logons = 0;
    int ends = 0;
};

struct UserGates {
    const char* user;
    int32_t installMode;
    bool admin, send, debit;
};

class MenuGatesOnTheFixture : public MenuWindow, public ::testing::WithParamInterface<UserGates> {};

TEST_P(MenuGatesOnTheFixture, ButtonsAndPicturesFollowTheUser)
{
    const UserGates& c = GetParam();
    Make(FixtureOptions().WithManagerAdministrator());
    Settings().SetProgramInstallMode(int16_t(c.installMode));
    auto menu = OpenMenu(QString::fromLatin1(c.user));
    const struct {
        const char* what;
        QPushButton* button;
        QLabel* picture;
        QLabel* grey;
        bool enabled;
    } rows[] = {{"admin", menu->cmdMaint(), menu->imgAdmin(), menu->imgAdminDisabled(), c.admin},
                {"send", menu->cmdSend(), menu->imgSendRec(), menu->imgSendRecDisabled(), c.send},
                {"debit", menu->cmdDebit(), menu->imgDeb(), menu->imgDebDisabled(), c.debit}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.button->isEnabled(), row.enabled);
        EXPECT_EQ(row.picture->isVisible(), row.enabled);
        EXPECT_EQ(row.grey->isVisible(), !row.enabled) << "the grey twin shows exactly when disabled";
        EXPECT_EQ(row.grey->geometry(), row.picture->geometry()) << "exactly over its twin";
    }
    for (QPushButton* always : {menu->cmdEnq(), menu->cmdResp(), menu->cmdStatus(), menu->cmdAbout(),
                                menu->cmdExit(), menu->cmdMoreInformation()})
        EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString();
    EXPECT_TRUE(menu->imgLog()->isVisible());
    EXPECT_FALSE(menu->imgLogDisabled()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Users, MenuGatesOnTheFixture,
                         ::testing::Values(UserGates{"clerk1", 1, false, false, false},
                                           UserGates{"mgr1", 1, false, true, true},
                                           UserGates{"admin1", 1, true, true, true},
                                           UserGates{"nogroup1", 1, false, false, false},
                                           UserGates{"mgradmin1", 1, true, true, true},
                                           UserGates{"admin1", 3, true, false, true}),
                         [](const auto& info) {
                             return std::string(info.param.user) + "_mode" +
                                    std::to_string(info.param.installMode);
                         });

TEST_F(MenuWindow, TheWelcomeLineReadsWithoutGaps)
{
    Make();
    auto menu = OpenMenu(Fixture::Manager);
    EXPECT_EQ(menu->windowTitle(), "NEVIX - MAIN MENU");
    EXPECT_EQ(menu->lblWelcome(3)->text(), "mgr1");
    QString line = menu->lblWelcome(0)->text() + u' ';
    QLabel* previous = nullptr;
    for (int i : {3, 4, 1, 2}) {
        QLabel* part = menu->lblWelcome(i);
        if (previous) {
            EXPECT_EQ(part->x(), previous->x() + previous->width()) << "part " << i;
        }
        line += part->text();
        previous = part;
    }
    EXPECT_GT(menu->lblWelcome(3)->x(), menu->lblWelcome(0)->x() + menu->lblWelcome(0)->width());
    EXPECT_EQ(line, "Welcome mgr1 to NEVIX, please select an option.");
}

TEST_F(MenuWindow, EachActivationFollowsTestModeAndThePasswordRight)
{
    Make();
    auto menu = OpenMenu(Fixture::Clerk);
    EXPECT_FALSE(menu->lblTestMode()->isVisible());
    EXPECT_TRUE(menu->cmdChangePassword()->isVisible());
    Settings().SetRunInTestMode(true);
    GetCurrentUser()->SetCanChangePassword(false);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(menu.get(), &activate);
    EXPECT_TRUE(menu->lblTestMode()->isVisible());
    EXPECT_EQ(menu->lblTestMode()->text(), "THE PROGRAM IS IN TEST MODE");
    EXPECT_FALSE(menu->cmdChangePassword()->isVisible());
    Settings().SetRunInTestMode(false);
    menu->Form_Activate();
    EXPECT_FALSE(menu->lblTestMode()->isVisible());
}

TEST_F(MenuWindow, AModelessScreenHidesTheMenuUntilItCloses)
{
    Make();
    Register(MenuScreens::Enquiries);
    auto menu = OpenMenu(Fixture::Clerk);
    menu->cmdEnq()->click();
    ASSERT_TRUE(lastScreen);
    EXPECT_EQ(lastScreen->initialised, 1);
    EXPECT_TRUE(lastScreen->isVisible());
    EXPECT_FALSE(lastScreen->isModal());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(lastScreen->parentWidget(), menu.get()) << "the menu owns it";
    EXPECT_EQ(lastScreen->windowIcon().cacheKey(), menu->windowIcon().cacheKey());
    lastScreen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(lastScreen) << "closing unloads it";
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

// Counts the program's automatic end (Qt's quit once no main window is
// shown) and stops it, so that the test's own event loop goes on.
class QuitWatch : public QObject {
public:
    QuitWatch() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
            ++quits;
            return true;
        }
        return false;
    }
    int quits = 0;
};

TEST_F(MenuWindow, AMessageClosedOverAModelessScreenDoesNotEndTheProgram)
{
    Make();
    Register(MenuScreens::Enquiries);
    auto menu = OpenMenu(Fixture::Clerk);
    QuitWatch watch;
    int quitsWhileOpen = -1;
    QTimer::singleShot(0, menu.get(), [&] {
        menu->cmdEnq()->click();
        {
            // As a message box is: a window of its own, closed by the user.
            QDialog message;
            message.show();
            message.close();
        }
        QCoreApplication::processEvents();
        quitsWhileOpen = watch.quits;
        lastScreen->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    EXPECT_EQ(quitsWhileOpen, 0) << "the screen the menu hid itself for is still open";
    EXPECT_EQ(watch.quits, 0) << "its closing shows the menu again";
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuWindow, AModalScreenOpensOverTheMenuAndIsUnloadedAfter)
{
    Make();
    Register(MenuScreens::Log);
    auto menu = OpenMenu(Fixture::Clerk);
    bool modal = false, menuShown = false;
    WhenShown<QDialog>([&](QDialog& screen) {
        EXPECT_EQ(screen.objectName(), "frmTestScreen");
        modal = screen.isModal();
        menuShown = menu->isVisible();
        screen.accept();
    });
    menu->cmdStatus()->click();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(menuShown) << "a modal screen leaves the menu in sight";
    EXPECT_FALSE(lastScreen);
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuWindow, UnbuiltScreensSayTheyAreNotAvailable)
{
    Make();
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdSend()->click();
    menu->cmdMoreInformation()->click();
    EXPECT_EQ(world.ui().Texts(), (QStringList{"Send & Receive is not available in this version.",
                                               "More Information is not available in this version."}));
    EXPECT_TRUE(menu->isVisible());
}

// Each side of a window's frame lies inside the available area; along a
// side longer than the area, the frame starts where the area starts.
void ExpectInside(const QRect& frame, const QRect& area, const char* name)
{
    const auto along = [&](int start, int length, int areaStart, int areaLength, const char* side) {
        if (length > areaLength)
            EXPECT_EQ(start, areaStart) << name << " " << side;
        else
            EXPECT_TRUE(start >= areaStart && start + length <= areaStart + areaLength)
                << name << " " << side << ": " << start << "+" << length << " outside " << areaStart << "+"
                << areaLength;
    };
    along(frame.left(), frame.width(), area.left(), area.width(), "across");
    along(frame.top(), frame.height(), area.top(), area.height(), "down");
}

// With the menu moved to the screen's top right corner, a screen is not
// centred over it past the screen's edges: its title bar stays where it
// can be dragged.
TEST_F(MenuWindow, ScreensOpenedFromTheTopRightCornerLieWithTheirFrameInsideTheScreen)
{
    Make();
    screens = ProgramScreens();
    WriteBytes(world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf")), R"({\rtf1 Keep keeper data safe.\par})");
    auto menu = OpenMenu(Fixture::Manager);
    const QRect area = menu->screen()->availableGeometry();
    const struct {
        const char* name;
        QPushButton* button;
    } opened[] = {{"frmVQ3", menu->cmdEnq()},
                  {"frmVQ7", menu->cmdResp()},
                  {"frmDEB", menu->cmdDebit()},
                  {"frmInfo", menu->cmdMoreInformation()}};
    for (const auto& c : opened) {
        menu->move(area.right() + 1 - menu->frameGeometry().width(), area.top());
        ASSERT_EQ(menu->frameGeometry().topRight(), area.topRight());
        c.button->click();
        QWidget* screen = menu->findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_TRUE(screen && screen->isVisible()) << c.name;
        ASSERT_NE(screen->frameGeometry(), screen->geometry()) << c.name << ": a frame to keep on the screen";
        ExpectInside(screen->frameGeometry(), area, c.name);
        screen->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MenuWindow, MoreInformationOpensTheInformationWindowOrReportsItsMissingFile)
{
    Make();
    screens = ProgramScreens();
    const QString info = world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf"));
    QFile::remove(info);
    auto menu = OpenMenu(Fixture::Clerk);
    menu->cmdMoreInformation()->click();
    ASSERT_EQ(world.ui().Texts().size(), 1);
    EXPECT_TRUE(world.ui().Texts()[0].startsWith("Error opening IMPORTANT USE OF DATA INFORMATION (frmInfo)\rThe file " + info))
        << world.ui().Texts()[0].toStdString();
    EXPECT_TRUE(menu->isVisible());

    WriteBytes(info, R"({\rtf1 Keep keeper data safe.\par})");
    // Away from the middle of the screen, so that a window centred on the
    // screen would not pass for one centred over the menu.
    const QRect screen = menu->screen()->geometry();
    menu->move(screen.center() - QPoint(menu->width() / 2, menu->height() / 2) + QPoint(30, 20));
    const QPoint menuCentre = menu->frameGeometry().center();
    menu->cmdMoreInformation()->click();
    auto* window = menu->findChild<frmInfo*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_LE((window->frameGeometry().center() - menuCentre).manhattanLength(), 2);
    EXPECT_EQ(window->rtfMoreInfo()->toPlainText().trimmed(), "Keep keeper data safe.");
    EXPECT_EQ(window->windowIcon().cacheKey(), menu->windowIcon().cacheKey());
    EXPECT_FALSE(menu->isVisible());
    window->cmdReturn()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu->isVisible());

    // Escape closes it as Close does.
    menu->cmdMoreInformation()->click();
    window = menu->findChild<frmInfo*>();
    ASSERT_TRUE(window);
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(menu->findChild<frmInfo*>());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuWindow, AScreenThatFailsToInitialiseIsReportedAndDropped)
{
    Make();
    Register(MenuScreens::Debits, true);
    auto menu = OpenMenu(Fixture::Manager);
    menu->cmdDebit()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Error opening TEST SCREEN (frmDEB)\rThe screen broke"});
    EXPECT_FALSE(lastScreen) << "the failed window is unloaded";
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuWindow, DebitStatementsTestsTheRolesAgainAtTheClick)
{
    Make();
    Register(MenuScreens::Debits);
    auto menu = OpenMenu(Fixture::Manager);
    ASSERT_TRUE(menu->cmdDebit()->isEnabled());
    LogOn(Fixture::Clerk);
    menu->cmdDebit()->click();
    EXPECT_FALSE(lastScreen) << "a clerk now: nothing opens";
    EXPECT_TRUE(world.ui().Texts().isEmpty());
    LogOn(Fixture::Manager);
    menu->cmdDebit()->click();
    EXPECT_TRUE(lastScreen && lastScreen->isVisible());
}

TEST_F(MenuWindow, TheLogButtonShowsTheLastRunInTheLogWindow)
{
    Make();
    auto menu = OpenMenu(Fixture::Clerk);
    QStringList lines;
    WhenShown<frmTransmissionStatus>([&lines](frmTransmissionStatus& window) {
        lines = window.lstTransmissionLog()->Items();
        window.reject();
    });
    menu->cmdStatus()->click();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("Run Number: ")));
    EXPECT_TRUE(lines.join(QLatin1Char('|')).contains(QStringLiteral("Fixture line, event code 32")));
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

// ---- the maintenance warning -----------------------------------------------

struct OldCase {
    int32_t old;
    const char* user;
    bool warned;
};

class MaintenanceWarning : public MenuWindow, public ::testing::WithParamInterface<OldCase> {};

TEST_P(MaintenanceWarning, AdministratorsAreWarnedAbove500AndTheScreenOpensAnyway)
{
    const OldCase& c = GetParam();
    Make(FixtureOptions().WithOldEnquiries(c.old));
    Register(MenuScreens::Enquiries);
    auto menu = OpenMenu(QString::fromLatin1(c.user));
    menu->cmdEnq()->click();
    const QStringList expected =
        c.warned ? QStringList{QStringLiteral("There are %1 Enquiries in the sytem that could be cleared\r"
                                              "You should consider running the maintentance")
                                   .arg(c.old)}
                 : QStringList{};
    EXPECT_EQ(world.ui().Texts(), expected);
    EXPECT_EQ(world.ui().pointerHistory.value(0), Pointer::Hourglass) << "the hourglass from the click on";
    ASSERT_TRUE(lastScreen);
    EXPECT_TRUE(lastScreen->isVisible());
    EXPECT_EQ(world.ui().pointer, Pointer::Default) << "the hourglass ends with the click";
}

INSTANTIATE_TEST_SUITE_P(Counts, MaintenanceWarning,
                         ::testing::Values(OldCase{500, "admin1", false}, OldCase{501, "admin1", true},
                                           OldCase{501, "mgr1", false}),
                         [](const auto& info) {
                             return std::string(info.param.user) + "_" + std::to_string(info.param.old);
                         });

TEST_F(MenuWindow, OldResponsesAreCountedForTheResponseScreen)
{
    Make(FixtureOptions().WithOldResponses(501));
    Register(MenuScreens::Responses);
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdResp()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"There are 501 Responses in the system that could be cleared.\r"
                                              "You should consider running the maintentance"});
    EXPECT_TRUE(lastScreen && lastScreen->isVisible());
}

// ---- the administration lock ------------------------------------------------

TEST_F(MenuWindow, AdminLockHeldElsewhereNamesItsHolderAndOpensNothing)
{
    Make();
    Register(MenuScreens::Parameters);
    {
        ScopedAppContext pc2(std::make_shared<AppContext>(std::make_shared<FakeClock>(),
                                                          std::make_shared<FakeUserInteraction>(),
                                                          world.Folder(), QStringLiteral("PC2")));
        CDataBase other;
        Fixture::Connect(other, folder);
        CommsLock lock;
        lock.AquireAdminLock(QStringLiteral("other"), &other);
    }
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdMaint()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Admin functions are currently being used by other on PC2"});
    EXPECT_FALSE(lastScreen);
    EXPECT_EQ(AdminLockHolder(), "other");
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MenuWindow, AFreeAdminLockIsTakenForTheParametersScreen)
{
    Make();
    Register(MenuScreens::Parameters);
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdMaint()->click();
    ASSERT_TRUE(lastScreen);
    EXPECT_TRUE(lastScreen->isVisible());
    EXPECT_EQ(AdminLockHolder(), "admin1");
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

TEST_F(MenuWindow, TheAdminLockIsReleasedWhenTheScreenDoesNotOpen)
{
    Make();
    Register(MenuScreens::Parameters, true);
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdMaint()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Error opening TEST SCREEN (frmParameters)\rThe screen broke"});
    EXPECT_EQ(AdminLockHolder(), "") << "other administrators are not locked out";

    // Not built at all: the same.
    FormRegistry none;
    screens = none;
    auto bare = OpenMenu(Fixture::Admin);
    bare->cmdMaint()->click();
    EXPECT_EQ(world.ui().Texts().last(), "Admin Functions is not available in this version.");
    EXPECT_EQ(AdminLockHolder(), "");
}

// ---- help -----------------------------------------------------------------

TEST_F(MenuWindow, F1ShowsTheMenuTopicThoughTheHelpButtonIsHidden)
{
    Make();
    auto engine = std::make_shared<RecordingHelp>();
    auto menu = OpenMenu(Fixture::Clerk);
    GlobalHelp().SetHelpFile(QStringLiteral("guide.chm"));
    GlobalHelp().SetHelpEngine(engine);
    EXPECT_TRUE(menu->cmdHelp()->isHidden());
    QTest::keyClick(menu->cmdEnq(), Qt::Key_F1);
    EXPECT_EQ(engine->topics, QList<int32_t>{1000});
    EXPECT_EQ(engine->files, QStringList{"guide.chm"});

    GlobalHelp().SetHelpFile(QString());
    QTest::keyClick(menu.get(), Qt::Key_F1);
    EXPECT_EQ(engine->topics.size(), 1) << "no help file: nothing happens";
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

// ---- the ways out -----------------------------------------------------------

class ShutDown : public MenuWindow {
protected:
    // Answers the shut-down dialog with the option (-1: Cancel) and keeps
    // which options it offered.
    void Answer(int option)
    {
        WhenShown<frmShutDownMode>([this, option](frmShutDownMode& dialog) {
            offered.clear();
            for (int i = 0; i < 3; ++i)
                offered.append(dialog.optCloseDown(i)->isVisible());
            if (option < 0) {
                dialog.cmdCancel()->click();
                return;
            }
            dialog.optCloseDown(option)->click();
            dialog.cmdOk()->click();
        });
    }
    QList<bool> offered;
};

TEST_F(ShutDown, APendingDatabaseActionKeepsTheMenu)
{
    Make();
    auto menu = OpenMenu(Fixture::Admin);
    CDataBase holder;
    Fixture::Connect(holder, folder);
    holder.BeginTrans();
    holder.Execute(QStringLiteral("UPDATE USERS SET Description='held'"));
    db().SetBusyRetry(3, 1);
    int32_t result = -1;
    QTimer::singleShot(0, menu.get(), [&] { result = menu->QueryShutDown(); });
    EXPECT_THROW(db().Execute(QStringLiteral("UPDATE USERS SET Description='mine'")), NevixError);
    holder.Rollback();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(world.ui().Texts(), QStringList{"There is a database action pending.  Please click the Ok button\r"
                                              "and wait a minute or two before trying again."});
    EXPECT_TRUE(menu->IsLoaded());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(ends + logons, 0);
}

TEST_F(ShutDown, AfterAConnectionFailureEveryWindowIsUnloadedUnasked)
{
    Make();
    Register(MenuScreens::Enquiries);
    auto menu = OpenMenu(Fixture::Admin);
    menu->cmdEnq()->click();
    ASSERT_TRUE(lastScreen);
    CDataBase holder;
    Fixture::Connect(holder, folder);
    holder.BeginTrans();
    holder.Execute(QStringLiteral("UPDATE USERS SET Description='held'"));
    db().SetBusyRetry(1, 1);
    EXPECT_THROW(db().BeginTrans(), NevixError);
    holder.Rollback();
    ASSERT_EQ(db().ConnectionFailures(), 1);

    frmMenu* raw = menu.release();
    QPointer<frmMenu> watched(raw);
    EXPECT_EQ(raw->QueryShutDown(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(watched);
    EXPECT_FALSE(lastScreen);
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << "nobody is asked";
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

TEST_F(ShutDown, LogOffIsOfferedFromThreeStoredUsers)
{
    Make();
    auto menu = OpenMenu(Fixture::Admin);
    Answer(-1);
    EXPECT_EQ(menu->QueryShutDown(), 0);
    EXPECT_EQ(offered, (QList<bool>{true, true, false}));

    db().Execute(QStringLiteral("DELETE FROM USERS WHERE UserName NOT IN ('admin1', 'mgr1')"));
    Settings().SetCameFromAutoExecute(true);
    Answer(-1);
    EXPECT_EQ(menu->QueryShutDown(), 0);
    EXPECT_EQ(offered, (QList<bool>{true, false, true})) << "two users: no log off";
    EXPECT_TRUE(menu->IsLoaded());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(ShutDown, EachAnswerLeavesItsOwnWay)
{
    Make();
    const struct {
        int option;
        int32_t result;
        int logons, ends;
    } cases[] = {{0, 1, 0, 1}, {1, 2, 1, 0}};
    for (const auto& c : cases) {
        logons = ends = 0;
        auto menu = OpenMenu(Fixture::Admin);
        Answer(c.option);
        EXPECT_EQ(menu->QueryShutDown(), c.result);
        EXPECT_FALSE(menu->IsLoaded());
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(logons, c.logons);
        EXPECT_EQ(ends, c.ends);
    }

    Settings().SetCameFromAutoExecute(true);
    logons = 0;
    auto menu = OpenMenu(Fixture::Admin);
    Answer(2);
    EXPECT_EQ(menu->QueryShutDown(), 3);
    EXPECT_EQ(logons, 1);
    EXPECT_FALSE(Settings().CameFromAutoExecute());
    EXPECT_TRUE(Settings().IsInAutoExecuteMode());
    EXPECT_FALSE(menu->IsLoaded());
}

TEST_F(ShutDown, TheCloseBoxAnsweredCancelKeepsTheMenu)
{
    Make();
    auto menu = OpenMenu(Fixture::Clerk);
    Answer(-1);
    menu->close();
    EXPECT_FALSE(offered.isEmpty()) << "the close box asks";
    EXPECT_TRUE(menu->IsLoaded());
    EXPECT_TRUE(menu->isVisible());

    // The program's own close is not questioned.
    offered.clear();
    MarkUnloading(*menu);
    menu->close();
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_FALSE(menu->IsLoaded());
}

TEST_F(ShutDown, TheMenuReleasesTheHelpAndTheTransportWhenItUnloads)
{
    Make();
    auto menu = OpenMenu(Fixture::Clerk);
    GlobalHelp().SetHelpFile(QStringLiteral("guide.chm"));
    HTTPCommsForm();
    ASSERT_TRUE(IsHTTPCommsFormLoaded());
    Answer(0);
    menu->cmdExit()->click();
    EXPECT_FALSE(GlobalHelp().HasHelp()) << "a new help object";
    EXPECT_FALSE(IsHTTPCommsFormLoaded());
    EXPECT_EQ(ends, 1);
}

} // namespace
