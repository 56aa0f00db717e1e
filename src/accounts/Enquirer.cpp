#include "accounts/Enquirer.h"

#include "accounts/EnquiryReasons.h"
#include "database/CDataBase.h"
#include "database/RecordSet.h"

namespace {
struct EnquirerState : RecordState {
    std::unique_ptr<RecordState> own;
    std::shared_ptr<EnquiryReasons> reasons;
    std::unique_ptr<RecordState> reasonMembers;
};
} // namespace

Enquirer::Enquirer() = default;
Enquirer::~Enquirer() = default;

std::shared_ptr<EnquiryReasons> Enquirer::EnquiryReasons()
{
    if (!m_reasons) {
        auto reasons = std::make_shared<::EnquiryReasons>();
        reasons->SetDataSource(DataSource());
        reasons->Load(Current().EnquirerId);
        m_reasons = std::move(reasons);
    }
    return m_reasons;
}

void Enquirer::AddEnquiryReason(std::shared_ptr<EnquiryReason> oReason)
{
    if (!m_reasons) {
        m_reasons = std::make_shared<::EnquiryReasons>();
        m_reasons->SetDataSource(DataSource());
    }
    oReason->SetEnquirerId(Current().EnquirerId);
    m_reasons->Add(std::move(oReason));
}

void Enquirer::SetEnquirerId(const QString& value)
{
    SetText(&EnquirerFields::EnquirerId, value, Qt::CaseInsensitive);
}

void Enquirer::SetName(const QString& value)
{
    SetText(&EnquirerFields::Name, value, Qt::CaseSensitive);
}

void Enquirer::SetIntermediaryId(const QString& value)
{
    SetText(&EnquirerFields::IntermediaryId, value, Qt::CaseSensitive);
}

void Enquirer::SetExportFolder(const QString& value)
{
    SetText(&EnquirerFields::ExportFolder, value, Qt::CaseSensitive);
}

void Enquirer::SetImportFolder(const QString& value)
{
    SetText(&EnquirerFields::ImportFolder, value, Qt::CaseSensitive);
}

void Enquirer::SetIsDefault(bool value)
{
    SetField(&EnquirerFields::IsDefault, value);
}

void Enquirer::SetIsEnabled(bool value)
{
    SetField(&EnquirerFields::IsEnabled, value);
}

bool Enquirer::IsDirty() const
{
    return m_flags.IsDirty || (m_reasons && m_reasons->IsDirty());
}

void Enquirer::Apply()
{
    if (!IsDirty())
        return;
    if (m_flags.IsNew && m_flags.IsDeleted) {
        MarkApplied(std::nullopt); // never written, nothing to delete
        return;
    }
    CDataBase& db = RequireDataSource();
    const QString stamp = CDataBase::MakeTimestamp();
    const std::unique_ptr<RecordState> before = SaveState();
    db.BeginTrans();
    try {
        if (m_flags.IsDeleted) {
            // The enquirer's reasons and user links go with it, whether
            // loaded or not.
            const SqlValues id{Current().EnquirerId};
            db.Execute(QStringLiteral("DELETE FROM ENQUIRY_REASON WHERE EnquirerId=?"), id);
            db.Execute(QStringLiteral("DELETE FROM USER_ENQUIRER_LINK WHERE EnquirerId=?"), id);
            WriteOneRow(DeleteSql(), DeleteValues());
        } else {
            WriteRow(RowValues(), stamp);
            if (m_reasons) {
                m_reasons->SetDataSource(&db);
                m_reasons->Apply();
            }
        }
        db.CommitTrans();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
        }
        RestoreState(*before);
        throw;
    }
    if (m_flags.IsDeleted)
        m_reasons.reset(); // their rows went with the enquirer's
    MarkApplied(stamp);
}

std::unique_ptr<RecordState> Enquirer::SaveState() const
{
    auto state = std::make_unique<EnquirerState>();
    state->own = RecordOf::SaveState();
    state->reasons = m_reasons;
    if (m_reasons)
        state->reasonMembers = m_reasons->SaveMembers();
    return state;
}

void Enquirer::RestoreState(const RecordState& state)
{
    const auto& saved = static_cast<const EnquirerState&>(state);
    RecordOf::RestoreState(*saved.own);
    m_reasons = saved.reasons;
    if (m_reasons)
        m_reasons->RestoreMembers(*saved.reasonMembers);
}

const RecordTable& Enquirer::Table() const
{
    static const RecordTable table{QStringLiteral("ENQUIRER"), QStringLiteral("EnquirerId")};
    return table;
}

void Enquirer::SetDefaults()
{
    RecordOf::SetDefaults();
    m_reasons.reset();
}

void Enquirer::ReadRow(const RecordSet& rs)
{
    EnquirerFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("EnquirerId")))
        f.EnquirerId = *v;
    if (const auto v = rs.Text(QStringLiteral("EnqName")))
        f.Name = *v;
    if (const auto v = rs.Text(QStringLiteral("IntermediaryId")))
        f.IntermediaryId = *v;
    if (const auto v = rs.Text(QStringLiteral("ExportFolder")))
        f.ExportFolder = *v;
    if (const auto v = rs.Text(QStringLiteral("ImportFolder")))
        f.ImportFolder = *v;
    if (const auto v = rs.Bool(QStringLiteral("IsDefault")))
        f.IsDefault = *v;
    if (const auto v = rs.Bool(QStringLiteral("IsEnabled")))
        f.IsEnabled = *v;
}

ColumnValues Enquirer::RowValues() const
{
    const EnquirerFields& f = Current();
    return {{QStringLiteral("EnqName"), TextOrNull(f.Name)},
            {QStringLiteral("IntermediaryId"), TextOrNull(f.IntermediaryId)},
            {QStringLiteral("ExportFolder"), TextOrNull(f.ExportFolder)},
            {QStringLiteral("ImportFolder"), TextOrNull(f.ImportFolder)},
            {QStringLiteral("IsDefault"), f.IsDefault},
            {QStringLiteral("IsEnabled"), f.IsEnabled}};
}
