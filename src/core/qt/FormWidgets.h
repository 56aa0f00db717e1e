#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

// Helpers the screens use on their text boxes (QLineEdit, QTextEdit or
// QPlainTextEdit).

// True when an open top-level window has exactly this object name.
bool IsFormLoaded(const QString& formName);
void SelectTextBoxText(QWidget& textBox, bool selectAll, bool caretAtEnd);
// For a box's focus event: the whole text selected when the HighlightSelText
// setting is on, else the caret after the last character.
void HighlightTextOnFocus(QWidget& textBox);
// Editable boxes look sunken and take the tab; read-only ones are flat, bold
// and skipped by the tab key.
void SetTextBoxLocked(bool editable, QWidget& textBox);

// Swallows typed characters that a key filter refuses. Installed on a text
// box, owned by it.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Filter = std::function<int16_t(int16_t keyCode)>;

    static KeyFilter* Install(QWidget& textBox, Filter filter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QObject* parent, Filter filter);
    Filter m_filter;
};
