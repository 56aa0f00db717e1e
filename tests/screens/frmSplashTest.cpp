#include "screens/admin/frmSplash.h"
#include "support/Printers.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(frmSplash, PollsUntilStartUpIsDoneThenHandsOverOnce)
{
    int handOvers = 0;
    QPointer<frmSplash> splash = new frmSplash([&] { ++handOvers; });
    splash->show();
    EXPECT_EQ(splash->lblVersion()->text(), QStringLiteral("Version 3.01 22nd January 2026"));
    EXPECT_EQ(splash->tmrintro()->interval(), 2000);
    EXPECT_FALSE(splash->cmdClose()->isVisible());

    splash->tmrintro_Timer();
    EXPECT_EQ(splash->tmrintro()->interval(), 500);
    EXPECT_EQ(handOvers, 0);

    splash->close(); // the user cannot close the splash
    EXPECT_TRUE(splash->isVisible());

    splash->SetGoAway(true);
    splash->tmrintro_Timer();
    EXPECT_EQ(handOvers, 1);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->tmrintro()->isActive());
    delete splash.data();
}

TEST(frmSplash, StartUpFailureOpensNoLogon)
{
    int handOvers = 0;
    frmSplash* splash = new frmSplash([&] { ++handOvers; });
    splash->SetHasError(true);
    splash->SetGoAway(true);
    splash->tmrintro_Timer();
    EXPECT_EQ(handOvers, 0);
    delete splash;
}

TEST(frmSplash, AboutBoxShowsCloseAndNeverHandsOver)
{
    int handOvers = 0;
    frmSplash about([&] { ++handOvers; });
    about.SetIsAboutBox(true);
    about.show();
    EXPECT_TRUE(about.cmdClose()->isVisible());
    EXPECT_FALSE(about.tmrintro()->isActive());
    about.cmdClose()->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(handOvers, 0);
}

} // namespace
