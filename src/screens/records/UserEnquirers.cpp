#include "screens/records/UserEnquirers.h"

#include "accounts/Enquirers.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"

#include <QStringList>

bool EnquirersFiltered(const Enquirers& userEnquirers, CDataBase& db)
{
    Enquirers all;
    all.SetDataSource(&db);
    all.Load();
    return userEnquirers.Count() != all.Count();
}

void ShowUserEnquirers(const Enquirers& userEnquirers)
{
    if (userEnquirers.Count() == 0) {
        TellUser(QStringLiteral("You have not been allocated an enquirer."), QString(), MsgBox::Information);
        return;
    }
    QStringList names;
    for (const auto& enquirer : userEnquirers)
        names << enquirer->Name();
    TellUser(QStringLiteral("Your user name allows you to raise and import Enquiries for the following Enquirers"),
             names.join(QStringLiteral("\r\n")), MsgBox::Information);
}
