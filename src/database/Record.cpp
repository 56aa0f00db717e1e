#include "database/Record.h"

#include "database/CDataBase.h"
#include "database/RecordSet.h"
#include "database/SimpleDBkeyMaker.h"

#include <QStringList>

namespace {
const QString StampColumn = QStringLiteral("TmStamp");

QString Bracketed(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}
} // namespace

NevixError Record::ConcurrencyError()
{
    return NevixError(ErrorNumbers::Concurrency, QStringLiteral("Concurrency prevented update."));
}

QVariant Record::TextOrNull(const QString& value)
{
    return value.isEmpty() ? QVariant() : QVariant(value);
}

void Record::SetIsDeleted(bool value)
{
    m_flags.IsDeleted = value;
    if (value != m_savedFlags.IsDeleted)
        MarkDirty();
}

void Record::SetOldTimeStamp(const NullableString& value)
{
    m_flags.OldTimeStamp = value;
    m_flags.Written.reset();
    if (value != m_savedFlags.OldTimeStamp)
        MarkDirty();
}

void Record::TakeSavedCopy()
{
    CopyFieldsToSaved();
    m_savedFlags = m_flags;
}

void Record::RestoreSavedCopy()
{
    CopySavedToFields();
    m_flags = m_savedFlags;
}

void Record::EndSetDefaultsEdit()
{
    m_flags.IsDirty = false;
    TakeSavedCopy();
    m_beenApplied = false;
}

void Record::EndEdit()
{
    TakeSavedCopy();
    m_beenApplied = true;
}

void Record::CancelEdit()
{
    RestoreSavedCopy();
    m_beenApplied = false;
}

void Record::Reset()
{
    SetDefaults();
    m_flags = RecordFlags{};
    TakeSavedCopy();
    m_beenApplied = false;
}

std::pair<QString, bool> Record::NextKeyDraw() const
{
    if (!IsDirty() || !m_flags.IsNew || m_flags.IsDeleted)
        return {};
    return {Table().KeyCounter, m_v2AutoIncrementValue >= 0};
}

CDataBase& Record::RequireDataSource() const
{
    if (!m_db)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No data source"),
                         Table().Name + QStringLiteral(".Apply"));
    return *m_db;
}

void Record::LoadByRecordSet(const RecordSet& objRs)
{
    const bool row = objRs.HasRow();
    if (row)
        SetDefaultsBeforeRow();
    else
        SetDefaults();
    m_flags = RecordFlags{};
    m_beenApplied = false;
    if (row) {
        ReadRow(objRs);
        m_flags.OldTimeStamp = objRs.Text(StampColumn);
        m_flags.IsNew = false;
    }
    TakeSavedCopy();
}

void Record::LoadQuery(const QString& sql, const SqlValues& values)
{
    RecordSet rs = RequireDataSource().OpenRecordSet(sql, values);
    LoadByRecordSet(rs);
    rs.Close();
}

QString Record::InsertSql(const ColumnValues& columns) const
{
    const RecordTable& table = Table();
    if (table.InsertText.isEmpty()) {
        QStringList names{Bracketed(table.KeyColumn)};
        for (const ColumnValue& column : columns)
            names << Bracketed(column.Name);
        names << StampColumn;
        QStringList marks;
        marks.fill(QStringLiteral("?"), names.size());
        table.InsertText = QStringLiteral("INSERT INTO ") + Bracketed(table.Name) +
                           QStringLiteral(" (") + names.join(QLatin1Char(',')) +
                           QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) +
                           QLatin1Char(')');
    }
    return table.InsertText;
}

QString Record::UpdateSql(const ColumnValues& columns) const
{
    const RecordTable& table = Table();
    const auto build = [&] {
        QString text = QStringLiteral("UPDATE ") + Bracketed(table.Name) + QStringLiteral(" SET ");
        for (const ColumnValue& column : columns)
            text += Bracketed(column.Name) + QStringLiteral("=?,");
        return text + StampColumn + QStringLiteral("=? WHERE ") + Bracketed(table.KeyColumn) +
               QStringLiteral("=? AND TmStamp ") +
               (m_flags.OldTimeStamp ? QStringLiteral("=?") : QStringLiteral("IS NULL"));
    };
    const int stamped = m_flags.OldTimeStamp ? 1 : 0;
    if (m_flags.Written && columns.size() != m_flags.Written->size()) {
        // A record writes the same few columns again and again.
        QString names;
        for (const ColumnValue& column : columns)
            names += column.Name + QLatin1Char(',');
        QString& text = table.NarrowUpdateTexts[stamped][names];
        if (text.isEmpty())
            text = build();
        return text;
    }
    QString& text = table.UpdateText[stamped];
    if (text.isEmpty())
        text = build();
    return text;
}

ColumnValues Record::ChangedColumns(const ColumnValues& columns) const
{
    const ColumnValues* written = m_flags.Written.get();
    if (!written || written->size() != columns.size())
        return columns;
    ColumnValues changed;
    for (size_t i = 0; i < columns.size(); ++i) {
        const QVariant& before = (*written)[i].Value;
        const QVariant& now = columns[i].Value;
        if ((*written)[i].Name != columns[i].Name || before.metaType() != now.metaType() || before != now)
            changed.push_back(columns[i]);
    }
    return changed;
}

QString Record::DeleteSql() const
{
    const RecordTable& table = Table();
    QString& text = table.DeleteText[m_flags.OldTimeStamp ? 1 : 0];
    if (text.isEmpty())
        text = QStringLiteral("DELETE FROM ") + Bracketed(table.Name) + QStringLiteral(" WHERE ") +
               Bracketed(table.KeyColumn) + QStringLiteral("=? AND TmStamp ") +
               (m_flags.OldTimeStamp ? QStringLiteral("=?") : QStringLiteral("IS NULL"));
    return text;
}

SqlValues Record::InsertValues(const ColumnValues& columns, const QString& newStamp) const
{
    SqlValues values;
    values.reserve(qsizetype(columns.size()) + 2);
    values << Key();
    for (const ColumnValue& column : columns)
        values << column.Value;
    values << newStamp;
    return values;
}

SqlValues Record::UpdateValues(const ColumnValues& columns, const QString& newStamp) const
{
    SqlValues values;
    values.reserve(qsizetype(columns.size()) + 3);
    for (const ColumnValue& column : columns)
        values << column.Value;
    values << newStamp << Key();
    if (m_flags.OldTimeStamp)
        values << *m_flags.OldTimeStamp;
    return values;
}

SqlValues Record::DeleteValues() const
{
    SqlValues values{Key()};
    if (m_flags.OldTimeStamp)
        values << *m_flags.OldTimeStamp;
    return values;
}

void Record::WriteOneRow(const QString& sql, const SqlValues& values)
{
    m_justWritten.reset();
    if (RequireDataSource().ExecuteUpdate(sql, values) != 1)
        throw ConcurrencyError();
}

void Record::WriteRow(ColumnValues columns, const QString& newStamp)
{
    if (m_flags.IsNew) {
        WriteOneRow(InsertSql(columns), InsertValues(columns, newStamp));
    } else {
        const ColumnValues changed = ChangedColumns(columns);
        WriteOneRow(UpdateSql(changed), UpdateValues(changed, newStamp));
    }
    m_justWritten = std::make_shared<const ColumnValues>(std::move(columns));
}

void Record::MarkApplied(const NullableString& newStamp)
{
    if (newStamp) {
        m_flags.OldTimeStamp = newStamp;
        m_flags.Written = std::exchange(m_justWritten, nullptr);
    }
    m_flags.IsDirty = false;
    m_flags.IsNew = false;
    TakeSavedCopy();
    m_beenApplied = true;
}

void Record::Apply()
{
    if (!IsDirty())
        return;
    CDataBase& db = RequireDataSource();
    const QString stamp = CDataBase::MakeTimestamp();
    if (m_flags.IsNew && m_flags.IsDeleted) {
        MarkApplied(std::nullopt); // created and deleted before it was ever written
        return;
    }
    if (m_flags.IsDeleted) {
        WriteOneRow(DeleteSql(), DeleteValues());
    } else {
        const RecordTable& table = Table();
        if (m_flags.IsNew && !table.KeyCounter.isEmpty())
            SetKey(db.KeyMaker().GenerateKey(table.KeyCounter, m_v2AutoIncrementValue));
        WriteRow(RowValues(), stamp);
    }
    MarkApplied(stamp);
}
