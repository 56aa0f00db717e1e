#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Sorts a list of words by their keys: the text before sortDelimiter when
// it stands at position 2 or later, else the whole word. The keys of the
// second to the last word decide their kind: dates when more than half the
// words, else numbers when more than half, else text (compareMethod 0
// exact, 1 ignoring case). Among date keys, texts that are no date come
// first. A quicksort around the middle word: not stable.
void SortWords(QStringList& words, const QString& sortDelimiter, bool descending,
               int16_t compareMethod);
