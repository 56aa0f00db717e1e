#pragma once

#include <QList>
#include <QMessageBox>

#include <cstdint>

// How a message box style becomes a Qt message box, and a pressed button
// becomes an answer code.
struct MessageBoxLayout {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool helpButton = false;

    static MessageBoxLayout FromStyle(uint32_t style);
    static int16_t AnswerFor(QMessageBox::StandardButton button);
};
