#include "support/DatabaseTest.h"

#include "database/NevixParameters.h"
#include "database/SysParameters.h"

namespace {

using Parameters = DatabaseTest;

template <typename Row> std::unique_ptr<Row> Loaded(CDataBase& source)
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
    EXPECT_EQ(sys->ID(), "1");
    EXPECT_FALSE(sys->TimeOfLastDuplicate().has_value());
    EXPECT_TRUE(sys->RunningInTestMode());
    EXPECT_TRUE(SysParameters(*sys).GetInTestModeFromDB());

    sys->SetVQ3MaintenancePeriod("MONTH");
    EXPECT_FALSE(sys->IsDirty()) << "periods compare without case";
    sys->SetLastAutoCompactDate(QDateTime(QDate(2024, 3, 1), QTime(17, 45)));
    sys->SetPartyName("Acme");
    sys->Apply();
    EXPECT_TRUE(sys->BeenApplied());
    EXPECT_EQ(Scalar("SELECT TmStamp FROM System_Parameters").toString(), "20240315:37800.00");
    EXPECT_TRUE(Scalar("SELECT TimeOfLastDuplicate FROM System_Parameters").isNull());
    EXPECT_EQ(Scalar("SELECT LastAutoCompactDate FROM System_Parameters").toDateTime(),
              QDateTime(QDate(2024, 3, 1), QTime(0, 0)));

    sys->SetPartyName("ACME");
    EXPECT_TRUE(sys->IsDirty()) << "the name compares exactly";
    sys->Load();
    EXPECT_FALSE(sys->BeenApplied()) << "a load starts from the defaults";

    SysParameters never; // no row behind it to update
    never.SetDataSource(&db);
    never.SetBatchSize(70);
    EXPECT_THROW(never.Apply(), NevixError);
    EXPECT_TRUE(never.IsDirty());
}

TEST_F(Parameters, ControlReferencesCountOnAndSurviveAReload)
{
    auto sys = Loaded<SysParameters>(db);
    EXPECT_EQ(sys->GetNextVQ3ControlReference(), 1);
    SysParameters other;
    other.SetDataSource(&db);
    EXPECT_EQ(other.GetNextVQ3ControlReference(), 2);
    EXPECT_EQ(Loaded<SysParameters>(db)->VQ3Controlreference(), 2);

    db.Execute("UPDATE System_Parameters SET VQ3_Control_Reference=2147483647");
    EXPECT_THROW(other.GetNextVQ3ControlReference(), NevixError);
    EXPECT_EQ(Scalar("SELECT VQ3_Control_Reference FROM System_Parameters").toInt(), 2147483647);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Parameters, TheServicePasswordIsStoredEncipheredAndReadBackExactly)
{
    auto account = Loaded<NevixParameters>(db);
    EXPECT_TRUE(account->IsNew());
    account->SetPassword("pass word"); // a blank is not in the cipher's alphabet
    EXPECT_THROW(account->Apply(), NevixError);
    EXPECT_EQ(Scalar("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='NEVIX_PARAMETERS'").toInt(), 1)
        << "no key drawn";

    const QString password = "Pa55word!";
    account->SetUserName(" Nevix User ");
    account->SetPassword(password);
    account->Apply();
    EXPECT_EQ(account->ID(), "P0000000001");
    const QString stored = Scalar("SELECT NPassword FROM NEVIX_PARAMETERS").toString();
    EXPECT_EQ(stored.size(), password.size());
    EXPECT_NE(stored, password);

    auto again = Loaded<NevixParameters>(db);
    EXPECT_EQ(again->UserName(), " Nevix User ");
    EXPECT_EQ(again->Password(), password);
    again->SetPassword(password.toUpper());
    EXPECT_TRUE(again->IsDirty());
    again->Apply();
    EXPECT_EQ(Loaded<NevixParameters>(db)->Password(), password.toUpper());
    EXPECT_EQ(CountRows("NEVIX_PARAMETERS"), 1);
}

} // namespace
