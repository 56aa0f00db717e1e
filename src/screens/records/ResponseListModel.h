#pragma once

#include "records/VQ7Responses.h"
#include "screens/records/RecordListModel.h"

#include <vector>

// The response list: the response key, then the VRM/VIN under a heading
// that tells the order. It holds the rows listed, not the responses.
class ResponseListModel : public RecordListModel {
    Q_OBJECT
public:
    explicit ResponseListModel(QObject* parent = nullptr);

    void SetRows(std::vector<VQ7ListRow> rows, const QString& heading);
    const std::vector<VQ7ListRow>& Rows() const { return m_rows; }
    int RecordCount() const override { return int(m_rows.size()); }

protected:
    QString Cell(int row, int column) const override;

private:
    std::vector<VQ7ListRow> m_rows;
};

// The heading of the VRM column for a sort order: plain for none, else
// with its direction.
QString ResponseListHeading(const QString& sortOrder);
