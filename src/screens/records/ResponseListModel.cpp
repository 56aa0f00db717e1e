#include "screens/records/ResponseListModel.h"

#include "records/VQ7Responses.h"

ResponseListModel::ResponseListModel(QObject* parent) : RecordListModel({QString(), ResponseListHeading({})}, parent) {}

void ResponseListModel::SetResponses(const VQ7Responses* responses, const QString& heading)
{
    BeginReset();
    m_responses = responses;
    EndReset({QString(), heading});
}

int ResponseListModel::RecordCount() const
{
    return m_responses ? m_responses->Count() : 0;
}

QString ResponseListModel::Cell(int row, int column) const
{
    const auto& response = m_responses->Item(row + 1);
    return column == 0 ? response->ID() : response->VRM();
}

QString ResponseListHeading(const QString& sortOrder)
{
    if (sortOrder.isEmpty())
        return QStringLiteral("VRM/VIN");
    return sortOrder.contains(QStringLiteral("desc"), Qt::CaseInsensitive) ? QStringLiteral("VRM/VIN (Z to A)")
                                                                          : QStringLiteral("VRM/VIN (A to Z)");
}
