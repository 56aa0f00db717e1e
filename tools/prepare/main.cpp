// Makes a program folder ready for a first start (see PrepareProgramFolder):
// the folder named by NEVIX_HOME, else the folder of the program.
#include "PrepareProgramFolder.h"

#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = AppContext::DefaultProgramFolder();
    try {
        for (const QString& file : PrepareProgramFolder(folder))
            std::printf("Made %s\n", qUtf8Printable(file));
    } catch (const NevixError& e) {
        std::fprintf(stderr, "nevix-prepare: %s\n", qUtf8Printable(e.Description()));
        return 1;
    }
    return 0;
}
