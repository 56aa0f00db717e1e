#include "core/qt/FormWidgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "core/ApplicationSettings.h"

bool IsFormLoaded(const QString& formName)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [&](const QWidget* w) { return w->objectName() == formName; });
}

void SelectTextBoxText(QWidget& textBox, bool selectAll, bool caretAtEnd)
{
    if (auto* line = qobject_cast<QLineEdit*>(&textBox)) {
        line->setCursorPosition(0);
        line->deselect();
        if (selectAll)
            line->selectAll();
        else if (caretAtEnd)
            line->end(false);
        return;
    }
    auto select = [&](auto* edit) {
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        if (selectAll)
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        else if (caretAtEnd)
            cursor.movePosition(QTextCursor::End);
        edit->setTextCursor(cursor);
    };
    if (auto* text = qobject_cast<QTextEdit*>(&textBox))
        select(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(&textBox))
        select(plain);
}

void HighlightTextOnFocus(QWidget& textBox)
{
    const bool highlight = Settings().HighlightSelText();
    SelectTextBoxText(textBox, highlight, !highlight);
}

void SetTextBoxLocked(bool editable, QWidget& textBox)
{
    if (auto* line = qobject_cast<QLineEdit*>(&textBox)) {
        line->setReadOnly(!editable);
        line->setFrame(editable);
    } else if (auto* text = qobject_cast<QTextEdit*>(&textBox)) {
        text->setReadOnly(!editable);
        text->setFrameShape(editable ? QFrame::StyledPanel : QFrame::NoFrame);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&textBox)) {
        plain->setReadOnly(!editable);
        plain->setFrameShape(editable ? QFrame::StyledPanel : QFrame::NoFrame);
    }
    QFont font = textBox.font();
    font.setBold(!editable);
    textBox.setFont(font);
    textBox.setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
}

KeyFilter::KeyFilter(QObject* parent, Filter filter) : QObject(parent), m_filter(std::move(filter)) {}

KeyFilter* KeyFilter::Install(QWidget& textBox, Filter filter)
{
    auto* keyFilter = new KeyFilter(&textBox, std::move(filter));
    textBox.installEventFilter(keyFilter);
    return keyFilter;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        for (QChar c : text) {
            if (m_filter(static_cast<int16_t>(c.unicode())) == 0)
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
