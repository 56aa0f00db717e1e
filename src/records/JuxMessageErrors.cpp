#include "records/JuxMessageErrors.h"

#include "database/CDataBase.h"
#include "database/InTransaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <utility>

struct JuxMessageErrors::ErrorsState : RecordState {
    explicit ErrorsState(Snapshot s) : snapshot(std::move(s)) {}
    Snapshot snapshot;
    bool setToClear = false;
    QString reference;
};

JuxMessageErrors::Pointer JuxMessageErrors::Find(const QString& ErrorCode) const
{
    for (const Pointer& error : *this) {
        if (error->ErrorCode() == ErrorCode)
            return error;
    }
    return nullptr;
}

void JuxMessageErrors::AddError(const QString& ErrorCode, const QString& Description)
{
    auto error = std::make_shared<JuxMessageError>();
    error->SetErrorCode(ErrorCode);
    error->SetDescription(Description);
    Add(std::move(error));
}

int64_t JuxMessageErrors::StoredRowsAtMost(CDataBase& db)
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT max(rowid) AS Last FROM JUX_MSG_ERROR"));
    const QVariant last = rs.HasRow() ? rs.Field(0) : QVariant();
    rs.Close();
    return last.isNull() ? 0 : last.toLongLong();
}

void JuxMessageErrors::Load(const QString& MessageReference)
{
    // Keys from the key maker grow with each error written: in key order the
    // errors come back in the order they were written.
    LoadBySQL(QStringLiteral("SELECT * From JUX_MSG_ERROR where JuxMsgReference=? ORDER BY ID"),
              {MessageReference});
    m_reference = MessageReference;
}

void JuxMessageErrors::LoadEach(CDataBase& db, const std::vector<std::pair<QString, JuxMessageErrors*>>& lists)
{
    // References compare as the column does: ASCII letters without case.
    QHash<QByteArray, std::vector<JuxMessageErrors*>> byReference;
    QJsonArray references;
    for (const auto& [reference, list] : lists) {
        list->Clear();
        list->SetDataSource(&db);
        list->m_reference = reference;
        std::vector<JuxMessageErrors*>& sharing = byReference[reference.toUtf8().toLower()];
        if (sharing.empty())
            references.append(reference);
        sharing.push_back(list);
    }
    if (references.isEmpty())
        return;
    // In stored order within a reference, as its index gives them. Where
    // the references are many against the errors stored, one pass over the
    // table costs less than looking each of them up.
    const QString reading =
        QStringLiteral("SELECT * FROM JUX_MSG_ERROR WHERE JuxMsgReference IS NOT NULL ORDER BY rowid");
    const QString lookingUp = QStringLiteral(
        "SELECT * FROM JUX_MSG_ERROR WHERE JuxMsgReference IN (SELECT value FROM json_each(?)) ORDER BY rowid");
    constexpr qsizetype FewReferences = 64;
    const bool readAll = references.size() >= FewReferences && references.size() * 2 >= StoredRowsAtMost(db);
    RecordSet rs = readAll ? db.OpenRecordSet(reading)
                           : db.OpenRecordSet(lookingUp, {QString::fromUtf8(
                                                             QJsonDocument(references).toJson(QJsonDocument::Compact))});
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const auto sharing =
            byReference.constFind(rs.Text(QStringLiteral("JuxMsgReference")).value_or(QString()).toUtf8().toLower());
        if (sharing == byReference.cend())
            continue;
        for (JuxMessageErrors* list : *sharing) {
            auto error = std::make_shared<JuxMessageError>();
            error->LoadByRecordSet(rs);
            error->SetDataSource(&db);
            list->Add(std::move(error));
        }
    }
    rs.Close();
}

void JuxMessageErrors::ApplyWithMessageReference(const QString& MessageReference)
{
    if (!IsDirty())
        return;
    CDataBase& db = RequireDataSource();
    const std::unique_ptr<RecordState> before = SaveMembers();
    try {
        InTransaction(db, [&] {
            if (m_setToClear) {
                // New errors held are dropped with the stored ones.
                db.Execute(QStringLiteral("DELETE FROM JUX_MSG_ERROR where JuxMsgReference=?"),
                           {m_reference});
                Clear();
                m_setToClear = false;
                return;
            }
            for (const Pointer& error : NewEnum()) {
                if (!error->IsDirty())
                    continue;
                error->SetDataSource(&db);
                if (!MessageReference.isEmpty())
                    error->SetJuxMsgReference(MessageReference);
                error->Apply();
            }
        });
    } catch (...) {
        RestoreMembers(*before);
        throw;
    }
}

QString JuxMessageErrors::ToString(bool IncludeCode) const
{
    QString text;
    for (const Pointer& error : *this) {
        const QString line =
            IncludeCode ? error->ErrorCode() + QLatin1Char(' ') + error->Description() : error->Description();
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += line;
    }
    return text;
}

std::unique_ptr<RecordState> JuxMessageErrors::SaveMembers() const
{
    auto state = std::make_unique<ErrorsState>(TakeSnapshot());
    state->setToClear = m_setToClear;
    state->reference = m_reference;
    return state;
}

void JuxMessageErrors::RestoreMembers(const RecordState& state)
{
    const auto& saved = static_cast<const ErrorsState&>(state);
    Restore(saved.snapshot);
    m_setToClear = saved.setToClear;
    m_reference = saved.reference;
}

QString JuxMessageErrors::KeyFor(const JuxMessageError& error) const
{
    if (!error.IsNew())
        return error.Key();
    // After a removal the count can repeat a key still held: take the next.
    for (int32_t n = Count() + 1;; ++n) {
        const QString key = QStringLiteral("N%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!Exists(key))
            return key;
    }
}
