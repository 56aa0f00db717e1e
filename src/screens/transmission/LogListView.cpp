#include "screens/transmission/LogListView.h"

#include "accounts/LogDisplay.h"

#include <QFontMetricsF>
#include <QStringListModel>

#include <array>
#include <limits>

namespace {
// The advances of the Latin-1 characters in a font, each measured once:
// their sum is the quick width of a line (any other character asks for
// the exact measure).
class CharacterAdvances {
public:
    explicit CharacterAdvances(const QFontMetricsF& metrics) : m_metrics(metrics) { m_advance.fill(-1); }

    double Width(const QString& text)
    {
        double width = 0;
        for (const QChar c : text) {
            if (c.unicode() >= m_advance.size())
                return std::numeric_limits<double>::infinity();
            double& advance = m_advance[c.unicode()];
            if (advance < 0)
                advance = m_metrics.horizontalAdvance(c);
            width += advance;
        }
        return width;
    }

private:
    const QFontMetricsF& m_metrics;
    std::array<double, 256> m_advance{};
};
} // namespace

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
    CharacterAdvances advances(metrics);
    WrappedList wrapped{items, double(width()),
                        [&metrics](const QString& text) { return metrics.horizontalAdvance(text); },
                        [&advances](const QString& text) { return advances.Width(text); }};
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
