#include "ScheduleOwnerTest.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "scheduling/TransmissionControl.h"

namespace {

const QString Import = QStringLiteral("DoImportTransmissionAndExport");

class SendReceive : public ScheduleOwnerTest {
protected:
    ~SendReceive() override
    {
        Settings().SetDebugMode(QStringLiteral("NNNNNNNNN"));
        SetCurrentUser(nullptr);
    }

    TransmissionControl& Open()
    {
        control = std::make_unique<TransmissionControl>(db, exchanges);
        control->SetWaiter([this](int ms) { waits << ms; });
        control->SetLogShower([this](std::shared_ptr<LogLines> log) { shown = std::move(log); });
        control->InitialiseForm();
        return *control;
    }

    std::unique_ptr<TransmissionControl> control;
    QList<int> waits;
    std::shared_ptr<LogLines> shown;
};

TEST_F(SendReceive, AManualRunSaysHowItWent)
{
    const struct {
        const char* name;
        QString fatalText;
        int32_t warnings;
        QString box;
    } cases[] = {
        {"clean", {}, 0, "Send and receive ran successfully"},
        {"warnings", {}, 2,
         "Errors and warnings were reported while sending and receiving.\rYou should view the log from the Main Menu."},
        {"fatal", "Communications timed out", 0,
         "Errors and warnings were reported while sending and receiving.\rYou should view the log from the Main Menu."},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.ui().boxes.clear();
        ScriptedExchanges::Step step;
        step.fatalText = c.fatalText;
        step.warnings = c.warnings;
        exchanges->Script(Import, step);
        control->SendReceiveNow();
        EXPECT_EQ(world.ui().Texts(), QStringList{c.box});
        EXPECT_TRUE(control->ImmediateControlsEnabled());
    }
    EXPECT_EQ(Lines(EventCodes::Start, "COMRUN").value(0), "Immediate mode comms (Manual)");
}

TEST_F(SendReceive, SendReceiveNowInSchedulerTestModeLogsItsLineWaitsFiveSecondsAndSaysNothing)
{
    Settings().SetDebugMode(QStringLiteral("NNNNNN-NNY"));
    Open();
    control->SendReceiveNow();
    EXPECT_TRUE(exchanges->calls.isEmpty());
    EXPECT_EQ(waits, QList<int>{5000});
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(Lines(EventCodes::Information, "COMRUN"),
              QStringList{"SCHEDULER TEST MODE - DoImportTransmissionAndExport - send and receive button"});
}

TEST_F(SendReceive, AFailedCommunicationTestOffersItsLog)
{
    Open();
    ScriptedExchanges::Step refused;
    refused.answer = false;
    exchanges->Script(QStringLiteral("RunNevixCommsTest"), refused);
    exchanges->Script(QStringLiteral("RunNevixCommsTest"), refused);
    control->RunCommsTest();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Communication test failed.\rWould you like to view the log?"});
    EXPECT_FALSE(shown) << "No is the default";

    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    control->RunCommsTest();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->GetLogHeader()->ProcessCode(), "NCOMST") << "the test's own run";

    world.ui().boxes.clear();
    control->RunCommsTest();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Communication test ran successfully"});
}

TEST_F(SendReceive, AnErrorInABeatLeavesTheTimerOffUntilABoxIsClicked)
{
    StoreRow("HCOMIM", 2, At(10, 0));
    Open();
    control->SwitchRow(0, true);
    SetCurrentUser(std::make_shared<User>()); // a user that cannot be read again
    EXPECT_FALSE(Beat(*control));
    EXPECT_EQ(world.ui().Texts().value(0).section(u'\r', 0, 0), "Could not run immediate scheduler.");
    EXPECT_TRUE(exchanges->calls.isEmpty());
    control->SwitchRow(0, true);
    EXPECT_TRUE(control->Timer().isActive());
}

} // namespace
