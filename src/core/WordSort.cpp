#include "core/WordSort.h"

#include "core/DateText.h"
#include "core/NumericText.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {
enum class SortKind { Text, Number, Date };

// The text before the sort delimiter when it stands at position 2 or later.
QString SortKey(const QString& word, const QString& sortDelimiter)
{
    const qsizetype at =
        sortDelimiter.isEmpty() ? -1 : word.indexOf(sortDelimiter, 0, Qt::CaseInsensitive);
    return at >= 1 ? word.left(at) : word;
}
} // namespace

void SortWords(QStringList& words, const QString& sortDelimiter, bool descending,
               int16_t compareMethod)
{
    const qsizetype n = words.size();
    if (n < 2)
        return;

    struct Entry {
        QString word;
        QString key;
        double number = 0;
        std::optional<QDate> date;
    };
    std::vector<Entry> entries(static_cast<size_t>(n));
    int dates = 0;
    int numbers = 0;
    for (qsizetype i = 0; i < n; ++i) {
        Entry& e = entries[size_t(i)];
        e.word = words[i];
        e.key = SortKey(e.word, sortDelimiter);
        // Only the day counts, so any clock time will do.
        if (const NullableDate date = ParseUtcDateText(e.key))
            e.date = date->date();
        e.number = Val(e.key);
        // The first word does not vote on the kind of key.
        if (i == 0)
            continue;
        if (e.date)
            ++dates;
        else if (IsNumericText(e.key))
            ++numbers;
    }
    SortKind kind = SortKind::Text;
    if (dates > n / 2.0)
        kind = SortKind::Date;
    else if (numbers > n / 2.0)
        kind = SortKind::Number;

    const Qt::CaseSensitivity cs = compareMethod == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto less = [kind, cs](const Entry& a, const Entry& b) {
        switch (kind) {
        case SortKind::Number:
            return a.number < b.number;
        case SortKind::Date:
            if (a.date && b.date)
                return *a.date < *b.date;
            if (a.date || b.date)
                return !a.date.has_value();
            break;
        case SortKind::Text:
            break;
        }
        return a.key.compare(b.key, cs) < 0;
    };

    // Quicksort over positions lo..hi with the middle word as pivot.
    const auto quickSort = [&](auto& self, qsizetype lo, qsizetype hi) -> void {
        const Entry pivot = entries[size_t((lo + hi) / 2)];
        qsizetype i = lo;
        qsizetype j = hi;
        do {
            while (less(entries[size_t(i)], pivot))
                ++i;
            while (less(pivot, entries[size_t(j)]))
                --j;
            if (i <= j) {
                std::swap(entries[size_t(i)], entries[size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j)
            self(self, lo, j);
        if (i < hi)
            self(self, i, hi);
    };
    quickSort(quickSort, 0, n - 1);

    if (descending)
        std::reverse(entries.begin(), entries.end());
    for (qsizetype i = 0; i < n; ++i)
        words[i] = std::move(entries[size_t(i)].word);
}
