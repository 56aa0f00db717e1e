#pragma once

#include <QString>
#include <QStringList>

// Makes a program folder ready for a first start: a new database, then a
// settings file that names it. The database comes first and each file
// takes its name only when complete, so a run stopped at any point leaves
// nothing that a later run takes for a finished folder, and the temporary
// files of the stopped run are removed. A folder that has both is left
// alone.
//
// A folder that has its settings file is not new: a database missing there
// may only be out of reach (a share not mounted, a file moved), and an empty
// one made in its place would be worked on while the real one is elsewhere.
// It is made only when newDatabase asks, and never for a client (whose
// database is a server's). An existing database is never replaced.
//
// Returns the files made (none when the folder was ready); raises
// NevixError when a step fails or the folder is refused, leaving no
// half-made file behind.
QStringList PrepareProgramFolder(const QString& folder, bool newDatabase = false);

// Puts the information window's file into the folder unless one is there
// (the organisation's own is kept); true when it was put there. A new
// folder gets it from PrepareProgramFolder.
bool CopyInformationFile(const QString& folder);

// True for an address the program can reach the enquiry service at: http or
// https, with a host.
bool IsServiceAddress(const QString& url);
// Writes the enquiry service's address as NevixHost under [NevixServer] in
// the folder's settings file; raises NevixError when it cannot.
void WriteServiceAddress(const QString& folder, const QString& url);
