#include "support/DatabaseTest.h"

namespace {

class DdlHelpers : public DatabaseTest {
protected:
    QString TableSql(const QString& table) const
    {
        return Scalar("SELECT sql FROM sqlite_schema WHERE type='table' AND name=?", {table}).toString();
    }
    QStringList IndexesOf(const QString& table) const
    {
        return Scalar("SELECT group_concat(name) FROM (SELECT name FROM sqlite_schema WHERE "
                      "type='index' AND tbl_name=? AND sql IS NOT NULL ORDER BY name)",
                      {table})
            .toString()
            .split(',', Qt::SkipEmptyParts);
    }
    void MakeParts()
    {
        db.AddTable("PARTS", "PartId", "TEXT(10)", false);
        db.AddField("PARTS", "Label", "TEXT(35)", true, false);
        db.AddField("PARTS", "Amount", "Integer", true, false);
        db.AddIndex("PARTS", "PartId", "PrimaryKey", true, false);
        db.Execute("INSERT INTO PARTS VALUES ('P1', 'Bolt', 12)");
    }
};

TEST_F(DdlHelpers, TablesFieldsAndAPrimaryIndexWork)
{
    MakeParts();
    EXPECT_THROW(db.Execute("INSERT INTO PARTS VALUES ('p1', 'Nut', 3)"), NevixError)
        << "the primary index is unique and keys compare without case";
    EXPECT_EQ(CountRows("PARTS", "Label='BOLT'"), 1);
    EXPECT_THROW(db.Execute("INSERT INTO PARTS (Label) VALUES ('No key')"), NevixError);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(DdlHelpers, AddFieldAsAKeyMakesAUniqueIndex)
{
    db.AddTable("CODES", "Label", "TEXT(10)");
    db.AddField("CODES", "Code", "TEXT(4)", true, true);
    EXPECT_EQ(IndexesOf("CODES"), QStringList{"CODES_PrimaryKey"});
    db.Execute("INSERT INTO CODES VALUES ('a', '01AB')");
    EXPECT_THROW(db.Execute("INSERT INTO CODES VALUES ('b', '01ab')"), NevixError);
}

TEST_F(DdlHelpers, IndexNamesAreMadeUniquePerDatabase)
{
    MakeParts();
    db.AddTable("BINS", "BinId", "TEXT(10)", false);
    db.AddIndex("BINS", "BinId", "PrimaryKey", true, false);
    db.AddIndex("BINS", "BinId DESC", "ByName");
    EXPECT_EQ(IndexesOf("BINS"), (QStringList{"BINS_ByName", "BINS_PrimaryKey"}));
    db.DropIndex("PARTS", "PrimaryKey");
    EXPECT_TRUE(IndexesOf("PARTS").isEmpty());
    EXPECT_EQ(IndexesOf("BINS").size(), 2);
    db.Execute("INSERT INTO PARTS VALUES ('P1', 'Bolt again', 1)");
}

TEST_F(DdlHelpers, AlteringALengthChangesNothing)
{
    MakeParts();
    const QString before = TableSql("PARTS");
    db.AlterField("PARTS", "Label", "Varchar(70)");
    EXPECT_EQ(TableSql("PARTS"), before);
    const QString seventy(70, QLatin1Char('x'));
    db.Execute("UPDATE PARTS SET Label=?", {seventy});
    EXPECT_EQ(Scalar("SELECT Label FROM PARTS").toString(), seventy);
}

TEST_F(DdlHelpers, AlteringATypeRebuildsTheTableWithItsRowsAndIndexes)
{
    MakeParts();
    db.AlterField("PARTS", "Amount", "TEXT(10)");
    EXPECT_TRUE(TableSql("PARTS").contains("[Amount] TEXT(10) COLLATE NOCASE"));
    EXPECT_TRUE(TableSql("PARTS").contains("[PartId] TEXT(10) COLLATE NOCASE NOT NULL"));
    EXPECT_EQ(Scalar("SELECT typeof(Amount) || Amount FROM PARTS").toString(), "text12");
    EXPECT_EQ(IndexesOf("PARTS"), QStringList{"PARTS_PrimaryKey"});
    EXPECT_THROW(db.Execute("INSERT INTO PARTS VALUES ('P1', 'Nut', '3')"), NevixError);
    EXPECT_EQ(CountRows("sqlite_schema", "name LIKE '%rebuild%'"), 0);
    EXPECT_THROW(db.AlterField("PARTS", "NoSuchField", "Bit"), NevixError);
}

TEST_F(DdlHelpers, AFailedRebuildInsideATransactionChangesNothing)
{
    MakeParts();
    const QString before = TableSql("PARTS");
    db.Execute("CREATE TABLE PARTS_rebuild (x)"); // the rebuild's name is taken
    db.BeginTrans();
    EXPECT_THROW(db.AlterField("PARTS", "Amount", "Bit"), NevixError);
    EXPECT_THROW(db.CommitTrans(), NevixError);
    EXPECT_EQ(TableSql("PARTS"), before);
    EXPECT_EQ(CountRows("PARTS"), 1);
}

TEST_F(DdlHelpers, FieldsAndTablesAreDroppedAndANotNullFieldNeedsValues)
{
    MakeParts();
    EXPECT_THROW(db.AddField("PARTS", "Colour", "TEXT(10)", false), NevixError);
    EXPECT_FALSE(TableSql("PARTS").contains("Colour"));
    db.DropField("PARTS", "Amount");
    EXPECT_FALSE(TableSql("PARTS").contains("Amount"));
    db.DropTable("PARTS");
    EXPECT_TRUE(TableSql("PARTS").isEmpty());
}

// A query kept prepared reads the columns the table has now, not those it
// had when the query first ran.
TEST_F(DdlHelpers, AKeptQuerySeesTheColumnsOfAChangedTable)
{
    MakeParts();
    const QString select = QStringLiteral("SELECT * FROM PARTS");
    {
        RecordSet rs = db.OpenRecordSet(select);
        EXPECT_EQ(rs.FieldCount(), 3);
        EXPECT_EQ(rs.Text("label"), QString("Bolt"));
    }
    db.DropField("PARTS", "Label");
    db.AddField("PARTS", "Weight", "Integer", true, false);
    db.Execute("UPDATE PARTS SET Weight=7");
    RecordSet rs = db.OpenRecordSet(select);
    ASSERT_EQ(rs.FieldCount(), 3);
    EXPECT_EQ(rs.FieldName(2), "Weight");
    EXPECT_EQ(rs.Long("WEIGHT"), 7);
    EXPECT_EQ(rs.Long("Amount"), 12);
    EXPECT_THROW(rs.Field("Label"), NevixError);
}

} // namespace
