#pragma once

#include <QString>

#include <cstdint>

// What an interactive enquiry import asks the user about an enquiry with
// errors or duplicates. The answer is a ValidationAction code: 0 cancel
// the file, 1 include, 2 skip, 3 include this and all further ones of the
// kind, 4 skip this and all further ones of the kind.
class ImportQuestions {
public:
    virtual ~ImportQuestions() = default;
    virtual int32_t AskAction(const QString& message) = 0;
    // The file is finished: a window kept between questions can go.
    virtual void Finished() {}
};

// Asks through the message boxes: include (Yes), skip (No) or cancel, then
// whether the answer holds for the rest of the file. Unattended, every
// question takes Cancel.
class MessageBoxImportQuestions : public ImportQuestions {
public:
    int32_t AskAction(const QString& message) override;
};

// The import's progress window: caption and text, a value from 0 to 100,
// and the user's request to cancel.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    // Shows the window modeless, with no cancel request pending.
    virtual void Load(const QString& caption, const QString& info) = 0;
    virtual void SetValue(int32_t percent) = 0;
    virtual bool CancelRequested() const = 0;
    virtual void Unload() = 0;
};
