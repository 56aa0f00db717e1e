#include "support/DatabaseTest.h"
#include "support/ScheduleSettings.h"

#include "scheduling/MiniScheduler.h"
#include "screens/transmission/frmSchedulerProps.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Refused = QStringLiteral("Cannot save the scheduler properties because:\r");

class SchedulerProps : public DatabaseTest {
protected:
    SchedulerProps()
    {
        row.SetDataSource(&db);
        row.SetScheduleID(QStringLiteral("HCOMMS"));
        row.Load();
        row.SetIsStopped(true); // as its owner loads it
    }
    // A row set to run weekdays hourly from 08:00 to 17:00, stored.
    void StoreWeekdayRow()
    {
        SetWeekdaysHourly(row);
        row.SetLastRunDateTime(QDateTime(QDate(2024, 3, 15), QTime(9, 0, 40)));
        row.SetNextRunDate();
        row.Apply();
    }
    void Open()
    {
        dialog.CConstructor(row);
        dialog.show();
    }
    QVariant Stamp() const { return Scalar("SELECT TmStamp FROM SCHEDULER WHERE ScheduleID='HCOMMS'"); }

    MiniScheduler row;
    frmSchedulerProps dialog;
};

TEST_F(SchedulerProps, ShowsTheRowWithItsCaptionsAndOkDisabled)
{
    StoreWeekdayRow();
    Open();
    EXPECT_EQ(dialog.windowTitle(), "SCHEDULER PROPERTIES");
    EXPECT_EQ(dialog.fraOptions()->title(), "Auto Execute Scheduler");
    EXPECT_EQ(dialog.cboSchRunAt()->currentText(), "On these days at these times");
    EXPECT_EQ(dialog.cboSchRunAt()->toolTip(), "When the connection should be run");
    QStringList days;
    for (int i = 0; i < 7; ++i)
        days << dialog.chkSchDays(i)->text() + (dialog.chkSchDays(i)->isChecked() ? "+" : "-");
    EXPECT_EQ(days.join(' '), "Monday+ Tuesday+ Wednesday+ Thursday+ Friday+ Saturday- Sunday-");
    EXPECT_EQ(dialog.txtInput(0)->text(), "08:00");
    EXPECT_EQ(dialog.txtInput(1)->text(), "17:00");
    EXPECT_EQ(dialog.txtInput(0)->maxLength(), 5);
    EXPECT_EQ(dialog.txtInput(1)->toolTip(), "The time of day (HH:MM) that the connection should be run");
    EXPECT_EQ(dialog.chkSchHours(2)->text(), "Every hour");
    EXPECT_TRUE(dialog.chkSchHours(2)->isChecked());
    EXPECT_EQ(dialog.lblInput(3)->text(), "between");
    EXPECT_EQ(dialog.lblInput(4)->text(), "and");
    EXPECT_EQ(dialog.txtInput(2)->text(), "15/03/2024 09:00");
    EXPECT_EQ(dialog.txtInput(3)->text(), "15/03/2024  11:00");
    EXPECT_TRUE(dialog.txtInput(3)->isVisible());
    EXPECT_EQ(dialog.cmdOk()->text(), "&Ok");
    EXPECT_EQ(dialog.cmdCancel()->text(), "&Cancel");
    EXPECT_FALSE(dialog.cmdOk()->isEnabled());
    EXPECT_TRUE(dialog.cmdOk()->isDefault());
}

TEST_F(SchedulerProps, ASwitchedOnRowIsOnlyShownAndCancelOrTheTitleBarRestoreIt)
{
    StoreWeekdayRow();
    row.SetIsStopped(false);
    for (const bool titleBar : {false, true}) {
        frmSchedulerProps shown;
        shown.CConstructor(row);
        shown.show();
        shown.chkSchDays(6)->click();
        shown.chkSchHours(0)->click();
        shown.txtInput(0)->setText("09:00");
        shown.cboSchRunAt()->setCurrentIndex(0);
        EXPECT_FALSE(shown.cmdOk()->isEnabled());
        row.SetEvery30Mins(true); // as if OK had stored it
        if (titleBar)
            shown.close();
        else
            shown.cmdCancel()->click();
        EXPECT_FALSE(shown.isVisible());
        EXPECT_FALSE(row.IsDirty());
        EXPECT_FALSE(row.Every30Mins());
    }
}

TEST_F(SchedulerProps, ChangesEmptyTheNextRunAndTheModeSwitchesTheSettings)
{
    StoreWeekdayRow();
    row.SetIsStopped(true);
    Open();
    dialog.cboSchRunAt()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.cmdOk()->isEnabled());
    EXPECT_FALSE(dialog.txtInput(3)->isVisible());
    EXPECT_FALSE(dialog.lblInput(2)->isVisible());
    EXPECT_FALSE(dialog.chkSchDays(0)->isEnabled() || dialog.txtInput(0)->isEnabled());
    EXPECT_FALSE(dialog.chkSchHours(2)->isChecked() || dialog.chkSchHours(2)->isEnabled());
    EXPECT_EQ(dialog.lblInput(3)->text(), "at");
    EXPECT_EQ(dialog.txtInput(3)->text(), "") << "unticking the interval";

    frmSchedulerProps other;
    other.CConstructor(row);
    other.show();
    other.cboSchRunAt()->setCurrentIndex(0);
    other.cboSchRunAt()->setCurrentIndex(1);
    EXPECT_TRUE(other.txtInput(3)->isVisible());
    other.chkSchHours(2)->click();
    other.txtInput(3)->setText("x");
    other.txtInput(0)->setText("08:3");
    EXPECT_EQ(other.txtInput(3)->text(), "") << "a time typed";
}

TEST_F(SchedulerProps, AModeChangedAndBackWithoutAnIntervalStoresNothing)
{
    row.SetRunAtID(2);
    row.SetDaysToRun(QStringLiteral("1000000"));
    row.SetNextRunDate();
    row.Apply();
    Open();
    dialog.cboSchRunAt()->setCurrentIndex(0);
    dialog.cboSchRunAt()->setCurrentIndex(1);
    dialog.cmdOk()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(row.IsDirty());
}

struct RefusalCase {
    const char* name;
    int mode; // list index
    const char* days;
    const char* first;
    const char* last;
    const char* hours; // ticked interval boxes
    const char* messages;
};

const RefusalCase Refusals[] = {
    {"Two_intervals", 1, "1111100", "08:00", "17:00", "02", "Select only one time period for the schedule"},
    {"Blank_first_time_and_no_end_time", 1, "1111100", "", "", "0",
     "The first run time should be in the format HH:MM and cannot be blank\r\n"
     "You must set an end time when you want to run ever 15, 30 or 60 minutes"},
    {"No_day", 1, "0000000", "08:00", "", "", "At least 1 day to run must be selected"},
    {"Short_first_time", 1, "1000000", "8:00", "", "", "The first run time should be in the format HH:MM"},
    {"Short_last_time", 1, "1000000", "08:00", "9:00", "", "The last run time should be in the format HH:MM"},
    {"Out_of_range_times", 1, "1000000", "24:00", "12:60", "", "The first run time should be in the format HH:MM\r\n"
                                                               "The last run time should be in the format HH:MM"},
    {"Everything_in_order", 1, "0000000", "", "9:00", "01",
     "Select only one time period for the schedule\r\n"
     "The first run time should be in the format HH:MM and cannot be blank\r\n"
     "The last run time should be in the format HH:MM\r\n"
     "At least 1 day to run must be selected"},
};

class SchedulerPropsRefusal : public SchedulerProps, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SchedulerPropsRefusal, ListsEveryFaultAndStoresNothing)
{
    const RefusalCase& c = GetParam();
    Open();
    dialog.cboSchRunAt()->setCurrentIndex(c.mode);
    for (int i = 0; i < 7; ++i)
        dialog.chkSchDays(i)->setChecked(c.days[i] == '1');
    dialog.txtInput(0)->setText(QLatin1String(c.first));
    dialog.txtInput(1)->setText(QLatin1String(c.last));
    for (const char* h = c.hours; *h; ++h)
        dialog.chkSchHours(*h - '0')->setChecked(true);
    const QVariant stamp = Stamp();
    dialog.cmdOk()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{Refused + QLatin1String(c.messages)});
    EXPECT_EQ(world.ui().boxes.value(0).style & MsgBox::IconMask, MsgBox::Exclamation);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.txtInput(0)->text(), QLatin1String(c.first));
    EXPECT_FALSE(row.IsDirty());
    EXPECT_EQ(row.FirstTime(), "00:00");
    EXPECT_EQ(Stamp(), stamp);

    // "Never" takes the same settings without a check.
    world.ui().boxes.clear();
    dialog.cboSchRunAt()->setCurrentIndex(0);
    dialog.cmdOk()->click();
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(row.RunAtID(), 1);
    EXPECT_FALSE(row.NextRunDateTime().has_value());
}

INSTANTIATE_TEST_SUITE_P(Settings, SchedulerPropsRefusal, ::testing::ValuesIn(Refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchedulerProps, FromNeverMondayAtNineIsStoredWithItsNextRunAndNothingWritten)
{
    // Friday 15 March 2024, 10:30.
    Open();
    EXPECT_FALSE(dialog.txtInput(3)->isVisible());
    EXPECT_FALSE(dialog.chkSchDays(0)->isEnabled());
    dialog.cboSchRunAt()->setCurrentIndex(1);
    dialog.chkSchDays(0)->click();
    dialog.txtInput(0)->setFocus();
    dialog.txtInput(0)->selectAll();
    QTest::keyClicks(dialog.txtInput(0), " 09x:0a01");
    EXPECT_EQ(dialog.txtInput(0)->text(), "09:00") << "letters and blanks swallowed, a sixth refused";
    const QVariant stamp = Stamp();
    dialog.cmdOk()->click();
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(row.RunAtID(), 2);
    EXPECT_EQ(row.DaysToRun(), "1000000");
    EXPECT_EQ(row.FirstTime(), "09:00");
    EXPECT_EQ(row.LastTime(), "");
    EXPECT_TRUE(row.IsDirty());
    EXPECT_EQ(dialog.txtInput(3)->text(), "18/03/2024  09:00");
    EXPECT_EQ(row.NextRunDateTime(), QDateTime(QDate(2024, 3, 18), QTime(9, 0)));
    EXPECT_EQ(Stamp(), stamp) << "the caller applies the row";
}

TEST_F(SchedulerProps, ATimeBoxSelectsItsTextOnFocus)
{
    StoreWeekdayRow();
    Open();
    QApplication::setActiveWindow(&dialog);
    dialog.txtInput(1)->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(dialog.txtInput(1)->hasFocus());
    EXPECT_EQ(dialog.txtInput(1)->selectedText(), "17:00");
}

} // namespace
