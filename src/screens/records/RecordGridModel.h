#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

// The rows of a record screen's grid. Column 0 holds each record's key (the
// grid hides it), the other columns what the screen shows of the record.
// Cells are read from the screen's own list only when the view asks for
// them, so a list of 100,000 records is shown without a copy. An empty
// list shows one blank row.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text of a cell of a record, rows from 0.
    using CellText = std::function<QString(int row, int column)>;

    // One heading per column, the key column's first.
    explicit RecordGridModel(QStringList headings, QObject* parent = nullptr);

    // A new list of `records` records.
    void Reset(int records, CellText text);
    int Records() const { return m_records; }

    void SetHeading(int column, const QString& text);
    QString Heading(int column) const { return m_headings.value(column); }
    QStringList Headings() const { return m_headings; }

    // A cell's text; "" in the blank row of an empty list.
    QString Text(int row, int column) const;
    QString Key(int row) const { return Text(row, 0); }

    // The list behind the grid changed: records added at its end, one
    // record gone, or one record's values changed.
    void RecordsAppended(int count);
    void RecordRemoved(int row);
    void RecordChanged(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList m_headings;
    int m_records = 0;
    CellText m_text;
};
