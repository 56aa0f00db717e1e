#pragma once

#include <QPlainTextEdit>

// A multi-line text box that takes at most a given number of characters
// (a line break counting as one): typing beyond it is refused and a paste
// is cut to what fits.
class CommentBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CommentBox(int maxLength, QWidget* parent = nullptr);

    int MaxLength() const { return m_maxLength; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many more characters fit in place of the selection.
    int Room() const;

    int m_maxLength;
};
