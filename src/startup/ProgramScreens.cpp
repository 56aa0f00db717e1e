#include "startup/ProgramScreens.h"

#include "screens/admin/frmInfo.h"
#include "screens/admin/frmMenu.h"
#include "screens/transmission/frmTransmissionStatus.h"

FormRegistry ProgramScreens()
{
    FormRegistry screens;
    screens.Register(MenuScreens::Information, [] { return std::make_unique<frmInfo>(); });
    screens.Register(MenuScreens::Log, [] { return std::make_unique<frmTransmissionStatus>(); });
    return screens;
}
