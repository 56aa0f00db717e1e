#pragma once

#include <QString>

// The password of the program's database file: seven capitals, put
// together at run time so that it never stands in the program as one text.
// Every connection to the file and the creation of a new file use it.
QString GetDbPassword();
