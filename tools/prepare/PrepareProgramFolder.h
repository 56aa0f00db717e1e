#pragma once

#include <QString>
#include <QStringList>

// Makes a program folder ready for a first start: a new database, then a
// settings file that names it. The database comes first and each file
// takes its name only when complete, so a run stopped at any point leaves
// nothing that a later run takes for a finished folder: a settings file
// whose database is missing gets its database, and the temporary files of
// the stopped run are removed. A folder that has both is left alone, and so
// is a client's folder whose shared database cannot be seen (a new empty
// file there would hide the real one).
//
// Returns the files made (none when the folder was ready); raises
// NevixError when a step fails, leaving no half-made file behind.
QStringList PrepareProgramFolder(const QString& folder);

// Puts the information window's file into the folder unless one is there
// (the organisation's own is kept); true when it was put there. A new
// folder gets it from PrepareProgramFolder.
bool CopyInformationFile(const QString& folder);
