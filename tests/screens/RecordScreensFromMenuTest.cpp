#include "MenuTest.h"

#include "screens/admin/frmMenu.h"
#include "screens/records/frmDEB.h"
#include "screens/records/frmVQ7.h"
#include "startup/ProgramScreens.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

namespace {

TEST_F(MenuTest, TheResponseAndStatementButtonsOpenTheirScreensInPlaceOfTheMenu)
{
    Make();
    LogOn(Fixture::Manager);
    frmMenu menu(db(), ProgramScreens(), MenuRoads());
    menu.InitialiseForm();
    menu.show();
    const auto opens = [&](QPushButton* button, auto* type) {
        using Screen = std::remove_pointer_t<decltype(type)>;
        button->click();
        auto* screen = menu.findChild<Screen*>();
        ASSERT_TRUE(screen);
        EXPECT_TRUE(screen->isVisible());
        EXPECT_FALSE(menu.isVisible());
        EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
        screen->template findChild<QPushButton*>("cmdReturn")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(menu.findChild<Screen*>());
        EXPECT_TRUE(menu.isVisible());
    };
    opens(menu.cmdResp(), static_cast<frmVQ7*>(nullptr));
    opens(menu.cmdDebit(), static_cast<frmDEB*>(nullptr));
}

} // namespace
