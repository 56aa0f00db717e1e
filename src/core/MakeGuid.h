#pragma once

#include <QString>

// A new GUID: 38 characters, upper case, in braces.
QString MakeGuid();
