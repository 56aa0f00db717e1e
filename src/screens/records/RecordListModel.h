#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// A record screen's grid: column 0 the record's key (the screens hide it),
// the other columns what the grid shows, under headings that may carry the
// order's mark. An empty list still has one blank row, as the grids always
// have one.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordListModel(QStringList headings, QObject* parent)
        : QAbstractTableModel(parent), m_headings(std::move(headings))
    {
    }

    // The key on a row; "" on the blank row.
    QString Key(int row) const;
    virtual int RecordCount() const = 0;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    // A cell of a record's row, row from 0.
    virtual QString Cell(int row, int column) const = 0;
    // The model's new list is in place between these; headings from column 0.
    void BeginReset() { beginResetModel(); }
    void EndReset(const QStringList& headings);

private:
    QStringList m_headings;
};
