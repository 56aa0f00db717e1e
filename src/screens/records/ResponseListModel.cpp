#include "screens/records/ResponseListModel.h"

ResponseListModel::ResponseListModel(QObject* parent) : RecordListModel({QString(), ResponseListHeading({})}, parent) {}

void ResponseListModel::SetRows(std::vector<VQ7ListRow> rows, const QString& heading)
{
    BeginReset();
    m_rows = std::move(rows);
    EndReset({QString(), heading});
}

QString ResponseListModel::Cell(int row, int column) const
{
    const VQ7ListRow& listed = m_rows[size_t(row)];
    return column == 0 ? listed.ID : listed.VRM;
}

QString ResponseListHeading(const QString& sortOrder)
{
    if (sortOrder.isEmpty())
        return QStringLiteral("VRM/VIN");
    return sortOrder.contains(QStringLiteral("desc"), Qt::CaseInsensitive) ? QStringLiteral("VRM/VIN (Z to A)")
                                                                          : QStringLiteral("VRM/VIN (A to Z)");
}
