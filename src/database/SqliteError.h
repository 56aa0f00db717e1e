#pragma once

#include "platform/NevixError.h"

#include <cstdint>

struct sqlite3;

namespace ErrorNumbers {
// A database engine failure: the base plus the engine's extended result
// code, so that its primary code (the low byte) stays readable.
constexpr int32_t DatabaseBase = static_cast<int32_t>(0x80050000u);
// An outermost commit that had to roll back because an inner level failed.
constexpr int32_t TransactionRolledBack = ObjectErrorBase + 101;
// A field asked for by a name or position the record set does not have.
constexpr int32_t ItemNotFound = 3265;
// A field read while the record set has no current row.
constexpr int32_t NoCurrentRecord = 3021;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t DuplicateKey = 457;
} // namespace ErrorNumbers

// Raises a NevixError for a failed engine call; the success codes (OK, ROW,
// DONE) pass. The description is the engine's own message.
void CheckSqlite(sqlite3* db, int rc, const QString& source);
NevixError SqliteFailure(sqlite3* db, int rc, const QString& source);

// The engine's codes carried by an error raised above; 0 for other errors.
int SqlitePrimaryCode(const NevixError& error);
int SqliteExtendedCode(const NevixError& error);
// Another connection holds the lock we need (the busy-file case).
bool IsBusyCode(int rc);
bool IsBusyError(const NevixError& error);
