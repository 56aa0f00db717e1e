#include "core/qt/TextBoxStart.h"

#include <QApplication>

#include <gtest/gtest.h>

// One application object for the whole run; widgets work offscreen.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program does: the screens under test behave as they do there.
    ShowProgramTextsFromTheStart();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
