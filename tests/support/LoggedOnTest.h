#pragma once

#include "StandardFixture.h"
#include "support/TestWorld.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"

#include <gtest/gtest.h>

// The standard fixture's program folder, its database as the program's
// global one, and a user logged on.
class LoggedOnTest : public ::testing::Test {
protected:
    void Make(const FixtureOptions& options = {})
    {
        folder = Fixture::Standard(world.Folder(), world.clock().Now(), options);
        Settings().Load();
        Fixture::Connect(NewGlobalDatabase(), folder);
    }
    ~LoggedOnTest() override
    {
        SetCurrentUser(nullptr);
        ReleaseGlobalDatabase();
    }

    CDataBase& db() { return GlobalDatabase(); }

    void LogOn(const QString& name)
    {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db());
        user->LoadByUserNameAndPassword(name, Fixture::Password);
        ASSERT_FALSE(user->IsNew()) << name.toStdString();
        SetCurrentUser(user);
    }

    // Another installation, on a connection of its own, deletes the record
    // stored under that key.
    template <typename Record>
    void DeleteElsewhere(const QString& id)
    {
        CDataBase other;
        Fixture::Connect(other, folder);
        Record theirs;
        theirs.SetDataSource(&other);
        theirs.SetID(id);
        theirs.Load();
        theirs.SetIsDeleted(true);
        theirs.Apply();
        other.Disconnect();
    }

    TestWorld world;
    Fixture::Folder folder;
};
