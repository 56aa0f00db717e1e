#include "screens/records/RecordListModel.h"

QString RecordListModel::Key(int row) const
{
    return row >= 0 && row < RecordCount() ? Cell(row, 0) : QString();
}

void RecordListModel::EndReset(const QStringList& headings)
{
    m_headings = headings;
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(1, RecordCount());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return index.row() < RecordCount() ? Cell(index.row(), index.column()) : QString();
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headings.value(section);
}
