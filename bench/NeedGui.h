#pragma once

#include <QApplication>

// Fonts, printing, the log list and windows need an application with
// widgets; offscreen unless a platform is chosen.
inline void NeedGui()
{
    static int argc = 1;
    static char name[] = "nevix_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}
