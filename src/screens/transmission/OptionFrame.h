#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QGroupBox;
class QRadioButton;
class QWidget;

// The "Shut Down Options" frame of the closing dialogs: one option button
// per caption, named namePrefix and its index, the first one selected; a
// click reports the option's index. A hidden option takes no room.
QGroupBox* BuildOptionFrame(QWidget* owner, const QString& namePrefix, const QStringList& captions,
                            std::function<void(int index)> clicked,
                            std::vector<QRadioButton*>& options);
