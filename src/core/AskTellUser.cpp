#include "core/AskTellUser.h"

#include "core/ApplicationSettings.h"
#include "core/PreservePointer.h"
#include "platform/AppContext.h"

#include <cstdio>

namespace {
QString& HelpFile()
{
    static QString file;
    return file;
}

UnattendedMessageSink& Sink()
{
    static UnattendedMessageSink sink;
    return sink;
}

std::optional<bool>& Attendance()
{
    static std::optional<bool> attended;
    return attended;
}

bool IsUnattended()
{
    if (Attendance())
        return !*Attendance();
    return Settings().ProgramRunningMode() == RunningMode::Automatic;
}

void WriteToStandardError(const QString& text, uint32_t)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle), qUtf8Printable(line));
}

void WriteUnattended(const QString& text, uint32_t style)
{
    if (Sink())
        Sink()(text, style);
    else
        WriteToStandardError(text, style);
}

void AppendDetail(QString& message, const QString& detail)
{
    if (!detail.isEmpty())
        message += QLatin1Char('\r') + detail;
}

int16_t Show(const QString& text, uint32_t style, std::optional<int32_t> helpContext)
{
    if (!HelpFile().isEmpty() && helpContext)
        style |= MsgBox::HelpButton;
    return AppContext::Current().ui().ShowMessageBox(ApplicationTitle, text, style);
}
} // namespace

void TellUser(QString message, const QString& detail, uint32_t style,
              std::optional<int32_t> helpContext)
{
    AppendDetail(message, detail);
    if (IsUnattended()) {
        WriteUnattended(message, style);
        return;
    }
    PreservePointer pointer;
    pointer.SetNormalCursor();
    Show(message, style, helpContext);
}

void TellUserWarning(const QString& message, const QString& detail,
                     std::optional<int32_t> helpContext)
{
    TellUser(message, detail, MsgBox::Exclamation, helpContext);
}

void TellUserCritical(const QString& message, const QString& detail,
                      std::optional<int32_t> helpContext)
{
    TellUser(message, detail, MsgBox::Critical, helpContext);
}

uint32_t AskUserStyle(uint32_t buttonSet, int16_t defaultAnswer)
{
    using namespace MsgBox;
    uint32_t defaultButton = 0;
    uint32_t icon = Question;
    switch (buttonSet) {
    case OkCancel:
    case RetryCancel:
        if (defaultAnswer == AnswerCancel)
            defaultButton = DefaultButton2;
        if (buttonSet == RetryCancel)
            icon = Critical;
        break;
    case AbortRetryIgnore:
        icon = Critical;
        if (defaultAnswer != AnswerAbort)
            defaultButton = defaultAnswer == AnswerRetry ? DefaultButton2 : DefaultButton3;
        break;
    case YesNoCancel:
        if (defaultAnswer != AnswerYes)
            defaultButton = defaultAnswer == AnswerNo ? DefaultButton2 : DefaultButton3;
        break;
    case YesNo:
        if (defaultAnswer != AnswerYes)
            defaultButton = DefaultButton2;
        break;
    default:
        break;
    }
    return defaultButton | icon | buttonSet;
}

int16_t AskUser(QString message, const QString& detail, uint32_t buttonSet, int16_t defaultAnswer,
                std::optional<int32_t> helpContext)
{
    AppendDetail(message, detail);
    const uint32_t style = AskUserStyle(buttonSet, defaultAnswer);
    if (IsUnattended()) {
        WriteUnattended(message, style);
        return defaultAnswer;
    }
    PreservePointer pointer;
    pointer.SetNormalCursor();
    AppContext::Current().ui().PumpEvents();
    return Show(message, style, helpContext);
}

void SetMessageBoxHelpFile(const QString& helpFile)
{
    HelpFile() = helpFile;
}

void SetUnattendedMessageSink(UnattendedMessageSink sink)
{
    Sink() = std::move(sink);
}

UnattendedMessageSink CurrentUnattendedSink()
{
    return Sink() ? Sink() : UnattendedMessageSink(WriteToStandardError);
}

ScopedUnattendedSink::ScopedUnattendedSink(UnattendedMessageSink sink) : m_previous(Sink())
{
    Sink() = std::move(sink);
}

ScopedUnattendedSink::~ScopedUnattendedSink()
{
    Sink() = std::move(m_previous);
}

ScopedAttendance::ScopedAttendance(bool attended) : m_previous(Attendance())
{
    Attendance() = attended;
}

ScopedAttendance::~ScopedAttendance()
{
    Attendance() = m_previous;
}
