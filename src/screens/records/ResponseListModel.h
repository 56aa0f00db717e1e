#pragma once

#include "screens/records/RecordListModel.h"

class VQ7Responses;

// The response list: the response key, then the VRM/VIN under a heading
// that tells the order.
class ResponseListModel : public RecordListModel {
    Q_OBJECT
public:
    explicit ResponseListModel(QObject* parent = nullptr);

    // The list is read where it lies; call again after each load.
    void SetResponses(const VQ7Responses* responses, const QString& heading);
    int RecordCount() const override;

protected:
    QString Cell(int row, int column) const override;

private:
    const VQ7Responses* m_responses = nullptr;
};

// The heading of the VRM column for a sort order: plain for none, else
// with its direction.
QString ResponseListHeading(const QString& sortOrder);
