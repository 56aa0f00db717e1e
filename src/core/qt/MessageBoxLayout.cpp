#include "core/qt/MessageBoxLayout.h"

#include "platform/UserInteraction.h"

MessageBoxLayout MessageBoxLayout::FromStyle(uint32_t style)
{
    using SB = QMessageBox::StandardButton;
    MessageBoxLayout layout;
    switch (style & MsgBox::ButtonMask) {
    case MsgBox::OkCancel: layout.buttons = {SB::Ok, SB::Cancel}; break;
    case MsgBox::AbortRetryIgnore: layout.buttons = {SB::Abort, SB::Retry, SB::Ignore}; break;
    case MsgBox::YesNoCancel: layout.buttons = {SB::Yes, SB::No, SB::Cancel}; break;
    case MsgBox::YesNo: layout.buttons = {SB::Yes, SB::No}; break;
    case MsgBox::RetryCancel: layout.buttons = {SB::Retry, SB::Cancel}; break;
    default: layout.buttons = {SB::Ok}; break;
    }
    switch (style & MsgBox::IconMask) {
    case MsgBox::Critical: layout.icon = QMessageBox::Critical; break;
    case MsgBox::Question: layout.icon = QMessageBox::Question; break;
    case MsgBox::Exclamation: layout.icon = QMessageBox::Warning; break;
    case MsgBox::Information: layout.icon = QMessageBox::Information; break;
    default: break;
    }
    qsizetype index = 0;
    if (style & MsgBox::DefaultButton3)
        index = 2;
    else if (style & MsgBox::DefaultButton2)
        index = 1;
    // A default beyond the last button falls back to the first, as the
    // platform box did.
    layout.defaultButton = layout.buttons.value(index, layout.buttons.first());
    layout.helpButton = (style & MsgBox::HelpButton) != 0;
    return layout;
}

int16_t MessageBoxLayout::AnswerFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return MsgBox::AnswerOk;
    case QMessageBox::Cancel: return MsgBox::AnswerCancel;
    case QMessageBox::Abort: return MsgBox::AnswerAbort;
    case QMessageBox::Retry: return MsgBox::AnswerRetry;
    case QMessageBox::Ignore: return MsgBox::AnswerIgnore;
    case QMessageBox::Yes: return MsgBox::AnswerYes;
    case QMessageBox::No: return MsgBox::AnswerNo;
    default: return MsgBox::AnswerCancel;
    }
}
