#include "database/SavepointGuard.h"

#include "database/CDataBase.h"
#include "database/SqliteConnection.h"

#include <sqlite3.h>

namespace {
const QString Source = QStringLiteral("SavepointGuard");
}

SavepointGuard::SavepointGuard(CDataBase& db) : m_db(db)
{
    static uint64_t counter = 0;
    m_name = QStringLiteral("nevix_step_%1").arg(++counter);
    m_db.BeginLevel(CDataBase::Level::Write);
    m_generation = m_db.m_generation;
    m_depth = m_db.m_depth;
    m_savedMark = m_db.m_rollbackMark;
    try {
        m_db.RequireLiveTransaction(Source);
        m_db.Connection(Source).Run(QStringLiteral("SAVEPOINT ") + m_name, {}, Source);
    } catch (...) {
        m_done = true;
        m_db.ReleaseLevel(m_generation, true);
        throw;
    }
}

SavepointGuard::~SavepointGuard()
{
    if (!m_done)
        Undo();
}

void SavepointGuard::Release()
{
    if (m_done)
        return;
    if (m_db.m_generation != m_generation || m_db.m_depth < m_depth) {
        m_done = true; // the whole transaction has already ended
        return;
    }
    try {
        m_db.RequireLiveTransaction(Source);
        m_db.Connection(Source).Run(QStringLiteral("RELEASE ") + m_name, {}, Source);
    } catch (...) {
        Undo();
        throw;
    }
    m_done = true;
    m_db.m_depth = m_depth; // levels the step left open end with it
    m_db.CommitTrans();
}

void SavepointGuard::Undo() noexcept
{
    m_done = true;
    if (m_db.m_generation != m_generation || m_db.m_depth < m_depth || !m_db.m_connection)
        return;
    SqliteConnection& connection = *m_db.m_connection;
    if (connection.InTransaction()) {
        const QByteArray name = m_name.toUtf8();
        connection.TryExec(("ROLLBACK TO " + name).constData());
        connection.TryExec(("RELEASE " + name).constData());
        m_db.m_rollbackMark = m_savedMark; // what the step doomed is undone
    } else {
        m_db.m_rollbackMark = true; // the engine gave up the whole transaction
    }
    m_db.m_depth = m_depth;
    m_db.ReleaseLevel(m_generation, true);
}
