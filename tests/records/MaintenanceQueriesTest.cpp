#include "support/DatabaseTest.h"

#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <functional>

namespace {

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

const QDate CutOff(2024, 3, 1);

class MaintenanceQueries : public DatabaseTest {
protected:
    // An enquiry with one message error under its own reference.
    void Enquiry(const QString& id, const NullableDate& sent, const NullableLong& responded,
                 bool isTest = false)
    {
        db.Execute(QStringLiteral("INSERT INTO VQ3_Enquiries (VQ3ID, When_Sent, Response_Received, IsTest, "
                                  "JuxMsgReference) VALUES (?,?,?,?,?)"),
                   {id, ToVariant(sent), ToVariant(responded), isTest, "{REF-" + id});
        MessageError("{ref-" + id); // references match whatever their case
    }
    void MessageError(const QString& reference)
    {
        db.Execute("INSERT INTO JUX_MSG_ERROR (ID, JuxMsgReference, ErrorCode) VALUES (?,?,'JX500')",
                   {"E" + reference, reference});
    }
    QString Keys(const QString& table, const QString& key) const
    {
        return Scalar("SELECT group_concat(k) FROM (SELECT " + key + " AS k FROM " +
                      table + " ORDER BY 1)")
            .toString();
    }
    VQ3Enquiries Enquiries(bool isTest = false)
    {
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, isTest);
        return enquiries;
    }
};

TEST_F(MaintenanceQueries, EnquiriesArePurgedWithTheirMessageErrorsByResponseFlag)
{
    Enquiry("A", At(2024, 2, 29, 23, 59, 59), 1);
    Enquiry("B", At(2024, 3, 1), 1); // on the cut-off day: stays
    Enquiry("C", At(2024, 2, 29, 10), 0);
    Enquiry("D", At(2023, 1, 1), std::nullopt);
    Enquiry("E", std::nullopt, 0); // never sent: never purged
    Enquiry("T", At(2024, 1, 1), 1, true);
    MessageError("{REF-OTHER");

    VQ3Enquiries live = Enquiries();
    EXPECT_EQ(live.CountCompleteEnquiries(CutOff), 1);
    EXPECT_EQ(live.CountIncompleteEnquiries(CutOff), 2);
    EXPECT_EQ(Enquiries(true).CountCompleteEnquiries(CutOff), 1);

    EXPECT_EQ(live.RemoveCompleteEnquiries(CutOff), 1);
    EXPECT_EQ(live.RemoveIncompleteEnquiries(CutOff), 2);
    EXPECT_EQ(Keys("VQ3_Enquiries", "VQ3ID"), "B,E,T");
    EXPECT_EQ(Keys("JUX_MSG_ERROR", "ID"), "E{ref-B,E{ref-E,E{REF-OTHER,E{ref-T");
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(MaintenanceQueries, ResponsesArePurgedWithTheirMessageErrors)
{
    const auto response = [this](const QString& id, const QDateTime& received, bool isTest) {
        db.Execute(QStringLiteral("INSERT INTO VQ7_Responses (VQ7ID, When_Received, IsTest, JuxMsgReference) "
                                  "VALUES (?,?,?,?)"),
                   {id, received, isTest, "{R-" + id});
        MessageError("{r-" + id);
    };
    response("OLD", At(2024, 2, 29, 23, 59, 59), false);
    response("NEW", At(2024, 3, 1), false);
    response("TEST", At(2023, 1, 1), true);
    Enquiry("A", std::nullopt, 0);

    VQ7Responses responses;
    responses.SetDataSource(&db, false);
    EXPECT_EQ(responses.RemoveResponses(CutOff, true), 1);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 4) << "counting removes nothing";
    EXPECT_EQ(responses.RemoveResponses(CutOff), 1);
    EXPECT_EQ(Keys("JUX_MSG_ERROR", "ID"), "E{r-NEW,E{r-TEST,E{ref-A");
    EXPECT_EQ(CountRows("JUX_MSG_ERROR", "JuxMsgReference NOT IN (SELECT JuxMsgReference FROM VQ7_Responses "
                                         "UNION SELECT JuxMsgReference FROM VQ3_Enquiries)"),
              0)
        << "no orphan message error";

    db.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON VQ7_Responses "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    responses.SetDataSource(&db, true);
    EXPECT_THROW(responses.RemoveResponses(CutOff), NevixError);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 3) << "a failed purge keeps the errors too";
}

TEST_F(MaintenanceQueries, AFailedPurgeKeepsEverythingAndLeavesTheCallersTransactionAlive)
{
    Enquiry("A", At(2024, 1, 1), 1);
    db.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON VQ3_Enquiries "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    VQ3Enquiries live = Enquiries();

    db.BeginTrans();
    Enquiry("B", std::nullopt, 0);
    EXPECT_THROW(live.RemoveCompleteEnquiries(CutOff), NevixError);
    db.CommitTrans();

    EXPECT_EQ(Keys("VQ3_Enquiries", "VQ3ID"), "A,B");
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 2);
}

TEST_F(MaintenanceQueries, PeriodCountsTakeWholeDaysOfOneMode)
{
    const QDateTime when[] = {At(2024, 2, 29, 23, 59, 59), At(2024, 3, 1), At(2024, 3, 10, 23, 59, 59),
                              At(2024, 3, 11)};
    int n = 0;
    for (const QDateTime& moment : when) {
        const QString id = QString::number(++n);
        Enquiry(id, moment, 0);
        db.Execute("INSERT INTO VQ7_Responses (VQ7ID, Date_Of_Response, IsTest) VALUES (?,?,0)",
                   {id, moment});
    }
    Enquiry("T", At(2024, 3, 5), 0, true);
    VQ7Responses responses;
    responses.SetDataSource(&db, false);

    const NullableDate first = At(2024, 3, 1, 12), last = At(2024, 3, 10);
    EXPECT_EQ(Enquiries().EnquiriesSentInPeriod(first, last), 2);
    EXPECT_EQ(Enquiries(true).EnquiriesSentInPeriod(first, last), 1);
    EXPECT_EQ(responses.ResponsesReceivedInPeriod(first, last), 2);
    EXPECT_THROW(Enquiries().EnquiriesSentInPeriod(std::nullopt, last), NevixError);
}

// Responses and debit statements go by When_Received alone.
struct ReceivedPurge {
    const char* name;
    const char* table;
    const char* key;
    bool canCountOnly;
    std::function<int32_t(CDataBase&, bool isTest, bool countOnly)> purge;
};

class ReceivedPurges : public MaintenanceQueries, public ::testing::WithParamInterface<ReceivedPurge> {};

TEST_P(ReceivedPurges, RemoveRowsReceivedBeforeTheCutOffDayOfOneMode)
{
    const ReceivedPurge& kind = GetParam();
    const QString insert = QStringLiteral("INSERT INTO %1 (%2, When_Received, IsTest) VALUES (?,?,?)")
                               .arg(QLatin1String(kind.table), QLatin1String(kind.key));
    db.Execute(insert, {"OLD", At(2024, 2, 29, 23, 59, 59), false});
    db.Execute(insert, {"NEW", At(2024, 3, 1), false});
    db.Execute(insert, {"TEST", At(2023, 1, 1), true});
    const QString table = QLatin1String(kind.table);

    if (kind.canCountOnly) {
        EXPECT_EQ(kind.purge(db, false, true), 1);
        EXPECT_EQ(CountRows(table), 3) << "counting removes nothing";
    }
    EXPECT_EQ(kind.purge(db, false, false), 1);
    EXPECT_EQ(Keys(table, QLatin1String(kind.key)), "NEW,TEST");
    EXPECT_EQ(kind.purge(db, true, false), 1);
    EXPECT_EQ(Keys(table, QLatin1String(kind.key)), "NEW");
}

INSTANTIATE_TEST_SUITE_P(
    Records, ReceivedPurges,
    ::testing::Values(
        ReceivedPurge{"Responses", "VQ7_Responses", "VQ7ID", true,
                      [](CDataBase& db, bool isTest, bool countOnly) {
                          VQ7Responses rows;
                          rows.SetDataSource(&db, isTest);
                          return rows.RemoveResponses(CutOff, countOnly);
                      }},
        ReceivedPurge{"DebitStatements", "Debit_Statements", "DebId", false,
                      [](CDataBase& db, bool isTest, bool) {
                          DebitStatements rows;
                          rows.SetDataSource(&db, isTest);
                          return rows.RemoveStatements(CutOff);
                      }}),
    [](const ::testing::TestParamInfo<ReceivedPurge>& info) { return std::string(info.param.name); });

} // namespace
