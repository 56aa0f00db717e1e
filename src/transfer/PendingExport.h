#pragma once

#include "core/SharedFolderFile.h"

#include <QString>

#include <cstdint>

// An export file whose records are marked exported but which may not have
// its name yet, as its row in PENDING_EXPORTS describes it.
//
// A new file (an unattended run's) is written whole under its pending name
// and takes its name, or the next free one of its pattern, by a rename.
// A file appended to (a file the user chose) keeps its new records alone
// under the pending name; a second file, the placing file, is made empty
// beside it before the records are marked. To place it, the placing file
// is filled with what the chosen file holds at that moment and the new
// records, and renamed over the chosen file. The placing file leaves its
// name only by that rename, so its absence proves the records were
// delivered, whatever has happened to the chosen file since.
struct PendingExport {
    QString path;     // the name the export was to take
    QString pending;  // the new records (the whole file, for a new one)
    QString placing;  // the file that takes the name: the pending file itself for a new one
    bool isNew = true;
    SharedFolderFile::FileId pendingId;
    SharedFolderFile::FileId placingId;
    int64_t pendingSize = -1;
    // The folder and the computer that saw it: a folder proves to be the
    // one the file was written in only on that computer.
    SharedFolderFile::FileId folderId;
    QString computerId;
    int64_t records = 0;

    // Written by an earlier build: an appended file's pending file holds
    // the earlier content too, and there is no placing file.
    bool IsLegacyAppend() const { return !isNew && placing.isEmpty(); }
};

struct PlaceResult {
    enum Outcome {
        Named,        // it has taken its name now
        AlreadyNamed, // it had taken its name before
        TakenAway,    // it had taken its name and has since been taken from the folder
        Failed,       // its file is there but could not be named: `reason`
        Undecided,    // nothing here shows what became of it: `reason`
    };
    Outcome outcome = Undecided;
    QString name; // where it lies, when known
    QString reason;

    bool Decided() const { return outcome != Failed && outcome != Undecided; }
};

// Gives the export its name, or finds that it has one, as far as this
// computer can tell. Never blocks on what others put in the folder: a link,
// a FIFO or any other file in place of one of its own is refused.
PlaceResult PlacePendingExport(const PendingExport& pending);

// Makes the empty placing file of an export appended to; its mode is set
// before it has a name anyone else could use. Raises the failure.
SharedFolderFile::FileId CreatePlacingFile(const QString& placing, const QString& chosen);

// The folder a file lies in, as this computer sees it (a link to a folder
// followed); none when it cannot be reached.
SharedFolderFile::FileId FolderIdOf(const QString& file);

// The part of an export's hidden file names that tells them apart: the
// mark of its database, so that an installation takes back only what
// exports of its own database left in a folder others share too, and a
// part drawn for the file.
QString HiddenFileTag(const QString& mark, const QString& drawn);
// A name that an export of the database of that mark gives a hidden file:
// its pending or placing file, or a temporary file of its pending one.
bool IsHiddenExportFileOf(const QString& name, const QString& mark);

// The identity text stored for a file, and back.
QString FileIdText(const SharedFolderFile::FileId& id);
SharedFolderFile::FileId FileIdFromText(const QString& text);
