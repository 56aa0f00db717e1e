#include "../service/ExchangeTest.h"

#include "transfer/TransmissionProcess.h"

#include "StandInService.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "database/SysParameters.h"
#include "records/VQ3Enquiries.h"

namespace {

// Whole transmission runs against the stand-in service, the first one
// under a fault that strikes once.
struct ServiceFault {
    const char* name;
    const char* fault;
    bool fatal;             // the faulty run ends with a fatal text
    int extraResponses = 0; // responses the service sends beyond one per enquiry
    const char* timeOutSeconds = "120";
};

class FaultyServiceRun : public ExchangeTest, public ::testing::WithParamInterface<ServiceFault> {
protected:
    FaultyServiceRun()
    {
        EXPECT_TRUE(standInServer.Listen());
        const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
        INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixTimeOutSecs"),
                               QLatin1String(GetParam().timeOutSeconds), ini);
        UseServiceAt(standInServer.Url(), ini);
        StoreStatementEnquirer();
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        parameters.SetBatchSize(2);
        parameters.Apply();
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        for (const char* vrm : {"AA11AAA", "BB22BBB", "CC33CCC"}) {
            auto enquiry = std::make_shared<VQ3>();
            enquiry->SetVRMVIN(QLatin1String(vrm));
            enquiry->SetEnquiryReference(QStringLiteral("R-") + QLatin1String(vrm));
            enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
            enquiry->SetEnquiryCode(QStringLiteral("01AA"));
            enquiry->SetEnquirerId(QStringLiteral("AB123"));
            enquiries.Add(enquiry);
        }
        enquiries.Apply();
        LogOnClerk();
    }

    int32_t Counter() const
    {
        return Scalar(QStringLiteral("SELECT VQ3_Control_Reference FROM System_Parameters")).toInt();
    }

    StandInService standIn;
    SimpleHttpServer standInServer{[this](const SimpleHttpServer::Request& r) { return standIn.Handle(r); }};
};

TEST_P(FaultyServiceRun, TheNextRunsCompleteWithNothingLostOrTwice)
{
    ASSERT_TRUE(standIn.AddFault(QLatin1String(GetParam().fault)));
    const int32_t before = Counter();
    TransmissionResults faulty;
    DoTransmissionAndExport(log, faulty);
    EXPECT_EQ(faulty.HaveFatalErrors(), GetParam().fatal);
    // The next runs wait as long as the program usually does.
    INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixTimeOutSecs"), QStringLiteral("120"),
                           world.PathOf(QStringLiteral("Nevix.INI")));
    Settings().Load();

    TransmissionResults last;
    for (int run = 0; run < 2; ++run) {
        last = TransmissionResults();
        DoTransmissionAndExport(log, last);
    }
    EXPECT_FALSE(last.HaveFatalErrors()) << last.FatalVQ3ErrorMessage().toStdString()
                                         << last.FatalVQ7ErrorMessage().toStdString()
                                         << last.FatalDebErrorMessage().toStdString();
    // Every enquiry sent, under one reference per batch drawn once.
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL")), 0);
    EXPECT_EQ(Counter(), before + 2);
    // Every response stored once and matched.
    EXPECT_EQ(CountRows(QStringLiteral("VQ7_Responses")), 3 + GetParam().extraResponses);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(DISTINCT Enquiry_Reference) FROM VQ7_Responses")).toInt(), 3);
    EXPECT_EQ(CountRows(QStringLiteral("VQ7_Responses"), QStringLiteral("EnquirerId='AB123'")),
              3 + GetParam().extraResponses);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("Response_Received=1")), 3);
    // One statement per acknowledged batch, each stored once.
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements")), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(DISTINCT DEBSTA_Reference) FROM Debit_Statements")).toInt(), 2);
    EXPECT_EQ(CountRows(QStringLiteral("COMMSLOCK"), QStringLiteral("LockedBy IS NOT NULL")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultyServiceRun,
    ::testing::Values(ServiceFault{"NoFault", "slow:CommsTest", false},
                      ServiceFault{"EnquiriesHang", "hang:VQ3Enquiry", true, 0, "1"},
                      ServiceFault{"EnquiriesDropped", "drop:VQ3Enquiry", true},
                      ServiceFault{"EnquiryAnswerCut", "cut:VQ3Enquiry", true},
                      ServiceFault{"WarnWithoutDetails", "warn-empty", true},
                      ServiceFault{"DeliveryDropped", "drop:VQ7Request", true},
                      ServiceFault{"DeliveryUnreadable", "bad-delivery", true},
                      ServiceFault{"DeliveryWithoutHeaderReference", "no-header-reference", false},
                      ServiceFault{"TwoResponsesToOneEnquiry", "double-response", false, 1},
                      ServiceFault{"AcknowledgementAnswerLost", "drop:VQ7Complete", true},
                      ServiceFault{"StatementsDropped", "drop:DEBRequest", true},
                      ServiceFault{"BadStatement", "bad-statement", true},
                      ServiceFault{"StatementAcknowledgementLost", "cut:DEBComplete", true}),
    [](const ::testing::TestParamInfo<ServiceFault>& info) { return std::string(info.param.name); });

} // namespace
