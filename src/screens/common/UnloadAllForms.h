#pragma once

class QWidget;

// Unloads every open window, the last opened first, letting pending events
// run after each, until none is left. Windows are closed from code, so a
// window that questions its user's close does not ask.
void UnloadAllForms();

// Marks a window as being closed by the program, not by its user: its
// close is not questioned.
void MarkUnloading(QWidget& window);
bool IsUnloading(const QWidget& window);
