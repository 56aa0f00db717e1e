#pragma once

#include "platform/Nullable.h"

#include <QHash>
#include <QString>

#include <cstdint>

class DebitStatement;

// What the statement screen shows of one statement, by control name,
// worked out without a window: dates in the computer's date form, amounts
// in its currency form, and the charges checked against the enquiries sent
// in the statement's period.
struct StatementDetails {
    QHash<QString, QString> Texts;

    QString Text(const QString& control) const { return Texts.value(control); }
};

StatementDetails MakeStatementDetails(const DebitStatement& statement, int32_t enquiriesSent);

// "" when the counts agree, else how far apart they are.
QString VarianceText(int32_t charges, int32_t enquiriesSent);

// A date in the computer's short date form, with the time of day when it
// has one; "" when missing.
QString LocalDateText(const NullableDate& value);
