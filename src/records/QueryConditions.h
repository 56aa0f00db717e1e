#pragma once

#include "database/SqlValues.h"

#include <QString>
#include <QStringList>

// The conditions of one query, joined by " and ", with the values bound to
// their "?" placeholders in order.
struct QueryConditions {
    QStringList Conditions;
    SqlValues Values;

    void Add(const QString& condition, const SqlValues& values = {});
    // Rows of the listed enquirers (each id one bound value, as listed,
    // blanks included) and rows without an enquirer; an empty list adds no
    // condition.
    void AddEnquirerIds(const QStringList& enquirerIds);
    // Rows of the listed enquirers only, never those without an enquirer,
    // so that an export for some enquirers holds their rows and no other;
    // an empty list adds no condition.
    void AddOwnEnquirerIds(const QStringList& enquirerIds);
    // Values of the column that begin with the text, bound: its "%" and
    // "_" are the characters themselves, a "?" stands for any one character.
    void AddPrefix(const QString& column, const QString& prefix);
    // " where " and the conditions; empty when there are none.
    QString Where() const;
};
