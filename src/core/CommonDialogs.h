#pragma once

#include <QString>

// The folder browser and file-open dialog, owned by the window whose
// caption is given (none when no window has it). "" when cancelled.
QString BrowseForFolder(const QString& ownerCaption, const QString& title,
                        const QString& startFolder);
// Filter: "Name|pattern|..." pairs, or NUL-separated pairs; empty offers
// "All Files" for every file.
QString ShowOpenFileDialog(const QString& ownerCaption, const QString& title,
                           const QString& initialDir, const QString& filter);
// The file-save dialog proposing a file (its folder and name, "\" or "/"
// separated). It does not ask about an existing file: the caller does.
// "" when cancelled.
QString ShowSaveFileDialog(const QString& ownerCaption, const QString& title,
                           const QString& proposedFile, const QString& filter);
