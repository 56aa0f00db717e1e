#include "support/DatabaseTest.h"

#include "database/SqliteError.h"
#include "records/DebitStatements.h"

namespace {

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

class DebitStatementsTest : public DatabaseTest {
protected:
    std::shared_ptr<DebitStatement> Statement(const QString& enquirer, const NullableDate& transaction,
                                              bool isTest = false)
    {
        auto statement = std::make_shared<DebitStatement>();
        statement->SetEnquirerId(enquirer);
        statement->SetEnquirerName("Name of " + enquirer);
        statement->SetTransactionDate(transaction);
        statement->SetChargePeriodStart(transaction);
        statement->SetIsTest(isTest);
        return statement;
    }
    std::shared_ptr<DebitStatement> Stored(const QString& enquirer, const NullableDate& transaction,
                                           bool isTest = false)
    {
        auto statement = Statement(enquirer, transaction, isTest);
        statement->SetDataSource(&db);
        statement->Apply();
        return statement;
    }
    DebitStatements Statements(bool isTest = false)
    {
        DebitStatements statements;
        statements.SetDataSource(&db, isTest);
        return statements;
    }
    static QString Enquirers(const DebitStatements& statements)
    {
        QStringList ids;
        for (const auto& statement : statements)
            ids << (statement->EnquirerId().isEmpty() ? "-" : statement->EnquirerId());
        return ids.join(',');
    }
};

TEST_F(DebitStatementsTest, AStatementRoundTripsWithExactAmountsAndDatesWithoutTime)
{
    auto statement = Statement("AB123", At(2024, 3, 2, 9, 15));
    statement->SetControlReference(77);
    statement->SetWhenReceived(At(2024, 3, 3, 8, 5));
    statement->SetDEBSTAReference("D'1");
    statement->SetTotalAmountOfDebit(Currency{12345678});      // 1,234.5678
    statement->SetRateOfCharge(Currency{1250});                // 0.125
    statement->SetTotalAmountOfCharge(Currency::FromUnits(-3));
    statement->SetNumberOfCharges(9876);
    statement->SetJuxExportedDate(At(2024, 3, 15, 14, 30));
    statement->SetDataSource(&db);
    statement->Apply();
    EXPECT_EQ(statement->ID(), "D0000000001");

    auto loaded = std::make_shared<DebitStatement>();
    loaded->SetDataSource(&db);
    loaded->SetID("d0000000001");
    loaded->Load();
    EXPECT_FALSE(loaded->IsNew());
    EXPECT_EQ(loaded->DEBSTAReference(), "D'1");
    EXPECT_EQ(loaded->TotalAmountOfDebit(), Currency{12345678});
    EXPECT_EQ(loaded->RateOfCharge(), Currency{1250});
    EXPECT_EQ(loaded->TotalAmountOfCharge(), Currency::FromUnits(-3));
    EXPECT_EQ(loaded->TransactionDate(), At(2024, 3, 2)) << "a date column keeps no time";
    EXPECT_EQ(loaded->JuxExportedDate(), At(2024, 3, 15));
    EXPECT_EQ(loaded->WhenReceived(), At(2024, 3, 3, 8, 5));
    EXPECT_TRUE(Scalar("SELECT DVLA_Bank_Account_Name FROM Debit_Statements").isNull());

    const QStringList fields = loaded->ColumnsToString().split('\t');
    ASSERT_EQ(fields.size(), 21);
    EXPECT_EQ(fields[2], "03 March 2024 08:05");
    EXPECT_TRUE(fields[1].isEmpty()) << "a null date gives an empty field";
    EXPECT_EQ(fields[8], "1,234.57");
    EXPECT_EQ(fields[10], "0.13");
    EXPECT_EQ(fields[11], "-3.00");
    EXPECT_EQ(fields[20], "15 March 2024");
    EXPECT_EQ(DebitStatement::ColumnHeadingsToString().split('\t').size(), 21);
}

// Amounts are kept as exact decimal text, whatever their size; an amount an
// older file holds as a binary number reads back as its decimal.
TEST_F(DebitStatementsTest, AmountsRoundTripExactly)
{
    const Currency amounts[] = {Currency{123456789999}, Currency{INT64_MAX}, Currency{INT64_MIN},
                                Currency{1}, Currency{-1}, Currency{}, Currency{90071992547409930}};
    for (const Currency amount : amounts) {
        db.Execute("DELETE FROM Debit_Statements");
        auto statement = Statement("AB123", At(2024, 3, 2));
        statement->SetTotalAmountOfDebit(amount);
        statement->SetRateOfCharge(amount);
        statement->SetTotalAmountOfCharge(amount);
        statement->SetDataSource(&db);
        statement->Apply();
        EXPECT_EQ(Scalar("SELECT typeof(Total_Amount_Of_Debit) FROM Debit_Statements").toString(), "text");
        EXPECT_EQ(Scalar("SELECT Rate_Of_Charge FROM Debit_Statements").toString(), CurrencyText(amount));

        DebitStatements loaded = Statements();
        loaded.Load({});
        ASSERT_EQ(loaded.Count(), 1);
        EXPECT_EQ(loaded.Item(1)->TotalAmountOfDebit(), amount) << CurrencyText(amount).toStdString();
        EXPECT_EQ(loaded.Item(1)->RateOfCharge(), amount);
        EXPECT_EQ(loaded.Item(1)->TotalAmountOfCharge(), amount);
    }
    EXPECT_EQ(Scalar("SELECT Total_Amount_Of_Charge FROM Debit_Statements WHERE Total_Amount_Of_Charge = "
                     "'9007199254740.993'")
                  .toString(),
              "9007199254740.993")
        << "beyond what a binary number holds";

    // A file whose amount columns are of number affinity, as an earlier
    // program made them: the amounts are held as binary numbers and still
    // read back as the decimals written, up to fifteen digits.
    for (const char* column : {"Total_Amount_Of_Debit", "Rate_Of_Charge", "Total_Amount_Of_Charge"})
        db.AlterField("Debit_Statements", column, "Numeric");
    for (const Currency amount : {Currency{123456789999}, Currency{999999999999999}, Currency{-1}, Currency{1}}) {
        DebitStatements earlier = Statements();
        earlier.Load({});
        earlier.Item(1)->SetTotalAmountOfDebit(amount);
        earlier.Item(1)->SetRateOfCharge(amount);
        earlier.Apply();
        EXPECT_EQ(Scalar("SELECT typeof(Total_Amount_Of_Debit) FROM Debit_Statements").toString(), "real");
        earlier.Load({});
        EXPECT_EQ(earlier.Item(1)->TotalAmountOfDebit(), amount) << CurrencyText(amount).toStdString();
        EXPECT_EQ(earlier.Item(1)->RateOfCharge(), amount);
    }
    db.Execute("UPDATE Debit_Statements SET Total_Amount_Of_Charge=-12");
    DebitStatements earlier = Statements();
    earlier.Load({});
    EXPECT_EQ(earlier.Item(1)->TotalAmountOfCharge(), Currency::FromUnits(-12));

    db.Execute("UPDATE Debit_Statements SET Rate_Of_Charge='twelve'");
    EXPECT_THROW(earlier.Load({}), NevixError) << "an amount that is no number is not read as 0";
}

struct FilterCase {
    const char* name;
    const char* ids;
    bool isTest;
    const char* expected;   // enquirers the screen's load takes, "-" for none
    const char* exportable; // enquirers an export takes
};

class EnquirerFilter : public DebitStatementsTest,
                       public ::testing::WithParamInterface<FilterCase> {};

TEST_P(EnquirerFilter, TheScreenTakesRowsWithoutEnquirerAndAnExportOnlyTheListedOnes)
{
    Stored("A", At(2024, 1, 3));
    Stored("B", At(2024, 1, 2));
    Stored(" B", At(2024, 1, 4));
    Stored("C", At(2024, 1, 5));
    Stored("", At(2024, 1, 1));
    Stored("A", At(2024, 1, 6), true);
    DebitStatements statements = Statements(GetParam().isTest);
    const QStringList ids = QString(GetParam().ids).split(',', Qt::SkipEmptyParts);
    statements.Load(ids);
    EXPECT_EQ(Enquirers(statements), GetParam().expected);
    statements.LoadExportable(ids);
    EXPECT_EQ(Enquirers(statements), GetParam().exportable);
    EXPECT_EQ(statements.CountExportable(ids), statements.Count());
}

INSTANTIATE_TEST_SUITE_P(
    DebitStatements, EnquirerFilter,
    ::testing::Values(FilterCase{"Listed", "A,B", false, "-,B,A", "A,B"},
                      FilterCase{"OneEnquirer", "B", false, "-,B", "B"},
                      FilterCase{"Everyone", "", false, "-,B,A, B,C", "-, B,A,B,C"},
                      FilterCase{"BlankKeptInId", "A, B", false, "-,A, B", " B,A"},
                      FilterCase{"TestModeOnly", "", true, "A", "A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DebitStatementsTest, QueriesOfTheTableKeepToTheirMode)
{
    DebitStatements statements = Statements();
    EXPECT_EQ(statements.GetMaxControlReference(), 0);
    Stored("A", At(2024, 3, 1));
    auto exported = Stored("B", At(2000, 1, 1));
    exported->SetJuxExportedDate(At(2024, 3, 2));
    exported->SetControlReference(9);
    exported->Apply();
    Stored("C", At(2024, 3, 15, 23, 0));
    Stored("D", At(2024, 3, 16));
    auto test = Stored("E", At(2024, 2, 1), true);
    test->SetControlReference(12);
    test->Apply();

    EXPECT_EQ(statements.GetMaxControlReference(), 12) << "both modes count";
    EXPECT_EQ(statements.CountWithoutLoading(), 4);
    EXPECT_EQ(statements.CountWithoutLoadingInternal(" WHERE EnquirerId > ?", {"B"}), 2);
    EXPECT_EQ(statements.CountExportable({}), 3);

    statements.LoadByChargePeriodStart(std::nullopt, std::nullopt);
    EXPECT_EQ(Enquirers(statements), "A,B,C") << "from 1 January 2000 to the end of today, by name";
    statements.LoadByChargePeriodStart(At(2024, 3, 1), At(2024, 3, 16));
    EXPECT_EQ(Enquirers(statements), "A,C,D");

    statements.Load({}, "EnquirerName DESC");
    EXPECT_EQ(Enquirers(statements), "D,C,B,A");
    statements.Load({}, "charge_period_start desc, EnquirerName");
    EXPECT_EQ(Enquirers(statements), "D,C,A,B");
    for (const char* refused : {"1; DROP TABLE Debit_Statements", "(SELECT UPassword FROM USERS)", "Amount"})
        EXPECT_THROW(statements.Load({}, refused), NevixError) << refused;
    EXPECT_EQ(CountRows("Debit_Statements"), 5);
}

TEST_F(DebitStatementsTest, StatementsOfOneEnquirerAndDayAreKeptApartAndWrittenAllOrNothing)
{
    DebitStatements unbound;
    unbound.Add(Statement("A", At(2024, 3, 1)));
    EXPECT_NO_THROW(unbound.Apply()) << "no data source: nothing to do";

    DebitStatements statements = Statements();
    statements.Add(Statement("A", At(2024, 3, 1, 10, 0)));
    statements.Add(Statement("A", std::nullopt));
    statements.Add(Statement("A", At(2024, 3, 1, 18, 0)));
    ASSERT_EQ(statements.Count(), 3) << "a second statement of one day is a statement of its own";
    EXPECT_TRUE(statements.Exists("A20240301"));
    EXPECT_EQ(statements.Find("a20240301"), statements.Item(1)) << "the first of that enquirer and day";
    EXPECT_EQ(statements.Find("A"), statements.Item(2));
    EXPECT_EQ(statements.Find("B20240301"), nullptr);
    statements.Remove(1);
    statements.Add(Statement("B", At(2024, 3, 1)));
    EXPECT_EQ(statements.Count(), 3) << "a temporary key is not used twice";
    statements.Apply();
    EXPECT_EQ(CountRows("Debit_Statements", "EnquirerId='A' AND Transaction_Date='2024-03-01 00:00:00'"), 1);

    // Stored twice on one day, both load under their own ids.
    Stored("A", At(2024, 3, 1));
    statements.Load({}, "DebId");
    EXPECT_EQ(Enquirers(statements), "A,A,B,A");
    EXPECT_EQ(statements.Item(statements.Item(4)->ID()), statements.Item(4)) << "keyed by DebId";
    statements.LoadExportable({"A"});
    EXPECT_EQ(statements.Count(), 3);

    // Apply writes every change or none.
    statements.Load({}, "DebId");
    statements.Item(1)->SetJuxExportedDate(At(2024, 3, 15));
    statements.Item(3)->SetJuxExportedDate(At(2024, 3, 15));
    db.Execute("UPDATE Debit_Statements SET TmStamp='other' WHERE EnquirerId='B'");
    EXPECT_THROW(statements.Apply(), NevixError);
    EXPECT_EQ(CountRows("Debit_Statements", "JuxExportedDate IS NOT NULL"), 0);
    EXPECT_TRUE(statements.Item(1)->IsDirty()) << "kept to be saved again";
}

} // namespace
