#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

// A value that may be Null. Null and an empty text are different things.
template <typename T>
using Nullable = std::optional<T>;

using NullableString = Nullable<QString>;
using NullableDate = Nullable<QDateTime>;
using NullableLong = Nullable<int32_t>;
using NullableBool = Nullable<bool>;

// Values of no fixed type (a field read from a record, a setting) travel as
// QVariant; an invalid or null QVariant is Null.
inline bool IsNull(const QVariant& value)
{
    return value.isNull();
}

template <typename T>
QVariant ToVariant(const Nullable<T>& value)
{
    return value ? QVariant::fromValue(*value) : QVariant();
}
