// The response screen loading 100,000 responses with "ALL" up to its first
// page of the list painted, beside a sqlite3 step loop over the columns the
// list shows.
#include "SideBySide.h"
#include "StoredRows.h"

#include "support/DatabaseTest.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "database/GlobalDatabase.h"
#include "records/VQ7Responses.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/frmVQ7.h"

#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>

#include <utility>
#include <vector>

namespace {

class ScreenWorld : public DatabaseTest {
public:
    void TestBody() override {}
    using DatabaseTest::path;
};

// The key and mark of every row, in the list's order.
void BareList(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT VQ7ID, VRM FROM VQ7_Responses WHERE IsTest = 0 ORDER BY VRM", -1, &select,
                       nullptr);
    std::vector<std::pair<QString, QString>> rows;
    while (sqlite3_step(select) == SQLITE_ROW) {
        const auto text = [select](int column) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, column)),
                                     sqlite3_column_bytes(select, column));
        };
        rows.emplace_back(text(0), text(1));
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    benchmark::DoNotOptimize(rows.size());
}

void BM_ResponseScreenLoadAll(benchmark::State& state)
{
    EnsureApplication();
    const int rows = int(state.range(0));
    ScreenWorld world;
    StoreResponses(world.path, rows);
    ConnectTo(NewGlobalDatabase(), world.path);
    Settings().Load();
    auto user = std::make_shared<User>();
    user->SetDataSource(&GlobalDatabase());
    user->LoadByUserName(QStringLiteral("ADMIN"));
    SetCurrentUser(user);
    {
        frmVQ7 window;
        window.InitialiseForm();
        window.resize(1180, 760);
        window.show();
        window.findChild<QComboBox*>(QStringLiteral("cboMaxToLoad"))->setCurrentText(QStringLiteral("ALL"));
        auto* load = window.findChild<QPushButton*>(QStringLiteral("cmdSearch"));
        SideBySide timing(state);
        for (auto _ : state) {
            timing.Program([&] {
                load->click();
                benchmark::DoNotOptimize(window.grdVQ7()->viewport()->grab());
            });
            if (window.ListModel().RecordCount() != rows)
                state.SkipWithError("not every response was listed");
            timing.Bare([&] { BareList(world.path); });
            timing.Report();
        }
    }
    SetCurrentUser(nullptr);
    ReleaseGlobalDatabase();
}
SIDE_BY_SIDE(BM_ResponseScreenLoadAll)->Arg(100000);

} // namespace
