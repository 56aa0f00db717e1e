#include "HelpFixture.h"

#include "help/HTMLHelp.h"
#include "help/qt/ChmBrowser.h"
#include "help/qt/HelpWindow.h"
#include "help/qt/QtHelpWindowHost.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    HelpWindowTest() : host(std::make_shared<QtHelpWindowHost>()) { SetHelpWindowHost(host); }
    ~HelpWindowTest() override { SetHelpWindowHost(nullptr); }

    void ShowTopic(int32_t topic)
    {
        help.SetCHMFile(FixtureHelpFile());
        help.SetHHWindow(QStringLiteral("Main"));
        help.SetHHTopicID(topic);
        help.HHDisplayTopicID();
    }
    QString Text() const { return host->Window()->Browser()->toPlainText(); }
    // The names of the pictures on the page that loaded.
    QStringList LoadedImages() const
    {
        QStringList names;
        QTextDocument* document = host->Window()->Browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (!format.isImageFormat())
                    continue;
                const QString name = format.toImageFormat().name();
                const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(name));
                if (image.canConvert<QImage>() && !image.value<QImage>().isNull())
                    names.append(name);
            }
        return names;
    }

    TestWorld world;
    std::shared_ptr<QtHelpWindowHost> host;
    HTMLHelp help;
};

TEST_F(HelpWindowTest, ATopicShowsItsPageWithItsPictureInTheFilesTitledWindow)
{
    ShowTopic(1000);
    ASSERT_TRUE(host->Window());
    EXPECT_TRUE(host->Window()->isVisible());
    EXPECT_TRUE(Text().contains("Main menu help"));
    EXPECT_EQ(LoadedImages(), QStringList{"images/menu.png"});
    EXPECT_EQ(host->Window()->windowTitle(), "Nevix Help Fixture");
    EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<intptr_t>(host->Window()));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST_F(HelpWindowTest, ALinkLeadsToTheLinkedPageAndOneWindowServesEveryTopic)
{
    ShowTopic(2000);
    HelpWindow* window = host->Window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(Text().contains("Enquiries help"));
    ChmBrowser* browser = window->Browser();
    QString link;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                link = it.fragment().charFormat().anchorHref();
    ASSERT_EQ(link, "menu.htm");
    // What a click on the link does.
    browser->setSource(browser->source().resolved(QUrl(link)));
    EXPECT_TRUE(Text().contains("Main menu help"));
    ShowTopic(4242);
    EXPECT_EQ(host->Window(), window);
    EXPECT_TRUE(Text().contains("Welcome to the help"));
}

TEST_F(HelpWindowTest, CloseClosesTheWindowAndWithNoneOpenDoesNothing)
{
    help.HHClose();
    ShowTopic(1000);
    ASSERT_TRUE(host->Window());
    help.HHClose();
    EXPECT_EQ(host->Window(), nullptr);
    help.HHClose();
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

// Help appears where the user is: over the window whose help it shows.
TEST_F(HelpWindowTest, TheWindowOpensOverItsOpenerAndThenStaysWhereItIsPut)
{
    QWidget opener;
    opener.resize(300, 200);
    const QRect screen = opener.screen()->geometry();
    opener.move(screen.center() - QPoint(150, 100) + QPoint(40, 30));
    opener.show();
    QApplication::setActiveWindow(&opener);
    ShowTopic(1000);
    ASSERT_TRUE(host->Window());
    EXPECT_LE((host->Window()->frameGeometry().center() - opener.frameGeometry().center()).manhattanLength(), 2);
    host->Window()->move(10, 20);
    ShowTopic(2000);
    EXPECT_EQ(host->Window()->pos(), QPoint(10, 20));
}

} // namespace
