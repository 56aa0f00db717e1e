// The enquiry screen's largest load: every one of 100,000 enquiries in its
// grid, the first page painted, beside a bare read of the three columns
// the grid shows.
#include "NeedGui.h"
#include "StandardFixture.h"
#include "jobs/SideBySide.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "platform/AppContext.h"
#include "platform/ConsoleUserInteraction.h"
#include "screens/records/RecordGrid.h"
#include "screens/records/RecordGridModel.h"
#include "screens/records/frmVQ3.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <array>
#include <vector>

namespace {

const QDateTime Now(QDate(2024, 3, 15), QTime(10, 30));

// The rows as a program without the record classes would hold them.
std::vector<std::array<QString, 3>> BareRead(const QString& database)
{
    std::vector<std::array<QString, 3>> rows;
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT VQ3ID, VRM, Date_Of_Event FROM VQ3_Enquiries WHERE (EnquirerId IS NULL OR "
                       "EnquirerId IN ('AB123','CD456')) AND IsTest=0 ORDER BY Date_Of_Event, VRM",
                       -1, &select, nullptr);
    const auto text = [select](int column) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, column)),
                                 sqlite3_column_bytes(select, column));
    };
    while (sqlite3_step(select) == SQLITE_ROW)
        rows.push_back({text(0), text(1), text(2)});
    sqlite3_finalize(select);
    sqlite3_close(db);
    return rows;
}

void BM_EnquiryScreenLoadAll(benchmark::State& state)
{
    NeedGui();
    const int rows = int(state.range(0));
    QTemporaryDir dir;
    ScopedAppContext scope(std::make_shared<AppContext>(std::make_shared<SystemClock>(),
                                                        std::make_shared<ConsoleUserInteraction>(), dir.path(),
                                                        QStringLiteral("BENCHPC")));
    const Fixture::Folder folder = Fixture::Standard(dir.path(), Now, FixtureOptions().WithBulkEnquiries(rows));
    Settings().Load();
    Fixture::Connect(NewGlobalDatabase(), folder);
    auto user = std::make_shared<User>();
    user->SetDataSource(&GlobalDatabase());
    user->LoadByUserNameAndPassword(Fixture::Admin, Fixture::Password);
    SetCurrentUser(user);
    {
        EnquiryScreenSeams seams;
        seams.screenHeight = 1080;
        frmVQ3 screen(seams);
        screen.InitialiseForm();
        screen.show();
        QCoreApplication::processEvents();

        SideBySide timing(state);
        for (auto _ : state) {
            // From the list the screen opens with, its first 100 rows.
            screen.cboMaxToLoad()->setCurrentIndex(1);
            screen.cmdSearch_Click();
            screen.cboMaxToLoad()->setCurrentIndex(0);
            timing.Program([&] {
                screen.cmdSearch_Click();
                screen.grdVQ3()->viewport()->repaint();
            });
            if (screen.grdVQ3()->Model()->Records() != rows)
                state.SkipWithError("not every enquiry is in the grid");
            timing.Bare([&] { benchmark::DoNotOptimize(BareRead(folder.Database).size()); });
            timing.Report();
        }
    }
    SetCurrentUser(nullptr);
    ReleaseGlobalDatabase();
    ReleaseSettings();
}
SIDE_BY_SIDE(BM_EnquiryScreenLoadAll)->Arg(100000);

} // namespace
