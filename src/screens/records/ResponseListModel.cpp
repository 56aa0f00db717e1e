#include "screens/records/ResponseListModel.h"

ResponseListModel::ResponseListModel(QObject* parent) : RecordGridModel({QString(), ResponseListHeading({})}, parent)
{
}

void ResponseListModel::SetRows(std::vector<VQ7ListRow> rows, const QString& heading)
{
    m_rows = std::move(rows);
    Reset(int(m_rows.size()), [this](int row, int column) {
        const VQ7ListRow& listed = m_rows[size_t(row)];
        return column == 0 ? listed.ID : listed.VRM;
    });
    SetHeading(1, heading);
}

QString ResponseListHeading(const QString& sortOrder)
{
    if (sortOrder.isEmpty())
        return QStringLiteral("VRM/VIN");
    return sortOrder.contains(QStringLiteral("desc"), Qt::CaseInsensitive) ? QStringLiteral("VRM/VIN (Z to A)")
                                                                          : QStringLiteral("VRM/VIN (A to Z)");
}
