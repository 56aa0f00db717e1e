#include "screens/common/SelectOnFocus.h"

#include "core/qt/FormWidgets.h"

#include <QEvent>
#include <QLineEdit>

namespace {
class FocusSelector : public QObject {
public:
    FocusSelector(QLineEdit& box, bool always) : QObject(&box), m_always(always) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the box's own focus handling, which would undo the selection.
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            const bool always = m_always;
            QMetaObject::invokeMethod(
                box,
                [box, always] {
                    if (always)
                        SelectTextBoxText(*box, true, false);
                    else
                        HighlightTextOnFocus(*box);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_always;
};
} // namespace

void SelectTextOnFocus(QLineEdit& box, bool always)
{
    box.installEventFilter(new FocusSelector(box, always));
}
