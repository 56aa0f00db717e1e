#pragma once

// The service an installation talks to: its account in the global database
// and its host in the installation's settings file.

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/GlobalDatabase.h"
#include "database/NevixParameters.h"

#include <QString>

// Stores the account "nevixuser" with the password "Pa55word".
inline void StoreServiceAccount()
{
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.SetUserName(QStringLiteral("nevixuser"));
    account.SetPassword(QStringLiteral("Pa55word"));
    account.Apply();
}

// Points the settings file `ini` at the service at `url` and reloads the
// settings.
inline void UseServiceAt(const QString& url, const QString& ini)
{
    INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), url, ini);
    Settings().Load();
}
