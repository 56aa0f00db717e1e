#pragma once

class QAbstractItemModel;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// Building blocks of the record screens' windows, each control named as
// the screens name it.

// Fifteen twips make a pixel on the screens the layouts were made for.
constexpr int TwipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption);
QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption);
// A detail box: bold, which ApplyReadOnlyLook turns into the read-only look.
QLineEdit* MakeBoldBox(QWidget* parent, const char* name);
void MakeBold(QWidget& widget);
// A labelled bold box on the next free row of the frame's grid, in the
// pair of columns starting at column.
QLineEdit* AddLabelledBox(QGroupBox* frame, const char* boxName, const char* labelName, const char* caption,
                          int column = 0);
// A box for a number of days: at most three digits, whether typed or
// pasted; empty means no limit.
void MakeDaysBox(QLineEdit& box);
// Every bold text box of the window gets the read-only look.
void ApplyReadOnlyLook(QWidget& window);
// A record grid: whole rows selected, no editing, no row headings, the
// key column hidden, headings clickable.
void SetUpRecordGrid(QTableView& grid, QAbstractItemModel* model, const char* name);
