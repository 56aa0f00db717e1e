#pragma once

#include "database/CDataBase.h"

#include <utility>

// Runs work inside one level of db's transaction: committed when the work
// returns, rolled back (dooming an outer transaction) when it raises, and
// the error passed on. A read that leads to a write goes in here, so that
// the write lock is held from the read on.
template <typename Work>
void InTransaction(CDataBase& db, Work&& work)
{
    db.BeginTrans();
    try {
        std::forward<Work>(work)();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
        }
        throw;
    }
    db.CommitTrans();
}
