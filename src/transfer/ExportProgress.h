#pragma once

#include <QString>

// What an export needs of a progress window: a caption and a line of
// information when it starts, the share done after each record (the window
// lets pending events run and answers whether the user pressed Cancel), and
// the end.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;

    virtual void Start(const QString& caption, const QString& info) = 0;
    // Percent 0 to 100; true when the user asked to cancel.
    virtual bool Step(int percent) = 0;
    // Shows 100 and closes the window.
    virtual void Finish() = 0;
};
