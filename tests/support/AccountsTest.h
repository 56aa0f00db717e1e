#pragma once

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/UserGroup.h"
#include "accounts/Users.h"
#include "support/DatabaseTest.h"

#include <QStringList>

#include <initializer_list>

// A delivered database with builders for enquirers and users.
class AccountsTest : public DatabaseTest {
protected:
    // An enquirer with one reason per code (description "Reason <code>").
    std::shared_ptr<Enquirer> StoreEnquirer(const QString& id, const QString& name,
                                            std::initializer_list<const char*> codes = {})
    {
        auto enquirer = std::make_shared<Enquirer>();
        enquirer->SetDataSource(&db);
        enquirer->SetEnquirerId(id);
        enquirer->SetName(name);
        for (const char* code : codes) {
            auto reason = std::make_shared<EnquiryReason>();
            reason->SetEnquiryCode(QLatin1String(code));
            reason->SetDescription(QStringLiteral("Reason ") + QLatin1String(code));
            enquirer->AddEnquiryReason(reason);
        }
        enquirer->Apply();
        return enquirer;
    }

    // A user in the named groups, given the listed enquirers.
    std::shared_ptr<User> StoreUser(const QString& name, const QString& password,
                                    const QStringList& groups = {}, const QString& enquirerIds = {})
    {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db);
        user->SetUserName(name);
        user->SetPassword(password);
        db.BeginTrans();
        user->CreatePersistableId();
        for (const QString& name : groups) {
            UserGroup group;
            group.SetDataSource(&db);
            group.LoadByName(name);
            group.AddUser(*user);
        }
        if (!enquirerIds.isEmpty())
            user->ReplaceEnquirers(LoadedEnquirers(enquirerIds));
        user->Apply();
        db.CommitTrans();
        return user;
    }

    std::shared_ptr<Enquirers> LoadedEnquirers(const QString& ids = {})
    {
        auto enquirers = std::make_shared<Enquirers>();
        enquirers->SetDataSource(&db);
        if (ids.isEmpty())
            enquirers->Load();
        else
            enquirers->LoadByIds(ids);
        return enquirers;
    }

    std::shared_ptr<User> LoadedUser(const QString& name)
    {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db);
        user->LoadByUserName(name);
        return user;
    }

    // The enquirer ids linked to a user, in id order.
    QString LinkedIds(const QString& userId) const
    {
        return Scalar(QStringLiteral("SELECT group_concat(EnquirerId) FROM (SELECT EnquirerId FROM "
                                     "USER_ENQUIRER_LINK WHERE UserId=? ORDER BY EnquirerId)"),
                      {userId})
            .toString();
    }
};
