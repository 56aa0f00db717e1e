#include "core/PreservePointer.h"

#include "platform/AppContext.h"

PreservePointer::~PreservePointer()
{
    Reset();
}

void PreservePointer::SetNormalCursor()
{
    SaveAndSet(Pointer::Default);
}

void PreservePointer::Reset()
{
    UserInteraction& ui = AppContext::Current().ui();
    ui.SetMousePointer(m_saved);
    ui.PumpEvents();
}

void PreservePointer::SetHourGlass(const QObject*)
{
    SetGlobalHourGlass();
}

void PreservePointer::SetGlobalHourGlass()
{
    SaveAndSet(Pointer::Hourglass);
}

void PreservePointer::SaveAndSet(int16_t pointer)
{
    UserInteraction& ui = AppContext::Current().ui();
    m_saved = ui.MousePointer();
    ui.SetMousePointer(pointer);
    ui.PumpEvents();
}
