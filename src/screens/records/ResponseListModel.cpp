#include "screens/records/ResponseListModel.h"

#include "records/VQ7Responses.h"

ResponseListModel::ResponseListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResponseListModel::SetResponses(const VQ7Responses* responses, const QString& heading)
{
    beginResetModel();
    m_responses = responses;
    m_heading = heading;
    endResetModel();
}

int ResponseListModel::ResponseCount() const
{
    return m_responses ? m_responses->Count() : 0;
}

QString ResponseListModel::Key(int row) const
{
    return row >= 0 && row < ResponseCount() ? m_responses->Item(row + 1)->ID() : QString();
}

int ResponseListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(1, ResponseCount());
}

int ResponseListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ResponseListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || index.row() >= ResponseCount())
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const auto& response = m_responses->Item(index.row() + 1);
    return index.column() == 0 ? response->ID() : response->VRM();
}

QVariant ResponseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 1 ? m_heading : QString();
}

QString ResponseListHeading(const QString& sortOrder)
{
    if (sortOrder.isEmpty())
        return QStringLiteral("VRM/VIN");
    return sortOrder.contains(QStringLiteral("desc"), Qt::CaseInsensitive) ? QStringLiteral("VRM/VIN (Z to A)")
                                                                          : QStringLiteral("VRM/VIN (A to Z)");
}
