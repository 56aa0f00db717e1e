#include "database/NevixParameters.h"

#include "database/RecordSet.h"

const RecordTable& NevixParameters::Table() const
{
    static const RecordTable table{QStringLiteral("NEVIX_PARAMETERS"), QStringLiteral("Id"),
                                   QStringLiteral("NEVIX_PARAMETERS")};
    return table;
}

void NevixParameters::SetDefaults()
{
    const QString id = Current().ID;
    MutableFields() = NevixParameterFields{};
    MutableFields().ID = id;
}

void NevixParameters::ReadRow(const RecordSet& rs)
{
    NevixParameterFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("Id")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("UserName")))
        f.UserName = *v;
    if (const auto v = rs.Text(QStringLiteral("NPassword")))
        f.Password = m_cipher.Decipher(*v);
}

ColumnValues NevixParameters::RowValues() const
{
    // A new row keeps an empty password as an empty text; an update
    // writes it as NULL. Both read back as empty.
    return {{QStringLiteral("UserName"), TextOrNull(Current().UserName)},
            {QStringLiteral("NPassword"), IsNew() ? QVariant(m_enciphered) : TextOrNull(m_enciphered)}};
}

void NevixParameters::Load()
{
    LoadQuery(QStringLiteral("select * from NEVIX_PARAMETERS"));
}

void NevixParameters::Apply()
{
    if (!IsDirty())
        return;
    m_enciphered = m_cipher.Encipher(Password());
    Record::Apply();
}
