#pragma once

#include <QString>

class CDataBase;

// A mark of the database: the same for every installation on it, another
// for every other database. What an installation leaves in a folder that
// others share carries it, so that it takes back only what installations
// on its own database made. Made at its first use.
QString DatabaseMark(CDataBase& db);
