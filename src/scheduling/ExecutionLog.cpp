#include "scheduling/ExecutionLog.h"

ExecutionLog::ExecutionLog(int capacity, QObject* parent) : QAbstractListModel(parent), m_capacity(capacity)
{
}

void ExecutionLog::Add(const QDateTime& when, const QString& text)
{
    if (Count() >= m_capacity) {
        beginResetModel();
        m_entries.clear();
        endResetModel();
        Append(when, QStringLiteral("Log cleared to free memory"));
    }
    Append(when, text);
}

void ExecutionLog::Append(const QDateTime& when, const QString& text)
{
    beginInsertRows(QModelIndex(), Count(), Count());
    m_entries.push_back({when, text});
    endInsertRows();
}

void ExecutionLog::Prune(const QDateTime& now)
{
    const QDateTime cutOff = now.addDays(-1);
    std::vector<Entry> kept;
    kept.reserve(m_entries.size());
    for (Entry& entry : m_entries)
        if (entry.when >= cutOff)
            kept.push_back(std::move(entry));
    if (kept.size() == m_entries.size()) {
        m_entries = std::move(kept);
        return;
    }
    beginResetModel();
    m_entries = std::move(kept);
    endResetModel();
}

QString ExecutionLog::Line(int row) const
{
    const Entry& entry = m_entries.at(size_t(row));
    return entry.when.toString(QStringLiteral("dd/MM/yy hh:mm:ss")) + QLatin1Char(' ') + entry.text;
}

int ExecutionLog::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant ExecutionLog::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count())
        return {};
    return Line(index.row());
}
