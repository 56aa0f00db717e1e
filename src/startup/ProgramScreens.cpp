#include "startup/ProgramScreens.h"

#include "screens/admin/frmInfo.h"
#include "screens/admin/frmMenu.h"

FormRegistry ProgramScreens()
{
    FormRegistry screens;
    screens.Register(MenuScreens::Information, [] { return std::make_unique<frmInfo>(); });
    return screens;
}
