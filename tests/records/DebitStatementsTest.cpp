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

struct FilterCase {
    const char* name;
    const char* ids;
    bool isTest;
    const char* expected; // enquirers loaded, "-" for none
};

class EnquirerFilter : public DebitStatementsTest,
                       public ::testing::WithParamInterface<FilterCase> {};

TEST_P(EnquirerFilter, LoadsTheListedEnquirersAndThoseWithout)
{
    Stored("A", At(2024, 1, 3));
    Stored("B", At(2024, 1, 2));
    Stored(" B", At(2024, 1, 4));
    Stored("C", At(2024, 1, 5));
    Stored("", At(2024, 1, 1));
    Stored("A", At(2024, 1, 6), true);
    DebitStatements statements = Statements(GetParam().isTest);
    statements.Load(GetParam().ids);
    EXPECT_EQ(Enquirers(statements), GetParam().expected);
    EXPECT_EQ(statements.CountExportable(GetParam().ids), statements.Count());
    statements.LoadExportable(GetParam().ids);
    EXPECT_EQ(statements.CountExportable(GetParam().ids), statements.Count());
}

INSTANTIATE_TEST_SUITE_P(
    DebitStatements, EnquirerFilter,
    ::testing::Values(FilterCase{"Listed", "A,B", false, "-,B,A"},
                      FilterCase{"Everyone", "", false, "-,B,A, B,C"},
                      FilterCase{"BlankKeptInId", "A, B", false, "-,A, B"},
                      FilterCase{"TestModeOnly", "", true, "A"}),
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
    EXPECT_THROW(statements.Load({}, "1; DROP TABLE Debit_Statements"), NevixError);
}

TEST_F(DebitStatementsTest, SeveralStatementsOfOneEnquirerAndDayWrittenAllOrNothing)
{
    DebitStatements unbound;
    unbound.Add(Statement("A", At(2024, 3, 1)));
    EXPECT_NO_THROW(unbound.Apply()) << "no data source: nothing to do";

    DebitStatements statements = Statements();
    statements.Add(Statement("A", At(2024, 3, 1, 10, 0)));
    statements.Add(Statement("A", std::nullopt));
    statements.Add(Statement("A", At(2024, 3, 1, 18, 0)));
    EXPECT_EQ(statements.Count(), 3);
    EXPECT_TRUE(statements.Exists("A20240301"));
    EXPECT_TRUE(statements.Exists("a"));
    EXPECT_FALSE(statements.Exists("A20240302"));
    EXPECT_EQ(statements.Find("A20240301"), statements.Item(1)) << "the first of the day";
    statements.Apply();
    EXPECT_EQ(CountRows("Debit_Statements", "EnquirerId='A'"), 3);

    // Stored twice on one day, both are loaded.
    db.Execute("DELETE FROM Debit_Statements");
    Stored("A", At(2024, 3, 1));
    Stored("B", At(2024, 3, 2));
    Stored("A", At(2024, 3, 1));
    statements.Load({}, "DebId");
    EXPECT_EQ(Enquirers(statements), "A,B,A");

    // Apply writes every change or none.
    db.Execute("DELETE FROM Debit_Statements WHERE EnquirerId='A' AND DebId<>(SELECT MIN(DebId) FROM "
               "Debit_Statements WHERE EnquirerId='A')");
    statements.Load({});
    statements.Item(1)->SetJuxExportedDate(At(2024, 3, 15));
    statements.Item(2)->SetJuxExportedDate(At(2024, 3, 15));
    db.Execute("UPDATE Debit_Statements SET TmStamp='other' WHERE EnquirerId='B'");
    EXPECT_THROW(statements.Apply(), NevixError);
    EXPECT_EQ(CountRows("Debit_Statements", "JuxExportedDate IS NOT NULL"), 0);
    EXPECT_TRUE(statements.Item(1)->IsDirty()) << "kept to be saved again";
}

} // namespace
