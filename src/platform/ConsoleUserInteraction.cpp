#include "platform/ConsoleUserInteraction.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>

int16_t ConsoleUserInteraction::ShowMessageBox(const QString& title, const QString& text, uint32_t style)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(shown));
    return DefaultAnswer(style);
}

void ConsoleUserInteraction::PumpEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

int16_t ConsoleUserInteraction::DefaultAnswer(uint32_t style)
{
    using namespace MsgBox;
    static const std::array<std::array<int16_t, 3>, 6> buttons = {{
        {AnswerOk, AnswerOk, AnswerOk},
        {AnswerOk, AnswerCancel, AnswerCancel},
        {AnswerAbort, AnswerRetry, AnswerIgnore},
        {AnswerYes, AnswerNo, AnswerCancel},
        {AnswerYes, AnswerNo, AnswerNo},
        {AnswerRetry, AnswerCancel, AnswerCancel},
    }};
    const uint32_t set = style & ButtonMask;
    if (set >= buttons.size())
        return AnswerOk;
    const uint32_t index = (style & DefaultButton3) ? 2 : (style & DefaultButton2) ? 1 : 0;
    return buttons[set][index];
}
