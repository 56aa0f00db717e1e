#include "MenuTest.h"
#include "WhenShown.h"

#include "screens/records/EnquirerChooser.h"
#include "screens/records/frmSelectEnquirer.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

class EnquirerChoice : public MenuTest {
protected:
    EnquirerChoice() { Make(); }

    static QStringList Lines(const frmSelectEnquirer& dialog)
    {
        QStringList lines;
        for (int i = 0; i < dialog.LstEnquirers()->count(); ++i)
            lines << dialog.LstEnquirers()->item(i)->text();
        return lines;
    }

    frmSelectEnquirer dialog;
};

TEST_F(EnquirerChoice, TheUsersEnquirersAreOfferedInTheirOrderWithTheFirstSelected)
{
    LogOn(Fixture::Manager);
    dialog.SetForImport();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("SELECT ENQUIRER"));
    EXPECT_EQ(dialog.LblCaption()->text(), QStringLiteral("Select the Enquirer you want to import data for"));
    EXPECT_EQ(Lines(dialog), QStringList({QStringLiteral("Stand-in Parking"), QStringLiteral("Stand-in Tolls")}));
    EXPECT_EQ(dialog.LstEnquirers()->currentRow(), 0);
    EXPECT_TRUE(dialog.CmdOk()->isEnabled());
    EXPECT_FALSE(dialog.LblImportNote(0)->isHidden());
    EXPECT_FALSE(dialog.LblImportNote(1)->isHidden());

    dialog.LstEnquirers()->setCurrentRow(1);
    dialog.CmdOk()->click();
    EXPECT_EQ(dialog.GetSelectEnquirerId(), Fixture::SecondEnquirer);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(EnquirerChoice, ForExportTheNotesGoAndCancelChoosesNothing)
{
    LogOn(Fixture::Manager);
    dialog.SetForExport();
    EXPECT_EQ(dialog.LblCaption()->text(), QStringLiteral("Select the Enquirer you want to export data for"));
    EXPECT_TRUE(dialog.LblImportNote(0)->isHidden());
    EXPECT_TRUE(dialog.LblImportNote(1)->isHidden());
    dialog.CmdCancel()->click();
    EXPECT_EQ(dialog.GetSelectEnquirerId(), QString());
}

TEST_F(EnquirerChoice, AUserWithoutEnquirersCanChooseNothingAnyWay)
{
    Fixture::AddUser(db(), QStringLiteral("loner1"), {QStringLiteral("Normal Users")}, {});
    LogOn(QStringLiteral("loner1"));
    for (const char* way : {"cancel", "close box", "double-click", "ok"}) {
        dialog.SetForImport();
        EXPECT_TRUE(Lines(dialog).isEmpty());
        EXPECT_FALSE(dialog.CmdOk()->isEnabled());
        dialog.show();
        const QString w = QLatin1String(way);
        if (w == "cancel")
            dialog.CmdCancel()->click();
        else if (w == "close box")
            dialog.close();
        else if (w == "double-click")
            dialog.lstEnquirers_DblClick();
        else
            dialog.cmdOk_Click();
        EXPECT_EQ(dialog.GetSelectEnquirerId(), QString()) << way;
        EXPECT_FALSE(dialog.isVisible()) << way;
    }
}

TEST_F(EnquirerChoice, AnEnquirerChosenIsNotOfferedAgainByTheSameDialog)
{
    LogOn(Fixture::Manager);
    dialog.SetForImport();
    dialog.lstEnquirers_DblClick();
    EXPECT_EQ(dialog.GetSelectEnquirerId(), Fixture::FirstEnquirer);
    dialog.SetForExport();
    EXPECT_EQ(dialog.GetSelectEnquirerId(), QString()) << "filling again forgets the last choice";
    EXPECT_EQ(Lines(dialog), QStringList{QStringLiteral("Stand-in Tolls")});
}

TEST_F(EnquirerChoice, TheChooserShowsANewDialogEachTime)
{
    LogOn(Fixture::Manager);
    DialogEnquirerChooser chooser;
    for (int round = 0; round < 2; ++round) {
        WhenShown<frmSelectEnquirer>([](frmSelectEnquirer& shown) {
            shown.LstEnquirers()->setCurrentRow(1);
            shown.CmdOk()->click();
        });
        EXPECT_EQ(chooser.ChooseEnquirer(EnquirerChooser::Purpose::Import, nullptr), Fixture::SecondEnquirer);
    }
    WhenShown<frmSelectEnquirer>([](frmSelectEnquirer& shown) { shown.close(); });
    EXPECT_EQ(chooser.ChooseEnquirer(EnquirerChooser::Purpose::Export, nullptr), QString());
}

} // namespace
