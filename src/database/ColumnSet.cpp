#include "database/ColumnSet.h"

#include <QByteArray>

#include <sqlite3.h>

std::shared_ptr<const ColumnSet> ColumnSet::Read(sqlite3_stmt* stmt)
{
    auto set = std::make_shared<ColumnSet>();
    const int count = sqlite3_column_count(stmt);
    set->m_names.reserve(count);
    set->m_kinds.resize(size_t(count), Kind::Plain);
    for (int i = 0; i < count; ++i) {
        set->m_names.append(QString::fromUtf8(sqlite3_column_name(stmt, i)));
        const QByteArray declared = QByteArray(sqlite3_column_decltype(stmt, i)).toUpper();
        if (declared.contains("BOOL") || declared.startsWith("BIT"))
            set->m_kinds[size_t(i)] = Kind::Boolean;
        else if (declared.contains("DATE") || declared.contains("TIME"))
            set->m_kinds[size_t(i)] = Kind::DateTime;
    }
    return set;
}

int ColumnSet::IndexOf(const QString& name) const
{
    if (const auto known = m_lookups.constFind(name); known != m_lookups.cend())
        return *known;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            m_lookups.insert(name, i);
            return i;
        }
    }
    return -1;
}
