#include "support/AccountsTest.h"

#include "accounts/User.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <algorithm>
#include <functional>

namespace {

const QDateTime March14(QDate(2024, 3, 14), QTime(9, 0));

// The enquirer ids of the rows a load took, in order, "-" for none.
template <class List>
QStringList RowEnquirers(const List& rows)
{
    QStringList ids;
    for (const auto& row : rows)
        ids << (row->EnquirerId().isEmpty() ? QStringLiteral("-") : row->EnquirerId());
    std::sort(ids.begin(), ids.end());
    return ids;
}

struct RecordKind {
    const char* name;
    std::function<void(CDataBase& db, const QString& enquirer)> store;
    // The enquirers of the rows the screen's list shows for the ids.
    std::function<QStringList(CDataBase& db, const QStringList& ids)> listed;
    // Those of the rows an export for the ids writes; none for enquiries.
    std::function<QStringList(CDataBase& db, const QStringList& ids)> exported;
};

const RecordKind Kinds[] = {
    {"Enquiries",
     [](CDataBase& db, const QString& enquirer) {
         VQ3Enquiries batch;
         batch.SetDataSource(&db, false);
         auto enquiry = std::make_shared<VQ3>();
         enquiry->SetVRMVIN("AB12CDE");
         enquiry->SetDateOfEvent(March14);
         enquiry->SetEnquirerId(enquirer);
         enquiry->SetEnquiryReference("R-" + enquirer);
         batch.Add(enquiry);
         batch.Apply();
     },
     [](CDataBase& db, const QStringList& ids) {
         VQ3Enquiries list;
         list.SetDataSource(&db, false);
         list.Load(ids);
         return RowEnquirers(list);
     },
     nullptr},
    {"Responses",
     [](CDataBase& db, const QString& enquirer) {
         VQ7 response;
         response.SetDataSource(&db);
         response.SetVRM("AB12CDE");
         response.SetEnquirerId(enquirer);
         response.SetWhenReceived(March14);
         response.SetDateOfResponse(March14);
         response.Apply();
     },
     [](CDataBase& db, const QStringList& ids) {
         VQ7Responses list;
         list.SetDataSource(&db, false);
         list.Load(ids);
         return RowEnquirers(list);
     },
     [](CDataBase& db, const QStringList& ids) {
         VQ7Responses list;
         list.SetDataSource(&db, false);
         list.LoadExportable(ids, false);
         EXPECT_EQ(list.CountExportable(ids, false), list.Count());
         return RowEnquirers(list);
     }},
    {"Statements",
     [](CDataBase& db, const QString& enquirer) {
         DebitStatement statement;
         statement.SetDataSource(&db);
         statement.SetEnquirerId(enquirer);
         statement.SetTransactionDate(March14);
         statement.SetChargePeriodStart(March14);
         statement.Apply();
     },
     [](CDataBase& db, const QStringList& ids) {
         DebitStatements list;
         list.SetDataSource(&db, false);
         list.Load(ids);
         return RowEnquirers(list);
     },
     [](CDataBase& db, const QStringList& ids) {
         DebitStatements list;
         list.SetDataSource(&db, false);
         list.LoadExportable(ids);
         EXPECT_EQ(list.CountExportable(ids), list.Count());
         return RowEnquirers(list);
     }},
};

class UserEnquirerFilter : public AccountsTest, public ::testing::WithParamInterface<RecordKind> {};

// An id stored before ids were checked may hold a ",": it is one id, never
// a list that names another enquirer.
TEST_P(UserEnquirerFilter, ShowsExactlyTheRowsOfTheUsersEnquirers)
{
    for (const char* id : {"AB123", "CD456", "ZZ1", "ZZ1,CD456", "EF789"})
        StoreEnquirer(QLatin1String(id), QStringLiteral("Enquirer ") + QLatin1String(id));
    const auto all = LoadedEnquirers();
    auto theirs = std::make_shared<Enquirers>();
    theirs->Add(all->Find("AB123"));
    theirs->Add(all->Find("ZZ1,CD456"));
    auto user = StoreUser("bob", "pw");
    user->ReplaceEnquirers(theirs);
    user->Apply();
    for (const char* id : {"AB123", "CD456", "ZZ1", "ZZ1,CD456", "EF789", ""})
        GetParam().store(db, QLatin1String(id));

    const QStringList ids = LoadedUser("bob")->Enquirers()->GetEnquirerIds();
    EXPECT_EQ(GetParam().listed(db, ids), (QStringList{"-", "AB123", "ZZ1,CD456"}));
    if (GetParam().exported) {
        EXPECT_EQ(GetParam().exported(db, ids), (QStringList{"AB123", "ZZ1,CD456"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UserEnquirerFilter, ::testing::ValuesIn(Kinds),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
