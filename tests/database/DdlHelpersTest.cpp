#include "support/DatabaseTest.h"

namespace {

class DdlHelpers : public DatabaseTest {
protected:
    QString TableSql(const QString& table) const
    {
        return Scalar(QStringLiteral("SELECT sql FROM sqlite_schema WHERE type='table' AND name=?"),
                      {table})
            .toString();
    }
    QStringList IndexesOf(const QString& table) const
    {
        QStringList names;
        CDataBase reader;
        ConnectTo(reader, path);
        RecordSet rs = reader.OpenRecordSet(
            QStringLiteral("SELECT name FROM sqlite_schema WHERE type='index' AND tbl_name=? "
                           "AND sql IS NOT NULL ORDER BY name"),
            {table});
        for (; !rs.IsEOF(); rs.MoveNext())
            names << rs.Text(QStringLiteral("name")).value_or(QString());
        return names;
    }
    void MakeParts()
    {
        db.AddTable(QStringLiteral("PARTS"), QStringLiteral("PartId"), QStringLiteral("TEXT(10)"), false);
        db.AddField(QStringLiteral("PARTS"), QStringLiteral("Label"), QStringLiteral("TEXT(35)"), true, false);
        db.AddField(QStringLiteral("PARTS"), QStringLiteral("Amount"), QStringLiteral("Integer"), true, false);
        db.AddIndex(QStringLiteral("PARTS"), QStringLiteral("PartId"), QStringLiteral("PrimaryKey"), true, false);
        db.Execute(QStringLiteral("INSERT INTO PARTS VALUES ('P1', 'Bolt', 12)"));
    }
};

TEST_F(DdlHelpers, TablesFieldsAndAPrimaryIndexWork)
{
    MakeParts();
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO PARTS VALUES ('p1', 'Nut', 3)")), NevixError)
        << "the primary index is unique and keys compare without case";
    EXPECT_EQ(CountRows(QStringLiteral("PARTS"), QStringLiteral("Label='BOLT'")), 1);
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO PARTS (Label) VALUES ('No key')")), NevixError);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(DdlHelpers, AddFieldAsAKeyMakesAUniqueIndex)
{
    db.AddTable(QStringLiteral("CODES"), QStringLiteral("Label"), QStringLiteral("TEXT(10)"));
    db.AddField(QStringLiteral("CODES"), QStringLiteral("Code"), QStringLiteral("TEXT(4)"), true, true);
    EXPECT_EQ(IndexesOf(QStringLiteral("CODES")), QStringList{QStringLiteral("CODES_PrimaryKey")});
    db.Execute(QStringLiteral("INSERT INTO CODES VALUES ('a', '01AB')"));
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO CODES VALUES ('b', '01ab')")), NevixError);
}

TEST_F(DdlHelpers, IndexNamesAreMadeUniquePerDatabase)
{
    MakeParts();
    db.AddTable(QStringLiteral("BINS"), QStringLiteral("BinId"), QStringLiteral("TEXT(10)"), false);
    db.AddIndex(QStringLiteral("BINS"), QStringLiteral("BinId"), QStringLiteral("PrimaryKey"), true, false);
    db.AddIndex(QStringLiteral("BINS"), QStringLiteral("BinId DESC"), QStringLiteral("ByName"));
    EXPECT_EQ(IndexesOf(QStringLiteral("BINS")),
              (QStringList{QStringLiteral("BINS_ByName"), QStringLiteral("BINS_PrimaryKey")}));
    db.DropIndex(QStringLiteral("PARTS"), QStringLiteral("PrimaryKey"));
    EXPECT_TRUE(IndexesOf(QStringLiteral("PARTS")).isEmpty());
    EXPECT_EQ(IndexesOf(QStringLiteral("BINS")).size(), 2);
    db.Execute(QStringLiteral("INSERT INTO PARTS VALUES ('P1', 'Bolt again', 1)"));
}

TEST_F(DdlHelpers, AlteringALengthChangesNothing)
{
    MakeParts();
    const QString before = TableSql(QStringLiteral("PARTS"));
    db.AlterField(QStringLiteral("PARTS"), QStringLiteral("Label"), QStringLiteral("Varchar(70)"));
    EXPECT_EQ(TableSql(QStringLiteral("PARTS")), before);
    const QString seventy(70, QLatin1Char('x'));
    db.Execute(QStringLiteral("UPDATE PARTS SET Label=?"), {seventy});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Label FROM PARTS")).toString(), seventy);
}

TEST_F(DdlHelpers, AlteringATypeRebuildsTheTableWithItsRowsAndIndexes)
{
    MakeParts();
    db.AlterField(QStringLiteral("PARTS"), QStringLiteral("Amount"), QStringLiteral("TEXT(10)"));
    EXPECT_TRUE(TableSql(QStringLiteral("PARTS")).contains(QStringLiteral("[Amount] TEXT(10) COLLATE NOCASE")));
    EXPECT_TRUE(TableSql(QStringLiteral("PARTS")).contains(QStringLiteral("[PartId] TEXT(10) COLLATE NOCASE NOT NULL")));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT typeof(Amount) || Amount FROM PARTS")).toString(),
              QStringLiteral("text12"));
    EXPECT_EQ(IndexesOf(QStringLiteral("PARTS")), QStringList{QStringLiteral("PARTS_PrimaryKey")});
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO PARTS VALUES ('P1', 'Nut', '3')")), NevixError);
    EXPECT_EQ(CountRows(QStringLiteral("sqlite_schema"), QStringLiteral("name LIKE '%rebuild%'")), 0);
    EXPECT_THROW(db.AlterField(QStringLiteral("PARTS"), QStringLiteral("NoSuchField"), QStringLiteral("Bit")),
                 NevixError);
}

TEST_F(DdlHelpers, AFailedRebuildInsideATransactionChangesNothing)
{
    MakeParts();
    const QString before = TableSql(QStringLiteral("PARTS"));
    db.Execute(QStringLiteral("CREATE TABLE PARTS_rebuild (x)")); // the rebuild's name is taken
    db.BeginTrans();
    EXPECT_THROW(db.AlterField(QStringLiteral("PARTS"), QStringLiteral("Amount"), QStringLiteral("Bit")),
                 NevixError);
    EXPECT_THROW(db.CommitTrans(), NevixError);
    EXPECT_EQ(TableSql(QStringLiteral("PARTS")), before);
    EXPECT_EQ(CountRows(QStringLiteral("PARTS")), 1);
}

TEST_F(DdlHelpers, FieldsAndTablesAreDropped)
{
    MakeParts();
    db.DropField(QStringLiteral("PARTS"), QStringLiteral("Amount"));
    EXPECT_FALSE(TableSql(QStringLiteral("PARTS")).contains(QStringLiteral("Amount")));
    db.DropTable(QStringLiteral("PARTS"));
    EXPECT_TRUE(TableSql(QStringLiteral("PARTS")).isEmpty());
}

TEST_F(DdlHelpers, ANotNullFieldCannotBeAddedToRowsThatHaveNoValue)
{
    MakeParts();
    EXPECT_THROW(db.AddField(QStringLiteral("PARTS"), QStringLiteral("Colour"), QStringLiteral("TEXT(10)"), false),
                 NevixError);
    EXPECT_FALSE(TableSql(QStringLiteral("PARTS")).contains(QStringLiteral("Colour")));
}

} // namespace
