#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "help/HtmlHelpApi.h"
#include "help/qt/ChmBrowser.h"
#include "help/qt/HelpWindow.h"
#include "help/qt/QtHelpWindowHost.h"
#include "screens/common/HelpButton.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

// A screen as every screen with help is built: a Help button hidden at the
// end of its initialisation, F1 running its click.
class HelpScreen : public QWidget {
public:
    explicit HelpScreen(int32_t topic) : m_topic(topic)
    {
        auto* help = new QPushButton(QStringLiteral("&Help"), this);
        help->setObjectName(QStringLiteral("cmdHelp"));
        connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(m_topic); });
        HideHelpButton(*this, m_topic);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F1)
            findChild<QPushButton*>(QStringLiteral("cmdHelp"))->click();
    }

private:
    int32_t m_topic;
};

class HelpTopicTest : public ::testing::Test {
protected:
    HelpTopicTest() : host(std::make_shared<QtHelpWindowHost>()) { SetHelpWindowHost(host); }
    ~HelpTopicTest() override
    {
        ReleaseHelp();
        SetProgramHelpFile(QString());
        SetHelpWindowHost(nullptr);
    }

    TestWorld world;
    std::shared_ptr<QtHelpWindowHost> host;
};

TEST_F(HelpTopicTest, F1OnAScreenWithAHiddenHelpButtonOpensItsTopic)
{
    SetProgramHelpFile(QStringLiteral(NEVIX_TEST_DATA "/help/guide.chm"));
    HelpScreen screen(HelpTopics::Enquiries);
    screen.show();
    EXPECT_FALSE(screen.findChild<QPushButton*>(QStringLiteral("cmdHelp"))->isVisible());
    QTest::keyClick(&screen, Qt::Key_F1);
    ASSERT_TRUE(host->Window());
    EXPECT_TRUE(host->Window()->isVisible());
    EXPECT_TRUE(host->Window()->Browser()->toPlainText().contains("Enquiries help"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    ReleaseHelp();
    EXPECT_FALSE(host->Window()) << "releasing the help closes its window";
}

TEST_F(HelpTopicTest, WithoutAHelpFileF1OpensNothingAndSaysNothing)
{
    SetProgramHelpFile(QString());
    HelpScreen screen(HelpTopics::Enquiries);
    screen.show();
    QTest::keyClick(&screen, Qt::Key_F1);
    EXPECT_FALSE(host->Window());
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST(HelpTopics, TheParametersTabsAskForTheirOwnTopics)
{
    EXPECT_EQ(HelpTopics::ParametersTab(0), 7010);
    EXPECT_EQ(HelpTopics::ParametersTab(2), 7030);
    EXPECT_EQ(HelpTopics::ParametersTab(5), 7060);
}

} // namespace
