#pragma once

#include <QAbstractTableModel>
#include <QString>

class VQ7Responses;

// The response list as the screen's grid shows it: column 0 the hidden
// response key, column 1 the VRM/VIN under a heading that tells the order.
// An empty list still shows one blank row, as the grid always has one.
class ResponseListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResponseListModel(QObject* parent = nullptr);

    // The list is read where it lies; call again after each load.
    void SetResponses(const VQ7Responses* responses, const QString& heading);

    // The key shown on a row; "" on the blank row.
    QString Key(int row) const;
    int ResponseCount() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const VQ7Responses* m_responses = nullptr;
    QString m_heading;
};

// The heading of the VRM column for a sort order: plain for none, else
// with its direction.
QString ResponseListHeading(const QString& sortOrder);
