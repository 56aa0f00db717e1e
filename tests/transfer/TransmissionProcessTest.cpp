#include "../service/ExchangeTest.h"

#include "transfer/TransmissionProcess.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "database/CommsLock.h"
#include "records/VQ3Enquiries.h"

#include <QTimer>

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
        auto clerk = std::make_shared<User>();
        clerk->SetDataSource(&GlobalDatabase());
        clerk->SetUserName(QStringLiteral("clerk"));
        clerk->Apply();
        SetCurrentUser(clerk);
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
    QTimer::singleShot(0, [&] { DoTransmissionAndExport(nestedLog, nested); });
    DoTransmissionAndExport(log, results);

    EXPECT_FALSE(results.HaveFatalErrors()) << Fatal(results);
    EXPECT_EQ(Types().count("VQ3Enquiry"), 1);
    EXPECT_EQ(nested.FatalVQ3ErrorMessage(), "Could not lock the communications to run Transmission and Export");

    // Once over, a new run starts.
    TransmissionResults later;
    DoTransmissionAndExport(log, later);
    EXPECT_FALSE(later.HaveFatalErrors()) << Fatal(later);
}

} // namespace
