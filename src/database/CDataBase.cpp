#include "database/CDataBase.h"

#include "core/CStopWatch.h"
#include "core/DiskFunctions.h"
#include "database/ErrorPersist.h"
#include "database/SimpleDBkeyMaker.h"
#include "database/SqliteConnection.h"
#include "database/SqliteError.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/UserInteraction.h"

#include <sqlite3.h>

#include <algorithm>

namespace {
const QString OpenSource = QStringLiteral("OpenMyConnection");
const QString BeginSource = QStringLiteral("BeginTrans");
const QString CommitSource = QStringLiteral("CommitTrans");
// Any read takes the shared lock, so a busy file shows itself here.
const char* const LockProbe = "SELECT 1 FROM sqlite_schema LIMIT 1";

const QString BusyText =
    QStringLiteral("The database is busy: another program is using it. Waiting for it to be released...");

// The please-wait window for as long as a busy file is waited for, so that
// a wait of up to half a minute does not look like a hang.
class BusyNotice {
public:
    BusyNotice() = default;
    ~BusyNotice()
    {
        if (m_shown)
            AppContext::Current().ui().UnloadWaitWindow();
    }
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

    void Show()
    {
        if (m_shown)
            return;
        UserInteraction& ui = AppContext::Current().ui();
        ui.SetWaitMessage(BusyText);
        ui.ShowWaitWindow();
        m_shown = true;
    }

private:
    bool m_shown = false;
};

NevixError RolledBackError(const QString& source)
{
    return NevixError(ErrorNumbers::TransactionRolledBack,
                      QStringLiteral("The transaction was rolled back because a part of it failed."),
                      source);
}
} // namespace

CDataBase::CDataBase() : m_keyMaker(std::make_unique<SimpleDBkeyMaker>()) {}

CDataBase::~CDataBase()
{
    try {
        Disconnect();
    } catch (...) {
    }
    m_keyMaker.reset();
}

void CDataBase::SetIsSingleUserConnection(bool value)
{
    RefuseWhileWaiting();
    Disconnect();
    m_singleUser = value;
}

void CDataBase::SetConnectionParams(const QString& strSource, const QString& strProvider,
                                    const QString& strDBPassword, const QString& strUser,
                                    const QString& strUPassword)
{
    RefuseWhileWaiting();
    CloseIfShared();
    m_params.Source = strSource;
    m_params.Provider = strProvider;
    m_params.DbPassword = strDBPassword;
    m_params.User = strUser;
    m_params.UserPassword = strUPassword;
}

void CDataBase::SetBusyRetry(int16_t retryLimit, int32_t waitMilliseconds)
{
    m_retryLimit = std::max<int16_t>(1, retryLimit);
    m_retryWaitMilliseconds = std::max(0, waitMilliseconds);
}

SimpleDBkeyMaker& CDataBase::KeyMaker()
{
    m_keyMaker->SetDataSource(this);
    return *m_keyMaker;
}

bool CDataBase::Connected() const
{
    return m_hasConnectionObject && m_connection != nullptr;
}

void CDataBase::Disconnect()
{
    if (!m_hasConnectionObject)
        return;
    RefuseWhileWaiting();
    RollbackAll();
    m_connection.reset();
    m_hasConnectionObject = false;
    m_objectSource.clear();
}

void CDataBase::Connect()
{
    OpenMyConnection();
    if (m_depth > 0)
        return;
    // Reading once shows a busy or damaged file now rather than later.
    SqliteConnection& connection = *m_connection;
    RunWithBusyRetry(connection, [&connection] { return connection.TryRunKept(LockProbe); },
                     Wait::Lock, OpenSource, OpenSource);
}

void CDataBase::CloseIfShared()
{
    if (m_connection && !m_singleUser && m_depth == 0)
        m_connection.reset();
}

void CDataBase::RefuseWhileWaiting() const
{
    if (m_connectionWaiting)
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Connection is currently being got"), OpenSource);
}

void CDataBase::OpenMyConnection()
{
    RefuseWhileWaiting();
    if (!m_hasConnectionObject) {
        m_hasConnectionObject = true;
        m_objectSource = ToForwardSlashes(m_params.Source);
    } else if (m_connection) {
        return;
    }
    try {
        m_connection = SqliteConnection::Open(m_objectSource);
    } catch (const NevixError& error) {
        SavedError().Load(error);
        throw SavedError().ToError().WithSource(OpenSource);
    }
}

void CDataBase::WaitBeforeRetry()
{
    CStopWatch watch;
    watch.Reset();
    for (int32_t elapsed = watch.Elapsed(); elapsed < m_retryWaitMilliseconds;
         elapsed = watch.Elapsed()) {
        AppContext::Current().ui().PumpEvents();
        CStopWatch::SleepFor(std::min(10, m_retryWaitMilliseconds - elapsed));
    }
}

void CDataBase::RunWithBusyRetry(SqliteConnection& connection, const std::function<int()>& attempt,
                                 Wait kind, const QString& busySource, const QString& otherSource)
{
    m_connectionWaiting = true;
    int attempts = 0;
    BusyNotice notice;
    for (;;) {
        const int rc = attempt();
        if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) {
            if (kind == Wait::Lock)
                m_connectionFailures = 0;
            m_connectionWaiting = false;
            return;
        }
        const bool busy = IsBusyCode(rc);
        SavedError().Load(SqliteFailure(connection.Handle(), rc, busy ? busySource : otherSource));
        if (busy && (kind != Wait::Lock || m_connectionFailures < 2)) {
            ++attempts;
            try {
                notice.Show();
                WaitBeforeRetry();
            } catch (...) {
                m_connectionWaiting = false;
                throw;
            }
            if (attempts < m_retryLimit)
                continue;
            if (kind == Wait::Lock)
                ++m_connectionFailures;
        }
        m_connectionWaiting = false;
        throw SavedError().ToError();
    }
}

SqliteConnection& CDataBase::Connection(const QString& source)
{
    if (!m_connection)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The database is not open"),
                         source);
    return *m_connection;
}

void CDataBase::AcquireOutermost(Level kind)
{
    OpenMyConnection();
    SqliteConnection& connection = *m_connection;
    try {
        if (kind == Level::Write) {
            RunWithBusyRetry(connection, [&connection] { return connection.TryRunKept("BEGIN IMMEDIATE"); },
                             Wait::Lock, OpenSource, BeginSource);
        } else {
            const int rc = connection.TryRunKept("BEGIN");
            if (rc != SQLITE_OK) {
                SavedError().Load(SqliteFailure(connection.Handle(), rc, BeginSource));
                throw SavedError().ToError();
            }
            try {
                RunWithBusyRetry(connection, [&connection] { return connection.TryRunKept(LockProbe); },
                                 Wait::Lock, OpenSource, BeginSource);
            } catch (...) {
                connection.TryRunKept("ROLLBACK");
                throw;
            }
        }
    } catch (...) {
        CloseIfShared();
        throw;
    }
    connection.Configure();
    ++m_generation;
}

void CDataBase::BeginLevel(Level kind)
{
    RefuseWhileWaiting();
    if (m_depth == 0)
        AcquireOutermost(kind);
    ++m_depth;
}

void CDataBase::BeginTrans()
{
    BeginLevel(Level::Write);
}

void CDataBase::EndOutermost(bool rollback)
{
    SqliteConnection* connection = m_connection.get();
    m_depth = 0;
    m_rollbackMark = false;
    if (connection && connection->InTransaction()) {
        if (rollback) {
            connection->TryRunKept("ROLLBACK");
        } else {
            try {
                RunWithBusyRetry(*connection, [connection] { return connection->TryRunKept("COMMIT"); },
                                 Wait::Other, CommitSource, CommitSource);
            } catch (...) {
                // Never leave a half-ended transaction behind.
                if (connection->InTransaction())
                    connection->TryRunKept("ROLLBACK");
                CloseIfShared();
                throw;
            }
        }
    }
    // An idle connection holds no lock: after a level that ended well it
    // stays open for the next, while other installations use the file.
    if (rollback)
        CloseIfShared();
}

void CDataBase::FinishLevel(bool rollbackRequested)
{
    if (m_depth == 0)
        return;
    if (m_depth > 1) {
        if (rollbackRequested)
            m_rollbackMark = true;
        --m_depth;
        return;
    }
    const bool lost = m_connection && !m_connection->InTransaction();
    const bool doomed = m_rollbackMark || lost;
    EndOutermost(rollbackRequested || doomed);
    if (doomed && !rollbackRequested)
        throw RolledBackError(CommitSource);
}

void CDataBase::CommitTrans()
{
    FinishLevel(false);
}

void CDataBase::Rollback()
{
    FinishLevel(true);
}

void CDataBase::RollbackAll()
{
    if (m_depth <= 0)
        return;
    m_depth = 1;
    try {
        Rollback();
    } catch (...) {
    }
}

void CDataBase::ReleaseLevel(uint64_t generation, bool failed) noexcept
{
    if (m_depth == 0 || generation != m_generation)
        return;
    try {
        if (m_depth > 1) {
            // The engine may have given up the whole transaction itself.
            if (failed && m_connection && !m_connection->InTransaction())
                m_rollbackMark = true;
            --m_depth;
        } else if (failed) {
            EndOutermost(true);
        } else {
            FinishLevel(false);
        }
    } catch (...) {
    }
}

void CDataBase::RequireLiveTransaction(const QString& source)
{
    if (m_depth > 1 && m_connection && !m_connection->InTransaction()) {
        m_rollbackMark = true;
        throw RolledBackError(source);
    }
}

template <typename Work>
auto CDataBase::InStatementLevel(Level kind, const QString& source, Work&& work)
{
    BeginLevel(kind);
    const uint64_t generation = m_generation;
    try {
        RequireLiveTransaction(source);
        auto result = work(Connection(source));
        FinishLevel(false);
        return result;
    } catch (...) {
        ReleaseLevel(generation, true);
        throw;
    }
}

void CDataBase::InWriteLevel(const QString& source,
                             const std::function<void(SqliteConnection&)>& work)
{
    InStatementLevel(Level::Write, source, [&](SqliteConnection& connection) {
        work(connection);
        return 0;
    });
}

void CDataBase::Execute(const QString& sql, const SqlValues& values)
{
    const QString source = QStringLiteral("CDataBase.Execute");
    InStatementLevel(Level::Write, source, [&](SqliteConnection& connection) {
        return connection.Run(sql, values, source);
    });
}

int32_t CDataBase::ExecuteUpdate(const QString& sSql, const SqlValues& values)
{
    const QString source = QStringLiteral("CDataBase.ExecuteUpdate");
    return InStatementLevel(Level::Write, source, [&](SqliteConnection& connection) {
        return int32_t(connection.Run(sSql, values, source));
    });
}

RecordSet CDataBase::OpenRecordSet(const QString& sql, const SqlValues& values)
{
    const QString source = QStringLiteral("CDataBase.OpenRecordSet");
    BeginLevel(Level::Read);
    const uint64_t generation = m_generation;
    RecordSet rs;
    try {
        RequireLiveTransaction(source);
        Statement statement = Connection(source).Prepare(sql, source);
        statement.BindAll(values);
        // The rows' dates repeat, and their days even more. Not a job: the
        // zone is read again only at a later hour.
        const LocalTimeMemo dates(LocalTimeMemo::Zone::ReadAtALaterHour);
        rs.Fill(statement);
    } catch (...) {
        ReleaseLevel(generation, true);
        throw;
    }
    rs.Hold(this, generation);
    return rs;
}

void CDataBase::CloseRecordSet(RecordSet& rs)
{
    rs.Close();
}

QString CDataBase::GetDatabaseSchemaVersion()
{
    RecordSet rs = OpenRecordSet(QStringLiteral("Select SCHEMAID from DBVERSION where DBVID=1"));
    QString version;
    if (rs.HasRow())
        version = rs.Text(QStringLiteral("SCHEMAID")).value_or(QString());
    CloseRecordSet(rs);
    return version;
}

void CDataBase::UpdateDatabaseSchemaVersion(const QString& strSchemaVersion)
{
    Execute(QStringLiteral("update DBVERSION set SCHEMAID=? where DBVID=1"), {strSchemaVersion});
}

void CDataBase::Compact()
{
    RefuseWhileWaiting();
    Disconnect();
    const QString path = ToForwardSlashes(m_params.Source);
    std::unique_ptr<SqliteConnection> connection;
    try {
        connection = SqliteConnection::Open(path);
    } catch (const NevixError& error) {
        throw error.WithSource(QStringLiteral("Compact"));
    }
    SqliteConnection* raw = connection.get();
    RunWithBusyRetry(*raw, [raw] { return raw->TryExec("VACUUM"); }, Wait::Other,
                     QStringLiteral("Compact"), QStringLiteral("Compact"));
}
