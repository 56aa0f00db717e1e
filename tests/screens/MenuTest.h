#pragma once

#include "StandardFixture.h"
#include "support/TestWorld.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "screens/common/InitialisableForm.h"

#include <QDialog>
#include <QStringList>

#include <gtest/gtest.h>

// A screen the menu can open: counts its initialisations, or fails them.
class TestScreen : public QDialog, public InitialisableForm {
public:
    explicit TestScreen(QString title, bool fails = false) : m_fails(fails)
    {
        setObjectName(QStringLiteral("frmTestScreen"));
        setWindowTitle(std::move(title));
    }
    void InitialiseForm() override
    {
        ++initialised;
        if (m_fails)
            throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The screen broke"));
    }
    int initialised = 0;

private:
    bool m_fails;
};

// The standard fixture's program folder, its database as the program's
// global one, and a user logged on.
class MenuTest : public ::testing::Test {
protected:
    void Make(const FixtureOptions& options = {})
    {
        folder = Fixture::Standard(world.Folder(), world.clock().Now(), options);
        Settings().Load();
        Fixture::Connect(NewGlobalDatabase(), folder);
    }
    ~MenuTest() override
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

    QStringList Messages()
    {
        QStringList texts;
        for (const auto& box : world.ui().boxes)
            texts.append(box.text);
        return texts;
    }

    TestWorld world;
    Fixture::Folder folder;
};
