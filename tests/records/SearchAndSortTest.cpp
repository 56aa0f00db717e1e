#include "support/DatabaseTest.h"

#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <functional>

namespace {

// The screens' loads of enquiries and of responses, searched by a VRM
// prefix and ordered by a sort order, and of debit statements ordered.
struct Screen {
    const char* name;
    const char* table;
    // Stores a row of that mark; received (or sent) on the given day of March 2024.
    std::function<void(CDataBase&, const QString& vrm, int day)> store;
    // The marks loaded, in order.
    std::function<QString(CDataBase&, const QString& vrm, const QString& sort)> load;
    const char* acceptedOrder;
    const char* acceptedMarks;
};

QDateTime March(int day)
{
    return QDateTime(QDate(2024, 3, day), QTime(0, 0));
}

const Screen Screens[] = {
    {"Enquiries", "VQ3_Enquiries",
     [](CDataBase& db, const QString& vrm, int day) {
         auto enquiry = std::make_shared<VQ3>();
         enquiry->SetDataSource(&db);
         enquiry->SetVRMVIN(vrm);
         enquiry->SetDateOfEvent(March(day));
         enquiry->Apply();
     },
     [](CDataBase& db, const QString& vrm, const QString& sort) {
         VQ3Enquiries rows;
         rows.SetDataSource(&db, false);
         rows.Load({}, vrm, false, {}, false, sort);
         QStringList marks;
         for (const auto& row : rows)
             marks << row->VRMVIN();
         return marks.join(',');
     },
     "vrm desc, DateOfEvent", "BBC1,AXC2,ABC1,A_1,A%1"},
    {"Responses", "VQ7_Responses",
     [](CDataBase& db, const QString& vrm, int day) {
         auto response = std::make_shared<VQ7>();
         response->SetDataSource(&db);
         response->SetVRM(vrm);
         response->SetWhenReceived(March(day));
         response->Apply();
     },
     [](CDataBase& db, const QString& vrm, const QString& sort) {
         VQ7Responses rows;
         rows.SetDataSource(&db, false);
         rows.Load({}, vrm, std::nullopt, {}, sort);
         QStringList marks;
         for (const auto& row : rows)
             marks << row->VRM();
         return marks.join(',');
     },
     "VRM DESC, WhenReceived", "BBC1,AXC2,ABC1,A_1,A%1"},
};

class ScreenLoads : public DatabaseTest, public ::testing::WithParamInterface<Screen> {
protected:
    void SetUp() override
    {
        int day = 0;
        for (const char* vrm : {"ABC1", "AXC2", "A_1", "A%1", "BBC1"})
            GetParam().store(db, QLatin1String(vrm), ++day);
    }
};

TEST_P(ScreenLoads, APrefixSearchTakesPercentAndUnderscoreLiterallyAndQuestionMarkForOneCharacter)
{
    const struct {
        const char* prefix;
        const char* marks;
    } cases[] = {
        {"A?C", "ABC1,AXC2"}, {"a?c", "ABC1,AXC2"}, {"%", ""},        {"_", ""},
        {"A%", "A%1"},        {"A_", "A_1"},        {"?BC", "ABC1,BBC1"}, {"A'", ""},
        {"A\\", ""},          {"ABC1?", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetParam().load(db, QLatin1String(c.prefix), "VRM"), QLatin1String(c.marks)) << c.prefix;
}

TEST_P(ScreenLoads, ASortOrderIsTheTablesColumnsEachAscendingOrDescending)
{
    const int64_t users = CountRows("USERS");
    EXPECT_EQ(GetParam().load(db, {}, QLatin1String(GetParam().acceptedOrder)),
              QLatin1String(GetParam().acceptedMarks));
    for (const char* refused :
         {"Surname; DROP TABLE USERS", "V_R_M_X", "(SELECT Password FROM USERS)", "VRM, (SELECT 1)", "VRM DESC; DELETE FROM USERS",
          "NoSuchColumn", "VRM DESCENDING", "1", "VRM,", "VRM -- comment"}) {
        try {
            GetParam().load(db, {}, QLatin1String(refused));
            ADD_FAILURE() << "accepted: " << refused;
        } catch (const NevixError& e) {
            EXPECT_EQ(e.Number(), ErrorNumbers::InvalidArgument) << refused;
            EXPECT_TRUE(e.Description().startsWith("invalid sort order")) << e.Description().toStdString();
        }
    }
    EXPECT_EQ(CountRows(QLatin1String(GetParam().table)), 5);
    EXPECT_EQ(CountRows("USERS"), users) << "nothing of a refused order ran";
}

INSTANTIATE_TEST_SUITE_P(Records, ScreenLoads, ::testing::ValuesIn(Screens),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
