#include "database/LogLines.h"
#include "screens/common/LogListBox.h"
#include "screens/common/HelpButton.h"
#include "screens/common/ScreenHelpers.h"
#include "support/TestWorld.h"

#include <QCoreApplication>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(ScreenHelpers, UnloadsTheMainMenuOnly)
{
    QPointer<QWidget> menu = new QWidget;
    menu->setObjectName(QStringLiteral("frmMenu"));
    QWidget other;
    other.setObjectName(QStringLiteral("frmMenuX"));
    other.show();
    UnloadMenuIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu.isNull());
    EXPECT_TRUE(other.isVisible());
}

TEST(ScreenHelpers, CapsLockIsWhatTheContextsKeyboardSays)
{
    TestWorld world;
    EXPECT_FALSE(IsCapsLockOn());
    world.SetCapsLock(true);
    EXPECT_TRUE(IsCapsLockOn());
}

TEST(HideHelpButton, HidesOnlyTheChildNamedcmdHelpAndNeverSpeaks)
{
    TestWorld world;
    QWidget window;
    auto* help = new QPushButton(QStringLiteral("&Help"), &window);
    help->setObjectName(QStringLiteral("cmdHelp"));
    auto* other = new QPushButton(QStringLiteral("Help me"), &window);
    other->setObjectName(QStringLiteral("cmdHelpMe"));
    window.show();
    HideHelpButton(window, 1000);
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(other->isVisible());

    QWidget without;
    auto* button = new QPushButton(QStringLiteral("OK"), &without);
    without.show();
    HideHelpButton(without, 1000);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST(LogListBox, WrappingOnAOnePixelListEndsAndLosesNoCharacter)
{
    QListWidget list;
    list.resize(1, 200);
    AddWrappedListItem(list, QStringLiteral("Wide words, wrapped"));
    QString joined;
    for (int i = 0; i < list.count(); ++i)
        joined += list.item(i)->text();
    EXPECT_EQ(list.count(), joined.size());
    EXPECT_EQ(joined, QStringLiteral("Widewords,wrapped"));
}

} // namespace
