#include "core/qt/TextBoxStart.h"

#include <QApplication>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

namespace {
const char* const FilterName = "ProgramTextsFromTheStart";
const char* const FollowerName = "ProgramTextFollower";

void ShowStart(QLineEdit& box)
{
    // A completer's popup puts each proposal in while the user types on.
    if (!box.completer())
        box.setCursorPosition(0);
}

// Tells the texts the program puts into one box from the user's changes.
//
// Every change the user makes (typing, pasting, undoing) is told as edited
// and then as changed; a text the program sets only as changed. A program
// text set while an edit is handled (a text put into capitals) is told in
// between: the edit's own change comes after it.
//
// A text set again unchanged is told as nothing at all, yet the caret goes
// to the end, with the edit history wiped. Only the user, and what their
// edit sets off (a text put into capitals, its caret put back), moves the
// caret of a box they are in: it has the focus, a key is down on it, or
// their pointer is pressed or dragging on it. In any other box, such a
// move is that set.
class ProgramTextFollower : public QObject {
public:
    explicit ProgramTextFollower(QLineEdit& box) : QObject(&box), m_box(box)
    {
        setObjectName(FollowerName);
        connect(&box, &QLineEdit::textEdited, this, [this](const QString& text) { m_edited = text; });
        connect(&box, &QLineEdit::textChanged, this, &ProgramTextFollower::TextChanged);
        connect(&box, &QLineEdit::cursorPositionChanged, this, &ProgramTextFollower::CaretMoved);
        box.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            m_keyDown = true;
            break;
        case QEvent::KeyRelease:
        case QEvent::FocusOut:
            m_keyDown = false;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            m_pointerOn = true;
            break;
        case QEvent::MouseButtonRelease:
        case QEvent::DragLeave:
        case QEvent::Leave:
            m_pointerOn = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void TextChanged(const QString& text)
    {
        if (!m_edited.isNull() && text == m_edited) {
            m_edited = QString();
            return;
        }
        if (text == m_box.text())
            ShowStart(m_box);
    }

    void CaretMoved(int, int to)
    {
        if (to > 0 && to == m_box.text().size() && !m_box.hasSelectedText() && !m_box.isUndoAvailable() &&
            !m_box.isRedoAvailable() && !UserIsOn())
            ShowStart(m_box);
    }

    bool UserIsOn() const { return m_box.hasFocus() || m_keyDown || m_pointerOn; }

    QLineEdit& m_box;
    QString m_edited;
    bool m_keyDown = false;
    bool m_pointerOn = false;
};

// Owned by the application: meets every line edit when it is first polished
// (before it is first shown), after any text set while it was being built.
class ProgramTextsFromTheStart : public QObject {
public:
    explicit ProgramTextsFromTheStart(QObject* parent) : QObject(parent) { setObjectName(FilterName); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            auto* box = qobject_cast<QLineEdit*>(watched);
            if (box && !box->findChild<QObject*>(FollowerName, Qt::FindDirectChildrenOnly)) {
                ShowStart(*box);
                new ProgramTextFollower(*box);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void ShowProgramTextsFromTheStart()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<ProgramTextsFromTheStart*>(FilterName, Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new ProgramTextsFromTheStart(app));
}
