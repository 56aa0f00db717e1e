#include "core/qt/TextBoxStart.h"

#include <QApplication>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

#include <memory>

namespace {
const char* const FilterName = "ProgramTextsFromTheStart";

void ShowStart(QLineEdit& box)
{
    // A completer's popup puts each proposal in while the user types on.
    if (!box.completer())
        box.setCursorPosition(0);
}

// Every change the user makes (typing, pasting, undoing) is told as edited
// and then as changed; a text the program sets only as changed. A program
// text set while an edit is handled (a text put into capitals) is told in
// between: the edit's own change comes after it.
void FollowProgramTexts(QLineEdit& box)
{
    auto edited = std::make_shared<QString>();
    auto* context = &box;
    QObject::connect(&box, &QLineEdit::textEdited, context, [edited](const QString& text) { *edited = text; });
    QObject::connect(&box, &QLineEdit::textChanged, context, [&box, edited](const QString& text) {
        if (!edited->isNull() && text == *edited) {
            *edited = QString();
            return;
        }
        if (text == box.text())
            ShowStart(box);
    });
}

// Owned by the application: meets every line edit when it is first polished
// (before it is first shown), after any text set while it was being built.
class ProgramTextsFromTheStart : public QObject {
public:
    explicit ProgramTextsFromTheStart(QObject* parent) : QObject(parent) { setObjectName(FilterName); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                ShowStart(*box);
                FollowProgramTexts(*box);
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
