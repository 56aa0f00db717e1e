#include "startup/UnattendedMessages.h"

#include "core/AskTellUser.h"
#include "core/TextLogFile.h"
#include "database/LogLines.h"
#include "platform/UserInteraction.h"

#include <cstdio>
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
        QString lines = Kind(style) + text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        log->WriteToLog(QString(lines).replace(u'\n', u' '));
        // Whoever started the run (a terminal, a scheduler) learns it too.
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle), qUtf8Printable(lines));
    });
}

void WriteFailureToStandardError(const QStringList& texts)
{
    for (const QString& text : texts)
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle), qUtf8Printable(OneLine(text)));
    std::fflush(stderr);
}
