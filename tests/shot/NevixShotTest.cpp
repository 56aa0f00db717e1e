#include "FirstStart.h"
#include "ShotDrawing.h"
#include "StandardFixture.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2024, 3, 15), QTime(10, 30));

// More than one colour: a window that drew nothing but its background
// would be one plain rectangle.
bool HasContent(const QImage& image)
{
    if (image.isNull() || image.width() < 20 || image.height() < 20)
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

ShotRequest OnFixture(const QString& user = {})
{
    ShotRequest request;
    request.Now = Now;
    request.User = user;
    return request;
}

class NevixShotTest : public ::testing::TestWithParam<QString> { };

TEST_P(NevixShotTest, DrawsANonEmptyImageOffscreen)
{
    const ShotEntry* entry = FindShotEntry(GetParam());
    ASSERT_NE(entry, nullptr);
    ShotSession session(OnFixture());
    EXPECT_TRUE(HasContent(DrawShot(*entry, session.Context()))) << qPrintable(entry->Name);
}

std::vector<QString> EntryNames()
{
    std::vector<QString> names;
    for (const ShotEntry& entry : ShotEntries())
        names.push_back(entry.Name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, NevixShotTest, ::testing::ValuesIn(EntryNames()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return QString(info.param).remove(QLatin1Char('-')).toStdString();
                         });

// Whether the drawn Admin Functions picture is grey: every opaque pixel
// where the picture lies has equal red, green and blue.
bool AdminPictureIsGrey(const QString& user)
{
    ShotSession session(OnFixture(user));
    std::unique_ptr<QWidget> menu = FindShotEntry(QStringLiteral("menu"))->Build(session.Context());
    menu->show();
    QApplication::processEvents();
    const QImage image = menu->grab().toImage();
    const auto* picture = menu->findChild<QWidget*>(QStringLiteral("imgAdmin"));
    const QRect where(picture->mapTo(menu.get(), QPoint(0, 0)), picture->size());
    int coloured = 0;
    for (int y = where.top(); y <= where.bottom(); ++y) {
        for (int x = where.left(); x <= where.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            coloured += c.red() != c.green() || c.green() != c.blue();
        }
    }
    return coloured == 0;
}

TEST(ShotEntries, TheClerksMenuShowsAdminFunctionsGrey)
{
    TestWorld world;
    EXPECT_TRUE(AdminPictureIsGrey(Fixture::Clerk));
    EXPECT_FALSE(AdminPictureIsGrey(Fixture::Admin));
}

TEST(ShotEntries, NamesAndPictureFilesAreUnique)
{
    QSet<QString> names;
    QSet<QString> files{QStringLiteral("splash"), QStringLiteral("first-installation"),
                        QStringLiteral("install-mode"), QStringLiteral("set-up-wizard")};
    for (const ShotEntry& entry : ShotEntries()) {
        EXPECT_FALSE(names.contains(entry.Name.toLower())) << qPrintable(entry.Name);
        names.insert(entry.Name.toLower());
        EXPECT_EQ(FindShotEntry(entry.Name.toUpper()), &entry);
        for (const ShotPicture& picture : entry.Pictures) {
            EXPECT_FALSE(files.contains(picture.File)) << qPrintable(picture.File);
            files.insert(picture.File);
        }
    }
    EXPECT_EQ(FindShotEntry(QStringLiteral("no-such-window")), nullptr);
}

TEST(ShotSession, IsLoggedOnAsAdmin1OnTheFixtureAndPutsEverythingBack)
{
    TestWorld world;
    {
        ShotRequest request = OnFixture();
        request.Values.insert(QStringLiteral("NevixClient/ProgramInstallMode"), QStringLiteral("3"));
        request.Values.insert(QStringLiteral("message"), QStringLiteral("Busy"));
        ShotSession session(request);
        ASSERT_TRUE(GetCurrentUser());
        EXPECT_EQ(GetCurrentUser()->UserName(), Fixture::Admin);
        EXPECT_EQ(&session.Context().CurrentUser(), GetCurrentUser().get());
        EXPECT_EQ(Settings().ProgramInstallMode(), InstallMode::Client);
        EXPECT_EQ(Settings().ProgramRunningMode(), RunningMode::Interactive);
        EXPECT_EQ(AppContext::Current().clock().Now(), Now);
        EXPECT_EQ(session.Context().Value(QStringLiteral("message")), QStringLiteral("Busy"));
        EXPECT_EQ(session.Context().Value(QStringLiteral("NevixClient/ProgramInstallMode")), QString());
        EXPECT_TRUE(QFileInfo(GlobalDatabase().Source()).isFile());
    }
    EXPECT_EQ(GetCurrentUser(), nullptr);
    EXPECT_EQ(AppContext::Current().programFolder(), QDir(world.Folder()).absolutePath());
}

TEST(ShotSession, DrawsOnACopyOfADatabaseFileLeavingTheFileAsItWas)
{
    TestWorld world;
    const auto fixture = Fixture::Standard(world.Folder(), Now);
    const QByteArray before = ReadBytes(fixture.Database);
    ShotRequest request = OnFixture(Fixture::Clerk);
    request.Database = fixture.Database;
    {
        ShotSession session(request);
        EXPECT_EQ(session.Context().CurrentUser().UserName(), Fixture::Clerk);
        EXPECT_TRUE(
            HasContent(DrawShot(*FindShotEntry(QStringLiteral("change-password")), session.Context())));
        GlobalDatabase().Execute(QStringLiteral("DELETE FROM VQ3_Enquiries"));
    }
    EXPECT_EQ(ReadBytes(fixture.Database), before);

    request.User.clear();
    ShotSession nobody(request);
    EXPECT_EQ(GetCurrentUser(), nullptr);
    EXPECT_THROW(DrawShot(*FindShotEntry(QStringLiteral("change-password")), nobody.Context()), NevixError);
}

TEST(ShotSession, RefusesWhatItCannotDrawOn)
{
    TestWorld world;
    ShotRequest missingFile = OnFixture();
    missingFile.Database = world.PathOf(QStringLiteral("none.MDB"));
    EXPECT_THROW(ShotSession{missingFile}, NevixError);
    EXPECT_THROW(ShotSession{OnFixture(QStringLiteral("nobody"))}, NevixError);
    EXPECT_EQ(AppContext::Current().programFolder(), QDir(world.Folder()).absolutePath());
}

TEST(DrawAllShots, WritesEveryPictureOfEveryEntry)
{
    TestWorld world;
    const QString folder = world.PathOf(QStringLiteral("screens"));
    const QStringList written = DrawAllShots(folder, OnFixture());
    QStringList expected;
    for (const ShotEntry& entry : ShotEntries()) {
        for (const ShotPicture& picture : entry.Pictures)
            expected << QDir(folder).filePath(picture.File + QStringLiteral(".png"));
    }
    EXPECT_EQ(written, expected);
    for (const QString& file : written)
        EXPECT_TRUE(HasContent(QImage(file))) << qPrintable(file);
}

// The documentation's first-start pictures come from a real start.
TEST(DrawFirstStart, DrawsTheWindowsOfBothAnswers)
{
    TestWorld world;
    const QString folder = world.PathOf(QStringLiteral("screens"));
    ASSERT_TRUE(DrawFirstStart(folder));
    for (const char* name : {"splash", "first-installation", "install-mode", "set-up-wizard"})
        EXPECT_TRUE(HasContent(QImage(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")))))
            << name;
}

} // namespace

namespace {

TEST(ShotEntries, TheScheduleEditorShowsTheRowNamed)
{
    TestWorld world;
    ShotRequest request = OnFixture();
    request.Values.insert(QStringLiteral("row"), QStringLiteral("hcomms"));
    ShotSession session(request);
    std::unique_ptr<QWidget> editor = FindShotEntry(QStringLiteral("scheduler-props"))->Build(session.Context());
    const auto* next = editor->findChild<QLineEdit*>(QStringLiteral("txtInput_3"));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->text(), "15/03/2024  11:00");
    auto* editable = editor->findChild<QLineEdit*>(QStringLiteral("txtInput_0"));
    editable->setText(QStringLiteral("09:00"));
    EXPECT_TRUE(editor->findChild<QPushButton*>(QStringLiteral("cmdOk"))->isEnabled()) << "a stopped row";

    request.Values.insert(QStringLiteral("switched-on"), QStringLiteral("1"));
    ShotSession on(request);
    editor = FindShotEntry(QStringLiteral("scheduler-props"))->Build(on.Context());
    editor->findChild<QLineEdit*>(QStringLiteral("txtInput_0"))->setText(QStringLiteral("09:00"));
    EXPECT_FALSE(editor->findChild<QPushButton*>(QStringLiteral("cmdOk"))->isEnabled());

    request.Values.insert(QStringLiteral("row"), QStringLiteral("HNOTHERE"));
    ShotSession missing(request);
    EXPECT_THROW(FindShotEntry(QStringLiteral("scheduler-props"))->Build(missing.Context()), NevixError);
}

} // namespace

namespace {
TEST(ShotEntries, TheParametersScreenOpensOnTheTabAsked)
{
    TestWorld world;
    ShotRequest request = OnFixture();
    request.Values.insert(QStringLiteral("tab"), QStringLiteral("3"));
    ShotSession session(request);
    const auto window = FindShotEntry(QStringLiteral("parameters"))->Build(session.Context());
    const auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("sstParameters"));
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->currentIndex(), 3);
}

TEST(ShotEntries, TheSetUpWizardShowsTheStepAskedFor)
{
    TestWorld world;
    for (int step = 0; step <= 4; ++step) {
        ShotRequest request = OnFixture();
        request.Values.insert(QStringLiteral("step"), QString::number(step));
        ShotSession session(request);
        std::unique_ptr<QWidget> wizard = FindShotEntry(QStringLiteral("setup"))->Build(session.Context());
        const auto* frame = wizard->findChild<QWidget*>(QStringLiteral("fraStepFrame%1").arg(step));
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisibleTo(wizard.get())) << step;
        // Step 1 after a test that found no service: its lines and the log.
        const auto* showLog = wizard->findChild<QWidget*>(QStringLiteral("cmdShowLog"));
        EXPECT_EQ(showLog->isVisibleTo(wizard.get()), step == 1) << step;
    }
    ShotRequest beyond = OnFixture();
    beyond.Values.insert(QStringLiteral("step"), QStringLiteral("5"));
    ShotSession session(beyond);
    EXPECT_THROW(FindShotEntry(QStringLiteral("setup"))->Build(session.Context()), NevixError);
}

} // namespace
