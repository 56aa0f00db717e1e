#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct sqlite3_stmt;

// The result columns of a prepared statement: their names, how each one's
// declared type is read, and the lookups of names as callers spell them.
// Kept with the statement in the connection's cache, so that a query run
// again and again reads them once.
class ColumnSet {
public:
    enum class Kind { Plain, Boolean, DateTime };

    // The statement's columns as it stands. Read them after its first step:
    // a statement prepared again for a changed schema may have others.
    static std::shared_ptr<const ColumnSet> Read(sqlite3_stmt* stmt);

    int Count() const { return int(m_names.size()); }
    const QStringList& Names() const { return m_names; }
    Kind KindOf(int column) const { return m_kinds[size_t(column)]; }
    // The first column of that name, compared without regard to case; -1
    // when there is none.
    int IndexOf(const QString& name) const;

private:
    QStringList m_names;
    std::vector<Kind> m_kinds;
    mutable QHash<QString, int> m_lookups;
};

// The columns a statement in the cache was last read with, and the count of
// its preparations then: a new preparation means reading them again.
struct ColumnCache {
    std::shared_ptr<const ColumnSet> columns;
    int preparations = -1;
};
