#include "support/DatabaseTest.h"

#include "database/RecordSet.h"

namespace {

QString ErrorOfReadByName(const RecordSet& rs, const QString& name)
{
    try {
        rs.Field(name);
    } catch (const NevixError& e) {
        return e.Description();
    }
    return {};
}

class ColumnPositionsTest : public DatabaseTest {
protected:
    ColumnPositionsTest()
    {
        db.Execute("CREATE TABLE PARTS (PartId TEXT, Label TEXT, Amount INTEGER)");
        db.Execute("INSERT INTO PARTS VALUES ('P1', 'Bolt', 12)");
    }
};

// Positions follow each query's own columns, found again whenever the
// record set comes from another query; a name a query lacks reads as a
// read by that name does.
TEST_F(ColumnPositionsTest, FollowTheColumnsOfEachQuery)
{
    ColumnPositions positions({"amount", "PARTID", "Label"});
    for (int round = 0; round < 2; ++round) {
        {
            RecordSet rs = db.OpenRecordSet("SELECT * FROM PARTS");
            EXPECT_EQ(positions.In(rs), (std::vector<int>{2, 0, 1}));
            EXPECT_EQ(rs.Field(positions.In(rs)[0]).toInt(), 12);
        }
        RecordSet rs = db.OpenRecordSet("SELECT Label, PartId FROM PARTS");
        EXPECT_EQ(positions.In(rs), (std::vector<int>{-1, 1, 0}));
        EXPECT_EQ(rs.Field(positions.In(rs)[2]).toString(), "Bolt");
        try {
            rs.Field(positions.In(rs)[0]);
            FAIL();
        } catch (const NevixError& e) {
            EXPECT_EQ(e.Description(), ErrorOfReadByName(rs, "amount"));
            EXPECT_FALSE(e.Description().isEmpty());
        }
    }
}

} // namespace
