#pragma once

#include <QString>
#include <QStringList>

// A delivered database as an earlier version of the program had it: the
// current one without the columns added since that version, with the
// column types of then, labelled with the version text given (read as a
// number for its shape; text without a number is the oldest shape).
void CreateDatabaseAtSchema(const QString& path, const QString& version);

// Every table's columns (name, type without its length, null rule, key)
// and every index, sorted: two databases that the program uses alike give
// the same list. The engine keeps text of any length, so lengths do not
// count.
QStringList SchemaOf(const QString& path);
