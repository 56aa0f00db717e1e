#include "ExchangeTest.h"

#include "service/RequestDebitStatementsFromNevixServer.h"


namespace {

class DebitStatementExchangeTest : public ExchangeTest {
protected:
    DebitStatementExchangeTest()
    {
        answers[NevixMessageTypes::DEBRequest] = QStringLiteral("deb-statements.xml");
        StoreStatementEnquirer();
    }
    QVariant Column(const QString& column, const QString& reference) const
    {
        return Scalar(QStringLiteral("select ") + column + QStringLiteral(" from Debit_Statements where DEBSTA_Reference=?"),
                      {reference});
    }
};

TEST_F(DebitStatementExchangeTest, StatementsAreStoredNamedAndThenAcknowledged)
{
    RequestDebitStatementsFromNevixServer(log, results);

    EXPECT_EQ(Types(), (QStringList{"DEBRequest", "DEBComplete"}));
    EXPECT_TRUE(requests[1].second.contains(QStringLiteral("<ControlReference>77</ControlReference>")));
    EXPECT_EQ(results.DebsReceived(), 2);
    EXPECT_EQ(results.FatalDebErrorMessage(), QString());
    EXPECT_EQ(Column("EnquirerId || '|' || EnquirerName", "AB123/0001").toString(), QStringLiteral("AB123|Acme Parking"));
    EXPECT_EQ(Column("TP_Bank_Account_Name", "AB123/0001").toString(), QStringLiteral("ACME PARKING"));
    EXPECT_EQ(Column("Number_Of_Charges", "AB123/0001").toInt(), 12);
    EXPECT_DOUBLE_EQ(Column("Total_Amount_Of_Debit", "AB123/0001").toDouble(), 30.1234);
    EXPECT_EQ(Column("Control_Reference", "Q12").toInt(), 77);
    EXPECT_TRUE(Column("EnquirerId", "Q12").toString().isEmpty());

    // Offered again, nothing is stored twice; the delivery is still acknowledged.
    requests.clear();
    RequestDebitStatementsFromNevixServer(log, results);
    EXPECT_EQ(Types(), (QStringList{"DEBRequest", "DEBComplete"}));
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements")), 2);
    EXPECT_TRUE(Lines(64).contains(QStringLiteral("2 Debit statements received but 0 saved because of duplication")));
}

// A delivery of two valid statements of one enquirer on one day and a third
// that cannot be stored as it stands.
struct BadStatement {
    const char* name;
    const char* date;
    const char* issued;
    const char* charges;
    const char* rate;
    const char* reason;
};

class OneBadStatement : public DebitStatementExchangeTest, public ::testing::WithParamInterface<BadStatement> {};

TEST_P(OneBadStatement, TheOthersAreStoredAndTheDeliveryIsNotAcknowledged)
{
    const BadStatement& bad = GetParam();
    answers[NevixMessageTypes::DEBRequest] = QStringLiteral("deb-statements-one-bad.xml");
    fill["$DATE"] = bad.date;
    fill["$ISSUED"] = bad.issued;
    fill["$CHARGES"] = bad.charges;
    fill["$RATE"] = bad.rate;
    RequestDebitStatementsFromNevixServer(log, results);

    EXPECT_EQ(Types(), QStringList{"DEBRequest"}) << "not acknowledged: the service offers it again";
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements")), 2);
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements"), QStringLiteral("EnquirerId='AB123'")), 2);
    EXPECT_EQ(results.DebsReceived(), 2);
    const QString text = QStringLiteral("Debit statement AB123/0003 not stored: ") + QLatin1String(bad.reason);
    EXPECT_EQ(Lines(EventCodes::Error), QStringList{text});
    EXPECT_EQ(results.FatalDebErrorMessage(), text);

    // Offered again, corrected: the two are not stored twice, the third is,
    // and the delivery is acknowledged.
    requests.clear();
    fill["$DATE"] = "2024-03-20";
    fill["$ISSUED"] = "";
    fill["$CHARGES"] = "1";
    fill["$RATE"] = "2.5";
    TransmissionResults again;
    RequestDebitStatementsFromNevixServer(log, again);
    EXPECT_EQ(Types(), (QStringList{"DEBRequest", "DEBComplete"}));
    EXPECT_TRUE(requests[1].second.contains(QStringLiteral("<ControlReference>78</ControlReference>")));
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements")), 3);
    EXPECT_EQ(again.DebsReceived(), 1);
    EXPECT_EQ(again.FatalDebErrorMessage(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Statements, OneBadStatement,
    ::testing::Values(
        BadStatement{"AmountNotANumber", "2024-03-20", "", "1", "abc", "RateOfCharge is not an amount (abc)"},
        BadStatement{"AmountMissing", "2024-03-20", "", "1", "", "RateOfCharge is not an amount ()"},
        BadStatement{"AmountInAnotherNotation", "2024-03-20", "", "1", "2.5e0", "RateOfCharge is not an amount (2.5e0)"},
        BadStatement{"CountNotANumber", "2024-03-20", "", "x1", "2.5", "NumberOfCharges is not a number (x1)"},
        BadStatement{"CountTooLarge", "2024-03-20", "", "3000000000", "2.5",
                     "NumberOfCharges is out of range (3000000000)"},
        BadStatement{"TransactionDateMissing", "", "", "1", "2.5", "TransactionDate is not a date ()"},
        BadStatement{"TransactionDateImpossible", "2024-02-30", "", "1", "2.5",
                     "TransactionDate is not a date (2024-02-30)"},
        BadStatement{"IssueDateImpossible", "2024-03-20", "2024-13-01", "1", "2.5",
                     "IssueDate is not a date (2024-13-01)"}),
    [](const ::testing::TestParamInfo<BadStatement>& info) { return std::string(info.param.name); });

} // namespace
