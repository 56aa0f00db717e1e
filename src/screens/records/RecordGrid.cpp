#include "screens/records/RecordGrid.h"

#include "screens/records/RecordGridModel.h"
#include "screens/records/ScreenControls.h"

#include <QHeaderView>
#include <QItemSelectionModel>

RecordGrid::RecordGrid(RecordGridModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    m_model->setParent(this);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    // The columns keep their widths: the grid's ground shows beyond them.
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnHidden(0, true);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &RecordGrid::HeadingClicked);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (!m_quiet && current.isValid())
                    emit CurrentRowChanged(current.row());
            });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &RecordGrid::FitColumns);
    connect(m_model, &QAbstractItemModel::modelReset, this, &RecordGrid::FitColumns);
}

void RecordGrid::SetColumnTwips(int column, int twips, int twipsWhileScrolling)
{
    m_widths[column] = {TwipsToPixels(twips), TwipsToPixels(twipsWhileScrolling < 0 ? twips : twipsWhileScrolling)};
    FitColumns();
}

bool RecordGrid::AllRowsFit() const
{
    return verticalHeader()->length() <= viewport()->height();
}

void RecordGrid::FitColumns()
{
    const bool fit = AllRowsFit();
    for (const auto& [column, widths] : m_widths)
        setColumnWidth(column, fit ? widths.normal : widths.scrolling);
}

void RecordGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    FitColumns();
}

int RecordGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

QString RecordGrid::CurrentKey() const
{
    return m_model->Key(CurrentRow());
}

void RecordGrid::SelectGridRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex first = m_model->index(row, 1);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // A row out of sight becomes the top row, as far as the end of the list allows.
    if (!viewport()->rect().contains(visualRect(first)))
        scrollTo(first, QAbstractItemView::PositionAtTop);
}

void RecordGrid::SelectGridRowQuietly(int row)
{
    m_quiet = true;
    SelectGridRow(row);
    m_quiet = false;
}

int RecordGrid::RowOfKey(const QString& key) const
{
    for (int row = 0; row < m_model->Records(); ++row) {
        if (m_model->Key(row) == key)
            return row;
    }
    return -1;
}
