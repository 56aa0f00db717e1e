#include "transfer/ImportQuestions.h"

#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "platform/UserInteraction.h"

int32_t MessageBoxImportQuestions::AskAction(const QString& message)
{
    const int16_t answer =
        AskUser(message,
                QStringLiteral("Yes: continue and INCLUDE this one.  No: continue but SKIP this one.  "
                               "Cancel: CANCEL the whole import."),
                MsgBox::YesNoCancel, MsgBox::AnswerCancel);
    if (answer != MsgBox::AnswerYes && answer != MsgBox::AnswerNo)
        return ValidationAction::Cancelled;
    const bool include = answer == MsgBox::AnswerYes;
    const bool always = AskUser(QStringLiteral("Apply this answer to any further warnings?"), QString(),
                                MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes;
    if (include)
        return always ? ValidationAction::ContinueAlways : ValidationAction::Continue;
    return always ? ValidationAction::SkipAllWithError : ValidationAction::SkipThisEnquiry;
}
