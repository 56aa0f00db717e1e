#include "screens/records/CommentBox.h"

#include <QKeyEvent>
#include <QMimeData>

CommentBox::CommentBox(int maxLength, QWidget* parent) : QPlainTextEdit(parent), m_maxLength(maxLength) {}

int CommentBox::Room() const
{
    const QTextCursor cursor = textCursor();
    return m_maxLength - (int(toPlainText().size()) - (cursor.selectionEnd() - cursor.selectionStart()));
}

void CommentBox::keyPressEvent(QKeyEvent* event)
{
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool inserts = newLine || (!event->text().isEmpty() && event->text().at(0).isPrint());
    if (inserts && !isReadOnly() && Room() < (newLine ? 1 : int(event->text().size()))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CommentBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    const QString text = source->text().left(std::max(0, Room()));
    if (!text.isEmpty())
        insertPlainText(text);
}
