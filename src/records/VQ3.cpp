#include "records/VQ3.h"

#include "core/MakeGuid.h"
#include "core/VbFormat.h"
#include "database/CDataBase.h"
#include "database/InTransaction.h"
#include "database/RecordSet.h"
#include "database/SimpleDBkeyMaker.h"
#include "records/DayValue.h"
#include "records/JuxMessageErrors.h"
#include "records/XMLUtils.h"

namespace {
struct VQ3State : RecordState {
    std::unique_ptr<RecordState> own;
    std::shared_ptr<JuxMessageErrors> errors;
    std::unique_ptr<RecordState> errorMembers;
};

const QString TableName = QStringLiteral("VQ3_Enquiries");
} // namespace

VQ3::VQ3()
{
    Reset();
}

VQ3::VQ3(ForLoading)
{
    SetDefaultsBeforeRow();
    TakeSavedCopy();
}

VQ3::VQ3(ForList) {}

VQ3::~VQ3() = default;

void VQ3::SetDataSource(CDataBase* objDataSource)
{
    Record::SetDataSource(objDataSource);
    if (m_errors)
        m_errors->SetDataSource(objDataSource);
}

std::shared_ptr<JuxMessageErrors> VQ3::Errors() const
{
    if (!m_errors) {
        m_errors = std::make_shared<JuxMessageErrors>();
        m_errors->SetDataSource(DataSource());
    }
    return m_errors;
}

void VQ3::AddError(const QString& strErrorCode, const QString& strErrorDescription)
{
    auto error = std::make_shared<JuxMessageError>();
    error->SetErrorCode(strErrorCode);
    error->SetDescription(strErrorDescription);
    error->SetJuxMsgReference(Current().JuxMsgReference);
    Errors()->Add(std::move(error));
}

void VQ3::SetToDeleteErrors()
{
    Errors()->SetSetToClear(true);
    MarkDirty();
}

void VQ3::ClearValidatableErrors(const QString& sErrorCodeList)
{
    const QStringList codes = sErrorCodeList.split(QLatin1Char(','));
    for (const auto& error : *Errors()) {
        if (!error->ErrorCode().isEmpty() && codes.contains(error->ErrorCode(), Qt::CaseInsensitive))
            error->SetIsDeleted(true);
    }
}

QString VQ3::GetNevixMessageXmlString() const
{
    const VQ3Fields& f = Current();
    QString xml;
    xml.reserve(256);
    const auto element = [&xml](QLatin1String tag, const QString& value) {
        xml += QLatin1Char('<');
        xml += tag;
        xml += QLatin1Char('>');
        xml += value;
        xml += QLatin1String("</");
        xml += tag;
        xml += QLatin1Char('>');
    };
    const auto isoDay = [](const NullableDate& d) {
        return d ? FormatDateTime(*d, QStringLiteral("yyyy-mm-dd")) : QString();
    };
    xml += QLatin1String("<VQ3>");
    element(QLatin1String("DateOfEvent"), isoDay(f.DateOfEvent));
    element(QLatin1String("DateOfEnquiry"), isoDay(f.DateOfEnquiry));
    element(f.VRMVIN.size() < 8 ? QLatin1String("VRM") : QLatin1String("VIN"), f.VRMVIN);
    if (!f.EnquirerId.isEmpty())
        element(QLatin1String("EnquirerId"), f.EnquirerId);
    if (!f.EnquiryCode.isEmpty())
        element(QLatin1String("EnquiryCode"), f.EnquiryCode);
    if (!f.EnquiryReference.isEmpty())
        element(QLatin1String("EnquiryReference"), EscapeXMLString(f.EnquiryReference));
    if (!f.IntermediaryId.isEmpty())
        element(QLatin1String("IntermediaryId"), f.IntermediaryId);
    if (f.SkipVRMValidation)
        xml += QLatin1String("<SkipVRMValidation>true</SkipVRMValidation>");
    xml += QLatin1String("</VQ3>");
    return xml;
}

void VQ3::SetID(const QString& value)
{
    SetText(&VQ3Fields::ID, value, Qt::CaseInsensitive);
}

void VQ3::SetWhenEntered(const NullableDate& value)
{
    SetField(&VQ3Fields::WhenEntered, value);
}

void VQ3::SetDateOfEnquiry(const NullableDate& value)
{
    SetField(&VQ3Fields::DateOfEnquiry, value);
}

void VQ3::SetVRMVIN(const QString& value)
{
    SetText(&VQ3Fields::VRMVIN, value.trimmed().toUpper().remove(QLatin1Char(' ')), Qt::CaseSensitive);
}

void VQ3::SetDateOfEvent(const NullableDate& value)
{
    SetField(&VQ3Fields::DateOfEvent, value);
}

void VQ3::SetEnquiryReference(const QString& value)
{
    SetText(&VQ3Fields::EnquiryReference, value, Qt::CaseSensitive);
}

void VQ3::SetHardcopyResponse(bool value)
{
    SetField(&VQ3Fields::HardcopyResponse, value);
}

void VQ3::SetControlReference(int32_t value)
{
    SetField(&VQ3Fields::ControlReference, value);
}

void VQ3::SetUserName(const QString& value)
{
    SetText(&VQ3Fields::UserName, value, Qt::CaseInsensitive);
}

void VQ3::SetComputerName(const QString& value)
{
    SetText(&VQ3Fields::ComputerName, value.left(50), Qt::CaseInsensitive);
}

void VQ3::SetWhenPrepared(const NullableDate& value)
{
    SetField(&VQ3Fields::WhenPrepared, value);
}

void VQ3::SetWhenImported(const NullableDate& value)
{
    SetField(&VQ3Fields::WhenImported, value);
}

void VQ3::SetWhenSent(const NullableDate& value)
{
    SetField(&VQ3Fields::WhenSent, value);
}

void VQ3::SetResponseReceived(int32_t value)
{
    SetField(&VQ3Fields::ResponseReceived, value);
}

void VQ3::SetAutoImport(bool value)
{
    SetField(&VQ3Fields::AutoImport, value);
}

void VQ3::SetAutoResponseExported(bool value)
{
    SetField(&VQ3Fields::AutoResponseExported, value);
}

void VQ3::SetIntermediaryId(const QString& value)
{
    SetText(&VQ3Fields::IntermediaryId, value, Qt::CaseInsensitive);
}

void VQ3::SetJuxMsgReference(const QString& value)
{
    SetText(&VQ3Fields::JuxMsgReference, value, Qt::CaseInsensitive);
}

void VQ3::SetSkipVRMValidation(bool value)
{
    SetField(&VQ3Fields::SkipVRMValidation, value);
}

void VQ3::SetEnquirerId(const QString& value)
{
    SetText(&VQ3Fields::EnquirerId, value, Qt::CaseInsensitive);
}

void VQ3::SetEnquirerName(const QString& value)
{
    SetText(&VQ3Fields::EnquirerName, value, Qt::CaseSensitive);
}

void VQ3::SetEnquiryCode(const QString& value)
{
    SetText(&VQ3Fields::EnquiryCode, value, Qt::CaseInsensitive);
}

void VQ3::SetEnquiryCodeDesc(const QString& value)
{
    SetText(&VQ3Fields::EnquiryCodeDesc, value, Qt::CaseSensitive);
}

void VQ3::SetIsTest(bool value)
{
    SetField(&VQ3Fields::IsTest, value);
}

bool VQ3::IsDirty() const
{
    return m_flags.IsDirty || (m_errors && m_errors->IsDirty());
}

QString VQ3::ToString() const
{
    const VQ3Fields& f = Current();
    const QString day = f.DateOfEvent && f.DateOfEvent->isValid()
                            ? FormatDateTime(*f.DateOfEvent, QStringLiteral("yyyymmdd"))
                            : QString();
    return f.VRMVIN + QStringLiteral(", ") + day + QStringLiteral(", ") + f.EnquiryReference;
}

void VQ3::Load()
{
    LoadQuery(QStringLiteral("select * from VQ3_Enquiries where VQ3ID=?"), {Current().ID});
}

void VQ3::LoadByMatch(const QString& VRM, const QString& EnquiryReference, int32_t ControlReference,
                      const NullableDate& DateOfEvent, bool NotYetAutoExported)
{
    QString sql = QStringLiteral("select * from VQ3_Enquiries where VRM=? and Enquiry_Reference=?");
    SqlValues values{VRM, EnquiryReference};
    if (ControlReference > 0) {
        sql += QStringLiteral(" and Control_Reference=?");
        values << ControlReference;
    }
    sql += QStringLiteral(" and Date_Of_Event=?");
    values << DayOrNull(DateOfEvent);
    if (NotYetAutoExported)
        sql += QStringLiteral(" and Auto_Response_Exported=0 and Auto_Import=1");
    LoadQuery(sql, values);
}

void VQ3::LoadListColumns(const RecordSet& objRs)
{
    VQ3Fields& f = MutableFields();
    f.ID = objRs.Field(0).toString();
    f.VRMVIN = objRs.Field(1).toString();
    f.DateOfEvent = VariantToDateTime(objRs.Field(2));
    m_flags.OldTimeStamp = VariantToText(objRs.Field(3));
    m_flags.IsNew = false;
    m_listColumnsOnly = true;
    TakeSavedCopy();
}

bool VQ3::LoadRowOnly(const RecordSet& objRs)
{
    Record::LoadByRecordSet(objRs);
    return !IsNew() && !Current().JuxMsgReference.isEmpty();
}

void VQ3::LoadByRecordSet(const RecordSet& objRs)
{
    if (!LoadRowOnly(objRs))
        return;
    Errors()->SetDataSource(&RequireDataSource());
    m_errors->Load(Current().JuxMsgReference);
}

void VQ3::Apply()
{
    if (!IsDirty())
        return;
    if (m_flags.IsNew && m_flags.IsDeleted) {
        MarkApplied(std::nullopt); // never written: nothing to delete
        return;
    }
    // The columns it never read would overwrite the stored ones.
    if (m_listColumnsOnly && !m_flags.IsDeleted)
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Only part of the enquiry ") + Current().ID +
                             QStringLiteral(" was read: it must be loaded before it is saved"),
                         QStringLiteral("VQ3.Apply"));
    CDataBase& db = RequireDataSource();
    const QString stamp = CDataBase::MakeTimestamp();
    const std::unique_ptr<RecordState> before = SaveState();
    try {
        InTransaction(db, [&] { WriteWithErrors(db, stamp); });
    } catch (...) {
        RestoreState(*before);
        throw;
    }
    MarkApplied(stamp);
}

void VQ3::WriteWithErrors(CDataBase& db, const QString& stamp)
{
    if (m_flags.IsDeleted) {
        WriteOneRow(DeleteSql(), DeleteValues());
        db.Execute(QStringLiteral("DELETE FROM JUX_MSG_ERROR WHERE JuxMsgReference=?"),
                   {Current().JuxMsgReference});
        // The rows are gone: a clearing still asked for would keep the
        // enquiry dirty, and a second Apply would delete it again.
        Errors()->Clear();
        Errors()->SetSetToClear(false);
        return;
    }
    if (m_flags.IsNew)
        SetKey(db.KeyMaker().GenerateKey(TableName, m_v2AutoIncrementValue));
    // Given with the same write, so no row is ever seen without one.
    if (Current().EnquiryReference.isEmpty())
        MutableFields().EnquiryReference = QStringLiteral("NC3:") + Current().ID;
    WriteRow(RowValues(), stamp);
    if (Errors()->Count() > 0 || Errors()->SetToClear()) {
        m_errors->SetDataSource(&db);
        m_errors->ApplyWithMessageReference(Current().JuxMsgReference);
        m_errors->Load(Current().JuxMsgReference);
    }
}

std::unique_ptr<RecordState> VQ3::SaveState() const
{
    auto state = std::make_unique<VQ3State>();
    state->own = RecordOf::SaveState();
    state->errors = Errors();
    state->errorMembers = m_errors->SaveMembers();
    return state;
}

void VQ3::RestoreState(const RecordState& state)
{
    const auto& saved = static_cast<const VQ3State&>(state);
    RecordOf::RestoreState(*saved.own);
    m_errors = saved.errors;
    m_errors->RestoreMembers(*saved.errorMembers);
}

const RecordTable& VQ3::Table() const
{
    static const RecordTable table{TableName, QStringLiteral("VQ3ID"), TableName};
    return table;
}

void VQ3::SetDefaults()
{
    SetDefaultsBeforeRow();
    MutableFields().JuxMsgReference = MakeGuid();
}

void VQ3::SetDefaultsBeforeRow()
{
    RecordOf::SetDefaults();
    m_listColumnsOnly = false;
    m_errors = std::make_shared<JuxMessageErrors>();
    m_errors->SetDataSource(DataSource());
}

void VQ3::ReadRow(const RecordSet& rs)
{
    // The columns in the order they are read.
    thread_local ColumnPositions positions(
        {QStringLiteral("VQ3ID"), QStringLiteral("When_Entered"), QStringLiteral("Date_Of_Enquiry"),
         QStringLiteral("VRM"), QStringLiteral("Date_Of_Event"), QStringLiteral("Enquiry_Reference"),
         QStringLiteral("Hardcopy_Response"), QStringLiteral("Control_Reference"), QStringLiteral("When_Prepared"),
         QStringLiteral("WhenImported"), QStringLiteral("When_Sent"), QStringLiteral("Response_Received"),
         QStringLiteral("Auto_Import"), QStringLiteral("Auto_Response_Exported"), QStringLiteral("DvlaValidate"),
         QStringLiteral("JuxMsgReference"), QStringLiteral("IntermediaryId"), QStringLiteral("EnquirerId"),
         QStringLiteral("EnquirerName"), QStringLiteral("EnquiryCode"), QStringLiteral("EnquiryCodeDesc"),
         QStringLiteral("IsTest"), QStringLiteral("UserName"), QStringLiteral("ComputerName")});
    const std::vector<int>& at = positions.In(rs);
    size_t next = 0;
    const auto value = [&] { return rs.Field(at[next++]); };
    VQ3Fields& f = MutableFields();
    const auto text = [&](QString& field) {
        if (const auto v = VariantToText(value()))
            field = *v;
    };
    const auto flag = [&](bool& field) {
        if (const auto v = VariantToBool(value()))
            field = *v;
    };
    const auto number = [&](int32_t& field) {
        if (const auto v = VariantToLong(value()))
            field = *v;
    };
    const auto date = [&](NullableDate& field) { field = VariantToDateTime(value()); };
    text(f.ID);
    date(f.WhenEntered);
    date(f.DateOfEnquiry);
    text(f.VRMVIN);
    date(f.DateOfEvent);
    text(f.EnquiryReference);
    flag(f.HardcopyResponse);
    number(f.ControlReference);
    date(f.WhenPrepared);
    date(f.WhenImported);
    date(f.WhenSent);
    number(f.ResponseReceived);
    flag(f.AutoImport);
    flag(f.AutoResponseExported);
    flag(f.SkipVRMValidation);
    // A row without a reference gets a fresh one, as a new enquiry does.
    const NullableString reference = VariantToText(value());
    f.JuxMsgReference = reference ? *reference : MakeGuid();
    text(f.IntermediaryId);
    text(f.EnquirerId);
    text(f.EnquirerName);
    text(f.EnquiryCode);
    text(f.EnquiryCodeDesc);
    flag(f.IsTest);
    text(f.UserName);
    text(f.ComputerName);
}

ColumnValues VQ3::RowValues() const
{
    const VQ3Fields& f = Current();
    return {{QStringLiteral("When_Entered"), ToVariant(f.WhenEntered)},
            {QStringLiteral("Date_Of_Enquiry"), DayOrNull(f.DateOfEnquiry)},
            {QStringLiteral("VRM"), TextOrNull(f.VRMVIN)},
            {QStringLiteral("Date_Of_Event"), DayOrNull(f.DateOfEvent)},
            {QStringLiteral("Enquiry_Reference"), TextOrNull(f.EnquiryReference)},
            {QStringLiteral("Hardcopy_Response"), f.HardcopyResponse},
            {QStringLiteral("Control_Reference"), f.ControlReference},
            {QStringLiteral("When_Prepared"), ToVariant(f.WhenPrepared)},
            {QStringLiteral("WhenImported"), ToVariant(f.WhenImported)},
            {QStringLiteral("When_Sent"), ToVariant(f.WhenSent)},
            {QStringLiteral("Response_Received"), f.ResponseReceived},
            {QStringLiteral("Auto_Import"), f.AutoImport},
            {QStringLiteral("Auto_Response_Exported"), f.AutoResponseExported},
            {QStringLiteral("DvlaValidate"), f.SkipVRMValidation},
            {QStringLiteral("JuxMsgReference"), TextOrNull(f.JuxMsgReference)},
            {QStringLiteral("IntermediaryId"), TextOrNull(f.IntermediaryId)},
            {QStringLiteral("EnquirerId"), TextOrNull(f.EnquirerId)},
            {QStringLiteral("EnquirerName"), TextOrNull(f.EnquirerName)},
            {QStringLiteral("EnquiryCode"), TextOrNull(f.EnquiryCode)},
            {QStringLiteral("EnquiryCodeDesc"), TextOrNull(f.EnquiryCodeDesc)},
            {QStringLiteral("IsTest"), f.IsTest},
            {QStringLiteral("UserName"), TextOrNull(f.UserName)},
            {QStringLiteral("ComputerName"), TextOrNull(f.ComputerName)}};
}
