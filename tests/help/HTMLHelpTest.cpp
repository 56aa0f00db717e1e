#include "HelpFixture.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/ProfileFile.h"
#include "help/HTMLHelp.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString NotFoundTail = QStringLiteral(" does not exist.\nPlease make sure the correct path and file name have been specified.");

class HTMLHelpTest : public ::testing::Test {
protected:
    void Register(const QString& name, const QString& folder)
    {
        ASSERT_TRUE(ProfileFile(world.PathOf(QStringLiteral("Nevix.INI"))).Write(QStringLiteral("HTML Help"), name, folder));
    }
    void CopyFixture(const QString& path) { ASSERT_TRUE(QFile::copy(FixtureHelpFile(), path)); }
    void ShowTopic(const QString& file)
    {
        help.SetCHMFile(file);
        help.SetHHWindow(QStringLiteral("Main"));
        help.SetHHTopicID(1000);
        help.HHDisplayTopicID();
    }
    QStringList BoxTexts()
    {
        QStringList texts;
        for (const auto& box : world.ui().boxes) {
            EXPECT_EQ(box.title, "HTML Help Class");
            EXPECT_EQ(box.style, MsgBox::Exclamation);
            texts.append(box.text);
        }
        return texts;
    }

    TestWorld world;
    ScopedRecordingHost recording;
    HTMLHelp help;
};

TEST_F(HTMLHelpTest, ANameNotEndingInChmIsRefused)
{
    ShowTopic(QStringLiteral("guide.chi"));
    EXPECT_EQ(BoxTexts(), QStringList{"guide.chi is not a valid HTML Help file."});
    EXPECT_TRUE(recording.host->shown.isEmpty());
    EXPECT_TRUE(HTMLHelp::IsChmFile(QStringLiteral("/docs/GUIDE.CHM")));
}

TEST_F(HTMLHelpTest, AMissingFullPathIsNotFound)
{
    const QString missing = world.PathOf(QStringLiteral("docs/guide.chm"));
    ShowTopic(missing);
    EXPECT_EQ(BoxTexts(), QStringList{"The file " + missing + NotFoundTail});
    EXPECT_TRUE(recording.host->shown.isEmpty());
}

TEST_F(HTMLHelpTest, AFullPathNeverReadsTheRegistrations)
{
    QDir(world.Folder()).mkdir(QStringLiteral("docs"));
    const QString full = world.PathOf(QStringLiteral("docs/guide.chm"));
    CopyFixture(full);
    Register(QStringLiteral("guide.chm"), world.PathOf(QStringLiteral("elsewhere")));
    ShowTopic(full);
    EXPECT_TRUE(BoxTexts().isEmpty());
    EXPECT_EQ(help.CHMFile(), full);
    EXPECT_EQ(recording.host->shown, QStringList{"guide.chm /menu.htm Main"});
    EXPECT_EQ(help.HHRegFileName(), "");
}

TEST_F(HTMLHelpTest, ABareRegisteredNameResolvesToItsFolderIgnoringCase)
{
    const QString docs = world.PathOf(QStringLiteral("docs"));
    QDir(world.Folder()).mkdir(QStringLiteral("docs"));
    CopyFixture(docs + QStringLiteral("/Help.CHM"));
    Register(QStringLiteral("Help.CHM"), docs);
    ShowTopic(QStringLiteral("help.chm"));
    EXPECT_TRUE(BoxTexts().isEmpty());
    EXPECT_EQ(help.CHMFile(), docs + QStringLiteral("/Help.CHM")) << "the registered spelling";
    EXPECT_TRUE(help.HHRegFileExists());
    EXPECT_EQ(recording.host->shown.size(), 1);
}

TEST_F(HTMLHelpTest, AnUnregisteredBareNameResolvesToTheProgramFolder)
{
    CopyFixture(world.PathOf(QStringLiteral("Help.CHM")));
    ShowTopic(QStringLiteral("Help.CHM"));
    EXPECT_TRUE(BoxTexts().isEmpty());
    EXPECT_EQ(help.CHMFile(), world.PathOf(QStringLiteral("Help.CHM")));
    EXPECT_EQ(recording.host->shown, QStringList{"Help.CHM /menu.htm Main"});
}

TEST_F(HTMLHelpTest, ARegistrationForAFolderWithoutTheFileWarnsTwiceAndShowsNothing)
{
    const QString empty = world.PathOf(QStringLiteral("empty"));
    QDir(world.Folder()).mkdir(QStringLiteral("empty"));
    CopyFixture(world.PathOf(QStringLiteral("Help.CHM")));
    Register(QStringLiteral("Help.CHM"), empty);
    ShowTopic(QStringLiteral("Help.CHM"));
    const QString text = "The file " + empty + "/Help.CHM" + NotFoundTail;
    EXPECT_EQ(BoxTexts(), (QStringList{text, text}));
    EXPECT_FALSE(help.HHRegFileExists());
    EXPECT_TRUE(recording.host->shown.isEmpty());
}

TEST_F(HTMLHelpTest, RegisterAndUnregisterKeepTheSectionAndRefuseWhatTheyCannotDo)
{
    const QString full = world.PathOf(QStringLiteral("docs/Help.chm"));
    EXPECT_TRUE(help.HHRegister(full));
    EXPECT_EQ(ProfileFile(world.PathOf(QStringLiteral("Nevix.INI"))).Value(QStringLiteral("HTML Help"), QStringLiteral("Help.chm")),
              world.PathOf(QStringLiteral("docs")));
    EXPECT_FALSE(help.HHRegister(full)) << "already registered";
    EXPECT_FALSE(help.HHRegister(QStringLiteral("Help.chm"))) << "no path";
    EXPECT_TRUE(help.HHUnRegister(QStringLiteral("HELP.CHM")));
    EXPECT_FALSE(help.HHUnRegister(QStringLiteral("Help.chm"))) << "not registered";
    EXPECT_EQ(world.ui().boxes.size(), 3);
    EXPECT_FALSE(help.HHCheckRegistry(QString()).has_value());
}

TEST_F(HTMLHelpTest, ContentsShowTheDefaultTopicAndCloseReachesTheWindow)
{
    help.SetCHMFile(FixtureHelpFile());
    help.HHDisplayContents();
    help.SetHHTopicURL(QStringLiteral("enquiries.htm"));
    help.HHDisplayTopicURL();
    EXPECT_EQ(recording.host->shown, (QStringList{"guide.chm /welcome.htm ", "guide.chm /enquiries.htm "}));
    EXPECT_EQ(help.HHWndHandle(), 42);
    help.HHClose();
    EXPECT_EQ(recording.host->closes, 1);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST_F(HTMLHelpTest, UnattendedItsMessagesAreLoggedNotShown)
{
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    QStringList logged;
    SetUnattendedMessageSink([&](const QString& text, uint32_t) { logged.append(text); });
    ShowTopic(QStringLiteral("guide.chi"));
    SetUnattendedMessageSink({});
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(logged, QStringList{"guide.chi is not a valid HTML Help file."});
}

TEST_F(HTMLHelpTest, NoWindowHandleIsAWarning)
{
    EXPECT_EQ(help.HHWndHandle(), 0);
    EXPECT_EQ(BoxTexts(), QStringList{"No HTML Help window handle to retrieve."});
}

} // namespace
