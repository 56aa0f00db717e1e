#include "support/DatabaseTest.h"

#include "database/NevixParameters.h"
#include "database/SysParameters.h"

namespace {

using Parameters = DatabaseTest;

template <typename Row>
std::unique_ptr<Row> Loaded(CDataBase& source)
{
    auto row = std::make_unique<Row>();
    row->SetDataSource(&source);
    row->Load();
    return row;
}

TEST_F(Parameters, TheDeliveredRowLoadsAndSavesWithItsNulls)
{
    auto sys = Loaded<SysParameters>(db);
    EXPECT_FALSE(sys->IsNew());
    EXPECT_EQ(sys->ID(), QStringLiteral("1"));
    EXPECT_EQ(sys->PartyName(), QString());
    EXPECT_FALSE(sys->TimeOfLastDuplicate().has_value());
    EXPECT_TRUE(sys->RunningInTestMode());
    EXPECT_TRUE(SysParameters(*sys).GetInTestModeFromDB());

    sys->SetVQ3MaintenancePeriod(QStringLiteral("MONTH"));
    EXPECT_FALSE(sys->IsDirty()) << "periods compare without case";
    sys->SetLastAutoCompactDate(QDateTime(QDate(2024, 3, 1), QTime(17, 45)));
    sys->SetPartyName(QStringLiteral("Acme"));
    sys->Apply();
    EXPECT_TRUE(sys->BeenApplied());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT TmStamp FROM System_Parameters")).toString(),
              QStringLiteral("20240315:37800.00"));
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT TimeOfLastDuplicate FROM System_Parameters")).isNull());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT LastAutoCompactDate FROM System_Parameters")).toDateTime(),
              QDateTime(QDate(2024, 3, 1), QTime(0, 0)));

    sys->SetPartyName(QStringLiteral("ACME"));
    EXPECT_TRUE(sys->IsDirty()) << "the name compares exactly";
}

TEST_F(Parameters, ControlReferencesCountOnAndSurviveAReload)
{
    auto sys = Loaded<SysParameters>(db);
    EXPECT_EQ(sys->GetNextVQ3ControlReference(), 1);
    SysParameters other;
    other.SetDataSource(&db);
    EXPECT_EQ(other.GetNextVQ3ControlReference(), 2);
    EXPECT_EQ(Loaded<SysParameters>(db)->VQ3Controlreference(), 2);

    db.Execute(QStringLiteral("UPDATE System_Parameters SET VQ3_Control_Reference=2147483647"));
    EXPECT_THROW(other.GetNextVQ3ControlReference(), NevixError);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT VQ3_Control_Reference FROM System_Parameters")).toInt(),
              2147483647);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Parameters, AStaleOrUnloadedRowIsRefused)
{
    auto first = Loaded<SysParameters>(db);
    auto second = Loaded<SysParameters>(db);
    first->SetBatchSize(50);
    first->Apply();
    second->SetBatchSize(60);
    try {
        second->Apply();
        FAIL() << "stale";
    } catch (const NevixError& error) {
        EXPECT_EQ(error.Number(), ErrorNumbers::Concurrency);
    }
    EXPECT_TRUE(second->IsDirty());

    SysParameters never;
    never.SetDataSource(&db);
    never.SetBatchSize(70);
    EXPECT_THROW(never.Apply(), NevixError);
    EXPECT_TRUE(never.IsDirty());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT BatchSize FROM System_Parameters")).toInt(), 50);
}

TEST_F(Parameters, TheServicePasswordIsStoredEncipheredAndReadBackExactly)
{
    auto account = Loaded<NevixParameters>(db);
    EXPECT_TRUE(account->IsNew());
    const QString password = QStringLiteral("Pa55word!");
    account->SetUserName(QStringLiteral(" Nevix User "));
    account->SetPassword(password);
    account->Apply();
    EXPECT_EQ(account->ID(), QStringLiteral("P0000000001"));
    const QString stored = Scalar(QStringLiteral("SELECT NPassword FROM NEVIX_PARAMETERS")).toString();
    EXPECT_EQ(stored.size(), password.size());
    EXPECT_NE(stored, password);

    auto again = Loaded<NevixParameters>(db);
    EXPECT_EQ(again->UserName(), QStringLiteral(" Nevix User "));
    EXPECT_EQ(again->Password(), password);
    again->SetPassword(password.toUpper());
    EXPECT_TRUE(again->IsDirty());
    again->Apply();
    EXPECT_EQ(Loaded<NevixParameters>(db)->Password(), password.toUpper());
    EXPECT_EQ(CountRows(QStringLiteral("NEVIX_PARAMETERS")), 1);
}

TEST_F(Parameters, APasswordTheCipherCannotTakeWritesNothing)
{
    NevixParameters account;
    account.SetDataSource(&db);
    account.SetUserName(QStringLiteral("user"));
    account.SetPassword(QStringLiteral("pass word"));
    EXPECT_THROW(account.Apply(), NevixError);
    EXPECT_TRUE(account.IsNew());
    EXPECT_EQ(account.ID(), QString());
    EXPECT_EQ(CountRows(QStringLiteral("NEVIX_PARAMETERS")), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='NEVIX_PARAMETERS'")).toInt(), 1)
        << "no key drawn";
}

} // namespace
