#include "accounts/User.h"

#include "accounts/Enquirers.h"
#include "accounts/UserEnquirerLink.h"
#include "accounts/UserGroups.h"
#include "accounts/Validation.h"
#include "core/VCipher.h"
#include "database/CDataBase.h"
#include "database/RecordSet.h"
#include "database/SimpleDBkeyMaker.h"

namespace {
struct UserState : RecordState {
    std::unique_ptr<RecordState> own;
    bool enquirerLinksChanged = false;
    std::shared_ptr<Enquirers> enquirers;
};
} // namespace

User::User()
{
    Reset();
}

User::~User() = default;

std::shared_ptr<Enquirers> User::Enquirers()
{
    if (!m_enquirers) {
        auto enquirers = std::make_shared<::Enquirers>();
        enquirers->SetDataSource(DataSource());
        enquirers->LoadByUserId(Current().UserId);
        m_enquirers = std::move(enquirers);
    }
    return m_enquirers;
}

void User::aReloadEnquirers()
{
    m_enquirers.reset();
    Enquirers();
}

std::shared_ptr<UserGroups> User::UserGroups()
{
    if (!m_groups) {
        CDataBase& db = RequireDataSource();
        auto groups = std::make_shared<::UserGroups>();
        db.BeginTrans();
        try {
            groups->SetDataSource(&db);
            groups->LoadForUser(*this);
            db.CommitTrans();
        } catch (...) {
            db.Rollback();
            throw;
        }
        m_groups = std::move(groups);
    }
    return m_groups;
}

void User::SetUserGroups(std::shared_ptr<::UserGroups> value)
{
    m_groups = std::move(value);
}

void User::ReplaceEnquirers(std::shared_ptr<::Enquirers> oEnquirers)
{
    if (!oEnquirers) {
        // None: an empty set, so that the next Apply only deletes links.
        oEnquirers = std::make_shared<::Enquirers>();
        oEnquirers->SetDataSource(DataSource());
    } else {
        const std::shared_ptr<::Enquirers> current = Enquirers();
        if (current->Count() == oEnquirers->Count()) {
            int32_t same = 0;
            for (const auto& enquirer : *oEnquirers) {
                if (current->Exists(enquirer->EnquirerId()))
                    ++same;
            }
            if (same == current->Count())
                return;
        }
    }
    m_enquirerLinksChanged = true;
    MarkDirty();
    m_enquirers = std::move(oEnquirers);
}

QString User::Roles()
{
    if (m_roles.isEmpty())
        LoadRoles();
    return m_roles;
}

bool User::IsAdminUser()
{
    // "SYSADMIN" contains "ADMIN": a system administrator is an administrator.
    return Roles().contains(QStringLiteral("ADMIN"), Qt::CaseInsensitive);
}

bool User::IsSysAdminUser()
{
    return Roles().contains(QStringLiteral("SYSADMIN"), Qt::CaseInsensitive);
}

void User::SetUserId(const QString& value)
{
    SetText(&UserFields::UserId, value, Qt::CaseInsensitive);
}

void User::CreatePersistableId()
{
    SetUserId(RequireDataSource().KeyMaker().GenerateKey(QStringLiteral("USERS")));
}

void User::SetUserName(const QString& value)
{
    MutableFields().UserName = TrimSpaces(value);
    if (value != Saved().UserName)
        MarkDirty();
}

void User::SetPassword(const QString& value)
{
    MutableFields().Password = TrimSpaces(value);
    if (value != Saved().Password)
        MarkDirty();
}

void User::SetDescription(const QString& value)
{
    SetText(&UserFields::Description, value, Qt::CaseSensitive);
}

void User::SetEnabled(bool value)
{
    SetField(&UserFields::Enabled, value);
}

void User::SetCanChangePassword(bool value)
{
    SetField(&UserFields::CanChangePassword, value);
}

void User::LoadByUserNameAndPassword(const QString& UserName, const QString& Password)
{
    LoadByUserName(UserName);
    // Passwords are case sensitive; the given one is compared as typed.
    if (!IsNew() && Current().Password != Password)
        m_flags.IsNew = true;
}

void User::Load()
{
    LoadQuery(QStringLiteral("SELECT * FROM USERS WHERE UserId=?"), {Current().UserId});
}

void User::LoadByUserName(const QString& UserName)
{
    LoadQuery(QStringLiteral("SELECT * FROM USERS WHERE UserName=?"), {TrimSpaces(UserName)});
}

void User::LoadRoles()
{
    m_roles.clear();
    for (const auto& group : *UserGroups()) {
        if (m_roles.isEmpty())
            m_roles = group->Roles();
        else
            m_roles += QLatin1Char(',') + group->Roles();
    }
}

void User::LoadByRecordSet(const RecordSet& objRs)
{
    Record::LoadByRecordSet(objRs);
    m_beenApplied = false;
    if (objRs.HasRow())
        m_enquirerLinksChanged = false;
}

void User::Apply()
{
    if (!IsDirty())
        return;
    CDataBase& db = RequireDataSource();
    const QString stamp = CDataBase::MakeTimestamp();
    const bool writes = !(m_flags.IsNew && m_flags.IsDeleted);
    // A key drawn here goes back with the rolled-back counter on failure:
    // kept, the next new user would be handed the same key.
    const bool drawsKey = writes && m_flags.IsNew && Current().UserId.isEmpty();
    db.BeginTrans();
    try {
        if (writes && m_flags.IsDeleted) {
            const SqlValues id{Current().UserId};
            db.Execute(QStringLiteral("DELETE FROM USER_GROUP_LINK WHERE UserId=?"), id);
            db.Execute(QStringLiteral("DELETE FROM USER_ENQUIRER_LINK WHERE UserId=?"), id);
            WriteOneRow(DeleteSql(), DeleteValues());
        } else if (writes) {
            if (m_flags.IsNew && Current().UserId.isEmpty())
                CreatePersistableId();
            CheckNameIsFree(db);
            if (m_enquirerLinksChanged)
                db.Execute(QStringLiteral("DELETE FROM USER_ENQUIRER_LINK WHERE UserId=?"),
                           {Current().UserId});
            WriteRow(RowValues(), stamp);
            if (m_enquirerLinksChanged)
                WriteEnquirerLinks(db);
        }
        db.CommitTrans();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
        }
        if (drawsKey)
            MutableFields().UserId.clear();
        throw;
    }
    MarkApplied(writes ? NullableString(stamp) : std::nullopt);
    m_enquirerLinksChanged = false;
}

void User::CheckNameIsFree(CDataBase& db) const
{
    RecordSet rs = db.OpenRecordSet(
        QStringLiteral("SELECT COUNT(*) FROM USERS WHERE UserName=? AND UserId<>?"),
        {Current().UserName, Current().UserId});
    const bool taken = rs.Field(0).toLongLong() > 0;
    rs.Close();
    if (taken)
        throw NevixError(ErrorNumbers::UserNameInUse,
                         QStringLiteral("The user name \"%1\" is already in use. User names must "
                                        "differ by more than letter case.")
                             .arg(Current().UserName),
                         QStringLiteral("User.Apply"));
}

void User::WriteEnquirerLinks(CDataBase& db)
{
    if (!m_enquirers)
        return;
    for (const auto& enquirer : *m_enquirers) {
        UserEnquirerLink link;
        link.SetEnquirerId(enquirer->EnquirerId());
        link.SetUserId(Current().UserId);
        link.SetDataSource(&db);
        link.Apply();
    }
}

std::unique_ptr<RecordState> User::SaveState() const
{
    auto state = std::make_unique<UserState>();
    state->own = RecordOf::SaveState();
    state->enquirerLinksChanged = m_enquirerLinksChanged;
    state->enquirers = m_enquirers;
    return state;
}

void User::RestoreState(const RecordState& state)
{
    const auto& saved = static_cast<const UserState&>(state);
    RecordOf::RestoreState(*saved.own);
    m_enquirerLinksChanged = saved.enquirerLinksChanged;
    m_enquirers = saved.enquirers;
}

const RecordTable& User::Table() const
{
    static const RecordTable table{QStringLiteral("USERS"), QStringLiteral("UserId")};
    return table;
}

void User::SetDefaults()
{
    RecordOf::SetDefaults();
    m_roles.clear();
    m_groups.reset();
    m_enquirers.reset();
}

const VCipher& User::Cipher() const
{
    if (!m_cipher)
        m_cipher = std::make_unique<VCipher>();
    return *m_cipher;
}

void User::ReadRow(const RecordSet& rs)
{
    UserFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("UserId")))
        f.UserId = *v;
    if (const auto v = rs.Text(QStringLiteral("UserName")))
        f.UserName = *v;
    if (const auto v = rs.Text(QStringLiteral("Description")))
        f.Description = *v;
    if (const auto v = rs.Text(QStringLiteral("UPassword")))
        f.Password = Cipher().Decipher(*v);
    if (const auto v = rs.Bool(QStringLiteral("Enabled")))
        f.Enabled = *v;
    if (const auto v = rs.Bool(QStringLiteral("CanChangPw")))
        f.CanChangePassword = *v;
}

ColumnValues User::RowValues() const
{
    const UserFields& f = Current();
    // A new row keeps an empty password as an empty text; an update writes
    // it as NULL. Both read back as empty.
    const QString enciphered = Cipher().Encipher(f.Password);
    return {{QStringLiteral("UserName"), f.UserName},
            {QStringLiteral("UPassword"), IsNew() ? QVariant(enciphered) : TextOrNull(enciphered)},
            {QStringLiteral("Description"), TextOrNull(f.Description)},
            {QStringLiteral("Enabled"), f.Enabled},
            {QStringLiteral("CanChangPw"), f.CanChangePassword}};
}
