#include "accounts/SetupHelpers.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/UserGroup.h"
#include "accounts/Users.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/FormUtilities.h"
#include "core/Utils.h"

namespace {
const QString LineBreak = QStringLiteral("\r\n");

// Flags the chosen member as the only default of the collection.
template <typename Collection, typename Member>
void MakeOnlyDefault(const Collection& members, const Member& chosen)
{
    if (chosen->IsDefault())
        return;
    for (const auto& member : members)
        member->SetIsDefault(false);
    chosen->SetIsDefault(true);
}

void GiveEnquirersToGroup(const std::shared_ptr<Enquirers>& enquirers, const QString& groupName,
                          bool enabledOnly)
{
    UserGroup group;
    group.SetDataSource(enquirers->DataSource());
    group.LoadByName(groupName);
    for (const auto& user : *group.Users(enabledOnly)) {
        user->ReplaceEnquirers(enquirers);
        user->Apply();
    }
}
} // namespace

void EnsureDefaultEnquirerAndReason(const std::shared_ptr<Enquirers>& enquirers)
{
    if (const auto chosen = enquirers->DefaultEnquirer()) {
        MakeOnlyDefault(*enquirers, chosen);
        for (const auto& enquirer : *enquirers) {
            const auto reasons = enquirer->EnquiryReasons();
            if (const auto reason = reasons->DefaultReason())
                MakeOnlyDefault(*reasons, reason);
        }
    }
    AssignEnquirersToSystemGroups(enquirers);
}

void AssignEnquirersToSystemGroups(const std::shared_ptr<Enquirers>& enquirers)
{
    GiveEnquirersToGroup(enquirers, GroupNames::SystemUsers, true);
    GiveEnquirersToGroup(enquirers, GroupNames::Administrators, false);
}

bool ValidateEnquirerSetup(const Enquirers& enquirers)
{
    QString messages;
    if (enquirers.Count() >= 1) {
        const auto chosen = enquirers.DefaultEnquirer();
        if (!chosen || !chosen->IsDefault())
            messages = QStringLiteral("No default enquirer is set");
        for (const auto& enquirer : enquirers) {
            CheckEnquirerFolder(enquirer->ImportFolder(), enquirer->Name(), QStringLiteral("Import"),
                                messages);
            CheckEnquirerFolder(enquirer->ExportFolder(), enquirer->Name(), QStringLiteral("Export"),
                                messages);
            const auto reason = enquirer->EnquiryReasons()->DefaultReason();
            if (!reason || !reason->IsDefault())
                AppendWithSeparator(messages,
                                    QStringLiteral("Enqurier ") + enquirer->Name() +
                                        QStringLiteral(" does not have a default reason for enquiry"),
                                    LineBreak);
        }
    }
    if (messages.isEmpty())
        return true;
    TellUserWarning(messages, QString());
    return false;
}

void CheckEnquirerFolder(const QString& folder, const QString& enquirerName, const QString& kind,
                         QString& messages)
{
    const QString prefix = kind + QStringLiteral(" folder for ") + enquirerName;
    if (folder.isEmpty()) {
        AppendWithSeparator(messages, prefix + QStringLiteral(" cannot be blank"), LineBreak);
        return;
    }
    const QString failure = CheckFolderAccess(AddTrailingBackslash(AppRelativePath(folder)), true);
    if (!failure.isEmpty())
        AppendWithSeparator(messages, prefix + QStringLiteral(" cannot be written to: ") + failure,
                            LineBreak);
}

bool CheckAdminUserHasAllEnquirers(const Users& users, const Enquirers& enquirers)
{
    for (const auto& user : users) {
        if (user->IsAdminUser() && user->Enquirers()->Count() == enquirers.Count())
            return true;
    }
    TellUserWarning(QStringLiteral("You must have an Admin user that can access all the enquirers."),
                    QString());
    return false;
}
