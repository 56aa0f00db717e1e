#include "database/RecordSet.h"

#include "database/CDataBase.h"
#include "database/SqliteError.h"
#include "database/Statement.h"
#include "platform/LocalTime.h"

#include <cmath>
#include <limits>

namespace {
const QString Source = QStringLiteral("RecordSet");

NevixError TypeMismatch()
{
    return NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"), Source);
}

NevixError NoCurrentRecord()
{
    return NevixError(ErrorNumbers::NoCurrentRecord,
                      QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                     "deleted. Requested operation requires a current record."),
                      Source);
}

NevixError ItemNotFound()
{
    return NevixError(ErrorNumbers::ItemNotFound,
                      QStringLiteral("Item cannot be found in the collection corresponding to the "
                                     "requested name or ordinal."),
                      Source);
}

// A whole number from a number or a numeric text; no value when it is none.
std::optional<double> NumberOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok ? std::optional<double>(number) : std::nullopt;
    }
    default: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? std::optional<double>(number) : std::nullopt;
    }
    }
}

template <typename T>
Nullable<T> WholeNumber(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        const qlonglong number = value.toLongLong();
        if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
            throw NevixError::Overflow(Source);
        return static_cast<T>(number);
    }
    const std::optional<double> number = NumberOf(value);
    if (!number)
        throw TypeMismatch();
    const double rounded = std::nearbyint(*number); // to even, as the conversions round
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max())
        throw NevixError::Overflow(Source);
    return static_cast<T>(rounded);
}
} // namespace

NullableString VariantToText(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return SqlDateTimeText(value.toDateTime());
    default:
        return value.toString();
    }
}

Nullable<int32_t> VariantToLong(const QVariant& value)
{
    return WholeNumber<int32_t>(value);
}

Nullable<int16_t> VariantToShort(const QVariant& value)
{
    return WholeNumber<int16_t>(value);
}

Nullable<double> VariantToDouble(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const std::optional<double> number = NumberOf(value);
    if (!number)
        throw TypeMismatch();
    return number;
}

Nullable<bool> VariantToBool(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 ||
            text.compare(QStringLiteral("Yes"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0 ||
            text.compare(QStringLiteral("No"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const std::optional<double> number = NumberOf(value);
    if (!number)
        throw TypeMismatch();
    return *number != 0;
}

Nullable<QDateTime> VariantToDateTime(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return LocalDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        const QDateTime when = ParseSqlDateTime(value.toString());
        if (when.isValid())
            return when;
        break;
    }
    default:
        break;
    }
    throw TypeMismatch();
}

const std::vector<int>& ColumnPositions::In(const RecordSet& rs)
{
    const std::shared_ptr<const ColumnSet>& columns = rs.Columns();
    if (m_positions.empty() || m_of.owner_before(columns) || columns.owner_before(m_of) || m_of.expired()) {
        m_positions.clear();
        for (const QString& name : m_names)
            m_positions.push_back(columns ? columns->IndexOf(name) : -1);
        m_of = columns;
    }
    return m_positions;
}

RecordSet::~RecordSet()
{
    ReleaseQuietly();
}

RecordSet::RecordSet(RecordSet&& other) noexcept
    : m_db(other.m_db), m_generation(other.m_generation), m_open(other.m_open),
      m_columns(std::move(other.m_columns)), m_values(std::move(other.m_values)),
      m_rowCount(other.m_rowCount), m_position(other.m_position)
{
    other.m_db = nullptr;
    other.m_open = false;
    other.m_rowCount = 0;
}

RecordSet& RecordSet::operator=(RecordSet&& other) noexcept
{
    if (this != &other) {
        ReleaseQuietly();
        m_db = other.m_db;
        m_generation = other.m_generation;
        m_open = other.m_open;
        m_columns = std::move(other.m_columns);
        m_values = std::move(other.m_values);
        m_rowCount = other.m_rowCount;
        m_position = other.m_position;
        other.m_db = nullptr;
        other.m_open = false;
        other.m_rowCount = 0;
    }
    return *this;
}

void RecordSet::Fill(Statement& statement)
{
    m_values.clear();
    m_rowCount = 0;
    // The columns are read after the first step, which prepares the
    // statement again when the schema changed since it was cached.
    bool row = statement.Step();
    m_columns = statement.Columns();
    const int columns = m_columns->Count();
    for (; row; row = statement.Step()) {
        for (int i = 0; i < columns; ++i)
            m_values.emplaceBack(statement.Column(i));
        ++m_rowCount;
    }
    m_position = 0;
    m_open = true;
}

void RecordSet::Hold(CDataBase* db, uint64_t generation)
{
    m_db = db;
    m_generation = generation;
}

void RecordSet::ReleaseQuietly() noexcept
{
    CDataBase* db = m_db;
    m_db = nullptr;
    m_open = false;
    if (db)
        db->ReleaseLevel(m_generation, false);
}

void RecordSet::Close()
{
    CDataBase* db = m_db;
    m_db = nullptr;
    m_open = false;
    m_columns.reset();
    m_values.clear();
    m_rowCount = 0;
    m_position = 0;
    if (db && db->m_generation == m_generation && db->m_depth > 0)
        db->CommitTrans();
}

void RecordSet::MoveNext()
{
    if (IsEOF())
        throw NoCurrentRecord();
    ++m_position;
}

void RecordSet::MovePrevious()
{
    if (IsBOF())
        throw NoCurrentRecord();
    --m_position;
}

void RecordSet::MoveFirst()
{
    m_position = 0;
}

void RecordSet::MoveLast()
{
    m_position = m_rowCount > 0 ? m_rowCount - 1 : 0;
}

QString RecordSet::FieldName(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw ItemNotFound();
    return m_columns->Names().at(index);
}

int RecordSet::IndexOf(const QString& name) const
{
    const int index = m_columns ? m_columns->IndexOf(name) : -1;
    if (index < 0)
        throw ItemNotFound();
    return index;
}

const QVariant& RecordSet::ValueAt(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw ItemNotFound();
    if (!HasRow())
        throw NoCurrentRecord();
    return m_values[qsizetype(m_position) * FieldCount() + index];
}

QVariant RecordSet::Field(const QString& name) const
{
    return ValueAt(IndexOf(name));
}

QVariant RecordSet::Field(int index) const
{
    return ValueAt(index);
}

NullableString RecordSet::Text(const QString& name) const
{
    return VariantToText(Field(name));
}

Nullable<int32_t> RecordSet::Long(const QString& name) const
{
    return VariantToLong(Field(name));
}

Nullable<int16_t> RecordSet::Short(const QString& name) const
{
    return VariantToShort(Field(name));
}

Nullable<double> RecordSet::Double(const QString& name) const
{
    return VariantToDouble(Field(name));
}

Nullable<bool> RecordSet::Bool(const QString& name) const
{
    return VariantToBool(Field(name));
}

Nullable<QDateTime> RecordSet::DateTime(const QString& name) const
{
    return VariantToDateTime(Field(name));
}
