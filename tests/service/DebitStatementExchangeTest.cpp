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

TEST_F(DebitStatementExchangeTest, ABadAmountStoresNothingAndIsNotAcknowledged)
{
    fill["$AMOUNT"] = "lots";
    RequestDebitStatementsFromNevixServer(log, results);

    EXPECT_EQ(Types(), QStringList{"DEBRequest"});
    EXPECT_EQ(CountRows(QStringLiteral("Debit_Statements")), 0);
    EXPECT_EQ(results.FatalDebErrorMessage(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(Lines(256), QStringList{"Type mismatch"});
}

} // namespace
