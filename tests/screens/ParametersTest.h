#pragma once

#include "support/LoggedOnTest.h"
#include "support/ServiceAccount.h"

#include "SimpleHttpServer.h"
#include "StandInService.h"

#include "accounts/Enquirers.h"
#include "database/CommsLock.h"
#include "database/SysParameters.h"
#include "screens/admin/ClientTab.h"
#include "screens/admin/EnquirersTab.h"
#include "screens/admin/MaintenanceTab.h"
#include "screens/admin/ServiceTab.h"
#include "screens/admin/frmParameters.h"
#include "service/frmHTTPComms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// The parameters screen on the standard fixture, opened for admin1 as the
// menu opens it (the administration lock taken first), the stand-in
// service on loopback behind it.
class ParametersTest : public LoggedOnTest {
protected:
    void SetUp() override
    {
        Make(options);
        ASSERT_TRUE(server.Listen());
        UseServiceAt(server.Url(), folder.SettingsFile);
        LogOn(Fixture::Admin);
    }
    ~ParametersTest() override
    {
        form.reset();
        UnloadHTTPCommsForm();
    }

    frmParameters& Open()
    {
        CommsLock lock;
        lock.AquireAdminLock(Fixture::Admin, &db());
        form = std::make_unique<frmParameters>(db(), userEditor, blacklistEditor);
        form->InitialiseForm();
        return *form;
    }
    void ShowTab(int tab) { form->sstParameters()->setCurrentIndex(tab); }

    SysParameters StoredParameters()
    {
        SysParameters parameters;
        parameters.SetDataSource(&db());
        parameters.Load();
        return parameters;
    }
    template <typename Change>
    void ChangeParameters(Change change)
    {
        SysParameters parameters = StoredParameters();
        change(parameters);
        parameters.Apply();
    }
    std::shared_ptr<Enquirers> StoredEnquirers()
    {
        auto enquirers = std::make_shared<Enquirers>();
        enquirers->SetDataSource(&db());
        enquirers->Load();
        return enquirers;
    }
    // Who holds the lock of the type ("" when it is free).
    QString LockHolder(int32_t type) { return Scalar("SELECT LockedBy FROM COMMSLOCK WHERE LockType=?", {type}).toString(); }
    QVariant Scalar(const char* sql, const SqlValues& values = {})
    {
        RecordSet rs = db().OpenRecordSet(QLatin1String(sql), values);
        const QVariant value = rs.IsEOF() ? QVariant() : rs.Field(0);
        rs.Close();
        return value;
    }

    FixtureOptions options;
    StandInService standIn;
    SimpleHttpServer server{[this](const SimpleHttpServer::Request& r) { return standIn.Handle(r); }};
    UserEditor userEditor;
    BlacklistEntryEditor blacklistEditor;
    std::unique_ptr<frmParameters> form;
};
