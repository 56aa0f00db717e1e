#include "startup/UnattendedMessages.h"

#include "core/AskTellUser.h"
#include "core/TextLogFile.h"
#include "platform/UserInteraction.h"

#include <memory>

namespace {
QString Kind(uint32_t style)
{
    switch (style & MsgBox::IconMask) {
    case MsgBox::Critical: return QStringLiteral("Critical: ");
    case MsgBox::Exclamation: return QStringLiteral("Warning: ");
    case MsgBox::Question: return QStringLiteral("Question answered by default: ");
    default: return QString();
    }
}
} // namespace

void LogUnattendedMessagesIn(const QString& programFolder)
{
    auto log = std::make_shared<TextLogFile>();
    log->SetDatedPathAndName(programFolder, QStringLiteral("NevixAuto"));
    log->SetBufferSize(1);
    log->OpenLogFile();
    SetUnattendedMessageSink([log](const QString& text, uint32_t style) {
        QString line = text;
        line.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
        log->WriteToLog(Kind(style) + line);
    });
}
