#pragma once

#include <QTableView>

#include <map>

class RecordGridModel;

// A record screen's grid over its RecordGridModel: whole rows, one at a
// time, the key column hidden, a heading row whose clicks are the screen's
// to handle (the view itself never sorts), and column widths in twips that
// may narrow while not every row fits.
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordGrid(RecordGridModel* model, QWidget* parent = nullptr);

    RecordGridModel* Model() const { return m_model; }

    // Fifteen twips make a pixel on the screens the layouts were made for.
    static int TwipsToPixels(int twips) { return (twips + 7) / 15; }

    // The column's width; narrower (when given) while a scroll bar shows.
    void SetColumnTwips(int column, int twips, int twipsWhileScrolling = -1);
    // True when the last row is fully visible without scrolling.
    bool AllRowsFit() const;

    // The current row from 0; -1 when none.
    int CurrentRow() const;
    QString CurrentKey() const;
    // Makes the row current, selects it whole and scrolls it into view; a
    // row outside the grid is ignored.
    void SelectGridRow(int row);
    // The same, without telling the screen that the current row changed.
    void SelectGridRowQuietly(int row);
    // The row of a record's key; -1 when no row holds it.
    int RowOfKey(const QString& key) const;

signals:
    void HeadingClicked(int column);
    // A new current row, chosen by the user or by SelectGridRow.
    void CurrentRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();

    struct Widths {
        int normal = 0;
        int scrolling = 0;
    };
    RecordGridModel* m_model;
    std::map<int, Widths> m_widths;
    bool m_quiet = false;
};
