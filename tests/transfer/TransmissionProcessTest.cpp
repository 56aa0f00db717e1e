#include "../service/ExchangeTest.h"

#include "transfer/TransmissionProcess.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "database/CommsLock.h"
#include "records/VQ3Enquiries.h"
#include "service/NevixEnquirerRequest.h"
#include "service/NevixNewPassword.h"

#include <QTimer>

#include <sys/stat.h>

namespace {

class TransmissionProcessTest : public ExchangeTest {
protected:
    TransmissionProcessTest()
    {
        answers[NevixMessageTypes::VQ7AvailableRequest] = QStringLiteral("vq7-available.xml");
        answers[NevixMessageTypes::VQ7Request] = QStringLiteral("vq7-responses.xml");
        answers[NevixMessageTypes::DEBRequest] = QStringLiteral("deb-statements.xml");
        StoreStatementEnquirer();
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetVRMVIN(QStringLiteral("AA11AAA"));
        enquiry->SetEnquiryReference(QStringLiteral("R1"));
        enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        enquiry->SetEnquiryCode(QStringLiteral("01AA"));
        enquiries.Add(enquiry);
        enquiries.Apply();
        LogOnClerk();
    }
    ~TransmissionProcessTest() override
    {
        SetCurrentUser(nullptr);
        Settings().SetProgramRunningMode(RunningMode::Interactive);
    }

    static std::string Fatal(const TransmissionResults& r)
    {
        return (r.FatalVQ3ImportErrorMessage() + r.FatalVQ3ErrorMessage() + r.FatalVQ7ErrorMessage() +
                r.FatalVQ7ExportErrorMessage() + r.FatalDebErrorMessage() + r.FatalDebExportErrorMessage())
            .toStdString();
    }
    // Someone else can take the lock once the run is over.
    bool LockIsFree() const
    {
        const auto other = Other();
        CommsLock lock;
        try {
            lock.AquireCommsLock(QStringLiteral("SOMEONE"), other.get());
        } catch (const NevixError&) {
            return false;
        }
        lock.ReleaseCommsLock(QStringLiteral("SOMEONE"), other.get());
        return true;
    }
};

TEST_F(TransmissionProcessTest, AutomaticRunExchangesEverythingInOrderAndFreesTheLock)
{
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    DoImportTransmissionAndExport(log, results);

    EXPECT_FALSE(results.HaveFatalErrors()) << Fatal(results);
    EXPECT_EQ(Types(), (QStringList{"VQ3Enquiry", "VQ7AvailableRequest", "VQ7Request", "VQ7Complete",
                                    "DEBRequest", "DEBComplete"}));
    EXPECT_EQ(results.VQ3sSent(), 1);
    EXPECT_GT(results.VQ7sReceived(), 0);
    EXPECT_GT(results.DebsReceived(), 0);
    const QStringList steps = Lines(EventCodes::Information);
    EXPECT_TRUE(steps.contains("DoTransmissionAndExportInt exporting any VQ7"));
    EXPECT_TRUE(steps.contains("DoTransmissionAndExportInt DoTransmissionProcess2"));
    EXPECT_TRUE(LockIsFree());
}

// A killed export's file, which another user of the folder replaced by a
// FIFO: the run that finishes the export must not wait on it.
TEST_F(TransmissionProcessTest, AFifoWhereAnExportFileLiesNeitherStopsTheRunNorKeepsItsLock)
{
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    const QString fifo = world.PathOf(".VQ71503000.EXP.k3x9.pending");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    GlobalDatabase().Execute(
        QStringLiteral("INSERT INTO PENDING_EXPORTS (PendingFile, ExportFile, NewFile) VALUES (?, ?, 1)"),
        {fifo, world.PathOf(QStringLiteral("VQ71503000.EXP"))});
    DoImportTransmissionAndExport(log, results);

    EXPECT_EQ(Lines(EventCodes::Error).filter(fifo + QStringLiteral(": Something other than a regular file")).size(),
              2); // once by each export
    EXPECT_TRUE(LockIsFree());
}

TEST_F(TransmissionProcessTest, LockHeldElsewhereSendsNothing)
{
    const auto other = Other();
    CommsLock held;
    held.AquireCommsLock(QStringLiteral("SOMEONE"), other.get());
    DoTransmissionAndExport(log, results);

    EXPECT_TRUE(requests.isEmpty());
    const QString text = QStringLiteral("Could not lock the communications to run Transmission and Export");
    EXPECT_EQ(Lines(EventCodes::Warning), QStringList{text});
    EXPECT_EQ(results.FatalVQ3ErrorMessage(), text);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent is null")), 1);
}

TEST_F(TransmissionProcessTest, FatalSendStopsTheChainEvenInAutomaticMode)
{
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    answers[NevixMessageTypes::VQ3Enquiry] = QStringLiteral("err.xml");
    DoTransmissionAndExport(log, results);

    EXPECT_EQ(Types(), QStringList{"VQ3Enquiry"});
    EXPECT_FALSE(results.FatalVQ3ErrorMessage().isEmpty());
    EXPECT_FALSE(Lines(EventCodes::Information).contains("DoTransmissionAndExportInt exporting any VQ7"));
    EXPECT_TRUE(LockIsFree());
}

TEST_F(TransmissionProcessTest, RunStartedDuringARunIsRefused)
{
    // The transfer's wait runs timers: this one tries a second run.
    LogLines nestedLog;
    TransmissionResults nested;
    QTimer::singleShot(0, [&] {
        nestedLog.BeginLogging(QStringLiteral("NTRANS"), QStringLiteral("Transmission"), QStringLiteral("clerk"));
        DoTransmissionAndExport(nestedLog, nested);
    });
    DoTransmissionAndExport(log, results);

    EXPECT_FALSE(results.HaveFatalErrors()) << Fatal(results);
    EXPECT_EQ(Types().count("VQ3Enquiry"), 1);
    EXPECT_EQ(nested.FatalVQ3ErrorMessage(), "Could not lock the communications to run Transmission and Export");
    QStringList warnings;
    for (const auto& line : nestedLog.NewEnum())
        if (line->EventCode() == EventCodes::Warning)
            warnings.append(line->EventText());
    EXPECT_EQ(warnings, QStringList{"Could not lock the communications to run Transmission and Export"});

    // Once over, a new run starts.
    TransmissionResults later;
    DoTransmissionAndExport(log, later);
    EXPECT_FALSE(later.HaveFatalErrors()) << Fatal(later);
}

// An exchange with a log run and lock of its own, started from a window
// event while the transmission waits for an answer.
struct NestedExchange {
    const char* name;
    std::function<void(LogLines&)> run;
};

class ExchangeDuringARun : public TransmissionProcessTest, public ::testing::WithParamInterface<NestedExchange> {};

TEST_P(ExchangeDuringARun, LeavesTheRunItsLockAndItsExchange)
{
    bool heldAfterNested = false;
    LogLines nestedLog;
    alter = [&](const QString& type, const QString&, SimpleHttpServer::Answer& answer) {
        if (type != NevixMessageTypes::VQ3Enquiry)
            return;
        answer.delayMilliseconds = 200;
        QTimer::singleShot(0, [&] {
            GetParam().run(nestedLog);
            heldAfterNested = !LockIsFree();
        });
    };
    DoTransmissionAndExport(log, results);

    EXPECT_TRUE(heldAfterNested) << "the nested exchange freed the run's lock";
    EXPECT_FALSE(results.HaveFatalErrors()) << Fatal(results);
    EXPECT_EQ(results.VQ3sSent(), 1);
    EXPECT_FALSE(Types().contains(NevixMessageTypes::ChangePassword));
    EXPECT_FALSE(Types().contains(NevixMessageTypes::EnquirerRequest));
    bool refused = false;
    for (const auto& line : nestedLog.NewEnum())
        refused = refused || line->EventText().startsWith(QStringLiteral("JX001:"));
    EXPECT_TRUE(refused);
    EXPECT_TRUE(LockIsFree());
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.Load();
    EXPECT_EQ(account.Password(), QStringLiteral("Pa55word"));
}

INSTANTIATE_TEST_SUITE_P(
    Nested, ExchangeDuringARun,
    ::testing::Values(NestedExchange{"PasswordChange",
                                     [](LogLines& l) { RunNevixNewPassword(l, "Newpass12", "Newpass12"); }},
                      NestedExchange{"EnquirerDownload", [](LogLines& l) { RunNevixEnquirerRequest(l); }}),
    [](const ::testing::TestParamInfo<NestedExchange>& info) { return std::string(info.param.name); });

} // namespace
