#include "accounts/Enquirers.h"

#include "accounts/DefaultMember.h"

#include <QStringList>

Enquirers::Pointer Enquirers::Find(const QString& EnquirerId) const
{
    for (const Pointer& enquirer : *this) {
        if (enquirer->EnquirerId() == EnquirerId)
            return enquirer;
    }
    return nullptr;
}

Enquirers::Pointer Enquirers::DefaultEnquirer() const
{
    return DefaultMember(*this);
}

QString Enquirers::GetEnquirerIdsAsString() const
{
    return GetEnquirerIds().join(QLatin1Char(','));
}

QStringList Enquirers::GetEnquirerIds() const
{
    QStringList ids;
    for (const Pointer& enquirer : *this)
        ids << enquirer->EnquirerId();
    return ids;
}

void Enquirers::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From Enquirer ORDER BY EnqName"));
}

void Enquirers::LoadByIds(const QString& Ids)
{
    // One bound value per listed id, as listed (an empty list asks for '').
    const QStringList ids = Ids.split(QLatin1Char(','));
    QStringList marks;
    SqlValues values;
    for (const QString& id : ids) {
        marks << QStringLiteral("?");
        values << id;
    }
    LoadBySQL(QStringLiteral("SELECT * From Enquirer where EnquirerId in (") +
                  marks.join(QLatin1Char(',')) + QStringLiteral(") ORDER BY EnqName"),
              values);
}

void Enquirers::LoadByUserId(const QString& UserId)
{
    LoadBySQL(QStringLiteral("SELECT Enquirer.* From Enquirer inner join USER_ENQUIRER_LINK on "
                             "Enquirer.EnquirerId = USER_ENQUIRER_LINK.EnquirerId where "
                             "USER_ENQUIRER_LINK.userId=? ORDER BY Enquirer.EnqName"),
              {UserId});
}
