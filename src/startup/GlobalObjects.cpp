#include "startup/GlobalObjects.h"

#include "accounts/CurrentUser.h"
#include "core/ApplicationSettings.h"
#include "database/GlobalDatabase.h"
#include "help/HHelper.h"
#include "records/VRM.h"

void ReleaseGlobalObjects()
{
    SetCurrentUser(nullptr);
    ReleaseGlobalDatabase();
    ReleaseSettings();
    SetProgramHelpFile(QString());
    ReleaseHelp();
    ReleaseVRMValidator();
}
