#include "scheduling/NevixExchanges.h"

#include "support/DatabaseTest.h"
#include "support/ScriptedExchanges.h"

#include "database/GlobalDatabase.h"

namespace {

QStringList Texts(const LogLines& log, int32_t code)
{
    QStringList texts;
    for (const auto& line : log)
        if (line->EventCode() == code)
            texts << line->EventText();
    return texts;
}

class Exchanging : public DatabaseTest {
protected:
    Exchanging() { ConnectTo(NewGlobalDatabase(), path); }
    ~Exchanging() override { ReleaseGlobalDatabase(); }
};

TEST_F(Exchanging, RealMaintenanceWritesIntoTheCallersRunOnTheProgramsDatabase)
{
    auto logger = std::make_shared<LogLines>();
    logger->SetDataSource(&GlobalDatabase());
    logger->BeginLogging(QStringLiteral("AUTOEXEC"), QStringLiteral("AutoExecute"), QStringLiteral("AUTOEXECUTE"));
    const auto callers = logger;
    NevixExchanges real;
    Exchanges& exchanges = real;
    exchanges.TableMaintenance(logger, true, QStringLiteral("AUTOEXECUTE"));
    EXPECT_EQ(logger, callers) << "no run of its own";
    const QStringList detail = Texts(*logger, EventCodes::Communication);
    EXPECT_TRUE(detail.join(u'|').contains(QStringLiteral("Maintenance running in "))) << detail.join(u'|').toStdString();
    EXPECT_FALSE(detail.join(u'|').contains(QStringLiteral("Compacting the database"))) << "compaction skipped";
}

TEST_F(Exchanging, TheScriptedStandInAddsLinesSetsResultsAndRaisesInTurn)
{
    ScriptedExchanges scripted;
    ScriptedExchanges::Step fatal;
    fatal.lines = {{EventCodes::Fatal, QStringLiteral("No connection")}};
    fatal.fatalText = QStringLiteral("Error running Transmission and Export:");
    scripted.Script(QStringLiteral("DoTransmissionAndExport"), fatal);
    ScriptedExchanges::Step raising;
    raising.raise = NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("Database unreachable"));
    scripted.Script(QStringLiteral("DoTransmissionAndExport"), raising);
    ScriptedExchanges::Step refused;
    refused.answer = false;
    scripted.Script(QStringLiteral("RunNevixCommsTest"), refused);
    Exchanges& exchanges = scripted;

    LogLines log;
    log.SetDataSource(&GlobalDatabase());
    log.BeginLogging(QStringLiteral("COMRUN"), QStringLiteral("Send and receive"), QStringLiteral("ADMIN"));
    TransmissionResults first;
    exchanges.DoTransmissionAndExport(log, first);
    EXPECT_TRUE(first.HaveFatalErrors());
    EXPECT_EQ(Texts(log, EventCodes::Fatal), QStringList{QStringLiteral("No connection")});
    TransmissionResults second;
    EXPECT_THROW(exchanges.DoTransmissionAndExport(log, second), NevixError);
    TransmissionResults third;
    exchanges.DoTransmissionAndExport(log, third);
    EXPECT_FALSE(third.HaveFatalErrors()) << "past the script: a quiet success";
    log.EndLogging();

    LogLines test;
    test.SetDataSource(&GlobalDatabase());
    EXPECT_FALSE(exchanges.RunNevixCommsTest(test));
    ASSERT_TRUE(test.GetLogHeader());
    EXPECT_EQ(test.GetLogHeader()->ProcessCode(), QStringLiteral("NCOMST"));
    EXPECT_EQ(scripted.calls.size(), 4);
}

} // namespace
