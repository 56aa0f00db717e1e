#include "screens/transmission/LogListView.h"

#include "accounts/LogDisplay.h"

#include <QFontMetricsF>
#include <QStringListModel>

LogListView::LogListView(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void LogListView::Fill(const LogLines& log, bool showRunDetails, int16_t eventFilter)
{
    QStringList items;
    const QFontMetricsF metrics(font());
    WrappedList wrapped{items, double(width()),
                        [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }};
    FormatLogForDisplay(wrapped, log, showRunDetails, eventFilter);
    m_model->setStringList(items);
}

QStringList LogListView::Items() const
{
    return m_model->stringList();
}

int LogListView::SelectedRow() const
{
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void LogListView::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}
