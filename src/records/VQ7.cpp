#include "records/VQ7.h"

#include "core/MakeGuid.h"
#include "database/CDataBase.h"
#include "database/SimpleDBkeyMaker.h"
#include "records/DayValue.h"
#include "records/LongDate.h"

#include <QStringList>

#include <array>
#include <variant>

namespace {
using F = VQ7Fields;

// Dates written as the day alone, or with their time of day.
enum class Stored { Value, Day };

struct Column {
    const char* Name;
    std::variant<QString F::*, NullableDate F::*, int32_t F::*, int16_t F::*, bool F::*> Field;
    Stored Form = Stored::Value;
};

// Every column but the key and TmStamp, in the order of the table.
const std::array<Column, 52> Columns{{
    {"Control_Reference", &F::ControlReference},
    {"When_Prepared", &F::WhenPrepared, Stored::Day},
    {"When_Received", &F::WhenReceived},
    {"Date_Of_Response", &F::DateOfResponse, Stored::Day},
    {"VRM", &F::VRM},
    {"RegistrationNumber", &F::RegistrationNumber},
    {"TaxStatus", &F::TaxStatus},
    {"FleetNumber", &F::FleetNumber},
    {"SecondaryColour", &F::SecondaryColour},
    {"BodyType", &F::BodyType},
    {"Enquiry_Reference", &F::EnquiryReference},
    {"DVLA_ERR_Code", &F::DVLAERRCode},
    {"Hardcopy_Code", &F::HardcopyCode},
    {"Make", &F::Make},
    {"Model", &F::Model},
    {"Colour", &F::Colour},
    {"Engine_Capacity", &F::EngineCapacity},
    {"Seating_Capacity", &F::SeatingCapacity},
    {"Taxation_Category", &F::TaxClass},
    {"VIN", &F::VIN},
    {"Number_Of_Keepers", &F::NumberOfKeepers},
    {"Date_Last_Keeper_Change", &F::DateLastKeeperChange, Stored::Day},
    {"Date_Of_License_Expiry", &F::DateOfLicenseExpiry, Stored::Day},
    {"Date_Of_Theft", &F::DateOfTheft, Stored::Day},
    {"Date_Of_Recovery", &F::DateOfRecovery, Stored::Day},
    {"Date_Of_Event", &F::DateOfEvent, Stored::Day},
    {"Date_First_Registered", &F::DateFirstRegistered, Stored::Day},
    {"Keeper_Name_Code", &F::KeeperNameCode},
    {"Keeper_Title_Code", &F::KeeperTitleCode},
    {"Keeper_Name_1", &F::KeeperName1},
    {"Keeper_Name_2", &F::KeeperName2},
    {"Keeper_Address_1", &F::KeeperAddress1},
    {"Keeper_Address_2", &F::KeeperAddress2},
    {"Keeper_Address_3", &F::KeeperAddress3},
    {"Keeper_Address_4", &F::KeeperAddress4},
    {"Keeper_Post_Town", &F::KeeperPostTown},
    {"Keeper_Post_Code", &F::KeeperPostCode},
    {"Engine", &F::Engine},
    {"Title", &F::Title},
    {"DateofExport", &F::DateofExport, Stored::Day},
    {"DateofScrap", &F::DateofScrap, Stored::Day},
    {"CompanyName", &F::CompanyName},
    {"OtherName", &F::OtherName},
    {"Comment", &F::Comment},
    {"JuxMsgReference", &F::JuxMsgReference},
    {"ForAutoExport", &F::ForAutoExport},
    {"JuxExportedDate", &F::JuxExportedDate, Stored::Day},
    {"EnquirerId", &F::EnquirerId},
    {"EnquirerName", &F::EnquirerName},
    {"EnquiryCode", &F::EnquiryCode},
    {"EnquiryCodeDesc", &F::EnquiryCodeDesc},
    {"IsTest", &F::IsTest},
}};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Aggregate deduction alone is not enough for every compiler we build with.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The columns' names as the statements and the readers use them.
const std::array<QString, Columns.size()>& ColumnNames()
{
    static const std::array<QString, Columns.size()> names = [] {
        std::array<QString, Columns.size()> built;
        for (size_t i = 0; i < Columns.size(); ++i)
            built[i] = QLatin1String(Columns[i].Name);
        return built;
    }();
    return names;
}

// Where the reader finds each column, then the key.
ColumnPositions& ReadPositions()
{
    thread_local ColumnPositions positions([] {
        std::vector<QString> names(ColumnNames().begin(), ColumnNames().end());
        names.push_back(QStringLiteral("VQ7ID"));
        return names;
    }());
    return positions;
}

QVariant DateValue(const NullableDate& value, Stored form)
{
    if (form == Stored::Day)
        return DayOrNull(value);
    return value && value->isValid() ? QVariant(*value) : QVariant();
}

const QString LineBreak = QStringLiteral("\r\n");
const QString StoredLineBreak = QStringLiteral("\\n");
} // namespace

VQ7::VQ7()
{
    Reset();
    NewErrors();
}

VQ7::VQ7(ForLoading)
{
    SetDefaultsBeforeRow();
    TakeSavedCopy();
    NewErrors();
}

void VQ7::NewErrors()
{
    m_errors = std::make_shared<JuxMessageErrors>();
    m_errors->SetDataSource(DataSource());
}

void VQ7::SetDataSource(CDataBase* objDataSource)
{
    RecordOf::SetDataSource(objDataSource);
    m_errors->SetDataSource(objDataSource);
}

void VQ7::AddError(const QString& strErrorCode, const QString& strErrorDescription)
{
    auto error = std::make_shared<JuxMessageError>();
    error->SetErrorCode(strErrorCode);
    error->SetDescription(strErrorDescription);
    error->SetJuxMsgReference(JuxMsgReference());
    m_errors->Add(std::move(error));
}

void VQ7::SetToDeleteErrors()
{
    m_errors->SetSetToClear(true);
    MarkDirty();
}

namespace {
struct VQ7State : RecordState {
    std::unique_ptr<RecordState> record;
    std::shared_ptr<JuxMessageErrors> errors;
    std::unique_ptr<RecordState> members;
};
} // namespace

std::unique_ptr<RecordState> VQ7::SaveState() const
{
    auto state = std::make_unique<VQ7State>();
    state->record = RecordOf::SaveState();
    state->errors = m_errors;
    state->members = m_errors->SaveMembers();
    return state;
}

void VQ7::RestoreState(const RecordState& state)
{
    const auto& own = static_cast<const VQ7State&>(state);
    RecordOf::RestoreState(*own.record);
    m_errors = own.errors;
    m_errors->RestoreMembers(*own.members);
}

const RecordTable& VQ7::Table() const
{
    static const RecordTable table{QStringLiteral("VQ7_Responses"), QStringLiteral("VQ7ID"),
                                   QStringLiteral("VQ7_Responses")};
    return table;
}

void VQ7::SetDefaults()
{
    SetDefaultsBeforeRow();
    MutableFields().JuxMsgReference = MakeGuid();
}

void VQ7::SetDefaultsBeforeRow()
{
    RecordOf::SetDefaults();
}

QString VQ7::Comment() const
{
    return QString(Current().Comment).replace(StoredLineBreak, LineBreak);
}

void VQ7::SetComment(const QString& v)
{
    SetText(&F::Comment, QString(v).replace(LineBreak, StoredLineBreak), Qt::CaseSensitive);
}

bool VQ7::IsLegacyData() const
{
    const F& f = Current();
    return f.DateFirstRegistered || f.DateOfLicenseExpiry || f.DateLastKeeperChange ||
           f.DateOfRecovery || f.DateOfTheft || f.DateofScrap || f.DateofExport ||
           f.NumberOfKeepers != 0;
}

void VQ7::ReadRow(const RecordSet& rs)
{
    F& f = MutableFields();
    const std::vector<int>& at = ReadPositions().In(rs);
    bool noReference = false;
    for (size_t i = 0; i < Columns.size(); ++i) {
        const QVariant value = rs.Field(at[i]);
        std::visit(Overloaded{
                       [&](QString F::*m) {
                           f.*m = VariantToText(value).value_or(f.*m);
                           if (m == &F::JuxMsgReference)
                               noReference = value.isNull();
                       },
                       [&](NullableDate F::*m) { f.*m = VariantToDateTime(value); },
                       [&](int32_t F::*m) { f.*m = VariantToLong(value).value_or(f.*m); },
                       [&](int16_t F::*m) { f.*m = VariantToShort(value).value_or(f.*m); },
                       [&](bool F::*m) { f.*m = VariantToBool(value).value_or(f.*m); },
                   },
                   Columns[i].Field);
    }
    f.ID = VariantToText(rs.Field(at[Columns.size()])).value_or(QString());
    // A row without a reference gets a fresh one, as a new response does.
    if (noReference)
        f.JuxMsgReference = MakeGuid();
}

ColumnValues VQ7::RowValues() const
{
    const F& f = Current();
    ColumnValues values;
    values.reserve(Columns.size());
    for (const Column& column : Columns) {
        const QVariant value = std::visit(
            Overloaded{
                [&](QString F::*m) { return TextOrNull(f.*m); },
                [&](NullableDate F::*m) { return DateValue(f.*m, column.Form); },
                [&](int32_t F::*m) { return QVariant(f.*m); },
                [&](int16_t F::*m) { return QVariant(int(f.*m)); },
                [&](bool F::*m) { return QVariant(f.*m); },
            },
            column.Field);
        values.push_back({ColumnNames()[size_t(&column - Columns.data())], value});
    }
    return values;
}

bool VQ7::LoadRowOnly(const RecordSet& objRs)
{
    m_vq3ControlReference = -1;
    NewErrors();
    RecordOf::LoadByRecordSet(objRs);
    return !IsNew() && !JuxMsgReference().isEmpty();
}

void VQ7::LoadByRecordSet(const RecordSet& objRs)
{
    if (LoadRowOnly(objRs))
        m_errors->Load(JuxMsgReference());
}

void VQ7::Load()
{
    LoadQuery(QStringLiteral("select * from VQ7_Responses where VQ7ID = ?"), {ID()});
}

void VQ7::LoadByEnquiryRefAndControlRef(const QString& sEnquiryReference, int32_t lControlReference)
{
    LoadQuery(QStringLiteral("select * from VQ7_Responses where Enquiry_Reference = ? and "
                             "Control_Reference = ?"),
              {sEnquiryReference, lControlReference});
}

RecordSet VQ7::GetAsRecordSet() const
{
    return RequireDataSource().OpenRecordSet(
        QStringLiteral("select * from VQ7_Responses where VQ7ID = ?"), {ID()});
}

void VQ7::Apply()
{
    if (!IsDirty())
        return;
    ApplyOnce();
    if (!IsDeleted() && EnquiryReference().isEmpty()) {
        SetEnquiryReference(QStringLiteral("NC3") + ID());
        ApplyOnce();
    }
}

void VQ7::ApplyOnce()
{
    CDataBase& db = RequireDataSource();
    if (IsNew() && IsDeleted()) {
        MarkApplied(std::nullopt); // created and deleted before it was ever written
        return;
    }
    const QString stamp = CDataBase::MakeTimestamp();
    if (IsNew())
        SetID(db.KeyMaker().GenerateKey(Table().KeyCounter, m_v2AutoIncrementValue));

    // Errors written inside a transaction that is then undone must be
    // written again next time.
    const std::unique_ptr<RecordState> errorsBefore = m_errors->SaveMembers();
    m_errors->SetDataSource(&db);
    db.BeginTrans();
    try {
        if (IsDeleted() && !IsNew()) {
            WriteOneRow(DeleteSql(), DeleteValues());
            db.Execute(QStringLiteral("DELETE FROM JUX_MSG_ERROR WHERE JuxMsgReference = ?"),
                       {JuxMsgReference()});
            m_errors->Clear();
        } else {
            WriteRow(RowValues(), stamp);
        }
        // A deletion asked for by SetToDeleteErrors is written even when
        // the list is empty.
        if (m_errors->Count() > 0 || m_errors->SetToClear())
            m_errors->Apply();
        db.CommitTrans();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
        }
        m_errors->RestoreMembers(*errorsBefore);
        throw;
    }
    MarkApplied(stamp);
}

QString VQ7::ColumnHeadingsToString()
{
    return QStringList{QStringLiteral("Control Reference"), QStringLiteral("When Prepared"),
                       QStringLiteral("When Received"), QStringLiteral("Date Of Response"),
                       QStringLiteral("VRM"), QStringLiteral("Enquiry Reference"),
                       QStringLiteral("DVLA Error"), QStringLiteral("Hardcopy"),
                       QStringLiteral("Enquirer Id"), QStringLiteral("Enquirer Name"),
                       QStringLiteral("Enquiry Code"), QStringLiteral("Enquiry Description"),
                       QStringLiteral("Exported on"), QStringLiteral("Registration Number")}
        .join(QLatin1Char('\t'));
}

QString VQ7::ColumnsToString() const
{
    const F& f = Current();
    const QStringList values{QString::number(f.ControlReference), LongDate(f.WhenPrepared),
                             LongDate(f.WhenReceived, true), LongDate(f.DateOfResponse),
                             f.VRM, f.EnquiryReference, f.DVLAERRCode, f.HardcopyCode,
                             f.EnquirerId, f.EnquirerName, f.EnquiryCode, f.EnquiryCodeDesc,
                             LongDate(f.JuxExportedDate), f.RegistrationNumber, f.TaxStatus,
                             f.FleetNumber, f.SecondaryColour, f.BodyType};
    QString line;
    for (const QString& value : values)
        line += value + QLatin1Char('\t');
    return line;
}
