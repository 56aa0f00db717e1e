#include "scheduling/RunLogMessages.h"

#include "database/LogLines.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"

namespace {
int32_t EventCodeOf(uint32_t style)
{
    switch (style & MsgBox::IconMask) {
    case MsgBox::Critical: return EventCodes::Error;
    case MsgBox::Exclamation: return EventCodes::Warning;
    default: return EventCodes::Information;
    }
}
} // namespace

RunLogMessages::RunLogMessages(LogLines& log)
    : m_sink([&log, before = CurrentUnattendedSink()](const QString& text, uint32_t style) {
          try {
              log.AddToLog(EventCodeOf(style), text);
          } catch (const NevixError&) {
              before(text, style);
          }
      })
{
}
