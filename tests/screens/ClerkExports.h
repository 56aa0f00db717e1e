#pragma once

#include "support/LoggedOnTest.h"

#include "accounts/Enquirer.h"
#include "accounts/Enquirers.h"

#include <QDir>

// The standard fixture in which clerk1's one enquirer exports into
// "+exports", a folder of the program folder.
inline void MakeClerkExportFolder(CDataBase& db, const QString& programFolder)
{
    Enquirers enquirers;
    enquirers.SetDataSource(&db);
    enquirers.LoadByIds(Fixture::FirstEnquirer);
    enquirers.Item(1)->SetExportFolder("+exports");
    enquirers.Apply();
    QDir(programFolder).mkdir("exports");
}
