#include "reports/ReportOptions.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"

ReportOptions ReportOptions::FromSettings()
{
    ReportOptions options;
    options.fontReduce = Settings().FontReduce();
    options.fastPrint = Settings().FastPrint();
    if (const auto user = GetCurrentUser())
        options.userName = user->UserName();
    return options;
}
