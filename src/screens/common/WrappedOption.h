#pragma once

#include <QString>

class QBoxLayout;
class QRadioButton;
class QWidget;

// A radio button does not wrap its caption: the caption is a label beside
// the button that chooses it when clicked (while it is enabled) and is
// greyed while it is disabled. The caption is also the button's text (not
// drawn) and accessible name. Adds the row to layout.
QRadioButton* AddWrappedOption(QBoxLayout& layout, const QString& name, const QString& caption,
                               QWidget* parent);
