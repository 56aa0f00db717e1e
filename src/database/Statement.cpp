#include "database/Statement.h"

#include "database/SqliteError.h"
#include "database/StoredDateTime.h"
#include "platform/LocalTime.h"

#include <QByteArray>
#include <QDateTime>

#include <sqlite3.h>

#include <cstdio>

namespace {
const QString StoredFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

namespace {
QByteArray StoredText(const QDate& day, const QTime& time)
{
    // The parts at once: each of year(), month() and day() works them all out.
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    day.getDate(&year, &month, &dayOfMonth);
    if (year < 0 || year > 9999) {
        char text[40];
        const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month,
                                         dayOfMonth, time.hour(), time.minute(), time.second());
        return QByteArray(text, length);
    }
    QByteArray text(19, Qt::Uninitialized);
    char* out = text.data();
    const auto two = [&out](int value) {
        *out++ = char('0' + value / 10);
        *out++ = char('0' + value % 10);
    };
    two(year / 100);
    two(year % 100);
    *out++ = '-';
    two(month);
    *out++ = '-';
    two(dayOfMonth);
    *out++ = ' ';
    two(time.hour());
    *out++ = ':';
    two(time.minute());
    *out++ = ':';
    two(time.second());
    return text;
}
} // namespace

QString SqlDateTimeText(const QDateTime& value)
{
    return QString::fromLatin1(StoredText(value.date(), value.time()));
}

QString SqlDateText(const QDate& value)
{
    return QString::fromLatin1(StoredText(value, QTime(0, 0)));
}

QDateTime ParseSqlDateTime(const QString& text)
{
    const QString t = text.trimmed();
    QDateTime value = ParseStoredDateTime(t);
    if (!value.isValid())
        value = FirstOccurrence(QDateTime::fromString(t, StoredFormat));
    if (!value.isValid())
        value = FirstOccurrence(QDateTime::fromString(t, Qt::ISODate));
    if (!value.isValid()) {
        const QDate day = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            value = LocalDateTime(day, QTime(0, 0));
    }
    return value;
}

Statement::Statement(sqlite3* db, sqlite3_stmt* stmt, bool owned, QString source, bool* inUse,
                     ColumnCache* columns)
    : m_db(db), m_stmt(stmt), m_owned(owned), m_source(std::move(source)), m_inUse(inUse),
      m_columnCache(columns)
{
    if (m_inUse)
        *m_inUse = true;
}

Statement::~Statement()
{
    if (!m_stmt)
        return;
    if (m_owned) {
        sqlite3_finalize(m_stmt);
    } else {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    if (m_inUse)
        *m_inUse = false;
}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_owned(other.m_owned),
      m_source(std::move(other.m_source)), m_inUse(other.m_inUse), m_columnCache(other.m_columnCache),
      m_ownColumns(std::move(other.m_ownColumns)), m_columns(std::move(other.m_columns)),
      m_dates(std::move(other.m_dates)), m_boundTexts(std::move(other.m_boundTexts))
{
    other.m_stmt = nullptr;
    other.m_inUse = nullptr;
}

void Statement::Bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(),
                                     static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QDateTime when = value.toDateTime();
            rc = when.isValid() ? BindText(index, StoredText(when.date(), when.time()))
                                : sqlite3_bind_null(m_stmt, index);
            break;
        }
        case QMetaType::QDate: {
            const QDate day = value.toDate();
            rc = day.isValid() ? BindText(index, StoredText(day, QTime(0, 0)))
                               : sqlite3_bind_null(m_stmt, index);
            break;
        }
        default:
            rc = value.typeId() == QMetaType::QString
                     ? BindText(index, static_cast<const QString*>(value.constData())->toUtf8())
                     : BindText(index, value.toString().toUtf8());
            break;
        }
    }
    CheckSqlite(m_db, rc, m_source);
}

int Statement::BindText(int index, QByteArray text)
{
    // Kept until the statement is reset, so the engine need not copy it.
    m_boundTexts.push_back(std::move(text));
    const QByteArray& kept = m_boundTexts.back();
    return sqlite3_bind_text(m_stmt, index, kept.constData(), int(kept.size()), SQLITE_STATIC);
}

void Statement::BindAll(const SqlValues& values)
{
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (expected != values.size())
        throw NevixError(ErrorNumbers::InvalidArgument,
                         QStringLiteral("The statement takes %1 values, %2 were given")
                             .arg(expected).arg(values.size()),
                         m_source);
    m_boundTexts.reserve(size_t(values.size()));
    for (int i = 0; i < values.size(); ++i)
        Bind(i + 1, values.at(i));
}

bool Statement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The reset gives the extended code and message of the failure.
    sqlite3_reset(m_stmt);
    throw SqliteFailure(m_db, rc, m_source);
}

int Statement::RunToEnd()
{
    while (Step()) {
    }
    return sqlite3_changes(m_db);
}

int Statement::ColumnCount() const
{
    return sqlite3_column_count(m_stmt);
}

std::shared_ptr<const ColumnSet> Statement::Columns() const
{
    ColumnCache& cache = m_columnCache ? *m_columnCache : m_ownColumns;
    const int preparations = sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (!cache.columns || cache.preparations != preparations) {
        cache.columns = ColumnSet::Read(m_stmt);
        cache.preparations = preparations;
    }
    return cache.columns;
}

ColumnSet::Kind Statement::KindOf(int column) const
{
    // A statement is prepared again, if at all, at its first step: the
    // columns of a row stay those of the run.
    if (!m_columns)
        m_columns = Columns();
    return m_columns->KindOf(column);
}

QVariant Statement::Column(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const qlonglong number = sqlite3_column_int64(m_stmt, column);
        if (KindOf(column) == ColumnSet::Kind::Boolean)
            return QVariant(number != 0);
        return QVariant(number);
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    default: {
        const auto* stored = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        const int length = sqlite3_column_bytes(m_stmt, column);
        const bool date = KindOf(column) == ColumnSet::Kind::DateTime;
        if (date) {
            const QDateTime when = m_dates.Read(stored, length);
            if (when.isValid())
                return QVariant(when);
        }
        const QString text = QString::fromUtf8(stored, length);
        if (date) {
            const QDateTime when = ParseSqlDateTime(text);
            if (when.isValid())
                return QVariant(when);
        }
        return QVariant(text);
    }
    }
}
