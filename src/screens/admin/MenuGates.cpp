#include "screens/admin/MenuGates.h"

#include "core/ApplicationSettings.h"
#include "core/GroupAndRole.h"

MenuGates MenuGatesFor(const QString& roles, int32_t installMode)
{
    MenuGates gates;
    gates.Admin = HasRole(roles, MenuRoles::Admin);
    gates.Debit = HasRole(roles, MenuRoles::Debit);
    gates.Send = installMode != InstallMode::Client && gates.Debit;
    return gates;
}
