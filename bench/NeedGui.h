#pragma once

#include <QApplication>

// Fonts, printing and windows need a GUI application; offscreen unless a
// platform is chosen.
inline void NeedGui()
{
    static int argc = 1;
    static char name[] = "nevix_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}
