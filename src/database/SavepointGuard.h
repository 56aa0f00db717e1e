#pragma once

#include <QString>

#include <cstdint>

class CDataBase;

// One step of a larger transaction that may fail on its own: the steps that
// worked are kept while a failed one is undone. The guard takes a level of
// its own and marks a savepoint; Release keeps the step's work (it commits
// with the surrounding transaction). Leaving scope without Release rolls
// the step back to the savepoint without dooming the surrounding
// transaction, and never raises.
//
//     db.BeginTrans();
//     for (auto& step : steps) {
//         SavepointGuard guard(db);
//         try { step(); guard.Release(); } catch (const NevixError& e) { report(e); }
//     }
//     db.CommitTrans();
class SavepointGuard {
public:
    explicit SavepointGuard(CDataBase& db);
    ~SavepointGuard();
    SavepointGuard(const SavepointGuard&) = delete;
    SavepointGuard& operator=(const SavepointGuard&) = delete;

    void Release();
    bool Released() const { return m_done; }

private:
    void Undo() noexcept;

    CDataBase& m_db;
    QString m_name;
    uint64_t m_generation = 0;
    int16_t m_depth = 0;
    bool m_savedMark = false;
    bool m_done = false;
};
