#pragma once

#include <QPixmap>

// The pictures beside the main menu's buttons, drawn by the program, and
// their grey twins for a button that cannot be pressed.
enum class MenuPicture { Enquiries, Responses, Debits, SendReceive, Log, Admin };

QPixmap DrawMenuPicture(MenuPicture picture);
// The same picture without its colours, paler.
QPixmap GreyTwin(const QPixmap& picture);
// The menu's window icon, which the screens it opens take too.
QPixmap DrawMenuIcon();
