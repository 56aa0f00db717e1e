#include "screens/records/RecordGridModel.h"

#include <algorithm>

RecordGridModel::RecordGridModel(QStringList headings, QObject* parent)
    : QAbstractTableModel(parent), m_headings(std::move(headings))
{
}

void RecordGridModel::Reset(int records, CellText text)
{
    beginResetModel();
    m_records = std::max(records, 0);
    m_text = std::move(text);
    endResetModel();
}

void RecordGridModel::SetHeading(int column, const QString& text)
{
    if (column < 0 || column >= m_headings.size() || m_headings.at(column) == text)
        return;
    m_headings[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString RecordGridModel::Text(int row, int column) const
{
    if (row < 0 || row >= m_records || column < 0 || column >= m_headings.size() || !m_text)
        return {};
    return m_text(row, column);
}

void RecordGridModel::RecordsAppended(int count)
{
    if (count <= 0)
        return;
    if (m_records == 0) {
        // The blank row becomes the first record's.
        m_records = count;
        emit dataChanged(index(0, 0), index(0, columnCount() - 1));
        if (count > 1) {
            m_records = 1;
            beginInsertRows(QModelIndex(), 1, count - 1);
            m_records = count;
            endInsertRows();
        }
        return;
    }
    beginInsertRows(QModelIndex(), m_records, m_records + count - 1);
    m_records += count;
    endInsertRows();
}

void RecordGridModel::RecordRemoved(int row)
{
    if (row < 0 || row >= m_records)
        return;
    if (m_records == 1) {
        // The last record's row stays, blank.
        m_records = 0;
        emit dataChanged(index(0, 0), index(0, columnCount() - 1));
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    --m_records;
    endRemoveRows();
}

void RecordGridModel::RecordChanged(int row)
{
    if (row >= 0 && row < m_records)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int RecordGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(m_records, 1);
}

int RecordGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Heading(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
